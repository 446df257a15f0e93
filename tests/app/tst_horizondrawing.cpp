// The terrain's silhouette on a chart: its top follows the sky line through
// every point of the profile, across north, never below the chart's base.
#include "app/HorizonDrawing.h"

#include <QtTest>

using TPoints = std::vector<THorizonPoint>;
Q_DECLARE_METATYPE(TPoints)

class TestHorizonDrawing : public QObject
{
    Q_OBJECT

private slots:
    void silhouette_data()
    {
        QTest::addColumn<TPoints>("points");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("base");
        QTest::addColumn<double>("azimuth");
        QTest::addColumn<double>("top");
        QTest::newRow("a peak between the steps")
            << TPoints{{0, 0}, {100.5, 12}, {200, 0}} << 0.0 << -5.0 << 100.5 << 12.0;
        QTest::newRow("across north") << TPoints{{350, 10}, {10, 2}} << 0.0 << -5.0 << 0.0 << 6.0;
        QTest::newRow("north again at 360")
            << TPoints{{350, 10}, {10, 2}} << 0.0 << -5.0 << 360.0 << 6.0;
        QTest::newRow("terrain below the base")
            << TPoints{{0, -3}, {180, -3}} << 0.0 << 0.0 << 90.0 << 0.0;
        QTest::newRow("the dip from 100 m") << TPoints{} << 100.0 << -2.0 << 45.0 << -0.2933;
    }
    void silhouette()
    {
        QFETCH(TPoints, points);
        QFETCH(double, height);
        QFETCH(double, base);
        QFETCH(double, azimuth);
        QFETCH(double, top);
        const QPolygonF polygon = HorizonSilhouette(
            THorizon(points, height), [](double a, double h) { return QPointF(a, h); }, base);
        // Out along the sky line from 0 to 360, back along the base.
        QCOMPARE(polygon.size() % 2, 0);
        const qsizetype half = polygon.size() / 2;
        QCOMPARE(polygon.first().x(), 0.0);
        QCOMPARE(polygon[half - 1].x(), 360.0);
        QCOMPARE(polygon.last(), QPointF(0, base));
        bool found = false;
        for (qsizetype i = 0; i < half; ++i) {
            QVERIFY(polygon[i].y() >= base);
            QVERIFY(i == 0 || polygon[i].x() > polygon[i - 1].x());
            if (polygon[i].x() == azimuth) {
                found = true;
                QVERIFY2(std::fabs(polygon[i].y() - top) < 1e-3,
                         qPrintable(QString::number(polygon[i].y())));
            }
        }
        QVERIFY(found);
    }
};

QTEST_GUILESS_MAIN(TestHorizonDrawing)
#include "tst_horizondrawing.moc"
