// Result lines: format of every piece, the tags of each language, polar days
// and the lines of a month.
#include "suntime/DateUtil.h"
#include "suntime/SunTime.h"
#include "table/ResultLines.h"

#include <QtTest>

namespace
{

double At(int year, int month, int day, int hour, int minute, int second, int msec = 0)
{
    return DateUtil::EncodeDate(year, month, day) +
           DateUtil::EncodeTime(hour, minute, second, msec);
}

double Ms(double day, double milliseconds)
{
    return day + milliseconds / 86400000.0;
}

// Svalbard: the sun never sets around midsummer.
void SetUpSvalbard(TSunTime &sun)
{
    // Off first: writing the offset the system already gives would keep it on.
    sun.SetUseSysTimeZone(false);
    sun.Latitude().SetDegrees(78);
    sun.Latitude().SetDir(dNorth);
    sun.Longitude().SetDegrees(15);
    sun.Longitude().SetDir(dEast);
    sun.SetTimeZone(1);
}

// 48° 37' 04" N, 19° 08' 22" E, the calculator's reference place.
void SetUpReferencePlace(TSunTime &sun, double clock)
{
    sun.SetUseSysTimeZone(false);
    sun.SetTimeZone(clock);
    sun.Latitude().SetDegrees(48);
    sun.Latitude().SetMinutes(37);
    sun.Latitude().SetSeconds(4);
    sun.Latitude().SetDir(dNorth);
    sun.Longitude().SetDegrees(19);
    sun.Longitude().SetMinutes(8);
    sun.Longitude().SetSeconds(22);
    sun.Longitude().SetDir(dEast);
}

void SetUpPoprad(TSunTime &sun)
{
    sun.SetUseSysTimeZone(false);
    sun.Latitude().SetDegrees(49);
    sun.Latitude().SetMinutes(3);
    sun.Latitude().SetDir(dNorth);
    sun.Longitude().SetDegrees(20);
    sun.Longitude().SetMinutes(18);
    sun.Longitude().SetDir(dEast);
    sun.SetTimeZone(1);
}

} // namespace

class TestResultLines : public QObject
{
    Q_OBJECT

private slots:
    void eventTime_data();
    void eventTime();
    void timeSeparator_data();
    void timeSeparator();
    void lineDate_data();
    void lineDate();
    void lineFormat_data();
    void lineFormat();
    void emptyNameStartsWithSeparator();
    void nameCopiedUnchanged();
    void polarDayHasNoSunriseOrSunset_data();
    void polarDayHasNoSunriseOrSunset();
    void referenceDay();
    void lineForReadsTheCalculator();
    void monthLines_data();
    void monthLines();
    void monthRestoresCalculatorDate();
    void resultOnClock_data();
    void resultOnClock();
};

void TestResultLines::eventTime_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    const double day = DateUtil::EncodeDate(2026, 6, 21);
    QTest::newRow("no event") << 0.0 << "N/A";
    QTest::newRow("morning") << At(2026, 6, 21, 3, 7, 9) << "03:07:09";
    QTest::newRow("evening") << At(2026, 6, 21, 21, 45, 0) << "21:45:00";
    QTest::newRow("midnight is a time, not no event") << day << "00:00:00";
    QTest::newRow("fraction of a second dropped") << At(2026, 6, 21, 12, 34, 56, 999) << "12:34:56";
    // Taken to the nearest millisecond before the seconds are cut.
    QTest::newRow("rounds up to the next second")
        << Ms(day, 12 * 3600000.0 + 59 * 60000.0 + 59999.6) << "13:00:00";
    QTest::newRow("stays below the next second")
        << Ms(day, 12 * 3600000.0 + 59 * 60000.0 + 59999.4) << "12:59:59";
    QTest::newRow("previous day shows its clock time") << day - 0.1 << "21:36:00";
    QTest::newRow("next day shows its clock time") << day + 1.25 << "06:00:00";
    QTest::newRow("last moment of the day rounds to midnight") << Ms(day, 86399999.7) << "00:00:00";
}

void TestResultLines::eventTime()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(FormatEventTime(value, QStringLiteral("N/A"), QLocale(QStringLiteral("en_US"))),
             expected);
}

void TestResultLines::timeSeparator_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("separator");
    QTest::newRow("English") << "en_US"
                             << ":";
    QTest::newRow("Slovak") << "sk_SK"
                            << ":";
    QTest::newRow("Hungarian") << "hu_HU"
                               << ":";
    QTest::newRow("C") << "C"
                       << ":";
    QTest::newRow("Finnish uses a full stop") << "fi_FI"
                                              << ".";
}

void TestResultLines::timeSeparator()
{
    QFETCH(QString, locale);
    QFETCH(QString, separator);
    QCOMPARE(TimeSeparator(QLocale(locale)), separator);
    QCOMPARE(FormatEventTime(At(2026, 1, 2, 7, 8, 9), QString(), QLocale(locale)),
             QStringLiteral("07") + separator + QStringLiteral("08") + separator +
                 QStringLiteral("09"));
}

void TestResultLines::lineDate_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("date");
    QTest::addColumn<QString>("expected");

    QTest::newRow("English") << "en_US" << DateUtil::EncodeDate(2026, 3, 5) << "05.Mar.2026";
    QTest::newRow("Slovak") << "sk_SK" << DateUtil::EncodeDate(2026, 5, 31) << "31.máj.2026";
    // Hungarian and German abbreviations carry their own full stop.
    QTest::newRow("Hungarian full stop dropped")
        << "hu_HU" << DateUtil::EncodeDate(2026, 3, 5) << "05.márc.2026";
    QTest::newRow("German full stop dropped")
        << "de_DE" << DateUtil::EncodeDate(2026, 10, 1) << "01.Okt.2026";
    QTest::newRow("German without full stop")
        << "de_DE" << DateUtil::EncodeDate(2026, 3, 1) << "01.März.2026";
    QTest::newRow("time of day ignored") << "en_US" << At(2026, 12, 31, 18, 0, 0) << "31.Dec.2026";
    QTest::newRow("four-digit year") << "en_US" << DateUtil::EncodeDate(987, 7, 9) << "09.Jul.0987";
}

void TestResultLines::lineDate()
{
    QFETCH(QString, locale);
    QFETCH(double, date);
    QFETCH(QString, expected);
    QCOMPARE(FormatLineDate(date, QLocale(locale)), expected);
}

void TestResultLines::lineFormat_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("noEvent");
    QTest::addColumn<QString>("expected");

    // Tags and no-event words of the three languages and four time formats.
    const struct {
        const char *row;
        const char *tag;
        const char *noEvent;
    } cases[] = {
        {"Slovak UTC", ", [UTC] =>   ", "nenastáva"},
        {"Slovak CET", ", [SEČ] =>   ", "nenastáva"},
        {"Slovak CEST", ", [SELČ] =>   ", "nenastáva"},
        {"Slovak local", ", [miestny] =>   ", "nenastáva"},
        {"English UTC", ", [UTC] =>   ", "N/A"},
        {"English CET", ", [CET] =>   ", "N/A"},
        {"English CEST", ", [CEST] =>   ", "N/A"},
        {"English local", ", [Local] =>   ", "N/A"},
        {"Hungarian UTC", ", [UTC] =>   ", "nincs"},
        {"Hungarian CET", ", [CET] =>   ", "nincs"},
        {"Hungarian CEST", ", [CEST] =>   ", "nincs"},
        {"Hungarian local", ", [Helyi] =>   ", "nincs"},
    };
    for (const auto &c : cases) {
        const QString tag = QString::fromUtf8(c.tag);
        QTest::newRow(c.row) << tag << QString::fromUtf8(c.noEvent)
                             << QStringLiteral("SK - Poprad, 05.Mar.2026") + tag +
                                    QStringLiteral("05:57:03,   11:49:30,   17:41:59\r\n");
    }
    QTest::newRow("no event in first and third place")
        << ", [CET] =>   "
        << "N/A"
        << "SK - Poprad, 05.Mar.2026, [CET] =>   N/A,   11:49:30,   N/A\r\n";
    QTest::newRow("Slovak no event")
        << ", [SEČ] =>   "
        << "nenastáva"
        << "SK - Poprad, 05.Mar.2026, [SEČ] =>   nenastáva,   11:49:30,   nenastáva\r\n";
    QTest::newRow("empty tag (time format out of range)")
        << ""
        << "N/A"
        << "SK - Poprad, 05.Mar.2026N/A,   11:49:30,   N/A\r\n";
}

void TestResultLines::lineFormat()
{
    QFETCH(QString, tag);
    QFETCH(QString, noEvent);
    QFETCH(QString, expected);
    const bool noSunriseOrSunset = expected.contains(noEvent);
    const double sunrise = noSunriseOrSunset ? 0 : At(2026, 3, 5, 5, 57, 3, 400);
    const double sunset = noSunriseOrSunset ? 0 : At(2026, 3, 5, 17, 41, 59, 999);
    const QString line = BuildResultLine(
        QStringLiteral("SK - Poprad"), DateUtil::EncodeDate(2026, 3, 5), tag, sunrise,
        At(2026, 3, 5, 11, 49, 30), sunset, noEvent, QLocale(QStringLiteral("en_US")));
    QCOMPARE(line, expected);
}

void TestResultLines::emptyNameStartsWithSeparator()
{
    const QString line = BuildResultLine(QString(), DateUtil::EncodeDate(2026, 1, 1),
                                         QStringLiteral(", [UTC] =>   "), 0.3, 0.5, 0.7,
                                         QStringLiteral("N/A"), QLocale(QStringLiteral("en_US")));
    QVERIFY2(line.startsWith(QStringLiteral(", 01.Jan.2026, [UTC] =>   ")), qPrintable(line));
}

void TestResultLines::nameCopiedUnchanged()
{
    const QString name = QStringLiteral("Ňa, \"čo\" → 東京, ") + QString(300, QLatin1Char('x'));
    const QString line = BuildResultLine(name, DateUtil::EncodeDate(2026, 1, 1), QString(), 0, 0, 0,
                                         QStringLiteral("-"), QLocale(QStringLiteral("C")));
    QCOMPARE(line, name + QStringLiteral(", 01.Jan.2026-,   -,   -\r\n"));
}

void TestResultLines::polarDayHasNoSunriseOrSunset_data()
{
    QTest::addColumn<double>("date");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("noEvent");
    QTest::addColumn<QString>("expected");
    const double june = DateUtil::EncodeDate(2026, 6, 21);
    const double december = DateUtil::EncodeDate(2026, 12, 21);
    QTest::newRow("Slovak, polar day")
        << june << ", [SEČ] =>   "
        << "nenastáva"
        << "Longyearbyen, 21.Jun.2026, [SEČ] =>   nenastáva,   12:01:48,   nenastáva\r\n";
    QTest::newRow("English, polar day")
        << june << ", [CET] =>   "
        << "N/A"
        << "Longyearbyen, 21.Jun.2026, [CET] =>   N/A,   12:01:48,   N/A\r\n";
    QTest::newRow("Hungarian, polar day")
        << june << ", [CET] =>   "
        << "nincs"
        << "Longyearbyen, 21.Jun.2026, [CET] =>   nincs,   12:01:48,   nincs\r\n";
    QTest::newRow("English, polar night")
        << december << ", [CET] =>   "
        << "N/A"
        << "Longyearbyen, 21.Dec.2026, [CET] =>   N/A,   11:58:03,   N/A\r\n";
}

void TestResultLines::polarDayHasNoSunriseOrSunset()
{
    QFETCH(double, date);
    QFETCH(QString, tag);
    QFETCH(QString, noEvent);
    QFETCH(QString, expected);
    TSunTime sun;
    SetUpSvalbard(sun);
    QCOMPARE(ResultLineFor(sun, date, QStringLiteral("Longyearbyen"), tag, noEvent,
                           QLocale(QStringLiteral("en_US"))),
             expected);
}

void TestResultLines::referenceDay()
{
    // 48° 37' 04" N, 19° 08' 22" E on a UTC + 2 clock, midsummer 2026.
    TSunTime sun;
    SetUpReferencePlace(sun, 2);
    QCOMPARE(ResultLineFor(sun, DateUtil::EncodeDate(2026, 6, 21), QStringLiteral("Miesto"),
                           QStringLiteral(", [SELČ] =>   "), QStringLiteral("nenastáva"),
                           QLocale(QStringLiteral("sk_SK"))),
             QStringLiteral("Miesto, 21.jún.2026, [SELČ] =>   04:40:55,   12:45:15,   "
                            "20:49:35\r\n"));
}

void TestResultLines::lineForReadsTheCalculator()
{
    // 48° 37' 04" N, 19° 08' 22" E on a UTC + 1 clock, 7 December 2026:
    // sunrise 07:21:29, solar noon 11:34:52, sunset 15:48:02.
    TSunTime sun;
    SetUpReferencePlace(sun, 1);
    const double day = DateUtil::EncodeDate(2026, 12, 7);
    sun.SetDate(day + 100); // ResultLineFor must set the day itself
    QCOMPARE(
        ResultLineFor(sun, day, QStringLiteral("Miesto"), QStringLiteral(", [CET] =>   "),
                      QStringLiteral("N/A"), QLocale(QStringLiteral("en_US"))),
        QStringLiteral("Miesto, 07.Dec.2026, [CET] =>   07:21:29,   11:34:52,   15:48:02\r\n"));
    QCOMPARE(sun.Date(), day);
}

void TestResultLines::monthLines_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("days");
    QTest::addColumn<QString>("lastDate");
    QTest::newRow("February of a leap year") << 2028 << 2 << 29 << "29.Feb.2028";
    QTest::newRow("February 2000 (leap)") << 2000 << 2 << 29 << "29.Feb.2000";
    QTest::newRow("February 2026") << 2026 << 2 << 28 << "28.Feb.2026";
    QTest::newRow("February 2100 (not leap)") << 2100 << 2 << 28 << "28.Feb.2100";
    QTest::newRow("April") << 2026 << 4 << 30 << "30.Apr.2026";
    QTest::newRow("December") << 2026 << 12 << 31 << "31.Dec.2026";
}

void TestResultLines::monthLines()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, days);
    QFETCH(QString, lastDate);
    TSunTime sun;
    SetUpReferencePlace(sun, 1);
    const QLocale locale(QStringLiteral("en_US"));
    const QString tag = QStringLiteral(", [CET] =>   ");
    const QStringList lines = MonthResultLines(sun, year, month, QStringLiteral("Miesto"), tag,
                                               QStringLiteral("N/A"), locale);
    QCOMPARE(lines.size(), days);
    for (int day = 1; day <= days; ++day) {
        QCOMPARE(lines[day - 1].count(QStringLiteral("\r\n")), 1);
        QVERIFY(lines[day - 1].endsWith(QStringLiteral("\r\n")));
        QCOMPARE(lines[day - 1].count(QStringLiteral(",   ")), 2);
    }
    QVERIFY(lines.last().startsWith(QStringLiteral("Miesto, ") + lastDate + tag));
    if (year == 2026 && month == 12)
        QCOMPARE(lines[6], QStringLiteral("Miesto, 07.Dec.2026, [CET] =>   07:21:29,   11:34:52,   "
                                          "15:48:02\r\n"));
}

void TestResultLines::monthRestoresCalculatorDate()
{
    TSunTime sun;
    SetUpPoprad(sun);
    const double calendarDay = DateUtil::EncodeDate(2026, 2, 11);
    sun.SetDate(calendarDay);
    const double noonBefore = sun.EventTime(3);
    MonthResultLines(sun, 2026, 2, QStringLiteral("Poprad"), QString(), QStringLiteral("N/A"),
                     QLocale(QStringLiteral("en_US")));
    QCOMPARE(sun.Date(), calendarDay);
    QCOMPARE(sun.EventTime(3), noonBefore);
}

void TestResultLines::resultOnClock_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("calculatorHours");
    QTest::addColumn<TClock>("clock");
    QTest::addColumn<double>("shown");
    const TClock vienna = TClock::Zone(QTimeZone("Europe/Vienna"));
    QTest::newRow("Vienna, before the spring change")
        << At(2024, 3, 31, 1, 30, 0) << 2.0 << vienna << At(2024, 3, 31, 0, 30, 0);
    QTest::newRow("no event") << 0.0 << 12.0 << vienna << 0.0;
}
void TestResultLines::resultOnClock()
{
    QFETCH(double, value);
    QFETCH(double, calculatorHours);
    QFETCH(TClock, clock);
    QFETCH(double, shown);
    const double result = ResultOnClock(value, calculatorHours, clock);
    QVERIFY2(std::fabs(result - shown) < 1e-8, qPrintable(QString::number(result, 'f', 9)));
}

QTEST_GUILESS_MAIN(TestResultLines)
#include "tst_resultlines.moc"
