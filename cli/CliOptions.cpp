// vantu-cli: the arguments read into options.
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
    "east positive) or as 48:09:00N and 17:07:01E, named by --name.\n"
    "\nClock: the place's own clock (Hod + Min/60 of its record; UTC for --lat/--lon)\n"
    "unless --utc, --cet, --cest, --offset or --tz is given. Text lines are tagged\n"
    "[UTC], [CET], [CEST] or [Local] as in the program's results table, [UTC+05:45]\n"
    "for --offset and [Europe/Bratislava] for --tz (each time on the offset in\n"
    "force at that moment, daylight saving included). A line or row of a date\n"
    "holds the events that fall on that date of the clock.\n"
    "\nExit codes: 0 done; 1 place not found or ambiguous, locality file missing\n"
    "or unreadable, or the output cannot be written; 2 wrong arguments, or\n"
    "iCalendar asked for events outside the years 0001 ... 9999.\n";

// ------------------------------------------------------------- days

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

std::optional<QDate> ParseDay(const QString &text)
{
    return ParseDate(text, true);
}

std::optional<QDate> ParseMonth(const QString &text)
{
    return ParseDate(text, false);
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
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Sunrise, solar noon, sunset and twilights of a place, by day, month or "
                       "year, as text, CSV, JSON or iCalendar."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption place(QStringLiteral("place"),
                                   QStringLiteral("Place NAME from the locality file."),
                                   QStringLiteral("NAME"));
    const QCommandLineOption db(QStringLiteral("db"),
                                QStringLiteral("Locality FILE (default lokality.xml)."),
                                QStringLiteral("FILE"));
    const QCommandLineOption lat(QStringLiteral("lat"),
                                 QStringLiteral("Latitude: 48.15 or 48:09:00N."),
                                 QStringLiteral("DEG"));
    const QCommandLineOption lon(QStringLiteral("lon"),
                                 QStringLiteral("Longitude: 17.117 (east) or 17:07:01E."),
                                 QStringLiteral("DEG"));
    const QCommandLineOption name(QStringLiteral("name"),
                                  QStringLiteral("Name of the place given by --lat and --lon."),
                                  QStringLiteral("TEXT"));
    const QCommandLineOption date(QStringLiteral("date"),
                                  QStringLiteral("One day, YYYY-MM-DD (default today)."),
                                  QStringLiteral("DATE"));
    const QCommandLineOption month(QStringLiteral("month"),
                                   QStringLiteral("A whole month, YYYY-MM."),
                                   QStringLiteral("MONTH"));
    const QCommandLineOption year(QStringLiteral("year"), QStringLiteral("A whole year, YYYY."),
                                  QStringLiteral("YEAR"));
    const QCommandLineOption utc(QStringLiteral("utc"), QStringLiteral("Times in UTC."));
    const QCommandLineOption cet(QStringLiteral("cet"), QStringLiteral("Times in CET (UTC+1)."));
    const QCommandLineOption cest(QStringLiteral("cest"), QStringLiteral("Times in CEST (UTC+2)."));
    const QCommandLineOption offset(QStringLiteral("offset"),
                                    QStringLiteral("Times on a fixed offset, e.g. +1:00."),
                                    QStringLiteral("[+-]H:MM"));
    const QCommandLineOption tz(QStringLiteral("tz"),
                                QStringLiteral("Civil time of a zone with daylight saving, "
                                               "e.g. Europe/Bratislava."),
                                QStringLiteral("ZONE"));
    const QCommandLineOption twilight(
        QStringLiteral("twilight"),
        QStringLiteral("Add civil, nautical and astronomical twilight and day length."));
    const QCommandLineOption language(QStringLiteral("lang"),
                                      QStringLiteral("sk, en or hu (default from LANG)."),
                                      QStringLiteral("LANG"));
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("text (default), csv, json or ics."),
                                    QStringLiteral("FORMAT"));
    const QCommandLineOption easter(QStringLiteral("easter"),
                                    QStringLiteral("The date of Easter Sunday in YEAR."),
                                    QStringLiteral("YEAR"));
    const QCommandLineOption moon(QStringLiteral("moon"),
                                  QStringLiteral("Moon phase fraction and picture on DATE."),
                                  QStringLiteral("DATE"));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("This help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("The version."));
    parser.addOptions({place,    db,     lat,    lon,  name,   date,   month,
                       year,     utc,    cet,    cest, offset, tz,     twilight,
                       language, format, easter, moon, help,   version});

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
    for (const QCommandLineOption *o : {&place, &db, &lat, &lon, &name, &date, &month, &year,
                                        &offset, &tz, &language, &format, &easter, &moon})
        if (parser.values(*o).size() > 1)
            return fail(QStringLiteral("--%1 is given more than once").arg(o->names().constLast()));

    TCliOptions o;
    if (parser.isSet(help)) {
        o.Command = TCliCommand::Help;
        result.Options = o;
        return result;
    }
    if (parser.isSet(version)) {
        o.Command = TCliCommand::Version;
        result.Options = o;
        return result;
    }

    o.Language = LanguageFromLocaleName(lang);
    if (parser.isSet(language)) {
        const QString code = parser.value(language);
        const QStringList codes = {QStringLiteral("sk"), QStringLiteral("en"),
                                   QStringLiteral("hu")};
        const int index = int(codes.indexOf(code));
        if (index < 0)
            return fail(QStringLiteral("--lang must be sk, en or hu: %1").arg(code));
        o.Language = *LanguageFromIndex(index);
    }

    // Options of the Sun's events, which --easter and --moon do not take.
    const QList<const QCommandLineOption *> sunOptions = {
        &place, &db,  &lat,  &lon,    &name, &date,     &month, &year,
        &utc,   &cet, &cest, &offset, &tz,   &twilight, &format};
    if (parser.isSet(easter) || parser.isSet(moon)) {
        if (parser.isSet(easter) && parser.isSet(moon))
            return fail(QStringLiteral("--easter and --moon cannot be combined"));
        const QString name =
            parser.isSet(easter) ? QStringLiteral("easter") : QStringLiteral("moon");
        for (const QCommandLineOption *s : sunOptions)
            if (parser.isSet(*s))
                return fail(QStringLiteral("--%1 cannot be combined with --%2")
                                .arg(name, s->names().constFirst()));
        if (parser.isSet(easter)) {
            const QString text = parser.value(easter);
            int y = 0;
            if (!ParseYear(text, y) || y < 1583)
                return fail(
                    QStringLiteral("--easter needs a Gregorian year 1583 ... 9999: %1").arg(text));
            o.Command = TCliCommand::Easter;
            o.EasterYear = y;
        } else {
            const std::optional<QDate> day = ParseDay(parser.value(moon));
            if (!day)
                return fail(
                    QStringLiteral("--moon needs a date YYYY-MM-DD: %1").arg(parser.value(moon)));
            o.Command = TCliCommand::Moon;
            o.MoonDate = *day;
        }
        result.Options = o;
        return result;
    }

    // The place.
    if (parser.isSet(place)) {
        if (parser.isSet(name))
            return fail(QStringLiteral("--name goes with --lat and --lon"));
        if (parser.isSet(lat) || parser.isSet(lon))
            return fail(QStringLiteral("give either --place or --lat and --lon, not both"));
        o.PlaceName = parser.value(place);
        if (o.PlaceName.trimmed().isEmpty())
            return fail(QStringLiteral("--place needs a name"));
        // The program's own file: the working folder's, or the user's data
        // folder when installed.
        o.DatabasePath = FileLocations().LocalityFile;
        if (parser.isSet(db)) {
            o.DatabasePath = parser.value(db);
            if (o.DatabasePath.isEmpty())
                return fail(QStringLiteral("--db needs a file name"));
        }
    } else {
        if (parser.isSet(db))
            return fail(QStringLiteral("--db goes with --place"));
        if (parser.isSet(name)) {
            o.PlaceName = parser.value(name);
            o.HasPlaceName = true;
        }
        if (!parser.isSet(lat) && !parser.isSet(lon))
            return fail(QStringLiteral("give a place: --place NAME, or --lat and --lon"));
        if (!parser.isSet(lat) || !parser.isSet(lon))
            return fail(QStringLiteral("--lat and --lon go together"));
        const std::optional<double> la =
            ParseAngle(parser.value(lat), QLatin1Char('N'), QLatin1Char('S'), 90);
        if (!la)
            return fail(QStringLiteral("--lat must be -90 ... 90 degrees, or like 48:09:00N: %1")
                            .arg(parser.value(lat)));
        const std::optional<double> lo =
            ParseAngle(parser.value(lon), QLatin1Char('E'), QLatin1Char('W'), 180);
        if (!lo)
            return fail(QStringLiteral("--lon must be -180 ... 180 degrees, or like 17:07:01E: %1")
                            .arg(parser.value(lon)));
        o.HasCoordinates = true;
        o.Latitude = *la;
        o.LongitudeEast = *lo;
    }

    // The days.
    const int spans = int(parser.isSet(date)) + int(parser.isSet(month)) + int(parser.isSet(year));
    if (spans > 1)
        return fail(QStringLiteral("give only one of --date, --month and --year"));
    o.Date = today;
    if (parser.isSet(date)) {
        const std::optional<QDate> d = ParseDay(parser.value(date));
        if (!d)
            return fail(
                QStringLiteral("--date needs a date YYYY-MM-DD: %1").arg(parser.value(date)));
        o.Date = *d;
    } else if (parser.isSet(month)) {
        const std::optional<QDate> d = ParseMonth(parser.value(month));
        if (!d)
            return fail(
                QStringLiteral("--month needs a month YYYY-MM: %1").arg(parser.value(month)));
        o.Date = *d;
        o.Span = TCliSpan::Month;
    } else if (parser.isSet(year)) {
        int y = 0;
        if (!ParseYear(parser.value(year), y))
            return fail(
                QStringLiteral("--year needs a year 0001 ... 9999: %1").arg(parser.value(year)));
        o.Date = QDate(y, 1, 1);
        o.Span = TCliSpan::Year;
    }

    // The clock.
    const int clocks = int(parser.isSet(utc)) + int(parser.isSet(cet)) + int(parser.isSet(cest)) +
                       int(parser.isSet(offset)) + int(parser.isSet(tz));
    if (clocks > 1)
        return fail(QStringLiteral("give only one of --utc, --cet, --cest, --offset and --tz"));
    if (parser.isSet(utc))
        o.Clock = TCliClock::Utc;
    else if (parser.isSet(cet))
        o.Clock = TCliClock::Cet;
    else if (parser.isSet(cest))
        o.Clock = TCliClock::Cest;
    if (parser.isSet(offset)) {
        const std::optional<int> seconds = ParseOffset(parser.value(offset));
        if (!seconds)
            return fail(QStringLiteral("--offset needs [+-]H:MM from -12:00 to +14:00: %1")
                            .arg(parser.value(offset)));
        o.Clock = TCliClock::Offset;
        o.OffsetSeconds = *seconds;
    }
    if (parser.isSet(tz)) {
        const QByteArray id = parser.value(tz).toUtf8();
        // Any name the system's time zone database resolves, links such as
        // US/Eastern and Etc/UTC included.
        if (id.isEmpty() || !QTimeZone(id).isValid())
            return fail(QStringLiteral("unknown time zone: %1").arg(parser.value(tz)));
        o.Clock = TCliClock::Zone;
        o.ZoneId = id;
    }

    o.Twilight = parser.isSet(twilight);
    if (parser.isSet(format)) {
        const QString f = parser.value(format);
        if (f == QLatin1String("text"))
            o.Format = TCliFormat::Text;
        else if (f == QLatin1String("csv"))
            o.Format = TCliFormat::Csv;
        else if (f == QLatin1String("json"))
            o.Format = TCliFormat::Json;
        else if (f == QLatin1String("ics"))
            o.Format = TCliFormat::ICalendar;
        else
            return fail(QStringLiteral("--format must be text, csv, json or ics: %1").arg(f));
    }
    result.Options = o;
    return result;
}
