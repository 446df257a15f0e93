// Times the Moon's risings, settings and transits of a day on one core, over
// every day of 2026 at 1,000 places, beside the Sun's events of the same
// days: the calculator's day alone, and the search of a date on its clock.
#include "suntime/DayEvents.h"
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
    const TInstant first = TInstant::FromCivil({2026, 1, 1});
    const double start = CpuSeconds();
    for (int p = 0; p < count; ++p)
        for (int d = 0; d < 365; ++d)
            checksum += day(places[p], first.AddDays(d));
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
    const auto moon = [](const Place &p, TInstant day) {
        const TInstant from = day.AddDays(-p.clockHours / 24);
        const Moon::TMoonEvents e =
            Moon::EventsBetween(from, from.AddDays(1), {p.latitude, p.longitudeEast, 0});
        double sum = double(e.Events.size());
        for (const TEvent &x : e.Events)
            sum += x.Time - from;
        return sum;
    };
    const auto sun = [](const Place &p, TInstant day) {
        const TSunDay d = ComputeSunDay(day.CivilDate(), {p.latitude, p.longitudeEast, 0});
        return d.Morning[0].Time.Ut() + d.Evening[0].Time.Ut() + d.Noon.Time.Ut();
    };
    const auto search = [](const Place &p, TInstant day) {
        const TInstant from = day.AddDays(-p.clockHours / 24);
        const std::vector<TDayEvents> d =
            EventsOfDates({{day.CivilDate(), from, from.AddDays(1), from.AddDays(0.5)}},
                          {p.latitude, p.longitudeEast, 0}, {});
        double sum = 0;
        for (const TEvent &x : d.front().Events)
            sum += x.Occurs() ? x.Time - from : 0;
        return sum;
    };
    double checksum = 0;
    PerPlaceDay(places, 50, moon, checksum); // warm up
    const double moonUs = PerPlaceDay(places, Count, moon, checksum);
    const double sunUs = PerPlaceDay(places, Count, sun, checksum);
    const double searchUs = PerPlaceDay(places, Count, search, checksum);
    std::printf("one core, 365 days of 2026 x %d places (latitudes -70 ... 70), CPU time\n", Count);
    std::printf("Moon::EventsBetween (rise, set, transit)  %.2f us per place-day\n", moonUs);
    std::printf("ComputeSunDay (Sun and three twilights)   %.2f us per place-day\n", sunUs);
    std::printf("EventsOfDates, one date (the Sun's search) %.2f us per place-day\n", searchUs);
    std::printf("(checksum %.6f)\n", checksum);
    return 0;
}
