#pragma once

// The application's name, version, icon (once a window is painted), font
// substitutes and accessibility; called once, right after the QApplication is
// created.
void setupApplication();
