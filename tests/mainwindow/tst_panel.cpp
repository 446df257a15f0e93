// The calculation panel through the real window: inputs, calendar, time
// formats and the three result labels; the Easter command.
#include "TestSupport.h"
#include "mainwindow/SpinEdit.h"
#include "mainwindow/Vantu.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace
{

QString LongDate(int y, int m, int d)
{
    return QLocale::system().toString(QDate(y, m, d), QLocale::LongFormat);
}

struct TPlace {
    int latD, latM, latS;
    bool south;
    int lonD, lonM, lonS;
    bool east;
};

// Own-data mode with a typed place.
void TypePlace(TfrmVantu &w, const TPlace &p)
{
    Find<QAction>(&w, "mnuVlastne")->trigger();
    Find<TSpinEdit>(&w, "seSirkaST")->SetText(QString::number(p.latD));
    Find<TSpinEdit>(&w, "seSirkaMin")->SetText(QString::number(p.latM));
    Find<TSpinEdit>(&w, "seSirkaSek")->SetText(QString::number(p.latS));
    auto *polohaS = Find<QComboBox>(&w, "PolohaS");
    polohaS->setCurrentIndex(p.south ? 1 : 0);
    emit polohaS->activated(polohaS->currentIndex());
    Find<TSpinEdit>(&w, "seDlzkaST")->SetText(QString::number(p.lonD));
    Find<TSpinEdit>(&w, "seDlzkaMin")->SetText(QString::number(p.lonM));
    Find<TSpinEdit>(&w, "seDlzkaSek")->SetText(QString::number(p.lonS));
    auto *polohaD = Find<QComboBox>(&w, "PolohaD");
    polohaD->setCurrentIndex(p.east ? 1 : 0);
    emit polohaD->activated(polohaD->currentIndex());
}

QString Result(TfrmVantu &w, const char *label)
{
    return Find<QLabel>(&w, label)->text();
}

const TPlace SliacLike{48, 37, 4, false, 19, 8, 22, true};

} // namespace

class TestPanel : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // An empty database keeps the start quiet and the inputs ours.
        FFixture =
            std::make_unique<TVantuFixture>("<?xml version=\"1.0\"?>\n<SuborDat></SuborDat>");
        QVERIFY(FFixture->Ready());
    }
    void cleanup() { FFixture.reset(); }

    void referenceTimesInEachFormat_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("sunrise");
        QTest::addColumn<QString>("noon");
        QTest::addColumn<QString>("sunset");
        QTest::newRow("SELC") << "rbSELC" << U(" Výsledky v SELČ ") << "04:40:55"
                              << "12:45:15"
                              << "20:49:35";
        QTest::newRow("SEC") << "rbSEC" << U(" Výsledky v SEČ ") << "03:40:55"
                             << "11:45:15"
                             << "19:49:35";
        QTest::newRow("UTC") << "rbUTC" << U(" Výsledky v UTC ") << "02:40:55"
                             << "10:45:15"
                             << "18:49:35";
    }
    void referenceTimesInEachFormat()
    {
        QFETCH(QString, radio);
        QFETCH(QString, caption);
        QFETCH(QString, sunrise);
        QFETCH(QString, noon);
        QFETCH(QString, sunset);
        TfrmVantu w;
        TypePlace(w, SliacLike);
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2026, 6, 21));
        w.findChild<QRadioButton *>(radio)->click();
        const QString date = QStringLiteral("  ") + LongDate(2026, 6, 21);
        QCOMPARE(Result(w, "Sunrise"), sunrise + date);
        QCOMPARE(Result(w, "Noon"), noon + date);
        QCOMPARE(Result(w, "Sunset"), sunset + date);
        QCOMPARE(Find<QGroupBox>(&w, "grpVysledky")->title(), caption);
    }

    void winterReferenceInCet()
    {
        TfrmVantu w;
        TypePlace(w, SliacLike);
        Find<QRadioButton>(&w, "rbSEC")->click();
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2026, 12, 7));
        const QString date = QStringLiteral("  ") + LongDate(2026, 12, 7);
        QCOMPARE(Result(w, "Sunrise"), QStringLiteral("07:21:29") + date);
        QCOMPARE(Result(w, "Noon"), QStringLiteral("11:34:52") + date);
        QCOMPARE(Result(w, "Sunset"), QStringLiteral("15:48:02") + date);
    }

    void polarDayAndNight_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QString>("none");
        QTest::addColumn<QString>("noon");
        QTest::newRow("sk summer") << 0 << QDate(2026, 6, 21) << U("nenastáva") << "12:01:48";
        QTest::newRow("en winter") << 1 << QDate(2026, 12, 21) << U("N/A") << "11:58:03";
        QTest::newRow("hu summer") << 2 << QDate(2026, 6, 21) << U("nincs") << "12:01:48";
    }
    void polarDayAndNight()
    {
        QFETCH(int, language);
        QFETCH(QDate, day);
        QFETCH(QString, none);
        QFETCH(QString, noon);
        TfrmVantu w;
        SwitchLanguage(&w, language);
        TypePlace(w, {78, 0, 0, false, 15, 0, 0, true});
        Find<QRadioButton>(&w, "rbSEC")->click();
        Find<QDateEdit>(&w, "Kalendar")->setDate(day);
        QCOMPARE(Result(w, "Sunrise"), none);
        QCOMPARE(Result(w, "Sunset"), none);
        QCOMPARE(Result(w, "Noon"),
                 noon + QStringLiteral("  ") + LongDate(day.year(), day.month(), day.day()));
    }

    void noEventWordKeepsOldLanguageUntilRecomputed()
    {
        TfrmVantu w;
        TypePlace(w, {78, 0, 0, false, 15, 0, 0, true});
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2026, 6, 21));
        QCOMPARE(Result(w, "Sunrise"), U("nenastáva"));
        Find<QAction>(&w, "mnuAnglicky")->trigger();
        QCOMPARE(Result(w, "Sunrise"), U("nenastáva"));
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2026, 6, 22));
        QCOMPARE(Result(w, "Sunrise"), U("N/A"));
    }

    void sunsetOnTheNextDayShowsThatDate()
    {
        TfrmVantu w;
        TypePlace(w, {48, 8, 0, false, 123, 0, 0, false});
        Find<QRadioButton>(&w, "rbUTC")->click();
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2026, 12, 7));
        QCOMPARE(Result(w, "Sunset"), QStringLiteral("00:18:30  ") + LongDate(2026, 12, 8));
    }

    void localClock_data()
    {
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<double>("clock");
        QTest::newRow("-3 30") << -3 << 30 << -2.5;
        QTest::newRow("5 30") << 5 << 30 << 5.5;
        QTest::newRow("14 45 refused") << 14 << 45 << 0.0; // the UTC clock stays
        QTest::newRow("-12 0") << -12 << 0 << -12.0;
    }
    void localClock()
    {
        QFETCH(int, hours);
        QFETCH(int, minutes);
        QFETCH(double, clock);
        TfrmVantu w;
        TypePlace(w, SliacLike);
        Find<QRadioButton>(&w, "rbUTC")->click();
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2026, 6, 21));
        Find<TSpinEdit>(&w, "seHod")->SetText(QString::number(hours));
        Find<TSpinEdit>(&w, "seMin")->SetText(QString::number(minutes));
        Find<QRadioButton>(&w, "rbMiestny")->click();
        QCOMPARE(TimeFormatIndex(w.TimeFormat()), 3);
        QCOMPARE(Find<QGroupBox>(&w, "grpVysledky")->title(), U(" Výsledky podľa časovej zóny "));
        QCOMPARE(w.SunTime().TimeZone(), clock);
        // Noon at 10:45:15 UTC, on the local clock.
        const QTime noon = QTime(10, 45, 15).addSecs(int(clock * 3600));
        QVERIFY2(Result(w, "Noon").startsWith(noon.toString(QStringLiteral("hh:mm:ss"))),
                 qPrintable(Result(w, "Noon")));
    }

    void typedValuesOutsideTheRangeReduceUntilFocusLeaves()
    {
        TfrmVantu w;
        TypePlace(w, SliacLike);
        Find<QRadioButton>(&w, "rbSELC")->click();
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2026, 6, 21));
        const QString before = Result(w, "Sunrise");
        // 138 degrees of latitude reduce to 48 in the calculator.
        Find<TSpinEdit>(&w, "seSirkaST")->SetText(QStringLiteral("138"));
        QCOMPARE(w.SunTime().Latitude().Degrees(), 48);
        QCOMPARE(Result(w, "Sunrise"), before);
        // Text that is not a number counts as the minimum.
        Find<TSpinEdit>(&w, "seSirkaMin")->SetText(QStringLiteral("abc"));
        QCOMPARE(w.SunTime().Latitude().Minutes(), 0);
    }

    void disabledGroupDoesNotRecompute()
    {
        TfrmVantu w;
        TypePlace(w, SliacLike);
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2026, 6, 21));
        Find<QAction>(&w, "mnuDatabaza")->trigger(); // empty database: inputs stay
        QVERIFY(!Find<QGroupBox>(&w, "grpLokality")->isEnabled());
        const QString before = Result(w, "Sunrise");
        Find<TSpinEdit>(&w, "seSirkaST")->SetText(QStringLiteral("10"));
        Find<TSpinEdit>(&w, "seHod")->SetText(QStringLiteral("5"));
        QCOMPARE(Result(w, "Sunrise"), before);
        QCOMPARE(w.SunTime().Latitude().Degrees(), 48);
        // A time-format click recomputes with the calculator's place.
        Find<QRadioButton>(&w, "rbUTC")->click();
        QVERIFY(Result(w, "Sunrise").startsWith(QStringLiteral("02:40:55")));
    }

    void dayLine_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("line");
        QTest::newRow("sk") << 0 << QDate(2026, 12, 7) << U("pondelok, 341. deň");
        QTest::newRow("en") << 1 << QDate(2026, 12, 7) << U("Monday, 341. day");
        QTest::newRow("hu") << 2 << QDate(2026, 12, 7) << U("hétfő, 341. nap");
        QTest::newRow("sk, longest") << 0 << QDate(2024, 12, 30) << U("pondelok, 365. deň");
        QTest::newRow("en, longest") << 1 << QDate(2025, 12, 31) << U("Wednesday, 365. day");
        QTest::newRow("hu, longest") << 2 << QDate(2020, 12, 31) << U("csütörtök, 366. nap");
    }
    void dayLine()
    {
        QFETCH(int, language);
        QFETCH(QDate, date);
        QFETCH(QString, line);
        TfrmVantu w;
        w.show();
        SwitchLanguage(&w, language);
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(2024, 1, 1));
        Find<QDateEdit>(&w, "Kalendar")->setDate(date);
        auto *label = Find<QLabel>(&w, "Label6");
        QCOMPARE(label->text(), line);
        // Shown whole, whatever text the label showed first.
        QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(line),
                 qPrintable(QString::number(label->width())));
        QVERIFY(label->geometry().right() < w.centralWidget()->width());
        QCOMPARE(w.CalendarDate().Weekday, date.dayOfWeek() % 7 + 1);
        QCOMPARE(w.CalendarDate().DayOfYear, date.dayOfYear());
        QCOMPARE(w.CalendarDate().Year, date.year());
        QCOMPARE(w.CalendarDate().Month, date.month());
        QCOMPARE(w.CalendarDate().Day, date.day());
    }

    void easterBox_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("sk 2024") << 0 << 2024 << U(" Veľkonočná nedeľa")
                                 << U("V roku 2024 veľkonočná nedeľa vychádza na 31. MARCA");
        QTest::newRow("en 2025") << 1 << 2025 << U(" Easter Sunday")
                                 << U("In 2025 Easter Sunday is on APRIL, 20.");
        QTest::newRow("hu 2024") << 2 << 2024 << U(" Húsvétvasárnap")
                                 << U("2024 évben a Húsvétvasárnap dátuma MÁRCIUS 31.");
    }
    void easterBox()
    {
        QFETCH(int, language);
        QFETCH(int, year);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        TfrmVantu w;
        SwitchLanguage(&w, language);
        Find<QDateEdit>(&w, "Kalendar")->setDate(QDate(year, 6, 1));
        TBoxAnswerer answer({QMessageBox::Ok});
        Find<QAbstractButton>(&w, "btnVelkaNoc")->click();
        QCOMPARE(answer.Seen().size(), 1);
        QCOMPARE(answer.Seen()[0].Caption, caption);
        QCOMPARE(answer.Seen()[0].Text, text);
        QCOMPARE(answer.Seen()[0].Icon, QMessageBox::Information);
        QCOMPARE(answer.Seen()[0].Buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        // The button stays up after its command.
        QVERIFY(!Find<QAbstractButton>(&w, "btnVelkaNoc")->isChecked());
    }

private:
    std::unique_ptr<TVantuFixture> FFixture;
};

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"
