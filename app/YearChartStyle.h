// The Year of the Sun chart's colours, pens and marks, shared by its painting
// layers.
#pragma once

#include "app/YearChart.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

namespace YearChartStyle
{

// Dark to light with clearly different brightness, so that the shades read
// apart without colour vision and in grey-scale print as well.
inline const QColor BandColours[YearChart::BandCount] = {
    QColor(0x0b, 0x17, 0x36), // night
    QColor(0x27, 0x3f, 0x7a), // astronomical twilight
    QColor(0x4c, 0x74, 0xb4), // nautical twilight
    QColor(0x9e, 0xc2, 0xea), // civil twilight
    QColor(0xff, 0xf1, 0xa8), // day
};
// Curves differ in colour and in dash pattern alike.
inline const QColor CurveColours[3] = {QColor(0xc0, 0x2c, 0x10), QColor(0x10, 0x10, 0x10),
                                       QColor(0x6a, 0x1b, 0x9a)};
inline const Qt::PenStyle CurveStyles[3] = {Qt::SolidLine, Qt::DotLine, Qt::DashLine};
// The visible sunrise and sunset over the place's horizon, in the terrain's green.
inline const QColor VisibleColour(0x2e, 0x6b, 0x1e);
inline const Qt::PenStyle VisibleStyles[2] = {Qt::SolidLine, Qt::DashLine};
inline const QColor TextColour(0x20, 0x20, 0x20);
inline const QColor CalendarColour(0xd0, 0x00, 0x00);
inline const QColor SeasonColour(0x50, 0x50, 0x50);
inline const QColor LightColours[2] = {QColor(0xf0, 0x9a, 0x20),
                                       QColor(0x2a, 0x5b, 0xd8)}; // golden, blue
inline const QColor ExtremeColour(0xc0, 0x2c, 0x10);

inline constexpr double MarkerSize = 7;

// A light halo under a line keeps it visible on the dark and the light shades.
void DrawWithHalo(QPainter &p, double k, const QPolygonF &line, const QPen &pen);
// A ring on a curve at the year's latest sunrise or earliest sunset.
void ExtremeMarker(QPainter &p, double k, const QPointF &at);
// A triangle whose tip touches a plot's edge from outside.
void SeasonMarker(QPainter &p, double k, const QPointF &tip, bool fromAbove);

} // namespace YearChartStyle
