// Calendar routines with no knowledge of windows: weekday names and the date
// of Easter Sunday as a sentence in one of the three interface languages.
#pragma once

#include "common/Language.h"

#include <QString>
#include <cstdint>

// 1 = Sunday ... 7 = Saturday; any other day number gives the empty text.
QString GetWeekdayName(int dayOfWeek, TLanguage language);

// Month (3 or 4) and day of Easter Sunday by Gauss's rule in floating point.
// Exact for every Gregorian year; earlier and negative years still give a
// date (a meaningless one), never a failure.
void EasterSunday(int16_t year, int &month, int &day);

// The Easter sentence for the year.
QString EasterMessage(int16_t year, TLanguage language);

// Caption of the Easter box.
QString EasterCaption(TLanguage language);
