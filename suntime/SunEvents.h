// The Sun's events: the calculator's own day (solar noon and the two passes
// of every zenith angle, as TSunTime computes them), the Sun's height at any
// moment, every crossing of its zenith angles within the dates of a clock,
// and the equinoxes and solstices. Standard library only.
#pragma once

#include "suntime/DayEvents.h"
#include "suntime/Event.h"
#include "suntime/Observer.h"

#include <array>
#include <optional>
#include <vector>

// The zenith angles of the Sun's events: sunrise and sunset, then the civil,
// nautical and astronomical twilights.
enum class TSunZenith { Sunrise, Civil, Nautical, Astronomical };
constexpr int SunZenithCount = 4;

// The zenith angle in degrees and its morning and evening events.
double ZenithOf(TSunZenith zenith);
TEventKind MorningOf(TSunZenith zenith);
TEventKind EveningOf(TSunZenith zenith);

// The calculator's day: one day of UT, its solar noon and, for each zenith
// angle, the crossings of the two passes that start from that noon.
struct TSunDay {
    TEvent Noon;             // SolarNoon; Failed when it cannot be computed
    double NoonAltitude = 0; // the Sun's centre at the meridian, airless, degrees
    // The Sun's declination (degrees) and the equation of time (minutes) at
    // that noon.
    double NoonDeclination = 0;
    double NoonEquationOfTime = 0;
    std::array<TEvent, SunZenithCount> Morning;
    std::array<TEvent, SunZenithCount> Evening;
};

// Nothing is computed for a day outside the years 0 ... 10000 (the calendar's
// years 1 ... 9999 and the days beside them that the dates of a clock far from
// UTC reach) or a place that is not a finite number: every event then says
// Failed.
TSunDay ComputeSunDay(const TCivilDate &utcDay, const TObserver &observer);

// The height of the Sun's centre above the horizon in degrees, without
// refraction: the calculator's own solar position, so that at its sunrise the
// centre stands at 90 - 90.833 degrees.
double SunCentreAltitude(TInstant moment, const TObserver &observer);

// Adds the Sun's events to consecutive dates (each date's To the next one's
// From): every crossing of each zenith angle and every solar noon within the
// date, found by the one search, the calculator's two passes refining each
// crossing they agree with, so that the dates show the main window's times;
// the Sun's height at the start of each date; the day length and the height
// at noon. With azimuths, where the Sun rises and sets.
void AddSunEvents(std::vector<TDayEvents> &days, const TObserver &observer, bool azimuths);

// The moments of the March equinox, June solstice, September equinox and
// December solstice of a year, when the Sun's apparent ecliptic longitude
// passes 0, 90, 180 and 270 degrees: the calculator's low-precision position,
// within about a quarter of an hour. Nothing for a year outside 1 ... 9999.
std::optional<std::array<TInstant, 4>> SeasonMoments(int year);
