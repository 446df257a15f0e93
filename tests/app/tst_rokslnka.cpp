// The Year of the Sun window: its rendered chart at a fixed size, inputs that
// change what it shows, the day read-out by keys, its titles, and the files
// it exports.
#include "TestSupport.h"
#include "app/RokSlnka.h"
#include "app/YearChartView.h"
#include "cli/CliOptions.h"
#include "common/EventsOnClock.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace YearChart;

namespace
{

const QSize WindowSize(960, 660);

TChartRequest Bratislava()
{
    TChartRequest r;
    r.Place = {QStringLiteral("Bratislava"), 48 + 9 / 60.0, 17 + 7 / 60.0 + 1 / 3600.0, {}};
    r.PlaceClock = TClock::Local(3600);
    // Away from the days the pixels are read on, so that its line does not
    // cover them.
    r.Day = QDate(2025, 3, 1);
    r.MainClock = TClock::Cet();
    return r;
}

TChartRequest Polar()
{
    TChartRequest r = Bratislava();
    r.Place = {QStringLiteral("78 N"), 78, 15, {}};
    return r;
}

std::unique_ptr<TfrmRokSlnka> OpenWindow(const TChartRequest &r,
                                         TLanguage language = TLanguage::English)
{
    auto w = std::make_unique<TfrmRokSlnka>(nullptr, language);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->SetRequest(r);
    w->resize(WindowSize);
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        return nullptr;
    return w;
}

// The colour the chart shows at an hour of a day (index from 1 January).
QColor PixelAt(TfrmRokSlnka &w, const QImage &image, int day, double hour)
{
    const TYearChartView *chart = Find<TYearChartView>(&w, "YearChart");
    const TMapping m = chart->Mapping(chart->size());
    const double ratio = image.devicePixelRatio();
    return image.pixelColor(int(m.DayCentreX(day) * ratio), int(m.HourToY(hour) * ratio));
}

QImage ChartPicture(TfrmRokSlnka &w)
{
    return Find<TYearChartView>(&w, "YearChart")->grab().toImage();
}

// The hour of a row's event on its own clock.
double HourOf(const TDayEvents &row, TEventKind event)
{
    return EventHour(row, event).value_or(-100);
}

} // namespace

class TestRokSlnka : public QObject
{
    Q_OBJECT

private slots:
    void Shade_data();
    void Shade();
    void PolarNightHasNoDaylight();
    void RequestChangesTheChart_data();
    void RequestChangesTheChart();
    void Keys_data();
    void Keys();
    void ReadOut_data();
    void ReadOut();
    void Title_data();
    void Title();
    void ExportRows_data();
    void ExportRows();
    void ExportPictures_data();
    void ExportPictures();
    void WriteFailure_data();
    void WriteFailure();
};

void TestRokSlnka::Shade_data()
{
    QTest::addColumn<bool>("polar");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("anchor"); // an event of the day, or "midnight"
    QTest::addColumn<double>("offset");  // hours after the anchor
    QTest::addColumn<int>("band");
    const QDate june(2025, 6, 21);
    const QDate december(2025, 12, 21);
    QTest::newRow("Bratislava, after sunrise")
        << false << june << "sunrise" << 0.5 << int(TBand::Day);
    QTest::newRow("Bratislava, before noon") << false << june << "noon" << -1.0 << int(TBand::Day);
    QTest::newRow("Bratislava, after noon") << false << june << "noon" << 1.5 << int(TBand::Day);
    QTest::newRow("Bratislava, before sunset")
        << false << june << "sunset" << -0.5 << int(TBand::Day);
    // Near the solstice the Sun dips just below 18 degrees only around solar
    // midnight (about 23:52 CET); at 01:00 CET it is back in astronomical
    // twilight, while the whole winter night is dark.
    QTest::newRow("Bratislava, 01:00")
        << false << june << "midnight" << 1.0 << int(TBand::Astronomical);
    QTest::newRow("Bratislava, solar midnight")
        << false << june << "noon" << 12.0 << int(TBand::Night);
    QTest::newRow("Bratislava December, 01:00")
        << false << december << "midnight" << 1.0 << int(TBand::Night);
    QTest::newRow("78 N, 01:00") << true << december << "midnight" << 1.0 << int(TBand::Night);
    QTest::newRow("78 N, 04:30") << true << december << "midnight" << 4.5 << int(TBand::Night);
    QTest::newRow("78 N, 20:30") << true << december << "midnight" << 20.5 << int(TBand::Night);
    QTest::newRow("78 N, 23:30") << true << december << "midnight" << 23.5 << int(TBand::Night);
}

void TestRokSlnka::Shade()
{
    QFETCH(bool, polar);
    QFETCH(QDate, date);
    QFETCH(QString, anchor);
    QFETCH(double, offset);
    QFETCH(int, band);
    auto w = OpenWindow(polar ? Polar() : Bratislava());
    QVERIFY(w);
    const int day = date.dayOfYear() - 1;
    const TDayEvents &row = w->Rows().at(day);
    QCOMPARE(DateOf(row), date);
    double hour = offset;
    if (anchor == QLatin1String("sunrise"))
        hour += HourOf(row, TEventKind::Sunrise);
    else if (anchor == QLatin1String("sunset"))
        hour += HourOf(row, TEventKind::Sunset);
    else if (anchor == QLatin1String("noon"))
        hour += HourOf(row, TEventKind::SolarNoon);
    QVERIFY2(hour >= 0 && hour < 24, qPrintable(QString::number(hour)));
    QCOMPARE(PixelAt(*w, ChartPicture(*w), day, hour), TYearChartView::BandColour(TBand(band)));
}

void TestRokSlnka::PolarNightHasNoDaylight()
{
    auto w = OpenWindow(Polar());
    QVERIFY(w);
    const int day = QDate(2025, 12, 21).dayOfYear() - 1;
    const TDayEvents &row = w->Rows().at(day);
    QCOMPARE(row.Status(TEventKind::Sunrise), TEventStatus::BelowAllDay);
    QCOMPARE(row.Status(TEventKind::CivilDawn), TEventStatus::BelowAllDay);
    const QImage image = ChartPicture(*w);
    const QColor day_ = TYearChartView::BandColour(TBand::Day);
    const QColor civil = TYearChartView::BandColour(TBand::Civil);
    for (double hour = 0.25; hour < 24; hour += 0.5) {
        const QColor c = PixelAt(*w, image, day, hour);
        QVERIFY2(c != day_ && c != civil, qPrintable(QString::number(hour)));
    }
}

void TestRokSlnka::RequestChangesTheChart_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("rowsChange");
    QTest::newRow("place") << "place" << true;
    QTest::newRow("year") << "year" << true;
    QTest::newRow("time format") << "format" << true;
    QTest::newRow("place's own clock") << "local" << true;
    QTest::newRow("calendar day") << "calendar" << false;
}

void TestRokSlnka::RequestChangesTheChart()
{
    QFETCH(QString, change);
    QFETCH(bool, rowsChange);
    TChartRequest r = Bratislava();
    auto w = OpenWindow(r);
    QVERIFY(w);
    const QImage before = ChartPicture(*w);
    const QVector<TDayEvents> rowsBefore = w->Rows();
    const QString labelBefore = Find<QLabel>(w.get(), "lblDay")->text();
    if (change == QLatin1String("place"))
        r.Place = Polar().Place;
    else if (change == QLatin1String("year"))
        r.Day = QDate(2024, 3, 1);
    else if (change == QLatin1String("format"))
        r.MainClock = TClock::Cest();
    else if (change == QLatin1String("local")) {
        r.PlaceClock = TClock::Local(19800);
        r.MainClock = r.PlaceClock;
    } else
        r.Day = QDate(2025, 8, 1);
    w->SetRequest(r);
    QCoreApplication::processEvents();
    QVERIFY(ChartPicture(*w) != before);
    QCOMPARE(w->Rows().size(), r.Day.year() == 2024 ? 366 : 365);
    QCOMPARE(DateOf(w->Rows().first()), QDate(r.Day.year(), 1, 1));
    // The moment with its clock's offset, so that a change of clock counts.
    auto sunrise = [](const TDayEvents &row) {
        const std::optional<QDateTime> t = FirstMoment(row, TEventKind::Sunrise);
        return t ? t->toString(Qt::ISODate) : QStringLiteral("none");
    };
    const bool same = DateOf(w->Rows().first()) == DateOf(rowsBefore.first()) &&
                      sunrise(w->Rows().first()) == sunrise(rowsBefore.first());
    QCOMPARE(!same, rowsChange);
    if (rowsChange)
        QVERIFY(Find<QLabel>(w.get(), "lblDay")->text() != labelBefore);
}

void TestRokSlnka::Keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QDate>("date");
    // The read-out starts at the calendar day, 1 March 2025.
    QTest::newRow("right") << int(Qt::Key_Right) << QDate(2025, 3, 2);
    QTest::newRow("left") << int(Qt::Key_Left) << QDate(2025, 2, 28);
    QTest::newRow("home") << int(Qt::Key_Home) << QDate(2025, 1, 1);
    QTest::newRow("end") << int(Qt::Key_End) << QDate(2025, 12, 31);
    QTest::newRow("page down") << int(Qt::Key_PageDown) << QDate(2025, 4, 1);
    QTest::newRow("page up") << int(Qt::Key_PageUp) << QDate(2025, 2, 1);
}

void TestRokSlnka::Keys()
{
    QFETCH(int, key);
    QFETCH(QDate, date);
    auto w = OpenWindow(Bratislava());
    QVERIFY(w);
    const QString start = Find<QLabel>(w.get(), "lblDay")->text();
    QVERIFY(start.startsWith(QLocale(QLocale::English, QLocale::UnitedKingdom)
                                 .toString(QDate(2025, 3, 1), QLocale::LongFormat)));
    QTest::keyClick(Find<TYearChartView>(w.get(), "YearChart"), Qt::Key(key));
    QCOMPARE(Find<TYearChartView>(w.get(), "YearChart")->CurrentDay(), date.dayOfYear() - 1);
    const QString text = Find<QLabel>(w.get(), "lblDay")->text();
    QVERIFY2(
        text.startsWith(
            QLocale(QLocale::English, QLocale::UnitedKingdom).toString(date, QLocale::LongFormat)),
        qPrintable(text));
    QCOMPARE(Find<QLabel>(w.get(), "lblDay")->accessibleName(), text);
    const TDayEvents &row = w->Rows().at(date.dayOfYear() - 1);
    QVERIFY(text.contains(
        FirstMoment(row, TEventKind::Sunrise)->time().toString(QStringLiteral("HH:mm"))));
    QVERIFY(text.contains(
        FirstMoment(row, TEventKind::CivilDusk)->time().toString(QStringLiteral("HH:mm"))));
    QVERIFY(!Find<TYearChartView>(w.get(), "YearChart")->accessibleName().isEmpty());
    // The focused chart tells a screen reader the day it moved to.
    QAccessibleInterface *chart =
        QAccessible::queryAccessibleInterface(Find<TYearChartView>(w.get(), "YearChart"));
    QVERIFY(chart && chart->text(QAccessible::Description).startsWith(text));
}

// The read-out of a day: the day length's change, the year's latest sunrise
// and earliest sunset, the golden and blue hours when chosen, the sunrise
// after a polar night. Times on CET from PyEphem.
void TestRokSlnka::ReadOut_data()
{
    QTest::addColumn<bool>("polar");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("light");
    QTest::addColumn<QString>("part");
    QTest::newRow("day growing") << false << QDate(2025, 3, 1) << false
                                 << "day length 11:03 (+3 min 28 s against the day before)";
    QTest::newRow("day shrinking after the solstice")
        << false << QDate(2025, 6, 22) << false << "(\u22124 s against the day before)";
    QTest::newRow("earliest sunset")
        << false << QDate(2025, 12, 11) << false << "sunset 15:57 (the year's earliest)";
    QTest::newRow("a day next to it") << false << QDate(2025, 12, 12) << false << "sunset 15:57 ·";
    QTest::newRow("golden and blue hours")
        << false << QDate(2025, 3, 1) << true
        << "Golden hour 06:13\u201307:14 and 16:53\u201317:55; blue hour 06:01\u201306:13 and "
           "17:55\u201318:07";
    QTest::newRow("polar night") << true << QDate(2025, 1, 15) << false
                                 << "next sunrise 2025-02-15";
}

void TestRokSlnka::ReadOut()
{
    QFETCH(bool, polar);
    QFETCH(QDate, date);
    QFETCH(bool, light);
    QFETCH(QString, part);
    auto w = OpenWindow(polar ? Polar() : Bratislava());
    QVERIFY(w);
    if (light)
        Find<QCheckBox>(w.get(), "chkZlataModra")->click();
    // One day before, then the key that reads the day out.
    Find<TYearChartView>(w.get(), "YearChart")->SetCurrentDay(date.dayOfYear() - 2);
    QTest::keyClick(Find<TYearChartView>(w.get(), "YearChart"), Qt::Key_Right);
    const QString text = Find<QLabel>(w.get(), "lblDay")->text();
    QVERIFY2(text.contains(part), qPrintable(text));
    QVERIFY(light || !text.contains(QStringLiteral("Golden hour")));
}

void TestRokSlnka::Title_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::newRow("sk") << 0 << "Bratislava" << U(" Rok Slnka – Bratislava");
    QTest::newRow("en") << 1 << "Bratislava" << U(" Year of the Sun – Bratislava");
    QTest::newRow("hu") << 2 << "Pozsony" << U(" A Nap éve – Pozsony");
    QTest::newRow("en, no name") << 1 << "" << U(" Year of the Sun");
}

void TestRokSlnka::Title()
{
    QFETCH(int, language);
    QFETCH(QString, name);
    QFETCH(QString, title);
    TChartRequest r = Bratislava();
    r.Place.Name = name;
    auto w = OpenWindow(r, *LanguageFromIndex(language));
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(w->objectName(), QStringLiteral("frmRokSlnka"));
    // The heading painted over the chart reaches screen readers too.
    const QString chart = Find<TYearChartView>(w.get(), "YearChart")->accessibleName();
    QVERIFY2(chart.contains(name.isEmpty() ? QStringLiteral("48.1500° N") : name),
             qPrintable(chart));
    QVERIFY2(chart.contains(QStringLiteral("2025")), qPrintable(chart));
}

void TestRokSlnka::ExportRows_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("zone"); // empty: the main window's clock
    QTest::addColumn<bool>("calendar");
    QTest::newRow("csv, sk, CET") << 0 << "" << false;
    QTest::newRow("csv, en, Europe/Bratislava") << 1 << "Europe/Bratislava" << false;
    QTest::newRow("csv, hu, America/New_York") << 2 << "America/New_York" << false;
    QTest::newRow("ics, en, CET") << 1 << "" << true;
    QTest::newRow("ics, sk, Europe/Bratislava") << 0 << "Europe/Bratislava" << true;
}

void TestRokSlnka::ExportRows()
{
    QFETCH(int, language);
    QFETCH(QString, zone);
    QFETCH(bool, calendar);
    TScratchFolder folder;
    const TLanguage lang = *LanguageFromIndex(language);
    const TChartRequest r = Bratislava();
    auto w = OpenWindow(r, lang);
    QVERIFY(w);
    QStringList clock = {QStringLiteral("--cet")};
    if (!zone.isEmpty()) {
        const int index = Find<QComboBox>(w.get(), "cbxClock")->findText(zone);
        QVERIFY(index > 0);
        Find<QComboBox>(w.get(), "cbxClock")->setCurrentIndex(index);
        clock = QStringList{QStringLiteral("--tz"), zone};
    }
    const QString path = folder.File(QStringLiteral("year.out"));
    TSaveDialogAnswer answer(path);
    QVERIFY(calendar ? w->ExportICalendar() : w->ExportCsv());
    QCOMPARE(answer.Proposed, QStringList(calendar ? QStringLiteral("Bratislava_2025.ics")
                                                   : QStringLiteral("Bratislava_2025.csv")));
    // The same bytes as the command-line tool gives for the place by its
    // coordinates and name, on the same clock.
    QStringList args = QStringLiteral("vantu-cli --lat 48:09:00N --lon 17:07:01E --year 2025")
                           .split(QLatin1Char(' '));
    args << QStringLiteral("--name") << r.Place.Name << QStringLiteral("--lang")
         << QStringList{"sk", "en", "hu"}[language]
         << (calendar ? QStringLiteral("--format=ics") : QStringLiteral("--format=csv"));
    if (!calendar)
        args << QStringLiteral("--twilight");
    const TCliResult cli = CliMain(args + clock, QString(), QDate(2025, 1, 1), QLocale::c());
    QCOMPARE(cli.ExitCode, CliExitOk);
    QCOMPARE(ReadFile(path), cli.Out);
}

void TestRokSlnka::ExportPictures_data()
{
    QTest::addColumn<bool>("pdf");
    QTest::newRow("png") << false;
    QTest::newRow("pdf") << true;
}

void TestRokSlnka::ExportPictures()
{
    QFETCH(bool, pdf);
    TScratchFolder folder;
    auto w = OpenWindow(Bratislava());
    QVERIFY(w);
    const QString path =
        folder.File(pdf ? QStringLiteral("chart.pdf") : QStringLiteral("chart.png"));
    TSaveDialogAnswer answer(path);
    QVERIFY(pdf ? w->ExportPdf() : w->ExportPng());
    const QByteArray bytes = ReadFile(path);
    if (pdf) {
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.size() > 10000);
        return;
    }
    QImage image;
    QVERIFY(image.loadFromData(bytes, "PNG"));
    QCOMPARE(image.size(), TfrmRokSlnka::ExportSize());
    QCOMPARE(image, w->ChartImage());
}

void TestRokSlnka::WriteFailure_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("caption");
    QTest::newRow("sk") << 0 << U(" Chyba súboru");
    QTest::newRow("en") << 1 << U(" File error");
    QTest::newRow("hu") << 2 << U(" Fájlhiba");
}

void TestRokSlnka::WriteFailure()
{
    QFETCH(int, language);
    QFETCH(QString, caption);
    TScratchFolder folder;
    auto w = OpenWindow(Bratislava(), *LanguageFromIndex(language));
    QVERIFY(w);
    const QString path = BlockedPath(folder.File(QStringLiteral("year.csv")));
    TSaveDialogAnswer answer(path);
    TBoxAnswerer answerer({QMessageBox::Ok});
    QVERIFY(!w->ExportCsv());
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen().first().Caption, caption);
    QCOMPARE(answerer.Seen().first().Icon, QMessageBox::Critical);
    QVERIFY(answerer.Seen().first().Text.contains(path));
    QVERIFY(QFileInfo(path).isDir());
}

QTEST_MAIN(TestRokSlnka)
#include "tst_rokslnka.moc"
