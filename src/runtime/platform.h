#pragma once

// What differs between the desktops the program runs on, asked by several
// units.

namespace runtime {

// Whether the windows are on a Wayland compositor, which places and sizes
// them itself and gives the keyboard only to a window newly shown.
bool onWayland();

} // namespace runtime
