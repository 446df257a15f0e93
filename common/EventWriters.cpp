#include "common/EventWriters.h"

#include "common/EventTexts.h"
#include "common/EventsOnClock.h"
#include "common/FileText.h"
#include "common/ICalendarFile.h"
#include "suntime/DateUtil.h"
#include "table/ResultLines.h"

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

} // namespace

QByteArray EventKey(TEventKind kind)
{
    if (int(kind) < SunEventCount)
        return CsvEventNames[int(kind)];
    return kind == TEventKind::Moonrise ? "moonrise" : "moonset";
}

QByteArray AngleKey(double degrees)
{
    return QByteArray::number(degrees, 'g', 10);
}

namespace
{

// The columns of the altitudes and bearings, then of the visible rising and
// setting, by name.
QList<QByteArray> AngleColumnNames(const TAngleColumns &angles, bool sky)
{
    QList<QByteArray> names;
    for (const double a : ShownAltitudes(angles))
        names << "altitude_" + AngleKey(a) + "_rise"
              << "altitude_" + AngleKey(a) + "_set";
    for (const double b : angles.Bearings)
        names << "sun_bearing_" + AngleKey(b) << "sun_bearing_" + AngleKey(b) + "_altitude";
    if (angles.Visible)
        names << "visible_sunrise"
              << "visible_sunset";
    if (angles.Visible && sky)
        names << "visible_moonrise"
              << "visible_moonset";
    return names;
}

// Their values on a date: a moment, an altitude, or nothing (empty).
QList<QByteArray> AngleCells(const TDayEvents &day, const TAngleColumns &angles, bool sky)
{
    QList<QByteArray> cells;
    const auto moment = [](const TEvent *e) {
        QByteArray out;
        if (e)
            AppendEvent(out, *e);
        return out;
    };
    for (const double a : ShownAltitudes(angles))
        cells << moment(day.First(TEventKind::SunAltitudeRise, a))
              << moment(day.First(TEventKind::SunAltitudeSet, a));
    for (const double b : angles.Bearings) {
        const TEvent *e = day.First(TEventKind::SunBearing, b);
        cells << moment(e) << (e ? FixedText(e->Altitude, 1) : QByteArray());
    }
    for (const bool moon : {false, true})
        if (angles.Visible && (!moon || sky))
            cells << moment(VisibleRise(day, moon)) << moment(VisibleSet(day, moon));
    return cells;
}

// "+00:02:38": the change of the day length, signed.
QByteArray ChangeText(const std::optional<int> &seconds)
{
    if (!seconds)
        return QByteArray();
    return (*seconds < 0 ? "-" : "+") + DurationText(std::abs(*seconds)).toLatin1();
}

// "07:12:03": a moment's time of day on its own clock.
QString ClockTime(TInstant t, int32_t offset)
{
    return QDateTime::fromMSecsSinceEpoch(t.UnixMs(), Qt::OffsetFromUTC, offset)
        .toString(QStringLiteral("HH:mm:ss"));
}

// The note of a date: why events are missing, those it holds twice, the
// altitudes' and bearings' reasons, and the Sun and the Moon behind the
// terrain.
QString NoteOf(const TDayEvents &day, bool twilight, const TAngleColumns &angles, bool sky,
               TLanguage language)
{
    QString note = DayNote(day, twilight, language);
    TAngleColumns shown = angles;
    shown.Altitudes = ShownAltitudes(angles);
    QStringList more = AngleNotes(day, shown, language);
    for (const bool moon : {false, true})
        if (angles.Visible && (!moon || sky))
            more << VisibleNotes(day, moon, language, ClockTime);
    if (!more.isEmpty())
        note +=
            (note.isEmpty() ? QString() : QStringLiteral("; ")) + more.join(QStringLiteral("; "));
    return note;
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

// The dates' events into an iCalendar file, date by date; false when
// iCalendar cannot hold one of them.
bool AddDay(TICalendarFile &file, const TDayEvents &day, TLanguage language,
            const std::optional<TLightBands> &light, bool visible)
{
    const QDate date = DateOf(day);
    if (date.year() < 1 || date.year() > 9999)
        return false;
    const QByteArray dayKey = ICalendarDay(date);
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
                EventKey(kind) + (i == 0 ? QByteArray() : QByteArray::number(qulonglong(i + 1)));
            if (!file.Timed(dayKey, key, all[i]->Time, TextIn(*summary, language)))
                return false;
        }
    }
    static const char *const keys[4] = {"newmoon", "firstquarter", "fullmoon", "lastquarter"};
    for (const TEventKind phase : {TEventKind::NewMoon, TEventKind::FirstQuarter,
                                   TEventKind::FullMoon, TEventKind::LastQuarter})
        if (day.First(phase)) {
            const int k = int(phase) - int(TEventKind::NewMoon);
            file.WholeDate(dayKey, keys[k], TextIn(EventText::PrincipalPhases[k], language));
        }
    // The visible rising and setting over the real horizon.
    if (visible) {
        const struct {
            const char *key;
            const TEvent *event;
            const TText &summary;
        } seen[4] = {{"visiblesunrise", VisibleRise(day, false), EventText::VisibleSunrise},
                     {"visiblesunset", VisibleSet(day, false), EventText::VisibleSunset},
                     {"visiblemoonrise", VisibleRise(day, true), EventText::VisibleMoonrise},
                     {"visiblemoonset", VisibleSet(day, true), EventText::VisibleMoonset}};
        for (const auto &v : seen)
            if (v.event && !file.Timed(dayKey, v.key, v.event->Time, TextIn(v.summary, language)))
                return false;
    }
    // The golden and blue hours, each a stretch of its own.
    if (light) {
        const struct {
            const char *key;
            double from, to;
            const TText &summary;
        } bands[2] = {{"goldenhour", light->GoldenFrom, light->GoldenTo, EventText::GoldenHour},
                      {"bluehour", light->BlueFrom, light->GoldenFrom, EventText::BlueHour}};
        for (const auto &band : bands) {
            const QString summary = TextIn(band.summary, language);
            const QByteArray key = band.key;
            int n = 0;
            for (const TStretch &s : StretchesBetween(day, band.from, band.to))
                if (!file.Stretch(dayKey, QByteArray(key) + QByteArray::number(++n), s.From, s.To,
                                  summary))
                    return false;
        }
    }
    // A day without sunrise and sunset shows as one all-day event.
    const TEventStatus rise = day.Status(TEventKind::Sunrise);
    const TEventStatus set = day.Status(TEventKind::Sunset);
    if (rise == set && rise == TEventStatus::AboveAllDay)
        file.WholeDate(dayKey, "polarday", TextIn(EventText::PolarDaySummary, language));
    else if (rise == set && rise == TEventStatus::BelowAllDay)
        file.WholeDate(dayKey, "polarnight", TextIn(EventText::PolarNightSummary, language));
    return true;
}

} // namespace

namespace
{

// The lines of the altitudes and bearings asked for, the golden and blue
// hours, and the visible rising and setting over the real horizon.
QString AngleLines(const TDayEvents &day, const TAngleColumns &angles, bool sky, TLanguage language,
                   const QLocale &locale, const QString &noEvent)
{
    QString lines;
    // The altitudes and bearings asked for, and the golden and blue hours.
    const auto at = [&](const TEvent *e) {
        return e ? FormatEventTime(OleOnOwnClock(MomentOf(*e)), noEvent, locale) : noEvent;
    };
    for (const double a : angles.Altitudes)
        lines += TextIn(EventText::AltitudeLine, language)
                     .arg(AngleText(a, language), at(day.First(TEventKind::SunAltitudeRise, a)),
                          at(day.First(TEventKind::SunAltitudeSet, a))) +
                 ResultLineEnd;
    for (const double b : angles.Bearings) {
        const TEvent *e = day.First(TEventKind::SunBearing, b);
        lines += TextIn(EventText::BearingLine, language)
                     .arg(AngleText(b, language), at(e),
                          e ? AngleText(std::round(e->Altitude * 10) / 10, language) : noEvent) +
                 ResultLineEnd;
    }
    if (angles.Light)
        lines += QStringLiteral("    ") + LightText(day, language, angles.Bands) + ResultLineEnd;
    // The visible rising and setting over the real horizon, with the
    // stretches seen when the body comes out more than once.
    for (const bool moon : {false, true}) {
        if (!angles.Visible || (moon && !sky))
            continue;
        lines += TextIn(moon ? EventText::VisibleMoonLine : EventText::VisibleSunLine, language)
                     .arg(at(VisibleRise(day, moon)), at(VisibleSet(day, moon)));
        const QStringList notes = VisibleNotes(day, moon, language, ClockTime);
        if (!notes.isEmpty())
            lines += QStringLiteral("; ") + notes.join(QStringLiteral("; "));
        lines += ResultLineEnd;
    }
    return lines;
}

} // namespace

QByteArray EventsText(const QVector<TDayEvents> &days, const TPlace &place, const TClock &clock,
                      bool twilight, TLanguage language, const QLocale &locale, bool blockEnds,
                      const TAngleColumns &angles)
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
            if (day.DayLengthChange)
                line += gap + QString::fromLatin1(ChangeText(day.DayLengthChange));
            line += ResultLineEnd;
        }
        if (sky)
            line += SkyLineText(day, language, noEvent, time) + ResultLineEnd;
        line += AngleLines(day, angles, sky, language, locale, noEvent);
        // A polar day or night with the sunrise and sunset around it.
        const QString polar = PolarText(day, language);
        if (!polar.isEmpty())
            line += QStringLiteral("    ") + polar + ResultLineEnd;
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

QByteArray EventsCsv(const QVector<TDayEvents> &days, bool twilight, TLanguage language,
                     const TAngleColumns &angles)
{
    const int events = ShownEvents(twilight);
    const bool sky = HasSky(days);
    const QList<QByteArray> angleColumns = AngleColumnNames(angles, sky);
    QByteArray out;
    out.reserve(64 + days.size() * (twilight ? 300 : 110));
    out.append("date,sunrise,solar_noon,sunset,day_length");
    if (twilight) {
        for (int e = PlainEvents; e < SunEventCount; ++e) {
            out.append(',');
            out.append(CsvEventNames[e]);
        }
        out.append(",noon_altitude,day_length_change");
    }
    if (sky)
        for (const char *name : SkyColumnNames) {
            out.append(',');
            out.append(name);
        }
    for (const QByteArray &name : angleColumns)
        out.append(',' + name);
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
        if (twilight)
            out.append(',' + ChangeText(day.DayLengthChange));
        out.append(',');
        if (sky) {
            const TSkyCells cells = SkyCells(day);
            for (const QByteArray &value : cells.Value)
                out.append(value + ',');
        }
        if (!angleColumns.isEmpty())
            for (const QByteArray &value : AngleCells(day, angles, sky))
                out.append(value + ',');
        const QString note = NoteOf(day, twilight, angles, sky, language);
        if (!note.isEmpty())
            out.append(CsvField(note).toUtf8());
        out.append("\r\n", 2);
    }
    return out;
}

namespace
{

// A moment as a JSON string, or null.
void AppendJsonMoment(QByteArray &out, const TEvent *e)
{
    if (!e) {
        out.append("null");
        return;
    }
    out.append('"');
    AppendEvent(out, *e);
    out.append('"');
}

void AppendJsonEvents(QByteArray &out, const TDayEvents &day, int from, int to)
{
    for (int e = from; e < to; ++e) {
        out.append(", \"");
        out.append(CsvEventNames[e]);
        out.append("\": ");
        AppendJsonMoment(out, day.First(TEventKind(e)));
    }
}

void AppendJsonSky(QByteArray &out, const TDayEvents &day)
{
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
void AppendJsonRepeats(QByteArray &out, const TDayEvents &day, bool twilight)
{
    for (const TEventKind kind :
         HoldsTwice(day) ? ShownKinds(day, twilight) : QList<TEventKind>()) {
        const std::vector<const TEvent *> all = day.All(kind);
        for (size_t i = 1; i < all.size() && i < 3; ++i) {
            out.append(i == 1 ? ", \"second_" : ", \"third_");
            out.append(EventKey(kind));
            out.append("\": ");
            AppendJsonMoment(out, all[i]);
        }
    }
}

void AppendJsonAngles(QByteArray &out, const TDayEvents &day, const TAngleColumns &angles, bool sky,
                      const QList<QByteArray> &columns)
{
    const QList<QByteArray> cells = AngleCells(day, angles, sky);
    for (int c = 0; c < cells.size(); ++c) {
        out.append(", \"" + columns[c] + "\": ");
        // The bearings' altitudes are numbers, the rest moments.
        const bool number = columns[c].endsWith("_altitude");
        out.append(cells[c].isEmpty() ? QByteArray("null")
                   : number           ? cells[c]
                                      : '"' + cells[c] + '"');
    }
}

} // namespace

QByteArray EventsJson(const QVector<TDayEvents> &days, bool twilight, TLanguage language,
                      const TAngleColumns &angles)
{
    const bool sky = HasSky(days);
    const QList<QByteArray> angleColumns = AngleColumnNames(angles, sky);
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
        AppendJsonEvents(out, day, 0, PlainEvents);
        out.append(", \"day_length\": \"");
        out.append(DurationText(day.DayLength).toLatin1());
        out.append('"');
        if (twilight) {
            AppendJsonEvents(out, day, PlainEvents, SunEventCount);
            out.append(", \"noon_altitude\": ");
            out.append(day.First(TEventKind::SolarNoon) ? FixedText(day.NoonAltitude, 2)
                                                        : QByteArray("null"));
            out.append(", \"day_length_change\": ");
            out.append(day.DayLengthChange ? '"' + ChangeText(day.DayLengthChange) + '"'
                                           : QByteArray("null"));
        }
        if (sky)
            AppendJsonSky(out, day);
        AppendJsonRepeats(out, day, twilight);
        if (!angleColumns.isEmpty())
            AppendJsonAngles(out, day, angles, sky, angleColumns);
        out.append(", \"note\": ");
        const QString note = NoteOf(day, twilight, angles, sky, language);
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
                                          TLanguage language,
                                          const std::optional<TLightBands> &light, bool visible)
{
    // The same dates give the same file: the stamp is the first day's start,
    // not the moment of writing.
    TICalendarFile file(place, language, days.isEmpty() ? QDate() : DateOf(days.first()));
    for (const TDayEvents &day : days)
        if (!AddDay(file, day, language, light, visible))
            return std::nullopt;
    return file.Finished();
}

bool ICalendarCanHold(const QDate &first, const QDate &last, const TClock &clock)
{
    if (!first.isValid() || !last.isValid() || last < first)
        return false;
    return DateStart(first, clock) >= TInstant::FromJd(Astro::JdYear1) &&
           DateStart(last.addDays(1), clock) <= TInstant::FromJd(Astro::JdYear10000);
}
