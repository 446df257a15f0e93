// Where a body stands in an observer's sky: horizontal coordinates, the
// difference between uniform time and the Earth's rotation, the refraction of
// the air, nutation and sidereal time, and the Sun at any moment. Angles are
// degrees; a bare moment (DeltaT, NutationAt, SiderealTime) is a Julian Day.
#pragma once

#include "suntime/Instant.h"
#include "suntime/Observer.h"

struct THorizontal {
    double Altitude = 0; // above the horizon
    double Azimuth = 0;  // from north through east, [0, 360)
};

namespace Sky
{

// TT - UT in seconds: Espenak and Meeus's polynomials (NASA's Five Millennium
// Canon of eclipses), which cover every year; before -500 and after 2150 their
// long-term parabola.
double DeltaT(double jdUt);

// Standard refraction (10 °C, 1010 hPa) of a body at a true, airless altitude:
// Saemundsson's formula (Meeus 16.4), nudged to zero at the zenith, down to
// -1 degree; from there it falls smoothly to zero at -2 degrees and stays
// zero below, while altitude plus refraction keeps growing with the altitude.
double Refraction(double trueAltitude);

// Nutation in longitude and the true obliquity of the ecliptic, degrees, from
// the short series of Meeus chapter 22 (0.5" in longitude, 0.1" in obliquity).
struct TNutation {
    double Longitude = 0;
    double Obliquity = 0;
};
TNutation NutationAt(double jdTt);

// Greenwich apparent sidereal time, degrees in [0, 360) (Meeus 12.4 plus the
// equation of the equinoxes).
double SiderealTime(double jdUt, const TNutation &nutation);

// The Sun's centre at any moment, from the calculator's own solar position
// (SolarPosition's elements, declination and equation of time; UT used as it
// is there), so that at a sunrise or sunset of ComputeSunDay it stands at the
// 0.833 degrees below the horizon that the calculator aims at: within 0.0003
// degrees between 65 S and 65 N (the calculator's second pass takes the
// elements a few minutes away from the event). Geocentric, so no parallax;
// refraction adds Refraction() to the altitude. Not-a-number in gives
// not-a-number out.
THorizontal SunHorizontal(TInstant moment, const TObserver &observer, bool refraction);

} // namespace Sky
