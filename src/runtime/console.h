#pragma once

#include <QString>

#include <cstdio>

namespace runtime {

// Text for the user who started the program from a command line, on
// standard output or standard error. A Windows program with windows has no
// console of its own: there the text goes where its output was sent, else to
// the console it was started from, else, started from a shortcut, into a
// message box with this title.
void tellUser(std::FILE* stream, const QString& text, const QString& title);

} // namespace runtime
