// The real horizon in the chart windows: the terrain as a silhouette on any
// chart that maps a direction of the sky to a point, the profile in words for
// a screen reader, the visible rising and setting of a date as lines of text,
// and their hours over a year for the Year of the Sun's curves.
#pragma once

#include "common/Language.h"
#include "suntime/DayEvents.h"
#include "suntime/Horizon.h"

#include <QColor>
#include <QPointF>
#include <QPolygonF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

class QPainter;

// Where a chart draws a direction: azimuth and altitude in degrees.
using THorizonMapping = std::function<QPointF(double azimuth, double altitude)>;

// The terrain as one closed polygon: along the sky line from azimuth 0 to
// 360 (every step degrees and at each point of the profile, so that a round
// chart bends it right), then back along the base altitude. The sky line is
// never drawn below the base.
QPolygonF HorizonSilhouette(const THorizon &horizon, const THorizonMapping &map,
                            double baseAltitude, double stepDegrees = 1);

// Fills the silhouette and draws the sky line over it with a cosmetic pen.
void PaintHorizonSilhouette(QPainter &p, const THorizon &horizon, const THorizonMapping &map,
                            double baseAltitude, const QColor &terrain = QColor(96, 112, 80),
                            const QColor &line = QColor(48, 56, 40));

// The profile in words: "Flat horizon" or the points "azimuth 90°: 5,5°; …",
// and the height above the surroundings when there is one.
QString HorizonWords(const THorizon &horizon, TLanguage language);

// The visible sunrise and sunset of a date over its horizon (and the Moon's
// with moon), one line each to the nearest minute, with the notes why one is
// missing or the stretches the body is seen when it comes out more than once.
// The date's events must have been asked with the horizon
// (TEventRequest::Horizon).
QStringList VisibleDayLines(const TDayEvents &day, bool moon, TLanguage language,
                            const QString &noEvent);

// Whether two requests' horizons are the same (both none, or the same points
// and height): a chart computed for one serves the other.
bool SameHorizon(const std::optional<THorizon> &a, const std::optional<THorizon> &b);

// The hour on the clock of each date's visible sunrise (rise) or sunset,
// nothing where the date has none: the series of the Year of the Sun's
// curves (YearChart::SplitSeries).
QVector<std::optional<double>> VisibleHours(const QVector<TDayEvents> &days, bool rise);
