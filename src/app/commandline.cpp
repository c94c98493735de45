#include "app/commandline.h"

#include "app/appinfo.h"
#include "runtime/console.h"

#include <QCommandLineParser>

#include <algorithm>

namespace {

const QCommandLineOption Help(QStringList{"h", "help"});
const QCommandLineOption Version(QStringList{"v", "version"});

// Qt's own options, in its core, GUI and widgets layers and, where X11 is
// the platform, in that platform's layer: tst_window and tst_desktop check
// this list against what the Qt in use takes.
constexpr QtOption QtOptions[] = {
    {"platform", QtOption::Separate},
    {"platformpluginpath", QtOption::Separate},
    {"platformtheme", QtOption::Separate},
    {"qwindowgeometry", QtOption::Separate},
    {"qwindowtitle", QtOption::Separate},
    {"qwindowicon", QtOption::Separate},
    {"plugin", QtOption::Separate},
    {"session", QtOption::Separate},
    {"reverse", QtOption::Alone},
    {"testability", QtOption::Alone},
    {"style", QtOption::SeparateOrJoined},
    {"stylesheet", QtOption::SeparateOrJoined},
    {"widgetcount", QtOption::Alone},
    {"qdevel", QtOption::Alone},
    {"qdebug", QtOption::Alone},
    {"qmljsdebugger", QtOption::SeparateOrJoined},
#ifndef Q_OS_WIN
    {"geometry", QtOption::Separate, true},
    {"title", QtOption::Separate, true},
    {"icon", QtOption::Separate, true},
    {"display", QtOption::Separate, true},
    {"name", QtOption::Separate, true},
    {"visual", QtOption::Separate, true},
    {"nograb", QtOption::Alone, true},
    {"dograb", QtOption::Alone, true},
#endif
};

const QtOption* qtOption(const QString& name)
{
    const auto* found = std::ranges::find_if(QtOptions, [&](const QtOption& o) { return name == o.name; });
    return found == std::end(QtOptions) ? nullptr : found;
}

bool parse(QCommandLineParser& parser, const QStringList& arguments)
{
    // Qt's options are single words after one dash: -style is not -s -t -y...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({Help, Version});
    for (const QtOption& o : QtOptions) {
        parser.addOption(o.value == QtOption::Alone ? QCommandLineOption(o.name)
                                                    : QCommandLineOption(o.name, QString(), "value"));
    }
    return parser.parse(arguments);
}

// Qt takes most values only as the next argument: to Qt, -platform=xcb is
// no option at all, and it would be left unused.
std::optional<QString> valueQtWouldLeave(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size() && arguments[i] != "--"; ++i) {
        const QString word = arguments[i].startsWith("--") ? arguments[i].mid(2) : arguments[i].mid(1);
        const QtOption* option = arguments[i].startsWith('-') ? qtOption(word.section('=', 0, 0)) : nullptr;
        if (!option || option->value == QtOption::Alone)
            continue;
        if (!word.contains('='))
            ++i; // its value
        else if (option->value != QtOption::SeparateOrJoined)
            return word;
    }
    return std::nullopt;
}

std::optional<int> answerHelpOrVersion(const QCommandLineParser& parser)
{
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

// What is wrong with the arguments, or nothing.
QString refusal(const QCommandLineParser& parser, bool parsed, const QStringList& arguments)
{
    if (!parsed)
        return parser.errorText();
    if (const auto joined = valueQtWouldLeave(arguments))
        return QString("Unknown option '%1'.").arg(*joined);
    if (!parser.positionalArguments().isEmpty())
        return QString("Unexpected argument '%1'.").arg(parser.positionalArguments().front());
    return {};
}

} // namespace

std::span<const QtOption> qtOptions()
{
    return QtOptions;
}

std::optional<int> answerCommandLine(const QStringList& arguments)
{
    if (arguments.size() < 2) // the usual start: nothing to answer or refuse
        return std::nullopt;
    QCommandLineParser parser;
    const bool parsed = parse(parser, arguments);
    if (const auto status = answerHelpOrVersion(parser)) // whatever else is wrong
        return status;
    const QString error = refusal(parser, parsed, arguments);
    if (error.isEmpty())
        return std::nullopt;
    runtime::tellUser(stderr, QString("%1: %2 Try '%1 --help'.\n").arg(appinfo::Command, error), appinfo::Name);
    return 2;
}
