// OLE date arithmetic: calendar conversions, times of day and their rounding.
#include "suntime/DateUtil.h"

#include <QtTest>

#include <cmath>

class TestDateUtil : public QObject
{
    Q_OBJECT

private slots:
    void knownDates_data();
    void knownDates();
    void everyDayRoundTrips();
    void leapYears_data();
    void leapYears();
    void daysInMonth_data();
    void daysInMonth();
    void dayOfYear_data();
    void dayOfYear();
    void negativeDates_data();
    void negativeDates();
    void momentsBeforeTheEpoch_data();
    void momentsBeforeTheEpoch();
    void timeRoundTrips();
    void timeRounding_data();
    void timeRounding();
    void encodeTime();
    void today();
};

void TestDateUtil::knownDates_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("d");
    QTest::addColumn<double>("ole");
    QTest::addColumn<int>("weekday");

    QTest::newRow("epoch") << 1899 << 12 << 30 << 0.0 << 7;
    QTest::newRow("epoch+1") << 1899 << 12 << 31 << 1.0 << 1;
    QTest::newRow("1900-01-01") << 1900 << 1 << 1 << 2.0 << 2;
    QTest::newRow("2000-01-01") << 2000 << 1 << 1 << 36526.0 << 7;
    QTest::newRow("2024-02-29") << 2024 << 2 << 29 << 45351.0 << 5;
    QTest::newRow("2026-06-21") << 2026 << 6 << 21 << 46194.0 << 1;
    QTest::newRow("2026-12-07") << 2026 << 12 << 7 << 46363.0 << 2;
    QTest::newRow("1969-07-20") << 1969 << 7 << 20 << 25404.0 << 1;
    QTest::newRow("1800-01-01") << 1800 << 1 << 1 << -36522.0 << 4;
    QTest::newRow("1582-10-15") << 1582 << 10 << 15 << -115858.0 << 6;
    QTest::newRow("0001-01-01") << 1 << 1 << 1 << -693593.0 << 2;
    QTest::newRow("9999-12-31") << 9999 << 12 << 31 << 2958465.0 << 6;
}

void TestDateUtil::knownDates()
{
    QFETCH(int, y);
    QFETCH(int, m);
    QFETCH(int, d);
    QFETCH(double, ole);
    QFETCH(int, weekday);
    QVERIFY(DateUtil::EncodeDate(y, m, d) == ole);
    int yy, mm, dd;
    DateUtil::DecodeDate(ole, yy, mm, dd);
    QCOMPARE(yy, y);
    QCOMPARE(mm, m);
    QCOMPARE(dd, d);
    QCOMPARE(DateUtil::DayOfWeek(ole), weekday);
    // The time of day changes neither the date nor the weekday.
    const double noon = ole < 0 ? ole - 0.5 : ole + 0.5;
    DateUtil::DecodeDate(noon, yy, mm, dd);
    QCOMPARE(dd, d);
    QCOMPARE(DateUtil::DayOfWeek(noon), weekday);
}

void TestDateUtil::everyDayRoundTrips()
{
    // Walk the calendar day by day from 1 January 1 to 31 December 9999 and
    // check the conversions agree with a plain day counter.
    int y = 1, m = 1, d = 1;
    int weekday = 2; // 1 January 1 was a Monday (proleptic Gregorian)
    double ole = DateUtil::EncodeDate(1, 1, 1);
    long checked = 0;
    while (y <= 9999) {
        if (DateUtil::EncodeDate(y, m, d) != ole)
            QFAIL(qPrintable(QString("encode %1-%2-%3").arg(y).arg(m).arg(d)));
        int yy, mm, dd;
        DateUtil::DecodeDate(ole, yy, mm, dd);
        if (yy != y || mm != m || dd != d)
            QFAIL(qPrintable(QString("decode %1").arg(ole)));
        if (DateUtil::DayOfWeek(ole) != weekday)
            QFAIL(qPrintable(QString("weekday %1").arg(ole)));
        ++checked;
        ole += 1;
        weekday = weekday % 7 + 1;
        if (++d > DateUtil::DaysInMonth(y, m)) {
            d = 1;
            if (++m > 12) {
                m = 1;
                ++y;
            }
        }
    }
    QCOMPARE(checked, 3652059L);
}

void TestDateUtil::leapYears_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<bool>("leap");
    QTest::newRow("1600") << 1600 << true;
    QTest::newRow("1700") << 1700 << false;
    QTest::newRow("1900") << 1900 << false;
    QTest::newRow("2000") << 2000 << true;
    QTest::newRow("2024") << 2024 << true;
    QTest::newRow("2026") << 2026 << false;
    QTest::newRow("2100") << 2100 << false;
    QTest::newRow("4") << 4 << true;
    QTest::newRow("1") << 1 << false;
}

void TestDateUtil::leapYears()
{
    QFETCH(int, year);
    QFETCH(bool, leap);
    QCOMPARE(DateUtil::IsLeapYear(year), leap);
    QCOMPARE(DateUtil::DaysInMonth(year, 2), leap ? 29 : 28);
    QCOMPARE(DateUtil::EncodeDate(year + 1, 1, 1) - DateUtil::EncodeDate(year, 1, 1),
             leap ? 366.0 : 365.0);
}

void TestDateUtil::daysInMonth_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("days");
    const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m)
        QTest::newRow(qPrintable(QString::number(m))) << m << days[m - 1];
}

void TestDateUtil::daysInMonth()
{
    QFETCH(int, month);
    QFETCH(int, days);
    QCOMPARE(DateUtil::DaysInMonth(2026, month), days);
    const int next = month == 12 ? 1 : month + 1;
    const int nextYear = month == 12 ? 2027 : 2026;
    QCOMPARE(DateUtil::EncodeDate(nextYear, next, 1) - DateUtil::EncodeDate(2026, month, 1),
             double(days));
}

void TestDateUtil::dayOfYear_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("expected");
    QTest::newRow("1 January") << 2026 << 1 << 1 << 1;
    QTest::newRow("1 February") << 2026 << 2 << 1 << 32;
    QTest::newRow("1 March common") << 2026 << 3 << 1 << 60;
    QTest::newRow("1 March leap") << 2024 << 3 << 1 << 61;
    QTest::newRow("31 December common") << 2026 << 12 << 31 << 365;
    QTest::newRow("31 December leap") << 2024 << 12 << 31 << 366;
    QTest::newRow("21 June") << 2026 << 6 << 21 << 172;
    QTest::newRow("year 1") << 1 << 12 << 31 << 365;
    QTest::newRow("before epoch") << 1899 << 12 << 29 << 363;
}

void TestDateUtil::dayOfYear()
{
    QFETCH(int, y);
    QFETCH(int, m);
    QFETCH(int, d);
    QFETCH(int, expected);
    const double ole = DateUtil::EncodeDate(y, m, d);
    QCOMPARE(DateUtil::DayOfYear(ole), expected);
    QCOMPARE(DateUtil::DayOfYear(ole + (ole < 0 ? -0.75 : 0.75)), expected);
}

void TestDateUtil::negativeDates_data()
{
    // Before the epoch the whole part is still the day and the fraction's
    // absolute value the time of day.
    QTest::addColumn<double>("ole");
    QTest::addColumn<QString>("expected");
    QTest::newRow("-1.25") << -1.25 << "1899-12-29 06:00:00.000";
    QTest::newRow("-1.75") << -1.75 << "1899-12-29 18:00:00.000";
    QTest::newRow("-0.5") << -0.5 << "1899-12-30 12:00:00.000";
    QTest::newRow("-2") << -2.0 << "1899-12-28 00:00:00.000";
    QTest::newRow("end of -1 rounds up") << -1.9999999999 << "1899-12-30 00:00:00.000";
    QTest::newRow("end of -2 rounds up") << -2.99999999995 << "1899-12-29 00:00:00.000";
    QTest::newRow("1800 morning") << -36522.25 << "1800-01-01 06:00:00.000";
}

// The calculator adds hours to a day straight on; before the epoch that
// moment is not the OLE value of the same clock time.
void TestDateUtil::momentsBeforeTheEpoch_data()
{
    QTest::addColumn<double>("moment");
    QTest::addColumn<QString>("expected");
    QTest::newRow("1800 morning") << -36522.0 + 0.25 << "1800-01-01 06:00:00.000";
    QTest::newRow("1800 evening") << -36522.0 + 0.75 << "1800-01-01 18:00:00.000";
    QTest::newRow("previous evening") << -0.25 << "1899-12-29 18:00:00.000";
    QTest::newRow("whole day") << -2.0 << "1899-12-28 00:00:00.000";
    QTest::newRow("after the epoch") << 1.5 << "1899-12-31 12:00:00.000";
}

void TestDateUtil::momentsBeforeTheEpoch()
{
    QFETCH(double, moment);
    QFETCH(QString, expected);
    int y, mo, d, h, mi, s, ms;
    DateUtil::DecodeDateTime(DateUtil::MomentToOle(moment), y, mo, d, h, mi, s, ms);
    QCOMPARE(QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d.%03d", y, mo, d, h, mi, s, ms),
             expected);
}

void TestDateUtil::negativeDates()
{
    QFETCH(double, ole);
    QFETCH(QString, expected);
    int y, mo, d, h, mi, s, ms;
    DateUtil::DecodeDateTime(ole, y, mo, d, h, mi, s, ms);
    QCOMPARE(QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d.%03d", y, mo, d, h, mi, s, ms),
             expected);
}

void TestDateUtil::timeRoundTrips()
{
    // Every second of a day, with a changing millisecond, on days far apart.
    for (double day : {0.0, 46194.0, 2958465.0, -693593.0}) {
        for (int sec = 0; sec < 86400; ++sec) {
            const int ms = (sec * 7) % 1000;
            const double frac = DateUtil::EncodeTime(sec / 3600, sec / 60 % 60, sec % 60, ms);
            const double ole = day < 0 ? day - frac : day + frac;
            int y, mo, d, h, mi, s, msec;
            DateUtil::DecodeDateTime(ole, y, mo, d, h, mi, s, msec);
            if (h * 3600 + mi * 60 + s != sec || msec != ms)
                QFAIL(qPrintable(QString("day %1 second %2").arg(day).arg(sec)));
            int dh, dmi, ds, dms;
            DateUtil::DecodeTime(ole, dh, dmi, ds, dms);
            if (dh != h || dmi != mi || ds != s || dms != msec)
                QFAIL("DecodeTime disagrees with DecodeDateTime");
            if (DateUtil::EncodeDate(y, mo, d) != day)
                QFAIL(qPrintable(QString("date of day %1 second %2").arg(day).arg(sec)));
        }
    }
}

void TestDateUtil::timeRounding_data()
{
    QTest::addColumn<double>("ole");
    QTest::addColumn<QString>("dateTime");
    QTest::addColumn<QString>("time");
    const double day = 46194; // 2026-06-21
    const double ms = 1.0 / 86400000;
    QTest::newRow("rounds down") << day + 0.4 * ms << "2026-06-21 00:00:00.000"
                                 << "00:00:00.000";
    QTest::newRow("rounds up") << day + 0.6 * ms << "2026-06-21 00:00:00.001"
                               << "00:00:00.001";
    QTest::newRow("second boundary")
        << day + DateUtil::EncodeTime(12, 34, 56, 999) + 0.6 * ms << "2026-06-21 12:34:57.000"
        << "12:34:57.000";
    QTest::newRow("carries into next day") << day + 1 - 0.3 * ms << "2026-06-22 00:00:00.000"
                                           << "00:00:00.000";
    // 46388 is 1 January 2027.
    QTest::newRow("carries into next year") << 46388 - 0.1 * ms << "2027-01-01 00:00:00.000"
                                            << "00:00:00.000";
    QTest::newRow("last millisecond stays") << day + 1 - ms << "2026-06-21 23:59:59.999"
                                            << "23:59:59.999";
}

void TestDateUtil::timeRounding()
{
    QFETCH(double, ole);
    QFETCH(QString, dateTime);
    QFETCH(QString, time);
    int y, mo, d, h, mi, s, ms;
    DateUtil::DecodeDateTime(ole, y, mo, d, h, mi, s, ms);
    QCOMPARE(QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d.%03d", y, mo, d, h, mi, s, ms),
             dateTime);
    DateUtil::DecodeTime(ole, h, mi, s, ms);
    QCOMPARE(QString::asprintf("%02d:%02d:%02d.%03d", h, mi, s, ms), time);
}

void TestDateUtil::encodeTime()
{
    QCOMPARE(DateUtil::EncodeTime(12, 0, 0), 0.5);
    QCOMPARE(DateUtil::EncodeTime(6, 0, 0), 0.25);
    QCOMPARE(DateUtil::EncodeTime(0, 0, 0), 0.0);
    QVERIFY(std::fabs(DateUtil::EncodeTime(23, 59, 59, 999) - (86399999.0 / 86400000)) < 1e-15);
    QVERIFY(std::fabs(DateUtil::EncodeTime(0, 0, 1) - 1.0 / 86400) < 1e-15);
}

void TestDateUtil::today()
{
    const QDate now = QDate::currentDate();
    double today = DateUtil::Today();
    // Retry once if midnight passed in between.
    if (QDate::currentDate() != now)
        today = DateUtil::Today();
    QCOMPARE(today, DateUtil::EncodeDate(now.year(), now.month(), now.day()));
    QCOMPARE(today, std::trunc(today));
}

QTEST_GUILESS_MAIN(TestDateUtil)
#include "tst_dateutil.moc"
