#include "runtime/msgbox.h"

#include "runtime/controls.h"

#include <QLabel>
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
    // The sentence can be selected with the mouse, so Qt reports it as a
    // focusable label, and screen readers from Orca 51 on do not read a
    // focusable label as the box's text. It keeps its selection and takes no
    // focus, which also leaves the keyboard on OK when it is clicked.
    for (auto* label : box.findChildren<QLabel*>()) {
        if (label->text() == box.text())
            label->setFocusPolicy(Qt::NoFocus);
    }
    box.exec();
    // Not every platform hands the activation back when the box closes; the
    // focus a handler gives next arrives when the window is active again.
    owner.activateWindow();
}

} // namespace runtime
