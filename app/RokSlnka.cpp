#include "app/RokSlnka.h"

#include "app/YearChart.h"
#include "app/YearChartView.h"
#include "common/AtomicFile.h"
#include "common/Messages.h"
#include "common/Texts.h"
#include "common/Version.h"

#include <QAccessible>
#include <QAction>
#include <QBuffer>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimeZone>
#include <QVBoxLayout>

#include <cmath>

namespace
{

struct TYearTexts {
    const char *Title;
    const char *ClockLabel;
    const char *ClockMain; // %1 = the main window's clock
    const char *ClockUtc;
    const char *ClockCet;
    const char *ClockCest;
    const char *ClockLocal; // %1 = offset such as +01:00
    const char *Export;
    const char *ExportPng;
    const char *ExportPdf;
    const char *ExportCsv;
    const char *ExportIcs;
    const char *FilterPng;
    const char *FilterPdf;
    const char *FilterCsv;
    const char *FilterIcs;
    const char *Months[12];
    const char *Bands[YearChart::BandCount];
    const char *Sunrise;
    const char *Noon;
    const char *Sunset;
    const char *DayLength;
    const char *CalendarDay;
    const char *Equinox;
    const char *Solstice;
    const char *DayMonth; // %1 day, %2 month
    const char *Caption;  // %1 place, %2 year, %3 clock
    const char *Dawn;     // the morning twilights, then their names
    const char *Dusk;
    const char *Astronomical;
    const char *Nautical;
    const char *Civil;
    const char *PolarDay;
    const char *PolarNight;
    const char *ChartName;
    const char *ChartDescription;
    const char *DayLabelName;
    const char *FileErrorCaption;
    const char *FileErrorText; // %1 = file name, %2 = the system's reason
    const char *IcsYearsText;
};

// Slovak, English, Hungarian.
const TYearTexts YearTexts[LanguageCount] = {
    {" Rok Slnka",
     "Č&as:",
     "Ako v hlavnom okne (%1)",
     "UTC",
     "SEČ (UTC+01:00)",
     "SELČ (UTC+02:00)",
     "Miestny čas lokality (UTC%1)",
     "&Export",
     "Graf ako obrázok &PNG…",
     "Graf ako &PDF…",
     "Údaje ako &CSV…",
     "Východy a západy ako &iCalendar…",
     "obrázok PNG (*.png)",
     "dokument PDF (*.pdf)",
     "tabuľka CSV (*.csv)",
     "iCalendar (*.ics)",
     {"jan", "feb", "mar", "apr", "máj", "jún", "júl", "aug", "sep", "okt", "nov", "dec"},
     {"noc", "astronomický súmrak", "nautický súmrak", "občiansky súmrak", "deň"},
     "východ",
     "pravé poludnie",
     "západ",
     "dĺžka dňa",
     "deň v kalendári",
     "rovnodennosť",
     "slnovrat",
     "%1. %2",
     "%1, rok %2, %3",
     "Ranný súmrak",
     "večerný súmrak",
     "astronomický",
     "nautický",
     "občiansky",
     "polárny deň",
     "polárna noc",
     "Graf roka Slnka",
     "Mesiace zľava doprava, hodiny dňa zhora nadol: noc, súmraky a deň, východ, pravé poludnie "
     "a západ Slnka, dolu dĺžka dňa. Šípky vľavo a vpravo, Home, End, Page Up a Page Down "
     "vyberú deň, ktorého časy sa vypíšu pod grafom.",
     "Časy vybraného dňa",
     " Chyba súboru",
     "Súbor »%1« sa nedá zapísať.\n%2",
     "iCalendar zapíše len roky 0001 až 9999."},
    {" Year of the Sun",
     "Cl&ock:",
     "As in the main window (%1)",
     "UTC",
     "CET (UTC+01:00)",
     "CEST (UTC+02:00)",
     "Clock of the place (UTC%1)",
     "&Export",
     "Chart as &PNG picture…",
     "Chart as P&DF…",
     "Data as &CSV…",
     "Sunrises and sunsets as &iCalendar…",
     "PNG picture (*.png)",
     "PDF document (*.pdf)",
     "CSV table (*.csv)",
     "iCalendar (*.ics)",
     {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
     {"night", "astronomical twilight", "nautical twilight", "civil twilight", "day"},
     "sunrise",
     "solar noon",
     "sunset",
     "day length",
     "calendar day",
     "equinox",
     "solstice",
     "%2 %1",
     "%1, year %2, %3",
     "Dawn",
     "dusk",
     "astronomical",
     "nautical",
     "civil",
     "polar day",
     "polar night",
     "Chart of the year of the Sun",
     "Months from left to right, hours of the day from top to bottom: night, twilights and day, "
     "sunrise, solar noon and sunset, and the day length below. The Left and Right arrows, Home, "
     "End, Page Up and Page Down pick the day whose times are written under the chart.",
     "Times of the chosen day",
     " File error",
     "The file »%1« cannot be written.\n%2",
     "iCalendar holds the years 0001 to 9999 only."},
    {" A Nap éve",
     "&Idő:",
     "Mint a főablakban (%1)",
     "UTC",
     "CET (UTC+01:00)",
     "CEST (UTC+02:00)",
     "A hely saját ideje (UTC%1)",
     "&Exportálás",
     "Grafikon &PNG képként…",
     "Grafikon P&DF-ként…",
     "Adatok &CSV-ként…",
     "Napkelték és napnyugták &iCalendar-ként…",
     "PNG kép (*.png)",
     "PDF dokumentum (*.pdf)",
     "CSV táblázat (*.csv)",
     "iCalendar (*.ics)",
     {"jan.", "febr.", "márc.", "ápr.", "máj.", "jún.", "júl.", "aug.", "szept.", "okt.", "nov.",
      "dec."},
     {"éjszaka", "csillagászati szürkület", "navigációs szürkület", "polgári szürkület", "nappal"},
     "napkelte",
     "delelés",
     "napnyugta",
     "a nappal hossza",
     "naptári nap",
     "napéjegyenlőség",
     "napforduló",
     "%2 %1.",
     "%1, %2. év, %3",
     "Hajnali szürkület",
     "esti szürkület",
     "csillagászati",
     "navigációs",
     "polgári",
     "sarki nappal",
     "sarki éjszaka",
     "A Nap évének grafikonja",
     "Balról jobbra a hónapok, fentről lefelé a nap órái: éjszaka, szürkületek és nappal, "
     "napkelte, delelés és napnyugta, alul a nappal hossza. A bal és jobb nyíl, a Home, End, "
     "Page Up és Page Down billentyű kiválasztja a napot, amelynek időpontjai a grafikon alatt "
     "olvashatók.",
     "A kiválasztott nap időpontjai",
     " Fájlhiba",
     "A(z) »%1« fájl nem írható.\n%2",
     "Az iCalendar csak a 0001 és 9999 közötti éveket tudja tárolni."},
};

const TYearTexts &Texts(TLanguage language)
{
    return ForLanguage(YearTexts, language);
}

QLocale LocaleOf(TLanguage language)
{
    switch (language) {
    case TLanguage::Slovak:
        return QLocale(QLocale::Slovak, QLocale::Slovakia);
    case TLanguage::Hungarian:
        return QLocale(QLocale::Hungarian, QLocale::Hungary);
    case TLanguage::English:
        break;
    }
    return QLocale(QLocale::English, QLocale::UnitedKingdom);
}

// Clock choices before the time zones; the rest of the list holds zone ids.
enum TClockItem { ciMain, ciUtc, ciCet, ciCest, ciLocal, ciFirstZone };

// The list's item of one of the main window's clocks.
int ItemOf(TClock::TKind format)
{
    return ciUtc + std::clamp(TimeFormatIndex(format), 0, 3);
}

// Event time as hours and minutes; a date other than the row's is marked.
QString MomentText(const TSunRow &row, TSunEvent event)
{
    const std::optional<QDateTime> &moment = row.At(event);
    if (!moment)
        return QStringLiteral("–");
    return moment->time().toString(QStringLiteral("HH:mm")) + OtherDateMark(row.Date, *moment);
}

} // namespace

std::function<QString(QWidget *, const QString &, const QString &)> TfrmRokSlnka::SaveDialogHook;

TfrmRokSlnka::TfrmRokSlnka(QWidget *owner, TLanguage language)
    : QWidget(owner, Qt::Window), FLanguage(language)
{
    setObjectName(QStringLiteral("frmRokSlnka"));
    setAttribute(Qt::WA_DeleteOnClose);

    lblClock = new QLabel(this);
    lblClock->setObjectName(QStringLiteral("lblClock"));
    cbxClock = new QComboBox(this);
    cbxClock->setObjectName(QStringLiteral("cbxClock"));
    cbxClock->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cbxClock->setMaxVisibleItems(20);
    lblClock->setBuddy(cbxClock);

    btnExport = new QPushButton(this);
    btnExport->setObjectName(QStringLiteral("btnExport"));
    auto *menu = new QMenu(btnExport);
    actPng = menu->addAction(QString(), this, [this] { ExportPng(); });
    actPdf = menu->addAction(QString(), this, [this] { ExportPdf(); });
    menu->addSeparator();
    actCsv = menu->addAction(QString(), this, [this] { ExportCsv(); });
    actIcs = menu->addAction(QString(), this, [this] { ExportICalendar(); });
    actPng->setObjectName(QStringLiteral("actPng"));
    actPdf->setObjectName(QStringLiteral("actPdf"));
    actCsv->setObjectName(QStringLiteral("actCsv"));
    actIcs->setObjectName(QStringLiteral("actIcs"));
    btnExport->setMenu(menu);

    Chart = new TYearChartView(this);
    lblDay = new QLabel(this);
    lblDay->setObjectName(QStringLiteral("lblDay"));
    lblDay->setWordWrap(true);
    lblDay->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Two lines always, so that the chart does not jump as the text changes.
    lblDay->setMinimumHeight(2 * lblDay->fontMetrics().lineSpacing() + 6);
    lblDay->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *top = new QHBoxLayout;
    top->addWidget(lblClock);
    top->addWidget(cbxClock);
    top->addStretch(1);
    top->addWidget(btnExport);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Chart, 1);
    layout->addWidget(lblDay);

    connect(Chart, &TYearChartView::DayPointed, this, &TfrmRokSlnka::ShowDay);
    connect(cbxClock, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { Recompute(); });

    FillClocks();
    ApplyLanguage(language);
    resize(960, 660);
}

void TfrmRokSlnka::FillClocks()
{
    const QSignalBlocker block(cbxClock);
    for (int i = 0; i < ciFirstZone; ++i)
        cbxClock->addItem(QString());
    cbxClock->insertSeparator(ciFirstZone);
    // The time zone database's own names; Qt adds fixed offsets named
    // "UTC+05:00", which the choices above already cover.
    for (const QByteArray &id : QTimeZone::availableTimeZoneIds())
        if (!id.startsWith("UTC"))
            cbxClock->addItem(QString::fromLatin1(id), id);
    cbxClock->setCurrentIndex(ciMain);
}

void TfrmRokSlnka::ApplyLanguage(TLanguage language)
{
    FLanguage = language;
    const TYearTexts &t = Texts(language);
    lblClock->setText(TextOf(t.ClockLabel));
    btnExport->setText(TextOf(t.Export));
    actPng->setText(TextOf(t.ExportPng));
    actPdf->setText(TextOf(t.ExportPdf));
    actCsv->setText(TextOf(t.ExportCsv));
    actIcs->setText(TextOf(t.ExportIcs));
    lblDay->setAccessibleDescription(TextOf(t.DayLabelName));

    TYearChartTexts chart;
    for (const char *m : t.Months)
        chart.Months.append(TextOf(m));
    for (int b = 0; b < YearChart::BandCount; ++b)
        chart.Bands[b] = TextOf(t.Bands[b]);
    chart.Sunrise = TextOf(t.Sunrise);
    chart.Noon = TextOf(t.Noon);
    chart.Sunset = TextOf(t.Sunset);
    chart.DayLength = TextOf(t.DayLength);
    chart.CalendarDay = TextOf(t.CalendarDay);
    chart.Equinox = TextOf(t.Equinox);
    chart.Solstice = TextOf(t.Solstice);
    chart.DayMonth = TextOf(t.DayMonth);
    Chart->SetTexts(chart);

    // The clock choices name the main window's clock and the place's offset.
    cbxClock->setItemText(ciUtc, TextOf(t.ClockUtc));
    cbxClock->setItemText(ciCet, TextOf(t.ClockCet));
    cbxClock->setItemText(ciCest, TextOf(t.ClockCest));
    UpdateTitle();
}

void TfrmRokSlnka::UpdateTitle()
{
    const TYearTexts &t = Texts(FLanguage);
    cbxClock->setItemText(ciLocal,
                          TextOf(t.ClockLocal).arg(OffsetText(FRequest.PlaceClock.FixedOffset())));
    cbxClock->setItemText(
        ciMain, TextOf(t.ClockMain).arg(cbxClock->itemText(ItemOf(FRequest.MainClock.Kind()))));

    QString title = TextOf(t.Title);
    if (!FRequest.Place.Name.trimmed().isEmpty())
        title += QStringLiteral(" – ") + FRequest.Place.Name.trimmed();
    setWindowTitle(title);

    QString place = FRequest.Place.Name.trimmed();
    if (place.isEmpty()) {
        const double lat = FRequest.Place.Latitude;
        const double lon = FRequest.Place.Longitude;
        place = QStringLiteral("%1° %2, %3° %4")
                    .arg(std::abs(lat), 0, 'f', 4)
                    .arg(lat < 0 ? QLatin1Char('S') : QLatin1Char('N'))
                    .arg(std::abs(lon), 0, 'f', 4)
                    .arg(lon < 0 ? QLatin1Char('W') : QLatin1Char('E'));
    }
    const QString caption = TextOf(t.Caption).arg(place).arg(FRequest.Year).arg(ClockName());
    Chart->SetCaption(caption);
    // The painted heading reaches screen readers with the chart's name.
    Chart->setAccessibleName(TextOf(t.ChartName) + QStringLiteral(": ") + caption);
    ShowDay(Chart->CurrentDay());
}

QString TfrmRokSlnka::ClockName() const
{
    const int index = cbxClock->currentIndex();
    if (index >= ciFirstZone)
        return cbxClock->currentText();
    if (index == ciMain)
        return cbxClock->itemText(ItemOf(FRequest.MainClock.Kind()));
    return cbxClock->itemText(index);
}

TClock TfrmRokSlnka::Clock() const
{
    switch (cbxClock->currentIndex()) {
    case ciMain:
        return FRequest.MainClock;
    case ciUtc:
        return TClock::Utc();
    case ciCet:
        return TClock::Cet();
    case ciCest:
        return TClock::Cest();
    case ciLocal:
        return FRequest.PlaceClock;
    default:
        return TClock::Zone(QTimeZone(cbxClock->currentData().toByteArray()));
    }
}

// A city's zone is offered and chosen when the place comes with one; when
// it goes, so does the choice made for it.
void TfrmRokSlnka::FollowPlaceZone(const QByteArray &zone)
{
    if (zone == FPlaceZone)
        return;
    const QSignalBlocker block(cbxClock);
    if (zone.isEmpty()) {
        if (cbxClock->currentData().toByteArray() == FPlaceZone)
            cbxClock->setCurrentIndex(ciMain);
    } else {
        int index = cbxClock->findData(zone);
        // A link such as Europe/Kiev is no name of the list: it joins it.
        if (index < 0 && QTimeZone(zone).isValid()) {
            cbxClock->addItem(QString::fromLatin1(zone), zone);
            index = cbxClock->count() - 1;
        }
        if (index >= 0)
            cbxClock->setCurrentIndex(index);
    }
    FPlaceZone = zone;
}

const QVector<TSunRow> &TfrmRokSlnka::Rows() const
{
    return Chart->Rows();
}

void TfrmRokSlnka::SetRequest(const TYearRequest &r)
{
    FRequest = r;
    FHasRequest = true;
    FollowPlaceZone(r.Place.Zone);
    Recompute();
}

void TfrmRokSlnka::Recompute()
{
    UpdateTitle();
    if (!FHasRequest)
        return;
    const TClock clock = Clock();
    if (FRowsPlace != FRequest.Place || FRowsYear != FRequest.Year || FRowsClock != clock ||
        Chart->Rows().isEmpty()) {
        const QDate first(FRequest.Year, 1, 1);
        const QDate last(FRequest.Year, 12, 31);
        const QVector<TSunRow> rows = SunRows(FRequest.Place, clock, first, last);
        // The solstices and equinoxes fall on the dates of the chosen clock.
        auto offsetAt = [&clock](const QDate &date) {
            if (!clock.IsZone())
                return clock.FixedOffset();
            const QTimeZone zone = clock.TimeZone();
            return zone.offsetFromUtc(QDateTime(date, QTime(0, 0), zone));
        };
        Chart->SetRows(rows, YearChart::SeasonDays(FRequest.Year, offsetAt));
        FRowsPlace = FRequest.Place;
        FRowsYear = FRequest.Year;
        FRowsClock = clock;
    }
    Chart->SetCalendarDay(FRequest.CalendarDay);
    // The read-out starts at the calendar day, and stays on the day the user
    // chose as long as the year is the same.
    if (Chart->CurrentDay() < 0 && !Chart->Rows().isEmpty()) {
        const int day =
            FRequest.CalendarDay.year() == FRequest.Year ? FRequest.CalendarDay.dayOfYear() - 1 : 0;
        Chart->SetCurrentDay(day);
    }
    ShowDay(Chart->CurrentDay());
}

void TfrmRokSlnka::ShowDay(int day)
{
    const QVector<TSunRow> &rows = Chart->Rows();
    const TYearTexts &t = Texts(FLanguage);
    if (day < 0 || day >= rows.size()) {
        lblDay->clear();
        lblDay->setAccessibleName(QString());
        Chart->setAccessibleDescription(TextOf(t.ChartDescription));
        return;
    }
    const TSunRow &row = rows[day];
    const QLocale locale = LocaleOf(FLanguage);
    QString first = locale.toString(row.Date, QLocale::LongFormat);
    const TCrossingState sun = row.State[int(TSunEvent::Sunrise)];
    if (sun == TCrossingState::AlwaysAbove)
        first += QStringLiteral(" (%1)").arg(TextOf(t.PolarDay));
    else if (sun == TCrossingState::AlwaysBelow)
        first += QStringLiteral(" (%1)").arg(TextOf(t.PolarNight));
    const int minutes = row.DayLength / 60;
    first += QStringLiteral(":  %1 %2 · %3 %4 · %5 %6 · %7 %8")
                 .arg(TextOf(t.Sunrise), MomentText(row, TSunEvent::Sunrise), TextOf(t.Noon),
                      MomentText(row, TSunEvent::SolarNoon), TextOf(t.Sunset),
                      MomentText(row, TSunEvent::Sunset), TextOf(t.DayLength),
                      QStringLiteral("%1:%2")
                          .arg(minutes / 60)
                          .arg(minutes % 60, 2, 10, QLatin1Char('0')));
    const QString second =
        QStringLiteral("%1: %2 %3, %4 %5, %6 %7 · %8: %9 %10, %11 %12, %13 %14")
            .arg(TextOf(t.Dawn), TextOf(t.Astronomical),
                 MomentText(row, TSunEvent::AstronomicalDawn), TextOf(t.Nautical),
                 MomentText(row, TSunEvent::NauticalDawn), TextOf(t.Civil),
                 MomentText(row, TSunEvent::CivilDawn), TextOf(t.Dusk))
            .arg(TextOf(t.Civil), MomentText(row, TSunEvent::CivilDusk), TextOf(t.Nautical),
                 MomentText(row, TSunEvent::NauticalDusk), TextOf(t.Astronomical),
                 MomentText(row, TSunEvent::AstronomicalDusk));
    const QString text = first + QLatin1Char('\n') + second;
    lblDay->setText(text);
    // Screen readers read the name; it says what the label shows.
    lblDay->setAccessibleName(text);
    // The chart has the focus while the keys move the day: its description
    // carries the day, and screen readers are told of each change (Qt 6.4
    // changes the description without telling them).
    Chart->setAccessibleDescription(text + QLatin1Char('\n') + TextOf(t.ChartDescription));
    QAccessibleEvent changed(Chart, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

QImage TfrmRokSlnka::ChartImage() const
{
    QImage image(ExportSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    Chart->Paint(p, QSizeF(ExportSize()), false);
    return image;
}

QString TfrmRokSlnka::ProposedName(const QString &suffix) const
{
    QString base = FRequest.Place.Name.trimmed();
    base.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|\\s]+")), QStringLiteral("_"));
    if (base.isEmpty())
        base = QStringLiteral("Vantu");
    return QStringLiteral("%1_%2.%3").arg(base).arg(FRequest.Year).arg(suffix);
}

QString TfrmRokSlnka::AskFile(const QString &proposed, const QString &filter)
{
    if (SaveDialogHook)
        return SaveDialogHook(this, proposed, filter);
    return AskSaveFileName(this, proposed, QFileInfo(proposed).suffix(), filter);
}

bool TfrmRokSlnka::WriteExport(const QString &path, const QByteArray &bytes)
{
    QString reason;
    if (WriteFileAtomically(path, bytes, &reason))
        return true;
    const TYearTexts &t = Texts(FLanguage);
    ShowMessage(this, TextOf(t.FileErrorCaption), QMessageBox::Critical,
                TextOf(t.FileErrorText).arg(path, reason).trimmed());
    return false;
}

bool TfrmRokSlnka::ExportPng()
{
    const QString path =
        AskFile(ProposedName(QStringLiteral("png")), TextOf(Texts(FLanguage).FilterPng));
    if (path.isEmpty())
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ChartImage().save(&buffer, "PNG");
    return WriteExport(path, bytes);
}

bool TfrmRokSlnka::ExportPdf()
{
    const QString path =
        AskFile(ProposedName(QStringLiteral("pdf")), TextOf(Texts(FLanguage).FilterPdf));
    if (path.isEmpty())
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        pdf.setResolution(600);
        pdf.setTitle(windowTitle().trimmed());
        pdf.setCreator(QStringLiteral(VANTU_APPLICATION_TITLE));
        QPainter p(&pdf);
        // The chart keeps the proportions of the PNG, scaled to the page.
        const QSizeF chart(ExportSize());
        const QRect page = pdf.pageLayout().paintRectPixels(pdf.resolution());
        const double scale = std::min(page.width() / chart.width(), page.height() / chart.height());
        p.scale(scale, scale);
        Chart->Paint(p, chart, false);
    }
    return WriteExport(path, bytes);
}

bool TfrmRokSlnka::ExportCsv()
{
    const QString path =
        AskFile(ProposedName(QStringLiteral("csv")), TextOf(Texts(FLanguage).FilterCsv));
    if (path.isEmpty())
        return false;
    return WriteExport(path, SunRowsCsv(Rows(), true, FLanguage));
}

bool TfrmRokSlnka::ExportICalendar()
{
    const QString path =
        AskFile(ProposedName(QStringLiteral("ics")), TextOf(Texts(FLanguage).FilterIcs));
    if (path.isEmpty())
        return false;
    const std::optional<QByteArray> ics = SunRowsICalendar(Rows(), FRequest.Place, FLanguage);
    if (!ics) {
        const TYearTexts &t = Texts(FLanguage);
        ShowMessage(this, TextOf(t.FileErrorCaption), QMessageBox::Critical,
                    TextOf(t.IcsYearsText));
        return false;
    }
    return WriteExport(path, *ics);
}

void TfrmRokSlnka::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}
