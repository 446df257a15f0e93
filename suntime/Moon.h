// The Moon: its place, its rising, setting and meridian transit at a place,
// its lit part and its phases. Moments must lie between JD 0 and the end of
// the year 9999; outside that, or for a value that is not a finite number, a
// result is missing. PositionAt and HorizontalAt carry no status: what is not
// a number in gives not-a-number out.
#pragma once

#include "suntime/Event.h"
#include "suntime/Horizon.h"
#include "suntime/Observer.h"
#include "suntime/SkyPosition.h"

#include <optional>
#include <vector>

namespace Moon
{

// Geocentric apparent place, of the equinox of date.
struct TPosition {
    double Longitude = 0; // ecliptic, [0, 360)
    double Latitude = 0;
    double Distance = 0;       // centre to centre, km
    double RightAscension = 0; // [0, 360)
    double Declination = 0;
};

// Meeus, Astronomical Algorithms chapter 47: every term of tables 47.A and
// 47.B, nutation in longitude and the true obliquity; the series run in TT
// (Sky::DeltaT). About 10" in longitude and 4" in latitude.
TPosition PositionAt(TInstant moment);

// The centre as seen from a place at sea level: topocentric (parallax on the
// reference ellipsoid), refraction adding Sky::Refraction.
THorizontal HorizontalAt(TInstant moment, const TObserver &observer, bool refraction);

// Risings, settings and upper transits within a stretch of time, in time
// order; each with the centre's azimuth and its altitude as seen.
struct TMoonEvents {
    bool Ok = false;        // false for a bad input, or an empty or too long stretch
    bool UpAtStart = false; // the upper limb above the horizon at the start
    std::vector<TEvent> Events;

    // The first event of a kind, or nullptr when there is none.
    const TEvent *First(TEventKind kind) const;
    // No rising and no setting: the Moon stays up, or down, the whole time.
    bool UpAllTheTime() const;
    bool DownAllTheTime() const;
};

// Longest stretch EventsBetween takes, days.
constexpr double MaxEventsSpan = 2;

// Every rising, setting and upper meridian transit within [from, to): a day
// of any clock, 23, 24 or 25 hours, or up to MaxEventsSpan days. A rising or
// setting is the moment the upper limb touches the horizon as an observer at
// sea level sees it: topocentric centre (parallax from the distance), the
// semi-diameter as seen from the place (Meeus's k = 0.272481 Earth radii) and
// the standard 34' of refraction at the horizon, without weather. A transit
// is the centre crossing the meridian on the zenith's side of the pole (upper
// culmination). At high latitudes the Moon may rise twice, or not at all.
// About 3 us a day, within 2 s of a full ephemeris between 60 S and 60 N.
TMoonEvents EventsBetween(TInstant from, TInstant to, const TObserver &observer);

// The Moon's centre passing a bearing (degrees from north, clockwise) within
// [from, to), up to MaxEventsSpan days, while its upper limb stands above the
// horizon as at its rising; each pass with the azimuth and the altitude as
// seen. Below tells that it passed the bearing under the horizon as well.
struct TBearingPasses {
    bool Ok = false;
    bool Below = false;
    std::vector<TEvent> Events; // MoonBearing, Angle the bearing
};
TBearingPasses BearingPasses(TInstant from, TInstant to, const TObserver &observer, double bearing);

// The upper limb coming out from behind a horizon as seen and going behind
// it (MoonAppears, MoonDisappears) within [from, to) of at most a day and
// two hours, in time order, with the centre's azimuth; whether it was seen
// at from. Nothing for a bad input.
std::optional<bool> VisibleBetween(TInstant from, TInstant to, const TObserver &observer,
                                   const THorizon &horizon, std::vector<TEvent> &out);

struct TLight {
    double Fraction = 0;   // of the disc lit, 0 ... 1
    double PhaseAngle = 0; // Sun - Moon - Earth, 0 ... 180
    bool Waxing = false;   // the Moon east of the Sun, from new to full
};

// Geocentric, Meeus chapter 48 from the positions of chapters 47 and 25.
std::optional<TLight> LightAt(TInstant moment);

// Longest stretch PhasesBetween takes, days: a year and a month.
constexpr double MaxPhasesSpan = 400;

// Whether an event kind is one of the four principal phases (NewMoon,
// FirstQuarter, FullMoon, LastQuarter).
bool IsPrincipalPhase(TEventKind kind);

// The principal phases within [from, to), in time order: Meeus chapter 49
// with all its corrections, turned from TT to UT; within a minute of a full
// ephemeris between 1900 and 2100.
std::optional<std::vector<TEvent>> PhasesBetween(TInstant from, TInstant to);
// The first phase of a kind at or after a moment.
std::optional<TEvent> NextPhase(TInstant from, TEventKind phase);

enum class TPhaseName {
    New,
    WaxingCrescent,
    FirstQuarter,
    WaxingGibbous,
    Full,
    WaningGibbous,
    LastQuarter,
    WaningCrescent
};

// The name of a moment: a principal phase when it falls within 12 hours
// either side, otherwise the stretch between two principal phases. Nothing
// for a moment outside the range.
std::optional<TPhaseName> PhaseNameAt(TInstant moment);

} // namespace Moon
