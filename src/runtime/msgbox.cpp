#include "runtime/msgbox.h"

#include "runtime/controls.h"
#include "runtime/fixedsize.h"
#include "runtime/platform.h"

#include <QAccessible>
#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace runtime {

namespace {

// A compositor that does not know the box is modal lets the box be
// minimised, or lets the window it blocks be activated over it: the window
// then looks alive but takes no input, and nothing on screen says why. Qt
// before 6.8 tells no Wayland compositor, and sway (1.7 to 1.12) does not
// heed what Qt 6.8 and 6.11 tell, so this is kept for every Qt. Whenever
// that window is activated, the box comes back over it with the keyboard on
// OK. On Wayland a program cannot take the keyboard for a window of its own
// (sway marks it urgent instead), but a compositor gives it to a window newly
// shown: there the box is shown afresh.
class KeepBoxInFront : public QObject {
public:
    KeepBoxInFront(QMessageBox& box, QWidget& blocked)
        : box_(box)
    {
        blocked.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // Once the activation has been handled.
        if (event->type() == QEvent::WindowActivate && box_.isVisible())
            QTimer::singleShot(0, &box_, [this] { bringBack(); });
        return false;
    }

private:
    void bringBack()
    {
        if (onWayland()) {
            box_.hide();
            box_.show();
        } else {
            box_.setWindowState(box_.windowState() & ~Qt::WindowMinimized);
            box_.raise();
            box_.activateWindow();
        }
        box_.button(QMessageBox::Ok)->setFocus();
    }

    QMessageBox& box_;
};

// The sound a desktop's own critical-error box plays as it opens, which
// QMessageBox does not: on Windows the Critical Stop of the user's sound
// scheme; elsewhere such boxes are silent. While a screen reader listens, Qt
// plays it for the box itself.
void soundCriticalStop()
{
#ifdef Q_OS_WIN
    if (!QAccessible::isActive())
        MessageBeep(MB_ICONHAND);
#endif
}

} // namespace

void MsgBox(Form& owner, const QString& prompt, const QString& title)
{
    if (owner.messageSink()) {
        owner.messageSink()(prompt, title);
        return;
    }
    // A child of the window, so that it is centred over it and, on Wayland,
    // transient for it, whichever window is active. Qt's line break is LF.
    // A title and a close button only: neither minimised nor maximised where
    // the platform honours the hints.
    QMessageBox box(QMessageBox::Critical, title, QString(prompt).replace("\r\n", "\n"), QMessageBox::Ok, &owner,
                    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // The window's own colours, light under a dark desktop as the window is.
    box.setPalette(owner.palette());
    // Where a compositor holds the box at a larger size anyway, its content
    // stays together at its own size, in the middle.
    box.layout()->setAlignment(Qt::AlignCenter);
    // The sentence can be selected with the mouse, so Qt reports it as a
    // focusable label, and screen readers from Orca 51 on do not read a
    // focusable label as the box's text. It keeps its selection and takes no
    // focus, which also leaves the keyboard on OK when it is clicked.
    for (auto* label : box.findChildren<QLabel*>()) {
        if (label->text() == box.text())
            label->setFocusPolicy(Qt::NoFocus);
    }
    // As exec() would, but hiding the box to show it afresh does not end it.
    KeepBoxInFront keeper(box, owner);
    box.setWindowModality(Qt::ApplicationModal);
    QEventLoop answered;
    QObject::connect(&box, &QDialog::finished, &answered, &QEventLoop::quit);
    box.show();
    soundCriticalStop();
    keepFixedSize(box, box.size());
    answered.exec(QEventLoop::DialogExec);
    // Not every platform hands the activation back when the box closes; the
    // focus a handler gives next arrives when the window is active again.
    owner.activateWindow();
}

} // namespace runtime
