// OLE Automation dates on the proleptic Gregorian calendar, with integer
// day-count conversions so that whole days never suffer rounding.
#include "suntime/DateUtil.h"

#include "suntime/Instant.h"

#include <cmath>
#include <ctime>

namespace
{

constexpr int64_t MsPerDay = 86400000;
// Far beyond any year a caller means; keeps the integer arithmetic safe for
// absurd inputs instead of overflowing.
constexpr double DayLimit = 1.0e10;

// 30 December 1899, day 0 of OLE dates, in days from 1970.
constexpr int64_t OleEpochDays =
    static_cast<int64_t>(Astro::JdOleEpoch - Astro::JdUnixEpoch); // -25569

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
    const TCivilDate date = Civil::CivilFromDays(whole + OleEpochDays);
    year = static_cast<int>(date.Year);
    month = date.Month;
    day = date.Day;
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

bool IsLeapYear(int year)
{
    return Civil::IsLeapYear(year);
}

int DaysInMonth(int year, int month)
{
    return Civil::DaysInMonth(year, month);
}

double EncodeDate(int year, int month, int day)
{
    return static_cast<double>(Civil::DaysFromCivil(year, month, day) - OleEpochDays);
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
    return static_cast<int>(whole - (Civil::DaysFromCivil(year, 1, 1) - OleEpochDays) + 1);
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

namespace
{

TTodaySource TodaySource = nullptr;

} // namespace

double Today()
{
    if (TodaySource)
        return TodaySource();
    tzset(); // localtime_r alone does not notice a changed TZ
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local))
        return 0;
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

void SetTodaySource(TTodaySource source)
{
    TodaySource = source;
}

} // namespace DateUtil
