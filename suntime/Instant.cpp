// Moments and the proleptic Gregorian calendar, with integer day counts so
// that whole days never suffer rounding.
#include "suntime/Instant.h"

#include "suntime/SkyPosition.h"

namespace
{

constexpr int64_t MsPerDay = 86400000;
// 1970-01-01 counted from J2000.0: the Unix epoch is a whole number of days
// and a half before it.
constexpr double UnixEpochUt = Astro::JdUnixEpoch - Astro::JdJ2000;
// Far beyond any year a caller means; keeps the integer arithmetic safe for
// absurd inputs instead of overflowing.
constexpr double MsLimit = 9.0e17;

int64_t FloorDiv(int64_t a, int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

namespace Civil
{

int64_t DaysFromCivil(int64_t y, int m, int d)
{
    // Days since 1 March of year 0, then moved to 1970.
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;                                   // 0 ... 399
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1; // 0 ... 365
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;           // 0 ... 146096
    return era * 146097 + doe - 719468;
}

TCivilDate CivilFromDays(int64_t days)
{
    const int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    TCivilDate date;
    date.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    date.Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    date.Year = yoe + era * 400 + (date.Month <= 2);
    return date;
}

bool IsLeapYear(int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int64_t year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && IsLeapYear(year))
        return 29;
    return days[month - 1];
}

} // namespace Civil

TInstant TInstant::FromUnixMs(int64_t ms)
{
    return TInstant(static_cast<double>(ms) / MsPerDay + UnixEpochUt);
}

TInstant TInstant::FromUnixSeconds(double seconds)
{
    return TInstant(seconds / Astro::SecondsPerDay + UnixEpochUt);
}

TInstant TInstant::FromCivil(const TCivilDate &date, double seconds)
{
    const double days = static_cast<double>(Civil::DaysFromCivil(date.Year, date.Month, date.Day));
    return TInstant(days + UnixEpochUt + seconds / Astro::SecondsPerDay);
}

double TInstant::JdTt() const
{
    return Jd() + Sky::DeltaT(Jd()) / Astro::SecondsPerDay;
}

int64_t TInstant::UnixMs() const
{
    const double ms = (FUt - UnixEpochUt) * MsPerDay;
    if (!(std::fabs(ms) < MsLimit))
        return std::isnan(ms)
                   ? 0
                   : (ms < 0 ? -static_cast<int64_t>(MsLimit) : static_cast<int64_t>(MsLimit));
    return std::llround(ms);
}

TInstant TInstant::WholeSecond() const
{
    const int64_t ms = UnixMs();
    return FromUnixMs(ms - (ms % 1000 + 1000) % 1000);
}

TCivilDate TInstant::CivilDate(int offsetSeconds) const
{
    return Civil::CivilFromDays(FloorDiv(UnixMs() + offsetSeconds * int64_t(1000), MsPerDay));
}

double TInstant::SecondsOfDay(int offsetSeconds) const
{
    const int64_t wall = UnixMs() + offsetSeconds * int64_t(1000);
    return static_cast<double>(wall - FloorDiv(wall, MsPerDay) * MsPerDay) / 1000;
}

bool TInstant::InCalendarYears() const
{
    const double jd = Jd();
    return jd >= Astro::JdYear1 && jd < Astro::JdYear10000;
}
