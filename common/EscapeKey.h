// Esc in the program's small windows.
#pragma once

class QAbstractButton;
class QKeyEvent;

// Esc presses the button (a dialog's OK or close button). Taken from the
// key event itself rather than by a window shortcut, so that a key that
// reaches the dialog before the window manager activates it still counts.
// True when the key was Esc.
bool PressOnEscape(QKeyEvent *event, QAbstractButton *button);
