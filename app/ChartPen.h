// The pens of the painted charts. Cosmetic pens are measured in device
// pixels, so a chart's lines keep their weight on a screen scaled by 2, in
// the PNG and in the PDF alike: their widths are given in multiples of one
// device pixel of the painter at hand.
#pragma once

#include <QPen>

class QPainter;
class QWidget;

// Round joins always; flat ends, or round where dotted lines must read as dots.
QPen CosmeticPen(const QColor &colour, double width, Qt::PenStyle style = Qt::SolidLine,
                 Qt::PenCapStyle cap = Qt::FlatCap);

// The width of a cosmetic pen of one device pixel, at least 1, under the
// painter's scale to its device.
double DevicePixel(const QPainter &p);

// The frame a focused chart draws around itself, over its painting.
void PaintFocusFrame(QPainter &p, const QWidget &chart);
