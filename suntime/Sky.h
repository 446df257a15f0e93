// The Sun and the Moon at one moment, as an observer sees them.
#pragma once

#include "suntime/Moon.h"
#include "suntime/Observer.h"

#include <optional>

struct TSkyAt {
    THorizontal Sun;  // the centre, refraction included
    THorizontal Moon; // the centre, topocentric, refraction included
    double MoonIllumination = 0;
    bool MoonWaxing = false;
    std::optional<Moon::TPhaseName> MoonPhase;
};

// Nothing for a moment outside the years the Moon's theory takes, or a place
// that is not a finite number.
std::optional<TSkyAt> SkyAt(TInstant moment, const TObserver &observer);
