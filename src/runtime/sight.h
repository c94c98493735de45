#pragma once

#include <functional>

class QWidget;

namespace runtime {

// Calls back each time a created window comes into sight or goes out of it.
// It is out of sight while it is not exposed: minimised, on a workspace not
// shown, or on Wayland no longer given frames by the compositor. On an X11
// server that draws windows straight to the screen it is also out of sight
// while other windows cover it wholly; under a compositor every window is
// drawn, covered or not, and counts as seen while it is exposed.
void followSight(QWidget& window, std::function<void(bool seen)> changed);

} // namespace runtime
