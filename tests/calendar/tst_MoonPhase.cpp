// Phase fraction of a date and the picture table.
#include "calendar/MoonPhase.h"

#include <QtTest>

#include <cmath>

namespace
{

// Upper bounds of the picture table with the picture below each bound.
struct Bound {
    double value;
    int below;
    int from;
};

const Bound Bounds[] = {
    {0.017857, 29, 1},  {0.053571, 1, 2},   {0.089286, 2, 3},   {0.125, 3, 4},
    {0.160714, 4, 5},   {0.196429, 5, 6},   {0.232143, 6, 7},   {0.267857, 7, 8},
    {0.3125, 8, 9},     {0.354167, 9, 10},  {0.395833, 10, 11}, {0.4375, 11, 12},
    {0.479167, 12, 13}, {0.520833, 13, 14}, {0.546875, 14, 15}, {0.578125, 15, 16},
    {0.609375, 16, 17}, {0.640625, 17, 18}, {0.671875, 18, 19}, {0.703125, 19, 20},
    {0.734375, 20, 21}, {0.765625, 21, 22}, {0.796875, 22, 23}, {0.828125, 23, 24},
    {0.859375, 24, 25}, {0.890625, 25, 26}, {0.921875, 26, 27}, {0.953125, 27, 28},
    {0.984375, 28, 29},
};

// Days since 30 December 1899 for a Gregorian date (days-from-civil).
double OleDate(int y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long daysFrom1970 = era * 146097 + doe - 719468;
    return static_cast<double>(daysFrom1970 + 25569);
}

} // namespace

class TestMoonPhase : public QObject
{
    Q_OBJECT

private slots:
    void oleDateHelper();
    void fraction_data();
    void fraction();
    void fractionRange_data();
    void fractionRange();
    void negativeDateTimeOfDay();
    void picture_data();
    void picture();
    void everyBound_data();
    void everyBound();
    void outsideDomain();
};

void TestMoonPhase::oleDateHelper()
{
    QCOMPARE(OleDate(1899, 12, 30), 0.0);
    QCOMPARE(OleDate(2000, 1, 1), 36526.0);
    QCOMPARE(OleDate(1899, 12, 29), -1.0);
}

void TestMoonPhase::fraction_data()
{
    QTest::addColumn<double>("date");
    QTest::addColumn<double>("expected");

    // (JD - 1721088.5) / 29.53059 = 730456 / 29.53059 = 24735.570810 for
    // 1 January 2000, 0 h.
    QTest::newRow("2000-01-01 0h") << OleDate(2000, 1, 1) << 0.570810;
    QTest::newRow("2000-01-01 12h") << OleDate(2000, 1, 1) + 0.5 << 0.570810 + 0.5 / 29.53059;
    // 693930 / 29.53059 = 23498.683907
    QTest::newRow("1899-12-30") << 0.0 << 0.683907;
    QTest::newRow("reference day") << (1721088.5 - 2415018.5) << 0.0;
    // 22 days and a time of day after the reference, written the way
    // date-time values before 1899 are: whole days back, time forward.
    const double days = 29.53059 * 3 / 4;
    QTest::newRow("three quarters after reference")
        << (1721088.5 - 2415018.5) + std::floor(days) - (days - std::floor(days)) << 0.75;
}

void TestMoonPhase::fraction()
{
    QFETCH(double, date);
    QFETCH(double, expected);
    const double x = PhaseFraction(date);
    QVERIFY2(std::fabs(x - expected) < 1e-6, qPrintable(QString::number(x, 'f', 8)));
}

// 0 <= x < 1 for dates far before and after the reference, and x moves by
// a quarter day's share of the cycle every six hours.
void TestMoonPhase::fractionRange_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::newRow("before the reference") << OleDate(-4000, 1, 1) << OleDate(-3990, 1, 1);
    QTest::newRow("around the reference") << OleDate(-1, 6, 1) << OleDate(1, 6, 1);
    QTest::newRow("year 100") << OleDate(100, 1, 1) << OleDate(104, 1, 1);
    QTest::newRow("around 1899") << OleDate(1899, 1, 1) << OleDate(1901, 1, 1);
    QTest::newRow("modern") << OleDate(1990, 1, 1) << OleDate(2030, 1, 1);
    QTest::newRow("far future") << OleDate(9990, 1, 1) << OleDate(9999, 12, 31);
}

void TestMoonPhase::fractionRange()
{
    QFETCH(double, from);
    QFETCH(double, to);
    const double step = 0.25 / 29.53059;
    double previous = PhaseFraction(from) - step;
    for (double day = from; day <= to; day += 1.0) {
        for (double time : {0.0, 0.25, 0.5, 0.75}) {
            const double value = day >= 0 ? day + time : day - time;
            const double x = PhaseFraction(value);
            QVERIFY2(x >= 0.0 && x < 1.0, qPrintable(QString::number(value)));
            double delta = x - previous;
            if (delta < 0)
                delta += 1.0;
            QVERIFY2(std::fabs(delta - step) < 1e-6,
                     qPrintable(QStringLiteral("value %1 delta %2").arg(value).arg(delta)));
            const int picture = MoonPictureNumber(x);
            QVERIFY(picture >= 1 && picture <= 29);
            previous = x;
        }
    }
}

// A negative date-time value counts its days backwards but its time of day
// forwards: -1.25 is 29 December 1899 at 6 h, a quarter day after -1.
void TestMoonPhase::negativeDateTimeOfDay()
{
    const double share = 1.0 / 29.53059;
    QVERIFY(std::fabs(PhaseFraction(-0.25) - PhaseFraction(0.25)) < 1e-12);
    double delta = PhaseFraction(-1.25) - PhaseFraction(-1.0);
    if (delta < 0)
        delta += 1.0;
    QVERIFY2(std::fabs(delta - share / 4) < 1e-9, qPrintable(QString::number(delta)));
    delta = PhaseFraction(-700000.75) - PhaseFraction(-700000.0);
    if (delta < 0)
        delta += 1.0;
    QVERIFY2(std::fabs(delta - share * 3 / 4) < 1e-9, qPrintable(QString::number(delta)));
}

void TestMoonPhase::picture_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("file");

    QTest::newRow("0") << 0.0 << 29 << QStringLiteral("grafika/29.gif");
    QTest::newRow("0.01") << 0.01 << 29 << QStringLiteral("grafika/29.gif");
    QTest::newRow("0.03") << 0.03 << 1 << QStringLiteral("grafika/01.gif");
    QTest::newRow("0.125") << 0.125 << 4 << QStringLiteral("grafika/04.gif");
    QTest::newRow("0.1249999") << 0.1249999 << 3 << QStringLiteral("grafika/03.gif");
    QTest::newRow("0.5 centre of 13") << 0.5 << 13 << QStringLiteral("grafika/13.gif");
    QTest::newRow("0.5708") << 0.5708 << 15 << QStringLiteral("grafika/15.gif");
    QTest::newRow("0.984375") << 0.984375 << 29 << QStringLiteral("grafika/29.gif");
    QTest::newRow("0.99") << 0.99 << 29 << QStringLiteral("grafika/29.gif");
    QTest::newRow("just below 1") << std::nextafter(1.0, 0.0) << 29
                                  << QStringLiteral("grafika/29.gif");
    QTest::newRow("1 included") << 1.0 << 29 << QStringLiteral("grafika/29.gif");
    QTest::newRow("1 January 2000")
        << PhaseFraction(OleDate(2000, 1, 1)) << 15 << QStringLiteral("grafika/15.gif");
}

void TestMoonPhase::picture()
{
    QFETCH(double, x);
    QFETCH(int, number);
    QFETCH(QString, file);
    QCOMPARE(MoonPictureNumber(x), number);
    QCOMPARE(MoonPictureFile(x), file);
}

void TestMoonPhase::everyBound_data()
{
    QTest::addColumn<double>("bound");
    QTest::addColumn<int>("below");
    QTest::addColumn<int>("from");
    for (const Bound &b : Bounds)
        QTest::addRow("%.6f", b.value) << b.value << b.below << b.from;
}

// Each bound belongs to the range above it; the largest double under it to
// the range below.
void TestMoonPhase::everyBound()
{
    QFETCH(double, bound);
    QFETCH(int, below);
    QFETCH(int, from);
    QCOMPARE(MoonPictureNumber(bound), from);
    QCOMPARE(MoonPictureNumber(std::nextafter(bound, 0.0)), below);
    QCOMPARE(MoonPictureFile(bound),
             QStringLiteral("grafika/%1.gif").arg(from, 2, 10, QLatin1Char('0')));
}

void TestMoonPhase::outsideDomain()
{
    QCOMPARE(MoonPictureNumber(-0.001), 0);
    QCOMPARE(MoonPictureNumber(1.001), 0);
    QCOMPARE(MoonPictureNumber(std::nan("")), 0);
    QCOMPARE(MoonPictureFile(-0.5), QString());
    QVERIFY(std::isnan(PhaseFraction(std::nan(""))));
    QVERIFY(std::isnan(PhaseFraction(HUGE_VAL)));
}

QTEST_APPLESS_MAIN(TestMoonPhase)
#include "tst_MoonPhase.moc"
