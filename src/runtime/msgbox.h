#pragma once

#include <QString>

#include <functional>

namespace runtime {

enum MsgBoxStyle { CriticalStyle = 16 };

// Shows a modal message box and waits until it is dismissed. Style 16 is the
// critical-error icon with one OK button, the only style the program uses.
void MsgBox(const QString& prompt, MsgBoxStyle style, const QString& title);

// Tests that run many thousands of refusals put their own sink in place of
// the real dialog; an empty sink restores it.
using MessageSink = std::function<void(const QString& prompt, MsgBoxStyle style, const QString& title)>;
void setMessageSink(MessageSink sink);

} // namespace runtime
