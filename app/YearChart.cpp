#include "app/YearChart.h"

#include "suntime/SolarPosition.h"

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

QVector<TSpan> LitSpans(TCrossingState morningState, std::optional<double> morningHour,
                        TCrossingState eveningState, std::optional<double> eveningHour)
{
    const bool morning = morningState == TCrossingState::Occurs && morningHour;
    const bool evening = eveningState == TCrossingState::Occurs && eveningHour;
    if (morning && evening) {
        const double shift = std::floor(*morningHour / 24.0) * 24.0;
        const double from = *morningHour - shift;
        const double to = *eveningHour - shift;
        if (to - from >= 24)
            return {{0, 24}};
        if (to <= from)
            return {};
        if (to <= 24)
            return {{from, to}};
        return {{0, to - 24}, {from, 24}};
    }
    if (morning)
        return {{WrapHour(*morningHour), 24}};
    if (evening)
        return {{0, WrapHour(*eveningHour)}};
    if (morningState == TCrossingState::AlwaysAbove || eveningState == TCrossingState::AlwaysAbove)
        return {{0, 24}};
    return {};
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
    TSunEvent morning = TSunEvent::Sunrise;
    TSunEvent evening = TSunEvent::Sunset;
    switch (band) {
    case TBand::Night:
        return {{0, 24}};
    case TBand::Astronomical:
        morning = TSunEvent::AstronomicalDawn;
        evening = TSunEvent::AstronomicalDusk;
        break;
    case TBand::Nautical:
        morning = TSunEvent::NauticalDawn;
        evening = TSunEvent::NauticalDusk;
        break;
    case TBand::Civil:
        morning = TSunEvent::CivilDawn;
        evening = TSunEvent::CivilDusk;
        break;
    case TBand::Day:
        break;
    }
    return LitSpans(row.State[int(morning)], EventHour(row, morning), row.State[int(evening)],
                    EventHour(row, evening));
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

namespace
{

// The Sun's apparent ecliptic longitude, degrees 0 ... 360, at a Julian Day:
// the calculator's own solar position.
double SunLongitude(double julianDay)
{
    using namespace SolarPosition;
    const double lambda = ApparentLongitude(ElementsAt(JulianCenturies(julianDay)));
    const double wrapped = std::fmod(lambda, 360.0);
    return wrapped < 0 ? wrapped + 360.0 : wrapped;
}

// Julian Day of the start of a date on the clock.
double StartOfDate(const QDate &date, int offsetSeconds)
{
    return double(date.toJulianDay()) - 0.5 - offsetSeconds / 86400.0;
}

} // namespace

QVector<TSeasonDay> SeasonDays(int year, const std::function<int(const QDate &)> &offsetAt)
{
    QVector<TSeasonDay> days;
    const QDate first(year, 1, 1);
    const QDate last(year, 12, 31);
    if (!first.isValid())
        return days;
    double start = SunLongitude(StartOfDate(first, offsetAt(first)));
    for (QDate date = first; date <= last; date = date.addDays(1)) {
        const QDate next = date.addDays(1);
        const double end = SunLongitude(StartOfDate(next, offsetAt(next)));
        const double travel = std::fmod(end - start + 360.0, 360.0);
        for (int k = 0; k < 4; ++k) {
            const double ahead = std::fmod(k * 90.0 - start + 360.0, 360.0);
            if (ahead < travel)
                days.append({TSeason(k), date});
        }
        start = end;
    }
    return days;
}

} // namespace YearChart
