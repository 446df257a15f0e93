// The CSV, JSON and iCalendar files written from Sun rows, and the text of
// their moments, durations and fields. Qt Core only.
#include "table/SunTable.h"

#include "table/SunTableInternal.h"

#include "common/Version.h"
#include "suntime/DateUtil.h"

#include <QCryptographicHash>

#include <charconv>
#include <cmath>

using namespace SunTableInternal;

namespace
{

// ---------------------------------------------------------------- columns

const char *const CsvEventNames[SunEventCount] = {
    "sunrise",       "solar_noon",        "sunset",
    "civil_dawn",    "civil_dusk",        "nautical_dawn",
    "nautical_dusk", "astronomical_dawn", "astronomical_dusk"};

// Columns: the three plain events always, the six twilight events with --twilight.
constexpr int PlainEvents = 3;

// ------------------------------------------------------------- formatting

// Writes n as exactly two digits.
char *TwoDigits(char *p, int n)
{
    p[0] = char('0' + n / 10 % 10);
    p[1] = char('0' + n % 10);
    return p + 2;
}

char *WriteDate(char *p, qint64 year, int month, int day)
{
    if (year < 0) {
        *p++ = '-';
        year = -year;
    }
    if (year > 9999) {
        // The last day's evening on a clock far east of UTC reaches year 10000.
        const QByteArray digits = QByteArray::number(year);
        p = std::copy(digits.cbegin(), digits.cend(), p);
    } else {
        p = TwoDigits(p, int(year / 100 % 100));
        p = TwoDigits(p, int(year % 100));
    }
    *p++ = '-';
    p = TwoDigits(p, month);
    *p++ = '-';
    return TwoDigits(p, day);
}

// The wall-clock fields come from the moment's milliseconds and offset:
// QDateTime's own date() and time() cost several times more, and a year of
// many places formats millions of moments. At most 32 characters.
char *WriteIsoMoment(char *p, const QDateTime &moment)
{
    // ISO 8601 offsets have no seconds. A local mean time's offset (such as
    // +00:57:44) goes to the nearest whole minute, and the clock reading with
    // it, so that the text still names the same second.
    const int exact = moment.offsetFromUtc();
    const int offset = (exact >= 0 ? exact + 30 : exact - 30) / 60 * 60;
    const qint64 wall = moment.toMSecsSinceEpoch() + offset * qint64(1000);
    const qint64 days = wall >= 0 ? wall / MsPerDay : -((-wall + MsPerDay - 1) / MsPerDay);
    const int seconds = int((wall - days * MsPerDay) / 1000);
    int64_t y = 0;
    int m = 0, d = 0;
    DateUtil::CivilFromUnixDays(days, y, m, d);
    p = WriteDate(p, y, m, d);
    *p++ = 'T';
    p = TwoDigits(p, seconds / 3600);
    *p++ = ':';
    p = TwoDigits(p, seconds / 60 % 60);
    *p++ = ':';
    p = TwoDigits(p, seconds % 60);
    const int a = std::abs(offset);
    *p++ = offset < 0 ? '-' : '+';
    p = TwoDigits(p, a / 3600);
    *p++ = ':';
    return TwoDigits(p, a / 60 % 60);
}

void AppendIsoMoment(QByteArray &out, const QDateTime &moment)
{
    char buffer[40];
    out.append(buffer, WriteIsoMoment(buffer, moment) - buffer);
}

char *WriteRowDate(char *p, const QDate &date)
{
    int y = 0, m = 0, d = 0;
    date.getDate(&y, &m, &d);
    return WriteDate(p, y, m, d);
}

void AppendDate(QByteArray &out, const QDate &date)
{
    char buffer[16];
    out.append(buffer, WriteRowDate(buffer, date) - buffer);
}

// "HH:MM:SS"; at most 16 characters for any int.
char *WriteDuration(char *p, int seconds)
{
    seconds = std::max(seconds, 0);
    const int hours = seconds / 3600;
    if (hours < 100) {
        p = TwoDigits(p, hours);
    } else {
        const QByteArray digits = QByteArray::number(hours);
        p = std::copy(digits.cbegin(), digits.cend(), p);
    }
    *p++ = ':';
    p = TwoDigits(p, seconds / 60 % 60);
    *p++ = ':';
    return TwoDigits(p, seconds % 60);
}

void AppendDuration(QByteArray &out, int seconds)
{
    char buffer[16];
    out.append(buffer, WriteDuration(buffer, seconds) - buffer);
}

// Degrees with two decimals, correctly rounded; written in place, without
// the allocation of QByteArray::number.
char *WriteAltitude(char *p, double degrees)
{
    char *const end = p + 32;
    if (!std::isfinite(degrees))
        return p;
    const std::to_chars_result r = std::to_chars(p, end, degrees, std::chars_format::fixed, 2);
    return r.ec == std::errc() ? r.ptr : p;
}

QByteArray AltitudeText(double degrees)
{
    char buffer[40];
    return QByteArray(buffer, WriteAltitude(buffer, degrees) - buffer);
}

QByteArray Fixed(double value, int decimals)
{
    char buffer[40];
    const std::to_chars_result r =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? QByteArray(buffer, r.ptr - buffer) : QByteArray();
}

// The sky's columns of a row, in order, each empty when it has no value;
// quoted marks a text (for JSON).
constexpr int SkyColumns = 6;
const char *const SkyColumnNames[SkyColumns] = {
    "sunrise_azimuth", "sunset_azimuth", "moonrise", "moonset", "moon_illumination", "moon_phase"};
struct TSkyCells {
    QByteArray Value[SkyColumns];
    bool Quoted[SkyColumns] = {false, false, true, true, false, true};
};

TSkyCells SkyCells(const TSkyOfDay &sky)
{
    TSkyCells c;
    const auto moment = [](const std::optional<QDateTime> &m) {
        QByteArray out;
        if (m)
            AppendIsoMoment(out, *m);
        return out;
    };
    if (sky.SunriseAzimuth)
        c.Value[0] = Fixed(*sky.SunriseAzimuth, 1);
    if (sky.SunsetAzimuth)
        c.Value[1] = Fixed(*sky.SunsetAzimuth, 1);
    c.Value[2] = moment(sky.Moonrise);
    c.Value[3] = moment(sky.Moonset);
    if (sky.MoonIllumination)
        c.Value[4] = Fixed(*sky.MoonIllumination, 3);
    if (sky.MoonPhase)
        c.Value[5] = MoonPhaseKey(*sky.MoonPhase);
    return c;
}

bool HasSky(const QVector<TSunRow> &rows)
{
    return !rows.isEmpty() && rows.first().Sky.has_value();
}

bool HasNoon(const TSunRow &row)
{
    return row.At(TSunEvent::SolarNoon).has_value();
}

// The events a file shows, in column order.
int ShownEvents(bool twilight)
{
    return twilight ? SunEventCount : PlainEvents;
}

// A JSON string (the few characters JSON requires escaped; the rest as UTF-8).
void AppendJsonString(QByteArray &out, const QString &text)
{
    out.append('"');
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"':
            out.append("\\\"");
            break;
        case '\\':
            out.append("\\\\");
            break;
        case '\n':
            out.append("\\n");
            break;
        case '\r':
            out.append("\\r");
            break;
        case '\t':
            out.append("\\t");
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                out.append("\\u00");
                out.append(
                    QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0'));
            } else {
                out.append(c);
            }
        }
    }
    out.append('"');
}

// ------------------------------------------------------------- iCalendar

// The years a DATE or DATE-TIME of iCalendar can hold.
bool InCalendarYears(const QDate &date)
{
    return date.year() >= 1 && date.year() <= 9999;
}

QByteArray UtcStamp(const QDateTime &moment)
{
    return moment.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
}

// The place in a UID: its name and position, hashed to stay ASCII and short.
QByteArray PlaceKey(const TPlace &place)
{
    const QByteArray key = place.Name.toUtf8() + ';' + QByteArray::number(place.Latitude, 'f', 6) +
                           ';' + QByteArray::number(place.LongitudeWest(), 'f', 6);
    return QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
}

QByteArray Coordinate(double degrees)
{
    QByteArray text = QByteArray::number(degrees, 'f', 6);
    if (text == "-0.000000")
        text = "0.000000";
    return text;
}

} // namespace

// ------------------------------------------------------------------ pieces

QString IsoMoment(const QDateTime &moment)
{
    QByteArray out;
    AppendIsoMoment(out, moment);
    return QString::fromLatin1(out);
}

QString OtherDateMark(const QDate &rowDate, const QDateTime &moment)
{
    const qint64 days = rowDate.daysTo(moment.date());
    if (days == 0)
        return QString();
    return QStringLiteral(" (%1%2)")
        .arg(days > 0 ? QChar(u'+') : QChar(0x2212))
        .arg(std::abs(days));
}

QString DurationText(int seconds)
{
    QByteArray out;
    AppendDuration(out, seconds);
    return QString::fromLatin1(out);
}

QByteArray JsonString(const QString &text)
{
    QByteArray out;
    AppendJsonString(out, text);
    return out;
}

QString CsvField(const QString &text)
{
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                       text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    if (!quote)
        return text;
    QString inner = text;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QByteArray FoldContentLine(const QByteArray &line)
{
    constexpr int Limit = 75;
    QByteArray out;
    out.reserve(line.size() + line.size() / 60 * 3 + 2);
    qsizetype start = 0;
    int room = Limit; // the first physical line has no leading space
    while (line.size() - start > room) {
        qsizetype cut = start + room;
        // Step back off UTF-8 continuation bytes so a character stays whole.
        while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        if (cut == start)
            cut = start + room; // not UTF-8 at all; still keep the limit
        out.append(line.constData() + start, cut - start);
        out.append("\r\n ");
        start = cut;
        room = Limit - 1;
    }
    out.append(line.constData() + start, line.size() - start);
    out.append("\r\n");
    return out;
}

QString ICalendarText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(',')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c == QLatin1Char('\r')) {
            // CR LF and a lone CR are one line break each.
            out += QStringLiteral("\\n");
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out += QStringLiteral("\\n");
        } else if (c.unicode() < 0x20 && c != QLatin1Char('\t')) {
            // Other control characters are not allowed in TEXT.
        } else {
            out += c;
        }
    }
    return out;
}

// ------------------------------------------------------------------- files

QByteArray SunRowsCsv(const QVector<TSunRow> &rows, bool twilight, TLanguage language)
{
    const int events = ShownEvents(twilight);
    QByteArray out;
    out.reserve(64 + rows.size() * (twilight ? 300 : 110));
    out.append("date,sunrise,solar_noon,sunset,day_length");
    if (twilight) {
        for (int e = PlainEvents; e < SunEventCount; ++e) {
            out.append(',');
            out.append(CsvEventNames[e]);
        }
        out.append(",noon_altitude");
    }
    const bool sky = HasSky(rows);
    if (sky)
        for (const char *name : SkyColumnNames) {
            out.append(',');
            out.append(name);
        }
    out.append(",note\r\n");
    // The fixed part of a row goes through one buffer: one append per row
    // instead of one per field.
    char buffer[512]; // date, nine moments, day length, altitude: under 400
    for (const TSunRow &row : rows) {
        char *p = WriteRowDate(buffer, row.Date);
        for (int e = 0; e < PlainEvents; ++e) {
            *p++ = ',';
            if (row.Event[e])
                p = WriteIsoMoment(p, *row.Event[e]);
        }
        *p++ = ',';
        p = WriteDuration(p, row.DayLength);
        if (twilight) {
            for (int e = PlainEvents; e < events; ++e) {
                *p++ = ',';
                if (row.Event[e])
                    p = WriteIsoMoment(p, *row.Event[e]);
            }
            *p++ = ',';
        }
        if (twilight && HasNoon(row))
            p = WriteAltitude(p, row.NoonAltitude);
        *p++ = ',';
        out.append(buffer, p - buffer);
        if (sky && row.Sky) {
            const TSkyCells cells = SkyCells(*row.Sky);
            for (const QByteArray &value : cells.Value)
                out.append(value + ',');
        }
        const QString note = SunRowNote(row, twilight, language);
        if (!note.isEmpty())
            out.append(CsvField(note).toUtf8());
        out.append("\r\n", 2);
    }
    return out;
}

QByteArray SunRowsJson(const QVector<TSunRow> &rows, bool twilight, TLanguage language)
{
    const auto eventValue = [](QByteArray &out, const std::optional<QDateTime> &moment) {
        if (!moment) {
            out.append("null");
            return;
        }
        out.append('"');
        AppendIsoMoment(out, *moment);
        out.append('"');
    };
    QByteArray out;
    out.reserve(8 + rows.size() * (twilight ? 420 : 170));
    out.append('[');
    bool firstRow = true;
    for (const TSunRow &row : rows) {
        out.append(firstRow ? "\n  {" : ",\n  {");
        firstRow = false;
        out.append("\"date\": \"");
        AppendDate(out, row.Date);
        out.append('"');
        for (int e = 0; e < PlainEvents; ++e) {
            out.append(", \"");
            out.append(CsvEventNames[e]);
            out.append("\": ");
            eventValue(out, row.Event[e]);
        }
        out.append(", \"day_length\": \"");
        AppendDuration(out, row.DayLength);
        out.append('"');
        if (twilight) {
            for (int e = PlainEvents; e < SunEventCount; ++e) {
                out.append(", \"");
                out.append(CsvEventNames[e]);
                out.append("\": ");
                eventValue(out, row.Event[e]);
            }
            out.append(", \"noon_altitude\": ");
            out.append(HasNoon(row) ? AltitudeText(row.NoonAltitude) : QByteArray("null"));
        }
        if (row.Sky) {
            const TSkyCells cells = SkyCells(*row.Sky);
            for (int c = 0; c < SkyColumns; ++c) {
                out.append(QByteArray(", \"") + SkyColumnNames[c] + "\": ");
                if (cells.Value[c].isEmpty())
                    out.append("null");
                else if (cells.Quoted[c])
                    out.append('"' + cells.Value[c] + '"');
                else
                    out.append(cells.Value[c]);
            }
        }
        out.append(", \"note\": ");
        const QString note = SunRowNote(row, twilight, language);
        if (note.isEmpty())
            out.append("null");
        else
            AppendJsonString(out, note);
        out.append('}');
    }
    out.append(rows.isEmpty() ? "]\n" : "\n]\n");
    return out;
}

namespace
{

// An iCalendar file of Sun rows, event by event.
class TICalendarWriter
{
public:
    TICalendarWriter(const QVector<TSunRow> &rows, const TPlace &place, TLanguage language)
        : FLanguage(language), FPlaceKey(PlaceKey(place)),
          FLocation(ICalendarText(place.Name).toUtf8()),
          FGeo(Coordinate(place.Latitude) + ';' + Coordinate(place.Longitude))
    {
        // The same rows give the same file: the stamp is the first day's
        // start, not the moment of writing.
        if (!rows.isEmpty())
            FStamp = rows.first().Date.toString(QStringLiteral("yyyyMMdd")).toLatin1() + "T000000Z";
        Line("BEGIN:VCALENDAR");
        Line("VERSION:2.0");
        Line(QByteArray("PRODID:-//Vantu//Vantu " VANTU_VERSION "//") +
             TextIn(RowText::LanguageCode, language).toLatin1());
        Line("CALSCALE:GREGORIAN");
        Line("METHOD:PUBLISH");
    }

    // The row's events; false when iCalendar cannot hold one of them.
    bool AddRow(const TSunRow &row)
    {
        if (!InCalendarYears(row.Date))
            return false;
        FDay = row.Date.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        if (!AddTimed("sunrise", row.At(TSunEvent::Sunrise), RowText::Sunrise) ||
            !AddTimed("sunset", row.At(TSunEvent::Sunset), RowText::Sunset))
            return false;
        if (row.Sky && (!AddTimed("moonrise", row.Sky->Moonrise, RowText::Moonrise) ||
                        !AddTimed("moonset", row.Sky->Moonset, RowText::Moonset)))
            return false;
        if (row.Sky && row.Sky->PrincipalPhase) {
            static const char *const keys[4] = {"newmoon", "firstquarter", "fullmoon",
                                                "lastquarter"};
            const int phase = int(*row.Sky->PrincipalPhase);
            AddAllDay(keys[phase], RowText::PrincipalPhases[phase]);
        }
        // A day without sunrise and sunset shows as one all-day event.
        const TCrossingState rise = row.State[int(TSunEvent::Sunrise)];
        const TCrossingState set = row.State[int(TSunEvent::Sunset)];
        if (rise == set && rise == TCrossingState::AlwaysAbove)
            AddAllDay("polarday", RowText::PolarDaySummary);
        else if (rise == set && rise == TCrossingState::AlwaysBelow)
            AddAllDay("polarnight", RowText::PolarNightSummary);
        return true;
    }

    QByteArray Finished()
    {
        Line("END:VCALENDAR");
        return FOut;
    }

private:
    void Line(const QByteArray &text) { FOut.append(FoldContentLine(text)); }

    void AddEvent(const char *kind, const QByteArray &when, const TText &summary)
    {
        Line("BEGIN:VEVENT");
        Line("UID:" + FDay + '-' + kind + '-' + FPlaceKey + "@vantu");
        Line("DTSTAMP:" + FStamp);
        FOut.append(when);
        Line(QByteArray("SUMMARY:") + ICalendarText(TextIn(summary, FLanguage)).toUtf8());
        if (!FLocation.isEmpty())
            Line("LOCATION:" + FLocation);
        Line("GEO:" + FGeo);
        Line("TRANSP:TRANSPARENT");
        Line("END:VEVENT");
    }

    // A one-minute event; false when iCalendar cannot hold its moment.
    bool AddTimed(const char *kind, const std::optional<QDateTime> &moment, const TText &summary)
    {
        if (!moment)
            return true;
        const QDateTime start = moment->toUTC();
        const QDateTime end = start.addSecs(60);
        if (!InCalendarYears(start.date()) || !InCalendarYears(end.date()))
            return false;
        AddEvent(kind,
                 FoldContentLine("DTSTART:" + UtcStamp(start)) +
                     FoldContentLine("DTEND:" + UtcStamp(end)),
                 summary);
        return true;
    }

    // The whole date. Its length is a duration, so that the last day of
    // year 9999 has no end date in year 10000.
    void AddAllDay(const char *kind, const TText &summary)
    {
        AddEvent(kind,
                 FoldContentLine("DTSTART;VALUE=DATE:" + FDay) + FoldContentLine("DURATION:P1D"),
                 summary);
    }

    const TLanguage FLanguage;
    const QByteArray FPlaceKey;
    const QByteArray FLocation;
    const QByteArray FGeo;
    QByteArray FStamp = "19700101T000000Z";
    QByteArray FDay; // of the row being written, yyyyMMdd
    QByteArray FOut;
};

} // namespace

std::optional<QByteArray> SunRowsICalendar(const QVector<TSunRow> &rows, const TPlace &place,
                                           TLanguage language)
{
    TICalendarWriter writer(rows, place, language);
    for (const TSunRow &row : rows)
        if (!writer.AddRow(row))
            return std::nullopt;
    return writer.Finished();
}
