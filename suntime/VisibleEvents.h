// The Sun and the Moon as an observer sees them over a real horizon: when
// each comes out from behind the terrain (or the flat horizon's dip from a
// height) and goes behind it again.
#pragma once

#include "suntime/DayEvents.h"
#include "suntime/Horizon.h"

#include <vector>

// Adds to each date every SunAppears and SunDisappears within it (and
// MoonAppears and MoonDisappears with moon), each with the body's azimuth;
// for a kind a date lacks, why: AboveAllDay when the body is seen the whole
// date, BelowAllDay when it stays hidden, NotOnDate when it only comes out
// or goes in. Where the horizon at the body's azimuth is the flat one from
// ground level, an appearance is the date's sunrise (moonrise) itself and a
// disappearance its sunset (moonset), to the second.
void AddVisibleEvents(std::vector<TDayEvents> &days, const TObserver &observer,
                      const THorizon &horizon, bool moon);

// Whether the Sun's upper limb stands above the horizon as seen at a moment.
bool SunSeenAt(TInstant moment, const TObserver &observer, const THorizon &horizon);
