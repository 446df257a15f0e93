// Dates of alignment: the days of a year on which the Sun or the Moon rises
// or sets along a bearing (a street, a window, a peak), within a tolerance,
// as a table with export to CSV and iCalendar. Opened from the Sun and Moon
// window with its place, clock, year and bearing; non-modal.
#pragma once

#include "common/Alignments.h"
#include "common/Clock.h"
#include "common/Language.h"
#include "common/Place.h"

#include <QDialog>

class QAction;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

class TfrmZarovnanie : public QDialog
{
    Q_OBJECT

public:
    TfrmZarovnanie(QWidget *owner, TLanguage language);

    // The place and clock of the dates; the year and bearing it shows first.
    void SetRequest(const TPlace &place, const TClock &clock, int year, double bearing);
    const QVector<TAlignment> &List() const { return FList; }

    static constexpr double DefaultTolerance = 0.5;

    // Each asks for a file name, writes the file atomically and reports a
    // failure in a message; false when cancelled or not written.
    bool ExportCsv();
    bool ExportICalendar();

private:
    void ApplyLanguage();
    void Recompute();
    void FillTable();
    QString AskFile(const QString &suffix, const QString &filter);

    TLanguage FLanguage;
    TPlace FPlace;
    TClock FClock;
    // The year's risings and settings, computed once for each place, clock and year.
    QVector<TDayEvents> FDays;
    TPlace FDaysPlace;
    TClock FDaysClock;
    int FDaysYear = 0;
    QVector<TAlignment> FList;

    QLabel *lblRok = nullptr;
    QSpinBox *seRok = nullptr;
    QLabel *lblAzimut = nullptr;
    QDoubleSpinBox *seAzimut = nullptr;
    QLabel *lblTolerancia = nullptr;
    QDoubleSpinBox *seTolerancia = nullptr;
    QTableWidget *tblDatumy = nullptr;
    QLabel *lblPocet = nullptr;
    QPushButton *btnExport = nullptr;
    QAction *actCsv = nullptr;
    QAction *actIcs = nullptr;
};
