// The events of a date: every event that falls within it, as a list, so that
// a date holding two sunsets or two moonrises holds both, with the reason for
// each kind asked for that it lacks. The dates belong to a clock the caller
// knows; here a date is its stretch of Universal Time.
#pragma once

#include "suntime/Event.h"
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
    bool Azimuths = false; // where the Sun rises and sets
    bool Moon = false;     // the Moon's risings, settings, transits, light and phases
    std::vector<double> Altitudes; // the Sun's centre at these true altitudes, degrees
    std::vector<double> Bearings;  // the Sun passing these azimuths, degrees from north
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
