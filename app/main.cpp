// Program entry: one copy per user, the main window, the event loop.
#include "app/InstanceGuard.h"
#include "mainwindow/Vantu.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Taken before anything else; a second copy ends at once, silently.
    TInstanceGuard guard(QStringLiteral("JednoVantu40"));
    if (!guard.TryAcquire())
        return 0;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantu 4.1"));

    TfrmVantu frmVantu;
    frmVantu.show();
    app.exec();
    return 0;
}
