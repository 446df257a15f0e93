// The Moon after Meeus, Astronomical Algorithms (2nd ed.), chapters 47 to 49,
// and a rising and setting search fast enough to run for every day of a table.
#include "suntime/Moon.h"

#include "suntime/SolarPosition.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Moon
{

namespace
{

constexpr double Pi = 3.1415926535897932385;
constexpr double Rad = Pi / 180;
constexpr double Deg = 180 / Pi;
constexpr double EarthRadius = 6378.14;       // km, equatorial
constexpr double EarthAxisRatio = 0.99664719; // polar over equatorial radius
constexpr double MoonRadius = 0.272481 * EarthRadius;
constexpr double AuKm = 149597870.7;
constexpr double SiderealRate = 360.98564736629; // degrees a day
constexpr double LastJd = 5373484.5;             // 10000-01-01 0 h

bool InRange(double jd)
{
    return jd >= 0 && jd <= LastJd; // false for NaN
}

double Normalized(double degrees)
{
    const double r = degrees - 360 * std::floor(degrees / 360);
    return r < 360 ? r : 0; // a tiny negative input rounds up to 360
}

// Table 47.A: multiples of D, M, M', F; longitude in 1e-6 degree, distance in
// metres (of the cosine).
struct TermLR {
    int8_t d, m, mp, f;
    int32_t l, r;
};

constexpr TermLR TableLR[] = {
    {0, 0, 1, 0, 6288774, -20905355},
    {2, 0, -1, 0, 1274027, -3699111},
    {2, 0, 0, 0, 658314, -2955968},
    {0, 0, 2, 0, 213618, -569925},
    {0, 1, 0, 0, -185116, 48888},
    {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},
    {2, -1, -1, 0, 57066, -152138},
    {2, 0, 1, 0, 53322, -170733},
    {2, -1, 0, 0, 45758, -204586},
    {0, 1, -1, 0, -40923, -129620},
    {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},
    {2, 0, 0, -2, 15327, 10321},
    {0, 0, 1, 2, -12528, 0},
    {0, 0, 1, -2, 10980, 79661},
    {4, 0, -1, 0, 10675, -34782},
    {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},
    {2, 1, -1, 0, -7888, 24208},
    {2, 1, 0, 0, -6766, 30824},
    {1, 0, -1, 0, -5163, -8379},
    {1, 1, 0, 0, 4987, -16675},
    {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},
    {4, 0, 0, 0, 3861, -11650},
    {2, 0, -3, 0, 3665, 14403},
    {0, 1, -2, 0, -2689, -7003},
    {2, 0, -1, 2, -2602, 0},
    {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},
    {2, -2, 0, 0, 2236, -9884},
    {0, 1, 2, 0, -2120, 5751},
    {0, 2, 0, 0, -2069, 0},
    {2, -2, -1, 0, 2048, -4950},
    {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},
    {4, -1, -1, 0, 1215, -3958},
    {0, 0, 2, 2, -1110, 0},
    {3, 0, -1, 0, -892, 3258},
    {2, 1, 1, 0, -810, 2616},
    {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},
    {2, 2, -1, 0, -700, 2354},
    {2, 1, -2, 0, 691, 0},
    {2, -1, 0, -2, 596, 0},
    {4, 0, 1, 0, 549, -1423},
    {0, 0, 4, 0, 537, -1117},
    {4, -1, 0, 0, 520, -1571},
    {1, 0, -2, 0, -487, -1739},
    {2, 1, 0, -2, -399, 0},
    {0, 0, 2, -2, -381, -4421},
    {1, 1, 1, 0, 351, 0},
    {3, 0, -2, 0, -340, 0},
    {4, 0, -3, 0, 330, 0},
    {2, -1, 2, 0, 327, 0},
    {0, 2, 1, 0, -323, 1165},
    {1, 1, -1, 0, 299, 0},
    {2, 0, 3, 0, 294, 0},
    {2, 0, -1, -2, 0, 8752},
};

// Table 47.B: latitude in 1e-6 degree (of the sine).
struct TermB {
    int8_t d, m, mp, f;
    int32_t b;
};

constexpr TermB TableB[] = {
    {0, 0, 0, 1, 5128122}, {0, 0, 1, 1, 280602},  {0, 0, 1, -1, 277693}, {2, 0, 0, -1, 173237},
    {2, 0, -1, 1, 55413},  {2, 0, -1, -1, 46271}, {2, 0, 0, 1, 32573},   {0, 0, 2, 1, 17198},
    {2, 0, 1, -1, 9266},   {0, 0, 2, -1, 8822},   {2, -1, 0, -1, 8216},  {2, 0, -2, -1, 4324},
    {2, 0, 1, 1, 4200},    {2, 1, 0, -1, -3359},  {2, -1, -1, 1, 2463},  {2, -1, 0, 1, 2211},
    {2, -1, -1, -1, 2065}, {0, 1, -1, -1, -1870}, {4, 0, -1, -1, 1828},  {0, 1, 0, 1, -1794},
    {0, 0, 0, 3, -1749},   {0, 1, -1, 1, -1565},  {1, 0, 0, 1, -1491},   {0, 1, 1, 1, -1475},
    {0, 1, 1, -1, -1410},  {0, 1, 0, -1, -1344},  {1, 0, 0, -1, -1335},  {0, 0, 3, 1, 1107},
    {4, 0, 0, -1, 1021},   {4, 0, -1, 1, 833},    {0, 0, 1, -3, 777},    {4, 0, -2, 1, 671},
    {2, 0, 0, -3, 607},    {2, 0, 2, -1, 596},    {2, -1, 1, -1, 491},   {2, 0, -2, 1, -451},
    {0, 0, 3, -1, 439},    {2, 0, 2, 1, 422},     {2, 0, -3, -1, 421},   {2, 1, -1, 1, -366},
    {2, 1, 0, 1, -351},    {4, 0, 0, 1, 331},     {2, -1, 1, 1, 315},    {2, -2, 0, -1, 302},
    {0, 0, 1, 3, -283},    {2, 1, 1, -1, -229},   {1, 1, 0, -1, 223},    {1, 1, 0, 1, 223},
    {0, 1, -2, -1, -220},  {2, 1, -1, -1, -220},  {1, 0, 1, 1, -185},    {2, -1, -2, -1, 181},
    {0, 1, 2, 1, -177},    {4, 0, -2, -1, 176},   {4, -1, -1, -1, 166},  {1, 0, 1, -1, -164},
    {4, 0, 1, -1, 132},    {1, 0, -1, -1, -119},  {4, -1, 0, -1, 115},   {2, -2, 0, 1, 107},
};

struct Complex {
    double re, im;
};

Complex operator*(Complex a, Complex b)
{
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

Complex Unit(double degrees)
{
    const double x = Normalized(degrees) * Rad;
    return {std::cos(x), std::sin(x)};
}

// e^(ix) for a small angle, |x| up to 0.6 (error below 1e-11): turning a
// known unit vector by it is cheaper than a sine and a cosine.
Complex Turn(double x)
{
    const double q = x * x;
    constexpr double c2 = -1 / 2.0, c4 = 1 / 24.0, c6 = -1 / 720.0, c8 = 1 / 40320.0,
                     c10 = -1 / 3628800.0;
    constexpr double s3 = -1 / 6.0, s5 = 1 / 120.0, s7 = -1 / 5040.0, s9 = 1 / 362880.0,
                     s11 = -1 / 39916800.0;
    return {1 + q * (c2 + q * (c4 + q * (c6 + q * (c8 + q * c10)))),
            x * (1 + q * (s3 + q * (s5 + q * (s7 + q * (s9 + q * s11)))))};
}

// scale^|k| e^(ikx) for k = -N ... N.
template <int N> struct Multiples {
    Complex v[2 * N + 1];
    Multiples(const Complex &unit, double scale)
    {
        const Complex e{unit.re * scale, unit.im * scale};
        v[N] = {1, 0};
        for (int k = 1; k <= N; ++k) {
            v[N + k] = v[N + k - 1] * e;
            v[N - k] = {v[N + k].re, -v[N + k].im};
        }
    }
    const Complex &operator[](int k) const { return v[N + k]; }
};

// The arguments of the planetary terms that turn slowly against the fast
// ones: A1 (Venus), A2 - M' (Jupiter) and A3 - L'. They move at most 0.06
// degrees a day and weigh a few thousandths of a degree, so a day's search
// takes them once.
struct SlowArguments {
    Complex a1, a2LessMp, a3LessLp;

    explicit SlowArguments(double t)
        : a1(Unit(119.75 + 131.849 * t)), a2LessMp(Unit(-81.8733964 + 2065.4224945 * t)),
          a3LessLp(Unit(95.1335523 - 1.39723421 * t))
    {
    }
};

// Geometric ecliptic place, mean equinox of date: degrees and km.
struct Ecliptic {
    double longitude, latitude, distance;
};

// The Moon's mean longitude L', mean elongation D, the Sun's and the Moon's
// mean anomalies M and M', the argument of latitude F (degrees, not reduced)
// and the eccentricity factor E.
struct Arguments {
    double lp, d, m, mp, f, e;

    explicit Arguments(double t)
        : lp(218.3164477 +
             t * (481267.88123421 + t * (-0.0015786 + t * (1 / 538841.0 - t / 65194000)))),
          d(297.8501921 +
            t * (445267.1114034 + t * (-0.0018819 + t * (1 / 545868.0 - t / 113065000)))),
          m(357.5291092 + t * (35999.0502909 + t * (-0.0001536 + t / 24490000))),
          mp(134.9633964 +
             t * (477198.8675055 + t * (0.0087414 + t * (1 / 69699.0 - t / 14712000)))),
          f(93.2720950 +
            t * (483202.0175233 + t * (-0.0036539 + t * (-1 / 3526000.0 + t / 863310000)))),
          e(1 - t * (0.002516 + 0.0000074 * t))
    {
    }
};

// e^(i x) of each argument x.
struct Units {
    Complex lp, d, m, mp, f;

    explicit Units(const Arguments &a)
        : lp(Unit(a.lp)), d(Unit(a.d)), m(Unit(a.m)), mp(Unit(a.mp)), f(Unit(a.f))
    {
    }
    // Those of arguments a little away from the ones of `near`.
    Units(const Units &near, const Arguments &from, const Arguments &to)
        : lp(near.lp * Turn((to.lp - from.lp) * Rad)), d(near.d * Turn((to.d - from.d) * Rad)),
          m(near.m * Turn((to.m - from.m) * Rad)), mp(near.mp * Turn((to.mp - from.mp) * Rad)),
          f(near.f * Turn((to.f - from.f) * Rad))
    {
    }
};

// Each periodic term is the product of two precomputed factors, e^(i(dD + fF))
// and E^|m| e^(i(mM + m'M')), instead of a sine of its own.
Ecliptic Series(const Arguments &a, const Units &u, const SlowArguments &slow)
{
    const Multiples<4> pd(u.d, 1), pmp(u.mp, 1);
    const Multiples<2> pm(u.m, a.e);
    const Multiples<3> pf(u.f, 1);
    Complex df[5][7], mmp[5][9];
    for (int i = 0; i <= 4; ++i)
        for (int j = -3; j <= 3; ++j)
            df[i][j + 3] = pd[i] * pf[j];
    for (int i = -2; i <= 2; ++i)
        for (int j = -4; j <= 4; ++j)
            mmp[i + 2][j + 4] = pm[i] * pmp[j];
    const auto term = [&df, &mmp](int dk, int mk, int mpk, int fk) {
        return df[dk][fk + 3] * mmp[mk + 2][mpk + 4];
    };
    double sl = 0, sr = 0, sb = 0;
    for (const TermLR &k : TableLR) {
        const Complex z = term(k.d, k.m, k.mp, k.f);
        sl += k.l * z.im;
        sr += k.r * z.re;
    }
    for (const TermB &k : TableB)
        sb += k.b * term(k.d, k.m, k.mp, k.f).im;

    // Venus (A1), Jupiter (A2) and the Earth's flattening (L').
    const Complex a1 = slow.a1, fC{u.f.re, -u.f.im}, mpC{u.mp.re, -u.mp.im};
    sl += 3958 * a1.im + 1962 * (u.lp * fC).im + 318 * (slow.a2LessMp * u.mp).im;
    sb += -2235 * u.lp.im + 382 * (slow.a3LessLp * u.lp).im + 175 * (a1 * fC).im +
          175 * (a1 * u.f).im + 127 * (u.lp * mpC).im - 115 * (u.lp * u.mp).im;
    return {Normalized(a.lp) + sl / 1e6, sb / 1e6, 385000.56 + sr / 1000};
}

Ecliptic EclipticAt(double t)
{
    const Arguments a(t);
    return Series(a, Units(a), SlowArguments(t));
}

struct Vec {
    double x, y, z;
};

// Geocentric equatorial vector of date, km, with nutation in longitude.
Vec Equatorial(const Ecliptic &e, const Sky::TNutation &n)
{
    const double l = (e.longitude + n.Longitude) * Rad, b = e.latitude * Rad;
    const double eps = n.Obliquity * Rad;
    const double x = e.distance * std::cos(b) * std::cos(l);
    const double y = e.distance * std::cos(b) * std::sin(l);
    const double z = e.distance * std::sin(b);
    return {x, y * std::cos(eps) - z * std::sin(eps), y * std::sin(eps) + z * std::cos(eps)};
}

double TtOf(double jdUt)
{
    return jdUt + Sky::DeltaT(jdUt) / 86400;
}

// A place on the reference ellipsoid at sea level (Meeus chapter 11).
struct Place {
    double sinPhi, cosPhi; // geodetic latitude: the local vertical
    double rhoCos, rhoSin; // geocentric position, km
    double longitude;      // east, degrees

    Place(double latitude, double longitudeEast) : longitude(longitudeEast)
    {
        const double phi = latitude * Rad;
        sinPhi = std::sin(phi);
        cosPhi = std::cos(phi);
        // The reduced latitude u, tan u = (b / a) tan phi, through its cosine and sine.
        const double s = EarthAxisRatio * sinPhi;
        const double n = std::sqrt(cosPhi * cosPhi + s * s);
        rhoCos = EarthRadius * cosPhi / n;
        rhoSin = EarthRadius * EarthAxisRatio * s / n;
    }
};

// The Moon in the place's horizon frame: km up, east and north of the place.
struct Local {
    double up, east, north, range;
};

Local ToLocal(const Vec &m, const Place &p, double cosTheta, double sinTheta)
{
    const double x = m.x - p.rhoCos * cosTheta, y = m.y - p.rhoCos * sinTheta;
    const double z = m.z - p.rhoSin;
    const double out = cosTheta * x + sinTheta * y; // away from the Earth's axis
    Local l;
    l.up = p.cosPhi * out + p.sinPhi * z;
    l.east = -sinTheta * x + cosTheta * y;
    l.north = -p.sinPhi * out + p.cosPhi * z;
    l.range = std::sqrt(x * x + y * y + z * z);
    return l;
}

THorizontal HorizontalOf(const Local &l, bool refraction)
{
    THorizontal h;
    h.Altitude = std::asin(std::clamp(l.up / l.range, -1.0, 1.0)) * Deg;
    h.Azimuth = std::atan2(l.east, l.north) * Deg;
    if (h.Azimuth < 0)
        h.Azimuth += 360;
    if (refraction)
        h.Altitude += Sky::Refraction(h.Altitude);
    return h;
}

// Sine of the altitude of the upper limb's touching the horizon, negated:
// 34' of refraction plus the semi-diameter as seen from the place (on the
// horizon within 0.1" of the geocentric one), sin x taken as x - x^3 / 6.
double HorizonDip(double rangeKm)
{
    const double x = Sky::HorizonRefraction * Rad + MoonRadius / rangeKm;
    return x - x * x * x / 6;
}

// The geocentric vector over a stretch of at most 30 hours: a cubic Chebyshev
// fit through four evaluations of the series, within a quarter of a second of
// arc of them, so that a day's search costs four evaluations rather than one
// for every step.
class Track
{
public:
    static constexpr int Nodes = 4;

    Track(double from, double to, double deltaTDays, const Sky::TNutation &n)
        : mid_((from + to) / 2), half_((to - from) / 2)
    {
        double t[Nodes][Nodes]; // T_j(x_k)
        Vec f[Nodes];
        // The arguments at the nodes, turned from those of the middle.
        const double midT = SolarPosition::JulianCenturies(mid_ + deltaTDays);
        const SlowArguments slow(midT);
        const Arguments midArguments(midT);
        const Units midUnits(midArguments);
        for (int k = 0; k < Nodes; ++k) {
            const double x = std::cos(Pi * (k + 0.5) / Nodes);
            t[0][k] = 1;
            t[1][k] = x;
            for (int j = 2; j < Nodes; ++j)
                t[j][k] = 2 * x * t[j - 1][k] - t[j - 2][k];
            const Arguments a(SolarPosition::JulianCenturies(mid_ + half_ * x + deltaTDays));
            f[k] = Equatorial(Series(a, Units(midUnits, midArguments, a), slow), n);
        }
        for (int j = 0; j < Nodes; ++j) {
            Vec c{0, 0, 0};
            for (int k = 0; k < Nodes; ++k) {
                c.x += f[k].x * t[j][k];
                c.y += f[k].y * t[j][k];
                c.z += f[k].z * t[j][k];
            }
            const double w = (j == 0 ? 1.0 : 2.0) / Nodes;
            c_[j] = {c.x * w, c.y * w, c.z * w};
        }
    }

    Vec At(double jd) const
    {
        const double x = (jd - mid_) / half_;
        Vec b1{0, 0, 0}, b2{0, 0, 0};
        for (int j = Nodes - 1; j >= 1; --j) {
            const Vec b{2 * x * b1.x - b2.x + c_[j].x, 2 * x * b1.y - b2.y + c_[j].y,
                        2 * x * b1.z - b2.z + c_[j].z};
            b2 = b1;
            b1 = b;
        }
        return {x * b1.x - b2.x + c_[0].x, x * b1.y - b2.y + c_[0].y, x * b1.z - b2.z + c_[0].z};
    }

private:
    double mid_, half_;
    Vec c_[Nodes];
};

// What the search needs of one moment: the upper limb's height over the
// horizon (as the sine's excess, positive when up) and the Moon's distance
// east of the meridian plane (positive before the upper transit).
struct Probe {
    double up, east;
};

// Samples of a stretch, two hours or less apart, one more on each side, with
// the means to look between them.
class Search
{
public:
    static constexpr int MaxSteps = 14; // 26 hours

    Search(double from, double to, const Place &place)
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
    static Probe ProbeOf(const Local &l) { return {l.up / l.range + HorizonDip(l.range), l.east}; }

    Place place_;
    int steps_;
    double step_, deltaT_;
    Sky::TNutation nutation_;
    Track track_;
    double when_[MaxSteps + 3];
    Complex theta_[MaxSteps + 3];
    Probe probe_[MaxSteps + 3];
};

// A root of f between a and b (fa, fb of opposite signs): regula falsi with
// the Illinois halving, until f's value over the bracket's slope, the distance
// left when f is nearly straight, is below a millisecond.
template <class F> double Root(const F &f, double a, double fa, double b, double fb)
{
    int side = 0;
    double c = a;
    for (int i = 0; i < 60; ++i) {
        c = (a * fb - b * fa) / (fb - fa);
        const double fc = f(c);
        if (!(std::fabs(fc) * (b - a) > 1e-8 * std::fabs(fb - fa)))
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

class Collector
{
public:
    explicit Collector(TEvents &events) : events_(events) {}

    void Add(TEventKind kind, double jd, const Local &l)
    {
        // A root on the seam of two stretches may turn up in both.
        for (const TEvent &e : events_)
            if (e.Kind == kind && std::fabs(e.Jd - jd) < 1e-5)
                return;
        if (events_.Count == TEvents::Capacity) {
            overflow_ = true;
            return;
        }
        const THorizontal h = HorizontalOf(l, true);
        events_.Items[events_.Count++] = {kind, jd, h.Azimuth, h.Altitude};
    }

    bool Overflow() const { return overflow_; }

private:
    TEvents &events_;
    bool overflow_ = false;
};

// The events of [from, to): where the samples change sign, or, for a Moon that
// only grazes the horizon, about an extreme between three samples of one sign.
bool Scan(double from, double to, const Place &place, Collector &out, bool &upAtStart)
{
    const Search search(from, to, place);
    if (!std::isfinite(search.Sample(1).up))
        return false;
    upAtStart = search.Sample(1).up >= 0;

    for (int i = 0; i + 1 < search.Count(); ++i) {
        const auto up = [&search, i](double jd) { return search.At(jd, i).up; };
        const auto east = [&search, i](double jd) { return search.At(jd, i).east; };
        const auto add = [&](TEventKind kind, double jd) {
            if (jd >= from && jd < to)
                out.Add(kind, jd, search.LocalAt(jd, i));
        };
        const Probe &a = search.Sample(i), &b = search.Sample(i + 1);
        const double ta = search.When(i), tb = search.When(i + 1);
        if (i == 0)
            continue; // the extra samples only serve the look for extremes below
        if ((a.up < 0) != (b.up < 0) && ta < to)
            add(b.up >= 0 ? TEventKind::Rise : TEventKind::Set, Root(up, ta, a.up, tb, b.up));
        if (a.east > 0 && b.east <= 0 && ta < to)
            add(TEventKind::Transit, Root(east, ta, a.east, tb, b.east));
        // Three samples on one side with an extreme between them that turns
        // towards the horizon: a parabola tells whether it may come near it,
        // and only then is the extreme looked for.
        const Probe &z = search.Sample(i - 1);
        const double tz = search.When(i - 1);
        const bool above = a.up >= 0;
        if ((z.up >= 0) != above || (b.up >= 0) != above)
            continue;
        const double d1 = a.up - z.up, d2 = b.up - a.up;
        if (!(above ? d1 < 0 && d2 > 0 : d1 > 0 && d2 < 0))
            continue;
        const double vertex = a.up - (b.up - z.up) * (b.up - z.up) / (8 * (d2 - d1));
        if (std::fabs(vertex) > 1e-2 && (vertex >= 0) == above)
            continue;
        const double t = Extreme(up, tz, tb, above);
        const double ft = up(t);
        if ((ft >= 0) == above)
            continue;
        add(above ? TEventKind::Set : TEventKind::Rise, Root(up, tz, z.up, t, ft));
        add(above ? TEventKind::Rise : TEventKind::Set, Root(up, t, ft, tb, b.up));
    }
    return true;
}

} // namespace

TPosition PositionAt(double jdUt)
{
    const double jdTt = TtOf(jdUt);
    const Ecliptic e = EclipticAt(SolarPosition::JulianCenturies(jdTt));
    const Sky::TNutation n = Sky::NutationAt(jdTt);
    TPosition p;
    p.Longitude = Normalized(e.longitude + n.Longitude);
    p.Latitude = e.latitude;
    p.Distance = e.distance;
    const double l = p.Longitude * Rad, b = p.Latitude * Rad, eps = n.Obliquity * Rad;
    p.RightAscension = Normalized(
        std::atan2(std::sin(l) * std::cos(eps) - std::tan(b) * std::sin(eps), std::cos(l)) * Deg);
    p.Declination =
        std::asin(std::sin(b) * std::cos(eps) + std::cos(b) * std::sin(eps) * std::sin(l)) * Deg;
    return p;
}

THorizontal HorizontalAt(double jdUt, double latitude, double longitudeEast, bool refraction)
{
    const double jdTt = TtOf(jdUt);
    const Sky::TNutation n = Sky::NutationAt(jdTt);
    const Vec m = Equatorial(EclipticAt(SolarPosition::JulianCenturies(jdTt)), n);
    const double theta = (Sky::SiderealTime(jdUt, n) + longitudeEast) * Rad;
    return HorizontalOf(
        ToLocal(m, Place(latitude, longitudeEast), std::cos(theta), std::sin(theta)), refraction);
}

const TEvent *TEvents::First(TEventKind kind) const
{
    for (const TEvent &e : *this)
        if (e.Kind == kind)
            return &e;
    return nullptr;
}

bool TEvents::UpAllTheTime() const
{
    return Ok() && UpAtStart && !First(TEventKind::Rise) && !First(TEventKind::Set);
}

bool TEvents::DownAllTheTime() const
{
    return Ok() && !UpAtStart && !First(TEventKind::Rise) && !First(TEventKind::Set);
}

TEvents EventsBetween(double jdFrom, double jdTo, double latitude, double longitudeEast)
{
    TEvents r;
    if (!InRange(jdFrom) || !InRange(jdTo) || !(jdTo > jdFrom) || jdTo - jdFrom > MaxEventsSpan ||
        !(std::fabs(latitude) <= 90) || !std::isfinite(longitudeEast))
        return r;
    const Place place(latitude, longitudeEast);
    Collector out(r);
    // Stretches of at most 26 hours, so that any clock's day is one.
    const int pieces = static_cast<int>(std::ceil((jdTo - jdFrom) * 24 / 26));
    for (int i = 0; i < pieces; ++i) {
        const double a = jdFrom + (jdTo - jdFrom) * i / pieces;
        const double b = i + 1 == pieces ? jdTo : jdFrom + (jdTo - jdFrom) * (i + 1) / pieces;
        bool up = false;
        if (!Scan(a, b, place, out, up)) {
            r.Count = 0;
            return r;
        }
        if (i == 0)
            r.UpAtStart = up;
    }
    if (out.Overflow()) {
        r.Count = 0;
        return r;
    }
    std::sort(r.Items, r.Items + r.Count,
              [](const TEvent &a, const TEvent &b) { return a.Jd < b.Jd; });
    r.Status = TStatus::Ok;
    return r;
}

TLight LightAt(double jdUt)
{
    TLight r;
    if (!InRange(jdUt))
        return r;
    const double jdTt = TtOf(jdUt);
    const double t = SolarPosition::JulianCenturies(jdTt);
    const Ecliptic moon = EclipticAt(t);
    const SolarPosition::Elements sun = SolarPosition::ElementsAt(t);
    // Both apparent; the Sun's longitude carries its own nutation and aberration.
    const double elongation =
        (moon.longitude + Sky::NutationAt(jdTt).Longitude - SolarPosition::ApparentLongitude(sun)) *
        Rad;
    const double m = sun.m * Rad;
    const double sunKm = AuKm * (1.00014 - 0.01671 * std::cos(m) - 0.00014 * std::cos(2 * m));
    const double cosPsi = std::cos(moon.latitude * Rad) * std::cos(elongation);
    const double sinPsi = std::sqrt(std::max(0.0, 1 - cosPsi * cosPsi));
    const double i = std::atan2(sunKm * sinPsi, moon.distance - sunKm * cosPsi);
    r.Fraction = (1 + std::cos(i)) / 2;
    r.PhaseAngle = i * Deg;
    r.Waxing = std::sin(elongation) > 0;
    r.Status = TStatus::Ok;
    return r;
}

namespace
{

constexpr double MeanLunation = 29.530588861;
constexpr double FirstNewMoon = 2451550.09766; // of the lunation count k = 0, JDE

// Periodic terms of Meeus chapter 49: E to the power e, sine of
// mp M' + m M + f F, in days.
struct PhaseTerm {
    double c;
    int8_t e, mp, m, f;
};

// New Moon; the full Moon differs in the first seven coefficients only.
constexpr PhaseTerm NewMoonTerms[] = {
    {-0.40720, 0, 1, 0, 0},   {0.17241, 1, 0, 1, 0},   {0.01608, 0, 2, 0, 0},
    {0.01039, 0, 0, 0, 2},    {0.00739, 1, 1, -1, 0},  {-0.00514, 1, 1, 1, 0},
    {0.00208, 2, 0, 2, 0},    {-0.00111, 0, 1, 0, -2}, {-0.00057, 0, 1, 0, 2},
    {0.00056, 1, 2, 1, 0},    {-0.00042, 0, 3, 0, 0},  {0.00042, 1, 0, 1, 2},
    {0.00038, 1, 0, 1, -2},   {-0.00024, 1, 2, -1, 0}, {-0.00007, 0, 1, 2, 0},
    {0.00004, 0, 2, 0, -2},   {0.00004, 0, 0, 3, 0},   {0.00003, 0, 1, 1, -2},
    {0.00003, 0, 2, 0, 2},    {-0.00003, 0, 1, 1, 2},  {0.00003, 0, 1, -1, 2},
    {-0.00002, 0, 1, -1, -2}, {-0.00002, 0, 3, 1, 0},  {0.00002, 0, 4, 0, 0},
};
constexpr double FullMoonFirst[] = {-0.40614, 0.17302,  0.01614, 0.01043,
                                    0.00734,  -0.00515, 0.00209};

constexpr PhaseTerm QuarterTerms[] = {
    {-0.62801, 0, 1, 0, 0},   {0.17172, 1, 0, 1, 0},   {-0.01183, 1, 1, 1, 0},
    {0.00862, 0, 2, 0, 0},    {0.00804, 0, 0, 0, 2},   {0.00454, 1, 1, -1, 0},
    {0.00204, 2, 0, 2, 0},    {-0.00180, 0, 1, 0, -2}, {-0.00070, 0, 1, 0, 2},
    {-0.00040, 0, 3, 0, 0},   {-0.00034, 1, 2, -1, 0}, {0.00032, 1, 0, 1, 2},
    {0.00032, 1, 0, 1, -2},   {-0.00028, 2, 1, 2, 0},  {0.00027, 1, 2, 1, 0},
    {-0.00005, 0, 1, -1, -2}, {0.00004, 0, 2, 0, 2},   {-0.00004, 0, 1, 1, 2},
    {0.00004, 0, 1, -2, 0},   {0.00003, 0, 1, 1, -2},  {0.00003, 0, 0, 3, 0},
    {0.00002, 0, 2, 0, -2},   {0.00002, 0, 1, -1, 2},  {-0.00002, 0, 3, 1, 0},
};

// The planetary arguments A1 ... A14: degrees at k = 0, degrees per
// lunation, coefficient in days.
constexpr double Planetary[14][3] = {
    {299.77, 0.107408, 0.000325},  {251.88, 0.016321, 0.000165}, {251.83, 26.651886, 0.000164},
    {349.42, 36.412478, 0.000126}, {84.66, 18.206239, 0.000110}, {141.74, 53.303771, 0.000062},
    {207.14, 2.453732, 0.000060},  {154.84, 7.306860, 0.000056}, {34.52, 27.261239, 0.000047},
    {207.19, 0.121824, 0.000042},  {291.34, 1.844379, 0.000040}, {161.72, 24.198154, 0.000037},
    {239.56, 25.513099, 0.000035}, {331.55, 3.592518, 0.000023},
};

TPhase PhaseOfQuarter(long long q)
{
    return static_cast<TPhase>(((q % 4) + 4) % 4);
}

// The moment, JD in UT, of the q-th principal phase counted in quarters from
// the new Moon of 2000 January 6 (Meeus's k = q / 4).
double QuarterJd(long long q)
{
    const double k = q / 4.0;
    const double t = k / 1236.85;
    const double t2 = t * t;
    double jde = FirstNewMoon + MeanLunation * k +
                 t2 * (0.00015437 + t * (-0.000000150 + t * 0.00000000073));
    const double e = 1 - t * (0.002516 + 0.0000074 * t);
    const double m = (2.5534 + 29.10535670 * k + t2 * (-0.0000014 - 0.00000011 * t)) * Rad;
    const double mp =
        (201.5643 + 385.81693528 * k + t2 * (0.0107582 + t * (0.00001238 - 0.000000058 * t))) * Rad;
    const double f =
        (160.7108 + 390.67050284 * k + t2 * (-0.0016118 + t * (-0.00000227 + 0.000000011 * t))) *
        Rad;
    const double omega = (124.7746 - 1.56375588 * k + t2 * (0.0020672 + 0.00000215 * t)) * Rad;

    const TPhase phase = PhaseOfQuarter(q);
    const bool quarter = phase == TPhase::FirstQuarter || phase == TPhase::LastQuarter;
    int index = 0;
    for (const PhaseTerm &p : quarter ? QuarterTerms : NewMoonTerms) {
        double c = p.c;
        if (phase == TPhase::Full && index < 7)
            c = FullMoonFirst[index];
        ++index;
        jde += c * (p.e == 2 ? e * e : p.e == 1 ? e : 1) * std::sin(p.mp * mp + p.m * m + p.f * f);
    }
    jde -= 0.00017 * std::sin(omega);
    if (quarter) {
        const double w = 0.00306 - 0.00038 * e * std::cos(m) + 0.00026 * std::cos(mp) -
                         0.00002 * std::cos(mp - m) + 0.00002 * std::cos(mp + m) +
                         0.00002 * std::cos(2 * f);
        jde += phase == TPhase::FirstQuarter ? w : -w;
    }
    for (int i = 0; i < 14; ++i) {
        const double a = Planetary[i][0] + Planetary[i][1] * k - (i == 0 ? 0.009173 * t2 : 0);
        jde += Planetary[i][2] * std::sin(Normalized(a) * Rad);
    }
    return jde - Sky::DeltaT(jde) / 86400;
}

// The last principal phase at or before a moment. The true phases lie within
// a day of the mean ones, so the count starts two quarters early.
long long QuarterAtOrBefore(double jdUt)
{
    long long q =
        static_cast<long long>(std::floor((jdUt - FirstNewMoon) / (MeanLunation / 4))) - 2;
    while (QuarterJd(q + 1) <= jdUt)
        ++q;
    return q;
}

} // namespace

TPhases PhasesBetween(double jdFrom, double jdTo)
{
    TPhases r;
    if (!InRange(jdFrom) || !InRange(jdTo) || !(jdTo >= jdFrom) || jdTo - jdFrom > MaxPhasesSpan)
        return r;
    for (long long q = QuarterAtOrBefore(jdFrom);; ++q) {
        const double jd = QuarterJd(q);
        if (jd >= jdTo)
            break;
        if (jd < jdFrom)
            continue;
        if (r.Count == TPhases::Capacity) { // cannot happen within MaxPhasesSpan
            r.Count = 0;
            return r;
        }
        r.Items[r.Count++] = {TStatus::Ok, PhaseOfQuarter(q), jd};
    }
    r.Status = TStatus::Ok;
    return r;
}

TPhaseTime NextPhase(double jdUt, TPhase phase)
{
    TPhaseTime r;
    if (!InRange(jdUt))
        return r;
    long long q = QuarterAtOrBefore(jdUt);
    if (QuarterJd(q) < jdUt)
        ++q;
    while (PhaseOfQuarter(q) != phase)
        ++q;
    return {TStatus::Ok, phase, QuarterJd(q)};
}

std::optional<TPhaseName> PhaseNameAt(double jdUt)
{
    if (!InRange(jdUt))
        return std::nullopt;
    const long long q = QuarterAtOrBefore(jdUt);
    const auto principal = [](long long quarter) {
        return static_cast<TPhaseName>(2 * static_cast<int>(PhaseOfQuarter(quarter)));
    };
    if (jdUt - QuarterJd(q) <= 0.5)
        return principal(q);
    if (QuarterJd(q + 1) - jdUt <= 0.5)
        return principal(q + 1);
    return static_cast<TPhaseName>(2 * static_cast<int>(PhaseOfQuarter(q)) + 1);
}

} // namespace Moon
