#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Vantu 4.1"));
    QMainWindow w;
    w.setWindowTitle(QStringLiteral(" Vantu 4.1"));
    w.show();
    return app.exec();
}
