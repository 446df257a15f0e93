// The horizon an observer really sees: the terrain's profile (hills,
// mountains, buildings) as altitudes over azimuth, and the flat horizon's
// dip when the observer stands above the surroundings.
#pragma once

#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

struct THorizonPoint {
    double Azimuth = 0;  // degrees from north, clockwise, 0 ... 360
    double Altitude = 0; // degrees, of the terrain as seen
};

class THorizon
{
public:
    // Flat, from ground level.
    THorizon() = default;
    // Points in any order; joined by straight lines in azimuth, wrapping at
    // 360. No points: a flat horizon. heightMetres above the surroundings.
    THorizon(std::vector<THorizonPoint> points, double heightMetres);

    const std::vector<THorizonPoint> &Points() const { return FPoints; }
    double Height() const { return FHeight; }
    bool Flat() const { return FPoints.empty() && FHeight == 0; }

    // The terrain's altitude at an azimuth; the flat horizon's (below the
    // dip) where there is no profile.
    double TerrainAt(double azimuth) const;
    // Where the sky begins at an azimuth: the terrain, or the flat horizon's
    // dip where the terrain lies lower.
    double SkyLineAt(double azimuth) const;
    // The lowest and highest the sky line gets, and between two azimuths
    // (the shorter way round from one to the other).
    double Lowest() const { return FLowest; }
    double Highest() const { return FHighest; }
    std::pair<double, double> SkyLineBetween(double from, double to) const;
    // Calls f(point, degrees past from) for each point strictly between two
    // azimuths, the shorter way round, in the order passed from one to the
    // other.
    template <class F> void PointsBetween(double from, double to, F &&f) const;

private:
    static double Wrapped(double azimuth);
    // The index of the first point after an azimuth (or before it, going
    // back), round the circle.
    size_t First(double azimuth, bool forward) const;

    std::vector<THorizonPoint> FPoints; // sorted by azimuth, in [0, 360)
    double FHeight = 0;
    double FDip = 0;
    double FLowest = 0, FHighest = 0;
};

template <class F> void THorizon::PointsBetween(double from, double to, F &&f) const
{
    if (FPoints.empty())
        return;
    const double a = Wrapped(from);
    double turn = Wrapped(to) - a;
    if (turn > 180)
        turn -= 360;
    if (turn < -180)
        turn += 360;
    if (turn == 0)
        return;
    const size_t n = FPoints.size();
    // The first point past from in the direction of travel, then on round.
    size_t i = First(a, turn > 0);
    for (size_t k = 0; k<n; ++k, i = turn> 0 ? (i + 1) % n : (i + n - 1) % n) {
        double d = FPoints[i].Azimuth - a;
        if (turn > 0)
            d -= 360 * std::floor(d / 360);
        else
            d += 360 * std::floor(-d / 360);
        if (!(std::fabs(d) < std::fabs(turn)))
            break;
        if (d != 0)
            f(FPoints[i], d);
    }
}

// How far the flat horizon lies below the level for an observer so many
// metres above the surroundings, refraction included: 1.76' times the square
// root of the height, in degrees.
double HorizonDip(double heightMetres);

// The refraction of a body seen at an apparent altitude (degrees), in
// degrees: the standard atmosphere's, scaled so that it is 34' on the
// horizon as every sunrise takes it. At and below the horizon it stays 34':
// the dip of a flat horizon already holds the refraction of the grazing ray.
double HorizonRefraction(double apparentAltitude);

// The true altitude of a body's centre at which its upper limb, of the
// semi-diameter given, touches the sky line seen at an apparent altitude:
// the disc raised by the refraction at its centre's apparent altitude, as
// ephemerides take it.
inline double UpperLimbThreshold(double skyLine, double semiDiameter)
{
    return skyLine - semiDiameter - HorizonRefraction(skyLine - semiDiameter);
}
