// The Sun event calculator: reference moments, polar days, clock offsets,
// caching and the inputs it refuses.
#include "suntime/DateUtil.h"
#include "suntime/SunTime.h"

#include <QtTest>

#include <cmath>
#include <cstdlib>
#include <ctime>

namespace
{

// "yyyy-MM-dd hh:mm:ss", the time of day rounded to the millisecond and then
// truncated to the second; "0" for an event that does not occur.
QString Moment(double v)
{
    if (v == 0)
        return QStringLiteral("0");
    int y, mo, d, h, mi, s, ms;
    DateUtil::DecodeDateTime(v, y, mo, d, h, mi, s, ms);
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, s);
}

void SetAngle(TAngle &a, int d, int m, int s)
{
    a.SetDegrees(static_cast<uint16_t>(d));
    a.SetMinutes(static_cast<uint16_t>(m));
    a.SetSeconds(static_cast<uint16_t>(s));
}

// A calculator on a fixed clock: the system zone must not leak in.
void FixedClock(TSunTime &st, double hours)
{
    st.SetUseSysTimeZone(false);
    st.SetTimeZone(hours);
    QVERIFY(st.TimeZone() == hours);
}

const double Summer = DateUtil::EncodeDate(2026, 6, 21);
const double Winter = DateUtil::EncodeDate(2026, 12, 7);

} // namespace

class TestSunTime : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void julianDay_data();
    void julianDay();
    void referenceTimes_data();
    void referenceTimes();
    void resultsMayFallOnPreviousDay();
    void constructionFollowsSystemZone();
    void setDateFollowsSystemZoneWhenOn();
    void useSysTimeZoneWrites();
    void timeZoneWrites_data();
    void timeZoneWrites();
    void timeZoneSameValueKeepsSystemFlag();
    void setDateKeepsCacheForSameDay();
    void setDateNewDayRecomputes();
    void setDateKeepsWholeDay_data();
    void setDateKeepsWholeDay();
    void anglesInvalidate();
    void setAnglesAsWhole();
    void eventIndexOutOfRange_data();
    void eventIndexOutOfRange();
    void poles_data();
    void poles();
    void neverNaN();
    void datesOutsideCalendarGiveNoEvents_data();
    void datesOutsideCalendarGiveNoEvents();

private:
    QByteArray savedTz;
    bool hadTz = false;
};

void TestSunTime::initTestCase()
{
    hadTz = qEnvironmentVariableIsSet("TZ");
    savedTz = qgetenv("TZ");
    setenv("TZ", "Europe/Bratislava", 1);
    tzset();
}

void TestSunTime::cleanupTestCase()
{
    if (hadTz)
        setenv("TZ", savedTz.constData(), 1);
    else
        unsetenv("TZ");
    tzset();
}

void TestSunTime::julianDay_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("d");
    QTest::addColumn<double>("jd");
    QTest::newRow("2000-01-01") << 2000 << 1 << 1 << 2451544.5;
    QTest::newRow("2026-06-21") << 2026 << 6 << 21 << 2461212.5;
    QTest::newRow("2026-12-07") << 2026 << 12 << 7 << 2461381.5;
    QTest::newRow("2000-02-29") << 2000 << 2 << 29 << 2451603.5;
    QTest::newRow("2000-03-01") << 2000 << 3 << 1 << 2451604.5;
    QTest::newRow("1900-03-01") << 1900 << 3 << 1 << 2415079.5;
    QTest::newRow("1899-12-30") << 1899 << 12 << 30 << 2415018.5;
    // Gregorian throughout: no switch back to the Julian calendar.
    QTest::newRow("1582-10-15") << 1582 << 10 << 15 << 2299160.5;
    QTest::newRow("1582-10-04") << 1582 << 10 << 4 << 2299149.5;
    QTest::newRow("0001-01-01") << 1 << 1 << 1 << 1721425.5;
}

void TestSunTime::julianDay()
{
    QFETCH(int, y);
    QFETCH(int, m);
    QFETCH(int, d);
    QFETCH(double, jd);
    QVERIFY2(DateUtil::JulianDay(y, m, d) == jd,
             qPrintable(QString::number(DateUtil::JulianDay(y, m, d), 'f', 2)));
    // One day later is one Julian Day later, across month and year ends.
    const double next = DateUtil::EncodeDate(y, m, d) + 1;
    int ny, nm, nd;
    DateUtil::DecodeDate(next, ny, nm, nd);
    QVERIFY(DateUtil::JulianDay(ny, nm, nd) == jd + 1);
}

void TestSunTime::referenceTimes_data()
{
    QTest::addColumn<int>("latD");
    QTest::addColumn<int>("latM");
    QTest::addColumn<int>("latS");
    QTest::addColumn<int>("latDir");
    QTest::addColumn<int>("lonD");
    QTest::addColumn<int>("lonM");
    QTest::addColumn<int>("lonS");
    QTest::addColumn<int>("lonDir");
    QTest::addColumn<double>("zone");
    QTest::addColumn<double>("date");
    // Empty: not pinned by a reference value.
    QTest::addColumn<QString>("sunrise");
    QTest::addColumn<QString>("noon");
    QTest::addColumn<QString>("sunset");

    QTest::newRow("48N 19E summer, +2") << 48 << 37 << 4 << int(dNorth) << 19 << 8 << 22
                                        << int(dEast) << 2.0 << Summer << "2026-06-21 04:40:55"
                                        << "2026-06-21 12:45:15"
                                        << "2026-06-21 20:49:35";
    QTest::newRow("48N 19E winter, +1") << 48 << 37 << 4 << int(dNorth) << 19 << 8 << 22
                                        << int(dEast) << 1.0 << Winter << "2026-12-07 07:21:29"
                                        << "2026-12-07 11:34:52"
                                        << "2026-12-07 15:48:02";
    QTest::newRow("48N 19E winter, UTC") << 48 << 37 << 4 << int(dNorth) << 19 << 8 << 22
                                         << int(dEast) << 0.0 << Winter << "2026-12-07 06:21:29"
                                         << "2026-12-07 10:34:52"
                                         << "2026-12-07 14:48:02";
    QTest::newRow("78N 15E polar day")
        << 78 << 0 << 0 << int(dNorth) << 15 << 0 << 0 << int(dEast) << 1.0 << Summer << "0"
        << "2026-06-21 12:01:48"
        << "0";
    QTest::newRow("78N 15E polar night")
        << 78 << 0 << 0 << int(dNorth) << 15 << 0 << 0 << int(dEast) << 1.0
        << DateUtil::EncodeDate(2026, 12, 21) << "0"
        << "2026-12-21 11:58:03"
        << "0";
    QTest::newRow("48N 123W sunset next day")
        << 48 << 8 << 0 << int(dNorth) << 123 << 0 << 0 << int(dWest) << 0.0 << Winter << ""
        << ""
        << "2026-12-08 00:18:30";
    QTest::newRow("0N 0W 2000") << 0 << 0 << 0 << int(dNorth) << 0 << 0 << 0 << int(dWest) << 0.0
                                << DateUtil::EncodeDate(2000, 1, 1) << "2000-01-01 05:59:33"
                                << "2000-01-01 12:03:18"
                                << "2000-01-01 18:07:02";
}

void TestSunTime::referenceTimes()
{
    QFETCH(int, latD);
    QFETCH(int, latM);
    QFETCH(int, latS);
    QFETCH(int, latDir);
    QFETCH(int, lonD);
    QFETCH(int, lonM);
    QFETCH(int, lonS);
    QFETCH(int, lonDir);
    QFETCH(double, zone);
    QFETCH(double, date);
    QFETCH(QString, sunrise);
    QFETCH(QString, noon);
    QFETCH(QString, sunset);

    TSunTime st;
    FixedClock(st, zone);
    SetAngle(st.Latitude(), latD, latM, latS);
    st.Latitude().SetDir(static_cast<TLatitudeDir>(latDir));
    SetAngle(st.Longitude(), lonD, lonM, lonS);
    st.Longitude().SetDir(static_cast<TLongitudeDir>(lonDir));
    st.SetDate(date);

    const double rise = st.EventTime(1), set = st.EventTime(2), mid = st.EventTime(3);
    QVERIFY(st.Calculated());
    if (!sunrise.isEmpty())
        QCOMPARE(Moment(rise), sunrise);
    if (!noon.isEmpty())
        QCOMPARE(Moment(mid), noon);
    if (!sunset.isEmpty())
        QCOMPARE(Moment(set), sunset);
    QVERIFY(mid != 0);
    if (rise != 0 && set != 0) {
        QVERIFY(rise < mid);
        QVERIFY(mid < set);
    }
}

void TestSunTime::resultsMayFallOnPreviousDay()
{
    // 170 E on a clock of UTC-12: local noon is shortly after 12:00 UTC-24 h,
    // i.e. on the day before, and the date part must say so.
    TSunTime st;
    FixedClock(st, -12);
    st.Longitude().SetValue(-170);
    st.SetDate(Winter);
    const double noon = st.EventTime(3);
    QVERIFY(noon != 0);
    QCOMPARE(std::trunc(noon), Winter - 1);
    QVERIFY(noon - (Winter - 1) > 0.5);
    QVERIFY(st.EventTime(1) < noon);
    QVERIFY(st.EventTime(2) > noon);
}

void TestSunTime::constructionFollowsSystemZone()
{
    TSunTime st;
    QVERIFY(st.UseSysTimeZone());
    QVERIFY(!st.Calculated());
    QCOMPARE(st.Date(), DateUtil::Today());
    QCOMPARE(st.TimeZone(), -SystemZoneBias(DateUtil::Today()) / 60.0);
    QVERIFY(st.TimeZone() == 1.0 || st.TimeZone() == 2.0); // Bratislava
    QCOMPARE(st.Latitude().Value(), 0.0);
    QCOMPARE(st.Longitude().Value(), 0.0);
    QCOMPARE(st.Latitude().Dir(), dNorth);
    QCOMPARE(st.Longitude().Dir(), dWest);
}

void TestSunTime::setDateFollowsSystemZoneWhenOn()
{
    TSunTime st;
    st.SetDate(Summer);
    QCOMPARE(st.TimeZone(), 2.0);
    QVERIFY(st.UseSysTimeZone());
    st.SetDate(Winter);
    QCOMPARE(st.TimeZone(), 1.0);
    const double winterNoon = st.EventTime(3);
    // The clock offset moves the results by exactly that many hours.
    FixedClock(st, 0);
    QVERIFY(std::fabs((winterNoon - st.EventTime(3)) * 24 - 1) < 1e-9);
    // Once off, a new day keeps the written offset.
    st.SetDate(Summer);
    QCOMPARE(st.TimeZone(), 0.0);
    QVERIFY(!st.UseSysTimeZone());
}

void TestSunTime::useSysTimeZoneWrites()
{
    TSunTime st;
    st.SetDate(Winter);
    st.EventTime(1);
    QVERIFY(st.Calculated());

    // Writing the value it has changes nothing.
    st.SetUseSysTimeZone(true);
    QVERIFY(st.Calculated());

    // Switching off keeps the offset and the results.
    st.SetUseSysTimeZone(false);
    QVERIFY(!st.UseSysTimeZone());
    QCOMPARE(st.TimeZone(), 1.0);
    QVERIFY(st.Calculated());

    st.SetTimeZone(5);
    st.EventTime(1);
    QVERIFY(st.Calculated());
    // Switching on derives the offset for the held day and marks stale.
    st.SetUseSysTimeZone(true);
    QCOMPARE(st.TimeZone(), 1.0);
    QVERIFY(!st.Calculated());
    QVERIFY(st.UseSysTimeZone());
}

void TestSunTime::timeZoneWrites_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("12.5") << 12.5 << false;
    QTest::newRow("-13") << -13.0 << false;
    QTest::newRow("just above 12") << 12.000001 << false;
    QTest::newRow("just below -12") << -12.000001 << false;
    QTest::newRow("NaN") << qQNaN() << false;
    QTest::newRow("+inf") << qInf() << false;
    QTest::newRow("-inf") << -qInf() << false;
    QTest::newRow("12") << 12.0 << true;
    QTest::newRow("-12") << -12.0 << true;
    QTest::newRow("0") << 0.0 << true;
    QTest::newRow("5.5") << 5.5 << true;
    QTest::newRow("-3.25") << -3.25 << true;
}

void TestSunTime::timeZoneWrites()
{
    QFETCH(double, value);
    QFETCH(bool, accepted);

    // Starting from the system's offset: a refused value leaves the flag on.
    TSunTime st;
    st.SetDate(Winter);
    st.EventTime(1);
    const double before = st.TimeZone();
    QVERIFY(st.UseSysTimeZone());
    st.SetTimeZone(value);
    if (accepted) {
        QVERIFY(st.TimeZone() == value);
        QVERIFY(!st.UseSysTimeZone());
        QVERIFY(!st.Calculated());
        const double noon = st.EventTime(3);
        QVERIFY(std::isfinite(noon));
    } else {
        QVERIFY(st.TimeZone() == before);
        QVERIFY(st.UseSysTimeZone());
        QVERIFY(st.Calculated());
    }

    // Starting from a written offset.
    TSunTime fixed;
    FixedClock(fixed, 3);
    fixed.EventTime(2);
    fixed.SetTimeZone(value);
    QVERIFY(fixed.TimeZone() == (accepted ? value : 3.0));
    QCOMPARE(fixed.Calculated(), !accepted);
    QVERIFY(!fixed.UseSysTimeZone());
}

void TestSunTime::timeZoneSameValueKeepsSystemFlag()
{
    TSunTime st;
    st.SetDate(Summer);
    QCOMPARE(st.TimeZone(), 2.0);
    st.EventTime(1);
    st.SetTimeZone(2);
    QVERIFY(st.UseSysTimeZone());
    QVERIFY(st.Calculated());
    // A different offset is taken and turns the system clock off.
    st.SetTimeZone(1);
    QVERIFY(!st.UseSysTimeZone());
    QVERIFY(!st.Calculated());
}

void TestSunTime::setDateKeepsCacheForSameDay()
{
    TSunTime st;
    FixedClock(st, 1);
    st.Latitude().SetValue(48.5);
    st.SetDate(Winter + 0.25);
    const double rise = st.EventTime(1);
    QVERIFY(st.Calculated());
    st.SetDate(Winter + 0.9);
    QVERIFY(st.Calculated());
    QCOMPARE(st.Date(), Winter);
    QVERIFY(st.EventTime(1) == rise);
    st.SetDate(Winter);
    QVERIFY(st.Calculated());
}

void TestSunTime::setDateNewDayRecomputes()
{
    TSunTime st;
    FixedClock(st, 1);
    st.Latitude().SetValue(48.5);
    st.SetDate(Winter);
    const double rise = st.EventTime(1);
    st.SetDate(Winter + 1);
    QVERIFY(!st.Calculated());
    QCOMPARE(st.Date(), Winter + 1);
    const double next = st.EventTime(1);
    QVERIFY(st.Calculated());
    // Early December mornings still get later by well under two minutes.
    const double shift = (next - rise - 1) * 1440;
    QVERIFY2(shift > 0 && shift < 2, qPrintable(QString::number(shift)));
    // Half a day back is another whole day.
    st.SetDate(Winter + 0.5);
    QVERIFY(!st.Calculated());
    QCOMPARE(st.Date(), Winter);
    QVERIFY(st.EventTime(1) == rise);
}

void TestSunTime::setDateKeepsWholeDay_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("day");
    QTest::newRow("afternoon") << Summer + 0.75 << Summer;
    QTest::newRow("midnight") << Summer << Summer;
    QTest::newRow("negative, toward zero") << -1.25 << -1.0;
    QTest::newRow("small negative") << -0.5 << 0.0;
}

void TestSunTime::setDateKeepsWholeDay()
{
    QFETCH(double, value);
    QFETCH(double, day);
    TSunTime st;
    FixedClock(st, 0);
    st.SetDate(Winter);
    st.SetDate(value);
    QVERIFY(st.Date() == day);
    // Not-a-number is no day at all.
    st.SetDate(qQNaN());
    QVERIFY(st.Date() == day);
}

void TestSunTime::anglesInvalidate()
{
    TSunTime st;
    FixedClock(st, 1);
    st.SetDate(Winter);
    SetAngle(st.Latitude(), 48, 37, 4);
    const double rise = st.EventTime(1);
    QVERIFY(st.Calculated());

    st.Latitude().SetDegrees(48); // same value: no notification
    st.Latitude().SetDir(dNorth);
    st.Longitude().SetSeconds(0);
    QVERIFY(st.Calculated());

    st.Latitude().SetMinutes(38);
    QVERIFY(!st.Calculated());
    QVERIFY(st.EventTime(1) != rise);

    st.Longitude().SetDir(dEast);
    QVERIFY(!st.Calculated());
    st.EventTime(1);
    st.Longitude().SetSeconds(61); // carry into the minutes
    QVERIFY(!st.Calculated());
    st.EventTime(1);
    st.Invalidate();
    QVERIFY(!st.Calculated());
    // A stale object still holds its last results until asked again.
    st.EventTime(3);
    QVERIFY(st.Calculated());
}

void TestSunTime::setAnglesAsWhole()
{
    TSunTime st;
    FixedClock(st, 1);
    st.SetDate(Winter);
    TLatitude lat;
    lat.SetValue(-33.5);
    st.SetLatitude(lat);
    QCOMPARE(st.Latitude().Dir(), dSouth);
    QCOMPARE(int(st.Latitude().Degrees()), 33);
    QCOMPARE(int(st.Latitude().Minutes()), 30);
    const double southRise = st.EventTime(1);
    QVERIFY(st.Calculated());
    st.SetLatitude(lat); // same value
    QVERIFY(st.Calculated());

    // A longitude written through a plain angle keeps the longitude's rule.
    TAngle lon;
    lon.SetValue(-200.25);
    st.SetLongitude(lon);
    QCOMPARE(st.Longitude().Dir(), dEast);
    QCOMPARE(int(st.Longitude().Degrees()), 20);
    QCOMPARE(int(st.Longitude().Minutes()), 15);
    QVERIFY(!st.Calculated());

    // Summer in the south: days are longer in December than at the equator.
    const double southLength = st.EventTime(2) - st.EventTime(1);
    lat.SetValue(0);
    st.SetLatitude(lat);
    const double equatorLength = st.EventTime(2) - st.EventTime(1);
    QVERIFY(southLength > equatorLength + 1.5 / 24);
    QVERIFY(southRise != 0);
}

void TestSunTime::eventIndexOutOfRange_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("0") << 0;
    QTest::newRow("4") << 4;
    QTest::newRow("-1") << -1;
    QTest::newRow("1000") << 1000;
}

void TestSunTime::eventIndexOutOfRange()
{
    QFETCH(int, index);
    TSunTime st;
    FixedClock(st, 1);
    st.SetDate(Winter);
    SetAngle(st.Latitude(), 48, 37, 4);
    QVERIFY(st.EventTime(index) == 0);
    QVERIFY(st.Calculated()); // any query computes
    QVERIFY(st.EventTime(1) != 0);
    QVERIFY(st.EventTime(2) != 0);
    QVERIFY(st.EventTime(3) != 0);
    QVERIFY(st.EventTime(index) == 0);
}

void TestSunTime::poles_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("date");
    QTest::newRow("90 N summer") << 90.0 << Summer;
    QTest::newRow("90 N winter") << 90.0 << Winter;
    QTest::newRow("90 S summer") << -90.0 << Summer;
    QTest::newRow("90 S winter") << -90.0 << Winter;
    QTest::newRow("89.99 N summer") << 89.99 << Summer;
    QTest::newRow("80 S winter") << -80.0 << Summer;
    QTest::newRow("70 N winter") << 70.0 << Winter;
}

void TestSunTime::poles()
{
    QFETCH(double, latitude);
    QFETCH(double, date);
    TSunTime st;
    FixedClock(st, 0);
    st.Latitude().SetValue(latitude);
    st.SetDate(date);
    QVERIFY(st.EventTime(1) == 0);
    QVERIFY(st.EventTime(2) == 0);
    // Noon has no hour angle and is always there, near 12:00 at 0 degrees.
    const double noon = st.EventTime(3);
    QVERIFY(std::fabs((noon - date) * 24 - 12) < 0.3);
}

void TestSunTime::neverNaN()
{
    TSunTime st;
    FixedClock(st, 0);
    const double dates[] = {DateUtil::EncodeDate(1, 1, 1),     DateUtil::EncodeDate(1582, 10, 4),
                            DateUtil::EncodeDate(2026, 3, 20), Summer,
                            DateUtil::EncodeDate(2026, 9, 23), Winter,
                            DateUtil::EncodeDate(9999, 12, 31)};
    const int latParts[][3] = {{0, 0, 0},  {30, 0, 0},   {60, 0, 0}, {66, 33, 0},
                               {67, 0, 0}, {89, 59, 59}, {90, 0, 0}, {90, 59, 59}};
    const int lonParts[][3] = {{0, 0, 0}, {45, 0, 0}, {123, 0, 0}, {180, 0, 0}, {180, 59, 59}};
    int checked = 0;
    for (double zone : {-12.0, 0.0, 12.0}) {
        FixedClock(st, zone);
        for (const auto &la : latParts)
            for (const auto &lo : lonParts)
                for (TLatitudeDir ns : {dNorth, dSouth})
                    for (TLongitudeDir ew : {dWest, dEast})
                        for (double date : dates) {
                            SetAngle(st.Latitude(), la[0], la[1], la[2]);
                            st.Latitude().SetDir(ns);
                            SetAngle(st.Longitude(), lo[0], lo[1], lo[2]);
                            st.Longitude().SetDir(ew);
                            st.SetDate(date);
                            for (int i = 1; i <= 3; ++i) {
                                const double v = st.EventTime(i);
                                QVERIFY(std::isfinite(v));
                                if (v != 0)
                                    QVERIFY(std::fabs(v - date) < 2);
                            }
                            QVERIFY(st.EventTime(3) != 0);
                            ++checked;
                        }
    }
    QCOMPARE(checked, 3 * 8 * 5 * 2 * 2 * 7);
}

void TestSunTime::datesOutsideCalendarGiveNoEvents_data()
{
    QTest::addColumn<double>("date");
    QTest::newRow("before year 1") << DateUtil::EncodeDate(1, 1, 1) - 1;
    QTest::newRow("after 9999") << DateUtil::EncodeDate(10000, 1, 1);
    QTest::newRow("huge") << 1e15;
    QTest::newRow("huge negative") << -1e15;
}

void TestSunTime::datesOutsideCalendarGiveNoEvents()
{
    QFETCH(double, date);
    TSunTime st; // with the system clock on, the zone lookup must cope too
    st.SetDate(date);
    for (int i = 1; i <= 3; ++i)
        QVERIFY(st.EventTime(i) == 0);
    QVERIFY(std::isfinite(st.TimeZone()));
}

QTEST_GUILESS_MAIN(TestSunTime)
#include "tst_suntime.moc"
