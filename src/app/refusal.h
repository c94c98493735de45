#pragma once

#include <QString>

namespace runtime {
class Form;
}

// Every message of the program: its sentence, a blank line, the closing line,
// in a critical-error box titled "Critical Error" over the window.
void showRefusal(runtime::Form& window, const QString& sentence);
