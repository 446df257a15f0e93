// Moon phase fraction and picture table.
#include "calendar/MoonPhase.h"

#include "suntime/Constants.h"

#include <cmath>
#include <limits>

namespace
{

// The pictures' own cycle: the mean synodic month rounded to 29.53059 days,
// counted from a fixed reference date. It is not the Moon's true phase,
// which the astronomy finds apart from the pictures.
constexpr double PictureCycleStartJd = 1721088.5;
constexpr double PictureCycle = 29.53059;

struct PictureRange {
    double below;
    int picture;
};

// Upper bounds (excluded) as the decimals written, not exact fractions; the
// ranges follow each other from 0, and 29 covers both ends of the cycle.
constexpr PictureRange PictureTable[] = {
    {0.017857, 29}, {0.053571, 1},  {0.089286, 2},  {0.125, 3},     {0.160714, 4},  {0.196429, 5},
    {0.232143, 6},  {0.267857, 7},  {0.3125, 8},    {0.354167, 9},  {0.395833, 10}, {0.4375, 11},
    {0.479167, 12}, {0.520833, 13}, {0.546875, 14}, {0.578125, 15}, {0.609375, 16}, {0.640625, 17},
    {0.671875, 18}, {0.703125, 19}, {0.734375, 20}, {0.765625, 21}, {0.796875, 22}, {0.828125, 23},
    {0.859375, 24}, {0.890625, 25}, {0.921875, 26}, {0.953125, 27}, {0.984375, 28},
};

} // namespace

double PhaseFraction(double oleDate)
{
    if (!std::isfinite(oleDate))
        return std::numeric_limits<double>::quiet_NaN();
    // Before the epoch the whole part counts the day backwards while the
    // fraction still runs forward: -1.25 is 29 December 1899, 6 h.
    const double whole = std::trunc(oleDate);
    const double timeOfDay = std::fabs(oleDate - whole);
    const double jd = Astro::JdOleEpoch + whole + timeOfDay;
    const double cycles = (jd - PictureCycleStartJd) / PictureCycle;
    // Floor rather than truncation keeps x in [0, 1) before the reference
    // date too; a tiny negative value must not round up to exactly 1.
    double x = cycles - std::floor(cycles);
    if (x >= 1.0)
        x = 0.0;
    return x;
}

int MoonPictureNumber(double x)
{
    if (!(x >= 0.0 && x <= 1.0))
        return 0;
    for (const PictureRange &range : PictureTable) {
        if (x < range.below)
            return range.picture;
    }
    return 29;
}

QString MoonPictureFile(double x)
{
    const int picture = MoonPictureNumber(x);
    if (picture == 0)
        return QString();
    return QStringLiteral("grafika/%1.gif").arg(picture, 2, 10, QLatin1Char('0'));
}
