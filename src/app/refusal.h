#pragma once

#include <QString>

// Every message of the program: its sentence, a blank line, the closing line,
// in a critical-error box titled "Critical Error".
void showRefusal(const QString& sentence);
