#include "app/application.h"
#include "app/commandline.h"
#include "app/frmday.h"
#include "app/wiring.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const QStringList arguments(argv, argv + argc);
    if (const auto status = answerCommandLine(arguments))
        return *status;
    QApplication app(argc, argv);
    setupApplication();
    frmday window;
    wireEvents(window);
    window.start();
    return QApplication::exec();
}
