// The words of the day's events in each language: why a date lacks an
// event (the notes of the files' rows), the Moon's phases, and the fixed
// keys the files use for them. Qt Core only.
#pragma once

#include "common/Language.h"
#include "common/Texts.h"
#include "suntime/DayEvents.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

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
// A further event of a kind on one date, %1 its time: the second, then any
// after it, for the kinds the files show (sunrise ... astronomical dusk,
// moonrise, moonset).
inline constexpr TText Second[SunEventCount + 2] = {
    {"druhý východ Slnka %1", "second sunrise %1", "második napkelte %1"},
    {"druhé slnečné poludnie %1", "second solar noon %1", "második delelés %1"},
    {"druhý západ Slnka %1", "second sunset %1", "második napnyugta %1"},
    {"druhé občianske svitanie %1", "second civil dawn %1", "második polgári hajnal %1"},
    {"druhý občiansky súmrak %1", "second civil dusk %1", "második polgári alkony %1"},
    {"druhé nautické svitanie %1", "second nautical dawn %1", "második navigációs hajnal %1"},
    {"druhý nautický súmrak %1", "second nautical dusk %1", "második navigációs alkony %1"},
    {"druhé astronomické svitanie %1", "second astronomical dawn %1",
     "második csillagászati hajnal %1"},
    {"druhý astronomický súmrak %1", "second astronomical dusk %1",
     "második csillagászati alkony %1"},
    {"druhý východ Mesiaca %1", "second moonrise %1", "második holdkelte %1"},
    {"druhý západ Mesiaca %1", "second moonset %1", "második holdnyugta %1"}};
inline constexpr TText Another[SunEventCount + 2] = {
    {"ďalší východ Slnka %1", "another sunrise %1", "újabb napkelte %1"},
    {"ďalšie slnečné poludnie %1", "another solar noon %1", "újabb delelés %1"},
    {"ďalší západ Slnka %1", "another sunset %1", "újabb napnyugta %1"},
    {"ďalšie občianske svitanie %1", "another civil dawn %1", "újabb polgári hajnal %1"},
    {"ďalší občiansky súmrak %1", "another civil dusk %1", "újabb polgári alkony %1"},
    {"ďalšie nautické svitanie %1", "another nautical dawn %1", "újabb navigációs hajnal %1"},
    {"ďalší nautický súmrak %1", "another nautical dusk %1", "újabb navigációs alkony %1"},
    {"ďalšie astronomické svitanie %1", "another astronomical dawn %1",
     "újabb csillagászati hajnal %1"},
    {"ďalší astronomický súmrak %1", "another astronomical dusk %1",
     "újabb csillagászati alkony %1"},
    {"ďalší východ Mesiaca %1", "another moonrise %1", "újabb holdkelte %1"},
    {"ďalší západ Mesiaca %1", "another moonset %1", "újabb holdnyugta %1"}};

// The text line's sky, piece by piece: where the Sun rises and sets (%1 the
// azimuth), whether the Moon rises and sets (%1 the time), its light (%1 the
// lit per cent, %2 the phase), and sentences for what does not happen.
namespace SkyText
{
inline constexpr TText SunRises{"Slnko vychádza na %1°", "Sun rises at %1°", "A Nap %1°-nál kel"};
inline constexpr TText SunNoRise{"Slnko v tento deň nevychádza",
                                 "The Sun does not rise on this date",
                                 "A Nap ezen a napon nem kel fel"};
inline constexpr TText SunSets{", zapadá na %1°", ", sets at %1°", ", %1°-nál nyugszik"};
inline constexpr TText SunNoSet{", v tento deň nezapadá", ", does not set on this date",
                                ", ezen a napon nem nyugszik le"};
inline constexpr TText PolarNight{"Slnko nevychádza (polárna noc)",
                                  "The Sun does not rise (polar night)",
                                  "A Nap nem kel fel (sarki éjszaka)"};
inline constexpr TText PolarDay{"Slnko nezapadá (polárny deň)", "The Sun does not set (polar day)",
                                "A Nap nem nyugszik le (sarki nappal)"};
inline constexpr TText MoonRises{"; Mesiac vychádza %1", "; Moon rises %1", "; a Hold kel %1"};
inline constexpr TText MoonNoRise{"; Mesiac v tento deň nevychádza",
                                  "; the Moon does not rise on this date",
                                  "; a Hold ezen a napon nem kel fel"};
inline constexpr TText MoonSets{", zapadá %1", ", sets %1", ", nyugszik %1"};
inline constexpr TText MoonNoSet{", v tento deň nezapadá", ", does not set on this date",
                                 ", ezen a napon nem nyugszik le"};
inline constexpr TText MoonUp{"; Mesiac je celý deň nad obzorom",
                              "; the Moon stays above the horizon all day",
                              "; a Hold egész nap a látóhatár fölött marad"};
inline constexpr TText MoonDown{"; Mesiac je celý deň pod obzorom",
                                "; the Moon stays below the horizon all day",
                                "; a Hold egész nap a látóhatár alatt marad"};
inline constexpr TText Light{", osvetlený na %1 %, %2", ", %1 % lit, %2",
                             ", %1 %-ban megvilágított, %2"};
} // namespace SkyText
// iCalendar summaries
inline constexpr TText Sunrise{"Východ Slnka", "Sunrise", "Napkelte"};
inline constexpr TText Sunset{"Západ Slnka", "Sunset", "Napnyugta"};
inline constexpr TText PolarDaySummary{"Polárny deň", "Polar day", "Sarki nappal"};
inline constexpr TText PolarNightSummary{"Polárna noc", "Polar night", "Sarki éjszaka"};
// of PRODID
inline constexpr TText LanguageCode{"SK", "EN", "HU"};

} // namespace EventText

// Why events of a date are missing, and the times of those a date holds
// twice or more ("second sunset 23:58:59"), in the language; empty when each
// shown event occurs once. Without twilight only sunrise, solar noon and
// sunset count; the Moon's rising and setting count when the date holds the
// Moon's events.
QString DayNote(const TDayEvents &day, bool twilight, TLanguage language);
// The times of further events alone, as the note gives them.
QStringList FurtherEvents(const TDayEvents &day, bool twilight, TLanguage language);
// The kinds the files show of a date: sunrise, noon and sunset, the
// twilights with twilight, the Moon's rising and setting when it holds them.
QList<TEventKind> ShownKinds(const TDayEvents &day, bool twilight);

// The words of the Moon in the language: its phase names, and the fixed
// names of the files ("waxing_crescent").
QString MoonPhaseText(Moon::TPhaseName phase, TLanguage language);
QByteArray MoonPhaseKey(Moon::TPhaseName phase);
// A principal phase (NewMoon ... LastQuarter) in the language.
QString PrincipalPhaseText(TEventKind phase, TLanguage language);
// The text line of a date's sky: where the Sun rises and sets, the Moon's
// rising and setting (each time written by time), its light and phase; for
// what does not happen, a sentence that says so. noEvent stands for a value
// that cannot be given.
QString SkyLineText(const TDayEvents &day, TLanguage language, const QString &noEvent,
                    const std::function<QString(TEventKind)> &time);
