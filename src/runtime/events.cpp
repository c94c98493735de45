#include "runtime/events.h"

#include "runtime/errors.h"

#include <QApplication>

namespace runtime {

namespace {
bool ended = false;
}

void runEvent(const std::function<void()>& handler)
{
    if (ended || !handler)
        return;
    try {
        handler();
    } catch (const RuntimeError&) {
        // Nothing is shown: the handler simply stops where the error arose.
    }
}

void End()
{
    ended = true;
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

bool hasEnded()
{
    return ended;
}

} // namespace runtime
