// The command table as the window builds it: toolbar order and groups, one
// state for item and button, and the hints the buttons copy.
#include "TestSupport.h"
#include "app/RokSlnka.h"
#include "app/SlnkoMesiac.h"
#include "app/Zarovnanie.h"
#include "cli/CliOptions.h"
#include "localities/Hladat.h"
#include "mainwindow/SpinEdit.h"
#include "mainwindow/Vantu.h"

#include <QAction>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>

class TestCommands : public QObject
{
    Q_OBJECT

private slots:
    void init() { FFixture = std::make_unique<TVantuFixture>(); }
    void cleanup() { FFixture.reset(); }

    void toolbarOrderAndGroups()
    {
        TfrmVantu w;
        QStringList seen;
        for (QAction *a : Find<QToolBar>(&w, "ToolBar1")->actions()) {
            if (a->isSeparator())
                seen << QStringLiteral("|");
            else if (auto *b = qobject_cast<QToolButton *>(
                         Find<QToolBar>(&w, "ToolBar1")->widgetForAction(a)))
                seen << b->objectName();
        }
        QCOMPARE(seen.join(u' '),
                 QStringLiteral("| btnVlastne btnDatabaza | btnPridat btnZmazat | btnSvet "
                                "btnSlovensko | btnVelkaNoc btnFazeMesiaca | btnTabulka "
                                "btnTabulkaMes"));
    }

    void stateSetsItemAndButton_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("down");
        QTest::newRow("available") << int(TCommandState::Available) << true << false;
        QTest::newRow("unavailable") << int(TCommandState::Unavailable) << false << true;
        QTest::newRow("failed") << int(TCommandState::Failed) << false << false;
    }
    void stateSetsItemAndButton()
    {
        QFETCH(int, state);
        QFETCH(bool, enabled);
        QFETCH(bool, down);
        TfrmVantu w;
        auto *item = w.findChild<QAction *>(QStringLiteral("mnuSvet"));
        auto *button = Find<QToolButton>(&w, "btnSvet");
        w.SetCommandState(item, TCommandState(state));
        QCOMPARE(item->isEnabled(), enabled);
        QCOMPARE(button->isEnabled(), enabled);
        QCOMPARE(button->isChecked(), down);
    }

    void buttonsCopyTheirItemsHint_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("sk") << 0;
        QTest::newRow("en") << 1;
        QTest::newRow("hu") << 2;
    }
    void buttonsCopyTheirItemsHint()
    {
        QFETCH(int, language);
        TfrmVantu w;
        w.ApplyLanguage(TLanguage(language));
        const std::pair<const char *, const char *> pairs[] = {
            {"mnuVlastne", "btnVlastne"},   {"mnuDatabaza", "btnDatabaza"},
            {"mnuPridat", "btnPridat"},     {"mnuZmazat", "btnZmazat"},
            {"mnuSvet", "btnSvet"},         {"mnuSlovensko", "btnSlovensko"},
            {"mnuVelkaNoc", "btnVelkaNoc"}, {"mnuFazaMesiaca", "btnFazeMesiaca"},
            {"mnuTabulka", "btnTabulka"},   {"mnuTabulkaMes", "btnTabulkaMes"}};
        for (const auto &[item, button] : pairs) {
            const QString hint = w.findChild<QAction *>(QString::fromLatin1(item))->statusTip();
            QVERIFY(!hint.isEmpty());
            QCOMPARE(Find<QToolButton>(&w, button)->statusTip(), hint);
        }
    }

    // The Year of the Sun: in Tools behind a separator, Ctrl+Y, an access key
    // of its own in every language, no toolbar button; one window that
    // follows the calendar, writes what vantu-cli writes and closes on a switch.
    void yearOfTheSunCommand()
    {
        TfrmVantu w;
        auto *item = w.findChild<QAction *>(QStringLiteral("mnuRokSlnka"));
        QVERIFY(item);
        const QList<QAction *> tools =
            w.findChild<QMenu *>(QStringLiteral("mnuNastroje"))->actions();
        const qsizetype at = tools.indexOf(item);
        QVERIFY(at > 0 && tools[at - 1]->isSeparator());
        QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
        QVERIFY(!Find<QToolButton>(&w, "btnRokSlnka"));
        for (const char *language : {"mnuSlovensky", "mnuAnglicky", "mnuMadarsky"}) {
            w.findChild<QAction *>(QString::fromLatin1(language))->trigger();
            QSet<QChar> keys;
            int items = 0;
            for (QAction *a : tools) {
                if (a->isSeparator())
                    continue;
                ++items;
                const int amp = a->text().indexOf(u'&');
                QVERIFY2(amp >= 0, qPrintable(a->text()));
                keys.insert(a->text().at(amp + 1).toLower());
            }
            QCOMPARE(keys.size(), items);
        }

        item->trigger();
        item->trigger();
        QCOMPARE(w.findChildren<TfrmRokSlnka *>().size(), 1);
        TfrmRokSlnka *year = w.findChild<TfrmRokSlnka *>();
        QVERIFY(year->isVisible());
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2027, 3, 1));
        QCOMPARE(year->Request().Day.year(), 2027);

        const QString csv = FFixture->File(QStringLiteral("year.csv"));
        {
            TSaveDialogAnswer answer(csv);
            QVERIFY(year->ExportCsv());
        }
        const TCliResult cli =
            CliMain({"vantu-cli", "--place", "SK - Bratislava", "--db",
                     FFixture->File(QStringLiteral("lokality.xml")), "--year", "2027", "--twilight",
                     "--cet", "--format", "csv", "--lang", "hu"},
                    QStringLiteral("hu"), QDate(2026, 12, 7), QLocale::system());
        QCOMPARE(cli.ExitCode, 0);
        QCOMPARE(ReadFile(csv), cli.Out);

        QPointer<TfrmRokSlnka> open = year;
        w.findChild<QAction *>(QStringLiteral("mnuSlovensky"))->trigger();
        QVERIFY(!open || !open->isVisible());
    }

    // Ctrl+M: the Sun and Moon over the inputs' place on the calendar's day,
    // at noon; the chart's keys move the time and tell a screen reader; the
    // chart exports as a picture; a language switch closes the window.
    void sunAndMoonCommand()
    {
        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2026, 6, 21));
        SwitchLanguage(&w, 1);
        QTest::keyClick(&w, Qt::Key_M, Qt::ControlModifier);
        QTest::keyClick(&w, Qt::Key_M, Qt::ControlModifier);
        QCOMPARE(w.findChildren<TfrmSlnkoMesiac *>().size(), 1);
        TfrmSlnkoMesiac *sky = w.findChild<TfrmSlnkoMesiac *>();
        QCOMPARE(sky->windowTitle(), QStringLiteral(" Sun and Moon – SK - Bratislava"));
        QCOMPARE(sky->Request().MainClock, TClock::Cet());
        // Solar noon 11:53 CET; the Sun high in the south, the Moon in the east.
        const QString panel = sky->findChild<QLabel *>(QStringLiteral("lblObloha"))->text();
        QVERIFY2(panel.contains(QStringLiteral("Sunrise 03:51, azimuth 52.")) &&
                     panel.contains(QStringLiteral("Sun at 11:53: altitude 65.")) &&
                     panel.contains(QStringLiteral("Moonrise 11:28")),
                 qPrintable(panel));
        auto *chart = sky->findChild<QWidget *>(QStringLiteral("SkyChart"));
        QTest::keyClick(chart, Qt::Key_PageDown);
        QTest::keyClick(chart, Qt::Key_Right);
        QVERIFY2(chart->accessibleDescription().startsWith(QStringLiteral("Sun at 13:03")),
                 qPrintable(chart->accessibleDescription()));

        const QString png = FFixture->File(QStringLiteral("sky.png"));
        MessageTestHook::SetModalHandler([&png](QDialog &dialog) {
            static_cast<QFileDialog &>(dialog).selectFile(png);
            return int(QDialog::Accepted);
        });
        QVERIFY(sky->ExportPng());
        QCOMPARE(QImage(png).size(), TfrmSlnkoMesiac::ExportSize());

        QPointer<TfrmSlnkoMesiac> open = sky;
        SwitchLanguage(&w, 0);
        QVERIFY(!open || !open->isVisible());
    }

    // Tools, Dates of alignment: the Sun and Moon window opens with the
    // dialog, on the day's sunset bearing (Bratislava, 21 June: 307.8°).
    void alignmentCommand()
    {
        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2026, 6, 21));
        w.findChild<QAction *>(QStringLiteral("mnuZarovnanie"))->trigger();
        auto *sky = w.findChild<TfrmSlnkoMesiac *>();
        QVERIFY(sky && sky->isVisible());
        auto *dialog = sky->findChild<TfrmZarovnanie *>();
        QVERIFY(dialog && dialog->isVisible());
        const double bearing =
            dialog->findChild<QDoubleSpinBox *>(QStringLiteral("seAzimut"))->value();
        QVERIFY2(std::abs(bearing - 307.8) < 0.11, qPrintable(QString::number(bearing)));
        QVERIFY(!dialog->List().isEmpty());
    }

    // Ctrl+F, a city's Hungarian name, Enter: own data filled in, Vienna's
    // sunrise, and the Year of the Sun in the city's zone; without the
    // cities' data, a box says so.
    void findAPlaceCommand()
    {
        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2026, 7, 1));
        SwitchLanguage(&w, 2);
        TGazetteer cities({QStringLiteral(VANTU_BIN_DIR)}, QStringLiteral("/usr/share/locale"));
        UseCities(&cities);
        QString name = QStringLiteral("Bécs");
        MessageTestHook::SetModalHandler([&name](QDialog &dialog) {
            dialog.show();
            auto *field = dialog.findChild<QLineEdit *>(QStringLiteral("edtHladat"));
            if (!static_cast<TfrmHladat &>(dialog).WaitLoaded() || !field)
                return int(QDialog::Rejected);
            QTest::keyClicks(field, name.left(1));
            field->insert(name.mid(1)); // Qt Test types ASCII only
            QTest::keyClick(field, Qt::Key_Return);
            return dialog.result();
        });
        QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(Find<QLineEdit>(&w, "Edit1")->text(), QStringLiteral("Bécs, Ausztria"));
        QStringList fields;
        for (const char *name : {"seSirkaST", "seSirkaMin", "seSirkaSek", "seDlzkaST", "seDlzkaMin",
                                 "seDlzkaSek", "seHod", "seMin"})
            fields << Find<TSpinEdit>(&w, name)->Text();
        QCOMPARE(fields.join(u' '), QStringLiteral("48 12 31 16 22 19 2 0"));
        QVERIFY(Find<QGroupBox>(&w, "grpLokality")->isEnabled());
        // CET: 04:58:02 on Vienna's summer clock, an hour less.
        QVERIFY2(Find<QLabel>(&w, "Sunrise")->text().startsWith(QStringLiteral("03:58:02")),
                 qPrintable(Find<QLabel>(&w, "Sunrise")->text()));
        w.findChild<QAction *>(QStringLiteral("mnuRokSlnka"))->trigger();
        QCOMPARE(w.findChild<TfrmRokSlnka *>()->Clock(), TClock::Zone(QTimeZone("Europe/Vienna")));

        // Auckland's summer clock, UTC+13, on the local format.
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2026, 1, 21));
        Find<QAbstractButton>(&w, "rbMiestny")->click();
        name = QStringLiteral("Auckland");
        QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(Find<TSpinEdit>(&w, "seHod")->Text(), QStringLiteral("13"));
        QCOMPARE(Find<QLabel>(&w, "Sunrise")->text().left(8), QStringLiteral("06:24:04"));
        w.findChild<QAction *>(QStringLiteral("mnuTabulkaMes"))->trigger();
        QVERIFY(w.findChild<TfrmTabulka *>()->Text().contains(QStringLiteral(" =>   06:24:04")));
        QCOMPARE(w.findChild<TfrmRokSlnka *>()->Request().PlaceClock,
                 TClock::Zone(QTimeZone("Pacific/Auckland")));

        TGazetteer none({FFixture->Path()}, QStringLiteral("/usr/share/locale"));
        UseCities(&none);
        TBoxAnswerer answer({QMessageBox::Ok});
        MessageTestHook::SetModalHandler([](QDialog &dialog) {
            static_cast<TfrmHladat &>(dialog).WaitLoaded();
            return dialog.result();
        });
        w.findChild<QAction *>(QStringLiteral("mnuHladat"))->trigger();
        UseCities(nullptr);
        QCOMPARE(answer.Seen().size(), 1);
        QCOMPARE(answer.Seen()[0].Caption, QStringLiteral(" Hely keresése"));
        QCOMPARE(Find<QLineEdit>(&w, "Edit1")->text(), QStringLiteral("Auckland, Új-Zéland"));
    }

private:
    std::unique_ptr<TVantuFixture> FFixture;
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
