// Angles and the Sun event calculator: Meeus's low-precision solar position
// (SolarPosition) with a fixed zenith of 90.833 degrees.
#include "suntime/SunTime.h"

#include "suntime/Constants.h"
#include "suntime/DateUtil.h"
#include "suntime/Instant.h"
#include "suntime/SolarPosition.h"

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

// Julian Day of 0 h UT of a whole date-time value; false outside the years
// 1 ... 9999, where nothing is computed.
bool JulianDayOf(double day, double &jd)
{
    int year = 0, month = 0, dayOfMonth = 0;
    DateUtil::DecodeDate(day, year, month, dayOfMonth);
    if (year < 1 || year > 9999)
        return false;
    jd = DateUtil::JulianDay(year, month, dayOfMonth);
    return true;
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
    using namespace SolarPosition;
    FSunrise = FSunset = FNoon = 0;
    double jd = 0;
    // The calculator's longitude is west positive; the day takes it east.
    const TCalculatorDay day(JulianDayOf(FDate, jd) ? jd : NAN, FLatitude.Value(),
                             -FLongitude.Value());
    if (day.Valid()) {
        // Minutes after 0 h UTC as a date-time value on the output clock.
        const auto toClock = [this](double minutes) {
            const double r = FDate + (minutes / 60 + FTimeZone) / 24;
            return std::isfinite(r) ? r : 0.0;
        };
        // The noon needs no hour angle and stands even without the others.
        FNoon = toClock(day.Noon().minutes);
        Crossing rising, setting;
        day.Crossings(Zenith::SunriseSunset, rising, setting);
        if (rising.state == TEventStatus::Occurs)
            FSunrise = toClock(rising.minutes);
        if (setting.state == TEventStatus::Occurs)
            FSunset = toClock(setting.minutes);
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
    const std::time_t wall =
        static_cast<std::time_t>(Civil::DaysFromCivil(year, month, dayOfMonth) * 86400);

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
