// The main window as a whole: creation from the settings file, its controls,
// the close sequence and the exit timer.
#include "VantuTestSupport.h"
#include "app/InstanceGuard.h"
#include "app/MainWindow.h"
#include "calendar/MoonPhase.h"
#include "common/Version.h"
#include "mainwindow/LanguageTexts.h"
#include "mainwindow/SpinEdit.h"
#include "mainwindow/Vantu.h"

#include <QAccessible>
#include <QAction>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusTipEvent>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace
{

// A window of the program by its object name, or null.
QWidget *TopLevel(const QString &objectName)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == objectName)
            return w;
    return nullptr;
}

} // namespace

class TestVantu : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        FFixture = std::make_unique<TVantuFixture>(PredefinedFile);
        QVERIFY(FFixture->Ready());
    }
    void cleanup() { FFixture.reset(); }

    void startsWithDefaultsWithoutSettingsFile()
    {
        TfrmVantu w;
        QCOMPARE(w.pos(), QPoint(50, 50));
        QCOMPARE(w.LanguageIndex(), 0);
        QVERIFY(Find<QAction>(&w, "mnuSlovensky")->isChecked());
        QVERIFY(!Find<QAction>(&w, "mnuAnglicky")->isChecked());
        QVERIFY(!Find<QAction>(&w, "mnuMadarsky")->isChecked());
        QVERIFY(Find<QRadioButton>(&w, "rbSEC")->isChecked());
        QCOMPARE(TimeFormatIndex(w.TimeFormat()), 1);
        QCOMPARE(Find<QGroupBox>(&w, "grpVysledky")->title(), U(" Výsledky v SEČ "));
        QCOMPARE(w.windowTitle(), QStringLiteral(" Vantu " VANTU_VERSION));
        QCOMPARE(w.centralWidget()->size(), QSize(531, 394));
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QVERIFY(!QFile::exists(FFixture->File(QStringLiteral("vantu.ini"))));
    }

    void controlsCarryTheirNames()
    {
        TfrmVantu w;
        const char *widgets[] = {
            "ToolBar1",    "Label1",     "StringGrid1", "grpLokality", "Label3",     "Edit1",
            "seHod",       "seMin",      "Label5",      "lblDlzka",    "lblPolohaS", "seSirkaST",
            "seSirkaMin",  "seSirkaSek", "PolohaS",     "Label4",      "lblSirka",   "lblPolohaD",
            "seDlzkaST",   "seDlzkaMin", "seDlzkaSek",  "PolohaD",     "Label2",     "Kalendar",
            "Label6",      "grpCasV",    "rbUTC",       "rbSEC",       "rbSELC",     "rbMiestny",
            "grpVysledky", "lblVychod",  "lblPoludnie", "lblZapad",    "Sunrise",    "Noon",
            "Sunset",      "StatusBar1", "MainMenu1"};
        for (const char *name : widgets)
            QVERIFY2(Find<QWidget>(&w, name), name);
        const char *actions[] = {"mnuSubor",      "mnuVlastne",  "mnuDatabaza",    "mnuPridat",
                                 "mnuZmazat",     "mnuJazyk",    "mnuSlovensky",   "mnuAnglicky",
                                 "mnuMadarsky",   "mnuKoniec",   "mnuNastroje",    "mnuSvet",
                                 "mnuSlovensko",  "mnuVelkaNoc", "mnuFazaMesiaca", "mnuTabulka",
                                 "mnuTabulkaMes", "mnuNapoved",  "mnuPomoc",       "mnuOnLine",
                                 "mnuOPrograme"};
        for (const char *name : actions)
            QVERIFY2(Find<QAction>(&w, name), name);
        const char *buttons[] = {"btnVlastne", "btnDatabaza",  "btnPridat",   "btnZmazat",
                                 "btnSvet",    "btnSlovensko", "btnVelkaNoc", "btnFazeMesiaca",
                                 "btnTabulka", "btnTabulkaMes"};
        for (const char *name : buttons)
            QVERIFY2(Find<QAbstractButton>(&w, name), name);
        QVERIFY(w.findChild<QTimer *>(QStringLiteral("Timer1")));

        // Database mode at start.
        QVERIFY(!Find<QGroupBox>(&w, "grpLokality")->isEnabled());
        QVERIFY(!Find<QAction>(&w, "mnuDatabaza")->isEnabled());
        QVERIFY(!Find<QAction>(&w, "mnuPridat")->isEnabled());
        QVERIFY(Find<QAction>(&w, "mnuZmazat")->isEnabled());
        auto *btnDatabaza = Find<QAbstractButton>(&w, "btnDatabaza");
        QVERIFY(btnDatabaza->isChecked() && !btnDatabaza->isEnabled());
        auto *btnVlastne = Find<QAbstractButton>(&w, "btnVlastne");
        QVERIFY(!btnVlastne->isChecked() && btnVlastne->isEnabled());
    }

    void geometryOfControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("StringGrid1") << "StringGrid1" << QRect(12, 60, 512, 111);
        QTest::newRow("grpLokality") << "grpLokality" << QRect(12, 185, 257, 183);
        QTest::newRow("Edit1") << "Edit1" << QRect(12, 36, 137, 21);
        QTest::newRow("seHod") << "seHod" << QRect(168, 36, 38, 22);
        QTest::newRow("seSirkaSek") << "seSirkaSek" << QRect(104, 92, 45, 22);
        QTest::newRow("PolohaD") << "PolohaD" << QRect(186, 149, 45, 21);
        QTest::newRow("Kalendar") << "Kalendar" << QRect(307, 220, 85, 21);
        QTest::newRow("grpCasV") << "grpCasV" << QRect(439, 185, 86, 93);
        QTest::newRow("rbMiestny") << "rbMiestny" << QRect(10, 71, 60, 17);
        QTest::newRow("grpVysledky") << "grpVysledky" << QRect(290, 285, 235, 83);
        QTest::newRow("ToolBar1") << "ToolBar1" << QRect(0, 0, 531, 29);
    }
    void geometryOfControls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        TfrmVantu w;
        QCOMPARE(w.findChild<QWidget *>(name)->geometry(), rect);
    }

    // The header row too, and every caption of the three languages fits in
    // it, the accents over the capitals included.
    void gridRowsAreSixteenHigh()
    {
        TfrmVantu w;
        auto *grid = Find<QTableView>(&w, "StringGrid1");
        QHeaderView *header = grid->horizontalHeader();
        QCOMPARE(header->height(), 16);
        QCOMPARE(grid->rowHeight(0), 16);
        const QFontMetrics metrics(header->font());
        for (const TText &caption : MainText::GridHeaderText)
            for (const TLanguage language :
                 {TLanguage::Slovak, TLanguage::English, TLanguage::Hungarian})
                QVERIFY2(metrics.boundingRect(TextIn(caption, language)).height() <=
                             header->height() - 2,
                         caption.Sk);
    }

    void unitMarksShowWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("pos");
        QTest::newRow("lblDlzka") << "lblDlzka" << QPoint(12, 77);
        QTest::newRow("lblSirka") << "lblSirka" << QPoint(12, 134);
    }
    // The line of marks over the angle fields is shown whole, the last
    // apostrophe included, at its place.
    void unitMarksShowWhole()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, pos);
        TfrmVantu w;
        w.show();
        auto *marks = w.findChild<QLabel *>(name);
        QCOMPARE(marks->text(), U(" °        '        ''"));
        QCOMPARE(marks->pos(), pos);
        const QFontMetrics metrics(marks->font());
        const QRect needed = metrics.boundingRect(marks->text());
        QVERIFY2(marks->contentsRect().width() >= metrics.horizontalAdvance(marks->text()) &&
                     marks->contentsRect().width() >= needed.right() + 1,
                 qPrintable(QStringLiteral("%1 < %2")
                                .arg(marks->contentsRect().width())
                                .arg(metrics.horizontalAdvance(marks->text()))));
        QVERIFY(marks->contentsRect().height() >= metrics.height());
        QVERIFY(marks->parentWidget()->rect().contains(marks->geometry()));
    }

    void readsStoredLanguageAndFormat_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("format");
        for (int l = 0; l < 3; ++l)
            for (int f = 0; f < 4; ++f)
                QTest::addRow("lang%d-format%d", l, f) << l << f;
    }
    void readsStoredLanguageAndFormat()
    {
        QFETCH(int, language);
        QFETCH(int, format);
        WriteFile(FFixture->File(QStringLiteral("vantu.ini")),
                  QStringLiteral("[Poloha]\r\nvlavo=120\r\nhore=-40\r\n[Nastavenie]\r\njazyk=%1\r\n"
                                 "formatcasu=%2\r\n")
                      .arg(language)
                      .arg(format)
                      .toLatin1());
        TfrmVantu w;
        QCOMPARE(w.pos(), QPoint(120, -40)); // off screen is used unchanged
        QCOMPARE(w.LanguageIndex(), language);
        QCOMPARE(TimeFormatIndex(w.TimeFormat()), format);
        const char *items[] = {"mnuSlovensky", "mnuAnglicky", "mnuMadarsky"};
        for (int l = 0; l < 3; ++l)
            QCOMPARE(Find<QAction>(&w, items[l])->isChecked(), l == language);
        const char *radios[] = {"rbUTC", "rbSEC", "rbSELC", "rbMiestny"};
        for (int f = 0; f < 4; ++f)
            QCOMPARE(Find<QRadioButton>(&w, radios[f])->isChecked(), f == format);
        const TText *captions[] = {&MainText::ResultsCaptionUtc, &MainText::ResultsCaptionCet,
                                   &MainText::ResultsCaptionCest, &MainText::ResultsCaptionLocal};
        QCOMPARE(Find<QGroupBox>(&w, "grpVysledky")->title(),
                 TextIn(*captions[format], TLanguage(language)));
        QCOMPARE(Find<QLabel>(&w, "Label1")->text(),
                 TextIn(MainText::Captions().front().Text, TLanguage(language)));
    }

    void garbageSettingsGiveDefaults_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("words") << QByteArray("[Poloha]\nvlavo=left\nhore=1e3\n[Nastavenie]\n"
                                             "jazyk=en\nformatcasu=\n");
        QTest::newRow("out of range") << QByteArray("[Nastavenie]\njazyk=7\nformatcasu=-1\n");
        QTest::newRow("binary") << QByteArray("\0\1\2[Poloha]\0vlavo=\xff\xfe", 16);
        QTest::newRow("huge") << QByteArray(3 * 1024 * 1024, 'x');
    }
    void garbageSettingsGiveDefaults()
    {
        QFETCH(QByteArray, ini);
        WriteFile(FFixture->File(QStringLiteral("vantu.ini")), ini);
        TfrmVantu w;
        QCOMPARE(w.pos(), QPoint(50, 50));
        QCOMPARE(w.LanguageIndex(), 0);
        QVERIFY(Find<QAction>(&w, "mnuSlovensky")->isChecked());
        QCOMPARE(TimeFormatIndex(w.TimeFormat()), 1);
        QVERIFY(Find<QRadioButton>(&w, "rbSEC")->isChecked());
    }

    void closeWritesKeysAndKeepsForeignLines()
    {
        const QString path = FFixture->File(QStringLiteral("vantu.ini"));
        WriteFile(path, "; my notes\r\n[Other]\r\nkey=value\r\n[Nastavenie]\r\nfoo=1\r\n");
        {
            TfrmVantu w;
            w.move(210, 130);
            Find<QAction>(&w, "mnuAnglicky")->trigger();
            Find<QRadioButton>(&w, "rbSELC")->click();
            QVERIFY(w.close());
        }
        const QByteArray written = ReadFile(path);
        QCOMPARE(written,
                 QByteArray("; my notes\r\n[Other]\r\nkey=value\r\n[Nastavenie]\r\nfoo=1\r\n"
                            "jazyk=1\r\nformatcasu=2\r\n[Poloha]\r\nvlavo=210\r\n"
                            "hore=130\r\n"));
    }

    void closeCreatesSettingsFileInKeyOrder()
    {
        {
            TfrmVantu w;
            QVERIFY(w.close());
        }
        QCOMPARE(ReadFile(FFixture->File(QStringLiteral("vantu.ini"))),
                 QByteArray("[Poloha]\r\nvlavo=50\r\nhore=50\r\n[Nastavenie]\r\njazyk=0\r\n"
                            "formatcasu=1\r\n"));
    }

    void closeRefusedWhileTableInUse_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("sk") << 0 << U(" Upozornenie") << U("Tabuľka výsledkov nie je uložená");
        QTest::newRow("en") << 1 << U(" Warning") << U("Table of results is not saved");
        QTest::newRow("hu") << 2 << U(" Figyelmeztetés") << U("A táblázat nincs mentve");
    }
    void closeRefusedWhileTableInUse()
    {
        QFETCH(int, language);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        WriteFile(FFixture->File(QStringLiteral("vantu.ini")),
                  QStringLiteral("[Nastavenie]\njazyk=%1\n").arg(language).toLatin1());
        const QByteArray before = ReadFile(FFixture->File(QStringLiteral("vantu.ini")));
        TfrmVantu w;
        w.show();
        Find<QAction>(&w, "mnuTabulka")->trigger(); // unsaved result lines
        QVERIFY(w.TableInUse());
        TBoxAnswerer answer({QMessageBox::Ok});
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(answer.Seen().size(), 1);
        QCOMPARE(answer.Seen()[0].Caption, caption);
        QCOMPARE(answer.Seen()[0].Text, text);
        QCOMPARE(answer.Seen()[0].Icon, QMessageBox::Warning);
        QCOMPARE(answer.Seen()[0].Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(ReadFile(FFixture->File(QStringLiteral("vantu.ini"))), before);

        const QString saved = FFixture->File(QStringLiteral("table.txt"));
        {
            TSaveDialogAnswer answer(saved);
            QVERIFY(w.findChild<TfrmTabulka *>()->Save());
        }
        QVERIFY(!w.TableInUse());
        QVERIFY(w.close());
        QVERIFY(ReadFile(FFixture->File(QStringLiteral("vantu.ini"))).contains("vlavo="));
    }

    // A table saved and then edited does not keep the program alive once the
    // main window has closed: it goes without a question, the event loop
    // ends, and the next start runs and shows its window.
    void closingEndsTheProgram()
    {
        const QString name =
            QStringLiteral("VantuClose-%1").arg(QCoreApplication::applicationPid());
        bool timedOut = false, shown = false;
        QTimer::singleShot(10000 * VANTU_TIME_SCALE, qApp, [&timedOut] {
            timedOut = true;
            QCoreApplication::exit(1);
        });
        const QString saved = FFixture->File(QStringLiteral("table.txt"));
        TSaveDialogAnswer saveAs(saved);
        TBoxAnswerer answer({QMessageBox::Cancel, QMessageBox::Cancel});
        for (const bool first : {true, false}) {
            TInstanceGuard guard(name);
            QVERIFY(guard.TryAcquire());
            QTimer::singleShot(0, qApp, [first, &shown] {
                QWidget *main = TopLevel(QStringLiteral("frmVantu"));
                shown = main->isVisible();
                if (first) {
                    main->findChild<QAction *>(QStringLiteral("mnuTabulka"))->trigger();
                    auto *table = main->findChild<TfrmTabulka *>();
                    table->findChild<QAction *>(QStringLiteral("mnuUlozit"))->trigger();
                    QTest::keyClicks(table->findChild<QPlainTextEdit *>(QStringLiteral("Memo1")),
                                     QStringLiteral("more"));
                }
                main->close();
            });
            RunMainWindow(*qApp);
            QVERIFY(shown && !timedOut);
            QVERIFY(answer.Seen().isEmpty());
            QCOMPARE(TopLevel(QStringLiteral("frmTabulka")), nullptr);
        }
        QVERIFY(QFileInfo::exists(saved));
    }

    // The missing-file box of the start stands on its own: as the box's
    // owner the main window would become native before it has a frame, and
    // the window manager would put the client area, not the frame, at the
    // stored position.
    void startBoxLeavesThePositionAlone()
    {
        FFixture.reset();
        FFixture = std::make_unique<TVantuFixture>(QByteArray());
        WriteFile(FFixture->File(QStringLiteral("vantu.ini")), "[Poloha]\nvlavo=120\nhore=80\n");
        int boxes = 0;
        QTimer::singleShot(0, qApp, [&boxes] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                ++boxes;
                box->done(QMessageBox::Ok);
            }
        });
        TfrmVantu w;
        QCOMPARE(boxes, 1);
        QVERIFY(!w.testAttribute(Qt::WA_WState_Created));
        QCOMPARE(w.pos(), QPoint(120, 80));
    }

    // The add check's box, a real one, takes the focus while it is open; the
    // failing field keeps the value as typed and has the focus back.
    void addCheckBoxLeavesTheTypedValue_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::newRow("minutes 46") << "seMin" << QStringLiteral("46");
        QTest::newRow("hours -13") << "seHod" << QStringLiteral("-13");
        QTest::newRow("latitude 91") << "seSirkaST" << QStringLiteral("91");
    }
    void addCheckBoxLeavesTheTypedValue()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Find<QAction>(&w, "mnuVlastne")->trigger();
        Find<QLineEdit>(&w, "Edit1")->setText(QStringLiteral("Place"));
        auto *input = w.findChild<TSpinEdit *>(field);
        input->setFocus();
        QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(input, typed);

        QString caption;
        QTimer::singleShot(0, qApp, [&caption] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (QTest::qWaitForWindowActive(box))
                caption = box->windowTitle();
            box->done(QMessageBox::Ok);
        });
        // A click on the toolbar button leaves the focus where it is.
        Find<QAbstractButton>(&w, "btnPridat")->click();
        QCOMPARE(caption, U(" Chyba vstupných údajov"));
        QCOMPARE(input->Text(), typed);
        QCOMPARE(w.focusWidget(), input);
        QCOMPARE(w.Localities().size(), 4);
    }

    void unwritableSettingsFileIsReportedAndCloseGoesOn()
    {
        // A folder in the settings file's place cannot be replaced by a file.
        QVERIFY(QDir(FFixture->Path()).mkdir(QStringLiteral("vantu.ini")));
        TfrmVantu w;
        w.show();
        TBoxAnswerer answer({QMessageBox::Ok});
        QVERIFY(w.close());
        QCOMPARE(answer.Seen().size(), 1);
        QCOMPARE(answer.Seen()[0].Icon, QMessageBox::Critical);
        QCOMPARE(answer.Seen()[0].Caption, U(" Chyba súboru"));
        QVERIFY(answer.Seen()[0].Text.contains(
            U("»") + FFixture->File(QStringLiteral("vantu.ini")) + U("«")));
    }

    void exitTimerEndsAfterDamagedDatabase_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("text");
        QTest::newRow("sk") << 0 << U("Koniec programu");
        QTest::newRow("en") << 1 << U("Program aborted");
        QTest::newRow("hu") << 2 << U("Kilépés a programból");
    }
    void exitTimerEndsAfterDamagedDatabase()
    {
        QFETCH(int, language);
        QFETCH(QString, text);
        WriteFile(FFixture->File(QStringLiteral("vantu.ini")),
                  QStringLiteral("[Nastavenie]\njazyk=%1\n").arg(language).toLatin1());
        WriteFile(FFixture->File(QStringLiteral("lokality.xml")), "damaged");
        std::unique_ptr<TfrmVantu> window;
        {
            TBoxAnswerer damaged({QMessageBox::Ok});
            window = std::make_unique<TfrmVantu>();
            QCOMPARE(damaged.Seen().size(), 1);
        }
        TfrmVantu &w = *window;
        w.show();
        auto *timer = w.findChild<QTimer *>(QStringLiteral("Timer1"));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        timer->stop(); // ticks are driven by hand below
        QVERIFY(w.DatabaseDamaged());
        TBoxAnswerer answer({QMessageBox::Ok});
        for (int tick = 1; tick <= 5; ++tick)
            w.UkonciPriChybe();
        QCOMPARE(w.ExitTickCount(), 5);
        QVERIFY(w.isVisible());
        QCOMPARE(answer.Seen().size(), 0);
        w.UkonciPriChybe();
        QCOMPARE(answer.Seen().size(), 1);
        QCOMPARE(answer.Seen()[0].Text, text);
        QCOMPARE(answer.Seen()[0].Caption, QString());
        QCOMPARE(answer.Seen()[0].Icon, QMessageBox::Critical);
        QVERIFY(!w.isVisible());
        QVERIFY(ReadFile(FFixture->File(QStringLiteral("vantu.ini"))).contains("jazyk="));
    }

    void exitTimerWithoutDamageNeverCloses()
    {
        TfrmVantu w;
        w.show();
        for (int tick = 0; tick < 20; ++tick)
            w.UkonciPriChybe();
        QVERIFY(w.isVisible());
    }

private:
    std::unique_ptr<TVantuFixture> FFixture;
};

QTEST_MAIN(TestVantu)
#include "tst_vantu.moc"
