// The events of the dates of a clock: the Sun's from its search, the Moon's
// from its own, each put on the dates it falls on.
#include "suntime/DayEvents.h"

#include "suntime/SunAngles.h"
#include "suntime/SunEvents.h"

#include <algorithm>

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

} // namespace

std::vector<TDayEvents> EventsOfDates(const std::vector<TDateSpan> &spans,
                                      const TObserver &observer, const TEventRequest &request)
{
    std::vector<TDayEvents> days(spans.size());
    for (size_t i = 0; i < spans.size(); ++i)
        days[i].Span = spans[i];
    AddSunEvents(days, observer, request.Azimuths);
    AddSunAngleEvents(days, observer, request.Altitudes, request.Bearings);
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
    for (TDayEvents &date : days)
        Reorder(date.Events);
    return days;
}
