#include "app/RokSlnka.h"

#include "app/HorizonDrawing.h"
#include "app/YearChart.h"
#include "app/YearChartView.h"
#include "common/EventTexts.h"
#include "common/EventWriters.h"
#include "common/EventsOnClock.h"
#include "common/FileText.h"
#include "common/Messages.h"
#include "common/Texts.h"
#include "table/ResultLines.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTimeZone>
#include <QVBoxLayout>

#include <cmath>

namespace
{

namespace YearText
{

constexpr TText Title{" Rok Slnka", " Year of the Sun", " A Nap éve"};
constexpr TText ClockLabel{"Č&as:", "Cl&ock:", "&Idő:"};
// %1 = the main window's clock
constexpr TText ClockMain{"Ako v hlavnom okne (%1)", "As in the main window (%1)",
                          "Mint a főablakban (%1)"};
constexpr TText ClockUtc{"UTC", "UTC", "UTC"};
constexpr TText ClockCet{"SEČ (UTC+01:00)", "CET (UTC+01:00)", "CET (UTC+01:00)"};
constexpr TText ClockCest{"SELČ (UTC+02:00)", "CEST (UTC+02:00)", "CEST (UTC+02:00)"};
// %1 = offset such as +01:00
constexpr TText ClockLocal{"Miestny čas lokality (UTC%1)", "Clock of the place (UTC%1)",
                           "A hely saját ideje (UTC%1)"};
constexpr TText Light{"&Zlatá a modrá hodina", "&Golden and blue hours", "&Arany és kék óra"};
constexpr TText GoldenHour{"zlatá hodina", "golden hour", "arany óra"};
constexpr TText BlueHour{"modrá hodina", "blue hour", "kék óra"};
// %1 the date
constexpr TText LatestSunrise{"najneskorší východ %1", "latest sunrise %1",
                              "legkésőbbi napkelte %1"};
constexpr TText EarliestSunset{"najskorší západ %1", "earliest sunset %1",
                               "legkorábbi napnyugta %1"};
// after the time of the year's latest sunrise and earliest sunset
constexpr TText LatestMark{" (najneskorší v roku)", " (the year's latest)", " (az év legkésőbbi)"};
constexpr TText EarliestMark{" (najskorší v roku)", " (the year's earliest)",
                             " (az év legkorábbi)"};
// %1 the change, signed
constexpr TText DayChange{" (%1 oproti predošlému dňu)", " (%1 against the day before)",
                          " (%1 az előző naphoz képest)"};
// hours, minutes and seconds of the change
constexpr TText Units[3] = {{"h", "h", "óra"}, {"min", "min", "perc"}, {"s", "s", "mp"}};
constexpr TText ExportCsv{"Údaje ako &CSV…", "Data as &CSV…", "Adatok &CSV-ként…"};
constexpr TText ExportIcs{"Východy a západy ako &iCalendar…", "Sunrises and sunsets as &iCalendar…",
                          "Napkelték és napnyugták &iCalendar-ként…"};
constexpr TText Months[12] = {
    {"jan", "Jan", "jan."}, {"feb", "Feb", "febr."}, {"mar", "Mar", "márc."},
    {"apr", "Apr", "ápr."}, {"máj", "May", "máj."},  {"jún", "Jun", "jún."},
    {"júl", "Jul", "júl."}, {"aug", "Aug", "aug."},  {"sep", "Sep", "szept."},
    {"okt", "Oct", "okt."}, {"nov", "Nov", "nov."},  {"dec", "Dec", "dec."}};
constexpr TText Bands[YearChart::BandCount] = {
    {"noc", "night", "éjszaka"},
    {"astronomický súmrak", "astronomical twilight", "csillagászati szürkület"},
    {"nautický súmrak", "nautical twilight", "navigációs szürkület"},
    {"občiansky súmrak", "civil twilight", "polgári szürkület"},
    {"deň", "day", "nappal"}};
constexpr TText Sunrise{"východ", "sunrise", "napkelte"};
constexpr TText Noon{"pravé poludnie", "solar noon", "delelés"};
constexpr TText Sunset{"západ", "sunset", "napnyugta"};
constexpr TText DayLength{"dĺžka dňa", "day length", "a nappal hossza"};
constexpr TText CalendarDay{"deň v kalendári", "calendar day", "naptári nap"};
constexpr TText Equinox{"rovnodennosť", "equinox", "napéjegyenlőség"};
constexpr TText Solstice{"slnovrat", "solstice", "napforduló"};
// %1 day, %2 month
constexpr TText DayMonth{"%1. %2", "%2 %1", "%2 %1."};
// %1 place, %2 year, %3 clock
constexpr TText Caption{"%1, rok %2, %3", "%1, year %2, %3", "%1, %2. év, %3"};
// the morning twilights, then their names
constexpr TText Dawn{"Ranný súmrak", "Dawn", "Hajnali szürkület"};
constexpr TText Dusk{"večerný súmrak", "dusk", "esti szürkület"};
constexpr TText Astronomical{"astronomický", "astronomical", "csillagászati"};
constexpr TText Nautical{"nautický", "nautical", "navigációs"};
constexpr TText Civil{"občiansky", "civil", "polgári"};
constexpr TText ChartName{"Graf roka Slnka", "Chart of the year of the Sun",
                          "A Nap évének grafikonja"};
constexpr TText ChartDescription{
    "Mesiace zľava doprava, hodiny dňa zhora nadol: noc, súmraky a deň, východ, pravé poludnie a "
    "západ Slnka, dolu dĺžka dňa. Šípky vľavo a vpravo, Home, End, Page Up a Page Down vyberú deň, "
    "ktorého časy sa vypíšu pod grafom.",
    "Months from left to right, hours of the day from top to bottom: night, twilights and day, "
    "sunrise, solar noon and sunset, and the day length below. The Left and Right arrows, Home, "
    "End, Page Up and Page Down pick the day whose times are written under the chart.",
    "Balról jobbra a hónapok, fentről lefelé a nap órái: éjszaka, szürkületek és nappal, napkelte, "
    "delelés és napnyugta, alul a nappal hossza. A bal és jobb nyíl, a Home, End, Page Up és Page "
    "Down billentyű kiválasztja a napot, amelynek időpontjai a grafikon alatt olvashatók."};
constexpr TText DayLabelName{"Časy vybraného dňa", "Times of the chosen day",
                             "A kiválasztott nap időpontjai"};

} // namespace YearText

const TChartKind YearKind{"frmRokSlnka", YearText::Title, TfrmRokSlnka::ExportSize(),
                          QPageLayout::Landscape, TChartKind::TDatePart::Year};

// Clock choices before the time zones; the rest of the list holds zone ids.
enum TClockItem { ciMain, ciUtc, ciCet, ciCest, ciLocal, ciFirstZone };

// The list's item of one of the main window's clocks.
int ItemOf(TClock::TKind format)
{
    return ciUtc + std::clamp(TimeFormatIndex(format), 0, 3);
}

// Event time as hours and minutes; a date other than the row's is marked.
QString MomentText(const TDayEvents &day, TEventKind event)
{
    const std::optional<QDateTime> moment = FirstMoment(day, event);
    if (!moment)
        return QStringLiteral("–");
    return moment->time().toString(QStringLiteral("HH:mm")) + OtherDateMark(DateOf(day), *moment);
}

// "+2 min 38 s", "−45 s", "+1 h 12 min": the day length's change, signed.
QString ChangeText(int seconds, TLanguage language)
{
    const int a = std::abs(seconds);
    const auto unit = [language](int i) { return TextIn(YearText::Units[i], language); };
    const QString sign = seconds > 0   ? QStringLiteral("+")
                         : seconds < 0 ? QStringLiteral("\u2212")
                                       : QString();
    if (a >= 3600)
        return QStringLiteral("%1%2 %3 %4 %5")
            .arg(sign)
            .arg(a / 3600)
            .arg(unit(0))
            .arg(a / 60 % 60)
            .arg(unit(1));
    if (a >= 60)
        return QStringLiteral("%1%2 %3 %4 %5")
            .arg(sign)
            .arg(a / 60)
            .arg(unit(1))
            .arg(a % 60)
            .arg(unit(2));
    return QStringLiteral("%1%2 %3").arg(sign).arg(a).arg(unit(2));
}

} // namespace

TfrmRokSlnka::TfrmRokSlnka(QWidget *owner, TLanguage language)
    : TChartWindow(owner, language, YearKind)
{
    lblClock = new QLabel(this);
    lblClock->setObjectName(QStringLiteral("lblClock"));
    cbxClock = new QComboBox(this);
    cbxClock->setObjectName(QStringLiteral("cbxClock"));
    cbxClock->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cbxClock->setMaxVisibleItems(20);
    lblClock->setBuddy(cbxClock);
    chkZlataModra = new QCheckBox(this);
    chkZlataModra->setObjectName(QStringLiteral("chkZlataModra"));

    CreateExportButton();
    QMenu *menu = btnExport->menu();
    menu->addSeparator();
    actCsv = menu->addAction(QString(), this, [this] { ExportCsv(); });
    actIcs = menu->addAction(QString(), this, [this] { ExportICalendar(); });
    actCsv->setObjectName(QStringLiteral("actCsv"));
    actIcs->setObjectName(QStringLiteral("actIcs"));

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
    top->addSpacing(16);
    top->addWidget(chkZlataModra);
    top->addStretch(1);
    top->addWidget(btnExport);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Chart, 1);
    layout->addWidget(lblDay);

    connect(Chart, &TYearChartView::DayPointed, this, &TfrmRokSlnka::ShowDay);
    connect(cbxClock, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { Recompute(); });
    connect(chkZlataModra, &QCheckBox::toggled, this, [this] { Recompute(); });

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
    TChartWindow::ApplyLanguage(language);
    lblClock->setText(TextIn(YearText::ClockLabel, FLanguage));
    chkZlataModra->setText(TextIn(YearText::Light, FLanguage));
    actCsv->setText(TextIn(YearText::ExportCsv, FLanguage));
    actIcs->setText(TextIn(YearText::ExportIcs, FLanguage));
    lblDay->setAccessibleDescription(TextIn(YearText::DayLabelName, FLanguage));

    TYearChartTexts chart;
    for (const TText &month : YearText::Months)
        chart.Months.append(TextIn(month, FLanguage));
    for (int b = 0; b < YearChart::BandCount; ++b)
        chart.Bands[b] = TextIn(YearText::Bands[b], FLanguage);
    chart.Sunrise = TextIn(YearText::Sunrise, FLanguage);
    chart.Noon = TextIn(YearText::Noon, FLanguage);
    chart.Sunset = TextIn(YearText::Sunset, FLanguage);
    // In the legend's small letters, as the other entries.
    const auto entry = [this](const TText &text) {
        QString s = TextIn(text, FLanguage);
        s[0] = s[0].toLower();
        return s;
    };
    chart.VisibleSunrise = entry(EventText::VisibleSunrise);
    chart.VisibleSunset = entry(EventText::VisibleSunset);
    chart.DayLength = TextIn(YearText::DayLength, FLanguage);
    chart.CalendarDay = TextIn(YearText::CalendarDay, FLanguage);
    chart.Equinox = TextIn(YearText::Equinox, FLanguage);
    chart.Solstice = TextIn(YearText::Solstice, FLanguage);
    chart.DayMonth = TextIn(YearText::DayMonth, FLanguage);
    chart.GoldenHour = TextIn(YearText::GoldenHour, FLanguage);
    chart.BlueHour = TextIn(YearText::BlueHour, FLanguage);
    chart.LatestSunrise = TextIn(YearText::LatestSunrise, FLanguage);
    chart.EarliestSunset = TextIn(YearText::EarliestSunset, FLanguage);
    Chart->SetTexts(chart);

    // The clock choices name the main window's clock and the place's offset.
    cbxClock->setItemText(ciUtc, TextIn(YearText::ClockUtc, FLanguage));
    cbxClock->setItemText(ciCet, TextIn(YearText::ClockCet, FLanguage));
    cbxClock->setItemText(ciCest, TextIn(YearText::ClockCest, FLanguage));
    UpdateTitle();
}

void TfrmRokSlnka::UpdateTitle()
{
    cbxClock->setItemText(
        ciLocal,
        TextIn(YearText::ClockLocal, FLanguage).arg(OffsetText(FRequest.PlaceClock.FixedOffset())));
    cbxClock->setItemText(ciMain, TextIn(YearText::ClockMain, FLanguage)
                                      .arg(cbxClock->itemText(ItemOf(FRequest.MainClock.Kind()))));

    UpdateWindowTitle();

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
    const QString caption =
        TextIn(YearText::Caption, FLanguage).arg(place).arg(FRequest.Day.year()).arg(ClockName());
    Chart->SetCaption(caption);
    // The painted heading reaches screen readers with the chart's name.
    Chart->setAccessibleName(TextIn(YearText::ChartName, FLanguage) + QStringLiteral(": ") +
                             caption);
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

const QVector<TDayEvents> &TfrmRokSlnka::Rows() const
{
    return Chart->Rows();
}

std::optional<TLightBands> TfrmRokSlnka::Light() const
{
    if (!chkZlataModra->isChecked())
        return std::nullopt;
    return FRequest.Light;
}

namespace
{

bool SameBands(const std::optional<TLightBands> &a, const std::optional<TLightBands> &b)
{
    if (!a || !b)
        return !a && !b;
    return a->BlueFrom == b->BlueFrom && a->GoldenFrom == b->GoldenFrom &&
           a->GoldenTo == b->GoldenTo;
}

// The columns of the golden and blue hours, when shown.
TAngleColumns LightColumns(const std::optional<TLightBands> &light)
{
    TAngleColumns columns;
    columns.Light = light.has_value();
    columns.Bands = light.value_or(TLightBands());
    return columns;
}

} // namespace

void TfrmRokSlnka::SetRequest(const TChartRequest &r)
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
    const int year = FRequest.Day.year();
    const std::optional<TLightBands> light = Light();
    if (FRowsPlace != FRequest.Place || FRowsYear != year || FRowsClock != clock ||
        !SameBands(FRowsLight, light) || !SameHorizon(FRowsHorizon, FRequest.Horizon) ||
        Chart->Rows().isEmpty()) {
        const QDate first(year, 1, 1);
        const QDate last(year, 12, 31);
        TEventRequest request;
        RequestAngles(request, LightColumns(light));
        request.Horizon = FRequest.Horizon;
        const QVector<TDayEvents> rows = EventsOfDates(FRequest.Place, clock, first, last, request);
        // The solstices and equinoxes fall on the dates of the chosen clock.
        auto offsetAt = [&clock](const QDate &date) {
            if (!clock.IsZone())
                return clock.FixedOffset();
            const QTimeZone zone = clock.TimeZone();
            return zone.offsetFromUtc(QDateTime(date, QTime(0, 0), zone));
        };
        Chart->SetRows(rows, YearChart::SeasonDays(year, offsetAt));
        Chart->SetLight(light);
        FRowsLight = light;
        FRowsPlace = FRequest.Place;
        FRowsYear = year;
        FRowsClock = clock;
        FRowsHorizon = FRequest.Horizon;
    }
    Chart->SetCalendarDay(FRequest.Day);
    // The read-out starts at the calendar day, and stays on the day the user
    // chose as long as the year is the same.
    if (Chart->CurrentDay() < 0 && !Chart->Rows().isEmpty())
        Chart->SetCurrentDay(FRequest.Day.dayOfYear() - 1);
    ShowDay(Chart->CurrentDay());
}

void TfrmRokSlnka::ShowDay(int day)
{
    const QVector<TDayEvents> &rows = Chart->Rows();
    if (day < 0 || day >= rows.size()) {
        lblDay->clear();
        lblDay->setAccessibleName(QString());
        Chart->setAccessibleDescription(TextIn(YearText::ChartDescription, FLanguage));
        return;
    }
    const TDayEvents &row = rows[day];
    const QLocale locale = LocaleOf(FLanguage);
    const YearChart::TSunExtremes &extremes = Chart->Extremes();
    // A time, marked when it is the year's latest sunrise or earliest sunset.
    const auto sunTime = [&](const TText &name, TEventKind kind, int extreme, const TText &mark) {
        return TextIn(name, FLanguage) + u' ' + MomentText(row, kind) +
               (day == extreme ? TextIn(mark, FLanguage) : QString());
    };
    // Around a polar day or night, when the Sun last rose or set and will next.
    const QString polar = PolarText(row, FLanguage);
    QStringList parts;
    if (polar.isEmpty())
        parts << sunTime(YearText::Sunrise, TEventKind::Sunrise, extremes.LatestSunrise,
                         YearText::LatestMark);
    else
        parts << polar;
    parts << TextIn(YearText::Noon, FLanguage) + u' ' + MomentText(row, TEventKind::SolarNoon);
    if (polar.isEmpty())
        parts << sunTime(YearText::Sunset, TEventKind::Sunset, extremes.EarliestSunset,
                         YearText::EarliestMark);
    const int minutes = row.DayLength / 60;
    QString length =
        TextIn(YearText::DayLength, FLanguage) +
        QStringLiteral(" %1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
    if (row.DayLengthChange)
        length +=
            TextIn(YearText::DayChange, FLanguage).arg(ChangeText(*row.DayLengthChange, FLanguage));
    parts << length;
    const QString first = locale.toString(DateOf(row), QLocale::LongFormat) +
                          QStringLiteral(":  ") + parts.join(QStringLiteral(" · "));
    const QString second =
        QStringLiteral("%1: %2 %3, %4 %5, %6 %7 · %8: %9 %10, %11 %12, %13 %14")
            .arg(TextIn(YearText::Dawn, FLanguage), TextIn(YearText::Astronomical, FLanguage),
                 MomentText(row, TEventKind::AstronomicalDawn),
                 TextIn(YearText::Nautical, FLanguage), MomentText(row, TEventKind::NauticalDawn),
                 TextIn(YearText::Civil, FLanguage), MomentText(row, TEventKind::CivilDawn),
                 TextIn(YearText::Dusk, FLanguage))
            .arg(TextIn(YearText::Civil, FLanguage), MomentText(row, TEventKind::CivilDusk),
                 TextIn(YearText::Nautical, FLanguage), MomentText(row, TEventKind::NauticalDusk),
                 TextIn(YearText::Astronomical, FLanguage),
                 MomentText(row, TEventKind::AstronomicalDusk));
    QString text = first + QLatin1Char('\n') + second;
    if (const std::optional<TLightBands> light = Light())
        text += QLatin1Char('\n') + LightText(row, FLanguage, *light);
    if (FRequest.Horizon)
        text += QLatin1Char('\n') +
                VisibleDayLines(row, false, FLanguage, TextIn(NoEventWord, FLanguage))
                    .join(QLatin1Char('\n'));
    lblDay->setText(text);
    // Screen readers read the name; it says what the label shows.
    lblDay->setAccessibleName(text);
    // The chart has the focus while the keys move the day: its description
    // carries the day, and screen readers are told of each change (Qt 6.4
    // changes the description without telling them).
    QString year =
        QStringList{Chart->ExtremeText(0), Chart->ExtremeText(1)}.join(QStringLiteral(", "));
    if (!year.isEmpty())
        year[0] = year[0].toUpper();
    Chart->setAccessibleDescription(text + QLatin1Char('\n') + year + QLatin1Char('\n') +
                                    TextIn(YearText::ChartDescription, FLanguage));
    QAccessibleEvent changed(Chart, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

void TfrmRokSlnka::PaintChart(QPainter &p, const QSizeF &size) const
{
    Chart->Paint(p, size, false);
}

bool TfrmRokSlnka::ExportCsv()
{
    const QString path = AskExportFile(QStringLiteral("csv"), ChartFileText::FilterCsv);
    if (path.isEmpty())
        return false;
    return WriteFileOrTell(this, path, EventsCsv(Rows(), true, FLanguage, LightColumns(FRowsLight)),
                           FLanguage);
}

bool TfrmRokSlnka::ExportICalendar()
{
    const QString path = AskExportFile(QStringLiteral("ics"), ChartFileText::FilterIcs);
    if (path.isEmpty())
        return false;
    const std::optional<QByteArray> ics =
        EventsICalendar(Rows(), FRequest.Place, FLanguage, FRowsLight);
    if (!ics) {
        ShowMessage(this, TextIn(FileErrorCaption, FLanguage), QMessageBox::Critical,
                    TextIn(ChartFileText::IcsYears, FLanguage));
        return false;
    }
    return WriteFileOrTell(this, path, *ics, FLanguage);
}
