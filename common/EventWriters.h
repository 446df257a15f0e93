// The files of the dates' events: text lines, CSV, JSON and iCalendar. One
// writer for the command-line tool and the Year of the Sun window, so that
// both give the same bytes. Qt Core only.
#pragma once

#include "common/Clock.h"
#include "common/EventTexts.h"
#include "common/Language.h"
#include "common/Place.h"
#include "suntime/DayEvents.h"

#include <QByteArray>
#include <QDate>
#include <QLocale>
#include <QVector>

#include <optional>

// The program's result line of each date (the main window's results table),
// and with twilight the further times, the day length and the Sun's height
// at noon after the sunset in the same style; with the Moon, a line of the
// sky. A month ends with an empty line when blockEnds.
// With angles, a line for each altitude and bearing and one of the golden and
// blue hours.
QByteArray EventsText(const QVector<TDayEvents> &days, const TPlace &place, const TClock &clock,
                      bool twilight, TLanguage language, const QLocale &locale, bool blockEnds,
                      const TAngleColumns &angles = {});
// RFC 4180, UTF-8, CR LF line ends. Header names are the same in every
// language: date,sunrise,solar_noon,sunset,day_length[,civil_dawn,civil_dusk,
// nautical_dawn,nautical_dusk,astronomical_dawn,astronomical_dusk,
// noon_altitude][,sunrise_azimuth,sunset_azimuth,moonrise,moonset,
// moon_illumination,moon_phase][,altitude_A_rise,altitude_A_set ...]
// [,sun_bearing_B,sun_bearing_B_altitude ...][,visible_sunrise,visible_sunset
// [,visible_moonrise,visible_moonset]],note: the sky's columns when the
// dates hold the Moon's events, with twilight also day_length_change after
// noon_altitude. A column holds the first event of its kind on the date; the
// note says in the language why events are missing, and names a second one.
QByteArray EventsCsv(const QVector<TDayEvents> &days, bool twilight, TLanguage language,
                     const TAngleColumns &angles = {});
// An array with one object per day, the same keys and values as the CSV
// columns, null for an event that does not occur; a second event of a kind
// as "second_sunset".
QByteArray EventsJson(const QVector<TDayEvents> &days, bool twilight, TLanguage language,
                      const TAngleColumns &angles = {});
// RFC 5545: one timed one-minute VEVENT per sunrise and per sunset (and
// moonrise and moonset), in UTC, and one all-day VEVENT for a day of polar
// day or night and for a principal phase, with GEO, LOCATION and stable
// UIDs; lines folded at 75 octets, CR LF ends. Nothing when a date or moment
// falls outside the years 0001 ... 9999, which iCalendar cannot write.
// With light, an event from start to end for each golden and blue hour;
// with visible, one-minute events of the visible rising and setting.
std::optional<QByteArray> EventsICalendar(const QVector<TDayEvents> &days, const TPlace &place,
                                          TLanguage language,
                                          const std::optional<TLightBands> &light = {},
                                          bool visible = false);
// Whether the dates from first to last on the clock lie wholly within the
// years 0001 ... 9999 of UTC, which iCalendar can write.
bool ICalendarCanHold(const QDate &first, const QDate &last, const TClock &clock);
