#include "common/NextEvent.h"

#include "common/EventsOnClock.h"

#include <algorithm>

namespace
{

bool AtAltitude(TEventKind kind)
{
    return kind == TEventKind::SunAltitudeRise || kind == TEventKind::SunAltitudeSet;
}

// The earliest occurrence of the kinds on a date after a moment.
const TEvent *FirstAfter(const TDayEvents &day, const QList<TEventAim> &aims, qint64 afterMs)
{
    const TEvent *first = nullptr;
    for (const TEventAim &aim : aims) {
        const std::vector<const TEvent *> all =
            AtAltitude(aim.Kind) ? day.All(aim.Kind, aim.Angle) : day.All(aim.Kind);
        for (const TEvent *e : all)
            if (e->Time.UnixMs() > afterMs && (!first || e->Time < first->Time))
                first = e;
    }
    return first;
}

} // namespace

std::optional<TEvent> NextEvent(const TObserver &observer, const TClock &clock,
                                const QList<TEventAim> &aims, const QDateTime &after, int days)
{
    TEventRequest request;
    for (const TEventAim &aim : aims) {
        request.Moon |= aim.Kind == TEventKind::Moonrise || aim.Kind == TEventKind::Moonset;
        if (AtAltitude(aim.Kind) && std::find(request.Altitudes.begin(), request.Altitudes.end(),
                                              aim.Angle) == request.Altitudes.end())
            request.Altitudes.push_back(aim.Angle);
    }
    const qint64 afterMs = after.toMSecsSinceEpoch();
    // Nothing after the moment lies on an earlier date of the clock.
    const QDate first = MomentOn(InstantOf(after), clock).date();
    const QDate last = first.addDays(days);
    // Most answers lie on the date or the next; a stretch four times longer
    // each time keeps a search of the whole reach to a few calls.
    int stretch = 2;
    for (QDate from = first; from.isValid() && from <= last; stretch *= 4) {
        const QDate to = std::min(from.addDays(stretch - 1), last);
        for (const TDayEvents &day : EventsOfDates(observer, clock, from, to, request))
            if (const TEvent *e = FirstAfter(day, aims, afterMs))
                return *e;
        from = to.addDays(1);
    }
    return std::nullopt;
}
