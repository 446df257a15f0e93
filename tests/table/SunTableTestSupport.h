// What the tests of the Sun rows share: a place as the calculator takes it.
#pragma once

#include "table/SunTable.h"

namespace SunTableTest
{

inline TPlace Place(const QString &name, double latitude, double longitude)
{
    TPlace p;
    p.Name = name;
    p.Latitude = latitude;
    p.Longitude = longitude;
    return p;
}

} // namespace SunTableTest
