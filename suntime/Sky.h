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

// The shadow an upright object casts on level ground, its length in the
// object's units and its direction in degrees from north, away from the
// Sun's (apparent) place; nothing when the Sun's centre is not above the
// horizon.
struct TShadow {
    double Length = 0;
    double Azimuth = 0;
};
std::optional<TShadow> ShadowOf(const THorizontal &sun, double height);
