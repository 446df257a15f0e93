// The calculator's date-time values (OLE Automation dates): days since
// 30 December 1899 00:00 as a double, the fraction being the time of day.
// They exist only where the main window's calculator and its result lines
// need them; every other moment is a TInstant. Proleptic Gregorian calendar
// throughout.
#pragma once

#include <cstdint>

namespace DateUtil
{

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);            // 28 ... 31
double EncodeDate(int year, int month, int day); // whole day
void DecodeDate(double date, int &year, int &month, int &day);
double EncodeTime(int hour, int minute, int second, int msec = 0); // fraction of a day
// Time of day taken to the nearest millisecond (a value that rounds up to
// 24:00 belongs to the next day, which DecodeDateTime accounts for).
void DecodeTime(double date, int &hour, int &minute, int &second, int &msec);
// Date and time together, consistent with each other after the rounding.
void DecodeDateTime(double date, int &year, int &month, int &day, int &hour, int &minute,
                    int &second, int &msec);
// A moment counted straight on from a day (the day plus hours / 24, as the
// calculator adds them) as an OLE date. From 30 December 1899 on the two are
// the same; before it the OLE time of day counts away from the epoch, so the
// straight count would show the mirrored time.
double MomentToOle(double moment);
int DayOfWeek(double date); // 1 = Sunday ... 7 = Saturday
int DayOfYear(double date); // 1 for 1 January
// The local date as a whole day: the system's, unless the program's clock
// has been fixed (tests), which hands its own source over here.
double Today();
using TTodaySource = double (*)();
void SetTodaySource(TTodaySource source); // nullptr: the system's clock again
// Julian Day of 0 h UT of a calendar date (Gregorian rule for every date).
double JulianDay(int year, int month, int day);

} // namespace DateUtil
