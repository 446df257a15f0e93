#include "suntime/VisibleEvents.h"

#include "suntime/Constants.h"
#include "suntime/HorizonSearch.h"
#include "suntime/SunEphemeris.h"

#include <algorithm>
#include <cmath>

namespace
{

// The Sun for the horizon's search over one date. Over a flat horizon its
// semi-diameter is the 16' that every sunrise takes, so that there the
// visible sunrise is the sunrise; over the terrain, its own.
class TSunBody
{
public:
    TSunBody(const SunEphemeris::TSunPath &path, const TObserver &observer, TInstant from,
             TInstant to)
        : FTrack(path, observer, from, to)
    {
    }

    HorizonSearch::TBodyPlace At(double jd) const
    {
        const THorizontal h = SunEphemeris::TSunDayTrack::Horizontal(FTrack.At(jd));
        return {h.Altitude, h.Azimuth, SunEphemeris::SemiDiameter(TInstant::FromJd(jd)), 16.0 / 60};
    }

private:
    SunEphemeris::TSunDayTrack FTrack;
};

TEvent Missing(TEventKind kind, TEventStatus status)
{
    TEvent e;
    e.Kind = kind;
    e.Status = status;
    return e;
}

// The crossings of one body on one date, with the reasons for a kind it lacks. seen: whether the
// body was seen at the date's start; nothing when the computation failed.
void AddToDate(TDayEvents &date, std::vector<TEvent> &found, std::optional<bool> seen,
               const THorizon &horizon, TEventKind appears, TEventKind disappears, TEventKind rise,
               TEventKind set)
{
    for (TEvent &e : found) {
        // Over the flat horizon from ground level the crossing is the rising
        // or setting itself: take its second, as the program shows it.
        if (horizon.Height() == 0 && horizon.TerrainAt(e.Azimuth) <= 0)
            for (const TEvent *same : date.All(e.Kind == appears ? rise : set))
                if (std::fabs(same->Time - e.Time) * Astro::SecondsPerDay < 60)
                    e.Time = same->Time;
        date.Events.push_back(e);
    }
    const bool any = !found.empty();
    const TEventStatus away = !seen   ? TEventStatus::Failed
                              : any   ? TEventStatus::NotOnDate
                              : *seen ? TEventStatus::AboveAllDay
                                      : TEventStatus::BelowAllDay;
    for (const TEventKind kind : {appears, disappears})
        if (std::none_of(found.begin(), found.end(),
                         [kind](const TEvent &e) { return e.Kind == kind; }))
            date.Events.push_back(Missing(kind, away));
}

} // namespace

void AddVisibleEvents(std::vector<TDayEvents> &days, const TObserver &observer,
                      const THorizon &horizon, bool moon)
{
    if (days.empty())
        return;
    const SunEphemeris::TSunPath path(days.front().Span.From, days.back().Span.To);
    for (TDayEvents &date : days) {
        const TInstant from = date.Span.From, to = date.Span.To;
        if (!(to > from)) {
            for (const TEventKind k : {TEventKind::SunAppears, TEventKind::SunDisappears,
                                       TEventKind::MoonAppears, TEventKind::MoonDisappears})
                if (moon || k == TEventKind::SunAppears || k == TEventKind::SunDisappears)
                    date.Events.push_back(Missing(k, TEventStatus::NotOnDate));
            continue;
        }
        const TSunBody sun(path, observer, from, to);
        std::vector<HorizonSearch::TCrossing> crossings;
        const bool seen = HorizonSearch::Crossings(sun, horizon, from.Jd(), to.Jd(), crossings);
        std::vector<TEvent> found;
        for (const HorizonSearch::TCrossing &c : crossings) {
            TEvent e;
            e.Kind = c.Appears ? TEventKind::SunAppears : TEventKind::SunDisappears;
            e.Status = TEventStatus::Occurs;
            e.Time = TInstant::FromJd(c.Jd);
            e.Azimuth = c.Place.Azimuth;
            e.Altitude = c.Place.Altitude;
            found.push_back(e);
        }
        AddToDate(date, found, seen, horizon, TEventKind::SunAppears, TEventKind::SunDisappears,
                  TEventKind::Sunrise, TEventKind::Sunset);
        if (moon) {
            std::vector<TEvent> moonFound;
            const std::optional<bool> moonSeen =
                Moon::VisibleBetween(from, to, observer, horizon, moonFound);
            AddToDate(date, moonFound, moonSeen, horizon, TEventKind::MoonAppears,
                      TEventKind::MoonDisappears, TEventKind::Moonrise, TEventKind::Moonset);
        }
    }
}

bool SunSeenAt(TInstant moment, const TObserver &observer, const THorizon &horizon)
{
    const THorizontal h = SunEphemeris::HorizontalAt(moment, observer);
    return HorizonSearch::Clearance(
               horizon, {h.Altitude, h.Azimuth, SunEphemeris::SemiDiameter(moment), 16.0 / 60}) > 0;
}
