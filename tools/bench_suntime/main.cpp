// Measures full day computations (new day, then sunrise, sunset and noon)
// per second on one core, over a year at 100 places.
#include "suntime/DateUtil.h"
#include "suntime/SunTime.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace
{

struct Place {
    double latitude;
    double longitude; // west positive
    double zone;
};

// One pass: every day of 2026 at every place. Returns the number of days
// computed; the checksum keeps the work from being optimised away.
long RunYear(TSunTime &st, const Place *places, int count, bool systemZone, double &checksum)
{
    const double first = DateUtil::EncodeDate(2026, 1, 1);
    long days = 0;
    for (int p = 0; p < count; ++p) {
        if (systemZone) {
            st.SetUseSysTimeZone(true);
        } else {
            st.SetUseSysTimeZone(false);
            st.SetTimeZone(places[p].zone);
        }
        st.Latitude().SetValue(places[p].latitude);
        st.Longitude().SetValue(places[p].longitude);
        for (int d = 0; d < 365; ++d) {
            st.SetDate(first + d);
            checksum += st.EventTime(1) + st.EventTime(2) + st.EventTime(3);
            ++days;
        }
    }
    return days;
}

// CPU time of this thread: the machine may be shared, and time spent
// waiting for the processor is not the calculator's.
double CpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

struct Rate {
    double perCpuSecond;
    double perWallSecond;
};

Rate Measure(const Place *places, int count, bool systemZone, double seconds, double &checksum)
{
    using Clock = std::chrono::steady_clock;
    TSunTime st;
    RunYear(st, places, count, systemZone, checksum); // warm up
    long days = 0;
    const auto start = Clock::now();
    const double cpuStart = CpuSeconds();
    double cpu = 0;
    do {
        days += RunYear(st, places, count, systemZone, checksum);
        cpu = CpuSeconds() - cpuStart;
    } while (cpu < seconds);
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    return {days / cpu, days / wall};
}

} // namespace

int main(int argc, char **argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 2.0;

    // 100 places spread over both hemispheres, polar circles included.
    Place places[100];
    for (int i = 0; i < 100; ++i) {
        places[i].latitude = -72 + 1.45 * i + 0.0123 * (i % 7);
        places[i].longitude = -180 + 3.6 * ((i * 37) % 100) + 0.01 * i;
        places[i].zone = static_cast<int>(-places[i].longitude / 15) % 13;
    }

    double checksum = 0;
    const Rate fixed = Measure(places, 100, false, seconds, checksum);
    const Rate system = Measure(places, 100, true, seconds, checksum);
    std::printf("Sun event calculator, one core, 365 days x 100 places per pass\n");
    std::printf("day computations per second of CPU time (per second of wall time)\n");
    std::printf("fixed clock offset:  %.0f (%.0f)\n", fixed.perCpuSecond, fixed.perWallSecond);
    std::printf("system time zone:    %.0f (%.0f)\n", system.perCpuSecond, system.perWallSecond);
    std::printf("(checksum %.6f)\n", checksum);
    return 0;
}
