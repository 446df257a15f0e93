// The Moon and the sky: Meeus's worked examples, risings, settings and
// transits at chosen places, the phases and their names, the Sun's azimuth at
// the calculator's sunrise, and inputs that must fail.
//
// The rows marked "ephem" were checked once against PyEphem 4.1.4 with
// pressure 0 (so no refraction of its own), elevation 0 and, for risings and
// settings, horizon -0:34 on the upper limb (its default); the Sun's azimuth
// with pressure 0 at the calculator's own sunrise and sunset moments.
#include "suntime/Moon.h"
#include "suntime/SkyPosition.h"
#include "suntime/SunEvents.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <random>

namespace
{

// "yyyy-MM-dd hh:mm:ss" in UTC as a Julian Day.
double Jd(const QString &utc)
{
    QDateTime u = QDateTime::fromString(utc, "yyyy-MM-dd hh:mm:ss");
    u.setTimeSpec(Qt::UTC);
    return u.toSecsSinceEpoch() / 86400.0 + 2440587.5;
}

constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();
// 1992 April 12, 0 h TD, of Meeus's examples 47.a and 48.a.
constexpr double Example47 = 2448724.5;

double UtOfTd(double jdTd)
{
    return jdTd - Sky::DeltaT(jdTd) / 86400;
}

// Principal phases numbered 0 new ... 3 last quarter, as the rows give them.
TEventKind PhaseKind(int phase)
{
    return TEventKind(int(TEventKind::NewMoon) + phase);
}

// R, S or T of a rising, setting or transit.
QChar Letter(TEventKind kind)
{
    return QChar("RST"[int(kind) - int(TEventKind::Moonrise)]);
}

} // namespace

class TestMoon : public QObject
{
    Q_OBJECT

private slots:
    void position_data();
    void position();
    void light_data();
    void light();
    void nextPhase_data();
    void nextPhase();
    void phasesBetween_data();
    void phasesBetween();
    void phaseName_data();
    void phaseName();
    void events_data();
    void events();
    void eventsHangTogether_data();
    void eventsHangTogether();
    void sunAtSunrise_data();
    void sunAtSunrise();
    void deltaT_data();
    void deltaT();
    void refraction_data();
    void refraction();
    void refractionKeepsTheOrder();
    void badInputs_data();
    void badInputs();
    void badMoments_data();
    void badMoments();
};

void TestMoon::position_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");
    // Meeus example 47.a; the short nutation series leaves about 0.1".
    QTest::newRow("apparent longitude") << 0 << 133.167265 << 0.0002;
    QTest::newRow("latitude") << 1 << -3.229126 << 0.000001;
    QTest::newRow("distance") << 2 << 368409.7 << 0.1;
    QTest::newRow("right ascension") << 3 << 134.688470 << 0.0002;
    QTest::newRow("declination") << 4 << 13.768368 << 0.0002;
}

void TestMoon::position()
{
    QFETCH(int, field);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    const Moon::TPosition p = Moon::PositionAt(TInstant::FromJd(UtOfTd(Example47)));
    const double got[] = {p.Longitude, p.Latitude, p.Distance, p.RightAscension, p.Declination};
    QVERIFY2(std::fabs(got[field] - expected) <= tolerance, QByteArray::number(got[field], 'f', 7));
}

void TestMoon::light_data()
{
    QTest::addColumn<double>("jd");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<bool>("waxing");
    QTest::newRow("Meeus 48.a") << UtOfTd(Example47) << 0.6786 << 0.0002 << true;
    QTest::newRow("ephem crescent") << Jd("2026-01-22 00:00:00") << 0.1035 << 0.003 << true;
    QTest::newRow("ephem gibbous") << Jd("2026-01-30 12:00:00") << 0.9223 << 0.003 << true;
    QTest::newRow("ephem last quarter") << Jd("2026-01-10 15:48:21") << 0.5011 << 0.003 << false;
}

void TestMoon::light()
{
    QFETCH(double, jd);
    QFETCH(double, fraction);
    QFETCH(double, tolerance);
    QFETCH(bool, waxing);
    const std::optional<Moon::TLight> l = Moon::LightAt(TInstant::FromJd(jd));
    QVERIFY(l.has_value());
    QVERIFY2(std::fabs(l->Fraction - fraction) <= tolerance, QByteArray::number(l->Fraction));
    QCOMPARE(l->Waxing, waxing);
}

void TestMoon::nextPhase_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<int>("phase");
    QTest::addColumn<double>("expected"); // JD in UT
    QTest::addColumn<double>("seconds");  // tolerance
    // Meeus examples 49.a and 49.b give the moments in TD.
    QTest::newRow("Meeus 49.a new")
        << Jd("1977-02-01 00:00:00") << 0 << UtOfTd(2443192.65118) << 1.0;
    QTest::newRow("Meeus 49.b last quarter")
        << Jd("2044-01-10 00:00:00") << 3 << UtOfTd(2467636.49186) << 1.0;
    QTest::newRow("ephem full") << Jd("2026-01-20 00:00:00") << 2 << Jd("2026-02-01 22:09:10")
                                << 60.0;
    QTest::newRow("ephem first quarter")
        << Jd("2026-01-26 00:00:00") << 1 << Jd("2026-01-26 04:47:21") << 60.0;
    QTest::newRow("at the moment itself")
        << Jd("2026-02-17 12:01:05") - 60 / 86400.0 << 0 << Jd("2026-02-17 12:01:05") << 60.0;
}

void TestMoon::nextPhase()
{
    QFETCH(double, from);
    QFETCH(int, phase);
    QFETCH(double, expected);
    QFETCH(double, seconds);
    const std::optional<TEvent> p = Moon::NextPhase(TInstant::FromJd(from), PhaseKind(phase));
    QVERIFY(p.has_value());
    QCOMPARE(p->Kind, PhaseKind(phase));
    QVERIFY2(std::fabs(p->Time.Jd() - expected) * 86400 <= seconds,
             QByteArray::number((p->Time.Jd() - expected) * 86400));
}

void TestMoon::phasesBetween_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("expected"); // phase number and ephem's moment, UTC
    QTest::newRow("ephem January 2026")
        << "2026-01-01 00:00:00"
        << "2026-02-01 00:00:00"
        << "2 2026-01-03 10:02:51, 3 2026-01-10 15:48:21, 0 2026-01-18 19:51:55, "
           "1 2026-01-26 04:47:21";
    QTest::newRow("ephem, the end left out") << "2026-02-01 22:10:00"
                                             << "2026-02-24 12:00:00"
                                             << "3 2026-02-09 12:43:04, 0 2026-02-17 12:01:05";
}

void TestMoon::phasesBetween()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, expected);
    const std::optional<std::vector<TEvent>> phases =
        Moon::PhasesBetween(TInstant::FromJd(Jd(from)), TInstant::FromJd(Jd(to)));
    QVERIFY(phases.has_value());
    const QStringList want = expected.split(", ");
    QCOMPARE(int(phases->size()), want.size());
    for (int i = 0; i < want.size(); ++i) {
        QCOMPARE((*phases)[i].Kind, PhaseKind(want[i].left(1).toInt()));
        QVERIFY2(std::fabs((*phases)[i].Time.Jd() - Jd(want[i].mid(2))) * 86400 <= 60,
                 qPrintable(want[i]));
    }
}

void TestMoon::phaseName_data()
{
    QTest::addColumn<double>("jd");
    QTest::addColumn<int>("name");
    // Around ephem's new Moon of 2026-01-18 19:51:55 and the phases beside it.
    const double newMoon = Jd("2026-01-18 19:51:55"), hour = 1 / 24.0;
    QTest::newRow("new") << newMoon << int(Moon::TPhaseName::New);
    QTest::newRow("new, 11 h after") << newMoon + 11 * hour << int(Moon::TPhaseName::New);
    QTest::newRow("13 h after new") << newMoon + 13 * hour << int(Moon::TPhaseName::WaxingCrescent);
    QTest::newRow("13 h before new")
        << newMoon - 13 * hour << int(Moon::TPhaseName::WaningCrescent);
    QTest::newRow("first quarter, 11 h before")
        << Jd("2026-01-25 17:47:21") << int(Moon::TPhaseName::FirstQuarter);
    QTest::newRow("waxing gibbous")
        << Jd("2026-01-30 12:00:00") << int(Moon::TPhaseName::WaxingGibbous);
    QTest::newRow("full") << Jd("2026-02-01 22:09:10") << int(Moon::TPhaseName::Full);
    QTest::newRow("last quarter, 11 h after")
        << Jd("2026-02-09 23:43:04") << int(Moon::TPhaseName::LastQuarter);
}

void TestMoon::phaseName()
{
    QFETCH(double, jd);
    QFETCH(int, name);
    const std::optional<Moon::TPhaseName> got = Moon::PhaseNameAt(TInstant::FromJd(jd));
    QVERIFY(got.has_value());
    QCOMPARE(static_cast<int>(*got), name);
}

void TestMoon::events_data()
{
    QTest::addColumn<QString>("day");  // local midnight
    QTest::addColumn<double>("clock"); // hours ahead of UTC
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude"); // east
    QTest::addColumn<bool>("up");          // at the start
    QTest::addColumn<QString>("expected"); // kind and ephem's moment, UTC
    QTest::addColumn<double>("seconds");   // tolerance
    QTest::newRow("ephem Bratislava") << "2026-06-21 00:00:00" << 2.0 << 48.15 << 17.117 << true
                                      << "S 2026-06-20 22:22:59, R 2026-06-21 10:28:03, "
                                         "T 2026-06-21 16:40:06"
                                      << 3.0;
    QTest::newRow("ephem Bratislava, no moonrise")
        << "2026-01-10 00:00:00" << 1.0 << 48.15 << 17.117 << true
        << "T 2026-01-10 04:21:57, S 2026-01-10 09:46:30" << 3.0;
    QTest::newRow("ephem Longyearbyen, low transit")
        << "2026-01-10 00:00:00" << 1.0 << 78.22 << 15.65 << false
        << "R 2026-01-10 01:05:37, T 2026-01-10 04:27:59, S 2026-01-10 07:09:31" << 3.0;
    QTest::newRow("ephem Longyearbyen, up all day, no transit")
        << "2026-01-03 00:00:00" << 1.0 << 78.22 << 15.65 << true << "" << 3.0;
    QTest::newRow("ephem Longyearbyen, down all day")
        << "2026-01-16 00:00:00" << 1.0 << 78.22 << 15.65 << false << "T 2026-01-16 09:08:04"
        << 3.0;
    QTest::newRow("ephem Tromso, rises twice")
        << "2026-06-11 00:00:00" << 2.0 << 69.65 << 18.96 << false
        << "R 2026-06-10 22:24:03, T 2026-06-11 06:58:42, S 2026-06-11 16:47:39, "
           "R 2026-06-11 21:38:35"
        << 3.0;
    // Above the horizon for eight minutes about the transit: only the look
    // between samples finds it. Grazing, the times move by seconds for each
    // second of arc.
    QTest::newRow("ephem 62 N, a moment's rising")
        << "2026-06-02 00:00:00" << 0.0 << 62.0 << 0.0 << false
        << "R 2026-06-02 01:14:25, T 2026-06-02 01:17:49, S 2026-06-02 01:22:44" << 10.0;
    QTest::newRow("ephem Apia, date line, no transit")
        << "2026-05-01 00:00:00" << 13.0 << -13.83 << -171.77 << true
        << "S 2026-04-30 16:48:28, R 2026-05-01 04:37:58" << 3.0;
    QTest::newRow("ephem Suva, date line")
        << "2026-05-01 00:00:00" << 12.0 << -18.14 << 178.44 << true
        << "S 2026-04-30 17:34:07, R 2026-05-01 05:12:12, "
           "T 2026-05-01 11:47:05"
        << 3.0;
}

void TestMoon::events()
{
    QFETCH(QString, day);
    QFETCH(double, clock);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(bool, up);
    QFETCH(QString, expected);
    QFETCH(double, seconds);
    const TInstant from = TInstant::FromJd(Jd(day) - clock / 24);
    const Moon::TMoonEvents e =
        Moon::EventsBetween(from, from.AddDays(1), {latitude, longitude, 0});
    QVERIFY(e.Ok);
    QCOMPARE(e.UpAtStart, up);
    const QStringList want = expected.isEmpty() ? QStringList() : expected.split(", ");
    QCOMPARE(int(e.Events.size()), want.size());
    for (int i = 0; i < want.size(); ++i) {
        QCOMPARE(Letter(e.Events[size_t(i)].Kind), want[i][0]);
        QVERIFY2(std::fabs(e.Events[size_t(i)].Time.Jd() - Jd(want[i].mid(2))) * 86400 <= seconds,
                 qPrintable(want[i]));
    }
    const bool riseOrSet = e.First(TEventKind::Moonrise) || e.First(TEventKind::Moonset);
    QCOMPARE(e.UpAllTheTime(), up && !riseOrSet);
    QCOMPARE(e.DownAllTheTime(), !up && !riseOrSet);
}

void TestMoon::eventsHangTogether_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<double>("maxLatitude");
    QTest::newRow("temperate") << 1u << 60.0;
    QTest::newRow("polar") << 2u << 89.0;
}

// Over random days of 23 to 25 hours: risings and settings alternate from the
// state at the start, everything lies in the window in time order, at a rising
// or setting the centre stands 34' plus a semi-diameter (14.7' ... 16.8') below
// the airless horizon, and at a transit on the meridian.
void TestMoon::eventsHangTogether()
{
    QFETCH(unsigned, seed);
    QFETCH(double, maxLatitude);
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int n = 0; n < 3000; ++n) {
        const double from = 2415020.5 + std::floor(unit(rng) * 73000) + unit(rng);
        const double to = from + (23 + 2 * unit(rng)) / 24;
        const double latitude = (2 * unit(rng) - 1) * maxLatitude;
        const double longitude = 360 * unit(rng) - 180;
        const Moon::TMoonEvents e = Moon::EventsBetween(
            TInstant::FromJd(from), TInstant::FromJd(to), {latitude, longitude, 0});
        const QByteArray where = QByteArray::number(from, 'f', 5) + ' ' +
                                 QByteArray::number(latitude) + ' ' + QByteArray::number(longitude);
        QVERIFY2(e.Ok, where);
        bool isUp = e.UpAtStart;
        double last = from;
        for (const TEvent &x : e.Events) {
            QVERIFY2(x.Time.Jd() >= last && x.Time.Jd() < to, where);
            last = x.Time.Jd();
            const THorizontal h = Moon::HorizontalAt(x.Time, {latitude, longitude, 0}, false);
            if (x.Kind == TEventKind::MoonTransit) {
                // Near the zenith the azimuth says nothing.
                QVERIFY2(h.Altitude > 89.5 || std::fabs(std::remainder(h.Azimuth, 180)) < 0.01,
                         where);
                continue;
            }
            QVERIFY2((x.Kind == TEventKind::Moonrise) != isUp, where);
            isUp = !isUp;
            QVERIFY2(h.Altitude > -0.847 && h.Altitude < -0.811, where);
        }
    }
}

void TestMoon::sunAtSunrise_data()
{
    QTest::addColumn<bool>("morning");
    QTest::addColumn<double>("azimuth");
    QTest::newRow("ephem Bratislava solstice sunrise") << true << 52.2333;
    QTest::newRow("ephem Bratislava solstice sunset") << false << 307.7685;
}

// At the calculator's sunrise the Sun's centre stands at its -0.833 degrees.
void TestMoon::sunAtSunrise()
{
    QFETCH(bool, morning);
    QFETCH(double, azimuth);
    const TObserver bratislava{48.15, 17.117, 0};
    const TSunDay d = ComputeSunDay({2026, 6, 21}, bratislava);
    const TEvent &c =
        morning ? d.Morning[int(TSunZenith::Sunrise)] : d.Evening[int(TSunZenith::Sunrise)];
    QVERIFY(c.Occurs());
    const THorizontal h = Sky::SunHorizontal(c.Time, bratislava, false);
    QVERIFY2(std::fabs(h.Azimuth - azimuth) < 0.01, QByteArray::number(h.Azimuth, 'f', 4));
    QVERIFY2(std::fabs(h.Altitude + 0.833) < 0.001, QByteArray::number(h.Altitude, 'f', 4));
}

void TestMoon::deltaT_data()
{
    QTest::addColumn<double>("jd");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("tolerance");
    // Values of NASA's Five Millennium Canon table of Delta T.
    QTest::newRow("1000") << 2086307.5 << 1570.0 << 10.0;
    QTest::newRow("1900") << 2415020.5 << -2.7 << 0.3;
    QTest::newRow("1950") << 2433282.5 << 29.1 << 0.3;
    QTest::newRow("2000") << 2451544.5 << 63.8 << 0.3;
}

void TestMoon::deltaT()
{
    QFETCH(double, jd);
    QFETCH(double, seconds);
    QFETCH(double, tolerance);
    QVERIFY2(std::fabs(Sky::DeltaT(jd) - seconds) <= tolerance,
             QByteArray::number(Sky::DeltaT(jd)));
}

void TestMoon::refraction_data()
{
    QTest::addColumn<double>("altitude"); // true
    QTest::addColumn<double>("minutes");
    // Bennett's 28.754' at an apparent 0.5 degrees (Meeus example 16.a).
    QTest::newRow("low") << 0.5 - 28.754 / 60 << 28.754;
    // Bennett's 34.48' on the apparent horizon.
    QTest::newRow("horizon") << -34.48 / 60 << 34.48;
    QTest::newRow("45 degrees") << 45.0 << 0.99;
    QTest::newRow("zenith") << 90.0 << 0.0;
    // Below the horizon the body is airless by -2 degrees: the twilights'
    // angles stay their own.
    QTest::newRow("2 degrees below") << -2.0 << 0.0;
    QTest::newRow("civil twilight") << -6.0 << 0.0;
    QTest::newRow("astronomical twilight") << -18.0 << 0.0;
}

// Altitude plus refraction grows with the altitude all the way down, so that
// the sky as seen keeps the order of the sky without air.
void TestMoon::refractionKeepsTheOrder()
{
    double last = -91;
    for (double h = -10; h <= 5; h += 0.01) {
        const double seen = h + Sky::Refraction(h);
        QVERIFY2(seen > last, QByteArray::number(h));
        last = seen;
    }
}

void TestMoon::refraction()
{
    QFETCH(double, altitude);
    QFETCH(double, minutes);
    QVERIFY2(std::fabs(Sky::Refraction(altitude) * 60 - minutes) < 0.1,
             QByteArray::number(Sky::Refraction(altitude) * 60));
}

void TestMoon::badInputs_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    const double day = 2461212.5;
    QTest::newRow("not a number") << Nan << day << 48.0 << 17.0;
    QTest::newRow("infinite") << day << Inf << 48.0 << 17.0;
    QTest::newRow("latitude not a number") << day << day + 1 << Nan << 17.0;
    QTest::newRow("longitude infinite") << day << day + 1 << 48.0 << -Inf;
    QTest::newRow("beyond the pole") << day << day + 1 << 90.5 << 17.0;
    QTest::newRow("backwards") << day << day - 1 << 48.0 << 17.0;
    QTest::newRow("empty") << day << day << 48.0 << 17.0;
    QTest::newRow("too long") << day << day + 2.01 << 48.0 << 17.0;
    QTest::newRow("after the year 9999") << 5373485.0 << 5373486.0 << 48.0 << 17.0;
}

void TestMoon::badInputs()
{
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    const Moon::TMoonEvents e =
        Moon::EventsBetween(TInstant::FromJd(from), TInstant::FromJd(to), {latitude, longitude, 0});
    QVERIFY(!e.Ok);
    QVERIFY(e.Events.empty());
    QVERIFY(!e.UpAllTheTime() && !e.DownAllTheTime());
}

void TestMoon::badMoments_data()
{
    QTest::addColumn<double>("jd");
    QTest::newRow("not a number") << Nan;
    QTest::newRow("infinite") << Inf;
    QTest::newRow("before JD 0") << -1.0;
    QTest::newRow("after the year 9999") << 5373485.0;
}

void TestMoon::badMoments()
{
    QFETCH(double, jd);
    const TInstant at = TInstant::FromJd(jd);
    QVERIFY(!Moon::LightAt(at).has_value());
    QVERIFY(!Moon::PhaseNameAt(at).has_value());
    QVERIFY(!Moon::NextPhase(at, TEventKind::FullMoon).has_value());
    QVERIFY(!Moon::PhasesBetween(at, at.AddDays(1)).has_value());
}

QTEST_APPLESS_MAIN(TestMoon)
#include "tst_moon.moc"
