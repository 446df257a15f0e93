// Times the Moon's risings, settings and transits of a day on one core, over
// every day of 2026 at 1,000 places, beside ComputeSunDay for the same days.
#include "suntime/DateUtil.h"
#include "suntime/Moon.h"
#include "suntime/SunEvents.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace
{

struct Place {
    double latitude, longitudeEast, clockHours;
};

// CPU time of this thread: the machine may be shared.
double CpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

// Microseconds of CPU time per place-day of one year at every place; the
// checksum keeps the work from being optimised away.
template <class F> double PerPlaceDay(const Place *places, int count, F day, double &checksum)
{
    const double first = DateUtil::EncodeDate(2026, 1, 1);
    const double start = CpuSeconds();
    for (int p = 0; p < count; ++p)
        for (int d = 0; d < 365; ++d)
            checksum += day(places[p], first + d);
    return (CpuSeconds() - start) * 1e6 / (365.0 * count);
}

} // namespace

int main()
{
    constexpr int Count = 1000;
    static Place places[Count];
    for (int i = 0; i < Count; ++i) {
        places[i].latitude = -70 + 140.0 * i / Count + 0.0123 * (i % 7);
        places[i].longitudeEast = -180 + 360.0 * ((i * 379) % Count) / Count;
        places[i].clockHours = std::round(places[i].longitudeEast / 15);
    }
    const auto moon = [](const Place &p, double day) {
        const double from = day + Sky::OleEpoch - p.clockHours / 24;
        const Moon::TEvents e = Moon::EventsBetween(from, from + 1, p.latitude, p.longitudeEast);
        double sum = e.Count;
        for (const Moon::TEvent &x : e)
            sum += x.Jd - from;
        return sum;
    };
    const auto sun = [](const Place &p, double day) {
        const TSunDay d = ComputeSunDay(day, p.latitude, -p.longitudeEast, p.clockHours);
        return d.Sun.Morning.Time + d.Sun.Evening.Time + d.Noon;
    };
    double checksum = 0;
    PerPlaceDay(places, 50, moon, checksum); // warm up
    const double moonUs = PerPlaceDay(places, Count, moon, checksum);
    const double sunUs = PerPlaceDay(places, Count, sun, checksum);
    std::printf("one core, 365 days of 2026 x %d places (latitudes -70 ... 70), CPU time\n", Count);
    std::printf("Moon::EventsBetween (rise, set, transit)  %.2f us per place-day\n", moonUs);
    std::printf("ComputeSunDay (Sun and three twilights)   %.2f us per place-day\n", sunUs);
    std::printf("(checksum %.6f)\n", checksum);
    return 0;
}
