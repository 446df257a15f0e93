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

void Sun(const TEvent &e, const TObserver &observer)
{
    if (!e.Occurs()) {
        std::printf(" - -");
        return;
    }
    std::printf(" %.9f %.6f", e.Time.Jd(), Sky::SunHorizontal(e.Time, observer, false).Azimuth);
}

} // namespace

int main()
{
    char kind = 0;
    while (std::scanf(" %c", &kind) == 1) {
        double a = 0, b = 0, c = 0, d = 0;
        if (kind == 'E' && std::scanf("%lf %lf %lf %lf", &a, &b, &c, &d) == 4) {
            const Moon::TMoonEvents e =
                Moon::EventsBetween(TInstant::FromJd(a), TInstant::FromJd(b), {c, d, 0});
            std::printf("%s", !e.Ok ? "failed" : e.UpAtStart ? "up" : "down");
            for (const TEvent &x : e.Events) {
                const int k = static_cast<int>(x.Kind) - static_cast<int>(TEventKind::Moonrise);
                std::printf(" %c %.9f %.5f %.5f", "RST"[k], x.Time.Jd(), x.Azimuth, x.Altitude);
            }
        } else if (kind == 'S' && std::scanf("%lf %lf %lf", &a, &b, &c) == 3) {
            const TObserver observer{b, c, 0};
            const TSunDay day = ComputeSunDay(TInstant::FromOle(a).CivilDate(), observer);
            Sun(day.Morning[int(TSunZenith::Sunrise)], observer);
            Sun(day.Evening[int(TSunZenith::Sunrise)], observer);
        } else if (kind == 'L' && std::scanf("%lf", &a) == 1) {
            const Moon::TLight l = Moon::LightAt(TInstant::FromJd(a)).value_or(Moon::TLight());
            std::printf("%.7f %.5f %d", l.Fraction, l.PhaseAngle, l.Waxing ? 1 : 0);
        } else if (kind == 'P' && std::scanf("%lf %lf", &a, &b) == 2) {
            for (const TEvent &p : Moon::PhasesBetween(TInstant::FromJd(a), TInstant::FromJd(b))
                                       .value_or(std::vector<TEvent>()))
                std::printf(" %d %.9f",
                            static_cast<int>(p.Kind) - static_cast<int>(TEventKind::NewMoon),
                            p.Time.Jd());
        } else if (kind == 'H' && std::scanf("%lf %lf %lf", &a, &b, &c) == 3) {
            const THorizontal h = Moon::HorizontalAt(TInstant::FromJd(a), {b, c, 0}, false);
            std::printf("%.7f %.7f", h.Altitude, h.Azimuth);
        } else {
            return 1;
        }
        std::printf("\n");
    }
    return 0;
}
