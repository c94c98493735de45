#include "app/application.h"

#include "app/appinfo.h"
#include "runtime/accessibility.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QPixmap>

#include <cstdio>

namespace {

const QCommandLineOption Help(QStringList{"h", "help"});
const QCommandLineOption Version(QStringList{"v", "version"});

bool parse(QCommandLineParser& parser, const QStringList& arguments)
{
    // Qt's options are single words after one dash: -style is not -s -t -y...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({Help, Version});
    return parser.parse(arguments);
}

} // namespace

std::optional<int> answerHelpOrVersion(const QStringList& arguments)
{
    QCommandLineParser parser;
    parse(parser, arguments); // Qt's own options are still among them, unknown here
    if (parser.isSet(Help)) {
        std::printf("Usage: %s [options]\n%s: opens the window \"Which Day.........?\".\n\n"
                    "  -h, --help     show this help and exit\n"
                    "  -v, --version  show the version and exit\n\n"
                    "Qt's options apply too, such as -platform wayland or -platform xcb.\n",
                    appinfo::Command, appinfo::Summary);
        return 0;
    }
    if (parser.isSet(Version)) {
        std::printf("%s %s\n", appinfo::Command, appinfo::Version);
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
    std::fprintf(stderr, "%s: %s Try '%s --help'.\n", appinfo::Command, qPrintable(error), appinfo::Command);
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

    // The layout names the fonts of another desktop; Liberation Serif has the
    // metrics of the serif one, Liberation Sans stands in for the sans serif.
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");

    runtime::installAccessibility();
}
