// Started by tst_window: clicks EXIT (or, given "close", closes the window as
// its title bar would), then checks that no handler runs any more. Prints
// "handlers stopped" when none did; exits with exec()'s status.
#include "app/application.h"
#include "app/frmday.h"
#include "app/wiring.h"

#include <QApplication>
#include <QTimer>
#include <QtTest>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    setupApplication();
    frmday window;
    wireEvents(window);
    window.start();
    const bool close = argc > 1 && QByteArray(argv[1]) == "close";
    QTimer::singleShot(100, [&] {
        if (close)
            window.close();
        else
            QTest::mouseClick(window.cmdexit, Qt::LeftButton);
    });
    QTimer::singleShot(5000, [] { std::_Exit(3); }); // EXIT did not end the loop
    const int status = QApplication::exec();

    if (!close) {
        // An emptied day box would be refilled by its Change handler.
        window.txtdate->setText("");
        const float left = window.lbltime->Left();
        QTest::qWait(50); // timer ticks would move the banner
        if (window.txtdate->text().isEmpty() && window.lbltime->Left() == left && !window.isVisible())
            std::puts("handlers stopped");
    }
    return status;
}
