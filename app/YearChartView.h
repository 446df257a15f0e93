// The painted chart of the Year of the Sun: the shades of night, twilight and
// day for every day of a year, the sunrise, solar noon and sunset curves, the
// day length below, solstices, equinoxes and the calendar day, with a legend.
//
// Painted with QPainter on a plain QWidget rather than a chart library: it
// stays sharp at any scale (vector drawing in device-independent pixels with
// cosmetic pens), repaints a year in a few milliseconds from cached rows, and
// needs nothing beyond Qt Widgets. The same routine paints the PNG and PDF.
#pragma once

#include "app/YearChart.h"
#include "common/EventTexts.h"

#include <QColor>
#include <QStringList>
#include <QWidget>

class QPainter;

struct TYearChartTexts {
    QStringList Months; // 12 short month names
    QString Bands[YearChart::BandCount];
    QString Sunrise;
    QString Noon;
    QString Sunset;
    QString DayLength;
    QString CalendarDay;
    QString Equinox;
    QString Solstice;
    QString DayMonth; // a date above the chart: %1 day, %2 short month name
    QString GoldenHour;
    QString BlueHour;
    // %1 the date, as DayMonth gives it
    QString LatestSunrise;
    QString EarliestSunset;
    QString VisibleSunrise;
    QString VisibleSunset;
    QString Caption; // place, year and clock, painted above the chart
};

class TYearChartView : public QWidget
{
    Q_OBJECT

public:
    explicit TYearChartView(QWidget *parent = nullptr);

    // The rows of the year, one per day from 1 January; they are kept and
    // only painted again on resizing.
    void SetRows(const QVector<TDayEvents> &rows, const QVector<YearChart::TSeasonDay> &seasons);
    void SetCalendarDay(const QDate &day);
    void SetTexts(const TYearChartTexts &texts);
    void SetCaption(const QString &caption);
    // The golden and blue hours shown as bands, from the rows' altitudes of
    // their bounds; nothing to hide them.
    void SetLight(const std::optional<TLightBands> &bands);
    const QVector<TDayEvents> &Rows() const { return FRows; }
    const YearChart::TSunExtremes &Extremes() const { return FExtremes; }
    // "latest sunrise 2 Jan", "earliest sunset 13 Dec" as the legend says them.
    QString ExtremeText(int which) const;

    // The day read out to the user (keys, mouse); -1 before any.
    int CurrentDay() const { return FCurrent; }
    void SetCurrentDay(int day);

    // The whole chart painted into a rectangle of that size at the origin,
    // in the painter's (device-independent) units.
    void Paint(QPainter &painter, const QSizeF &size, bool showCurrent) const;
    // Where days and hours lie in a chart of that size (the main plot).
    YearChart::TMapping Mapping(const QSizeF &size) const;

    static QColor BandColour(YearChart::TBand band);

    QSize sizeHint() const override { return QSize(900, 560); }
    QSize minimumSizeHint() const override { return QSize(480, 320); }

signals:
    // The user moved to a day with the mouse or the keys.
    void DayPointed(int day);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    struct TLayout;
    TLayout Layout(const QSizeF &size, const QFont &font) const;
    // The layers of a painting, bottom to top.
    struct TCanvas;
    void PaintShades(const TCanvas &c) const;
    void PaintLightBands(const TCanvas &c) const;
    void PaintGrid(const TCanvas &c) const;
    void PaintDayLength(const TCanvas &c) const;
    void PaintSeasons(const TCanvas &c) const;
    void PaintCurves(const TCanvas &c) const;
    void PaintExtremes(const TCanvas &c) const;
    void PaintCalendarDay(const TCanvas &c) const;
    void PaintCurrentDay(const TCanvas &c) const;
    void PaintAxes(const TCanvas &c) const;
    void PaintTitles(const TCanvas &c) const;
    void PaintLegend(const TCanvas &c) const;
    QFont ChartFont() const;
    void PointTo(int day);
    void FindLightSpans();

    QVector<TDayEvents> FRows;
    QVector<YearChart::TSeasonDay> FSeasons;
    // Curve pieces in chart units (sunrise, noon, sunset) and the day length
    // in hours, computed once per year of rows.
    QVector<YearChart::TPiece> FCurves[3];
    // The visible sunrise and sunset over the place's horizon (none without one).
    QVector<YearChart::TPiece> FVisible[2];
    QVector<YearChart::TPiece> FLengthPieces;
    std::optional<TLightBands> FLight;
    // Each day's golden and blue hours, when shown.
    QVector<QVector<YearChart::TSpan>> FGolden, FBlue;
    YearChart::TSunExtremes FExtremes;
    QDate FCalendarDay;
    TYearChartTexts FTexts;
    int FCurrent = -1;
    bool FHover = false;
};
