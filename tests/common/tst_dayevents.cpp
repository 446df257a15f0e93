// The dates' events on their clocks, the text of their moments and
// durations, and the notes on missing events.
#include "DayEventsTestSupport.h"

#include "common/EventTexts.h"
#include "common/FileText.h"
#include "suntime/DateUtil.h"
#include "suntime/SunEvents.h"
#include "suntime/SunTime.h"
#include "table/ResultLines.h"

#include <QTest>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

using namespace DayEventsTest;

class TestDayEvents : public QObject
{
    Q_OBJECT

private slots:
    void rowsEqualTheCalculator_data();
    void rowsEqualTheCalculator();
    void eachRowHoldsItsDatesEvents_data();
    void eachRowHoldsItsDatesEvents();
    void beforeTheOleEpoch_data();
    void beforeTheOleEpoch();
    void zoneOffsetsFollowEachMoment_data();
    void zoneOffsetsFollowEachMoment();
    void dayLength_data();
    void dayLength();
    void isoMoment_data();
    void isoMoment();
    void durationText_data();
    void durationText();
    void notes_data();
    void notes();
    void sky_data();
    void sky();
    void furtherEventsAndSentences_data();
    void furtherEventsAndSentences();
    void endsOfTheCalendar_data();
    void endsOfTheCalendar();
};

// ------------------------------------------------------------------ rows

void TestDayEvents::rowsEqualTheCalculator_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitudeEast");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QDate>("date");
    QTest::newRow("Bratislava CET summer") << 48.15 << 17.117 << 3600 << QDate(2026, 6, 21);
    QTest::newRow("Bratislava UTC winter") << 48.15 << 17.117 << 0 << QDate(2026, 12, 21);
    QTest::newRow("Bratislava CEST equinox") << 48.15 << 17.117 << 7200 << QDate(2026, 3, 20);
    QTest::newRow("Sydney +10") << -33.87 << 151.21 << 36000 << QDate(2026, 1, 15);
    QTest::newRow("Quito -5") << -0.22 << -78.51 << -18000 << QDate(2026, 9, 1);
    QTest::newRow("Kathmandu +5:45") << 27.7 << 85.32 << 20700 << QDate(2026, 5, 5);
    QTest::newRow("Svalbard polar day") << 78.22 << 15.65 << 3600 << QDate(2026, 6, 21);
    QTest::newRow("Svalbard polar night") << 78.22 << 15.65 << 3600 << QDate(2026, 12, 21);
    QTest::newRow("leap day 1904") << 50.0 << 14.4 << 3600 << QDate(1904, 2, 29);
}

// Sunrise, noon and sunset as the program's calculator and result lines show
// them, on the same clock.
void TestDayEvents::rowsEqualTheCalculator()
{
    QFETCH(double, latitude);
    QFETCH(double, longitudeEast);
    QFETCH(int, offset);
    QFETCH(QDate, date);

    const QVector<TRow> rows = Rows(Place(QStringLiteral("X"), latitude, longitudeEast),
                                    TClock::Offset(offset), date, date);
    QCOMPARE(rows.size(), 1);
    const TRow &row = rows.first();
    QCOMPARE(row.Date, date);

    TSunTime sun;
    sun.Latitude().SetValue(std::fabs(latitude));
    sun.Latitude().SetDir(latitude < 0 ? dSouth : dNorth);
    sun.Longitude().SetValue(std::fabs(longitudeEast));
    sun.Longitude().SetDir(longitudeEast < 0 ? dWest : dEast);
    sun.SetUseSysTimeZone(false);
    sun.SetTimeZone(offset / 3600.0);
    sun.SetDate(DateUtil::EncodeDate(date.year(), date.month(), date.day()));

    const QLocale c = QLocale::c();
    const std::pair<TEventKind, int> events[3] = {
        {TEventKind::Sunrise, 1}, {TEventKind::SolarNoon, 3}, {TEventKind::Sunset, 2}};
    for (const auto &[event, index] : events) {
        const double value = sun.EventTime(index);
        const std::optional<QDateTime> &moment = row.At(event);
        QCOMPARE(moment.has_value(), value != 0);
        if (!moment)
            continue;
        QCOMPARE(moment->offsetFromUtc(), offset);
        QCOMPARE(moment->time().msec(), 0);
        QCOMPARE(moment->time().toString(QStringLiteral("HH:mm:ss")),
                 FormatEventTime(value, QString(), c));
        QCOMPARE(moment->date(), date);
    }
}

void TestDayEvents::eachRowHoldsItsDatesEvents_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitudeEast");
    QTest::addColumn<QString>("clock"); // a zone, or a fixed offset in seconds
    QTest::addColumn<QDate>("month");
    // The month's first sunrise by PyEphem (VSOP87, the centre at -0.833
    // degrees without refraction).
    QTest::addColumn<QString>("firstSunrise");
    QTest::newRow("Apia, +13 east of the date line")
        << -13.83 << -171.76 << "Pacific/Apia" << QDate(2026, 6, 1) << "2026-06-01T06:43:53+13:00";
    QTest::newRow("Fiji at -12, west of the date line")
        << -18.14 << 178.44 << "-43200" << QDate(2026, 3, 1) << "2026-03-01T06:05:14-12:00";
    QTest::newRow("Chatham, +12:45 and +13:45") << -43.95 << -176.56 << "Pacific/Chatham"
                                                << QDate(2026, 4, 1) << "2026-04-01T07:47:32+13:45";
    QTest::newRow("Bratislava, CEST")
        << 48.15 << 17.117 << "7200" << QDate(2026, 10, 1) << "2026-10-01T06:50:33+02:00";
}

// Every event of a row falls on the row's date on its clock, and every date
// of an ordinary month has its sunrise, noon and sunset.
void TestDayEvents::eachRowHoldsItsDatesEvents()
{
    QFETCH(double, latitude);
    QFETCH(double, longitudeEast);
    QFETCH(QString, clock);
    QFETCH(QDate, month);
    QFETCH(QString, firstSunrise);
    bool fixed = false;
    const int offset = clock.toInt(&fixed);
    const TClock c = fixed ? TClock::Offset(offset) : TClock::Zone(QTimeZone(clock.toLatin1()));
    const QVector<TRow> rows = Rows(Place(QStringLiteral("X"), latitude, longitudeEast), c, month,
                                    month.addDays(month.daysInMonth() - 1));
    QCOMPARE(rows.size(), month.daysInMonth());
    for (const TRow &row : rows) {
        for (int e = 0; e < SunEventCount; ++e) {
            QVERIFY2(row.Event[e], qPrintable(row.Date.toString(Qt::ISODate)));
            QCOMPARE(row.Event[e]->date(), row.Date);
        }
    }
    const QDateTime sunrise = *rows.first().At(TEventKind::Sunrise);
    const QDateTime reference = QDateTime::fromString(firstSunrise, Qt::ISODate);
    QCOMPARE(sunrise.offsetFromUtc(), reference.offsetFromUtc());
    QVERIFY2(std::abs(sunrise.secsTo(reference)) <= 3, qPrintable(IsoMoment(sunrise)));
}

void TestDayEvents::beforeTheOleEpoch_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("offset");
    QTest::newRow("1800 summer CET") << QDate(1800, 6, 21) << 3600;
    QTest::newRow("1899-12-29 UTC") << QDate(1899, 12, 29) << 0;
    QTest::newRow("1899-12-30 UTC") << QDate(1899, 12, 30) << 0;
    QTest::newRow("year 1 at -14") << QDate(1, 1, 1) << -50400;
    QTest::newRow("1582 at +14") << QDate(1582, 10, 4) << 50400;
}

// Before 30 December 1899 the calculator's values still count forwards from
// their day: the moments are those values, in order, around the row's noon.
void TestDayEvents::beforeTheOleEpoch()
{
    QFETCH(QDate, date);
    QFETCH(int, offset);
    const TPlace place = Place(QStringLiteral("X"), 48.15, 17.117);
    const TRow row = Rows(place, TClock::Offset(offset), date, date).first();
    const qint64 day = date.toJulianDay() - QDate(1899, 12, 30).toJulianDay();
    // The calculator's values of the date on the clock, as TSunTime gives them.
    const TSunDay sun = ComputeSunDay({date.year(), date.month(), date.day()}, place);
    const auto onClock = [offset](const TEvent &e) { return e.Time.Ole() + offset / 86400.0; };
    const std::pair<TEventKind, double> events[3] = {
        {TEventKind::Sunrise, onClock(sun.Morning[int(TSunZenith::Sunrise)])},
        {TEventKind::SolarNoon, onClock(sun.Noon)},
        {TEventKind::Sunset, onClock(sun.Evening[int(TSunZenith::Sunrise)])}};
    for (const auto &[event, value] : events) {
        QVERIFY(row.At(event).has_value());
        QCOMPARE(row.At(event)->date(), date);
        if (std::floor(value) != double(day))
            continue; // the row has the neighbouring day's event that falls on its date
        // Clock milliseconds of the value read as a plain count of days.
        const double wall = (value - 25569.0) * 86400000.0;
        const qint64 shown = row.At(event)->toMSecsSinceEpoch() + offset * qint64(1000);
        QVERIFY2(shown <= wall + 1 && wall - shown < 1000.5, qPrintable(IsoMoment(*row.At(event))));
    }
    QVERIFY(row.DayLength > 8 * 3600 && row.DayLength < 17 * 3600);
}

void TestDayEvents::zoneOffsetsFollowEachMoment_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<double>("longitudeEast");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("distinctOffsets"); // among the events of the day
    QTest::newRow("day before spring change")
        << QByteArray("Europe/Bratislava") << 17.117 << QDate(2026, 3, 28) << 1;
    QTest::newRow("spring change")
        << QByteArray("Europe/Bratislava") << 17.117 << QDate(2026, 3, 29) << 1;
    QTest::newRow("autumn change")
        << QByteArray("Europe/Bratislava") << 17.117 << QDate(2026, 10, 25) << 1;
    // Far east of its zone, the morning twilights lie before the change at
    // 01:00 UTC and the sunrise after it: two offsets on one row.
    QTest::newRow("change splits the day")
        << QByteArray("Europe/Bratislava") << 45.0 << QDate(2026, 3, 29) << 2;
    QTest::newRow("New York spring change")
        << QByteArray("America/New_York") << -74.0 << QDate(2026, 3, 8) << 1;
}

void TestDayEvents::zoneOffsetsFollowEachMoment()
{
    QFETCH(QByteArray, zone);
    QFETCH(double, longitudeEast);
    QFETCH(QDate, date);
    QFETCH(int, distinctOffsets);

    const QTimeZone tz(zone);
    QVERIFY(tz.isValid());
    const TPlace place = Place(QStringLiteral("X"), 48.15, longitudeEast);
    const TRow zoned = Rows(place, TClock::Zone(tz), date, date).first();
    // The same moments as on UTC, whichever UTC date they fall on.
    const QVector<TRow> utc = Rows(place, TClock::Offset(0), date.addDays(-1), date.addDays(1));
    QSet<int> offsets;
    for (int e = 0; e < SunEventCount; ++e) {
        QVERIFY(zoned.Event[e].has_value());
        const QDateTime &moment = *zoned.Event[e];
        QCOMPARE(moment.date(), date);
        QCOMPARE(moment.offsetFromUtc(), tz.offsetFromUtc(moment));
        QVERIFY(std::any_of(utc.cbegin(), utc.cend(), [&](const TRow &r) {
            return r.Event[e] && r.Event[e]->toMSecsSinceEpoch() == moment.toMSecsSinceEpoch();
        }));
        offsets.insert(moment.offsetFromUtc());
    }
    QCOMPARE(int(offsets.size()), distinctOffsets);
}

void TestDayEvents::dayLength_data()
{
    // The seconds of the date with the Sun's centre above -0.833 degrees, by
    // PyEphem (VSOP87, no refraction). The calculator's low-precision Sun moves
    // the crossings near a polar day's edges by up to a minute.
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitudeEast");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("seconds");
    QTest::newRow("Bratislava") << 48.15 << 17.117 << 7200 << QDate(2026, 6, 21) << 57854;
    QTest::newRow("Svalbard, sets, rises") << 78.22 << 15.65 << 0 << QDate(2026, 4, 17) << 80662;
    QTest::newRow("Svalbard, up all date") << 78.22 << 15.65 << 0 << QDate(2026, 4, 18) << 86400;
    QTest::newRow("Svalbard, dips") << 78.22 << 15.65 << 0 << QDate(2026, 8, 24) << 82527;
    QTest::newRow("Svalbard, up, sets") << 78.22 << 15.65 << 0 << QDate(2026, 8, 25) << 78932;
    QTest::newRow("McMurdo, dips") << -77.85 << 166.67 << 46800 << QDate(2026, 2, 20) << 81824;
    QTest::newRow("McMurdo, short") << -77.85 << 166.67 << 43200 << QDate(2026, 4, 24) << 4719;
    QTest::newRow("McMurdo, rises") << -77.85 << 166.67 << 46800 << QDate(2026, 10, 20) << 74273;
    QTest::newRow("McMurdo, night") << -77.85 << 166.67 << 43200 << QDate(2026, 6, 21) << 0;
}

void TestDayEvents::dayLength()
{
    QFETCH(double, latitude);
    QFETCH(double, longitudeEast);
    QFETCH(int, offset);
    QFETCH(QDate, date);
    QFETCH(int, seconds);
    const TRow row = Rows(Place(QStringLiteral("X"), latitude, longitudeEast),
                          TClock::Offset(offset), date, date)
                         .first();
    QVERIFY2(std::abs(row.DayLength - seconds) <= 60, qPrintable(DurationText(row.DayLength)));
}

// ---------------------------------------------------------------- pieces

void TestDayEvents::isoMoment_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("expected");
    QTest::newRow("CEST") << QDateTime(QDate(2026, 6, 21), QTime(4, 40, 55), Qt::OffsetFromUTC,
                                       7200)
                          << "2026-06-21T04:40:55+02:00";
    QTest::newRow("UTC offset zero")
        << QDateTime(QDate(2026, 1, 2), QTime(0, 0, 1), Qt::OffsetFromUTC, 0)
        << "2026-01-02T00:00:01+00:00";
    QTest::newRow("UTC moment") << QDateTime(QDate(2026, 1, 2), QTime(23, 59, 59), Qt::UTC)
                                << "2026-01-02T23:59:59+00:00";
    QTest::newRow("negative half hour")
        << QDateTime(QDate(2026, 7, 1), QTime(6, 5, 0), Qt::OffsetFromUTC, -12600)
        << "2026-07-01T06:05:00-03:30";
    QTest::newRow("local mean time")
        << QDateTime(QDate(1880, 7, 1), QTime(4, 0, 0), Qt::OffsetFromUTC, 4161)
        << "1880-07-01T03:59:39+01:09";
    QTest::newRow("local mean time rounded up")
        << QDateTime(QDate(1850, 6, 1), QTime(3, 53, 21), Qt::OffsetFromUTC, 3464)
        << "1850-06-01T03:53:37+00:58";
    QTest::newRow("year 10000") << QDateTime(QDate(10000, 1, 1), QTime(0, 30, 0), Qt::OffsetFromUTC,
                                             50400)
                                << "10000-01-01T00:30:00+14:00";
    QTest::newRow("year 2 padded")
        << QDateTime(QDate(2, 3, 4), QTime(5, 6, 7), Qt::OffsetFromUTC, 3600)
        << "0002-03-04T05:06:07+01:00";
}

void TestDayEvents::isoMoment()
{
    QFETCH(QDateTime, moment);
    QFETCH(QString, expected);
    QCOMPARE(IsoMoment(moment), expected);
}

void TestDayEvents::durationText_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0 << "00:00:00";
    QTest::newRow("one second") << 1 << "00:00:01";
    QTest::newRow("mixed") << 58216 << "16:10:16";
    QTest::newRow("whole day") << 86400 << "24:00:00";
}

void TestDayEvents::durationText()
{
    QFETCH(int, seconds);
    QFETCH(QString, expected);
    QCOMPARE(DurationText(seconds), expected);
}

// ----------------------------------------------------------------- notes

void TestDayEvents::notes_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("twilight");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << 48.15 << QDate(2026, 3, 20) << true << 1 << "";
    // The last and next events of a polar day or night, checked once against
    // PyEphem by a scan of the Sun's centre at -0:50 without refraction.
    QTest::newRow("polar day en")
        << 78.22 << QDate(2026, 6, 21) << true << 1
        << "polar day; last sunrise 2026-04-18 00:42, next sunset 2026-08-24 23:31";
    QTest::newRow("polar day sk") << 78.22 << QDate(2026, 6, 21) << false << 0
                                  << "polárny deň; posledný východ Slnka 2026-04-18 00:42, "
                                     "najbližší západ Slnka 2026-08-24 23:31";
    QTest::newRow("polar night hu")
        << 78.22 << QDate(2026, 12, 21) << false << 2
        << "sarki éjszaka; utolsó napnyugta 2026-10-26 12:11, következő napkelte 2027-02-16 11:23";
    QTest::newRow("polar night twilight en")
        << 78.22 << QDate(2026, 12, 21) << true << 1
        << "polar night; last sunset 2026-10-26 12:11, next sunrise 2027-02-16 11:23; "
           "no civil dawn or dusk: the Sun stays below −6°";
    QTest::newRow("white night en") << 59.0 << QDate(2026, 6, 21) << true << 1
                                    << "no nautical dawn or dusk: the Sun stays above −12°; "
                                       "no astronomical dawn or dusk: the Sun stays above −18°";
    QTest::newRow("white night without twilight") << 59.0 << QDate(2026, 6, 21) << false << 1 << "";
    QTest::newRow("no astronomical night sk")
        << 52.0 << QDate(2026, 6, 21) << true << 0
        << "bez astronomického svitania a súmraku: Slnko zostáva nad −18°";
    QTest::newRow("deep polar night hu")
        << 85.0 << QDate(2026, 12, 21) << true << 2
        << "sarki éjszaka; utolsó napnyugta 2026-10-07 12:56, következő napkelte 2027-03-06 11:13; "
           "nincs polgári hajnal és alkony: a Nap −6° alatt marad; "
           "nincs navigációs hajnal és alkony: a Nap −12° alatt marad; "
           "nincs csillagászati hajnal és alkony: a Nap −18° alatt marad";
    QTest::newRow("rises and stays up sk") << 78.22 << QDate(2026, 4, 18) << false << 0
                                           << "bez západu Slnka: Slnko zostáva nad obzorom";
    QTest::newRow("up at midnight, sets, hu")
        << 78.22 << QDate(2026, 8, 24) << false << 2 << "nincs napkelte ezen a napon";
}

void TestDayEvents::notes()
{
    QFETCH(double, latitude);
    QFETCH(QDate, date);
    QFETCH(bool, twilight);
    QFETCH(int, language);
    QFETCH(QString, expected);
    const TDayEvents day =
        EventsOfDate(Place(QStringLiteral("X"), latitude, 15.0), TClock::Offset(3600), date);
    QCOMPARE(DayNote(day, twilight, *LanguageFromIndex(language)), expected);
}

void TestDayEvents::sky_data()
{
    // Checked once against PyEphem: the Sun's centre at -0:50 without
    // refraction for its azimuths, the Moon's upper limb at -0:34; the events
    // around a polar day and the Moon up or down all date by a scan of both.
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("azimuths"); // sunrise, sunset
    QTest::addColumn<QString>("moon");     // rising, setting
    QTest::addColumn<QString>("note");
    QTest::newRow("Bratislava, solstice") << 48.15 << 17.116944 << QByteArray("Europe/Bratislava")
                                          << QDate(2026, 6, 21) << "52.2 307.8"
                                          << "12:28:03 00:22:59"
                                          << "";
    QTest::newRow("Apia, no moonset on its date")
        << -13.83 << -171.76 << QByteArray("Pacific/Apia") << QDate(2026, 6, 21) << "66.0 294.0"
        << "11:48:06 -"
        << "no moonset on this date";
    QTest::newRow("Svalbard, polar day, Moon down")
        << 78.22 << 15.65 << QByteArray("UTC") << QDate(2026, 6, 5) << "- -"
        << "- -"
        << "polar day; last sunrise 2026-04-17 23:39, next sunset 2026-08-24 22:28; "
           "no moonrise: the Moon stays below the horizon; "
           "no moonset: the Moon stays below the horizon; "
           "last moonset 2026-05-26 21:57, next moonrise 2026-06-07 03:01";
    QTest::newRow("Svalbard, polar day, Moon up")
        << 78.22 << 15.65 << QByteArray("UTC") << QDate(2026, 6, 13) << "- -"
        << "- -"
        << "polar day; last sunrise 2026-04-17 23:39, next sunset 2026-08-24 22:28; "
           "no moonrise: the Moon stays above the horizon; "
           "no moonset: the Moon stays above the horizon; "
           "last moonrise 2026-06-10 20:02, next moonset 2026-06-20 00:49";
}

void TestDayEvents::sky()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QByteArray, zone);
    QFETCH(QDate, date);
    QFETCH(QString, azimuths);
    QFETCH(QString, moon);
    QFETCH(QString, note);
    const TPlace place = Place(QStringLiteral("X"), latitude, longitude);
    const TClock clock = TClock::Zone(QTimeZone(zone));
    TEventRequest request;
    request.Azimuths = request.Moon = true;
    const TDayEvents day = EventsOfDate(place, clock, date, request);
    const auto degrees = [&day](TEventKind kind) {
        const TEvent *e = day.First(kind);
        return e ? QString::number(e->Azimuth, 'f', 1) : QStringLiteral("-");
    };
    QCOMPARE(degrees(TEventKind::Sunrise) + u' ' + degrees(TEventKind::Sunset), azimuths);
    const QStringList times = moon.split(u' ');
    const std::optional<QDateTime> moments[2] = {FirstMoment(day, TEventKind::Moonrise),
                                                 FirstMoment(day, TEventKind::Moonset)};
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(moments[i].has_value(), times[i] != QLatin1String("-"));
        if (moments[i]) {
            QCOMPARE(moments[i]->date(), date);
            const QTime reference = QTime::fromString(times[i], QStringLiteral("HH:mm:ss"));
            QVERIFY2(std::abs(moments[i]->time().secsTo(reference)) <= 2,
                     qPrintable(moments[i]->toString(Qt::ISODate)));
        }
    }
    QCOMPARE(DayNote(day, false, TLanguage::English), note);
}

void TestDayEvents::furtherEventsAndSentences_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("sky"); // the start of the sky's text line
    // The US Naval Observatory lists both sunsets of that UTC date.
    QTest::newRow("two sunsets on UTC")
        << 29.0 << -81.0 << QByteArray("UTC") << QDate(2019, 8, 20) << "second sunset 23:58:59"
        << "    Sun rises at 75.2°, sets at 284.9°; Moon rises 02:37:59, sets 15:11:58";
    // PyEphem: moonrises at 22:24:03 and 21:38:35 UTC.
    QTest::newRow("two moonrises")
        << 69.65 << 18.96 << QByteArray("Europe/Oslo") << QDate(2026, 6, 11)
        << "polar day; last sunrise 2026-05-18 00:51, next sunset "
           "2026-07-26 00:37; second moonrise 23:38:36"
        << "    The Sun does not set (polar day); Moon rises 00:24:03";
    QTest::newRow("polar night, Moon up")
        << 69.65 << 18.96 << QByteArray("Europe/Oslo") << QDate(2026, 12, 21)
        << "polar night; last sunset 2026-11-27 11:41, next sunrise 2027-01-15 11:35; "
           "no moonrise: the Moon stays above the horizon; "
           "no moonset: the Moon stays above the horizon; "
           "last moonrise 2026-12-20 09:45, next moonset 2026-12-26 12:40"
        << "    The Sun does not rise (polar night); the Moon stays above the horizon all day";
    QTest::newRow("no moonrise on the date")
        << 27.7 << 85.3 << QByteArray("Asia/Kathmandu") << QDate(2026, 2, 8)
        << "no moonrise on this date"
        << "    Sun rises at 106.6°, sets at 253.6°; the Moon does not rise on this date, sets";
}

void TestDayEvents::furtherEventsAndSentences()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QByteArray, zone);
    QFETCH(QDate, date);
    QFETCH(QString, note);
    QFETCH(QString, sky);
    TEventRequest request;
    request.Azimuths = request.Moon = true;
    const TDayEvents day = EventsOfDate(Place(QStringLiteral("X"), latitude, longitude),
                                        TClock::Zone(QTimeZone(zone)), date, request);
    QCOMPARE(DayNote(day, false, TLanguage::English), note);
    const auto time = [&day](TEventKind kind) {
        const std::optional<QDateTime> m = FirstMoment(day, kind);
        return m ? m->time().toString(QStringLiteral("HH:mm:ss")) : QStringLiteral("N/A");
    };
    const QString line = SkyLineText(day, TLanguage::English, QStringLiteral("N/A"), time);
    QVERIFY2(line.startsWith(sky), qPrintable(line));
}

void TestDayEvents::endsOfTheCalendar_data()
{
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("offset");
    QTest::newRow("last date, 12 hours behind UTC") << 179.99 << QDate(9999, 12, 31) << -43200;
    QTest::newRow("last date, 14 hours ahead") << 179.99 << QDate(9999, 12, 31) << 50400;
    QTest::newRow("first date on UTC, west") << -179.99 << QDate(1, 1, 1) << 0;
    QTest::newRow("first date, 12 hours behind") << -179.99 << QDate(1, 1, 1) << -43200;
}

// At the equator every date has its sunrise, noon and sunset, the first and
// last dates of the calendar too, whichever day of UTC they come from.
void TestDayEvents::endsOfTheCalendar()
{
    QFETCH(double, longitude);
    QFETCH(QDate, date);
    QFETCH(int, offset);
    const TRow row =
        Rows(Place(QStringLiteral("X"), 0, longitude), TClock::Offset(offset), date, date).first();
    for (const TEventKind kind : {TEventKind::Sunrise, TEventKind::SolarNoon, TEventKind::Sunset})
        QVERIFY2(row.At(kind).has_value(), qPrintable(QString::number(int(kind))));
    QVERIFY(std::abs(row.DayLength - 12 * 3600 - 7 * 60) < 120);
}

QTEST_GUILESS_MAIN(TestDayEvents)
#include "tst_dayevents.moc"
