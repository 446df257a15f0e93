// The moments a body's upper limb comes out from behind the horizon as seen
// and goes behind it again: the one search on the body's height over the sky
// line at its azimuth. Internal to the library.
#pragma once

#include "suntime/Horizon.h"
#include "suntime/Search.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace HorizonSearch
{

// A body as an observer sees it at a moment: its centre's true altitude,
// its azimuth and semi-diameter, degrees; and the semi-diameter its rising
// and setting take over a flat horizon (the Sun's conventional 16').
struct TBodyPlace {
    double Altitude = 0, Azimuth = 0, SemiDiameter = 0, FlatSemiDiameter = 0;
};

struct TCrossing {
    double Jd = 0;
    bool Appears = false;
    TBodyPlace Place;
};

// How far the upper limb stands above the sky line (degrees, as the body's
// centre would have to rise): positive while the body is seen.
inline double Clearance(const THorizon &horizon, const TBodyPlace &p)
{
    const double terrain = horizon.TerrainAt(p.Azimuth), flat = -HorizonDip(horizon.Height());
    return p.Altitude - (terrain > flat ? UpperLimbThreshold(terrain, p.SemiDiameter)
                                        : UpperLimbThreshold(flat, p.FlatSemiDiameter));
}

// Samples of the clearance over one run of time near the horizon, at most
// two minutes apart and also where the body's azimuth passes a point of the
// profile, one more on each side: the function changes its slope only there.
template <class TBody> class TRun
{
public:
    TRun(const TBody &body, const THorizon &horizon, double from, double to)
        : FBody(body), FHorizon(horizon)
    {
        constexpr double Step = 2.0 / 1440;
        const int steps = std::max(1, int(std::ceil((to - from) / Step)));
        const double h = (to - from) / steps;
        TBodyPlace last = body.At(from - h);
        Add(from - h, last);
        // Within the run only: its first and last samples stay its ends.
        for (int i = 0; i <= steps + 1; ++i) {
            const double t = from + i * h;
            const TBodyPlace p = body.At(t);
            if (i > 0 && i <= steps)
                AddVertices(FWhen.back(), last, t, p);
            Add(t, p);
            last = p;
        }
    }

    int Count() const { return int(FWhen.size()); }
    double When(int i) const { return FWhen[i]; }
    double Value(int i) const { return FValue[i]; }
    double At(double jd, int) const { return Clearance(FHorizon, FBody.At(jd)); }

private:
    void Add(double t, const TBodyPlace &p)
    {
        FWhen.push_back(t);
        FValue.push_back(Clearance(FHorizon, p));
    }

    // A sample where the azimuth passes each point of the profile between
    // two samples, taken along the azimuth as if it ran evenly.
    void AddVertices(double ta, const TBodyPlace &a, double tb, const TBodyPlace &b)
    {
        double turn = b.Azimuth - a.Azimuth;
        if (turn > 180)
            turn -= 360;
        if (turn < -180)
            turn += 360;
        FHorizon.PointsBetween(a.Azimuth, b.Azimuth, [&](const THorizonPoint &, double d) {
            const double t = ta + (tb - ta) * d / turn;
            Add(t, FBody.At(t));
        });
    }

    const TBody &FBody;
    const THorizon &FHorizon;
    std::vector<double> FWhen, FValue;
};

// Every appearance and disappearance within [from, to), in time order, and
// whether the body was seen at from. Only where the body comes near the sky
// line at its azimuths is it searched closely: a stretch of twenty minutes
// is passed over when the body's altitude over it (bent by at most 0.2
// degrees between its ends) keeps clear of the sky line's range over the
// azimuths it crosses.
template <class TBody>
bool Crossings(const TBody &body, const THorizon &horizon, double from, double to,
               std::vector<TCrossing> &out)
{
    constexpr double Coarse = 20.0 / 1440, Bend = 0.2;
    const int steps = std::max(1, int(std::ceil((to - from) / Coarse)));
    const double h = (to - from) / steps;
    std::vector<TBodyPlace> node(size_t(steps) + 1);
    for (int i = 0; i <= steps; ++i)
        node[size_t(i)] = body.At(from + i * h);
    const auto near = [&](int i) {
        const TBodyPlace &a = node[size_t(i)], &b = node[size_t(i) + 1];
        const auto [skyLo, skyHi] = horizon.SkyLineBetween(a.Azimuth, b.Azimuth);
        const double sd = std::max({a.SemiDiameter, b.SemiDiameter, a.FlatSemiDiameter});
        return std::max(a.Altitude, b.Altitude) + Bend >= UpperLimbThreshold(skyLo, sd) &&
               std::min(a.Altitude, b.Altitude) - Bend <= UpperLimbThreshold(skyHi, 0);
    };
    const size_t first = out.size();
    for (int i = 0; i < steps;) {
        if (!near(i)) {
            ++i;
            continue;
        }
        int j = i;
        while (j < steps && near(j))
            ++j;
        const double runFrom = from + i * h, runTo = from + j * h;
        const TRun<TBody> run(body, horizon, runFrom, runTo);
        Search::Brackets(run, 0.0, 0.01, [&](const Search::TBracket &b) {
            const double jd = Search::Refine(run, 0.0, b);
            if (!(jd >= from && jd < to))
                return;
            for (size_t k = first; k < out.size(); ++k)
                if (std::fabs(out[k].Jd - jd) < 1e-6 && out[k].Appears == b.Rising)
                    return;
            out.push_back({jd, b.Rising, body.At(jd)});
        });
        i = j;
    }
    std::sort(out.begin() + long(first), out.end(),
              [](const TCrossing &a, const TCrossing &b) { return a.Jd < b.Jd; });
    return Clearance(horizon, node.front()) > 0;
}

} // namespace HorizonSearch
