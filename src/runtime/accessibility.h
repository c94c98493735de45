#pragma once

class QLabel;
class QLineEdit;

namespace runtime {

// What screen readers are told of the window beyond Qt's defaults, in Qt's
// own terms: a plain top-level window is a frame, named by its title; a line
// edit's text reads whole, and a screen reader's edits of it go through its
// validator as typing does; and each new caption of a label marked as
// announced is announced. Call once, after the QApplication exists.
void installAccessibility();

// Marks a label as announced: screen readers speak each new caption that
// tellCaptionShown reports, wherever the focus is (screen readers speak a
// label's new text by itself only when it has the focus).
void setAnnounced(QLabel* label, bool announced);
void tellCaptionShown(QLabel* label);

// A box being entered moves its caret and selection before Qt tells screen
// readers of the focus, and a screen reader then takes the caret move for the
// focus change and speaks neither the box's name nor its value. Its caret and
// selection are told once the focus is: at the next turn of the event loop.
void tellFocusBeforeSelection(QLineEdit* box);

} // namespace runtime
