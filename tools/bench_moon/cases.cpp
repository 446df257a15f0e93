// Reads one question a line and prints one answer line for each:
//   E jdFrom jdTo latitude longitudeEast  ->  up|down|failed, then "R|S|T jd azimuth altitude"
//   S oleDay latitude longitudeEast       ->  the calculator's sunrise and sunset on a UTC
//                                             clock as "jd azimuth" each, or "- -"
//   L jd                                  ->  fraction phaseAngle waxing(0/1)
//   P jdFrom jdTo                         ->  "phase jd" for each principal phase (0 new ... 3)
//   H jd latitude longitudeEast           ->  the Moon's airless topocentric altitude, azimuth
#include "suntime/Moon.h"
#include "suntime/SunEvents.h"

#include <cstdio>

namespace
{

void Sun(const TCrossing &c, double latitude, double longitudeEast)
{
    if (!c.Occurs()) {
        std::printf(" - -");
        return;
    }
    const double jd = c.Time + Sky::OleEpoch;
    std::printf(" %.9f %.6f", jd, Sky::SunHorizontal(jd, latitude, longitudeEast, false).Azimuth);
}

} // namespace

int main()
{
    char kind = 0;
    while (std::scanf(" %c", &kind) == 1) {
        double a = 0, b = 0, c = 0, d = 0;
        if (kind == 'E' && std::scanf("%lf %lf %lf %lf", &a, &b, &c, &d) == 4) {
            const Moon::TEvents e = Moon::EventsBetween(a, b, c, d);
            std::printf("%s", !e.Ok() ? "failed" : e.UpAtStart ? "up" : "down");
            for (const Moon::TEvent &x : e)
                std::printf(" %c %.9f %.5f %.5f", "RST"[static_cast<int>(x.Kind)], x.Jd, x.Azimuth,
                            x.Altitude);
        } else if (kind == 'S' && std::scanf("%lf %lf %lf", &a, &b, &c) == 3) {
            const TSunDay day = ComputeSunDay(a, b, -c, 0);
            Sun(day.Sun.Morning, b, c);
            Sun(day.Sun.Evening, b, c);
        } else if (kind == 'L' && std::scanf("%lf", &a) == 1) {
            const Moon::TLight l = Moon::LightAt(a);
            std::printf("%.7f %.5f %d", l.Fraction, l.PhaseAngle, l.Waxing ? 1 : 0);
        } else if (kind == 'P' && std::scanf("%lf %lf", &a, &b) == 2) {
            for (const Moon::TPhaseTime &p : Moon::PhasesBetween(a, b))
                std::printf(" %d %.9f", static_cast<int>(p.Phase), p.Jd);
        } else if (kind == 'H' && std::scanf("%lf %lf %lf", &a, &b, &c) == 3) {
            const THorizontal h = Moon::HorizontalAt(a, b, c, false);
            std::printf("%.7f %.7f", h.Altitude, h.Azimuth);
        } else {
            return 1;
        }
        std::printf("\n");
    }
    return 0;
}
