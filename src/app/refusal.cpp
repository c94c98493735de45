#include "app/refusal.h"

#include "runtime/msgbox.h"

void showRefusal(runtime::Form& window, const QString& sentence)
{
    runtime::MsgBox(window, sentence + "\r\n\r\nOk.....? Try Again....", "Critical Error");
}
