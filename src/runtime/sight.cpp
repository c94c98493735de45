#include "runtime/sight.h"

#include <QAbstractNativeEventFilter>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace runtime {

namespace {

class Sight : public QObject, public QAbstractNativeEventFilter {
public:
    Sight(QWidget& window, std::function<void(bool)> changed)
        : QObject(&window)
        , window_(*window.windowHandle())
        , changed_(std::move(changed))
    {
        window_.installEventFilter(this);
        watchCovering();
    }

protected:
    // Qt has taken the new exposure when its event arrives.
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Expose)
            follow();
        return false;
    }

    bool nativeEventFilter([[maybe_unused]] const QByteArray& eventType, [[maybe_unused]] void* message,
                           qintptr*) override
    {
#if QT_CONFIG(xcb)
        constexpr std::uint8_t SentByClient = 0x80;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if (eventType != "xcb_generic_event_t" || (event->response_type & ~SentByClient) != XCB_VISIBILITY_NOTIFY)
            return false;
        const auto* visibility = static_cast<const xcb_visibility_notify_event_t*>(message);
        if (visibility->window == window_.winId()) {
            covered_ = visibility->state == XCB_VISIBILITY_FULLY_OBSCURED;
            follow();
        }
#endif
        return false;
    }

private:
    void follow()
    {
        const bool seen = window_.isExposed() && !covered_;
        changed_(seen);
    }

    // Qt does not ask the X server whether a window is covered; the window
    // asks as well, keeping every event Qt asked for.
    void watchCovering()
    {
#if QT_CONFIG(xcb)
        // The offscreen platform answers as an X11 one, with no connection.
        const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
        if (!connection)
            return;
        const auto window = static_cast<xcb_window_t>(window_.winId());
        xcb_get_window_attributes_reply_t* attributes
            = xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr);
        if (!attributes)
            return;
        const std::uint32_t events = attributes->your_event_mask | XCB_EVENT_MASK_VISIBILITY_CHANGE;
        std::free(attributes);
        xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &events);
        xcb_flush(connection);
        QCoreApplication::instance()->installNativeEventFilter(this);
#endif
    }

    QWindow& window_;
    std::function<void(bool)> changed_;
    bool covered_ = false;
};

} // namespace

void followSight(QWidget& window, std::function<void(bool seen)> changed)
{
    new Sight(window, std::move(changed));
}

} // namespace runtime
