// Program entry: one copy per user, the main window, the event loop.
#include "app/InstanceGuard.h"
#include "app/MainWindow.h"
#include "app/ProductInfo.h"
#include "common/FileLocations.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Taken before anything else; a second copy ends at once, silently.
    TInstanceGuard guard(QStringLiteral("JednoVantu40"));
    if (!guard.TryAcquire())
        return 0;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(ProductInfo::ApplicationTitle));
    // Portable or installed: decided once, before anything is read.
    UseFileLocations(DecideFileLocations(QCoreApplication::applicationDirPath()));

    return RunMainWindow(app);
}
