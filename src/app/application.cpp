#include "app/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

void setupApplication()
{
    QCoreApplication::setApplicationName("Tellwick");
    QCoreApplication::setApplicationVersion("1.00");
    QGuiApplication::setDesktopFileName("org.example.tellwick");

    QIcon icon;
    icon.addFile(":/icons/tellwick-16.png", QSize(16, 16));
    icon.addFile(":/icons/tellwick-32.png", QSize(32, 32));
    QApplication::setWindowIcon(icon);

    // The layout names the fonts of another desktop; Liberation Serif has the
    // metrics of the serif one, Liberation Sans stands in for the sans serif.
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");
}
