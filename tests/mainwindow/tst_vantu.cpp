// The main window as a whole: creation from the settings file, languages,
// hints, the close sequence and the exit timer.
#include "TestSupport.h"
#include "calendar/MoonPhase.h"
#include "mainwindow/LanguageTexts.h"
#include "mainwindow/SpinEdit.h"
#include "mainwindow/Vantu.h"

#include <QAccessible>
#include <QAction>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusTipEvent>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace
{

const QByteArray PredefinedFile =
    "<?xml version=\"1.0\"?>\n<SuborDat>"
    "<Riadok><Mesto>SK - Sliač</Mesto><Hod>1</Hod><Min>0</Min><ZS1>48</ZS1><ZS2>36</ZS2>"
    "<ZS3>59</ZS3><ZS4>N</ZS4><ZD1>19</ZD1><ZD2>8</ZD2><ZD3>35</ZD3><ZD4>E</ZD4></Riadok>"
    "<Riadok><Mesto>SK - Bratislava</Mesto><Hod>1</Hod><Min>0</Min><ZS1>48</ZS1><ZS2>9</ZS2>"
    "<ZS3>0</ZS3><ZS4>N</ZS4><ZD1>17</ZD1><ZD2>7</ZD2><ZD3>1</ZD3><ZD4>E</ZD4></Riadok>"
    "<Riadok><Mesto>SK - Košice</Mesto><Hod>1</Hod><Min>0</Min><ZS1>48</ZS1><ZS2>43</ZS2>"
    "<ZS3>19</ZS3><ZS4>N</ZS4><ZD1>21</ZD1><ZD2>15</ZD2><ZD3>37</ZD3><ZD4>E</ZD4></Riadok>"
    "<Riadok><Mesto>SK - Poprad</Mesto><Hod>1</Hod><Min>0</Min><ZS1>49</ZS1><ZS2>3</ZS2>"
    "<ZS3>37</ZS3><ZS4>N</ZS4><ZD1>20</ZD1><ZD2>17</ZD2><ZD3>58</ZD3><ZD4>E</ZD4></Riadok>"
    "</SuborDat>";

QString Panel(QWidget *w, int i)
{
    return w->findChild<QLabel *>(QStringLiteral("StatusPanel%1").arg(i))->text();
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
        QCOMPARE(w.TimeFormat(), 1);
        QCOMPARE(Find<QGroupBox>(&w, "grpVysledky")->title(), U(" Výsledky v SEČ "));
        QCOMPARE(w.windowTitle(), U(" Vantu 4.1"));
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
        QCOMPARE(w.TimeFormat(), format);
        const char *items[] = {"mnuSlovensky", "mnuAnglicky", "mnuMadarsky"};
        for (int l = 0; l < 3; ++l)
            QCOMPARE(Find<QAction>(&w, items[l])->isChecked(), l == language);
        const char *radios[] = {"rbUTC", "rbSEC", "rbSELC", "rbMiestny"};
        for (int f = 0; f < 4; ++f)
            QCOMPARE(Find<QRadioButton>(&w, radios[f])->isChecked(), f == format);
        const TLanguageTexts &t = LanguageTexts(TLanguage(language));
        const char *captions[] = {t.ResultsCaptionUtc, t.ResultsCaptionCet, t.ResultsCaptionCest,
                                  t.ResultsCaptionLocal};
        QCOMPARE(Find<QGroupBox>(&w, "grpVysledky")->title(), U(captions[format]));
        QCOMPARE(Find<QLabel>(&w, "Label1")->text(), U(t.Captions[0].text));
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
        QCOMPARE(w.TimeFormat(), 1);
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
        TfrmTabulka::SaveDialogHook = [saved](QWidget *, const QString &) { return saved; };
        QVERIFY(w.findChild<TfrmTabulka *>()->Save());
        TfrmTabulka::SaveDialogHook = nullptr;
        QVERIFY(!w.TableInUse());
        QVERIFY(w.close());
        QVERIFY(ReadFile(FFixture->File(QStringLiteral("vantu.ini"))).contains("vlavo="));
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

    void languageSwitchChangesEveryText_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("sk->en") << 1;
        QTest::newRow("sk->hu") << 2;
        QTest::newRow("sk->sk") << 0;
    }
    void languageSwitchChangesEveryText()
    {
        QFETCH(int, language);
        TfrmVantu w;
        const char *items[] = {"mnuSlovensky", "mnuAnglicky", "mnuMadarsky"};
        Find<QAction>(&w, items[language])->trigger();
        QCOMPARE(w.LanguageIndex(), language);
        for (int l = 0; l < 3; ++l)
            QCOMPARE(Find<QAction>(&w, items[l])->isChecked(), l == language);

        const TLanguageTexts &t = LanguageTexts(TLanguage(language));
        for (const TNamedText &c : t.Captions) {
            QObject *o = w.findChild<QObject *>(QString::fromLatin1(c.objectName));
            QVERIFY2(o, c.objectName);
            QString shown;
            if (auto *g = qobject_cast<QGroupBox *>(o))
                shown = g->title();
            else if (auto *b = qobject_cast<QAbstractButton *>(o))
                shown = b->text();
            else
                shown = qobject_cast<QLabel *>(o)->text();
            QCOMPARE(shown, U(c.text));
        }
        for (const TNamedText &c : t.MenuCaptions) {
            auto *a = w.findChild<QAction *>(QString::fromLatin1(c.objectName));
            QVERIFY2(a, c.objectName);
            QCOMPARE(a->text(), U(c.text));
        }
        for (const TNamedText &h : t.ControlHints)
            QCOMPARE(w.findChild<QWidget *>(QString::fromLatin1(h.objectName))->statusTip(),
                     U(h.text));
        for (const TNamedText &h : t.MenuHints) {
            QCOMPARE(w.findChild<QAction *>(QString::fromLatin1(h.objectName))->statusTip(),
                     U(h.text));
        }
        // The grid header follows the language.
        auto *grid = Find<QTableView>(&w, "StringGrid1");
        for (int c = 0; c < 11; ++c)
            QCOMPARE(grid->model()->headerData(c, Qt::Horizontal).toString(),
                     U(t.GridHeaderText[c]));
    }

    void languageSwitchRewritesDayLineAndPanels_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("label6");
        QTest::addColumn<QString>("panel2");
        QTest::addColumn<QString>("panel0");
        QTest::newRow("en") << 1 << U("Monday, 341. day") << U(" 7.12.2026, Monday, 341. day")
                            << U(" Record No.: 1/4");
        QTest::newRow("hu") << 2 << U("hétfő, 341. nap") << U(" 7.12.2026, hétfő, 341. nap")
                            << U(" Adatszám: 1/4");
        QTest::newRow("sk") << 0 << U("pondelok, 341. deň") << U(" 7.12.2026, pondelok, 341. deň")
                            << U(" Záznam číslo: 1/4");
    }
    void languageSwitchRewritesDayLineAndPanels()
    {
        QFETCH(int, language);
        QFETCH(QString, label6);
        QFETCH(QString, panel2);
        QFETCH(QString, panel0);
        TfrmVantu w;
        QCOMPARE(Find<QLabel>(&w, "Label6")->text(), U("pondelok, 341. deň"));
        QCOMPARE(Panel(&w, 2), U(" 7.12.2026, pondelok, 341. deň"));
        // Another day in the calendar changes the day line, not the start day.
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2026, 12, 8));
        QCOMPARE(Find<QLabel>(&w, "Label6")->text(), U("utorok, 342. deň"));
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2026, 12, 7));

        const char *items[] = {"mnuSlovensky", "mnuAnglicky", "mnuMadarsky"};
        Find<QAction>(&w, items[language])->trigger();
        QCOMPARE(Find<QLabel>(&w, "Label6")->text(), label6);
        QCOMPARE(Panel(&w, 2), panel2);
        QCOMPARE(Panel(&w, 0), panel0);
    }

    void ownDataModePanelFollowsLanguage()
    {
        TfrmVantu w;
        Find<QAction>(&w, "mnuVlastne")->trigger();
        QCOMPARE(Panel(&w, 0), U(" Vkladáte vlastné údaje"));
        Find<QAction>(&w, "mnuAnglicky")->trigger();
        QCOMPARE(Panel(&w, 0), U(" Fill in your dates"));
    }

    void hintsReachPanel1()
    {
        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto enter = [](QWidget *target) {
            QEnterEvent e(QPointF(1, 1), QPointF(1, 1), target->mapToGlobal(QPointF(1, 1)));
            QApplication::sendEvent(target, &e);
        };
        enter(Find<QWidget>(&w, "seHod"));
        QCOMPARE(Panel(&w, 1), U(" Časový posun v lokalite oproti UTC (hodiny)"));
        // A label without its own hint shows its group's.
        enter(Find<QWidget>(&w, "Noon"));
        QCOMPARE(Panel(&w, 1), U(" Zobraziť výsledky v určenom formáte času"));
        // Toolbar buttons carry their menu item's hint.
        enter(Find<QWidget>(&w, "btnVelkaNoc"));
        QCOMPARE(Panel(&w, 1), U(" Vypočítať veľkonočnú nedeľu v danom roku"));

        // A hint with a "|" shows its long part.
        QStatusTipEvent tip(QStringLiteral("short|the long part"));
        QApplication::sendEvent(&w, &tip);
        QCOMPARE(Panel(&w, 1), QStringLiteral("the long part"));

        // A highlighted menu item shows its hint; the closed menu clears it.
        auto *menu = w.findChild<QMenu *>(QStringLiteral("mnuSubor"));
        menu->popup(w.mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        menu->setActiveAction(Find<QAction>(&w, "mnuKoniec"));
        QCOMPARE(Panel(&w, 1), U(" Ukončiť aplikáciu"));
        menu->close();
        QTRY_COMPARE(Panel(&w, 1), QString());
    }

    void accessibleNamesFollowTheLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("expected"); // seHod, btnVelkaNoc, rbSEC, Sunrise, Noon
        QTest::newRow("sk") << 0
                            << QStringList{U("Časový posun v lokalite oproti UTC (hodiny)"),
                                           U("Vypočítať veľkonočnú nedeľu v danom roku"), U("SEČ"),
                                           U("Východ"), U("Poludnie")};
        QTest::newRow("en") << 1
                            << QStringList{U("Clock time in the locality against UTC (hours)"),
                                           U("Calculate Easter Sunday in selected year"), U("CET"),
                                           U("Sunrise"), U("Noon")};
        QTest::newRow("hu") << 2
                            << QStringList{U("Helyszíni időtolódás az UTC-hez (óra)"),
                                           U("Kiszámítani a Húsvétvasárnapot az adott évben"),
                                           U("CET"), U("Napkelte"), U("delelés")};
    }
    void accessibleNamesFollowTheLanguage()
    {
        QFETCH(int, language);
        QFETCH(QStringList, expected);
        TfrmVantu w;
        const char *items[] = {"mnuSlovensky", "mnuAnglicky", "mnuMadarsky"};
        Find<QAction>(&w, items[language])->trigger();
        const char *named[] = {"seHod", "btnVelkaNoc", "rbSEC", "Sunrise", "Noon"};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(Find<QWidget>(&w, named[i])->accessibleName(), expected[i]);
        // A result's name is its caption followed by the value shown.
        for (int i = 3; i < 5; ++i)
            QCOMPARE(Find<QLabel>(&w, named[i])->accessibleName(),
                     expected[i] + QLatin1Char(' ') + Find<QLabel>(&w, named[i])->text());
        // Every input, button and result carries a name.
        const char *all[] = {"StringGrid1",   "Edit1",        "seHod",          "seMin",
                             "seSirkaST",     "seSirkaMin",   "seSirkaSek",     "PolohaS",
                             "seDlzkaST",     "seDlzkaMin",   "seDlzkaSek",     "PolohaD",
                             "Kalendar",      "rbUTC",        "rbSELC",         "rbMiestny",
                             "btnVlastne",    "btnDatabaza",  "btnPridat",      "btnZmazat",
                             "btnSvet",       "btnSlovensko", "btnFazeMesiaca", "btnTabulka",
                             "btnTabulkaMes", "Sunset"};
        for (const char *name : all) {
            const QString a = Find<QWidget>(&w, name)->accessibleName();
            QVERIFY2(!a.isEmpty() && !a.startsWith(QLatin1Char(' ')), name);
        }
    }

    void tabOrderFollowsTheLayout()
    {
        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Find<QAction>(&w, "mnuVlastne")->trigger();
        Find<QWidget>(&w, "Edit1")->setFocus();
        QStringList seen{QApplication::focusWidget()->objectName()};
        // The calendar's Tab first walks through its day, month and year.
        for (int i = 0; i < 16 && seen.size() < 13; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QString name = QApplication::focusWidget()->objectName();
            if (name != seen.last())
                seen << name;
        }
        QCOMPARE(seen, (QStringList{"Edit1", "seHod", "seMin", "seSirkaST", "seSirkaMin",
                                    "seSirkaSek", "PolohaS", "seDlzkaST", "seDlzkaMin",
                                    "seDlzkaSek", "PolohaD", "Kalendar", "rbUTC"}));
    }

    void textDisplaysAreReadWithTheirValues_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("sunrise"); // for 8 December 2026 in Bratislava, CET
        QTest::addColumn<QString>("moon");
        QTest::newRow("sk") << 0 << U("Východ 07:28:43  ")
                            << U("Fáza Mesiaca: obrázok %1 z 29, fáza ");
        QTest::newRow("en") << 1 << U("Sunrise 07:28:43  ")
                            << U("Moon phase: picture %1 of 29, phase ");
        QTest::newRow("hu") << 2 << U("Napkelte 07:28:43  ")
                            << U("Holdfázis: %1. kép a 29-ből, fázis ");
    }
    // Screen readers get every result and text-only display with the value
    // it shows, after each recompute and each language switch.
    void textDisplaysAreReadWithTheirValues()
    {
        QFETCH(int, language);
        QFETCH(QString, sunrise);
        QFETCH(QString, moon);
        TfrmVantu w;
        w.show();
        QAccessible::setActive(true);
        auto name = [](QWidget *widget) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(widget);
            return a ? a->text(QAccessible::Name) : QString();
        };
        auto check = [&] {
            const std::pair<const char *, const char *> results[] = {
                {"lblVychod", "Sunrise"}, {"lblPoludnie", "Noon"}, {"lblZapad", "Sunset"}};
            for (const auto &[caption, value] : results) {
                QString expected = Find<QLabel>(&w, caption)->text();
                expected.remove(QLatin1Char(':'));
                expected += QLatin1Char(' ') + Find<QLabel>(&w, value)->text();
                QCOMPARE(name(Find<QLabel>(&w, value)), expected);
            }
            for (const char *display : {"Label6", "StatusPanel0", "StatusPanel1", "StatusPanel2"})
                QCOMPARE(name(Find<QLabel>(&w, display)), Find<QLabel>(&w, display)->text());
        };
        // Bratislava, the first record, then a recompute for the next day.
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2026, 12, 8));
        check();
        const char *items[] = {"mnuSlovensky", "mnuAnglicky", "mnuMadarsky"};
        Find<QAction>(&w, items[(language + 1) % 3])->trigger();
        check();
        Find<QAction>(&w, items[language])->trigger();
        check();
        QVERIFY2(name(Find<QLabel>(&w, "Sunrise")).startsWith(sunrise),
                 qPrintable(name(Find<QLabel>(&w, "Sunrise"))));
        QVERIFY(name(Find<QLabel>(&w, "Sunrise")).endsWith(Find<QLabel>(&w, "Sunrise")->text()));

        // The table window's status line.
        Find<QAction>(&w, "mnuTabulka")->trigger();
        auto *table = w.findChild<TfrmTabulka *>();
        QVERIFY(table);
        QVERIFY(!table->StatusText().isEmpty());
        QCOMPARE(name(Find<QLabel>(table, "StatusBar1Text")), table->StatusText());
        table->SetModified(false);
        table->close();

        // The Moon picture says its phase.
        const QString file = MoonPictureFile(PhaseFraction(w.KalendarDate()));
        QVERIFY(QDir().mkpath(QStringLiteral("grafika")));
        QVERIFY(QFile::copy(QStringLiteral(VANTU_SOURCE_DIR "/") + file, file));
        TBoxAnswerer noBoxes({});
        QString picture;
        MessageTestHook::SetModalHandler([&](QDialog &dialog) {
            auto *image = dialog.findChild<QLabel *>(QStringLiteral("Image1"));
            picture = image ? name(image) : QStringLiteral("no picture");
            return int(QDialog::Rejected);
        });
        Find<QAction>(&w, "mnuFazaMesiaca")->trigger();
        MessageTestHook::SetModalHandler(nullptr);
        QVERIFY2(picture.startsWith(moon.arg(MoonPictureNumber(PhaseFraction(w.KalendarDate())))),
                 qPrintable(picture));
        QAccessible::setActive(false);
    }

    void qtDialogsSpeakTheInterfaceLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<QString>("copy");
        QTest::newRow("sk") << 0 << U("Uložiť ako") << U("&Kopírovať");
        QTest::newRow("en") << 1 << U("Save As") << U("&Copy");
        QTest::newRow("hu") << 2 << U("Mentés másként") << U("&Másolás");
    }
    // Qt's own dialogs and menus follow every switch, English included.
    void qtDialogsSpeakTheInterfaceLanguage()
    {
        QFETCH(int, language);
        QFETCH(QString, saveAs);
        QFETCH(QString, copy);
        TfrmVantu w;
        const char *items[] = {"mnuSlovensky", "mnuAnglicky", "mnuMadarsky"};
        for (int other : {(language + 1) % 3, language, (language + 2) % 3, language}) {
            Find<QAction>(&w, items[other])->trigger();
            if (other != language)
                continue;
            QCOMPARE(QCoreApplication::translate("QFileDialog", "Save As"), saveAs);
            QCOMPARE(QCoreApplication::translate("QLineEdit", "&Copy"), copy);
        }
    }

    void tabMovesBetweenControlsNotGridCells_data()
    {
        QTest::addColumn<bool>("database");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("expected");
        // The time-format group is one stop; the toolbar's enabled buttons follow.
        const QStringList tools = {"btnSvet",        "btnSlovensko", "btnVelkaNoc",
                                   "btnFazeMesiaca", "btnTabulka",   "btnTabulkaMes"};
        QTest::newRow("database, Tab")
            << true << int(Qt::Key_Tab)
            << QStringList{"StringGrid1", "Kalendar", "rbUTC", "btnVlastne", "btnZmazat"} + tools +
                   QStringList{"StringGrid1"};
        QTest::newRow("database, Shift+Tab")
            << true << int(Qt::Key_Backtab)
            << QStringList{"StringGrid1", "btnTabulkaMes", "btnTabulka"};
        QStringList own = {"Edit1",      "seHod",    "seMin",     "seSirkaST",   "seSirkaMin",
                           "seSirkaSek", "PolohaS",  "seDlzkaST", "seDlzkaMin",  "seDlzkaSek",
                           "PolohaD",    "Kalendar", "rbUTC",     "btnDatabaza", "btnPridat"};
        own << tools << "Edit1";
        QTest::newRow("own data, Tab") << false << int(Qt::Key_Tab) << own;
    }
    // Tab and Shift+Tab go from control to control (grid, locality details,
    // calendar, time format, toolbar); only the arrow keys move in the grid.
    void tabMovesBetweenControlsNotGridCells()
    {
        QFETCH(bool, database);
        QFETCH(int, key);
        QFETCH(QStringList, expected);
        TfrmVantu w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto *grid = Find<QTableView>(&w, "StringGrid1");
        if (database) {
            grid->setFocus();
            QTest::keyClick(grid, Qt::Key_Down);
            QCOMPARE(w.CurrentRecord(), 2);
        } else {
            Find<QAction>(&w, "mnuVlastne")->trigger();
            Find<QWidget>(&w, "Edit1")->setFocus();
        }
        const QModelIndex before = grid->currentIndex();
        QStringList seen{QApplication::focusWidget()->objectName()};
        // The calendar's Tab first walks through its day, month and year.
        for (int i = 0; i < 40 && seen.size() < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                            key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            const QString name = QApplication::focusWidget()->objectName();
            if (name != seen.last())
                seen << name;
        }
        QCOMPARE(seen, expected);
        QCOMPARE(grid->currentIndex(), before);
        QCOMPARE(w.CurrentRecord(), database ? 2 : 1);
    }

private:
    std::unique_ptr<TVantuFixture> FFixture;
};

QTEST_MAIN(TestVantu)
#include "tst_vantu.moc"
