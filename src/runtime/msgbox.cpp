#include "runtime/msgbox.h"

#include "runtime/controls.h"

#include <QApplication>
#include <QMessageBox>

namespace runtime {

void MsgBox(Form& owner, const QString& prompt, const QString& title)
{
    if (owner.messageSink()) {
        owner.messageSink()(prompt, title);
        return;
    }
    QWidget* window = QApplication::activeWindow();
    QMessageBox box(QMessageBox::Critical, title, prompt, QMessageBox::Ok, window);
    box.exec();
    // Not every platform hands the activation back when the box closes; the
    // focus a handler gives next arrives when the window is active again.
    if (window)
        window->activateWindow();
}

} // namespace runtime
