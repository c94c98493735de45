#include "runtime/events.h"

#include "runtime/errors.h"

namespace runtime {

void EventBoundary::run(const std::function<void()>& handler)
{
    if (ended_ || !handler)
        return;
    try {
        handler();
    } catch (const RuntimeError&) {
        // Nothing is shown: the handler simply stops where the error arose.
        ++errorsCaught_;
    }
}

} // namespace runtime
