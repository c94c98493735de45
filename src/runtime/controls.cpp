#include "runtime/controls.h"

#include "runtime/accessibility.h"
#include "runtime/fixedsize.h"
#include "runtime/sight.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QScreen>
#include <QStyle>
#include <QValidator>
#include <QWindow>

#include <algorithm>
#include <cmath>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace runtime {

namespace {

// The light face that a dark desktop gives way to: on Windows the system's
// own dialog face, which its dark mode leaves light; elsewhere Qt's default.
QColor lightFace()
{
#ifdef Q_OS_WIN
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return QColor(GetRValue(face), GetGValue(face), GetBValue(face));
#else
    return QColor(0xEF, 0xEF, 0xEF);
#endif
}

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
    : QLineEdit(form->face())
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
    const bool entering = form_.focusedBox_ != this;
    if (entering)
        tellFocusBeforeSelection(this);
    QLineEdit::focusInEvent(event);
    if (entering)
        gainFocus(event->reason());
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    clickGaveFocus_ = false;
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

// A middle click pastes on its release and a right click opens the context
// menu, which takes the release; neither may bring back GotFocus's selection
// later, over what a paste, a refusal or the next click has made of it.
void TextBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        clickGaveFocus_ = false;
    QLineEdit::mousePressEvent(event);
}

void TextBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool restore = clickGaveFocus_ && event->button() == Qt::LeftButton;
    clickGaveFocus_ = false;
    QLineEdit::mouseReleaseEvent(event);
    if (restore)
        setSelection(gotFocusSelStart_, gotFocusSelLength_);
}

// QLineEdit accepts every drop of text, even one its validator then undoes,
// and a source that offered a move deletes what went nowhere. The validator
// judges the dropped text by itself: for a box of digits, as good as judging
// the text it would make.
bool TextBox::takesDrop(const QDropEvent& event) const
{
    QString dropped = event.mimeData()->text();
    int position = 0;
    return !validator() || validator()->validate(dropped, position) != QValidator::Invalid;
}

void TextBox::dragEnterEvent(QDragEnterEvent* event)
{
    takesDrop(*event) ? QLineEdit::dragEnterEvent(event) : event->ignore();
}

void TextBox::dragMoveEvent(QDragMoveEvent* event)
{
    takesDrop(*event) ? QLineEdit::dragMoveEvent(event) : event->ignore();
}

void TextBox::dropEvent(QDropEvent* event)
{
    takesDrop(*event) ? QLineEdit::dropEvent(event) : event->ignore();
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
    : QLabel(form->face())
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
    tellCaptionShown(this);
}

void Label::setAnnounced(bool announced)
{
    runtime::setAnnounced(this, announced);
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
    : QPushButton(form->face())
{
    connect(this, &QPushButton::clicked, this, [this, form] { form->runEvent(onClick); });
}

Timer::Timer(Form* form)
    : QObject(form)
    , form_(*form)
{
    connect(form, &Form::seenChanged, this, &Timer::followSight);
}

// A clock tick of 15.625 ms, or the interval if that is longer.
std::chrono::microseconds Timer::period() const
{
    constexpr std::chrono::microseconds ClockTick(15625);
    return std::max<std::chrono::microseconds>(ClockTick, std::chrono::milliseconds(interval_));
}

void Timer::setEnabled(bool enabled)
{
    // Enabling a running timer leaves its ticks where they are.
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled) {
        nextTick_ = std::chrono::steady_clock::now() + period();
        wakeForNextTick();
    } else {
        stopClock();
    }
}

void Timer::wakeForNextTick()
{
    using namespace std::chrono;
    stopClock();
    if (!form_.seen())
        return;
    const auto wait = ceil<milliseconds>(nextTick_ - steady_clock::now());
    clock_ = QObject::startTimer(std::max(wait, milliseconds(0)), Qt::PreciseTimer);
}

void Timer::stopClock()
{
    if (clock_)
        QObject::killTimer(clock_);
    clock_ = 0;
}

// The ticks due out of sight keep to the grid, so the next one comes when it
// would have come.
void Timer::followSight(bool seen)
{
    if (!enabled_)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (seen && nextTick_ <= now) {
        const std::int64_t missed = (now - nextTick_) / period() + 1;
        nextTick_ += missed * period();
        if (onTicksMissed) // as an event with no handler, nothing runs
            form_.runEvent([this, missed] { onTicksMissed(missed); });
    }
    wakeForNextTick();
}

// The ticks keep to their grid; a late one is not caught up.
void Timer::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != clock_) {
        QObject::timerEvent(event);
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now < nextTick_) { // woken a little early
        wakeForNextTick();
        return;
    }
    nextTick_ += period();
    if (nextTick_ <= now)
        nextTick_ = now + period();
    wakeForNextTick();
    form_.runEvent(onTimer);
}

Form::Form(int widthTwips, int heightTwips)
    : face_(new QWidget(this))
{
    face_->setFixedSize(widthTwips / TwipsPerPixel, heightTwips / TwipsPerPixel);
    setFixedSize(face_->size()); // until it is created and kept at that size
    // No maximise button where the platform lets a window say so.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    takeDialogFace();
}

// The labels' colours are fixed, and were chosen for the light dialog face of
// the desktop the layout was drawn on; on a dark one they could not be read.
// Under a dark desktop palette the window, boxes and buttons take a light
// face; under a light palette, the desktop's.
void Form::takeDialogFace()
{
    const QPalette desktop = QApplication::palette();
    const bool dark = desktop.color(QPalette::Window).lightness() < desktop.color(QPalette::WindowText).lightness();
    setPalette(dark ? QPalette(lightFace()) : desktop);
}

void Form::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ApplicationPaletteChange)
        takeDialogFace();
    QWidget::changeEvent(event);
}

void Form::resizeEvent(QResizeEvent* event)
{
    face_->move((width() - face_->width()) / 2, (height() - face_->height()) / 2);
    QWidget::resizeEvent(event);
}

void Form::start()
{
    runEvent(onLoad);
    // Centred before it is made, so that it is made where it shows.
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen()->availableGeometry()));
    create();
    keepFixedSize(*this, face_->size());
    followSight(*this, [this](bool seen) {
        if (seen == seen_)
            return;
        seen_ = seen;
        emit seenChanged(seen);
    });
    show();
    // Where no window manager activates the window, Qt gives no focus-in; the
    // box that has the focus enters it now, and activation later is no entry.
    if (auto* box = qobject_cast<TextBox*>(focusWidget()); box && !focusedBox_)
        box->gainFocus(Qt::OtherFocusReason);
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
