// The main window in each language: a language switch, hints, accessible
// names and values, Qt's own dialogs and the keyboard's way through it.
#include "VantuTestSupport.h"
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

QString Panel(QWidget *w, int i)
{
    return w->findChild<QLabel *>(QStringLiteral("StatusPanel%1").arg(i))->text();
}

} // namespace

class TestVantuLanguages : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        FFixture = std::make_unique<TVantuFixture>(PredefinedFile);
        QVERIFY(FFixture->Ready());
    }
    void cleanup() { FFixture.reset(); }

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

        const TLanguage lang = TLanguage(language);
        for (const TNamedText &c : MainText::Captions()) {
            QObject *o = w.findChild<QObject *>(QString::fromLatin1(c.ObjectName));
            QVERIFY2(o, c.ObjectName);
            QString shown;
            if (auto *m = qobject_cast<QMenu *>(o))
                shown = m->title();
            else if (auto *a = qobject_cast<QAction *>(o))
                shown = a->text();
            else if (auto *g = qobject_cast<QGroupBox *>(o))
                shown = g->title();
            else if (auto *b = qobject_cast<QAbstractButton *>(o))
                shown = b->text();
            else
                shown = qobject_cast<QLabel *>(o)->text();
            QCOMPARE(shown, TextIn(c.Text, lang));
        }
        for (const TNamedText &h : MainText::Hints()) {
            QObject *o = w.findChild<QObject *>(QString::fromLatin1(h.ObjectName));
            QVERIFY2(o, h.ObjectName);
            if (auto *m = qobject_cast<QMenu *>(o))
                o = m->menuAction();
            QCOMPARE(o->property("statusTip").toString(), TextIn(h.Text, lang));
        }
        // The grid header follows the language.
        auto *grid = Find<QTableView>(&w, "StringGrid1");
        for (int c = 0; c < 11; ++c)
            QCOMPARE(grid->model()->headerData(c, Qt::Horizontal).toString(),
                     TextIn(MainText::GridHeaderText[c], lang));
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

        SwitchLanguage(&w, language);
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

    // Each result caption ends at 60, where its value begins, whatever the
    // length of its text in the language.
    void resultCaptionsEndAtTheirValue_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("name");
        for (int language = 0; language < 3; ++language)
            for (const char *name : {"lblVychod", "lblPoludnie", "lblZapad"})
                QTest::addRow("%d %s", language, name) << language << name;
    }
    void resultCaptionsEndAtTheirValue()
    {
        QFETCH(int, language);
        QFETCH(QString, name);
        TfrmVantu w;
        SwitchLanguage(&w, language);
        auto *caption = w.findChild<QLabel *>(name);
        QCOMPARE(caption->x() + caption->width(), 60);
        QVERIFY(caption->alignment() & Qt::AlignRight);
        QVERIFY2(caption->contentsRect().width() >=
                     caption->fontMetrics().horizontalAdvance(caption->text()),
                 qPrintable(caption->text()));
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
        SwitchLanguage(&w, language);
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
        SwitchLanguage(&w, (language + 1) % 3);
        check();
        SwitchLanguage(&w, language);
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
        for (int other : {(language + 1) % 3, language, (language + 2) % 3, language}) {
            SwitchLanguage(&w, other);
            if (other != language)
                continue;
            QCOMPARE(QCoreApplication::translate("QFileDialog", "Save As"), saveAs);
            QCOMPARE(QCoreApplication::translate("QLineEdit", "&Copy"), copy);
        }
    }

    void tabMovesBetweenControlsNotGridCells_data()
    {
        QTest::addColumn<bool>("database");
        QTest::addColumn<int>("format"); // of vantu.ini; -1: none written
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("arrow"); // pressed once in the time-format group; 0: none
        QTest::addColumn<QStringList>("expected");
        // The time-format group is one stop; the toolbar's enabled buttons follow.
        const QStringList tools = {"btnSvet",        "btnSlovensko", "btnVelkaNoc",
                                   "btnFazeMesiaca", "btnTabulka",   "btnTabulkaMes"};
        QTest::newRow("database, Tab")
            << true << -1 << int(Qt::Key_Tab) << 0
            << QStringList{"StringGrid1", "Kalendar", "rbSEC", "btnVlastne", "btnZmazat"} + tools +
                   QStringList{"StringGrid1"};
        QTest::newRow("database, Shift+Tab")
            << true << -1 << int(Qt::Key_Backtab) << 0
            << QStringList{"StringGrid1", "btnTabulkaMes", "btnTabulka"};
        QStringList own = {"Edit1",      "seHod",    "seMin",     "seSirkaST",   "seSirkaMin",
                           "seSirkaSek", "PolohaS",  "seDlzkaST", "seDlzkaMin",  "seDlzkaSek",
                           "PolohaD",    "Kalendar", "rbSEC",     "btnDatabaza", "btnPridat"};
        own << tools << "Edit1";
        QTest::newRow("own data, Tab") << false << -1 << int(Qt::Key_Tab) << 0 << own;
        // Tab enters the group at its checked button, an arrow moves within it
        // and checks the next, and Tab leaves it, as the platform's radio
        // groups do.
        const QStringList toGroup = {"StringGrid1", "Kalendar"};
        QTest::newRow("UTC, Down") << true << 0 << int(Qt::Key_Tab) << int(Qt::Key_Down)
                                   << toGroup + QStringList{"rbUTC", "rbSEC", "btnVlastne"};
        QTest::newRow("CET, Down") << true << 1 << int(Qt::Key_Tab) << int(Qt::Key_Down)
                                   << toGroup + QStringList{"rbSEC", "rbSELC", "btnVlastne"};
        QTest::newRow("CEST, Up") << true << 2 << int(Qt::Key_Tab) << int(Qt::Key_Up)
                                  << toGroup + QStringList{"rbSELC", "rbSEC", "btnVlastne"};
        QTest::newRow("local, Up") << true << 3 << int(Qt::Key_Tab) << int(Qt::Key_Up)
                                   << toGroup + QStringList{"rbMiestny", "rbSELC", "btnVlastne"};
    }
    // Tab and Shift+Tab go from control to control (grid, locality details,
    // calendar, time format, toolbar); only the arrow keys move in the grid.
    void tabMovesBetweenControlsNotGridCells()
    {
        QFETCH(bool, database);
        QFETCH(int, format);
        QFETCH(int, key);
        QFETCH(int, arrow);
        QFETCH(QStringList, expected);
        if (format >= 0)
            WriteFile(FFixture->File(QStringLiteral("vantu.ini")),
                      QStringLiteral("[Nastavenie]\nformatcasu=%1\n").arg(format).toLatin1());
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
            QWidget *focus = QApplication::focusWidget();
            if (arrow != 0 && qobject_cast<QRadioButton *>(focus)) {
                QTest::keyClick(focus, Qt::Key(arrow));
                arrow = 0;
                auto *moved = qobject_cast<QRadioButton *>(QApplication::focusWidget());
                QVERIFY(moved && moved->isChecked());
            } else {
                QTest::keyClick(focus, Qt::Key(key),
                                key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            }
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

QTEST_MAIN(TestVantuLanguages)
#include "tst_vantulanguages.moc"
