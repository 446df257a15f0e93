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
    const char *Sunrise; // iCalendar summaries
    const char *Sunset;
    const char *PolarDaySummary;
    const char *PolarNightSummary;
    const char *LanguageCode; // of PRODID
};

const TSunTableTexts &TableTexts(TLanguage language);

constexpr qint64 MsPerDay = 86400000;

} // namespace SunTableInternal
