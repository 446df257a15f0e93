// The Sun and Moon window's controls and sentences: the day's real hours on
// a zone's clock, the bearing and shadow boxes, a click on the horizon, the
// keys, the dates of alignment. Expected times checked with PyEphem.
#include "TestSupport.h"
#include "app/SkyChartView.h"
#include "app/SlnkoMesiac.h"
#include "app/Zarovnanie.h"
#include "cli/CliOptions.h"

#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimeZone>

namespace
{

TChartRequest Request(const QString &place, const QDate &day)
{
    TChartRequest r;
    if (place == QLatin1String("Vienna"))
        r.Place = {place, 48.2082, 16.3738, "Europe/Vienna"};
    else if (place == QLatin1String("Tromso"))
        r.Place = {place, 69.6492, 18.9553, "Europe/Oslo"};
    else
        r.Place = {place, 48 + 9 / 60.0, 17 + 7 / 60.0, "Europe/Bratislava"};
    r.MainClock = r.PlaceClock = TClock::Zone(QTimeZone(r.Place.Zone));
    r.Day = day;
    return r;
}

bool HasLine(const QStringList &lines, const QString &part)
{
    for (const QString &line : lines)
        if (line.contains(part))
            return true;
    return false;
}

} // namespace

class TestSlnkoMesiac : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { ResetTestHooks(); }

    // Each moment on the offset in force then; the slider spans the day's
    // real minutes; a date without sunrise says why in a sentence.
    void dayOnZone_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("hours");
        QTest::addColumn<QString>("line"); // a part of a line of the text, in English
        QTest::newRow("spring change, moonrise before it")
            << "Vienna" << QDate(2024, 3, 31) << 23 << "Moonrise 00:30";
        QTest::newRow("autumn change") << "Vienna" << QDate(2024, 10, 27) << 25 << "Sunrise 06:33";
        QTest::newRow("polar night")
            << "Tromso" << QDate(2026, 12, 21) << 24 << "The Sun does not rise (polar night).";
        QTest::newRow("polar night, around it")
            << "Tromso" << QDate(2026, 12, 21) << 24 << "Last sunset 2026-11-27 11:4";
        QTest::newRow("summer") << "Bratislava" << QDate(2026, 6, 21) << 24 << "Sunset 20:55";
    }
    void dayOnZone()
    {
        QFETCH(QString, place);
        QFETCH(QDate, day);
        QFETCH(int, hours);
        QFETCH(QString, line);
        TfrmSlnkoMesiac w(nullptr, TLanguage::English);
        w.SetRequest(Request(place, day));
        QCOMPARE(w.DayMinutes(), hours * 60);
        QCOMPARE(w.findChild<QSlider *>(QStringLiteral("sldCas"))->maximum(), hours * 60 - 1);
        QVERIFY2(HasLine(w.SkyLines(), line), qPrintable(w.SkyLines().join(u'\n')));
    }

    // The boxes and the chart's ring feed the text; Page Up goes back on
    // the slider as on the chart.
    void controls_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("line");
        QTest::newRow("bearing typed") << "type 299.3"
                                       << "Sun at bearing 299.3°: 20:09";
        QTest::newRow("object height") << "height 3.6"
                                       << "Shadow of a 3.6 m object at 13:00";
        QTest::newRow("page up on the slider") << "page up"
                                               << "Sun at 12:00: altitude";
        QTest::newRow("night, no shadow") << "minute 60"
                                          << "casts no shadow";
    }
    void controls()
    {
        QFETCH(QString, action);
        QFETCH(QString, line);
        TfrmSlnkoMesiac w(nullptr, TLanguage::English);
        w.resize(900, 600);
        w.SetRequest(Request(QStringLiteral("Bratislava"), QDate(2026, 6, 21)));
        w.SetChosenMinute(13 * 60);
        const QString value = action.section(u' ', 1);
        if (action.startsWith(QLatin1String("type")))
            w.findChild<QDoubleSpinBox *>(QStringLiteral("seAzimut"))->setValue(value.toDouble());
        else if (action.startsWith(QLatin1String("height")))
            w.findChild<QDoubleSpinBox *>(QStringLiteral("seVyska"))->setValue(value.toDouble());
        else if (action.startsWith(QLatin1String("minute")))
            w.SetChosenMinute(value.toInt());
        else
            QTest::keyClick(w.findChild<QSlider *>(QStringLiteral("sldCas")), Qt::Key_PageUp);
        QVERIFY2(HasLine(w.SkyLines(), line), qPrintable(w.SkyLines().join(u'\n')));
    }

    // A click on the horizon ring, due west, takes that bearing; the Sun
    // passes 270° at 15:21:59 UTC, a tenth of a degree in some 30 s.
    void clickPicksBearing()
    {
        TfrmSlnkoMesiac w(nullptr, TLanguage::English);
        w.resize(900, 600);
        w.SetRequest(Request(QStringLiteral("Bratislava"), QDate(2026, 6, 21)));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *chart = w.findChild<TSkyChartView *>();
        const QPointF west = chart->HorizonCentre() - QPointF(chart->HorizonRadius() + 2, 0);
        QTest::mouseClick(chart, Qt::LeftButton, {}, west.toPoint());
        QVERIFY(w.Bearing() && std::abs(*w.Bearing() - 270) < 0.3);
        QVERIFY2(HasLine(w.SkyLines(), QStringLiteral(": 17:2")),
                 qPrintable(w.SkyLines().join(u'\n')));
    }

    // "Next" is after the chosen time, not after the day's start.
    void nextNewMoonAfterChosenTime()
    {
        TfrmSlnkoMesiac w(nullptr, TLanguage::English);
        w.SetRequest(Request(QStringLiteral("Bratislava"), QDate(2026, 7, 14)));
        w.SetChosenMinute(12 * 60);
        QVERIFY2(HasLine(w.SkyLines(), QStringLiteral("Next new Moon: Wednesday, 12 August 2026")),
                 qPrintable(w.SkyLines().join(u'\n')));
    }

    // The button opens the year's dates along the bearing: the sunsets of
    // Bratislava within half a degree of 299.3° in 2026, by PyEphem.
    void alignmentDates()
    {
        TfrmSlnkoMesiac w(nullptr, TLanguage::English);
        w.SetRequest(Request(QStringLiteral("Bratislava"), QDate(2026, 6, 21)));
        w.SetBearing(299.3);
        w.findChild<QPushButton *>(QStringLiteral("btnZarovnanie"))->click();
        auto *dialog = w.findChild<TfrmZarovnanie *>();
        QVERIFY(dialog && dialog->isVisible());
        QStringList sunsets;
        for (const TAlignment &a : dialog->List())
            if (a.Event.Kind == TEventKind::Sunset)
                sunsets << a.Date.toString(Qt::ISODate);
        QCOMPARE(sunsets.join(u' '), QStringLiteral("2026-05-12 2026-05-13 2026-07-29 2026-07-30 "
                                                    "2026-07-31"));
    }

    // The dialog's files are the command-line tool's for the same place,
    // clock, year and bearing, Moon included.
    void alignmentFiles_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("CSV") << "csv";
        QTest::newRow("iCalendar") << "ics";
    }
    void alignmentFiles()
    {
        QFETCH(QString, format);
        TScratchFolder folder;
        TfrmSlnkoMesiac w(nullptr, TLanguage::English);
        w.SetRequest(Request(QStringLiteral("Bratislava"), QDate(2026, 6, 21)));
        w.SetBearing(299.3);
        TfrmZarovnanie *dialog = w.ShowAlignments();
        const QString path = folder.File(QStringLiteral("dates.out"));
        TSaveDialogAnswer answer(path);
        QVERIFY(format == QLatin1String("csv") ? dialog->ExportCsv() : dialog->ExportICalendar());
        QCOMPARE(answer.Proposed, QStringList(QStringLiteral("Bratislava_2026_299.3.") + format));
        const QStringList args =
            QStringLiteral("vantu-cli --lat 48:09:00N --lon 17:07:00E --name Bratislava --tz "
                           "Europe/Bratislava --year 2026 --aligned 299.3 --sky --lang en --format")
                .split(u' ')
            << format;
        const TCliResult cli = CliMain(args, QString(), QDate(2026, 1, 1), QLocale::c());
        QCOMPARE(cli.ExitCode, CliExitOk);
        QCOMPARE(ReadFile(path), cli.Out);
    }
};

QTEST_MAIN(TestSlnkoMesiac)
#include "tst_slnkomesiac.moc"
