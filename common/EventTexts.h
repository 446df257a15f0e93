// The words of the day's events in each language: why a date lacks an
// event (the notes of the files' rows), the Moon's phases, and the fixed
// keys the files use for them. Qt Core only.
#pragma once

#include "common/Language.h"
#include "common/Texts.h"
#include "suntime/DayEvents.h"

#include <QByteArray>
#include <QString>

// The texts of the row notes, the text line's sky and the iCalendar events.
namespace EventText
{

inline constexpr TText PolarDay{"polárny deň", "polar day", "sarki nappal"};
inline constexpr TText PolarNight{"polárna noc", "polar night", "sarki éjszaka"};
// appended to the missing event in brackets
inline constexpr TText Failed{"výpočet zlyhal", "calculation failed", "a számítás sikertelen"};
inline constexpr TText NoEvent[SunEventCount] = {
    {"bez východu Slnka", "no sunrise", "nincs napkelte"},
    {"bez slnečného poludnia", "no solar noon", "nincs delelés"},
    {"bez západu Slnka", "no sunset", "nincs napnyugta"},
    {"bez občianskeho svitania", "no civil dawn", "nincs polgári hajnal"},
    {"bez občianskeho súmraku", "no civil dusk", "nincs polgári alkony"},
    {"bez nautického svitania", "no nautical dawn", "nincs navigációs hajnal"},
    {"bez nautického súmraku", "no nautical dusk", "nincs navigációs alkony"},
    {"bez astronomického svitania", "no astronomical dawn", "nincs csillagászati hajnal"},
    {"bez astronomického súmraku", "no astronomical dusk", "nincs csillagászati alkony"}};
// Dawn and dusk of civil, nautical and astronomical twilight both missing.
inline constexpr TText NoTwilight[3] = {
    {"bez občianskeho svitania a súmraku", "no civil dawn or dusk",
     "nincs polgári hajnal és alkony"},
    {"bez nautického svitania a súmraku", "no nautical dawn or dusk",
     "nincs navigációs hajnal és alkony"},
    {"bez astronomického svitania a súmraku", "no astronomical dawn or dusk",
     "nincs csillagászati hajnal és alkony"}};
// Why, appended to the missing event: the Sun stays above or below the
// horizon (sunrise and sunset) or a height (%1, twilights), or the event
// falls on another date of the clock.
inline constexpr TText AboveHorizon{": Slnko zostáva nad obzorom",
                                    ": the Sun stays above the horizon",
                                    ": a Nap a látóhatár fölött marad"};
inline constexpr TText BelowHorizon{": Slnko zostáva pod obzorom",
                                    ": the Sun stays below the horizon",
                                    ": a Nap a látóhatár alatt marad"};
inline constexpr TText AboveAngle{": Slnko zostáva nad %1", ": the Sun stays above %1",
                                  ": a Nap %1 fölött marad"};
inline constexpr TText BelowAngle{": Slnko zostáva pod %1", ": the Sun stays below %1",
                                  ": a Nap %1 alatt marad"};
inline constexpr TText OnThisDate{" v tento deň", " on this date", " ezen a napon"};
// The Moon's rising and setting missing, and why: up or down all date.
inline constexpr TText NoMoonrise{"bez východu Mesiaca", "no moonrise", "nincs holdkelte"};
inline constexpr TText NoMoonset{"bez západu Mesiaca", "no moonset", "nincs holdnyugta"};
inline constexpr TText MoonAbove{": Mesiac zostáva nad obzorom",
                                 ": the Moon stays above the horizon",
                                 ": a Hold a látóhatár fölött marad"};
inline constexpr TText MoonBelow{": Mesiac zostáva pod obzorom",
                                 ": the Moon stays below the horizon",
                                 ": a Hold a látóhatár alatt marad"};
// new ... waning crescent
inline constexpr TText MoonPhases[8] = {
    {"nov", "new Moon", "újhold"},
    {"dorastajúci kosáčik", "waxing crescent", "növekvő holdsarló"},
    {"prvá štvrť", "first quarter", "első negyed"},
    {"dorastajúci Mesiac", "waxing gibbous", "növekvő hold"},
    {"spln", "full Moon", "telihold"},
    {"ubúdajúci Mesiac", "waning gibbous", "fogyó hold"},
    {"posledná štvrť", "last quarter", "utolsó negyed"},
    {"ubúdajúci kosáčik", "waning crescent", "fogyó holdsarló"}};
// new, first quarter, full, last quarter
inline constexpr TText PrincipalPhases[4] = {{"Nov", "New Moon", "Újhold"},
                                             {"Prvá štvrť", "First quarter", "Első negyed"},
                                             {"Spln", "Full Moon", "Telihold"},
                                             {"Posledná štvrť", "Last quarter", "Utolsó negyed"}};
// iCalendar summaries
inline constexpr TText Moonrise{"Východ Mesiaca", "Moonrise", "Holdkelte"};
inline constexpr TText Moonset{"Západ Mesiaca", "Moonset", "Holdnyugta"};
// The text line's sky: %1 %2 sunrise and sunset azimuths, %3 %4 moonrise
// and moonset, %5 the lit per cent, %6 the phase.
inline constexpr TText SkyLine{
    "    Slnko vychádza na %1°, zapadá na %2°; Mesiac vychádza %3, zapadá %4, osvetlený na %5 %, "
    "%6",
    "    Sun rises at %1°, sets at %2°; Moon rises %3, sets %4, %5 % lit, %6",
    "    A Nap %1°-nál kel, %2°-nál nyugszik; a Hold kel %3, nyugszik %4, %5 %-ban megvilágított, "
    "%6"};
// iCalendar summaries
inline constexpr TText Sunrise{"Východ Slnka", "Sunrise", "Napkelte"};
inline constexpr TText Sunset{"Západ Slnka", "Sunset", "Napnyugta"};
inline constexpr TText PolarDaySummary{"Polárny deň", "Polar day", "Sarki nappal"};
inline constexpr TText PolarNightSummary{"Polárna noc", "Polar night", "Sarki éjszaka"};
// of PRODID
inline constexpr TText LanguageCode{"SK", "EN", "HU"};

} // namespace EventText

// Why events of a date are missing, in the language; empty when all shown
// events occur. Without twilight only sunrise, solar noon and sunset count;
// the Moon's rising and setting count when the date holds the Moon's events.
QString DayNote(const TDayEvents &day, bool twilight, TLanguage language);

// The words of the Moon in the language: its phase names, and the fixed
// names of the files ("waxing_crescent").
QString MoonPhaseText(Moon::TPhaseName phase, TLanguage language);
QByteArray MoonPhaseKey(Moon::TPhaseName phase);
// A principal phase (NewMoon ... LastQuarter) in the language.
QString PrincipalPhaseText(TEventKind phase, TLanguage language);
// The text line of a day's sky: %1 %2 sunrise and sunset azimuths, %3 %4
// moonrise and moonset, %5 the lit per cent, %6 the phase.
QString SkyLineText(TLanguage language);
