#include "common/ICalendarFile.h"

#include "common/EventTexts.h"
#include "common/FileText.h"
#include "common/Version.h"

#include <QCryptographicHash>
#include <QDateTime>

namespace
{

// The years a DATE or DATE-TIME of iCalendar can hold.
bool InCalendarYears(const QDateTime &moment)
{
    const int year = moment.date().year();
    return year >= 1 && year <= 9999;
}

QByteArray UtcStamp(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
}

// The place in a UID: its name and position, hashed to stay ASCII and short.
// The longitude enters west positive, as it has since the first files, so
// that a calendar that imports a file again updates the same events.
QByteArray PlaceKey(const TPlace &place)
{
    const QByteArray key = place.Name.toUtf8() + ';' + QByteArray::number(place.Latitude, 'f', 6) +
                           ';' + QByteArray::number(-place.Longitude, 'f', 6);
    return QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
}

QByteArray Coordinate(double degrees)
{
    QByteArray text = QByteArray::number(degrees, 'f', 6);
    if (text == "-0.000000")
        text = "0.000000";
    return text;
}

QDateTime Utc(TInstant at)
{
    return QDateTime::fromMSecsSinceEpoch(at.UnixMs(), Qt::UTC);
}

} // namespace

QByteArray ICalendarDay(const QDate &date)
{
    return date.toString(QStringLiteral("yyyyMMdd")).toLatin1();
}

TICalendarFile::TICalendarFile(const TPlace &place, TLanguage language, const QDate &stampDate)
    : FPlaceKey(PlaceKey(place)), FLocation(ICalendarText(place.Name).toUtf8()),
      FGeo(Coordinate(place.Latitude) + ';' + Coordinate(place.Longitude))
{
    if (stampDate.isValid())
        FStamp = ICalendarDay(stampDate) + "T000000Z";
    Line("BEGIN:VCALENDAR");
    Line("VERSION:2.0");
    Line(QByteArray("PRODID:-//Vantu//Vantu " VANTU_VERSION "//") +
         TextIn(EventText::LanguageCode, language).toLatin1());
    Line("CALSCALE:GREGORIAN");
    Line("METHOD:PUBLISH");
}

bool TICalendarFile::Timed(const QByteArray &day, const QByteArray &key, TInstant at,
                           const QString &summary)
{
    const QDateTime start = Utc(at);
    return Between(day, key, start, start.addSecs(60), summary);
}

bool TICalendarFile::Stretch(const QByteArray &day, const QByteArray &key, TInstant from,
                             TInstant to, const QString &summary)
{
    return Between(day, key, Utc(from), Utc(to), summary);
}

bool TICalendarFile::Between(const QByteArray &day, const QByteArray &key, const QDateTime &start,
                             const QDateTime &end, const QString &summary)
{
    if (!InCalendarYears(start) || !InCalendarYears(end))
        return false;
    Event(day + '-' + key,
          FoldContentLine("DTSTART:" + UtcStamp(start)) + FoldContentLine("DTEND:" + UtcStamp(end)),
          summary);
    return true;
}

// The whole date. Its length is a duration, so that the last day of year
// 9999 has no end date in year 10000.
void TICalendarFile::WholeDate(const QByteArray &day, const QByteArray &key, const QString &summary)
{
    Event(day + '-' + key,
          FoldContentLine("DTSTART;VALUE=DATE:" + day) + FoldContentLine("DURATION:P1D"), summary);
}

QByteArray TICalendarFile::Finished()
{
    Line("END:VCALENDAR");
    return FOut;
}

void TICalendarFile::Line(const QByteArray &text)
{
    FOut.append(FoldContentLine(text));
}

void TICalendarFile::Event(const QByteArray &uid, const QByteArray &when, const QString &summary)
{
    Line("BEGIN:VEVENT");
    Line("UID:" + uid + '-' + FPlaceKey + "@vantu");
    Line("DTSTAMP:" + FStamp);
    FOut.append(when);
    Line(QByteArray("SUMMARY:") + ICalendarText(summary).toUtf8());
    if (!FLocation.isEmpty())
        Line("LOCATION:" + FLocation);
    Line("GEO:" + FGeo);
    Line("TRANSP:TRANSPARENT");
    Line("END:VEVENT");
}
