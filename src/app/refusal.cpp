#include "app/refusal.h"

#include "runtime/msgbox.h"

void showRefusal(const QString& sentence)
{
    runtime::MsgBox(sentence + "\r\n\r\nOk.....? Try Again....", runtime::CriticalStyle, "Critical Error");
}
