#include "app/application.h"

#include "app/appinfo.h"
#include "runtime/accessibility.h"
#include "runtime/console.h"
#include "runtime/platform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QPixmap>

namespace {

const QCommandLineOption Help(QStringList{"h", "help"});
const QCommandLineOption Version(QStringList{"v", "version"});

// Qt's own, which QApplication takes out of the arguments (its widgets, GUI
// and core layers, and the X11 platform): known here too, so that anything
// else is refused before Qt looks for a display.
const QStringList QtOptionsWithValue = QString("platform platformpluginpath platformtheme qwindowgeometry geometry "
                                               "qwindowtitle title qwindowicon icon plugin session style stylesheet "
                                               "qmljsdebugger display name visual")
                                           .split(' ');
const QStringList QtFlags = {"reverse", "testability", "widgetcount", "qdevel", "qdebug", "nograb", "dograb"};

bool parse(QCommandLineParser& parser, const QStringList& arguments)
{
    // Qt's options are single words after one dash: -style is not -s -t -y...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({Help, Version});
    for (const QString& name : QtOptionsWithValue)
        parser.addOption(QCommandLineOption(name, QString(), "value"));
    for (const QString& name : QtFlags)
        parser.addOption(QCommandLineOption(name));
    return parser.parse(arguments);
}

} // namespace

std::optional<int> answerHelpOrVersion(const QStringList& arguments)
{
    QCommandLineParser parser;
    parse(parser, arguments); // asked for, they are answered whatever else is wrong
    if (parser.isSet(Help)) {
        runtime::tellUser(stdout,
                          QString("Usage: %1 [options]\n%2: opens the window \"Which Day.........?\".\n\n"
                                  "  -h, --help     show this help and exit\n"
                                  "  -v, --version  show the version and exit\n\n"
                                  "Qt's options apply too, such as -platform and -style.\n")
                              .arg(appinfo::Command, appinfo::Summary),
                          appinfo::Name);
        return 0;
    }
    if (parser.isSet(Version)) {
        runtime::tellUser(stdout, QString("%1 %2\n").arg(appinfo::Command, appinfo::Version), appinfo::Name);
        return 0;
    }
    return std::nullopt;
}

std::optional<int> refuseUnknownArguments(const QStringList& arguments)
{
    QCommandLineParser parser;
    QString error;
    if (!parse(parser, arguments))
        error = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        error = QString("Unexpected argument '%1'.").arg(parser.positionalArguments().front());
    if (error.isEmpty())
        return std::nullopt;
    runtime::tellUser(stderr, QString("%1: %2 Try '%1 --help'.\n").arg(appinfo::Command, error), appinfo::Name);
    return 2;
}

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

    runtime::substituteFonts();
    runtime::installAccessibility();
}
