// The Moon's geometry shared by its position, its events and its light:
// complex units for the series' periodic terms, the place on the ellipsoid,
// the horizon frame, and a fitted track of the Moon over a day. Internal to
// the library.
#pragma once

#include "suntime/Constants.h"
#include "suntime/SkyPosition.h"

#include <algorithm>
#include <cmath>

namespace Moon::Detail
{

using Astro::Deg;
using Astro::Pi;
using Astro::Rad;
constexpr double EarthRadius = 6378.14;       // km, equatorial
constexpr double EarthAxisRatio = 0.99664719; // polar over equatorial radius
constexpr double MoonRadius = 0.272481 * EarthRadius;
constexpr double AuKm = 149597870.7;
constexpr double SiderealRate = 360.98564736629; // degrees a day

// Between JD 0 and the end of the year 9999; false for NaN.
inline bool InRange(double jd)
{
    return jd >= 0 && jd <= Astro::JdYear10000;
}

inline double Normalized(double degrees)
{
    const double r = degrees - 360 * std::floor(degrees / 360);
    return r < 360 ? r : 0; // a tiny negative input rounds up to 360
}

inline double TtOf(double jdUt)
{
    return jdUt + Sky::DeltaT(jdUt) / Astro::SecondsPerDay;
}

struct Complex {
    double re, im;
};

inline Complex operator*(Complex a, Complex b)
{
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

inline Complex Unit(double degrees)
{
    const double x = Normalized(degrees) * Rad;
    return {std::cos(x), std::sin(x)};
}

// e^(ix) for a small angle, |x| up to 0.6 (error below 1e-11): turning a
// known unit vector by it is cheaper than a sine and a cosine.
inline Complex Turn(double x)
{
    const double q = x * x;
    constexpr double c2 = -1 / 2.0, c4 = 1 / 24.0, c6 = -1 / 720.0, c8 = 1 / 40320.0,
                     c10 = -1 / 3628800.0;
    constexpr double s3 = -1 / 6.0, s5 = 1 / 120.0, s7 = -1 / 5040.0, s9 = 1 / 362880.0,
                     s11 = -1 / 39916800.0;
    return {1 + q * (c2 + q * (c4 + q * (c6 + q * (c8 + q * c10)))),
            x * (1 + q * (s3 + q * (s5 + q * (s7 + q * (s9 + q * s11)))))};
}

struct Vec {
    double x, y, z;
};

// Geometric ecliptic place, mean equinox of date: degrees and km.
struct Ecliptic {
    double longitude, latitude, distance;
};

// The series at T (Julian centuries of TT from J2000.0).
Ecliptic EclipticAt(double t);
// Geocentric equatorial vector of date, km, with nutation in longitude.
inline Vec Equatorial(const Ecliptic &e, const Sky::TNutation &n)
{
    const double l = (e.longitude + n.Longitude) * Rad, b = e.latitude * Rad;
    const double eps = n.Obliquity * Rad;
    const double x = e.distance * std::cos(b) * std::cos(l);
    const double y = e.distance * std::cos(b) * std::sin(l);
    const double z = e.distance * std::sin(b);
    return {x, y * std::cos(eps) - z * std::sin(eps), y * std::sin(eps) + z * std::cos(eps)};
}

// A place on the reference ellipsoid at sea level (Meeus chapter 11).
struct Place {
    double sinPhi, cosPhi; // geodetic latitude: the local vertical
    double rhoCos, rhoSin; // geocentric position, km
    double longitude;      // east, degrees

    Place(double latitude, double longitudeEast) : longitude(longitudeEast)
    {
        const double phi = latitude * Rad;
        sinPhi = std::sin(phi);
        cosPhi = std::cos(phi);
        // The reduced latitude u, tan u = (b / a) tan phi, through its cosine and sine.
        const double s = EarthAxisRatio * sinPhi;
        const double n = std::sqrt(cosPhi * cosPhi + s * s);
        rhoCos = EarthRadius * cosPhi / n;
        rhoSin = EarthRadius * EarthAxisRatio * s / n;
    }
};

// The Moon in the place's horizon frame: km up, east and north of the place.
struct Local {
    double up, east, north, range;
};

inline Local ToLocal(const Vec &m, const Place &p, double cosTheta, double sinTheta)
{
    const double x = m.x - p.rhoCos * cosTheta, y = m.y - p.rhoCos * sinTheta;
    const double z = m.z - p.rhoSin;
    const double out = cosTheta * x + sinTheta * y; // away from the Earth's axis
    Local l;
    l.up = p.cosPhi * out + p.sinPhi * z;
    l.east = -sinTheta * x + cosTheta * y;
    l.north = -p.sinPhi * out + p.cosPhi * z;
    l.range = std::sqrt(x * x + y * y + z * z);
    return l;
}

inline THorizontal HorizontalOf(const Local &l, bool refraction)
{
    THorizontal h;
    h.Altitude = std::asin(std::clamp(l.up / l.range, -1.0, 1.0)) * Deg;
    h.Azimuth = std::atan2(l.east, l.north) * Deg;
    if (h.Azimuth < 0)
        h.Azimuth += 360;
    if (refraction)
        h.Altitude += Sky::Refraction(h.Altitude);
    return h;
}

// Sine of the altitude of the upper limb's touching the horizon, negated:
// 34' of refraction plus the semi-diameter as seen from the place (on the
// horizon within 0.1" of the geocentric one), sin x taken as x - x^3 / 6.
inline double HorizonDip(double rangeKm)
{
    const double x = Astro::HorizonRefraction * Rad + MoonRadius / rangeKm;
    return x - x * x * x / 6;
}

// The geocentric vector over a stretch of at most 30 hours: a cubic Chebyshev
// fit through four evaluations of the series, within a quarter of a second of
// arc of them, so that a day's search costs four evaluations rather than one
// for every step.
class Track
{
public:
    static constexpr int Nodes = 4;

    Track(double from, double to, double deltaTDays, const Sky::TNutation &n);

    Vec At(double jd) const
    {
        const double x = (jd - mid_) / half_;
        Vec b1{0, 0, 0}, b2{0, 0, 0};
        for (int j = Nodes - 1; j >= 1; --j) {
            const Vec b{2 * x * b1.x - b2.x + c_[j].x, 2 * x * b1.y - b2.y + c_[j].y,
                        2 * x * b1.z - b2.z + c_[j].z};
            b2 = b1;
            b1 = b;
        }
        return {x * b1.x - b2.x + c_[0].x, x * b1.y - b2.y + c_[0].y, x * b1.z - b2.z + c_[0].z};
    }

private:
    double mid_, half_;
    Vec c_[Nodes];
};

} // namespace Moon::Detail
