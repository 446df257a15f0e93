// The Sun and Moon chart's arithmetic: directions on the round chart and the
// stretches of a path above the horizon.
#include "app/SkyChart.h"

#include <QTest>

#include <cmath>

using namespace SkyChart;

class TestSkyChart : public QObject
{
    Q_OBJECT

private slots:
    void toPoint_data()
    {
        QTest::addColumn<double>("altitude");
        QTest::addColumn<double>("azimuth");
        QTest::addColumn<QString>("point"); // on a chart of radius 90 around (100, 100)
        QTest::newRow("zenith") << 90.0 << 123.0 << "100,100";
        QTest::newRow("north on the horizon") << 0.0 << 0.0 << "100,10";
        QTest::newRow("east, 30 degrees up") << 30.0 << 90.0 << "160,100";
        QTest::newRow("south-west, 45 up") << 45.0 << 225.0 << "68.18,131.8";
        QTest::newRow("below the horizon") << -0.5 << 90.0 << "";
    }
    void toPoint()
    {
        QFETCH(double, altitude);
        QFETCH(double, azimuth);
        QFETCH(QString, point);
        const std::optional<QPointF> p = ToPoint({altitude, azimuth}, QPointF(100, 100), 90);
        QCOMPARE(p ? QStringLiteral("%1,%2").arg(p->x(), 0, 'g', 4).arg(p->y(), 0, 'g', 4)
                   : QString(),
                 point);
    }

    void abovePieces_data()
    {
        QTest::addColumn<QString>("path");   // altitude:azimuth of each point
        QTest::addColumn<QString>("pieces"); // the same, pieces split by "|"
        QTest::newRow("rises and sets") << "-10:80 10:100 20:180 -20:280"
                                        << "0:90 10:100 20:180 0:230";
        QTest::newRow("down all day") << "-10:0 -5:90"
                                      << "";
        QTest::newRow("sets, rises across north") << "10:340 -10:20 -10:300 10:340"
                                                  << "10:340 0:0 | 0:320 10:340";
    }
    void abovePieces()
    {
        QFETCH(QString, path);
        QFETCH(QString, pieces);
        QVector<TPathPoint> points;
        for (const QString &p : path.split(u' '))
            points.append(
                TPathPoint{0, {p.section(u':', 0, 0).toDouble(), p.section(u':', 1).toDouble()}});
        QStringList got;
        for (const QVector<THorizontal> &piece : AbovePieces(points)) {
            QStringList items;
            for (const THorizontal &h : piece)
                items << QStringLiteral("%1:%2").arg(h.Altitude).arg(h.Azimuth);
            got << items.join(u' ');
        }
        QCOMPARE(got.join(QStringLiteral(" | ")), pieces);
    }

    // A click counts within reach of the ring; its azimuth runs clockwise
    // from north at the top.
    void ringAzimuth_data()
    {
        QTest::addColumn<QPointF>("point"); // ring of radius 90 around (100, 100), reach 5
        QTest::addColumn<QString>("azimuth");
        QTest::newRow("north") << QPointF(100, 10) << "0";
        QTest::newRow("east, just outside") << QPointF(194, 100) << "90";
        QTest::newRow("south, just inside") << QPointF(100, 186) << "180";
        QTest::newRow("north-west") << QPointF(36.36, 36.36) << "315";
        QTest::newRow("too far in") << QPointF(100, 50) << "";
        QTest::newRow("too far out") << QPointF(100, 196) << "";
    }
    void ringAzimuth()
    {
        QFETCH(QPointF, point);
        QFETCH(QString, azimuth);
        const std::optional<double> a = RingAzimuth(point, QPointF(100, 100), 90, 5);
        QCOMPARE(a ? QString::number(std::round(*a)) : QString(), azimuth);
    }

    // The whole hours a path stands above the horizon; the next date's
    // midnight belongs to the next date.
    void wholeHours_data()
    {
        QTest::addColumn<int>("from"); // above the horizon from this hour to the next one
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("hours");
        QTest::newRow("polar day") << 0 << 24
                                   << "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 "
                                      "20 21 22 23";
        QTest::newRow("rises and sets") << 5 << 20 << "5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20";
        QTest::newRow("polar night") << 0 << -1 << "";
    }
    void wholeHours()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, hours);
        const qint64 midnight =
            QDateTime(QDate(2026, 6, 21), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
        QVector<TPathPoint> path;
        for (int m = 0; m <= 24 * 60; m += 30)
            path.append(TPathPoint{midnight + m * 60000LL,
                                   {m >= from * 60 && m <= to * 60 ? 10.0 : -10.0, 180.0}});
        QStringList got;
        for (const auto &hour : WholeHours(path, TClock::Utc()))
            got << QString::number(hour.first);
        QCOMPARE(got.join(u' '), hours);
    }
};

QTEST_APPLESS_MAIN(TestSkyChart)
#include "tst_skychart.moc"
