// The main window: construction, creation sequence, settings, close
// sequence, exit timer and hints. The layout, the calculation panel, the
// locality database and the tool commands have files of their own beside it.
#include "mainwindow/Vantu.h"

#include "app/MainWindow.h"
#include "common/Messages.h"
#include "common/SystemClock.h"
#include "common/Version.h"
#include "localities/LocalityModel.h"
#include "mainwindow/IniFile.h"
#include "mainwindow/SpinEdit.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStatusTipEvent>
#include <QTableView>
#include <QTimer>

namespace
{

// Settings file keys with their defaults.
struct TSettingKey {
    const char *Section;
    const char *Key;
    int Default;
};
constexpr TSettingKey KeyLeft{"Poloha", "vlavo", 50};
constexpr TSettingKey KeyTop{"Poloha", "hore", 50};
constexpr TSettingKey KeyLanguage{"Nastavenie", "jazyk", 0};
constexpr TSettingKey KeyTimeFormat{"Nastavenie", "formatcasu", 1};

int ReadSetting(const TIniFile &ini, const TSettingKey &k)
{
    return ini.ReadInteger(QString::fromLatin1(k.Section), QString::fromLatin1(k.Key), k.Default);
}

void WriteSetting(TIniFile &ini, const TSettingKey &k, int value)
{
    ini.WriteInteger(QString::fromLatin1(k.Section), QString::fromLatin1(k.Key), value);
}

} // namespace

std::unique_ptr<QWidget> CreateMainWindow()
{
    return std::make_unique<TfrmVantu>();
}

int RunMainWindow(QApplication &app)
{
    const std::unique_ptr<QWidget> frmVantu = CreateMainWindow();
    // The program ends with its main window, whatever other window is open.
    QObject::connect(
        static_cast<TfrmVantu *>(frmVantu.get()), &TfrmVantu::closed, &app,
        [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    frmVantu->show();
    app.exec();
    return 0;
}

TfrmVantu::TfrmVantu()
    : QMainWindow(nullptr), FLocations(FileLocations()), FDatabase(FLocations.LocalityFile),
      FHorizons(HorizonStorePath(FLocations.LocalityFile))
{
    setObjectName(QStringLiteral("frmVantu"));
    setWindowTitle(QStringLiteral(" Vantu " VANTU_VERSION));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    // The window's own calculator: CET at the design place until the first
    // locality is applied.
    FSunTime.SetUseSysTimeZone(false);
    FSunTime.SetTimeZone(1.0);
    FSunTime.Latitude().SetDir(dNorth);
    FSunTime.Latitude().SetDegrees(48);
    FSunTime.Latitude().SetMinutes(37);
    FSunTime.Latitude().SetSeconds(4);
    FSunTime.Longitude().SetDir(dEast);
    FSunTime.Longitude().SetDegrees(19);
    FSunTime.Longitude().SetMinutes(8);
    FSunTime.Longitude().SetSeconds(22);

    // A sans-serif of the classic 11-pixel character height: every text of
    // the three languages fits the fixed layout with it.
    QFont windowFont(QStringLiteral("Liberation Sans"));
    windowFont.setStyleHint(QFont::SansSerif);
    windowFont.setPixelSize(11);
    setFont(windowFont);

    CreateControls();
    CreateMenuAndToolBar();
    CreateStatusBar();
    ConnectHandlers();
    RegisterNamedObjects();
    FormCreate();
}

TfrmVantu::~TfrmVantu()
{
    qApp->removeEventFilter(this);
    // The grid and its model read the database, which as a member dies before
    // the window's children: they go first.
    delete StringGrid1;
    StringGrid1 = nullptr;
    delete FGridModel;
    FGridModel = nullptr;
}

void TfrmVantu::ConnectHandlers()
{
    connect(seSirkaST, &TSpinEdit::Change, this, &TfrmVantu::seSirkaSTChange);
    connect(seSirkaMin, &TSpinEdit::Change, this, &TfrmVantu::seSirkaMinChange);
    connect(seSirkaSek, &TSpinEdit::Change, this, &TfrmVantu::seSirkaSekChange);
    connect(seDlzkaST, &TSpinEdit::Change, this, &TfrmVantu::seDlzkaSTChange);
    connect(seDlzkaMin, &TSpinEdit::Change, this, &TfrmVantu::seDlzkaMinChange);
    connect(seDlzkaSek, &TSpinEdit::Change, this, &TfrmVantu::seDlzkaSekChange);
    connect(seHod, &TSpinEdit::Change, this, &TfrmVantu::seHodChange);
    connect(seMin, &TSpinEdit::Change, this, &TfrmVantu::seMinChange);
    // Only a user's choice of hemisphere recomputes, not the program's.
    connect(PolohaS, &QComboBox::activated, this, &TfrmVantu::PolohaSChange);
    connect(PolohaD, &QComboBox::activated, this, &TfrmVantu::PolohaDChange);
    connect(Kalendar, &QDateEdit::dateChanged, this, &TfrmVantu::KalendarChange);
    connect(rbUTC, &QRadioButton::clicked, this, &TfrmVantu::rbUTCClick);
    connect(rbSEC, &QRadioButton::clicked, this, &TfrmVantu::rbSECClick);
    connect(rbSELC, &QRadioButton::clicked, this, &TfrmVantu::rbSELCClick);
    connect(rbMiestny, &QRadioButton::clicked, this, &TfrmVantu::rbMiestnyClick);

    connect(StringGrid1, &QTableView::clicked, this, [this](const QModelIndex &) {
        // A press that moved the current row has already selected it.
        if (FRowChangedByPress) {
            FRowChangedByPress = false;
            return;
        }
        VyberLOK();
    });
    connect(StringGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current, const QModelIndex &) {
                if (FUpdatingGrid || !current.isValid())
                    return;
                FRowChangedByPress = QApplication::mouseButtons() != Qt::NoButton;
                VyberLOK();
            });
    connect(Timer1, &QTimer::timeout, this, &TfrmVantu::UkonciPriChybe);
}

// ---------------------------------------------------------------- creation

void TfrmVantu::FormCreate()
{
    qApp->installEventFilter(this);

    FProgramFolder = QCoreApplication::applicationDirPath();
    if (!FProgramFolder.endsWith(QLatin1Char('/')))
        FProgramFolder += QLatin1Char('/');
    // Installed mode writes into the user's folders, which may not exist yet.
    PrepareFolders(FLocations);

    ReadSettings();

    Timer1->start();
    FExitTickCount = 0;

    QAction *languageItems[LanguageCount] = {mnuSlovensky, mnuAnglicky, mnuMadarsky};
    ForLanguage(languageItems, FLanguage)->setChecked(true);
    ApplyLanguage(FLanguage);

    SelectTimeFormat(FTimeFormat);

    FStartDay = TSystemClock::Today();
    {
        const QSignalBlocker block(Kalendar);
        Kalendar->setDate(FStartDay);
    }
    SetCalendarDate(FStartDay);
    FSunTime.SetDate(KalendarDate());
    Label6->setText(LabelDayLine());
    RebuildDateText();

    LoadLocalities();
    if (!FDatabase.Damaged())
        LoadHorizons();
    SortLocalities();
    ShowLocality();
    ApplyInputs();
    ShowResults();
    ShowRecordPosition();

    adjustSize();
    setFixedSize(sizeHint());
}

void TfrmVantu::ReadSettings()
{
    const TIniFile ini(FLocations.SettingsFile);
    const int left = ReadSetting(ini, KeyLeft);
    const int top = ReadSetting(ini, KeyTop);
    // Values out of range are taken as the defaults, so that exactly one
    // language is always in force and one time format selected.
    FLanguage = LanguageFromIndex(ReadSetting(ini, KeyLanguage))
                    .value_or(*LanguageFromIndex(KeyLanguage.Default));
    FTimeFormat = TimeFormatFromIndex(ReadSetting(ini, KeyTimeFormat))
                      .value_or(*TimeFormatFromIndex(KeyTimeFormat.Default));
    move(left, top);
}

bool TfrmVantu::WriteSettings()
{
    TIniFile ini(FLocations.SettingsFile);
    WriteSetting(ini, KeyLeft, x());
    WriteSetting(ini, KeyTop, y());
    WriteSetting(ini, KeyLanguage, LanguageIndexOf(FLanguage));
    WriteSetting(ini, KeyTimeFormat, TimeFormatIndex(FTimeFormat));
    QString error;
    if (ini.UpdateFile(&error))
        return true;
    ShowMessage(this, TextIn(FileErrorCaption, FLanguage), QMessageBox::Critical,
                TextIn(MainText::IniWriteErrorText, FLanguage).arg(ini.Path()));
    return false;
}

// ---------------------------------------------------------------- close and exit timer

void TfrmVantu::closeEvent(QCloseEvent *event)
{
    if (!FormClose()) {
        event->ignore();
        return;
    }
    event->accept();
    // Every other window goes with the main window, without further
    // questions: a table edited after its save must not ask, and keep the
    // program running without its main window.
    for (QWidget *child : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isWindow())
            delete child;
    emit closed();
}

bool TfrmVantu::FormClose()
{
    if (FTableInUse) {
        ShowMessage(this, TextIn(MainText::CloseRefusedCaption, FLanguage), QMessageBox::Warning,
                    TextIn(MainText::CloseRefusedText, FLanguage));
        return false;
    }
    // A settings file that cannot be written is reported, but never keeps the
    // user from quitting.
    WriteSettings();
    return true;
}

void TfrmVantu::mnuKoniecClick()
{
    close();
}

void TfrmVantu::UkonciPriChybe()
{
    ++FExitTickCount;
    if (FExitTickCount > 5 && FDatabase.Damaged()) {
        Timer1->stop();
        ShowMessage(this, QString(), QMessageBox::Critical,
                    TextIn(MainText::ProgramAbortedText, FLanguage));
        close();
    }
}

// ---------------------------------------------------------------- hints

bool TfrmVantu::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        ShowHintInStatus(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TfrmVantu::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // Each press on the grid starts afresh: a press that ended in a drag
        // (no click follows) must not swallow the next click.
        if (StringGrid1 && watched == StringGrid1->viewport())
            FRowChangedByPress = false;
        break;
    case QEvent::ToolTip:
        // Hints appear in the status bar only, never as pop-ups.
        return true;
    case QEvent::Enter:
    case QEvent::Leave: {
        auto *w = qobject_cast<QWidget *>(watched);
        if (!w || w->window() != this)
            break;
        // Entering shows the control's own hint or that of the nearest
        // enclosing control; leaving shows the enclosing control's.
        if (event->type() == QEvent::Leave)
            w = w->parentWidget();
        QString tip;
        for (; w && w != this; w = w->parentWidget()) {
            if (!w->statusTip().isEmpty()) {
                tip = w->statusTip();
                break;
            }
        }
        ShowHintInStatus(tip);
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmVantu::ShowHintInStatus(const QString &hint)
{
    const int bar = hint.indexOf(QLatin1Char('|'));
    StatusPanel[1]->setText(bar >= 0 ? hint.mid(bar + 1) : hint);
}
