// Where the program's small windows stand when they open.
#pragma once

class QWidget;

// Puts a top-level window's client area in the middle of its screen.
void CenterOnScreen(QWidget *window);
