#include "common/EventsOnClock.h"

#include <QTimeZone>

namespace
{

constexpr qint64 MsPerDay = 86400000;

qint64 EpochDay(const QDate &date)
{
    return Civil::DaysFromCivil(date.year(), date.month(), date.day());
}

// The noon of a date on the clock, where the Moon's light of the date is
// taken: 12:00 of a zone's clock, twelve hours into the date of a fixed one.
TInstant NoonOf(const QDate &date, const TClock &clock, TInstant start)
{
    if (clock.IsZone())
        return InstantOf(QDateTime(date, QTime(12, 0), clock.TimeZone()));
    return start.AddDays(0.5);
}

} // namespace

TInstant DateStart(const QDate &date, const TClock &clock)
{
    if (!clock.IsZone())
        return TInstant::FromUnixMs(EpochDay(date) * MsPerDay - clock.FixedOffset() * qint64(1000));
    const QDateTime start = date.startOfDay(clock.TimeZone());
    // A date the clock skips entirely (a zone moved across the date line)
    // begins and ends where the next one begins.
    if (!start.isValid() && date.isValid() && date.year() < 9999)
        return DateStart(date.addDays(1), clock);
    return TInstant::FromUnixMs(start.toMSecsSinceEpoch());
}

QVector<TDayEvents> EventsOfDates(const TObserver &observer, const TClock &clock,
                                  const QDate &first, const QDate &last,
                                  const TEventRequest &request)
{
    QVector<TDayEvents> dates;
    if (!first.isValid() || !last.isValid() || last < first)
        return dates;
    // One date more before the first, for the change of the day length.
    const QDate before = first.addDays(-1);
    const bool withBefore = before.isValid() && before.year() >= 1;
    const QDate from = withBefore ? before : first;
    const int count = int(from.daysTo(last) + 1);
    std::vector<TDateSpan> spans(static_cast<size_t>(count));
    TInstant start = DateStart(from, clock);
    for (int i = 0; i < count; ++i) {
        const QDate date = from.addDays(i);
        const TInstant next = DateStart(date.addDays(1), clock);
        spans[size_t(i)] = {TCivilDate{date.year(), date.month(), date.day()}, start, next,
                            request.Moon ? NoonOf(date, clock, start) : start};
        start = next;
    }
    std::vector<TDayEvents> days = EventsOfDates(spans, observer, request);
    for (size_t i = 1; i < days.size(); ++i)
        days[i].DayLengthChange = days[i].DayLength - days[i - 1].DayLength;
    if (withBefore)
        days.erase(days.begin());
    AddPolarContext(days, observer, request.Moon);
    const auto onClock = [&clock](TEvent &e) {
        if (e.Occurs())
            e.ClockOffset = clock.OffsetAtMs(e.Time.UnixMs());
    };
    dates.reserve(int(days.size()));
    for (TDayEvents &day : days) {
        day.StartOffset = clock.OffsetAtMs(day.Span.From.UnixMs());
        day.EndOffset = clock.OffsetAtMs(day.Span.To.UnixMs() - 1);
        for (TEvent &e : day.Events)
            onClock(e);
        for (TEvent *e : {&day.SunBefore, &day.SunAfter, &day.MoonBefore, &day.MoonAfter})
            onClock(*e);
        dates.append(std::move(day));
    }
    return dates;
}

TDayEvents EventsOfDate(const TObserver &observer, const TClock &clock, const QDate &date,
                        const TEventRequest &request)
{
    return EventsOfDates(observer, clock, date, date, request).value(0);
}

QDate DateOf(const TDayEvents &day)
{
    const TCivilDate &d = day.Span.Date;
    return QDate(int(d.Year), d.Month, d.Day);
}

QDateTime MomentOf(const TEvent &event)
{
    return QDateTime::fromMSecsSinceEpoch(event.Time.UnixMs(), Qt::OffsetFromUTC,
                                          event.ClockOffset);
}

QDateTime MomentOn(TInstant moment, const TClock &clock)
{
    const qint64 ms = moment.UnixMs();
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, clock.OffsetAtMs(ms));
}

std::optional<QDateTime> FirstMoment(const TDayEvents &day, TEventKind kind)
{
    if (const TEvent *e = day.First(kind))
        return MomentOf(*e);
    return std::nullopt;
}

TInstant InstantOf(const QDateTime &moment)
{
    return TInstant::FromUnixMs(moment.toMSecsSinceEpoch());
}

std::optional<TSkyAt> SkyAt(const TObserver &observer, const QDateTime &moment)
{
    if (!moment.isValid())
        return std::nullopt;
    return SkyAt(InstantOf(moment), observer);
}

std::optional<QDateTime> NextPrincipalPhase(TEventKind phase, const QDateTime &from,
                                            const TClock &clock)
{
    const std::optional<TEvent> p = Moon::NextPhase(InstantOf(from), phase);
    if (!p)
        return std::nullopt;
    return MomentOn(p->Time.WholeSecond(), clock);
}
