// A moment of time, and the civil calendar. Every moment the astronomy works
// with is a TInstant: Universal Time, counted in days from J2000.0, which
// keeps a fraction of a microsecond over the years 1 ... 9999. Dynamical time,
// where a series needs it, is taken from it through Delta T. Conversions to
// the civil calendar, Unix time and the date-time values of the calculator's
// edge live here and nowhere else.
#pragma once

#include "suntime/Constants.h"

#include <cmath>
#include <cstdint>

// A day of the proleptic Gregorian calendar.
struct TCivilDate {
    int64_t Year = 1970;
    int Month = 1;
    int Day = 1;
};

namespace Civil
{

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar, and back.
int64_t DaysFromCivil(int64_t year, int month, int day);
TCivilDate CivilFromDays(int64_t days);
bool IsLeapYear(int64_t year);
int DaysInMonth(int64_t year, int month); // 28 ... 31, 0 for a month out of range

} // namespace Civil

class TInstant
{
public:
    // J2000.0; a default moment is a valid one.
    constexpr TInstant() = default;

    static constexpr TInstant FromJd(double jdUt) { return TInstant(jdUt - Astro::JdJ2000); }
    static TInstant FromUnixMs(int64_t ms);
    static TInstant FromUnixSeconds(double seconds);
    // Midnight of a civil date on UT, plus seconds of the day.
    static TInstant FromCivil(const TCivilDate &date, double seconds = 0);
    // A date-time value on UTC (days since 1899-12-30, the time of day
    // counted straight on from the day, as the calculator adds it).
    static constexpr TInstant FromOle(double ole)
    {
        return TInstant(ole + (Astro::JdOleEpoch - Astro::JdJ2000));
    }

    // Julian Day of Universal Time.
    constexpr double Jd() const { return FUt + Astro::JdJ2000; }
    // Julian Day of dynamical time (TT = UT + Delta T).
    double JdTt() const;
    // Days since J2000.0, UT.
    constexpr double Ut() const { return FUt; }
    double Ole() const { return FUt - (Astro::JdOleEpoch - Astro::JdJ2000); }
    // Milliseconds since 1970-01-01 00:00 UTC, to the nearest millisecond.
    int64_t UnixMs() const;
    // Cut to the whole second, as the program shows moments: taken to the
    // nearest millisecond, then the milliseconds dropped.
    TInstant WholeSecond() const;
    // The civil date at a clock so many seconds east of UTC, and the
    // seconds since that date's midnight.
    TCivilDate CivilDate(int offsetSeconds = 0) const;
    double SecondsOfDay(int offsetSeconds = 0) const;

    constexpr TInstant AddDays(double days) const { return TInstant(FUt + days); }
    constexpr TInstant AddSeconds(double seconds) const
    {
        return TInstant(FUt + seconds / Astro::SecondsPerDay);
    }
    // Days from another moment to this one.
    constexpr double operator-(const TInstant &o) const { return FUt - o.FUt; }
    bool IsFinite() const { return std::isfinite(FUt); }
    // Within the years 1 ... 9999 of UT.
    bool InCalendarYears() const;

    constexpr bool operator<(const TInstant &o) const { return FUt < o.FUt; }
    constexpr bool operator<=(const TInstant &o) const { return FUt <= o.FUt; }
    constexpr bool operator>(const TInstant &o) const { return FUt > o.FUt; }
    constexpr bool operator>=(const TInstant &o) const { return FUt >= o.FUt; }
    constexpr bool operator==(const TInstant &o) const { return FUt == o.FUt; }
    constexpr bool operator!=(const TInstant &o) const { return FUt != o.FUt; }

private:
    constexpr explicit TInstant(double ut) : FUt(ut) {}

    double FUt = 0; // days since J2000.0, UT
};
