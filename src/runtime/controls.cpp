#include "runtime/controls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace runtime {

namespace {

bool leavesTheWindowOnly(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

int toPixels(float twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

} // namespace

TextBox::TextBox(Form* form)
    : QLineEdit(form)
    , form_(*form)
{
    connect(this, &QLineEdit::textChanged, this, [this] { form_.runEvent(onChange); });
}

int keyAscii(const QKeyEvent& event)
{
    const bool control
        = event.modifiers().testFlag(Qt::ControlModifier) && !event.modifiers().testFlag(Qt::AltModifier);
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter: return -1;
    case Qt::Key_Backspace: return control ? 127 : 8;
    default: break;
    }
    // Synthetic keys carry Ctrl+V as "v", real ones as "\x16": derive it.
    if (control)
        return event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z ? event.key() - Qt::Key_A + 1 : -1;
    const QString text = event.text();
    if (text.isEmpty())
        return -1;
    const int code = text.front().unicode();
    // Delete ("\x7f" on X11), Escape and the like type no character.
    return code < 32 || code == 127 ? -1 : code;
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    const int code = keyAscii(*event);
    if (code >= 0 && onKeyPress) {
        auto KeyAscii = static_cast<std::int16_t>(code);
        form_.runEvent([&] { onKeyPress(KeyAscii); });
        if (KeyAscii == 0) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (form_.focusedBox_ != this)
        gainFocus(event->reason());
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (!leavesTheWindowOnly(event->reason()))
        loseFocus();
}

void TextBox::gainFocus(Qt::FocusReason reason)
{
    // A handler's SetFocus while the window was inactive (a message box had
    // just closed) moves Qt's focus silently; the box that had it leaves now.
    if (form_.focusedBox_)
        form_.focusedBox_->loseFocus();
    form_.focusedBox_ = this;
    form_.runEvent(onGotFocus);
    clickGaveFocus_ = reason == Qt::MouseFocusReason;
    gotFocusSelStart_ = hasSelectedText() ? selectionStart() : cursorPosition();
    gotFocusSelLength_ = static_cast<int>(selectedText().size());
}

void TextBox::loseFocus()
{
    if (form_.focusedBox_ != this)
        return;
    form_.focusedBox_ = nullptr;
    form_.runEvent(onLostFocus);
}

void TextBox::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (clickGaveFocus_) {
        clickGaveFocus_ = false;
        setSelection(gotFocusSelStart_, gotFocusSelLength_);
    }
}

void TextBox::setSelStart(int start)
{
    setCursorPosition(std::clamp(start, 0, static_cast<int>(text().size())));
}

void TextBox::setSelLength(int length)
{
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    setSelection(start, std::clamp(length, 0, static_cast<int>(text().size()) - start));
}

void TextBox::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
}

Label::Label(Form* form, Sizing sizing, Qt::Alignment alignment)
    : QLabel(form)
    , sizing_(sizing)
{
    setAlignment(alignment | Qt::AlignVCenter);
    setAutoFillBackground(true); // opaque, in the window's colour
}

void Label::setCaption(const QString& caption)
{
    setText(caption);
    if (sizing_ == Sizing::ToText)
        fitToCaption();
}

void Label::setForeColor(std::uint32_t bgr)
{
    const QColor colour(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    if (palette().color(QPalette::WindowText) == colour)
        return;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

void Label::setLeft(float twips)
{
    left_ = twips;
    moveToLeft();
}

void Label::place(float left, float top, float width, float height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    resize(toPixels(width), toPixels(height));
    moveToLeft();
}

void Label::fitToCaption()
{
    const int width = static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(text())));
    const float newWidth = static_cast<float>(width * TwipsPerPixel);
    if (alignment().testFlag(Qt::AlignHCenter))
        left_ += (width_ - newWidth) / 2;
    width_ = newWidth;
    // The layout's height keeps the caption centred where it was designed
    // to be, unless the font in use needs more.
    setGeometry(toPixels(left_), toPixels(top_), width, std::max(toPixels(height_), fontMetrics().height()));
}

void Label::moveToLeft()
{
    move(toPixels(left_), toPixels(top_));
}

CommandButton::CommandButton(Form* form)
    : QPushButton(form)
{
    connect(this, &QPushButton::clicked, this, [this, form] { form->runEvent(onClick); });
}

Timer::Timer(Form* form)
    : QTimer(form)
{
    setTimerType(Qt::PreciseTimer);
    connect(this, &QTimer::timeout, this, [this, form] { form->runEvent(onTimer); });
}

void Timer::setEnabled(bool enabled)
{
    // Enabling a running timer leaves its ticks where they are.
    if (enabled != isActive())
        enabled ? start() : stop();
}

Form::Form(int widthTwips, int heightTwips)
{
    setFixedSize(widthTwips / TwipsPerPixel, heightTwips / TwipsPerPixel);
}

void Form::start()
{
    runEvent(onLoad);
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen()->availableGeometry()));
    show();
}

void Form::setDefaultButton(CommandButton* button)
{
    defaultButton_ = button;
    button->setDefault(true);
}

void Form::End()
{
    events_.end();
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

void Form::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || !defaultButton_ || !defaultButton_->isEnabled()) {
        QWidget::keyPressEvent(event);
        return;
    }
    // As with a mouse click, the focus moves to the button before it is
    // pressed, so the box being left runs its LostFocus first.
    defaultButton_->setFocus(Qt::OtherFocusReason);
    defaultButton_->click();
}

} // namespace runtime
