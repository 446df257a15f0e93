#include "app/SkyChart.h"

#include "common/EventsOnClock.h"
#include "suntime/Constants.h"

#include <cmath>

namespace SkyChart
{

using Astro::Rad;

std::optional<QPointF> ToPoint(const THorizontal &direction, const QPointF &centre, double radius)
{
    if (!(direction.Altitude >= 0))
        return std::nullopt;
    const double r = radius * (90 - std::min(direction.Altitude, 90.0)) / 90;
    return centre +
           QPointF(r * std::sin(direction.Azimuth * Rad), -r * std::cos(direction.Azimuth * Rad));
}

QPointF HorizonPoint(double azimuth, const QPointF &centre, double radius)
{
    return centre + QPointF(radius * std::sin(azimuth * Rad), -radius * std::cos(azimuth * Rad));
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
