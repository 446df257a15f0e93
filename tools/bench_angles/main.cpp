// bench_angles: reads "jd latitude longitude a|b angle" lines (the start of a
// day of UT as a Julian Day, degrees with east positive, an altitude or a
// bearing) and prints, for each, the Sun's events of that angle within the
// day: "r|s|b jd" each, or "-" when there is none.
// bench_angles --time: the cost of the events of more angles, per place-day.
#include "suntime/DayEvents.h"

#include <cstdio>
#include <cstring>
#include <ctime>

namespace
{

double CpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

// CPU microseconds per place-day of 2026 at 500 places, with the request.
double Cost(const TEventRequest &request)
{
    const double start = CpuSeconds();
    double checksum = 0;
    for (int p = 0; p < 500; ++p) {
        const TObserver o{-60 + 120.0 * p / 500, -180 + 360.0 * ((p * 37) % 500) / 500, 0};
        std::vector<TDateSpan> spans;
        for (int d = 0; d < 365; ++d) {
            const TInstant from = TInstant::FromCivil({2026, 1, 1}).AddDays(d);
            spans.push_back({from.CivilDate(), from, from.AddDays(1), from.AddDays(0.5)});
        }
        for (const TDayEvents &day : EventsOfDates(spans, o, request))
            checksum += double(day.Events.size());
    }
    std::printf("(%.0f events) ", checksum);
    return (CpuSeconds() - start) * 1e6 / (500 * 365.0);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--time") == 0) {
        TEventRequest plain, light, more;
        light.Altitudes = {-6, -4, 6};
        more.Altitudes = {-6, -4, 6, 10};
        std::printf("the Sun's day alone:                %.2f us per place-day\n", Cost(plain));
        std::printf("with three altitudes (-6, -4, 6):   %.2f us per place-day\n", Cost(light));
        std::printf("with four altitudes:                %.2f us per place-day\n", Cost(more));
        return 0;
    }
    double jd = 0, latitude = 0, longitude = 0, angle = 0;
    char kind = 0;
    while (std::scanf("%lf %lf %lf %c %lf", &jd, &latitude, &longitude, &kind, &angle) == 5) {
        const TInstant from = TInstant::FromJd(jd);
        TEventRequest request;
        (kind == 'a' ? request.Altitudes : request.Bearings).push_back(angle);
        const std::vector<TDayEvents> days = EventsOfDates(
            {{from.CivilDate(), from, from.AddDays(1), from.AddDays(0.5)}},
            {latitude, longitude, 0}, request);
        bool any = false;
        for (const TEvent &e : days.front().Events) {
            if (!e.Occurs() || e.Angle != angle ||
                (e.Kind != TEventKind::SunAltitudeRise && e.Kind != TEventKind::SunAltitudeSet &&
                 e.Kind != TEventKind::SunBearing))
                continue;
            const char letter = e.Kind == TEventKind::SunAltitudeRise  ? 'r'
                                : e.Kind == TEventKind::SunAltitudeSet ? 's'
                                                                       : 'b';
            std::printf(" %c %.9f", letter, e.Time.Jd());
            any = true;
        }
        std::printf(any ? "\n" : " -\n");
    }
    return 0;
}
