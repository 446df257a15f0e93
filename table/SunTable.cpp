// Rows of Sun events on a chosen clock, and the note on the events a row
// lacks. Qt Core only: the command-line tool links this without any window code.
#include "table/SunTable.h"

#include "table/SunTableInternal.h"

#include <cmath>

using namespace SunTableInternal;

namespace
{

// ------------------------------------------------------------------ texts

const TSunTableTexts SlovakTableTexts = {
    "polárny deň",
    "polárna noc",
    "výpočet zlyhal",
    {"bez východu Slnka", "bez slnečného poludnia", "bez západu Slnka", "bez občianskeho svitania",
     "bez občianskeho súmraku", "bez námorníckeho svitania", "bez námorníckeho súmraku",
     "bez astronomického svitania", "bez astronomického súmraku"},
    {"bez občianskeho svitania a súmraku", "bez námorníckeho svitania a súmraku",
     "bez astronomického svitania a súmraku"},
    "Východ Slnka",
    "Západ Slnka",
    "SK",
};

const TSunTableTexts EnglishTableTexts = {
    "polar day",
    "polar night",
    "calculation failed",
    {"no sunrise", "no solar noon", "no sunset", "no civil dawn", "no civil dusk",
     "no nautical dawn", "no nautical dusk", "no astronomical dawn", "no astronomical dusk"},
    {"no civil dawn or dusk", "no nautical dawn or dusk", "no astronomical dawn or dusk"},
    "Sunrise",
    "Sunset",
    "EN",
};

const TSunTableTexts HungarianTableTexts = {
    "sarki nappal",
    "sarki éjszaka",
    "a számítás sikertelen",
    {"nincs napkelte", "nincs delelés", "nincs napnyugta", "nincs polgári hajnal",
     "nincs polgári alkony", "nincs hajózási hajnal", "nincs hajózási alkony",
     "nincs csillagászati hajnal", "nincs csillagászati alkony"},
    {"nincs polgári hajnal és alkony", "nincs hajózási hajnal és alkony",
     "nincs csillagászati hajnal és alkony"},
    "Napkelte",
    "Napnyugta",
    "HU",
};

// ---------------------------------------------------------------- moments

// Whole days from the OLE epoch to a date.
double OleDay(const QDate &date)
{
    static const qint64 epoch = QDate(1899, 12, 30).toJulianDay();
    return double(date.toJulianDay() - epoch);
}

// Days from 1 January 1970 back to 30 December 1899, day 0 of OLE dates.
constexpr qint64 OleEpochDays = 25569;

// Milliseconds since 1970 of a calculator's date-time read as UTC, taken to
// the millisecond and then cut to the second as the result lines show it.
// The calculator adds the time of day to the day number arithmetically, so
// the day is the value's floor: from 1900 on this is DateUtil's reading (the
// whole part, the fraction rounded); before 30 December 1899, where OLE dates
// count the time of day backwards, DateUtil's reading would move the event
// to the wrong side of midnight.
std::optional<qint64> WallMilliseconds(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 4.0e6)
        return std::nullopt;
    const double day = std::floor(value);
    qint64 ms = std::llround((value - day) * double(MsPerDay));
    ms -= ms % 1000;
    return (qint64(day) - OleEpochDays) * MsPerDay + ms;
}

// The crossing as a moment on the clock. Fixed clocks get the calculator's
// own clock time; a zone gets the UTC moment on the offset in force then.
std::optional<QDateTime> EventMoment(double ole, const TSunClock &clock)
{
    const std::optional<qint64> wall = WallMilliseconds(ole);
    if (!wall)
        return std::nullopt;
    if (!clock.IsTimeZone()) {
        const int offset = clock.Offset();
        return QDateTime::fromMSecsSinceEpoch(*wall - offset * qint64(1000), Qt::OffsetFromUTC,
                                              offset);
    }
    const QDateTime utc = QDateTime::fromMSecsSinceEpoch(*wall, Qt::UTC);
    return QDateTime::fromMSecsSinceEpoch(*wall, Qt::OffsetFromUTC, clock.OffsetAt(utc));
}

void Put(TSunRow &row, TSunEvent e, const TCrossing &c, const TSunClock &clock)
{
    const int i = int(e);
    row.State[i] = c.State;
    if (c.Occurs()) {
        row.Event[i] = EventMoment(c.Time, clock);
        if (!row.Event[i])
            row.State[i] = TCrossingState::Failed;
    }
}

} // namespace

namespace SunTableInternal
{

const TSunTableTexts &TableTexts(TLanguage language)
{
    static const TSunTableTexts *const tables[LanguageCount] = {
        &SlovakTableTexts, &EnglishTableTexts, &HungarianTableTexts};
    return *ForLanguage(tables, language);
}

} // namespace SunTableInternal

// --------------------------------------------------------------- the clock

TSunClock TSunClock::FixedOffset(int secondsEastOfUtc)
{
    TSunClock clock;
    clock.FOffset = secondsEastOfUtc;
    return clock;
}

TSunClock TSunClock::TimeZone(const QTimeZone &zone)
{
    TSunClock clock;
    clock.FIsZone = true;
    clock.FZone = zone;
    return clock;
}

int TSunClock::OffsetAt(const QDateTime &utc) const
{
    return FIsZone ? FZone.offsetFromUtc(utc) : FOffset;
}

// ----------------------------------------------------------------- the rows

QVector<TSunRow> SunRows(const TSunPlace &place, const TSunClock &clock, const QDate &first,
                         const QDate &last)
{
    QVector<TSunRow> rows;
    if (!first.isValid() || !last.isValid() || last < first)
        return rows;
    rows.reserve(int(first.daysTo(last) + 1));
    // A zone is computed in UTC and each moment moved to its own offset; the
    // calculator's day is the UTC day either way.
    const double hours = clock.IsTimeZone() ? 0.0 : clock.Offset() / 3600.0;
    for (QDate date = first; date <= last; date = date.addDays(1)) {
        const TSunDay day = ComputeSunDay(OleDay(date), place.Latitude, place.LongitudeWest, hours);
        TSunRow row;
        row.Date = date;
        row.State.fill(TCrossingState::Failed);
        Put(row, TSunEvent::Sunrise, day.Sun.Morning, clock);
        Put(row, TSunEvent::Sunset, day.Sun.Evening, clock);
        Put(row, TSunEvent::CivilDawn, day.Civil.Morning, clock);
        Put(row, TSunEvent::CivilDusk, day.Civil.Evening, clock);
        Put(row, TSunEvent::NauticalDawn, day.Nautical.Morning, clock);
        Put(row, TSunEvent::NauticalDusk, day.Nautical.Evening, clock);
        Put(row, TSunEvent::AstronomicalDawn, day.Astronomical.Morning, clock);
        Put(row, TSunEvent::AstronomicalDusk, day.Astronomical.Evening, clock);
        TCrossing noon;
        noon.State = day.Noon != 0 ? TCrossingState::Occurs : TCrossingState::Failed;
        noon.Time = day.Noon;
        Put(row, TSunEvent::SolarNoon, noon, clock);
        row.NoonAltitude = day.NoonAltitude;
        // Between the shown sunrise and sunset when both occur, so that the
        // columns agree with each other; the calculator's figure otherwise.
        const auto &rise = row.At(TSunEvent::Sunrise);
        const auto &set = row.At(TSunEvent::Sunset);
        if (rise && set)
            row.DayLength = int(rise->secsTo(*set));
        else if (std::isfinite(day.DayLength))
            row.DayLength = int(std::clamp(std::llround(day.DayLength), 0LL, 86400LL));
        rows.append(std::move(row));
    }
    return rows;
}

// ----------------------------------------------------------------- the note

QString SunRowNote(const TSunRow &row, bool twilight, TLanguage language)
{
    const TSunTableTexts &texts = TableTexts(language);
    QStringList parts;
    const auto state = [&](TSunEvent e) { return row.State[int(e)]; };
    const auto missing = [&](TSunEvent e) { return !row.At(e).has_value(); };
    const auto single = [&](TSunEvent e) {
        if (!missing(e))
            return;
        QString text = TextOf(texts.NoEvent[int(e)]);
        if (state(e) == TCrossingState::Failed)
            text += QStringLiteral(" (") + TextOf(texts.Failed) + QLatin1Char(')');
        parts << text;
    };

    // Sunrise and sunset: polar day or night when both stay away for that reason.
    const TCrossingState rise = state(TSunEvent::Sunrise);
    const bool polarDay = rise == TCrossingState::AlwaysAbove && state(TSunEvent::Sunset) == rise;
    const bool polarNight = rise == TCrossingState::AlwaysBelow && state(TSunEvent::Sunset) == rise;
    if (polarDay)
        parts << TextOf(texts.PolarDay);
    else if (polarNight)
        parts << TextOf(texts.PolarNight);
    else
        single(TSunEvent::Sunrise);
    single(TSunEvent::SolarNoon);
    if (!polarDay && !polarNight)
        single(TSunEvent::Sunset);

    if (twilight) {
        const TSunEvent pairs[3][2] = {{TSunEvent::CivilDawn, TSunEvent::CivilDusk},
                                       {TSunEvent::NauticalDawn, TSunEvent::NauticalDusk},
                                       {TSunEvent::AstronomicalDawn, TSunEvent::AstronomicalDusk}};
        for (int k = 0; k < 3; ++k) {
            const TSunEvent dawn = pairs[k][0];
            const TSunEvent dusk = pairs[k][1];
            const bool bothAway = missing(dawn) && missing(dusk) && state(dawn) == state(dusk) &&
                                  state(dawn) != TCrossingState::Failed;
            // In polar day the Sun stays above every twilight's angle too.
            if (bothAway && polarDay && state(dawn) == TCrossingState::AlwaysAbove)
                continue;
            if (bothAway) {
                parts << TextOf(texts.NoTwilight[k]);
            } else {
                single(dawn);
                single(dusk);
            }
        }
    }
    return parts.join(QStringLiteral("; "));
}
