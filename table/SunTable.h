// Rows of Sun events for a span of days on a chosen clock, and the text, CSV,
// JSON and iCalendar files written from them. One writer for the command-line
// tool and the Year of the Sun window, so that both give the same bytes.
#pragma once

#include "common/Clock.h"
#include "common/Language.h"
#include "common/Place.h"
#include "suntime/Moon.h"
#include "suntime/SunEvents.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTimeZone>
#include <QVector>

#include <array>
#include <optional>

// The events of a row, in the order of the CSV columns.
enum class TSunEvent {
    Sunrise,
    SolarNoon,
    Sunset,
    CivilDawn,
    CivilDusk,
    NauticalDawn,
    NauticalDusk,
    AstronomicalDawn,
    AstronomicalDusk
};
constexpr int SunEventCount = 9;

// The zenith angles of the rows: sunrise and sunset, then the civil, nautical
// and astronomical twilights.
enum class TSunZenith { Sunrise, Civil, Nautical, Astronomical };
constexpr int SunZenithCount = 4;

// The zenith angle in degrees and its morning and evening events.
double ZenithOf(TSunZenith zenith);
TSunEvent MorningOf(TSunZenith zenith);
TSunEvent EveningOf(TSunZenith zenith);

// What the sky holds on a row's date besides the Sun's times: where the Sun
// rises and sets, the Moon's times and its light.
struct TSkyOfDay {
    std::optional<double> SunriseAzimuth; // degrees from north, at the row's sunrise
    std::optional<double> SunsetAzimuth;
    // The first of each within the date on the clock, and why one is missing:
    // the Moon stays above or below the horizon all date (AlwaysAbove,
    // AlwaysBelow), it only rises or sets on other dates (NotOnDate), or the
    // computation failed.
    std::optional<QDateTime> Moonrise, Moonset, MoonTransit;
    std::optional<double> MoonriseAzimuth, MoonsetAzimuth;
    TCrossingState MoonriseState = TCrossingState::Failed;
    TCrossingState MoonsetState = TCrossingState::Failed;
    // At 12:00 of the date on the clock.
    std::optional<double> MoonIllumination; // lit fraction of the disc, 0 ... 1
    std::optional<Moon::TPhaseName> MoonPhase;
    // A principal phase (new, first quarter, full, last quarter) that falls
    // on the date, with its moment.
    std::optional<Moon::TPhase> PrincipalPhase;
    QDateTime PrincipalPhaseMoment;
};

struct TSunRow {
    QDate Date;
    // Each event that falls within the row's date on the chosen clock, as a
    // moment carrying that clock's offset, taken to the nearest millisecond
    // and then cut to whole seconds (as the program's result lines show it);
    // no value when no such event falls on the date.
    std::array<std::optional<QDateTime>, SunEventCount> Event;
    // Why an event has no value (Occurs when it has one).
    std::array<TCrossingState, SunEventCount> State{};
    // Whether the Sun's centre stood above each zenith angle when the date began.
    std::array<bool, SunZenithCount> AboveAtStart{};
    // Seconds of the date during which the Sun's centre stands above the
    // sunrise and sunset angle: sunset minus sunrise on an ordinary day.
    int DayLength = 0;
    double NoonAltitude = 0; // degrees, at the row's solar noon
    // The sky of the date, when asked for (AddSky); the files then carry it.
    std::optional<TSkyOfDay> Sky;

    const std::optional<QDateTime> &At(TSunEvent e) const { return Event[int(e)]; }
};

// One row per date from first to last, both included. A row holds the events
// that fall on its date on the clock, whichever day of UTC they belong to.
QVector<TSunRow> SunRows(const TPlace &place, const TClock &clock, const QDate &first,
                         const QDate &last);

// RFC 4180, UTF-8, CR LF line ends. Header names are the same in every
// language: date,sunrise,solar_noon,sunset,day_length[,civil_dawn,civil_dusk,
// nautical_dawn,nautical_dusk,astronomical_dawn,astronomical_dusk,
// noon_altitude][,sunrise_azimuth,sunset_azimuth,moonrise,moonset,
// moon_illumination,moon_phase],note: the sky's columns when the rows carry
// it. The note says in the language why events are missing.
QByteArray SunRowsCsv(const QVector<TSunRow> &rows, bool twilight, TLanguage language);
// An array with one object per day, the same keys and values as the CSV
// columns, null for an event that does not occur.
QByteArray SunRowsJson(const QVector<TSunRow> &rows, bool twilight, TLanguage language);
// RFC 5545: one timed one-minute VEVENT per sunrise and per sunset, in UTC,
// and one all-day VEVENT for a day of polar day or night, with GEO, LOCATION
// and stable UIDs; lines folded at 75 octets, CR LF ends. Nothing when a
// date or moment falls outside the years 0001 ... 9999, which iCalendar
// cannot write.
// The first moment of a date on the clock, in milliseconds since 1970 (UTC).
// A zone whose midnight falls into a daylight-saving gap starts the date at
// the end of the gap.
qint64 DateStart(const QDate &date, const TClock &clock);

// Adds the sky of each row's date: the Sun's rise and set directions, the
// Moon's times, light and phases.
void AddSky(QVector<TSunRow> &rows, const TPlace &place, const TClock &clock);

// The Sun and the Moon at one moment: altitudes of the centre as an observer
// sees them (refraction included), azimuths from north, the Moon's light.
struct TSkyAt {
    THorizontal Sun;
    THorizontal Moon;
    double MoonIllumination = 0;
    bool MoonWaxing = false;
    std::optional<Moon::TPhaseName> MoonPhase;
    bool Ok = false;
};
TSkyAt SkyAt(const TPlace &place, const QDateTime &moment);

// The first principal phase of a kind at or after a moment, on the clock.
std::optional<QDateTime> NextPrincipalPhase(Moon::TPhase phase, const QDateTime &from,
                                            const TClock &clock);

// The words of the Moon in the language: its phase names, and the fixed
// names of the files ("waxing_crescent").
QString MoonPhaseText(Moon::TPhaseName phase, TLanguage language);
QByteArray MoonPhaseKey(Moon::TPhaseName phase);
QString PrincipalPhaseText(Moon::TPhase phase, TLanguage language);
// The text line of a day's sky: %1 %2 sunrise and sunset azimuths, %3 %4
// moonrise and moonset, %5 the lit per cent, %6 the phase.
QString SkyLineText(TLanguage language);

// Whether the dates from first to last on the clock lie wholly within the
// years 0001 ... 9999 of UTC, which iCalendar can write.
bool ICalendarCanHold(const QDate &first, const QDate &last, const TClock &clock);
std::optional<QByteArray> SunRowsICalendar(const QVector<TSunRow> &rows, const TPlace &place,
                                           TLanguage language);

// Pieces of the writers, exposed for their tests and the text output.

// "2026-06-21T04:40:55+02:00": the moment with its own offset (+00:00 for
// UTC). An offset with seconds, as local mean times have, is written to the
// nearest minute with the clock reading moved to match: the same second.
QString IsoMoment(const QDateTime &moment);
// " (+1)" or " (−1)" after the time of a moment that falls on another date
// than its row's; empty on the row's own date.
QString OtherDateMark(const QDate &rowDate, const QDateTime &moment);
// "HH:MM:SS" of a count of seconds (24:00:00 for a whole day).
QString DurationText(int seconds);
// Why events of a row have no value, in the language; empty when all shown
// events occur. Without twilight only sunrise, solar noon and sunset count.
QString SunRowNote(const TSunRow &row, bool twilight, TLanguage language);
// One CSV field: quoted (inner quotes doubled) when it holds a comma, a quote,
// CR or LF; as it is otherwise.
QString CsvField(const QString &text);
// A JSON string in quotes, the characters JSON requires escaped, UTF-8.
QByteArray JsonString(const QString &text);
// One iCalendar content line folded at 75 octets, never inside a UTF-8
// sequence; every physical line ends with CR LF.
QByteArray FoldContentLine(const QByteArray &line);
// TEXT value escaping of RFC 5545 (backslash, semicolon, comma, line breaks).
QString ICalendarText(const QString &text);
