#include "app/ChartPen.h"

#include <QPaintDevice>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

QPen CosmeticPen(const QColor &colour, double width, Qt::PenStyle style, Qt::PenCapStyle cap)
{
    QPen pen(colour, width, style, cap, Qt::RoundJoin);
    pen.setCosmetic(true);
    return pen;
}

double DevicePixel(const QPainter &p)
{
    return std::max(1.0, p.device()->devicePixelRatioF() *
                             std::sqrt(std::abs(p.worldTransform().determinant())));
}

void PaintFocusFrame(QPainter &p, const QWidget &chart)
{
    p.setPen(
        CosmeticPen(chart.palette().color(QPalette::Highlight), 2 * chart.devicePixelRatioF()));
    p.drawRect(QRectF(chart.rect()).adjusted(1, 1, -1, -1));
}
