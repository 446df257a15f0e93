// Crossings of any zenith angle by the Sun's centre, on the same solar
// position and two passes as TSunTime, so that sunrise and sunset agree with
// it to the last bit.
#include "suntime/SunEvents.h"

#include "suntime/DateUtil.h"
#include "suntime/SkyPosition.h"
#include "suntime/SolarPosition.h"

#include <algorithm>
#include <cmath>

namespace
{

TCrossingState StateOf(SolarPosition::PassState s)
{
    switch (s) {
    case SolarPosition::PassState::Crosses:
        return TCrossingState::Occurs;
    case SolarPosition::PassState::AlwaysAbove:
        return TCrossingState::AlwaysAbove;
    case SolarPosition::PassState::AlwaysBelow:
        return TCrossingState::AlwaysBelow;
    default:
        return TCrossingState::Failed;
    }
}

TCrossing OnClock(const SolarPosition::Crossing &c, double day, double clockHours)
{
    TCrossing r;
    r.State = StateOf(c.state);
    if (r.Occurs()) {
        r.Time = SolarPosition::ToClock(day, c.minutes, clockHours);
        if (!std::isfinite(r.Time)) {
            r.State = TCrossingState::Failed;
            r.Time = 0;
        }
    }
    return r;
}

// What one day at one place shares between its zenith angles: the day, its
// Julian Day and the first pass at solar noon.
struct DayAtPlace {
    double day = 0;
    double jd = 0;
    SolarPosition::LatitudeTerms phi{};
    SolarPosition::NoonPass noon;
    bool valid = false;

    DayAtPlace(double oleDay, double latitude, double longitudeWest)
    {
        // The time of day is dropped the way TSunTime drops it.
        day = std::trunc(oleDay);
        valid = std::isfinite(day) && std::isfinite(latitude) && std::isfinite(longitudeWest) &&
                SolarPosition::JulianDayOf(day, jd) &&
                SolarPosition::NoonAt(jd, longitudeWest, noon);
        if (valid)
            phi = SolarPosition::LatitudeTermsOf(latitude);
    }

    TCrossings Crossings(double longitudeWest, double clockHours, double zenith) const
    {
        TCrossings r; // both Failed
        if (!valid || !std::isfinite(clockHours) || !std::isfinite(zenith))
            return r;
        SolarPosition::Crossing rising, setting;
        SolarPosition::TwoPass(jd, phi, longitudeWest, noon, SolarPosition::CosDegrees(zenith),
                               rising, setting);
        r.Morning = OnClock(rising, day, clockHours);
        r.Evening = OnClock(setting, day, clockHours);
        return r;
    }
};

} // namespace

TCrossings ZenithCrossings(double day, double latitude, double longitudeWest, double clockHours,
                           double zenith)
{
    return DayAtPlace(day, latitude, longitudeWest).Crossings(longitudeWest, clockHours, zenith);
}

TSunDay ComputeSunDay(double day, double latitude, double longitudeWest, double clockHours)
{
    TSunDay r;
    const DayAtPlace place(day, latitude, longitudeWest);
    if (place.valid) {
        const double noon = SolarPosition::ToClock(place.day, place.noon.minutes, clockHours);
        if (std::isfinite(noon))
            r.Noon = noon;
        // The Sun's centre at the meridian, without refraction. Latitudes
        // beyond the poles are taken at the pole, so the height stays within
        // -90 ... 90 degrees.
        const double phi = std::clamp(latitude, -90.0, 90.0);
        r.NoonAltitude = std::clamp(90 - std::fabs(phi - place.noon.declination), -90.0, 90.0);
    }
    r.Sun = place.Crossings(longitudeWest, clockHours, Zenith::SunriseSunset);
    r.Civil = place.Crossings(longitudeWest, clockHours, Zenith::Civil);
    r.Nautical = place.Crossings(longitudeWest, clockHours, Zenith::Nautical);
    r.Astronomical = place.Crossings(longitudeWest, clockHours, Zenith::Astronomical);
    return r;
}

double SunCentreAltitude(double moment, double latitude, double longitudeWest)
{
    return Sky::SunHorizontal(moment + Sky::OleEpoch, latitude, -longitudeWest, false).Altitude;
}

std::vector<TZenithPass> ZenithPassesBetween(double from, double to, double latitude,
                                             double longitudeWest, double zenith)
{
    std::vector<TZenithPass> passes;
    if (!(from < to) || to - from > 2 || !std::isfinite(zenith))
        return passes;
    const double height = 90 - zenith;
    const auto above = [&](double t) {
        return SunCentreAltitude(t, latitude, longitudeWest) - height;
    };
    constexpr double Step = 1.0 / 96; // a quarter of an hour
    double t0 = from;
    double a0 = above(t0);
    if (!std::isfinite(a0))
        return passes;
    while (t0 < to) {
        const double t1 = std::min(t0 + Step, to);
        const double a1 = above(t1);
        if (!std::isfinite(a1))
            return passes;
        if ((a0 > 0) != (a1 > 0)) {
            // Halving to well under a millisecond.
            double lo = t0, hi = t1;
            for (int i = 0; i < 30; ++i) {
                const double mid = (lo + hi) / 2;
                if ((above(mid) > 0) == (a0 > 0))
                    lo = mid;
                else
                    hi = mid;
            }
            passes.push_back({hi, a1 > 0});
        }
        t0 = t1;
        a0 = a1;
    }
    return passes;
}

std::array<double, 4> SeasonMoments(int year)
{
    std::array<double, 4> moments{};
    if (year < 1 || year > 9999)
        return moments;
    using namespace SolarPosition;
    constexpr double OleToJd = 2415018.5;
    // Degrees still to go from the Sun's longitude at a moment to a target,
    // within -180 ... 180.
    const auto ahead = [](double moment, double target) {
        const double lambda = ApparentLongitude(ElementsAt(JulianCenturies(moment + OleToJd)));
        return std::remainder(target - lambda, 360.0);
    };
    const int months[4] = {3, 6, 9, 12};
    for (int k = 0; k < 4; ++k) {
        // The Sun moves about a degree a day: ten days either side of the
        // 21st hold the moment whatever the year.
        double lo = DateUtil::EncodeDate(year, months[k], 21) - 10;
        double hi = lo + 20;
        for (int i = 0; i < 40; ++i) {
            const double mid = (lo + hi) / 2;
            if (ahead(mid, 90.0 * k) > 0)
                lo = mid;
            else
                hi = mid;
        }
        moments[k] = (lo + hi) / 2;
    }
    return moments;
}
