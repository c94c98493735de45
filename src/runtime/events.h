#pragma once

#include <functional>

namespace runtime {

// The event boundary. Every handler runs through runEvent(): a runtime error
// ends that handler alone (the Form state stays as far as it was written),
// and once the program has ended no handler runs at all.
void runEvent(const std::function<void()>& handler);

// How many handlers a runtime error has ended so far; input is guarded well
// enough that the program should never see one.
int runtimeErrorsCaught();

// Ends the program at once: no handler runs after it, the windows close and
// the event loop returns 0.
void End();
bool hasEnded();

} // namespace runtime
