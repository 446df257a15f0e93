// The command-line tool vantu-cli without its main(): the arguments read into
// a plain options value, group by group, and a run that writes everything
// into memory, so both are tested as plain functions. Qt Core only.
#pragma once

#include "common/Clock.h"
#include "common/Language.h"
#include "common/Place.h"
#include "localities/LocalityFile.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

class TGazetteer;

// Exit codes of vantu-cli.
constexpr int CliExitOk = 0;
// Place not found or ambiguous, locality file unreadable, no city data,
// output not written.
constexpr int CliExitFailure = 1;
constexpr int CliExitUsage = 2; // the arguments are wrong

enum class TCliCommand { Sun, At, Find, Easter, Moon, Help, Version };
enum class TCliSpan { Day, Month, Year };
enum class TCliFormat { Text, Csv, Json, ICalendar };

// Where the place comes from: a record of the locality file, coordinates, or
// a city of the gazetteer.
struct TCliPlace {
    enum class TSource { Locality, Coordinates, City };
    TSource Source = TSource::Coordinates;
    QString Name; // the record's or city's name as typed; with coordinates --name
    bool HasName = false;
    QString DatabasePath = QStringLiteral("lokality.xml"); // of a locality
    double Latitude = 0;                                   // north positive, of coordinates
    double Longitude = 0;                                  // east positive
};

// A moment as typed: a date and time (held as UTC, without meaning), and
// the offset written with it, if any; without one it is read on the clock.
struct TCliMoment {
    QDateTime Local;
    std::optional<int> Offset;
};

struct TCliOptions {
    TCliCommand Command = TCliCommand::Sun;
    TCliPlace Place;
    TCliSpan Span = TCliSpan::Day;
    QDate Date;                  // the day, or any day of the month or year
    std::optional<TClock> Clock; // nothing: the place's own clock
    bool Twilight = false;
    bool Sky = false; // the Sun's directions and the Moon's times and light
    TLanguage Language = TLanguage::English;
    TCliFormat Format = TCliFormat::Text;
    int EasterYear = 0;
    QDate MoonDate;
    QString FindText;
    bool Verbose = false; // why the city data is missing, on standard error
    // --at: a moment; on the chosen clock unless it came with its own offset.
    TCliMoment At;
    // The Sun at altitudes (degrees, in the order given), the golden and blue
    // hours, and at bearings (degrees from north).
    QList<double> Altitudes;
    bool Light = false;
    QList<double> Bearings;
    // --aligned: the risings and settings along a bearing, within a tolerance.
    std::optional<double> Aligned;
    double Tolerance = 0.5;
    // --shadow: the shadow of an upright object so many metres tall, with --at.
    std::optional<double> Shadow;
    // --horizon and --height: the terrain's profile file and the height above
    // the surroundings, for the visible rising and setting.
    QString HorizonFile;
    std::optional<double> Height;
};

struct TCliParse {
    std::optional<TCliOptions> Options;      // nothing on a usage error
    QString Error;                           // one line, on a usage error
    QString HelpText;                        // the text --help prints
    TLanguage Language = TLanguage::English; // of the messages, --lang or LANG
};

// Reads the arguments (the program name first, as main receives them). lang is
// the LANG variable (the default language), today the default day.
TCliParse ParseCliArguments(const QStringList &arguments, const QString &lang, const QDate &today);

// "sk..." is Slovak, "hu..." Hungarian, anything else English.
TLanguage LanguageFromLocaleName(const QString &name);

// A moment typed without an offset, on a clock: nothing when the clock skips
// that time (a daylight-saving gap); the first of the two when it shows it
// twice, with a note for standard error.
std::optional<QDateTime> MomentOnClock(const TCliMoment &moment, const TClock &clock,
                                       TLanguage language, QString *note = nullptr);

// Decimal degrees ("48.15", "-17.5") or degrees:minutes[:seconds] with a
// hemisphere letter ("48:09:00N", "17:07:01E"). positive and negative are
// the letters for the two signs ("N"/"S", "E"/"W"). Nothing when malformed
// or beyond limit degrees.
std::optional<double> ParseAngle(const QString &text, QChar positive, QChar negative, double limit);
// "+1:00", "-3:30", "5", "+05:45": seconds east of UTC; nothing when
// malformed, with minutes from 60 on, or outside -12:00 ... +14:00.
std::optional<int> ParseOffset(const QString &text);

// Case and accents dropped, for comparing place names.
QString FoldedName(const QString &name);

struct TPlaceMatch {
    std::optional<TLocality> Record; // the place found
    QStringList Candidates;          // the first names an ambiguous prefix fits
    int MoreCandidates = 0;          // how many more it fits
};
// The record of exactly that name, else the only record whose folded name
// starts with the folded text; candidates when several names fit, at most
// maxCandidates of them. One pass over the list.
TPlaceMatch FindPlace(const TLocalityList &list, const QString &name, int maxCandidates = 20);

struct TCliResult {
    int ExitCode = CliExitOk;
    QByteArray Out; // for stdout, whole or nothing
    QString Error;  // for stderr (may have several lines for an ambiguous name)
    TLanguage Language = TLanguage::English; // of the output and the messages
};

// Runs the options. locale formats the dates of the text lines (the system's,
// as the program's results table uses); cities answers --city and --find.
TCliResult RunCli(const TCliOptions &options, const QLocale &locale, TGazetteer &cities);

// The whole tool: parse and run; what main() does apart from the streams.
// Without cities, the gazetteer beside the program or installed with it.
TCliResult CliMain(const QStringList &arguments, const QString &lang, const QDate &today,
                   const QLocale &locale, TGazetteer *cities = nullptr);
