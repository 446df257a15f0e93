// Where the sky is seen from. One sign convention throughout the program:
// latitude north positive, longitude EAST positive, in degrees. (The
// calculator's own angles keep their west-positive longitude inside TSunTime.)
#pragma once

#include <cmath>

struct TObserver {
    double Latitude = 0;  // degrees, north positive
    double Longitude = 0; // degrees, east positive
    double Height = 0;    // metres above the surroundings

    bool IsFinite() const
    {
        return std::isfinite(Latitude) && std::isfinite(Longitude) && std::isfinite(Height);
    }
};
