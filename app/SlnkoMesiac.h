// The Sun and Moon window: the sky of the calendar's day over the place of
// the main window's inputs, on its clock. A chart of the Sun's and the Moon's
// paths and where they rise and set, the golden and blue hours, a bearing
// with the times both pass it, an object's shadow, both at a chosen time that
// a slider and the chart's keys move; the day's times and the Moon's light as
// text; the dates of alignment with the bearing; export of the chart with the
// text as PNG or PDF. Non-modal; the main window feeds it.
#pragma once

#include "app/ChartWindow.h"
#include "app/SkyChartView.h"
#include "suntime/DayEvents.h"
#include "suntime/Sky.h"

#include <QPointer>

class QDoubleSpinBox;
class QLabel;
class QSlider;
class TfrmZarovnanie;

class TfrmSlnkoMesiac : public TChartWindow
{
    Q_OBJECT

public:
    TfrmSlnkoMesiac(QWidget *owner, TLanguage language);

    // New inputs: the day's sky is computed again on the main window's
    // clock; the chosen time stays on the same day.
    void SetRequest(const TChartRequest &request) override;
    void ApplyLanguage(TLanguage language) override;
    // The chosen time, minutes after the start of the day on the clock; the
    // day has as many minutes as the clock gives it (23 or 25 hours on a
    // change of daylight saving time).
    int ChosenMinute() const;
    void SetChosenMinute(int minute);
    int DayMinutes() const { return FDayMinutes; }
    // The bearing whose passes are shown, degrees from north; nothing for none.
    std::optional<double> Bearing() const;
    void SetBearing(std::optional<double> bearing);
    // The lines of the text beside the chart, as the exports hold them too.
    const QStringList &SkyLines() const { return FLines; }

    // The dates of alignment with the bearing, the dialog opened and shown.
    TfrmZarovnanie *ShowAlignments();

    // Twice the window's chart and text, so that the labels stay readable.
    static QSize ExportSize() { return QSize(1800, 1200); }

protected:
    void PaintChart(QPainter &p, const QSizeF &size) const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateBoxes();
    void Recompute();
    void ShowChosenTime();
    QStringList SunLines() const;
    QStringList MoonLines() const;
    QStringList BearingLines() const;
    QString ShadowLine(const TSkyAt &sky, const QString &hhmm) const;
    QDateTime ChosenMoment() const;
    void UpdatePanelWidth();

    TDayEvents FDay;           // the day's Sun and Moon
    TSkyChartData FChart;      // the paths of the day
    qint64 FDayStart = 0;      // ms since 1970
    int FDayMinutes = 24 * 60; // 23 or 25 hours on a change of daylight saving
    QStringList FLines;
    QStringList FDescribed; // the lines the chart's description repeats
    TSkyChartView *Chart = nullptr;
    QLabel *lblCas = nullptr;
    QSlider *sldCas = nullptr;
    QLabel *lblCasHodnota = nullptr;
    QLabel *lblObloha = nullptr;
    QLabel *lblAzimut = nullptr;
    QDoubleSpinBox *seAzimut = nullptr;
    QLabel *lblVyska = nullptr;
    QDoubleSpinBox *seVyska = nullptr;
    QPushButton *btnZarovnanie = nullptr;
    QPointer<TfrmZarovnanie> frmZarovnanie;
};
