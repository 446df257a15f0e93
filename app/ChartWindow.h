// What the chart windows (Year of the Sun, Sun and Moon) share: the request
// the main window feeds them, the title with the place's name, the Export
// button with the chart as PNG and PDF, the proposed file names, the language
// step and the closed() signal. Non-modal; each deletes itself on close.
#pragma once

#include "app/ChartExport.h"
#include "common/Clock.h"
#include "common/EventTexts.h"
#include "common/Language.h"
#include "common/Place.h"
#include "common/Texts.h"
#include "suntime/Horizon.h"

#include <QDate>
#include <QDateTime>
#include <QWidget>

#include <optional>

class QAction;
class QPushButton;

// What the main window's inputs say, for every chart window alike.
struct TChartRequest {
    TPlace Place;      // with a city's zone, which the Year of the Sun then offers and chooses
    TClock MainClock;  // the main window's: UTC, CET, CEST or the place's own clock
    TClock PlaceClock; // the place's own clock: a picked city's zone, else the offset fields
    QDate Day;         // the calendar's
    // Now while the calendar's day is today, else invalid: the Sun and Moon
    // then starts at solar noon.
    QDateTime Now;
    // The golden and blue hours' bounds of the settings file.
    TLightBands Light;
    // The place's horizon when one is stored for it (app/HorizonDrawing.h
    // draws it; TEventRequest::Horizon gives its visible times).
    std::optional<THorizon> Horizon;
};

// The texts of the files the chart windows and their dialogs write.
namespace ChartFileText
{
inline constexpr TText Export{"&Export", "&Export", "&Exportálás"};
inline constexpr TText FilterCsv{"tabuľka CSV (*.csv)", "CSV table (*.csv)",
                                 "CSV táblázat (*.csv)"};
inline constexpr TText FilterIcs{"iCalendar (*.ics)", "iCalendar (*.ics)", "iCalendar (*.ics)"};
inline constexpr TText IcsYears{"iCalendar zapíše len roky 0001 až 9999.",
                                "iCalendar holds the years 0001 to 9999 only.",
                                "Az iCalendar csak a 0001 és 9999 közötti éveket tudja tárolni."};
} // namespace ChartFileText

// A place's name as the start of a proposed file name: without what a file
// system or a shell would take amiss, commas included; "Vantu" for none.
QString FileNameBase(const QString &placeName);
// A menu button wide enough for its text and its arrow side by side.
void RoomForMenuArrow(QPushButton *button);

// What sets one chart window apart from the other for the shared parts.
struct TChartKind {
    const char *ObjectName;
    TText Title; // the place's name follows it
    QSize ExportSize;
    QPageLayout::Orientation PdfOrientation;
    // Proposed file names end in the request's year, or in its whole date.
    enum class TDatePart { Year, Date } FileDate;
};

class TChartWindow : public QWidget
{
    Q_OBJECT

public:
    // New inputs from the main window.
    virtual void SetRequest(const TChartRequest &request) = 0;
    const TChartRequest &Request() const { return FRequest; }
    virtual void ApplyLanguage(TLanguage language);
    TLanguage Language() const { return FLanguage; }

    // The chart at the export size, for the PNG file.
    QImage ChartImage() const;
    // Each asks for a file name, writes the file atomically and reports a
    // failure in a message; false when cancelled or not written.
    bool ExportPng();
    bool ExportPdf();

signals:
    void closed();

protected:
    TChartWindow(QWidget *owner, TLanguage language, const TChartKind &kind);

    // Makes the Export button with its menu of PNG and PDF; called where the
    // button belongs in the window's order of controls (the order of Tab).
    void CreateExportButton();
    // The save dialog for an export, with the proposed name of the place and
    // the request's date; the chosen path, or an empty text for cancel.
    QString AskExportFile(const QString &suffix, const TText &filter);
    // The title, with the place's name.
    void UpdateWindowTitle();
    // Draws the chart for an export.
    virtual void PaintChart(QPainter &p, const QSizeF &size) const = 0;

    void closeEvent(QCloseEvent *event) override;

    TLanguage FLanguage;
    TChartRequest FRequest;
    QPushButton *btnExport = nullptr;
    QAction *actPng = nullptr;
    QAction *actPdf = nullptr;

private:
    QString ProposedName(const QString &suffix) const;
    TChartPainter Painter() const;

    TChartKind FKind;
};
