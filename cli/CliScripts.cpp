#include "cli/CliScripts.h"

#include "cli/CliSyntax.h"
#include "cli/CliTexts.h"
#include "common/EventWriters.h"
#include "common/EventsOnClock.h"
#include "common/FileText.h"
#include "common/SystemClock.h"
#include "suntime/SkyPosition.h"
#include "suntime/SunEvents.h"

#include <utility>

namespace
{

// Whole seconds from a moment to an event, rounded up: a script that sleeps
// that long does not wake before it.
qint64 SecondsUntil(qint64 fromMs, const TEvent &event)
{
    const qint64 ms = event.Time.UnixMs() - fromMs;
    return ms > 0 ? (ms + 999) / 1000 : -(-ms / 1000);
}

// "EVENT TIME" or event,time,in_seconds as CSV or one JSON object.
QByteArray EventLine(TCliFormat format, const QString &name, const TEvent &event, qint64 fromMs)
{
    QByteArray time;
    AppendIsoMoment(time, event.Time.UnixMs(), event.ClockOffset);
    const QByteArray seconds = QByteArray::number(SecondsUntil(fromMs, event));
    switch (format) {
    case TCliFormat::Csv:
        return "event,time,in_seconds\r\n" + name.toUtf8() + ',' + time + ',' + seconds + "\r\n";
    case TCliFormat::Json:
        return "{\"event\": " + JsonString(name) + ", \"time\": \"" + time +
               "\", \"in_seconds\": " + seconds + "}\n";
    default:
        return name.toUtf8() + ' ' + time + '\n';
    }
}

TCliResult NoEvent(const TCliOptions &o, const QString &name)
{
    return Failure(
        CliExitFailure,
        TextIn(CliText::NoEventWithin, o.Language).arg(name, QString::number(NextEventDays)));
}

TCliResult RunNext(const TCliOptions &o, const TResolvedPlace &at, const QDateTime &now)
{
    QDateTime after = now;
    QString note;
    if (o.After) {
        const std::optional<QDateTime> given = MomentOnClock(*o.After, at.Clock, o.Language, &note);
        if (!given)
            return Failure(CliExitUsage, note);
        after = *given;
    }
    const std::optional<TEvent> next = NextEvent(at.Place, at.Clock, {o.Event.Aim}, after);
    if (!next)
        return NoEvent(o, o.Event.Name);
    TCliResult r;
    r.Error = note;
    r.Out = EventLine(o.Format, o.Event.Name, *next, after.toMSecsSinceEpoch());
    return r;
}

TCliResult RunWait(const TCliOptions &o, const TResolvedPlace &at, const QDateTime &now)
{
    const std::optional<TWaitPlan> plan =
        PlanWait(at.Place, at.Clock, o.Event.Aim, o.ShiftMs, o.LateMs, now);
    if (!plan)
        return NoEvent(o, o.Event.Name);
    TCliResult r;
    r.WakeAtMs = plan->WakeMs;
    // The line is printed on waking, or at once when late.
    r.Out = EventLine(o.Format, o.Event.Name, plan->Event,
                      std::max(plan->WakeMs, now.toMSecsSinceEpoch()));
    return r;
}

// The events that end one light and begin another.
QList<TEventAim> LightChanges()
{
    QList<TEventAim> aims;
    for (const TSunZenith z :
         {TSunZenith::Sunrise, TSunZenith::Civil, TSunZenith::Nautical, TSunZenith::Astronomical})
        aims << TEventAim{MorningOf(z), 0} << TEventAim{EveningOf(z), 0};
    return aims;
}

TCliResult RunPoll(const TCliOptions &o, const TResolvedPlace &at, const QDateTime &now)
{
    const TSunNow sun = SunNow(at.Place, now);
    const std::optional<TEvent> next = NextEvent(at.Place, at.Clock, LightChanges(), now);
    const QByteArray state = SunLightKey(sun.Light);
    const QByteArray altitude = FixedText(sun.Altitude, 2), azimuth = FixedText(sun.Azimuth, 2);
    QByteArray event, time;
    if (next) {
        event = EventKey(next->Kind);
        AppendIsoMoment(time, next->Time.UnixMs(), next->ClockOffset);
    }
    TCliResult r;
    switch (o.Format) {
    case TCliFormat::Csv:
        r.Out = "state,sun_altitude,sun_azimuth,next_event,next_time\r\n" + state + ',' + altitude +
                ',' + azimuth + ',' + event + ',' + time + "\r\n";
        break;
    case TCliFormat::Json: {
        const auto quoted = [](const QByteArray &text) {
            return text.isEmpty() ? QByteArray("null") : '"' + text + '"';
        };
        r.Out = "{\"state\": \"" + state + "\", \"sun_altitude\": " + altitude +
                ", \"sun_azimuth\": " + azimuth + ", \"next_event\": " + quoted(event) +
                ", \"next_time\": " + quoted(time) + "}\n";
        break;
    }
    default:
        r.Out = state + '\n';
    }
    // The code tells a shell the light.
    r.ExitCode = sun.Light == TSunLight::Day     ? CliExitOk
                 : sun.Light == TSunLight::Night ? CliExitNight
                                                 : CliExitTwilight;
    return r;
}

} // namespace

std::optional<TWaitPlan> PlanWait(const TObserver &observer, const TClock &clock,
                                  const TEventAim &aim, qint64 shiftMs, qint64 lateMs,
                                  const QDateTime &now)
{
    const std::optional<TEvent> event =
        NextEvent(observer, clock, {aim}, now.addMSecs(-lateMs - shiftMs));
    if (!event)
        return std::nullopt;
    return TWaitPlan{*event, event->Time.UnixMs() + shiftMs};
}

TSunNow SunNow(const TObserver &observer, const QDateTime &now)
{
    // The altitude the Sun's events are found at (SunCentreAltitude), so that
    // the light changes at the very second --next gives.
    const THorizontal sun = Sky::SunHorizontal(InstantOf(now), observer, false);
    TSunNow at;
    at.Altitude = sun.Altitude;
    at.Azimuth = sun.Azimuth;
    int light = 0;
    for (const TSunZenith z :
         {TSunZenith::Sunrise, TSunZenith::Civil, TSunZenith::Nautical, TSunZenith::Astronomical}) {
        if (sun.Altitude > 90 - ZenithOf(z))
            break;
        ++light;
    }
    at.Light = TSunLight(light);
    return at;
}

QByteArray SunLightKey(TSunLight light)
{
    static const char *const keys[] = {"day", "civil_twilight", "nautical_twilight",
                                       "astronomical_twilight", "night"};
    return keys[int(light)];
}

TCliResult RunScript(const TCliOptions &o, TGazetteer &cities)
{
    TCliResult failure;
    const std::optional<TResolvedPlace> at = ResolvePlace(o, cities, failure);
    if (!at)
        return failure;
    const QDateTime now = TSystemClock::Now();
    switch (o.Command) {
    case TCliCommand::Next:
        return WithCityNote(o, cities, RunNext(o, *at, now));
    case TCliCommand::Wait:
        return WithCityNote(o, cities, RunWait(o, *at, now));
    default: {
        // The note as for any run that answers, whichever light the code tells.
        TCliResult r = RunPoll(o, *at, now);
        const int light = std::exchange(r.ExitCode, CliExitOk);
        r = WithCityNote(o, cities, r);
        r.ExitCode = light;
        return r;
    }
    }
}
