// The Sun's events at any true altitude of its centre (rising and setting
// through it) and at any bearing (passing that azimuth above the horizon),
// found on the Sun's place to about a second of arc.
#pragma once

#include "suntime/DayEvents.h"

#include <vector>

// Adds them to consecutive dates, each kind asked for with its reason where
// a date lacks it: the Sun stays above or below an altitude all date, or
// passes a bearing only below the horizon (BelowAllDay) or not at all.
void AddSunAngleEvents(std::vector<TDayEvents> &days, const TObserver &observer,
                       const std::vector<double> &altitudes, const std::vector<double> &bearings);
