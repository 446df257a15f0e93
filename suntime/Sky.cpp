#include "suntime/Sky.h"

#include "suntime/Constants.h"

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

std::optional<TShadow> ShadowOf(const THorizontal &sun, double height)
{
    if (!(sun.Altitude > 0) || !(height > 0))
        return std::nullopt;
    return TShadow{height / std::tan(sun.Altitude * Astro::Rad), std::fmod(sun.Azimuth + 180, 360)};
}
