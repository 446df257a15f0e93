// Delta T, refraction, nutation and sidereal time after Meeus and Espenak, and
// the Sun's place from the calculator's own solar position.
#include "suntime/SkyPosition.h"

#include "suntime/Constants.h"
#include "suntime/SolarPosition.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace Sky
{

namespace
{

using Astro::Deg;
using Astro::Rad;

double Polynomial(double x, std::initializer_list<double> c)
{
    double r = 0;
    for (auto i = c.end(); i != c.begin();)
        r = r * x + *--i;
    return r;
}

} // namespace

double DeltaT(double jdUt)
{
    const double y = 2000 + (jdUt - 2451544.5) / 365.2425;
    const double u = (y - 1820) / 100;
    if (y < -500 || y >= 2150)
        return -20 + 32 * u * u;
    if (y < 500)
        return Polynomial(y / 100, {10583.6, -1014.41, 33.78311, -5.952053, -0.1798452, 0.022174192,
                                    0.0090316521});
    if (y < 1600)
        return Polynomial((y - 1000) / 100, {1574.2, -556.01, 71.23472, 0.319781, -0.8503463,
                                             -0.005050998, 0.0083572073});
    if (y < 1700)
        return Polynomial(y - 1600, {120, -0.9808, -0.01532, 1 / 7129.0});
    if (y < 1800)
        return Polynomial(y - 1700, {8.83, 0.1603, -0.0059285, 0.00013336, -1 / 1174000.0});
    if (y < 1860)
        return Polynomial(y - 1800, {13.72, -0.332447, 0.0068612, 0.0041116, -0.00037436,
                                     0.0000121272, -0.0000001699, 0.000000000875});
    if (y < 1900)
        return Polynomial(y - 1860,
                          {7.62, 0.5737, -0.251754, 0.01680668, -0.0004473624, 1 / 233174.0});
    if (y < 1920)
        return Polynomial(y - 1900, {-2.79, 1.494119, -0.0598939, 0.0061966, -0.000197});
    if (y < 1941)
        return Polynomial(y - 1920, {21.20, 0.84493, -0.076100, 0.0020936});
    if (y < 1961)
        return Polynomial(y - 1950, {29.07, 0.407, -1 / 233.0, 1 / 2547.0});
    if (y < 1986)
        return Polynomial(y - 1975, {45.45, 1.067, -1 / 260.0, -1 / 718.0});
    if (y < 2005)
        return Polynomial(y - 2000,
                          {63.86, 0.3345, -0.060374, 0.0017275, 0.000651814, 0.00002373599});
    if (y < 2050)
        return Polynomial(y - 2000, {62.92, 0.32217, 0.005589});
    return -20 + 32 * u * u - 0.5628 * (2150 - y);
}

double Refraction(double trueAltitude)
{
    // Saemundsson's formula holds to a degree below the horizon, where a body
    // low on the horizon is still seen; below that the refraction falls
    // smoothly to nothing a degree lower, so that a body well below the
    // horizon stands at its airless altitude (the twilights' angles).
    constexpr double Full = -1, None = -2;
    const double h = std::max(trueAltitude, Full);
    const double r = (1.02 / std::tan((h + 10.3 / (h + 5.11)) * Rad) + 0.0019279) / 60;
    if (!(trueAltitude < Full))
        return r; // also for not a number, which stays one
    if (trueAltitude <= None)
        return 0;
    const double t = (Full - trueAltitude) / (Full - None);
    return r * (1 - t * t * (3 - 2 * t));
}

TNutation NutationAt(double jdTt)
{
    const double t = SolarPosition::JulianCenturies(jdTt);
    const double omega = (125.04452 - 1934.136261 * t + 0.0020708 * t * t) * Rad;
    const double l = 2 * (280.4665 + 36000.7698 * t) * Rad;
    const double lMoon = 2 * (218.3165 + 481267.8813 * t) * Rad;
    const double sinO = std::sin(omega), cosO = std::cos(omega);
    const double dPsi =
        -17.20 * sinO - 1.32 * std::sin(l) - 0.23 * std::sin(lMoon) + 0.42 * sinO * cosO;
    const double dEps =
        9.20 * cosO + 0.57 * std::cos(l) + 0.10 * std::cos(lMoon) - 0.09 * (2 * cosO * cosO - 1);
    const double eps0 = 23.4392911111 - t * (46.8150 + t * (0.00059 - 0.001813 * t)) / 3600;
    return {dPsi / 3600, eps0 + dEps / 3600};
}

double SiderealTime(double jdUt, const TNutation &nutation)
{
    // 360.98564736629 degrees a day split in two, so the whole turns drop out
    // before they cost precision.
    const double d = jdUt - Astro::JdJ2000;
    const double t = d / 36525;
    double theta = 360 * (d - std::floor(d)) + 0.98564736629 * d + 280.46061837 +
                   t * t * (0.000387933 - t / 38710000) +
                   nutation.Longitude * std::cos(nutation.Obliquity * Rad);
    theta = std::fmod(theta, 360);
    return theta < 0 ? theta + 360 : theta;
}

THorizontal SunHorizontal(TInstant moment, const TObserver &observer, bool refraction)
{
    const double jdUt = moment.Jd();
    const double latitude = observer.Latitude;
    const double longitudeEast = observer.Longitude;
    const SolarPosition::Elements el =
        SolarPosition::ElementsAt(SolarPosition::JulianCenturies(jdUt));
    // The calculator's hour angle: minutes after 0 h UT, less noon, plus the
    // equation of time (in minutes, four to a degree), plus the longitude.
    const double dayFraction = jdUt - 0.5 - std::floor(jdUt - 0.5);
    const double h =
        (360 * dayFraction - 180 + SolarPosition::EquationOfTime(el) / 4 + longitudeEast) * Rad;
    const double delta = SolarPosition::Declination(el) * Rad;
    const double phi = latitude * Rad;
    const double sinAlt =
        std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(h);
    THorizontal r;
    r.Altitude = std::asin(std::clamp(sinAlt, -1.0, 1.0)) * Deg;
    // Meeus 13.5 counts from the south; turned to count from the north.
    r.Azimuth =
        std::atan2(std::sin(h), std::cos(h) * std::sin(phi) - std::tan(delta) * std::cos(phi)) *
            Deg +
        180;
    if (r.Azimuth >= 360)
        r.Azimuth -= 360;
    if (refraction)
        r.Altitude += Refraction(r.Altitude);
    return r;
}

} // namespace Sky
