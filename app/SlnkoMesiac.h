// The Sun and Moon window: the sky of the calendar's day over the place of
// the main window's inputs, on its clock. A chart of the Sun's and the Moon's
// paths and where they rise and set, both at a chosen time that a slider and
// the chart's keys move, the day's times and the Moon's light as text, and
// export of the chart as PNG or PDF. Non-modal; the main window feeds it.
#pragma once

#include "app/ChartExport.h"
#include "app/SkyChartView.h"
#include "common/Clock.h"
#include "common/Language.h"
#include "common/Place.h"
#include "suntime/DayEvents.h"
#include "suntime/Sky.h"

#include <QDate>
#include <QWidget>

class QAction;
class QLabel;
class QPushButton;
class QSlider;

struct TSkyRequest {
    TPlace Place;
    TClock Clock;
    QDate Day;
    // The chosen time starts now on the calendar's day that is today, else
    // at solar noon.
    QDateTime Now;
};

class TfrmSlnkoMesiac : public QWidget
{
    Q_OBJECT

public:
    TfrmSlnkoMesiac(QWidget *owner, TLanguage language);

    // New inputs: the day's sky is computed again; the chosen time stays on
    // the same day.
    void SetRequest(const TSkyRequest &request);
    const TSkyRequest &Request() const { return FRequest; }
    // The chosen time, minutes after the start of the day on the clock.
    int ChosenMinute() const;
    void SetChosenMinute(int minute);

    // The chart at the export size, for the PNG file.
    QImage ChartImage() const;
    static QSize ExportSize() { return QSize(1200, 1200); }
    bool ExportPng();
    bool ExportPdf();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void ApplyTexts();
    void Recompute();
    void ShowChosenTime();
    QStringList SkyLines(const TSkyAt &sky, const QString &hhmm) const;
    QDateTime ChosenMoment() const;
    QString ProposedName(const QString &suffix) const;
    // Draws the chart for an export.
    TChartPainter Painter() const;

    TLanguage FLanguage;
    TSkyRequest FRequest;
    TDayEvents FDay;           // the day's Sun and Moon
    TSkyChartData FChart;      // the paths of the day
    qint64 FDayStart = 0;      // ms since 1970
    int FDayMinutes = 24 * 60; // 23 or 25 on a change of daylight saving
    TSkyChartView *Chart = nullptr;
    QLabel *lblCas = nullptr;
    QSlider *sldCas = nullptr;
    QLabel *lblCasHodnota = nullptr;
    QLabel *lblObloha = nullptr;
    QPushButton *btnExport = nullptr;
    QAction *actPng = nullptr;
    QAction *actPdf = nullptr;
};
