// The city search on the system's libgeonames (through the module built
// beside the programs) and the .mo reader behind its translated names.
#include "localities/Gazetteer.h"
#include "localities/MessageCatalogue.h"

#include <QElapsedTimer>
#include <QFile>
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
