#include "app/YearChartStyle.h"

#include "app/ChartPen.h"

namespace YearChartStyle
{

void DrawWithHalo(QPainter &p, double k, const QPolygonF &line, const QPen &pen)
{
    QPen halo = CosmeticPen(QColor(255, 255, 255, 170), pen.widthF() + k * 2.5);
    halo.setCapStyle(Qt::RoundCap);
    p.setPen(halo);
    if (line.size() == 1)
        p.drawPoint(line.first());
    else
        p.drawPolyline(line);
    p.setPen(pen);
    if (line.size() == 1)
        p.drawPoint(line.first());
    else
        p.drawPolyline(line);
}

void ExtremeMarker(QPainter &p, double k, const QPointF &at)
{
    p.setBrush(Qt::white);
    p.setPen(CosmeticPen(ExtremeColour, 2 * k));
    p.drawEllipse(at, 4.5, 4.5);
    p.setBrush(Qt::NoBrush);
}

void SeasonMarker(QPainter &p, double k, const QPointF &tip, bool fromAbove)
{
    const double dy = fromAbove ? -MarkerSize : MarkerSize;
    const QPolygonF triangle({tip, QPointF(tip.x() - MarkerSize * 0.6, tip.y() + dy),
                              QPointF(tip.x() + MarkerSize * 0.6, tip.y() + dy)});
    p.setPen(CosmeticPen(Qt::white, k));
    p.setBrush(SeasonColour);
    p.drawPolygon(triangle);
    p.setBrush(Qt::NoBrush);
}

} // namespace YearChartStyle
