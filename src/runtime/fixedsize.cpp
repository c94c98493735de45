#include "runtime/fixedsize.h"

#include "runtime/platform.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace runtime {

namespace {

// Qt before 6.8 reports a state the compositor starts itself (GNOME 43
// maximising, KWin 5.27 making it full screen) only after it has answered
// the compositor at the window's fixed size, and neither compositor
// configures it again: there the window follows such a state by hand. Qt 6.8
// and 6.11 take the size configured by themselves.
constexpr bool FollowStartedStatesByHand = QT_VERSION < QT_VERSION_CHECK(6, 8, 0);

class FixedSize : public QObject {
public:
    FixedSize(QWidget& window, QSize size)
        : QObject(&window)
        , window_(window)
        , size_(size)
    {
        connect(window.windowHandle(), &QWindow::windowStateChanged, this, &FixedSize::follow);
        window.installEventFilter(this);
        if constexpr (FollowStartedStatesByHand)
            window.windowHandle()->installEventFilter(this);
    }

protected:
    // The compositor's own answer comes as a resize: in the normal state the
    // window takes its size again, whatever size it was given back.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!event->spontaneous())
            return false;
        if (watched == &window_ && event->type() == QEvent::Resize && !held())
            window_.setFixedSize(size_);
        if (FollowStartedStatesByHand && watched == &handle() && event->type() == QEvent::WindowStateChange)
            followStartedState();
        return false;
    }

private:
    QWindow& handle() const { return *window_.windowHandle(); }
    bool held() const { return handle().windowStates() & (Qt::WindowMaximized | Qt::WindowFullScreen); }

    // The window is freed at once and takes the size of the state itself:
    // the screen's for full screen; to a new size of a maximised window GNOME
    // answers with its work area.
    void followStartedState()
    {
        follow();
        if (!held() || !onWayland() || handle().geometry().size() != size_)
            return;
        const QScreen& screen = *window_.screen();
        const bool full = handle().windowStates() & Qt::WindowFullScreen;
        handle().resize(full ? screen.geometry().size() : screen.availableGeometry().size());
    }

    // A state asked for is reported at once; in the normal state the window
    // is fixed again only when that asks no new size of it, since the
    // compositor may still hold it.
    void follow()
    {
        if (held() && onWayland()) {
            window_.setMinimumSize(size_);
            window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else if (!held() && window_.size() == size_) {
            window_.setFixedSize(size_);
        }
    }

    QWidget& window_;
    QSize size_;
};

} // namespace

void keepFixedSize(QWidget& window, QSize size)
{
    window.setFixedSize(size);
    new FixedSize(window, size);
}

} // namespace runtime
