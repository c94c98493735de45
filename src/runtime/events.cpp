#include "runtime/events.h"

#include "runtime/errors.h"

#include <QApplication>

namespace runtime {

namespace {
bool ended = false;
int errorsCaught = 0;
} // namespace

void runEvent(const std::function<void()>& handler)
{
    if (ended || !handler)
        return;
    try {
        handler();
    } catch (const RuntimeError&) {
        // Nothing is shown: the handler simply stops where the error arose.
        ++errorsCaught;
    }
}

void End()
{
    ended = true;
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

int runtimeErrorsCaught()
{
    return errorsCaught;
}

bool hasEnded()
{
    return ended;
}

} // namespace runtime
