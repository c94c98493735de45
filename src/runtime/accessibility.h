#pragma once

class QLabel;
class QLineEdit;

namespace runtime {

// What screen readers are told of the window beyond Qt's defaults, in Qt's
// own terms: a plain top-level window is a frame, named by its title; a line
// edit's text reads whole; and a label marked as announced is a
// notification, named by its caption, that is shown afresh with each new
// caption (Qt 6.4 has no announcement event, and screen readers speak a
// label's new text only when it has the focus). Call once, after the
// QApplication exists.
void installAccessibility();

// Marks a label as announced: screen readers speak each new caption that
// tellCaptionShown reports, wherever the focus is.
void setAnnounced(QLabel* label, bool announced);
void tellCaptionShown(QLabel* label);

// A box being entered moves its caret and selection before Qt tells screen
// readers of the focus, and a screen reader then takes the caret move for the
// focus change and speaks neither the box's name nor its value. Its caret and
// selection are told once the focus is: at the next turn of the event loop.
void tellFocusBeforeSelection(QLineEdit* box);

} // namespace runtime
