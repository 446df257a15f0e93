#include "common/EventTexts.h"

#include "suntime/SunEvents.h"

#include <QDateTime>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace
{

// Why an event of a zenith angle is missing, as the end of its note.
QString WhyMissing(TEventStatus status, TSunZenith zenith, TLanguage language)
{
    // The Sun's centre at the zenith angle, as a height: "−6°".
    const QString angle = QStringLiteral("\u2212%1\u00B0").arg(ZenithOf(zenith) - 90, 0, 'g', 3);
    const bool horizon = zenith == TSunZenith::Sunrise;
    switch (status) {
    case TEventStatus::AboveAllDay:
        return horizon ? TextIn(EventText::AboveHorizon, language)
                       : TextIn(EventText::AboveAngle, language).arg(angle);
    case TEventStatus::BelowAllDay:
        return horizon ? TextIn(EventText::BelowHorizon, language)
                       : TextIn(EventText::BelowAngle, language).arg(angle);
    case TEventStatus::NotOnDate:
        return TextIn(EventText::OnThisDate, language);
    default:
        return QStringLiteral(" (") + TextIn(EventText::Failed, language) + QLatin1Char(')');
    }
}

// "; last sunset 2026-11-27 12:51, next sunrise 2027-01-15 11:49", for a
// date with neither, where they were found.
QString AroundText(const TEvent &before, const TEvent &after, TLanguage language)
{
    QString text;
    const auto when = [](const TEvent &e) {
        return QDateTime::fromMSecsSinceEpoch(e.Time.UnixMs(), Qt::OffsetFromUTC, e.ClockOffset)
            .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    };
    const auto index = [](TEventKind k) {
        return k == TEventKind::Sunrise    ? 0
               : k == TEventKind::Sunset   ? 1
               : k == TEventKind::Moonrise ? 2
                                           : 3;
    };
    if (before.Occurs())
        text += QStringLiteral("; ") +
                TextIn(EventText::Last[index(before.Kind)], language).arg(when(before));
    if (after.Occurs())
        text += (before.Occurs() ? QStringLiteral(", ") : QStringLiteral("; ")) +
                TextIn(EventText::Next[index(after.Kind)], language).arg(when(after));
    return text;
}

// The parts of a date's note, in the order they are written.
class TNoteParts
{
public:
    TNoteParts(const TDayEvents &day, TLanguage language) : FDay(day), FLanguage(language) {}

    // Sunrise, solar noon and sunset: polar day or night when sunrise and
    // sunset both stay away for that reason.
    void AddSun()
    {
        const TEventStatus rise = Status(TEventKind::Sunrise);
        const bool same = Status(TEventKind::Sunset) == rise;
        FPolarDay = rise == TEventStatus::AboveAllDay && same;
        const bool polarNight = rise == TEventStatus::BelowAllDay && same;
        if (FPolarDay || polarNight)
            FParts << TextIn(FPolarDay ? EventText::PolarDay : EventText::PolarNight, FLanguage) +
                          Around(FDay.SunBefore, FDay.SunAfter);
        else
            AddSingle(TEventKind::Sunrise, TSunZenith::Sunrise);
        AddSingle(TEventKind::SolarNoon, TSunZenith::Sunrise);
        if (!FPolarDay && !polarNight)
            AddSingle(TEventKind::Sunset, TSunZenith::Sunrise);
    }

    // Each twilight's dawn and dusk, as one part when both stay away for
    // the same reason.
    void AddTwilights()
    {
        for (int k = 1; k < SunZenithCount; ++k) {
            const TSunZenith zenith = TSunZenith(k);
            const TEventKind dawn = MorningOf(zenith);
            const TEventKind dusk = EveningOf(zenith);
            const bool bothAway = Missing(dawn) && Missing(dusk) && Status(dawn) == Status(dusk) &&
                                  Status(dawn) != TEventStatus::Failed;
            // In polar day the Sun stays above every twilight's angle too.
            if (bothAway && FPolarDay && Status(dawn) == TEventStatus::AboveAllDay)
                continue;
            if (bothAway) {
                FParts << TextIn(EventText::NoTwilight[k - 1], FLanguage) +
                              WhyMissing(Status(dawn), zenith, FLanguage);
            } else {
                AddSingle(dawn, zenith);
                AddSingle(dusk, zenith);
            }
        }
    }

    void AddMoon()
    {
        AddMoonEvent(TEventKind::Moonrise, EventText::NoMoonrise);
        AddMoonEvent(TEventKind::Moonset, EventText::NoMoonset);
        // The Moon up or down all date: when it rose or set last and will next.
        const QString around = Around(FDay.MoonBefore, FDay.MoonAfter);
        if (!around.isEmpty() && !FParts.isEmpty())
            FParts.last() += around;
    }

    QString Joined() const { return FParts.join(QStringLiteral("; ")); }

private:
    QString Around(const TEvent &before, const TEvent &after) const
    {
        return AroundText(before, after, FLanguage);
    }

    TEventStatus Status(TEventKind e) const { return FDay.Status(e); }
    bool Missing(TEventKind e) const { return !FDay.First(e); }
    // Whether the date holds the kind at all, occurring or with its reason.
    bool Asked(TEventKind e) const
    {
        for (const TEvent &x : FDay.Events)
            if (x.Kind == e)
                return true;
        return false;
    }

    void AddSingle(TEventKind e, TSunZenith zenith)
    {
        if (Missing(e))
            FParts << TextIn(EventText::NoEvent[int(e)], FLanguage) +
                          WhyMissing(Status(e), zenith, FLanguage);
    }

    void AddMoonEvent(TEventKind kind, const TText &none)
    {
        if (!Asked(kind) || !Missing(kind))
            return;
        QString text = TextIn(none, FLanguage);
        const TEventStatus status = Status(kind);
        if (status == TEventStatus::AboveAllDay)
            text += TextIn(EventText::MoonAbove, FLanguage);
        else if (status == TEventStatus::BelowAllDay)
            text += TextIn(EventText::MoonBelow, FLanguage);
        else if (status == TEventStatus::Failed)
            text += QStringLiteral(" (") + TextIn(EventText::Failed, FLanguage) + QLatin1Char(')');
        else
            text += TextIn(EventText::OnThisDate, FLanguage);
        FParts << text;
    }

    const TDayEvents &FDay;
    const TLanguage FLanguage;
    bool FPolarDay = false;
    QStringList FParts;
};

bool Holds(const TDayEvents &day, TEventKind kind)
{
    return std::any_of(day.Events.begin(), day.Events.end(),
                       [kind](const TEvent &e) { return e.Kind == kind; });
}

// The index of a shown kind in the tables of further events.
int FurtherIndex(TEventKind kind)
{
    return int(kind) < SunEventCount ? int(kind)
                                     : SunEventCount + int(kind) - int(TEventKind::Moonrise);
}

} // namespace

QString PolarText(const TDayEvents &day, TLanguage language)
{
    const TEventStatus rise = day.Status(TEventKind::Sunrise);
    if (rise != day.Status(TEventKind::Sunset) ||
        (rise != TEventStatus::AboveAllDay && rise != TEventStatus::BelowAllDay))
        return QString();
    QString text =
        TextIn(rise == TEventStatus::AboveAllDay ? EventText::PolarDay : EventText::PolarNight,
               language) +
        AroundText(day.SunBefore, day.SunAfter, language);
    text[0] = text[0].toUpper();
    return text;
}

const TEvent *VisibleRise(const TDayEvents &day, bool moon)
{
    return day.First(moon ? TEventKind::MoonAppears : TEventKind::SunAppears);
}

const TEvent *VisibleSet(const TDayEvents &day, bool moon)
{
    const std::vector<const TEvent *> all =
        day.All(moon ? TEventKind::MoonDisappears : TEventKind::SunDisappears);
    return all.empty() ? nullptr : all.back();
}

QStringList VisibleNotes(const TDayEvents &day, bool moon, TLanguage language,
                         const std::function<QString(TInstant, int32_t)> &time)
{
    QStringList parts;
    const TEventKind appears = moon ? TEventKind::MoonAppears : TEventKind::SunAppears;
    const TEventKind rise = moon ? TEventKind::Moonrise : TEventKind::Sunrise;
    // Hidden by the terrain, not by the body's staying below the horizon,
    // which the note says already.
    if (day.Status(appears) == TEventStatus::BelowAllDay &&
        day.Status(rise) != TEventStatus::BelowAllDay) {
        parts << TextIn(moon ? EventText::MoonHidden : EventText::SunHidden, language);
        return parts;
    }
    // Out more than once: every stretch it is seen, from the date's start or
    // to its end where it is seen then.
    const std::vector<TStretch> seen = VisibleStretches(day, moon);
    if (day.All(appears).size() > 1 ||
        day.All(moon ? TEventKind::MoonDisappears : TEventKind::SunDisappears).size() > 1) {
        QStringList spans;
        for (const TStretch &s : seen)
            spans << time(s.From, s.FromOffset) + QChar(0x2013) +
                         (s.To == day.Span.To ? QStringLiteral("24:00:00")
                                              : time(s.To, s.ToOffset));
        parts << TextIn(moon ? EventText::MoonSeen : EventText::SunSeen, language)
                     .arg(spans.join(TextIn(EventText::And, language)));
    }
    return parts;
}

QString AngleText(double degrees, TLanguage language)
{
    QString number = QString::number(std::fabs(degrees), 'g', 10);
    number.replace(QLatin1Char('.'), LocaleOf(language).decimalPoint());
    return (degrees < 0 ? QStringLiteral("\u2212") : QString()) + number + QChar(0x00B0);
}

QList<double> ShownAltitudes(const TAngleColumns &angles)
{
    QList<double> altitudes = angles.Altitudes;
    if (angles.Light)
        for (const double a :
             {angles.Bands.BlueFrom, angles.Bands.GoldenFrom, angles.Bands.GoldenTo})
            if (!altitudes.contains(a))
                altitudes << a;
    return altitudes;
}

void RequestAngles(TEventRequest &request, const TAngleColumns &angles)
{
    const QList<double> altitudes = ShownAltitudes(angles);
    request.Altitudes.assign(altitudes.begin(), altitudes.end());
    request.Bearings.assign(angles.Bearings.begin(), angles.Bearings.end());
}

QStringList AngleNotes(const TDayEvents &day, const TAngleColumns &angles, TLanguage language)
{
    QStringList parts;
    for (const double a : angles.Altitudes) {
        const TEventStatus rise = day.Status(TEventKind::SunAltitudeRise, a);
        const TEventStatus set = day.Status(TEventKind::SunAltitudeSet, a);
        const QString angle = AngleText(a, language);
        if ((rise == TEventStatus::AboveAllDay || rise == TEventStatus::BelowAllDay) &&
            set == rise) {
            parts << TextIn(rise == TEventStatus::AboveAllDay ? EventText::StaysAbove
                                                              : EventText::StaysBelow,
                            language)
                         .arg(angle);
            continue;
        }
        if (!day.First(TEventKind::SunAltitudeRise, a))
            parts << TextIn(EventText::NoRiseThrough, language).arg(angle);
        if (!day.First(TEventKind::SunAltitudeSet, a))
            parts << TextIn(EventText::NoSetThrough, language).arg(angle);
    }
    for (const double b : angles.Bearings)
        if (!day.First(TEventKind::SunBearing, b))
            parts << TextIn(day.Status(TEventKind::SunBearing, b) == TEventStatus::BelowAllDay
                                ? EventText::BearingBelow
                                : EventText::BearingNotPassed,
                            language)
                         .arg(AngleText(b, language));
    return parts;
}

QString LightText(const TDayEvents &day, TLanguage language, const TLightBands &bands)
{
    const auto hhmm = [&day](TInstant t, int32_t offset) {
        if (t == day.Span.To)
            return QStringLiteral("24:00");
        return QDateTime::fromMSecsSinceEpoch(t.UnixMs(), Qt::OffsetFromUTC, offset)
            .toString(QStringLiteral("HH:mm"));
    };
    const auto stretches = [&](double lo, double hi, const TText &named, const TText &none) {
        const std::vector<TStretch> all = StretchesBetween(day, lo, hi);
        if (all.empty())
            return TextIn(none, language);
        QStringList spans;
        for (const TStretch &s : all)
            spans << hhmm(s.From, s.FromOffset) + QChar(0x2013) + hhmm(s.To, s.ToOffset);
        return TextIn(named, language).arg(spans.join(TextIn(EventText::And, language)));
    };
    QString golden = stretches(bands.GoldenFrom, bands.GoldenTo, EventText::GoldenHours,
                               EventText::NoGoldenHour);
    golden[0] = golden[0].toUpper();
    return golden + QStringLiteral("; ") +
           stretches(bands.BlueFrom, bands.GoldenFrom, EventText::BlueHours, EventText::NoBlueHour);
}

bool HoldsTwice(const TDayEvents &day)
{
    int count[EventKindCount] = {};
    for (const TEvent &e : day.Events)
        if (e.Occurs() && e.Kind < TEventKind::SunAltitudeRise && ++count[int(e.Kind)] > 1)
            return true;
    return false;
}

QList<TEventKind> ShownKinds(const TDayEvents &day, bool twilight)
{
    QList<TEventKind> kinds;
    for (int k = 0; k < (twilight ? SunEventCount : 3); ++k)
        kinds << TEventKind(k);
    for (const TEventKind k : {TEventKind::Moonrise, TEventKind::Moonset})
        if (Holds(day, k))
            kinds << k;
    return kinds;
}

QStringList FurtherEvents(const TDayEvents &day, bool twilight, TLanguage language)
{
    QStringList parts;
    if (!HoldsTwice(day))
        return parts;
    for (const TEventKind kind : ShownKinds(day, twilight)) {
        const std::vector<const TEvent *> all = day.All(kind);
        for (size_t i = 1; i < all.size(); ++i) {
            const TEvent &e = *all[i];
            const QString time =
                QDateTime::fromMSecsSinceEpoch(e.Time.UnixMs(), Qt::OffsetFromUTC, e.ClockOffset)
                    .time()
                    .toString(QStringLiteral("HH:mm:ss"));
            const TText &text = i == 1 ? EventText::Second[FurtherIndex(kind)]
                                       : EventText::Another[FurtherIndex(kind)];
            parts << TextIn(text, language).arg(time);
        }
    }
    return parts;
}

QString DayNote(const TDayEvents &day, bool twilight, TLanguage language)
{
    TNoteParts note(day, language);
    note.AddSun();
    if (twilight)
        note.AddTwilights();
    note.AddMoon();
    QString text = note.Joined();
    const QStringList further = FurtherEvents(day, twilight, language);
    if (!further.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral("; ")) +
                further.join(QStringLiteral("; "));
    return text;
}

QString MoonPhaseText(Moon::TPhaseName phase, TLanguage language)
{
    return TextIn(EventText::MoonPhases[int(phase)], language);
}

QByteArray MoonPhaseKey(Moon::TPhaseName phase)
{
    static const char *const keys[8] = {
        "new",  "waxing_crescent", "first_quarter", "waxing_gibbous",
        "full", "waning_gibbous",  "last_quarter",  "waning_crescent"};
    return keys[int(phase)];
}

QString PrincipalPhaseText(TEventKind phase, TLanguage language)
{
    return TextIn(EventText::PrincipalPhases[int(phase) - int(TEventKind::NewMoon)], language);
}

QString SkyLineText(const TDayEvents &day, TLanguage language, const QString &noEvent,
                    const std::function<QString(TEventKind)> &time)
{
    using namespace EventText;
    const auto text = [language](const TText &t) { return TextIn(t, language); };
    const auto azimuth = [&](TEventKind kind) {
        const TEvent *e = day.First(kind);
        return e && std::isfinite(e->Azimuth) ? DecimalText(e->Azimuth, 1, language) : noEvent;
    };
    QString line = QStringLiteral("    ");
    const TEventStatus rise = day.Status(TEventKind::Sunrise);
    const TEventStatus set = day.Status(TEventKind::Sunset);
    if (rise == TEventStatus::BelowAllDay && set == rise)
        line += text(SkyText::PolarNight);
    else if (rise == TEventStatus::AboveAllDay && set == rise)
        line += text(SkyText::PolarDay);
    else
        line += (day.First(TEventKind::Sunrise) || rise == TEventStatus::Failed
                     ? text(SkyText::SunRises).arg(azimuth(TEventKind::Sunrise))
                     : text(SkyText::SunNoRise)) +
                (day.First(TEventKind::Sunset) || set == TEventStatus::Failed
                     ? text(SkyText::SunSets).arg(azimuth(TEventKind::Sunset))
                     : text(SkyText::SunNoSet));
    const TEventStatus moonrise = day.Status(TEventKind::Moonrise);
    if (moonrise == TEventStatus::AboveAllDay)
        line += text(SkyText::MoonUp);
    else if (moonrise == TEventStatus::BelowAllDay)
        line += text(SkyText::MoonDown);
    else
        line += (day.First(TEventKind::Moonrise) || moonrise == TEventStatus::Failed
                     ? text(SkyText::MoonRises).arg(time(TEventKind::Moonrise))
                     : text(SkyText::MoonNoRise)) +
                (day.First(TEventKind::Moonset) ||
                         day.Status(TEventKind::Moonset) == TEventStatus::Failed
                     ? text(SkyText::MoonSets).arg(time(TEventKind::Moonset))
                     : text(SkyText::MoonNoSet));
    line += text(SkyText::Light)
                .arg(day.MoonIllumination ? DecimalText(*day.MoonIllumination * 100, 1, language)
                                          : noEvent,
                     day.MoonPhase ? MoonPhaseText(*day.MoonPhase, language) : noEvent);
    return line;
}
