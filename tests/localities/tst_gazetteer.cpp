// The city search on the system's libgeonames (through the module built
// beside the programs) and the .mo reader behind its translated names.
#include "cli/CliOptions.h"
#include "localities/Gazetteer.h"
#include "localities/MessageCatalogue.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

namespace
{

const QString LocaleFolder = QStringLiteral("/usr/share/locale");

QString DataFile(const char *name)
{
    return QStringLiteral(VANTU_TEST_DATA_DIR "/localities/") + QString::fromLatin1(name);
}

QStringList Ids(const QList<TCityMatch> &matches)
{
    QStringList ids;
    for (const TCityMatch &m : matches)
        ids << m.Id;
    return ids;
}

} // namespace

class TestGazetteer : public QObject
{
    Q_OBJECT

    TGazetteer FCities{{QStringLiteral(VANTU_BIN_DIR)}, LocaleFolder};

private slots:
    void initTestCase() { QVERIFY2(FCities.Load(), qPrintable(FCities.Error())); }

    void found_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TLanguage>("language");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QStringList>("shown"); // name, region, country

        const auto hu = TLanguage::Hungarian, sk = TLanguage::Slovak, en = TLanguage::English;
        QTest::newRow("Pozsony, Hungarian")
            << "Pozsony" << hu << "3060972"
            << QStringList{"Pozsony", "Pozsonyi körzet", "Szlovákia"};
        QTest::newRow("Pozsony, Slovak") << "Pozsony" << sk << "3060972"
                                         << QStringList{"Bratislava", "Bratislavský", "Slovensko"};
        QTest::newRow("Kosice, English")
            << "Kosice" << en << "724443" << QStringList{"Košice", "Košický kraj", "Slovakia"};
        QTest::newRow("Kosice, Hungarian")
            << "Kosice" << hu << "724443" << QStringList{"Kassa", "Kassai körzet", "Szlovákia"};
        QTest::newRow("Viedeň, English")
            << "Viedeň" << en << "2761369" << QStringList{"Vienna", "Vienna", "Austria"};
        QTest::newRow("Viedeň, Hungarian")
            << "Viedeň" << hu << "2761369" << QStringList{"Bécs", "Vienna", "Ausztria"};
        QTest::newRow("Bécs, Slovak")
            << "Bécs" << sk << "2761369" << QStringList{"Viedeň", "Vienna", "Rakúsko"};
        QTest::newRow("Vienna, Slovak")
            << "Vienna" << sk << "2761369" << QStringList{"Viedeň", "Vienna", "Rakúsko"};
        QTest::newRow("case and accents")
            << "  VIEDEN " << en << "2761369" << QStringList{"Vienna", "Vienna", "Austria"};
        QTest::newRow("typed prefix") << "bratis" << en << "3060972"
                                      << QStringList{"Bratislava", "Bratislavský Kraj", "Slovakia"};
    }

    void found()
    {
        QFETCH(QString, text);
        QFETCH(TLanguage, language);
        QFETCH(QString, id);
        QFETCH(QStringList, shown);
        const QList<TCityMatch> matches = FCities.Find(text, language, 5);
        QVERIFY(!matches.isEmpty());
        const TCityMatch &first = matches.first();
        QCOMPARE(first.Id, id);
        QCOMPARE(QStringList({first.Name, first.Region, first.Country}), shown);
    }

    void vienna()
    {
        const QList<TCityMatch> matches = FCities.Find("vienna", TLanguage::English, 2);
        QCOMPARE(Ids(matches), QStringList({"2761369", "4791160"}));
        const TCityMatch &austria = matches[0];
        QCOMPARE(austria.CountryCode, "AT");
        QCOMPARE(austria.Zone, "Europe/Vienna");
        QCOMPARE(austria.Population, 1691468u);
        QCOMPARE(qRound(austria.Latitude * 1000), 48208);
        QCOMPARE(qRound(austria.Longitude * 1000), 16372);
        // West of Greenwich comes negative.
        QCOMPARE(qRound(matches[1].Longitude), -77);
        QCOMPARE(matches[1].Region, "Virginia");
    }

    void ranking_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("ids"); // the first matches, in order

        // Whole name (the larger first), then a name starting so, then a word.
        QTest::newRow("York") << "york"
                              << QStringList{"2633352", "4562407", "4917298", "6185607", "5128581"};
        QTest::newRow("word of the name") << "etienne du" << QStringList{"2980236"};
    }

    void ranking()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, ids);
        QCOMPARE(Ids(FCities.Find(text, TLanguage::English, int(ids.size()))), ids);
    }

    // A name in any language of the library's catalogues; the list shows the
    // name in the interface language and, beside it, the one that matched.
    void otherLanguages_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<TLanguage>("language");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("shown"); // the list's text up to the first comma

        const auto en = TLanguage::English, sk = TLanguage::Slovak, hu = TLanguage::Hungarian;
        QTest::newRow("Wien") << "Wien" << en << "2761369"
                              << "Vienna (Wien)";
        QTest::newRow("Wien, Slovak") << "Wien" << sk << "2761369"
                                      << "Viedeň (Wien)";
        QTest::newRow("Warszawa") << "Warszawa" << en << "756135"
                                  << "Warsaw (Warszawa)";
        QTest::newRow("Lisboa") << "Lisboa" << en << "2267057"
                                << "Lisbon (Lisboa)";
        QTest::newRow("København") << "København" << en << "2618425"
                                   << "Copenhagen (København)";
        QTest::newRow("Bruxelles") << "Bruxelles" << en << "2800866"
                                   << "Brussels (Bruxelles)";
        QTest::newRow("Den Haag") << "den haag" << en << "2747373"
                                  << "The Hague (Den Haag)";
        QTest::newRow("Москва") << "Москва" << en << "524901"
                                << "Moscow (Москва)";
        QTest::newRow("Αθήνα") << "Αθήνα" << hu << "264371"
                               << "Athén (Αθήνα)";
        QTest::newRow("without accents") << "ΑΘΗΝΑ" << en << "264371"
                                         << "Athens (Αθήνα)";
        QTest::newRow("北京") << "北京" << en << "1816670"
                              << "Beijing (北京)";
        QTest::newRow("Ciudad de México") << "Ciudad de México" << en << "3530597"
                                          << "Mexico City (Ciudad de México)";
        // The shown name fits as well: nothing beside it.
        QTest::newRow("Vienna") << "Vienna" << en << "2761369"
                                << "Vienna";
        QTest::newRow("Bécs, typed") << "Bécs" << hu << "2761369"
                                     << "Bécs";
    }

    void otherLanguages()
    {
        QFETCH(QString, text);
        QFETCH(TLanguage, language);
        QFETCH(QString, id);
        QFETCH(QString, shown);
        const QList<TCityMatch> matches = FCities.Find(text, language, 3);
        QVERIFY(!matches.isEmpty());
        QCOMPARE(matches.first().Id, id);
        QCOMPARE(matches.first().ListText().section(QLatin1Char(','), 0, 0), shown);
    }

    void nothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << " \t\n  ";
        QTest::newRow("punctuation") << "-.,;!?'\"()";
        QTest::newRow("a lone accent") << QString(QChar(0x301));
        QTest::newRow("1000 letters") << QString(1000, 'a');
        QTest::newRow("1000 mixed") << QString("Wien- ").repeated(167);
        QTest::newRow("Cherokee") << "ᏣᎳᎩ";
        QTest::newRow("emoji") << "😀🏙";
        // Signs no city's name has: not a name, not a prefix of "a".
        QTest::newRow("bracket and a") << "[a-";
        QTest::newRow("name and bracket") << "Wien[";
        QTest::newRow("wildcard") << "Wi*";
    }

    void nothing()
    {
        QFETCH(QString, text);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(Ids(FCities.Find(text, TLanguage::Slovak, 20)), QStringList());
        QVERIFY(timer.elapsed() < 50 * VANTU_TIME_SCALE);
    }

    void fold_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("folded");
        QTest::newRow("hyphen and accent") << "Saint-Étienne"
                                           << "saint etienne";
        QTest::newRow("sharp s") << "GIEẞEN"
                                 << "giessen";
        QTest::newRow("Polish") << "Łódź"
                                << "lodz";
        QTest::newRow("Danish") << "Ærøskøbing"
                                << "aeroskobing";
        QTest::newRow("Turkish") << "İstanbul"
                                 << "istanbul";
        QTest::newRow("ligature") << "ﬁ"
                                  << "fi";
        QTest::newRow("ends trimmed") << " 's-Hertogenbosch! "
                                      << "s hertogenbosch";
    }

    void fold()
    {
        QFETCH(QString, text);
        QFETCH(QString, folded);
        QCOMPARE(TGazetteer::Fold(text), folded);
    }

    void unavailable_data()
    {
        QTest::addColumn<QByteArray>("module"); // empty: no file at all
        QTest::newRow("no module") << QByteArray();
        QTest::newRow("not a library") << QByteArray("\x7f"
                                                     "ELF but not really");
    }

    void unavailable()
    {
        QFETCH(QByteArray, module);
        QTemporaryDir dir;
        if (!module.isEmpty()) {
            QFile file(dir.filePath(TGazetteer::ModuleFileName()));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(module) == module.size());
        }
        TGazetteer cities({dir.path()}, LocaleFolder);
        QVERIFY(!cities.Load());
        QVERIFY(cities.Loaded());
        QVERIFY2(cities.Error().contains(dir.path()), qPrintable(cities.Error()));
        QCOMPARE(cities.Count(), 0);
        QCOMPARE(Ids(cities.Find("Wien", TLanguage::English)), QStringList());
    }

    // --city: the city a name singles out; else the best match named in full,
    // with the others counted on standard error; no city for a non-name.
    void cityOption_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("place"); // the text line up to the date
        QTest::addColumn<QString>("note");  // a part of standard error, "" for none

        QTest::newRow("Wien") << "Wien" << 0 << "Vienna, Austria"
                              << "";
        QTest::newRow("Warszawa") << "Warszawa" << 0 << "Warsaw, Poland"
                                  << "";
        QTest::newRow("one of several Springfields")
            << "Springfield" << 0 << "Springfield, Missouri, United States of America"
            << "other cities match too (--find \"Springfield\" lists them)";
        QTest::newRow("start of one name")
            << "Wiener" << 0 << "Wiener Neustadt, Lower Austria, Austria"
            << "the only city it matches";
        QTest::newRow("start of many")
            << "Springf" << 0 << "Springfield, Missouri, United States of America"
            << "other cities match too";
        QTest::newRow("not a name") << "[a-" << 1 << ""
                                    << "city not found: [a-";
    }

    void cityOption()
    {
        QFETCH(QString, name);
        QFETCH(int, exitCode);
        QFETCH(QString, place);
        QFETCH(QString, note);
        const TCliResult r = CliMain({"vantu-cli", "--city", name, "--date", "2026-06-21"},
                                     "en_US.UTF-8", QDate(2026, 1, 1), QLocale::c(), &FCities);
        QCOMPARE(r.ExitCode, exitCode);
        QCOMPARE(QString::fromUtf8(r.Out).section(QStringLiteral(", 21"), 0, 0), place);
        QVERIFY2(note.isEmpty() ? r.Error.isEmpty() : r.Error.contains(note), qPrintable(r.Error));
    }

    // A truncated module is refused before it is mapped (a bus error once).
    void damagedModule_data()
    {
        QTest::addColumn<int>("cut"); // bytes taken off the end, or kept when negative
        QTest::newRow("ELF header only") << -64;
        QTest::newRow("half") << -1;
        QTest::newRow("last page missing") << 4096;
        QTest::newRow("last byte missing") << 1;
    }

    void damagedModule()
    {
        QFETCH(int, cut);
        QFile built(QStringLiteral(VANTU_BIN_DIR "/") + TGazetteer::ModuleFileName());
        if (!built.exists())
            QSKIP("built without the city search module");
        QVERIFY(built.open(QIODevice::ReadOnly));
        const QByteArray whole = built.readAll();
        const qsizetype kept = cut == -1 ? whole.size() / 2 : cut < 0 ? -cut : whole.size() - cut;
        QTemporaryDir dir;
        QFile file(dir.filePath(TGazetteer::ModuleFileName()));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(whole.left(kept)) == kept);
        file.close();
        TGazetteer cities({dir.path()}, LocaleFolder);
        QVERIFY(!cities.Load());
        QVERIFY2(cities.Error().contains(dir.path()), qPrintable(cities.Error()));
        QCOMPARE(Ids(cities.Find("Wien", TLanguage::English)), QStringList());
    }

    // A libgeonames.so.0 without the library's functions found first: the
    // tool says in one line that the city data is missing (it died with a
    // symbol lookup error, exit 127).
    void foreignLibrary_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("verbose"); // the module's paths and why each failed too
        QTest::newRow("--city") << QStringList{"--city", "Wien", "--date", "2026-06-21"} << false;
        QTest::newRow("--find") << QStringList{"--find", "Wien"} << false;
        QTest::newRow("--verbose") << QStringList{"--find", "Wien", "--verbose"} << true;
    }

    void foreignLibrary()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, verbose);
        if (!QFile::exists(QStringLiteral(VANTU_BIN_DIR "/") + TGazetteer::ModuleFileName()))
            QSKIP("built without the city search module");
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LD_LIBRARY_PATH"),
                           QStringLiteral(VANTU_FOREIGN_GEONAMES_DIR));
        cli.setProcessEnvironment(environment);
        cli.start(QStringLiteral(VANTU_BIN_DIR "/vantu-cli"), arguments);
        QVERIFY(cli.waitForFinished(30000));
        const QString error = QString::fromUtf8(cli.readAllStandardError());
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cli.exitCode(), 1);
        QCOMPARE(cli.readAllStandardOutput(), QByteArray());
        QCOMPARE(error.count(QLatin1Char('\n')) > 1, verbose);
        QCOMPARE(error.contains(TGazetteer::ModuleFileName()), verbose);
        QVERIFY2(error.startsWith(QStringLiteral("vantu-cli: ")) && error.contains("libgeonames0"),
                 qPrintable(error));
    }

    void no_catalogues()
    {
        // Names as the library itself spells them, found by those alone.
        QTemporaryDir empty;
        TGazetteer cities({QStringLiteral(VANTU_BIN_DIR)}, empty.path());
        const QList<TCityMatch> matches = cities.Find("Vienna", TLanguage::Slovak, 1);
        QCOMPARE(matches.size(), 1);
        QCOMPARE(matches[0].Name, "Vienna");
        QCOMPARE(matches[0].Country, "Austria");
        QCOMPARE(Ids(cities.Find("Viedeň", TLanguage::Slovak)), QStringList());
        QCOMPARE(Ids(cities.Find("Pozsony", TLanguage::Hungarian)), QStringList());
    }

    void loads_once_across_threads()
    {
        TGazetteer cities({QStringLiteral(VANTU_BIN_DIR)}, LocaleFolder);
        QStringList found[4];
        std::vector<std::thread> threads;
        for (QStringList &ids : found)
            threads.emplace_back([&] { ids = Ids(cities.Find("Kassa", TLanguage::English, 1)); });
        for (std::thread &t : threads)
            t.join();
        for (const QStringList &ids : found)
            QCOMPARE(ids, QStringList{"724443"});
        QCOMPARE(cities.Count(), FCities.Count());
    }

    void catalogue_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("id");
        QTest::addColumn<QString>("text");

        QTest::newRow("little-endian") << "catalogue-le.mo" << QByteArray("2761369") << "Viedeň";
        QTest::newRow("big-endian") << "catalogue-be.mo" << QByteArray("2761369") << "Viedeň";
        QTest::newRow("big-endian, last") << "catalogue-be.mo" << QByteArray("city") << "mesto";
        QTest::newRow("region") << "catalogue-le.mo" << QByteArray("SK.02") << "Pozsonyi körzet";
        QTest::newRow("first plural form") << "catalogue-le.mo" << QByteArray("city") << "mesto";
        QTest::newRow("plural id") << "catalogue-le.mo" << QByteArray("cities") << "";
        QTest::newRow("header") << "catalogue-le.mo" << QByteArray() << "";
        QTest::newRow("absent") << "catalogue-le.mo" << QByteArray("2761368") << "";
    }

    void catalogue()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, id);
        QFETCH(QString, text);
        TMessageCatalogue catalogue;
        QString error;
        QVERIFY2(catalogue.Load(DataFile(qPrintable(file)), &error), qPrintable(error));
        QCOMPARE(catalogue.Count(), 3);
        QCOMPARE(catalogue.Translate(id), text);
    }

    void damaged_catalogue_data()
    {
        QTest::addColumn<int>("size");   // the good file cut to this length
        QTest::addColumn<int>("offset"); // where a word is replaced, -1 none
        QTest::addColumn<quint32>("word");

        QTest::newRow("header only") << 20 << -1 << 0u;
        QTest::newRow("texts cut off") << 120 << -1 << 0u;
        QTest::newRow("other magic") << 218 << 0 << 0x12345678u;
        QTest::newRow("huge count") << 218 << 8 << 0xffffffffu;
        QTest::newRow("table beyond the end") << 218 << 12 << 0x7ffffff0u;
        QTest::newRow("text beyond the end") << 218 << 0x20 << 0xfffffff0u;
        QTest::newRow("major revision 1") << 218 << 4 << 0x10000u;
    }

    void damaged_catalogue()
    {
        QFETCH(int, size);
        QFETCH(int, offset);
        QFETCH(quint32, word);
        QFile file(DataFile("catalogue-le.mo"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll().left(size);
        if (offset >= 0)
            qToLittleEndian(word, bytes.data() + offset);
        TMessageCatalogue catalogue;
        QString error;
        QVERIFY(!catalogue.Parse(bytes, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(catalogue.Count(), 0);
        QCOMPARE(catalogue.Translate("2761369"), QString());
    }
};

QTEST_GUILESS_MAIN(TestGazetteer)
#include "tst_gazetteer.moc"
