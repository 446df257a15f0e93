// Rows of Sun events on a chosen clock, and the note on the events a row
// lacks. Qt Core only: the command-line tool links this without any window code.
#include "table/SunTable.h"

#include "table/SunTableInternal.h"

#include "suntime/SkyPosition.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace SunTableInternal;

namespace
{

// ---------------------------------------------------------------- moments

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

qint64 FloorDiv(qint64 a, qint64 b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The crossings of every event over a run of UTC days, each day computed on
// UTC: the moments in time order, and each day's reason where one is missing.
class TUtcEvents
{
public:
    TUtcEvents(const TPlace &place, qint64 firstDay, qint64 lastDay) : FFirstDay(firstDay)
    {
        const int days = int(lastDay - firstDay + 1);
        FStates.resize(days);
        FNoonAltitude.resize(days);
        for (auto &list : FMoments)
            list.reserve(days);
        for (int i = 0; i < days; ++i) {
            const double ole = double(firstDay + i + OleEpochDays);
            const TSunDay day = ComputeSunDay(ole, place.Latitude, place.LongitudeWest(), 0);
            TCrossing noon;
            noon.State = day.Noon != 0 ? TCrossingState::Occurs : TCrossingState::Failed;
            noon.Time = day.Noon;
            const std::pair<TSunEvent, const TCrossing *> crossings[SunEventCount] = {
                {TSunEvent::Sunrise, &day.Sun.Morning},
                {TSunEvent::SolarNoon, &noon},
                {TSunEvent::Sunset, &day.Sun.Evening},
                {TSunEvent::CivilDawn, &day.Civil.Morning},
                {TSunEvent::CivilDusk, &day.Civil.Evening},
                {TSunEvent::NauticalDawn, &day.Nautical.Morning},
                {TSunEvent::NauticalDusk, &day.Nautical.Evening},
                {TSunEvent::AstronomicalDawn, &day.Astronomical.Morning},
                {TSunEvent::AstronomicalDusk, &day.Astronomical.Evening}};
            for (const auto &[event, crossing] : crossings) {
                TCrossingState state = crossing->State;
                if (crossing->Occurs()) {
                    if (const std::optional<qint64> ms = WallMilliseconds(crossing->Time))
                        FMoments[int(event)].push_back({*ms, i});
                    else
                        state = TCrossingState::Failed;
                }
                FStates[i][int(event)] = state;
            }
            FNoonAltitude[i] = day.NoonAltitude;
        }
        // The two passes can set one day's evening after the next day's
        // morning only by rounding; keep each list in time order regardless.
        for (auto &list : FMoments)
            std::stable_sort(list.begin(), list.end(),
                             [](const TMoment &a, const TMoment &b) { return a.Ms < b.Ms; });
    }

    struct TMoment {
        qint64 Ms;
        int Day; // index of the UTC day it belongs to
    };

    // The moments of an event within [from, to), in time order.
    std::pair<const TMoment *, const TMoment *> Within(TSunEvent event, qint64 from,
                                                       qint64 to) const
    {
        const std::vector<TMoment> &list = FMoments[int(event)];
        const auto less = [](const TMoment &m, qint64 t) { return m.Ms < t; };
        const auto begin = std::lower_bound(list.begin(), list.end(), from, less);
        const auto end = std::lower_bound(begin, list.end(), to, less);
        return {list.data() + (begin - list.begin()), list.data() + (end - list.begin())};
    }

    // Why an event that none of the UTC days overlapping [from, to) puts
    // there is missing: the first of those days on which it does not happen,
    // else it happens on another date of the clock.
    TCrossingState Reason(TSunEvent event, qint64 from, qint64 to) const
    {
        const qint64 first = FloorDiv(from, MsPerDay) - FFirstDay;
        const qint64 last = FloorDiv(to - 1, MsPerDay) - FFirstDay;
        for (qint64 i = std::max<qint64>(first, 0); i <= last && i < qint64(FStates.size()); ++i)
            if (FStates[i][int(event)] != TCrossingState::Occurs)
                return FStates[i][int(event)];
        return TCrossingState::NotOnDate;
    }

    double NoonAltitude(int day) const { return FNoonAltitude[day]; }

private:
    qint64 FFirstDay;
    std::array<std::vector<TMoment>, SunEventCount> FMoments;
    std::vector<std::array<TCrossingState, SunEventCount>> FStates;
    std::vector<double> FNoonAltitude;
};

QDateTime MomentOnClock(qint64 ms, const TClock &clock)
{
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, clock.OffsetAtMs(ms));
}

// The zenith angles in the order of TSunZenith, with their events.
struct TZenithEvents {
    double Zenith;
    TSunEvent Morning;
    TSunEvent Evening;
};
const TZenithEvents ZenithEvents[SunZenithCount] = {
    {Zenith::SunriseSunset, TSunEvent::Sunrise, TSunEvent::Sunset},
    {Zenith::Civil, TSunEvent::CivilDawn, TSunEvent::CivilDusk},
    {Zenith::Nautical, TSunEvent::NauticalDawn, TSunEvent::NauticalDusk},
    {Zenith::Astronomical, TSunEvent::AstronomicalDawn, TSunEvent::AstronomicalDusk}};

} // namespace

double ZenithOf(TSunZenith zenith)
{
    return ZenithEvents[int(zenith)].Zenith;
}

TSunEvent MorningOf(TSunZenith zenith)
{
    return ZenithEvents[int(zenith)].Morning;
}

TSunEvent EveningOf(TSunZenith zenith)
{
    return ZenithEvents[int(zenith)].Evening;
}

namespace
{

double OleOfMs(qint64 ms)
{
    return double(ms) / double(MsPerDay) + double(OleEpochDays);
}

// A crossing of one zenith angle within a date.
struct TPass {
    qint64 Ms;
    bool Rising;
};

// The calculator's crossings of a zenith angle within [from, to), merged in
// time order.
std::vector<TPass> CalculatorPasses(const TUtcEvents &utc, const TZenithEvents &zenith, qint64 from,
                                    qint64 to)
{
    std::vector<TPass> passes;
    for (const bool rising : {true, false}) {
        const auto [begin, end] = utc.Within(rising ? zenith.Morning : zenith.Evening, from, to);
        for (auto m = begin; m != end; ++m)
            passes.push_back({m->Ms, rising});
    }
    std::sort(passes.begin(), passes.end(),
              [](const TPass &a, const TPass &b) { return a.Ms < b.Ms; });
    return passes;
}

// Whether the crossings take the Sun from its height at the start of the
// date to its height at the end, each one turning it: the calculator's two
// passes can miss a crossing on the first and last days of a polar day or
// night, and then they do not.
bool Consistent(const std::vector<TPass> &passes, bool aboveAtStart, bool aboveAtEnd)
{
    bool above = aboveAtStart;
    for (const TPass &p : passes) {
        if (p.Rising == above)
            return false;
        above = p.Rising;
    }
    return above == aboveAtEnd;
}

// Milliseconds of [from, to) during which the Sun stands above the zenith
// angle, from its height at the start and each crossing in turn (one that
// would change nothing is passed over).
qint64 TimeAbove(const std::vector<TPass> &passes, bool aboveAtStart, qint64 from, qint64 to)
{
    bool above = aboveAtStart;
    qint64 since = from, total = 0;
    for (const TPass &p : passes) {
        if (p.Rising && !above)
            since = p.Ms;
        else if (!p.Rising && above)
            total += p.Ms - since;
        above = p.Rising;
    }
    if (above)
        total += to - since;
    return total;
}

} // namespace

// The first moment of a date on the clock, in milliseconds since 1970 (UTC).
// A zone whose midnight falls into a daylight-saving gap starts the date at
// the end of the gap.
qint64 DateStart(const QDate &date, const TClock &clock)
{
    if (!clock.IsZone())
        return (date.toJulianDay() - QDate(1970, 1, 1).toJulianDay()) * MsPerDay -
               clock.FixedOffset() * qint64(1000);
    return date.startOfDay(clock.TimeZone()).toMSecsSinceEpoch();
}

// ----------------------------------------------------------------- the rows

namespace
{

// The events of one zenith angle on a row: the first rising and the first
// setting within the date, and why one is missing.
void PutZenith(TSunRow &row, const TZenithEvents &zenith, const std::vector<TPass> &passes,
               const TClock &clock)
{
    for (const bool rising : {true, false}) {
        const TSunEvent event = rising ? zenith.Morning : zenith.Evening;
        const auto p = std::find_if(passes.begin(), passes.end(),
                                    [rising](const TPass &x) { return x.Rising == rising; });
        if (p != passes.end()) {
            row.Event[int(event)] = MomentOnClock(p->Ms, clock);
            row.State[int(event)] = TCrossingState::Occurs;
        } else {
            row.Event[int(event)].reset();
            row.State[int(event)] = TCrossingState::NotOnDate;
        }
    }
}

} // namespace

QVector<TSunRow> SunRows(const TPlace &place, const TClock &clock, const QDate &first,
                         const QDate &last)
{
    QVector<TSunRow> rows;
    if (!first.isValid() || !last.isValid() || last < first)
        return rows;
    const int count = int(first.daysTo(last) + 1);
    std::vector<qint64> starts(count + 1);
    std::vector<double> heights(count + 1); // the Sun's centre when each date begins
    for (int i = 0; i <= count; ++i) {
        starts[i] = DateStart(first.addDays(i), clock);
        heights[i] = SunCentreAltitude(OleOfMs(starts[i]), place.Latitude, place.LongitudeWest());
    }
    // Every UTC day that a date of the clock overlaps, and one more on each
    // side for the crossings of a neighbouring day that land on a date.
    const TUtcEvents utc(place, FloorDiv(starts.front(), MsPerDay) - 1,
                         FloorDiv(starts.back() - 1, MsPerDay) + 1);

    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        const qint64 from = starts[i];
        const qint64 to = starts[i + 1];
        TSunRow row;
        row.Date = first.addDays(i);
        // The calculator's events that fall on the date; two of one kind (a
        // 25-hour day, a polar day's edge) leave the first to the date.
        for (int e = 0; e < SunEventCount; ++e) {
            const auto [begin, end] = utc.Within(TSunEvent(e), from, to);
            if (begin == end) {
                row.State[e] = utc.Reason(TSunEvent(e), from, to);
                continue;
            }
            row.State[e] = TCrossingState::Occurs;
            row.Event[e] = MomentOnClock(begin->Ms, clock);
            if (TSunEvent(e) == TSunEvent::SolarNoon)
                row.NoonAltitude = utc.NoonAltitude(begin->Day);
        }
        for (int z = 0; z < SunZenithCount; ++z) {
            const TZenithEvents &zenith = ZenithEvents[z];
            const double height = 90 - zenith.Zenith;
            if (!std::isfinite(heights[i]) || !std::isfinite(heights[i + 1]))
                continue; // the reasons of the UTC days stand
            row.AboveAtStart[z] = heights[i] > height;
            std::vector<TPass> passes = CalculatorPasses(utc, zenith, from, to);
            if (!Consistent(passes, row.AboveAtStart[z], heights[i + 1] > height)) {
                passes.clear();
                for (const TZenithPass &p :
                     ZenithPassesBetween(OleOfMs(from), OleOfMs(to), place.Latitude,
                                         place.LongitudeWest(), zenith.Zenith))
                    if (const std::optional<qint64> ms = WallMilliseconds(p.Time))
                        passes.push_back({*ms, p.Rising});
                PutZenith(row, zenith, passes, clock);
            }
            // Not crossed at all within the date: the Sun stays where it was
            // when the date began, whatever the neighbouring UTC days say.
            if (passes.empty())
                row.State[int(zenith.Morning)] = row.State[int(zenith.Evening)] =
                    row.AboveAtStart[z] ? TCrossingState::AlwaysAbove : TCrossingState::AlwaysBelow;
            if (z == int(TSunZenith::Sunrise))
                row.DayLength = int(TimeAbove(passes, row.AboveAtStart[z], from, to) / 1000);
        }
        rows.append(std::move(row));
    }
    return rows;
}

// ------------------------------------------------------------------ the sky

namespace
{

double JdOfMs(qint64 ms)
{
    return OleOfMs(ms) + Sky::OleEpoch;
}

qint64 MsOfJd(double jd)
{
    return qint64(std::llround((jd - Sky::OleEpoch - double(OleEpochDays)) * double(MsPerDay)));
}

// A moment of the Moon on the clock, cut to the second as the Sun's are.
QDateTime MoonMoment(double jd, const TClock &clock)
{
    qint64 ms = MsOfJd(jd);
    ms -= ((ms % 1000) + 1000) % 1000;
    return MomentOnClock(ms, clock);
}

std::optional<double> AzimuthAt(const std::optional<QDateTime> &moment, const TPlace &place)
{
    if (!moment)
        return std::nullopt;
    return Sky::SunHorizontal(JdOfMs(moment->toMSecsSinceEpoch()), place.Latitude, place.Longitude,
                              false)
        .Azimuth;
}

// The Moon's rising and setting within a date, and why one is missing.
void PutMoonEvents(TSkyOfDay &sky, const Moon::TEvents &events, const TClock &clock)
{
    if (!events.Ok())
        return; // Failed stays
    const std::pair<Moon::TEventKind, std::optional<QDateTime> *> kinds[3] = {
        {Moon::TEventKind::Rise, &sky.Moonrise},
        {Moon::TEventKind::Set, &sky.Moonset},
        {Moon::TEventKind::Transit, &sky.MoonTransit}};
    for (const auto &[kind, moment] : kinds)
        if (const Moon::TEvent *e = events.First(kind))
            *moment = MoonMoment(e->Jd, clock);
    if (const Moon::TEvent *e = events.First(Moon::TEventKind::Rise))
        sky.MoonriseAzimuth = e->Azimuth;
    if (const Moon::TEvent *e = events.First(Moon::TEventKind::Set))
        sky.MoonsetAzimuth = e->Azimuth;
    const TCrossingState away = events.UpAllTheTime()     ? TCrossingState::AlwaysAbove
                                : events.DownAllTheTime() ? TCrossingState::AlwaysBelow
                                                          : TCrossingState::NotOnDate;
    sky.MoonriseState = sky.Moonrise ? TCrossingState::Occurs : away;
    sky.MoonsetState = sky.Moonset ? TCrossingState::Occurs : away;
}

} // namespace

void AddSky(QVector<TSunRow> &rows, const TPlace &place, const TClock &clock)
{
    if (rows.isEmpty())
        return;
    const qint64 spanFrom = DateStart(rows.first().Date, clock);
    const qint64 spanTo = DateStart(rows.last().Date.addDays(1), clock);
    // The principal phases of the whole span, each to the row of its date.
    Moon::TPhases phases;
    if (JdOfMs(spanTo) - JdOfMs(spanFrom) <= Moon::MaxPhasesSpan)
        phases = Moon::PhasesBetween(JdOfMs(spanFrom), JdOfMs(spanTo));
    for (TSunRow &row : rows) {
        TSkyOfDay sky;
        sky.SunriseAzimuth = AzimuthAt(row.At(TSunEvent::Sunrise), place);
        sky.SunsetAzimuth = AzimuthAt(row.At(TSunEvent::Sunset), place);
        const qint64 from = DateStart(row.Date, clock);
        const qint64 to = DateStart(row.Date.addDays(1), clock);
        PutMoonEvents(
            sky, Moon::EventsBetween(JdOfMs(from), JdOfMs(to), place.Latitude, place.Longitude),
            clock);
        const QDateTime noon = clock.IsZone() ? QDateTime(row.Date, QTime(12, 0), clock.TimeZone())
                                              : MomentOnClock(from + MsPerDay / 2, clock);
        const double noonJd = JdOfMs(noon.toMSecsSinceEpoch());
        const Moon::TLight light = Moon::LightAt(noonJd);
        if (light.Status == Moon::TStatus::Ok)
            sky.MoonIllumination = light.Fraction;
        sky.MoonPhase = Moon::PhaseNameAt(noonJd);
        for (const Moon::TPhaseTime &p : phases) {
            const qint64 ms = MsOfJd(p.Jd);
            if (ms >= from && ms < to) {
                sky.PrincipalPhase = p.Phase;
                sky.PrincipalPhaseMoment = MoonMoment(p.Jd, clock);
            }
        }
        row.Sky = sky;
    }
}

TSkyAt SkyAt(const TPlace &place, const QDateTime &moment)
{
    TSkyAt at;
    if (!moment.isValid())
        return at;
    const double jd = JdOfMs(moment.toMSecsSinceEpoch());
    const Moon::TLight light = Moon::LightAt(jd);
    if (light.Status != Moon::TStatus::Ok)
        return at;
    at.Sun = Sky::SunHorizontal(jd, place.Latitude, place.Longitude, true);
    at.Moon = Moon::HorizontalAt(jd, place.Latitude, place.Longitude, true);
    at.MoonIllumination = light.Fraction;
    at.MoonWaxing = light.Waxing;
    at.MoonPhase = Moon::PhaseNameAt(jd);
    at.Ok = std::isfinite(at.Sun.Altitude) && std::isfinite(at.Moon.Altitude);
    return at;
}

std::optional<QDateTime> NextPrincipalPhase(Moon::TPhase phase, const QDateTime &from,
                                            const TClock &clock)
{
    const Moon::TPhaseTime p = Moon::NextPhase(JdOfMs(from.toMSecsSinceEpoch()), phase);
    if (p.Status != Moon::TStatus::Ok)
        return std::nullopt;
    return MoonMoment(p.Jd, clock);
}

QString MoonPhaseText(Moon::TPhaseName phase, TLanguage language)
{
    return TextIn(RowText::MoonPhases[int(phase)], language);
}

QByteArray MoonPhaseKey(Moon::TPhaseName phase)
{
    static const char *const keys[8] = {
        "new",  "waxing_crescent", "first_quarter", "waxing_gibbous",
        "full", "waning_gibbous",  "last_quarter",  "waning_crescent"};
    return keys[int(phase)];
}

QString SkyLineText(TLanguage language)
{
    return TextIn(RowText::SkyLine, language);
}

QString PrincipalPhaseText(Moon::TPhase phase, TLanguage language)
{
    return TextIn(RowText::PrincipalPhases[int(phase)], language);
}

bool ICalendarCanHold(const QDate &first, const QDate &last, const TClock &clock)
{
    if (!first.isValid() || !last.isValid() || last < first)
        return false;
    const qint64 epoch = QDate(1970, 1, 1).toJulianDay();
    const qint64 from = (QDate(1, 1, 1).toJulianDay() - epoch) * MsPerDay;
    const qint64 to = (QDate(10000, 1, 1).toJulianDay() - epoch) * MsPerDay;
    return DateStart(first, clock) >= from && DateStart(last.addDays(1), clock) <= to;
}

// ----------------------------------------------------------------- the note

namespace
{

// Why an event of a zenith angle is missing, as the end of its note.
QString WhyMissing(TCrossingState state, TSunZenith zenith, TLanguage language)
{
    // The Sun's centre at the zenith angle, as a height: "−6°".
    const QString angle = QStringLiteral("\u2212%1\u00B0").arg(ZenithOf(zenith) - 90, 0, 'g', 3);
    const bool horizon = zenith == TSunZenith::Sunrise;
    switch (state) {
    case TCrossingState::AlwaysAbove:
        return horizon ? TextIn(RowText::AboveHorizon, language)
                       : TextIn(RowText::AboveAngle, language).arg(angle);
    case TCrossingState::AlwaysBelow:
        return horizon ? TextIn(RowText::BelowHorizon, language)
                       : TextIn(RowText::BelowAngle, language).arg(angle);
    case TCrossingState::NotOnDate:
        return TextIn(RowText::OnThisDate, language);
    default:
        return QStringLiteral(" (") + TextIn(RowText::Failed, language) + QLatin1Char(')');
    }
}

// The parts of a row's note, in the order they are written.
class TNoteParts
{
public:
    TNoteParts(const TSunRow &row, TLanguage language) : FRow(row), FLanguage(language) {}

    // Sunrise, solar noon and sunset: polar day or night when sunrise and
    // sunset both stay away for that reason.
    void AddSun()
    {
        const TCrossingState rise = State(TSunEvent::Sunrise);
        const bool same = State(TSunEvent::Sunset) == rise;
        FPolarDay = rise == TCrossingState::AlwaysAbove && same;
        const bool polarNight = rise == TCrossingState::AlwaysBelow && same;
        if (FPolarDay)
            FParts << TextIn(RowText::PolarDay, FLanguage);
        else if (polarNight)
            FParts << TextIn(RowText::PolarNight, FLanguage);
        else
            AddSingle(TSunEvent::Sunrise, TSunZenith::Sunrise);
        AddSingle(TSunEvent::SolarNoon, TSunZenith::Sunrise);
        if (!FPolarDay && !polarNight)
            AddSingle(TSunEvent::Sunset, TSunZenith::Sunrise);
    }

    // Each twilight's dawn and dusk, as one part when both stay away for
    // the same reason.
    void AddTwilights()
    {
        for (int k = 1; k < SunZenithCount; ++k) {
            const TSunZenith zenith = TSunZenith(k);
            const TSunEvent dawn = MorningOf(zenith);
            const TSunEvent dusk = EveningOf(zenith);
            const bool bothAway = Missing(dawn) && Missing(dusk) && State(dawn) == State(dusk) &&
                                  State(dawn) != TCrossingState::Failed;
            // In polar day the Sun stays above every twilight's angle too.
            if (bothAway && FPolarDay && State(dawn) == TCrossingState::AlwaysAbove)
                continue;
            if (bothAway) {
                FParts << TextIn(RowText::NoTwilight[k - 1], FLanguage) +
                              WhyMissing(State(dawn), zenith, FLanguage);
            } else {
                AddSingle(dawn, zenith);
                AddSingle(dusk, zenith);
            }
        }
    }

    void AddMoon()
    {
        if (!FRow.Sky)
            return;
        AddMoonEvent(FRow.Sky->Moonrise, FRow.Sky->MoonriseState, RowText::NoMoonrise);
        AddMoonEvent(FRow.Sky->Moonset, FRow.Sky->MoonsetState, RowText::NoMoonset);
    }

    QString Joined() const { return FParts.join(QStringLiteral("; ")); }

private:
    TCrossingState State(TSunEvent e) const { return FRow.State[int(e)]; }
    bool Missing(TSunEvent e) const { return !FRow.At(e).has_value(); }

    void AddSingle(TSunEvent e, TSunZenith zenith)
    {
        if (Missing(e))
            FParts << TextIn(RowText::NoEvent[int(e)], FLanguage) +
                          WhyMissing(State(e), zenith, FLanguage);
    }

    void AddMoonEvent(const std::optional<QDateTime> &moment, TCrossingState state,
                      const TText &none)
    {
        if (moment)
            return;
        QString text = TextIn(none, FLanguage);
        if (state == TCrossingState::AlwaysAbove)
            text += TextIn(RowText::MoonAbove, FLanguage);
        else if (state == TCrossingState::AlwaysBelow)
            text += TextIn(RowText::MoonBelow, FLanguage);
        else if (state == TCrossingState::Failed)
            text += QStringLiteral(" (") + TextIn(RowText::Failed, FLanguage) + QLatin1Char(')');
        else
            text += TextIn(RowText::OnThisDate, FLanguage);
        FParts << text;
    }

    const TSunRow &FRow;
    const TLanguage FLanguage;
    bool FPolarDay = false;
    QStringList FParts;
};

} // namespace

QString SunRowNote(const TSunRow &row, bool twilight, TLanguage language)
{
    TNoteParts note(row, language);
    note.AddSun();
    if (twilight)
        note.AddTwilights();
    note.AddMoon();
    return note.Joined();
}
