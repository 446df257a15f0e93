// The events of a date: every event that falls within it, as a list, so that
// a date holding two sunsets or two moonrises holds both, with the reason for
// each kind asked for that it lacks. The dates belong to a clock the caller
// knows; here a date is its stretch of Universal Time.
#pragma once

#include "suntime/Event.h"
#include "suntime/Horizon.h"
#include "suntime/Moon.h"
#include "suntime/Observer.h"

#include <array>
#include <optional>
#include <vector>

// One date of a clock: its first moment, the first moment of the next date,
// and the moment its noon shows (for the Moon's light of the date).
struct TDateSpan {
    TCivilDate Date;
    TInstant From;
    TInstant To;
    TInstant Noon;
};

struct TEventRequest {
    bool Azimuths = false;            // where the Sun rises and sets
    bool Moon = false;                // the Moon's risings, settings, transits, light and phases
    std::vector<double> Altitudes;    // the Sun's centre at these true altitudes, degrees
    std::vector<double> Bearings;     // the Sun passing these azimuths, degrees from north
    std::vector<double> MoonBearings; // the Moon passing these azimuths
    // The Sun (and with Moon the Moon) coming out from behind this horizon
    // and going behind it.
    std::optional<THorizon> Horizon;
};

struct TDayEvents {
    TDateSpan Span;
    // The events within [From, To) in time order, each moment cut to the
    // whole second as the program shows it; then one entry without a time
    // for each kind asked for that does not occur, with the reason.
    std::vector<TEvent> Events;
    // Whether the Sun's centre stood above each zenith angle (of TSunZenith)
    // when the date began.
    std::array<bool, 4> SunAboveAtStart{};
    // Seconds of the date during which the Sun's centre stands above the
    // sunrise and sunset angle: sunset minus sunrise on an ordinary day.
    int DayLength = 0;
    double NoonAltitude = 0; // degrees, at the date's first solar noon
    // The Moon at the date's noon, when asked for.
    std::optional<double> MoonIllumination; // lit fraction of the disc, 0 ... 1
    std::optional<Moon::TPhaseName> MoonPhase;
    // The day length's change since the date before, seconds.
    std::optional<int> DayLengthChange;
    // Seconds east of UTC on the clock the date is read on, at its start and
    // end (set by its reader, as TEvent::ClockOffset).
    int32_t StartOffset = 0, EndOffset = 0;
    // A date without sunrise and sunset (polar day or night): the last of
    // them before it and the next after it, within a year each way; the same
    // for a date the Moon stays up or down (its risings and settings). Each
    // Occurs when found.
    TEvent SunBefore, SunAfter, MoonBefore, MoonAfter;

    // The first occurrence of a kind, or nullptr.
    const TEvent *First(TEventKind kind) const;
    // Every occurrence of a kind, in time order.
    std::vector<const TEvent *> All(TEventKind kind) const;
    // Occurs when the kind has an occurrence, else the reason it lacks one
    // (Failed for a kind not asked for).
    TEventStatus Status(TEventKind kind) const;
    // The same for a kind about an altitude or a bearing.
    const TEvent *First(TEventKind kind, double angle) const;
    std::vector<const TEvent *> All(TEventKind kind, double angle) const;
    TEventStatus Status(TEventKind kind, double angle) const;
};

// The dates' events: the Sun's always, the Moon's when asked for. The spans
// follow each other (each To the next From).
std::vector<TDayEvents> EventsOfDates(const std::vector<TDateSpan> &spans,
                                      const TObserver &observer, const TEventRequest &request);

// The stretches of a date during which the Sun's centre stands between two
// altitudes asked for (lo below hi): from the Sun's side of each at the
// date's start and each crossing in turn. The golden hour is -4 ... 6
// degrees, the blue hour -6 ... -4.
struct TStretch {
    TInstant From, To;
    int32_t FromOffset = 0, ToOffset = 0; // of the clock, as TEvent::ClockOffset
};
std::vector<TStretch> StretchesBetween(const TDayEvents &day, double lo, double hi);
// The stretches of a date during which the Sun (or the Moon) is seen over
// the horizon asked for.
std::vector<TStretch> VisibleStretches(const TDayEvents &day, bool moon);

// For the dates of polar day or night, and with the Moon those it stays up
// or down: the last rising or setting before and the next after, searched
// up to a year each way.
void AddPolarContext(std::vector<TDayEvents> &days, const TObserver &observer, bool moon);
