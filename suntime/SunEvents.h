// Crossings of any zenith angle by the Sun's centre: sunrise and sunset, the
// civil, nautical and astronomical twilights, day length and the Sun's height
// at solar noon. The same two-pass computation as TSunTime, with the zenith as
// a parameter. Standard library only.
#pragma once

#include <array>
#include <vector>

namespace Zenith
{
constexpr double SunriseSunset = 90.833;
constexpr double Civil = 96;
constexpr double Nautical = 102;
constexpr double Astronomical = 108;
} // namespace Zenith

// Whether a crossing happens, and if not, why.
enum class TCrossingState {
    Occurs,      // Time holds the moment
    AlwaysAbove, // the Sun's centre stays above that zenith angle all day (polar day, white night)
    AlwaysBelow, // it stays below all day (polar night)
    Failed,      // the arithmetic broke down (a non-finite input)
    NotOnDate    // it happens, but not within the date asked for on the caller's clock
};

struct TCrossing {
    TCrossingState State = TCrossingState::Failed;
    double Time = 0; // OLE date-time on the output clock; meaningful when State is Occurs
    bool Occurs() const { return State == TCrossingState::Occurs; }
};

struct TCrossings {
    TCrossing Morning; // the Sun rising through the zenith angle
    TCrossing Evening; // the Sun setting through it
};

// The two crossings of one zenith angle (degrees) on a day (OLE date; the time
// of day is dropped) at a place (degrees; latitude north positive, longitude
// WEST positive, as TSunTime takes them), on a clock clockHours ahead of UTC
// (any value, no ±12 limit). Each crossing fails on its own.
TCrossings ZenithCrossings(double day, double latitude, double longitudeWest, double clockHours,
                           double zenith);

struct TSunDay {
    double Noon = 0;         // solar noon, OLE date-time on the clock; 0 when it cannot be computed
    double NoonAltitude = 0; // the Sun's centre above the horizon at solar noon, degrees
    TCrossings Sun;          // sunrise and sunset, 90.833 degrees
    TCrossings Civil;        // 96 degrees
    TCrossings Nautical;     // 102 degrees
    TCrossings Astronomical; // 108 degrees
};

// Everything of one day at one place on one clock.
TSunDay ComputeSunDay(double day, double latitude, double longitudeWest, double clockHours);

// One crossing of a zenith angle by the Sun's centre.
struct TZenithPass {
    double Time = 0;     // OLE date-time on UTC
    bool Rising = false; // the Sun comes up through the zenith angle
};

// Every crossing of a zenith angle between two moments (OLE date-times on
// UTC, from included), in time order, found on the Sun's height itself from
// the same solar position. Slower than the two passes, which start from solar
// noon and so miss a crossing on the first and last days of a polar day or
// night (the Sun dips below a zenith angle for an hour around midnight); for
// such days. A dip shorter than about a quarter of an hour may go unseen.
std::vector<TZenithPass> ZenithPassesBetween(double from, double to, double latitude,
                                             double longitudeWest, double zenith);

// The moments (OLE date-times on UTC) of the March equinox, June solstice,
// September equinox and December solstice of a year, when the Sun's apparent
// ecliptic longitude passes 0, 90, 180 and 270 degrees: the calculator's
// low-precision position, within about a quarter of an hour. Zero for a year
// outside 1 ... 9999.
std::array<double, 4> SeasonMoments(int year);

// The height of the Sun's centre above the horizon in degrees, without
// refraction, at a moment (OLE date-time on UTC): the calculator's own solar
// position, so that at its sunrise the centre stands at 90 - 90.833 degrees.
double SunCentreAltitude(double moment, double latitude, double longitudeWest);
