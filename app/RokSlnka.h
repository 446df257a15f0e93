// The Year of the Sun window: the whole year of night, twilight and day for
// the place and clock of the main window's inputs, a read-out of one day, and
// export of the chart (PNG, PDF) and of the year's rows (CSV, iCalendar).
// Non-modal; the main window feeds it through SetRequest.
#pragma once

#include "app/ChartWindow.h"
#include "suntime/DayEvents.h"

#include <QVector>

class QCheckBox;
class QComboBox;
class QLabel;
class TYearChartView;

class TfrmRokSlnka : public TChartWindow
{
    Q_OBJECT

public:
    TfrmRokSlnka(QWidget *owner, TLanguage language);

    // New inputs: the rows are computed again only when the place, the year
    // or the clock changed; a new calendar day only moves its line.
    void SetRequest(const TChartRequest &r) override;
    void ApplyLanguage(TLanguage language) override;

    // The clock in force: the main window's time format unless the user
    // picked another one in the window.
    TClock Clock() const;
    const QVector<TDayEvents> &Rows() const;
    // The golden and blue hours' bounds while the chart shows them.
    std::optional<TLightBands> Light() const;

    static QSize ExportSize() { return QSize(1600, 1000); }

    // Each asks for a file name, writes the file atomically and reports a
    // failure in a message; false when cancelled or not written.
    bool ExportCsv();
    bool ExportICalendar();

protected:
    void PaintChart(QPainter &p, const QSizeF &size) const override;

private:
    void Recompute();
    void UpdateTitle();
    void FillClocks();
    void ShowDay(int day);
    QString ClockName() const;
    void FollowPlaceZone(const QByteArray &zone);

    bool FHasRequest = false;
    // What the cached rows were computed for.
    TPlace FRowsPlace;
    int FRowsYear = 0;
    TClock FRowsClock;
    std::optional<THorizon> FRowsHorizon;
    std::optional<TLightBands> FRowsLight;
    QByteArray FPlaceZone; // the zone chosen for the place

    TYearChartView *Chart = nullptr;
    QLabel *lblClock = nullptr;
    QComboBox *cbxClock = nullptr;
    QCheckBox *chkZlataModra = nullptr;
    QAction *actCsv = nullptr;
    QAction *actIcs = nullptr;
    QLabel *lblDay = nullptr;
};
