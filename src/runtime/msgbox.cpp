#include "runtime/msgbox.h"

#include <QApplication>
#include <QMessageBox>

namespace runtime {

namespace {

MessageSink& sink()
{
    static MessageSink installed;
    return installed;
}

} // namespace

void MsgBox(const QString& prompt, MsgBoxStyle style, const QString& title)
{
    if (sink()) {
        sink()(prompt, style, title);
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

void setMessageSink(MessageSink sink_)
{
    sink() = std::move(sink_);
}

} // namespace runtime
