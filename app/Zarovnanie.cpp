#include "app/Zarovnanie.h"

#include "app/ChartWindow.h"
#include "common/EventTexts.h"
#include "common/EventsOnClock.h"
#include "common/FileText.h"
#include "common/Messages.h"
#include "common/StandardDialogs.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

namespace AlignText
{

constexpr TText Title{" Dni v smere azimutu", " Dates of alignment", " Egyvonalba esés napjai"};
constexpr TText Year{"&Rok:", "&Year:", "&Év:"};
constexpr TText Bearing{"&Azimut:", "&Bearing:", "&Irányszög:"};
constexpr TText Tolerance{"&Tolerancia:", "&Tolerance:", "&Tűrés:"};
constexpr TText Columns[4] = {{"Dátum", "Date", "Dátum"},
                              {"Udalosť", "Event", "Esemény"},
                              {"Čas", "Time", "Idő"},
                              {"Azimut", "Azimuth", "Azimut"}};
// %1 how many, %2 the bearing, %3 the tolerance
constexpr TText Found{"Východy a západy do %3 od azimutu %2: %1",
                      "Risings and settings within %3 of %2: %1",
                      "Kelték és nyugták %2 irányától %3-on belül: %1"};
constexpr TText ExportCsv{"Tabuľka ako &CSV…", "Table as &CSV…", "Táblázat &CSV-ként…"};
constexpr TText ExportIcs{"Dni ako &iCalendar…", "Dates as &iCalendar…", "Napok &iCalendar-ként…"};

} // namespace AlignText

const TText *const EventNames[4] = {&EventText::Sunrise, &EventText::Sunset, &EventText::Moonrise,
                                    &EventText::Moonset};

QString EventName(TEventKind kind, TLanguage language)
{
    switch (kind) {
    case TEventKind::Sunrise:
        return TextIn(*EventNames[0], language);
    case TEventKind::Sunset:
        return TextIn(*EventNames[1], language);
    case TEventKind::Moonrise:
        return TextIn(*EventNames[2], language);
    default:
        return TextIn(*EventNames[3], language);
    }
}

} // namespace

TfrmZarovnanie::TfrmZarovnanie(QWidget *owner, TLanguage language)
    : QDialog(owner), FLanguage(language)
{
    setObjectName(QStringLiteral("frmZarovnanie"));
    const QLocale locale = LocaleOf(language);
    lblRok = new QLabel(this);
    seRok = new QSpinBox(this);
    seRok->setObjectName(QStringLiteral("seRok"));
    seRok->setRange(1, 9999);
    lblAzimut = new QLabel(this);
    seAzimut = new QDoubleSpinBox(this);
    seAzimut->setObjectName(QStringLiteral("seAzimut"));
    seAzimut->setRange(0, 360);
    seAzimut->setDecimals(1);
    seAzimut->setSuffix(QStringLiteral("°"));
    lblTolerancia = new QLabel(this);
    seTolerancia = new QDoubleSpinBox(this);
    seTolerancia->setObjectName(QStringLiteral("seTolerancia"));
    seTolerancia->setRange(0.1, 10);
    seTolerancia->setDecimals(1);
    seTolerancia->setSingleStep(0.1);
    seTolerancia->setSuffix(QStringLiteral("°"));
    seTolerancia->setValue(DefaultTolerance);
    for (QAbstractSpinBox *box :
         {static_cast<QAbstractSpinBox *>(seRok), static_cast<QAbstractSpinBox *>(seAzimut),
          static_cast<QAbstractSpinBox *>(seTolerancia)})
        box->setLocale(locale);
    lblRok->setBuddy(seRok);
    lblAzimut->setBuddy(seAzimut);
    lblTolerancia->setBuddy(seTolerancia);

    tblDatumy = new QTableWidget(0, 4, this);
    tblDatumy->setObjectName(QStringLiteral("tblDatumy"));
    tblDatumy->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblDatumy->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblDatumy->verticalHeader()->hide();
    tblDatumy->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lblPocet = new QLabel(this);
    lblPocet->setObjectName(QStringLiteral("lblPocet"));
    lblPocet->setWordWrap(true);

    btnExport = new QPushButton(this);
    btnExport->setObjectName(QStringLiteral("btnExport"));
    auto *menu = new QMenu(btnExport);
    actCsv = menu->addAction(QString(), this, [this] { ExportCsv(); });
    actIcs = menu->addAction(QString(), this, [this] { ExportICalendar(); });
    actCsv->setObjectName(QStringLiteral("actCsv"));
    actIcs->setObjectName(QStringLiteral("actIcs"));
    btnExport->setMenu(menu);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(btnExport, QDialogButtonBox::ActionRole);
    NameStandardButtons(buttons, language);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *inputs = new QHBoxLayout;
    for (const auto &[label, box] : {std::pair<QLabel *, QWidget *>{lblRok, seRok},
                                     {lblAzimut, seAzimut},
                                     {lblTolerancia, seTolerancia}}) {
        inputs->addWidget(label);
        inputs->addWidget(box);
        inputs->addSpacing(12);
    }
    inputs->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addWidget(tblDatumy, 1);
    layout->addWidget(lblPocet);
    layout->addWidget(buttons);

    connect(seRok, qOverload<int>(&QSpinBox::valueChanged), this, [this] { Recompute(); });
    for (QDoubleSpinBox *box : {seAzimut, seTolerancia})
        connect(box, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
                [this] { Recompute(); });
    ApplyLanguage();
    resize(620, 480);
}

void TfrmZarovnanie::ApplyLanguage()
{
    lblRok->setText(TextIn(AlignText::Year, FLanguage));
    lblAzimut->setText(TextIn(AlignText::Bearing, FLanguage));
    lblTolerancia->setText(TextIn(AlignText::Tolerance, FLanguage));
    QStringList headers;
    for (const TText &column : AlignText::Columns)
        headers << TextIn(column, FLanguage);
    tblDatumy->setHorizontalHeaderLabels(headers);
    btnExport->setText(TextIn(ChartFileText::Export, FLanguage));
    RoomForMenuArrow(btnExport);
    actCsv->setText(TextIn(AlignText::ExportCsv, FLanguage));
    actIcs->setText(TextIn(AlignText::ExportIcs, FLanguage));
}

void TfrmZarovnanie::SetRequest(const TPlace &place, const TClock &clock, int year, double bearing)
{
    FPlace = place;
    FClock = clock;
    QString title = TextIn(AlignText::Title, FLanguage);
    if (!place.Name.trimmed().isEmpty())
        title += QStringLiteral(" – ") + place.Name.trimmed();
    setWindowTitle(title);
    {
        const QSignalBlocker year_(seRok), bearing_(seAzimut);
        seRok->setValue(year);
        seAzimut->setValue(bearing);
    }
    Recompute();
}

void TfrmZarovnanie::Recompute()
{
    const int year = seRok->value();
    if (FDays.isEmpty() || FDaysPlace != FPlace || FDaysClock != FClock || FDaysYear != year) {
        TEventRequest request;
        request.Azimuths = request.Moon = true;
        FDays = EventsOfDates(FPlace, FClock, QDate(year, 1, 1), QDate(year, 12, 31), request);
        FDaysPlace = FPlace;
        FDaysClock = FClock;
        FDaysYear = year;
    }
    FList = Alignments(FDays, seAzimut->value(), seTolerancia->value());
    FillTable();
}

void TfrmZarovnanie::FillTable()
{
    const QLocale locale = LocaleOf(FLanguage);
    tblDatumy->setRowCount(int(FList.size()));
    for (int row = 0; row < FList.size(); ++row) {
        const TAlignment &a = FList[row];
        const QDateTime moment = MomentOf(a.Event);
        const QString cells[4] = {
            locale.toString(a.Date, QLocale::LongFormat), EventName(a.Event.Kind, FLanguage),
            moment.time().toString(QStringLiteral("HH:mm:ss")) + OtherDateMark(a.Date, moment),
            DecimalText(a.Event.Azimuth, 2, FLanguage) + QStringLiteral("°")};
        for (int column = 0; column < 4; ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            if (column >= 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblDatumy->setItem(row, column, item);
        }
    }
    lblPocet->setText(FList.isEmpty() ? TextIn(EventText::NoAlignment, FLanguage)
                                      : TextIn(AlignText::Found, FLanguage)
                                            .arg(FList.size())
                                            .arg(AngleText(seAzimut->value(), FLanguage),
                                                 AngleText(seTolerancia->value(), FLanguage)));
    btnExport->setEnabled(!FList.isEmpty());
}

QString TfrmZarovnanie::AskFile(const QString &suffix, const QString &filter)
{
    // Bratislava_2026_299.3.csv: the place, the year and the bearing.
    const QString name = QStringLiteral("%1_%2_%3.%4")
                             .arg(FileNameBase(FPlace.Name))
                             .arg(seRok->value())
                             .arg(seAzimut->value(), 0, 'f', 1)
                             .arg(suffix);
    return AskSaveFileName(this, name, suffix, filter);
}

bool TfrmZarovnanie::ExportCsv()
{
    const QString path =
        AskFile(QStringLiteral("csv"), TextIn(ChartFileText::FilterCsv, FLanguage));
    if (path.isEmpty())
        return false;
    return WriteFileOrTell(this, path, AlignmentsCsv(FList), FLanguage);
}

bool TfrmZarovnanie::ExportICalendar()
{
    const QString path =
        AskFile(QStringLiteral("ics"), TextIn(ChartFileText::FilterIcs, FLanguage));
    if (path.isEmpty())
        return false;
    const std::optional<QByteArray> ics = AlignmentsICalendar(FList, FPlace, FLanguage);
    if (!ics) {
        ShowMessage(this, TextIn(FileErrorCaption, FLanguage), QMessageBox::Critical,
                    TextIn(ChartFileText::IcsYears, FLanguage));
        return false;
    }
    return WriteFileOrTell(this, path, *ics, FLanguage);
}
