#pragma once

#include <QString>

namespace runtime {

class Form;

// Shows a modal message box over the window and waits until it is dismissed:
// the critical-error icon and one OK button (style 16, the only style the
// program uses); the answer is not needed.
void MsgBox(Form& owner, const QString& prompt, const QString& title);

} // namespace runtime
