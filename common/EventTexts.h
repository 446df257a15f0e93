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

// Around a date of polar day or night, or of the Moon up or down all date:
// the last sunrise, sunset, moonrise or moonset before it and the next after
// it, %1 its date and time.
inline constexpr TText Last[4] = {
    {"posledný východ Slnka %1", "last sunrise %1", "utolsó napkelte %1"},
    {"posledný západ Slnka %1", "last sunset %1", "utolsó napnyugta %1"},
    {"posledný východ Mesiaca %1", "last moonrise %1", "utolsó holdkelte %1"},
    {"posledný západ Mesiaca %1", "last moonset %1", "utolsó holdnyugta %1"}};
inline constexpr TText Next[4] = {
    {"najbližší východ Slnka %1", "next sunrise %1", "következő napkelte %1"},
    {"najbližší západ Slnka %1", "next sunset %1", "következő napnyugta %1"},
    {"najbližší východ Mesiaca %1", "next moonrise %1", "következő holdkelte %1"},
    {"najbližší západ Mesiaca %1", "next moonset %1", "következő holdnyugta %1"}};

// Why the Sun's events at an altitude or a bearing are missing, %1 the angle.
inline constexpr TText StaysAbove{"Slnko zostáva nad %1", "the Sun stays above %1",
                                  "a Nap %1 fölött marad"};
inline constexpr TText StaysBelow{"Slnko zostáva pod %1", "the Sun stays below %1",
                                  "a Nap %1 alatt marad"};
inline constexpr TText NoRiseThrough{"Slnko v tento deň nevystúpi nad %1",
                                     "the Sun does not rise through %1 on this date",
                                     "a Nap ezen a napon nem emelkedik %1 fölé"};
inline constexpr TText NoSetThrough{"Slnko v tento deň neklesne pod %1",
                                    "the Sun does not set through %1 on this date",
                                    "a Nap ezen a napon nem süllyed %1 alá"};
inline constexpr TText BearingNotPassed{"Slnko v tento deň neprejde azimutom %1",
                                        "the Sun does not pass %1 on this date",
                                        "a Nap ezen a napon nem halad át a(z) %1 irányon"};
inline constexpr TText BearingBelow{"Slnko prejde azimutom %1 pod obzorom",
                                    "the Sun passes %1 below the horizon",
                                    "a Nap a látóhatár alatt halad át a(z) %1 irányon"};
// The text lines of altitudes and bearings: %1 the angle, %2 %3 the times,
// or the time and the Sun's altitude then.
inline constexpr TText AltitudeLine{"    Slnko vo výške %1: stúpa %2, klesá %3",
                                    "    Sun at %1: rises %2, sets %3",
                                    "    A Nap %1 magasságban: emelkedik %2, süllyed %3"};
inline constexpr TText BearingLine{"    Slnko na azimute %1: %2, výška %3",
                                   "    Sun at bearing %1: %2, altitude %3",
                                   "    A Nap %1 irányban: %2, magasság %3"};
// The golden and blue hours: %1 their stretches.
inline constexpr TText GoldenHours{"Zlatá hodina %1", "Golden hour %1", "Arany óra %1"};
inline constexpr TText BlueHours{"modrá hodina %1", "blue hour %1", "kék óra %1"};
inline constexpr TText NoGoldenHour{"bez zlatej hodiny", "no golden hour", "nincs arany óra"};
inline constexpr TText NoBlueHour{"bez modrej hodiny", "no blue hour", "nincs kék óra"};
inline constexpr TText And{" a ", " and ", " és "};
// iCalendar summaries
inline constexpr TText GoldenHour{"Zlatá hodina", "Golden hour", "Arany óra"};
inline constexpr TText BlueHour{"Modrá hodina", "Blue hour", "Kék óra"};

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
// The dates of alignment: a line of the text (%1 the date, %2 the event, %3
// its time, %4 its azimuth), none at all, and the iCalendar summary.
inline constexpr TText AlignmentLine{"%1  %2 %3  azimut %4", "%1  %2 %3  azimuth %4",
                                     "%1  %2 %3  azimut %4"};
inline constexpr TText NoAlignment{"Žiadny východ ani západ na tomto azimute",
                                   "No rising or setting on this bearing",
                                   "Nincs kelte vagy nyugta ebben az irányban"};
inline constexpr TText AlignedSummary{"%1, azimut %2", "%1, azimuth %2", "%1, azimut %2"};
// Over a real horizon: the lines of the text (%1 %2 the times), why a
// visible rising is missing, and the stretches a body is seen (%1) when it
// comes out more than once.
inline constexpr TText VisibleSunLine{"    Viditeľný východ Slnka %1, viditeľný západ Slnka %2",
                                      "    Visible sunrise %1, visible sunset %2",
                                      "    Látható napkelte %1, látható napnyugta %2"};
inline constexpr TText VisibleMoonLine{
    "    Viditeľný východ Mesiaca %1, viditeľný západ Mesiaca %2",
    "    Visible moonrise %1, visible moonset %2",
    "    Látható holdkelte %1, látható holdnyugta %2"};
inline constexpr TText SunHidden{"Slnko zostáva celý deň skryté za terénom",
                                 "the Sun stays hidden behind the terrain all day",
                                 "a Nap egész nap a domborzat mögött marad"};
inline constexpr TText MoonHidden{"Mesiac zostáva celý deň skrytý za terénom",
                                  "the Moon stays hidden behind the terrain all day",
                                  "a Hold egész nap a domborzat mögött marad"};
inline constexpr TText SunSeen{"Slnko je vidieť %1", "the Sun is seen %1", "a Nap látható: %1"};
inline constexpr TText MoonSeen{"Mesiac je vidieť %1", "the Moon is seen %1", "a Hold látható: %1"};
inline constexpr TText VisibleSunrise{"Viditeľný východ Slnka", "Visible sunrise",
                                      "Látható napkelte"};
inline constexpr TText VisibleSunset{"Viditeľný západ Slnka", "Visible sunset",
                                     "Látható napnyugta"};
inline constexpr TText VisibleMoonrise{"Viditeľný východ Mesiaca", "Visible moonrise",
                                       "Látható holdkelte"};
inline constexpr TText VisibleMoonset{"Viditeľný západ Mesiaca", "Visible moonset",
                                      "Látható holdnyugta"};
// of PRODID
inline constexpr TText LanguageCode{"SK", "EN", "HU"};

} // namespace EventText

// Why events of a date are missing, and the times of those a date holds
// twice or more ("second sunset 23:58:59"), in the language; empty when each
// shown event occurs once. Without twilight only sunrise, solar noon and
// sunset count; the Moon's rising and setting count when the date holds the
// Moon's events.
QString DayNote(const TDayEvents &day, bool twilight, TLanguage language);
// "Polar night; last sunset 2026-11-27 12:51, next sunrise 2027-01-15
// 11:49" for a date of polar day or night, as far as they were found; empty
// for any other date.
QString PolarText(const TDayEvents &day, TLanguage language);
// Whether a date holds a kind of the Sun or the Moon more than once.
bool HoldsTwice(const TDayEvents &day);
// The times of further events alone, as the note gives them.
QStringList FurtherEvents(const TDayEvents &day, bool twilight, TLanguage language);
// The kinds the files show of a date: sunrise, noon and sunset, the
// twilights with twilight, the Moon's rising and setting when it holds them.
QList<TEventKind> ShownKinds(const TDayEvents &day, bool twilight);

// The golden hour's and the blue hour's bounds, the Sun's centre in degrees:
// the blue hour from BlueFrom to GoldenFrom, the golden hour from GoldenFrom
// to GoldenTo.
struct TLightBands {
    double BlueFrom = -6;
    double GoldenFrom = -4;
    double GoldenTo = 6;
};

// The Sun's altitudes and bearings a file shows, and whether the golden and
// blue hours are named (their altitudes among the altitudes).
struct TAngleColumns {
    QList<double> Altitudes;
    QList<double> Bearings;
    bool Light = false;
    TLightBands Bands;
    // The visible rising and setting over the horizon the dates were asked
    // with (the Moon's too when they hold it).
    bool Visible = false;
};

// The altitudes whose columns and lines a file shows: those asked for, then
// the golden and blue hours' bounds not among them.
QList<double> ShownAltitudes(const TAngleColumns &angles);
// The request of a file's dates with the angles' events.
void RequestAngles(TEventRequest &request, const TAngleColumns &angles);

// Why the events of the altitudes and bearings are missing, as parts of the
// note.
QStringList AngleNotes(const TDayEvents &day, const TAngleColumns &angles, TLanguage language);
// The visible rising and setting of the Sun (or the Moon): the first
// appearance and the last disappearance of the date.
const TEvent *VisibleRise(const TDayEvents &day, bool moon);
const TEvent *VisibleSet(const TDayEvents &day, bool moon);
// Why they are missing, or the stretches the body is seen when it comes out
// more than once ("07:12:03–09:31:20 and 09:40:11–24:00:00"), as parts of the
// note; time writes a moment.
QStringList VisibleNotes(const TDayEvents &day, bool moon, TLanguage language,
                         const std::function<QString(TInstant, int32_t)> &time);

// "6°", "−4°", "299,3°": an angle as a text names it.
QString AngleText(double degrees, TLanguage language);
// The golden and blue hours of a date in a sentence: "Golden hour 06:12–07:05
// and 19:40–20:33; blue hour 05:58–06:12 and 20:33–20:47".
QString LightText(const TDayEvents &day, TLanguage language, const TLightBands &bands = {});

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
