// The Moon's rising, setting and upper transit at a place: the one search
// over samples of a fitted track, fast enough to run for every day of a table.
#include "suntime/Moon.h"

#include "suntime/HorizonSearch.h"
#include "suntime/MoonSeries.h"
#include "suntime/Search.h"

#include <algorithm>

namespace Moon
{

using namespace Detail;

namespace
{

// What the search needs of one moment: the upper limb's height over the
// horizon (as the sine's excess, positive when up), the Moon's distance east
// of the meridian plane (positive before the upper transit) and north of the
// prime vertical, km.
struct Probe {
    double up, east, north;
};

// Samples of a stretch, two hours or less apart, one more on each side, with
// the means to look between them.
class TMoonSamples
{
public:
    static constexpr int MaxSteps = 14; // 26 hours

    TMoonSamples(double from, double to, const Place &place)
        : place_(place),
          steps_(std::clamp(static_cast<int>(std::ceil((to - from) * 12)), 1, MaxSteps)),
          step_((to - from) / steps_), deltaT_(Sky::DeltaT((from + to) / 2) / 86400),
          nutation_(Sky::NutationAt((from + to) / 2 + deltaT_)),
          track_(from - step_, to + step_, deltaT_, nutation_)
    {
        Complex theta = Unit(Sky::SiderealTime(from - step_, nutation_) + place.longitude);
        const Complex turn = Unit(SiderealRate * step_);
        for (int i = 0; i < Count(); ++i) {
            when_[i] = from + (i - 1) * step_;
            theta_[i] = theta;
            probe_[i] = ProbeOf(ToLocal(track_.At(when_[i]), place_, theta.re, theta.im));
            theta = theta * turn;
        }
    }

    int Count() const { return steps_ + 3; }
    double When(int i) const { return when_[i]; }
    const Probe &Sample(int i) const { return probe_[i]; }

    // The Moon at a moment within a step of sample `near`.
    Local LocalAt(double jd, int near) const
    {
        const Complex theta = theta_[near] * Turn(SiderealRate * (jd - when_[near]) * Rad);
        return ToLocal(track_.At(jd), place_, theta.re, theta.im);
    }

    Probe At(double jd, int near) const { return ProbeOf(LocalAt(jd, near)); }

private:
    static Probe ProbeOf(const Local &l)
    {
        return {l.up / l.range + HorizonDip(l.range), l.east, l.north};
    }

    Place place_;
    int steps_;
    double step_, deltaT_;
    Sky::TNutation nutation_;
    Track track_;
    double when_[MaxSteps + 3];
    Complex theta_[MaxSteps + 3];
    Probe probe_[MaxSteps + 3];
};

// One of the two quantities of the samples as a function for the search.
template <double Probe::*Part> class TPartTrack
{
public:
    explicit TPartTrack(const TMoonSamples &samples) : FSamples(samples) {}

    int Count() const { return FSamples.Count(); }
    double When(int i) const { return FSamples.When(i); }
    double Value(int i) const { return FSamples.Sample(i).*Part; }
    double At(double jd, int near) const { return FSamples.At(jd, near).*Part; }

private:
    const TMoonSamples &FSamples;
};

// How far the Moon is past a bearing: the sine of the azimuths' difference
// scaled by the horizontal distance. It crosses zero where the Moon passes
// the bearing, and its opposite.
class TBearingTrack
{
public:
    TBearingTrack(const TMoonSamples &samples, double bearing)
        : FSamples(samples), FSin(std::sin(bearing * Rad)), FCos(std::cos(bearing * Rad))
    {
    }

    int Count() const { return FSamples.Count(); }
    double When(int i) const { return FSamples.When(i); }
    double Value(int i) const { return Of(FSamples.Sample(i)); }
    double At(double jd, int near) const { return Of(FSamples.At(jd, near)); }
    // Whether the Moon faces the bearing rather than its opposite.
    bool Faces(const Local &l) const { return l.east * FSin + l.north * FCos > 0; }

private:
    double Of(const Probe &p) const { return p.east * FCos - p.north * FSin; }

    const TMoonSamples &FSamples;
    double FSin, FCos;
};

// The Moon for the horizon's search: its place at any moment of the samples'
// stretch.
class TMoonBody
{
public:
    explicit TMoonBody(const TMoonSamples &samples) : FSamples(samples) {}

    HorizonSearch::TBodyPlace At(double jd) const
    {
        const double first = FSamples.When(1), step = FSamples.When(2) - first;
        const int near =
            std::clamp(int(std::lround((jd - first) / step)) + 1, 0, FSamples.Count() - 1);
        const Local l = FSamples.LocalAt(jd, near);
        const THorizontal h = HorizontalOf(l, false);
        const double sd = std::asin(MoonRadius / l.range) * Deg;
        return {h.Altitude, h.Azimuth, sd, sd};
    }

private:
    const TMoonSamples &FSamples;
};

class TCollector
{
public:
    explicit TCollector(std::vector<TEvent> &events) : FEvents(events) {}

    void Add(TEventKind kind, double jd, const Local &l)
    {
        // A root on the seam of two stretches may turn up in both.
        for (const TEvent &e : FEvents)
            if (e.Kind == kind && std::fabs(e.Time.Jd() - jd) < 1e-5)
                return;
        const THorizontal h = HorizontalOf(l, true);
        TEvent e;
        e.Kind = kind;
        e.Status = TEventStatus::Occurs;
        e.Time = TInstant::FromJd(jd);
        e.Azimuth = h.Azimuth;
        e.Altitude = h.Altitude;
        FEvents.push_back(e);
    }

private:
    std::vector<TEvent> &FEvents;
};

// The events of [from, to): the upper limb's crossings of the horizon, a
// grazing Moon's included, and the centre's crossings of the meridian going
// west.
bool Scan(double from, double to, const Place &place, TCollector &out, bool &upAtStart)
{
    const TMoonSamples samples(from, to, place);
    if (!std::isfinite(samples.Sample(1).up))
        return false;
    upAtStart = samples.Sample(1).up >= 0;
    const TPartTrack<&Probe::up> up(samples);
    const TPartTrack<&Probe::east> east(samples);
    const auto add = [&](TEventKind kind, double jd, int near) {
        if (jd >= from && jd < to)
            out.Add(kind, jd, samples.LocalAt(jd, near));
    };
    // A grazing pass counts where the parabola through three samples comes
    // within this of the horizon (the sine of the altitude, about half a
    // degree); transits do not graze.
    constexpr double Graze = 1e-2;
    Search::Brackets(up, 0.0, Graze, [&](const Search::TBracket &b) {
        add(b.Rising ? TEventKind::Moonrise : TEventKind::Moonset, Search::Refine(up, 0.0, b),
            b.Near);
    });
    Search::Brackets(east, 0.0, -1.0, [&](const Search::TBracket &b) {
        if (!b.Rising)
            add(TEventKind::MoonTransit, Search::Refine(east, 0.0, b), b.Near);
    });
    return true;
}

} // namespace

TBearingPasses BearingPasses(TInstant from, TInstant to, const TObserver &observer, double bearing)
{
    TBearingPasses r;
    const double jdFrom = from.Jd(), jdTo = to.Jd();
    if (!InRange(jdFrom) || !InRange(jdTo) || !(jdTo > jdFrom) || jdTo - jdFrom > MaxEventsSpan ||
        !(std::fabs(observer.Latitude) <= 90) || !std::isfinite(observer.Longitude) ||
        !std::isfinite(bearing))
        return r;
    const Place place(observer.Latitude, observer.Longitude);
    TCollector out(r.Events);
    const int pieces = static_cast<int>(std::ceil((jdTo - jdFrom) * 24 / 26));
    for (int i = 0; i < pieces; ++i) {
        const double a = jdFrom + (jdTo - jdFrom) * i / pieces;
        const double b = i + 1 == pieces ? jdTo : jdFrom + (jdTo - jdFrom) * (i + 1) / pieces;
        const TMoonSamples samples(a, b, place);
        if (!std::isfinite(samples.Sample(1).up))
            return TBearingPasses();
        const TBearingTrack track(samples, bearing);
        Search::Brackets(track, 0.0, -1.0, [&](const Search::TBracket &br) {
            const double jd = Search::Refine(track, 0.0, br);
            const Local l = samples.LocalAt(jd, br.Near);
            if (!track.Faces(l) || !(jd >= a && jd < b))
                return;
            // Up as for its rising: the upper limb over the horizon.
            if (l.up / l.range + HorizonDip(l.range) < 0)
                r.Below = true;
            else
                out.Add(TEventKind::MoonBearing, jd, l);
        });
    }
    for (TEvent &e : r.Events)
        e.Angle = bearing;
    std::sort(r.Events.begin(), r.Events.end(),
              [](const TEvent &x, const TEvent &y) { return x.Time < y.Time; });
    r.Ok = true;
    return r;
}

const TEvent *TMoonEvents::First(TEventKind kind) const
{
    for (const TEvent &e : Events)
        if (e.Kind == kind)
            return &e;
    return nullptr;
}

bool TMoonEvents::UpAllTheTime() const
{
    return Ok && UpAtStart && !First(TEventKind::Moonrise) && !First(TEventKind::Moonset);
}

bool TMoonEvents::DownAllTheTime() const
{
    return Ok && !UpAtStart && !First(TEventKind::Moonrise) && !First(TEventKind::Moonset);
}

TMoonEvents EventsBetween(TInstant from, TInstant to, const TObserver &observer)
{
    TMoonEvents r;
    const double jdFrom = from.Jd(), jdTo = to.Jd();
    if (!InRange(jdFrom) || !InRange(jdTo) || !(jdTo > jdFrom) || jdTo - jdFrom > MaxEventsSpan ||
        !(std::fabs(observer.Latitude) <= 90) || !std::isfinite(observer.Longitude))
        return r;
    const Place place(observer.Latitude, observer.Longitude);
    TCollector out(r.Events);
    // Stretches of at most 26 hours, so that any clock's day is one.
    const int pieces = static_cast<int>(std::ceil((jdTo - jdFrom) * 24 / 26));
    for (int i = 0; i < pieces; ++i) {
        const double a = jdFrom + (jdTo - jdFrom) * i / pieces;
        const double b = i + 1 == pieces ? jdTo : jdFrom + (jdTo - jdFrom) * (i + 1) / pieces;
        bool up = false;
        if (!Scan(a, b, place, out, up)) {
            r.Events.clear();
            return r;
        }
        if (i == 0)
            r.UpAtStart = up;
    }
    std::sort(r.Events.begin(), r.Events.end(),
              [](const TEvent &a, const TEvent &b) { return a.Time < b.Time; });
    r.Ok = true;
    return r;
}

std::optional<bool> VisibleBetween(TInstant from, TInstant to, const TObserver &observer,
                                   const THorizon &horizon, std::vector<TEvent> &out)
{
    const double jdFrom = from.Jd(), jdTo = to.Jd();
    if (!InRange(jdFrom) || !InRange(jdTo) || !(jdTo > jdFrom) || jdTo - jdFrom > 26.0 / 24 ||
        !(std::fabs(observer.Latitude) <= 90) || !std::isfinite(observer.Longitude))
        return std::nullopt;
    const TMoonSamples samples(jdFrom, jdTo, Place(observer.Latitude, observer.Longitude));
    if (!std::isfinite(samples.Sample(1).up))
        return std::nullopt;
    const TMoonBody body(samples);
    std::vector<HorizonSearch::TCrossing> found;
    const bool seen = HorizonSearch::Crossings(body, horizon, jdFrom, jdTo, found);
    for (const HorizonSearch::TCrossing &c : found) {
        TEvent e;
        e.Kind = c.Appears ? TEventKind::MoonAppears : TEventKind::MoonDisappears;
        e.Status = TEventStatus::Occurs;
        e.Time = TInstant::FromJd(c.Jd);
        e.Azimuth = c.Place.Azimuth;
        e.Altitude = c.Place.Altitude;
        out.push_back(e);
    }
    return seen;
}

} // namespace Moon
