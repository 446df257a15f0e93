// The arithmetic of the Year of the Sun chart, apart from any painting: where
// a day and an hour fall on the chart, the curve pieces of an event over the
// year, the lit spans of a day's column and the days of the solstices and
// equinoxes. Qt Core only, so that it is tested without a window.
#pragma once

#include "suntime/DayEvents.h"

#include <QDate>
#include <QPointF>
#include <QRectF>
#include <QVector>

#include <functional>
#include <optional>

namespace YearChart
{

// A plot area holding Days day columns side by side and the hours FromHour to
// ToHour from top to bottom; coordinates are device-independent pixels.
struct TMapping {
    QRectF Plot;
    int Days = 365;
    double FromHour = 0;
    double ToHour = 24;

    double DayWidth() const { return Days > 0 ? Plot.width() / Days : 0; }
    // Left edge of a day's column; day may be fractional (a curve's crossing).
    double DayToX(double day) const { return Plot.left() + day * DayWidth(); }
    // Centre of a day's column, where that day's curve points lie.
    double DayCentreX(int day) const { return DayToX(day + 0.5); }
    // The day whose column holds x, or -1 outside the plot.
    int XToDay(double x) const;
    double HourToY(double hour) const;
    QPointF ToPixel(const QPointF &dayHour) const;
};

// A curve piece in chart units: x is the day (the centre of day d is d + 0.5),
// y the hour on the clock.
using TPiece = QVector<QPointF>;

// Splits the hours of one event over consecutive days (nothing on a day where
// it does not occur) into pieces that may be drawn as polylines: a piece ends
// at a day without the event, and where the time wraps past midnight the
// piece runs to the edge (0 or 24 h) and the next one starts at the other
// edge, so that no line crosses the whole chart. Hours outside 0..24 (the
// event on the day before or after on that clock) are wrapped first. A jump
// of more than 12 hours between neighbouring days counts as a wrap.
QVector<TPiece> SplitSeries(const QVector<std::optional<double>> &hours);

// The hours of a day's column, within 0..24, that are lit at least as much as
// one zenith's crossings say: from the Sun's height when the date begins,
// each crossing that falls on the date in turn (a morning one after an
// evening one, as near a polar day's edge, lights the column again).
struct TSpan {
    double From = 0;
    double To = 0;
};
struct TCrossingHour {
    double Hour = 0;
    bool Rising = false;
};
QVector<TSpan> LitSpans(bool aboveAtStart, QVector<TCrossingHour> crossings);

// The hour of an event on its clock counted from its date's midnight (below
// 0 or from 24 on when it falls on another date).
double HourOf(const TDayEvents &day, const TEvent &event);
// The same for a moment on a clock so many seconds east of UTC.
double HourOf(const TDayEvents &day, TInstant moment, int32_t offset);
// The hour of the first event of a kind on the date, or nothing.
std::optional<double> EventHour(const TDayEvents &day, TEventKind kind);

// Which shade a moment of a day falls in, from the darkest to the brightest.
enum class TBand { Night, Astronomical, Nautical, Civil, Day };
constexpr int BandCount = 5;
// The shade at an hour of the date's column (the brightest band whose lit
// spans hold it).
TBand BandAt(const TDayEvents &day, double hour);
// The lit spans of a date for a band above night.
QVector<TSpan> BandSpans(const TDayEvents &day, TBand band);

// The hours of a date's column during which the Sun's centre stands between
// two altitudes (the golden hour, the blue hour), as the date's stretches
// between them give them; one running over midnight ends at 24 or starts at 0.
QVector<TSpan> BetweenSpans(const TDayEvents &day, double lo, double hi);
// The same for each row of a year.
QVector<QVector<TSpan>> BetweenSpans(const QVector<TDayEvents> &rows, double lo, double hi);

// The year's latest sunrise and earliest sunset on the clock of the rows, as
// indexes of the rows; -1 where no row has one. The first of equal ones.
struct TSunExtremes {
    int LatestSunrise = -1;
    int EarliestSunset = -1;
};
TSunExtremes SunExtremes(const QVector<TDayEvents> &rows);

// The dates of the March equinox, June solstice, September equinox and
// December solstice on a clock whose offset from UTC in seconds at the start
// of a date offsetAt gives.
enum class TSeason { MarchEquinox, JuneSolstice, SeptemberEquinox, DecemberSolstice };
struct TSeasonDay {
    TSeason Season;
    QDate Date;
};
QVector<TSeasonDay> SeasonDays(int year, const std::function<int(const QDate &)> &offsetAt);

} // namespace YearChart
