// The main window: locality grid, locality details, calendar, time format,
// results, menu, toolbar and status bar. It turns the user's actions into
// calls on plain objects (the Sun calculator, the locality database, result
// lines) and their outcomes into widgets and message boxes.
#pragma once

#include "common/Clock.h"
#include "common/FileLocations.h"
#include "common/Language.h"
#include "localities/HorizonStore.h"
#include "localities/LocalityDatabase.h"
#include "mainwindow/LanguageTexts.h"
#include "suntime/SunTime.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <vector>

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
class QTimer;
class QToolBar;
class QToolButton;
class TLocalityModel;
class TSpinEdit;
class TfrmTabulka;
class TfrmSvet;
class TfrmSlovakia;
class TChartWindow;
class TfrmRokSlnka;
class TfrmSlnkoMesiac;
struct TChartRequest;

// The day picked in the calendar, decoded.
struct TCalendarDate {
    int16_t Year = 0;
    uint16_t Month = 0;
    uint16_t Day = 0;
    int16_t Weekday = 0;   // 1 = Sunday ... 7 = Saturday
    int16_t DayOfYear = 0; // 1 for 1 January
    QString WeekdayName;
};

// How a command's menu item and toolbar button stand.
enum class TCommandState {
    Available,   // enabled, button up
    Unavailable, // disabled, button down: the mode in force, or a map already open
    Failed       // disabled, button up: a map whose picture did not load
};

class TfrmVantu : public QMainWindow
{
    Q_OBJECT

public:
    TfrmVantu();
    ~TfrmVantu() override;

    // Window state shared with the other windows.
    QString ProgramFolder() const { return FProgramFolder; }
    const TFileLocations &Locations() const { return FLocations; }
    TLanguage Language() const { return FLanguage; }
    int LanguageIndex() const { return LanguageIndexOf(FLanguage); }
    TClock::TKind TimeFormat() const { return FTimeFormat; }
    // The clock of the time format in force: the place's own is a picked
    // city's zone, or else the offset of its fields.
    TClock Clock() const;
    // The place the calculator computes for, with the zone of a city picked
    // by the search while its inputs stay as picked.
    TPlace Place() const;
    const TCalendarDate &CalendarDate() const { return FCalendarDate; }
    QString DateText() const { return FDateText; }
    bool DatabaseDamaged() const { return FDatabase.Damaged(); }
    int ExitTickCount() const { return FExitTickCount; }
    bool TableInUse() const { return FTableInUse; }
    TSunTime &SunTime() { return FSunTime; }
    const TLocalityList &Localities() const { return FDatabase.List(); }
    // The calendar's value as an OLE date (the calendar holds whole days).
    double KalendarDate() const;

    // Calculation panel.
    void ApplyInputs();
    void ShowResults();
    void ShowLocality();
    void ShowHintInStatus(const QString &hint);

    // Languages.
    void ApplyLanguage(TLanguage language);
    void RefreshAfterLanguage();

    // Locality database.
    void LoadLocalities();
    bool SaveLocalities();
    void FillPredefined();
    void SetGridHeader();
    void SortLocalities();
    void VyberLOK();
    int CurrentRecord() const; // 1 ... n, 0 with an empty list
    // The horizons of places.
    void LoadHorizons();
    // The stored horizon of the place in the inputs, if it has one.
    std::optional<THorizon> PlaceHorizon() const;

    // Sets a command's menu item and toolbar button together.
    void SetCommandState(QAction *item, TCommandState state);

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
    void mnuHladatClick();
    void mnuSlovenskyClick();
    void mnuAnglickyClick();
    void mnuMadarskyClick();
    void mnuKoniecClick();
    void mnuSvetClick();
    void mnuSlovenskoClick();
    void mnuHorizontClick();
    void mnuVelkaNocClick();
    void mnuFazaMesiacaClick();
    void mnuTabulkaClick();
    void mnuTabulkaMesClick();
    void mnuRokSlnkaClick();
    void mnuSlnkoMesiacClick();
    void mnuZarovnanieClick();
    void mnuPomocClick();
    void mnuOnLineClick();
    void mnuOProgrameClick();

    void UkonciPriChybe();

signals:
    // The main window has closed, and every other window with it.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // One entry of the command table (mainwindow/Commands.cpp).
    struct TMenuEntry;
    static const std::vector<TMenuEntry> &MenuTable();

    // Construction (mainwindow/VantuLayout.cpp: the fixed layout).
    struct TControlEntry; // one control of the layout's table
    void CreateControls();
    void CreateMenuAndToolBar();
    void CreateStatusBar();
    void ConnectHandlers();
    void RegisterNamedObjects();
    void SizeDayLine();

    void FormCreate();
    bool FormClose();
    void ReadSettings();
    bool WriteSettings();
    void SwitchLanguage(TLanguage language);
    void UpdateAccessibleNames();
    void NameResults();
    void PlaceChanged();
    int FieldsOffset() const;
    TClock ClockOf(TClock::TKind format) const;
    QRadioButton *TimeFormatButton(TClock::TKind format) const;
    std::optional<TClock::TKind> CheckedTimeFormat() const;
    void SelectTimeFormat(TClock::TKind format);
    void SetTimeFormatClock(TClock::TKind format);
    void TimeFormatClicked(TClock::TKind format);
    QString ResultsCaption(TClock::TKind format) const;
    void SetCalendarDate(const QDate &date);
    QString LabelDayLine() const;
    void RebuildDateText();
    void SetDatabaseMode(bool database);
    void PickCity(const TPlace &city);
    void FillOffsetFields(const TPlace &place);
    void ShowRecordPosition();
    void SetCurrentRecord(int record);
    void ReportSaveFailure(const TSaveResult &result);
    TfrmTabulka *TableWindow();
    QString ResultTag() const;
    void CloseMapWindows();
    template <typename TMap>
    void OpenMap(QPointer<TMap> &window, QAction *item, const TText &title);
    void CloseChartWindows();
    template <typename TChart> void OpenChartWindow(QPointer<TChart> &window);
    void FeedChartWindows();
    TChartRequest ChartRequest() const;
    QList<TChartWindow *> ChartWindows() const;
    TLanguage CheckedLanguage() const;

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

    // Menus, menu items and toolbar buttons (built from the command table).
    QMenu *mnuSubor = nullptr;
    QMenu *mnuJazyk = nullptr;
    QMenu *mnuNastroje = nullptr;
    QMenu *mnuNapoved = nullptr;
    QAction *mnuVlastne = nullptr;
    QAction *mnuDatabaza = nullptr;
    QAction *mnuPridat = nullptr;
    QAction *mnuZmazat = nullptr;
    QAction *mnuHladat = nullptr;
    QAction *mnuSlovensky = nullptr;
    QAction *mnuAnglicky = nullptr;
    QAction *mnuMadarsky = nullptr;
    QAction *mnuKoniec = nullptr;
    QAction *mnuSvet = nullptr;
    QAction *mnuSlovensko = nullptr;
    QAction *mnuHorizont = nullptr;
    QAction *mnuVelkaNoc = nullptr;
    QAction *mnuFazaMesiaca = nullptr;
    QAction *mnuTabulka = nullptr;
    QAction *mnuTabulkaMes = nullptr;
    QAction *mnuRokSlnka = nullptr;
    QAction *mnuSlnkoMesiac = nullptr;
    QAction *mnuZarovnanie = nullptr;
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
    QHash<QAction *, QToolButton *> FButtonOfItem;
    // The window's own named menus, items and controls, for the language
    // texts (child windows have names of their own and are never touched).
    QHash<QString, QObject *> FNamed;

    // Window state.
    TSunTime FSunTime;
    QString FProgramFolder;
    TLanguage FLanguage = TLanguage::Slovak;
    TClock::TKind FTimeFormat = TClock::TKind::Cet;
    TClock FResultClock = TClock::Cet(); // the results are shown on it
    QByteArray FPlaceZone;      // of a city picked by the search, while its inputs stay as picked
    bool FFillingPlace = false; // the program, not the user, fills the inputs
    int FExitTickCount = 0;
    TCalendarDate FCalendarDate;
    QDate FStartDay;
    QString FDateText;
    bool FTableInUse = false;
    TFileLocations FLocations; // before FDatabase, which takes its file from it
    TLocalityDatabase FDatabase;
    THorizonStore FHorizons;         // beside the locality file
    bool FUpdatingGrid = false;      // the program moves the grid's current row
    bool FRowChangedByPress = false; // a mouse press already selected the row
    QPointer<TfrmTabulka> frmTabulka;
    QPointer<TfrmSvet> frmSvet;
    QPointer<TfrmSlovakia> frmSlovakia;
    QPointer<TfrmRokSlnka> frmRokSlnka;
    QPointer<TfrmSlnkoMesiac> frmSlnkoMesiac;
};
