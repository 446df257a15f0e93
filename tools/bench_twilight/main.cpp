// Reads "day latitude longitudeEast" lines (a date-time value's day on UTC,
// degrees with east positive) and prints, for each, the calculator's morning
// and evening crossings of 90.833, 96, 102 and 108 degrees on that day of UTC:
// a date-time value on UTC, or A (stays above), B (stays below) or F (failed)
// when there is none.
#include "suntime/SunEvents.h"

#include <cstdio>

namespace
{

void Print(const TEvent &e)
{
    switch (e.Status) {
    case TEventStatus::Occurs:
        std::printf(" %.10f", e.Time.Ole());
        break;
    case TEventStatus::AboveAllDay:
        std::printf(" A");
        break;
    case TEventStatus::BelowAllDay:
        std::printf(" B");
        break;
    default:
        std::printf(" F");
        break;
    }
}

} // namespace

int main()
{
    double day = 0, latitude = 0, longitudeEast = 0;
    while (std::scanf("%lf %lf %lf", &day, &latitude, &longitudeEast) == 3) {
        const TSunDay d =
            ComputeSunDay(TInstant::FromOle(day).CivilDate(), {latitude, longitudeEast, 0});
        for (int z = 0; z < SunZenithCount; ++z) {
            Print(d.Morning[z]);
            Print(d.Evening[z]);
        }
        std::printf("\n");
    }
    return 0;
}
