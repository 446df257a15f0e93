#include "app/SkyChart.h"

#include "common/EventsOnClock.h"
#include "suntime/Constants.h"

#include <cmath>

namespace SkyChart
{

using Astro::Rad;

std::optional<QPointF> ToPoint(const THorizontal &direction, const QPointF &centre, double radius,
                               double lowest)
{
    if (!(direction.Altitude >= std::min(lowest, 0.0)))
        return std::nullopt;
    const double r = radius * (90 - std::min(direction.Altitude, 90.0)) / 90;
    return centre +
           QPointF(r * std::sin(direction.Azimuth * Rad), -r * std::cos(direction.Azimuth * Rad));
}

QPointF HorizonPoint(double azimuth, const QPointF &centre, double radius)
{
    return centre + QPointF(radius * std::sin(azimuth * Rad), -radius * std::cos(azimuth * Rad));
}

std::optional<double> RingAzimuth(const QPointF &point, const QPointF &centre, double radius,
                                  double reach)
{
    const QPointF d = point - centre;
    if (!(std::abs(std::hypot(d.x(), d.y()) - radius) <= reach))
        return std::nullopt;
    const double azimuth = std::atan2(d.x(), -d.y()) / Rad;
    return azimuth < 0 ? azimuth + 360 : azimuth;
}

QVector<THorizontal> Stretch(TBody body, const TPlace &place, qint64 fromMs, qint64 toMs,
                             int stepMinutes)
{
    QVector<THorizontal> points;
    if (!(toMs >= fromMs) || stepMinutes <= 0)
        return points;
    for (qint64 ms = fromMs;; ms += qint64(stepMinutes) * 60000) {
        const qint64 at = std::min(ms, toMs);
        if (const std::optional<TSkyAt> sky = SkyAt(TInstant::FromUnixMs(at), place))
            points.append(body == TBody::Sun ? sky->Sun : sky->Moon);
        if (at == toMs)
            break;
    }
    return points;
}

QVector<QPair<int, THorizontal>> WholeHours(const QVector<TPathPoint> &path, const TClock &clock)
{
    QVector<QPair<int, THorizontal>> hours;
    for (int i = 0; i + 1 < path.size(); ++i) {
        const TPathPoint &p = path[i];
        const QTime at =
            QDateTime::fromMSecsSinceEpoch(p.Ms, Qt::OffsetFromUTC, clock.OffsetAtMs(p.Ms)).time();
        if (at.minute() == 0 && at.second() == 0 && p.Position.Altitude >= 0)
            hours.append({at.hour(), p.Position});
    }
    return hours;
}

QVector<TPathPoint> Path(TBody body, const TPlace &place, const QDate &date, const TClock &clock,
                         int stepMinutes)
{
    QVector<TPathPoint> path;
    if (!date.isValid() || stepMinutes <= 0)
        return path;
    const qint64 from = DateStart(date, clock).UnixMs();
    const qint64 to = DateStart(date.addDays(1), clock).UnixMs();
    const qint64 step = qint64(stepMinutes) * 60000;
    path.reserve(int((to - from) / step) + 2);
    for (qint64 ms = from;; ms += step) {
        const qint64 at = std::min(ms, to);
        const std::optional<TSkyAt> sky = SkyAt(TInstant::FromUnixMs(at), place);
        if (!sky)
            return {};
        path.append({at, body == TBody::Sun ? sky->Sun : sky->Moon});
        if (at == to)
            break;
    }
    return path;
}

QVector<QVector<THorizontal>> AbovePieces(const QVector<TPathPoint> &path)
{
    QVector<QVector<THorizontal>> pieces;
    QVector<THorizontal> piece;
    // Where the altitude crosses zero between two points; the azimuth taken
    // along the shorter way round.
    const auto horizon = [](const THorizontal &a, const THorizontal &b) {
        const double t = a.Altitude / (a.Altitude - b.Altitude);
        const double turn = std::remainder(b.Azimuth - a.Azimuth, 360.0);
        return THorizontal{0, std::fmod(a.Azimuth + t * turn + 360, 360.0)};
    };
    for (int i = 0; i < path.size(); ++i) {
        const THorizontal &p = path[i].Position;
        const bool above = p.Altitude >= 0;
        if (i > 0 && above != (path[i - 1].Position.Altitude >= 0))
            piece.append(horizon(path[i - 1].Position, p));
        if (above) {
            piece.append(p);
        } else if (!piece.isEmpty()) {
            pieces.append(piece);
            piece.clear();
        }
    }
    if (!piece.isEmpty())
        pieces.append(piece);
    return pieces;
}

} // namespace SkyChart
