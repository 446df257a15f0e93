// A place's degrees to and from the fields, the offset fields of a zone on a
// day, and the clocks' labels and tags.
#include "common/Clock.h"
#include "common/Place.h"

#include <QtTest>

class TestPlaceClock : public QObject
{
    Q_OBJECT

private slots:
    void fromDms_data()
    {
        QTest::addColumn<TDmsAngle>("latitude");
        QTest::addColumn<TDmsAngle>("longitude");
        QTest::addColumn<double>("north");
        QTest::addColumn<double>("east");
        QTest::newRow("Bratislava")
            << TDmsAngle{48, 9, 0, false} << TDmsAngle{17, 7, 1, false} << 48.15 << 17.116944;
        QTest::newRow("south, west")
            << TDmsAngle{33, 52, 0, true} << TDmsAngle{70, 30, 0, true} << -33.866667 << -70.5;
        // The calculator's own reductions and carries.
        QTest::newRow("91 degrees")
            << TDmsAngle{91, 0, 0, false} << TDmsAngle{181, 0, 0, false} << 1.0 << 1.0;
        QTest::newRow("60 minutes")
            << TDmsAngle{10, 60, 0, false} << TDmsAngle{0, 0, 3600, false} << 11.0 << 1.0;
    }
    void fromDms()
    {
        QFETCH(TDmsAngle, latitude);
        QFETCH(TDmsAngle, longitude);
        QFETCH(double, north);
        QFETCH(double, east);
        const TPlace p = TPlace::FromDms(QStringLiteral("X"), latitude, longitude);
        QVERIFY2(std::fabs(p.Latitude - north) < 1e-6, qPrintable(QString::number(p.Latitude)));
        QVERIFY2(std::fabs(p.Longitude - east) < 1e-6, qPrintable(QString::number(p.Longitude)));
    }

    void dmsOf_data()
    {
        QTest::addColumn<double>("degrees");
        QTest::addColumn<TDmsAngle>("dms");
        QTest::newRow("Vienna latitude") << 48.20849 << TDmsAngle{48, 12, 31, false};
        QTest::newRow("Vienna longitude") << 16.37208 << TDmsAngle{16, 22, 19, false};
        QTest::newRow("rounds up to the next degree") << -33.99999 << TDmsAngle{34, 0, 0, true};
        QTest::newRow("zero") << 0.0 << TDmsAngle{0, 0, 0, false};
    }
    void dmsOf()
    {
        QFETCH(double, degrees);
        QFETCH(TDmsAngle, dms);
        QCOMPARE(DmsOf(degrees), dms);
    }

    void offsetFields_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDate>("day");
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("minutes");
        QTest::newRow("Vienna, January")
            << QByteArray("Europe/Vienna") << QDate(2026, 1, 15) << 1 << 0;
        QTest::newRow("Vienna, July")
            << QByteArray("Europe/Vienna") << QDate(2026, 7, 15) << 2 << 0;
        QTest::newRow("St. John's, -3:30")
            << QByteArray("America/St_Johns") << QDate(2026, 1, 15) << -4 << 30;
        QTest::newRow("Kathmandu, +5:45")
            << QByteArray("Asia/Kathmandu") << QDate(2026, 1, 15) << 5 << 45;
        QTest::newRow("Kiritimati, +14")
            << QByteArray("Pacific/Kiritimati") << QDate(2026, 1, 15) << 14 << 0;
        QTest::newRow("no zone") << QByteArray() << QDate(2026, 1, 15) << -99 << -99;
    }
    void offsetFields()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDate, day);
        QFETCH(int, hours);
        QFETCH(int, minutes);
        TPlace place;
        place.Zone = zone;
        const std::optional<int> offset = ZoneOffsetOn(place, day);
        QCOMPARE(offset.has_value(), hours != -99);
        if (!offset)
            return;
        const TOffsetFields fields = OffsetFields(*offset);
        QCOMPARE(fields.Hours, hours);
        QCOMPARE(fields.Minutes, minutes);
    }

    void labels_data()
    {
        QTest::addColumn<TClock>("clock");
        QTest::addColumn<TLanguage>("language");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("offsetInJuly");
        const QTimeZone vienna("Europe/Vienna");
        QTest::newRow("UTC") << TClock::Utc() << TLanguage::Slovak << ", [UTC] =>   " << 0;
        QTest::newRow("CET sk") << TClock::Cet() << TLanguage::Slovak << ", [SEČ] =>   " << 3600;
        QTest::newRow("CET en") << TClock::Cet() << TLanguage::English << ", [CET] =>   " << 3600;
        QTest::newRow("CEST sk") << TClock::Cest() << TLanguage::Slovak << ", [SELČ] =>   " << 7200;
        QTest::newRow("own clock hu")
            << TClock::Local(-9000) << TLanguage::Hungarian << ", [Helyi] =>   " << -9000;
        QTest::newRow("offset") << TClock::Offset(20700) << TLanguage::English
                                << ", [UTC+05:45] =>   " << 20700;
        QTest::newRow("zone") << TClock::Zone(vienna) << TLanguage::Hungarian
                              << ", [Europe/Vienna] =>   " << 7200;
        QTest::newRow("no such zone is UTC") << TClock::Zone(QTimeZone("Mars/Olympus"))
                                             << TLanguage::English << ", [UTC] =>   " << 0;
    }
    void labels()
    {
        QFETCH(TClock, clock);
        QFETCH(TLanguage, language);
        QFETCH(QString, tag);
        QFETCH(int, offsetInJuly);
        QCOMPARE(clock.Tag(language), tag);
        QCOMPARE(clock.Label(language), tag.mid(3, tag.size() - 10));
        QCOMPARE(clock.OffsetAt(QDateTime(QDate(2026, 7, 1), QTime(12, 0), Qt::UTC)), offsetInJuly);
    }
};

QTEST_APPLESS_MAIN(TestPlaceClock)
#include "tst_placeclock.moc"
