// The main window's result-to-table and month-to-table commands: lines,
// the table window they go to, and the marker of unsaved results.
#include "TestSupport.h"
#include "mainwindow/LanguageTexts.h"
#include "mainwindow/SpinEdit.h"
#include "mainwindow/Vantu.h"
#include "table/Tabulka.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

namespace
{

QList<TfrmTabulka *> Tables(TfrmVantu &w)
{
    return w.findChildren<TfrmTabulka *>();
}

// Own data: 48° 37′ 04″ N, 19° 08′ 22″ E, or 78° N 15° E for the polar cases.
void TypePlace(TfrmVantu &w, const QString &name, bool polar = false)
{
    Find<QAction>(&w, "mnuVlastne")->trigger();
    Find<QLineEdit>(&w, "Edit1")->setText(name);
    Find<TSpinEdit>(&w, "seSirkaST")->SetText(polar ? "78" : "48");
    Find<TSpinEdit>(&w, "seSirkaMin")->SetText(polar ? "0" : "37");
    Find<TSpinEdit>(&w, "seSirkaSek")->SetText(polar ? "0" : "4");
    Find<TSpinEdit>(&w, "seDlzkaST")->SetText(polar ? "15" : "19");
    Find<TSpinEdit>(&w, "seDlzkaMin")->SetText(polar ? "0" : "8");
    Find<TSpinEdit>(&w, "seDlzkaSek")->SetText(polar ? "0" : "22");
}

} // namespace

class TestTableCommands : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        FFixture = std::make_unique<TVantuFixture>("<?xml version=\"1.0\"?>\n<SuborDat></SuborDat>",
                                                   QDate(2026, 6, 21));
        QVERIFY(FFixture->Ready());
    }
    void cleanup() { FFixture.reset(); }

    void lineForEachLanguageAndFormat_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("radio");
        QTest::addColumn<bool>("polar");
        QTest::addColumn<QString>("line");
        QTest::newRow("sk SELC") << 0 << "rbSELC" << false
                                 << U("Sliač, 21.Jun.2026, [SELČ] =>   04:40:55,   12:45:15,   "
                                      "20:49:35\r\n");
        QTest::newRow("en CET") << 1 << "rbSEC" << false
                                << U("Sliač, 21.Jun.2026, [CET] =>   03:40:55,   11:45:15,   "
                                     "19:49:35\r\n");
        QTest::newRow("hu UTC") << 2 << "rbUTC" << false
                                << U("Sliač, 21.Jun.2026, [UTC] =>   02:40:55,   10:45:15,   "
                                     "18:49:35\r\n");
        QTest::newRow("sk polar") << 0 << "rbSEC" << true
                                  << U("Sliač, 21.Jun.2026, [SEČ] =>   nenastáva,   12:01:48,   "
                                       "nenastáva\r\n");
        QTest::newRow("en polar local") << 1 << "rbMiestny" << true
                                        << U("Sliač, 21.Jun.2026, [Local] =>   N/A,   11:01:48,   "
                                             "N/A\r\n");
        QTest::newRow("hu polar local")
            << 2 << "rbMiestny" << true
            << U("Sliač, 21.Jun.2026, [Helyi] =>   nincs,   11:01:48,   "
                 "nincs\r\n");
    }
    void lineForEachLanguageAndFormat()
    {
        QFETCH(int, language);
        QFETCH(QString, radio);
        QFETCH(bool, polar);
        QFETCH(QString, line);
        TfrmVantu w;
        w.show();
        SwitchLanguage(&w, language);
        TypePlace(w, U("Sliač"), polar);
        w.findChild<QRadioButton *>(radio)->click();
        Find<QAbstractButton>(&w, "btnTabulka")->click();
        QCOMPARE(Tables(w).size(), 1);
        TfrmTabulka *table = Tables(w).first();
        QCOMPARE(table->Text(), line);
        QVERIFY(table->isVisible());
        QCOMPARE(table->objectName(), QStringLiteral("frmTabulka"));
        const char *titles[] = {" Tabuľka výsledkov", " Table of results", " Eredmények táblázata"};
        QCOMPARE(table->windowTitle(), U(titles[language]));
        QCOMPARE(table->pos(), QPoint(w.x(), w.y() + 438));
        QVERIFY(w.TableInUse());
        QVERIFY(table->Modified());
    }

    void languageSwitchLeavesTheTableWindowAlone_data()
    {
        QTest::addColumn<int>("created");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("sk, en, hu") << 0 << 1 << 2;
        QTest::newRow("en, hu, sk") << 1 << 2 << 0;
        QTest::newRow("hu, sk, en") << 2 << 0 << 1;
    }

    // The main window's texts go to its own menus and items only; the table
    // window keeps the menus and status of its creation, while its boxes
    // speak the language now in force.
    void languageSwitchLeavesTheTableWindowAlone()
    {
        QFETCH(int, created);
        QFETCH(int, first);
        QFETCH(int, second);
        TfrmVantu w;
        w.show();
        SwitchLanguage(&w, created);
        Find<QAction>(&w, "mnuTabulka")->trigger();
        QCOMPARE(Tables(w).size(), 1);
        TfrmTabulka *table = Tables(w).first();
        const QString tableMenu = Find<QMenu>(table, "mnuTabulka")->title();
        const QStringList tableItems = {Find<QAction>(table, "mnuUlozit")->text(),
                                        Find<QAction>(table, "mnuUlozitAko")->text(),
                                        Find<QAction>(table, "mnuTlacit")->text(),
                                        Find<QAction>(table, "mnuZavrietTabulku")->text()};
        const QString status = table->StatusText();
        const char *menus[] = {"&Tabuľka", "&Table", "&Táblázat"};
        QCOMPARE(tableMenu, U(menus[created]));

        SwitchLanguage(&w, first);
        SwitchLanguage(&w, second);

        QCOMPARE(Find<QMenu>(table, "mnuTabulka")->title(), tableMenu);
        QCOMPARE(QStringList({Find<QAction>(table, "mnuUlozit")->text(),
                              Find<QAction>(table, "mnuUlozitAko")->text(),
                              Find<QAction>(table, "mnuTlacit")->text(),
                              Find<QAction>(table, "mnuZavrietTabulku")->text()}),
                 tableItems);
        QCOMPARE(table->StatusText(), status);
        // Every menu and item of the main window has the new language.
        auto under = [](QObject *o, QObject *ancestor) {
            for (; o; o = o->parent())
                if (o == ancestor)
                    return true;
            return false;
        };
        for (const TNamedText &e : MainText::Captions()) {
            const QString name = QString::fromLatin1(e.ObjectName);
            if (!name.startsWith(QLatin1String("mnu")))
                continue;
            QString text;
            for (QMenu *m : w.findChildren<QMenu *>(name))
                if (!under(m, table))
                    text = m->title();
            if (text.isNull())
                for (QAction *a : w.findChildren<QAction *>(name))
                    if (!under(a, table))
                        text = a->text();
            QCOMPARE(text, TextIn(e.Text, TLanguage(second)));
        }

        // Closing with the lines unsaved asks wholly in the language in force.
        const char *captions[] = {" Potvrdenie", " Confirmation", " Megerősítés"};
        const char *questions[] = {"Tabuľka výsledkov bola zmenená. Uložiť zmeny?",
                                   "Table of results is modified. Save the table?",
                                   "Az eredmények táblázata megváltozott. Menteni?"};
        const QStringList buttons[] = {{U("&Áno"), U("&Nie"), U("&Zrušiť")},
                                       {U("&Yes"), U("&No"), U("&Cancel")},
                                       {U("&Igen"), U("&Nem"), U("&Mégse")}};
        TBoxAnswerer answerer({QMessageBox::Cancel});
        table->close();
        QCOMPARE(answerer.Seen().size(), 1);
        QCOMPARE(answerer.Seen().first().Caption, U(captions[second]));
        QCOMPARE(answerer.Seen().first().Text, U(questions[second]));
        QCOMPARE(answerer.Seen().first().ButtonTexts, buttons[second]);
        QVERIFY(table->isVisible());
    }

    void emptyNameStartsWithComma()
    {
        TfrmVantu w;
        TypePlace(w, QString());
        Find<QAction>(&w, "mnuTabulka")->trigger();
        QVERIFY(Tables(w).first()->Text().startsWith(QStringLiteral(", 21.Jun.2026, [")));
    }

    void monthWritesEveryDayAndRestoresTheCalendarDay_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("days");
        QTest::newRow("leap February") << QDate(2024, 2, 10) << 29;
        QTest::newRow("February") << QDate(2026, 2, 10) << 28;
        QTest::newRow("April") << QDate(2026, 4, 30) << 30;
        QTest::newRow("December") << QDate(2026, 12, 7) << 31;
    }
    void monthWritesEveryDayAndRestoresTheCalendarDay()
    {
        QFETCH(QDate, day);
        QFETCH(int, days);
        TfrmVantu w;
        TypePlace(w, QStringLiteral("X"));
        Find<QDateEdit>(&w, "Kalendar")->setDate(day);
        Find<QAbstractButton>(&w, "btnTabulkaMes")->click();
        const QString text = Tables(w).first()->Text();
        QVERIFY(text.endsWith(QStringLiteral("\r\n\r\n")));
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), days + 2); // the days, the empty line, the end
        const QLocale locale = QLocale::system();
        for (int d = 1; d <= days; ++d) {
            const QString date = QStringLiteral("%1.%2.%3")
                                     .arg(d, 2, 10, QLatin1Char('0'))
                                     .arg(locale.monthName(day.month(), QLocale::ShortFormat))
                                     .arg(day.year());
            QVERIFY2(lines[d - 1].startsWith(QStringLiteral("X, ") + date),
                     qPrintable(lines[d - 1]));
        }
        QCOMPARE(lines[days], QString());
        // The calculator is back on the calendar's day: a change of the place
        // recomputes for that day, not for the month's last.
        QCOMPARE(w.SunTime().Date(), w.KalendarDate());
        Find<TSpinEdit>(&w, "seSirkaST")->SetText(QStringLiteral("47"));
        QVERIFY(w.findChild<QLabel *>(QStringLiteral("Noon"))
                    ->text()
                    .endsWith(locale.toString(day, QLocale::LongFormat)));
    }

    void commandsGoToOneWindowUntilSaved()
    {
        TfrmVantu w;
        TypePlace(w, QStringLiteral("A"));
        Find<QAction>(&w, "mnuTabulka")->trigger();
        Find<QAction>(&w, "mnuTabulka")->trigger();
        QCOMPARE(Tables(w).size(), 1);
        TfrmTabulka *first = Tables(w).first();
        QCOMPARE(first->Text().count(QStringLiteral("\r\n")), 2);

        // After a save, the next line opens a second window; the first stays.
        const QString path = FFixture->File(QStringLiteral("t.txt"));
        TSaveDialogAnswer answer(path);
        QVERIFY(first->Save());
        QVERIFY(!w.TableInUse());
        Find<QAction>(&w, "mnuTabulka")->trigger();
        QCOMPARE(Tables(w).size(), 2);
        QVERIFY(first->isVisible());
        TfrmTabulka *second = Tables(w).last() == first ? Tables(w).first() : Tables(w).last();
        QCOMPARE(second->Text().count(QStringLiteral("\r\n")), 1);
        QVERIFY(w.TableInUse());

        // Closing the older, saved table must not let the new lines go.
        QVERIFY(first->close());
        QVERIFY(w.TableInUse());
        TBoxAnswerer refused({QMessageBox::Ok});
        QVERIFY(!w.close());
        QCOMPARE(refused.Seen().size(), 1);

        // Closing the new one (discarding) frees the main window.
        TBoxAnswerer discard({QMessageBox::No});
        QVERIFY(second->close());
        QCOMPARE(discard.Seen().size(), 1);
        QVERIFY(!w.TableInUse());
        QVERIFY(w.close());
    }

    void closedTableGivesANewWindow()
    {
        TfrmVantu w;
        TypePlace(w, QStringLiteral("A"));
        Find<QAction>(&w, "mnuTabulka")->trigger();
        QPointer<TfrmTabulka> first = Tables(w).first();
        TBoxAnswerer discard({QMessageBox::No});
        QVERIFY(first->close());
        QTRY_VERIFY(first.isNull());
        Find<QAction>(&w, "mnuTabulka")->trigger();
        QCOMPARE(Tables(w).size(), 1);
        QCOMPARE(Tables(w).first()->Text().count(QStringLiteral("\r\n")), 1);
    }

private:
    std::unique_ptr<TVantuFixture> FFixture;
};

QTEST_MAIN(TestTableCommands)
#include "tst_tablecommands.moc"
