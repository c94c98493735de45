#pragma once

#include <functional>

class QWidget;

namespace runtime {

// Tells whether a created window can be seen, each time that may have
// changed: at every exposure, which may change nothing. It is out of sight
// while it is not exposed: minimised, on a workspace not shown, or on
// Wayland no longer given frames by the compositor. On an X11 server that
// draws windows straight to the screen it is also out of sight while other
// windows cover it wholly; under a compositor every window is drawn, covered
// or not, and counts as seen while it is exposed.
void followSight(QWidget& window, std::function<void(bool seen)> changed);

} // namespace runtime
