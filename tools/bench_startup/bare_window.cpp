// A bare QMainWindow: shown, then the program ends as soon as the event loop
// is idle. The reference for the start-up cost of the real window.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral(" Vantu 4.1"));
    w.resize(531, 440);
    w.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
