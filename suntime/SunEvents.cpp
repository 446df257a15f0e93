// The Sun's events: the calculator's two passes from solar noon, and the one
// search over the Sun's height that finds every crossing of a date.
#include "suntime/SunEvents.h"

#include "suntime/Constants.h"
#include "suntime/Search.h"
#include "suntime/SkyPosition.h"
#include "suntime/SolarPosition.h"

#include <algorithm>
#include <cmath>

namespace
{

using Astro::Rad;

// The zenith angles in the order of TSunZenith, with their events.
struct TZenithEvents {
    double Zenith;
    TEventKind Morning;
    TEventKind Evening;
};
const TZenithEvents ZenithEvents[SunZenithCount] = {
    {Zenith::SunriseSunset, TEventKind::Sunrise, TEventKind::Sunset},
    {Zenith::Civil, TEventKind::CivilDawn, TEventKind::CivilDusk},
    {Zenith::Nautical, TEventKind::NauticalDawn, TEventKind::NauticalDusk},
    {Zenith::Astronomical, TEventKind::AstronomicalDawn, TEventKind::AstronomicalDusk}};

// Minutes after 0 h UT of the day whose 0 h is the Julian Day jd.
TInstant MomentOf(double jd, double minutes)
{
    return TInstant::FromJd(jd).AddDays(minutes / 1440);
}

TEvent EventOf(TEventKind kind, const SolarPosition::Crossing &c, double jd)
{
    TEvent e;
    e.Kind = kind;
    e.Status = c.state;
    if (e.Occurs()) {
        e.Time = MomentOf(jd, c.minutes);
        if (!e.Time.IsFinite()) {
            e.Status = TEventStatus::Failed;
            e.Time = TInstant();
        }
    }
    return e;
}

} // namespace

double ZenithOf(TSunZenith zenith)
{
    return ZenithEvents[int(zenith)].Zenith;
}

TEventKind MorningOf(TSunZenith zenith)
{
    return ZenithEvents[int(zenith)].Morning;
}

TEventKind EveningOf(TSunZenith zenith)
{
    return ZenithEvents[int(zenith)].Evening;
}

TSunDay ComputeSunDay(const TCivilDate &utcDay, const TObserver &observer)
{
    TSunDay r;
    r.Noon.Kind = TEventKind::SolarNoon;
    for (int z = 0; z < SunZenithCount; ++z) {
        r.Morning[z].Kind = ZenithEvents[z].Morning;
        r.Evening[z].Kind = ZenithEvents[z].Evening;
    }
    // The calendar's years 1 ... 9999 and the day on each side of them, which
    // the first and last dates of a clock far from UTC reach.
    if (utcDay.Year < 0 || utcDay.Year > 10000)
        return r;
    const double jd = TInstant::FromCivil(utcDay).Jd();
    const SolarPosition::TCalculatorDay day(jd, observer.Latitude, observer.Longitude);
    if (!day.Valid())
        return r;
    r.Noon.Time = MomentOf(jd, day.Noon().minutes);
    r.Noon.Status = r.Noon.Time.IsFinite() ? TEventStatus::Occurs : TEventStatus::Failed;
    r.NoonAltitude = day.NoonAltitude();
    r.NoonDeclination = day.Noon().declination;
    r.NoonEquationOfTime = day.Noon().eot;
    for (int z = 0; z < SunZenithCount; ++z) {
        SolarPosition::Crossing rising, setting;
        day.Crossings(ZenithEvents[z].Zenith, rising, setting);
        r.Morning[z] = EventOf(ZenithEvents[z].Morning, rising, jd);
        r.Evening[z] = EventOf(ZenithEvents[z].Evening, setting, jd);
    }
    return r;
}

double SunCentreAltitude(TInstant moment, const TObserver &observer)
{
    return Sky::SunHorizontal(moment, observer, false).Altitude;
}

// ------------------------------------------------------------ the dates

namespace
{

constexpr int64_t MsPerDay = 86400000;

int64_t FloorDiv(int64_t a, int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The UTC day (days since 1970) that holds a moment.
int64_t UtcDayOf(TInstant moment)
{
    return FloorDiv(moment.UnixMs(), MsPerDay);
}

const TEvent &EventOfDay(const TSunDay &day, TEventKind kind)
{
    if (kind == TEventKind::SolarNoon)
        return day.Noon;
    for (int z = 0; z < SunZenithCount; ++z) {
        if (ZenithEvents[z].Morning == kind)
            return day.Morning[z];
        if (ZenithEvents[z].Evening == kind)
            return day.Evening[z];
    }
    return day.Noon;
}

// A calculator's event cut to the whole second, and the UTC day it belongs to.
struct TCandidate {
    TInstant Time;
    int64_t Day;
};

// The calculator's days over a run of UTC days: each day's noon and
// crossings, in time order by kind (the candidates that refine the search's
// brackets), and the Sun's declination and equation of time at each noon,
// the nodes of the search's track.
class TCalculatorDays
{
public:
    TCalculatorDays(const TObserver &observer, int64_t firstDay, int64_t lastDay)
        : FFirstDay(firstDay)
    {
        const size_t count = size_t(lastDay - firstDay + 1);
        FDays.reserve(count);
        FNodes.reserve(count);
        for (auto &list : FCandidates)
            list.reserve(count);
        for (int64_t d = firstDay; d <= lastDay; ++d) {
            FDays.push_back(ComputeSunDay(Civil::CivilFromDays(d), observer));
            const TSunDay &day = FDays.back();
            const double delta = day.NoonDeclination * Rad;
            FNodes.push_back({day.Noon.Occurs(), day.Noon.Time.Jd(), std::sin(delta),
                              std::cos(delta), day.NoonEquationOfTime});
            for (int k = 0; k < SunEventCount; ++k) {
                const TEvent &e = EventOfDay(day, TEventKind(k));
                if (e.Occurs())
                    FCandidates[k].push_back({e.Time.WholeSecond(), d});
            }
        }
        // The two passes can set one day's evening after the next day's
        // morning only by rounding; keep each list in time order regardless.
        for (auto &list : FCandidates)
            std::stable_sort(
                list.begin(), list.end(),
                [](const TCandidate &a, const TCandidate &b) { return a.Time < b.Time; });
    }

    int64_t FirstDay() const { return FFirstDay; }
    int64_t LastDay() const { return FFirstDay + int64_t(FDays.size()) - 1; }
    bool Holds(int64_t day) const { return day >= FirstDay() && day <= LastDay(); }
    const TSunDay &Day(int64_t day) const { return FDays[size_t(day - FFirstDay)]; }

    // The calculator's events of a kind within [from, to), in time order.
    std::pair<const TCandidate *, const TCandidate *> Within(TEventKind kind, TInstant from,
                                                             TInstant to) const
    {
        const std::vector<TCandidate> &list = FCandidates[int(kind)];
        const auto less = [](const TCandidate &c, TInstant t) { return c.Time < t; };
        const auto begin = std::lower_bound(list.begin(), list.end(), from, less);
        const auto end = std::lower_bound(begin, list.end(), to, less);
        return {list.data() + (begin - list.begin()), list.data() + (end - list.begin())};
    }

    // Why an event that none of the UTC days overlapping [from, to) puts
    // there is missing: the first of those days on which it does not happen,
    // else it happens on another date of the clock.
    // (firstDay and lastDay are the UTC days of from and of to's last moment.)
    TEventStatus Reason(TEventKind kind, int64_t firstDay, int64_t lastDay) const
    {
        for (int64_t d = std::max(firstDay, FirstDay()); d <= lastDay && d <= LastDay(); ++d) {
            const TEvent &e = EventOfDay(Day(d), kind);
            if (!e.Occurs())
                return e.Status;
        }
        return TEventStatus::NotOnDate;
    }

    // The Sun at a day's noon.
    struct TNode {
        bool Valid;
        double Jd, SinDelta, CosDelta, Eot;
    };
    const TNode &Node(int64_t day) const { return FNodes[size_t(day - FFirstDay)]; }

private:
    int64_t FFirstDay;
    std::vector<TSunDay> FDays;
    std::vector<TNode> FNodes;
    std::array<std::vector<TCandidate>, SunEventCount> FCandidates;
};

// The observer with the terms of its latitude worked out once.
struct TPlaceTerms {
    TObserver Observer;
    double SinPhi, CosPhi;

    explicit TPlaceTerms(const TObserver &o)
        : Observer(o), SinPhi(std::sin(o.Latitude * Rad)), CosPhi(std::cos(o.Latitude * Rad))
    {
    }
};

double SinAltitude(double jd, const TObserver &observer)
{
    return std::sin(SunCentreAltitude(TInstant::FromJd(jd), observer) * Rad);
}

// The sine of the Sun's height over one date, for the search: from the
// declination and equation of time at the calculator's noons, taken between
// them by a parabola (within a hundred-thousandth of a degree), and the hour
// angle of each moment. Without the noons around a moment (the ends of the
// years the calculator takes) the height is computed in full. The samples
// at the date's ends are the heights in full that the caller gives.
class TSunTrack
{
public:
    static constexpr double Step = 1.0 / 12; // two hours

    TSunTrack(const TCalculatorDays &days, const TPlaceTerms &place, TInstant from, TInstant to,
              double sinAtFrom, double sinAtTo)
        : FPlace(place)
    {
        for (int64_t d = UtcDayOf(from) - 1; d <= UtcDayOf(to) + 1 && FNodes < MaxNodes; ++d) {
            if (!days.Holds(d) || !days.Node(d).Valid) {
                FNodes = 0;
                break;
            }
            FNode[FNodes++] = &days.Node(d);
        }
        FSteps = std::max(1, int(std::ceil((to - from) / Step)));
        FSteps = std::min(FSteps, MaxSteps);
        const double h = (to - from) / FSteps;
        const double jdFrom = from.Jd();
        for (int i = 0; i < Count(); ++i) {
            FWhen[i] = jdFrom + (i - 1) * h;
            FValue[i] = i == 1 ? sinAtFrom : i == FSteps + 1 ? sinAtTo : At(FWhen[i], i);
        }
    }

    int Count() const { return FSteps + 3; }
    double When(int i) const { return FWhen[i]; }
    double Value(int i) const { return FValue[i]; }
    double At(double jd, int) const
    {
        if (FNodes < 3)
            return SinAltitude(jd, FPlace.Observer);
        // The three noons around the moment.
        int k = 1;
        while (k + 2 < FNodes && jd > (FNode[k]->Jd + FNode[k + 1]->Jd) / 2)
            ++k;
        const TCalculatorDays::TNode &n0 = *FNode[k - 1], &n1 = *FNode[k], &n2 = *FNode[k + 1];
        const double w0 = (jd - n1.Jd) * (jd - n2.Jd) / ((n0.Jd - n1.Jd) * (n0.Jd - n2.Jd));
        const double w1 = (jd - n0.Jd) * (jd - n2.Jd) / ((n1.Jd - n0.Jd) * (n1.Jd - n2.Jd));
        const double w2 = (jd - n0.Jd) * (jd - n1.Jd) / ((n2.Jd - n0.Jd) * (n2.Jd - n1.Jd));
        const double eot = w0 * n0.Eot + w1 * n1.Eot + w2 * n2.Eot;
        const double sinDelta = w0 * n0.SinDelta + w1 * n1.SinDelta + w2 * n2.SinDelta;
        const double cosDelta = w0 * n0.CosDelta + w1 * n1.CosDelta + w2 * n2.CosDelta;
        const double dayFraction = jd - 0.5 - std::floor(jd - 0.5);
        const double h = (360 * dayFraction - 180 + eot / 4 + FPlace.Observer.Longitude) * Rad;
        return FPlace.SinPhi * sinDelta + FPlace.CosPhi * cosDelta * std::cos(h);
    }

private:
    static constexpr int MaxNodes = 6;
    static constexpr int MaxSteps = 16;

    const TPlaceTerms &FPlace;
    int FNodes = 0;
    const TCalculatorDays::TNode *FNode[MaxNodes];
    int FSteps = 1;
    double FWhen[MaxSteps + 3];
    double FValue[MaxSteps + 3];
};

// A crossing of one zenith angle within a date.
struct TPass {
    TInstant Time; // cut to the whole second
    bool Rising;
};

// Room for what one date's search of one zenith angle holds; far more than
// the Sun can do in a day.
constexpr int MaxBrackets = 32;
constexpr int MaxPasses = 32;

struct TPasses {
    int Count = 0;
    TPass Items[MaxPasses];
    bool Consistent = true;

    void Add(const TPass &p)
    {
        if (Count < MaxPasses)
            Items[Count++] = p;
    }
    const TPass *begin() const { return Items; }
    const TPass *end() const { return Items + Count; }
};

// The crossings of one zenith angle within [from, to): the search's
// brackets, each refined by the calculator's crossing that falls within it.
// Where the calculator's crossings and the brackets do not pair off (near
// the edges of a polar day or night the two passes from noon can miss a
// crossing or find one the Sun does not make), every bracket is refined on
// the Sun's height itself, and Consistent says so.
TPasses ZenithPasses(const TSunTrack &track, const TCalculatorDays &days, const TObserver &observer,
                     const TZenithEvents &zenith, TInstant from, TInstant to)
{
    const double target = std::sin((90 - zenith.Zenith) * Rad);
    int bracketCount = 0;
    Search::TBracket brackets[MaxBrackets];
    // The sine of the height: a grazing pass counts where a parabola comes
    // within about half a degree of the angle.
    constexpr double Graze = 1e-2;
    Search::Brackets(track, target, Graze, [&](const Search::TBracket &b) {
        // A grazing pass near a sample is found from two triples of samples.
        for (int i = 0; i < bracketCount; ++i)
            if (b.Grazing && brackets[i].Grazing && brackets[i].Rising == b.Rising &&
                std::fabs(brackets[i].Split - b.Split) < 1e-4)
                return;
        if (bracketCount < MaxBrackets)
            brackets[bracketCount++] = b;
    });

    // Pair them off: a calculator crossing within a couple of minutes of a
    // bracket of its direction, inside the date.
    constexpr double Slack = 2.0 / 1440;
    TPasses passes;
    bool used[2][MaxPasses] = {};
    const std::pair<const TCandidate *, const TCandidate *> candidates[2] = {
        days.Within(zenith.Morning, from, to), days.Within(zenith.Evening, from, to)};
    for (int i = 0; i < bracketCount; ++i) {
        const Search::TBracket &b = brackets[i];
        const int side = b.Rising ? 0 : 1;
        bool found = false;
        int n = 0;
        for (const TCandidate *c = candidates[side].first;
             c != candidates[side].second && n < MaxPasses; ++c, ++n) {
            const double jd = c->Time.Jd();
            if (used[side][n] || jd < b.A - Slack || jd > b.B + Slack)
                continue;
            used[side][n] = found = true;
            passes.Add({c->Time, b.Rising});
            break;
        }
        passes.Consistent = passes.Consistent && found;
    }
    for (int side = 0; side < 2; ++side)
        for (int n = 0; n < candidates[side].second - candidates[side].first; ++n)
            passes.Consistent = passes.Consistent && n < MaxPasses && used[side][n];
    if (!passes.Consistent) {
        passes.Count = 0;
        for (int i = 0; i < bracketCount; ++i) {
            const Search::TBracket &b = brackets[i];
            const auto f = [&observer, target](double jd) {
                return SinAltitude(jd, observer) - target;
            };
            const TInstant t =
                TInstant::FromJd(Search::Root(f, b.A, b.FA, b.B, b.FB)).WholeSecond();
            if (t >= from && t < to)
                passes.Add({t, b.Rising});
        }
    }
    std::stable_sort(passes.Items, passes.Items + passes.Count,
                     [](const TPass &a, const TPass &b) { return a.Time < b.Time; });
    return passes;
}

// Milliseconds of [from, to) during which the Sun stands above the zenith
// angle, from its height at the start and each crossing in turn (one that
// would change nothing is passed over).
int64_t MsAbove(const TPasses &passes, bool aboveAtStart, TInstant from, TInstant to)
{
    bool above = aboveAtStart;
    int64_t since = from.UnixMs(), total = 0;
    for (const TPass &p : passes) {
        if (p.Rising && !above)
            since = p.Time.UnixMs();
        else if (!p.Rising && above)
            total += p.Time.UnixMs() - since;
        above = p.Rising;
    }
    if (above)
        total += to.UnixMs() - since;
    return total;
}

TEvent Missing(TEventKind kind, TEventStatus status)
{
    TEvent e;
    e.Kind = kind;
    e.Status = status;
    return e;
}

// The events of one date.
void SunEventsOfDate(TDayEvents &date, const TCalculatorDays &days, const TPlaceTerms &place,
                     double heightAtStart, double heightAtEnd, bool azimuths)
{
    const TInstant from = date.Span.From, to = date.Span.To;
    std::vector<TEvent> &events = date.Events;
    events.reserve(events.size() + SunEventCount + 2);
    // A date the clock skips (a zone that moves across the date line) holds
    // no moment, and so no event.
    if (!(to > from)) {
        for (int k = 0; k < SunEventCount; ++k)
            events.push_back(Missing(TEventKind(k), TEventStatus::NotOnDate));
        return;
    }
    std::array<TEventStatus, SunEventCount> status;
    const int64_t firstDay = UtcDayOf(from), lastDay = FloorDiv(to.UnixMs() - 1, MsPerDay);
    for (int k = 0; k < SunEventCount; ++k)
        status[k] = days.Reason(TEventKind(k), firstDay, lastDay);
    const size_t first = events.size();

    // Solar noon: each calculator noon that falls on the date.
    const auto noons = days.Within(TEventKind::SolarNoon, from, to);
    for (const TCandidate *c = noons.first; c != noons.second; ++c) {
        TEvent e = days.Day(c->Day).Noon;
        e.Time = c->Time;
        if (c == noons.first)
            date.NoonAltitude = days.Day(c->Day).NoonAltitude;
        events.push_back(e);
    }

    const bool heightsKnown = std::isfinite(heightAtStart) && std::isfinite(heightAtEnd);
    const TSunTrack track(days, place, from, to, std::sin(heightAtStart * Rad),
                          std::sin(heightAtEnd * Rad));
    for (int z = 0; z < SunZenithCount && heightsKnown; ++z) {
        const TZenithEvents &zenith = ZenithEvents[z];
        date.SunAboveAtStart[z] = heightAtStart > 90 - zenith.Zenith;
        const TPasses passes = ZenithPasses(track, days, place.Observer, zenith, from, to);
        for (const TPass &p : passes) {
            TEvent e;
            e.Kind = p.Rising ? zenith.Morning : zenith.Evening;
            e.Status = TEventStatus::Occurs;
            e.Time = p.Time;
            if (azimuths && z == int(TSunZenith::Sunrise))
                e.Azimuth = Sky::SunHorizontal(p.Time, place.Observer, false).Azimuth;
            events.push_back(e);
        }
        // The search's own crossings: a direction without one is on another date.
        if (!passes.Consistent)
            status[int(zenith.Morning)] = status[int(zenith.Evening)] = TEventStatus::NotOnDate;
        // Not crossed at all within the date: the Sun stays where it was
        // when the date began, whatever the neighbouring UTC days say.
        if (passes.Count == 0)
            status[int(zenith.Morning)] = status[int(zenith.Evening)] =
                date.SunAboveAtStart[z] ? TEventStatus::AboveAllDay : TEventStatus::BelowAllDay;
        if (z == int(TSunZenith::Sunrise))
            date.DayLength = int(MsAbove(passes, date.SunAboveAtStart[z], from, to) / 1000);
    }

    std::stable_sort(events.begin() + std::ptrdiff_t(first), events.end(),
                     [](const TEvent &a, const TEvent &b) { return a.Time < b.Time; });
    const size_t found = events.size();
    for (int k = 0; k < SunEventCount; ++k) {
        const auto same = [k](const TEvent &e) { return e.Kind == TEventKind(k); };
        if (std::none_of(events.begin() + std::ptrdiff_t(first),
                         events.begin() + std::ptrdiff_t(found), same))
            events.push_back(Missing(TEventKind(k), status[k] == TEventStatus::Occurs
                                                        ? TEventStatus::NotOnDate
                                                        : status[k]));
    }
}

} // namespace

void AddSunEvents(std::vector<TDayEvents> &days, const TObserver &observer, bool azimuths)
{
    if (days.empty())
        return;
    // Every UTC day that a date overlaps, and one more on each side for the
    // crossings of a neighbouring day that land on a date.
    const TCalculatorDays calculator(observer, UtcDayOf(days.front().Span.From) - 1,
                                     FloorDiv(days.back().Span.To.UnixMs() - 1, MsPerDay) + 1);
    const TPlaceTerms place(observer);
    double heightAtStart = SunCentreAltitude(days.front().Span.From, observer);
    for (TDayEvents &date : days) {
        const double heightAtEnd = SunCentreAltitude(date.Span.To, observer);
        SunEventsOfDate(date, calculator, place, heightAtStart, heightAtEnd, azimuths);
        heightAtStart = heightAtEnd;
    }
}

std::optional<std::array<TInstant, 4>> SeasonMoments(int year)
{
    if (year < 1 || year > 9999)
        return std::nullopt;
    std::array<TInstant, 4> moments;
    // Degrees still to go from the Sun's longitude at a moment to a target,
    // within -180 ... 180.
    const auto ahead = [](double ut, double target) {
        using namespace SolarPosition;
        const double lambda = ApparentLongitude(
            ElementsAt(JulianCenturies(TInstant::FromJd(Astro::JdJ2000).AddDays(ut).Jd())));
        return std::remainder(target - lambda, 360.0);
    };
    const int months[4] = {3, 6, 9, 12};
    for (int k = 0; k < 4; ++k) {
        // The Sun moves about a degree a day: ten days either side of the
        // 21st hold the moment whatever the year.
        double lo = TInstant::FromCivil({year, months[k], 21}).Ut() - 10;
        double hi = lo + 20;
        for (int i = 0; i < 40; ++i) {
            const double mid = (lo + hi) / 2;
            if (ahead(mid, 90.0 * k) > 0)
                lo = mid;
            else
                hi = mid;
        }
        moments[k] = TInstant::FromJd(Astro::JdJ2000).AddDays((lo + hi) / 2);
    }
    return moments;
}
