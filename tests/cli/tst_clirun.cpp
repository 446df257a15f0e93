// vantu-cli without its main(): the text lines of the Sun's events, set
// beside the program's own calculator, and the other commands.
#include "CliTestSupport.h"

#include "calendar/CalCalc.h"
#include "calendar/MoonPhase.h"
#include "cli/CliOptions.h"
#include "common/EventsOnClock.h"
#include "common/FileText.h"
#include "common/Version.h"
#include "suntime/DateUtil.h"
#include "suntime/SunTime.h"
#include "table/ResultLines.h"

#include <QRegularExpression>

#include <QTest>

using namespace CliTest;

namespace
{

QString U8(const char *text)
{
    return QString::fromUtf8(text);
}

const TTown &Town(const QString &name)
{
    for (const TTown &t : Towns)
        if (QString::fromUtf8(t.Name) == name)
            return t;
    qFatal("no town %s", qPrintable(name));
}

// The program's calculator set up as its panel does for a town and clock.
void SetUp(TSunTime &sun, const TTown &t, double clockHours)
{
    sun.Latitude().SetDegrees(uint16_t(t.Lat[0]));
    sun.Latitude().SetMinutes(uint16_t(t.Lat[1]));
    sun.Latitude().SetSeconds(uint16_t(t.Lat[2]));
    sun.Latitude().SetDir(t.LatDir == 'S' ? dSouth : dNorth);
    sun.Longitude().SetDegrees(uint16_t(t.Lon[0]));
    sun.Longitude().SetMinutes(uint16_t(t.Lon[1]));
    sun.Longitude().SetSeconds(uint16_t(t.Lon[2]));
    sun.Longitude().SetDir(t.LonDir == 'E' ? dEast : dWest);
    sun.SetUseSysTimeZone(false);
    sun.SetTimeZone(clockHours);
}

} // namespace

class TestCliRun : public QObject, protected TCliFixture
{
    Q_OBJECT

private slots:
    void initTestCase();

    void textDay_data();
    void textDay();
    void textMonth_data();
    void textMonth();
    void textYear();
    void textTwilight();
    void offsetAndZoneTags_data();
    void offsetAndZoneTags();
    void easter_data();
    void easter();
    void moon_data();
    void moon();
    void helpAndVersion_data();
    void helpAndVersion();
};

void TestCliRun::initTestCase()
{
    WriteDatabase();
}

// ----------------------------------------------------------------- text

void TestCliRun::textDay_data()
{
    QTest::addColumn<QString>("town");
    QTest::addColumn<QString>("clock"); // option, or empty for the town's own clock
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("locale");
    QTest::newRow("Bratislava own clock en") << "Bratislava"
                                             << ""
                                             << "en"
                                             << "en_US";
    QTest::newRow("Bratislava UTC sk") << "Bratislava"
                                       << "--utc"
                                       << "sk"
                                       << "sk_SK";
    QTest::newRow("Bratislava CET hu") << "Bratislava"
                                       << "--cet"
                                       << "hu"
                                       << "hu_HU";
    QTest::newRow("Bratislava CEST en") << "Bratislava"
                                        << "--cest"
                                        << "en"
                                        << "en_US";
    QTest::newRow("Kathmandu own clock") << "Kathmandu"
                                         << ""
                                         << "en"
                                         << "en_US";
    QTest::newRow("Quito own clock sk") << "Quito"
                                        << ""
                                        << "sk"
                                        << "sk_SK";
}

// The line is the program's result line for the same place, day and clock.
void TestCliRun::textDay()
{
    QFETCH(QString, town);
    QFETCH(QString, clock);
    QFETCH(QString, lang);
    QFETCH(QString, locale);
    const TTown &t = Town(town);
    QStringList args = {"--place", town, "--db", FDatabase, "--date", "2026-06-21", "--lang", lang};
    double hours = t.Hod + t.Min / 60.0;
    const TLanguage language = TLanguage(QStringList{"sk", "en", "hu"}.indexOf(lang));
    TText tag = ClockTag::Local;
    if (!clock.isEmpty()) {
        args << clock;
        hours = clock == QLatin1String("--utc") ? 0 : clock == QLatin1String("--cet") ? 1 : 2;
        tag = clock == QLatin1String("--utc")   ? ClockTag::Utc
              : clock == QLatin1String("--cet") ? ClockTag::Cet
                                                : ClockTag::Cest;
    }
    const QLocale loc(locale);
    const TCliResult r = Run(args, loc);
    QCOMPARE(r.ExitCode, 0);

    TSunTime sun;
    SetUp(sun, t, hours);
    const QString expected =
        ResultLineFor(sun, DateUtil::EncodeDate(2026, 6, 21), town, TextIn(tag, language),
                      TextIn(NoEventWord, language), loc);
    QCOMPARE(QString::fromUtf8(r.Out), expected);
}

void TestCliRun::textMonth_data()
{
    QTest::addColumn<QString>("town");
    QTest::addColumn<QString>("month");
    QTest::newRow("Bratislava February leap") << "Bratislava"
                                              << "2028-02";
    QTest::newRow("Bratislava October") << "Bratislava"
                                        << "2026-10";
    QTest::newRow("Quito June") << "Quito"
                                << "2026-06";
}

// The program's month table: one line per day, then one empty line.
void TestCliRun::textMonth()
{
    QFETCH(QString, town);
    QFETCH(QString, month);
    const TTown &t = Town(town);
    const QLocale loc(QStringLiteral("sk_SK"));
    const TCliResult r =
        Run({"--place", town, "--db", FDatabase, "--month", month, "--lang", "sk"}, loc);
    QCOMPARE(r.ExitCode, 0);
    TSunTime sun;
    SetUp(sun, t, t.Hod + t.Min / 60.0);
    const QDate first = QDate::fromString(month + QStringLiteral("-01"), Qt::ISODate);
    const QString expected = MonthResultLines(sun, first.year(), first.month(), town,
                                              U8(ClockTag::Local.Sk), U8(NoEventWord.Sk), loc)
                                 .join(QString()) +
                             ResultLineEnd;
    QCOMPARE(QString::fromUtf8(r.Out), expected);
}

void TestCliRun::textYear()
{
    const TTown &t = Town(QStringLiteral("Košice"));
    const QLocale loc(QStringLiteral("en_US"));
    const TCliResult r = Run(
        {"--place", "Košice", "--db", FDatabase, "--year", "2026", "--utc", "--lang", "en"}, loc);
    QCOMPARE(r.ExitCode, 0);
    TSunTime sun;
    SetUp(sun, t, 0);
    QString expected;
    for (int m = 1; m <= 12; ++m)
        expected += MonthResultLines(sun, 2026, m, QStringLiteral("Košice"), U8(ClockTag::Utc.En),
                                     U8(NoEventWord.En), loc)
                        .join(QString()) +
                    ResultLineEnd;
    QCOMPARE(QString::fromUtf8(r.Out), expected);
}

// The plain line, then six twilight times, the day length, the altitude and
// the day length's change since the date before.
void TestCliRun::textTwilight()
{
    const QLocale loc(QStringLiteral("en_US"));
    const QStringList base = {"--lat", "59", "--lon", "15", "--date", "2026-06-21", "--lang", "en"};
    const TCliResult plain = Run(base, loc);
    const TCliResult twilight = Run(base + QStringList{"--twilight"}, loc);
    QCOMPARE(twilight.ExitCode, 0);
    QString line = QString::fromUtf8(plain.Out);
    QVERIFY(line.endsWith(ResultLineEnd));
    line.chop(ResultLineEnd.size());
    const QString longer = QString::fromUtf8(twilight.Out);
    QVERIFY(longer.startsWith(line + QStringLiteral(",   ")));
    QVERIFY(longer.endsWith(ResultLineEnd));
    QStringList extra = longer.mid(line.size() + 4).chopped(2).split(QStringLiteral(",   "));
    QCOMPARE(extra.size(), 9);
    // At 59 degrees north on the solstice night stays nautical twilight.
    QCOMPARE(extra.mid(2, 4), QStringList(4, U8(NoEventWord.En)));
    QVERIFY(QTime::fromString(extra[0], QStringLiteral("HH:mm:ss")).isValid());
    QVERIFY(QTime::fromString(extra[1], QStringLiteral("HH:mm:ss")).isValid());
    QVERIFY(extra[7].endsWith(QChar(0x00B0)));
    QVERIFY(QRegularExpression(QStringLiteral("^[+-]00:00:0\\d$")).match(extra[8]).hasMatch());

    const TDayEvents day =
        EventsOfDate(TPlace(QString(), 59, 15), TClock::Offset(0), QDate(2026, 6, 21));
    QCOMPARE(extra[6], DurationText(day.DayLength));
}

void TestCliRun::offsetAndZoneTags_data()
{
    QTest::addColumn<QStringList>("clock");
    QTest::addColumn<QString>("tag");
    QTest::newRow("offset east") << QStringList{"--offset", "+5:45"} << ", [UTC+05:45] =>   ";
    QTest::newRow("offset west") << QStringList{"--offset", "-3:30"} << ", [UTC-03:30] =>   ";
    QTest::newRow("zone") << QStringList{"--tz", "Europe/Bratislava"}
                          << ", [Europe/Bratislava] =>   ";
}

void TestCliRun::offsetAndZoneTags()
{
    QFETCH(QStringList, clock);
    QFETCH(QString, tag);
    const TCliResult r =
        Run(QStringList{"--lat", "48.15", "--lon", "17.117", "--date", "2026-06-21"} + clock);
    QCOMPARE(r.ExitCode, 0);
    QVERIFY2(QString::fromUtf8(r.Out).contains(tag), r.Out.constData());
}

// ------------------------------------------------------- other commands

void TestCliRun::easter_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("lang");
    QTest::newRow("2026 sk") << 2026 << "sk";
    QTest::newRow("2019 en") << 2019 << "en";
    QTest::newRow("1583 hu") << 1583 << "hu";
    QTest::newRow("9999 en") << 9999 << "en";
}

void TestCliRun::easter()
{
    QFETCH(int, year);
    QFETCH(QString, lang);
    const TCliResult r = Run({"--easter", QString::number(year), "--lang", lang});
    QCOMPARE(r.ExitCode, 0);
    const int language = QStringList{"sk", "en", "hu"}.indexOf(lang);
    QCOMPARE(QString::fromUtf8(r.Out), EasterMessage(int16_t(year), TLanguage(language)) + '\n');
}

void TestCliRun::moon_data()
{
    QTest::addColumn<QString>("date");
    QTest::newRow("2026-06-21") << "2026-06-21";
    QTest::newRow("2000-01-06") << "2000-01-06";
    QTest::newRow("1900-03-01") << "1900-03-01";
}

void TestCliRun::moon()
{
    QFETCH(QString, date);
    const TCliResult r = Run({"--moon", date, "--lang", "en"});
    QCOMPARE(r.ExitCode, 0);
    const QDate d = QDate::fromString(date, Qt::ISODate);
    const double x = PhaseFraction(DateUtil::EncodeDate(d.year(), d.month(), d.day()));
    const QString out = QString::fromUtf8(r.Out);
    QVERIFY2(out.startsWith(date), qPrintable(out));
    QVERIFY2(out.contains(QString::number(x, 'f', 4)), qPrintable(out));
    QVERIFY2(out.contains(QStringLiteral("picture %1\n").arg(MoonPictureNumber(x))),
             qPrintable(out));
}

void TestCliRun::helpAndVersion_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("contains");
    QTest::newRow("help") << "--help"
                          << "--twilight";
    QTest::newRow("h") << "-h"
                       << "Exit codes";
    QTest::newRow("version") << "--version"
                             << "vantu-cli " VANTU_VERSION "\n";
}

void TestCliRun::helpAndVersion()
{
    QFETCH(QString, option);
    QFETCH(QString, contains);
    const TCliResult r = Run({option});
    QCOMPARE(r.ExitCode, 0);
    QVERIFY(r.Error.isEmpty());
    QVERIFY2(QString::fromUtf8(r.Out).contains(contains), r.Out.constData());
}

QTEST_GUILESS_MAIN(TestCliRun)
#include "tst_clirun.moc"
