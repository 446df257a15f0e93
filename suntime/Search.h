// The one search of the program: the moments within a stretch of time at
// which a smooth function of time crosses a value, rising or falling. Every
// event is such a crossing: the Sun's or the Moon's altitude against a fixed
// angle (risings, settings, twilights), their distance from the meridian
// (transits), their azimuth against a bearing, their altitude against a
// horizon profile.
//
// The function is sampled on a fixed step over the stretch, with one sample
// more on each side. A crossing lies where two samples differ in sign; a
// grazing pass, which turns back before the next sample, is looked for where
// three samples of one sign bend towards the value. Each bracket is then
// refined by regula falsi to well under 0.1 s. Moments are Julian Days (UT).
#pragma once

#include <cmath>

namespace Search
{

// A stretch of the function around a crossing: its values less the target
// at both ends are of opposite signs.
struct TBracket {
    double A = 0, FA = 0; // earlier end
    double B = 0, FB = 0; // later end
    int Near = 0;         // a sample within a step of both ends
    bool Rising = false;  // the function goes up through the target
    // Found about an extreme between three samples of one sign: the extreme
    // is Split, one end of the bracket.
    bool Grazing = false;
    double Split = 0;
};

// A root of f between a and b (fa, fb of opposite signs): regula falsi with
// the Illinois halving, until f's value over the bracket's slope, the
// distance left when f is nearly straight, is below tolerance (days; a
// millisecond by default).
template <class F>
double Root(const F &f, double a, double fa, double b, double fb, double tolerance = 1e-8)
{
    int side = 0;
    double c = a;
    for (int i = 0; i < 60; ++i) {
        c = (a * fb - b * fa) / (fb - fa);
        const double fc = f(c);
        if (!(std::fabs(fc) * (b - a) > tolerance * std::fabs(fb - fa)))
            break;
        if ((fc < 0) == (fb < 0)) {
            b = c;
            fb = fc;
            if (side == -1)
                fa /= 2;
            side = -1;
        } else {
            a = c;
            fa = fc;
            if (side == 1)
                fb /= 2;
            side = 1;
        }
    }
    return c;
}

// The extreme of f (a minimum when lowest) within [a, b]: golden section.
template <class F> double Extreme(const F &f, double a, double b, bool lowest)
{
    const double g = 0.6180339887498949;
    double x1 = b - g * (b - a), x2 = a + g * (b - a);
    double f1 = f(x1), f2 = f(x2);
    while (b - a > 1e-7) {
        if ((f1 < f2) == lowest) {
            b = x2;
            x2 = x1;
            f2 = f1;
            x1 = b - g * (b - a);
            f1 = f(x1);
        } else {
            a = x1;
            x1 = x2;
            f1 = f2;
            x2 = a + g * (b - a);
            f2 = f(x2);
        }
    }
    return (a + b) / 2;
}

// The brackets of every crossing of target within the track's stretch
// [from, to], in time order of their samples, handed to out one by one. A
// grazing pass near a sample may be bracketed twice, from two triples of
// samples: the caller keeps the refined moments once.
//
// TTrack is the sampled function: Count() samples at When(i), i = 0 ...
// Count() - 1, sample 1 at the stretch's start `from`, sample Count() - 2 at
// its end `to`, one more before and after; Value(i) at sample i; At(t, i) at
// any moment t within a step of sample i. A grazing pass is looked for only
// where the parabola through three samples comes within graze of the target
// (in the function's units) or beyond it; never when graze is negative.
template <class TTrack, class TOut>
void Brackets(const TTrack &track, double target, double graze, TOut &&out)
{
    // The stretch's own ends, where a grazing pass's bracket is cut so that
    // its crossing lies within the stretch.
    const int first = 1, last = track.Count() - 2;
    const double from = track.When(first), to = track.When(last);
    const double atFrom = track.Value(first) - target, atTo = track.Value(last) - target;
    const auto cut = [&](TBracket b) {
        if (!(b.A < to) || !(b.B > from))
            return; // wholly outside the stretch
        if (b.A < from) {
            if ((atFrom < 0) == (b.FB < 0))
                return; // the crossing comes before the stretch
            b.A = from;
            b.FA = atFrom;
        }
        if (b.B > to) {
            if ((atTo < 0) == (b.FA < 0))
                return; // it comes after it
            b.B = to;
            b.FB = atTo;
        }
        out(b);
    };
    // The triple around the last sample may hold a grazing pass that
    // crosses the target just before `to`.
    for (int i = first; i <= last; ++i) {
        const double ta = track.When(i), tb = track.When(i + 1);
        const double a = track.Value(i) - target, b = track.Value(i + 1) - target;
        const auto f = [&track, target, i](double t) { return track.At(t, i) - target; };
        if ((a < 0) != (b < 0) && i < last)
            out(TBracket{ta, a, tb, b, i, b >= 0, false, 0});
        if (graze < 0)
            continue;
        // Three samples on one side with an extreme between them that turns
        // towards the target: a parabola tells whether it may come near it,
        // and only then is the extreme looked for.
        const double tz = track.When(i - 1), z = track.Value(i - 1) - target;
        const bool above = a >= 0;
        if ((z >= 0) != above || (b >= 0) != above)
            continue;
        const double d1 = a - z, d2 = b - a;
        if (!(above ? d1 < 0 && d2 > 0 : d1 > 0 && d2 < 0))
            continue;
        const double vertex = a - (b - z) * (b - z) / (8 * (d2 - d1));
        if (std::fabs(vertex) > graze && (vertex >= 0) == above)
            continue;
        const double t = Extreme(f, tz, tb, above);
        const double ft = f(t);
        if ((ft >= 0) == above)
            continue;
        cut(TBracket{tz, z, t, ft, i, !above, true, t});
        cut(TBracket{t, ft, tb, b, i, above, true, t});
    }
}

// The moment of a bracket's crossing, refined on the track itself.
template <class TTrack>
double Refine(const TTrack &track, double target, const TBracket &b, double tolerance = 1e-8)
{
    const auto f = [&track, target, &b](double t) { return track.At(t, b.Near) - target; };
    return Root(f, b.A, b.FA, b.B, b.FB, tolerance);
}

// A function sampled by calling it: for a function cheap enough to take at
// every sample and every step of a refinement.
template <class F> class TSampled
{
public:
    static constexpr int MaxSteps = 64;

    // Samples of f on steps of at most `step` days over [from, to), one more
    // on each side.
    TSampled(const F &f, double from, double to, double step) : FF(f)
    {
        FSteps = static_cast<int>(std::ceil((to - from) / step));
        FSteps = FSteps < 1 ? 1 : FSteps > MaxSteps ? MaxSteps : FSteps;
        const double h = (to - from) / FSteps;
        for (int i = 0; i < Count(); ++i) {
            FWhen[i] = from + (i - 1) * h;
            FValue[i] = FF(FWhen[i]);
        }
    }

    int Count() const { return FSteps + 3; }
    double When(int i) const { return FWhen[i]; }
    double Value(int i) const { return FValue[i]; }
    double At(double t, int) const { return FF(t); }

private:
    const F &FF;
    int FSteps = 1;
    double FWhen[MaxSteps + 3];
    double FValue[MaxSteps + 3];
};

} // namespace Search
