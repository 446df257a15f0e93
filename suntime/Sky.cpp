#include "suntime/Sky.h"

#include <cmath>

std::optional<TSkyAt> SkyAt(TInstant moment, const TObserver &observer)
{
    const std::optional<Moon::TLight> light = Moon::LightAt(moment);
    if (!light)
        return std::nullopt;
    TSkyAt at;
    at.Sun = Sky::SunHorizontal(moment, observer, true);
    at.Moon = Moon::HorizontalAt(moment, observer, true);
    at.MoonIllumination = light->Fraction;
    at.MoonWaxing = light->Waxing;
    at.MoonPhase = Moon::PhaseNameAt(moment);
    if (!std::isfinite(at.Sun.Altitude) || !std::isfinite(at.Moon.Altitude))
        return std::nullopt;
    return at;
}
