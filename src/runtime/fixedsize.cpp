#include "runtime/fixedsize.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace runtime {

namespace {

class FixedSize : public QObject {
public:
    FixedSize(QWidget& window, QSize size)
        : QObject(&window)
        , window_(window)
        , size_(size)
    {
        connect(window.windowHandle(), &QWindow::windowStateChanged, this, &FixedSize::follow);
        window.installEventFilter(this);
    }

protected:
    // The compositor's own answer comes as a resize: in the normal state the
    // window takes its size again, whatever size it was given back.
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize && event->spontaneous() && !held())
            window_.setFixedSize(size_);
        return false;
    }

private:
    bool held() const { return window_.windowHandle()->windowStates() & (Qt::WindowMaximized | Qt::WindowFullScreen); }

    // A state asked for is reported at once; in the normal state the window
    // is fixed again only when that asks no new size of it, since the
    // compositor may still hold it.
    void follow()
    {
        if (held() && QGuiApplication::platformName().startsWith("wayland")) {
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
