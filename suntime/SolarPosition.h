// Meeus's low-precision solar position and the two-pass search for the
// moments the Sun's centre crosses a zenith angle. Internal to the library:
// TSunTime and the zenith crossings both build on it, so they agree exactly.
#pragma once

#include "suntime/Event.h"

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

// Hour angle in degrees at which the Sun's centre is at the zenith angle whose
// cosine is cosZenith, for a declination delta: AboveAllDay for x < -1 (it
// stays above the zenith angle), BelowAllDay for x > 1 (it never comes up to
// it), Failed for not a number on the way.
TEventStatus HourAngle(const LatitudeTerms &phi, double cosZenith, double delta, double &h);

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
    TEventStatus state = TEventStatus::Failed;
    double minutes = 0; // after 0 h UTC of the day, when state is Crosses
};

// Both passes of the rising (sign -1) and setting (sign +1) through the zenith
// angle whose cosine is cosZenith. When the first pass fails, both crossings
// carry its reason.
void TwoPass(double jd, const LatitudeTerms &phi, double longitudeWest, const NoonPass &noon,
             double cosZenith, Crossing &rising, Crossing &setting);

// The calculator's day at a place: what its zenith angles share, the day's
// Julian Day and the first pass at solar noon. Minutes count from 0 h UT of
// the day whose 0 h UT is the Julian Day jd.
class TCalculatorDay
{
public:
    TCalculatorDay(double jd, double latitude, double longitudeEast);

    // False for a day or place that is not a finite number.
    bool Valid() const { return FValid; }
    const NoonPass &Noon() const { return FNoon; }
    void Crossings(double zenith, Crossing &rising, Crossing &setting) const;
    // The Sun's centre at the meridian, without refraction, degrees.
    double NoonAltitude() const;

private:
    double FJd = 0;
    double FLatitude = 0;
    double FLongitudeWest = 0;
    LatitudeTerms FPhi{};
    NoonPass FNoon;
    bool FValid = false;
};

double CosDegrees(double x);

} // namespace SolarPosition
