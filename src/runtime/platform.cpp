#include "runtime/platform.h"

#include <QGuiApplication>

namespace runtime {

bool onWayland()
{
    return QGuiApplication::platformName().startsWith("wayland");
}

} // namespace runtime
