// vantu-cli: the place of a run, from the locality file, coordinates or the
// world's cities, and the moment typed for it on its clock.
#include "cli/CliSyntax.h"

#include "cli/CliTexts.h"
#include "localities/Gazetteer.h"

#include <QSet>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace
{

QString CoordinateName(double latitude, double longitudeEast)
{
    return QString::number(std::fabs(latitude), 'g', 10) +
           (latitude < 0 ? QLatin1Char('S') : QLatin1Char('N')) + QLatin1Char(' ') +
           QString::number(std::fabs(longitudeEast), 'g', 10) +
           (longitudeEast < 0 ? QLatin1Char('W') : QLatin1Char('E'));
}

// The record of the locality file, with its own clock.
std::optional<TResolvedPlace> LocalityPlace(const TCliOptions &o, TCliResult &failure)
{
    const TCliPlace &p = o.Place;
    const auto text = [&o](const TText &t) { return TextIn(t, o.Language); };
    TLocalityList list;
    const TLoadStatus status = TLocalityFile(p.DatabasePath).Load(list);
    if (status == TLoadStatus::Missing) {
        failure =
            Failure(CliExitFailure, text(CliText::LocalityMissing).arg(Shown(p.DatabasePath)));
        return std::nullopt;
    }
    if (status == TLoadStatus::Damaged) {
        failure =
            Failure(CliExitFailure, text(CliText::LocalityDamaged).arg(Shown(p.DatabasePath)));
        return std::nullopt;
    }
    const TPlaceMatch match = FindPlace(list, p.Name);
    if (!match.Record) {
        QString message = match.Candidates.isEmpty()
                              ? text(CliText::PlaceNotFound).arg(Shown(p.Name))
                              : text(CliText::PlaceAmbiguous).arg(Shown(p.Name));
        for (const QString &name : match.Candidates)
            message += QLatin1Char('\n') + Shown(name);
        if (match.MoreCandidates > 0)
            message += QLatin1Char('\n') + text(CliText::AndMore).arg(match.MoreCandidates);
        failure = Failure(CliExitFailure, message);
        return std::nullopt;
    }
    return TResolvedPlace{PlaceOfLocality(*match.Record), ClockOfLocality(*match.Record)};
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
        failure = Failure(CliExitFailure,
                          TextIn(CliText::CityNotFound, o.Language).arg(Shown(o.Place.Name)));
        return std::nullopt;
    }
    TPlace place = choice.City->Place();
    if (!choice.Sure)
        place.Name = choice.City->FullName();
    return TResolvedPlace{place, TClock::Zone(QTimeZone(place.Zone))};
}

} // namespace

TCliResult Failure(int code, const QString &message)
{
    TCliResult r;
    r.ExitCode = code;
    r.Error = message;
    return r;
}

TCliResult NoCityData(const TCliOptions &o, const TGazetteer &cities)
{
    QString message = TextIn(CliText::NoCityData, o.Language);
    if (o.Verbose)
        message += QLatin1Char('\n') + cities.Error();
    return Failure(CliExitFailure, message);
}

TCliResult WithCityNote(const TCliOptions &o, TGazetteer &cities, TCliResult r)
{
    if (r.ExitCode != CliExitOk || o.Place.Source != TCliPlace::TSource::City)
        return r;
    const TCityChoice choice = ChooseCity(o.Place.Name, o.Language, cities);
    if (!choice.City || choice.Sure)
        return r;
    QString note =
        TextIn(CliText::CityTaken, o.Language).arg(Shown(o.Place.Name), choice.City->FullName());
    if (choice.Others == 0) {
        note += TextIn(CliText::OnlyCity, o.Language);
    } else {
        // One, two to four, five and more: the forms a Slovak count takes.
        const int form = choice.Others == 1 ? 0 : choice.Others < 5 ? 1 : 2;
        note += TextIn(CliText::OtherCities[form], o.Language)
                    .arg(QString::number(choice.Others), Shown(o.Place.Name));
    }
    r.Error = r.Error.isEmpty() ? note : note + QLatin1Char('\n') + r.Error;
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
        resolved = LocalityPlace(o, failure);
        break;
    case TCliPlace::TSource::City:
        resolved = CityPlace(o, cities, failure);
        break;
    }
    if (resolved && o.Clock)
        resolved->Clock = *o.Clock;
    return resolved;
}

std::optional<QDateTime> MomentOnClock(const TCliMoment &moment, const TClock &clock,
                                       TLanguage language, QString *note)
{
    const QDate day = moment.Local.date();
    const QTime time = moment.Local.time();
    if (moment.Offset)
        return QDateTime(day, time, Qt::OffsetFromUTC, *moment.Offset);
    if (!clock.IsZone())
        return QDateTime(day, time, Qt::OffsetFromUTC, clock.FixedOffset());
    // The offsets the zone may show at that time of day: those in force half
    // a day before and after. Each that gives back the same wall time is a
    // reading of it; none in a gap, two in an overlap.
    const qint64 wall = moment.Local.toMSecsSinceEpoch();
    QList<int> offsets;
    for (const qint64 around : {wall - 43200000, wall + 43200000}) {
        const int offset = clock.OffsetAtMs(around);
        if (!offsets.contains(offset))
            offsets << offset;
    }
    QList<QDateTime> readings;
    for (const int offset : offsets) {
        const qint64 ms = wall - offset * qint64(1000);
        if (clock.OffsetAtMs(ms) == offset)
            readings << QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, offset);
    }
    std::sort(readings.begin(), readings.end());
    const QString hhmm =
        time.toString(time.second() ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
    const QString zone = QString::fromLatin1(clock.TimeZone().id());
    if (readings.isEmpty()) {
        if (note)
            *note = TextIn(CliText::TimeInGap, language).arg(hhmm, day.toString(Qt::ISODate), zone);
        return std::nullopt;
    }
    if (readings.size() > 1 && note)
        *note = TextIn(CliText::TimeTwice, language)
                    .arg(hhmm, day.toString(Qt::ISODate), zone,
                         OffsetText(readings.first().offsetFromUtc()));
    return readings.first();
}

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
