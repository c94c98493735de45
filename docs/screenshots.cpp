// Renders the window as a user sees it, for the README: after start-up,
// after SHOW of 15 / 8 / 1947 and with a refusal on screen. Run it through
// docs/screenshots.sh, which provides the virtual display.
#include "app/application.h"
#include "app/frmday.h"
#include "app/wiring.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <cstdio>

namespace {

void save(const QRect& area, const QString& path)
{
    QApplication::processEvents();
    const QPixmap shot
        = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    std::printf("%s %s\n", qPrintable(path), shot.save(path) ? "written" : "NOT WRITTEN");
}

// The banner scrolls; wait until it stands in view.
void waitForBannerInView(const frmday& w)
{
    QTest::qWaitFor([&] { return w.lbltime->Left() > 300 && w.lbltime->Left() < 1200; }, 20000);
}

// The window with its frame. Under a scale factor Qt's idea of the frame
// the window manager drew is off, so the picture keeps to the client area.
QRect area(const QWidget& w)
{
    return w.devicePixelRatio() > 1 ? w.geometry() : w.frameGeometry();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    setupApplication();
    const QString prefix = argc > 1 ? argv[1] : "window";

    frmday w;
    wireEvents(w);
    w.start();
    if (!QTest::qWaitForWindowActive(&w)) {
        std::fputs("the window did not become active\n", stderr);
        return 1;
    }
    waitForBannerInView(w);
    save(area(w), prefix + ".png");

    QTest::mouseClick(w.cmdshow, Qt::LeftButton);
    waitForBannerInView(w);
    save(area(w), prefix + "-show.png");

    for (auto [box, text] : {std::pair{w.txtdate, "31"}, {w.txtmonth, "4"}}) {
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClicks(box, text);
    }
    QTimer::singleShot(800, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        save(area(w).united(area(*box)), prefix + "-refusal.png");
        box->button(QMessageBox::Ok)->click();
    });
    QTest::mouseClick(w.cmdshow, Qt::LeftButton);
    const bool focusBack = QTest::qWaitFor([&] { return QApplication::focusWidget() == w.txtdate; });
    std::printf("after the refusal the day box has the focus: %s, selected \"%s\"\n", focusBack ? "yes" : "no",
                qPrintable(w.txtdate->selectedText()));
    return focusBack ? 0 : 1;
}
