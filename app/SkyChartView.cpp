#include "app/SkyChartView.h"

#include "app/HorizonDrawing.h"

#include "app/ChartPen.h"
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

using namespace SkyChart;

namespace
{

const QColor Background(0xf4, 0xf7, 0xfb);
const QColor SkyColour(0xdc, 0xe8, 0xf6);
const QColor RingColour(0x8a, 0x9b, 0xb0);
const QColor TextColour(0x20, 0x20, 0x20);
const QColor SunPathColour(0xb3, 0x47, 0x00);  // dark
const QColor MoonPathColour(0x6f, 0x86, 0xb8); // light
const QColor MoonDark(0x3a, 0x40, 0x4c);
const QColor MoonLight(0xf2, 0xf2, 0xe6);
const QColor RimColour(0xc6, 0xd0, 0xdf);
const QColor GoldenColour(0xf5, 0xa6, 0x23, 190);
const QColor BlueColour(0x2f, 0x6c, 0xe0, 170);
const QColor BearingColour(0x00, 0x6e, 0x60);
const QColor ShadowColour(0x50, 0x50, 0x50);

// Round ends: the paths' dotted stretches read as dots.
QPen RoundPen(const QColor &colour, double width, Qt::PenStyle style = Qt::SolidLine)
{
    return CosmeticPen(colour, width, style, Qt::RoundCap);
}

// The chart's legend: the paths, the marks, the bands, the bearing and the
// shadow, flowed in rows under the chart.
constexpr int LegendCount = 8;

QString LegendText(const TSkyChartTexts &texts, int i)
{
    const QString *const all[LegendCount] = {&texts.SunPath, &texts.MoonPath,   &texts.Rise,
                                             &texts.Set,     &texts.GoldenHour, &texts.BlueHour,
                                             &texts.Bearing, &texts.Shadow};
    return *all[i];
}

constexpr double SwatchWidth = 24;

struct TChartLayout {
    double LineHeight = 0;
    QRectF Caption;
    QPointF Centre;
    double Radius = 0; // of the horizon
    double Outer = 0;  // of the rim below it
    QRectF Legend[LegendCount];
};

TChartLayout LayoutOf(const QSizeF &size, const QFont &font, const TSkyChartTexts &texts,
                      double rimDepth)
{
    TChartLayout l;
    const QFontMetricsF fm(font);
    l.LineHeight = fm.height();
    l.Caption = QRectF(8, 4, size.width() - 16, l.LineHeight);
    // The legend's rows from the bottom up: each entry where it fits.
    const double left = 8, right = size.width() - 8, rowHeight = l.LineHeight + 4;
    double x = left;
    int row = 0;
    for (int i = 0; i < LegendCount; ++i) {
        const double w = SwatchWidth + 6 + fm.horizontalAdvance(LegendText(texts, i));
        if (x > left && x + w > right) {
            x = left;
            ++row;
        }
        l.Legend[i] = QRectF(x, row * rowHeight, w, l.LineHeight);
        x += w + 16;
    }
    const double legendTop = size.height() - 6 - (row + 1) * rowHeight + 4;
    for (QRectF &r : l.Legend)
        r.translate(0, legendTop);
    const double top = l.Caption.bottom() + l.LineHeight * 1.5;
    const double bottom = legendTop - l.LineHeight * 1.5;
    const double side = fm.horizontalAdvance(QStringLiteral("WW")) + 8;
    l.Outer = std::max(20.0, std::min((bottom - top) / 2, size.width() / 2 - side));
    l.Radius = l.Outer * 90 / (90 + rimDepth);
    l.Centre = QPointF(size.width() / 2, (top + bottom) / 2);
    return l;
}

QPolygonF Polyline(const QVector<THorizontal> &piece, const QPointF &centre, double radius,
                   double lowest = 0)
{
    QPolygonF line;
    for (const THorizontal &h : piece)
        if (const std::optional<QPointF> p = ToPoint(h, centre, radius, lowest))
            line << *p;
    return line;
}

// The Moon's disc with its lit part: the limb on the Sun's side and the
// terminator as a half ellipse. As seen from the north, a waxing Moon is lit
// on the right.
void DrawMoonDisc(QPainter &p, double k, const QPointF &at, double r, double lit, bool waxing)
{
    p.setPen(RoundPen(TextColour, k));
    p.setBrush(MoonDark);
    p.drawEllipse(at, r, r);
    QPainterPath half;
    const QRectF box(at.x() - r, at.y() - r, 2 * r, 2 * r);
    half.moveTo(at.x(), at.y() - r);
    half.arcTo(box, 90, waxing ? -180 : 180);
    half.closeSubpath();
    const double e = r * std::abs(1 - 2 * lit);
    QPainterPath ellipse;
    ellipse.addEllipse(at, e, r);
    QPainterPath litPart = lit >= 0.5 ? half.united(ellipse) : half.subtracted(ellipse);
    p.setPen(Qt::NoPen);
    p.setBrush(MoonLight);
    p.drawPath(litPart);
    p.setBrush(Qt::NoBrush);
    p.setPen(RoundPen(TextColour, k));
    p.drawEllipse(at, r, r);
}

// A text on a light halo, readable over paths and discs.
void HaloText(QPainter &p, double k, const QRectF &box, const QString &text)
{
    QPainterPath path;
    const QFontMetricsF fm(p.font());
    path.addText(box.center().x() - fm.horizontalAdvance(text) / 2,
                 box.center().y() + (fm.ascent() - fm.descent()) / 2, p.font(), text);
    p.setBrush(Qt::NoBrush);
    p.setPen(RoundPen(QColor(255, 255, 255, 220), 3 * k));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(TextColour);
    p.drawPath(path);
    p.setBrush(Qt::NoBrush);
}

// What the layers of one painting share.
struct TSkyCanvas {
    QPainter &P;
    double K; // the width of a cosmetic pen of one device pixel
    TChartLayout L;
    QFontMetricsF Metrics;
    double RimDepth;
};

// The rim of the first degrees below the horizon, the sky above it, rings at
// 30 and 60 degrees, the four directions.
void PaintSky(const TSkyCanvas &c, const QStringList &directions)
{
    QPainter &p = c.P;
    const TChartLayout &l = c.L;
    p.setPen(RoundPen(RingColour, c.K));
    p.setBrush(RimColour);
    p.drawEllipse(l.Centre, l.Outer, l.Outer);
    p.setBrush(SkyColour);
    p.drawEllipse(l.Centre, l.Radius, l.Radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(RoundPen(RingColour, c.K, Qt::DotLine));
    for (const int altitude : {30, 60}) {
        const double r = l.Radius * (90 - altitude) / 90;
        p.drawEllipse(l.Centre, r, r);
        // Left of the meridian, where a shadow's length, to its right, stays clear.
        const QString text = QStringLiteral("%1°").arg(altitude);
        p.drawText(l.Centre + QPointF(-3 - c.Metrics.horizontalAdvance(text), -r - 2), text);
    }
    p.drawLine(HorizonPoint(0, l.Centre, l.Radius), HorizonPoint(180, l.Centre, l.Radius));
    p.drawLine(HorizonPoint(90, l.Centre, l.Radius), HorizonPoint(270, l.Centre, l.Radius));
    p.setPen(TextColour);
    const double h = c.Metrics.height();
    for (int d = 0; d < 4 && d < directions.size(); ++d) {
        const QPointF at = HorizonPoint(90.0 * d, l.Centre, l.Outer + h * 0.8);
        const QRectF box(at.x() - 20, at.y() - h / 2, 40, h);
        p.drawText(box, Qt::AlignCenter, directions[d]);
    }
}

// The golden and blue hours, broad and light under the Sun's path.
void PaintLightBands(const TSkyCanvas &c, const TSkyChartData &data)
{
    const std::pair<const QVector<QVector<THorizontal>> *, QColor> bands[] = {
        {&data.BluePieces, BlueColour}, {&data.GoldenPieces, GoldenColour}};
    for (const auto &[pieces, colour] : bands) {
        c.P.setPen(RoundPen(colour, 9 * c.K));
        for (const auto &piece : *pieces)
            c.P.drawPolyline(Polyline(piece, c.L.Centre, c.L.Radius, -c.RimDepth));
    }
}

// The paths, the Sun's solid and dark with a dot at each hour, the Moon's
// dashed and light.
void PaintPaths(const TSkyCanvas &c, const TSkyChartData &data)
{
    QPainter &p = c.P;
    const TChartLayout &l = c.L;
    for (const auto &piece : data.MoonPieces) {
        p.setPen(RoundPen(MoonPathColour, 2.5 * c.K, Qt::DashLine));
        p.drawPolyline(Polyline(piece, l.Centre, l.Radius));
    }
    for (const auto &piece : data.SunPieces) {
        p.setPen(RoundPen(SunPathColour, 2.5 * c.K));
        p.drawPolyline(Polyline(piece, l.Centre, l.Radius));
    }
    p.setPen(RoundPen(SunPathColour, c.K));
    p.setBrush(SunPathColour);
    for (const auto &hour : data.SunHours)
        if (const std::optional<QPointF> at = ToPoint(hour.second, l.Centre, l.Radius))
            p.drawEllipse(*at, 2.5, 2.5);
    p.setBrush(Qt::NoBrush);
}

// Where a body rises or sets: a mark outside the horizon, in the rim, where
// it hides no hour of the path.
void RiseSetMark(const TSkyCanvas &c, const std::optional<double> &azimuth, const QColor &colour,
                 bool rise)
{
    if (!azimuth)
        return;
    const QPointF inner = HorizonPoint(*azimuth, c.L.Centre, c.L.Radius);
    const QPointF outer = HorizonPoint(*azimuth, c.L.Centre, c.L.Outer + 5);
    c.P.setPen(RoundPen(colour, 3 * c.K, rise ? Qt::SolidLine : Qt::DotLine));
    c.P.drawLine(inner, outer);
}

void PaintRisesAndSets(const TSkyCanvas &c, const TSkyChartData &data)
{
    RiseSetMark(c, data.Sunrise, SunPathColour, true);
    RiseSetMark(c, data.Sunset, SunPathColour, false);
    RiseSetMark(c, data.Moonrise, MoonPathColour, true);
    RiseSetMark(c, data.Moonset, MoonPathColour, false);
}

// The bearing from the centre out to the rim, and a ring where each body
// passes it.
void PaintBearing(const TSkyCanvas &c, const TSkyChartData &data)
{
    if (!data.Bearing)
        return;
    QPainter &p = c.P;
    p.setPen(RoundPen(BearingColour, 2 * c.K, Qt::DashDotLine));
    p.drawLine(c.L.Centre, HorizonPoint(*data.Bearing, c.L.Centre, c.L.Outer));
    const std::pair<const QVector<THorizontal> *, QColor> passes[] = {
        {&data.SunOnBearing, SunPathColour}, {&data.MoonOnBearing, MoonPathColour}};
    for (const auto &[where, colour] : passes)
        for (const THorizontal &h : *where)
            if (const std::optional<QPointF> at = ToPoint(h, c.L.Centre, c.L.Radius)) {
                p.setPen(RoundPen(BearingColour, 2 * c.K));
                p.setBrush(colour);
                p.drawEllipse(*at, 5, 5);
            }
    p.setBrush(Qt::NoBrush);
}

// The shadow of an object standing at the centre: as long as the object is
// high, a quarter of the radius; at most the radius.
void PaintShadow(const TSkyCanvas &c, const TSkyChartData &data)
{
    if (!data.ShadowAzimuth)
        return;
    QPainter &p = c.P;
    const double reach = c.L.Radius * std::min(1.0, data.ShadowRatio / 4);
    const QPointF end = HorizonPoint(*data.ShadowAzimuth, c.L.Centre, reach);
    p.setPen(CosmeticPen(ShadowColour, 4 * c.K, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c.L.Centre, end);
    p.setPen(RoundPen(TextColour, c.K));
    p.setBrush(ShadowColour);
    p.drawEllipse(c.L.Centre, 3, 3);
    p.setBrush(Qt::NoBrush);
    // The length beside the shadow's end, on its right-hand side.
    const double w = c.Metrics.horizontalAdvance(data.ShadowText) + 4;
    const QPointF side = HorizonPoint(*data.ShadowAzimuth + 90, QPointF(0, 0), w / 2 + 6);
    const QPointF label = end + side;
    HaloText(p, c.K, QRectF(label.x() - w / 2, label.y() - c.L.LineHeight / 2, w, c.L.LineHeight),
             data.ShadowText);
}

// Both at the chosen time, when above the horizon.
void PaintChosenTime(const TSkyCanvas &c, const TSkyChartData &data)
{
    QPainter &p = c.P;
    if (const std::optional<QPointF> at = ToPoint(data.Moon, c.L.Centre, c.L.Radius))
        DrawMoonDisc(p, c.K, *at, 8, data.MoonLit, data.MoonWaxing);
    if (const std::optional<QPointF> at = ToPoint(data.Sun, c.L.Centre, c.L.Radius)) {
        p.setPen(RoundPen(SunPathColour, c.K));
        p.setBrush(QColor(0xff, 0xc8, 0x2e));
        p.drawEllipse(*at, 9, 9);
        p.setBrush(Qt::NoBrush);
    }
}

// The Sun's hours last, away from the centre beside their dots, so that
// neither the discs nor the marks hide them.
void PaintHourLabels(const TSkyCanvas &c, const TSkyChartData &data)
{
    const double h = c.L.LineHeight;
    for (const auto &[hour, where] : data.SunHours) {
        const std::optional<QPointF> at = ToPoint(where, c.L.Centre, c.L.Radius);
        if (!at)
            continue;
        const QPointF out = *at - c.L.Centre;
        const double length = std::hypot(out.x(), out.y());
        const QPointF unit = length > 1 ? out / length : QPointF(1, 0);
        const QString text = QString::number(hour);
        const double w = c.Metrics.horizontalAdvance(text) + 2;
        const QPointF centre = *at + unit * (6 + std::max(w, h) / 2);
        HaloText(c.P, c.K, QRectF(centre.x() - w / 2, centre.y() - h / 2, w, h), text);
    }
}

// The legend's entries in the rows the layout flowed.
void PaintLegend(const TSkyCanvas &c, const TSkyChartTexts &texts)
{
    QPainter &p = c.P;
    const double k = c.K;
    const QPen pens[LegendCount] = {
        RoundPen(SunPathColour, 2.5 * k),
        RoundPen(MoonPathColour, 2.5 * k, Qt::DashLine),
        RoundPen(TextColour, 3 * k),
        RoundPen(TextColour, 3 * k, Qt::DotLine),
        RoundPen(GoldenColour, 9 * k),
        RoundPen(BlueColour, 9 * k),
        RoundPen(BearingColour, 2 * k, Qt::DashDotLine),
        CosmeticPen(ShadowColour, 4 * k, Qt::SolidLine, Qt::RoundCap),
    };
    for (int i = 0; i < LegendCount; ++i) {
        const QRectF &r = c.L.Legend[i];
        const double y = r.center().y();
        p.setPen(pens[i]);
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.left() + SwatchWidth - 3, y));
        p.setPen(TextColour);
        p.drawText(QRectF(r.left() + SwatchWidth + 6, r.top(), r.width() - SwatchWidth - 6 + 2,
                          r.height()),
                   Qt::AlignVCenter, LegendText(texts, i));
    }
}

} // namespace

TSkyChartView::TSkyChartView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SkyChart"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QColor TSkyChartView::SunColour()
{
    return SunPathColour;
}

QColor TSkyChartView::MoonColour()
{
    return MoonPathColour;
}

void TSkyChartView::SetData(const TSkyChartData &data)
{
    FData = data;
    update();
}

void TSkyChartView::SetTexts(const TSkyChartTexts &texts)
{
    FTexts = texts;
    update();
}

QFont TSkyChartView::ChartFont() const
{
    QFont f = font();
    f.setPixelSize(std::max(10, QFontInfo(font()).pixelSize()));
    return f;
}

QPointF TSkyChartView::HorizonCentre() const
{
    return LayoutOf(size(), ChartFont(), FTexts, FData.RimDepth).Centre;
}

double TSkyChartView::HorizonRadius() const
{
    return LayoutOf(size(), ChartFont(), FTexts, FData.RimDepth).Radius;
}

void TSkyChartView::Paint(QPainter &p, const QSizeF &size) const
{
    const QFont font = ChartFont();
    const TChartLayout l = LayoutOf(size, font, FTexts, FData.RimDepth);
    const QFontMetricsF fm(font);
    p.save();
    p.setFont(font);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double k = DevicePixel(p);
    p.fillRect(QRectF(QPointF(0, 0), size), Background);
    p.setPen(TextColour);
    p.drawText(l.Caption, Qt::AlignHCenter | Qt::AlignVCenter, FTexts.Caption);

    // Bottom to top; a layer of its own for each new thing to show.
    const TSkyCanvas c{p, k, l, fm, FData.RimDepth};
    PaintSky(c, FTexts.Directions);
    PaintLightBands(c, FData);
    PaintPaths(c, FData);
    // Over the paths: a ridge hides the part of a path behind it.
    if (FData.Horizon)
        PaintHorizonSilhouette(
            p, *FData.Horizon,
            [&l](double azimuth, double altitude) {
                return *SkyChart::ToPoint({altitude, azimuth}, l.Centre, l.Radius);
            },
            0);
    PaintRisesAndSets(c, FData);
    PaintBearing(c, FData);
    PaintShadow(c, FData);
    PaintChosenTime(c, FData);
    PaintHourLabels(c, FData);
    PaintLegend(c, FTexts);
    p.restore();
}

void TSkyChartView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    Paint(p, size());
    if (hasFocus())
        PaintFocusFrame(p, *this);
}

void TSkyChartView::keyPressEvent(QKeyEvent *event)
{
    int minutes = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        minutes = -10;
        break;
    case Qt::Key_Right:
        minutes = 10;
        break;
    case Qt::Key_PageUp:
        minutes = -60;
        break;
    case Qt::Key_PageDown:
        minutes = 60;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    emit TimeStepped(minutes);
    event->accept();
}

// The horizon ring takes clicks across its rim and a few pixels either side.
std::optional<double> TSkyChartView::RingAzimuthAt(const QPointF &point) const
{
    const TChartLayout l = LayoutOf(size(), ChartFont(), FTexts, FData.RimDepth);
    return RingAzimuth(point, l.Centre, (l.Radius + l.Outer) / 2, (l.Outer - l.Radius) / 2 + 6);
}

void TSkyChartView::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    if (const std::optional<double> azimuth = RingAzimuthAt(event->position()))
        emit BearingPicked(std::round(*azimuth * 10) / 10);
}

void TSkyChartView::mouseMoveEvent(QMouseEvent *event)
{
    if (RingAzimuthAt(event->position()))
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void TSkyChartView::focusInEvent(QFocusEvent *)
{
    update();
}

void TSkyChartView::focusOutEvent(QFocusEvent *)
{
    update();
}
