// Meeus's low-precision solar position (Astronomical Algorithms, chapters 25
// and 28) and the two-pass search for zenith crossings.
#include "suntime/SolarPosition.h"

#include "suntime/Constants.h"

#include <algorithm>
#include <cmath>

namespace SolarPosition
{

namespace
{

using Astro::Deg;
using Astro::Rad;

double SinD(double x)
{
    return std::sin(x * Rad);
}

double CosD(double x)
{
    return std::cos(x * Rad);
}

double TanD(double x)
{
    return std::tan(x * Rad);
}

// The body of HourAngle, kept where the passes below can have it inlined.
TEventStatus HourAngleOf(const LatitudeTerms &phi, double cosZenith, double delta, double &h)
{
    const double x = cosZenith / (phi.cosPhi * CosD(delta)) - phi.tanPhi * TanD(delta);
    if (x < -1)
        return TEventStatus::AboveAllDay;
    if (x > 1)
        return TEventStatus::BelowAllDay;
    if (!(x >= -1)) // NaN
        return TEventStatus::Failed;
    h = std::atan2(std::sqrt(1 - x * x), x) * Deg;
    return std::isfinite(h) ? TEventStatus::Occurs : TEventStatus::Failed;
}

// Second pass of a rising (sign -1) or setting (sign +1), in minutes after
// 0 h UTC, from the first pass's hour angle h1 and equation of time eot1.
void SecondPass(double jd, const LatitudeTerms &phi, double lon, double cosZenith, double h1,
                double eot1, double sign, Crossing &crossing)
{
    const double u = 720 + 4 * (lon + sign * h1) - eot1;
    const Elements el = ElementsAt(JulianCenturies(jd + u / 1440));
    double h = 0;
    crossing.state = HourAngleOf(phi, cosZenith, Declination(el), h);
    if (crossing.state != TEventStatus::Occurs)
        return;
    crossing.minutes = 720 + 4 * (lon + sign * h) - EquationOfTime(el);
    if (!std::isfinite(crossing.minutes))
        crossing.state = TEventStatus::Failed;
}

} // namespace

double CosDegrees(double x)
{
    return CosD(x);
}

double JulianCenturies(double jd)
{
    return (jd - Astro::JdJ2000) / 36525;
}

Elements ElementsAt(double t)
{
    Elements el;
    el.t = t;
    el.l0 = 280.46646 + t * (36000.76983 + 0.0003032 * t);
    while (el.l0 < 0)
        el.l0 += 360;
    while (!(el.l0 < 360))
        el.l0 -= 360;
    el.m = 357.52911 + t * (35999.05029 - 0.0001537 * t);
    el.e = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
    el.sinM = SinD(el.m);
    el.sin2M = SinD(2 * el.m);
    el.omega = 125.04 - 1934.136 * t;
    const double eps0 =
        23 + (26 + (21.448 - t * (46.815 + t * (0.00059 - 0.001813 * t))) / 60) / 60;
    el.eps = eps0 + 0.00256 * CosD(el.omega);
    return el;
}

double EquationOfTime(const Elements &el)
{
    const double tanHalf = TanD(el.eps / 2);
    const double y = tanHalf * tanHalf;
    const double e = el.e;
    const double E = y * SinD(2 * el.l0) - 2 * e * el.sinM + 4 * e * y * el.sinM * CosD(2 * el.l0) -
                     0.5 * y * y * SinD(4 * el.l0) - 1.25 * e * e * el.sin2M;
    return 4 * E * Deg;
}

double ApparentLongitude(const Elements &el)
{
    const double t = el.t;
    const double eqc = el.sinM * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                       el.sin2M * (0.019993 - 0.000101 * t) + SinD(3 * el.m) * 0.000289;
    const double theta = el.l0 + eqc;
    return theta - 0.00569 - 0.00478 * SinD(el.omega);
}

double Declination(const Elements &el)
{
    const double s = SinD(el.eps) * SinD(ApparentLongitude(el));
    return std::atan2(s, std::sqrt(1 - s * s)) * Deg;
}

LatitudeTerms LatitudeTermsOf(double latitude)
{
    return {CosD(latitude), TanD(latitude)};
}

TEventStatus HourAngle(const LatitudeTerms &phi, double cosZenith, double delta, double &h)
{
    return HourAngleOf(phi, cosZenith, delta, h);
}

bool NoonAt(double jd, double longitudeWest, NoonPass &noon)
{
    noon.minutes = 720 + 4 * longitudeWest -
                   EquationOfTime(ElementsAt(JulianCenturies(jd + 0.5 + longitudeWest / 360)));
    if (!std::isfinite(noon.minutes))
        return false;
    const Elements el = ElementsAt(JulianCenturies(jd + noon.minutes / 1440));
    noon.declination = Declination(el);
    noon.eot = EquationOfTime(el);
    return true;
}

void TwoPass(double jd, const LatitudeTerms &phi, double longitudeWest, const NoonPass &noon,
             double cosZenith, Crossing &rising, Crossing &setting)
{
    // Rising and setting begin their first pass at solar noon, so that pass
    // (time, declination, hour angle) is one and the same for both.
    double h1 = 0;
    const TEventStatus first = HourAngleOf(phi, cosZenith, noon.declination, h1);
    if (first != TEventStatus::Occurs) {
        rising.state = setting.state = first;
        return;
    }
    SecondPass(jd, phi, longitudeWest, cosZenith, h1, noon.eot, -1, rising);
    SecondPass(jd, phi, longitudeWest, cosZenith, h1, noon.eot, +1, setting);
}

TCalculatorDay::TCalculatorDay(double jd, double latitude, double longitudeEast)
    : FJd(jd), FLatitude(latitude), FLongitudeWest(-longitudeEast)
{
    FValid = std::isfinite(jd) && std::isfinite(latitude) && std::isfinite(longitudeEast) &&
             NoonAt(jd, FLongitudeWest, FNoon);
    if (FValid)
        FPhi = LatitudeTermsOf(latitude);
}

void TCalculatorDay::Crossings(double zenith, Crossing &rising, Crossing &setting) const
{
    rising = setting = Crossing();
    if (!FValid || !std::isfinite(zenith))
        return;
    TwoPass(FJd, FPhi, FLongitudeWest, FNoon, CosDegrees(zenith), rising, setting);
}

double TCalculatorDay::NoonAltitude() const
{
    // Latitudes beyond the poles are taken at the pole, so the height stays
    // within -90 ... 90 degrees.
    const double phi = std::clamp(FLatitude, -90.0, 90.0);
    return std::clamp(90 - std::fabs(phi - FNoon.declination), -90.0, 90.0);
}

} // namespace SolarPosition
