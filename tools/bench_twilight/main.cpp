// Reads "day latitude longitudeWest clockHours" lines (OLE day, degrees with
// west positive, hours ahead of UTC) and prints, for each, the morning and
// evening crossings of 90.833, 96, 102 and 108 degrees: an OLE date-time, or
// A (stays above), B (stays below) or F (failed) when there is none.
#include "suntime/SunEvents.h"

#include <cstdio>
#include <initializer_list>

namespace
{

void Print(const TCrossing &c)
{
    switch (c.State) {
    case TCrossingState::Occurs:
        std::printf(" %.10f", c.Time);
        break;
    case TCrossingState::AlwaysAbove:
        std::printf(" A");
        break;
    case TCrossingState::AlwaysBelow:
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
    double day = 0, latitude = 0, longitudeWest = 0, clockHours = 0;
    while (std::scanf("%lf %lf %lf %lf", &day, &latitude, &longitudeWest, &clockHours) == 4) {
        const TSunDay d = ComputeSunDay(day, latitude, longitudeWest, clockHours);
        for (const TCrossings *c : {&d.Sun, &d.Civil, &d.Nautical, &d.Astronomical}) {
            Print(c->Morning);
            Print(c->Evening);
        }
        std::printf("\n");
    }
    return 0;
}
