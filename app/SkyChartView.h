// The painted chart of the Sun and Moon window: the horizon as a circle with
// the four directions, altitude rings, the Sun's path with its hours, the
// Moon's path, where both rise and set, and both at the chosen time. Painted
// with QPainter in device-independent pixels with cosmetic pens, so that it
// stays sharp at any scale; the same routine paints the PNG and the PDF.
#pragma once

#include "app/SkyChart.h"

#include <QStringList>
#include <QWidget>

struct TSkyChartTexts {
    QStringList Directions; // north, east, south, west
    QString SunPath;
    QString MoonPath;
    QString Rise;
    QString Set;
    QString Caption; // place, date and clock, painted above the chart
};

// What the chart shows of one date.
struct TSkyChartData {
    QVector<QVector<THorizontal>> SunPieces;
    QVector<QVector<THorizontal>> MoonPieces;
    // The Sun at each whole hour above the horizon, with its hour.
    QVector<QPair<int, THorizontal>> SunHours;
    std::optional<double> Sunrise, Sunset, Moonrise, Moonset; // azimuths
    // At the chosen time.
    THorizontal Sun;
    THorizontal Moon;
    double MoonLit = 0;
    bool MoonWaxing = true;
};

class TSkyChartView : public QWidget
{
    Q_OBJECT

public:
    explicit TSkyChartView(QWidget *parent = nullptr);

    void SetData(const TSkyChartData &data);
    void SetTexts(const TSkyChartTexts &texts);
    const TSkyChartData &Data() const { return FData; }

    // The whole chart painted into a rectangle of that size at the origin.
    void Paint(QPainter &painter, const QSizeF &size) const;

    QSize sizeHint() const override { return QSize(560, 560); }
    QSize minimumSizeHint() const override { return QSize(320, 320); }

    // Colours of clearly different brightness, so that the paths read apart
    // without colour vision and in grey-scale print.
    static QColor SunColour();
    static QColor MoonColour();

signals:
    // The keys move the chosen time by so many minutes.
    void TimeStepped(int minutes);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QFont ChartFont() const;

    TSkyChartData FData;
    TSkyChartTexts FTexts;
};
