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
    QMessageBox box(QMessageBox::Critical, title, prompt, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void setMessageSink(MessageSink sink_)
{
    sink() = std::move(sink_);
}

} // namespace runtime
