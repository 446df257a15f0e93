// OLE Automation dates on the proleptic Gregorian calendar, with integer
// day-count conversions so that whole days never suffer rounding.
#include "suntime/DateUtil.h"

#include <cmath>
#include <ctime>

namespace
{

constexpr int64_t MsPerDay = 86400000;
// Far beyond any year a caller means; keeps the integer arithmetic safe for
// absurd inputs instead of overflowing.
constexpr double DayLimit = 1.0e10;

// Days since 1 March of year 0 of a proleptic Gregorian date.
constexpr int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;                                   // 0 ... 399
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1; // 0 ... 365
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;           // 0 ... 146096
    return era * 146097 + doe;
}

// 30 December 1899, day 0 of OLE dates.
constexpr int64_t OleEpochFrom0000 = DaysFromCivil(1899, 12, 30);

void CivilFromDays(int64_t z, int64_t &y, int &m, int &d)
{
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

// The OLE day a date belongs to: its whole part, truncated toward zero
// (negative dates keep the time of day as the fraction's absolute value).
int64_t WholeDay(double date)
{
    if (!std::isfinite(date))
        return 0;
    if (date > DayLimit)
        return static_cast<int64_t>(DayLimit);
    if (date < -DayLimit)
        return -static_cast<int64_t>(DayLimit);
    return static_cast<int64_t>(std::trunc(date));
}

// Milliseconds into the day, rounded; may be MsPerDay when it rounds up.
int64_t DayMilliseconds(double date)
{
    if (!std::isfinite(date) || std::fabs(date) > DayLimit)
        return 0;
    const double fraction = std::fabs(date - std::trunc(date));
    return std::llround(fraction * static_cast<double>(MsPerDay));
}

void SplitDay(int64_t whole, int &year, int &month, int &day)
{
    int64_t y = 0;
    CivilFromDays(whole + OleEpochFrom0000, y, month, day);
    year = static_cast<int>(y);
}

void SplitMilliseconds(int64_t ms, int &hour, int &minute, int &second, int &msec)
{
    hour = static_cast<int>(ms / 3600000);
    minute = static_cast<int>(ms / 60000 % 60);
    second = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

} // namespace

namespace DateUtil
{

void CivilFromUnixDays(int64_t days, int64_t &year, int &month, int &day)
{
    CivilFromDays(days + DaysFromCivil(1970, 1, 1), year, month, day);
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && IsLeapYear(year))
        return 29;
    return days[month - 1];
}

double EncodeDate(int year, int month, int day)
{
    return static_cast<double>(DaysFromCivil(year, month, day) - OleEpochFrom0000);
}

void DecodeDate(double date, int &year, int &month, int &day)
{
    SplitDay(WholeDay(date), year, month, day);
}

double EncodeTime(int hour, int minute, int second, int msec)
{
    const int64_t ms =
        int64_t(hour) * 3600000 + int64_t(minute) * 60000 + int64_t(second) * 1000 + msec;
    return static_cast<double>(ms) / static_cast<double>(MsPerDay);
}

void DecodeTime(double date, int &hour, int &minute, int &second, int &msec)
{
    SplitMilliseconds(DayMilliseconds(date) % MsPerDay, hour, minute, second, msec);
}

void DecodeDateTime(double date, int &year, int &month, int &day, int &hour, int &minute,
                    int &second, int &msec)
{
    int64_t whole = WholeDay(date);
    int64_t ms = DayMilliseconds(date);
    if (ms >= MsPerDay) {
        // 23:59:59.9995 and later is midnight of the following calendar day.
        // The following day is whole + 1 for negative dates too: their whole
        // part counts days the same way, only the time of day is mirrored.
        ms -= MsPerDay;
        ++whole;
    }
    SplitDay(whole, year, month, day);
    SplitMilliseconds(ms, hour, minute, second, msec);
}

double MomentToOle(double moment)
{
    if (!(moment < 0))
        return moment;
    const double day = std::floor(moment);
    const double fraction = moment - day;
    return day - fraction;
}

int DayOfWeek(double date)
{
    // Day 0, 30 December 1899, was a Saturday.
    const int64_t whole = WholeDay(date);
    const int64_t r = ((whole % 7) + 7) % 7;
    return static_cast<int>((r + 6) % 7 + 1);
}

int DayOfYear(double date)
{
    int year = 0, month = 0, day = 0;
    const int64_t whole = WholeDay(date);
    SplitDay(whole, year, month, day);
    return static_cast<int>(whole - (DaysFromCivil(year, 1, 1) - OleEpochFrom0000) + 1);
}

double JulianDay(int year, int month, int day)
{
    double y = year, m = month;
    if (month <= 2) {
        y -= 1;
        m += 12;
    }
    const double a = std::floor(y / 100);
    const double b = 2 - a + std::floor(a / 4);
    return std::floor(365.25 * (y + 4716)) + std::floor(30.6001 * (m + 1)) + day + b - 1524.5;
}

double Today()
{
    tzset(); // localtime_r alone does not notice a changed TZ
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local))
        return 0;
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

} // namespace DateUtil
