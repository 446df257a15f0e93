// What the program entry needs of the main window. It is declared here and
// defined beside the main window, so that app/ (whose map windows and about
// box the main window opens) never includes mainwindow/.
#pragma once

#include <QWidget>
#include <memory>

// The main window, with its creation sequence run.
std::unique_ptr<QWidget> CreateMainWindow();
