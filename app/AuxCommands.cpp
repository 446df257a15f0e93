// The main window's commands that open the auxiliary windows and pages.
#include "mainwindow/Vantu.h"

void TfrmVantu::mnuSvetClick() {}
void TfrmVantu::mnuSlovenskoClick() {}
void TfrmVantu::mnuFazaMesiacaClick() {}
void TfrmVantu::mnuPomocClick() {}
void TfrmVantu::mnuOnLineClick() {}
void TfrmVantu::mnuOProgrameClick() {}
void TfrmVantu::CloseMapWindows() {}
