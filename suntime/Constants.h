// The numbers the astronomy shares, each written once: pi and the degree,
// the epochs of the time scales, the zenith angles of sunrise, sunset and the
// twilights, and the refraction at the horizon.
#pragma once

namespace Astro
{

constexpr double Pi = 3.1415926535897932385;
constexpr double Rad = Pi / 180; // one degree in radians
constexpr double Deg = 180 / Pi; // one radian in degrees

// Julian Days of the epochs.
constexpr double JdJ2000 = 2451545.0;     // 2000-01-01 12:00
constexpr double JdUnixEpoch = 2440587.5; // 1970-01-01 00:00
constexpr double JdOleEpoch = 2415018.5;  // 1899-12-30 00:00, day 0 of the date-time values
constexpr double JdYear1 = 1721425.5;     // 0001-01-01 00:00
constexpr double JdYear10000 = 5373484.5; // 10000-01-01 00:00

constexpr double SecondsPerDay = 86400;

// The refraction at the horizon that risings and settings assume: an upper
// limb 34' below the airless horizon is seen on it.
constexpr double HorizonRefraction = 34.0 / 60;

} // namespace Astro

// The zenith angles of the Sun's centre, in degrees: sunrise and sunset (the
// refraction at the horizon and the Sun's semi-diameter, 50'), and the civil,
// nautical and astronomical twilights.
namespace Zenith
{
constexpr double SunriseSunset = 90.833;
constexpr double Civil = 96;
constexpr double Nautical = 102;
constexpr double Astronomical = 108;
} // namespace Zenith
