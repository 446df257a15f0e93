// What the tests of the dates' events share: a place as the calculator takes
// it, and a date's events read as the files' columns read them (the first of
// each kind, or why there is none).
#pragma once

#include "common/EventsOnClock.h"

#include <array>
#include <optional>

namespace DayEventsTest
{

inline TPlace Place(const QString &name, double latitude, double longitude)
{
    return TPlace(name, latitude, longitude);
}

struct TRow {
    QDate Date;
    std::array<std::optional<QDateTime>, SunEventCount> Event;
    std::array<TEventStatus, SunEventCount> State{};
    int DayLength = 0;

    const std::optional<QDateTime> &At(TEventKind e) const { return Event[int(e)]; }
};

inline TRow RowOf(const TDayEvents &day)
{
    TRow row;
    row.Date = DateOf(day);
    for (int e = 0; e < SunEventCount; ++e) {
        row.Event[e] = FirstMoment(day, TEventKind(e));
        row.State[e] = day.Status(TEventKind(e));
    }
    row.DayLength = day.DayLength;
    return row;
}

inline QVector<TRow> Rows(const QVector<TDayEvents> &days)
{
    QVector<TRow> rows;
    for (const TDayEvents &day : days)
        rows.append(RowOf(day));
    return rows;
}

inline QVector<TRow> Rows(const TPlace &place, const TClock &clock, const QDate &first,
                          const QDate &last)
{
    return Rows(EventsOfDates(place, clock, first, last));
}

} // namespace DayEventsTest
