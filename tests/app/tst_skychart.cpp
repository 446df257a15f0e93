// The Sun and Moon chart's arithmetic: directions on the round chart and the
// stretches of a path above the horizon.
#include "app/SkyChart.h"

#include <QTest>

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
};

QTEST_APPLESS_MAIN(TestSkyChart)
#include "tst_skychart.moc"
