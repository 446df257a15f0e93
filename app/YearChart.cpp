#include "app/YearChart.h"

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

QVector<TSpan> LitSpans(bool aboveAtStart, std::optional<double> morningHour,
                        std::optional<double> eveningHour)
{
    struct TCrossingAt {
        double Hour;
        bool Rising;
    };
    QVector<TCrossingAt> crossings;
    if (morningHour && std::isfinite(*morningHour))
        crossings.append({std::clamp(*morningHour, 0.0, 24.0), true});
    if (eveningHour && std::isfinite(*eveningHour))
        crossings.append({std::clamp(*eveningHour, 0.0, 24.0), false});
    std::sort(crossings.begin(), crossings.end(),
              [](const TCrossingAt &a, const TCrossingAt &b) { return a.Hour < b.Hour; });
    QVector<TSpan> spans;
    bool above = aboveAtStart;
    double since = 0;
    for (const TCrossingAt &c : crossings) {
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

std::optional<double> EventHour(const TSunRow &row, TSunEvent event)
{
    const std::optional<QDateTime> &moment = row.At(event);
    if (!moment || !moment->isValid())
        return std::nullopt;
    return row.Date.daysTo(moment->date()) * 24.0 + moment->time().msecsSinceStartOfDay() / 3.6e6;
}

QVector<TSpan> BandSpans(const TSunRow &row, TBand band)
{
    // Night, the astronomical, nautical and civil twilights and day: the
    // brighter the band, the smaller the Sun's zenith angle that bounds it.
    if (band == TBand::Night)
        return {{0, 24}};
    const TSunZenith zenith = TSunZenith(BandCount - 1 - int(band));
    return LitSpans(row.AboveAtStart[int(zenith)], EventHour(row, MorningOf(zenith)),
                    EventHour(row, EveningOf(zenith)));
}

TBand BandAt(const TSunRow &row, double hour)
{
    for (int b = BandCount - 1; b > 0; --b) {
        for (const TSpan &span : BandSpans(row, TBand(b))) {
            if (hour >= span.From && hour < span.To)
                return TBand(b);
        }
    }
    return TBand::Night;
}

QVector<TSeasonDay> SeasonDays(int year, const std::function<int(const QDate &)> &offsetAt)
{
    QVector<TSeasonDay> days;
    if (!QDate(year, 1, 1).isValid())
        return days;
    const std::array<double, 4> moments = SeasonMoments(year);
    for (int k = 0; k < 4; ++k) {
        // The OLE moment on UTC as milliseconds since 1970; its date on the
        // clock is the date whose start it has passed.
        const qint64 ms = qint64(std::llround((moments[k] - 25569.0) * 86400000.0));
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
