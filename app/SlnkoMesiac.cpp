#include "app/SlnkoMesiac.h"

#include "app/HorizonDrawing.h"
#include "app/SkyChartView.h"
#include "app/Zarovnanie.h"
#include "common/EventTexts.h"
#include "common/EventsOnClock.h"
#include "common/FileText.h"
#include "common/Texts.h"
#include "table/ResultLines.h"

#include <QAccessible>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

namespace
{

namespace SkyText
{

constexpr TText Title{" Slnko a Mesiac", " Sun and Moon", " Nap és Hold"};
constexpr TText Time{"Č&as:", "&Time:", "&Idő:"};
constexpr TText Bearing{"A&zimut:", "&Bearing:", "Irány&szög:"};
constexpr TText NoBearing{"žiadny", "none", "nincs"};
constexpr TText Height{"&Výška predmetu (m):", "Object &height (m):", "&Tárgy magassága (m):"};
constexpr TText Alignments{"Dni v &smere azimutu…", "&Dates of alignment…",
                           "Egy&vonalba esés napjai…"};
constexpr TText Directions[4] = {
    {"S", "N", "É"}, {"V", "E", "K"}, {"J", "S", "D"}, {"Z", "W", "Ny"}};
constexpr TText SunPath{"dráha Slnka", "the Sun's path", "a Nap útja"};
constexpr TText MoonPath{"dráha Mesiaca", "the Moon's path", "a Hold útja"};
constexpr TText Rise{"východ", "rise", "kel"};
constexpr TText Set{"západ", "set", "nyugszik"};
constexpr TText GoldenHour{"zlatá hodina", "golden hour", "arany óra"};
constexpr TText BlueHour{"modrá hodina", "blue hour", "kék óra"};
constexpr TText BearingMark{"azimut", "bearing", "irányszög"};
constexpr TText Shadow{"tieň", "shadow", "árnyék"};
// %1 time, %2 azimuth
constexpr TText Sunrise{"Východ Slnka %1, azimut %2°", "Sunrise %1, azimuth %2°",
                        "Napkelte %1, azimut %2°"};
// %1 time, %2 azimuth
constexpr TText Sunset{"Západ Slnka %1, azimut %2°", "Sunset %1, azimuth %2°",
                       "Napnyugta %1, azimut %2°"};
// %1 time, %2 altitude, %3 azimuth
constexpr TText SunAt{"Slnko o %1: výška %2°, azimut %3°", "Sun at %1: altitude %2°, azimuth %3°",
                      "A Nap %1-kor: magasság %2°, azimut %3°"};
// the parts of the Moon's line, %1 the time or times
constexpr TText Moonrise{"východ Mesiaca %1", "moonrise %1", "holdkelte %1"};
constexpr TText Moonset{"západ %1", "moonset %1", "holdnyugta %1"};
constexpr TText Transit{"kulminácia %1", "transit %1", "delelés %1"};
constexpr TText NoTransit{"bez kulminácie", "no transit", "nincs delelés"};
// %1 time, %2 altitude, %3 azimuth
constexpr TText MoonAt{"Mesiac o %1: výška %2°, azimut %3°",
                       "Moon at %1: altitude %2°, azimuth %3°",
                       "A Hold %1-kor: magasság %2°, azimut %3°"};
// %1 per cent, %2 phase
constexpr TText MoonLight{"Mesiac osvetlený na %1 %, %2", "Moon %1 % lit, %2",
                          "A Hold %1 %-ban megvilágított, %2"};
// %1 date
constexpr TText NextNew{"Najbližší nov: %1", "Next new Moon: %1", "Következő újhold: %1"};
constexpr TText NextFull{"Najbližší spln: %1", "Next full Moon: %1", "Következő telihold: %1"};
// %1 the bearing, %2 the passes
constexpr TText SunBearing{"Slnko na azimute %1: %2", "Sun at bearing %1: %2",
                           "A Nap %1 irányban: %2"};
constexpr TText MoonBearing{"Mesiac na azimute %1: %2", "Moon at bearing %1: %2",
                            "A Hold %1 irányban: %2"};
// %1 time, %2 altitude
constexpr TText Pass{"%1 (výška %2°)", "%1 (altitude %2°)", "%1 (magasság %2°)"};
// %1 the bearing
constexpr TText MoonNotPassed{"Mesiac v tento deň neprejde azimutom %1",
                              "The Moon does not pass %1 on this date",
                              "A Hold ezen a napon nem halad át a(z) %1 irányon"};
constexpr TText MoonBelow{"Mesiac prejde azimutom %1 pod obzorom",
                          "The Moon passes %1 below the horizon",
                          "A Hold a látóhatár alatt halad át a(z) %1 irányon"};
// %1 height, %2 time, %3 length, %4 direction
constexpr TText ShadowLine{"Tieň predmetu vysokého %1 m o %2: %3 m, smerom %4°",
                           "Shadow of a %1 m object at %2: %3 m, towards %4°",
                           "Egy %1 m magas tárgy árnyéka %2-kor: %3 m, %4° irányban"};
// %1 height, %2 time
constexpr TText NoShadow{"Predmet vysoký %1 m o %2 nevrhá tieň: Slnko je pod obzorom.",
                         "At %2 a %1 m object casts no shadow: the Sun is below the horizon.",
                         "%2-kor egy %1 m magas tárgynak nincs árnyéka: a Nap a látóhatár alatt "
                         "van."};
constexpr TText ChartName{"Obloha dňa", "Sky of the day", "A nap égboltja"};
constexpr TText ChartHelp{
    "Kruh je obzor, stred nad hlavou, sever hore a východ vpravo; pás okolo kruhu ukazuje prvé "
    "stupne pod obzorom. Šípky vľavo a vpravo posunú čas o 10 minút, Page Up a Page Down o hodinu. "
    "Kliknutie na obzor vyberie azimut.",
    "The circle is the horizon, the centre overhead, north up and east to the right; the rim "
    "around it shows the first degrees below the horizon. The Left and Right arrows move the time "
    "by 10 minutes, Page Up and Page Down by an hour. A click on the horizon picks a bearing.",
    "A kör a látóhatár, a közepe a fejünk fölött, észak fent, kelet jobbra; a kör körüli sáv a "
    "látóhatár alatti első fokokat mutatja. A bal és jobb nyíl 10 perccel, a Page Up és a Page "
    "Down egy órával mozgatja az időt. A látóhatárra kattintva irányszög választható."};
// %1 place, %2 date, %3 clock
constexpr TText Caption{"%1, %2, %3", "%1, %2, %3", "%1, %2, %3"};

} // namespace SkyText

const TChartKind SkyKind{"frmSlnkoMesiac", SkyText::Title, TfrmSlnkoMesiac::ExportSize(),
                         QPageLayout::Landscape, TChartKind::TDatePart::Date};

// The chart's fixed texts; its caption follows the place, day and clock.
TSkyChartTexts ChartTexts(TLanguage language)
{
    TSkyChartTexts texts;
    for (const TText &direction : SkyText::Directions)
        texts.Directions << TextIn(direction, language);
    texts.SunPath = TextIn(SkyText::SunPath, language);
    texts.MoonPath = TextIn(SkyText::MoonPath, language);
    texts.Rise = TextIn(SkyText::Rise, language);
    texts.Set = TextIn(SkyText::Set, language);
    texts.GoldenHour = TextIn(SkyText::GoldenHour, language);
    texts.BlueHour = TextIn(SkyText::BlueHour, language);
    texts.Bearing = TextIn(SkyText::BearingMark, language);
    texts.Shadow = TextIn(SkyText::Shadow, language);
    return texts;
}

std::optional<double> FirstAzimuth(const TDayEvents &day, TEventKind kind)
{
    const TEvent *e = day.First(kind);
    if (!e || !std::isfinite(e->Azimuth))
        return std::nullopt;
    return e->Azimuth;
}

QString Number(const QLocale &locale, double value, int decimals)
{
    // A minus sign, not a hyphen, before a negative altitude.
    return locale.toString(value, 'f', decimals).replace(QLatin1Char('-'), QChar(0x2212));
}

// To the nearest minute, as tables of rise and set in minutes give them.
QString Hhmm(const TEvent &e)
{
    return MomentOf(e).addSecs(30).time().toString(QStringLiteral("HH:mm"));
}

// A piece of a line as a sentence of its own: without the punctuation that
// joined it to the piece before, with a capital and a full stop.
QString Sentence(QString piece)
{
    while (!piece.isEmpty() && (piece[0] == u';' || piece[0] == u',' || piece[0] == u' '))
        piece.remove(0, 1);
    if (piece.isEmpty())
        return piece;
    piece[0] = piece[0].toUpper();
    return piece.endsWith(u'.') ? piece : piece + u'.';
}

QString Capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

// Sunrise or sunset missing from an ordinary date.
QString MissingOnDate(const TDayEvents &day, TEventKind kind, TLanguage language)
{
    const QString why = day.Status(kind) == TEventStatus::Failed
                            ? QStringLiteral(" (") + TextIn(EventText::Failed, language) + u')'
                            : TextIn(EventText::OnThisDate, language);
    return Sentence(TextIn(EventText::NoEvent[int(kind)], language) + why);
}

} // namespace

TfrmSlnkoMesiac::TfrmSlnkoMesiac(QWidget *owner, TLanguage language)
    : TChartWindow(owner, language, SkyKind)
{
    Chart = new TSkyChartView(this);
    lblCas = new QLabel(this);
    lblCas->setObjectName(QStringLiteral("lblCas"));
    sldCas = new QSlider(Qt::Horizontal, this);
    sldCas->setObjectName(QStringLiteral("sldCas"));
    sldCas->setSingleStep(10);
    sldCas->setPageStep(60);
    // Page Up goes back an hour, as on the chart.
    sldCas->installEventFilter(this);
    lblCas->setBuddy(sldCas);
    lblCasHodnota = new QLabel(this);
    lblCasHodnota->setObjectName(QStringLiteral("lblCasHodnota"));
    lblCasHodnota->setMinimumWidth(
        lblCasHodnota->fontMetrics().horizontalAdvance(QStringLiteral("00:00 (+1)")) + 4);
    lblObloha = new QLabel(this);
    lblObloha->setObjectName(QStringLiteral("lblObloha"));
    lblObloha->setWordWrap(true);
    lblObloha->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblObloha->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblObloha->setMinimumWidth(300);

    CreateBoxes();
    btnZarovnanie = new QPushButton(this);
    btnZarovnanie->setObjectName(QStringLiteral("btnZarovnanie"));
    CreateExportButton();

    auto *boxes = new QFormLayout;
    boxes->addRow(lblAzimut, seAzimut);
    boxes->addRow(lblVyska, seVyska);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnZarovnanie);
    buttons->addWidget(btnExport);
    buttons->addStretch(1);
    auto *side = new QVBoxLayout;
    side->addWidget(lblObloha, 1);
    side->addLayout(boxes);
    side->addLayout(buttons);
    auto *time = new QHBoxLayout;
    time->addWidget(lblCas);
    time->addWidget(sldCas, 1);
    time->addWidget(lblCasHodnota);
    auto *layout = new QGridLayout(this);
    layout->addWidget(Chart, 0, 0);
    layout->addLayout(side, 0, 1);
    layout->addLayout(time, 1, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    setTabOrder(Chart, sldCas);
    setTabOrder(sldCas, seAzimut);
    setTabOrder(seAzimut, seVyska);
    setTabOrder(seVyska, btnZarovnanie);
    setTabOrder(btnZarovnanie, btnExport);

    connect(sldCas, &QSlider::valueChanged, this, [this] { ShowChosenTime(); });
    connect(Chart, &TSkyChartView::TimeStepped, this,
            [this](int minutes) { SetChosenMinute(ChosenMinute() + minutes); });
    connect(btnZarovnanie, &QPushButton::clicked, this, [this] { ShowAlignments(); });
    ApplyLanguage(language);
    resize(900, 620);
}

// The bearing and the object's height, each fed into the chart and the text.
void TfrmSlnkoMesiac::CreateBoxes()
{
    lblAzimut = new QLabel(this);
    seAzimut = new QDoubleSpinBox(this);
    seAzimut->setObjectName(QStringLiteral("seAzimut"));
    // Below 0 stands for no bearing, named by the special text.
    seAzimut->setRange(-1, 360);
    seAzimut->setDecimals(1);
    seAzimut->setSuffix(QStringLiteral("°"));
    seAzimut->setValue(-1);
    lblAzimut->setBuddy(seAzimut);
    lblVyska = new QLabel(this);
    seVyska = new QDoubleSpinBox(this);
    seVyska->setObjectName(QStringLiteral("seVyska"));
    seVyska->setRange(0.01, 10000);
    seVyska->setDecimals(2);
    seVyska->setSingleStep(0.1);
    seVyska->setValue(1.8);
    lblVyska->setBuddy(seVyska);
    connect(Chart, &TSkyChartView::BearingPicked, this,
            [this](double azimuth) { SetBearing(azimuth); });
    connect(seAzimut, qOverload<double>(&QDoubleSpinBox::valueChanged), this, [this] {
        if (FDayStart == 0)
            return;
        Recompute();
        ShowChosenTime();
    });
    connect(seVyska, qOverload<double>(&QDoubleSpinBox::valueChanged), this, [this] {
        if (FDayStart != 0)
            ShowChosenTime();
    });
}

void TfrmSlnkoMesiac::ApplyLanguage(TLanguage language)
{
    TChartWindow::ApplyLanguage(language);
    const QLocale locale = LocaleOf(FLanguage);
    lblCas->setText(TextIn(SkyText::Time, FLanguage));
    lblAzimut->setText(TextIn(SkyText::Bearing, FLanguage));
    seAzimut->setSpecialValueText(TextIn(SkyText::NoBearing, FLanguage));
    seAzimut->setLocale(locale);
    lblVyska->setText(TextIn(SkyText::Height, FLanguage));
    seVyska->setLocale(locale);
    btnZarovnanie->setText(TextIn(SkyText::Alignments, FLanguage));
    Chart->SetTexts(ChartTexts(FLanguage));
    // The title and the texts of the day, once there is a day.
    if (FDayStart != 0) {
        UpdateWindowTitle();
        ShowChosenTime();
    }
}

int TfrmSlnkoMesiac::ChosenMinute() const
{
    return sldCas->value();
}

void TfrmSlnkoMesiac::SetChosenMinute(int minute)
{
    sldCas->setValue(std::clamp(minute, 0, FDayMinutes - 1));
}

std::optional<double> TfrmSlnkoMesiac::Bearing() const
{
    if (seAzimut->value() < 0)
        return std::nullopt;
    return seAzimut->value();
}

void TfrmSlnkoMesiac::SetBearing(std::optional<double> bearing)
{
    seAzimut->setValue(bearing ? std::fmod(*bearing, 360.0) : -1);
}

QDateTime TfrmSlnkoMesiac::ChosenMoment() const
{
    const qint64 ms = FDayStart + qint64(ChosenMinute()) * 60000;
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, FRequest.MainClock.OffsetAtMs(ms));
}

void TfrmSlnkoMesiac::SetRequest(const TChartRequest &request)
{
    const bool sameDay =
        FRequest.Day == request.Day && FRequest.MainClock == request.MainClock && FDayStart != 0;
    FRequest = request;
    Recompute();
    if (sameDay)
        return ShowChosenTime();
    // Now when the calendar's day is today, else solar noon.
    const std::optional<QDateTime> noon = FirstMoment(FDay, TEventKind::SolarNoon);
    const qint64 at = request.Now.isValid() && request.Now.toMSecsSinceEpoch() >= FDayStart &&
                              request.Now.toMSecsSinceEpoch() < FDayStart + FDayMinutes * 60000LL
                          ? request.Now.toMSecsSinceEpoch()
                      : noon ? noon->toMSecsSinceEpoch()
                             : FDayStart + 12 * 3600000LL;
    const int minute = int((at - FDayStart) / 60000);
    if (minute == ChosenMinute())
        ShowChosenTime();
    SetChosenMinute(minute);
}

void TfrmSlnkoMesiac::Recompute()
{
    const TChartRequest &r = FRequest;
    const TClock &clock = r.MainClock;
    FDayStart = DateStart(r.Day, clock).UnixMs();
    FDayMinutes = int((DateStart(r.Day.addDays(1), clock).UnixMs() - FDayStart) / 60000);
    {
        const QSignalBlocker block(sldCas);
        sldCas->setRange(0, std::max(0, FDayMinutes - 1));
    }
    TEventRequest request;
    request.Azimuths = request.Moon = true;
    request.Horizon = r.Horizon;
    TAngleColumns light;
    light.Light = true;
    light.Bands = r.Light;
    RequestAngles(request, light);
    const std::optional<double> bearing = Bearing();
    if (bearing)
        request.Bearings = request.MoonBearings = {*bearing};
    FDay = EventsOfDate(r.Place, clock, r.Day, request);

    using namespace SkyChart;
    FChart = TSkyChartData();
    FChart.Horizon = r.Horizon;
    const QVector<TPathPoint> sun = Path(TBody::Sun, r.Place, r.Day, clock, 5);
    FChart.SunPieces = AbovePieces(sun);
    FChart.MoonPieces = AbovePieces(Path(TBody::Moon, r.Place, r.Day, clock, 10));
    FChart.SunHours = WholeHours(sun, clock);
    FChart.Sunrise = FirstAzimuth(FDay, TEventKind::Sunrise);
    FChart.Sunset = FirstAzimuth(FDay, TEventKind::Sunset);
    FChart.Moonrise = FirstAzimuth(FDay, TEventKind::Moonrise);
    FChart.Moonset = FirstAzimuth(FDay, TEventKind::Moonset);
    // The rim reaches down to the blue hour's lower bound, within reason.
    FChart.RimDepth = std::clamp(-r.Light.BlueFrom, 6.0, 12.0);
    for (const TStretch &s : StretchesBetween(FDay, r.Light.GoldenFrom, r.Light.GoldenTo))
        FChart.GoldenPieces << Stretch(TBody::Sun, r.Place, s.From.UnixMs(), s.To.UnixMs(), 2);
    for (const TStretch &s : StretchesBetween(FDay, r.Light.BlueFrom, r.Light.GoldenFrom))
        FChart.BluePieces << Stretch(TBody::Sun, r.Place, s.From.UnixMs(), s.To.UnixMs(), 2);
    FChart.Bearing = bearing;
    if (bearing) {
        for (const TEvent *e : FDay.All(TEventKind::SunBearing, *bearing))
            FChart.SunOnBearing << THorizontal{e->Altitude, e->Azimuth};
        for (const TEvent *e : FDay.All(TEventKind::MoonBearing, *bearing))
            FChart.MoonOnBearing << THorizontal{e->Altitude, e->Azimuth};
    }
    UpdateWindowTitle();
}

// Sunrise and sunset with their azimuths, each of a date that holds two; a
// sentence for what does not happen, with the last and next around a polar
// day or night.
QStringList TfrmSlnkoMesiac::SunLines() const
{
    const QLocale locale = LocaleOf(FLanguage);
    QStringList lines;
    const QString polar = PolarText(FDay, FLanguage);
    if (!polar.isEmpty()) {
        const bool night = FDay.Status(TEventKind::Sunrise) == TEventStatus::BelowAllDay;
        // The words after the kind of day: "last sunset ..., next sunrise ...".
        const QString around = polar.section(QStringLiteral("; "), 1);
        lines << Sentence(
                     TextIn(night ? EventText::SkyText::PolarNight : EventText::SkyText::PolarDay,
                            FLanguage))
              << Sentence(around.isEmpty() ? polar : around);
        return lines;
    }
    for (const auto &[kind, text] :
         {std::pair<TEventKind, TText>{TEventKind::Sunrise, SkyText::Sunrise},
          {TEventKind::Sunset, SkyText::Sunset}}) {
        const std::vector<const TEvent *> all = FDay.All(kind);
        if (all.empty())
            lines << MissingOnDate(FDay, kind, FLanguage);
        for (const TEvent *e : all)
            lines << TextIn(text, FLanguage).arg(Hhmm(*e), Number(locale, e->Azimuth, 1));
    }
    return lines;
}

// Moonrise, moonset and transit in one line, or a sentence when the Moon
// stays up or down all day.
QStringList TfrmSlnkoMesiac::MoonLines() const
{
    const auto times = [this](TEventKind kind) {
        QStringList all;
        for (const TEvent *e : FDay.All(kind))
            all << Hhmm(*e);
        return all.join(TextIn(EventText::And, FLanguage));
    };
    QStringList parts;
    const TEventStatus rise = FDay.Status(TEventKind::Moonrise);
    if (rise == TEventStatus::AboveAllDay || rise == TEventStatus::BelowAllDay) {
        QString away =
            Sentence(TextIn(rise == TEventStatus::AboveAllDay ? EventText::SkyText::MoonUp
                                                              : EventText::SkyText::MoonDown,
                            FLanguage));
        parts << away.chopped(1);
    } else {
        for (const auto &[kind, text, none] :
             {std::tuple<TEventKind, TText, TText>{TEventKind::Moonrise, SkyText::Moonrise,
                                                   EventText::NoMoonrise},
              {TEventKind::Moonset, SkyText::Moonset, EventText::NoMoonset}})
            parts << (FDay.First(kind)
                          ? TextIn(text, FLanguage).arg(times(kind))
                          : TextIn(none, FLanguage) + TextIn(EventText::OnThisDate, FLanguage));
    }
    parts << (FDay.First(TEventKind::MoonTransit)
                  ? TextIn(SkyText::Transit, FLanguage).arg(times(TEventKind::MoonTransit))
                  : TextIn(SkyText::NoTransit, FLanguage));
    return {Capitalised(parts.join(QStringLiteral(" · ")))};
}

// When the Sun and the Moon pass the bearing, at what altitude; or why not.
QStringList TfrmSlnkoMesiac::BearingLines() const
{
    const std::optional<double> bearing = Bearing();
    if (!bearing)
        return {};
    const QLocale locale = LocaleOf(FLanguage);
    const QString angle = AngleText(*bearing, FLanguage);
    QStringList lines;
    const std::tuple<TEventKind, TText, TText, TText> bodies[2] = {
        {TEventKind::SunBearing, SkyText::SunBearing, EventText::BearingBelow,
         EventText::BearingNotPassed},
        {TEventKind::MoonBearing, SkyText::MoonBearing, SkyText::MoonBelow,
         SkyText::MoonNotPassed}};
    for (const auto &[kind, text, below, none] : bodies) {
        QStringList passes;
        for (const TEvent *e : FDay.All(kind, *bearing))
            passes
                << TextIn(SkyText::Pass, FLanguage).arg(Hhmm(*e), Number(locale, e->Altitude, 1));
        if (!passes.isEmpty())
            lines << TextIn(text, FLanguage)
                         .arg(angle, passes.join(TextIn(EventText::And, FLanguage)));
        else
            lines << Sentence(
                TextIn(FDay.Status(kind, *bearing) == TEventStatus::BelowAllDay ? below : none,
                       FLanguage)
                    .arg(angle));
    }
    return lines;
}

QString TfrmSlnkoMesiac::ShadowLine(const TSkyAt &sky, const QString &hhmm) const
{
    const QLocale locale = LocaleOf(FLanguage);
    const double height = seVyska->value();
    const QString object = locale.toString(height, 'g', 6);
    if (const std::optional<TShadow> shadow = ShadowOf(sky.Sun, height))
        return TextIn(SkyText::ShadowLine, FLanguage)
            .arg(object, hhmm, Number(locale, shadow->Length, 2),
                 Number(locale, shadow->Azimuth, 1));
    return TextIn(SkyText::NoShadow, FLanguage).arg(object, hhmm);
}

void TfrmSlnkoMesiac::ShowChosenTime()
{
    const QLocale locale = LocaleOf(FLanguage);
    const QDateTime moment = ChosenMoment();
    const TSkyAt sky = SkyAt(FRequest.Place, moment).value_or(TSkyAt());
    const QString hhmm = moment.time().toString(QStringLiteral("HH:mm"));
    lblCasHodnota->setText(hhmm + OtherDateMark(FRequest.Day, moment));

    FChart.Sun = sky.Sun;
    FChart.Moon = sky.Moon;
    FChart.MoonLit = sky.MoonIllumination;
    FChart.MoonWaxing = sky.MoonWaxing;
    const double height = seVyska->value();
    const std::optional<TShadow> shadow = ShadowOf(sky.Sun, height);
    FChart.ShadowAzimuth = shadow ? std::optional<double>(shadow->Azimuth) : std::nullopt;
    FChart.ShadowRatio = shadow ? shadow->Length / height : 0;
    FChart.ShadowText =
        shadow ? Number(locale, shadow->Length, 2) + QStringLiteral(" m") : QString();
    Chart->SetData(FChart);

    const QString sunAt =
        TextIn(SkyText::SunAt, FLanguage)
            .arg(hhmm, Number(locale, sky.Sun.Altitude, 1), Number(locale, sky.Sun.Azimuth, 1));
    // The golden hours and the blue hours, a line each.
    QStringList light = LightText(FDay, FLanguage, FRequest.Light).split(QStringLiteral("; "));
    for (QString &line : light)
        line = Capitalised(line);
    const QString moonAt =
        TextIn(SkyText::MoonAt, FLanguage)
            .arg(hhmm, Number(locale, sky.Moon.Altitude, 1), Number(locale, sky.Moon.Azimuth, 1));
    const QStringList bearing = BearingLines();
    const QString shadowLine = ShadowLine(sky, hhmm);
    // Over the place's own horizon, the visible times beside the flat ones.
    const QStringList visible =
        FRequest.Horizon ? VisibleDayLines(FDay, true, FLanguage, TextIn(NoEventWord, FLanguage))
                         : QStringList();
    FLines = SunLines();
    FLines << sunAt << light << visible << MoonLines() << moonAt;
    if (sky.MoonPhase)
        FLines << TextIn(SkyText::MoonLight, FLanguage)
                      .arg(Number(locale, sky.MoonIllumination * 100, 1),
                           MoonPhaseText(*sky.MoonPhase, FLanguage));
    // The next phases strictly after the chosen time.
    const std::pair<TEventKind, TText> next[2] = {{TEventKind::NewMoon, SkyText::NextNew},
                                                  {TEventKind::FullMoon, SkyText::NextFull}};
    for (const auto &[phase, text] : next)
        if (const std::optional<QDateTime> at =
                NextPrincipalPhase(phase, moment.addMSecs(1), FRequest.MainClock))
            FLines << TextIn(text, FLanguage)
                          .arg(locale.toString(at->date(), QLocale::LongFormat) +
                               QStringLiteral(" ") + at->time().toString(QStringLiteral("HH:mm")));
    FLines << bearing << shadowLine;
    const QString text = FLines.join(QLatin1Char('\n'));
    lblObloha->setText(text);
    lblObloha->setAccessibleName(text);
    UpdatePanelWidth();

    const QString caption =
        TextIn(SkyText::Caption, FLanguage)
            .arg(FRequest.Place.Name.trimmed(), locale.toString(FRequest.Day, QLocale::LongFormat),
                 FRequest.MainClock.Label(FLanguage));
    TSkyChartTexts texts = ChartTexts(FLanguage);
    texts.Caption = caption;
    Chart->SetTexts(texts);
    // The focused chart tells a screen reader where the two stand at the
    // chosen time, each time the keys move it, and all else it draws.
    Chart->setAccessibleName(TextIn(SkyText::ChartName, FLanguage) + QStringLiteral(": ") +
                             caption);
    FDescribed = QStringList{sunAt, moonAt} + light + visible + bearing + QStringList{shadowLine};
    if (FRequest.Horizon)
        FDescribed << HorizonWords(*FRequest.Horizon, FLanguage);
    Chart->setAccessibleDescription(FDescribed.join(QLatin1Char('\n')) + QLatin1Char('\n') +
                                    TextIn(SkyText::ChartHelp, FLanguage));
    QAccessibleEvent changed(Chart, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
    sldCas->setAccessibleName(
        QString(TextIn(SkyText::Time, FLanguage)).remove(QLatin1Char('&')).chopped(1) +
        QStringLiteral(" ") + hhmm);
}

// The text beside the chart as wide as its longest line, within bounds, so
// that a short line does not wrap while the chart could give room.
void TfrmSlnkoMesiac::UpdatePanelWidth()
{
    const QFontMetrics fm = lblObloha->fontMetrics();
    int widest = 0;
    for (const QString &line : FLines)
        widest = std::max(widest, fm.horizontalAdvance(line));
    lblObloha->setMinimumWidth(std::clamp(widest + 8, 300, 420));
}

TfrmZarovnanie *TfrmSlnkoMesiac::ShowAlignments()
{
    if (!frmZarovnanie) {
        frmZarovnanie = new TfrmZarovnanie(this, FLanguage);
        frmZarovnanie->setAttribute(Qt::WA_DeleteOnClose);
    }
    // Without a bearing, the day's sunset's: the alignment people ask about.
    const std::optional<double> bearing =
        Bearing() ? Bearing() : FirstAzimuth(FDay, TEventKind::Sunset);
    frmZarovnanie->SetRequest(FRequest.Place, FRequest.MainClock, FRequest.Day.year(),
                              bearing.value_or(0));
    frmZarovnanie->show();
    frmZarovnanie->raise();
    frmZarovnanie->activateWindow();
    return frmZarovnanie;
}

bool TfrmSlnkoMesiac::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == sldCas && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            SetChosenMinute(ChosenMinute() + (key == Qt::Key_PageUp ? -60 : 60));
            return true;
        }
    }
    return TChartWindow::eventFilter(watched, event);
}

// The window's chart and text side by side at twice the scale, so that an
// export holds what the window shows, its labels readable.
void TfrmSlnkoMesiac::PaintChart(QPainter &p, const QSizeF &size) const
{
    constexpr double Scale = 2;
    const QSizeF logical = size / Scale;
    const double chartWidth = std::min(logical.height(), logical.width() * 0.62);
    p.save();
    p.scale(Scale, Scale);
    Chart->Paint(p, QSizeF(chartWidth, logical.height()));
    p.setFont(Chart->ChartFont());
    p.setPen(QColor(0x20, 0x20, 0x20));
    const QRectF text(chartWidth + 12, 16, logical.width() - chartWidth - 24,
                      logical.height() - 32);
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               FLines.join(QLatin1Char('\n')));
    p.restore();
}
