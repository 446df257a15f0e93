// The calculator's day of every zenith angle: agreement with TSunTime,
// reference twilights, polar days and nights, white nights and bad inputs.
#include "suntime/DateUtil.h"
#include "suntime/SunEvents.h"
#include "suntime/SunTime.h"

#include <QtTest>

#include <cmath>
#include <random>

namespace
{

// "yyyy-MM-dd hh:mm:ss" on a clock so many hours ahead of UTC (rounded to
// the millisecond, then truncated to the second) for an event that occurs,
// otherwise "above", "below" or "failed".
QString Describe(const TEvent &e, double clock)
{
    switch (e.Status) {
    case TEventStatus::Occurs: {
        int y, mo, d, h, mi, s, ms;
        DateUtil::DecodeDateTime(e.Time.Ole() + clock / 24, y, mo, d, h, mi, s, ms);
        return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, s);
    }
    case TEventStatus::AboveAllDay:
        return QStringLiteral("above");
    case TEventStatus::BelowAllDay:
        return QStringLiteral("below");
    default:
        return QStringLiteral("failed");
    }
}

// One letter per event: O occurs, A above, B below, F failed.
QChar Letter(const TEvent &e)
{
    return QChar("OABFN"[static_cast<int>(e.Status)]);
}

QString Letters(const TSunDay &d)
{
    QString s;
    for (int z = 0; z < SunZenithCount; ++z)
        s += QString(Letter(d.Morning[z])) + Letter(d.Evening[z]) + ' ';
    return s.trimmed();
}

// The UTC day of a date-time value's day.
TCivilDate UtcDay(double day)
{
    int y, m, d;
    DateUtil::DecodeDate(day, y, m, d);
    return {y, m, d};
}

int ZenithIndex(double zenith)
{
    for (int z = 0; z < SunZenithCount; ++z)
        if (ZenithOf(TSunZenith(z)) == zenith)
            return z;
    return -1;
}

double Dms(int d, int m, int s)
{
    return d + m / 60.0 + s / 3600.0; // as TAngle::Value adds them up
}

const double Dec7 = DateUtil::EncodeDate(2026, 12, 7);
const double June21 = DateUtil::EncodeDate(2026, 6, 21);
const double Dec21 = DateUtil::EncodeDate(2026, 12, 21);

} // namespace

class TestSunEvents : public QObject
{
    Q_OBJECT

private slots:
    void sameAsSunTime_data();
    void sameAsSunTime();
    void references_data();
    void references();
    void sunDay_data();
    void sunDay();
    void badInputsFail_data();
    void badInputsFail();
};

void TestSunEvents::sameAsSunTime_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("minLatitude"); // whole degrees, either hemisphere
    QTest::addColumn<bool>("quarterHours");

    QTest::newRow("all latitudes") << 1u << 8000 << 0 << true;
    QTest::newRow("all latitudes, any clock") << 2u << 6000 << 0 << false;
    QTest::newRow("polar caps") << 3u << 6000 << 60 << true;
}

// Sunrise, sunset and noon of 90.833 degrees must be TSunTime's, for
// TSunTime's own inputs: whole seconds of arc and clocks within 12 hours.
// TSunTime adds its clock to the date-time value, the day to the moment: the
// two agree to far under a millisecond.
void TestSunEvents::sameAsSunTime()
{
    QFETCH(unsigned, seed);
    QFETCH(int, count);
    QFETCH(int, minLatitude);
    QFETCH(bool, quarterHours);

    std::mt19937 rng(seed);
    const auto uniform = [&rng](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    const int first = static_cast<int>(DateUtil::EncodeDate(1900, 1, 1));
    const int last = static_cast<int>(DateUtil::EncodeDate(2100, 12, 31));
    int missing = 0;
    for (int i = 0; i < count; ++i) {
        const double day = uniform(first, last);
        // 90 and 180 degrees come only with zero minutes and seconds.
        const int latD = uniform(minLatitude, 90);
        const int latM = latD == 90 ? 0 : uniform(0, 59);
        const int latS = latD == 90 ? 0 : uniform(0, 59);
        const int lonD = uniform(0, 180);
        const int lonM = lonD == 180 ? 0 : uniform(0, 59);
        const int lonS = lonD == 180 ? 0 : uniform(0, 59);
        const bool south = uniform(0, 1), east = uniform(0, 1);
        const double clock = quarterHours ? uniform(-48, 48) / 4.0
                                          : std::uniform_real_distribution<double>(-12, 12)(rng);

        TSunTime st;
        st.SetUseSysTimeZone(false);
        st.SetTimeZone(clock);
        st.Latitude().SetDegrees(uint16_t(latD));
        st.Latitude().SetMinutes(uint16_t(latM));
        st.Latitude().SetSeconds(uint16_t(latS));
        st.Latitude().SetDir(south ? dSouth : dNorth);
        st.Longitude().SetDegrees(uint16_t(lonD));
        st.Longitude().SetMinutes(uint16_t(lonM));
        st.Longitude().SetSeconds(uint16_t(lonS));
        st.Longitude().SetDir(east ? dEast : dWest);
        st.SetDate(day);

        const double latitude = south ? -Dms(latD, latM, latS) : Dms(latD, latM, latS);
        const double longitude = east ? Dms(lonD, lonM, lonS) : -Dms(lonD, lonM, lonS);
        const TSunDay sd = ComputeSunDay(UtcDay(day), {latitude, longitude, 0});
        const TEvent &morning = sd.Morning[int(TSunZenith::Sunrise)];
        const TEvent &evening = sd.Evening[int(TSunZenith::Sunrise)];

        const QByteArray where = QString::asprintf("day %.0f lat %.6f lon %.6f clock %g", day,
                                                   latitude, longitude, clock)
                                     .toLatin1();
        const auto same = [clock](const TEvent &e, double value) {
            return std::fabs(e.Time.Ole() + clock / 24 - value) * 86400 < 1e-4;
        };
        const double rise = st.EventTime(1), set = st.EventTime(2), noon = st.EventTime(3);
        QVERIFY2(morning.Occurs() == (rise != 0), where);
        QVERIFY2(evening.Occurs() == (set != 0), where);
        if (rise != 0)
            QVERIFY2(same(morning, rise), where);
        if (set != 0)
            QVERIFY2(same(evening, set), where);
        QVERIFY2(same(sd.Noon, noon), where);
        // With finite inputs a missing event always has its reason.
        QVERIFY2(morning.Status != TEventStatus::Failed, where);
        QVERIFY2(evening.Status != TEventStatus::Failed, where);
        missing += rise == 0 || set == 0;
    }
    // The polar rows really reach polar days and nights.
    QVERIFY(minLatitude < 60 || missing > count / 10);
}

void TestSunEvents::references_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitudeWest"); // as the reference rows were written
    QTest::addColumn<double>("day");
    QTest::addColumn<double>("clock");
    QTest::addColumn<double>("zenith");
    QTest::addColumn<QString>("morning");
    QTest::addColumn<QString>("evening");

    // Our own values; each was checked against PyEphem (VSOP87, Sun's centre,
    // no refraction) and lies within the accuracy figures of the method:
    // within 3 s up to 60 degrees of latitude, within 10 s at 70 and 78.
    const double bratLat = Dms(48, 37, 4), bratLon = -Dms(19, 8, 22);
    QTest::newRow("48N 19E winter civil")
        << bratLat << bratLon << Dec7 << 1.0 << Zenith::Civil << "2026-12-07 06:44:56"
        << "2026-12-07 16:24:34";
    QTest::newRow("48N 19E winter nautical")
        << bratLat << bratLon << Dec7 << 1.0 << Zenith::Nautical << "2026-12-07 06:05:05"
        << "2026-12-07 17:04:25";
    QTest::newRow("48N 19E winter astronomical")
        << bratLat << bratLon << Dec7 << 1.0 << Zenith::Astronomical << "2026-12-07 05:27:00"
        << "2026-12-07 17:42:29";
    QTest::newRow("48N 19E summer nautical")
        << bratLat << bratLon << June21 << 2.0 << Zenith::Nautical << "2026-06-21 02:58:46"
        << "2026-06-21 22:31:43";
    // The Sun stays within 18 degrees of the horizon all night.
    QTest::newRow("48N 19E summer astronomical")
        << bratLat << bratLon << June21 << 2.0 << Zenith::Astronomical << "above"
        << "above";

    // Svalbard: polar twilight without a sunrise, and twilight that does not end.
    const double feb10 = DateUtil::EncodeDate(2026, 2, 10);
    const double apr1 = DateUtil::EncodeDate(2026, 4, 1);
    const double oct20 = DateUtil::EncodeDate(2026, 10, 20);
    QTest::newRow("78N February sunrise")
        << 78.0 << -15.0 << feb10 << 1.0 << Zenith::SunriseSunset << "below"
        << "below";
    QTest::newRow("78N February civil")
        << 78.0 << -15.0 << feb10 << 1.0 << Zenith::Civil << "2026-02-10 09:05:53"
        << "2026-02-10 15:24:49";
    QTest::newRow("78N February nautical")
        << 78.0 << -15.0 << feb10 << 1.0 << Zenith::Nautical << "2026-02-10 06:53:25"
        << "2026-02-10 17:37:49";
    QTest::newRow("78N February astronomical")
        << 78.0 << -15.0 << feb10 << 1.0 << Zenith::Astronomical << "2026-02-10 04:57:15"
        << "2026-02-10 19:35:05";
    QTest::newRow("78N April civil")
        << 78.0 << -15.0 << apr1 << 1.0 << Zenith::Civil << "2026-04-01 02:00:52"
        << "2026-04-01 22:20:19";
    QTest::newRow("78N April nautical")
        << 78.0 << -15.0 << apr1 << 1.0 << Zenith::Nautical << "above"
        << "above";
    QTest::newRow("78N October astronomical")
        << 78.0 << -15.0 << oct20 << 1.0 << Zenith::Astronomical << "2026-10-20 03:00:50"
        << "2026-10-20 20:22:28";
    // Antarctic winter: twilight around noon only.
    QTest::newRow("70S June sunrise")
        << -70.0 << 0.0 << June21 << 0.0 << Zenith::SunriseSunset << "below"
        << "below";
    QTest::newRow("70S June civil")
        << -70.0 << 0.0 << June21 << 0.0 << Zenith::Civil << "2026-06-21 09:58:10"
        << "2026-06-21 14:05:28";
    QTest::newRow("70S June astronomical")
        << -70.0 << 0.0 << June21 << 0.0 << Zenith::Astronomical << "2026-06-21 06:49:24"
        << "2026-06-21 17:14:14";

    // Southern hemisphere, on a clock 10 hours ahead.
    const double sydLat = -Dms(33, 52, 0), sydLon = -Dms(151, 12, 0);
    QTest::newRow("34S 151E June sunrise")
        << sydLat << sydLon << June21 << 10.0 << Zenith::SunriseSunset << "2026-06-21 06:59:59"
        << "2026-06-21 16:53:52";
    QTest::newRow("34S 151E June civil")
        << sydLat << sydLon << June21 << 10.0 << Zenith::Civil << "2026-06-21 06:32:15"
        << "2026-06-21 17:21:36";
    QTest::newRow("34S 151E June astronomical")
        << sydLat << sydLon << June21 << 10.0 << Zenith::Astronomical << "2026-06-21 05:30:31"
        << "2026-06-21 18:23:19";

    // The equator.
    const double y2000 = DateUtil::EncodeDate(2000, 1, 1);
    QTest::newRow("equator sunrise")
        << 0.0 << 0.0 << y2000 << 0.0 << Zenith::SunriseSunset << "2000-01-01 05:59:33"
        << "2000-01-01 18:07:02";
    QTest::newRow("equator civil")
        << 0.0 << 0.0 << y2000 << 0.0 << Zenith::Civil << "2000-01-01 05:37:05"
        << "2000-01-01 18:29:30";
    QTest::newRow("equator nautical")
        << 0.0 << 0.0 << y2000 << 0.0 << Zenith::Nautical << "2000-01-01 05:10:55"
        << "2000-01-01 18:55:39";
    QTest::newRow("equator astronomical")
        << 0.0 << 0.0 << y2000 << 0.0 << Zenith::Astronomical << "2000-01-01 04:44:39"
        << "2000-01-01 19:21:54";

    // The date line from either side: the same local day, a whole day apart
    // in UTC, so the times differ by the Sun's motion over that day.
    const double mar15 = DateUtil::EncodeDate(2026, 3, 15);
    QTest::newRow("180E civil") << -17.5 << -180.0 << mar15 << 12.0 << Zenith::Civil
                                << "2026-03-15 05:40:57"
                                << "2026-03-15 18:36:48";
    QTest::newRow("180W civil") << -17.5 << 180.0 << mar15 << -12.0 << Zenith::Civil
                                << "2026-03-15 05:41:11"
                                << "2026-03-15 18:36:01";
    QTest::newRow("180W sunrise") << -17.5 << 180.0 << mar15 << -12.0 << Zenith::SunriseSunset
                                  << "2026-03-15 06:02:53"
                                  << "2026-03-15 18:14:19";

    // White night: the Sun sets, civil dusk comes after midnight, and it
    // never gets 12 degrees below the horizon.
    QTest::newRow("60N June sunrise")
        << 60.0 << -25.0 << June21 << 3.0 << Zenith::SunriseSunset << "2026-06-21 03:55:44"
        << "2026-06-21 22:47:52";
    QTest::newRow("60N June civil")
        << 60.0 << -25.0 << June21 << 3.0 << Zenith::Civil << "2026-06-21 02:09:03"
        << "2026-06-22 00:34:32";
    QTest::newRow("60N June nautical")
        << 60.0 << -25.0 << June21 << 3.0 << Zenith::Nautical << "above"
        << "above";
    QTest::newRow("60N June astronomical")
        << 60.0 << -25.0 << June21 << 3.0 << Zenith::Astronomical << "above"
        << "above";

    // On UTC the evening events of the Pacific coast fall on the next day.
    const double vanLat = Dms(48, 8, 0);
    QTest::newRow("48N 123W sunset next day")
        << vanLat << 123.0 << Dec7 << 0.0 << Zenith::SunriseSunset << "2026-12-07 15:48:29"
        << "2026-12-08 00:18:30";
    QTest::newRow("48N 123W astronomical next day")
        << vanLat << 123.0 << Dec7 << 0.0 << Zenith::Astronomical << "2026-12-07 13:55:12"
        << "2026-12-08 02:11:46";
}

void TestSunEvents::references()
{
    QFETCH(double, latitude);
    QFETCH(double, longitudeWest);
    QFETCH(double, day);
    QFETCH(double, clock);
    QFETCH(double, zenith);
    QFETCH(QString, morning);
    QFETCH(QString, evening);

    const TSunDay d = ComputeSunDay(UtcDay(day), {latitude, -longitudeWest, 0});
    const int z = ZenithIndex(zenith);
    QCOMPARE(Describe(d.Morning[z], clock), morning);
    QCOMPARE(Describe(d.Evening[z], clock), evening);
    if (d.Morning[z].Occurs() && d.Evening[z].Occurs())
        QVERIFY(d.Morning[z].Time < d.Evening[z].Time);
}

void TestSunEvents::sunDay_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitudeWest");
    QTest::addColumn<double>("day");
    QTest::addColumn<double>("clock");
    QTest::addColumn<QString>("noon");
    QTest::addColumn<double>("noonAltitude"); // PyEphem's, to 0.02 degrees
    // Morning and evening of sunrise, civil, nautical, astronomical:
    // O occurs, A the Sun stays above, B it stays below.
    QTest::addColumn<QString>("states");

    QTest::newRow("78N polar day")
        << 78.0 << -15.0 << June21 << 1.0 << "2026-06-21 12:01:48" << 35.436 << "AA AA AA AA";
    QTest::newRow("78N polar night")
        << 78.0 << -15.0 << Dec21 << 1.0 << "2026-12-21 11:58:03" << -11.438 << "BB BB OO OO";
    QTest::newRow("60N white night")
        << 60.0 << -25.0 << June21 << 3.0 << "2026-06-21 13:21:48" << 53.436 << "OO OO AA AA";
    QTest::newRow("equator") << 0.0 << 0.0 << DateUtil::EncodeDate(2000, 1, 1) << 0.0
                             << "2000-01-01 12:03:18" << 66.967 << "OO OO OO OO";
    QTest::newRow("34S winter") << -Dms(33, 52, 0) << -Dms(151, 12, 0) << June21 << 10.0
                                << "2026-06-21 11:56:55" << 32.695 << "OO OO OO OO";
    // The last day of the polar day: the Sun sets shortly before midnight,
    // while in the morning it never went down.
    QTest::newRow("78N sunset only") << 78.0 << -15.0 << DateUtil::EncodeDate(2026, 8, 24) << 1.0
                                     << "2026-08-24 12:02:23" << 23.005 << "AO AA AA AA";
}

void TestSunEvents::sunDay()
{
    QFETCH(double, latitude);
    QFETCH(double, longitudeWest);
    QFETCH(double, day);
    QFETCH(double, clock);
    QFETCH(QString, noon);
    QFETCH(double, noonAltitude);
    QFETCH(QString, states);

    const TSunDay d = ComputeSunDay(UtcDay(day), {latitude, -longitudeWest, 0});
    QCOMPARE(Describe(d.Noon, clock), noon);
    QVERIFY2(std::fabs(d.NoonAltitude - noonAltitude) < 0.02, QByteArray::number(d.NoonAltitude));
    QCOMPARE(Letters(d), states);

    // Deeper twilights begin earlier and end later.
    for (int z = 1; z < SunZenithCount; ++z) {
        if (d.Morning[z].Occurs() && d.Morning[z - 1].Occurs())
            QVERIFY(d.Morning[z].Time < d.Morning[z - 1].Time);
        if (d.Evening[z].Occurs() && d.Evening[z - 1].Occurs())
            QVERIFY(d.Evening[z].Time > d.Evening[z - 1].Time);
    }
}

void TestSunEvents::badInputsFail_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");

    const double nan = qQNaN(), inf = qInf();
    QTest::newRow("before year 0") << -1 << 48.0 << 0.0;
    QTest::newRow("after 10000") << 10001 << 48.0 << 0.0;
    QTest::newRow("latitude NaN") << 2026 << nan << 0.0;
    QTest::newRow("longitude infinite") << 2026 << 48.0 << -inf;
}

void TestSunEvents::badInputsFail()
{
    QFETCH(int, year);
    QFETCH(double, latitude);
    QFETCH(double, longitude);

    const TSunDay d = ComputeSunDay({year, 12, 7}, {latitude, longitude, 0});
    QCOMPARE(Describe(d.Noon, 0), QStringLiteral("failed"));
    // The height at noon is never left undefined.
    QVERIFY(std::isfinite(d.NoonAltitude));
    QCOMPARE(Letters(d), QStringLiteral("FF FF FF FF"));
}

QTEST_GUILESS_MAIN(TestSunEvents)
#include "tst_sunevents.moc"
