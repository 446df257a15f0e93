// vantu-cli without its main(): the arguments read into options, the place
// looked up in a locality file.
#include "CliTestSupport.h"

#include "cli/CliOptions.h"
#include "suntime/SunTime.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace CliTest;

class TestCli : public QObject, protected TCliFixture
{
    Q_OBJECT

private slots:
    void initTestCase();

    void usageErrors_data();
    void usageErrors();
    void inTheLanguage_data();
    void inTheLanguage();
    void localityFileFailures_data();
    void localityFileFailures();
    void findPlace_data();
    void findPlace();
    void predefinedTowns_data();
    void predefinedTowns();
    void placeFromFile_data();
    void placeFromFile();
    void parseAngle_data();
    void parseAngle();
    void parseOffset_data();
    void parseOffset();
    void defaultLanguage_data();
    void defaultLanguage();
};

void TestCli::initTestCase()
{
    WriteDatabase();
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
    QTest::newRow("place and lat") << QStringList{"--place", "Nitra", "--lat", "48"} << "one place";
    QTest::newRow("city and lat") << QStringList{"--city", "Nitra", "--lat", "48"} << "one place";
    QTest::newRow("city and place")
        << QStringList{"--city", "Nitra", "--place", "Nitra"} << "one place";
    QTest::newRow("find and date")
        << QStringList{"--find", "Nitra", "--date", "2026-01-01"} << "--find";
    QTest::newRow("at malformed") << (here + QStringList{"--at", "2026-06-21_21:30"}) << "--at";
    QTest::newRow("at 30 February") << (here + QStringList{"--at", "2026-02-30T12:00"}) << "--at";
    QTest::newRow("at year 0") << (here + QStringList{"--at", "0000-06-21T12:00"}) << "--at";
    QTest::newRow("at offset 15 hours")
        << (here + QStringList{"--at", "2026-06-21T12:00+15:00"}) << "--at";
    QTest::newRow("at and date") << (here + QStringList{"--at", "2026-06-21T12:00", "--date",
                                                        "2026-06-21"})
                                 << "--at";
    QTest::newRow("at as ics") << (here +
                                   QStringList{"--at", "2026-06-21T12:00", "--format", "ics"})
                               << "--format";
    QTest::newRow("find as ics") << QStringList{"--find", "Nitra", "--format", "ics"} << "--format";
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
    // A time the clock skips is named, not taken for a year out of range.
    QTest::newRow("at in the spring gap")
        << (here + QStringList{"--at", "2026-03-29T02:30", "--tz", "Europe/Bratislava"})
        << "02:30 does not exist on 2026-03-29 on the clock Europe/Bratislava";
    // The Sun's angles.
    const QStringList year = here + QStringList{"--year", "2026"};
    QTest::newRow("altitude 90") << (here + QStringList{"--altitude", "90"}) << "-89 to 89: 90";
    QTest::newRow("altitude abc") << (here + QStringList{"--altitude", "abc"}) << "--altitude";
    QTest::newRow("altitude exponent") << (here + QStringList{"--altitude", "1e1"}) << "1e1";
    QTest::newRow("bearing 361") << (here + QStringList{"--bearing", "361"}) << "--bearing";
    QTest::newRow("bearing -1") << (here + QStringList{"--bearing", "-1"}) << "--bearing";
    QTest::newRow("aligned on a day")
        << (here + QStringList{"--aligned", "299.3"}) << "--aligned needs --month or --year";
    QTest::newRow("aligned 400") << (year + QStringList{"--aligned", "400"}) << "--aligned";
    QTest::newRow("aligned with light")
        << (year + QStringList{"--aligned", "90", "--light"}) << "cannot be combined";
    QTest::newRow("tolerance 0") << (year + QStringList{"--aligned", "90", "--tolerance", "0"})
                                 << "--tolerance";
    QTest::newRow("tolerance alone")
        << (year + QStringList{"--tolerance", "1"}) << "--tolerance goes with --aligned";
    QTest::newRow("shadow -1") << (here + QStringList{"--at", "2026-06-21T12:00", "--shadow", "-1"})
                               << "--shadow";
    QTest::newRow("shadow without at")
        << (here + QStringList{"--shadow", "2"}) << "--shadow goes with --at";
    QTest::newRow("height -1") << (here + QStringList{"--height", "-1"}) << "0 to 10000: -1";
    QTest::newRow("height 10001") << (here + QStringList{"--height", "10001"}) << "--height";
    QTest::newRow("aligned behind hills")
        << (year + QStringList{"--aligned", "90", "--horizon", "hills.txt"})
        << "cannot be combined";
    QTest::newRow("light at a moment")
        << (here + QStringList{"--at", "2026-06-21T12:00", "--light"}) << "cannot be combined";
    // What was typed comes back escaped: one line, nothing for the terminal.
    QTest::newRow("control characters")
        << (here + QStringList{"--tz", "Foo\nBar\x1b[31m"}) << "Foo\\nBar\\x1b[31m";
}

void TestCli::inTheLanguage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");   // part of the output
    QTest::addColumn<QString>("error"); // part of standard error
    const QStringList here = {"--lat", "48.15", "--lon", "17.117"};
    QTest::newRow("zone sk") << (here + QStringList{"--tz", "Mars/Olympus", "--lang", "sk"})
                             << CliExitUsage << ""
                             << "neznáme časové pásmo: Mars/Olympus";
    QTest::newRow("zone hu") << (here + QStringList{"--lang=hu", "--tz", "Mars/Olympus"})
                             << CliExitUsage << ""
                             << "ismeretlen időzóna: Mars/Olympus";
    QTest::newRow("unknown option sk")
        << (here + QStringList{"--lang", "sk", "--bogus"}) << CliExitUsage << ""
        << "neznáma voľba: --bogus";
    QTest::newRow("place not found hu")
        << QStringList{"--place", "Xyz", "--db", "/nonexistent/lokality.xml", "--lang", "hu"}
        << CliExitFailure << ""
        << "a helységfájl nem található";
    QTest::newRow("year 999") << (here + QStringList{"--year", "999", "--format", "csv"}) << 0
                              << "0999-12-31,"
                              << "";
    QTest::newRow("year 1") << (here + QStringList{"--year", "1", "--format", "csv"}) << 0
                            << "0001-01-01,"
                            << "";
    QTest::newRow("year with zeros")
        << (here + QStringList{"--year", "02026", "--format", "csv"}) << 0 << "2026-12-31,"
        << "";
    QTest::newRow("easter with zeros") << QStringList{"--easter", "02026"} << 0 << "2026"
                                       << "";
    QTest::newRow("at with a space") << (here + QStringList{"--at", "2026-06-21 21:30", "--utc"})
                                     << 0 << "2026-06-21T21:30:00+00:00"
                                     << "";
    QTest::newRow("at in the autumn overlap")
        << (here + QStringList{"--at", "2026-10-25T02:30", "--tz", "Europe/Bratislava"}) << 0
        << "2026-10-25T02:30:00+02:00"
        << "occurs twice on 2026-10-25";
    // Text for reading takes the language's decimal comma; files keep the point.
    QTest::newRow("decimal comma sk")
        << (here + QStringList{"--at", "2026-06-21T21:30", "--utc", "--lang", "sk"}) << 0
        << "výška -16,01°"
        << "";
    QTest::newRow("decimal point csv") << (here + QStringList{"--at", "2026-06-21T21:30", "--utc",
                                                              "--lang", "sk", "--format", "csv"})
                                       << 0 << ",-16.01,"
                                       << "";
    // The Sun's angles: repeated, negative and decimal, in the language.
    QTest::newRow("altitudes repeated")
        << (here + QStringList{"--altitude", "-4", "--altitude=10.5", "--altitude", "-4", "--date",
                               "2026-06-21", "--format", "csv"})
        << 0 << "altitude_-4_rise,altitude_-4_set,altitude_10.5_rise,altitude_10.5_set,note"
        << "";
    QTest::newRow("light sk") << (here + QStringList{"--light", "--lang", "sk"}) << 0
                              << "    Zlatá hodina "
                              << "";
    QTest::newRow("shadow hu") << (here + QStringList{"--at", "2026-06-21T18:00+02:00", "--shadow",
                                                      "1.8", "--lang", "hu"})
                               << 0 << "Árnyék 3,6"
                               << "";
    QTest::newRow("height only, in the language")
        << (here + QStringList{"--date", "2026-06-21", "--height", "100", "--lang", "hu"}) << 0
        << "    Látható napkelte "
        << "";
    QTest::newRow("no such profile")
        << (here + QStringList{"--horizon", "/nonexistent/hills.txt"}) << 1 << ""
        << "/nonexistent/hills.txt";
    QTest::newRow("shadow at night") << (here + QStringList{"--at", "2026-06-21T23:00+02:00",
                                                            "--shadow", "1.8", "--format", "json"})
                                     << 0 << "\"shadow_length\": null, \"shadow_azimuth\": null}"
                                     << "";
}

// Accepted forms, and messages in the language of the output.
void TestCli::inTheLanguage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, error);
    const TCliResult r = Run(arguments);
    QCOMPARE(r.ExitCode, exitCode);
    QVERIFY2(QString::fromUtf8(r.Out).contains(out), r.Out.constData());
    QVERIFY2(r.Error.contains(error), qPrintable(r.Error));
    QCOMPARE(r.Error.isEmpty(), error.isEmpty());
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

void TestCli::predefinedTowns_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("found");
    QTest::newRow("whole name") << "SK - Bratislava" << true;
    QTest::newRow("prefix without accents") << "sk - kos" << true;
    QTest::newRow("town alone is no prefix") << "Bratislava" << false;
    QTest::newRow("country prefix is ambiguous") << "SK" << false;
}

// The nine towns of a new locality file, as the README's examples use them.
void TestCli::predefinedTowns()
{
    QFETCH(QString, query);
    QFETCH(bool, found);
    const TLocalityList towns = PredefinedLocalities();
    const TPlaceMatch match = FindPlace(towns, query);
    QCOMPARE(match.Record.has_value(), found);
    if (found)
        QVERIFY(FoldedName(match.Record->Field[fMesto]).startsWith(FoldedName(query)));
    if (query == QLatin1String("SK"))
        QCOMPARE(match.Candidates.size(), towns.size());
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
    QTest::newRow("-12:00") << "-12:00" << true << -43200;
    QTest::newRow("-12:01") << "-12:01" << false << 0;
    QTest::newRow("-13") << "-13" << false << 0;
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

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
