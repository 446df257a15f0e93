// Rows of Sun events and the CSV, JSON and iCalendar files written from them.
// Qt Core only: the command-line tool links this without any window code.
#include "table/SunTable.h"

#include "suntime/DateUtil.h"

#include <QCryptographicHash>

#include <cmath>

namespace
{

// ------------------------------------------------------------------ texts

struct TSunTableTexts {
    const char *PolarDay;
    const char *PolarNight;
    const char *Failed; // appended to the missing event in brackets
    std::array<const char *, SunEventCount> NoEvent;
    // Dawn and dusk of civil, nautical and astronomical twilight both missing.
    std::array<const char *, 3> NoTwilight;
    const char *Sunrise; // iCalendar summaries
    const char *Sunset;
    const char *LanguageCode; // of PRODID
};

const TSunTableTexts SlovakTableTexts = {
    "polárny deň",
    "polárna noc",
    "výpočet zlyhal",
    {"bez východu Slnka", "bez slnečného poludnia", "bez západu Slnka", "bez občianskeho svitania",
     "bez občianskeho súmraku", "bez námorníckeho svitania", "bez námorníckeho súmraku",
     "bez astronomického svitania", "bez astronomického súmraku"},
    {"bez občianskeho svitania a súmraku", "bez námorníckeho svitania a súmraku",
     "bez astronomického svitania a súmraku"},
    "Východ Slnka",
    "Západ Slnka",
    "SK",
};

const TSunTableTexts EnglishTableTexts = {
    "polar day",
    "polar night",
    "calculation failed",
    {"no sunrise", "no solar noon", "no sunset", "no civil dawn", "no civil dusk",
     "no nautical dawn", "no nautical dusk", "no astronomical dawn", "no astronomical dusk"},
    {"no civil dawn or dusk", "no nautical dawn or dusk", "no astronomical dawn or dusk"},
    "Sunrise",
    "Sunset",
    "EN",
};

const TSunTableTexts HungarianTableTexts = {
    "sarki nappal",
    "sarki éjszaka",
    "a számítás sikertelen",
    {"nincs napkelte", "nincs delelés", "nincs napnyugta", "nincs polgári hajnal",
     "nincs polgári alkony", "nincs hajózási hajnal", "nincs hajózási alkony",
     "nincs csillagászati hajnal", "nincs csillagászati alkony"},
    {"nincs polgári hajnal és alkony", "nincs hajózási hajnal és alkony",
     "nincs csillagászati hajnal és alkony"},
    "Napkelte",
    "Napnyugta",
    "HU",
};

const TSunTableTexts &TableTexts(TLanguage language)
{
    static const TSunTableTexts *const tables[LanguageCount] = {
        &SlovakTableTexts, &EnglishTableTexts, &HungarianTableTexts};
    return *ForLanguage(tables, language);
}

const char *const CsvEventNames[SunEventCount] = {
    "sunrise",       "solar_noon",        "sunset",
    "civil_dawn",    "civil_dusk",        "nautical_dawn",
    "nautical_dusk", "astronomical_dawn", "astronomical_dusk"};

// Columns: the three plain events always, the six twilight events with --twilight.
constexpr int PlainEvents = 3;

// ---------------------------------------------------------------- moments

// Whole days from the OLE epoch to a date.
double OleDay(const QDate &date)
{
    static const qint64 epoch = QDate(1899, 12, 30).toJulianDay();
    return double(date.toJulianDay() - epoch);
}

// An OLE date-time, taken to the millisecond and cut to the second as the
// result lines show it, as a moment with the given offset from UTC.
std::optional<QDateTime> MomentOf(double ole, int offsetSeconds)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    DateUtil::DecodeDateTime(ole, y, mo, d, h, mi, s, ms);
    const QDate date(y, mo, d);
    if (!date.isValid())
        return std::nullopt;
    return QDateTime(date, QTime(h, mi, s), Qt::OffsetFromUTC, offsetSeconds);
}

// The crossing as a moment on the clock. Fixed clocks get the calculator's
// own clock time; a zone gets the UTC moment on the offset in force then.
std::optional<QDateTime> EventMoment(double ole, const TSunClock &clock)
{
    if (!clock.IsTimeZone())
        return MomentOf(ole, clock.Offset());
    std::optional<QDateTime> utc = MomentOf(ole, 0);
    if (!utc)
        return std::nullopt;
    return utc->toOffsetFromUtc(clock.OffsetAt(*utc));
}

void Put(TSunRow &row, TSunEvent e, const TCrossing &c, const TSunClock &clock)
{
    const int i = int(e);
    row.State[i] = c.State;
    if (c.Occurs()) {
        row.Event[i] = EventMoment(c.Time, clock);
        if (!row.Event[i])
            row.State[i] = TCrossingState::Failed;
    }
}

// ------------------------------------------------------------- formatting

void AppendTwoDigits(QByteArray &out, int n)
{
    out.append(char('0' + n / 10 % 10));
    out.append(char('0' + n % 10));
}

void AppendIsoMoment(QByteArray &out, const QDateTime &moment)
{
    const QDate d = moment.date();
    const QTime t = moment.time();
    int year = d.year();
    if (year < 0) {
        out.append('-');
        year = -year;
    }
    AppendTwoDigits(out, year / 100);
    AppendTwoDigits(out, year % 100);
    out.append('-');
    AppendTwoDigits(out, d.month());
    out.append('-');
    AppendTwoDigits(out, d.day());
    out.append('T');
    AppendTwoDigits(out, t.hour());
    out.append(':');
    AppendTwoDigits(out, t.minute());
    out.append(':');
    AppendTwoDigits(out, t.second());
    int offset = moment.offsetFromUtc();
    out.append(offset < 0 ? '-' : '+');
    offset = std::abs(offset);
    AppendTwoDigits(out, offset / 3600);
    out.append(':');
    AppendTwoDigits(out, offset / 60 % 60);
    if (offset % 60 != 0) {
        out.append(':');
        AppendTwoDigits(out, offset % 60);
    }
}

void AppendDate(QByteArray &out, const QDate &d)
{
    out.append(d.toString(Qt::ISODate).toLatin1());
}

void AppendDuration(QByteArray &out, int seconds)
{
    seconds = std::max(seconds, 0);
    const int hours = seconds / 3600;
    if (hours >= 100)
        out.append(QByteArray::number(hours));
    else
        AppendTwoDigits(out, hours);
    out.append(':');
    AppendTwoDigits(out, seconds / 60 % 60);
    out.append(':');
    AppendTwoDigits(out, seconds % 60);
}

QByteArray AltitudeText(double degrees)
{
    return QByteArray::number(degrees, 'f', 2);
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

QString TextOf(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// ------------------------------------------------------------- iCalendar

QByteArray UtcStamp(const QDateTime &moment)
{
    return moment.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
}

// The place in a UID: its name and position, hashed to stay ASCII and short.
QByteArray PlaceKey(const TSunPlace &place)
{
    const QByteArray key = place.Name.toUtf8() + ';' + QByteArray::number(place.Latitude, 'f', 6) +
                           ';' + QByteArray::number(place.LongitudeWest, 'f', 6);
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

// --------------------------------------------------------------- the clock

TSunClock TSunClock::FixedOffset(int secondsEastOfUtc)
{
    TSunClock clock;
    clock.FOffset = secondsEastOfUtc;
    return clock;
}

TSunClock TSunClock::TimeZone(const QTimeZone &zone)
{
    TSunClock clock;
    clock.FIsZone = true;
    clock.FZone = zone;
    return clock;
}

int TSunClock::OffsetAt(const QDateTime &utc) const
{
    return FIsZone ? FZone.offsetFromUtc(utc) : FOffset;
}

// ----------------------------------------------------------------- the rows

QVector<TSunRow> SunRows(const TSunPlace &place, const TSunClock &clock, const QDate &first,
                         const QDate &last)
{
    QVector<TSunRow> rows;
    if (!first.isValid() || !last.isValid() || last < first)
        return rows;
    rows.reserve(int(first.daysTo(last) + 1));
    // A zone is computed in UTC and each moment moved to its own offset; the
    // calculator's day is the UTC day either way.
    const double hours = clock.IsTimeZone() ? 0.0 : clock.Offset() / 3600.0;
    for (QDate date = first; date <= last; date = date.addDays(1)) {
        const TSunDay day = ComputeSunDay(OleDay(date), place.Latitude, place.LongitudeWest, hours);
        TSunRow row;
        row.Date = date;
        row.State.fill(TCrossingState::Failed);
        Put(row, TSunEvent::Sunrise, day.Sun.Morning, clock);
        Put(row, TSunEvent::Sunset, day.Sun.Evening, clock);
        Put(row, TSunEvent::CivilDawn, day.Civil.Morning, clock);
        Put(row, TSunEvent::CivilDusk, day.Civil.Evening, clock);
        Put(row, TSunEvent::NauticalDawn, day.Nautical.Morning, clock);
        Put(row, TSunEvent::NauticalDusk, day.Nautical.Evening, clock);
        Put(row, TSunEvent::AstronomicalDawn, day.Astronomical.Morning, clock);
        Put(row, TSunEvent::AstronomicalDusk, day.Astronomical.Evening, clock);
        TCrossing noon;
        noon.State = day.Noon != 0 ? TCrossingState::Occurs : TCrossingState::Failed;
        noon.Time = day.Noon;
        Put(row, TSunEvent::SolarNoon, noon, clock);
        row.NoonAltitude = day.NoonAltitude;
        // Between the shown sunrise and sunset when both occur, so that the
        // columns agree with each other; the calculator's figure otherwise.
        const auto &rise = row.At(TSunEvent::Sunrise);
        const auto &set = row.At(TSunEvent::Sunset);
        if (rise && set)
            row.DayLength = int(rise->secsTo(*set));
        else if (std::isfinite(day.DayLength))
            row.DayLength = int(std::clamp(std::llround(day.DayLength), 0LL, 86400LL));
        rows.append(std::move(row));
    }
    return rows;
}

// ------------------------------------------------------------------ pieces

QString IsoMoment(const QDateTime &moment)
{
    QByteArray out;
    AppendIsoMoment(out, moment);
    return QString::fromLatin1(out);
}

QString DurationText(int seconds)
{
    QByteArray out;
    AppendDuration(out, seconds);
    return QString::fromLatin1(out);
}

QString SunRowNote(const TSunRow &row, bool twilight, TLanguage language)
{
    const TSunTableTexts &texts = TableTexts(language);
    QStringList parts;
    const auto state = [&](TSunEvent e) { return row.State[int(e)]; };
    const auto missing = [&](TSunEvent e) { return !row.At(e).has_value(); };
    const auto single = [&](TSunEvent e) {
        if (!missing(e))
            return;
        QString text = TextOf(texts.NoEvent[int(e)]);
        if (state(e) == TCrossingState::Failed)
            text += QStringLiteral(" (") + TextOf(texts.Failed) + QLatin1Char(')');
        parts << text;
    };

    // Sunrise and sunset: polar day or night when both stay away for that reason.
    const TCrossingState rise = state(TSunEvent::Sunrise);
    const bool polarDay = rise == TCrossingState::AlwaysAbove && state(TSunEvent::Sunset) == rise;
    const bool polarNight = rise == TCrossingState::AlwaysBelow && state(TSunEvent::Sunset) == rise;
    if (polarDay)
        parts << TextOf(texts.PolarDay);
    else if (polarNight)
        parts << TextOf(texts.PolarNight);
    else
        single(TSunEvent::Sunrise);
    single(TSunEvent::SolarNoon);
    if (!polarDay && !polarNight)
        single(TSunEvent::Sunset);

    if (twilight) {
        const TSunEvent pairs[3][2] = {{TSunEvent::CivilDawn, TSunEvent::CivilDusk},
                                       {TSunEvent::NauticalDawn, TSunEvent::NauticalDusk},
                                       {TSunEvent::AstronomicalDawn, TSunEvent::AstronomicalDusk}};
        for (int k = 0; k < 3; ++k) {
            const TSunEvent dawn = pairs[k][0];
            const TSunEvent dusk = pairs[k][1];
            const bool bothAway = missing(dawn) && missing(dusk) && state(dawn) == state(dusk) &&
                                  state(dawn) != TCrossingState::Failed;
            // In polar day the Sun stays above every twilight's angle too.
            if (bothAway && polarDay && state(dawn) == TCrossingState::AlwaysAbove)
                continue;
            if (bothAway) {
                parts << TextOf(texts.NoTwilight[k]);
            } else {
                single(dawn);
                single(dusk);
            }
        }
    }
    return parts.join(QStringLiteral("; "));
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
    out.append(",note\r\n");
    for (const TSunRow &row : rows) {
        AppendDate(out, row.Date);
        for (int e = 0; e < PlainEvents; ++e) {
            out.append(',');
            if (row.Event[e])
                AppendIsoMoment(out, *row.Event[e]);
        }
        out.append(',');
        AppendDuration(out, row.DayLength);
        if (twilight) {
            for (int e = PlainEvents; e < events; ++e) {
                out.append(',');
                if (row.Event[e])
                    AppendIsoMoment(out, *row.Event[e]);
            }
            out.append(',');
            if (HasNoon(row))
                out.append(AltitudeText(row.NoonAltitude));
        }
        out.append(',');
        out.append(CsvField(SunRowNote(row, twilight, language)).toUtf8());
        out.append("\r\n");
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

QByteArray SunRowsICalendar(const QVector<TSunRow> &rows, const TSunPlace &place,
                            TLanguage language)
{
    const TSunTableTexts &texts = TableTexts(language);
    QByteArray out;
    const auto line = [&out](const QByteArray &text) { out.append(FoldContentLine(text)); };
    line("BEGIN:VCALENDAR");
    line("VERSION:2.0");
    line(QByteArray("PRODID:-//Vantu//Vantu " VANTU_VERSION "//") + texts.LanguageCode);
    line("CALSCALE:GREGORIAN");
    line("METHOD:PUBLISH");
    // The same rows give the same file: the stamp is the first day's start,
    // not the moment of writing.
    QByteArray stamp = "19700101T000000Z";
    if (!rows.isEmpty())
        stamp = rows.first().Date.toString(QStringLiteral("yyyyMMdd")).toLatin1() + "T000000Z";
    const QByteArray placeKey = PlaceKey(place);
    const QByteArray location = ICalendarText(place.Name).toUtf8();
    const QByteArray geo = Coordinate(place.Latitude) + ';' + Coordinate(-place.LongitudeWest);
    const struct {
        TSunEvent Event;
        const char *Kind;
        const char *Summary;
    } kinds[2] = {{TSunEvent::Sunrise, "sunrise", texts.Sunrise},
                  {TSunEvent::Sunset, "sunset", texts.Sunset}};
    for (const TSunRow &row : rows) {
        const QByteArray day = row.Date.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        for (const auto &kind : kinds) {
            const std::optional<QDateTime> &moment = row.At(kind.Event);
            if (!moment)
                continue;
            line("BEGIN:VEVENT");
            line("UID:" + day + '-' + kind.Kind + '-' + placeKey + "@vantu");
            line("DTSTAMP:" + stamp);
            line("DTSTART:" + UtcStamp(*moment));
            line("DTEND:" + UtcStamp(moment->addSecs(60)));
            line(QByteArray("SUMMARY:") + ICalendarText(TextOf(kind.Summary)).toUtf8());
            if (!location.isEmpty())
                line("LOCATION:" + location);
            line("GEO:" + geo);
            line("TRANSP:TRANSPARENT");
            line("END:VEVENT");
        }
    }
    line("END:VCALENDAR");
    return out;
}
