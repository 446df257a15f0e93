#include "app/SlnkoMesiac.h"

#include "app/SkyChartView.h"
#include "common/EventTexts.h"
#include "common/EventsOnClock.h"
#include "common/FileText.h"
#include "common/Texts.h"

#include <QAccessible>
#include <QGridLayout>
#include <QHBoxLayout>
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
constexpr TText Directions[4] = {
    {"S", "N", "É"}, {"V", "E", "K"}, {"J", "S", "D"}, {"Z", "W", "Ny"}};
constexpr TText SunPath{"dráha Slnka", "the Sun's path", "a Nap útja"};
constexpr TText MoonPath{"dráha Mesiaca", "the Moon's path", "a Hold útja"};
constexpr TText Rise{"východ", "rise", "kel"};
constexpr TText Set{"západ", "set", "nyugszik"};
// %1 time, %2 azimuth
constexpr TText Sunrise{"Východ Slnka %1, azimut %2°", "Sunrise %1, azimuth %2°",
                        "Napkelte %1, azimut %2°"};
// %1 time, %2 azimuth
constexpr TText Sunset{"Západ Slnka %1, azimut %2°", "Sunset %1, azimuth %2°",
                       "Napnyugta %1, azimut %2°"};
// %1 time, %2 altitude, %3 azimuth
constexpr TText SunAt{"Slnko o %1: výška %2°, azimut %3°", "Sun at %1: altitude %2°, azimuth %3°",
                      "A Nap %1-kor: magasság %2°, azimut %3°"};
// %1 rise, %2 set, %3 transit
constexpr TText MoonTimes{"Východ Mesiaca %1 · západ %2 · kulminácia %3",
                          "Moonrise %1 · moonset %2 · transit %3",
                          "Holdkelte %1 · holdnyugta %2 · delelés %3"};
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
constexpr TText None{"nenastáva", "N/A", "nincs"};
constexpr TText ChartName{"Obloha dňa", "Sky of the day", "A nap égboltja"};
constexpr TText ChartHelp{
    "Kruh je obzor, stred nad hlavou, sever hore a východ vpravo. Šípky vľavo a vpravo posunú čas "
    "o 10 minút, Page Up a Page Down o hodinu.",
    "The circle is the horizon, the centre overhead, north up and east to the right. The Left and "
    "Right arrows move the time by 10 minutes, Page Up and Page Down by an hour.",
    "A kör a látóhatár, a közepe a fejünk fölött, észak fent, kelet jobbra. A bal és jobb nyíl 10 "
    "perccel, a Page Up és a Page Down egy órával mozgatja az időt."};
// %1 place, %2 date, %3 clock
constexpr TText Caption{"%1, %2, %3", "%1, %2, %3", "%1, %2, %3"};

} // namespace SkyText

const TChartKind SkyKind{"frmSlnkoMesiac", SkyText::Title, TfrmSlnkoMesiac::ExportSize(),
                         QPageLayout::Portrait, TChartKind::TDatePart::Date};

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
    CreateExportButton();

    auto *side = new QVBoxLayout;
    side->addWidget(lblObloha, 1);
    side->addWidget(btnExport, 0, Qt::AlignLeft);
    auto *time = new QHBoxLayout;
    time->addWidget(lblCas);
    time->addWidget(sldCas, 1);
    time->addWidget(lblCasHodnota);
    auto *layout = new QGridLayout(this);
    layout->addWidget(Chart, 0, 0);
    layout->addLayout(side, 0, 1);
    layout->addLayout(time, 1, 0, 1, 2);
    layout->setColumnStretch(0, 1);

    connect(sldCas, &QSlider::valueChanged, this, [this] { ShowChosenTime(); });
    connect(Chart, &TSkyChartView::TimeStepped, this,
            [this](int minutes) { SetChosenMinute(ChosenMinute() + minutes); });
    ApplyLanguage(language);
    resize(900, 620);
}

void TfrmSlnkoMesiac::ApplyLanguage(TLanguage language)
{
    TChartWindow::ApplyLanguage(language);
    lblCas->setText(TextIn(SkyText::Time, FLanguage));
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
    FDay = EventsOfDate(r.Place, clock, r.Day, request);

    FChart = TSkyChartData();
    const QVector<SkyChart::TPathPoint> sun =
        SkyChart::Path(SkyChart::TBody::Sun, r.Place, r.Day, clock, 5);
    FChart.SunPieces = SkyChart::AbovePieces(sun);
    FChart.MoonPieces =
        SkyChart::AbovePieces(SkyChart::Path(SkyChart::TBody::Moon, r.Place, r.Day, clock, 10));
    for (const SkyChart::TPathPoint &p : sun) {
        const QDateTime at =
            QDateTime::fromMSecsSinceEpoch(p.Ms, Qt::OffsetFromUTC, clock.OffsetAtMs(p.Ms));
        if (at.time().minute() == 0 && at.time().second() == 0 && p.Position.Altitude >= 0)
            FChart.SunHours.append({at.time().hour(), p.Position});
    }
    FChart.Sunrise = FirstAzimuth(FDay, TEventKind::Sunrise);
    FChart.Sunset = FirstAzimuth(FDay, TEventKind::Sunset);
    FChart.Moonrise = FirstAzimuth(FDay, TEventKind::Moonrise);
    FChart.Moonset = FirstAzimuth(FDay, TEventKind::Moonset);
    UpdateWindowTitle();
}

// The text beside the chart: the day's times and azimuths, where the Sun
// and the Moon stand at the chosen time, the Moon's light and next phases.
QStringList TfrmSlnkoMesiac::SkyLines(const TSkyAt &sky, const QString &hhmm) const
{
    const QLocale locale = LocaleOf(FLanguage);
    const QString none = TextIn(SkyText::None, FLanguage);
    const auto time = [&](TEventKind kind) {
        const std::optional<QDateTime> m = FirstMoment(FDay, kind);
        return m ? m->time().toString(QStringLiteral("HH:mm")) : none;
    };
    const auto degrees = [&](TEventKind kind) {
        const std::optional<double> a = FirstAzimuth(FDay, kind);
        return a ? Number(locale, *a, 1) : none;
    };
    QStringList lines;
    lines << TextIn(SkyText::Sunrise, FLanguage)
                 .arg(time(TEventKind::Sunrise), degrees(TEventKind::Sunrise))
          << TextIn(SkyText::Sunset, FLanguage)
                 .arg(time(TEventKind::Sunset), degrees(TEventKind::Sunset))
          << TextIn(SkyText::SunAt, FLanguage)
                 .arg(hhmm, Number(locale, sky.Sun.Altitude, 1),
                      Number(locale, sky.Sun.Azimuth, 1));
    lines << TextIn(SkyText::MoonTimes, FLanguage)
                 .arg(time(TEventKind::Moonrise), time(TEventKind::Moonset),
                      time(TEventKind::MoonTransit));
    lines << TextIn(SkyText::MoonAt, FLanguage)
                 .arg(hhmm, Number(locale, sky.Moon.Altitude, 1),
                      Number(locale, sky.Moon.Azimuth, 1));
    if (sky.MoonPhase)
        lines << TextIn(SkyText::MoonLight, FLanguage)
                     .arg(Number(locale, sky.MoonIllumination * 100, 1),
                          MoonPhaseText(*sky.MoonPhase, FLanguage));
    const QDateTime dayStart = QDateTime::fromMSecsSinceEpoch(FDayStart, Qt::UTC);
    const std::pair<TEventKind, TText> next[2] = {{TEventKind::NewMoon, SkyText::NextNew},
                                                  {TEventKind::FullMoon, SkyText::NextFull}};
    for (const auto &[phase, text] : next)
        if (const std::optional<QDateTime> at =
                NextPrincipalPhase(phase, dayStart, FRequest.MainClock))
            lines << TextIn(text, FLanguage)
                         .arg(locale.toString(at->date(), QLocale::LongFormat) +
                              QStringLiteral(" ") + at->time().toString(QStringLiteral("HH:mm")));
    return lines;
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
    Chart->SetData(FChart);

    const QStringList lines = SkyLines(sky, hhmm);
    const QString text = lines.join(QLatin1Char('\n'));
    lblObloha->setText(text);
    lblObloha->setAccessibleName(text);

    const QString caption =
        TextIn(SkyText::Caption, FLanguage)
            .arg(FRequest.Place.Name.trimmed(), locale.toString(FRequest.Day, QLocale::LongFormat),
                 FRequest.MainClock.Label(FLanguage));
    TSkyChartTexts texts = ChartTexts(FLanguage);
    texts.Caption = caption;
    Chart->SetTexts(texts);
    // The focused chart tells a screen reader where the two stand at the
    // chosen time, each time the keys move it.
    Chart->setAccessibleName(TextIn(SkyText::ChartName, FLanguage) + QStringLiteral(": ") +
                             caption);
    Chart->setAccessibleDescription(lines[2] + QLatin1Char('\n') + lines[lines.size() > 5 ? 4 : 3] +
                                    QLatin1Char('\n') + TextIn(SkyText::ChartHelp, FLanguage));
    QAccessibleEvent changed(Chart, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
    sldCas->setAccessibleName(
        QString(TextIn(SkyText::Time, FLanguage)).remove(QLatin1Char('&')).chopped(1) +
        QStringLiteral(" ") + hhmm);
}

void TfrmSlnkoMesiac::PaintChart(QPainter &p, const QSizeF &size) const
{
    Chart->Paint(p, size);
}
