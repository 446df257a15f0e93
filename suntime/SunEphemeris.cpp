// The Sun's apparent place after Meeus, Astronomical Algorithms (2nd ed.),
// chapter 25 "higher accuracy": the Earth's heliocentric place from the
// truncated VSOP87 series of Appendix III, turned to the geocentric Sun,
// FK5, nutation and aberration.
#include "suntime/SunEphemeris.h"

#include "suntime/Constants.h"
#include "suntime/SkyPosition.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace SunEphemeris
{

namespace
{

using Astro::Deg;
using Astro::Rad;

// A periodic term: amplitude (1e-8 rad or AU), phase (rad), rate (rad per
// Julian millennium).
struct TTerm {
    double A, B, C;
};

constexpr TTerm L0[] = {
    {175347046, 0, 0},
    {3341656, 4.6692568, 6283.0758500},
    {34894, 4.62610, 12566.15170},
    {3497, 2.7441, 5753.3849},
    {3418, 2.8289, 3.5231},
    {3136, 3.6277, 77713.7715},
    {2676, 4.4181, 7860.4194},
    {2343, 6.1352, 3930.2097},
    {1324, 0.7425, 11506.7698},
    {1273, 2.0371, 529.6910},
    {1199, 1.1096, 1577.3435},
    {990, 5.233, 5884.927},
    {902, 2.045, 26.298},
    {857, 3.508, 398.149},
    {780, 1.179, 5223.694},
    {753, 2.533, 5507.553},
    {505, 4.583, 18849.228},
    {492, 4.205, 775.523},
    {357, 2.920, 0.067},
    {317, 5.849, 11790.629},
    {284, 1.899, 796.298},
    {271, 0.315, 10977.079},
    {243, 0.345, 5486.778},
    {206, 4.806, 2544.314},
    {205, 1.869, 5573.143},
    {202, 2.458, 6069.777},
    {156, 0.833, 213.299},
    {132, 3.411, 2942.463},
    {126, 1.083, 20.775},
    {115, 0.645, 0.980},
    {103, 0.636, 4694.003},
    {102, 0.976, 15720.839},
    {102, 4.267, 7.114},
    {99, 6.21, 2146.17},
    {98, 0.68, 155.42},
    {86, 5.98, 161000.69},
    {85, 1.30, 6275.96},
    {85, 3.67, 71430.70},
    {80, 1.81, 17260.15},
    {79, 3.04, 12036.46},
    {75, 1.76, 5088.63},
    {74, 3.50, 3154.69},
    {74, 4.68, 801.82},
    {70, 0.83, 9437.76},
    {62, 3.98, 8827.39},
    {61, 1.82, 7084.90},
    {57, 2.78, 6286.60},
    {56, 4.39, 14143.50},
    {56, 3.47, 6279.55},
    {52, 0.19, 12139.55},
    {52, 1.33, 1748.02},
    {51, 0.28, 5856.48},
    {49, 0.49, 1194.45},
    {41, 5.37, 8429.24},
    {41, 2.40, 19651.05},
    {39, 6.17, 10447.39},
    {37, 6.04, 10213.29},
    {37, 2.57, 1059.38},
    {36, 1.71, 2352.87},
    {36, 1.78, 6812.77},
    {33, 0.59, 17789.85},
    {30, 0.44, 83996.85},
    {30, 2.74, 1349.87},
    {25, 3.16, 4690.48},
};

constexpr TTerm L1[] = {
    {628331966747, 0, 0},       {206059, 2.678235, 6283.075850},
    {4303, 2.6351, 12566.1517}, {425, 1.590, 3.523},
    {119, 5.796, 26.298},       {109, 2.966, 1577.344},
    {93, 2.59, 18849.23},       {72, 1.14, 529.69},
    {68, 1.87, 398.15},         {67, 4.41, 5507.55},
    {59, 2.89, 5223.69},        {56, 2.17, 155.42},
    {45, 0.40, 796.30},         {36, 0.47, 775.52},
    {29, 2.65, 7.11},           {21, 5.34, 0.98},
    {19, 1.85, 5486.78},        {19, 4.97, 213.30},
    {17, 2.99, 6275.96},        {16, 0.03, 2544.31},
    {16, 1.43, 2146.17},        {15, 1.21, 10977.08},
    {12, 2.83, 1748.02},        {12, 3.26, 5088.63},
    {12, 5.27, 1194.45},        {12, 2.08, 4694.00},
    {11, 0.77, 553.57},         {10, 1.30, 6286.60},
    {10, 4.24, 1349.87},        {9, 2.70, 242.73},
    {9, 5.64, 951.72},          {8, 5.30, 2352.87},
    {6, 2.65, 9437.76},         {6, 4.67, 4690.48},
};

constexpr TTerm L2[] = {
    {52919, 0, 0},     {8720, 1.0721, 6283.0758}, {309, 0.867, 12566.152}, {27, 0.05, 3.52},
    {16, 5.19, 26.30}, {16, 3.68, 155.42},        {10, 0.76, 18849.23},    {9, 2.06, 77713.77},
    {7, 0.83, 775.52}, {5, 4.66, 1577.34},        {4, 1.03, 7.11},         {4, 3.44, 5573.14},
    {3, 5.14, 796.30}, {3, 6.05, 5507.55},        {3, 1.19, 242.73},       {3, 6.12, 529.69},
    {3, 0.31, 398.15}, {3, 2.28, 553.57},         {2, 4.38, 5223.69},      {2, 3.75, 0.98},
};

constexpr TTerm L3[] = {
    {289, 5.844, 6283.076}, {35, 0, 0},          {17, 5.49, 12566.15}, {3, 5.20, 155.42},
    {1, 4.72, 3.52},        {1, 5.30, 18849.23}, {1, 5.97, 242.73},
};

constexpr TTerm L4[] = {{114, 3.142, 0}, {8, 4.13, 6283.08}, {1, 3.84, 12566.15}};

constexpr TTerm L5[] = {{1, 3.14, 0}};

constexpr TTerm B0[] = {
    {280, 3.199, 84334.662}, {102, 5.422, 5507.553}, {80, 3.88, 5223.69},
    {44, 3.70, 2352.87},     {32, 4.00, 1577.34},
};

constexpr TTerm B1[] = {{9, 3.90, 5507.55}, {6, 1.73, 5223.69}};

constexpr TTerm R0[] = {
    {100013989, 0, 0},
    {1670700, 3.0984635, 6283.0758500},
    {13956, 3.05525, 12566.15170},
    {3084, 5.1985, 77713.7715},
    {1628, 1.1739, 5753.3849},
    {1576, 2.8469, 7860.4194},
    {925, 5.453, 11506.770},
    {542, 4.564, 3930.210},
    {472, 3.661, 5884.927},
    {346, 0.964, 5507.553},
    {329, 5.900, 5223.694},
    {307, 0.299, 5573.143},
    {243, 4.273, 11790.629},
    {212, 5.847, 1577.344},
    {186, 5.022, 10977.079},
    {175, 3.012, 18849.228},
    {110, 5.055, 5486.778},
    {98, 0.89, 6069.78},
    {86, 5.69, 15720.84},
    {86, 1.27, 161000.69},
    {65, 0.27, 17260.15},
    {63, 0.92, 529.69},
    {57, 2.01, 83996.85},
    {56, 5.24, 71430.70},
    {49, 3.25, 2544.31},
    {47, 2.58, 775.52},
    {45, 5.54, 9437.76},
    {43, 6.01, 6275.96},
    {39, 5.36, 4694.00},
    {38, 2.39, 8827.39},
    {37, 0.83, 19651.05},
    {37, 4.90, 12139.55},
    {36, 1.67, 12036.46},
    {35, 1.84, 2942.46},
    {33, 0.24, 7084.90},
    {32, 0.18, 5088.63},
    {32, 1.78, 398.15},
    {28, 1.21, 6286.60},
    {28, 1.90, 6279.55},
    {26, 4.59, 10447.39},
};

constexpr TTerm R1[] = {
    {103019, 1.107490, 6283.075850},
    {1721, 1.0644, 12566.1517},
    {702, 3.142, 0},
    {32, 1.02, 18849.23},
    {31, 2.84, 5507.55},
    {25, 1.32, 5223.69},
    {18, 1.42, 1577.34},
    {10, 5.91, 10977.08},
    {9, 1.42, 6275.96},
    {9, 0.27, 5486.78},
};

constexpr TTerm R2[] = {{4359, 5.7846, 6283.0758}, {124, 5.579, 12566.152}, {12, 3.14, 0},
                        {9, 3.63, 77713.77},       {6, 1.87, 5573.14},      {3, 5.47, 18849.23}};

constexpr TTerm R3[] = {{145, 4.273, 6283.076}, {7, 3.92, 12566.15}};

constexpr TTerm R4[] = {{4, 2.56, 6283.08}};

template <size_t N> double Sum(const TTerm (&terms)[N], double tau)
{
    double s = 0;
    for (const TTerm &t : terms)
        s += t.A * std::cos(t.B + t.C * tau);
    return s;
}

// A polynomial in tau of the series' sums, in 1e-8 units.
double Series(double tau, std::initializer_list<double> sums)
{
    double r = 0;
    for (auto i = sums.end(); i != sums.begin();)
        r = r * tau + *--i;
    return r * 1e-8;
}

double Normalized(double degrees)
{
    const double r = std::fmod(degrees, 360.0);
    return r < 0 ? r + 360 : r;
}

} // namespace

TEquatorial ApparentAt(TInstant moment)
{
    const double jdTt = moment.JdTt();
    const double tau = (jdTt - Astro::JdJ2000) / 365250; // Julian millennia of TT
    const double l = Series(tau, {Sum(L0, tau), Sum(L1, tau), Sum(L2, tau), Sum(L3, tau),
                                  Sum(L4, tau), Sum(L5, tau)}) *
                     Deg;
    const double b = Series(tau, {Sum(B0, tau), Sum(B1, tau)}) * Deg;
    const double r =
        Series(tau, {Sum(R0, tau), Sum(R1, tau), Sum(R2, tau), Sum(R3, tau), Sum(R4, tau)});
    // The geocentric Sun, to FK5 (Meeus 25.9), then nutation and aberration.
    const double t = tau * 10;
    double theta = Normalized(l + 180);
    double beta = -b;
    const double lambdaPrime = (theta - 1.397 * t - 0.00031 * t * t) * Rad;
    theta += -0.09033 / 3600;
    beta += 0.03916 / 3600 * (std::cos(lambdaPrime) - std::sin(lambdaPrime));
    const Sky::TNutation n = Sky::NutationAt(jdTt);
    const double lambda = (theta + n.Longitude - 20.4898 / 3600 / r) * Rad;
    const double eps = n.Obliquity * Rad;
    beta *= Rad;
    TEquatorial e;
    e.RightAscension =
        Normalized(std::atan2(std::sin(lambda) * std::cos(eps) - std::tan(beta) * std::sin(eps),
                              std::cos(lambda)) *
                   Deg);
    e.Declination = std::asin(std::sin(beta) * std::cos(eps) +
                              std::cos(beta) * std::sin(eps) * std::sin(lambda)) *
                    Deg;
    e.Distance = r;
    return e;
}

namespace
{

// The horizontal place of an apparent equatorial one at a moment: the
// hour angle from the apparent sidereal time, and the Sun's parallax.
THorizontal Horizontal(const TEquatorial &e, double jdUt, const TObserver &observer)
{
    const double jdTt = jdUt + Sky::DeltaT(jdUt) / Astro::SecondsPerDay;
    const double theta = Sky::SiderealTime(jdUt, Sky::NutationAt(jdTt));
    const double h = (theta + observer.Longitude - e.RightAscension) * Rad;
    const double phi = observer.Latitude * Rad, delta = e.Declination * Rad;
    const double sinAlt =
        std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(h);
    THorizontal r;
    const double altitude = std::asin(std::clamp(sinAlt, -1.0, 1.0)) * Deg;
    // The Sun's horizontal parallax, 8.794" at one astronomical unit.
    r.Altitude = altitude - 8.794 / 3600 / e.Distance * std::cos(altitude * Rad);
    r.Azimuth = Normalized(
        std::atan2(std::sin(h), std::cos(h) * std::sin(phi) - std::tan(delta) * std::cos(phi)) *
            Deg +
        180);
    return r;
}

} // namespace

THorizontal HorizontalAt(TInstant moment, const TObserver &observer)
{
    return Horizontal(ApparentAt(moment), moment.Jd(), observer);
}

TSunPath::TSunPath(TInstant from, TInstant to)
{
    FFirstJd = from.Jd() - 2 * Spacing;
    const int count = std::max(4, int(std::ceil((to.Jd() + 2 * Spacing - FFirstJd) / Spacing)) + 1);
    FNodes.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        TEquatorial e = ApparentAt(TInstant::FromJd(FFirstJd + i * Spacing));
        if (i > 0)
            e.RightAscension +=
                360 * std::round((FNodes.back().RightAscension - e.RightAscension) / 360);
        FNodes.push_back(e);
    }
}

TEquatorial TSunPath::At(double jdUt) const
{
    const double x = (jdUt - FFirstJd) / Spacing;
    // The four nodes around the moment, two on each side.
    const int k = std::clamp(int(std::floor(x)), 1, int(FNodes.size()) - 3);
    const double u = x - k; // 0 ... 1 between nodes k and k + 1
    const double w[4] = {-u * (u - 1) * (u - 2) / 6, (u + 1) * (u - 1) * (u - 2) / 2,
                         -(u + 1) * u * (u - 2) / 2, (u + 1) * u * (u - 1) / 6};
    TEquatorial e;
    e.RightAscension = e.Declination = e.Distance = 0;
    for (int j = 0; j < 4; ++j) {
        const TEquatorial &n = FNodes[size_t(k - 1 + j)];
        e.RightAscension += w[j] * n.RightAscension;
        e.Declination += w[j] * n.Declination;
        e.Distance += w[j] * n.Distance;
    }
    return e;
}

TSunDayTrack::TSunDayTrack(const TSunPath &path, const TObserver &observer, TInstant from,
                           TInstant to)
    : FFromJd(from.Jd()), FHalf((to - from) / 2), FSinPhi(std::sin(observer.Latitude * Rad)),
      FCosPhi(std::cos(observer.Latitude * Rad))
{
    const double mid = FFromJd + FHalf;
    const double jdTt = mid + Sky::DeltaT(mid) / Astro::SecondsPerDay;
    FTheta0 = Sky::SiderealTime(FFromJd, Sky::NutationAt(jdTt)) + observer.Longitude;
    for (int i = 0; i < 3; ++i) {
        const TEquatorial e = path.At(FFromJd + i * FHalf);
        FRa[i] = e.RightAscension;
        FSinDelta[i] = std::sin(e.Declination * Rad);
        FCosDelta[i] = std::cos(e.Declination * Rad);
        if (i == 1)
            FParallax = 8.794 / 3600 / e.Distance * Rad;
    }
}

TSunDayTrack::TPlace TSunDayTrack::At(double jdUt) const
{
    // A parabola through the start, middle and end of the date.
    const double u = FHalf > 0 ? (jdUt - FFromJd) / FHalf - 1 : 0;
    const double w0 = u * (u - 1) / 2, w1 = 1 - u * u, w2 = u * (u + 1) / 2;
    const double ra = w0 * FRa[0] + w1 * FRa[1] + w2 * FRa[2];
    const double sinDelta = w0 * FSinDelta[0] + w1 * FSinDelta[1] + w2 * FSinDelta[2];
    const double cosDelta = w0 * FCosDelta[0] + w1 * FCosDelta[1] + w2 * FCosDelta[2];
    const double h = (FTheta0 + 360.98564736629 * (jdUt - FFromJd) - ra) * Rad;
    const double sinH = std::sin(h), cosH = std::cos(h);
    TPlace p;
    const double geocentric = FSinPhi * sinDelta + FCosPhi * cosDelta * cosH;
    // The parallax lowers the Sun by p cos(altitude): sin(a - p cos a).
    const double cosAlt = std::sqrt(std::max(0.0, 1 - geocentric * geocentric));
    p.SinAltitude = geocentric - FParallax * cosAlt * cosAlt;
    p.East = -cosDelta * sinH;
    p.North = sinDelta * FCosPhi - cosDelta * cosH * FSinPhi;
    // The Earth's turn alone moves the Sun at this pace; the declination's
    // change is slower by far.
    p.Rate = -FCosPhi * cosDelta * sinH * 360.98564736629 * Rad;
    return p;
}

THorizontal TSunDayTrack::Horizontal(const TPlace &p)
{
    THorizontal h;
    h.Altitude = std::asin(std::clamp(p.SinAltitude, -1.0, 1.0)) * Deg;
    h.Azimuth = Normalized(std::atan2(p.East, p.North) * Deg);
    return h;
}

double SemiDiameter(TInstant moment)
{
    // The distance from the Earth's mean anomaly (two terms of the equation
    // of the centre's radius), good to 1e-5 AU; 959.63" at 1 AU.
    const double m = (357.5291 + 0.98560028 * moment.Ut()) * Astro::Rad;
    const double r = 1.000140 - 0.016708 * std::cos(m) - 0.000141 * std::cos(2 * m);
    return 959.63 / 3600 / r;
}

} // namespace SunEphemeris
