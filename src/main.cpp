#include "app/application.h"
#include "app/frmday.h"
#include "app/wiring.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (const auto status = answerHelpOrVersion(QStringList(argv, argv + argc)))
        return *status;
    QApplication app(argc, argv);
    if (const auto status = refuseUnknownArguments(QApplication::arguments()))
        return *status;
    setupApplication();
    frmday window;
    wireEvents(window);
    window.start();
    return QApplication::exec();
}
