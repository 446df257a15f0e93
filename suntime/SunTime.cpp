// Angles and the Sun event calculator: Meeus's low-precision solar position
// with a fixed zenith of 90.833 degrees and two passes per rising and setting.
#include "suntime/SunTime.h"

#include "suntime/DateUtil.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>

// ---------------------------------------------------------------- TAngle

TAngle::~TAngle() = default;

void TAngle::Changed()
{
    if (OnChange)
        OnChange(*this);
}

void TAngle::SetDegrees(uint16_t v)
{
    // Compared before the reduction: 370 written over 10 still notifies.
    if (v == FDegrees)
        return;
    FDegrees = v % 360;
    Changed();
}

void TAngle::SetMinutes(uint16_t v)
{
    if (v == FMinutes)
        return;
    if (v < 60) {
        FMinutes = v;
        Changed();
        return;
    }
    FMinutes = v % 60;
    // The carry goes through the virtual write so the subclass limit applies;
    // that write sends the notification.
    SetDegrees(static_cast<uint16_t>(FDegrees + v / 60));
}

void TAngle::SetSeconds(uint16_t v)
{
    if (v == FSeconds)
        return;
    if (v < 60) {
        FSeconds = v;
        Changed();
        return;
    }
    FSeconds = v % 60;
    SetMinutes(static_cast<uint16_t>(FMinutes + v / 60));
}

void TAngle::SetNegative(bool b)
{
    if (b == FNegative)
        return;
    FNegative = b;
    Changed();
}

double TAngle::Value() const
{
    const double v = FDegrees + FMinutes / 60.0 + FSeconds / 3600.0;
    return FNegative ? -v : v;
}

namespace
{

// A whole number of degrees as the 16-bit field receives it: wrapped modulo
// 65536 like any integer handed to the unsigned field.
uint16_t WrapToField(double wholeDegrees)
{
    return static_cast<uint16_t>(static_cast<int64_t>(std::fmod(wholeDegrees, 65536.0)));
}

} // namespace

void TAngle::SetValue(double v)
{
    // Each part is truncated, never rounded; non-finite input counts as 0.
    if (!std::isfinite(v))
        v = 0;
    SetNegative(v < 0);
    const double a = std::fabs(v);
    const double whole = std::trunc(a);
    SetDegrees(WrapToField(whole));
    const double f = a - whole;
    const double minutes = f * 60;
    const double wholeMinutes = std::trunc(minutes);
    SetMinutes(static_cast<uint16_t>(wholeMinutes));
    SetSeconds(static_cast<uint16_t>(std::trunc((minutes - wholeMinutes) * 60)));
}

void TAngle::Assign(const TAngle &source)
{
    // Through the decimal value, so the receiver's own degree rule applies.
    SetValue(source.Value());
}

// ---------------------------------------------------------------- TLatitude

TLatitudeDir TLatitude::Dir() const
{
    return Negative() ? dSouth : dNorth;
}

void TLatitude::SetDir(TLatitudeDir d)
{
    SetNegative(static_cast<int>(d) == 1);
}

void TLatitude::SetDegrees(uint16_t v)
{
    while (v > 90)
        v -= 90;
    TAngle::SetDegrees(v);
}

// ---------------------------------------------------------------- TLongitude

TLongitudeDir TLongitude::Dir() const
{
    return Negative() ? dEast : dWest;
}

void TLongitude::SetDir(TLongitudeDir d)
{
    SetNegative(static_cast<int>(d) == 1);
}

void TLongitude::SetDegrees(uint16_t v)
{
    while (v > 180)
        v -= 180;
    TAngle::SetDegrees(v);
}

// ---------------------------------------------------------------- TSunTime

namespace
{

constexpr double Pi = 3.1415926535897932385;
constexpr double Rad = Pi / 180;
constexpr double Deg = 180 / Pi;

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

double JulianCenturies(double jd)
{
    return (jd - 2451545) / 36525;
}

// cos 90.833°, the zenith of sunrise and sunset.
const double CosZenith = CosD(90.833);

// Mean elements of the Sun at a time T, shared by the equation of time and
// the declination.
struct Elements {
    double t, l0, m, e, sinM, sin2M, omega, eps;
};

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

// Equation of time in minutes.
double EquationOfTime(const Elements &el)
{
    const double tanHalf = TanD(el.eps / 2);
    const double y = tanHalf * tanHalf;
    const double e = el.e;
    const double E = y * SinD(2 * el.l0) - 2 * e * el.sinM + 4 * e * y * el.sinM * CosD(2 * el.l0) -
                     0.5 * y * y * SinD(4 * el.l0) - 1.25 * e * e * el.sin2M;
    return 4 * E * Deg;
}

// Declination in degrees.
double Declination(const Elements &el)
{
    const double t = el.t;
    const double eqc = el.sinM * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                       el.sin2M * (0.019993 - 0.000101 * t) + SinD(3 * el.m) * 0.000289;
    const double theta = el.l0 + eqc;
    const double lambda = theta - 0.00569 - 0.00478 * SinD(el.omega);
    const double s = SinD(el.eps) * SinD(lambda);
    return std::atan2(s, std::sqrt(1 - s * s)) * Deg;
}

// The place's latitude terms of the hour angle, the same for every pass.
struct LatitudeTerms {
    double cosPhi, tanPhi;
};

// Hour angle of sunrise in degrees; false where the Sun does not reach the
// horizon (polar day or night) or the arithmetic breaks down.
bool HourAngle(const LatitudeTerms &phi, double delta, double &h)
{
    const double x = CosZenith / (phi.cosPhi * CosD(delta)) - phi.tanPhi * TanD(delta);
    if (!(std::fabs(x) <= 1))
        return false;
    h = std::atan2(std::sqrt(1 - x * x), x) * Deg;
    return std::isfinite(h);
}

// Second pass of sunrise (sign -1) or sunset (sign +1), in minutes after
// 0 h UTC, from the first pass's hour angle h1 and equation of time eot1.
bool SecondPass(double jd, const LatitudeTerms &phi, double lon, double h1, double eot1,
                double sign, double &minutes)
{
    const double u = 720 + 4 * (lon + sign * h1) - eot1;
    const Elements el = ElementsAt(JulianCenturies(jd + u / 1440));
    double h = 0;
    if (!HourAngle(phi, Declination(el), h))
        return false;
    minutes = 720 + 4 * (lon + sign * h) - EquationOfTime(el);
    return std::isfinite(minutes);
}

} // namespace

TSunTime::TSunTime()
{
    FLatitude.OnChange = [this](TAngle &) { Invalidate(); };
    FLongitude.OnChange = [this](TAngle &) { Invalidate(); };
    FDate = DateUtil::Today();
    SetUseSysTimeZone(true);
}

void TSunTime::SetDate(double value)
{
    if (!std::isfinite(value))
        return;
    const double day = std::trunc(value);
    if (day == std::trunc(FDate))
        return;
    FDate = day;
    if (FUseSysTimeZone)
        FTimeZone = -SystemZoneBias(FDate) / 60.0;
    FCalculated = false;
}

void TSunTime::SetTimeZone(double hours)
{
    // Out-of-range offsets are refused silently; the !(…) form refuses NaN too.
    if (hours == FTimeZone || !(hours >= -12 && hours <= 12))
        return;
    FTimeZone = hours;
    FUseSysTimeZone = false;
    FCalculated = false;
}

void TSunTime::SetUseSysTimeZone(bool on)
{
    if (on == FUseSysTimeZone)
        return;
    FUseSysTimeZone = on;
    if (on) {
        FTimeZone = -SystemZoneBias(FDate) / 60.0;
        FCalculated = false;
    }
}

void TSunTime::SetLatitude(const TAngle &a)
{
    FLatitude.Assign(a);
}

void TSunTime::SetLongitude(const TAngle &a)
{
    FLongitude.Assign(a);
}

void TSunTime::Invalidate()
{
    FCalculated = false;
}

double TSunTime::EventTime(int index)
{
    if (!FCalculated)
        Calculate();
    switch (index) {
    case 1:
        return FSunrise;
    case 2:
        return FSunset;
    case 3:
        return FNoon;
    default:
        return 0;
    }
}

void TSunTime::Calculate()
{
    FSunrise = FSunset = FNoon = 0;
    const double phi = FLatitude.Value();
    const double lon = FLongitude.Value();

    int year = 0, month = 0, day = 0;
    DateUtil::DecodeDate(FDate, year, month, day);
    // Beyond the calendar's years 1 ... 9999 no event is computed.
    if (year >= 1 && year <= 9999) {
        const double jd = DateUtil::JulianDay(year, month, day);

        const auto toClock = [this](double minutes) {
            const double r = FDate + (minutes / 60 + FTimeZone) / 24;
            return std::isfinite(r) ? r : 0.0;
        };
        const double noon =
            720 + 4 * lon - EquationOfTime(ElementsAt(JulianCenturies(jd + 0.5 + lon / 360)));
        // Both sunrise and sunset begin their first pass at solar noon, so
        // that pass (time, declination, hour angle) is one and the same. The
        // noon itself needs no hour angle and stands even without them.
        if (std::isfinite(noon)) {
            FNoon = toClock(noon);
            const LatitudeTerms place{CosD(phi), TanD(phi)};
            const Elements el = ElementsAt(JulianCenturies(jd + noon / 1440));
            double h1 = 0;
            if (HourAngle(place, Declination(el), h1)) {
                const double eot1 = EquationOfTime(el);
                double minutes = 0;
                if (SecondPass(jd, place, lon, h1, eot1, -1, minutes))
                    FSunrise = toClock(minutes);
                if (SecondPass(jd, place, lon, h1, eot1, +1, minutes))
                    FSunset = toClock(minutes);
            }
        }
    }
    FCalculated = true;
}

// ---------------------------------------------------------------- zone bias

namespace
{

// UTC offset in seconds (east positive) in force at a moment.
bool OffsetAt(std::time_t t, long &offset)
{
    std::tm local{};
    if (!localtime_r(&t, &local))
        return false;
    offset = local.tm_gmtoff;
    return true;
}

// localtime_r does not look at TZ again after its first use, so a changed TZ
// is handed on through tzset. Only on a change: with TZ unset, each tzset
// asks the file system about /etc/localtime, which would dominate the cost.
void FollowTzVariable()
{
    thread_local bool known = false;
    thread_local bool wasSet = false;
    thread_local std::string last;
    const char *tz = std::getenv("TZ");
    if (known && wasSet == (tz != nullptr) && (!tz || last == tz))
        return;
    known = true;
    wasSet = tz != nullptr;
    last = tz ? tz : "";
    tzset();
}

} // namespace

int SystemZoneBias(double day)
{
    FollowTzVariable();

    int year = 0, month = 0, dayOfMonth = 0;
    DateUtil::DecodeDate(day, year, month, dayOfMonth);
    // Local midnight written as if it were UTC, in seconds since 1970.
    const double unixEpoch = DateUtil::EncodeDate(1970, 1, 1);
    const double wholeDay = DateUtil::EncodeDate(year, month, dayOfMonth);
    const std::time_t wall = static_cast<std::time_t>((wholeDay - unixEpoch) * 86400);

    // Every zone lies within UTC-12 ... UTC+14, so the offsets that may apply
    // at local midnight are those in force at the two ends of that span: the
    // one before a change that day and the one after it.
    long before = 0, after = 0;
    if (!OffsetAt(wall - 14 * 3600, before))
        return 0;
    if (!OffsetAt(wall + 12 * 3600, after))
        after = before;
    const auto holds = [wall](long offset) {
        long actual = 0;
        return OffsetAt(wall - offset, actual) && actual == offset;
    };
    // Midnight under the earlier offset is the first midnight of the day (it
    // may occur twice when the clock goes back). When midnight never occurs
    // because the clock jumps over it, the day keeps the offset from before
    // the jump, as any day of a change keeps the offset it started with.
    long offset = before;
    if (!holds(before) && holds(after))
        offset = after;
    return static_cast<int>(-offset / 60);
}
