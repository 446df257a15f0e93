// The system zone's offset at local midnight, read under several TZ values.
#include "suntime/DateUtil.h"
#include "suntime/SunTime.h"

#include <QtTest>

#include <cstdlib>
#include <ctime>

class TestZoneBias : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void bias_data();
    void bias();
    void followsTzChanges();
    void calculatorUsesZone();
    void farDatesDoNotFail();

private:
    void UseZone(const char *zone);
    QByteArray savedTz;
    bool hadTz = false;
};

void TestZoneBias::UseZone(const char *zone)
{
    setenv("TZ", zone, 1);
    tzset();
}

void TestZoneBias::initTestCase()
{
    hadTz = qEnvironmentVariableIsSet("TZ");
    savedTz = qgetenv("TZ");
    QVERIFY2(QFile::exists("/usr/share/zoneinfo/Europe/Bratislava"), "tzdata is not installed");
}

void TestZoneBias::cleanupTestCase()
{
    if (hadTz)
        setenv("TZ", savedTz.constData(), 1);
    else
        unsetenv("TZ");
    tzset();
}

void TestZoneBias::bias_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("expected");

    // Northern pattern; the switch days (29 March, 25 October 2026) keep the
    // offset they had at midnight.
    const QByteArray ba = "Europe/Bratislava";
    QTest::newRow("Bratislava winter") << ba << 2026 << 1 << 15 << -60;
    QTest::newRow("Bratislava summer") << ba << 2026 << 7 << 1 << -120;
    QTest::newRow("Bratislava before spring") << ba << 2026 << 3 << 28 << -60;
    QTest::newRow("Bratislava spring switch") << ba << 2026 << 3 << 29 << -60;
    QTest::newRow("Bratislava after spring") << ba << 2026 << 3 << 30 << -120;
    QTest::newRow("Bratislava autumn switch") << ba << 2026 << 10 << 25 << -120;
    QTest::newRow("Bratislava after autumn") << ba << 2026 << 10 << 26 << -60;
    QTest::newRow("Bratislava 2000 summer") << ba << 2000 << 6 << 21 << -120;

    // Southern pattern: summer time around the turn of the year.
    const QByteArray sy = "Australia/Sydney";
    QTest::newRow("Sydney January") << sy << 2026 << 1 << 15 << -660;
    QTest::newRow("Sydney July") << sy << 2026 << 7 << 1 << -600;
    QTest::newRow("Sydney autumn switch") << sy << 2026 << 4 << 5 << -660;
    QTest::newRow("Sydney after autumn") << sy << 2026 << 4 << 6 << -600;
    QTest::newRow("Sydney spring switch") << sy << 2026 << 10 << 4 << -600;
    QTest::newRow("Sydney after spring") << sy << 2026 << 10 << 5 << -660;
    QTest::newRow("Sydney December") << sy << 2026 << 12 << 21 << -660;

    const QByteArray ko = "Asia/Kolkata";
    QTest::newRow("Kolkata January") << ko << 2026 << 1 << 15 << -330;
    QTest::newRow("Kolkata July") << ko << 2026 << 7 << 1 << -330;

    QTest::newRow("UTC January") << QByteArray("UTC") << 2026 << 1 << 15 << 0;
    QTest::newRow("UTC July") << QByteArray("UTC") << 2026 << 7 << 1 << 0;

    // Clocks that jump over midnight: the day keeps the offset from before
    // the jump. Clocks that go back to repeat midnight: the first midnight.
    const QByteArray sp = "America/Sao_Paulo";
    QTest::newRow("Sao Paulo no midnight") << sp << 2018 << 11 << 4 << 180;
    QTest::newRow("Sao Paulo day after") << sp << 2018 << 11 << 5 << 120;
    QTest::newRow("Sao Paulo last summer day") << sp << 2019 << 2 << 16 << 120;
    QTest::newRow("Sao Paulo back at midnight") << sp << 2019 << 2 << 17 << 180;
    const QByteArray hv = "America/Havana";
    QTest::newRow("Havana no midnight") << hv << 2025 << 3 << 9 << 300;
    QTest::newRow("Havana day after") << hv << 2025 << 3 << 10 << 240;
    QTest::newRow("Havana midnight twice") << hv << 2025 << 11 << 2 << 240;
    QTest::newRow("Havana day after back") << hv << 2025 << 11 << 3 << 300;
}

void TestZoneBias::bias()
{
    QFETCH(QByteArray, zone);
    QFETCH(int, y);
    QFETCH(int, m);
    QFETCH(int, d);
    QFETCH(int, expected);
    UseZone(zone.constData());
    const double day = DateUtil::EncodeDate(y, m, d);
    QCOMPARE(SystemZoneBias(day), expected);
    // The time of day plays no part: the day is taken at its midnight.
    QCOMPARE(SystemZoneBias(day + 0.99), expected);
}

void TestZoneBias::followsTzChanges()
{
    const double day = DateUtil::EncodeDate(2026, 1, 15);
    // setenv alone, without tzset: the function must notice by itself.
    setenv("TZ", "Asia/Kolkata", 1);
    QCOMPARE(SystemZoneBias(day), -330);
    setenv("TZ", "UTC", 1);
    QCOMPARE(SystemZoneBias(day), 0);
    setenv("TZ", "Australia/Sydney", 1);
    QCOMPARE(SystemZoneBias(day), -660);
}

void TestZoneBias::calculatorUsesZone()
{
    UseZone("Australia/Sydney");
    TSunTime st;
    QVERIFY(st.UseSysTimeZone());
    st.SetDate(DateUtil::EncodeDate(2026, 1, 15));
    QCOMPARE(st.TimeZone(), 11.0);
    st.SetDate(DateUtil::EncodeDate(2026, 7, 1));
    QCOMPARE(st.TimeZone(), 10.0);

    // Offsets from the system are not limited to whole hours.
    UseZone("Asia/Kolkata");
    st.SetUseSysTimeZone(false);
    st.SetUseSysTimeZone(true);
    QCOMPARE(st.TimeZone(), 5.5);
}

void TestZoneBias::farDatesDoNotFail()
{
    UseZone("Europe/Bratislava");
    const int winter1 = SystemZoneBias(DateUtil::EncodeDate(1, 1, 1));
    const int far = SystemZoneBias(DateUtil::EncodeDate(9999, 1, 1));
    // Before standard time the zone ran on local mean time; far ahead the
    // present rules go on.
    QVERIFY(winter1 > -120 && winter1 < 0);
    QCOMPARE(far, -60);
    QCOMPARE(SystemZoneBias(DateUtil::EncodeDate(9999, 7, 1)), -120);
}

QTEST_GUILESS_MAIN(TestZoneBias)
#include "tst_zonebias.moc"
