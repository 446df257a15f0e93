// The Year of the Sun window: the whole year of night, twilight and day for
// the place and clock of the main window's inputs, a read-out of one day, and
// export of the chart (PNG, PDF) and of the year's rows (CSV, iCalendar).
// Non-modal; the main window feeds it through SetRequest.
#pragma once

#include "app/ChartExport.h"
#include "common/Clock.h"
#include "common/Language.h"
#include "common/Place.h"
#include "suntime/DayEvents.h"

#include <QVector>

#include <QDate>
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QAction;
class TYearChartView;

struct TYearRequest {
    TPlace Place;      // with a city's zone, which the window then offers and chooses
    TClock MainClock;  // the main window's: UTC, CET, CEST or the place's own clock
    TClock PlaceClock; // the place's own clock, from the main window's offset fields
    int Year = 0;
    QDate CalendarDay;
};

class TfrmRokSlnka : public QWidget
{
    Q_OBJECT

public:
    TfrmRokSlnka(QWidget *owner, TLanguage language);

    // New inputs: the rows are computed again only when the place, the year
    // or the clock changed; a new calendar day only moves its line.
    void SetRequest(const TYearRequest &r);
    const TYearRequest &Request() const { return FRequest; }
    void ApplyLanguage(TLanguage language);
    TLanguage Language() const { return FLanguage; }

    // The clock in force: the main window's time format unless the user
    // picked another one in the window.
    TClock Clock() const;
    const QVector<TDayEvents> &Rows() const;

    // The chart at the export size, for the PNG file.
    QImage ChartImage() const;
    static QSize ExportSize() { return QSize(1600, 1000); }

    // Each asks for a file name, writes the file atomically and reports a
    // failure in a message; false when cancelled or not written.
    bool ExportPng();
    bool ExportPdf();
    bool ExportCsv();
    bool ExportICalendar();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Recompute();
    void UpdateTitle();
    void FillClocks();
    void ShowDay(int day);
    QString ClockName() const;
    void FollowPlaceZone(const QByteArray &zone);
    QString ProposedName(const QString &suffix) const;
    // Draws the chart for an export.
    TChartPainter Painter() const;

    TLanguage FLanguage;
    TYearRequest FRequest;
    bool FHasRequest = false;
    // What the cached rows were computed for.
    TPlace FRowsPlace;
    int FRowsYear = 0;
    TClock FRowsClock;
    QByteArray FPlaceZone; // the zone chosen for the place

    TYearChartView *Chart = nullptr;
    QLabel *lblClock = nullptr;
    QComboBox *cbxClock = nullptr;
    QPushButton *btnExport = nullptr;
    QAction *actPng = nullptr;
    QAction *actPdf = nullptr;
    QAction *actCsv = nullptr;
    QAction *actIcs = nullptr;
    QLabel *lblDay = nullptr;
};
