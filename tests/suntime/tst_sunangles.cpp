// The Sun at any altitude and bearing on one date, and the Moon at a bearing,
// against a table checked once with PyEphem (pressure 0, the centre; a
// bearing's pass found by halving on PyEphem's azimuth, the Moon counted up
// when its upper limb clears -34'): the equator, the southern hemisphere,
// polar day and night, a grazing altitude near the noon height.
#include "suntime/DayEvents.h"

#include <QtTest>

#include <cmath>

namespace
{

// The date of a clock so many hours ahead of UT, its events at one angle.
TDayEvents DateAt(double latitude, double longitude, double hours, const QDate &date,
                  double altitude, double bearing, double moonBearing = qQNaN())
{
    const TInstant from =
        TInstant::FromCivil({date.year(), date.month(), date.day()}).AddSeconds(-hours * 3600);
    TEventRequest request;
    if (std::isfinite(altitude))
        request.Altitudes = {altitude};
    if (std::isfinite(bearing))
        request.Bearings = {bearing};
    if (std::isfinite(moonBearing))
        request.MoonBearings = {moonBearing};
    const std::vector<TDateSpan> spans = {
        {{date.year(), date.month(), date.day()}, from, from.AddDays(1), from.AddDays(0.5)}};
    TObserver observer;
    observer.Latitude = latitude;
    observer.Longitude = longitude;
    return EventsOfDates(spans, observer, request).front();
}

// "hh:mm:ss" on that clock, or why the event is missing.
QString Describe(const TDayEvents &day, TEventKind kind, double angle, double hours)
{
    if (const TEvent *e = day.First(kind, angle)) {
        const double seconds = e->Time.SecondsOfDay(int(hours * 3600));
        return QTime::fromMSecsSinceStartOfDay(int(std::lround(seconds * 1000)))
            .toString(QStringLiteral("hh:mm:ss"));
    }
    switch (day.Status(kind, angle)) {
    case TEventStatus::AboveAllDay:
        return QStringLiteral("above");
    case TEventStatus::BelowAllDay:
        return QStringLiteral("below");
    default:
        return QStringLiteral("none");
    }
}

// Whether two descriptions agree: the same word, or times within seconds.
bool Agree(const QString &actual, const QString &expected, int seconds)
{
    const QTime a = QTime::fromString(actual, QStringLiteral("hh:mm:ss"));
    const QTime e = QTime::fromString(expected, QStringLiteral("hh:mm:ss"));
    if (!a.isValid() || !e.isValid())
        return actual == expected;
    return std::abs(a.secsTo(e)) <= seconds;
}

} // namespace

class TestSunAngles : public QObject
{
    Q_OBJECT

private slots:
    void altitudes_data();
    void altitudes();
    void bearings_data();
    void bearings();
    void moonBearings_data();
    void moonBearings();
};

void TestSunAngles::altitudes_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("hours"); // the clock's offset from UT
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("altitude");
    QTest::addColumn<QString>("rise");
    QTest::addColumn<QString>("set");
    QTest::addColumn<int>("seconds"); // allowed difference
    QTest::newRow("equator 30") << 0.0 << 0.0 << 0.0 << QDate(2026, 3, 20) << 30.0 << "08:07:30"
                                << "16:07:23" << 1;
    QTest::newRow("Sydney -12") << -33.87 << 151.21 << 10.0 << QDate(2026, 6, 21) << -12.0
                                << "06:00:59"
                                << "17:52:47" << 1;
    QTest::newRow("Sydney 20") << -33.87 << 151.21 << 10.0 << QDate(2026, 6, 21) << 20.0
                               << "09:07:47"
                               << "14:45:59" << 1;
    QTest::newRow("Quito -18") << -0.22 << -78.51 << -5.0 << QDate(2026, 9, 1) << -18.0
                               << "05:01:27"
                               << "19:26:28" << 1;
    QTest::newRow("Svalbard midnight Sun above 10")
        << 78.22 << 15.65 << 1.0 << QDate(2026, 6, 21) << 10.0 << "above"
        << "above" << 0;
    QTest::newRow("Svalbard 20") << 78.22 << 15.65 << 1.0 << QDate(2026, 6, 21) << 20.0
                                 << "05:00:37"
                                 << "18:57:48" << 1;
    QTest::newRow("Svalbard never 40")
        << 78.22 << 15.65 << 1.0 << QDate(2026, 6, 21) << 40.0 << "below"
        << "below" << 0;
    QTest::newRow("Svalbard polar night -10")
        << 78.22 << 15.65 << 1.0 << QDate(2026, 12, 21) << -10.0 << "below"
        << "below" << 0;
    // Twenty minutes either side of noon, 0.09° under the noon height.
    QTest::newRow("grazing 65.2") << 48.15 << 17.11 << 2.0 << QDate(2026, 6, 21) << 65.2
                                  << "12:42:55"
                                  << "13:03:49" << 3;
}

void TestSunAngles::altitudes()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, hours);
    QFETCH(QDate, date);
    QFETCH(double, altitude);
    QFETCH(QString, rise);
    QFETCH(QString, set);
    QFETCH(int, seconds);
    const TDayEvents day = DateAt(latitude, longitude, hours, date, altitude, qQNaN());
    const QString r = Describe(day, TEventKind::SunAltitudeRise, altitude, hours);
    const QString s = Describe(day, TEventKind::SunAltitudeSet, altitude, hours);
    QVERIFY2(Agree(r, rise, seconds), qPrintable(r));
    QVERIFY2(Agree(s, set, seconds), qPrintable(s));
}

void TestSunAngles::bearings_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("hours");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("bearing");
    QTest::addColumn<QString>("time");
    QTest::addColumn<double>("altitude"); // of the centre then, without refraction
    QTest::addColumn<int>("seconds");
    QTest::newRow("Bratislava east")
        << 48.15 << 17.11 << 2.0 << QDate(2026, 6, 21) << 90.0 << "08:24:43" << 32.27 << 1;
    // The Sun passes north at night, below the horizon.
    QTest::newRow("Bratislava north below")
        << 48.15 << 17.11 << 2.0 << QDate(2026, 6, 21) << 0.0 << "below" << qQNaN() << 0;
    QTest::newRow("Svalbard midnight Sun north")
        << 78.22 << 15.65 << 1.0 << QDate(2026, 6, 21) << 0.0 << "23:59:19" << 11.65 << 1;
    QTest::newRow("Sydney noon north")
        << -33.87 << 151.21 << 10.0 << QDate(2026, 6, 21) << 0.0 << "11:56:53" << 32.69 << 1;
    // On the equinox at the equator the afternoon Sun stays within a
    // hundredth of a degree of west: a second is 0.004° of azimuth.
    QTest::newRow("equator west") << 0.0 << 0.0 << 0.0 << QDate(2026, 3, 20) << 270.0 << "14:45:28"
                                  << 50.48 << 20;
    // North of the Sun's path: it never stands due south.
    QTest::newRow("tropic, Sun north of the zenith")
        << 23.0 << 0.0 << 0.0 << QDate(2026, 6, 21) << 180.0 << "none" << qQNaN() << 0;
}

void TestSunAngles::bearings()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, hours);
    QFETCH(QDate, date);
    QFETCH(double, bearing);
    QFETCH(QString, time);
    QFETCH(double, altitude);
    QFETCH(int, seconds);
    const TDayEvents day = DateAt(latitude, longitude, hours, date, qQNaN(), bearing);
    const QString t = Describe(day, TEventKind::SunBearing, bearing, hours);
    QVERIFY2(Agree(t, time, seconds), qPrintable(t));
    // The altitude changes by at most 0.004° a second.
    if (const TEvent *e = day.First(TEventKind::SunBearing, bearing))
        QVERIFY2(std::fabs(e->Altitude - altitude) < 0.01 + 0.004 * seconds,
                 qPrintable(QString::number(e->Altitude)));
}

void TestSunAngles::moonBearings_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("hours");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("bearing");
    QTest::addColumn<QString>("time");
    QTest::addColumn<double>("altitude");
    QTest::newRow("Bratislava south")
        << 48.15 << 17.11 << 2.0 << QDate(2026, 6, 21) << 180.0 << "18:40:07" << 40.0;
    // It sets north of west after midnight.
    QTest::newRow("Bratislava west, not on the date")
        << 48.15 << 17.11 << 2.0 << QDate(2026, 6, 21) << 270.0 << "none" << qQNaN();
    QTest::newRow("Sydney north") << -33.87 << 151.21 << 10.0 << QDate(2026, 6, 21) << 0.0
                                  << "17:27:39" << 54.37;
    QTest::newRow("Bratislava north, below the horizon")
        << 48.15 << 17.11 << 2.0 << QDate(2026, 6, 21) << 0.0 << "below" << qQNaN();
    // It passes 120 degrees at 23:15 the evening before and 00:03 the next.
    QTest::newRow("Vienna, between two dates")
        << 48.2082 << 16.3738 << 1.0 << QDate(2024, 3, 31) << 120.0 << "none" << qQNaN();
    // At declination +28.7 the Moon circles the pole north of the zenith:
    // it never stands due south, and passes 30 degrees once up, near the
    // zenith, and once below the horizon.
    QTest::newRow("tropic, never south")
        << 23.0 << 0.0 << 0.0 << QDate(2025, 4, 4) << 180.0 << "none" << qQNaN();
    QTest::newRow("tropic, near the zenith")
        << 23.0 << 0.0 << 0.0 << QDate(2025, 4, 4) << 30.0 << "17:42:03" << 83.95;
}

void TestSunAngles::moonBearings()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, hours);
    QFETCH(QDate, date);
    QFETCH(double, bearing);
    QFETCH(QString, time);
    QFETCH(double, altitude);
    const TDayEvents day = DateAt(latitude, longitude, hours, date, qQNaN(), qQNaN(), bearing);
    const QString t = Describe(day, TEventKind::MoonBearing, bearing, hours);
    QVERIFY2(Agree(t, time, 2), qPrintable(t));
    QCOMPARE(day.All(TEventKind::MoonBearing, bearing).size(), size_t(std::isfinite(altitude)));
    // Refraction lifts the altitude by under 0.03 degrees this high.
    if (const TEvent *e = day.First(TEventKind::MoonBearing, bearing))
        QVERIFY2(std::fabs(e->Altitude - altitude) < 0.05,
                 qPrintable(QString::number(e->Altitude)));
}

QTEST_APPLESS_MAIN(TestSunAngles)
#include "tst_sunangles.moc"
