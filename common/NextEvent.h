// The next event of some kinds after a moment, for scripts and timers: the
// dates' events of a clock read a few days at a time and then in longer
// stretches, so that tomorrow's sunrise costs two dates and a polar night's
// end is still found. Qt Core only.
#pragma once

#include "common/Clock.h"
#include "suntime/DayEvents.h"

#include <QDateTime>
#include <QList>

#include <optional>

// A kind of event looked for; for the Sun at an altitude, which altitude.
struct TEventAim {
    TEventKind Kind = TEventKind::Sunrise;
    double Angle = 0; // degrees, of SunAltitudeRise and SunAltitudeSet
};

// How far ahead a search looks: past the longest polar night on land.
constexpr int NextEventDays = 400;

// The first occurrence of any of the kinds strictly after a moment, within
// the dates of the clock from the moment's date to so many dates later,
// carrying the clock's offset at its moment; nothing when none occurs.
std::optional<TEvent> NextEvent(const TObserver &observer, const TClock &clock,
                                const QList<TEventAim> &aims, const QDateTime &after,
                                int days = NextEventDays);
