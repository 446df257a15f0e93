// Pictures of every window, dialog, message box and menu of the program in
// each interface language, drawn off the screen, so that two builds can be
// compared pixel by pixel (tools/quality/compare_windows.sh).
//
//   window_grabs <program folder> <picture folder>
//
// The program folder is a scratch copy: its vantu.ini and lokality.xml are
// written over. Run it under faketime for a fixed day and on the offscreen
// platform, as the script does.
#include "app/MainWindow.h"
#include "common/FileLocations.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace
{

QString OutFolder;
QString Suffix; // sk, en, hu
int Written = 0;

void Save(QWidget *w, const QString &name)
{
    QTest::qWait(150);
    const QString path = OutFolder + QLatin1Char('/') + name + QLatin1Char('_') + Suffix + ".png";
    if (!w->grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        ++Written;
}

// What to do with the next modal window before it is closed.
std::function<void(QWidget *)> OnModal;
QString ModalName;

void WatchModals()
{
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [] {
        static bool busy = false;
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || busy || !modal->isVisible())
            return;
        busy = true;
        if (OnModal)
            OnModal(modal);
        Save(modal, ModalName.isEmpty() ? modal->objectName() : ModalName);
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            QAbstractButton *b = box->button(QMessageBox::No);
            if (!b)
                b = box->escapeButton() ? box->escapeButton() : box->buttons().value(0);
            b->click();
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
        OnModal = nullptr;
        ModalName.clear();
        busy = false;
    });
    timer->start(50);
}

QWidget *TopLevel(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible())
            return w;
    return nullptr;
}

void Trigger(QWidget *main, const char *item, const QString &modalName = QString())
{
    ModalName = modalName;
    QAction *a = main->findChild<QAction *>(QString::fromLatin1(item));
    if (!a) {
        std::fprintf(stderr, "no command %s\n", item);
        return;
    }
    a->trigger();
    QTest::qWait(100);
}

void GrabWindow(const char *name, const QString &picture, bool close = true)
{
    QWidget *w = TopLevel(name);
    if (!w) {
        std::fprintf(stderr, "no window %s\n", name);
        return;
    }
    Save(w, picture);
    if (close)
        w->close();
}

void GrabMenus(QWidget *window, const QStringList &menus)
{
    for (const QString &name : menus) {
        QMenu *menu = window->findChild<QMenu *>(name);
        if (!menu) {
            std::fprintf(stderr, "no menu %s\n", qPrintable(name));
            continue;
        }
        menu->adjustSize();
        Save(menu, window->objectName() + QLatin1Char('_') + name);
    }
}

void WriteText(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

void OneLanguage(const QString &folder, int language, const QString &city)
{
    WriteText(folder + "/vantu.ini",
              QByteArray("[Poloha]\r\nvlavo=40\r\nhore=30\r\n[Nastavenie]\r\njazyk=") +
                  QByteArray::number(language) + "\r\nformatcasu=1\r\n");
    QFile::remove(folder + "/lokality.xml");

    // The missing database is reported while the window is made.
    ModalName = QStringLiteral("start_box");
    const std::unique_ptr<QWidget> main = CreateMainWindow();
    main->show();
    QTest::qWait(300);
    Save(main.get(), QStringLiteral("main"));
    GrabMenus(main.get(), {"mnuSubor", "mnuJazyk", "mnuNastroje", "mnuNapoved"});

    Trigger(main.get(), "mnuVelkaNoc", QStringLiteral("easter_box"));
    Trigger(main.get(), "mnuFazaMesiaca", QStringLiteral("moon_phase"));
    Trigger(main.get(), "mnuOPrograme", QStringLiteral("about"));
    Trigger(main.get(), "mnuZmazat", QStringLiteral("delete_box"));
    Trigger(main.get(), "mnuHorizont", QStringLiteral("horizon"));
    Trigger(main.get(), "mnuSvet");
    GrabWindow("frmSvet", QStringLiteral("world_map"));
    Trigger(main.get(), "mnuSlovensko");
    GrabWindow("frmSlovakia", QStringLiteral("slovakia_map"));
    Trigger(main.get(), "mnuRokSlnka");
    if (QWidget *year = TopLevel("frmRokSlnka")) {
        year->resize(900, 620);
        Save(year, QStringLiteral("year"));
        // Again with the golden and blue hours.
        if (auto *light = year->findChild<QAbstractButton *>(QStringLiteral("chkZlataModra")))
            light->click();
        GrabWindow("frmRokSlnka", QStringLiteral("year_light"));
    }

    Trigger(main.get(), "mnuTabulkaMes");
    if (QWidget *table = TopLevel("frmTabulka")) {
        table->resize(630, 350);
        Save(table, QStringLiteral("table"));
        GrabMenus(table, {"mnuTabulka"});
        // Closing asks whether to save: No.
        ModalName = QStringLiteral("table_query");
        table->close();
        QTest::qWait(200);
    }

    // Find a place, with a city typed and its matches listed; the pick then
    // drives the Sun and Moon window.
    OnModal = [city](QWidget *dialog) {
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("edtHladat"));
        auto *list = dialog->findChild<QListWidget *>(QStringLiteral("lstMiesta"));
        QElapsedTimer t;
        t.start();
        if (edit)
            edit->setText(city);
        while (list && list->count() == 0 && t.elapsed() < 10000)
            QTest::qWait(50);
    };
    Trigger(main.get(), "mnuHladat", QStringLiteral("find"));
    Trigger(main.get(), "mnuSlnkoMesiac");
    if (QWidget *sky = TopLevel("frmSlnkoMesiac")) {
        sky->resize(900, 600);
        Save(sky, QStringLiteral("sky"));
        // A bearing, its passes and the dates of alignment with it.
        if (auto *bearing = sky->findChild<QDoubleSpinBox *>(QStringLiteral("seAzimut")))
            bearing->setValue(299.3);
        Save(sky, QStringLiteral("sky_bearing"));
        if (auto *dates = sky->findChild<QAbstractButton *>(QStringLiteral("btnZarovnanie"))) {
            dates->click();
            QTest::qWait(300);
            GrabWindow("frmZarovnanie", QStringLiteral("alignments"));
        }
        sky->close();
    }
    main->close();
    QTest::qWait(100);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_grabs <program folder> <picture folder>\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    OutFolder = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(OutFolder);
    QDir::setCurrent(folder);
    UseFileLocations(PortableLocations(folder));
    WatchModals();

    const char *const suffixes[] = {"sk", "en", "hu"};
    const char *const cities[] = {"Viede", "Vienna", "Bécs"};
    for (int language = 0; language < 3; ++language) {
        Suffix = QString::fromLatin1(suffixes[language]);
        OneLanguage(folder, language, QString::fromUtf8(cities[language]));
    }
    std::printf("%d pictures in %s\n", Written, qPrintable(OutFolder));
    return 0;
}
