// The Moon's place after Meeus, Astronomical Algorithms (2nd ed.), chapter 47,
// seen from a place, and its light (chapter 48).
#include "suntime/Moon.h"

#include "suntime/MoonSeries.h"
#include "suntime/SolarPosition.h"

#include <cstdint>

namespace Moon
{

namespace Detail
{

namespace
{

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

} // namespace

Ecliptic EclipticAt(double t)
{
    const Arguments a(t);
    return Series(a, Units(a), SlowArguments(t));
}

Track::Track(double from, double to, double deltaTDays, const Sky::TNutation &n)
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

} // namespace Detail

using namespace Detail;

TPosition PositionAt(TInstant moment)
{
    const double jdTt = TtOf(moment.Jd());
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

THorizontal HorizontalAt(TInstant moment, const TObserver &observer, bool refraction)
{
    const double jdUt = moment.Jd();
    const double latitude = observer.Latitude;
    const double longitudeEast = observer.Longitude;
    const double jdTt = TtOf(jdUt);
    const Sky::TNutation n = Sky::NutationAt(jdTt);
    const Vec m = Equatorial(EclipticAt(SolarPosition::JulianCenturies(jdTt)), n);
    const double theta = (Sky::SiderealTime(jdUt, n) + longitudeEast) * Rad;
    return HorizontalOf(
        ToLocal(m, Place(latitude, longitudeEast), std::cos(theta), std::sin(theta)), refraction);
}

std::optional<TLight> LightAt(TInstant moment)
{
    const double jdUt = moment.Jd();
    if (!InRange(jdUt))
        return std::nullopt;
    TLight r;
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
    return r;
}

} // namespace Moon
