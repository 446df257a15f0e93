// The arithmetic of the Sun and Moon window's chart, apart from any painting:
// where a direction of the sky lies on a round chart of the horizon, and the
// paths of the Sun and the Moon over a date. Qt Core only.
#pragma once

#include "common/Clock.h"
#include "common/Place.h"
#include "suntime/SkyPosition.h"

#include <QDate>

#include <QPointF>
#include <QVector>

#include <optional>

namespace SkyChart
{

// The zenith at the centre, the horizon on the circle, north up and east to
// the right as on a map; nothing below the horizon.
std::optional<QPointF> ToPoint(const THorizontal &direction, const QPointF &centre, double radius);
// The point of an azimuth on the horizon circle.
QPointF HorizonPoint(double azimuth, const QPointF &centre, double radius);

// The Sun's or the Moon's place every few minutes of a date on the clock,
// altitudes as an observer sees them.
enum class TBody { Sun, Moon };
struct TPathPoint {
    qint64 Ms = 0; // the moment, milliseconds since 1970
    THorizontal Position;
};
QVector<TPathPoint> Path(TBody body, const TPlace &place, const QDate &date, const TClock &clock,
                         int stepMinutes);

// The stretches of a path above the horizon, each cut at the horizon where
// the body rises or sets between two points.
QVector<QVector<THorizontal>> AbovePieces(const QVector<TPathPoint> &path);

} // namespace SkyChart
