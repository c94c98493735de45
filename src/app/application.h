#pragma once

// The application's name, version, icon and font substitutes; called once,
// right after the QApplication is created.
void setupApplication();
