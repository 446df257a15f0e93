// What the two halves of the Sun rows writer share and SunTable.h does not
// show: the texts of the row notes and of the iCalendar summaries, and the
// length of a day on the clock.
#pragma once

#include "common/Texts.h"
#include "table/SunTable.h"

namespace SunTableInternal
{

struct TSunTableTexts {
    const char *PolarDay;
    const char *PolarNight;
    const char *Failed; // appended to the missing event in brackets
    std::array<const char *, SunEventCount> NoEvent;
    // Dawn and dusk of civil, nautical and astronomical twilight both missing.
    std::array<const char *, 3> NoTwilight;
    // Why, appended to the missing event: the Sun stays above or below the
    // horizon (sunrise and sunset) or a height (%1, twilights), or the event
    // falls on another date of the clock.
    const char *AboveHorizon;
    const char *BelowHorizon;
    const char *AboveAngle;
    const char *BelowAngle;
    const char *OnThisDate;
    // The Moon's rising and setting missing, and why: up or down all date.
    const char *NoMoonrise;
    const char *NoMoonset;
    const char *MoonAbove;
    const char *MoonBelow;
    std::array<const char *, 8> MoonPhases;      // new ... waning crescent
    std::array<const char *, 4> PrincipalPhases; // new, first quarter, full, last quarter
    const char *Moonrise;                        // iCalendar summaries
    const char *Moonset;
    // The text line's sky: %1 %2 sunrise and sunset azimuths, %3 %4 moonrise
    // and moonset, %5 the lit per cent, %6 the phase.
    const char *SkyLine;
    const char *Sunrise; // iCalendar summaries
    const char *Sunset;
    const char *PolarDaySummary;
    const char *PolarNightSummary;
    const char *LanguageCode; // of PRODID
};

const TSunTableTexts &TableTexts(TLanguage language);

constexpr qint64 MsPerDay = 86400000;

} // namespace SunTableInternal
