// The Sun's appearances from behind a real horizon, against a reference
// checked once with PyEphem: over the terrain its apparent upper limb
// (refraction at 1010 hPa and 10 C) over the profile at the Sun's azimuth,
// second by second; over a flat horizon its sunrise and sunset with the
// horizon at -(0:50 + dip), pressure 0, the centre.
#include "suntime/DayEvents.h"

#include <QtTest>

#include <cmath>

namespace
{

using TProfile = std::vector<THorizonPoint>;

// A date of a clock so many hours ahead of UT with its visible events.
TDayEvents DateAt(double latitude, double longitude, double hours, const QDate &date,
                  const THorizon &horizon)
{
    const TCivilDate day{date.year(), date.month(), date.day()};
    const TInstant from = TInstant::FromCivil(day).AddSeconds(-hours * 3600);
    TEventRequest request;
    request.Horizon = horizon;
    TObserver observer;
    observer.Latitude = latitude;
    observer.Longitude = longitude;
    return EventsOfDates({{day, from, from.AddDays(1), from.AddDays(0.5)}}, observer, request)
        .front();
}

// "a 09:23:42 d 14:58:14": the appearances and disappearances on the clock.
QString Crossings(const TDayEvents &day, double hours)
{
    QStringList parts;
    for (const TEvent &e : day.Events)
        if (e.Occurs() && (e.Kind == TEventKind::SunAppears || e.Kind == TEventKind::SunDisappears))
            parts << (e.Kind == TEventKind::SunAppears ? QStringLiteral("a ")
                                                       : QStringLiteral("d ")) +
                         QTime::fromMSecsSinceStartOfDay(
                             int(std::lround(e.Time.SecondsOfDay(int(hours * 3600)) * 1000)) %
                             86400000)
                             .toString(QStringLiteral("hh:mm:ss"));
    return parts.join(u' ');
}

// Whether two such lists agree: the same letters, times within seconds.
bool Agree(const QString &actual, const QString &expected, int seconds)
{
    const QStringList a = actual.split(u' ', Qt::SkipEmptyParts);
    const QStringList e = expected.split(u' ', Qt::SkipEmptyParts);
    if (a.size() != e.size())
        return false;
    for (int i = 0; i < a.size(); i += 2) {
        const QTime ta = QTime::fromString(a[i + 1], QStringLiteral("hh:mm:ss"));
        const QTime te = QTime::fromString(e[i + 1], QStringLiteral("hh:mm:ss"));
        if (a[i] != e[i] || std::abs(ta.secsTo(te)) > seconds)
            return false;
    }
    return true;
}

} // namespace

Q_DECLARE_METATYPE(THorizonPoint)

class TestVisibleEvents : public QObject
{
    Q_OBJECT

private slots:
    void crossings_data();
    void crossings();
    void flatIsTheSunrise();
};

void TestVisibleEvents::crossings_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("hours");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<TProfile>("profile");
    QTest::addColumn<double>("height");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("status"); // of a date without an appearance
    const int occurs = int(TEventStatus::Occurs);
    TProfile ridge;
    for (int az = 0; az < 360; az += 10)
        ridge.push_back({double(az), 8.5 + 3.5 * std::sin(az * 3 * M_PI / 180)});
    QTest::newRow("valley ridge 5 ... 12") << 48.7 << 19.1 << 1.0 << QDate(2026, 12, 21) << ridge
                                           << 0.0 << "a 09:23:42 d 14:58:14" << occurs;
    QTest::newRow("1000 m above a plain")
        << 48.15 << 17.11 << 1.0 << QDate(2026, 12, 21) << TProfile() << 1000.0
        << "a 07:32:22 d 16:06:50" << occurs;
    QTest::newRow("hidden all day")
        << 69.65 << 18.96 << 1.0 << QDate(2026, 11, 20) << TProfile{{0, 5}, {180, 5}} << 0.0 << ""
        << int(TEventStatus::BelowAllDay);
    // The low winter Sun behind a peak at noon, and out again; it rises and
    // sets over the flat horizon.
    QTest::newRow("behind a peak")
        << 60.0 << 10.0 << 1.0 << QDate(2026, 12, 21)
        << TProfile{{0, 0}, {170, 0}, {178, 10}, {182, 10}, {190, 0}} << 0.0
        << "a 09:21:57 d 11:58:31 a 12:37:36 d 15:14:08" << occurs;
    // The midnight Sun behind a hill across north, the profile wrapping at 360.
    QTest::newRow("across north") << 78.22 << 15.65 << 2.0 << QDate(2026, 6, 21)
                                  << TProfile{{340, 0}, {350, 15}, {10, 15}, {20, 0}, {180, 0}}
                                  << 0.0 << "d 00:08:35 a 01:49:37" << occurs;
}

void TestVisibleEvents::crossings()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, hours);
    QFETCH(QDate, date);
    QFETCH(TProfile, profile);
    QFETCH(double, height);
    QFETCH(QString, expected);
    QFETCH(int, status);
    const TDayEvents day = DateAt(latitude, longitude, hours, date, THorizon(profile, height));
    const QString found = Crossings(day, hours);
    QVERIFY2(Agree(found, expected, 2), qPrintable(found));
    if (status != int(TEventStatus::Occurs)) {
        QCOMPARE(int(day.Status(TEventKind::SunAppears)), status);
        QCOMPARE(int(day.Status(TEventKind::SunDisappears)), status);
    }
}

// Over the flat horizon from ground level the visible sunrise and sunset are
// the sunrise and sunset themselves, to the millisecond: a profile at or
// below the level changes nothing.
void TestVisibleEvents::flatIsTheSunrise()
{
    for (const TProfile &profile : {TProfile(), TProfile{{0, 0}, {120, -2}, {240, 0}}}) {
        const TDayEvents day = DateAt(48.15, 17.11, 2.0, QDate(2026, 6, 21), THorizon(profile, 0));
        QVERIFY(day.First(TEventKind::SunAppears) && day.First(TEventKind::Sunrise));
        QCOMPARE(day.First(TEventKind::SunAppears)->Time.UnixMs(),
                 day.First(TEventKind::Sunrise)->Time.UnixMs());
        QCOMPARE(day.First(TEventKind::SunDisappears)->Time.UnixMs(),
                 day.First(TEventKind::Sunset)->Time.UnixMs());
    }
}

QTEST_APPLESS_MAIN(TestVisibleEvents)
#include "tst_visibleevents.moc"
