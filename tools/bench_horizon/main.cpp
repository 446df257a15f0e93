// bench_horizon: reads "jd latitude longitude height profile" lines (the
// start of a day of UT as a Julian Day, degrees with east positive, metres
// above the surroundings, a profile file of "azimuth altitude" lines or "-"
// for none) and prints for each the day's sunrise and sunset ("r jd",
// "s jd") and every appearance and disappearance of the Sun ("a jd",
// "d jd"), or "-" for none.
// bench_horizon --time: the cost of a year of visible events at one place
// with a profile of 360 points, and per place-day over many places.
#include "suntime/DayEvents.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace
{

double CpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

std::vector<THorizonPoint> ReadProfile(const char *path)
{
    std::vector<THorizonPoint> points;
    if (std::strcmp(path, "-") == 0)
        return points;
    if (FILE *f = std::fopen(path, "r")) {
        double az = 0, alt = 0;
        while (std::fscanf(f, "%lf %lf", &az, &alt) == 2)
            points.push_back({az, alt});
        std::fclose(f);
    }
    return points;
}

std::vector<TDateSpan> Year(int year)
{
    std::vector<TDateSpan> spans;
    const TInstant first = TInstant::FromCivil({year, 1, 1});
    for (int d = 0; d < 365; ++d) {
        const TInstant from = first.AddDays(d);
        spans.push_back({from.CivilDate(), from, from.AddDays(1), from.AddDays(0.5)});
    }
    return spans;
}

// A ridge of 360 points: 5 ... 12 degrees, with a notch and a peak.
std::vector<THorizonPoint> Ridge()
{
    std::vector<THorizonPoint> points;
    for (int a = 0; a < 360; ++a)
        points.push_back(
            {double(a), 8.5 + 3.5 * std::sin(a * 0.0872665) + (a % 37 == 0 ? 2.0 : 0.0)});
    return points;
}

void Time()
{
    TEventRequest request;
    request.Horizon = THorizon(Ridge(), 20);
    const TObserver place{48.7, 19.1, 0};
    std::vector<double> ms;
    size_t events = 0;
    for (int run = 0; run < 21; ++run) {
        const double start = CpuSeconds();
        events += EventsOfDates(Year(2026), place, request).size();
        ms.push_back((CpuSeconds() - start) * 1e3);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("a year at one place, 360-point profile: median %.1f ms, max %.1f ms (%zu)\n",
                ms[ms.size() / 2], ms.back(), events);
    for (const bool withHorizon : {false, true}) {
        TEventRequest r;
        if (withHorizon)
            r.Horizon = THorizon(Ridge(), 20);
        const double start = CpuSeconds();
        for (int p = 0; p < 50; ++p) {
            const TObserver o{-60 + 120.0 * p / 50, -180 + 360.0 * ((p * 37) % 50) / 50, 0};
            events += EventsOfDates(Year(2026), o, r).size();
        }
        std::printf("%s %.1f us per place-day\n",
                    withHorizon ? "the Sun's day with the horizon:" : "the Sun's day alone:    ",
                    (CpuSeconds() - start) * 1e6 / (50 * 365.0));
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--time") == 0) {
        Time();
        return 0;
    }
    double jd = 0, latitude = 0, longitude = 0, height = 0;
    char path[4096];
    while (std::scanf("%lf %lf %lf %lf %4095s", &jd, &latitude, &longitude, &height, path) == 5) {
        const TInstant from = TInstant::FromJd(jd);
        TEventRequest request;
        request.Horizon = THorizon(ReadProfile(path), height);
        const std::vector<TDayEvents> days =
            EventsOfDates({{from.CivilDate(), from, from.AddDays(1), from.AddDays(0.5)}},
                          {latitude, longitude, 0}, request);
        bool any = false;
        for (const TEvent &e : days.front().Events) {
            const char letter = e.Kind == TEventKind::Sunrise         ? 'r'
                                : e.Kind == TEventKind::Sunset        ? 's'
                                : e.Kind == TEventKind::SunAppears    ? 'a'
                                : e.Kind == TEventKind::SunDisappears ? 'd'
                                                                      : 0;
            if (!e.Occurs() || !letter)
                continue;
            std::printf(" %c %.9f", letter, e.Time.Jd());
            any = true;
        }
        std::printf(any ? "\n" : " -\n");
    }
    return 0;
}
