// The Sun's apparent place to about a second of arc, for the Sun's events
// beyond the calculator's own (any altitude, a bearing, the visible sunrise)
// and for where the Sun stands at a moment.
#pragma once

#include "suntime/Instant.h"
#include "suntime/Observer.h"
#include "suntime/SkyPosition.h"

#include <vector>

namespace SunEphemeris
{

// Geocentric apparent place, of the equinox of date.
struct TEquatorial {
    double RightAscension = 0; // degrees, [0, 360)
    double Declination = 0;    // degrees
    double Distance = 0;       // astronomical units
};

TEquatorial ApparentAt(TInstant moment);

// The Sun's apparent semi-diameter, degrees, from its distance.
double SemiDiameter(TInstant moment);

// The Sun as an observer sees it: its centre's true altitude (parallax
// included, refraction not) and azimuth.
THorizontal HorizontalAt(TInstant moment, const TObserver &observer);

// The Sun over a stretch of time: its place worked out every four days and
// taken between by a cubic, within 0.2" of ApparentAt, so that a search over
// the stretch costs few evaluations of the series.
class TSunPath
{
public:
    TSunPath(TInstant from, TInstant to);

    // Right ascension not brought into [0, 360): it runs on over the stretch.
    TEquatorial At(double jdUt) const;

private:
    static constexpr double Spacing = 4; // days
    double FFirstJd = 0;
    std::vector<TEquatorial> FNodes;
};

// The sine of the Sun's altitude and the direction of its azimuth over one
// date, fast enough for every step of a search: the path's place taken by a
// parabola over the date, the sidereal time running on from its start.
class TSunDayTrack
{
public:
    TSunDayTrack(const TSunPath &path, const TObserver &observer, TInstant from, TInstant to);

    struct TPlace {
        double SinAltitude; // of the centre seen from the place, parallax included
        double East, North; // of the horizontal direction, not of unit length
        double Rate;        // of the sine of the altitude, per day
    };
    TPlace At(double jdUt) const;
    // The true altitude and azimuth of a place.
    static THorizontal Horizontal(const TPlace &p);

private:
    double FFromJd = 0, FHalf = 0;
    double FSinPhi = 0, FCosPhi = 0;
    double FTheta0 = 0; // the local apparent sidereal time at the start, degrees
    double FParallax = 0;
    // Right ascension, sine and cosine of the declination at the start,
    // middle and end.
    double FRa[3] = {}, FSinDelta[3] = {}, FCosDelta[3] = {};
};

} // namespace SunEphemeris
