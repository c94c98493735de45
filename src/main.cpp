#include "app/application.h"
#include "app/frmday.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    setupApplication();
    frmday window;
    window.start();
    return QApplication::exec();
}
