#include "app/SkyChartView.h"

#include "app/ChartPen.h"
#include <QFontMetricsF>
#include <QKeyEvent>
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

// Round ends: the paths' dotted stretches read as dots.
QPen RoundPen(const QColor &colour, double width, Qt::PenStyle style = Qt::SolidLine)
{
    return CosmeticPen(colour, width, style, Qt::RoundCap);
}

struct TChartLayout {
    double LineHeight = 0;
    QRectF Caption;
    QPointF Centre;
    double Radius = 0;
    QRectF Legend;
};

TChartLayout LayoutOf(const QSizeF &size, const QFont &font)
{
    TChartLayout l;
    const QFontMetricsF fm(font);
    l.LineHeight = fm.height();
    l.Caption = QRectF(8, 4, size.width() - 16, l.LineHeight);
    l.Legend = QRectF(8, size.height() - l.LineHeight - 6, size.width() - 16, l.LineHeight);
    const double top = l.Caption.bottom() + l.LineHeight * 1.5;
    const double bottom = l.Legend.top() - l.LineHeight * 1.5;
    const double side = fm.horizontalAdvance(QStringLiteral("WW")) + 8;
    l.Radius = std::max(20.0, std::min((bottom - top) / 2, size.width() / 2 - side));
    l.Centre = QPointF(size.width() / 2, (top + bottom) / 2);
    return l;
}

QPolygonF Polyline(const QVector<THorizontal> &piece, const QPointF &centre, double radius)
{
    QPolygonF line;
    for (const THorizontal &h : piece)
        if (const std::optional<QPointF> p = ToPoint(h, centre, radius))
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

// What the layers of one painting share.
struct TSkyCanvas {
    QPainter &P;
    double K; // the width of a cosmetic pen of one device pixel
    TChartLayout L;
    QFontMetricsF Metrics;
};

// The sky above the horizon, rings at 30 and 60 degrees, the four directions.
void PaintSky(const TSkyCanvas &c, const QStringList &directions)
{
    QPainter &p = c.P;
    const TChartLayout &l = c.L;
    p.setPen(RoundPen(RingColour, c.K));
    p.setBrush(SkyColour);
    p.drawEllipse(l.Centre, l.Radius, l.Radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(RoundPen(RingColour, c.K, Qt::DotLine));
    for (const int altitude : {30, 60}) {
        const double r = l.Radius * (90 - altitude) / 90;
        p.drawEllipse(l.Centre, r, r);
        p.drawText(l.Centre + QPointF(3, -r - 2), QStringLiteral("%1°").arg(altitude));
    }
    p.drawLine(HorizonPoint(0, l.Centre, l.Radius), HorizonPoint(180, l.Centre, l.Radius));
    p.drawLine(HorizonPoint(90, l.Centre, l.Radius), HorizonPoint(270, l.Centre, l.Radius));
    p.setPen(TextColour);
    const double h = c.Metrics.height();
    for (int d = 0; d < 4 && d < directions.size(); ++d) {
        const QPointF at = HorizonPoint(90.0 * d, l.Centre, l.Radius + h * 0.8);
        const QRectF box(at.x() - 20, at.y() - h / 2, 40, h);
        p.drawText(box, Qt::AlignCenter, directions[d]);
    }
}

// The paths, the Sun's solid and dark with its hours, the Moon's dashed and light.
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
    for (const auto &[hour, where] : data.SunHours) {
        if (const std::optional<QPointF> at = ToPoint(where, l.Centre, l.Radius)) {
            p.setBrush(SunPathColour);
            p.drawEllipse(*at, 2.5, 2.5);
            p.setBrush(Qt::NoBrush);
            p.drawText(*at + QPointF(4, -3), QString::number(hour));
        }
    }
}

// Where a body rises or sets: a mark across the horizon.
void RiseSetMark(const TSkyCanvas &c, const std::optional<double> &azimuth, const QColor &colour,
                 bool rise)
{
    if (!azimuth)
        return;
    const QPointF inner = HorizonPoint(*azimuth, c.L.Centre, c.L.Radius - 7);
    const QPointF outer = HorizonPoint(*azimuth, c.L.Centre, c.L.Radius + 7);
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

// The two paths and the marks, in a row.
void PaintLegend(const TSkyCanvas &c, const TSkyChartTexts &texts)
{
    QPainter &p = c.P;
    const QRectF &legend = c.L.Legend;
    const std::pair<QPen, QString> entries[] = {
        {RoundPen(SunPathColour, 2.5 * c.K), texts.SunPath},
        {RoundPen(MoonPathColour, 2.5 * c.K, Qt::DashLine), texts.MoonPath},
        {RoundPen(TextColour, 3 * c.K), texts.Rise},
        {RoundPen(TextColour, 3 * c.K, Qt::DotLine), texts.Set},
    };
    double x = legend.left();
    for (const auto &[pen, text] : entries) {
        p.setPen(pen);
        p.drawLine(QPointF(x, legend.center().y()), QPointF(x + 24, legend.center().y()));
        p.setPen(TextColour);
        const double w = c.Metrics.horizontalAdvance(text);
        p.drawText(QRectF(x + 30, legend.top(), w + 2, legend.height()), Qt::AlignVCenter, text);
        x += 30 + w + 18;
    }
}

} // namespace

TSkyChartView::TSkyChartView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SkyChart"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
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

void TSkyChartView::Paint(QPainter &p, const QSizeF &size) const
{
    const QFont font = ChartFont();
    const TChartLayout l = LayoutOf(size, font);
    const QFontMetricsF fm(font);
    p.save();
    p.setFont(font);
    p.setRenderHint(QPainter::Antialiasing, true);
    const double k = DevicePixel(p);
    p.fillRect(QRectF(QPointF(0, 0), size), Background);
    p.setPen(TextColour);
    p.drawText(l.Caption, Qt::AlignHCenter | Qt::AlignVCenter, FTexts.Caption);

    const TSkyCanvas c{p, k, l, fm};
    PaintSky(c, FTexts.Directions);
    PaintPaths(c, FData);
    PaintRisesAndSets(c, FData);
    PaintChosenTime(c, FData);
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

void TSkyChartView::focusInEvent(QFocusEvent *)
{
    update();
}

void TSkyChartView::focusOutEvent(QFocusEvent *)
{
    update();
}
