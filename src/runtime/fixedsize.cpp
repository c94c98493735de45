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
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize && window_.minimumSize() != window_.maximumSize())
            follow();
        return false;
    }

private:
    void follow()
    {
        const bool held = window_.windowHandle()->windowStates() & (Qt::WindowMaximized | Qt::WindowFullScreen);
        if (held && QGuiApplication::platformName().startsWith("wayland")) {
            window_.setMinimumSize(size_);
            window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else if (!held && window_.size() == size_) {
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
