// A bare QMainWindow: shown, then the program ends as soon as the event loop
// is idle. The reference for the start-up cost of the real window. With the
// argument "text" it shows one label, which makes it load the system's fonts
// as every window with text must. With "menu" it shows the label and a menu
// bar with one menu: Qt's menu bar asks the style for its extension icon, and
// loading that icon loads every image-format plugin, which any window with a
// menu bar pays.
#include "common/Version.h"
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral(" Vantu " VANTU_VERSION));
    w.resize(531, 440);
    const QByteArray kind = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (kind == "text" || kind == "menu")
        w.setCentralWidget(new QLabel(QStringLiteral("Vantu"), &w));
    if (kind == "menu")
        w.menuBar()->addMenu(QStringLiteral("&File"));
    w.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
