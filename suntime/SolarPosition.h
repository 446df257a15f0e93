// Meeus's low-precision solar position and the two-pass search for the
// moments the Sun's centre crosses a zenith angle. Internal to the library:
// TSunTime and the zenith crossings both build on it, so they agree exactly.
#pragma once

namespace SolarPosition
{

double JulianCenturies(double jd);

// Mean elements of the Sun at a time T, shared by the equation of time and
// the declination.
struct Elements {
    double t, l0, m, e, sinM, sin2M, omega, eps;
};

Elements ElementsAt(double t);
double EquationOfTime(const Elements &el); // minutes
double Declination(const Elements &el);    // degrees
// The Sun's apparent ecliptic longitude, degrees (not brought into 0 ... 360).
double ApparentLongitude(const Elements &el);

// The place's latitude terms of the hour angle, the same for every pass.
struct LatitudeTerms {
    double cosPhi, tanPhi;
};
LatitudeTerms LatitudeTermsOf(double latitude);

// Whether the Sun's centre crosses the zenith angle, and if not, why.
enum class PassState {
    Crosses,
    AlwaysAbove, // x < -1: it stays above the zenith angle
    AlwaysBelow, // x > 1: it never comes up to it
    Failed       // not a number on the way
};

// Hour angle in degrees at which the Sun's centre is at the zenith angle whose
// cosine is cosZenith, for a declination delta.
PassState HourAngle(const LatitudeTerms &phi, double cosZenith, double delta, double &h);

// The first pass, at solar noon: its time in minutes after 0 h UTC and the
// Sun's declination and equation of time then. The rising and the setting of every zenith angle
// start from it.
struct NoonPass {
    double minutes = 0;
    double declination = 0;
    double eot = 0;
};

// False when the noon is not a finite number.
bool NoonAt(double jd, double longitudeWest, NoonPass &noon);

struct Crossing {
    PassState state = PassState::Failed;
    double minutes = 0; // after 0 h UTC of the day, when state is Crosses
};

// Both passes of the rising (sign -1) and setting (sign +1) through the zenith
// angle whose cosine is cosZenith. When the first pass fails, both crossings
// carry its reason.
void TwoPass(double jd, const LatitudeTerms &phi, double longitudeWest, const NoonPass &noon,
             double cosZenith, Crossing &rising, Crossing &setting);

// Julian Day of 0 h UT of a whole OLE day; false outside the years 1 ... 9999.
bool JulianDayOf(double day, double &jd);

// Minutes after 0 h UTC of the day as an OLE date-time on a clock that many
// hours ahead of UTC; not finite when the arithmetic overflows.
inline double ToClock(double day, double minutes, double clockHours)
{
    return day + (minutes / 60 + clockHours) / 24;
}

double CosDegrees(double x);

} // namespace SolarPosition
