#pragma once

#include <QStringList>

#include <optional>
#include <span>

// The command line, before any window: --help and --version are answered on
// standard output with status 0; anything but those and Qt's own options
// (-platform, -style...) is refused in one line on standard error, status 2.
// Nothing when the window is to open. Asked before the QApplication exists,
// with the raw arguments, so that it needs no display.
std::optional<int> answerCommandLine(const QStringList& arguments);

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
