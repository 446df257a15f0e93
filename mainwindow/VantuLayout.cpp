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
#include <array>
#include <type_traits>
#include <variant>

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

void SetBold(QWidget *control)
{
    QFont f = control->font();
    f.setBold(true);
    control->setFont(f);
}

void MakeBlue(QLabel *label)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(p);
}

// The window's own font, not the bold one of a group's caption.
QFont PlainFont(const QWidget &window)
{
    QFont normal = window.font();
    normal.setBold(false);
    return normal;
}

// Some locales' dates are wide for their fields: a narrow face keeps them whole.
QFont NarrowFont(QFont font)
{
    font.setFamily(QStringLiteral("Liberation Sans Narrow"));
    return font;
}

// The unit marks over the angle fields: a blue line of larger type.
void ShowUnitMarks(QLabel *label)
{
    QFont f = label->font();
    f.setPixelSize(19);
    label->setFont(f);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setText(QString::fromUtf8(" °        '        ''"));
    // At least the classic 103 × 24, and as wide as the text, so that the
    // last mark is never cut (the face's widths vary with the fonts).
    const QSize text = label->sizeHint();
    label->resize(qMax(103, text.width()), qMax(24, text.height()));
    MakeBlue(label);
}

} // namespace

// One control of the fixed layout: the member that holds it (its type is the
// control's), its name, the group it sits in, its place and size, and what its
// kind needs beyond them. The controls are made in the table's order, which
// is therefore the order they are stacked and reached in.
struct TfrmVantu::TControlEntry {
    // What sets a control apart from the plain one of its type.
    enum TKind { Plain, Bold, Disabled, UnitMarks, ResultCaption, ResultValue };
    struct TSpinRange {
        int Low;
        int High;
        int Step;
        int Value; // at start
    };

    template <typename TControl> using TMemberOf = TControl *TfrmVantu::*;
    using TMember = std::variant<TMemberOf<QLabel>, TMemberOf<QTableView>, TMemberOf<QGroupBox>,
                                 TMemberOf<QLineEdit>, TMemberOf<TSpinEdit>, TMemberOf<QComboBox>,
                                 TMemberOf<QDateEdit>, TMemberOf<QRadioButton>>;
    using TItems = std::array<const char *, 2>;

    TControlEntry(TMember member, const char *name, TMemberOf<QGroupBox> group, QRect geometry,
                  TKind kind = Plain, TSpinRange range = {}, TItems items = {})
        : Member(member), Name(name), Group(group), Geometry(geometry), Kind(kind), Range(range),
          Items(items)
    {
    }

    TMember Member;
    const char *Name;
    TMemberOf<QGroupBox> Group; // none: the client area
    QRect Geometry;             // no size: a label that sizes itself
    TKind Kind;
    TSpinRange Range; // spin fields
    TItems Items;     // combo boxes

    static const std::vector<TControlEntry> &Table();

    // Each new control placed and made what its kind wants.
    void Place(QWidget *control) const;
    void SetUp(QLabel *label, const TfrmVantu &window) const;
    void SetUp(QTableView *grid, const TfrmVantu &window) const;
    void SetUp(QGroupBox *group, const TfrmVantu &window) const;
    void SetUp(QLineEdit *edit, const TfrmVantu &) const { Place(edit); }
    void SetUp(TSpinEdit *spin, const TfrmVantu &window) const;
    void SetUp(QComboBox *combo, const TfrmVantu &window) const;
    void SetUp(QDateEdit *calendar, const TfrmVantu &window) const;
    void SetUp(QRadioButton *radio, const TfrmVantu &window) const;
};

const std::vector<TfrmVantu::TControlEntry> &TfrmVantu::TControlEntry::Table()
{
    using T = TfrmVantu;
    const auto details = &T::grpLokality;
    const auto timeFormat = &T::grpCasV;
    const auto results = &T::grpVysledky;
    // Spin fields: lowest, highest, step, value at start; combo boxes: their items.
    static const std::vector<TControlEntry> table = {
        {&T::Label1, "Label1", nullptr, {12, 40, 0, 0}},
        {&T::StringGrid1, "StringGrid1", nullptr, {12, 60, 512, 111}},

        {&T::grpLokality, "grpLokality", nullptr, {12, 185, 257, 183}, Disabled},
        {&T::Label3, "Label3", details, {12, 21, 0, 0}},
        {&T::Edit1, "Edit1", details, {12, 36, 137, 21}},
        {&T::seHod, "seHod", details, {168, 36, 38, 22}, Plain, {-12, 14, 1, 0}},
        {&T::seMin, "seMin", details, {207, 36, 38, 22}, Plain, {0, 45, 15, 0}},
        {&T::Label5, "Label5", details, {12, 68, 0, 0}},
        {&T::lblDlzka, "lblDlzka", details, {12, 77, 0, 0}, UnitMarks},
        {&T::lblPolohaS, "lblPolohaS", details, {186, 77, 0, 0}},
        {&T::seSirkaST, "seSirkaST", details, {12, 92, 45, 22}, Bold, {0, 90, 1, 50}},
        {&T::seSirkaMin, "seSirkaMin", details, {58, 92, 45, 22}, Bold, {0, 59, 1, 50}},
        {&T::seSirkaSek, "seSirkaSek", details, {104, 92, 45, 22}, Bold, {0, 59, 1, 50}},
        {&T::PolohaS, "PolohaS", details, {186, 92, 45, 21}, Bold, {}, {"N", "S"}},
        {&T::Label4, "Label4", details, {12, 125, 0, 0}},
        {&T::lblSirka, "lblSirka", details, {12, 134, 0, 0}, UnitMarks},
        {&T::lblPolohaD, "lblPolohaD", details, {186, 134, 0, 0}},
        {&T::seDlzkaST, "seDlzkaST", details, {12, 149, 45, 22}, Bold, {0, 180, 1, 15}},
        {&T::seDlzkaMin, "seDlzkaMin", details, {58, 149, 45, 22}, Bold, {0, 59, 1, 15}},
        {&T::seDlzkaSek, "seDlzkaSek", details, {104, 149, 45, 22}, Bold, {0, 59, 1, 15}},
        {&T::PolohaD, "PolohaD", details, {186, 149, 45, 21}, Bold, {}, {"W", "E"}},

        {&T::Label2, "Label2", nullptr, {307, 200, 0, 0}},
        {&T::Kalendar, "Kalendar", nullptr, {307, 220, 85, 21}},
        {&T::Label6, "Label6", nullptr, {309, 242, 0, 0}},

        {&T::grpCasV, "grpCasV", nullptr, {439, 185, 86, 93}},
        {&T::rbUTC, "rbUTC", timeFormat, {10, 20, 60, 17}},
        {&T::rbSEC, "rbSEC", timeFormat, {10, 37, 60, 17}},
        {&T::rbSELC, "rbSELC", timeFormat, {10, 54, 60, 17}},
        {&T::rbMiestny, "rbMiestny", timeFormat, {10, 71, 60, 17}},

        {&T::grpVysledky, "grpVysledky", nullptr, {290, 285, 235, 83}, Bold},
        {&T::lblVychod, "lblVychod", results, {2, 20, 58, 15}, ResultCaption},
        {&T::Sunrise, "Sunrise", results, {64, 20, 169, 15}, ResultValue},
        {&T::lblPoludnie, "lblPoludnie", results, {2, 40, 58, 15}, ResultCaption},
        {&T::Noon, "Noon", results, {64, 40, 169, 15}, ResultValue},
        {&T::lblZapad, "lblZapad", results, {2, 60, 58, 15}, ResultCaption},
        {&T::Sunset, "Sunset", results, {64, 60, 169, 15}, ResultValue},
    };
    return table;
}

void TfrmVantu::TControlEntry::Place(QWidget *control) const
{
    if (Geometry.isEmpty())
        control->move(Geometry.topLeft());
    else
        control->setGeometry(Geometry);
}

void TfrmVantu::TControlEntry::SetUp(QLabel *label, const TfrmVantu &window) const
{
    switch (Kind) {
    case UnitMarks:
        Place(label);
        ShowUnitMarks(label);
        break;
    case ResultCaption:
        label->setFont(PlainFont(window));
        Place(label);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case ResultValue:
        label->setFont(NarrowFont(PlainFont(window)));
        Place(label);
        MakeBlue(label);
        break;
    default:
        Place(label);
        break;
    }
}

void TfrmVantu::TControlEntry::SetUp(QTableView *grid, const TfrmVantu &window) const
{
    grid->setModel(window.FGridModel);
    Place(grid);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid for the next control; the arrow keys move within it.
    grid->setTabKeyNavigation(false);
    grid->setShowGrid(true);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(16);
    grid->verticalHeader()->setMinimumSectionSize(16);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->horizontalHeader()->setMinimumSectionSize(10);
    grid->horizontalHeader()->setFixedHeight(16);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->setColumnWidth(0, 130);
    for (int c = 1; c < LocalityFieldCount; ++c)
        grid->setColumnWidth(c, 35);
}

void TfrmVantu::TControlEntry::SetUp(QGroupBox *group, const TfrmVantu &) const
{
    Place(group);
    if (Kind == Disabled)
        group->setEnabled(false);
    else if (Kind == Bold)
        SetBold(group);
}

void TfrmVantu::TControlEntry::SetUp(TSpinEdit *spin, const TfrmVantu &) const
{
    Place(spin);
    spin->SetRange(Range.Low, Range.High);
    spin->SetIncrement(Range.Step);
    if (Kind == Bold)
        SetBold(spin);
    spin->SetValue(Range.Value);
}

void TfrmVantu::TControlEntry::SetUp(QComboBox *combo, const TfrmVantu &) const
{
    Place(combo);
    for (const char *item : Items)
        combo->addItem(QString::fromLatin1(item));
    combo->setCurrentIndex(-1);
    if (Kind == Bold)
        SetBold(combo);
}

void TfrmVantu::TControlEntry::SetUp(QDateEdit *calendar, const TfrmVantu &window) const
{
    Place(calendar);
    calendar->setCalendarPopup(true);
    calendar->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    calendar->setFont(NarrowFont(window.font()));
    // The locale's short date, always with the full year.
    QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    calendar->setDisplayFormat(format);
}

void TfrmVantu::TControlEntry::SetUp(QRadioButton *radio, const TfrmVantu &) const
{
    // Tab enters the group at its checked button and leaves it from there, as
    // the platform's radio groups do; the arrow keys move within it (they
    // pass over the focus policy of exclusive buttons).
    Place(radio);
    radio->setFocusPolicy(Qt::ClickFocus);
    QObject::connect(radio, &QRadioButton::toggled, radio, [radio](bool checked) {
        radio->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    });
}

void TfrmVantu::CreateControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(ClientWidth, ClientHeight);
    setCentralWidget(client);

    FGridModel = new TLocalityModel(FDatabase, this); // before the grid that shows it
    for (const TControlEntry &e : TControlEntry::Table()) {
        QWidget *parent = e.Group ? this->*e.Group : client;
        std::visit(
            [&](auto member) {
                using TControl = std::remove_pointer_t<std::decay_t<decltype(this->*member)>>;
                auto *control = new TControl(parent);
                control->setObjectName(QString::fromLatin1(e.Name));
                e.SetUp(control, *this);
                this->*member = control;
            },
            e.Member);
    }
    // The marks stay behind the fields they label.
    lblDlzka->lower();
    lblSirka->lower();
    rbUTC->setChecked(true);
    SizeDayLine();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    // Tab order: grid, locality details, calendar, time format, toolbar, results.
    const std::initializer_list<QWidget *> tabOrder = {
        StringGrid1, Edit1,     seHod,      seMin,      seSirkaST, seSirkaMin, seSirkaSek,
        PolohaS,     seDlzkaST, seDlzkaMin, seDlzkaSek, PolohaD,   Kalendar,   rbUTC};
    for (auto w = tabOrder.begin(); w + 1 != tabOrder.end(); ++w)
        setTabOrder(w[0], w[1]);
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
            width =
                std::max(width, metrics.horizontalAdvance(
                                    GetWeekdayName(weekday, language) + QStringLiteral(", ") + day +
                                    QStringLiteral(". ") + TextIn(MainText::DayWord, language)));
    }
    Label6->resize(width + 2, metrics.height());
}
