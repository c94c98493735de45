#pragma once

#include <functional>

namespace runtime {

// The event boundary of one window. Every handler runs through run(): a
// runtime error ends that handler alone (the Form state stays as far as it
// was written), and once the program has ended no handler runs at all.
class EventBoundary {
public:
    void run(const std::function<void()>& handler);
    void end() { ended_ = true; }

    // How many handlers a runtime error has ended so far; input is guarded
    // well enough that the program should never see one.
    int runtimeErrorsCaught() const { return errorsCaught_; }

private:
    bool ended_ = false;
    int errorsCaught_ = 0;
};

} // namespace runtime
