// vantu-cli: the place looked up, the outputs written, and the whole tool
// without main().
#include "cli/CliOptions.h"

#include "common/Texts.h"
#include "common/Version.h"

#include "calendar/CalCalc.h"
#include "calendar/MoonPhase.h"
#include "common/EventTexts.h"
#include "common/EventWriters.h"
#include "common/EventsOnClock.h"
#include "common/FileText.h"
#include "localities/Gazetteer.h"
#include "suntime/DateUtil.h"

#include <QSet>
#include <QTimeZone>

#include <algorithm>

#include <cmath>

namespace
{

// ------------------------------------------------------------------ texts

namespace CliText
{

// %1 date, %2 fraction, %3 picture number
constexpr TText MoonLine{"%1: fáza Mesiaca %2, obrázok %3", "%1: Moon phase %2, picture %3",
                         "%1: holdfázis %2, %3. kép"};
// The sky at a moment: %1 place, %2 moment; %1 altitude, %2 azimuth;
// then the Moon's, %3 lit per cent, %4 phase.
constexpr TText AtLine{"%1, %2", "%1, %2", "%1, %2"};
constexpr TText SunAt{"Slnko: výška %1°, azimut %2°", "Sun: altitude %1°, azimuth %2°",
                      "Nap: magasság %1°, azimut %2°"};
constexpr TText MoonAt{"Mesiac: výška %1°, azimut %2°, osvetlený na %3 % (%4)",
                       "Moon: altitude %1°, azimuth %2°, %3 % lit (%4)",
                       "Hold: magasság %1°, azimut %2°, %3 %-ban megvilágított (%4)"};

} // namespace CliText

QString Degrees(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

QString CoordinateName(double latitude, double longitudeEast)
{
    return QString::number(std::fabs(latitude), 'g', 10) +
           (latitude < 0 ? QLatin1Char('S') : QLatin1Char('N')) + QLatin1Char(' ') +
           QString::number(std::fabs(longitudeEast), 'g', 10) +
           (longitudeEast < 0 ? QLatin1Char('W') : QLatin1Char('E'));
}

// ------------------------------------------------------------------- runs

struct TResolvedPlace {
    TPlace Place;
    TClock Clock;
};

QString IcsYearsError()
{
    return QStringLiteral("iCalendar holds the years 0001 ... 9999 of UTC only; these dates "
                          "reach beyond them");
}

TCliResult Failure(int code, const QString &message)
{
    TCliResult r;
    r.ExitCode = code;
    r.Error = message;
    return r;
}

// The record of the locality file, with its own clock.
std::optional<TResolvedPlace> LocalityPlace(const TCliPlace &p, TCliResult &failure)
{
    TLocalityList list;
    const TLoadStatus status = TLocalityFile(p.DatabasePath).Load(list);
    if (status == TLoadStatus::Missing) {
        failure = Failure(CliExitFailure,
                          QStringLiteral("locality file not found: %1").arg(p.DatabasePath));
        return std::nullopt;
    }
    if (status == TLoadStatus::Damaged) {
        failure = Failure(CliExitFailure,
                          QStringLiteral("locality file cannot be read (empty or damaged): %1")
                              .arg(p.DatabasePath));
        return std::nullopt;
    }
    const TPlaceMatch match = FindPlace(list, p.Name);
    if (!match.Record) {
        QString message = match.Candidates.isEmpty()
                              ? QStringLiteral("place not found: %1").arg(p.Name)
                              : QStringLiteral("place name is ambiguous: %1; it fits").arg(p.Name);
        for (const QString &name : match.Candidates)
            message += QLatin1Char('\n') + name;
        if (match.MoreCandidates > 0)
            message += QStringLiteral("\n... and %1 more").arg(match.MoreCandidates);
        failure = Failure(CliExitFailure, message);
        return std::nullopt;
    }
    return TResolvedPlace{PlaceOfLocality(*match.Record), ClockOfLocality(*match.Record)};
}

// No city data: one line naming the package; where the module was looked
// for only with --verbose.
TCliResult NoCityData(const TCliOptions &o, const TGazetteer &cities)
{
    QString message = QStringLiteral("no city data: install the package libgeonames0");
    if (o.Verbose)
        message += QLatin1Char('\n') + cities.Error();
    return Failure(CliExitFailure, message);
}

// The city --city takes: the best match, and whether the name singles it out
// (the whole name of this city and of no other).
struct TCityChoice {
    std::optional<TCityMatch> City;
    bool Sure = false;
    int Others = 0; // further cities the name matches
};

TCityChoice ChooseCity(const QString &name, TLanguage language, TGazetteer &cities)
{
    int total = 0;
    const QList<TCityMatch> found = cities.Find(name, language, 2, &total);
    TCityChoice choice;
    if (found.isEmpty())
        return choice;
    choice.City = found.first();
    choice.Sure = found[0].WholeName && (found.size() < 2 || !found[1].WholeName);
    choice.Others = total - 1;
    return choice;
}

// The best match of the world's cities, in its own time zone; named in full
// when the name does not single it out.
std::optional<TResolvedPlace> CityPlace(const TCliOptions &o, TGazetteer &cities,
                                        TCliResult &failure)
{
    if (!cities.Load()) {
        failure = NoCityData(o, cities);
        return std::nullopt;
    }
    const TCityChoice choice = ChooseCity(o.Place.Name, o.Language, cities);
    if (!choice.City) {
        failure = Failure(CliExitFailure, QStringLiteral("city not found: %1").arg(o.Place.Name));
        return std::nullopt;
    }
    TPlace place = choice.City->Place();
    if (!choice.Sure)
        place.Name = choice.City->FullName();
    return TResolvedPlace{place, TClock::Zone(QTimeZone(place.Zone))};
}

// For standard error, when --city took one of several cities.
TCliResult WithCityNote(const TCliOptions &o, TGazetteer &cities, TCliResult r)
{
    if (r.ExitCode != CliExitOk || o.Place.Source != TCliPlace::TSource::City)
        return r;
    const TCityChoice choice = ChooseCity(o.Place.Name, o.Language, cities);
    if (!choice.City || choice.Sure)
        return r;
    const QString taken =
        QStringLiteral("\"%1\" taken as %2").arg(o.Place.Name, choice.City->FullName());
    if (choice.Others == 0)
        r.Error = taken + QStringLiteral(", the only city it matches");
    else
        r.Error = taken + QStringLiteral("; %1 other %2 too (--find \"%3\" lists them)")
                              .arg(QString::number(choice.Others),
                                   choice.Others == 1 ? QStringLiteral("city matches")
                                                      : QStringLiteral("cities match"),
                                   o.Place.Name);
    return r;
}

std::optional<TResolvedPlace> ResolvePlace(const TCliOptions &o, TGazetteer &cities,
                                           TCliResult &failure)
{
    std::optional<TResolvedPlace> resolved;
    switch (o.Place.Source) {
    case TCliPlace::TSource::Coordinates: {
        TPlace place;
        place.Name =
            o.Place.HasName ? o.Place.Name : CoordinateName(o.Place.Latitude, o.Place.Longitude);
        place.Latitude = o.Place.Latitude;
        place.Longitude = o.Place.Longitude;
        resolved = TResolvedPlace{place, TClock::Utc()};
        break;
    }
    case TCliPlace::TSource::Locality:
        resolved = LocalityPlace(o.Place, failure);
        break;
    case TCliPlace::TSource::City:
        resolved = CityPlace(o, cities, failure);
        break;
    }
    if (resolved && o.Clock)
        resolved->Clock = *o.Clock;
    return resolved;
}

TCliResult RunSun(const TCliOptions &o, const QLocale &locale, TGazetteer &cities)
{
    TCliResult failure;
    const std::optional<TResolvedPlace> resolved = ResolvePlace(o, cities, failure);
    if (!resolved)
        return failure;

    QDate first = o.Date;
    QDate last = o.Date;
    if (o.Span == TCliSpan::Month) {
        first = QDate(o.Date.year(), o.Date.month(), 1);
        last = QDate(o.Date.year(), o.Date.month(), o.Date.daysInMonth());
    } else if (o.Span == TCliSpan::Year) {
        first = QDate(o.Date.year(), 1, 1);
        last = QDate(o.Date.year(), 12, 31);
    }
    if (o.Format == TCliFormat::ICalendar && !ICalendarCanHold(first, last, resolved->Clock))
        return Failure(CliExitUsage, IcsYearsError());
    TEventRequest request;
    request.Azimuths = request.Moon = o.Sky;
    const QVector<TDayEvents> days =
        EventsOfDates(resolved->Place, resolved->Clock, first, last, request);

    TCliResult r;
    switch (o.Format) {
    case TCliFormat::Text:
        r.Out = EventsText(days, resolved->Place, resolved->Clock, o.Twilight, o.Language, locale,
                           o.Span != TCliSpan::Day);
        break;
    case TCliFormat::Csv:
        r.Out = EventsCsv(days, o.Twilight, o.Language);
        break;
    case TCliFormat::Json:
        r.Out = EventsJson(days, o.Twilight, o.Language);
        break;
    case TCliFormat::ICalendar:
        if (const std::optional<QByteArray> ics =
                EventsICalendar(days, resolved->Place, o.Language))
            r.Out = *ics;
        else
            return Failure(CliExitUsage, IcsYearsError());
        break;
    }
    return r;
}

// The Sun and the Moon at one moment: its own offset, else the place's clock.
TCliResult RunAt(const TCliOptions &o, TGazetteer &cities)
{
    TCliResult failure;
    const std::optional<TResolvedPlace> resolved = ResolvePlace(o, cities, failure);
    if (!resolved)
        return failure;
    const QDate day = o.AtLocal.date();
    const QTime time = o.AtLocal.time();
    QDateTime moment;
    if (o.AtOffset)
        moment = QDateTime(day, time, Qt::OffsetFromUTC, *o.AtOffset);
    else if (resolved->Clock.IsZone())
        moment = QDateTime(day, time, resolved->Clock.TimeZone());
    else
        moment = QDateTime(day, time, Qt::OffsetFromUTC, resolved->Clock.FixedOffset());
    const std::optional<TSkyAt> at = SkyAt(resolved->Place, moment);
    if (!at)
        return Failure(CliExitUsage, QStringLiteral("--at lies outside the years 0001 ... 9999: %1")
                                         .arg(o.AtLocal.toString(Qt::ISODate)));
    const TSkyAt &sky = *at;
    const QByteArray iso = IsoMoment(moment).toUtf8();
    const QByteArray values[5] = {
        Degrees(sky.Sun.Altitude, 2).toUtf8(), Degrees(sky.Sun.Azimuth, 2).toUtf8(),
        Degrees(sky.Moon.Altitude, 2).toUtf8(), Degrees(sky.Moon.Azimuth, 2).toUtf8(),
        Degrees(sky.MoonIllumination, 3).toUtf8()};
    static const char *const keys[6] = {"time",          "sun_altitude", "sun_azimuth",
                                        "moon_altitude", "moon_azimuth", "moon_illumination"};
    TCliResult r;
    switch (o.Format) {
    case TCliFormat::Json:
        r.Out = QByteArray("{\"") + keys[0] + "\": \"" + iso + '"';
        for (int k = 0; k < 5; ++k)
            r.Out += QByteArray(", \"") + keys[k + 1] + "\": " + values[k];
        r.Out += "}\n";
        break;
    case TCliFormat::Csv:
        for (const char *key : keys)
            r.Out += QByteArray(key) + (key == keys[5] ? "\r\n" : ",");
        r.Out += iso;
        for (const QByteArray &v : values)
            r.Out += ',' + v;
        r.Out += "\r\n";
        break;
    default: {
        const QString phase = sky.MoonPhase ? MoonPhaseText(*sky.MoonPhase, o.Language) : QString();
        r.Out =
            (TextIn(CliText::AtLine, o.Language).arg(resolved->Place.Name, QString::fromUtf8(iso)) +
             '\n' +
             TextIn(CliText::SunAt, o.Language)
                 .arg(Degrees(sky.Sun.Altitude, 2), Degrees(sky.Sun.Azimuth, 2)) +
             '\n' +
             TextIn(CliText::MoonAt, o.Language)
                 .arg(Degrees(sky.Moon.Altitude, 2), Degrees(sky.Moon.Azimuth, 2),
                      Degrees(sky.MoonIllumination * 100, 1), phase) +
             '\n')
                .toUtf8();
    }
    }
    return r;
}

// The cities whose name matches, one per line or record.
TCliResult RunFind(const TCliOptions &o, TGazetteer &cities)
{
    if (!cities.Load())
        return NoCityData(o, cities);
    const QList<TCityMatch> found = cities.Find(o.FindText, o.Language, 50);
    if (found.isEmpty())
        return Failure(CliExitFailure, QStringLiteral("no city matches: %1").arg(o.FindText));
    TCliResult r;
    QByteArray &out = r.Out;
    const auto number = [](double degrees) { return QByteArray::number(degrees, 'f', 5); };
    if (o.Format == TCliFormat::Csv)
        out.append("name,region,country,latitude,longitude,zone,population\r\n");
    if (o.Format == TCliFormat::Json)
        out.append('[');
    for (const TCityMatch &c : found) {
        switch (o.Format) {
        case TCliFormat::Csv:
            out.append(QStringList{CsvField(c.Name), CsvField(c.Region), CsvField(c.Country)}
                           .join(QLatin1Char(','))
                           .toUtf8() +
                       ',' + number(c.Latitude) + ',' + number(c.Longitude) + ',' + c.Zone + ',' +
                       QByteArray::number(c.Population) + "\r\n");
            break;
        case TCliFormat::Json:
            out.append(&c == &found.first() ? "\n  {" : ",\n  {");
            out.append("\"name\": " + JsonString(c.Name) + ", \"region\": " + JsonString(c.Region) +
                       ", \"country\": " + JsonString(c.Country) + ", \"latitude\": " +
                       number(c.Latitude) + ", \"longitude\": " + number(c.Longitude) +
                       ", \"zone\": " + JsonString(QString::fromLatin1(c.Zone)) +
                       ", \"population\": " + QByteArray::number(c.Population) + '}');
            break;
        default:
            out.append(c.ListText().toUtf8() + "; " + number(c.Latitude) + "; " +
                       number(c.Longitude) + "; " + c.Zone + "; " +
                       QByteArray::number(c.Population) + '\n');
        }
    }
    if (o.Format == TCliFormat::Json)
        out.append("\n]\n");
    return r;
}

} // namespace

// ------------------------------------------------------------- places

QString FoldedName(const QString &name)
{
    const QString decomposed = name.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            folded += c;
    return folded.toCaseFolded();
}

TPlaceMatch FindPlace(const TLocalityList &list, const QString &name, int maxCandidates)
{
    TPlaceMatch match;
    // The exact name wins; then the same name without case and accents; then
    // a prefix of it. A name the list holds twice counts once.
    const QString folded = FoldedName(name);
    const TLocality *exact = nullptr;
    const TLocality *whole = nullptr;
    const TLocality *prefix = nullptr;
    QSet<QString> wholeNames, prefixNames;
    QStringList prefixOrder;
    for (const TLocality &r : list) {
        const QString &recordName = r.Field[fMesto];
        if (recordName == name) {
            exact = &r;
            break;
        }
        const QString candidate = FoldedName(recordName);
        if (candidate == folded) {
            if (!whole)
                whole = &r;
            wholeNames.insert(recordName);
        }
        if (candidate.startsWith(folded)) {
            if (!prefix)
                prefix = &r;
            if (!prefixNames.contains(recordName)) {
                prefixNames.insert(recordName);
                prefixOrder << recordName;
            }
        }
    }
    const TLocality *found = exact;
    if (!found && wholeNames.size() == 1)
        found = whole;
    if (!found && wholeNames.isEmpty() && prefixNames.size() == 1)
        found = prefix;
    if (found) {
        match.Record = *found;
        return match;
    }
    // Several names fit: the whole ones if any, else the prefixes, in file order.
    QStringList names = prefixOrder;
    if (!wholeNames.isEmpty())
        names.erase(std::remove_if(names.begin(), names.end(),
                                   [&](const QString &n) { return !wholeNames.contains(n); }),
                    names.end());
    match.MoreCandidates = std::max(0, int(names.size()) - maxCandidates);
    match.Candidates = names.mid(0, maxCandidates);
    return match;
}

// -------------------------------------------------------------------- run

TCliResult RunCli(const TCliOptions &options, const QLocale &locale, TGazetteer &cities)
{
    TCliResult r;
    switch (options.Command) {
    case TCliCommand::Help:
        break; // CliMain has the help text
    case TCliCommand::Version:
        r.Out = QByteArray("vantu-cli " VANTU_VERSION "\n");
        break;
    case TCliCommand::Easter:
        r.Out = EasterMessage(int16_t(options.EasterYear), options.Language).toUtf8() + '\n';
        break;
    case TCliCommand::Moon: {
        const double x = PhaseFraction(DateUtil::EncodeDate(
            options.MoonDate.year(), options.MoonDate.month(), options.MoonDate.day()));
        r.Out = TextIn(CliText::MoonLine, options.Language)
                    .arg(options.MoonDate.toString(Qt::ISODate), QString::number(x, 'f', 4),
                         QString::number(MoonPictureNumber(x)))
                    .toUtf8() +
                '\n';
        break;
    }
    case TCliCommand::Sun:
        return WithCityNote(options, cities, RunSun(options, locale, cities));
    case TCliCommand::Find:
        return RunFind(options, cities);
    case TCliCommand::At:
        return WithCityNote(options, cities, RunAt(options, cities));
    }
    return r;
}

TCliResult CliMain(const QStringList &arguments, const QString &lang, const QDate &today,
                   const QLocale &locale, TGazetteer *cities)
{
    const TCliParse parse = ParseCliArguments(arguments, lang, today);
    if (!parse.Options)
        return Failure(CliExitUsage, parse.Error);
    if (parse.Options->Command == TCliCommand::Help) {
        TCliResult r;
        r.Out = parse.HelpText.toUtf8();
        return r;
    }
    return RunCli(*parse.Options, locale, cities ? *cities : Cities());
}
