#include "common/Alignments.h"

#include "common/EventTexts.h"
#include "common/EventsOnClock.h"
#include "common/FileText.h"
#include "common/ICalendarFile.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr TEventKind AlignedKinds[4] = {TEventKind::Sunrise, TEventKind::Sunset,
                                        TEventKind::Moonrise, TEventKind::Moonset};

int KindIndex(TEventKind kind)
{
    return int(std::find(std::begin(AlignedKinds), std::end(AlignedKinds), kind) -
               std::begin(AlignedKinds));
}

const char *const KindKeys[4] = {"sunrise", "sunset", "moonrise", "moonset"};
const TText *const KindNames[4] = {&EventText::Sunrise, &EventText::Sunset, &EventText::Moonrise,
                                   &EventText::Moonset};

// Degrees from one bearing to another the short way round, 0 ... 180.
double BearingGap(double a, double b)
{
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180 ? 360 - d : d;
}

QByteArray Azimuth(const TEvent &e)
{
    return FixedText(e.Azimuth, 2);
}

QByteArray Moment(const TEvent &e)
{
    QByteArray out;
    AppendIsoMoment(out, e.Time.UnixMs(), e.ClockOffset);
    return out;
}

} // namespace

QVector<TAlignment> Alignments(const QVector<TDayEvents> &days, double bearing, double tolerance)
{
    QVector<TAlignment> list;
    for (const TDayEvents &day : days) {
        const QDate date = DateOf(day);
        const qsizetype first = list.size();
        for (const TEventKind kind : AlignedKinds)
            for (const TEvent *e : day.All(kind))
                if (std::isfinite(e->Azimuth) && BearingGap(e->Azimuth, bearing) <= tolerance)
                    list.append({date, *e});
        std::sort(list.begin() + first, list.end(), [](const TAlignment &a, const TAlignment &b) {
            return a.Event.Time < b.Event.Time;
        });
    }
    return list;
}

QByteArray AlignmentsCsv(const QVector<TAlignment> &list)
{
    QByteArray out = "date,event,time,azimuth\r\n";
    for (const TAlignment &a : list)
        out += a.Date.toString(Qt::ISODate).toLatin1() + ',' + KindKeys[KindIndex(a.Event.Kind)] +
               ',' + Moment(a.Event) + ',' + Azimuth(a.Event) + "\r\n";
    return out;
}

QByteArray AlignmentsJson(const QVector<TAlignment> &list)
{
    QByteArray out = "[";
    for (qsizetype i = 0; i < list.size(); ++i) {
        const TAlignment &a = list[i];
        out += (i == 0 ? "\n" : ",\n");
        out += "{\"date\":\"" + a.Date.toString(Qt::ISODate).toLatin1() + "\",\"event\":\"" +
               KindKeys[KindIndex(a.Event.Kind)] + "\",\"time\":\"" + Moment(a.Event) +
               "\",\"azimuth\":" + Azimuth(a.Event) + '}';
    }
    out += list.isEmpty() ? "]\n" : "\n]\n";
    return out;
}

QByteArray AlignmentsText(const QVector<TAlignment> &list, TLanguage language)
{
    if (list.isEmpty())
        return TextIn(EventText::NoAlignment, language).toUtf8() + '\n';
    QByteArray out;
    for (const TAlignment &a : list) {
        const QString time = MomentOf(a.Event).toString(QStringLiteral("HH:mm:ss"));
        out += TextIn(EventText::AlignmentLine, language)
                   .arg(a.Date.toString(Qt::ISODate),
                        TextIn(*KindNames[KindIndex(a.Event.Kind)], language), time,
                        DecimalText(a.Event.Azimuth, 2, language) + QChar(0x00B0))
                   .toUtf8() +
               '\n';
    }
    return out;
}

std::optional<QByteArray> AlignmentsICalendar(const QVector<TAlignment> &list, const TPlace &place,
                                              TLanguage language)
{
    TICalendarFile file(place, language, list.isEmpty() ? QDate() : list.first().Date);
    for (const TAlignment &a : list) {
        const int k = KindIndex(a.Event.Kind);
        const QString summary = TextIn(EventText::AlignedSummary, language)
                                    .arg(TextIn(*KindNames[k], language),
                                         DecimalText(a.Event.Azimuth, 2, language) + QChar(0x00B0));
        if (!file.Timed(ICalendarDay(a.Date), QByteArray("aligned-") + KindKeys[k], a.Event.Time,
                        summary))
            return std::nullopt;
    }
    return file.Finished();
}
