// vantu-cli: the arguments read into options, one group at a time.
#include "cli/CliOptions.h"

#include "common/FileLocations.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QTimeZone>

#include <cmath>

namespace
{

// ------------------------------------------------------------------ texts

const char *const HelpDetails =
    "\nPlace: --place NAME looks the name up in the program's lokality.xml (the\n"
    "working folder's; ~/.local/share/vantu/ when installed)\n"
    "(or --db FILE): the exact name, else the only name that starts with NAME,\n"
    "ignoring case and accents. Or --lat and --lon in decimal degrees (north and\n"
    "east positive) or as 48:09:00N and 17:07:01E, named by --name. Or --city NAME,\n"
    "the best match among the world's larger cities (--find TEXT lists them).\n"
    "\nClock: the place's own clock (Hod + Min/60 of its record; UTC for --lat/--lon;\n"
    "the city's time zone) unless --utc, --cet, --cest, --offset or --tz is given.\n"
    "Text lines are tagged [UTC], [CET], [CEST] or [Local] as in the program's\n"
    "results table, [UTC+05:45] for --offset and [Europe/Bratislava] for a zone\n"
    "(each time on the offset in force at that moment, daylight saving included).\n"
    "A line or row of a date holds the events that fall on that date of the clock.\n"
    "\nSky: --sky adds the columns sunrise_azimuth, sunset_azimuth (degrees from\n"
    "north), moonrise, moonset, moon_illumination and moon_phase (at 12:00 of the\n"
    "date), and to iCalendar the Moon's risings, settings and principal phases.\n"
    "--at TIME gives the Sun's and the Moon's altitude and azimuth at that moment.\n"
    "\nExit codes: 0 done; 1 place or city not found or ambiguous, locality file\n"
    "missing or unreadable, no city data, or the output cannot be written; 2 wrong\n"
    "arguments, or iCalendar asked for events outside the years 0001 ... 9999.\n";

// ------------------------------------------------------------------ syntax

// Every option of the tool, named once.
struct TSyntax {
    QCommandLineOption Place{QStringLiteral("place"),
                             QStringLiteral("Place NAME from the locality file."),
                             QStringLiteral("NAME")};
    QCommandLineOption Db{QStringLiteral("db"),
                          QStringLiteral("Locality FILE (default lokality.xml)."),
                          QStringLiteral("FILE")};
    QCommandLineOption Lat{QStringLiteral("lat"), QStringLiteral("Latitude: 48.15 or 48:09:00N."),
                           QStringLiteral("DEG")};
    QCommandLineOption Lon{QStringLiteral("lon"),
                           QStringLiteral("Longitude: 17.117 (east) or 17:07:01E."),
                           QStringLiteral("DEG")};
    QCommandLineOption Name{QStringLiteral("name"),
                            QStringLiteral("Name of the place given by --lat and --lon."),
                            QStringLiteral("TEXT")};
    QCommandLineOption City{QStringLiteral("city"),
                            QStringLiteral("A city of the world by its name, in its time zone."),
                            QStringLiteral("NAME")};
    QCommandLineOption Find{QStringLiteral("find"),
                            QStringLiteral("List the cities whose name matches TEXT."),
                            QStringLiteral("TEXT")};
    QCommandLineOption Date{QStringLiteral("date"),
                            QStringLiteral("One day, YYYY-MM-DD (default today)."),
                            QStringLiteral("DATE")};
    QCommandLineOption Month{QStringLiteral("month"), QStringLiteral("A whole month, YYYY-MM."),
                             QStringLiteral("MONTH")};
    QCommandLineOption Year{QStringLiteral("year"), QStringLiteral("A whole year, YYYY."),
                            QStringLiteral("YEAR")};
    QCommandLineOption Utc{QStringLiteral("utc"), QStringLiteral("Times in UTC.")};
    QCommandLineOption Cet{QStringLiteral("cet"), QStringLiteral("Times in CET (UTC+1).")};
    QCommandLineOption Cest{QStringLiteral("cest"), QStringLiteral("Times in CEST (UTC+2).")};
    QCommandLineOption Offset{QStringLiteral("offset"),
                              QStringLiteral("Times on a fixed offset, e.g. +1:00."),
                              QStringLiteral("[+-]H:MM")};
    QCommandLineOption Tz{QStringLiteral("tz"),
                          QStringLiteral("Civil time of a zone with daylight saving, "
                                         "e.g. Europe/Bratislava."),
                          QStringLiteral("ZONE")};
    QCommandLineOption Sky{QStringLiteral("sky"),
                           QStringLiteral("Add where the Sun rises and sets, the Moon's rising "
                                          "and setting, its light and phase.")};
    QCommandLineOption At{QStringLiteral("at"),
                          QStringLiteral("The Sun and the Moon in the sky at a moment, "
                                         "2026-06-21T21:30 on the clock or with an offset."),
                          QStringLiteral("TIME")};
    QCommandLineOption Twilight{
        QStringLiteral("twilight"),
        QStringLiteral("Add civil, nautical and astronomical twilight and day length.")};
    QCommandLineOption Language{QStringLiteral("lang"),
                                QStringLiteral("sk, en or hu (default from LANG)."),
                                QStringLiteral("LANG")};
    QCommandLineOption Format{QStringLiteral("format"),
                              QStringLiteral("text (default), csv, json or ics."),
                              QStringLiteral("FORMAT")};
    QCommandLineOption Easter{QStringLiteral("easter"),
                              QStringLiteral("The date of Easter Sunday in YEAR."),
                              QStringLiteral("YEAR")};
    QCommandLineOption Moon{QStringLiteral("moon"),
                            QStringLiteral("Moon phase fraction and picture on DATE."),
                            QStringLiteral("DATE")};
    QCommandLineOption Verbose{QStringLiteral("verbose"),
                               QStringLiteral("Say where the city data was looked for.")};
    QCommandLineOption Help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("This help.")};
    QCommandLineOption Version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("The version.")};

    QList<const QCommandLineOption *> All() const
    {
        return {&Place,    &Db,     &Lat,    &Lon,  &Name,    &City,   &Find,   &Date,     &Month,
                &Year,     &At,     &Utc,    &Cet,  &Cest,    &Offset, &Tz,     &Twilight, &Sky,
                &Language, &Format, &Easter, &Moon, &Verbose, &Help,   &Version};
    }
    // The options of the Sun's events, which the other commands do not take.
    QList<const QCommandLineOption *> SunOnly() const
    {
        return {&Place, &Db,  &Lat, &Lon,  &Name,   &City, &Date,     &Month, &Year,
                &At,    &Utc, &Cet, &Cest, &Offset, &Tz,   &Twilight, &Sky};
    }
};

QString Dashed(const QCommandLineOption &o)
{
    return QStringLiteral("--") + o.names().constLast();
}

// A usage error in one line, or nothing when the group is right.
using TCheck = std::optional<QString>;

// ------------------------------------------------------------------ days

bool ParseYear(const QString &text, int &year)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{4}$"));
    if (!pattern.match(text).hasMatch())
        return false;
    year = text.toInt();
    return year >= 1 && year <= 9999;
}

// "YYYY-MM-DD", or "YYYY-MM" for the first of the month; a real date of the
// years 1 and later.
std::optional<QDate> ParseDate(const QString &text, bool withDay)
{
    static const QRegularExpression dayPattern(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    static const QRegularExpression monthPattern(QStringLiteral("^(\\d{4})-(\\d{2})$"));
    const QRegularExpressionMatch m = (withDay ? dayPattern : monthPattern).match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(),
                     withDay ? m.captured(3).toInt() : 1);
    if (!date.isValid() || date.year() < 1)
        return std::nullopt;
    return date;
}

// "2026-06-21T21:30", with seconds, and an offset ("+02:00", "Z") or none.
TCheck ReadMoment(const TSyntax &s, const QCommandLineParser &p, TCliOptions &o)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(\\d{4}-\\d{2}-\\d{2})T(\\d{2}):(\\d{2})(?::(\\d{2}))?(Z|[+-]\\d{2}:\\d{2})?$"));
    const QString text = p.value(s.At);
    const QRegularExpressionMatch m = pattern.match(text);
    const std::optional<QDate> day = m.hasMatch() ? ParseDate(m.captured(1), true) : std::nullopt;
    const QTime time(m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
    if (!day || !time.isValid())
        return QStringLiteral("--at needs a moment like 2026-06-21T21:30 or "
                              "2026-06-21T21:30+02:00: %1")
            .arg(text);
    o.Command = TCliCommand::At;
    o.AtLocal = QDateTime(*day, time, Qt::UTC);
    if (m.captured(5) == QLatin1String("Z")) {
        o.AtOffset = 0;
    } else if (!m.captured(5).isEmpty()) {
        const std::optional<int> offset = ParseOffset(m.captured(5));
        if (!offset)
            return QStringLiteral("--at has an offset beyond -12:00 ... +14:00: %1").arg(text);
        o.AtOffset = offset;
    }
    return std::nullopt;
}

TCheck ReadDays(const TSyntax &s, const QCommandLineParser &p, TCliOptions &o)
{
    if (p.isSet(s.At)) {
        for (const QCommandLineOption *other : {&s.Date, &s.Month, &s.Year, &s.Twilight, &s.Sky})
            if (p.isSet(*other))
                return QStringLiteral("--at cannot be combined with %1").arg(Dashed(*other));
        return ReadMoment(s, p, o);
    }
    if (int(p.isSet(s.Date)) + int(p.isSet(s.Month)) + int(p.isSet(s.Year)) > 1)
        return QStringLiteral("give only one of --date, --month and --year");
    if (p.isSet(s.Date)) {
        const std::optional<QDate> d = ParseDate(p.value(s.Date), true);
        if (!d)
            return QStringLiteral("--date needs a date YYYY-MM-DD: %1").arg(p.value(s.Date));
        o.Date = *d;
    } else if (p.isSet(s.Month)) {
        const std::optional<QDate> d = ParseDate(p.value(s.Month), false);
        if (!d)
            return QStringLiteral("--month needs a month YYYY-MM: %1").arg(p.value(s.Month));
        o.Date = *d;
        o.Span = TCliSpan::Month;
    } else if (p.isSet(s.Year)) {
        int y = 0;
        if (!ParseYear(p.value(s.Year), y))
            return QStringLiteral("--year needs a year 0001 ... 9999: %1").arg(p.value(s.Year));
        o.Date = QDate(y, 1, 1);
        o.Span = TCliSpan::Year;
    }
    return std::nullopt;
}

// ------------------------------------------------------------------ place

TCheck ReadCoordinates(const TSyntax &s, const QCommandLineParser &p, TCliPlace &place)
{
    if (!p.isSet(s.Lat) || !p.isSet(s.Lon))
        return QStringLiteral("--lat and --lon go together");
    const std::optional<double> la =
        ParseAngle(p.value(s.Lat), QLatin1Char('N'), QLatin1Char('S'), 90);
    if (!la)
        return QStringLiteral("--lat must be -90 ... 90 degrees, or like 48:09:00N: %1")
            .arg(p.value(s.Lat));
    const std::optional<double> lo =
        ParseAngle(p.value(s.Lon), QLatin1Char('E'), QLatin1Char('W'), 180);
    if (!lo)
        return QStringLiteral("--lon must be -180 ... 180 degrees, or like 17:07:01E: %1")
            .arg(p.value(s.Lon));
    place.Source = TCliPlace::TSource::Coordinates;
    place.Latitude = *la;
    place.Longitude = *lo;
    place.HasName = p.isSet(s.Name);
    place.Name = p.value(s.Name);
    return std::nullopt;
}

TCheck ReadPlace(const TSyntax &s, const QCommandLineParser &p, TCliOptions &o)
{
    const bool coordinates = p.isSet(s.Lat) || p.isSet(s.Lon);
    if (int(p.isSet(s.Place)) + int(coordinates) + int(p.isSet(s.City)) > 1)
        return QStringLiteral("give one place: --place NAME, --lat and --lon, or --city NAME");
    if (p.isSet(s.Db) && !p.isSet(s.Place))
        return QStringLiteral("--db goes with --place");
    if (p.isSet(s.Name) && !coordinates)
        return QStringLiteral("--name goes with --lat and --lon");
    TCliPlace &place = o.Place;
    if (coordinates)
        return ReadCoordinates(s, p, place);
    if (p.isSet(s.City)) {
        place.Source = TCliPlace::TSource::City;
        place.Name = p.value(s.City);
        if (place.Name.trimmed().isEmpty())
            return QStringLiteral("--city needs a name");
        return std::nullopt;
    }
    if (!p.isSet(s.Place))
        return QStringLiteral("give a place: --place NAME, --lat and --lon, or --city NAME");
    place.Source = TCliPlace::TSource::Locality;
    place.Name = p.value(s.Place);
    if (place.Name.trimmed().isEmpty())
        return QStringLiteral("--place needs a name");
    // The program's own file: the working folder's, or the user's data
    // folder when installed.
    place.DatabasePath = p.isSet(s.Db) ? p.value(s.Db) : FileLocations().LocalityFile;
    if (place.DatabasePath.isEmpty())
        return QStringLiteral("--db needs a file name");
    return std::nullopt;
}

// ------------------------------------------------------------------ clock

TCheck ReadClock(const TSyntax &s, const QCommandLineParser &p, TCliOptions &o)
{
    if (int(p.isSet(s.Utc)) + int(p.isSet(s.Cet)) + int(p.isSet(s.Cest)) + int(p.isSet(s.Offset)) +
            int(p.isSet(s.Tz)) >
        1)
        return QStringLiteral("give only one of --utc, --cet, --cest, --offset and --tz");
    if (p.isSet(s.Utc))
        o.Clock = TClock::Utc();
    else if (p.isSet(s.Cet))
        o.Clock = TClock::Cet();
    else if (p.isSet(s.Cest))
        o.Clock = TClock::Cest();
    if (p.isSet(s.Offset)) {
        const std::optional<int> seconds = ParseOffset(p.value(s.Offset));
        if (!seconds)
            return QStringLiteral("--offset needs [+-]H:MM from -12:00 to +14:00: %1")
                .arg(p.value(s.Offset));
        o.Clock = TClock::Offset(*seconds);
    }
    if (p.isSet(s.Tz)) {
        // Any name the system's time zone database resolves, links such as
        // US/Eastern and Etc/UTC included.
        const QTimeZone zone(p.value(s.Tz).toUtf8());
        if (p.value(s.Tz).isEmpty() || !zone.isValid())
            return QStringLiteral("unknown time zone: %1").arg(p.value(s.Tz));
        o.Clock = TClock::Zone(zone);
    }
    return std::nullopt;
}

// ------------------------------------------------------------------ output

TCheck ReadLanguage(const TSyntax &s, const QCommandLineParser &p, TCliOptions &o)
{
    if (!p.isSet(s.Language))
        return std::nullopt;
    const QString code = p.value(s.Language);
    const int index = int(QStringList{"sk", "en", "hu"}.indexOf(code));
    if (index < 0)
        return QStringLiteral("--lang must be sk, en or hu: %1").arg(code);
    o.Language = *LanguageFromIndex(index);
    return std::nullopt;
}

TCheck ReadOutput(const TSyntax &s, const QCommandLineParser &p, TCliOptions &o)
{
    o.Twilight = p.isSet(s.Twilight);
    o.Sky = p.isSet(s.Sky);
    if (!p.isSet(s.Format))
        return std::nullopt;
    const QString f = p.value(s.Format);
    const QStringList names = {"text", "csv", "json", "ics"};
    const int index = int(names.indexOf(f));
    // A list of cities and one moment's sky are no calendar.
    const bool calendar = o.Command == TCliCommand::Sun;
    if (index < 0 || (!calendar && index == 3))
        return QStringLiteral("--format must be text, csv, json%1: %2")
            .arg(calendar ? QStringLiteral(" or ics") : QString(), f);
    o.Format = TCliFormat(index);
    return std::nullopt;
}

// ------------------------------------------------------------------ commands

// --easter, --moon and --find stand alone: none of the Sun's options.
TCheck ReadOtherCommand(const TSyntax &s, const QCommandLineParser &p, TCliOptions &o)
{
    const QList<const QCommandLineOption *> commands = {&s.Easter, &s.Moon, &s.Find};
    const QCommandLineOption *command = nullptr;
    for (const QCommandLineOption *c : commands) {
        if (!p.isSet(*c))
            continue;
        if (command)
            return QStringLiteral("%1 and %2 cannot be combined").arg(Dashed(*command), Dashed(*c));
        command = c;
    }
    for (const QCommandLineOption *sun : s.SunOnly())
        if (p.isSet(*sun))
            return QStringLiteral("%1 cannot be combined with %2")
                .arg(Dashed(*command), Dashed(*sun));
    if (command != &s.Find && p.isSet(s.Format))
        return QStringLiteral("%1 cannot be combined with --format").arg(Dashed(*command));
    if (command == &s.Easter) {
        int y = 0;
        if (!ParseYear(p.value(s.Easter), y) || y < 1583)
            return QStringLiteral("--easter needs a Gregorian year 1583 ... 9999: %1")
                .arg(p.value(s.Easter));
        o.Command = TCliCommand::Easter;
        o.EasterYear = y;
    } else if (command == &s.Moon) {
        const std::optional<QDate> day = ParseDate(p.value(s.Moon), true);
        if (!day)
            return QStringLiteral("--moon needs a date YYYY-MM-DD: %1").arg(p.value(s.Moon));
        o.Command = TCliCommand::Moon;
        o.MoonDate = *day;
    } else {
        o.Command = TCliCommand::Find;
        o.FindText = p.value(s.Find);
    }
    return std::nullopt;
}

} // namespace

// --------------------------------------------------------------- helpers

TLanguage LanguageFromLocaleName(const QString &name)
{
    if (name.startsWith(QLatin1String("sk")))
        return TLanguage::Slovak;
    if (name.startsWith(QLatin1String("hu")))
        return TLanguage::Hungarian;
    return TLanguage::English;
}

std::optional<double> ParseAngle(const QString &text, QChar positive, QChar negative, double limit)
{
    static const QRegularExpression decimal(QStringLiteral("^[+-]?\\d{1,3}(\\.\\d+)?$"));
    static const QRegularExpression sexagesimal(
        QStringLiteral("^(\\d{1,3}):(\\d{1,2})(?::(\\d{1,2}(?:\\.\\d+)?))?([A-Za-z])$"));
    double value = 0;
    if (decimal.match(text).hasMatch()) {
        value = text.toDouble();
    } else {
        const QRegularExpressionMatch m = sexagesimal.match(text);
        if (!m.hasMatch())
            return std::nullopt;
        const QChar letter = m.captured(4).at(0).toUpper();
        if (letter != positive && letter != negative)
            return std::nullopt;
        const int minutes = m.captured(2).toInt();
        const double seconds = m.captured(3).isEmpty() ? 0.0 : m.captured(3).toDouble();
        if (minutes >= 60 || seconds >= 60)
            return std::nullopt;
        value = m.captured(1).toInt() + minutes / 60.0 + seconds / 3600.0;
        if (letter == negative)
            value = -value;
    }
    if (!std::isfinite(value) || std::fabs(value) > limit)
        return std::nullopt;
    return value;
}

std::optional<int> ParseOffset(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^([+-]?)(\\d{1,2})(?::(\\d{2}))?$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int hours = m.captured(2).toInt();
    const int minutes = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (minutes >= 60)
        return std::nullopt;
    const int seconds =
        (m.captured(1) == QLatin1String("-") ? -1 : 1) * (hours * 3600 + minutes * 60);
    // The offsets that clocks use: from the date line's west to its east.
    if (seconds < -12 * 3600 || seconds > 14 * 3600)
        return std::nullopt;
    return seconds;
}

// -------------------------------------------------------------- arguments

TCliParse ParseCliArguments(const QStringList &arguments, const QString &lang, const QDate &today)
{
    const TSyntax s;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Sunrise, solar noon, sunset and twilights of a place, by day, month or "
                       "year, as text, CSV, JSON or iCalendar."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QCommandLineOption *o : s.All())
        parser.addOption(*o);

    TCliParse result;
    result.HelpText = parser.helpText() + QString::fromUtf8(HelpDetails);
    const auto fail = [&result](const QString &message) {
        result.Options.reset();
        result.Error = message;
        return result;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument: %1")
                        .arg(parser.positionalArguments().constFirst()));
    for (const QCommandLineOption *o : s.All())
        if (!o->valueName().isEmpty() && parser.values(*o).size() > 1)
            return fail(QStringLiteral("%1 is given more than once").arg(Dashed(*o)));

    TCliOptions o;
    o.Date = today;
    o.Language = LanguageFromLocaleName(lang);
    o.Verbose = parser.isSet(s.Verbose);
    if (parser.isSet(s.Help) || parser.isSet(s.Version)) {
        o.Command = parser.isSet(s.Help) ? TCliCommand::Help : TCliCommand::Version;
        result.Options = o;
        return result;
    }
    const bool other = parser.isSet(s.Easter) || parser.isSet(s.Moon) || parser.isSet(s.Find);
    using TReader = TCheck (*)(const TSyntax &, const QCommandLineParser &, TCliOptions &);
    const TReader sun[] = {ReadPlace, ReadDays, ReadClock, ReadLanguage, ReadOutput};
    const TReader others[] = {ReadOtherCommand, ReadLanguage, ReadOutput};
    for (const TReader read : other ? QList<TReader>(std::begin(others), std::end(others))
                                    : QList<TReader>(std::begin(sun), std::end(sun)))
        if (const TCheck error = read(s, parser, o))
            return fail(*error);
    result.Options = o;
    return result;
}
