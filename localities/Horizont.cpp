#include "localities/Horizont.h"

#include "app/HorizonDrawing.h"
#include "common/EventTexts.h"
#include "common/FileLocations.h"
#include "common/HorizonFile.h"
#include "common/Messages.h"
#include "common/StandardDialogs.h"
#include "common/Texts.h"

#include <QAccessible>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace
{

namespace HorizonText
{

// %1 the place's name
constexpr TText Title{" Horizont – %1", " Horizon – %1", " Horizont – %1"};
// %1 name, %2 latitude, %3 longitude
constexpr TText Place{"Miesto: %1  (%2, %3)", "Place: %1  (%2, %3)", "Hely: %1  (%2, %3)"};
constexpr TText Points{"&Body profilu:", "&Points of the profile:", "A profil &pontjai:"};
constexpr TText Azimuth{"Azimut (°)", "Azimuth (°)", "Azimut (°)"};
constexpr TText Altitude{"Výška terénu (°)", "Terrain altitude (°)", "Terep magassága (°)"};
constexpr TText Add{"&Pridať bod", "&Add point", "Pont &hozzáadása"};
constexpr TText Remove{"&Odobrať bod", "&Remove point", "Pont &eltávolítása"};
constexpr TText Import{"&Importovať…", "&Import…", "&Importálás…"};
constexpr TText Clear{"&Vymazať", "C&lear", "&Törlés"};
constexpr TText Height{"Výš&ka nad okolím (m):", "&Height above the surroundings (m):",
                       "Magasság a &környezet felett (m):"};
// North, east, south, west and north again, under the drawing.
constexpr TText Compass{"S V J Z S", "N E S W N", "É K D Ny É"};
constexpr TText Profile{"Profil horizontu", "Profile of the horizon", "A horizont profilja"};
constexpr TText ImportFilter{"Profily horizontu (*.txt *.csv *.hor *.ini);;Všetky súbory (*)",
                             "Horizon profiles (*.txt *.csv *.hor *.ini);;All files (*)",
                             "Horizontprofilok (*.txt *.csv *.hor *.ini);;Minden fájl (*)"};
constexpr TText OnePoint{"Profil potrebuje aspoň dva body (alebo žiadny pre rovný horizont).",
                         "A profile needs at least two points (or none for a flat horizon).",
                         "A profilhoz legalább két pont kell (vagy egy sem a sík horizonthoz)."};

} // namespace HorizonText

QString Plain(const TText &label, TLanguage language)
{
    QString text = TextIn(label, language);
    text.remove(QLatin1Char('&'));
    return text.endsWith(QLatin1Char(':')) ? text.chopped(1) : text;
}

QString DmsText(double degrees, char positive, char negative)
{
    const TDmsAngle a = DmsOf(degrees);
    return QStringLiteral("%1°%2′%3″ %4")
        .arg(a.Degrees)
        .arg(a.Minutes, 2, 10, QLatin1Char('0'))
        .arg(a.Seconds, 2, 10, QLatin1Char('0'))
        .arg(QLatin1Char(a.Negative ? negative : positive));
}

// The table's editors: spin boxes within the ranges a profile file allows.
class TPointDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &index) const override
    {
        auto *editor = new QDoubleSpinBox(parent);
        editor->setFrame(false);
        editor->setDecimals(2);
        if (index.column() == 0)
            editor->setRange(0, 360);
        else
            editor->setRange(-5, 60);
        return editor;
    }
};

} // namespace

// ---------------------------------------------------------------- the drawing

THorizonProfileView::THorizonProfileView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pbProfil"));
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setMinimumHeight(120);
}

QSize THorizonProfileView::sizeHint() const
{
    return QSize(480, 150);
}

void THorizonProfileView::SetHorizon(const THorizon &horizon, TLanguage language)
{
    FHorizon = horizon;
    FLanguage = language;
    setAccessibleName(TextIn(HorizonText::Profile, language));
    setAccessibleDescription(HorizonWords(horizon, language));
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
    update();
}

void THorizonProfileView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRectF area = QRectF(rect()).adjusted(34, 8, -8, -20);
    p.fillRect(rect(), palette().base());
    p.fillRect(area, QColor(200, 225, 245));
    // Altitudes from a little below the lowest to a little above the highest.
    const double low = std::min(-2.0, std::floor(FHorizon.Lowest()) - 1);
    const double high = std::max(10.0, std::ceil(FHorizon.Highest()) + 2);
    const auto map = [&](double azimuth, double altitude) {
        return QPointF(area.left() + area.width() * azimuth / 360,
                       area.bottom() - area.height() * (altitude - low) / (high - low));
    };
    PaintHorizonSilhouette(p, FHorizon, map, low);

    // The level, the four points of the compass and the altitude scale.
    p.setPen(palette().color(QPalette::Text));
    p.drawLine(map(0, 0), map(360, 0));
    const QStringList compass = TextIn(HorizonText::Compass, FLanguage).split(QLatin1Char(' '));
    for (int i = 0; i <= 4 && i < compass.size(); ++i) {
        const QPointF at = map(90.0 * i, low);
        p.drawLine(at, at + QPointF(0, 4));
        p.drawText(QRectF(at.x() - 20, at.y() + 4, 40, 16), Qt::AlignCenter, compass[i]);
    }
    for (const double a : {0.0, high}) {
        const QPointF at = map(0, a);
        p.drawText(QRectF(0, at.y() - 8, area.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                   AngleText(a, FLanguage));
    }
    p.drawRect(area);
    if (hasFocus()) {
        QPen focus(palette().color(QPalette::Highlight));
        focus.setStyle(Qt::DotLine);
        p.setPen(focus);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

// ---------------------------------------------------------------- the dialog

TfrmHorizont::TfrmHorizont(QWidget *owner, TLanguage language, const TPlace &place,
                           const std::optional<THorizon> &horizon)
    : QDialog(owner), FLanguage(language)
{
    setObjectName(QStringLiteral("frmHorizont"));
    setWindowTitle(TextIn(HorizonText::Title, language).arg(place.Name));

    lblMiesto = new QLabel(
        TextIn(HorizonText::Place, language)
            .arg(place.Name, DmsText(place.Latitude, 'N', 'S'), DmsText(place.Longitude, 'E', 'W')),
        this);
    lblMiesto->setObjectName(QStringLiteral("lblMiesto"));
    lblMiesto->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

    auto *lblBody = new QLabel(TextIn(HorizonText::Points, language), this);
    tblBody = new QTableWidget(0, 2, this);
    tblBody->setObjectName(QStringLiteral("tblBody"));
    tblBody->setHorizontalHeaderLabels(
        {TextIn(HorizonText::Azimuth, language), TextIn(HorizonText::Altitude, language)});
    tblBody->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblBody->setItemDelegate(new TPointDelegate(tblBody));
    tblBody->setAccessibleName(Plain(HorizonText::Points, language));
    tblBody->setMinimumWidth(260);
    tblBody->setLocale(LocaleOf(language));
    lblBody->setBuddy(tblBody);

    const auto button = [this, language](const char *name, const TText &text) {
        auto *b = new QPushButton(TextIn(text, language), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    btnPridat = button("btnPridat", HorizonText::Add);
    btnOdobrat = button("btnOdobrat", HorizonText::Remove);
    btnImport = button("btnImport", HorizonText::Import);
    btnVymazat = button("btnVymazat", HorizonText::Clear);

    auto *lblVyska = new QLabel(TextIn(HorizonText::Height, language), this);
    seVyska = new QDoubleSpinBox(this);
    seVyska->setObjectName(QStringLiteral("seVyska"));
    seVyska->setRange(0, 10000);
    seVyska->setDecimals(1);
    seVyska->setLocale(LocaleOf(language));
    seVyska->setAccessibleName(Plain(HorizonText::Height, language));
    lblVyska->setBuddy(seVyska);

    pbProfil = new THorizonProfileView(this);
    FButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    NameStandardButtons(FButtons, language);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {btnPridat, btnOdobrat, btnImport, btnVymazat})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto *table = new QHBoxLayout;
    table->addWidget(tblBody, 1);
    table->addLayout(buttons);
    auto *height = new QHBoxLayout;
    height->addWidget(lblVyska);
    height->addWidget(seVyska);
    height->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblMiesto);
    layout->addWidget(pbProfil);
    layout->addWidget(lblBody);
    layout->addLayout(table, 1);
    layout->addLayout(height);
    layout->addWidget(FButtons);

    // The order of Tab: the points, their commands, the height, the drawing.
    setTabOrder(tblBody, btnPridat);
    setTabOrder(btnPridat, btnOdobrat);
    setTabOrder(btnOdobrat, btnImport);
    setTabOrder(btnImport, btnVymazat);
    setTabOrder(btnVymazat, seVyska);
    setTabOrder(seVyska, pbProfil);

    connect(btnPridat, &QPushButton::clicked, this, &TfrmHorizont::AddPoint);
    connect(btnOdobrat, &QPushButton::clicked, this, &TfrmHorizont::RemovePoint);
    connect(btnImport, &QPushButton::clicked, this, &TfrmHorizont::AskImport);
    connect(btnVymazat, &QPushButton::clicked, this, &TfrmHorizont::Clear);
    connect(tblBody, &QTableWidget::itemChanged, this, &TfrmHorizont::ProfileChanged);
    connect(seVyska, &QDoubleSpinBox::valueChanged, this, &TfrmHorizont::ProfileChanged);
    connect(FButtons, &QDialogButtonBox::accepted, this, &TfrmHorizont::accept);
    connect(FButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    if (horizon) {
        seVyska->setValue(horizon->Height());
        SetPoints(horizon->Points());
    } else {
        ProfileChanged();
    }
}

void TfrmHorizont::SetPoints(const std::vector<THorizonPoint> &points)
{
    FFilling = true;
    tblBody->setRowCount(0);
    for (const THorizonPoint &point : points) {
        const int row = tblBody->rowCount();
        tblBody->insertRow(row);
        const double values[2] = {point.Azimuth, point.Altitude};
        for (int column = 0; column < 2; ++column) {
            auto *item = new QTableWidgetItem;
            item->setData(Qt::EditRole, values[column]);
            tblBody->setItem(row, column, item);
        }
    }
    FFilling = false;
    ProfileChanged();
}

std::vector<THorizonPoint> TfrmHorizont::Points() const
{
    std::vector<THorizonPoint> points;
    for (int row = 0; row < tblBody->rowCount(); ++row) {
        const auto value = [this, row](int column) {
            const QTableWidgetItem *item = tblBody->item(row, column);
            return item ? item->data(Qt::EditRole).toDouble() : 0.0;
        };
        points.push_back({std::clamp(value(0), 0.0, 360.0), std::clamp(value(1), -5.0, 60.0)});
    }
    return points;
}

THorizon TfrmHorizont::Horizon() const
{
    return THorizon(Points(), seVyska->value());
}

void TfrmHorizont::ProfileChanged()
{
    if (FFilling)
        return;
    // A single point is no profile yet: it is drawn flat until the second comes.
    const std::vector<THorizonPoint> points = Points();
    pbProfil->SetHorizon(
        THorizon(points.size() >= 2 ? points : std::vector<THorizonPoint>(), seVyska->value()),
        FLanguage);
    btnOdobrat->setEnabled(tblBody->rowCount() > 0);
    btnVymazat->setEnabled(tblBody->rowCount() > 0 || seVyska->value() > 0);
}

void TfrmHorizont::AddPoint()
{
    // After the current row, half way to the next point's azimuth.
    std::vector<THorizonPoint> points = Points();
    const int at = tblBody->currentRow() >= 0 ? tblBody->currentRow() : int(points.size()) - 1;
    THorizonPoint point;
    if (at >= 0) {
        point = points[at];
        const double next = at + 1 < int(points.size()) ? points[at + 1].Azimuth : 360;
        point.Azimuth = std::round((point.Azimuth + std::max(next, point.Azimuth)) / 2 * 10) / 10;
    }
    points.insert(points.begin() + (at + 1), point);
    SetPoints(points);
    tblBody->setCurrentCell(at + 1, 0);
    tblBody->setFocus();
}

void TfrmHorizont::RemovePoint()
{
    const int row = tblBody->currentRow();
    if (row < 0)
        return;
    tblBody->removeRow(row);
    ProfileChanged();
}

void TfrmHorizont::Clear()
{
    FFilling = true;
    tblBody->setRowCount(0);
    seVyska->setValue(0);
    FFilling = false;
    ProfileChanged();
}

bool TfrmHorizont::Import(const QString &path)
{
    const THorizonRead read = ReadHorizonFile(path, FLanguage);
    if (!read.Ok()) {
        ShowMessage(this, TextIn(FileErrorCaption, FLanguage), QMessageBox::Critical, read.Error);
        return false;
    }
    SetPoints(read.Points);
    return true;
}

void TfrmHorizont::AskImport()
{
    // The examples the program comes with are the first place to look.
    const QString examples = FileLocations().DataFile(QStringLiteral("help/examples"));
    const QString path = AskOpenFileName(this, QFileInfo(examples).isDir() ? examples : QString(),
                                         TextIn(HorizonText::ImportFilter, FLanguage));
    if (!path.isEmpty())
        Import(path);
}

void TfrmHorizont::accept()
{
    if (tblBody->rowCount() == 1) {
        ShowMessage(this, windowTitle(), QMessageBox::Warning,
                    TextIn(HorizonText::OnePoint, FLanguage));
        tblBody->setFocus();
        return;
    }
    QDialog::accept();
}
