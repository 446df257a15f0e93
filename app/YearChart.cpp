#include "app/YearChart.h"

#include "common/EventsOnClock.h"
#include "suntime/SunEvents.h"

#include <algorithm>
#include <cmath>

namespace YearChart
{

int TMapping::XToDay(double x) const
{
    if (Days <= 0 || x < Plot.left() || x >= Plot.right())
        return -1;
    const int day = int(std::floor((x - Plot.left()) / DayWidth()));
    return std::min(std::max(day, 0), Days - 1);
}

double TMapping::HourToY(double hour) const
{
    const double span = ToHour - FromHour;
    if (span == 0)
        return Plot.top();
    return Plot.top() + (hour - FromHour) / span * Plot.height();
}

QPointF TMapping::ToPixel(const QPointF &dayHour) const
{
    return QPointF(DayToX(dayHour.x()), HourToY(dayHour.y()));
}

namespace
{

double WrapHour(double hour)
{
    const double h = std::fmod(hour, 24.0);
    return h < 0 ? h + 24.0 : h;
}

} // namespace

QVector<TPiece> SplitSeries(const QVector<std::optional<double>> &hours)
{
    QVector<TPiece> pieces;
    TPiece current;
    auto finish = [&] {
        if (!current.isEmpty())
            pieces.append(current);
        current.clear();
    };
    for (int i = 0; i < hours.size(); ++i) {
        if (!hours[i] || !std::isfinite(*hours[i])) {
            finish();
            continue;
        }
        const QPointF point(i + 0.5, WrapHour(*hours[i]));
        if (!current.isEmpty()) {
            const QPointF previous = current.last();
            const double jump = point.y() - previous.y();
            if (std::abs(jump) > 12) {
                // Continue the line to the edge it leaves through and begin
                // again at the opposite edge, where the same moment lies.
                const double leaveEdge = jump > 0 ? 0.0 : 24.0;
                const double unwrapped = jump > 0 ? point.y() - 24 : point.y() + 24;
                const double t = (leaveEdge - previous.y()) / (unwrapped - previous.y());
                const double x = previous.x() + t * (point.x() - previous.x());
                current.append(QPointF(x, leaveEdge));
                finish();
                current.append(QPointF(x, 24.0 - leaveEdge));
            }
        }
        current.append(point);
    }
    finish();
    return pieces;
}

QVector<TSpan> LitSpans(bool aboveAtStart, QVector<TCrossingHour> crossings)
{
    crossings.erase(std::remove_if(crossings.begin(), crossings.end(),
                                   [](const TCrossingHour &c) { return !std::isfinite(c.Hour); }),
                    crossings.end());
    for (TCrossingHour &c : crossings)
        c.Hour = std::clamp(c.Hour, 0.0, 24.0);
    std::stable_sort(
        crossings.begin(), crossings.end(),
        [](const TCrossingHour &a, const TCrossingHour &b) { return a.Hour < b.Hour; });
    QVector<TSpan> spans;
    bool above = aboveAtStart;
    double since = 0;
    for (const TCrossingHour &c : crossings) {
        if (c.Rising && !above)
            since = c.Hour;
        else if (!c.Rising && above && c.Hour > since)
            spans.append({since, c.Hour});
        above = c.Rising;
    }
    if (above)
        spans.append({since, 24});
    return spans;
}

double HourOf(const TDayEvents &day, const TEvent &event)
{
    return HourOf(day, event.Time, event.ClockOffset);
}

double HourOf(const TDayEvents &day, TInstant moment, int32_t offset)
{
    // Milliseconds from the date's midnight on the moment's own clock.
    const qint64 wall = moment.UnixMs() + offset * qint64(1000);
    const QDate date = DateOf(day);
    const qint64 midnight =
        Civil::DaysFromCivil(date.year(), date.month(), date.day()) * qint64(86400000);
    return double(wall - midnight) / 3.6e6;
}

std::optional<double> EventHour(const TDayEvents &day, TEventKind kind)
{
    if (const TEvent *e = day.First(kind))
        return HourOf(day, *e);
    return std::nullopt;
}

QVector<TSpan> BandSpans(const TDayEvents &day, TBand band)
{
    // Night, the astronomical, nautical and civil twilights and day: the
    // brighter the band, the smaller the Sun's zenith angle that bounds it.
    if (band == TBand::Night)
        return {{0, 24}};
    const TSunZenith zenith = TSunZenith(BandCount - 1 - int(band));
    QVector<TCrossingHour> crossings;
    for (const TEvent &e : day.Events)
        if (e.Occurs() && (e.Kind == MorningOf(zenith) || e.Kind == EveningOf(zenith)))
            crossings.append({HourOf(day, e), e.Kind == MorningOf(zenith)});
    return LitSpans(day.SunAboveAtStart[int(zenith)], crossings);
}

TBand BandAt(const TDayEvents &day, double hour)
{
    for (int b = BandCount - 1; b > 0; --b) {
        for (const TSpan &span : BandSpans(day, TBand(b))) {
            if (hour >= span.From && hour < span.To)
                return TBand(b);
        }
    }
    return TBand::Night;
}

QVector<TSpan> BetweenSpans(const TDayEvents &day, double lo, double hi)
{
    QVector<TSpan> spans;
    for (const TStretch &s : StretchesBetween(day, lo, hi))
        spans.append({s.From == day.Span.From ? 0.0 : HourOf(day, s.From, s.FromOffset),
                      s.To == day.Span.To ? 24.0 : HourOf(day, s.To, s.ToOffset)});
    return spans;
}

QVector<QVector<TSpan>> BetweenSpans(const QVector<TDayEvents> &rows, double lo, double hi)
{
    QVector<QVector<TSpan>> spans;
    for (const TDayEvents &row : rows)
        spans.append(BetweenSpans(row, lo, hi));
    return spans;
}

TSunExtremes SunExtremes(const QVector<TDayEvents> &rows)
{
    TSunExtremes extremes;
    double latest = 0, earliest = 0;
    for (int i = 0; i < rows.size(); ++i) {
        if (const std::optional<double> rise = EventHour(rows[i], TEventKind::Sunrise))
            if (extremes.LatestSunrise < 0 || *rise > latest) {
                extremes.LatestSunrise = i;
                latest = *rise;
            }
        if (const std::optional<double> set = EventHour(rows[i], TEventKind::Sunset))
            if (extremes.EarliestSunset < 0 || *set < earliest) {
                extremes.EarliestSunset = i;
                earliest = *set;
            }
    }
    return extremes;
}

QVector<TSeasonDay> SeasonDays(int year, const std::function<int(const QDate &)> &offsetAt)
{
    QVector<TSeasonDay> days;
    if (!QDate(year, 1, 1).isValid())
        return days;
    const std::optional<std::array<TInstant, 4>> moments = SeasonMoments(year);
    if (!moments)
        return days;
    for (int k = 0; k < 4; ++k) {
        // Its date on the clock is the date whose start it has passed.
        const qint64 ms = (*moments)[k].UnixMs();
        const QDate utcDate = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).date();
        QDate date = utcDate;
        for (const QDate candidate : {utcDate.addDays(-1), utcDate, utcDate.addDays(1)}) {
            const qint64 start = QDateTime(candidate, QTime(0, 0), Qt::UTC).toMSecsSinceEpoch() -
                                 offsetAt(candidate) * qint64(1000);
            if (start <= ms)
                date = candidate;
        }
        days.append({TSeason(k), date});
    }
    return days;
}

} // namespace YearChart
