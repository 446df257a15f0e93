// What the program entry needs of the main window. It is declared here and
// defined beside the main window, so that app/ (whose map windows and about
// box the main window opens) never includes mainwindow/.
#pragma once

#include <QWidget>
#include <memory>

class QApplication;

// The main window, with its creation sequence run.
std::unique_ptr<QWidget> CreateMainWindow();

// The program once its single-instance guard is taken: the main window shown
// and the event loop, until the main window has closed; every other window
// goes with it, and the loop ends even if one of them would not close.
int RunMainWindow(QApplication &app);
