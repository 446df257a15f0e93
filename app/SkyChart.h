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
// the right as on a map. Below the horizon the same scale goes on outside the
// circle down to lowest degrees (0 or less); nothing beneath.
std::optional<QPointF> ToPoint(const THorizontal &direction, const QPointF &centre, double radius,
                               double lowest = 0);
// The point of an azimuth on the horizon circle.
QPointF HorizonPoint(double azimuth, const QPointF &centre, double radius);
// The azimuth of a point within reach of the horizon circle, as a click on
// it picks a bearing; nothing farther from the circle.
std::optional<double> RingAzimuth(const QPointF &point, const QPointF &centre, double radius,
                                  double reach);

// The Sun's or the Moon's place every few minutes of a date on the clock,
// altitudes as an observer sees them.
enum class TBody { Sun, Moon };
struct TPathPoint {
    qint64 Ms = 0; // the moment, milliseconds since 1970
    THorizontal Position;
};
QVector<TPathPoint> Path(TBody body, const TPlace &place, const QDate &date, const TClock &clock,
                         int stepMinutes);
// Its places from one moment to another (milliseconds since 1970), every
// few minutes and at both ends: a stretch such as the golden hour.
QVector<THorizontal> Stretch(TBody body, const TPlace &place, qint64 fromMs, qint64 toMs,
                             int stepMinutes);

// The whole hours of the clock at which a path stands above the horizon,
// with its place then. The date's end, the next date's midnight, is left to
// the next date, so that a path above the horizon all day names 0 once.
QVector<QPair<int, THorizontal>> WholeHours(const QVector<TPathPoint> &path, const TClock &clock);

// The stretches of a path above the horizon, each cut at the horizon where
// the body rises or sets between two points.
QVector<QVector<THorizontal>> AbovePieces(const QVector<TPathPoint> &path);

} // namespace SkyChart
