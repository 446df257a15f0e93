// One event result: what happens, when, whether it happens at all on the
// stretch of time asked about, and where in the sky.
#pragma once

#include "suntime/Instant.h"

#include <cstdint>
#include <limits>

enum class TEventKind : uint8_t {
    // The Sun: sunrise, noon and sunset, then the twilights' dawns and dusks,
    // in the order of the files' columns.
    Sunrise,
    SolarNoon,
    Sunset,
    CivilDawn,
    CivilDusk,
    NauticalDawn,
    NauticalDusk,
    AstronomicalDawn,
    AstronomicalDusk,
    // The Moon.
    Moonrise,
    Moonset,
    MoonTransit,
    // The principal phases.
    NewMoon,
    FirstQuarter,
    FullMoon,
    LastQuarter,
    // The Sun's centre at any true altitude (Angle), rising and setting,
    // and passing a bearing (Angle, degrees from north).
    SunAltitudeRise,
    SunAltitudeSet,
    SunBearing,
    // The Moon's centre passing a bearing (Angle).
    MoonBearing,
    // The upper limb coming out from behind the horizon as seen (the terrain,
    // or the flat horizon's dip from a height) and going behind it: the first
    // appearance of a date is its visible rising, the last disappearance its
    // visible setting.
    SunAppears,
    SunDisappears,
    MoonAppears,
    MoonDisappears,
};
constexpr int SunEventCount = 9;
constexpr int EventKindCount = 24;

// Whether an event happens, and if not, why.
enum class TEventStatus : uint8_t {
    Occurs,      // Time holds the moment
    AboveAllDay, // the body stays above the event's height the whole stretch
    BelowAllDay, // it stays below it
    Failed,      // the arithmetic broke down (a value out of range, not a number)
    NotOnDate    // it happens, but not within the stretch asked about
};

struct TEvent {
    TEventKind Kind = TEventKind::Sunrise;
    TEventStatus Status = TEventStatus::Failed;
    TInstant Time; // when Status is Occurs
    // Of the body's centre at that moment, degrees; not a number where it
    // does not apply.
    double Azimuth = std::numeric_limits<double>::quiet_NaN();
    double Altitude = std::numeric_limits<double>::quiet_NaN();
    // Seconds east of UTC on the clock the event is read on; set by the
    // reader of a list of events, 0 for UTC.
    int32_t ClockOffset = 0;
    // The altitude or bearing an event of that kind is about.
    double Angle = 0;

    bool Occurs() const { return Status == TEventStatus::Occurs; }
};
