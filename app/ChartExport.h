// How a window exports its chart: a picture of a fixed size on white, or the
// same drawing scaled onto an A4 page with 10 mm margins, its proportions kept.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <QSize>

#include <functional>

class QPainter;
class QSizeF;
class QString;

// Draws the chart into a painter, filling the given size.
using TChartPainter = std::function<void(QPainter &, const QSizeF &)>;

QImage ChartPicture(QSize size, const TChartPainter &paint);
QByteArray ChartPng(QSize size, const TChartPainter &paint);
QByteArray ChartPdf(QSize size, const TChartPainter &paint, QPageLayout::Orientation orientation,
                    const QString &title);
