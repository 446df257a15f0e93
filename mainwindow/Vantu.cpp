// The main window: construction, languages, calculation panel, settings,
// close sequence and exit timer. The locality, table and auxiliary-window
// commands live beside their modules.
#include "mainwindow/Vantu.h"

#include "calendar/CalCalc.h"
#include "mainwindow/IniFile.h"
#include "mainwindow/Messages.h"
#include "mainwindow/SpinEdit.h"
#include "suntime/DateUtil.h"

#include "localities/LocalityModel.h"
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

QString TfrmVantu::ProgramFolderOverride;
std::function<QDate()> TfrmVantu::Today = [] { return QDate::currentDate(); };

namespace
{

constexpr int ClientWidth = 531;
constexpr int ClientHeight = 394;

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

// A toolbar button whose "down" state is set by the program only: a click
// runs the command and never toggles it.
class TToolButton : public QToolButton
{
public:
    using QToolButton::QToolButton;

protected:
    void nextCheckState() override {}
};

QString Utf8(const char *s)
{
    return QString::fromUtf8(s);
}

// "hh:nn:ss  " + long date: time to the nearest millisecond, seconds shown
// whole, and the date of the moment (which may be the day before or after).
QString FormatResult(double value)
{
    int y, mo, d, h, mi, s, ms;
    DateUtil::DecodeDateTime(value, y, mo, d, h, mi, s, ms);
    const QString time = QStringLiteral("%1:%2:%3")
                             .arg(h, 2, 10, QLatin1Char('0'))
                             .arg(mi, 2, 10, QLatin1Char('0'))
                             .arg(s, 2, 10, QLatin1Char('0'));
    return time + QStringLiteral("  ") +
           QLocale::system().toString(QDate(y, mo, d), QLocale::LongFormat);
}

double OleDate(const QDate &date)
{
    return DateUtil::EncodeDate(date.year(), date.month(), date.day());
}

} // namespace

TfrmVantu::TfrmVantu() : QMainWindow(nullptr), FLocalityFile(QStringLiteral("lokality.xml"))
{
    setObjectName(QStringLiteral("frmVantu"));
    setWindowTitle(QStringLiteral(" Vantu 4.1"));
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
    CreateMenu();
    CreateToolBar();
    CreateStatusBar();
    ConnectHandlers();
    FormCreate();
}

TfrmVantu::~TfrmVantu()
{
    qApp->removeEventFilter(this);
}

// ---------------------------------------------------------------- controls

void TfrmVantu::CreateControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);

    auto label = [](QWidget *parent, const char *name, int x, int y) {
        auto *l = new QLabel(parent);
        l->setObjectName(QString::fromLatin1(name));
        l->move(x, y);
        return l;
    };
    auto spin = [](QWidget *parent, const char *name, QRect r, int lo, int hi, int step,
                   bool bold) {
        auto *s = new TSpinEdit(parent);
        s->setObjectName(QString::fromLatin1(name));
        s->setGeometry(r);
        s->SetRange(lo, hi);
        s->SetIncrement(step);
        if (bold) {
            QFont f = s->font();
            f.setBold(true);
            s->setFont(f);
        }
        return s;
    };
    auto combo = [](QWidget *parent, const char *name, QRect r, const char *a, const char *b) {
        auto *c = new QComboBox(parent);
        c->setObjectName(QString::fromLatin1(name));
        c->setGeometry(r);
        c->addItem(QString::fromLatin1(a));
        c->addItem(QString::fromLatin1(b));
        c->setCurrentIndex(-1);
        QFont f = c->font();
        f.setBold(true);
        c->setFont(f);
        return c;
    };
    auto blueLabel = [](QLabel *l) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, Qt::blue);
        l->setPalette(p);
    };

    Label1 = label(client, "Label1", 12, 40);

    FGridModel = new TLocalityModel(FLocalities, this);
    StringGrid1 = new QTableView(client);
    StringGrid1->setModel(FGridModel);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(12, 60, 512, 111);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setShowGrid(true);
    StringGrid1->setWordWrap(false);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setDefaultSectionSize(16);
    StringGrid1->verticalHeader()->setMinimumSectionSize(16);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    StringGrid1->horizontalHeader()->setMinimumSectionSize(10);
    StringGrid1->horizontalHeader()->setFixedHeight(18);
    StringGrid1->horizontalHeader()->setHighlightSections(false);
    StringGrid1->setColumnWidth(0, 130);
    for (int c = 1; c < LocalityFieldCount; ++c)
        StringGrid1->setColumnWidth(c, 35);

    grpLokality = new QGroupBox(client);
    grpLokality->setObjectName(QStringLiteral("grpLokality"));
    grpLokality->setGeometry(12, 185, 257, 183);
    grpLokality->setEnabled(false);

    Label3 = label(grpLokality, "Label3", 12, 21);
    Edit1 = new QLineEdit(grpLokality);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(12, 36, 137, 21);
    seHod = spin(grpLokality, "seHod", {168, 36, 38, 22}, -12, 12, 1, false);
    seMin = spin(grpLokality, "seMin", {207, 36, 38, 22}, 0, 45, 15, false);
    seHod->SetValue(0);
    seMin->SetValue(0);

    // The unit marks over the angle fields: a blue line of larger type.
    const QString marks = Utf8(" °        '        ''");
    auto unitMarks = [&](const char *name, int y) {
        QLabel *l = label(grpLokality, name, 12, y);
        l->resize(103, 24);
        QFont f = l->font();
        f.setPixelSize(19);
        l->setFont(f);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setText(marks);
        blueLabel(l);
        return l;
    };

    Label5 = label(grpLokality, "Label5", 12, 68);
    lblDlzka = unitMarks("lblDlzka", 77);
    lblPolohaS = label(grpLokality, "lblPolohaS", 186, 77);
    seSirkaST = spin(grpLokality, "seSirkaST", {12, 92, 45, 22}, 0, 90, 1, true);
    seSirkaMin = spin(grpLokality, "seSirkaMin", {58, 92, 45, 22}, 0, 59, 1, true);
    seSirkaSek = spin(grpLokality, "seSirkaSek", {104, 92, 45, 22}, 0, 59, 1, true);
    PolohaS = combo(grpLokality, "PolohaS", {186, 92, 45, 21}, "N", "S");

    Label4 = label(grpLokality, "Label4", 12, 125);
    lblSirka = unitMarks("lblSirka", 134);
    lblPolohaD = label(grpLokality, "lblPolohaD", 186, 134);
    seDlzkaST = spin(grpLokality, "seDlzkaST", {12, 149, 45, 22}, 0, 180, 1, true);
    seDlzkaMin = spin(grpLokality, "seDlzkaMin", {58, 149, 45, 22}, 0, 59, 1, true);
    seDlzkaSek = spin(grpLokality, "seDlzkaSek", {104, 149, 45, 22}, 0, 59, 1, true);
    PolohaD = combo(grpLokality, "PolohaD", {186, 149, 45, 21}, "W", "E");
    for (TSpinEdit *s : {seSirkaST, seSirkaMin, seSirkaSek})
        s->SetValue(50);
    for (TSpinEdit *s : {seDlzkaST, seDlzkaMin, seDlzkaSek})
        s->SetValue(15);
    // The marks stay behind the fields they label.
    lblDlzka->lower();
    lblSirka->lower();

    Label2 = label(client, "Label2", 307, 200);
    Kalendar = new QDateEdit(client);
    Kalendar->setObjectName(QStringLiteral("Kalendar"));
    Kalendar->setGeometry(307, 220, 85, 21);
    Kalendar->setCalendarPopup(true);
    Kalendar->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    {
        // Some locales' short dates are wide for the field: a narrow face.
        QFont narrow = font();
        narrow.setFamily(QStringLiteral("Liberation Sans Narrow"));
        Kalendar->setFont(narrow);
    }
    {
        // The locale's short date, always with the full year.
        QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
        if (!format.contains(QLatin1String("yyyy")))
            format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
        Kalendar->setDisplayFormat(format);
    }
    Label6 = label(client, "Label6", 309, 242);

    grpCasV = new QGroupBox(client);
    grpCasV->setObjectName(QStringLiteral("grpCasV"));
    grpCasV->setGeometry(439, 185, 86, 93);
    auto radio = [&](const char *name, int top) {
        auto *r = new QRadioButton(grpCasV);
        r->setObjectName(QString::fromLatin1(name));
        r->setGeometry(10, top, 60, 17);
        return r;
    };
    rbUTC = radio("rbUTC", 20);
    rbSEC = radio("rbSEC", 37);
    rbSELC = radio("rbSELC", 54);
    rbMiestny = radio("rbMiestny", 71);
    rbUTC->setChecked(true);

    grpVysledky = new QGroupBox(client);
    grpVysledky->setObjectName(QStringLiteral("grpVysledky"));
    grpVysledky->setGeometry(290, 285, 235, 83);
    {
        QFont f = grpVysledky->font();
        f.setBold(true);
        grpVysledky->setFont(f);
    }
    auto resultRow = [&](const char *captionName, const char *valueName, int top, QLabel *&caption,
                         QLabel *&value) {
        QFont normal = font();
        normal.setBold(false); // not the group's bold caption font
        caption = new QLabel(grpVysledky);
        caption->setObjectName(QString::fromLatin1(captionName));
        caption->setFont(normal);
        caption->setGeometry(2, top, 58, 15);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value = new QLabel(grpVysledky);
        value->setObjectName(QString::fromLatin1(valueName));
        // Long dates of some locales are wide: a narrow face keeps them whole.
        QFont narrow = normal;
        narrow.setFamily(QStringLiteral("Liberation Sans Narrow"));
        value->setFont(narrow);
        value->setGeometry(64, top, 169, 15);
        blueLabel(value);
    };
    resultRow("lblVychod", "Sunrise", 20, lblVychod, Sunrise);
    resultRow("lblPoludnie", "Noon", 40, lblPoludnie, Noon);
    resultRow("lblZapad", "Sunset", 60, lblZapad, Sunset);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    // Tab order: grid, locality details, calendar, time format, toolbar, results.
    setTabOrder(StringGrid1, Edit1);
    setTabOrder(Edit1, seHod);
    setTabOrder(seHod, seMin);
    setTabOrder(seMin, seSirkaST);
    setTabOrder(seSirkaST, seSirkaMin);
    setTabOrder(seSirkaMin, seSirkaSek);
    setTabOrder(seSirkaSek, PolohaS);
    setTabOrder(PolohaS, seDlzkaST);
    setTabOrder(seDlzkaST, seDlzkaMin);
    setTabOrder(seDlzkaMin, seDlzkaSek);
    setTabOrder(seDlzkaSek, PolohaD);
    setTabOrder(PolohaD, Kalendar);
    setTabOrder(Kalendar, rbUTC);
}

void TfrmVantu::CreateMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setNativeMenuBar(false);

    auto submenu = [&](const char *name) {
        QMenu *m = bar->addMenu(QString());
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        m->setToolTipsVisible(false);
        return m;
    };
    auto item = [&](QMenu *menu, const char *name) {
        QAction *a = menu->addAction(QString());
        a->setObjectName(QString::fromLatin1(name));
        a->setParent(this);
        return a;
    };
    auto separator = [](QMenu *menu, const char *name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    mnuSubor = submenu("mnuSubor");
    mnuVlastne = item(mnuSubor, "mnuVlastne");
    mnuDatabaza = item(mnuSubor, "mnuDatabaza");
    separator(mnuSubor, "N1");
    mnuPridat = item(mnuSubor, "mnuPridat");
    mnuZmazat = item(mnuSubor, "mnuZmazat");
    separator(mnuSubor, "N2");
    mnuJazyk = mnuSubor->addMenu(QString());
    mnuJazyk->setObjectName(QStringLiteral("mnuJazyk"));
    mnuJazyk->menuAction()->setObjectName(QStringLiteral("mnuJazyk"));
    mnuSlovensky = item(mnuJazyk, "mnuSlovensky");
    mnuAnglicky = item(mnuJazyk, "mnuAnglicky");
    mnuMadarsky = item(mnuJazyk, "mnuMadarsky");
    for (QAction *a : {mnuSlovensky, mnuAnglicky, mnuMadarsky})
        a->setCheckable(true);
    separator(mnuSubor, "N3");
    mnuKoniec = item(mnuSubor, "mnuKoniec");
    mnuKoniec->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));

    mnuNastroje = submenu("mnuNastroje");
    mnuSvet = item(mnuNastroje, "mnuSvet");
    mnuSlovensko = item(mnuNastroje, "mnuSlovensko");
    separator(mnuNastroje, "N4");
    mnuVelkaNoc = item(mnuNastroje, "mnuVelkaNoc");
    mnuFazaMesiaca = item(mnuNastroje, "mnuFazaMesiaca");
    separator(mnuNastroje, "N5");
    mnuTabulka = item(mnuNastroje, "mnuTabulka");
    mnuTabulkaMes = item(mnuNastroje, "mnuTabulkaMes");

    mnuNapoved = submenu("mnuNapoved");
    mnuPomoc = item(mnuNapoved, "mnuPomoc");
    mnuPomoc->setShortcut(QKeySequence(Qt::Key_F1));
    mnuOnLine = item(mnuNapoved, "mnuOnLine");
    mnuOPrograme = item(mnuNapoved, "mnuOPrograme");

    // Database mode at start.
    mnuDatabaza->setEnabled(false);
    mnuPridat->setEnabled(false);
}

void TfrmVantu::CreateToolBar()
{
    ToolBar1 = new QToolBar(centralWidget());
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setGeometry(0, 0, ClientWidth, 29);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);

    struct TButtonDef {
        const char *name;
        const char *icon;
        QToolButton **button;
    };
    const TButtonDef groups[][2] = {
        {{"btnVlastne", "00_vlastne", &btnVlastne}, {"btnDatabaza", "01_databaza", &btnDatabaza}},
        {{"btnPridat", "02_pridat", &btnPridat}, {"btnZmazat", "03_zmazat", &btnZmazat}},
        {{"btnSvet", "06_svet", &btnSvet}, {"btnSlovensko", "07_slovensko", &btnSlovensko}},
        {{"btnVelkaNoc", "04_velkanoc", &btnVelkaNoc},
         {"btnFazeMesiaca", "05_faza", &btnFazeMesiaca}},
        {{"btnTabulka", "08_tabulka", &btnTabulka},
         {"btnTabulkaMes", "09_tabulkames", &btnTabulkaMes}},
    };
    for (const auto &group : groups) {
        ToolBar1->addSeparator();
        for (const TButtonDef &def : group) {
            auto *b = new TToolButton(ToolBar1);
            b->setObjectName(QString::fromLatin1(def.name));
            b->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QString::fromLatin1(def.icon))));
            b->setIconSize(QSize(16, 16));
            b->setFixedSize(23, 22);
            b->setAutoRaise(true);
            b->setCheckable(true);
            b->setFocusPolicy(Qt::TabFocus);
            ToolBar1->addWidget(b);
            *def.button = b;
        }
    }
    // Database mode at start: its own button and "add" are down and disabled.
    for (QToolButton *b : {btnDatabaza, btnPridat}) {
        b->setChecked(true);
        b->setEnabled(false);
    }
}

void TfrmVantu::CreateStatusBar()
{
    StatusBar1 = new QStatusBar(centralWidget());
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setGeometry(0, ClientHeight - 19, ClientWidth, 19);
    StatusBar1->setSizeGripEnabled(false);
    const int widths[3] = {120, 240, 0};
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(StatusBar1);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (widths[i] > 0) {
            panel->setFixedWidth(widths[i]);
            StatusBar1->addWidget(panel);
        } else {
            panel->setMinimumWidth(50);
            StatusBar1->addWidget(panel, 1);
        }
        StatusPanel[i] = panel;
    }
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

    const std::pair<QAction *, void (TfrmVantu::*)()> commands[] = {
        {mnuVlastne, &TfrmVantu::mnuVlastneClick},
        {mnuDatabaza, &TfrmVantu::mnuDatabazaClick},
        {mnuPridat, &TfrmVantu::mnuPridatClick},
        {mnuZmazat, &TfrmVantu::mnuZmazatClick},
        {mnuSlovensky, &TfrmVantu::mnuSlovenskyClick},
        {mnuAnglicky, &TfrmVantu::mnuAnglickyClick},
        {mnuMadarsky, &TfrmVantu::mnuMadarskyClick},
        {mnuKoniec, &TfrmVantu::mnuKoniecClick},
        {mnuSvet, &TfrmVantu::mnuSvetClick},
        {mnuSlovensko, &TfrmVantu::mnuSlovenskoClick},
        {mnuVelkaNoc, &TfrmVantu::mnuVelkaNocClick},
        {mnuFazaMesiaca, &TfrmVantu::mnuFazaMesiacaClick},
        {mnuTabulka, &TfrmVantu::mnuTabulkaClick},
        {mnuTabulkaMes, &TfrmVantu::mnuTabulkaMesClick},
        {mnuPomoc, &TfrmVantu::mnuPomocClick},
        {mnuOnLine, &TfrmVantu::mnuOnLineClick},
        {mnuOPrograme, &TfrmVantu::mnuOProgrameClick},
    };
    for (const auto &[action, handler] : commands)
        connect(action, &QAction::triggered, this, handler);

    const std::pair<QToolButton *, void (TfrmVantu::*)()> buttons[] = {
        {btnVlastne, &TfrmVantu::mnuVlastneClick},
        {btnDatabaza, &TfrmVantu::mnuDatabazaClick},
        {btnPridat, &TfrmVantu::mnuPridatClick},
        {btnZmazat, &TfrmVantu::mnuZmazatClick},
        {btnSvet, &TfrmVantu::mnuSvetClick},
        {btnSlovensko, &TfrmVantu::mnuSlovenskoClick},
        {btnVelkaNoc, &TfrmVantu::mnuVelkaNocClick},
        {btnFazeMesiaca, &TfrmVantu::mnuFazaMesiacaClick},
        {btnTabulka, &TfrmVantu::mnuTabulkaClick},
        {btnTabulkaMes, &TfrmVantu::mnuTabulkaMesClick},
    };
    for (const auto &[button, handler] : buttons)
        connect(button, &QToolButton::clicked, this, handler);

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

    FProgramFolder = ProgramFolderOverride.isEmpty() ? QCoreApplication::applicationDirPath()
                                                     : ProgramFolderOverride;
    if (!FProgramFolder.endsWith(QLatin1Char('/')))
        FProgramFolder += QLatin1Char('/');

    ReadSettings();

    FDatabaseDamaged = false;
    Timer1->start();
    FExitTickCount = 0;

    QAction *languageItems[LanguageCount] = {mnuSlovensky, mnuAnglicky, mnuMadarsky};
    languageItems[FLanguageIndex]->setChecked(true);
    ApplyLanguage(FLanguageIndex);

    QRadioButton *formats[4] = {rbUTC, rbSEC, rbSELC, rbMiestny};
    if (!formats[FTimeFormat]->isChecked())
        formats[FTimeFormat]->click();

    FStartDay = Today();
    {
        const QSignalBlocker block(Kalendar);
        Kalendar->setDate(FStartDay);
    }
    SetCalendarDate(FStartDay);
    FSunTime.SetDate(OleDate(FStartDay));
    Label6->setText(LabelDayLine());
    FDateText = QStringLiteral(" %1.%2.%3, %4, %5. ")
                    .arg(FStartDay.day())
                    .arg(FStartDay.month())
                    .arg(FStartDay.year())
                    .arg(FCalendarDate.WeekdayName)
                    .arg(FCalendarDate.DayOfYear);
    StatusPanel[2]->setText(FDateText + Utf8(FTexts->DayWord));

    LoadLocalities();
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
    const TIniFile ini(FProgramFolder + QStringLiteral("vantu.ini"));
    const int left = ReadSetting(ini, KeyLeft);
    const int top = ReadSetting(ini, KeyTop);
    FLanguageIndex = ReadSetting(ini, KeyLanguage);
    FTimeFormat = ReadSetting(ini, KeyTimeFormat);
    // Values out of range are taken as the defaults, so that exactly one
    // language is always in force and one time format selected.
    if (FLanguageIndex < 0 || FLanguageIndex >= LanguageCount)
        FLanguageIndex = KeyLanguage.Default;
    if (FTimeFormat < 0 || FTimeFormat > 3)
        FTimeFormat = KeyTimeFormat.Default;
    move(left, top);
}

bool TfrmVantu::WriteSettings()
{
    TIniFile ini(FProgramFolder + QStringLiteral("vantu.ini"));
    WriteSetting(ini, KeyLeft, x());
    WriteSetting(ini, KeyTop, y());
    WriteSetting(ini, KeyLanguage, FLanguageIndex);
    WriteSetting(ini, KeyTimeFormat, FTimeFormat);
    QString error;
    if (ini.UpdateFile(&error))
        return true;
    ShowMessage(this, Utf8(FTexts->IniWriteErrorCaption), QMessageBox::Critical,
                Utf8(FTexts->IniWriteErrorText).arg(ini.Path()));
    return false;
}

// ---------------------------------------------------------------- close and exit timer

void TfrmVantu::closeEvent(QCloseEvent *event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

bool TfrmVantu::FormClose()
{
    if (FTableInUse) {
        ShowMessage(this, Utf8(FTexts->CloseRefusedCaption), QMessageBox::Warning,
                    Utf8(FTexts->CloseRefusedText));
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
    if (FExitTickCount > 5 && FDatabaseDamaged) {
        Timer1->stop();
        ShowMessage(this, QString(), QMessageBox::Critical, Utf8(FTexts->ProgramAbortedText));
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

// ---------------------------------------------------------------- languages

void TfrmVantu::mnuSlovenskyClick()
{
    SwitchLanguage(langSlovak);
}
void TfrmVantu::mnuAnglickyClick()
{
    SwitchLanguage(langEnglish);
}
void TfrmVantu::mnuMadarskyClick()
{
    SwitchLanguage(langHungarian);
}

void TfrmVantu::SwitchLanguage(int language)
{
    QAction *items[LanguageCount] = {mnuSlovensky, mnuAnglicky, mnuMadarsky};
    for (int i = 0; i < LanguageCount; ++i)
        items[i]->setChecked(i == language);
    CloseMapWindows();
    FLanguageIndex = language;
    ApplyLanguage(language);
    RefreshAfterLanguage();
}

void TfrmVantu::ApplyLanguage(int language)
{
    FTexts = &LanguageTexts(language);
    SetMessageLanguage(language);
    const TLanguageTexts &t = *FTexts;

    auto setCaption = [this](const TNamedText &entry) {
        const QString name = QString::fromLatin1(entry.objectName);
        const QString text = Utf8(entry.text);
        if (auto *menu = findChild<QMenu *>(name))
            menu->setTitle(text);
        else if (auto *action = findChild<QAction *>(name))
            action->setText(text);
        else if (auto *group = findChild<QGroupBox *>(name))
            group->setTitle(text);
        else if (auto *button = findChild<QAbstractButton *>(name))
            button->setText(text);
        else if (auto *label = findChild<QLabel *>(name)) {
            label->setText(text);
            label->adjustSize();
        }
    };
    auto setHint = [this](const TNamedText &entry) {
        const QString name = QString::fromLatin1(entry.objectName);
        const QString text = Utf8(entry.text);
        if (auto *action = findChild<QAction *>(name)) {
            action->setStatusTip(text);
            if (const char *button = ToolbarButtonOfMenu(entry.objectName))
                findChild<QToolButton *>(QString::fromLatin1(button))->setStatusTip(text);
        } else if (auto *widget = findChild<QWidget *>(name)) {
            widget->setStatusTip(text);
        }
    };

    // Captions, then the results caption of the selected format.
    for (std::size_t i = 0; i < 7; ++i)
        setCaption(t.Captions[i]);
    const QRadioButton *formats[4] = {rbUTC, rbSEC, rbSELC, rbMiestny};
    for (int f = 0; f < 4; ++f) {
        if (formats[f]->isChecked()) {
            grpVysledky->setTitle(ResultsCaption(f));
            break;
        }
    }
    for (std::size_t i = 7; i < t.Captions.size(); ++i)
        setCaption(t.Captions[i]);
    for (const TNamedText &entry : t.MenuCaptions)
        setCaption(entry);
    for (const TNamedText &entry : t.ControlHints)
        setHint(entry);
    for (const TNamedText &entry : t.MenuHints)
        setHint(entry);
    UpdateAccessibleNames();
}

// Screen readers name every input, button and result by its caption, or by
// its hint where it has no caption of its own.
void TfrmVantu::UpdateAccessibleNames()
{
    auto fromHint = [](QWidget *w) {
        QString hint = w->statusTip();
        if (hint.startsWith(QLatin1Char(' ')))
            hint.remove(0, 1);
        w->setAccessibleName(hint);
    };
    for (QWidget *w : std::initializer_list<QWidget *>{
             StringGrid1,  Edit1,       seHod,          seMin,      seSirkaST,    seSirkaMin,
             seSirkaSek,   PolohaS,     seDlzkaST,      seDlzkaMin, seDlzkaSek,   PolohaD,
             Kalendar,     btnVlastne,  btnDatabaza,    btnPridat,  btnZmazat,    btnSvet,
             btnSlovensko, btnVelkaNoc, btnFazeMesiaca, btnTabulka, btnTabulkaMes})
        fromHint(w);
    for (QRadioButton *r : {rbUTC, rbSEC, rbSELC, rbMiestny})
        r->setAccessibleName(r->text());
    const std::pair<QLabel *, QLabel *> results[3] = {
        {lblVychod, Sunrise}, {lblPoludnie, Noon}, {lblZapad, Sunset}};
    for (const auto &[caption, value] : results) {
        QString name = caption->text();
        if (name.endsWith(QLatin1Char(':')))
            name.chop(1);
        value->setAccessibleName(name);
    }
}

void TfrmVantu::RefreshAfterLanguage()
{
    SetGridHeader();
    FCalendarDate.WeekdayName = GetWeekdayName(FCalendarDate.Weekday, FLanguageIndex);
    Label6->setText(LabelDayLine());
    FDateText = QStringLiteral(" %1.%2.%3, %4, %5. ")
                    .arg(FStartDay.day())
                    .arg(FStartDay.month())
                    .arg(FStartDay.year())
                    .arg(GetWeekdayName(FStartDay.dayOfWeek() % 7 + 1, FLanguageIndex))
                    .arg(FStartDay.dayOfYear());
    StatusPanel[2]->setText(FDateText + Utf8(FTexts->DayWord));
    if (grpLokality->isEnabled())
        StatusPanel[0]->setText(Utf8(FTexts->OwnDataText));
    else
        ShowRecordPosition();
}

QString TfrmVantu::ResultsCaption(int format) const
{
    const char *captions[4] = {FTexts->ResultsCaptionUtc, FTexts->ResultsCaptionCet,
                               FTexts->ResultsCaptionCest, FTexts->ResultsCaptionLocal};
    return Utf8(captions[format]);
}

// ---------------------------------------------------------------- calculation panel

double TfrmVantu::KalendarDate() const
{
    return OleDate(Kalendar->date());
}

void TfrmVantu::ApplyInputs()
{
    TLatitude &lat = FSunTime.Latitude();
    lat.SetDegrees(static_cast<uint16_t>(seSirkaST->Value()));
    lat.SetMinutes(static_cast<uint16_t>(seSirkaMin->Value()));
    lat.SetSeconds(static_cast<uint16_t>(seSirkaSek->Value()));
    lat.SetDir(PolohaS->currentIndex() == 1 ? dSouth : dNorth);

    TLongitude &lon = FSunTime.Longitude();
    lon.SetDegrees(static_cast<uint16_t>(seDlzkaST->Value()));
    lon.SetMinutes(static_cast<uint16_t>(seDlzkaMin->Value()));
    lon.SetSeconds(static_cast<uint16_t>(seDlzkaSek->Value()));
    lon.SetDir(PolohaD->currentIndex() == 1 ? dEast : dWest);

    const QRadioButton *formats[4] = {rbUTC, rbSEC, rbSELC, rbMiestny};
    for (int f = 0; f < 4; ++f) {
        if (formats[f]->isChecked()) {
            SetTimeFormatClock(f);
            break;
        }
    }
}

// Writes the clock of a time format into the calculator and names it in the
// results caption. The calculator refuses a local clock beyond ±12 h; the
// previous clock then stays in force.
void TfrmVantu::SetTimeFormatClock(int format)
{
    static const double fixedClocks[3] = {0.0, 1.0, 2.0};
    const double clock = format < 3 ? fixedClocks[format] : seHod->Value() + seMin->Value() / 60.0;
    FSunTime.SetTimeZone(clock);
    grpVysledky->setTitle(ResultsCaption(format));
}

void TfrmVantu::ShowResults()
{
    const std::pair<int, QLabel *> rows[3] = {{1, Sunrise}, {3, Noon}, {2, Sunset}};
    for (const auto &[index, label] : rows) {
        const double value = FSunTime.EventTime(index);
        label->setText(value != 0 ? FormatResult(value) : Utf8(FTexts->NoEventText));
    }
}

void TfrmVantu::PlaceChanged()
{
    if (!grpLokality->isEnabled())
        return;
    ApplyInputs();
    ShowResults();
}

void TfrmVantu::seSirkaSTChange()
{
    PlaceChanged();
}
void TfrmVantu::seSirkaMinChange()
{
    PlaceChanged();
}
void TfrmVantu::seSirkaSekChange()
{
    PlaceChanged();
}
void TfrmVantu::PolohaSChange()
{
    PlaceChanged();
}
void TfrmVantu::seDlzkaSTChange()
{
    PlaceChanged();
}
void TfrmVantu::seDlzkaMinChange()
{
    PlaceChanged();
}
void TfrmVantu::seDlzkaSekChange()
{
    PlaceChanged();
}
void TfrmVantu::PolohaDChange()
{
    PlaceChanged();
}
void TfrmVantu::seHodChange()
{
    PlaceChanged();
}
void TfrmVantu::seMinChange()
{
    PlaceChanged();
}

void TfrmVantu::KalendarChange()
{
    const QDate d = Kalendar->date();
    SetCalendarDate(d);
    Label6->setText(LabelDayLine());
    FSunTime.SetDate(OleDate(d));
    ShowResults();
}

void TfrmVantu::SetCalendarDate(const QDate &date)
{
    const double ole = OleDate(date);
    FCalendarDate.Year = static_cast<int16_t>(date.year());
    FCalendarDate.Month = static_cast<uint16_t>(date.month());
    FCalendarDate.Day = static_cast<uint16_t>(date.day());
    FCalendarDate.Weekday = static_cast<int16_t>(DateUtil::DayOfWeek(ole));
    FCalendarDate.DayOfYear = static_cast<int16_t>(DateUtil::DayOfYear(ole));
    FCalendarDate.WeekdayName = GetWeekdayName(FCalendarDate.Weekday, FLanguageIndex);
}

QString TfrmVantu::LabelDayLine() const
{
    return FCalendarDate.WeekdayName + QStringLiteral(", ") +
           QString::number(FCalendarDate.DayOfYear) + QStringLiteral(". ") + Utf8(FTexts->DayWord);
}

void TfrmVantu::rbUTCClick()
{
    SetTimeFormatClock(0);
    ShowResults();
    FTimeFormat = 0;
}

void TfrmVantu::rbSECClick()
{
    SetTimeFormatClock(1);
    ShowResults();
    FTimeFormat = 1;
}

void TfrmVantu::rbSELCClick()
{
    SetTimeFormatClock(2);
    ShowResults();
    FTimeFormat = 2;
}

void TfrmVantu::rbMiestnyClick()
{
    SetTimeFormatClock(3);
    ShowResults();
    FTimeFormat = 3;
}

// ---------------------------------------------------------------- Easter

void TfrmVantu::mnuVelkaNocClick()
{
    const QString text = EasterMessage(FCalendarDate.Year, FLanguageIndex);
    if (FLanguageIndex < 0 || FLanguageIndex >= LanguageCount)
        return;
    ShowMessage(this, EasterCaption(FLanguageIndex), QMessageBox::Information, text);
}
