// vantu-cli for scripts and timers: --next, --wait and --poll as plain
// functions of a place, a clock and a moment, and their runs. The waiting
// itself is the program's (cli/CliWait.h); here only what it waits for.
#pragma once

#include "cli/CliOptions.h"
#include "common/NextEvent.h"

#include <QByteArray>
#include <QDateTime>

#include <optional>

class TGazetteer;

// What --wait waits for: the first occurrence whose moment moved by shift
// lies later than now less late, and that moved moment. A moment at or
// before now (passed, but by less than late) is due at once.
struct TWaitPlan {
    TEvent Event;
    qint64 WakeMs = 0; // ms since 1970
};
std::optional<TWaitPlan> PlanWait(const TObserver &observer, const TClock &clock,
                                  const TEventAim &aim, qint64 shiftMs, qint64 lateMs,
                                  const QDateTime &now);

// The Sun's light by the altitude of its centre, as the events take it:
// day above the sunrise's -0.833 degrees, then the civil (-6), nautical
// (-12) and astronomical (-18) twilights, night below.
enum class TSunLight { Day, CivilTwilight, NauticalTwilight, AstronomicalTwilight, Night };
struct TSunNow {
    TSunLight Light = TSunLight::Night;
    double Altitude = 0; // true (airless), degrees
    double Azimuth = 0;  // degrees from north
};
TSunNow SunNow(const TObserver &observer, const QDateTime &now);
// "day", "civil_twilight" ... "night".
QByteArray SunLightKey(TSunLight light);

// --next, --wait and --poll, "now" read from the system's clock.
TCliResult RunScript(const TCliOptions &options, TGazetteer &cities);
