// What vantu-cli says, in the language of its output: the lines of the
// sky at a moment and of the Moon's picture, and every message on standard
// error.
#pragma once

#include "common/Texts.h"

#include <QString>

namespace CliText
{

// ------------------------------------------------------------------ output

// %1 date, %2 fraction, %3 picture number
inline constexpr TText MoonLine{"%1: fáza Mesiaca %2, obrázok %3", "%1: Moon phase %2, picture %3",
                                "%1: holdfázis %2, %3. kép"};
// The sky at a moment: %1 place, %2 moment; %1 altitude, %2 azimuth;
// then the Moon's, %3 lit per cent, %4 phase.
inline constexpr TText AtLine{"%1, %2", "%1, %2", "%1, %2"};
inline constexpr TText SunAt{"Slnko: výška %1°, azimut %2°", "Sun: altitude %1°, azimuth %2°",
                             "Nap: magasság %1°, azimut %2°"};
inline constexpr TText MoonAt{"Mesiac: výška %1°, azimut %2°, osvetlený na %3 % (%4)",
                              "Moon: altitude %1°, azimuth %2°, %3 % lit (%4)",
                              "Hold: magasság %1°, azimut %2°, %3 %-ban megvilágított (%4)"};

// The shadow at a moment: %1 its length in metres, %2 its azimuth; or none.
inline constexpr TText ShadowAt{"Tieň %1 m, azimut %2°", "Shadow %1 m, azimuth %2°",
                                "Árnyék %1 m, azimut %2°"};
inline constexpr TText NoShadow{"Slnko je pod obzorom: bez tieňa",
                                "The Sun is below the horizon: no shadow",
                                "A Nap a látóhatár alatt van: nincs árnyék"};

// Over the real horizon at that moment.
inline constexpr TText SunSeen{"Slnko je nad obzorom, ako ho vidieť",
                               "The Sun clears the horizon as seen",
                               "A Nap a látható látóhatár fölött van"};
inline constexpr TText SunHidden{"Slnko je za obzorom, ako ho vidieť",
                                 "The Sun is behind the horizon as seen",
                                 "A Nap a látható látóhatár mögött van"};

// ---------------------------------------------------------------- arguments

// %1 the option as typed
inline constexpr TText UnknownOption{"neznáma voľba: %1", "unknown option: %1",
                                     "ismeretlen kapcsoló: %1"};
inline constexpr TText MissingValue{"%1 potrebuje hodnotu", "%1 needs a value", "%1 értéket vár"};
inline constexpr TText Unexpected{"nečakaný argument: %1", "unexpected argument: %1",
                                  "váratlan argumentum: %1"};
inline constexpr TText GivenTwice{"%1 je zadané viackrát", "%1 is given more than once",
                                  "%1 többször szerepel"};
inline constexpr TText TwoCommands{"%1 a %2 nemožno kombinovať", "%1 and %2 cannot be combined",
                                   "%1 és %2 nem használható együtt"};
inline constexpr TText CannotCombine{"%1 nemožno kombinovať s %2", "%1 cannot be combined with %2",
                                     "%1 nem használható együtt ezzel: %2"};
inline constexpr TText LanguageSyntax{"--lang musí byť sk, en alebo hu: %1",
                                      "--lang must be sk, en or hu: %1",
                                      "--lang értéke sk, en vagy hu lehet: %1"};
inline constexpr TText FormatWithIcs{"--format musí byť text, csv, json alebo ics: %1",
                                     "--format must be text, csv, json or ics: %1",
                                     "--format értéke text, csv, json vagy ics lehet: %1"};
inline constexpr TText FormatNoIcs{"--format musí byť text, csv alebo json: %1",
                                   "--format must be text, csv or json: %1",
                                   "--format értéke text, csv vagy json lehet: %1"};

// Days.
inline constexpr TText OneSpan{"zadajte len jedno z --date, --month a --year",
                               "give only one of --date, --month and --year",
                               "csak egyet adjon meg ezek közül: --date, --month, --year"};
inline constexpr TText DateSyntax{"--date potrebuje dátum RRRR-MM-DD: %1",
                                  "--date needs a date YYYY-MM-DD: %1",
                                  "--date dátumot vár ÉÉÉÉ-HH-NN alakban: %1"};
inline constexpr TText MonthSyntax{"--month potrebuje mesiac RRRR-MM: %1",
                                   "--month needs a month YYYY-MM: %1",
                                   "--month hónapot vár ÉÉÉÉ-HH alakban: %1"};
inline constexpr TText YearSyntax{"--year potrebuje rok 1 ... 9999: %1",
                                  "--year needs a year 1 ... 9999: %1",
                                  "--year évet vár 1 és 9999 között: %1"};
inline constexpr TText EasterYear{"--easter potrebuje gregoriánsky rok 1583 ... 9999: %1",
                                  "--easter needs a Gregorian year 1583 ... 9999: %1",
                                  "--easter Gergely-naptári évet vár 1583 és 9999 között: %1"};
inline constexpr TText MoonDate{"--moon potrebuje dátum RRRR-MM-DD: %1",
                                "--moon needs a date YYYY-MM-DD: %1",
                                "--moon dátumot vár ÉÉÉÉ-HH-NN alakban: %1"};
// %1 the option, %2 the value
inline constexpr TText MomentSyntax{
    "%1 potrebuje okamih ako 2026-06-21T21:30 alebo 2026-06-21T21:30+02:00: %2",
    "%1 needs a moment like 2026-06-21T21:30 or 2026-06-21T21:30+02:00: %2",
    "%1 időpontot vár, például 2026-06-21T21:30 vagy 2026-06-21T21:30+02:00: %2"};
inline constexpr TText MomentOffset{"%1 má posun mimo -12:00 ... +14:00: %2",
                                    "%1 has an offset beyond -12:00 ... +14:00: %2",
                                    "%1 eltolása kívül esik a -12:00 ... +14:00 tartományon: %2"};

// Places.
inline constexpr TText LatitudeAndLongitude{"--lat a --lon patria k sebe",
                                            "--lat and --lon go together",
                                            "--lat és --lon csak együtt adható meg"};
inline constexpr TText LatitudeSyntax{
    "--lat musí byť -90 ... 90 stupňov alebo ako 48:09:00N: %1",
    "--lat must be -90 ... 90 degrees, or like 48:09:00N: %1",
    "--lat értéke -90 ... 90 fok lehet, vagy például 48:09:00N: %1"};
inline constexpr TText LongitudeSyntax{
    "--lon musí byť -180 ... 180 stupňov alebo ako 17:07:01E: %1",
    "--lon must be -180 ... 180 degrees, or like 17:07:01E: %1",
    "--lon értéke -180 ... 180 fok lehet, vagy például 17:07:01E: %1"};
inline constexpr TText OnePlace{
    "zadajte jedno miesto: --place NÁZOV, --lat a --lon, alebo --city NÁZOV",
    "give one place: --place NAME, --lat and --lon, or --city NAME",
    "egyetlen helyet adjon meg: --place NÉV, --lat és --lon, vagy --city NÉV"};
inline constexpr TText GivePlace{
    "zadajte miesto: --place NÁZOV, --lat a --lon, alebo --city NÁZOV",
    "give a place: --place NAME, --lat and --lon, or --city NAME",
    "adjon meg egy helyet: --place NÉV, --lat és --lon, vagy --city NÉV"};
inline constexpr TText DbWithPlace{"--db patrí k --place", "--db goes with --place",
                                   "--db csak a --place mellett adható meg"};
inline constexpr TText NameWithCoordinates{"--name patrí k --lat a --lon",
                                           "--name goes with --lat and --lon",
                                           "--name csak a --lat és --lon mellett adható meg"};
inline constexpr TText NeedsName{"%1 potrebuje názov", "%1 needs a name", "%1 nevet vár"};
inline constexpr TText DbNeedsFile{"--db potrebuje názov súboru", "--db needs a file name",
                                   "--db fájlnevet vár"};

// Clocks.
inline constexpr TText OneClock{"zadajte len jedno z --utc, --cet, --cest, --offset a --tz",
                                "give only one of --utc, --cet, --cest, --offset and --tz",
                                "csak egyet adjon meg ezek közül: --utc, --cet, --cest, --offset, "
                                "--tz"};
inline constexpr TText OffsetSyntax{"--offset potrebuje [+-]H:MM od -12:00 do +14:00: %1",
                                    "--offset needs [+-]H:MM from -12:00 to +14:00: %1",
                                    "--offset [+-]Ó:PP értéket vár -12:00 és +14:00 között: %1"};
inline constexpr TText UnknownZone{"neznáme časové pásmo: %1", "unknown time zone: %1",
                                   "ismeretlen időzóna: %1"};

// Angles of the Sun. %1 the value as typed.
inline constexpr TText AltitudeSyntax{"--altitude potrebuje stupne od -89 do 89: %1",
                                      "--altitude needs degrees from -89 to 89: %1",
                                      "--altitude fokot vár -89 és 89 között: %1"};
inline constexpr TText BearingSyntax{"%1 potrebuje azimut od 0 do 360 stupňov: %2",
                                     "%1 needs a bearing from 0 to 360 degrees: %2",
                                     "%1 irányszöget vár 0 és 360 fok között: %2"};
inline constexpr TText ToleranceSyntax{"--tolerance potrebuje stupne väčšie ako 0, najviac 180: %1",
                                       "--tolerance needs degrees above 0, at most 180: %1",
                                       "--tolerance 0-nál nagyobb, legfeljebb 180 fokot vár: %1"};
inline constexpr TText ShadowSyntax{"--shadow potrebuje výšku v metroch väčšiu ako 0: %1",
                                    "--shadow needs a height in metres above 0: %1",
                                    "--shadow 0-nál nagyobb magasságot vár méterben: %1"};
inline constexpr TText AlignedSpan{"--aligned potrebuje --month alebo --year",
                                   "--aligned needs --month or --year",
                                   "--aligned mellé --month vagy --year kell"};
inline constexpr TText HeightSyntax{"--height potrebuje metre od 0 do 10000: %1",
                                    "--height needs metres from 0 to 10000: %1",
                                    "--height 0 és 10000 közötti métert vár: %1"};
// %1 the option, %2 the one it goes with
inline constexpr TText GoesWith{"%1 patrí k %2", "%1 goes with %2",
                                "%1 csak a(z) %2 mellett adható meg"};

// ------------------------------------------------------------------- runs

inline constexpr TText LocalityMissing{"súbor lokalít sa nenašiel: %1",
                                       "locality file not found: %1",
                                       "a helységfájl nem található: %1"};
inline constexpr TText LocalityDamaged{
    "súbor lokalít nemožno prečítať (je prázdny alebo poškodený): %1",
    "locality file cannot be read (empty or damaged): %1",
    "a helységfájl nem olvasható (üres vagy sérült): %1"};
inline constexpr TText PlaceNotFound{"miesto sa nenašlo: %1", "place not found: %1",
                                     "a hely nem található: %1"};
inline constexpr TText PlaceAmbiguous{"názov miesta nie je jednoznačný: %1; zodpovedá mu",
                                      "place name is ambiguous: %1; it fits",
                                      "a hely neve nem egyértelmű: %1; illik rá"};
inline constexpr TText AndMore{"... a ďalších %1", "... and %1 more", "... és még %1"};
inline constexpr TText NoCityData{"chýbajú údaje o mestách: nainštalujte balík libgeonames0",
                                  "no city data: install the package libgeonames0",
                                  "nincsenek városadatok: telepítse a libgeonames0 csomagot"};
inline constexpr TText CityNotFound{"mesto sa nenašlo: %1", "city not found: %1",
                                    "a város nem található: %1"};
inline constexpr TText NoCityMatches{"žiadne mesto nezodpovedá: %1", "no city matches: %1",
                                     "egyik város sem illik rá: %1"};
// %1 the name typed, %2 the city taken
inline constexpr TText CityTaken{"„%1“ sa berie ako %2", "\"%1\" taken as %2",
                                 "„%1” alapján a választás: %2"};
inline constexpr TText OnlyCity{", jediné mesto, ktorému zodpovedá", ", the only city it matches",
                                ", az egyetlen város, amelyre illik"};
// %1 how many, %2 the name typed: one, two to four, five and more
inline constexpr TText OtherCities[3] = {
    {"; zodpovedá aj %1 ďalšie mesto (vypíše ich --find „%2“)",
     "; %1 other city matches too (--find \"%2\" lists them)",
     "; még %1 város illik rá (a --find „%2” felsorolja őket)"},
    {"; zodpovedajú aj %1 ďalšie mestá (vypíše ich --find „%2“)",
     "; %1 other cities match too (--find \"%2\" lists them)",
     "; még %1 város illik rá (a --find „%2” felsorolja őket)"},
    {"; zodpovedá aj %1 ďalších miest (vypíše ich --find „%2“)",
     "; %1 other cities match too (--find \"%2\" lists them)",
     "; még %1 város illik rá (a --find „%2” felsorolja őket)"}};
inline constexpr TText IcsYears{
    "iCalendar zapíše len roky 0001 ... 9999 v UTC; tieto dni siahajú za ne",
    "iCalendar holds the years 0001 ... 9999 of UTC only; these dates reach beyond them",
    "az iCalendar csak az UTC szerinti 0001 ... 9999 éveket tárolja; ezek a napok túlnyúlnak "
    "rajtuk"};
inline constexpr TText MomentOutside{"%1 leží mimo rokov 0001 ... 9999: %2",
                                     "%1 lies outside the years 0001 ... 9999: %2",
                                     "%1 kívül esik a 0001 ... 9999 éveken: %2"};
// %1 the time, %2 the date, %3 the clock
inline constexpr TText TimeInGap{"%1 v deň %2 na hodinách %3 neexistuje: hodiny ho preskočia",
                                 "%1 does not exist on %2 on the clock %3: the clock skips it",
                                 "%1 nem létezik %2 napján a(z) %3 óra szerint: az óra átugorja"};
// %1 the time, %2 the date, %3 the clock, %4 the offset taken
inline constexpr TText TimeTwice{
    "%1 je v deň %2 na hodinách %3 dvakrát; berie sa prvý, s posunom %4",
    "%1 occurs twice on %2 on the clock %3; the first, at %4, is taken",
    "%1 kétszer fordul elő %2 napján a(z) %3 óra szerint; az első, %4 eltolással, számít"};
inline constexpr TText CannotWrite{"výstup nemožno zapísať", "cannot write the output",
                                   "a kimenet nem írható"};

} // namespace CliText

// Text typed by the user, fit to be echoed in a message: control characters
// written as escapes (\n, \t, \x1b), so that a line stays one line and
// nothing reaches the terminal as a command.
QString Shown(const QString &text);
