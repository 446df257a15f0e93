#include "common/EventWriters.h"

#include "common/EventTexts.h"
#include "common/EventsOnClock.h"
#include "common/FileText.h"
#include "common/Version.h"
#include "suntime/DateUtil.h"
#include "table/ResultLines.h"

#include <QCryptographicHash>

#include <cmath>

namespace
{

const char *const CsvEventNames[SunEventCount] = {
    "sunrise",       "solar_noon",        "sunset",
    "civil_dawn",    "civil_dusk",        "nautical_dawn",
    "nautical_dusk", "astronomical_dawn", "astronomical_dusk"};

// Columns: the three plain events always, the six twilight events with --twilight.
constexpr int PlainEvents = 3;

int ShownEvents(bool twilight)
{
    return twilight ? SunEventCount : PlainEvents;
}

char *WriteEvent(char *p, const TEvent *e)
{
    return e ? WriteIsoMoment(p, e->Time.UnixMs(), e->ClockOffset) : p;
}

void AppendEvent(QByteArray &out, const TEvent &e)
{
    AppendIsoMoment(out, e.Time.UnixMs(), e.ClockOffset);
}

// The files' name of a kind ("sunset", "moonrise").
QByteArray ColumnName(TEventKind kind)
{
    if (int(kind) < SunEventCount)
        return CsvEventNames[int(kind)];
    return kind == TEventKind::Moonrise ? "moonrise" : "moonset";
}

// Whether the dates hold the Moon's events, and so the sky's columns.
bool HasSky(const QVector<TDayEvents> &days)
{
    if (days.isEmpty())
        return false;
    for (const TEvent &e : days.first().Events)
        if (e.Kind == TEventKind::Moonrise)
            return true;
    return false;
}

// The sky's columns of a date, in order, each empty when it has no value;
// quoted marks a text (for JSON).
constexpr int SkyColumns = 6;
const char *const SkyColumnNames[SkyColumns] = {
    "sunrise_azimuth", "sunset_azimuth", "moonrise", "moonset", "moon_illumination", "moon_phase"};
struct TSkyCells {
    QByteArray Value[SkyColumns];
    bool Quoted[SkyColumns] = {false, false, true, true, false, true};
};

TSkyCells SkyCells(const TDayEvents &day)
{
    TSkyCells c;
    const auto azimuth = [&day](TEventKind kind) {
        const TEvent *e = day.First(kind);
        return e && std::isfinite(e->Azimuth) ? FixedText(e->Azimuth, 1) : QByteArray();
    };
    const auto moment = [&day](TEventKind kind) {
        QByteArray out;
        if (const TEvent *e = day.First(kind))
            AppendEvent(out, *e);
        return out;
    };
    c.Value[0] = azimuth(TEventKind::Sunrise);
    c.Value[1] = azimuth(TEventKind::Sunset);
    c.Value[2] = moment(TEventKind::Moonrise);
    c.Value[3] = moment(TEventKind::Moonset);
    if (day.MoonIllumination)
        c.Value[4] = FixedText(*day.MoonIllumination, 3);
    if (day.MoonPhase)
        c.Value[5] = MoonPhaseKey(*day.MoonPhase);
    return c;
}

// ------------------------------------------------------------------ text

// A moment as a date-time value of its own clock, counted straight on from
// its day as the calculator's results are (the result lines read it so).
double OleDay(const QDate &date)
{
    return DateUtil::EncodeDate(date.year(), date.month(), date.day());
}

double OleOnOwnClock(const QDateTime &moment)
{
    return OleDay(moment.date()) + moment.time().msecsSinceStartOfDay() / 86400000.0;
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

// An iCalendar file of dates' events, event by event.
class TICalendarWriter
{
public:
    TICalendarWriter(const QVector<TDayEvents> &days, const TPlace &place, TLanguage language)
        : FLanguage(language), FPlaceKey(PlaceKey(place)),
          FLocation(ICalendarText(place.Name).toUtf8()),
          FGeo(Coordinate(place.Latitude) + ';' + Coordinate(place.Longitude))
    {
        // The same dates give the same file: the stamp is the first day's
        // start, not the moment of writing.
        if (!days.isEmpty())
            FStamp =
                DateOf(days.first()).toString(QStringLiteral("yyyyMMdd")).toLatin1() + "T000000Z";
        Line("BEGIN:VCALENDAR");
        Line("VERSION:2.0");
        Line(QByteArray("PRODID:-//Vantu//Vantu " VANTU_VERSION "//") +
             TextIn(EventText::LanguageCode, language).toLatin1());
        Line("CALSCALE:GREGORIAN");
        Line("METHOD:PUBLISH");
    }

    // The date's events; false when iCalendar cannot hold one of them.
    bool AddDay(const TDayEvents &day)
    {
        const QDate date = DateOf(day);
        if (!InCalendarYears(date))
            return false;
        FDay = date.toString(QStringLiteral("yyyyMMdd")).toLatin1();
        const std::pair<TEventKind, const TText *> timed[4] = {
            {TEventKind::Sunrise, &EventText::Sunrise},
            {TEventKind::Sunset, &EventText::Sunset},
            {TEventKind::Moonrise, &EventText::Moonrise},
            {TEventKind::Moonset, &EventText::Moonset}};
        for (const auto &[kind, summary] : timed) {
            // Each occurrence its own event: "sunset", then "sunset2".
            const std::vector<const TEvent *> all = day.All(kind);
            for (size_t i = 0; i < all.size(); ++i) {
                const QByteArray key =
                    ColumnName(kind) +
                    (i == 0 ? QByteArray() : QByteArray::number(qulonglong(i + 1)));
                if (!AddTimed(key, all[i], *summary))
                    return false;
            }
        }
        static const char *const keys[4] = {"newmoon", "firstquarter", "fullmoon", "lastquarter"};
        for (const TEventKind phase : {TEventKind::NewMoon, TEventKind::FirstQuarter,
                                       TEventKind::FullMoon, TEventKind::LastQuarter})
            if (day.First(phase)) {
                const int k = int(phase) - int(TEventKind::NewMoon);
                AddAllDay(keys[k], EventText::PrincipalPhases[k]);
            }
        // A day without sunrise and sunset shows as one all-day event.
        const TEventStatus rise = day.Status(TEventKind::Sunrise);
        const TEventStatus set = day.Status(TEventKind::Sunset);
        if (rise == set && rise == TEventStatus::AboveAllDay)
            AddAllDay("polarday", EventText::PolarDaySummary);
        else if (rise == set && rise == TEventStatus::BelowAllDay)
            AddAllDay("polarnight", EventText::PolarNightSummary);
        return true;
    }

    QByteArray Finished()
    {
        Line("END:VCALENDAR");
        return FOut;
    }

private:
    void Line(const QByteArray &text) { FOut.append(FoldContentLine(text)); }

    void AddEvent(const QByteArray &kind, const QByteArray &when, const TText &summary)
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
    bool AddTimed(const QByteArray &kind, const TEvent *event, const TText &summary)
    {
        if (!event)
            return true;
        const QDateTime start = QDateTime::fromMSecsSinceEpoch(event->Time.UnixMs(), Qt::UTC);
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
    QByteArray FDay; // of the date being written, yyyyMMdd
    QByteArray FOut;
};

} // namespace

QByteArray EventsText(const QVector<TDayEvents> &days, const TPlace &place, const TClock &clock,
                      bool twilight, TLanguage language, const QLocale &locale, bool blockEnds)
{
    const QString noEvent = TextIn(NoEventWord, language);
    const QString tag = clock.Tag(language);
    const QString gap = QStringLiteral(",   ");
    // A line break inside the name would start a line of its own.
    QString name = place.Name;
    name.replace(QLatin1String("\r\n"), QLatin1String(" "));
    name.replace(QLatin1Char('\r'), QLatin1Char(' '));
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const bool sky = HasSky(days);
    QString text;
    for (const TDayEvents &day : days) {
        const QDate date = DateOf(day);
        // The clock time, marked when it falls on another date than the line's.
        const auto time = [&](TEventKind kind) {
            const std::optional<QDateTime> moment = FirstMoment(day, kind);
            if (!moment)
                return noEvent;
            return FormatEventTime(OleOnOwnClock(*moment), noEvent, locale) +
                   OtherDateMark(date, *moment);
        };
        QString line =
            BuildResultLine(name, OleDay(date), tag, time(TEventKind::Sunrise),
                            time(TEventKind::SolarNoon), time(TEventKind::Sunset), locale);
        if (twilight) {
            line.chop(ResultLineEnd.size());
            for (int e = int(TEventKind::CivilDawn); e < SunEventCount; ++e)
                line += gap + time(TEventKind(e));
            line += gap + DurationText(day.DayLength);
            line += gap + (day.First(TEventKind::SolarNoon)
                               ? DecimalText(day.NoonAltitude, 2, language) + QChar(0x00B0)
                               : noEvent);
            line += ResultLineEnd;
        }
        if (sky)
            line += SkyLineText(day, language, noEvent, time) + ResultLineEnd;
        // The events the date holds twice, each with its time.
        const QStringList further = FurtherEvents(day, twilight, language);
        if (!further.isEmpty())
            line += QStringLiteral("    ") + further.join(QStringLiteral("; ")) + ResultLineEnd;
        text += line;
        // A month ends with one empty line, as in the program's table.
        if (blockEnds && date.day() == date.daysInMonth())
            text += ResultLineEnd;
    }
    return text.toUtf8();
}

QByteArray EventsCsv(const QVector<TDayEvents> &days, bool twilight, TLanguage language)
{
    const int events = ShownEvents(twilight);
    QByteArray out;
    out.reserve(64 + days.size() * (twilight ? 300 : 110));
    out.append("date,sunrise,solar_noon,sunset,day_length");
    if (twilight) {
        for (int e = PlainEvents; e < SunEventCount; ++e) {
            out.append(',');
            out.append(CsvEventNames[e]);
        }
        out.append(",noon_altitude");
    }
    const bool sky = HasSky(days);
    if (sky)
        for (const char *name : SkyColumnNames) {
            out.append(',');
            out.append(name);
        }
    out.append(",note\r\n");
    // The fixed part of a row goes through one buffer: one append per row
    // instead of one per field.
    char buffer[512]; // date, nine moments, day length: under 400
    for (const TDayEvents &day : days) {
        char *p = WriteIsoDate(buffer, DateOf(day));
        for (int e = 0; e < PlainEvents; ++e) {
            *p++ = ',';
            p = WriteEvent(p, day.First(TEventKind(e)));
        }
        *p++ = ',';
        p = WriteDuration(p, day.DayLength);
        if (twilight) {
            for (int e = PlainEvents; e < events; ++e) {
                *p++ = ',';
                p = WriteEvent(p, day.First(TEventKind(e)));
            }
            *p++ = ',';
        }
        out.append(buffer, p - buffer);
        if (twilight && day.First(TEventKind::SolarNoon))
            out.append(FixedText(day.NoonAltitude, 2));
        out.append(',');
        if (sky) {
            const TSkyCells cells = SkyCells(day);
            for (const QByteArray &value : cells.Value)
                out.append(value + ',');
        }
        const QString note = DayNote(day, twilight, language);
        if (!note.isEmpty())
            out.append(CsvField(note).toUtf8());
        out.append("\r\n", 2);
    }
    return out;
}

QByteArray EventsJson(const QVector<TDayEvents> &days, bool twilight, TLanguage language)
{
    const auto eventValue = [](QByteArray &out, const TEvent *e) {
        if (!e) {
            out.append("null");
            return;
        }
        out.append('"');
        AppendEvent(out, *e);
        out.append('"');
    };
    const bool sky = HasSky(days);
    QByteArray out;
    out.reserve(8 + days.size() * (twilight ? 420 : 170));
    out.append('[');
    bool firstDay = true;
    for (const TDayEvents &day : days) {
        out.append(firstDay ? "\n  {" : ",\n  {");
        firstDay = false;
        char date[16];
        out.append("\"date\": \"");
        out.append(date, WriteIsoDate(date, DateOf(day)) - date);
        out.append('"');
        for (int e = 0; e < PlainEvents; ++e) {
            out.append(", \"");
            out.append(CsvEventNames[e]);
            out.append("\": ");
            eventValue(out, day.First(TEventKind(e)));
        }
        out.append(", \"day_length\": \"");
        out.append(DurationText(day.DayLength).toLatin1());
        out.append('"');
        if (twilight) {
            for (int e = PlainEvents; e < SunEventCount; ++e) {
                out.append(", \"");
                out.append(CsvEventNames[e]);
                out.append("\": ");
                eventValue(out, day.First(TEventKind(e)));
            }
            out.append(", \"noon_altitude\": ");
            out.append(day.First(TEventKind::SolarNoon) ? FixedText(day.NoonAltitude, 2)
                                                        : QByteArray("null"));
        }
        if (sky) {
            const TSkyCells cells = SkyCells(day);
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
        // A kind the date holds more than once: "second_sunset", "third_sunset".
        for (const TEventKind kind : ShownKinds(day, twilight)) {
            const std::vector<const TEvent *> all = day.All(kind);
            for (size_t i = 1; i < all.size() && i < 3; ++i) {
                out.append(i == 1 ? ", \"second_" : ", \"third_");
                out.append(ColumnName(kind));
                out.append("\": ");
                eventValue(out, all[i]);
            }
        }
        out.append(", \"note\": ");
        const QString note = DayNote(day, twilight, language);
        if (note.isEmpty())
            out.append("null");
        else
            AppendJsonString(out, note);
        out.append('}');
    }
    out.append(days.isEmpty() ? "]\n" : "\n]\n");
    return out;
}

std::optional<QByteArray> EventsICalendar(const QVector<TDayEvents> &days, const TPlace &place,
                                          TLanguage language)
{
    TICalendarWriter writer(days, place, language);
    for (const TDayEvents &day : days)
        if (!writer.AddDay(day))
            return std::nullopt;
    return writer.Finished();
}

bool ICalendarCanHold(const QDate &first, const QDate &last, const TClock &clock)
{
    if (!first.isValid() || !last.isValid() || last < first)
        return false;
    return DateStart(first, clock) >= TInstant::FromJd(Astro::JdYear1) &&
           DateStart(last.addDays(1), clock) <= TInstant::FromJd(Astro::JdYear10000);
}
