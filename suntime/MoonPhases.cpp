// The Moon's principal phases after Meeus, Astronomical Algorithms (2nd ed.),
// chapter 49, and the name of the phase at any moment.
#include "suntime/Moon.h"

#include "suntime/MoonSeries.h"

namespace Moon
{

using namespace Detail;

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

TEventKind PhaseOfQuarter(long long q)
{
    return static_cast<TEventKind>(static_cast<int>(TEventKind::NewMoon) + ((q % 4) + 4) % 4);
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

    const TEventKind phase = PhaseOfQuarter(q);
    const bool quarter = phase == TEventKind::FirstQuarter || phase == TEventKind::LastQuarter;
    int index = 0;
    for (const PhaseTerm &p : quarter ? QuarterTerms : NewMoonTerms) {
        double c = p.c;
        if (phase == TEventKind::FullMoon && index < 7)
            c = FullMoonFirst[index];
        ++index;
        jde += c * (p.e == 2 ? e * e : p.e == 1 ? e : 1) * std::sin(p.mp * mp + p.m * m + p.f * f);
    }
    jde -= 0.00017 * std::sin(omega);
    if (quarter) {
        const double w = 0.00306 - 0.00038 * e * std::cos(m) + 0.00026 * std::cos(mp) -
                         0.00002 * std::cos(mp - m) + 0.00002 * std::cos(mp + m) +
                         0.00002 * std::cos(2 * f);
        jde += phase == TEventKind::FirstQuarter ? w : -w;
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

int QuarterIndex(long long q)
{
    return static_cast<int>(((q % 4) + 4) % 4);
}

TEvent PhaseEvent(long long q)
{
    TEvent e;
    e.Kind = PhaseOfQuarter(q);
    e.Status = TEventStatus::Occurs;
    e.Time = TInstant::FromJd(QuarterJd(q));
    return e;
}

} // namespace

std::optional<std::vector<TEvent>> PhasesBetween(TInstant from, TInstant to)
{
    const double jdFrom = from.Jd(), jdTo = to.Jd();
    if (!InRange(jdFrom) || !InRange(jdTo) || !(jdTo >= jdFrom) || jdTo - jdFrom > MaxPhasesSpan)
        return std::nullopt;
    std::vector<TEvent> phases;
    for (long long q = QuarterAtOrBefore(jdFrom);; ++q) {
        const double jd = QuarterJd(q);
        if (jd >= jdTo)
            break;
        if (jd >= jdFrom)
            phases.push_back(PhaseEvent(q));
    }
    return phases;
}

std::optional<TEvent> NextPhase(TInstant from, TEventKind phase)
{
    const double jdUt = from.Jd();
    if (!InRange(jdUt) || !IsPrincipalPhase(phase))
        return std::nullopt;
    long long q = QuarterAtOrBefore(jdUt);
    if (QuarterJd(q) < jdUt)
        ++q;
    while (PhaseOfQuarter(q) != phase)
        ++q;
    return PhaseEvent(q);
}

std::optional<TPhaseName> PhaseNameAt(TInstant moment)
{
    const double jdUt = moment.Jd();
    if (!InRange(jdUt))
        return std::nullopt;
    const long long q = QuarterAtOrBefore(jdUt);
    const auto principal = [](long long quarter) {
        return static_cast<TPhaseName>(2 * QuarterIndex(quarter));
    };
    if (jdUt - QuarterJd(q) <= 0.5)
        return principal(q);
    if (QuarterJd(q + 1) - jdUt <= 0.5)
        return principal(q + 1);
    return static_cast<TPhaseName>(2 * QuarterIndex(q) + 1);
}

bool IsPrincipalPhase(TEventKind kind)
{
    return kind == TEventKind::NewMoon || kind == TEventKind::FirstQuarter ||
           kind == TEventKind::FullMoon || kind == TEventKind::LastQuarter;
}

} // namespace Moon
