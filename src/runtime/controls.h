#pragma once

// The window and its controls as the handlers see them: real Qt widgets with
// the event semantics the handlers rely on.
//
// Vocabulary. The handlers are written in the old runtime's words, and these
// classes add those words where Qt's differ in meaning: Label::Caption and
// setCaption (a label sized to its text follows its caption), Label::Left
// (twips, read back exactly as written), setForeColor (0x00BBGGRR),
// TextBox::setSelStart and setSelLength, TextBox::SetFocus (a handler moving
// the focus: the boxes run GotFocus and LostFocus as the user would see
// them), Timer::Enabled and setEnabled (enabling a running timer leaves it
// running; the ticks keep the old desktop's clock) and Form::End. Where a
// word means what Qt's means, Qt's name serves: a box's Text is text() and
// setText(). Handlers use these names; Qt's others are for the runtime itself
// and for tests.

#include "runtime/events.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <chrono>
#include <cstdint>
#include <functional>

namespace runtime {

// The layout's grid: 96 pixels an inch, 72 points an inch, 1440 twips an inch.
constexpr int TwipsPerPixel = 15;
constexpr int TwipsPerPoint = 20;

class Form;

// A single-line edit box. Assigning its text (QLineEdit::setText) runs the
// Change handler before the assignment returns; KeyPress sees each typed
// character first and discards it by setting KeyAscii to 0.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(Form* form);

    std::function<void()> onChange;
    std::function<void()> onGotFocus;
    std::function<void(std::int16_t& KeyAscii)> onKeyPress;
    std::function<void()> onLostFocus;

    void setSelStart(int start);
    void setSelLength(int length);
    void SetFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend class Form;
    void gainFocus(Qt::FocusReason reason);
    void loseFocus();
    bool takesDrop(const QDropEvent& event) const;

    Form& form_;
    // The selection GotFocus left, kept while the left click that gave the
    // focus is under way: QLineEdit places the caret on its press. Any other
    // button, or the focus leaving, ends the wait for its release.
    bool clickGaveFocus_ = false;
    int gotFocusSelStart_ = 0;
    int gotFocusSelLength_ = 0;
};

// The character code a key types, or -1 for a key that types none (arrows,
// Delete, function keys...) and for the keys the window keeps to itself
// (Tab, Backtab, Return, Enter).
int keyAscii(const QKeyEvent& event);

// Static text. Left is kept in twips exactly as written, the widget sits at
// the nearest pixel. A label sized to its text takes the width of its
// caption, keeping its left edge, or its centre when centred.
class Label : public QLabel {
    Q_OBJECT
public:
    enum class Sizing { Fixed, ToText };

    Label(Form* form, Sizing sizing, Qt::Alignment alignment);

    QString Caption() const { return text(); }
    void setCaption(const QString& caption);
    void setForeColor(std::uint32_t bgr); // 0x00BBGGRR
    float Left() const { return left_; }
    void setLeft(float twips);
    // Twips; a label sized to its text takes its width from the next caption.
    void place(float left, float top, float width, float height);
    // A screen reader speaks each new caption of an announced label, wherever
    // the focus is (runtime/accessibility.h).
    void setAnnounced(bool announced);

private:
    void fitToCaption();
    void moveToLeft();

    Sizing sizing_;
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
};

class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(Form* form);

    std::function<void()> onClick;
};

// Ticks on the clock of the desktop the layout was designed on: its timers
// fired on the system clock's ticks, 64 a second, however short the interval
// asked for. It keeps the layout's interval, which tools read as its
// interval property; it wakes only when a tick is due, and not at all while
// its form is out of sight: the ticks due meanwhile are handed over at once,
// counted, when the form comes back into sight.
class Timer : public QObject {
    Q_OBJECT
    Q_PROPERTY(int interval READ interval WRITE setInterval)
public:
    explicit Timer(Form* form);

    std::function<void()> onTimer;
    std::function<void(std::int64_t ticks)> onTicksMissed;

    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    int interval() const { return interval_; } // milliseconds
    void setInterval(int milliseconds) { interval_ = milliseconds; }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    std::chrono::microseconds period() const;
    void wakeForNextTick();
    void stopClock();
    void followSight(bool seen);

    Form& form_;
    int interval_ = 0;
    bool enabled_ = false;
    int clock_ = 0; // the clock timer's id while enabled and in sight
    std::chrono::steady_clock::time_point nextTick_;
};

// A window whose client area, the face its controls sit on, has a fixed size
// in twips, with a default button that Return and Enter press from any
// control that does not take them itself. The window keeps the face's size,
// except while a Wayland compositor holds it maximised or full screen at a
// size of its own: the face then stays as designed, centred in the window.
// Its colours are the desktop's dialog face while that is light, a light one
// under a dark desktop. It keeps what the runtime knows of its handlers: the
// event boundary and the box that has the focus as the handlers see it.
class Form : public QWidget {
    Q_OBJECT
public:
    Form(int widthTwips, int heightTwips);

    std::function<void()> onLoad;

    // The client area as laid out, parent of every control.
    QWidget* face() const { return face_; }

    // Runs Load, then shows the window centred; the focus goes to the first
    // control in the tab order, whether or not the window is activated.
    void start();
    void setDefaultButton(CommandButton* button);
    // Ends the program at once: no handler runs after it, the windows close
    // and the event loop returns 0.
    void End();

    // Whether any of the window can be seen, from the time it is first shown.
    bool seen() const { return seen_; }

    void runEvent(const std::function<void()>& handler) { events_.run(handler); }
    int runtimeErrorsCaught() const { return events_.runtimeErrorsCaught(); }

    // Tests that run many thousands of refusals answer the message boxes
    // themselves; an empty sink brings the real dialog back.
    using MessageSink = std::function<void(const QString& prompt, const QString& title)>;
    void setMessageSink(MessageSink sink) { messageSink_ = std::move(sink); }
    const MessageSink& messageSink() const { return messageSink_; }

signals:
    void seenChanged(bool seen);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TextBox;
    void takeDialogFace();

    QWidget* face_;
    EventBoundary events_;
    CommandButton* defaultButton_ = nullptr;
    // Qt also moves its focus when a message box opens, when the user
    // switches to another program and when a popup menu opens; none of those
    // is the user leaving the box.
    QPointer<TextBox> focusedBox_;
    MessageSink messageSink_;
    bool seen_ = false;
};

} // namespace runtime
