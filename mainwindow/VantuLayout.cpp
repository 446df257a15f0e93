// The main window's fixed layout: every control at its place and size with
// its name, the menus and toolbar built from the command table, the status
// bar. Behaviour lives in the other Vantu*.cpp files.
#include "mainwindow/Commands.h"

#include "calendar/CalCalc.h"
#include "localities/LocalityModel.h"
#include "mainwindow/SpinEdit.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace
{

constexpr int ClientWidth = 531;
constexpr int ClientHeight = 394;

// A toolbar button whose "down" state is set by the program only: a click
// runs the command and never toggles it.
class TToolButton : public QToolButton
{
public:
    using QToolButton::QToolButton;

protected:
    void nextCheckState() override {}
};

} // namespace

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

    FGridModel = new TLocalityModel(FDatabase, this);
    StringGrid1 = new QTableView(client);
    StringGrid1->setModel(FGridModel);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(12, 60, 512, 111);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid for the next control; the arrow keys move within it.
    StringGrid1->setTabKeyNavigation(false);
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
    const QString marks = QString::fromUtf8(" °        '        ''");
    auto unitMarks = [&](const char *name, int y) {
        QLabel *l = label(grpLokality, name, 12, y);
        QFont f = l->font();
        f.setPixelSize(19);
        l->setFont(f);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setText(marks);
        // At least the classic 103 × 24, and as wide as the text, so that the
        // last mark is never cut (the face's widths vary with the fonts).
        const QSize text = l->sizeHint();
        l->resize(qMax(103, text.width()), qMax(24, text.height()));
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
    SizeDayLine();

    grpCasV = new QGroupBox(client);
    grpCasV->setObjectName(QStringLiteral("grpCasV"));
    grpCasV->setGeometry(439, 185, 86, 93);
    auto radio = [&](const char *name, int top) {
        auto *r = new QRadioButton(grpCasV);
        r->setObjectName(QString::fromLatin1(name));
        r->setGeometry(10, top, 60, 17);
        // Tab enters the group at its checked button and leaves it from
        // there, as the platform's radio groups do; the arrow keys move
        // within it (they pass over the focus policy of exclusive buttons).
        r->setFocusPolicy(Qt::ClickFocus);
        connect(r, &QRadioButton::toggled, r, [r](bool checked) {
            r->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
        });
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

void TfrmVantu::CreateMenuAndToolBar()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    bar->setNativeMenuBar(false);

    ToolBar1 = new QToolBar(centralWidget());
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setGeometry(0, 0, ClientWidth, 29);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);

    QMenu *top = nullptr;
    QMenu *current = nullptr;
    bool newGroup = true;
    for (const TMenuEntry &e : MenuTable()) {
        switch (e.Kind) {
        case TMenuEntry::Menu:
        case TMenuEntry::SubMenu: {
            QMenu *m =
                e.Kind == TMenuEntry::Menu ? bar->addMenu(QString()) : current->addMenu(QString());
            m->setObjectName(QString::fromLatin1(e.Name));
            m->menuAction()->setObjectName(QString::fromLatin1(e.Name));
            m->setToolTipsVisible(false);
            this->*e.MenuMember = m;
            if (e.Kind == TMenuEntry::Menu) {
                top = m;
                newGroup = true;
            }
            current = m;
            break;
        }
        case TMenuEntry::SubMenuEnd:
            current = top;
            break;
        case TMenuEntry::Separator:
            current->addSeparator()->setObjectName(QString::fromLatin1(e.Name));
            newGroup = true;
            break;
        case TMenuEntry::Item: {
            QAction *a = current->addAction(QString());
            a->setObjectName(QString::fromLatin1(e.Name));
            a->setParent(this);
            a->setCheckable(e.Checkable);
            if (!e.Shortcut.isEmpty())
                a->setShortcut(e.Shortcut);
            connect(a, &QAction::triggered, this, e.Handler);
            this->*e.ItemMember = a;
            if (!e.Button)
                break;
            if (newGroup)
                ToolBar1->addSeparator();
            newGroup = false;
            auto *b = new TToolButton(ToolBar1);
            b->setObjectName(QString::fromLatin1(e.Button));
            b->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QString::fromLatin1(e.Image))));
            b->setIconSize(QSize(16, 16));
            b->setFixedSize(23, 22);
            b->setAutoRaise(true);
            b->setCheckable(true);
            b->setFocusPolicy(Qt::TabFocus);
            ToolBar1->addWidget(b);
            connect(b, &QToolButton::clicked, this, e.Handler);
            this->*e.ButtonMember = b;
            FButtonOfItem.insert(a, b);
            break;
        }
        }
    }
    // Database mode at start: its own command and "add" are not available.
    SetCommandState(mnuDatabaza, TCommandState::Unavailable);
    SetCommandState(mnuPridat, TCommandState::Unavailable);
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

void TfrmVantu::RegisterNamedObjects()
{
    // Taken once, before any other window exists: every later language
    // switch reaches exactly these objects.
    for (QObject *o : findChildren<QObject *>()) {
        const QString name = o->objectName();
        if (name.isEmpty())
            continue;
        // A menu and its menu action share a name: the menu takes the caption.
        if (FNamed.contains(name) && !qobject_cast<QMenu *>(o))
            continue;
        FNamed.insert(name, o);
    }
}

// The day line is as wide as the widest it can show in any language, so that
// a longer weekday name is never cut off.
void TfrmVantu::SizeDayLine()
{
    const QFontMetrics metrics(Label6->font());
    QChar widest = QLatin1Char('0');
    for (char16_t d = u'1'; d <= u'9'; ++d)
        if (metrics.horizontalAdvance(QChar(d)) > metrics.horizontalAdvance(widest))
            widest = QChar(d);
    const QString day = QString(3, widest);
    int width = 0;
    for (int l = 0; l < LanguageCount; ++l) {
        const TLanguage language = *LanguageFromIndex(l);
        for (int weekday = 1; weekday <= 7; ++weekday)
            width = std::max(width, metrics.horizontalAdvance(
                                        GetWeekdayName(weekday, l) + QStringLiteral(", ") + day +
                                        QStringLiteral(". ") +
                                        QString::fromUtf8(LanguageTexts(language).DayWord)));
    }
    Label6->resize(width + 2, metrics.height());
}
