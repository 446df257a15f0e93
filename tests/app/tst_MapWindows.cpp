// The world and Slovakia map windows: opening, the toolbar button and menu
// item while open and after closing, pictures that cannot be loaded, and the
// language switch that closes both.
#include "AuxTestSupport.h"
#include "app/MapaSK.h"
#include "app/MapaSveta.h"
#include "mainwindow/Vantu.h"

#include <QAction>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <memory>

using namespace AuxTest;

namespace
{

const char *const LanguageItems[3] = {"mnuSlovensky", "mnuAnglicky", "mnuMadarsky"};

struct TMapCase {
    const char *window;
    const char *file;
    const char *button;
    const char *menuItem;
    QSize area;
    const char *titles[3];
    const char *errorTexts[3];
};

const TMapCase WorldMap{"frmSvet",
                        "svet.gif",
                        "btnSvet",
                        "mnuSvet",
                        QSize(897, 467),
                        {" Mapa sveta", " Chart of the World", " A Föld térképe"},
                        {"Súbor »svet.gif« sa nenachádza v adresári",
                         "File »svet.gif« is not in the folder",
                         "A »svet.gif« fájl nem található"}};
const TMapCase SlovakiaMap{"frmSlovakia",
                           "slovensko.gif",
                           "btnSlovensko",
                           "mnuSlovensko",
                           QSize(670, 460),
                           {" Mapa Slovenska", " Chart of Slovakia", " Szlovákia térképe"},
                           {"Súbor »slovensko.gif« sa nenachádza v adresári",
                            "File »slovensko.gif« is not in the folder",
                            "A »slovensko.gif« fájl nem található"}};
const char *const ErrorCaptions[3] = {" Chyba súboru", " File error", " Fájlhiba"};

const TMapCase &Map(const QString &name)
{
    return name == QLatin1String("svet") ? WorldMap : SlovakiaMap;
}

QToolButton *Button(TfrmVantu &w, const TMapCase &m)
{
    return w.findChild<QToolButton *>(QString::fromLatin1(m.button));
}
QAction *MenuItem(TfrmVantu &w, const TMapCase &m)
{
    return w.findChild<QAction *>(QString::fromLatin1(m.menuItem));
}
QList<QWidget *> Windows(TfrmVantu &w, const TMapCase &m)
{
    return w.findChildren<QWidget *>(QString::fromLatin1(m.window), Qt::FindDirectChildrenOnly);
}
void SwitchTo(TfrmVantu &w, int language)
{
    w.findChild<QAction *>(QString::fromLatin1(LanguageItems[language]))->trigger();
}
// Windows closed with WA_DeleteOnClose go at the next turn of the event loop.
void Settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Button up and enabled, menu item enabled: the map can be opened.
bool Available(TfrmVantu &w, const TMapCase &m)
{
    return !Button(w, m)->isChecked() && Button(w, m)->isEnabled() && MenuItem(w, m)->isEnabled();
}

} // namespace

class TestMapWindows : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        FFixture = std::make_unique<TVantuFixture>();
        QVERIFY(PrepareFolder(*FFixture,
                              {QStringLiteral("svet.gif"), QStringLiteral("slovensko.gif")}));
    }
    void cleanup() { FFixture.reset(); }

    void openShowsMap_data()
    {
        QTest::addColumn<QString>("map");
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("byButton");
        for (const char *map : {"svet", "slovensko"}) {
            for (int language = 0; language < 3; ++language) {
                QTest::addRow("%s language %d button", map, language) << map << language << true;
                QTest::addRow("%s language %d menu", map, language) << map << language << false;
            }
        }
    }
    void openShowsMap()
    {
        QFETCH(QString, map);
        QFETCH(int, language);
        QFETCH(bool, byButton);
        const TMapCase &m = Map(map);
        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        SwitchTo(w, language);
        QVERIFY(Available(w, m));
        QVERIFY(Windows(w, m).isEmpty());

        if (byButton)
            QTest::mouseClick(Button(w, m), Qt::LeftButton);
        else
            MenuItem(w, m)->trigger();

        const QList<QWidget *> windows = Windows(w, m);
        QCOMPARE(windows.size(), 1);
        QWidget *frm = windows.first();
        QVERIFY(map == QLatin1String("svet") ? bool(qobject_cast<TfrmSvet *>(frm))
                                             : bool(qobject_cast<TfrmSlovakia *>(frm)));
        QVERIFY(frm->isVisible());
        QVERIFY(frm->isWindow());
        QVERIFY(!frm->isModal());
        QCOMPARE(frm->windowTitle(), U(m.titles[language]));
        QCOMPARE(frm->size(), m.area);
        QCOMPARE(frm->minimumSize(), m.area);
        QCOMPARE(frm->maximumSize(), m.area);
        QVERIFY(frm->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(frm->windowFlags() & Qt::WindowMaximizeButtonHint));
        // Centred, give or take the rounding of an odd width.
        const QPoint offCentre = frm->geometry().center() - frm->screen()->geometry().center();
        QVERIFY2(qAbs(offCentre.x()) <= 1 && qAbs(offCentre.y()) <= 1,
                 qPrintable(QStringLiteral("%1, %2").arg(offCentre.x()).arg(offCentre.y())));
        auto *image1 = frm->findChild<QLabel *>(QStringLiteral("Image1"));
        QVERIFY(image1);
        QCOMPARE(image1->geometry(), QRect(QPoint(0, 0), m.area));
        QImage expected;
        QVERIFY(expected.load(SourcePicture(QString::fromLatin1(m.file))));
        QCOMPARE(image1->pixmap().size(), expected.size());
        QCOMPARE(Pixels(image1->pixmap().toImage()), Pixels(expected));

        // Down and disabled while shown; the main window stays usable.
        QVERIFY(Button(w, m)->isChecked());
        QVERIFY(!Button(w, m)->isEnabled());
        QVERIFY(!MenuItem(w, m)->isEnabled());
        QVERIFY(w.isEnabled());
        // The other map is not touched.
        const TMapCase &other = &m == &WorldMap ? SlovakiaMap : WorldMap;
        QVERIFY(Available(w, other));
    }

    void secondOpenIsImpossible()
    {
        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(Button(w, WorldMap), Qt::LeftButton);
        QCOMPARE(Windows(w, WorldMap).size(), 1);
        QPointer<QWidget> first = Windows(w, WorldMap).first();

        QTest::mouseClick(Button(w, WorldMap), Qt::LeftButton);
        MenuItem(w, WorldMap)->trigger();
        w.mnuSvetClick();
        Settle();
        QCOMPARE(Windows(w, WorldMap).size(), 1);
        QCOMPARE(Windows(w, WorldMap).first(), first.data());
        QVERIFY(first->isVisible());
    }

    void closeAndReopen_data()
    {
        QTest::addColumn<QString>("map");
        QTest::addColumn<bool>("settle");
        QTest::newRow("svet") << "svet" << true;
        QTest::newRow("slovensko") << "slovensko" << true;
        // Reopened before the closed window has gone: a new one is made.
        QTest::newRow("svet at once") << "svet" << false;
        QTest::newRow("slovensko at once") << "slovensko" << false;
    }
    void closeAndReopen()
    {
        QFETCH(QString, map);
        QFETCH(bool, settle);
        const TMapCase &m = Map(map);
        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        MenuItem(w, m)->trigger();
        QPointer<QWidget> first = Windows(w, m).value(0);
        QVERIFY(first);
        QCOMPARE(first->windowTitle(), U(m.titles[0]));

        // Closed by the user: destroyed, button and item given back.
        QVERIFY(first->close());
        QVERIFY(Available(w, m));
        if (settle) {
            Settle();
            QVERIFY(first.isNull());
        }

        SwitchTo(w, 2);
        MenuItem(w, m)->trigger();
        Settle();
        QVERIFY(first.isNull());
        QCOMPARE(Windows(w, m).size(), 1);
        QPointer<QWidget> second = Windows(w, m).value(0);
        QVERIFY(second);
        QVERIFY(second->isVisible());
        QCOMPARE(second->windowTitle(), U(m.titles[2]));
        QVERIFY(Button(w, m)->isChecked());
        QVERIFY(!Button(w, m)->isEnabled());
        QVERIFY(!MenuItem(w, m)->isEnabled());
    }

    void languageSwitchClosesBoth_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        for (int from = 0; from < 3; ++from) {
            for (int to = 0; to < 3; ++to)
                QTest::addRow("%d to %d", from, to) << from << to;
        }
    }
    void languageSwitchClosesBoth()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        SwitchTo(w, from);
        MenuItem(w, WorldMap)->trigger();
        MenuItem(w, SlovakiaMap)->trigger();
        QPointer<QWidget> world = Windows(w, WorldMap).value(0);
        QPointer<QWidget> slovakia = Windows(w, SlovakiaMap).value(0);
        QVERIFY(world && world->isVisible());
        QVERIFY(slovakia && slovakia->isVisible());

        SwitchTo(w, to);
        QVERIFY(!world || !world->isVisible());
        QVERIFY(!slovakia || !slovakia->isVisible());
        QVERIFY(Available(w, WorldMap));
        QVERIFY(Available(w, SlovakiaMap));
        Settle();
        QVERIFY(world.isNull());
        QVERIFY(slovakia.isNull());

        // Opened anew, in the new language.
        MenuItem(w, SlovakiaMap)->trigger();
        QCOMPARE(Windows(w, SlovakiaMap).value(0)->windowTitle(), U(SlovakiaMap.titles[to]));
    }

    // Any picture that cannot be loaded is reported as missing, in the
    // language in force; no window is shown and the map stays unavailable
    // until a language switch.
    void badPicture_data()
    {
        QTest::addColumn<QString>("map");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("language");
        for (int language = 0; language < 3; ++language) {
            QTest::addRow("slovensko missing, language %d", language) << "slovensko"
                                                                      << "missing" << language;
            QTest::addRow("svet missing, language %d", language) << "svet"
                                                                 << "missing" << language;
        }
        for (const char *damage : {"zero", "truncated", "png"}) {
            QTest::addRow("slovensko %s", damage) << "slovensko" << damage << 1;
            QTest::addRow("svet %s", damage) << "svet" << damage << 0;
        }
    }
    void badPicture()
    {
        QFETCH(QString, map);
        QFETCH(QString, damage);
        QFETCH(int, language);
        const TMapCase &m = Map(map);
        const TMapCase &other = &m == &WorldMap ? SlovakiaMap : WorldMap;
        const QString path =
            FFixture->File(QStringLiteral("grafika/") + QString::fromLatin1(m.file));
        const QByteArray good = ReadFile(path);
        if (damage == QLatin1String("missing")) {
            QVERIFY(QFile::remove(path));
        } else if (damage == QLatin1String("zero")) {
            QVERIFY(WriteFile(path, QByteArray()));
        } else if (damage == QLatin1String("truncated")) {
            QVERIFY(WriteFile(path, good.left(good.size() * 2 / 3)));
        } else {
            QImage png(m.area, QImage::Format_RGB32);
            png.fill(Qt::green);
            QVERIFY(png.save(path, "PNG"));
        }

        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        SwitchTo(w, language);
        auto expectBox = [&](const TShownMessage &box, int lang) {
            QCOMPARE(box.Caption, U(ErrorCaptions[lang]));
            QCOMPARE(box.Text, U(m.errorTexts[lang]));
            QCOMPARE(box.Icon, QMessageBox::Critical);
            QCOMPARE(box.Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        };
        auto expectFailedState = [&] {
            QVERIFY(!Button(w, m)->isChecked());
            QVERIFY(!Button(w, m)->isEnabled());
            QVERIFY(!MenuItem(w, m)->isEnabled());
            for (QWidget *frm : Windows(w, m))
                QVERIFY(!frm->isVisible());
            QVERIFY(Available(w, other));
        };

        TBoxAnswerer boxes({QMessageBox::Ok, QMessageBox::Ok});
        QTest::mouseClick(Button(w, m), Qt::LeftButton);
        QCOMPARE(boxes.Seen().size(), 1);
        expectBox(boxes.Seen()[0], language);
        expectFailedState();
        // The window exists, created but hidden.
        QCOMPARE(Windows(w, m).size(), 1);
        QPointer<QWidget> hidden = Windows(w, m).first();

        // Neither the button nor the item can open it now.
        QTest::mouseClick(Button(w, m), Qt::LeftButton);
        MenuItem(w, m)->trigger();
        QCOMPARE(boxes.Seen().size(), 1);

        // A language switch closes the hidden window and gives the map back.
        const int next = (language + 1) % 3;
        SwitchTo(w, next);
        QVERIFY(Available(w, m));
        Settle();
        QVERIFY(hidden.isNull());

        // And the command fails the same way, now in the new language.
        MenuItem(w, m)->trigger();
        QCOMPARE(boxes.Seen().size(), 2);
        expectBox(boxes.Seen()[1], next);
        expectFailedState();

        // With the picture back, the next switch lets the map open.
        QVERIFY(WriteFile(path, good));
        SwitchTo(w, language);
        QVERIFY(Available(w, m));
        QTest::mouseClick(Button(w, m), Qt::LeftButton);
        Settle();
        QCOMPARE(Windows(w, m).size(), 1);
        QVERIFY(Windows(w, m).first()->isVisible());
        QCOMPARE(Windows(w, m).first()->windowTitle(), U(m.titles[language]));
    }

private:
    std::unique_ptr<TVantuFixture> FFixture;
};

QTEST_MAIN(TestMapWindows)
#include "tst_MapWindows.moc"
