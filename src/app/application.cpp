#include "app/application.h"

#include "app/appinfo.h"
#include "runtime/accessibility.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QPixmap>

void setupApplication()
{
    QCoreApplication::setApplicationName(appinfo::Name);
    QCoreApplication::setApplicationVersion(appinfo::Version);
    QGuiApplication::setDesktopFileName(appinfo::Id);

    // Every size the build put in; naming the format spares loading every
    // image plugin to guess it.
    QIcon icon;
    for (const QString& file : QDir(":/icons").entryList())
        icon.addPixmap(QPixmap(":/icons/" + file, "PNG"));
    QApplication::setWindowIcon(icon);

    // The layout names the fonts of another desktop; Liberation Serif has the
    // metrics of the serif one, Liberation Sans stands in for the sans serif.
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");

    runtime::installAccessibility();
}
