// What the tests of the Sun rows share: a place as the calculator takes it.
#pragma once

#include "table/SunTable.h"

namespace SunTableTest
{

// Longitude east positive, as people give it; the place keeps it west positive.
inline TSunPlace Place(const QString &name, double latitude, double longitudeEast)
{
    TSunPlace p;
    p.Name = name;
    p.Latitude = latitude;
    p.LongitudeWest = -longitudeEast;
    return p;
}

} // namespace SunTableTest
