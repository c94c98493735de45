#include "runtime/msgbox.h"

#include "runtime/controls.h"

#include <QMessageBox>

namespace runtime {

void MsgBox(Form& owner, const QString& prompt, const QString& title)
{
    if (owner.messageSink()) {
        owner.messageSink()(prompt, title);
        return;
    }
    // A child of the window, so that it is centred over it and, on Wayland,
    // transient for it, whichever window is active. Qt's line break is LF.
    QMessageBox box(QMessageBox::Critical, title, QString(prompt).replace("\r\n", "\n"), QMessageBox::Ok, &owner);
    box.exec();
    // Not every platform hands the activation back when the box closes; the
    // focus a handler gives next arrives when the window is active again.
    owner.activateWindow();
}

} // namespace runtime
