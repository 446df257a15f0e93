#include "app/HorizonDrawing.h"

#include "app/ChartPen.h"
#include "app/YearChart.h"
#include "common/EventTexts.h"
#include "common/Texts.h"

#include <QDateTime>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace
{

constexpr TText FlatHorizon{"Rovný horizont", "Flat horizon", "Sík horizont"};
// %1 azimuth, %2 altitude
constexpr TText PointWords{"azimut %1: %2", "azimuth %1: %2", "azimut %1: %2"};
// %1 metres
constexpr TText HeightWords{"výška nad okolím %1 m", "height above the surroundings %1 m",
                            "magasság a környezet felett %1 m"};

// To the nearest minute, as the chart windows give every time.
QString ClockMinute(TInstant t, int32_t offset)
{
    return QDateTime::fromMSecsSinceEpoch(t.UnixMs() + 30000, Qt::OffsetFromUTC, offset)
        .toString(QStringLiteral("HH:mm"));
}

} // namespace

QPolygonF HorizonSilhouette(const THorizon &horizon, const THorizonMapping &map,
                            double baseAltitude, double stepDegrees)
{
    std::vector<double> azimuths;
    const int steps = std::max(1, int(std::ceil(360 / std::max(stepDegrees, 0.01))));
    for (int i = 0; i <= steps; ++i)
        azimuths.push_back(360.0 * i / steps);
    for (const THorizonPoint &p : horizon.Points())
        azimuths.push_back(p.Azimuth);
    std::sort(azimuths.begin(), azimuths.end());
    azimuths.erase(std::unique(azimuths.begin(), azimuths.end()), azimuths.end());

    QPolygonF polygon;
    polygon.reserve(int(azimuths.size()) * 2);
    for (const double a : azimuths)
        polygon << map(a, std::max(baseAltitude, horizon.SkyLineAt(a)));
    for (auto a = azimuths.rbegin(); a != azimuths.rend(); ++a)
        polygon << map(*a, baseAltitude);
    return polygon;
}

void PaintHorizonSilhouette(QPainter &p, const THorizon &horizon, const THorizonMapping &map,
                            double baseAltitude, const QColor &terrain, const QColor &line)
{
    const QPolygonF polygon = HorizonSilhouette(horizon, map, baseAltitude);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(terrain);
    p.drawPolygon(polygon);
    // The sky line alone: the first half of the polygon.
    p.setPen(CosmeticPen(line, 1.5 * DevicePixel(p)));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(polygon.constData(), int(polygon.size() / 2));
    p.restore();
}

QString HorizonWords(const THorizon &horizon, TLanguage language)
{
    QStringList parts;
    if (horizon.Points().empty())
        parts << TextIn(FlatHorizon, language);
    for (const THorizonPoint &point : horizon.Points())
        parts << TextIn(PointWords, language)
                     .arg(AngleText(point.Azimuth, language), AngleText(point.Altitude, language));
    QString words = parts.join(QStringLiteral("; "));
    if (horizon.Height() > 0)
        words += QStringLiteral("; ") +
                 TextIn(HeightWords, language).arg(DecimalText(horizon.Height(), 1, language));
    return words;
}

QStringList VisibleDayLines(const TDayEvents &day, bool moon, TLanguage language,
                            const QString &noEvent)
{
    const auto at = [&noEvent](const TEvent *e) {
        return e ? ClockMinute(e->Time, e->ClockOffset) : noEvent;
    };
    QStringList lines;
    for (const bool body : {false, true}) {
        if (body && !moon)
            continue;
        QString line =
            TextIn(body ? EventText::VisibleMoonLine : EventText::VisibleSunLine, language)
                .arg(at(VisibleRise(day, body)), at(VisibleSet(day, body)))
                .trimmed();
        const QStringList notes = VisibleNotes(day, body, language, ClockMinute);
        if (!notes.isEmpty())
            line += QStringLiteral("; ") + notes.join(QStringLiteral("; "));
        lines << line;
    }
    return lines;
}

bool SameHorizon(const std::optional<THorizon> &a, const std::optional<THorizon> &b)
{
    if (!a || !b)
        return !a && !b;
    if (a->Height() != b->Height() || a->Points().size() != b->Points().size())
        return false;
    return std::equal(a->Points().begin(), a->Points().end(), b->Points().begin(),
                      [](const THorizonPoint &p, const THorizonPoint &q) {
                          return p.Azimuth == q.Azimuth && p.Altitude == q.Altitude;
                      });
}

QVector<std::optional<double>> VisibleHours(const QVector<TDayEvents> &days, bool rise)
{
    QVector<std::optional<double>> hours;
    hours.reserve(days.size());
    for (const TDayEvents &day : days) {
        const TEvent *e = rise ? VisibleRise(day, false) : VisibleSet(day, false);
        hours.append(e ? std::optional<double>(YearChart::HourOf(day, *e)) : std::nullopt);
    }
    return hours;
}
