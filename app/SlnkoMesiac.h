// The Sun and Moon window: the sky of the calendar's day over the place of
// the main window's inputs, on its clock. A chart of the Sun's and the Moon's
// paths and where they rise and set, both at a chosen time that a slider and
// the chart's keys move, the day's times and the Moon's light as text, and
// export of the chart as PNG or PDF. Non-modal; the main window feeds it.
#pragma once

#include "app/ChartWindow.h"
#include "app/SkyChartView.h"
#include "suntime/DayEvents.h"
#include "suntime/Sky.h"

class QLabel;
class QSlider;

class TfrmSlnkoMesiac : public TChartWindow
{
    Q_OBJECT

public:
    TfrmSlnkoMesiac(QWidget *owner, TLanguage language);

    // New inputs: the day's sky is computed again on the main window's
    // clock; the chosen time stays on the same day.
    void SetRequest(const TChartRequest &request) override;
    void ApplyLanguage(TLanguage language) override;
    // The chosen time, minutes after the start of the day on the clock.
    int ChosenMinute() const;
    void SetChosenMinute(int minute);

    static QSize ExportSize() { return QSize(1200, 1200); }

protected:
    void PaintChart(QPainter &p, const QSizeF &size) const override;

private:
    void Recompute();
    void ShowChosenTime();
    QStringList SkyLines(const TSkyAt &sky, const QString &hhmm) const;
    QDateTime ChosenMoment() const;

    TDayEvents FDay;           // the day's Sun and Moon
    TSkyChartData FChart;      // the paths of the day
    qint64 FDayStart = 0;      // ms since 1970
    int FDayMinutes = 24 * 60; // 23 or 25 on a change of daylight saving
    TSkyChartView *Chart = nullptr;
    QLabel *lblCas = nullptr;
    QSlider *sldCas = nullptr;
    QLabel *lblCasHodnota = nullptr;
    QLabel *lblObloha = nullptr;
};
