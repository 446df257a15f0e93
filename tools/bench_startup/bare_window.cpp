// A bare QMainWindow: shown, then the program ends as soon as the event loop
// is idle. The reference for the start-up cost of the real window. With the
// argument "text" it shows one label, which makes it load the system's fonts
// as every window with text must.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral(" Vantu 4.1"));
    w.resize(531, 440);
    if (argc > 1 && QByteArray(argv[1]) == "text")
        w.setCentralWidget(new QLabel(QStringLiteral("Vantu"), &w));
    w.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
