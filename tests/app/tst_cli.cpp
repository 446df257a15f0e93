// vantu-cli without its main(): arguments, place look-up and the outputs.
#include "app/CliOptions.h"
#include "app/CliTexts.h"
#include "calendar/CalCalc.h"
#include "calendar/MoonPhase.h"
#include "suntime/DateUtil.h"
#include "suntime/SunTime.h"
#include "table/ResultLines.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{

struct TTown {
    const char *Name;
    int Hod, Min, Lat[3];
    char LatDir;
    int Lon[3];
    char LonDir;
};

const TTown Towns[] = {
    {"Bratislava", 1, 0, {48, 9, 0}, 'N', {17, 7, 1}, 'E'},
    {"Banská Bystrica", 1, 0, {48, 44, 0}, 'N', {19, 9, 0}, 'E'},
    {"Košice", 1, 0, {48, 43, 0}, 'N', {21, 15, 0}, 'E'},
    {"Nitra", 1, 0, {48, 19, 0}, 'N', {18, 5, 0}, 'E'},
    {"Nitrianske Pravno", 1, 0, {48, 53, 0}, 'N', {18, 38, 0}, 'E'},
    {"Kathmandu", 5, 45, {27, 42, 0}, 'N', {85, 19, 0}, 'E'},
    {"Quito", -5, 0, {0, 13, 0}, 'S', {78, 30, 0}, 'W'},
};

TLocality Record(const TTown &t)
{
    TLocality r;
    r.Field[fMesto] = QString::fromUtf8(t.Name);
    r.Field[fHod] = QString::number(t.Hod);
    r.Field[fMin] = QString::number(t.Min);
    r.Field[fZS1] = QString::number(t.Lat[0]);
    r.Field[fZS2] = QString::number(t.Lat[1]);
    r.Field[fZS3] = QString::number(t.Lat[2]);
    r.Field[fZS4] = QString(QLatin1Char(t.LatDir));
    r.Field[fZD1] = QString::number(t.Lon[0]);
    r.Field[fZD2] = QString::number(t.Lon[1]);
    r.Field[fZD3] = QString::number(t.Lon[2]);
    r.Field[fZD4] = QString(QLatin1Char(t.LonDir));
    return r;
}

TLocalityList AllTowns()
{
    TLocalityList list;
    for (const TTown &t : Towns)
        list << Record(t);
    return list;
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

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void usageErrors_data();
    void usageErrors();
    void localityFileFailures_data();
    void localityFileFailures();
    void findPlace_data();
    void findPlace();
    void placeFromFile_data();
    void placeFromFile();
    void parseAngle_data();
    void parseAngle();
    void parseOffset_data();
    void parseOffset();
    void defaultLanguage_data();
    void defaultLanguage();

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

private:
    TCliResult Run(QStringList arguments, const QLocale &locale = QLocale::c());

    QTemporaryDir FDir;
    QString FDatabase;
};

void TestCli::initTestCase()
{
    QVERIFY(FDir.isValid());
    FDatabase = FDir.filePath(QStringLiteral("lokality.xml"));
    QString error;
    const QByteArray bytes =
        TLocalityFile::Serialize(AllTowns(), QStringLiteral("SuborDat"), {}, &error);
    QVERIFY2(!bytes.isEmpty(), qPrintable(error));
    QFile file(FDatabase);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

TCliResult TestCli::Run(QStringList arguments, const QLocale &locale)
{
    arguments.prepend(QStringLiteral("vantu-cli"));
    return CliMain(arguments, QStringLiteral("en_US.UTF-8"), QDate(2026, 6, 21), locale);
}

// ------------------------------------------------------------- arguments

void TestCli::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message"); // part of the one line
    const QStringList here = {"--lat", "48.15", "--lon", "17.117"};
    QTest::newRow("unknown option") << QStringList{"--bogus"} << "bogus";
    QTest::newRow("stray argument") << (here + QStringList{"Bratislava"}) << "unexpected argument";
    QTest::newRow("no place") << QStringList{"--date", "2026-06-21"} << "give a place";
    QTest::newRow("empty name") << QStringList{"--place", ""} << "--place needs a name";
    QTest::newRow("blank name") << QStringList{"--place", "  "} << "--place needs a name";
    QTest::newRow("missing value") << QStringList{"--place"} << "place";
    QTest::newRow("place and lat") << QStringList{"--place", "Nitra", "--lat", "48"} << "not both";
    QTest::newRow("lat alone") << QStringList{"--lat", "48"} << "go together";
    QTest::newRow("db without place") << (here + QStringList{"--db", "x.xml"}) << "--db";
    QTest::newRow("lat 91") << QStringList{"--lat", "91", "--lon", "17"} << "--lat";
    QTest::newRow("lat -90.5") << QStringList{"--lat", "-90.5", "--lon", "17"} << "--lat";
    QTest::newRow("lat letters") << QStringList{"--lat", "north", "--lon", "17"} << "--lat";
    QTest::newRow("lat E") << QStringList{"--lat", "48:09:00E", "--lon", "17"} << "--lat";
    QTest::newRow("lat 60 minutes") << QStringList{"--lat", "48:60N", "--lon", "17"} << "--lat";
    QTest::newRow("lon 181") << QStringList{"--lat", "48", "--lon", "181"} << "--lon";
    QTest::newRow("lon -180.01") << QStringList{"--lat", "48", "--lon", "-180.01"} << "--lon";
    QTest::newRow("lon 60 seconds") << QStringList{"--lat", "48", "--lon", "17:07:60E"} << "--lon";
    QTest::newRow("lon N") << QStringList{"--lat", "48", "--lon", "17:07:01N"} << "--lon";
    QTest::newRow("date 30 February") << (here + QStringList{"--date", "2026-02-30"}) << "--date";
    QTest::newRow("date short") << (here + QStringList{"--date", "2026-6-1"}) << "--date";
    QTest::newRow("date words") << (here + QStringList{"--date", "today"}) << "--date";
    QTest::newRow("month 13") << (here + QStringList{"--month", "2026-13"}) << "--month";
    QTest::newRow("month 0") << (here + QStringList{"--month", "2026-00"}) << "--month";
    QTest::newRow("year five digits") << (here + QStringList{"--year", "20260"}) << "--year";
    QTest::newRow("year 0") << (here + QStringList{"--year", "0000"}) << "--year";
    QTest::newRow("date and month")
        << (here + QStringList{"--date", "2026-06-21", "--month", "2026-06"}) << "only one";
    QTest::newRow("date twice") << (here +
                                    QStringList{"--date", "2026-06-21", "--date", "2026-06-22"})
                                << "more than once";
    QTest::newRow("two clocks") << (here + QStringList{"--utc", "--cet"}) << "only one";
    QTest::newRow("offset 25 hours") << (here + QStringList{"--offset", "+25:00"}) << "--offset";
    QTest::newRow("offset 14:01") << (here + QStringList{"--offset", "-14:01"}) << "--offset";
    QTest::newRow("offset 75 minutes") << (here + QStringList{"--offset", "1:75"}) << "--offset";
    QTest::newRow("offset words") << (here + QStringList{"--offset", "CET"}) << "--offset";
    QTest::newRow("unknown zone") << (here + QStringList{"--tz", "Mars/Olympus"})
                                  << "unknown time zone";
    QTest::newRow("empty zone") << (here + QStringList{"--tz", ""}) << "unknown time zone";
    QTest::newRow("language de") << (here + QStringList{"--lang", "de"}) << "--lang";
    QTest::newRow("format xml") << (here + QStringList{"--format", "xml"}) << "--format";
    QTest::newRow("easter 1582") << QStringList{"--easter", "1582"} << "--easter";
    QTest::newRow("easter text") << QStringList{"--easter", "next"} << "--easter";
    QTest::newRow("easter with place")
        << QStringList{"--easter", "2026", "--place", "Nitra"} << "cannot be combined";
    QTest::newRow("easter and moon")
        << QStringList{"--easter", "2026", "--moon", "2026-06-21"} << "cannot be combined";
    QTest::newRow("moon month 13") << QStringList{"--moon", "2026-13-01"} << "--moon";
}

// Exit code 2, one line, nothing on the output.
void TestCli::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const TCliResult r = Run(arguments);
    QCOMPARE(r.ExitCode, CliExitUsage);
    QVERIFY(r.Out.isEmpty());
    QVERIFY(!r.Error.isEmpty());
    QVERIFY2(!r.Error.contains(QLatin1Char('\n')), qPrintable(r.Error));
    QVERIFY2(r.Error.contains(message), qPrintable(r.Error));
}

void TestCli::localityFileFailures_data()
{
    QTest::addColumn<QByteArray>("content"); // empty name: no file at all
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << QByteArray() << false << "Nitra"
                             << "not found";
    QTest::newRow("empty") << QByteArray() << true << "Nitra"
                           << "cannot be read";
    QTest::newRow("not XML") << QByteArray("<SuborDat><Lokalita>") << true << "Nitra"
                             << "cannot be read";
    QTest::newRow("bad record")
        << QByteArray("<SuborDat><Lokalita><Mesto>Nitra</Mesto><Hod>99</Hod></Lokalita>"
                      "</SuborDat>")
        << true << "Nitra"
        << "cannot be read";
    QTest::newRow("no such place") << QByteArray("<SuborDat></SuborDat>") << true << "Nitra"
                                   << "place not found";
}

// Exit code 1, and the file stays as it was.
void TestCli::localityFileFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    QFETCH(QString, place);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lokality.xml"));
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const TCliResult r = Run({"--place", place, "--db", path});
    QCOMPARE(r.ExitCode, CliExitFailure);
    QVERIFY(r.Out.isEmpty());
    QVERIFY2(r.Error.contains(message), qPrintable(r.Error));
    QCOMPARE(QFile::exists(path), exists);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), exists ? 1 : 0);
    if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
    }
}

void TestCli::findPlace_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("found"); // empty: none
    QTest::addColumn<QStringList>("candidates");
    QTest::newRow("exact") << "Bratislava"
                           << "Bratislava" << QStringList();
    QTest::newRow("exact beats prefix") << "Nitra"
                                        << "Nitra" << QStringList();
    QTest::newRow("whole name without case") << "NITRA"
                                             << "Nitra" << QStringList();
    QTest::newRow("prefix") << "Brat"
                            << "Bratislava" << QStringList();
    QTest::newRow("prefix without case") << "brat"
                                         << "Bratislava" << QStringList();
    QTest::newRow("accents ignored") << "banska b"
                                     << "Banská Bystrica" << QStringList();
    QTest::newRow("accents typed") << "KOŠ"
                                   << "Košice" << QStringList();
    QTest::newRow("accents left out") << "kosice"
                                      << "Košice" << QStringList();
    QTest::newRow("longer prefix") << "Nitri"
                                   << "Nitrianske Pravno" << QStringList();
    QTest::newRow("ambiguous") << "B"
                               << "" << QStringList{"Bratislava", "Banská Bystrica"};
    QTest::newRow("ambiguous accents") << "nit"
                                       << "" << QStringList{"Nitra", "Nitrianske Pravno"};
    QTest::newRow("nothing") << "Praha"
                             << "" << QStringList();
    QTest::newRow("longer than any") << "Bratislava 2"
                                     << "" << QStringList();
}

void TestCli::findPlace()
{
    QFETCH(QString, query);
    QFETCH(QString, found);
    QFETCH(QStringList, candidates);
    const TPlaceMatch match = FindPlace(AllTowns(), query);
    QCOMPARE(match.Record.has_value(), !found.isEmpty());
    if (match.Record)
        QCOMPARE(match.Record->Field[fMesto], found);
    QCOMPARE(match.Candidates, candidates);
}

void TestCli::placeFromFile_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("town"); // the line's name, or a candidate named in the error
    QTest::newRow("accent-insensitive prefix") << "kos" << 0 << "Košice";
    QTest::newRow("ambiguous lists the names") << "nitr" << 1 << "Nitrianske Pravno";
    QTest::newRow("unknown") << "Praha" << 1 << "Praha";
}

void TestCli::placeFromFile()
{
    QFETCH(QString, query);
    QFETCH(int, exitCode);
    QFETCH(QString, town);
    const TCliResult r = Run({"--place", query, "--db", FDatabase, "--date", "2026-06-21"});
    QCOMPARE(r.ExitCode, exitCode);
    if (exitCode == 0)
        QVERIFY(QString::fromUtf8(r.Out).startsWith(town + QStringLiteral(", ")));
    else
        QVERIFY2(r.Error.contains(town), qPrintable(r.Error));
}

void TestCli::parseAngle_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("limit");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("decimal") << "48.15" << 90.0 << true << 48.15;
    QTest::newRow("negative decimal") << "-33.87" << 90.0 << true << -33.87;
    QTest::newRow("plus sign") << "+17" << 180.0 << true << 17.0;
    QTest::newRow("limit itself") << "-90" << 90.0 << true << -90.0;
    QTest::newRow("N with seconds") << "48:09:00N" << 90.0 << true << 48.15;
    QTest::newRow("S without seconds") << "33:30S" << 90.0 << true << -33.5;
    QTest::newRow("lower-case letter") << "48:09:00n" << 90.0 << true << 48.15;
    QTest::newRow("beyond limit") << "90.0001" << 90.0 << false << 0.0;
    QTest::newRow("empty") << "" << 90.0 << false << 0.0;
    QTest::newRow("comma") << "48,15" << 90.0 << false << 0.0;
    QTest::newRow("no letter") << "48:09:00" << 90.0 << false << 0.0;
    QTest::newRow("letter of the other axis") << "48:09:00W" << 90.0 << false << 0.0;
    QTest::newRow("sign and letter") << "-48:09:00N" << 90.0 << false << 0.0;
    QTest::newRow("91 degrees as DMS") << "90:00:01N" << 90.0 << false << 0.0;
    QTest::newRow("nan") << "nan" << 90.0 << false << 0.0;
}

void TestCli::parseAngle()
{
    QFETCH(QString, text);
    QFETCH(double, limit);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const std::optional<double> angle = ParseAngle(text, QLatin1Char('N'), QLatin1Char('S'), limit);
    QCOMPARE(angle.has_value(), valid);
    if (angle)
        QVERIFY2(std::fabs(*angle - value) < 1e-9, qPrintable(QString::number(*angle, 'g', 17)));
}

void TestCli::parseOffset_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("seconds");
    QTest::newRow("+1:00") << "+1:00" << true << 3600;
    QTest::newRow("-3:30") << "-3:30" << true << -12600;
    QTest::newRow("+05:45") << "+05:45" << true << 20700;
    QTest::newRow("whole hours") << "2" << true << 7200;
    QTest::newRow("zero") << "0:00" << true << 0;
    QTest::newRow("+14:00") << "+14:00" << true << 50400;
    QTest::newRow("+14:01") << "+14:01" << false << 0;
    QTest::newRow("minutes 60") << "1:60" << false << 0;
    QTest::newRow("one minute digit") << "1:5" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("decimal") << "1.5" << false << 0;
}

void TestCli::parseOffset()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, seconds);
    const std::optional<int> offset = ParseOffset(text);
    QCOMPARE(offset.has_value(), valid);
    if (offset)
        QCOMPARE(*offset, seconds);
}

void TestCli::defaultLanguage_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<int>("language");
    QTest::newRow("Slovak") << "sk_SK.UTF-8" << 0;
    QTest::newRow("Hungarian") << "hu_HU.UTF-8" << 2;
    QTest::newRow("English") << "en_GB.UTF-8" << 1;
    QTest::newRow("German is English") << "de_DE.UTF-8" << 1;
    QTest::newRow("C") << "C" << 1;
    QTest::newRow("unset") << "" << 1;
}

void TestCli::defaultLanguage()
{
    QFETCH(QString, lang);
    QFETCH(int, language);
    const TCliParse p =
        ParseCliArguments({"vantu-cli", "--lat", "1", "--lon", "2"}, lang, QDate(2026, 1, 2));
    QVERIFY(p.Options);
    QCOMPARE(LanguageIndexOf(p.Options->Language), language);
    QCOMPARE(p.Options->Date, QDate(2026, 1, 2));
    QCOMPARE(p.Options->Span, TCliSpan::Day);
}

// ----------------------------------------------------------------- text

void TestCli::textDay_data()
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
void TestCli::textDay()
{
    QFETCH(QString, town);
    QFETCH(QString, clock);
    QFETCH(QString, lang);
    QFETCH(QString, locale);
    const TTown &t = Town(town);
    QStringList args = {"--place", town, "--db", FDatabase, "--date", "2026-06-21", "--lang", lang};
    double hours = t.Hod + t.Min / 60.0;
    TMainTag tag = TMainTag::Local;
    if (!clock.isEmpty()) {
        args << clock;
        hours = clock == QLatin1String("--utc") ? 0 : clock == QLatin1String("--cet") ? 1 : 2;
        tag = clock == QLatin1String("--utc")   ? TMainTag::Utc
              : clock == QLatin1String("--cet") ? TMainTag::Cet
                                                : TMainTag::Cest;
    }
    const int language = QStringList{"sk", "en", "hu"}.indexOf(lang);
    const QLocale loc(locale);
    const TCliResult r = Run(args, loc);
    QCOMPARE(r.ExitCode, 0);

    TSunTime sun;
    SetUp(sun, t, hours);
    const QString expected =
        ResultLineFor(sun, DateUtil::EncodeDate(2026, 6, 21), town, MainResultTag(language, tag),
                      MainNoEventText(language), loc);
    QCOMPARE(QString::fromUtf8(r.Out), expected);
}

void TestCli::textMonth_data()
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
void TestCli::textMonth()
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
    const QString expected =
        MonthResultLines(sun, first.year(), first.month(), town, MainResultTag(0, TMainTag::Local),
                         MainNoEventText(0), loc)
            .join(QString()) +
        ResultLineEnd;
    QCOMPARE(QString::fromUtf8(r.Out), expected);
}

void TestCli::textYear()
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
        expected += MonthResultLines(sun, 2026, m, QStringLiteral("Košice"),
                                     MainResultTag(1, TMainTag::Utc), MainNoEventText(1), loc)
                        .join(QString()) +
                    ResultLineEnd;
    QCOMPARE(QString::fromUtf8(r.Out), expected);
}

// The plain line, then six twilight times, the day length and the altitude.
void TestCli::textTwilight()
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
    QCOMPARE(extra.size(), 8);
    // At 59 degrees north on the solstice night stays nautical twilight.
    QCOMPARE(extra.mid(2, 4), QStringList(4, MainNoEventText(1)));
    QVERIFY(QTime::fromString(extra[0], QStringLiteral("HH:mm:ss")).isValid());
    QVERIFY(QTime::fromString(extra[1], QStringLiteral("HH:mm:ss")).isValid());
    QVERIFY(extra[7].endsWith(QChar(0x00B0)));

    const TSunRow row = SunRows(TSunPlace{QString(), 59, -15}, TSunClock::FixedOffset(0),
                                QDate(2026, 6, 21), QDate(2026, 6, 21))
                            .first();
    QCOMPARE(extra[6], DurationText(row.DayLength));
}

void TestCli::offsetAndZoneTags_data()
{
    QTest::addColumn<QStringList>("clock");
    QTest::addColumn<QString>("tag");
    QTest::newRow("offset east") << QStringList{"--offset", "+5:45"} << ", [UTC+05:45] =>   ";
    QTest::newRow("offset west") << QStringList{"--offset", "-3:30"} << ", [UTC-03:30] =>   ";
    QTest::newRow("zone") << QStringList{"--tz", "Europe/Bratislava"}
                          << ", [Europe/Bratislava] =>   ";
}

void TestCli::offsetAndZoneTags()
{
    QFETCH(QStringList, clock);
    QFETCH(QString, tag);
    const TCliResult r =
        Run(QStringList{"--lat", "48.15", "--lon", "17.117", "--date", "2026-06-21"} + clock);
    QCOMPARE(r.ExitCode, 0);
    QVERIFY2(QString::fromUtf8(r.Out).contains(tag), r.Out.constData());
}

// ------------------------------------------------------- other commands

void TestCli::easter_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("lang");
    QTest::newRow("2026 sk") << 2026 << "sk";
    QTest::newRow("2019 en") << 2019 << "en";
    QTest::newRow("1583 hu") << 1583 << "hu";
    QTest::newRow("9999 en") << 9999 << "en";
}

void TestCli::easter()
{
    QFETCH(int, year);
    QFETCH(QString, lang);
    const TCliResult r = Run({"--easter", QString::number(year), "--lang", lang});
    QCOMPARE(r.ExitCode, 0);
    const int language = QStringList{"sk", "en", "hu"}.indexOf(lang);
    QCOMPARE(QString::fromUtf8(r.Out), EasterMessage(int16_t(year), language) + '\n');
}

void TestCli::moon_data()
{
    QTest::addColumn<QString>("date");
    QTest::newRow("2026-06-21") << "2026-06-21";
    QTest::newRow("2000-01-06") << "2000-01-06";
    QTest::newRow("1900-03-01") << "1900-03-01";
}

void TestCli::moon()
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

void TestCli::helpAndVersion_data()
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

void TestCli::helpAndVersion()
{
    QFETCH(QString, option);
    QFETCH(QString, contains);
    const TCliResult r = Run({option});
    QCOMPARE(r.ExitCode, 0);
    QVERIFY(r.Error.isEmpty());
    QVERIFY2(QString::fromUtf8(r.Out).contains(contains), r.Out.constData());
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
