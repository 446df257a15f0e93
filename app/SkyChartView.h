// The painted chart of the Sun and Moon window: the horizon as a circle with
// the four directions and a rim outside it for the first degrees below the
// horizon, altitude rings, the Sun's path with its hours and its golden and
// blue hours, the Moon's path, where both rise and set, a bearing with where
// they pass it, an object's shadow, and both at the chosen time. Painted
// with QPainter in device-independent pixels with cosmetic pens, so that it
// stays sharp at any scale; the same routine paints the PNG and the PDF.
#pragma once

#include "app/SkyChart.h"
#include "suntime/Horizon.h"

#include <QStringList>
#include <QWidget>

struct TSkyChartTexts {
    QStringList Directions; // north, east, south, west
    QString SunPath;
    QString MoonPath;
    QString Rise;
    QString Set;
    QString GoldenHour;
    QString BlueHour;
    QString Bearing;
    QString Shadow;
    QString Caption; // place, date and clock, painted above the chart
};

// What the chart shows of one date.
struct TSkyChartData {
    QVector<QVector<THorizontal>> SunPieces;
    QVector<QVector<THorizontal>> MoonPieces;
    // The Sun at each whole hour above the horizon, with its hour.
    QVector<QPair<int, THorizontal>> SunHours;
    std::optional<double> Sunrise, Sunset, Moonrise, Moonset; // azimuths
    std::optional<THorizon> Horizon; // the place's terrain, drawn over the paths
    // The Sun's path during its golden and blue hours, below the horizon too.
    QVector<QVector<THorizontal>> GoldenPieces, BluePieces;
    // Degrees below the horizon that the rim outside the circle shows.
    double RimDepth = 6;
    // The bearing asked for, and where the Sun and the Moon pass it.
    std::optional<double> Bearing;
    QVector<THorizontal> SunOnBearing, MoonOnBearing;
    // An upright object's shadow at the chosen time: its direction, its
    // length over the object's height, and the length as text.
    std::optional<double> ShadowAzimuth;
    double ShadowRatio = 0;
    QString ShadowText;
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
    // The chart's font, the size of its text at scale 1.
    QFont ChartFont() const;
    // Where the horizon lies in the widget: its centre and radius.
    QPointF HorizonCentre() const;
    double HorizonRadius() const;

    QSize sizeHint() const override { return QSize(560, 560); }
    QSize minimumSizeHint() const override { return QSize(320, 320); }

    // Colours of clearly different brightness, so that the paths read apart
    // without colour vision and in grey-scale print.
    static QColor SunColour();
    static QColor MoonColour();

signals:
    // The keys move the chosen time by so many minutes.
    void TimeStepped(int minutes);
    // A click on the horizon ring picks the bearing there, degrees from north.
    void BearingPicked(double azimuth);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    std::optional<double> RingAzimuthAt(const QPointF &point) const;

    TSkyChartData FData;
    TSkyChartTexts FTexts;
};
