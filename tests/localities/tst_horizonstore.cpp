// The horizons of places in their file: what is stored comes back for the
// same place only, and a damaged file is set aside whole.
#include "FileSupport.h"
#include "localities/HorizonStore.h"

#include <QtTest>

using TPoints = std::vector<THorizonPoint>;
Q_DECLARE_METATYPE(TPoints)

class TestHorizonStore : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void damagedSetAside_data();
    void damagedSetAside();
};

void TestHorizonStore::roundTrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<TPoints>("points");
    QTest::addColumn<double>("height");

    QTest::newRow("profile") << U("SK - Vrátna") << 49.2069 << 19.0611
                             << TPoints{{0, 3.5}, {90, 16.5}, {180, 16}, {270, 10}} << 0.0;
    QTest::newRow("height only") << U("Tower") << 48.15 << 17.1169 << TPoints{} << 85.5;
    QTest::newRow("profile and height")
        << U("Hill") << 48.5 << 19.25 << TPoints{{350.25, -0.75}, {10.125, 2}} << 10000.0;
    QTest::newRow("south and west, markup in the name")
        << U("<A & \"B\" 'C'>\tD") << -33.8688 << -151.2093 << TPoints{{0, 60}, {360, -5}} << 1.0;
    QTest::newRow("a third of a second") << U("Ďumbier – chata") << 48.9 + 1.0 / 10800
                                         << 19.6 - 1.0 / 10800 << TPoints{{45, 5}, {135, 5}} << 0.0;
}

void TestHorizonStore::roundTrip()
{
    QFETCH(QString, name);
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(TPoints, points);
    QFETCH(double, height);
    TScratchFolder folder;
    const QString path = HorizonStorePath(folder.File(QStringLiteral("lokality.xml")));
    QCOMPARE(path, folder.File(QStringLiteral("horizonty.xml")));

    const TPlace place(name, latitude, longitude);
    const TPlace other(QStringLiteral("Other"), 10, 20);
    THorizonStore store(path);
    QVERIFY(store.Set(other, THorizon({{0, 1}, {180, 2}}, 0)));
    QVERIFY(store.Set(place, THorizon(points, height)));

    THorizonStore again(path);
    QCOMPARE(again.Load(), TLoadStatus::Loaded);
    QVERIFY(again.Entries() == store.Entries());
    const std::optional<THorizon> back = again.HorizonOf(place);
    QVERIFY(back);
    QCOMPARE(back->Height(), height);
    QCOMPARE(back->Points().size(), points.size());
    QCOMPARE(back->SkyLineAt(123.4), THorizon(points, height).SkyLineAt(123.4));
    QCOMPARE(again.HorizonOf(other)->Points().size(), size_t(2));

    // Bound to the name and the coordinates: a second of arc or a letter apart is another place.
    QVERIFY(!again.HorizonOf(TPlace(name, latitude + 1.0 / 3600, longitude)));
    QVERIFY(!again.HorizonOf(TPlace(name, latitude, longitude - 1.0 / 3600)));
    QVERIFY(!again.HorizonOf(TPlace(name + u'.', latitude, longitude)));

    // A flat horizon from the ground is no horizon: the entry goes, the other stays.
    QVERIFY(again.Set(place, THorizon()));
    THorizonStore third(path);
    QCOMPARE(third.Load(), TLoadStatus::Loaded);
    QVERIFY(!third.HorizonOf(place));
    QVERIFY(third.HorizonOf(other));
}

void TestHorizonStore::damagedSetAside_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray head = "<?xml version=\"1.0\"?>\n<Horizonty>";
    const QByteArray entry = "<Horizont Nazov=\"A\" Sirka=\"48\" Dlzka=\"17\" Vyska=\"0\">";
    const QByteArray point = "<Bod Azimut=\"10\" Uhol=\"2\"/>";
    const QByteArray tail = "</Horizont></Horizonty>";

    QTest::newRow("not XML") << QByteArray("azimuth altitude\n0 5\n");
    QTest::newRow("cut short") << head + entry + point;
    QTest::newRow("another root") << QByteArray("<SuborDat></SuborDat>");
    QTest::newRow("entity declared")
        << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE Horizonty [<!ENTITY a \"aaaa\">]>"
                      "<Horizonty></Horizonty>");
    QTest::newRow("one point") << head + entry + point + tail;
    QTest::newRow("altitude above 60")
        << head + entry + point + "<Bod Azimut=\"20\" Uhol=\"60.5\"/>" + tail;
    QTest::newRow("azimuth below 0")
        << head + entry + point + "<Bod Azimut=\"-1\" Uhol=\"2\"/>" + tail;
    QTest::newRow("decimal comma")
        << head + entry + point + "<Bod Azimut=\"20\" Uhol=\"2,5\"/>" + tail;
    QTest::newRow("height above 10000")
        << head + "<Horizont Nazov=\"A\" Sirka=\"48\" Dlzka=\"17\" Vyska=\"10001\">" + tail;
    QTest::newRow("no name") << head + "<Horizont Sirka=\"48\" Dlzka=\"17\" Vyska=\"5\">" + tail;
    QTest::newRow("latitude beyond the pole")
        << head + "<Horizont Nazov=\"A\" Sirka=\"90.5\" Dlzka=\"17\" Vyska=\"5\">" + tail;
    QTest::newRow("foreign element") << head + entry + point + point + "<Strom/>" + tail;
    QTest::newRow("too large") << head + QByteArray(MaxHorizonStoreSize, ' ') + "</Horizonty>";
}

void TestHorizonStore::damagedSetAside()
{
    QFETCH(QByteArray, bytes);
    TScratchFolder folder;
    const QString path = folder.File(QStringLiteral("horizonty.xml"));
    QVERIFY(WriteFile(path, bytes));

    THorizonStore store(path);
    QCOMPARE(store.Load(), TLoadStatus::Damaged);
    QVERIFY(store.Entries().isEmpty());
    const QString aside = store.SetAsideDamaged(QDateTime(QDate(2026, 12, 9), QTime(17, 5, 3)));
    QCOMPARE(aside, folder.File(QStringLiteral("horizonty-2026-12-09-170503.damaged.xml")));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(ReadFile(aside), bytes);

    // The next place's horizon starts a new file.
    QVERIFY(store.Set(TPlace(QStringLiteral("B"), 1, 2), THorizon({}, 3)));
    THorizonStore again(path);
    QCOMPARE(again.Load(), TLoadStatus::Loaded);
    QCOMPARE(again.Entries().size(), 1);
}

QTEST_GUILESS_MAIN(TestHorizonStore)
#include "tst_horizonstore.moc"
