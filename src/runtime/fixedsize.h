#pragma once

#include <QSize>

class QWidget;

namespace runtime {

// Keeps a shown window of fixed size at that size, and whole, whatever state
// it is put in. A Wayland compositor that maximises a window, or makes it
// full screen, holds it at a size of its own, which the window must take: a
// maximised window of any other size ends the connection with a protocol
// error. Qt reports a state asked for by the program (or by the title bar Qt
// draws) before the compositor answers, so the window is freed of its fixed
// size in time; its content is to stay together at its own size, centred.
// Back in the normal state, the size is fixed again once the compositor has
// answered, whatever size it gave back (Qt 6.11 gives back one less the
// frame it draws). X11 window managers refuse such a request
// for a window of fixed size, and there the size stays fixed.
void keepFixedSize(QWidget& window, QSize size);

} // namespace runtime
