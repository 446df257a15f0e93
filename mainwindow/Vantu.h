// The main window: locality grid, locality details, calendar, time format,
// results, menu, toolbar and status bar.
#pragma once

#include "localities/LocalityFile.h"
#include "mainwindow/LanguageTexts.h"
#include "suntime/SunTime.h"

#include <QDate>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QStatusBar;
class QTableView;
class TLocalityModel;
class QTimer;
class QToolBar;
class QToolButton;
class TSpinEdit;
class TfrmTabulka;
class TfrmSvet;
class TfrmSlovakia;

// The day picked in the calendar, decoded.
struct TCalendarDate {
    int16_t Year = 0;
    uint16_t Month = 0;
    uint16_t Day = 0;
    int16_t Weekday = 0;   // 1 = Sunday ... 7 = Saturday
    int16_t DayOfYear = 0; // 1 for 1 January
    QString WeekdayName;
};

class TfrmVantu : public QMainWindow
{
    Q_OBJECT

public:
    TfrmVantu();
    ~TfrmVantu() override;

    // Test seams. The program folder is where vantu.ini lives (the folder of
    // the running executable unless overridden); Today gives the start day.
    static QString ProgramFolderOverride;
    static std::function<QDate()> Today;

    // Window state shared with the other windows.
    QString ProgramFolder() const { return FProgramFolder; }
    int LanguageIndex() const { return FLanguageIndex; }
    int TimeFormat() const { return FTimeFormat; }
    const TCalendarDate &CalendarDate() const { return FCalendarDate; }
    QString DateText() const { return FDateText; }
    bool DatabaseDamaged() const { return FDatabaseDamaged; }
    void SetDatabaseDamaged(bool on) { FDatabaseDamaged = on; }
    int ExitTickCount() const { return FExitTickCount; }
    bool TableInUse() const { return FTableInUse; }
    void SetTableInUse(bool on) { FTableInUse = on; }
    const TLanguageTexts &Texts() const { return *FTexts; }
    TSunTime &SunTime() { return FSunTime; }
    const TLocalityList &Localities() const { return FLocalities; }
    // The calendar's value as an OLE date (the calendar holds whole days).
    double KalendarDate() const;

    // Calculation panel.
    void ApplyInputs();
    void ShowResults();
    void ShowLocality();
    void ShowHintInStatus(const QString &hint);

    // Languages.
    void ApplyLanguage(int language);
    void RefreshAfterLanguage();

    // Locality database.
    void LoadLocalities();
    bool SaveLocalities();
    void FillPredefined();
    void SetGridHeader();
    void SortLocalities();
    void VyberLOK();
    int CurrentRecord() const; // 1 ... n, 0 with an empty list

public slots:
    // Calculation panel.
    void seSirkaSTChange();
    void seSirkaMinChange();
    void seSirkaSekChange();
    void PolohaSChange();
    void seDlzkaSTChange();
    void seDlzkaMinChange();
    void seDlzkaSekChange();
    void PolohaDChange();
    void seHodChange();
    void seMinChange();
    void KalendarChange();
    void rbUTCClick();
    void rbSECClick();
    void rbSELCClick();
    void rbMiestnyClick();

    // Commands of the menu and toolbar.
    void mnuVlastneClick();
    void mnuDatabazaClick();
    void mnuPridatClick();
    void mnuZmazatClick();
    void mnuSlovenskyClick();
    void mnuAnglickyClick();
    void mnuMadarskyClick();
    void mnuKoniecClick();
    void mnuSvetClick();
    void mnuSlovenskoClick();
    void mnuVelkaNocClick();
    void mnuFazaMesiacaClick();
    void mnuTabulkaClick();
    void mnuTabulkaMesClick();
    void mnuPomocClick();
    void mnuOnLineClick();
    void mnuOProgrameClick();

    void UkonciPriChybe();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    bool FormClose();
    void CreateControls();
    void CreateMenu();
    void CreateToolBar();
    void CreateStatusBar();
    void ConnectHandlers();
    void ReadSettings();
    bool WriteSettings();
    void SwitchLanguage(int language);
    void UpdateAccessibleNames();
    void PlaceChanged();
    void SetTimeFormatClock(int format);
    QString ResultsCaption(int format) const;
    void SetCalendarDate(const QDate &date);
    QString LabelDayLine() const;
    void SetDatabaseMode(bool database);
    void ShowRecordPosition();
    void SetCurrentRecord(int record);
    void ShowLocalityMessage(int kind);
    TfrmTabulka *TableWindow();
    QString ResultTag() const;
    void CloseMapWindows();

    // Controls.
    QToolBar *ToolBar1 = nullptr;
    QLabel *Label1 = nullptr;
    QTableView *StringGrid1 = nullptr;
    TLocalityModel *FGridModel = nullptr;
    QGroupBox *grpLokality = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *Edit1 = nullptr;
    TSpinEdit *seHod = nullptr;
    TSpinEdit *seMin = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *lblDlzka = nullptr;
    QLabel *lblPolohaS = nullptr;
    TSpinEdit *seSirkaST = nullptr;
    TSpinEdit *seSirkaMin = nullptr;
    TSpinEdit *seSirkaSek = nullptr;
    QComboBox *PolohaS = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *lblSirka = nullptr;
    QLabel *lblPolohaD = nullptr;
    TSpinEdit *seDlzkaST = nullptr;
    TSpinEdit *seDlzkaMin = nullptr;
    TSpinEdit *seDlzkaSek = nullptr;
    QComboBox *PolohaD = nullptr;
    QLabel *Label2 = nullptr;
    QDateEdit *Kalendar = nullptr;
    QLabel *Label6 = nullptr;
    QGroupBox *grpCasV = nullptr;
    QRadioButton *rbUTC = nullptr;
    QRadioButton *rbSEC = nullptr;
    QRadioButton *rbSELC = nullptr;
    QRadioButton *rbMiestny = nullptr;
    QGroupBox *grpVysledky = nullptr;
    QLabel *lblVychod = nullptr;
    QLabel *lblPoludnie = nullptr;
    QLabel *lblZapad = nullptr;
    QLabel *Sunrise = nullptr;
    QLabel *Noon = nullptr;
    QLabel *Sunset = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *StatusPanel[3] = {nullptr, nullptr, nullptr};
    QTimer *Timer1 = nullptr;

    // Menu items and toolbar buttons.
    QMenu *mnuSubor = nullptr;
    QMenu *mnuJazyk = nullptr;
    QMenu *mnuNastroje = nullptr;
    QMenu *mnuNapoved = nullptr;
    QAction *mnuVlastne = nullptr;
    QAction *mnuDatabaza = nullptr;
    QAction *mnuPridat = nullptr;
    QAction *mnuZmazat = nullptr;
    QAction *mnuSlovensky = nullptr;
    QAction *mnuAnglicky = nullptr;
    QAction *mnuMadarsky = nullptr;
    QAction *mnuKoniec = nullptr;
    QAction *mnuSvet = nullptr;
    QAction *mnuSlovensko = nullptr;
    QAction *mnuVelkaNoc = nullptr;
    QAction *mnuFazaMesiaca = nullptr;
    QAction *mnuTabulka = nullptr;
    QAction *mnuTabulkaMes = nullptr;
    QAction *mnuPomoc = nullptr;
    QAction *mnuOnLine = nullptr;
    QAction *mnuOPrograme = nullptr;
    QToolButton *btnVlastne = nullptr;
    QToolButton *btnDatabaza = nullptr;
    QToolButton *btnPridat = nullptr;
    QToolButton *btnZmazat = nullptr;
    QToolButton *btnSvet = nullptr;
    QToolButton *btnSlovensko = nullptr;
    QToolButton *btnVelkaNoc = nullptr;
    QToolButton *btnFazeMesiaca = nullptr;
    QToolButton *btnTabulka = nullptr;
    QToolButton *btnTabulkaMes = nullptr;

    // Window state.
    TSunTime FSunTime;
    QString FProgramFolder;
    int FLanguageIndex = 0;
    int FTimeFormat = 1;
    bool FDatabaseDamaged = false;
    int FExitTickCount = 0;
    TCalendarDate FCalendarDate;
    QDate FStartDay;
    QString FDateText;
    bool FTableInUse = false;
    const TLanguageTexts *FTexts = nullptr;
    TLocalityList FLocalities;
    TLocalityFile FLocalityFile;
    bool FUpdatingGrid = false;      // the program moves the grid's current row
    bool FRowChangedByPress = false; // a mouse press already selected the row
    QPointer<TfrmTabulka> frmTabulka;
    QPointer<TfrmSvet> frmSvet;
    QPointer<TfrmSlovakia> frmSlovakia;
};
