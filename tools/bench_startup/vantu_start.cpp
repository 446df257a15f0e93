// The program's start as main() does it (main window created, shown), ending
// as soon as the event loop is idle. Run it in a folder that holds
// lokality.xml, so that no message box waits for an answer; vantu.ini is
// kept in that folder too.
#include "common/FileLocations.h"
#include "mainwindow/Vantu.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    UseFileLocations(PortableLocations(QDir::currentPath()));
    TfrmVantu frmVantu;
    frmVantu.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
