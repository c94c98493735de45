#pragma once

// What differs between the desktops the program runs on, asked in one place.

namespace runtime {

// Whether the windows are on a Wayland compositor, which places and sizes
// them itself and gives the keyboard only to a window newly shown.
bool onWayland();

// The faces the desktop draws the layout's fonts with, set as Qt's font
// substitutes, which the layout asks for before its own faces. Call once,
// after the QApplication exists.
void substituteFonts();

// The sound a desktop's own critical-error box plays as it opens: on Windows
// the Critical Stop of the user's sound scheme; elsewhere such boxes are
// silent, and so is this.
void soundCriticalStop();

} // namespace runtime
