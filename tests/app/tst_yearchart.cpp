// The plain arithmetic of the Year of the Sun chart: mapping days and hours to
// pixels, splitting event curves at missing days and at midnight, the lit
// spans of a day's column and the days of solstices and equinoxes.
#include "app/YearChart.h"

#include <QTest>

using namespace YearChart;

namespace
{

// "6,6.5,-,7": one value per day, "-" where the event does not occur.
QVector<std::optional<double>> Hours(const QString &text)
{
    QVector<std::optional<double>> hours;
    if (text.isEmpty())
        return hours;
    for (const QString &item : text.split(QLatin1Char(','))) {
        if (item == QLatin1String("-"))
            hours.append(std::nullopt);
        else
            hours.append(item.toDouble());
    }
    return hours;
}

// Pieces as "x:y x:y | x:y", rounded to 3 decimals.
QString PiecesText(const QVector<TPiece> &pieces)
{
    QStringList parts;
    for (const TPiece &piece : pieces) {
        QStringList points;
        for (const QPointF &p : piece)
            points.append(QString::number(p.x(), 'g', 6) + QLatin1Char(':') +
                          QString::number(p.y(), 'g', 6));
        parts.append(points.join(QLatin1Char(' ')));
    }
    return parts.join(QLatin1String(" | "));
}

QString SpansText(const QVector<TSpan> &spans)
{
    QStringList parts;
    for (const TSpan &s : spans)
        parts.append(QString::number(s.From) + QLatin1Char('-') + QString::number(s.To));
    return parts.join(QLatin1Char(' '));
}

// "o6.5" occurs at 6.5, "a" always above, "b" always below, "f" failed.
void Crossing(const QString &code, TEventStatus *state, std::optional<double> *hour)
{
    *hour = std::nullopt;
    switch (code.at(0).toLatin1()) {
    case 'o':
        *state = TEventStatus::Occurs;
        *hour = code.mid(1).toDouble();
        break;
    case 'a':
        *state = TEventStatus::AboveAllDay;
        break;
    case 'b':
        *state = TEventStatus::BelowAllDay;
        break;
    default:
        *state = TEventStatus::Failed;
    }
}

// An event at a moment with its clock's offset.
TEvent EventAt(TEventKind kind, const QDateTime &moment)
{
    TEvent e;
    e.Kind = kind;
    e.Status = TEventStatus::Occurs;
    e.Time = TInstant::FromUnixMs(moment.toMSecsSinceEpoch());
    e.ClockOffset = moment.offsetFromUtc();
    return e;
}

TDayEvents DateOn(const QDate &date)
{
    TDayEvents day;
    day.Span.Date = {date.year(), date.month(), date.day()};
    return day;
}

// A date of 21 June 2025 on CEST from codes as Crossing reads them, in the
// order astronomical, nautical, civil dawn, sunrise, sunset, civil,
// nautical, astronomical dusk.
TDayEvents Row(const QString &codes)
{
    static const TEventKind order[8] = {TEventKind::AstronomicalDawn, TEventKind::NauticalDawn,
                                        TEventKind::CivilDawn,        TEventKind::Sunrise,
                                        TEventKind::Sunset,           TEventKind::CivilDusk,
                                        TEventKind::NauticalDusk,     TEventKind::AstronomicalDusk};
    TDayEvents day = DateOn(QDate(2025, 6, 21));
    const QStringList items = codes.split(QLatin1Char(' '));
    for (int i = 0; i < 8; ++i) {
        TEventStatus state;
        std::optional<double> hour;
        Crossing(items.value(i, QStringLiteral("f")), &state, &hour);
        // Above a zenith angle at midnight only where the Sun stays above it.
        if (i < 4)
            day.SunAboveAtStart[3 - i] = state == TEventStatus::AboveAllDay;
        if (hour) {
            const QDateTime midnight(QDate(2025, 6, 21), QTime(0, 0), Qt::OffsetFromUTC, 7200);
            day.Events.push_back(EventAt(order[i], midnight.addMSecs(qint64(*hour * 3600000.0))));
        } else {
            TEvent missing;
            missing.Kind = order[i];
            missing.Status = state;
            day.Events.push_back(missing);
        }
    }
    return day;
}

} // namespace

class TestYearChart : public QObject
{
    Q_OBJECT

private slots:
    void Mapping_data();
    void Mapping();
    void XToDay_data();
    void XToDay();
    void SplitSeries_data();
    void SplitSeries();
    void LitSpans_data();
    void LitSpans();
    void EventHour_data();
    void EventHour();
    void BandAt_data();
    void BandAt();
    void SeasonDays_data();
    void SeasonDays();
};

void TestYearChart::Mapping_data()
{
    QTest::addColumn<QRectF>("plot");
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("day");
    QTest::addColumn<double>("hour");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    const QRectF plot(50, 20, 730, 480);
    QTest::newRow("first day, midnight") << plot << 365 << 0 << 0.0 << 51.0 << 20.0;
    QTest::newRow("last day, 24 h") << plot << 365 << 364 << 24.0 << 779.0 << 500.0;
    QTest::newRow("noon of day 100") << plot << 365 << 100 << 12.0 << 251.0 << 260.0;
    QTest::newRow("leap year, 06:00")
        << QRectF(0, 0, 732, 240) << 366 << 365 << 6.0 << 731.0 << 60.0;
}

void TestYearChart::Mapping()
{
    QFETCH(QRectF, plot);
    QFETCH(int, days);
    QFETCH(int, day);
    QFETCH(double, hour);
    QFETCH(double, x);
    QFETCH(double, y);
    const TMapping m{plot, days, 0, 24};
    QCOMPARE(m.DayCentreX(day), x);
    QCOMPARE(m.HourToY(hour), y);
    QCOMPARE(m.ToPixel(QPointF(day + 0.5, hour)), QPointF(x, y));
}

void TestYearChart::XToDay_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("day");
    // 365 columns of 2 pixels from x = 50.
    QTest::newRow("left of the plot") << 49.9 << -1;
    QTest::newRow("left edge") << 50.0 << 0;
    QTest::newRow("end of first column") << 51.99 << 0;
    QTest::newRow("second column") << 52.0 << 1;
    QTest::newRow("last column") << 779.5 << 364;
    QTest::newRow("right edge") << 780.0 << -1;
}

void TestYearChart::XToDay()
{
    QFETCH(double, x);
    QFETCH(int, day);
    const TMapping m{QRectF(50, 0, 730, 100), 365, 0, 24};
    QCOMPARE(m.XToDay(x), day);
}

void TestYearChart::SplitSeries_data()
{
    QTest::addColumn<QString>("hours");
    QTest::addColumn<QString>("pieces");
    QTest::newRow("no days") << ""
                             << "";
    QTest::newRow("never occurs") << "-,-,-"
                                  << "";
    QTest::newRow("one line") << "6,6.5,7"
                              << "0.5:6 1.5:6.5 2.5:7";
    QTest::newRow("a clock change stays joined") << "6,7"
                                                 << "0.5:6 1.5:7";
    QTest::newRow("gap of one day") << "6,6.5,-,7"
                                    << "0.5:6 1.5:6.5 | 3.5:7";
    QTest::newRow("lone day") << "-,7,-"
                              << "1.5:7";
    QTest::newRow("past midnight forward") << "23,23.5,0.5,1"
                                           << "0.5:23 1.5:23.5 2:24 | 2:0 2.5:0.5 3.5:1";
    QTest::newRow("back over midnight") << "0.5,23.5"
                                        << "0.5:0.5 1:0 | 1:24 1.5:23.5";
    QTest::newRow("next date wraps") << "24.5,25"
                                     << "0.5:0.5 1.5:1";
    QTest::newRow("previous date, then own date") << "-0.5,0.5"
                                                  << "0.5:23.5 1:24 | 1:0 1.5:0.5";
    QTest::newRow("wrap then gap") << "23.5,0.5,-,1"
                                   << "0.5:23.5 1:24 | 1:0 1.5:0.5 | 3.5:1";
}

void TestYearChart::SplitSeries()
{
    QFETCH(QString, hours);
    QFETCH(QString, pieces);
    QCOMPARE(PiecesText(YearChart::SplitSeries(Hours(hours))), pieces);
}

void TestYearChart::LitSpans_data()
{
    QTest::addColumn<bool>("aboveAtStart");
    QTest::addColumn<QString>("crossings"); // r rising, s setting, at an hour, in any order
    QTest::addColumn<QString>("spans");
    QTest::newRow("ordinary day") << false << "r5 s20.5"
                                  << "5-20.5";
    QTest::newRow("up at midnight, sets, rises again") << true << "r23.5 s22.5"
                                                       << "0-22.5 23.5-24";
    QTest::newRow("rises, sets, up again by the next date") << false << "r0.2 s22"
                                                            << "0.2-22";
    QTest::newRow("up all date") << true << ""
                                 << "0-24";
    QTest::newRow("down all date") << false << ""
                                   << "";
    QTest::newRow("rises, does not set") << false << "r2"
                                         << "2-24";
    QTest::newRow("sets, did not rise") << true << "s23"
                                        << "0-23";
    QTest::newRow("two settings, a dip before midnight") << true << "s0.5 r2 s23.2 r23.8"
                                                         << "0-0.5 2-23.2 23.8-24";
}

void TestYearChart::LitSpans()
{
    QFETCH(bool, aboveAtStart);
    QFETCH(QString, crossings);
    QFETCH(QString, spans);
    QVector<TCrossingHour> list;
    for (const QString &c : crossings.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        list.append({c.mid(1).toDouble(), c.startsWith(QLatin1Char('r'))});
    QCOMPARE(SpansText(YearChart::LitSpans(aboveAtStart, list)), spans);
}

void TestYearChart::EventHour_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<double>("hour");
    const QDate day(2025, 6, 21);
    QTest::newRow("own date") << QDateTime(day, QTime(4, 52, 30), Qt::OffsetFromUTC, 7200) << 4.875;
    QTest::newRow("next date") << QDateTime(day.addDays(1), QTime(0, 30), Qt::OffsetFromUTC, 3600)
                               << 24.5;
    QTest::newRow("previous date")
        << QDateTime(day.addDays(-1), QTime(23, 15), Qt::OffsetFromUTC, 0) << -0.75;
    QTest::newRow("does not occur") << QDateTime() << -1.0;
}

void TestYearChart::EventHour()
{
    QFETCH(QDateTime, moment);
    QFETCH(double, hour);
    TDayEvents row = DateOn(QDate(2025, 6, 21));
    if (moment.isValid())
        row.Events.push_back(EventAt(TEventKind::Sunrise, moment));
    const std::optional<double> got = YearChart::EventHour(row, TEventKind::Sunrise);
    QCOMPARE(got.has_value(), hour >= -0.9);
    if (got)
        QCOMPARE(*got, hour);
}

void TestYearChart::BandAt_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<double>("hour");
    QTest::addColumn<int>("band");
    const QString ordinary = QStringLiteral("o2 o3 o4 o5 o20 o21 o22 o23");
    QTest::newRow("ordinary, 01:00") << ordinary << 1.0 << int(TBand::Night);
    QTest::newRow("ordinary, 02:30") << ordinary << 2.5 << int(TBand::Astronomical);
    QTest::newRow("ordinary, 03:30") << ordinary << 3.5 << int(TBand::Nautical);
    QTest::newRow("ordinary, 04:30") << ordinary << 4.5 << int(TBand::Civil);
    QTest::newRow("ordinary, noon") << ordinary << 12.0 << int(TBand::Day);
    QTest::newRow("ordinary, 23:30") << ordinary << 23.5 << int(TBand::Night);
    const QString polarNight = QStringLiteral("o9 o11 b b b b o13 o15");
    QTest::newRow("polar night, noon") << polarNight << 12.0 << int(TBand::Nautical);
    QTest::newRow("polar night, 10:00") << polarNight << 10.0 << int(TBand::Astronomical);
    QTest::newRow("polar night, 01:00") << polarNight << 1.0 << int(TBand::Night);
    const QString whiteNight = QStringLiteral("a a a o1.5 o22.5 a a a");
    QTest::newRow("white night, 00:30") << whiteNight << 0.5 << int(TBand::Civil);
    QTest::newRow("white night, noon") << whiteNight << 12.0 << int(TBand::Day);
    const QString polarDay = QStringLiteral("a a a a a a a a");
    QTest::newRow("polar day, 00:30") << polarDay << 0.5 << int(TBand::Day);
}

void TestYearChart::BandAt()
{
    QFETCH(QString, row);
    QFETCH(double, hour);
    QFETCH(int, band);
    QCOMPARE(int(YearChart::BandAt(Row(row), hour)), band);
}

void TestYearChart::SeasonDays_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("offsetHours");
    QTest::addColumn<int>("season");
    QTest::addColumn<QDate>("date");
    // Moments (UTC) from the almanac: 2024 Mar 20 03:06, Jun 20 20:51,
    // Sep 22 12:44, Dec 21 09:20; 2025 Jun 21 02:42, Dec 21 15:03.
    QTest::newRow("2024 March, UTC") << 2024 << 0 << 0 << QDate(2024, 3, 20);
    QTest::newRow("2024 June, UTC") << 2024 << 0 << 1 << QDate(2024, 6, 20);
    QTest::newRow("2024 June, UTC+4") << 2024 << 4 << 1 << QDate(2024, 6, 21);
    QTest::newRow("2024 September, UTC") << 2024 << 0 << 2 << QDate(2024, 9, 22);
    QTest::newRow("2024 December, UTC") << 2024 << 0 << 3 << QDate(2024, 12, 21);
    QTest::newRow("2025 June, UTC") << 2025 << 0 << 1 << QDate(2025, 6, 21);
    QTest::newRow("2025 June, UTC-5") << 2025 << -5 << 1 << QDate(2025, 6, 20);
    QTest::newRow("2025 December, UTC+10") << 2025 << 10 << 3 << QDate(2025, 12, 22);
}

void TestYearChart::SeasonDays()
{
    QFETCH(int, year);
    QFETCH(int, offsetHours);
    QFETCH(int, season);
    QFETCH(QDate, date);
    const QVector<TSeasonDay> days =
        YearChart::SeasonDays(year, [offsetHours](const QDate &) { return offsetHours * 3600; });
    QCOMPARE(days.size(), 4);
    QCOMPARE(int(days[season].Season), season);
    QCOMPARE(days[season].Date, date);
}

QTEST_GUILESS_MAIN(TestYearChart)
#include "tst_yearchart.moc"
