// A whole year at several latitudes: orderings, smooth day lengths and polar
// seasons that a wrong sign or a broken pass would upset.
#include "suntime/DateUtil.h"
#include "suntime/SunTime.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{

struct Day {
    double date = 0;
    double rise = 0; // minutes after 0 h UTC, or NaN when it does not occur
    double set = 0;
    double noon = 0;
    bool HasBoth() const { return !std::isnan(rise) && !std::isnan(set); }
    bool HasNone() const { return std::isnan(rise) && std::isnan(set); }
};

std::vector<Day> Sweep(double latitude, int year)
{
    TSunTime st;
    st.SetUseSysTimeZone(false);
    st.SetTimeZone(0);
    st.Latitude().SetValue(latitude);
    st.Longitude().SetValue(0);
    std::vector<Day> days;
    const double first = DateUtil::EncodeDate(year, 1, 1);
    const double last = DateUtil::EncodeDate(year, 12, 31);
    for (double date = first; date <= last; ++date) {
        st.SetDate(date);
        Day d;
        d.date = date;
        const auto minutes = [date](double v) { return v == 0 ? NAN : (v - date) * 1440; };
        d.rise = minutes(st.EventTime(1));
        d.set = minutes(st.EventTime(2));
        d.noon = minutes(st.EventTime(3));
        days.push_back(d);
    }
    return days;
}

int DayNo(int year, int month, int day)
{
    return static_cast<int>(DateUtil::EncodeDate(year, month, day) -
                            DateUtil::EncodeDate(year, 1, 1));
}

} // namespace

class TestSunSweep : public QObject
{
    Q_OBJECT

private slots:
    void year_data();
    void year();
};

void TestSunSweep::year_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<int>("year");
    // Largest day-to-day change of the day length, and of that change, in
    // minutes (the real values are about 60 % of these).
    QTest::addColumn<double>("maxStep");
    QTest::addColumn<double>("maxBend");
    // Days without a sunrise or sunset: none, or a first and last date of
    // the polar day (and of the polar night) that must lie inside the season.
    QTest::addColumn<bool>("polarDay");
    QTest::addColumn<bool>("polarNight");

    QTest::newRow("equator") << 0.0 << 2026 << 0.05 << 0.01 << false << false;
    QTest::newRow("48 N") << 48.0 << 2026 << 6.0 << 0.2 << false << false;
    QTest::newRow("48 N leap year") << 48.0 << 2024 << 6.0 << 0.2 << false << false;
    QTest::newRow("66 N") << 66.0 << 2026 << 28.0 << 6.0 << true << false;
    QTest::newRow("78 N") << 78.0 << 2026 << 110.0 << 45.0 << true << true;
    QTest::newRow("45 S") << -45.0 << 2026 << 6.0 << 0.2 << false << false;
}

void TestSunSweep::year()
{
    QFETCH(double, latitude);
    QFETCH(int, year);
    QFETCH(double, maxStep);
    QFETCH(double, maxBend);
    QFETCH(bool, polarDay);
    QFETCH(bool, polarNight);

    const std::vector<Day> days = Sweep(latitude, year);
    QCOMPARE(int(days.size()), DateUtil::IsLeapYear(year) ? 366 : 365);

    const bool north = latitude > 0;
    const int juneSolstice = DayNo(year, 6, 21);
    const int decemberSolstice = DayNo(year, 12, 21);
    const int summer = north ? juneSolstice : decemberSolstice;

    double longest = -1, shortest = 1e9;
    int longestDay = -1, shortestDay = -1;
    int missingInSummer = 0, missingInWinter = 0;
    for (int i = 0; i < int(days.size()); ++i) {
        const Day &d = days[i];
        const QByteArray where = QByteArray::number(i);
        // Noon at 0 degrees longitude on UTC: 12:00 give or take the
        // equation of time (at most about 16.5 minutes).
        QVERIFY2(std::fabs(d.noon - 720) < 17.5, where);
        if (d.HasBoth()) {
            QVERIFY2(d.rise < d.noon && d.noon < d.set, where);
            // Rising and setting lie symmetric about noon, up to the drift of
            // the declination over half a day (large only near polar days).
            QVERIFY2(std::fabs((d.noon - d.rise) - (d.set - d.noon)) < std::max(3.0, maxStep),
                     where);
            const double length = d.set - d.rise;
            if (length > longest) {
                longest = length;
                longestDay = i;
            }
            if (length < shortest) {
                shortest = length;
                shortestDay = i;
            }
        } else {
            // The Sun stays up near the summer solstice, down near the winter.
            const bool isSummer =
                std::abs(i - summer) < 120 || std::abs(i - summer) > int(days.size()) - 120;
            ++(isSummer ? missingInSummer : missingInWinter);
            // A whole polar day or night has neither event; only its first and
            // last days may keep one of them.
            const bool edge = (i > 0 && days[i - 1].HasBoth()) ||
                              (i + 1 < int(days.size()) && days[i + 1].HasBoth());
            QVERIFY2(d.HasNone() || edge, where);
        }
    }

    QCOMPARE(missingInSummer > 0, polarDay);
    QCOMPARE(missingInWinter > 0, polarNight);
    if (!polarDay) {
        // Longest day at the summer solstice, shortest at the winter one.
        QVERIFY2(std::abs(longestDay - summer) <= 3, QByteArray::number(longestDay));
        const int winter = north ? decemberSolstice : juneSolstice;
        QVERIFY2(std::abs(shortestDay - winter) <= 3 ||
                     std::abs(shortestDay - winter) >= int(days.size()) - 3 || latitude == 0,
                 QByteArray::number(shortestDay));
    }
    if (latitude == 0)
        QVERIFY(longest - shortest < 2); // equator: about 12 h 07 min all year
    else
        QVERIFY(longest - shortest > 120);

    // Smooth from day to day wherever consecutive days have both events.
    for (int i = 1; i + 1 < int(days.size()); ++i) {
        const Day &a = days[i - 1], &b = days[i], &c = days[i + 1];
        if (!a.HasBoth() || !b.HasBoth())
            continue;
        const double step = (b.set - b.rise) - (a.set - a.rise);
        QVERIFY2(std::fabs(step) < maxStep, QByteArray::number(i));
        // The rising moves with the day length and the equation of time.
        QVERIFY2(std::fabs(b.rise - a.rise) < maxStep + 0.6, QByteArray::number(i));
        QVERIFY2(std::fabs(b.noon - a.noon) < 0.6, QByteArray::number(i));
        if (c.HasBoth()) {
            const double next = (c.set - c.rise) - (b.set - b.rise);
            QVERIFY2(std::fabs(next - step) < maxBend, QByteArray::number(i));
        }
    }

    // Polar seasons sit where they belong: around the solstices, never near
    // the equinoxes.
    const int equinoxes[] = {DayNo(year, 3, 20), DayNo(year, 9, 23)};
    for (int e : equinoxes)
        for (int i = e - 20; i <= e + 20; ++i)
            QVERIFY2(days[i].HasBoth(), QByteArray::number(i));
    if (polarDay)
        QVERIFY(days[summer].HasNone());
    if (polarNight)
        QVERIFY(days[decemberSolstice].HasNone());
    if (latitude == 78.0) {
        // Midnight sun from about 19 April to 23 August, polar night from
        // about 27 October to 14 February.
        for (int i = DayNo(year, 4, 25); i <= DayNo(year, 8, 15); ++i)
            QVERIFY2(days[i].HasNone(), QByteArray::number(i));
        for (int i = DayNo(year, 11, 1); i <= DayNo(year, 12, 31); ++i)
            QVERIFY2(days[i].HasNone(), QByteArray::number(i));
        for (int i = 0; i <= DayNo(year, 2, 8); ++i)
            QVERIFY2(days[i].HasNone(), QByteArray::number(i));
        for (int i = DayNo(year, 2, 25); i <= DayNo(year, 4, 12); ++i)
            QVERIFY2(days[i].HasBoth(), QByteArray::number(i));
        for (int i = DayNo(year, 8, 30); i <= DayNo(year, 10, 20); ++i)
            QVERIFY2(days[i].HasBoth(), QByteArray::number(i));
    }
    if (latitude == 66.0) {
        // Only a few weeks of midnight sun around the June solstice.
        for (int i = DayNo(year, 6, 15); i <= DayNo(year, 6, 27); ++i)
            QVERIFY2(days[i].HasNone(), QByteArray::number(i));
        for (int i = 0; i < int(days.size()); ++i)
            if (!days[i].HasBoth())
                QVERIFY2(std::abs(i - juneSolstice) <= 15, QByteArray::number(i));
    }
}

QTEST_GUILESS_MAIN(TestSunSweep)
#include "tst_sunsweep.moc"
