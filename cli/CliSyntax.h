// vantu-cli's options, each named once, and what its parts share: the
// resolved place and a failed run.
#pragma once

#include "cli/CliOptions.h"

#include <QCommandLineOption>
#include <QList>

// Every option of the tool.
struct TSyntax {
    TSyntax();

    QCommandLineOption Place, Db, Lat, Lon, Name, City, Find, Date, Month, Year, Utc, Cet, Cest,
        Offset, Tz, Sky, At, Twilight, Altitude, Light, Bearing, Aligned, Tolerance, Shadow,
        Horizon, Height, Language, Format, Easter, Moon, Verbose, Help, Version;

    QList<const QCommandLineOption *> All() const;
    // The options of the Sun's events, which the other commands do not take.
    QList<const QCommandLineOption *> SunOnly() const;
    // The options that may be given more than once.
    QList<const QCommandLineOption *> Repeatable() const;
};

// "--date": the option as the user types it.
QString Dashed(const QCommandLineOption &o);

// The text --help prints after Qt's list of the options.
extern const char *const HelpDetails;

// The place of a run and the clock its times are shown on.
struct TResolvedPlace {
    TPlace Place;
    TClock Clock;
};

// The place the options name, on their clock; nothing with the failure to
// report.
std::optional<TResolvedPlace> ResolvePlace(const TCliOptions &o, TGazetteer &cities,
                                           TCliResult &failure);
// When --city took one of several cities, the note for standard error.
TCliResult WithCityNote(const TCliOptions &o, TGazetteer &cities, TCliResult r);
// The city data is missing: one line, with --verbose where it was looked for.
TCliResult NoCityData(const TCliOptions &o, const TGazetteer &cities);

TCliResult Failure(int code, const QString &message);
