#include "runtime/controls.h"

#include "runtime/events.h"

#include <QKeyEvent>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace runtime {

namespace {

// The box that has the focus as the handlers see it. Qt also moves its focus
// when a message box opens, when the user switches to another program and
// when a popup menu opens; none of those is the user leaving the box.
QPointer<TextBox> focusedBox;

bool leavesTheWindowOnly(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

int toPixels(float twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

} // namespace

TextBox::TextBox(QWidget* parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] { runEvent(onChange); });
}

int keyAscii(const QKeyEvent& event)
{
    const bool control = event.modifiers().testFlag(Qt::ControlModifier)
        && !event.modifiers().testFlag(Qt::AltModifier);
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return -1;
    case Qt::Key_Backspace:
        return control ? 127 : 8;
    default:
        break;
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
        runEvent([&] { onKeyPress(KeyAscii); });
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
    if (focusedBox != this)
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
    if (focusedBox)
        focusedBox->loseFocus();
    focusedBox = this;
    runEvent(onGotFocus);
    clickGaveFocus_ = reason == Qt::MouseFocusReason;
    gotFocusSelStart_ = hasSelectedText() ? selectionStart() : cursorPosition();
    gotFocusSelLength_ = static_cast<int>(selectedText().size());
}

void TextBox::loseFocus()
{
    if (focusedBox != this)
        return;
    focusedBox = nullptr;
    runEvent(onLostFocus);
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

Label::Label(QWidget* parent, Sizing sizing, Qt::Alignment alignment)
    : QLabel(parent), sizing_(sizing)
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

// Without kerning a caption is as wide as its characters' advances added up,
// which is far cheaper than laying the text out (SHOW resizes two labels).
// The advance of each ASCII character is looked up once per font, when first
// needed.
int Label::captionWidth()
{
    const QFontMetricsF metrics(font());
    if (asciiAdvancesFont_ != font()) {
        asciiAdvancesFont_ = font();
        asciiAdvances_.fill(-1);
    }
    qreal width = 0;
    for (QChar c : text()) {
        if (c.unicode() >= asciiAdvances_.size()) {
            width += metrics.horizontalAdvance(c);
            continue;
        }
        qreal& advance = asciiAdvances_[c.unicode()];
        if (advance < 0)
            advance = metrics.horizontalAdvance(c);
        width += advance;
    }
    return static_cast<int>(std::ceil(width));
}

void Label::fitToCaption()
{
    const int width = captionWidth();
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

CommandButton::CommandButton(QWidget* parent)
    : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, [this] { runEvent(onClick); });
}

Timer::Timer(QObject* parent)
    : QTimer(parent)
{
    setTimerType(Qt::PreciseTimer);
    connect(this, &QTimer::timeout, this, [this] { runEvent(onTimer); });
}

void Timer::setEnabled(bool enabled)
{
    // Enabling a running timer leaves its ticks where they are.
    if (enabled != isActive())
        enabled ? start() : stop();
}

} // namespace runtime
