#pragma once

#include <QStringList>

#include <optional>
#include <span>

// The command line, before any window. Each gives the exit status when the
// program is to end at once, and nothing when the window is to open.
//
// Both are asked before the QApplication exists, with the raw arguments, so
// that they need no display.
// --help and --version, answered on standard output with status 0.
std::optional<int> answerHelpOrVersion(const QStringList& arguments);
// Anything but those and Qt's own options (-platform, -style...): one line on
// standard error, status 2.
std::optional<int> refuseUnknownArguments(const QStringList& arguments);

// Qt's own options (-platform, -style...), which the QApplication takes out
// of the arguments. Its value is the next argument, or for some also joined
// by "=" (-style=fusion); those of X11 Qt takes only where X11 is the
// platform, and on Windows they are none of Qt's.
struct QtOption {
    const char* name;
    enum Value { Alone, Separate, SeparateOrJoined } value;
    bool x11 = false;
};
std::span<const QtOption> qtOptions();

// The application's name, version, icon (once a window is painted), font
// substitutes and accessibility; called once, right after the QApplication is
// created.
void setupApplication();
