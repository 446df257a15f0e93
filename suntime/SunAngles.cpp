// The Sun's events at any altitude and bearing: the one search over the
// Sun's place as an observer sees it, each crossing refined on that place.
#include "suntime/SunAngles.h"

#include "suntime/Constants.h"
#include "suntime/Search.h"
#include "suntime/SunEphemeris.h"

#include <algorithm>
#include <cmath>

namespace
{

using Astro::Rad;

// The Sun over one date, sampled every two hours, and at any moment between.
class TSunSamples
{
public:
    static constexpr double Step = 1.0 / 12;
    static constexpr int MaxSteps = 16;
    using TPlace = SunEphemeris::TSunDayTrack::TPlace;

    TSunSamples(const SunEphemeris::TSunPath &path, const TObserver &observer, TInstant from,
                TInstant to)
        : FTrack(path, observer, from, to)
    {
        FSteps = std::clamp(int(std::ceil((to - from) / Step)), 1, MaxSteps);
        const double h = (to - from) / FSteps;
        for (int i = 0; i < Count(); ++i) {
            FWhen[i] = from.Jd() + (i - 1) * h;
            FAt[i] = FTrack.At(FWhen[i]);
        }
    }

    int Count() const { return FSteps + 3; }
    double When(int i) const { return FWhen[i]; }
    const TPlace &Sample(int i) const { return FAt[i]; }
    TPlace Place(double jd) const { return FTrack.At(jd); }

private:
    SunEphemeris::TSunDayTrack FTrack;
    int FSteps = 1;
    double FWhen[MaxSteps + 3];
    TPlace FAt[MaxSteps + 3];
};

// The sine of the altitude as a function for the search.
class TAltitudeTrack
{
public:
    explicit TAltitudeTrack(const TSunSamples &s) : FS(s) {}
    int Count() const { return FS.Count(); }
    double When(int i) const { return FS.When(i); }
    double Value(int i) const { return FS.Sample(i).SinAltitude; }
    double At(double jd, int) const { return FS.Place(jd).SinAltitude; }

private:
    const TSunSamples &FS;
};

// How far the azimuth is past a bearing, as the sine of the difference
// (scaled by the cosine of the altitude): it crosses zero where the Sun
// passes the bearing, and its opposite.
class TBearingTrack
{
public:
    TBearingTrack(const TSunSamples &s, double bearing)
        : FS(s), FSin(std::sin(bearing * Rad)), FCos(std::cos(bearing * Rad))
    {
    }
    int Count() const { return FS.Count(); }
    double When(int i) const { return FS.When(i); }
    double Value(int i) const { return Of(FS.Sample(i)); }
    double At(double jd, int) const { return Of(FS.Place(jd)); }
    // Whether a place faces the bearing rather than its opposite.
    bool Faces(const TSunSamples::TPlace &p) const { return p.East * FSin + p.North * FCos > 0; }

private:
    double Of(const TSunSamples::TPlace &p) const { return p.East * FCos - p.North * FSin; }

    const TSunSamples &FS;
    double FSin, FCos;
};

// The refinement stops within a hundredth of a second: the files show the
// second, and the Sun's place is good to a few hundredths.
constexpr double Tolerance = 1e-7;

// A crossing of an altitude: Newton's steps on the Earth's turn from the
// bracket's secant, which come to the hundredth of a second in two or three
// steps; regula falsi where they would leave the bracket.
double AltitudeCrossing(const TSunSamples &samples, const TAltitudeTrack &track, double target,
                        const Search::TBracket &b)
{
    double t = b.A - b.FA * (b.B - b.A) / (b.FB - b.FA);
    for (int i = 0; i < 6; ++i) {
        const TSunSamples::TPlace p = samples.Place(t);
        if (p.Rate == 0)
            break;
        const double step = (p.SinAltitude - target) / p.Rate;
        t -= step;
        if (!(t > b.A && t < b.B))
            break;
        if (std::fabs(step) < Tolerance)
            return t;
    }
    return Search::Refine(track, target, b, Tolerance);
}

TEvent Occurring(TEventKind kind, double angle, double jd)
{
    TEvent e;
    e.Kind = kind;
    e.Status = TEventStatus::Occurs;
    // The moment itself: the files cut it to the second as they write it.
    e.Time = TInstant::FromJd(jd);
    e.Angle = angle;
    return e;
}

// The crossings found on a date, a grazing pass found twice kept once.
struct TFound {
    static constexpr int Capacity = 16;
    int Count = 0;
    TEvent Items[Capacity];

    void Add(const TEvent &e)
    {
        for (int i = 0; i < Count; ++i)
            if (Items[i].Kind == e.Kind && std::fabs(Items[i].Time - e.Time) < 1e-5)
                return;
        if (Count < Capacity)
            Items[Count++] = e;
    }
    bool Has(TEventKind kind) const
    {
        for (int i = 0; i < Count; ++i)
            if (Items[i].Kind == kind)
                return true;
        return false;
    }
};

TEvent Missing(TEventKind kind, double angle, TEventStatus status)
{
    TEvent e;
    e.Kind = kind;
    e.Status = status;
    e.Angle = angle;
    return e;
}

// The crossings of one altitude within the date, and why a direction lacks one.
void AltitudeEvents(const TSunSamples &samples, double angle, TInstant from, TInstant to,
                    std::vector<TEvent> &out)
{
    const TAltitudeTrack track(samples);
    const double target = std::sin(angle * Rad);
    // A grazing pass counts where a parabola comes within about half a degree
    // of the angle.
    constexpr double Graze = 1e-2;
    TFound found;
    Search::Brackets(track, target, Graze, [&](const Search::TBracket &b) {
        const double jd = AltitudeCrossing(samples, track, target, b);
        const TEvent e = Occurring(
            b.Rising ? TEventKind::SunAltitudeRise : TEventKind::SunAltitudeSet, angle, jd);
        if (e.Time >= from && e.Time < to)
            found.Add(e);
    });
    const bool aboveAtStart = samples.Sample(1).SinAltitude > target;
    for (const TEventKind kind : {TEventKind::SunAltitudeRise, TEventKind::SunAltitudeSet}) {
        if (found.Has(kind))
            continue;
        out.push_back(Missing(kind, angle,
                              found.Count > 0 ? TEventStatus::NotOnDate
                              : aboveAtStart  ? TEventStatus::AboveAllDay
                                              : TEventStatus::BelowAllDay));
    }
    out.insert(out.end(), found.Items, found.Items + found.Count);
}

// The passes of one bearing with the Sun above the horizon; why none.
void BearingEvents(const TSunSamples &samples, double bearing, TInstant from, TInstant to,
                   std::vector<TEvent> &out)
{
    const TBearingTrack track(samples, bearing);
    bool below = false;
    std::vector<TEvent> found;
    Search::Brackets(track, 0.0, -1.0, [&](const Search::TBracket &b) {
        const double jd = Search::Refine(track, 0.0, b, Tolerance);
        const TSunSamples::TPlace place = samples.Place(jd);
        if (!track.Faces(place))
            return;
        TEvent e = Occurring(TEventKind::SunBearing, bearing, jd);
        if (!(e.Time >= from && e.Time < to))
            return;
        const THorizontal h = SunEphemeris::TSunDayTrack::Horizontal(place);
        e.Azimuth = h.Azimuth;
        e.Altitude = h.Altitude;
        // Sunrise's angle: the Sun's centre seen on the horizon.
        if (e.Altitude < -0.833)
            below = true;
        else
            found.push_back(e);
    });
    if (found.empty())
        out.push_back(Missing(TEventKind::SunBearing, bearing,
                              below ? TEventStatus::BelowAllDay : TEventStatus::NotOnDate));
    out.insert(out.end(), found.begin(), found.end());
}

} // namespace

void AddSunAngleEvents(std::vector<TDayEvents> &days, const TObserver &observer,
                       const std::vector<double> &altitudes, const std::vector<double> &bearings)
{
    if (days.empty() || (altitudes.empty() && bearings.empty()))
        return;
    const SunEphemeris::TSunPath path(days.front().Span.From, days.back().Span.To);
    for (TDayEvents &date : days) {
        const TInstant from = date.Span.From, to = date.Span.To;
        if (!(to > from)) {
            for (const double a : altitudes)
                for (const TEventKind k : {TEventKind::SunAltitudeRise, TEventKind::SunAltitudeSet})
                    date.Events.push_back(Missing(k, a, TEventStatus::NotOnDate));
            for (const double b : bearings)
                date.Events.push_back(Missing(TEventKind::SunBearing, b, TEventStatus::NotOnDate));
            continue;
        }
        const TSunSamples samples(path, observer, from, to);
        for (const double a : altitudes)
            AltitudeEvents(samples, a, from, to, date.Events);
        for (const double b : bearings)
            BearingEvents(samples, b, from, to, date.Events);
    }
}
