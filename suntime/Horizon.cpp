#include "suntime/Horizon.h"

#include "suntime/Constants.h"

#include <algorithm>
#include <cmath>

double THorizon::Wrapped(double azimuth)
{
    const double a = std::fmod(azimuth, 360.0);
    return a < 0 ? a + 360 : a;
}

size_t THorizon::First(double azimuth, bool forward) const
{
    const auto byAzimuth = [](const THorizonPoint &p, double x) { return p.Azimuth < x; };
    if (forward) {
        const auto it =
            std::upper_bound(FPoints.begin(), FPoints.end(), azimuth,
                             [](double x, const THorizonPoint &p) { return x < p.Azimuth; });
        return it == FPoints.end() ? 0 : size_t(it - FPoints.begin());
    }
    const auto it = std::lower_bound(FPoints.begin(), FPoints.end(), azimuth, byAzimuth);
    return it == FPoints.begin() ? FPoints.size() - 1 : size_t(it - FPoints.begin()) - 1;
}

THorizon::THorizon(std::vector<THorizonPoint> points, double heightMetres)
    : FPoints(std::move(points)), FHeight(heightMetres > 0 ? heightMetres : 0),
      FDip(HorizonDip(FHeight))
{
    for (THorizonPoint &p : FPoints)
        p.Azimuth = Wrapped(p.Azimuth);
    std::stable_sort(
        FPoints.begin(), FPoints.end(),
        [](const THorizonPoint &a, const THorizonPoint &b) { return a.Azimuth < b.Azimuth; });
    FLowest = FHighest = -FDip;
    if (!FPoints.empty()) {
        FHighest = -FDip;
        for (const THorizonPoint &p : FPoints)
            FHighest = std::max(FHighest, p.Altitude);
        FLowest = FHighest;
        for (const THorizonPoint &p : FPoints)
            FLowest = std::min(FLowest, std::max(p.Altitude, -FDip));
    }
}

double THorizon::TerrainAt(double azimuth) const
{
    if (FPoints.empty())
        return -FDip;
    const double a = Wrapped(azimuth);
    // The first point beyond a, and the one before it, across 360 if need be.
    const auto next =
        std::upper_bound(FPoints.begin(), FPoints.end(), a,
                         [](double x, const THorizonPoint &p) { return x < p.Azimuth; });
    const THorizonPoint &b = next == FPoints.end() ? FPoints.front() : *next;
    const THorizonPoint &f = next == FPoints.begin() ? FPoints.back() : *(next - 1);
    double span = b.Azimuth - f.Azimuth;
    double along = a - f.Azimuth;
    if (span <= 0)
        span += 360;
    if (along < 0)
        along += 360;
    if (!(span > 0) || span >= 360)
        return f.Altitude; // one azimuth only
    return f.Altitude + (b.Altitude - f.Altitude) * along / span;
}

std::pair<double, double> THorizon::SkyLineBetween(double from, double to) const
{
    double lo = SkyLineAt(from), hi = SkyLineAt(to);
    if (lo > hi)
        std::swap(lo, hi);
    PointsBetween(from, to, [&](const THorizonPoint &p, double) {
        lo = std::min(lo, std::max(p.Altitude, -FDip));
        hi = std::max(hi, std::max(p.Altitude, -FDip));
    });
    return {lo, hi};
}

double THorizon::SkyLineAt(double azimuth) const
{
    return std::max(TerrainAt(azimuth), -FDip);
}

double HorizonDip(double heightMetres)
{
    return heightMetres > 0 ? 1.76 / 60 * std::sqrt(heightMetres) : 0;
}

double HorizonRefraction(double apparentAltitude)
{
    // The low-altitude and tangent forms of the Explanatory Supplement, with
    // the pressure over temperature that gives 34' at 0 degrees.
    constexpr double Scale = Astro::HorizonRefraction / 0.1594;
    const double a = std::max(apparentAltitude, 0.0);
    if (a < 15)
        return Scale * (0.1594 + 0.0196 * a + 0.00002 * a * a) / (1 + 0.505 * a + 0.0845 * a * a);
    return Scale * 0.00452 / std::tan(a * Astro::Rad);
}
