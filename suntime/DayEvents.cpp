// The events of the dates of a clock: the Sun's from its search, the Moon's
// from its own, each put on the dates it falls on.
#include "suntime/DayEvents.h"

#include "suntime/SunAngles.h"
#include "suntime/SunEvents.h"
#include "suntime/VisibleEvents.h"

#include <algorithm>
#include <cmath>

const TEvent *TDayEvents::First(TEventKind kind) const
{
    for (const TEvent &e : Events)
        if (e.Kind == kind && e.Occurs())
            return &e;
    return nullptr;
}

std::vector<const TEvent *> TDayEvents::All(TEventKind kind) const
{
    std::vector<const TEvent *> all;
    for (const TEvent &e : Events)
        if (e.Kind == kind && e.Occurs())
            all.push_back(&e);
    return all;
}

TEventStatus TDayEvents::Status(TEventKind kind) const
{
    for (const TEvent &e : Events)
        if (e.Kind == kind)
            return e.Status;
    return TEventStatus::Failed;
}

const TEvent *TDayEvents::First(TEventKind kind, double angle) const
{
    for (const TEvent &e : Events)
        if (e.Kind == kind && e.Angle == angle && e.Occurs())
            return &e;
    return nullptr;
}

std::vector<const TEvent *> TDayEvents::All(TEventKind kind, double angle) const
{
    std::vector<const TEvent *> all;
    for (const TEvent &e : Events)
        if (e.Kind == kind && e.Angle == angle && e.Occurs())
            all.push_back(&e);
    return all;
}

TEventStatus TDayEvents::Status(TEventKind kind, double angle) const
{
    for (const TEvent &e : Events)
        if (e.Kind == kind && e.Angle == angle)
            return e.Status;
    return TEventStatus::Failed;
}

namespace
{

// Keeps the occurring events in time order and the missing ones after them,
// each in the order it came: an insertion sort, for a few events nearly in
// order already.
void Reorder(std::vector<TEvent> &events)
{
    const auto before = [](const TEvent &a, const TEvent &b) {
        if (a.Occurs() != b.Occurs())
            return a.Occurs();
        return a.Occurs() && a.Time < b.Time;
    };
    for (size_t i = 1; i < events.size(); ++i) {
        if (!before(events[i], events[i - 1]))
            continue;
        const TEvent e = events[i];
        size_t j = i;
        for (; j > 0 && before(e, events[j - 1]); --j)
            events[j] = events[j - 1];
        events[j] = e;
    }
}

TEvent Missing(TEventKind kind, TEventStatus status)
{
    TEvent e;
    e.Kind = kind;
    e.Status = status;
    return e;
}

// The Moon's risings, settings and transits within each date, cut to the
// second as the Sun's are, and why a rising or setting is missing: the Moon
// stays above or below the horizon all date, it only rises or sets on other
// dates, or the computation failed.
void AddMoonEvents(TDayEvents &date, const TObserver &observer)
{
    if (!(date.Span.To > date.Span.From)) {
        // A date the clock skips.
        for (const TEventKind kind :
             {TEventKind::Moonrise, TEventKind::Moonset, TEventKind::MoonTransit})
            date.Events.push_back(Missing(kind, TEventStatus::NotOnDate));
        return;
    }
    const Moon::TMoonEvents moon = Moon::EventsBetween(date.Span.From, date.Span.To, observer);
    for (const TEvent &e : moon.Events) {
        TEvent cut = e;
        cut.Time = e.Time.WholeSecond();
        date.Events.push_back(cut);
    }
    const TEventStatus away = !moon.Ok                ? TEventStatus::Failed
                              : moon.UpAllTheTime()   ? TEventStatus::AboveAllDay
                              : moon.DownAllTheTime() ? TEventStatus::BelowAllDay
                                                      : TEventStatus::NotOnDate;
    for (const TEventKind kind : {TEventKind::Moonrise, TEventKind::Moonset})
        if (!moon.First(kind))
            date.Events.push_back(Missing(kind, away));
    if (!moon.First(TEventKind::MoonTransit))
        date.Events.push_back(Missing(TEventKind::MoonTransit,
                                      moon.Ok ? TEventStatus::NotOnDate : TEventStatus::Failed));
    if (const std::optional<Moon::TLight> light = Moon::LightAt(date.Span.Noon))
        date.MoonIllumination = light->Fraction;
    date.MoonPhase = Moon::PhaseNameAt(date.Span.Noon);
}

// The Moon's passes of each bearing within each date, cut to the second; why
// a bearing has none: passed below the horizon only, not at all, or failed.
void AddMoonBearings(TDayEvents &date, const TObserver &observer,
                     const std::vector<double> &bearings)
{
    for (const double b : bearings) {
        const Moon::TBearingPasses passes =
            date.Span.To > date.Span.From
                ? Moon::BearingPasses(date.Span.From, date.Span.To, observer, b)
                : Moon::TBearingPasses{true, false, {}};
        for (const TEvent &e : passes.Events) {
            TEvent cut = e;
            cut.Time = e.Time.WholeSecond();
            date.Events.push_back(cut);
        }
        if (passes.Events.empty()) {
            TEvent none =
                Missing(TEventKind::MoonBearing, !passes.Ok     ? TEventStatus::Failed
                                                 : passes.Below ? TEventStatus::BelowAllDay
                                                                : TEventStatus::NotOnDate);
            none.Angle = b;
            date.Events.push_back(none);
        }
    }
}

} // namespace

std::vector<TDayEvents> EventsOfDates(const std::vector<TDateSpan> &spans,
                                      const TObserver &observer, const TEventRequest &request)
{
    std::vector<TDayEvents> days(spans.size());
    for (size_t i = 0; i < spans.size(); ++i)
        days[i].Span = spans[i];
    AddSunEvents(days, observer, request.Azimuths);
    AddSunAngleEvents(days, observer, request.Altitudes, request.Bearings);
    if (!request.MoonBearings.empty())
        for (TDayEvents &date : days)
            AddMoonBearings(date, observer, request.MoonBearings);
    if (request.Moon && !days.empty()) {
        for (TDayEvents &date : days)
            AddMoonEvents(date, observer);
        // The principal phases of the whole span, each to the date it falls on.
        const TInstant from = days.front().Span.From, to = days.back().Span.To;
        std::vector<TEvent> phases;
        if (to - from <= Moon::MaxPhasesSpan)
            phases = Moon::PhasesBetween(from, to).value_or(std::vector<TEvent>());
        for (const TEvent &p : phases) {
            TEvent cut = p;
            cut.Time = p.Time.WholeSecond();
            for (TDayEvents &date : days)
                if (cut.Time >= date.Span.From && cut.Time < date.Span.To)
                    date.Events.push_back(cut);
        }
    }
    if (request.Horizon)
        AddVisibleEvents(days, observer, *request.Horizon, request.Moon);
    for (TDayEvents &date : days)
        Reorder(date.Events);
    return days;
}

namespace
{

// The risings and settings of a body over a stretch, in time order.
std::vector<TEvent> Passes(const std::vector<TDayEvents> &days, TEventKind rise, TEventKind set)
{
    std::vector<TEvent> passes;
    for (const TDayEvents &d : days)
        for (const TEvent &e : d.Events)
            if (e.Occurs() && (e.Kind == rise || e.Kind == set))
                passes.push_back(e);
    return passes;
}

bool SunAway(const TDayEvents &d)
{
    const TEventStatus rise = d.Status(TEventKind::Sunrise);
    return (rise == TEventStatus::AboveAllDay || rise == TEventStatus::BelowAllDay) &&
           d.Status(TEventKind::Sunset) == rise;
}

bool MoonAway(const TDayEvents &d)
{
    const TEventStatus rise = d.Status(TEventKind::Moonrise);
    return rise == TEventStatus::AboveAllDay || rise == TEventStatus::BelowAllDay;
}

} // namespace

namespace
{

// The risings and settings of one body around a run of dates: those of the
// dates themselves, and more of the days beyond, a month at a time, as far
// as a search needs them.
class TPassesAround
{
public:
    TPassesAround(const std::vector<TDayEvents> &days, const TObserver &observer, bool moon,
                  int reach)
        : FObserver(observer), FMoon(moon), FReach(reach),
          FRise(moon ? TEventKind::Moonrise : TEventKind::Sunrise),
          FSet(moon ? TEventKind::Moonset : TEventKind::Sunset), FFrom(days.front().Span.From),
          FTo(days.back().Span.To)
    {
        FPasses = Passes(days, FRise, FSet);
    }

    // The last pass before a moment, if any within the reach.
    std::optional<TEvent> Before(TInstant moment)
    {
        while (true) {
            const auto first = std::lower_bound(FPasses.begin(), FPasses.end(), moment, Earlier);
            if (first != FPasses.begin())
                return *(first - 1);
            if (moment - FFrom >= FReach)
                return std::nullopt;
            Extend(FFrom.AddDays(-Chunk), FFrom);
            FFrom = FFrom.AddDays(-Chunk);
        }
    }

    // The first pass at or after a moment, if any within the reach.
    std::optional<TEvent> After(TInstant moment)
    {
        while (true) {
            const auto next = std::lower_bound(FPasses.begin(), FPasses.end(), moment, Earlier);
            if (next != FPasses.end())
                return *next;
            if (FTo - moment >= FReach)
                return std::nullopt;
            Extend(FTo, FTo.AddDays(Chunk));
            FTo = FTo.AddDays(Chunk);
        }
    }

private:
    static constexpr int Chunk = 30;

    static bool Earlier(const TEvent &e, TInstant t) { return e.Time < t; }

    void Extend(TInstant from, TInstant to)
    {
        TEventRequest request;
        request.Moon = FMoon;
        std::vector<TDateSpan> spans;
        for (TInstant f = from; f < to; f = f.AddDays(1))
            spans.push_back({f.CivilDate(), f, f.AddDays(1), f.AddDays(0.5)});
        const std::vector<TEvent> more =
            Passes(EventsOfDates(spans, FObserver, request), FRise, FSet);
        FPasses.insert(FPasses.end(), more.begin(), more.end());
        std::sort(FPasses.begin(), FPasses.end(),
                  [](const TEvent &a, const TEvent &b) { return a.Time < b.Time; });
    }

    TObserver FObserver;
    bool FMoon;
    int FReach;
    TEventKind FRise, FSet;
    TInstant FFrom, FTo;
    std::vector<TEvent> FPasses;
};

} // namespace

void AddPolarContext(std::vector<TDayEvents> &days, const TObserver &observer, bool moon)
{
    if (days.empty())
        return;
    // A year each way for the Sun; two months for the Moon, which never
    // stays up or down longer than half a month.
    if (std::any_of(days.begin(), days.end(), SunAway)) {
        TPassesAround sun(days, observer, false, 366);
        for (TDayEvents &d : days)
            if (SunAway(d)) {
                d.SunBefore = sun.Before(d.Span.From).value_or(TEvent());
                d.SunAfter = sun.After(d.Span.To).value_or(TEvent());
            }
    }
    if (moon && std::any_of(days.begin(), days.end(), MoonAway)) {
        TPassesAround moonPasses(days, observer, true, 62);
        for (TDayEvents &d : days)
            if (MoonAway(d)) {
                d.MoonBefore = moonPasses.Before(d.Span.From).value_or(TEvent());
                d.MoonAfter = moonPasses.After(d.Span.To).value_or(TEvent());
            }
    }
}

namespace
{

// Whether the Sun stood above an altitude asked for when the date began:
// its first crossing says so, or, with none, why there is none.
bool AboveAtStart(const TDayEvents &day, double angle)
{
    for (const TEvent &e : day.Events)
        if (e.Occurs() && e.Angle == angle &&
            (e.Kind == TEventKind::SunAltitudeRise || e.Kind == TEventKind::SunAltitudeSet))
            return e.Kind == TEventKind::SunAltitudeSet;
    return day.Status(TEventKind::SunAltitudeRise, angle) == TEventStatus::AboveAllDay;
}

} // namespace

std::vector<TStretch> StretchesBetween(const TDayEvents &day, double lo, double hi)
{
    std::vector<TStretch> stretches;
    if (!(day.Span.To > day.Span.From))
        return stretches;
    bool aboveLo = AboveAtStart(day, lo), aboveHi = AboveAtStart(day, hi);
    bool inside = aboveLo && !aboveHi;
    TInstant since = day.Span.From;
    int32_t sinceOffset = day.StartOffset;
    for (const TEvent &e : day.Events) {
        if (!e.Occurs() ||
            (e.Kind != TEventKind::SunAltitudeRise && e.Kind != TEventKind::SunAltitudeSet) ||
            (e.Angle != lo && e.Angle != hi))
            continue;
        (e.Angle == lo ? aboveLo : aboveHi) = e.Kind == TEventKind::SunAltitudeRise;
        const bool now = aboveLo && !aboveHi;
        if (now && !inside) {
            since = e.Time;
            sinceOffset = e.ClockOffset;
        } else if (!now && inside) {
            stretches.push_back({since, e.Time, sinceOffset, e.ClockOffset});
        }
        inside = now;
    }
    if (inside)
        stretches.push_back({since, day.Span.To, sinceOffset, day.EndOffset});
    return stretches;
}

std::vector<TStretch> VisibleStretches(const TDayEvents &day, bool moon)
{
    const TEventKind appears = moon ? TEventKind::MoonAppears : TEventKind::SunAppears;
    const TEventKind disappears = moon ? TEventKind::MoonDisappears : TEventKind::SunDisappears;
    std::vector<TStretch> stretches;
    // Seen at the start: the first crossing is a disappearance, or there is
    // none and the body is seen all date.
    bool seen = day.Status(appears) == TEventStatus::AboveAllDay;
    for (const TEvent &e : day.Events)
        if (e.Occurs() && (e.Kind == appears || e.Kind == disappears)) {
            seen = e.Kind == disappears;
            break;
        }
    TInstant since = day.Span.From;
    int32_t sinceOffset = day.StartOffset;
    for (const TEvent &e : day.Events) {
        if (!e.Occurs() || (e.Kind != appears && e.Kind != disappears))
            continue;
        if (e.Kind == appears && !seen) {
            since = e.Time;
            sinceOffset = e.ClockOffset;
            seen = true;
        } else if (e.Kind == disappears && seen) {
            stretches.push_back({since, e.Time, sinceOffset, e.ClockOffset});
            seen = false;
        }
    }
    if (seen && day.Span.To > day.Span.From)
        stretches.push_back({since, day.Span.To, sinceOffset, day.EndOffset});
    return stretches;
}
