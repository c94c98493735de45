#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>

namespace runtime {

constexpr int TwipsPerPixel = 15;

// A single-line edit box. Assigning its text (QLineEdit::setText) runs the
// Change handler before the assignment returns; KeyPress sees each typed
// character first and discards it by setting KeyAscii to 0.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent);

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
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void gainFocus(Qt::FocusReason reason);
    void loseFocus();

    // The selection GotFocus left, kept while the mouse press that gave the
    // focus is under way: QLineEdit places the caret on that press.
    bool clickGaveFocus_ = false;
    int gotFocusSelStart_ = 0;
    int gotFocusSelLength_ = 0;
};

// The character code a key types, or -1 for a key that types none (arrows,
// Delete, function keys...) and for the keys the window keeps to itself
// (Tab, Backtab, Return, Enter).
int keyAscii(const QKeyEvent& event);

// Static text. Left is kept in twips exactly as written, the widget sits at
// the nearest pixel. A label sized to its text takes the width of its caption,
// keeping its left edge, or its centre when centred; its font must not kern.
class Label : public QLabel {
    Q_OBJECT
public:
    enum class Sizing { Fixed, ToText };

    Label(QWidget* parent, Sizing sizing, Qt::Alignment alignment);

    QString Caption() const { return text(); }
    void setCaption(const QString& caption);
    void setForeColor(std::uint32_t bgr);  // 0x00BBGGRR
    float Left() const { return left_; }
    void setLeft(float twips);
    // Twips; a label sized to its text takes its size from the next caption.
    void place(float left, float top, float width, float height);

private:
    int captionWidth();
    void fitToCaption();
    void moveToLeft();

    Sizing sizing_;
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    QFont asciiAdvancesFont_;
    std::array<qreal, 128> asciiAdvances_ = {};
};

class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(QWidget* parent);

    std::function<void()> onClick;
};

class Timer : public QTimer {
    Q_OBJECT
public:
    explicit Timer(QObject* parent);

    std::function<void()> onTimer;

    void setEnabled(bool enabled);
};

} // namespace runtime
