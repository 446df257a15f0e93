#include "app/ChartExport.h"

#include "common/Version.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

QImage ChartPicture(QSize size, const TChartPainter &paint)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    paint(p, QSizeF(size));
    return image;
}

QByteArray ChartPng(QSize size, const TChartPainter &paint)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ChartPicture(size, paint).save(&buffer, "PNG");
    return bytes;
}

QByteArray ChartPdf(QSize size, const TChartPainter &paint, QPageLayout::Orientation orientation,
                    const QString &title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        // The document is whole once the writer is gone.
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        pdf.setResolution(600);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral(VANTU_APPLICATION_TITLE));
        QPainter p(&pdf);
        const QSizeF chart(size);
        const QRect page = pdf.pageLayout().paintRectPixels(pdf.resolution());
        const double scale = std::min(page.width() / chart.width(), page.height() / chart.height());
        p.scale(scale, scale);
        paint(p, chart);
    }
    return bytes;
}
