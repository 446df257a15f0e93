// vantu-cli: the arguments read into options, one group at a time, every
// complaint in the language of the output.
#include "cli/CliOptions.h"

#include "cli/CliSyntax.h"
#include "cli/CliTexts.h"
#include "common/FileLocations.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QTimeZone>

#include <cmath>

namespace
{

// A usage error in one line, or nothing when the group is right.
using TCheck = std::optional<QString>;

// The options being read and the language their complaints are made in.
struct TReading {
    const TSyntax &S;
    const QCommandLineParser &P;
    TCliOptions &O;

    QString Text(const TText &text) const { return TextIn(text, O.Language); }
    // The option's value, fit to be echoed.
    QString Value(const QCommandLineOption &option) const { return Shown(P.value(option)); }
};

// ------------------------------------------------------------------ days

// A year of 1 ... limit written with or without leading zeros: "999",
// "0999", "2026".
std::optional<int> ParseYear(const QString &text, int first = 1)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{1,8}$"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    const int year = text.toInt();
    if (year < first || year > 9999)
        return std::nullopt;
    return year;
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

// "2026-06-21T21:30" or "2026-06-21 21:30", with seconds, and an offset
// ("+02:00", "Z") or none.
TCheck ReadMoment(const TReading &r, const QCommandLineOption &option, TCliMoment &moment)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(\\d{4}-\\d{2}-\\d{2})[T ](\\d{2}):(\\d{2})(?::(\\d{2}))?(Z|[+-]\\d{2}:\\d{2})?$"));
    const QString text = r.P.value(option);
    const QRegularExpressionMatch m = pattern.match(text);
    const std::optional<QDate> day = m.hasMatch() ? ParseDate(m.captured(1), true) : std::nullopt;
    const QTime time(m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
    if (!day || !time.isValid())
        return r.Text(CliText::MomentSyntax).arg(Dashed(option), Shown(text));
    moment.Local = QDateTime(*day, time, Qt::UTC);
    if (m.captured(5) == QLatin1String("Z")) {
        moment.Offset = 0;
    } else if (!m.captured(5).isEmpty()) {
        const std::optional<int> offset = ParseOffset(m.captured(5));
        if (!offset)
            return r.Text(CliText::MomentOffset).arg(Dashed(option), Shown(text));
        moment.Offset = offset;
    }
    return std::nullopt;
}

TCheck ReadDays(const TReading &r)
{
    const TSyntax &s = r.S;
    const QCommandLineParser &p = r.P;
    TCliOptions &o = r.O;
    if (p.isSet(s.At)) {
        for (const QCommandLineOption *other :
             {&s.Date, &s.Month, &s.Year, &s.Twilight, &s.Sky, &s.Light, &s.Altitude, &s.Bearing,
              &s.Aligned, &s.Tolerance})
            if (p.isSet(*other))
                return r.Text(CliText::CannotCombine).arg(Dashed(s.At), Dashed(*other));
        o.Command = TCliCommand::At;
        return ReadMoment(r, s.At, o.At);
    }
    if (int(p.isSet(s.Date)) + int(p.isSet(s.Month)) + int(p.isSet(s.Year)) > 1)
        return r.Text(CliText::OneSpan);
    if (p.isSet(s.Date)) {
        const std::optional<QDate> d = ParseDate(p.value(s.Date), true);
        if (!d)
            return r.Text(CliText::DateSyntax).arg(r.Value(s.Date));
        o.Date = *d;
    } else if (p.isSet(s.Month)) {
        const std::optional<QDate> d = ParseDate(p.value(s.Month), false);
        if (!d)
            return r.Text(CliText::MonthSyntax).arg(r.Value(s.Month));
        o.Date = *d;
        o.Span = TCliSpan::Month;
    } else if (p.isSet(s.Year)) {
        const std::optional<int> y = ParseYear(p.value(s.Year));
        if (!y)
            return r.Text(CliText::YearSyntax).arg(r.Value(s.Year));
        o.Date = QDate(*y, 1, 1);
        o.Span = TCliSpan::Year;
    }
    return std::nullopt;
}

// ----------------------------------------------------------------- angles

// A plain decimal number, "-4", "10.5", "+6": no exponent, no "inf".
std::optional<double> ParseNumber(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^[+-]?\\d{1,6}(\\.\\d{1,9})?$"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    return text.toDouble() + 0.0; // "-0" is 0
}

std::optional<double> ParseBearing(const QString &text)
{
    const std::optional<double> b = ParseNumber(text);
    if (!b || *b < 0 || *b > 360)
        return std::nullopt;
    return b;
}

// --altitude, --light and --bearing with the Sun's dates; --aligned with a
// month or a year; --shadow with a moment.
TCheck ReadAngles(const TReading &r)
{
    const TSyntax &s = r.S;
    const QCommandLineParser &p = r.P;
    TCliOptions &o = r.O;
    for (const QString &text : p.values(s.Altitude)) {
        const std::optional<double> a = ParseNumber(text);
        if (!a || std::fabs(*a) > 89)
            return r.Text(CliText::AltitudeSyntax).arg(Shown(text));
        if (!o.Altitudes.contains(*a))
            o.Altitudes << *a;
    }
    for (const QString &text : p.values(s.Bearing)) {
        const std::optional<double> b = ParseBearing(text);
        if (!b)
            return r.Text(CliText::BearingSyntax).arg(Dashed(s.Bearing), Shown(text));
        if (!o.Bearings.contains(*b))
            o.Bearings << *b;
    }
    o.Light = p.isSet(s.Light);
    if (p.isSet(s.Aligned)) {
        const std::optional<double> b = ParseBearing(p.value(s.Aligned));
        if (!b)
            return r.Text(CliText::BearingSyntax).arg(Dashed(s.Aligned), r.Value(s.Aligned));
        if (o.Span == TCliSpan::Day)
            return r.Text(CliText::AlignedSpan);
        // Its rows are the alignments, not the dates.
        for (const QCommandLineOption *other : {&s.Twilight, &s.Light, &s.Altitude, &s.Bearing})
            if (p.isSet(*other))
                return r.Text(CliText::CannotCombine).arg(Dashed(s.Aligned), Dashed(*other));
        o.Aligned = b;
    }
    if (p.isSet(s.Tolerance)) {
        if (!o.Aligned)
            return r.Text(CliText::GoesWith).arg(Dashed(s.Tolerance), Dashed(s.Aligned));
        const std::optional<double> t = ParseNumber(p.value(s.Tolerance));
        if (!t || *t <= 0 || *t > 180)
            return r.Text(CliText::ToleranceSyntax).arg(r.Value(s.Tolerance));
        o.Tolerance = *t;
    }
    if (p.isSet(s.Height)) {
        const std::optional<double> h = ParseNumber(p.value(s.Height));
        if (!h || *h < 0 || *h > 10000)
            return r.Text(CliText::HeightSyntax).arg(r.Value(s.Height));
        o.Height = h;
    }
    if (p.isSet(s.Horizon)) {
        o.HorizonFile = p.value(s.Horizon);
        if (o.HorizonFile.isEmpty())
            return r.Text(CliText::NeedsName).arg(Dashed(s.Horizon));
    }
    if (o.Aligned)
        for (const QCommandLineOption *other : {&s.Horizon, &s.Height})
            if (p.isSet(*other))
                return r.Text(CliText::CannotCombine).arg(Dashed(s.Aligned), Dashed(*other));
    if (p.isSet(s.Shadow)) {
        if (o.Command != TCliCommand::At)
            return r.Text(CliText::GoesWith).arg(Dashed(s.Shadow), Dashed(s.At));
        const std::optional<double> h = ParseNumber(p.value(s.Shadow));
        if (!h || *h <= 0)
            return r.Text(CliText::ShadowSyntax).arg(r.Value(s.Shadow));
        o.Shadow = h;
    }
    return std::nullopt;
}

// ------------------------------------------------------------------ place

TCheck ReadCoordinates(const TReading &r)
{
    const TSyntax &s = r.S;
    const QCommandLineParser &p = r.P;
    TCliPlace &place = r.O.Place;
    if (!p.isSet(s.Lat) || !p.isSet(s.Lon))
        return r.Text(CliText::LatitudeAndLongitude);
    const std::optional<double> la =
        ParseAngle(p.value(s.Lat), QLatin1Char('N'), QLatin1Char('S'), 90);
    if (!la)
        return r.Text(CliText::LatitudeSyntax).arg(r.Value(s.Lat));
    const std::optional<double> lo =
        ParseAngle(p.value(s.Lon), QLatin1Char('E'), QLatin1Char('W'), 180);
    if (!lo)
        return r.Text(CliText::LongitudeSyntax).arg(r.Value(s.Lon));
    place.Source = TCliPlace::TSource::Coordinates;
    place.Latitude = *la;
    place.Longitude = *lo;
    place.HasName = p.isSet(s.Name);
    place.Name = p.value(s.Name);
    return std::nullopt;
}

TCheck ReadPlace(const TReading &r)
{
    const TSyntax &s = r.S;
    const QCommandLineParser &p = r.P;
    const bool coordinates = p.isSet(s.Lat) || p.isSet(s.Lon);
    if (int(p.isSet(s.Place)) + int(coordinates) + int(p.isSet(s.City)) > 1)
        return r.Text(CliText::OnePlace);
    if (p.isSet(s.Db) && !p.isSet(s.Place))
        return r.Text(CliText::DbWithPlace);
    if (p.isSet(s.Name) && !coordinates)
        return r.Text(CliText::NameWithCoordinates);
    TCliPlace &place = r.O.Place;
    if (coordinates)
        return ReadCoordinates(r);
    if (p.isSet(s.City)) {
        place.Source = TCliPlace::TSource::City;
        place.Name = p.value(s.City);
        if (place.Name.trimmed().isEmpty())
            return r.Text(CliText::NeedsName).arg(Dashed(s.City));
        return std::nullopt;
    }
    if (!p.isSet(s.Place))
        return r.Text(CliText::GivePlace);
    place.Source = TCliPlace::TSource::Locality;
    place.Name = p.value(s.Place);
    if (place.Name.trimmed().isEmpty())
        return r.Text(CliText::NeedsName).arg(Dashed(s.Place));
    // The program's own file: the working folder's, or the user's data
    // folder when installed.
    place.DatabasePath = p.isSet(s.Db) ? p.value(s.Db) : FileLocations().LocalityFile;
    if (place.DatabasePath.isEmpty())
        return r.Text(CliText::DbNeedsFile);
    return std::nullopt;
}

// ------------------------------------------------------------------ clock

TCheck ReadClock(const TReading &r)
{
    const TSyntax &s = r.S;
    const QCommandLineParser &p = r.P;
    TCliOptions &o = r.O;
    if (int(p.isSet(s.Utc)) + int(p.isSet(s.Cet)) + int(p.isSet(s.Cest)) + int(p.isSet(s.Offset)) +
            int(p.isSet(s.Tz)) >
        1)
        return r.Text(CliText::OneClock);
    if (p.isSet(s.Utc))
        o.Clock = TClock::Utc();
    else if (p.isSet(s.Cet))
        o.Clock = TClock::Cet();
    else if (p.isSet(s.Cest))
        o.Clock = TClock::Cest();
    if (p.isSet(s.Offset)) {
        const std::optional<int> seconds = ParseOffset(p.value(s.Offset));
        if (!seconds)
            return r.Text(CliText::OffsetSyntax).arg(r.Value(s.Offset));
        o.Clock = TClock::Offset(*seconds);
    }
    if (p.isSet(s.Tz)) {
        // Any name the system's time zone database resolves, links such as
        // US/Eastern and Etc/UTC included.
        const QTimeZone zone(p.value(s.Tz).toUtf8());
        if (p.value(s.Tz).isEmpty() || !zone.isValid())
            return r.Text(CliText::UnknownZone).arg(r.Value(s.Tz));
        o.Clock = TClock::Zone(zone);
    }
    return std::nullopt;
}

// ------------------------------------------------------------------ output

TCheck ReadOutput(const TReading &r)
{
    const TSyntax &s = r.S;
    const QCommandLineParser &p = r.P;
    TCliOptions &o = r.O;
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
        return r.Text(calendar ? CliText::FormatWithIcs : CliText::FormatNoIcs)
            .arg(r.Value(s.Format));
    o.Format = TCliFormat(index);
    return std::nullopt;
}

// ------------------------------------------------------------------ commands

// --easter, --moon and --find stand alone: none of the Sun's options.
TCheck ReadOtherCommand(const TReading &r)
{
    const TSyntax &s = r.S;
    const QCommandLineParser &p = r.P;
    TCliOptions &o = r.O;
    const QList<const QCommandLineOption *> commands = {&s.Easter, &s.Moon, &s.Find};
    const QCommandLineOption *command = nullptr;
    for (const QCommandLineOption *c : commands) {
        if (!p.isSet(*c))
            continue;
        if (command)
            return r.Text(CliText::TwoCommands).arg(Dashed(*command), Dashed(*c));
        command = c;
    }
    for (const QCommandLineOption *sun : s.SunOnly())
        if (p.isSet(*sun))
            return r.Text(CliText::CannotCombine).arg(Dashed(*command), Dashed(*sun));
    if (command != &s.Find && p.isSet(s.Format))
        return r.Text(CliText::CannotCombine).arg(Dashed(*command), Dashed(s.Format));
    if (command == &s.Easter) {
        const std::optional<int> y = ParseYear(p.value(s.Easter), 1583);
        if (!y)
            return r.Text(CliText::EasterYear).arg(r.Value(s.Easter));
        o.Command = TCliCommand::Easter;
        o.EasterYear = *y;
    } else if (command == &s.Moon) {
        const std::optional<QDate> day = ParseDate(p.value(s.Moon), true);
        if (!day)
            return r.Text(CliText::MoonDate).arg(r.Value(s.Moon));
        o.Command = TCliCommand::Moon;
        o.MoonDate = *day;
    } else {
        o.Command = TCliCommand::Find;
        o.FindText = p.value(s.Find);
    }
    return std::nullopt;
}

// The language of the output, looked for before anything else is read so
// that every complaint is made in it: --lang, else the LANG variable.
TLanguage LanguageOf(const QStringList &arguments, const QString &lang)
{
    TLanguage language = LanguageFromLocaleName(lang);
    for (int i = 1; i < arguments.size(); ++i) {
        QString value;
        const QString &a = arguments[i];
        if ((a == QLatin1String("--lang") || a == QLatin1String("-lang")) &&
            i + 1 < arguments.size())
            value = arguments[i + 1];
        else if (a.startsWith(QLatin1String("--lang=")) || a.startsWith(QLatin1String("-lang=")))
            value = a.mid(a.indexOf(QLatin1Char('=')) + 1);
        const int index = int(QStringList{"sk", "en", "hu"}.indexOf(value));
        if (index >= 0)
            language = *LanguageFromIndex(index);
    }
    return language;
}

// What Qt's parser refused, in the program's own words: an unknown option or
// one without its value.
QString ParserError(const QCommandLineParser &parser, TLanguage language)
{
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().constFirst();
        return TextIn(CliText::UnknownOption, language)
            .arg(Shown((name.size() > 1 ? QStringLiteral("--") : QStringLiteral("-")) + name));
    }
    static const QRegularExpression quoted(QStringLiteral("'([^']*)'"));
    const QRegularExpressionMatch m = quoted.match(parser.errorText());
    return TextIn(CliText::MissingValue, language).arg(Shown(m.captured(1)));
}

} // namespace

// --------------------------------------------------------------- helpers

QString Shown(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\n')
            shown += QStringLiteral("\\n");
        else if (u == '\r')
            shown += QStringLiteral("\\r");
        else if (u == '\t')
            shown += QStringLiteral("\\t");
        else if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0))
            shown += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

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

    TCliOptions o;
    o.Date = today;
    o.Language = LanguageOf(arguments, lang);
    TCliParse result;
    result.HelpText = parser.helpText() + QString::fromUtf8(HelpDetails);
    result.Language = o.Language;
    const auto fail = [&result](const QString &message) {
        result.Options.reset();
        result.Error = message;
        return result;
    };
    if (!parser.parse(arguments))
        return fail(ParserError(parser, o.Language));
    if (!parser.positionalArguments().isEmpty())
        return fail(TextIn(CliText::Unexpected, o.Language)
                        .arg(Shown(parser.positionalArguments().constFirst())));
    for (const QCommandLineOption *option : s.All())
        if (!option->valueName().isEmpty() && !s.Repeatable().contains(option) &&
            parser.values(*option).size() > 1)
            return fail(TextIn(CliText::GivenTwice, o.Language).arg(Dashed(*option)));
    if (parser.isSet(s.Language) &&
        QStringList({"sk", "en", "hu"}).indexOf(parser.value(s.Language)) < 0)
        return fail(
            TextIn(CliText::LanguageSyntax, o.Language).arg(Shown(parser.value(s.Language))));

    o.Verbose = parser.isSet(s.Verbose);
    if (parser.isSet(s.Help) || parser.isSet(s.Version)) {
        o.Command = parser.isSet(s.Help) ? TCliCommand::Help : TCliCommand::Version;
        result.Options = o;
        return result;
    }
    const TReading reading{s, parser, o};
    const bool other = parser.isSet(s.Easter) || parser.isSet(s.Moon) || parser.isSet(s.Find);
    using TReader = TCheck (*)(const TReading &);
    const TReader sun[] = {ReadPlace, ReadDays, ReadAngles, ReadClock, ReadOutput};
    const TReader others[] = {ReadOtherCommand, ReadOutput};
    for (const TReader read : other ? QList<TReader>(std::begin(others), std::end(others))
                                    : QList<TReader>(std::begin(sun), std::end(sun)))
        if (const TCheck error = read(reading))
            return fail(*error);
    result.Options = o;
    return result;
}
