// vantu-cli: the runs of its commands, each writing everything into memory,
// and the whole tool without main().
#include "cli/CliOptions.h"

#include "calendar/CalCalc.h"
#include "calendar/MoonPhase.h"
#include "cli/CliScripts.h"
#include "cli/CliSyntax.h"
#include "cli/CliTexts.h"
#include "common/Alignments.h"
#include "common/EventTexts.h"
#include "common/EventWriters.h"
#include "common/EventsOnClock.h"
#include "common/FileText.h"
#include "common/HorizonFile.h"
#include "common/Version.h"
#include "localities/Gazetteer.h"
#include "suntime/DateUtil.h"
#include "suntime/VisibleEvents.h"

namespace
{

QString Degrees(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// The dates of alignment in the format asked for.
TCliResult RunAligned(const TCliOptions &o, const TPlace &place, const QVector<TAlignment> &list)
{
    TCliResult r;
    switch (o.Format) {
    case TCliFormat::Text:
        r.Out = AlignmentsText(list, o.Language);
        break;
    case TCliFormat::Csv:
        r.Out = AlignmentsCsv(list);
        break;
    case TCliFormat::Json:
        r.Out = AlignmentsJson(list);
        break;
    case TCliFormat::ICalendar:
        if (const std::optional<QByteArray> ics = AlignmentsICalendar(list, place, o.Language))
            r.Out = *ics;
        else
            return Failure(CliExitUsage, TextIn(CliText::IcsYears, o.Language));
        break;
    }
    return r;
}

// The horizon of --horizon and --height: nothing without them, else the
// profile read or the one line that says why it cannot be.
std::optional<THorizon> HorizonOf(const TCliOptions &o, TCliResult &failure)
{
    if (o.HorizonFile.isEmpty() && !o.Height)
        return std::nullopt;
    std::vector<THorizonPoint> points;
    if (!o.HorizonFile.isEmpty()) {
        THorizonRead read = ReadHorizonFile(o.HorizonFile, o.Language);
        if (!read.Ok()) {
            failure = Failure(CliExitFailure, read.Error);
            return std::nullopt;
        }
        points = std::move(read.Points);
    }
    return THorizon(std::move(points), o.Height.value_or(0));
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
        return Failure(CliExitUsage, TextIn(CliText::IcsYears, o.Language));
    TCliResult horizonFailure;
    const std::optional<THorizon> horizon = HorizonOf(o, horizonFailure);
    if (!horizon && horizonFailure.ExitCode != CliExitOk)
        return horizonFailure;
    TAngleColumns angles;
    angles.Visible = horizon.has_value();
    angles.Altitudes = o.Altitudes;
    angles.Bearings = o.Bearings;
    angles.Light = o.Light;
    TEventRequest request;
    request.Azimuths = o.Sky || o.Aligned;
    request.Moon = o.Sky;
    RequestAngles(request, angles);
    request.Horizon = horizon;
    const QVector<TDayEvents> days =
        EventsOfDates(resolved->Place, resolved->Clock, first, last, request);
    if (o.Aligned)
        return RunAligned(o, resolved->Place, Alignments(days, *o.Aligned, o.Tolerance));

    TCliResult r;
    switch (o.Format) {
    case TCliFormat::Text:
        r.Out = EventsText(days, resolved->Place, resolved->Clock, o.Twilight, o.Language, locale,
                           o.Span != TCliSpan::Day, angles);
        break;
    case TCliFormat::Csv:
        r.Out = EventsCsv(days, o.Twilight, o.Language, angles);
        break;
    case TCliFormat::Json:
        r.Out = EventsJson(days, o.Twilight, o.Language, angles);
        break;
    case TCliFormat::ICalendar:
        if (const std::optional<QByteArray> ics = EventsICalendar(
                days, resolved->Place, o.Language,
                o.Light ? std::optional<TLightBands>(angles.Bands) : std::nullopt, angles.Visible))
            r.Out = *ics;
        else
            return Failure(CliExitUsage, TextIn(CliText::IcsYears, o.Language));
        break;
    }
    return r;
}

// The Sun and the Moon at one moment: its own offset, else the place's clock.
// One moment's keys and values as a JSON object or a CSV header and row; an
// empty value is one that does not exist.
QByteArray MomentFields(TCliFormat format, const QByteArray &iso,
                        const QList<std::pair<const char *, QByteArray>> &fields)
{
    QByteArray out;
    if (format == TCliFormat::Json) {
        out = "{\"time\": \"" + iso + '"';
        for (const auto &[key, value] : fields)
            out += QByteArray(", \"") + key + "\": " + (value.isEmpty() ? "null" : value);
        return out + "}\n";
    }
    out = "time";
    for (const auto &field : fields)
        out += QByteArray(",") + field.first;
    out += "\r\n" + iso;
    for (const auto &field : fields)
        out += ',' + field.second;
    return out + "\r\n";
}

TCliResult RunAt(const TCliOptions &o, TGazetteer &cities)
{
    TCliResult failure;
    const std::optional<TResolvedPlace> resolved = ResolvePlace(o, cities, failure);
    if (!resolved)
        return failure;
    QString note;
    const std::optional<QDateTime> given = MomentOnClock(o.At, resolved->Clock, o.Language, &note);
    if (!given)
        return Failure(CliExitUsage, note);
    const QDateTime moment = *given;
    const std::optional<TSkyAt> at = SkyAt(resolved->Place, moment);
    if (!at)
        return Failure(CliExitUsage, TextIn(CliText::MomentOutside, o.Language)
                                         .arg(QStringLiteral("--at"),
                                              o.At.Local.toString(Qt::ISODate).chopped(1)));
    TCliResult horizonFailure;
    const std::optional<THorizon> horizon = HorizonOf(o, horizonFailure);
    if (!horizon && horizonFailure.ExitCode != CliExitOk)
        return horizonFailure;
    const TSkyAt &sky = *at;
    const QByteArray iso = IsoMoment(moment).toUtf8();
    // Keys and values; an empty value is one that does not exist.
    QList<std::pair<const char *, QByteArray>> fields = {
        {"sun_altitude", Degrees(sky.Sun.Altitude, 2).toUtf8()},
        {"sun_azimuth", Degrees(sky.Sun.Azimuth, 2).toUtf8()},
        {"moon_altitude", Degrees(sky.Moon.Altitude, 2).toUtf8()},
        {"moon_azimuth", Degrees(sky.Moon.Azimuth, 2).toUtf8()},
        {"moon_illumination", Degrees(sky.MoonIllumination, 3).toUtf8()}};
    // The shadow's length and azimuth, nothing with the Sun down.
    std::optional<std::pair<double, double>> shadow;
    if (o.Shadow) {
        if (const std::optional<TShadow> s = ShadowOf(sky.Sun, *o.Shadow))
            shadow = std::make_pair(s->Length, s->Azimuth);
        fields.append(
            {"shadow_length", shadow ? Degrees(shadow->first, 2).toUtf8() : QByteArray()});
        fields.append(
            {"shadow_azimuth", shadow ? Degrees(shadow->second, 2).toUtf8() : QByteArray()});
    }
    // Whether the Sun clears the real horizon.
    const bool seen = horizon && SunSeenAt(TInstant::FromUnixMs(moment.toMSecsSinceEpoch()),
                                           resolved->Place, *horizon);
    if (horizon)
        fields.append({"sun_visible", QByteArray(seen ? "true" : "false")});
    TCliResult r;
    r.Error = note;
    switch (o.Format) {
    case TCliFormat::Json:
    case TCliFormat::Csv:
        r.Out = MomentFields(o.Format, iso, fields);
        break;
    default: {
        const QString phase = sky.MoonPhase ? MoonPhaseText(*sky.MoonPhase, o.Language) : QString();
        const auto number = [&o](double value, int decimals) {
            return DecimalText(value, decimals, o.Language);
        };
        QString text =
            TextIn(CliText::AtLine, o.Language).arg(resolved->Place.Name, QString::fromUtf8(iso)) +
            '\n' +
            TextIn(CliText::SunAt, o.Language)
                .arg(number(sky.Sun.Altitude, 2), number(sky.Sun.Azimuth, 2)) +
            '\n' +
            TextIn(CliText::MoonAt, o.Language)
                .arg(number(sky.Moon.Altitude, 2), number(sky.Moon.Azimuth, 2),
                     number(sky.MoonIllumination * 100, 1), phase) +
            '\n';
        if (horizon)
            text += TextIn(seen ? CliText::SunSeen : CliText::SunHidden, o.Language) + '\n';
        if (o.Shadow)
            text += (shadow ? TextIn(CliText::ShadowAt, o.Language)
                                  .arg(number(shadow->first, 2), number(shadow->second, 2))
                            : TextIn(CliText::NoShadow, o.Language)) +
                    '\n';
        r.Out = text.toUtf8();
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
        return Failure(CliExitFailure,
                       TextIn(CliText::NoCityMatches, o.Language).arg(Shown(o.FindText)));
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
                    .arg(options.MoonDate.toString(Qt::ISODate),
                         DecimalText(x, 4, options.Language), QString::number(MoonPictureNumber(x)))
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
    case TCliCommand::Next:
    case TCliCommand::Wait:
    case TCliCommand::Poll:
        return RunScript(options, cities);
    }
    return r;
}

TCliResult CliMain(const QStringList &arguments, const QString &lang, const QDate &today,
                   const QLocale &locale, TGazetteer *cities)
{
    const TCliParse parse = ParseCliArguments(arguments, lang, today);
    TCliResult r;
    if (!parse.Options)
        r = Failure(CliExitUsage, parse.Error);
    else if (parse.Options->Command == TCliCommand::Help)
        r.Out = parse.HelpText.toUtf8();
    else
        r = RunCli(*parse.Options, locale, cities ? *cities : Cities());
    r.Language = parse.Language;
    return r;
}
