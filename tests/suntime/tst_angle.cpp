// Angle fields: reductions, carries, signs and when the owner is notified.
#include "suntime/SunTime.h"

#include <QtTest>

#include <memory>

namespace
{

enum Kind { Plain, Lat, Lon };

std::unique_ptr<TAngle> MakeAngle(int kind)
{
    switch (kind) {
    case Lat:
        return std::make_unique<TLatitude>();
    case Lon:
        return std::make_unique<TLongitude>();
    default:
        return std::make_unique<TAngle>();
    }
}

// Counts notifications and checks each one names the angle itself.
struct Counter {
    int count = 0;
    const TAngle *sender = nullptr;
    bool wrongSender = false;
    void Attach(TAngle &a)
    {
        sender = &a;
        a.OnChange = [this](TAngle &s) {
            ++count;
            if (&s != sender)
                wrongSender = true;
        };
    }
};

void SetParts(TAngle &a, int d, int m, int s)
{
    a.SetDegrees(static_cast<uint16_t>(d));
    a.SetMinutes(static_cast<uint16_t>(m));
    a.SetSeconds(static_cast<uint16_t>(s));
}

} // namespace

class TestAngle : public QObject
{
    Q_OBJECT

private slots:
    void newAngleIsZero();
    void writeField_data();
    void writeField();
    void negativeAndDir();
    void dirOrdinalOutsideEnumClears();
    void valueRead_data();
    void valueRead();
    void valueWrite_data();
    void valueWrite();
    void valueWriteNotifiesPerChangedField();
    void assignGoesThroughValue_data();
    void assignGoesThroughValue();
    void emptyOnChangeIsAllowed();
};

void TestAngle::newAngleIsZero()
{
    for (int kind : {Plain, Lat, Lon}) {
        auto a = MakeAngle(kind);
        QCOMPARE(a->Degrees(), uint16_t(0));
        QCOMPARE(a->Minutes(), uint16_t(0));
        QCOMPARE(a->Seconds(), uint16_t(0));
        QVERIFY(!a->Negative());
        QVERIFY(!a->OnChange);
        QCOMPARE(a->Value(), 0.0);
    }
    TLatitude lat;
    QCOMPARE(lat.Dir(), dNorth);
    TLongitude lon;
    QCOMPARE(lon.Dir(), dWest);
}

void TestAngle::writeField_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("d0");
    QTest::addColumn<int>("m0");
    QTest::addColumn<int>("s0");
    QTest::addColumn<char>("field");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("s");
    QTest::addColumn<int>("notes");

    // Degrees: class rule, then modulo 360, compared before the modulo.
    QTest::newRow("lat 91") << int(Lat) << 0 << 0 << 0 << 'D' << 91 << 1 << 0 << 0 << 1;
    QTest::newRow("lat 180") << int(Lat) << 0 << 0 << 0 << 'D' << 180 << 90 << 0 << 0 << 1;
    QTest::newRow("lat 200") << int(Lat) << 0 << 0 << 0 << 'D' << 200 << 20 << 0 << 0 << 1;
    QTest::newRow("lat 360") << int(Lat) << 0 << 0 << 0 << 'D' << 360 << 90 << 0 << 0 << 1;
    QTest::newRow("lat 90") << int(Lat) << 0 << 0 << 0 << 'D' << 90 << 90 << 0 << 0 << 1;
    QTest::newRow("lat 90 over 90") << int(Lat) << 90 << 0 << 0 << 'D' << 90 << 90 << 0 << 0 << 0;
    QTest::newRow("lat 181 over 1") << int(Lat) << 1 << 0 << 0 << 'D' << 181 << 1 << 0 << 0 << 0;
    QTest::newRow("lat -1") << int(Lat) << 0 << 0 << 0 << 'D' << 65535 << 15 << 0 << 0 << 1;
    QTest::newRow("lon 181") << int(Lon) << 0 << 0 << 0 << 'D' << 181 << 1 << 0 << 0 << 1;
    QTest::newRow("lon 360") << int(Lon) << 0 << 0 << 0 << 'D' << 360 << 180 << 0 << 0 << 1;
    QTest::newRow("lon 400") << int(Lon) << 0 << 0 << 0 << 'D' << 400 << 40 << 0 << 0 << 1;
    QTest::newRow("lon 180") << int(Lon) << 0 << 0 << 0 << 'D' << 180 << 180 << 0 << 0 << 1;
    QTest::newRow("lon -1") << int(Lon) << 0 << 0 << 0 << 'D' << 65535 << 15 << 0 << 0 << 1;
    QTest::newRow("angle 370") << int(Plain) << 0 << 0 << 0 << 'D' << 370 << 10 << 0 << 0 << 1;
    QTest::newRow("angle 370 over 10")
        << int(Plain) << 10 << 0 << 0 << 'D' << 370 << 10 << 0 << 0 << 1;
    QTest::newRow("angle 10 over 10")
        << int(Plain) << 10 << 0 << 0 << 'D' << 10 << 10 << 0 << 0 << 0;
    QTest::newRow("angle 360") << int(Plain) << 5 << 0 << 0 << 'D' << 360 << 0 << 0 << 0 << 1;
    QTest::newRow("angle 359") << int(Plain) << 0 << 0 << 0 << 'D' << 359 << 359 << 0 << 0 << 1;
    QTest::newRow("angle -1") << int(Plain) << 0 << 0 << 0 << 'D' << 65535 << 15 << 0 << 0 << 1;

    // Minutes: below 60 stored; above, carried through the degrees write.
    QTest::newRow("min 75 on 10") << int(Plain) << 10 << 0 << 0 << 'M' << 75 << 11 << 15 << 0 << 1;
    QTest::newRow("min 59") << int(Plain) << 10 << 0 << 0 << 'M' << 59 << 10 << 59 << 0 << 1;
    QTest::newRow("min same") << int(Plain) << 10 << 30 << 0 << 'M' << 30 << 10 << 30 << 0 << 0;
    QTest::newRow("min 90 on 10 30")
        << int(Plain) << 10 << 30 << 0 << 'M' << 90 << 11 << 30 << 0 << 1;
    QTest::newRow("min 60") << int(Plain) << 0 << 0 << 0 << 'M' << 60 << 1 << 0 << 0 << 1;
    QTest::newRow("min whole turn")
        << int(Plain) << 10 << 0 << 0 << 'M' << 21600 << 10 << 0 << 0 << 1;
    QTest::newRow("min carry wraps 360")
        << int(Plain) << 359 << 0 << 0 << 'M' << 60 << 0 << 0 << 0 << 1;
    QTest::newRow("lat 90 30 min 90")
        << int(Lat) << 90 << 30 << 0 << 'M' << 90 << 1 << 30 << 0 << 1;
    // The carry reduces back to the stored degrees: the minutes change
    // silently, since only the degrees write notifies.
    QTest::newRow("lat carry back to same")
        << int(Lat) << 1 << 0 << 0 << 'M' << 5430 << 1 << 30 << 0 << 0;
    QTest::newRow("lon 180 59 min 61")
        << int(Lon) << 180 << 59 << 0 << 'M' << 61 << 1 << 1 << 0 << 1;
    QTest::newRow("min -1") << int(Plain) << 0 << 0 << 0 << 'M' << 65535 << 12 << 15 << 0 << 1;

    // Seconds: the same chain one level further down.
    QTest::newRow("sec 3725") << int(Plain) << 0 << 0 << 0 << 'S' << 3725 << 1 << 2 << 5 << 1;
    QTest::newRow("sec 59") << int(Plain) << 0 << 0 << 0 << 'S' << 59 << 0 << 0 << 59 << 1;
    QTest::newRow("sec same") << int(Plain) << 0 << 0 << 7 << 'S' << 7 << 0 << 0 << 7 << 0;
    QTest::newRow("sec 60 on 0 59") << int(Plain) << 0 << 59 << 0 << 'S' << 60 << 1 << 0 << 0 << 1;
    QTest::newRow("sec 90 keeps sec changes min")
        << int(Plain) << 0 << 0 << 30 << 'S' << 90 << 0 << 1 << 30 << 1;
    QTest::newRow("lon 180 59 sec 60")
        << int(Lon) << 180 << 59 << 0 << 'S' << 60 << 1 << 0 << 0 << 1;
    QTest::newRow("lat sec -1") << int(Lat) << 0 << 0 << 0 << 'S' << 65535 << 18 << 12 << 15 << 1;
}

void TestAngle::writeField()
{
    QFETCH(int, kind);
    QFETCH(int, d0);
    QFETCH(int, m0);
    QFETCH(int, s0);
    QFETCH(char, field);
    QFETCH(int, value);
    QFETCH(int, d);
    QFETCH(int, m);
    QFETCH(int, s);
    QFETCH(int, notes);

    auto a = MakeAngle(kind);
    SetParts(*a, d0, m0, s0);
    QCOMPARE(int(a->Degrees()), d0);
    QCOMPARE(int(a->Minutes()), m0);
    QCOMPARE(int(a->Seconds()), s0);
    Counter counter;
    counter.Attach(*a);

    const auto v = static_cast<uint16_t>(value);
    switch (field) {
    case 'D':
        a->SetDegrees(v);
        break;
    case 'M':
        a->SetMinutes(v);
        break;
    default:
        a->SetSeconds(v);
        break;
    }
    QCOMPARE(int(a->Degrees()), d);
    QCOMPARE(int(a->Minutes()), m);
    QCOMPARE(int(a->Seconds()), s);
    QCOMPARE(counter.count, notes);
    QVERIFY(!counter.wrongSender);
    QVERIFY(!a->Negative());
}

void TestAngle::negativeAndDir()
{
    TLatitude lat;
    Counter counter;
    counter.Attach(lat);
    lat.SetDir(dSouth);
    lat.SetDir(dSouth);
    QCOMPARE(counter.count, 1);
    QVERIFY(lat.Negative());
    QCOMPARE(lat.Dir(), dSouth);
    lat.SetNegative(true);
    QCOMPARE(counter.count, 1);
    lat.SetNegative(false);
    QCOMPARE(counter.count, 2);
    QCOMPARE(lat.Dir(), dNorth);
    lat.SetDir(dNorth);
    QCOMPARE(counter.count, 2);

    TLongitude lon;
    counter.Attach(lon);
    counter.count = 0;
    lon.SetDir(dEast);
    lon.SetDir(dEast);
    QCOMPARE(counter.count, 1);
    QVERIFY(lon.Negative());
    QCOMPARE(lon.Dir(), dEast);
    lon.SetNegative(true);
    QCOMPARE(counter.count, 1);
    lon.SetDir(dWest);
    QCOMPARE(counter.count, 2);
    QCOMPARE(lon.Dir(), dWest);
    QVERIFY(!lon.Negative());
}

void TestAngle::dirOrdinalOutsideEnumClears()
{
    TLatitude lat;
    lat.SetDir(dSouth);
    lat.SetDir(static_cast<TLatitudeDir>(2));
    QVERIFY(!lat.Negative());
    TLongitude lon;
    lon.SetDir(dEast);
    lon.SetDir(static_cast<TLongitudeDir>(7));
    QVERIFY(!lon.Negative());
}

void TestAngle::valueRead_data()
{
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("s");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<double>("expected");

    QTest::newRow("48 37 4 south") << 48 << 37 << 4 << true << -(48 + 37 / 60.0 + 4 / 3600.0);
    QTest::newRow("48 37 4 north") << 48 << 37 << 4 << false << 48 + 37 / 60.0 + 4 / 3600.0;
    QTest::newRow("minutes only") << 0 << 30 << 0 << false << 0.5;
    QTest::newRow("seconds only") << 0 << 0 << 36 << true << -0.01;
    QTest::newRow("zero negative") << 0 << 0 << 0 << true << 0.0;
}

void TestAngle::valueRead()
{
    QFETCH(int, d);
    QFETCH(int, m);
    QFETCH(int, s);
    QFETCH(bool, negative);
    QFETCH(double, expected);
    TLatitude lat;
    SetParts(lat, d, m, s);
    lat.SetNegative(negative);
    QVERIFY(qAbs(lat.Value() - expected) < 1e-12);
    if (d == 48 && negative)
        QVERIFY(qAbs(lat.Value() + 48.617778) < 1e-6);
}

void TestAngle::valueWrite_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("s");

    QTest::newRow("lat -48.5") << int(Lat) << -48.5 << true << 48 << 30 << 0;
    QTest::newRow("lat 10.25") << int(Lat) << 10.25 << false << 10 << 15 << 0;
    QTest::newRow("angle 1.515625") << int(Plain) << 1.515625 << false << 1 << 30 << 56;
    // Truncated, not rounded: 59.9 seconds stays 59.
    QTest::newRow("truncates seconds") << int(Plain) << 2 + 59.9 / 3600 << false << 2 << 0 << 59;
    QTest::newRow("lat 135.5 reduced") << int(Lat) << 135.5 << false << 45 << 30 << 0;
    QTest::newRow("lon -190.75 reduced") << int(Lon) << -190.75 << true << 10 << 45 << 0;
    QTest::newRow("angle 725.5 wraps") << int(Plain) << 725.5 << false << 5 << 30 << 0;
    QTest::newRow("tiny negative") << int(Plain) << -0.0001 << true << 0 << 0 << 0;
    QTest::newRow("not a number") << int(Plain) << qQNaN() << false << 0 << 0 << 0;
}

void TestAngle::valueWrite()
{
    QFETCH(int, kind);
    QFETCH(double, value);
    QFETCH(bool, negative);
    QFETCH(int, d);
    QFETCH(int, m);
    QFETCH(int, s);
    auto a = MakeAngle(kind);
    SetParts(*a, 3, 3, 3);
    a->SetNegative(!negative);
    a->SetValue(value);
    QCOMPARE(a->Negative(), negative);
    QCOMPARE(int(a->Degrees()), d);
    QCOMPARE(int(a->Minutes()), m);
    QCOMPARE(int(a->Seconds()), s);
    if (kind == Lat)
        QCOMPARE(static_cast<TLatitude &>(*a).Dir(), negative ? dSouth : dNorth);
    if (kind == Lon)
        QCOMPARE(static_cast<TLongitude &>(*a).Dir(), negative ? dEast : dWest);
}

void TestAngle::valueWriteNotifiesPerChangedField()
{
    TLatitude lat;
    Counter counter;
    counter.Attach(lat);
    lat.SetValue(-48.5); // sign, degrees, minutes change; seconds stay 0
    QCOMPARE(counter.count, 3);
    lat.SetValue(-48.5);
    QCOMPARE(counter.count, 3);
    lat.SetValue(10.25); // sign, degrees, minutes
    QCOMPARE(counter.count, 6);
    lat.SetValue(10.25 + 1 / 3600.0 + 1e-9); // seconds only
    QCOMPARE(counter.count, 7);
    QCOMPARE(int(lat.Seconds()), 1);
}

void TestAngle::assignGoesThroughValue_data()
{
    QTest::addColumn<int>("sourceKind");
    QTest::addColumn<int>("targetKind");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("s");

    QTest::newRow("lat to lon") << int(Lat) << int(Lon) << -48.5 << true << 48 << 30 << 0;
    QTest::newRow("lon to lat reduces") << int(Lon) << int(Lat) << 100.25 << false << 10 << 15 << 0;
    QTest::newRow("angle to lon") << int(Plain) << int(Lon) << -170.75 << true << 170 << 45 << 0;
    QTest::newRow("angle to lat") << int(Plain) << int(Lat) << 12.515625 << false << 12 << 30 << 56;
}

void TestAngle::assignGoesThroughValue()
{
    QFETCH(int, sourceKind);
    QFETCH(int, targetKind);
    QFETCH(double, value);
    QFETCH(bool, negative);
    QFETCH(int, d);
    QFETCH(int, m);
    QFETCH(int, s);
    auto source = MakeAngle(sourceKind);
    source->SetValue(value);
    auto target = MakeAngle(targetKind);
    Counter counter;
    counter.Attach(*target);
    target->Assign(*source);
    QCOMPARE(target->Negative(), negative);
    QCOMPARE(int(target->Degrees()), d);
    QCOMPARE(int(target->Minutes()), m);
    QCOMPARE(int(target->Seconds()), s);
    QVERIFY(counter.count > 0);
    const int after = counter.count;
    target->Assign(*target); // the same value again: no change, no notification
    QCOMPARE(counter.count, after);
}

void TestAngle::emptyOnChangeIsAllowed()
{
    TLongitude lon;
    lon.SetDegrees(200);
    lon.SetMinutes(70);
    lon.SetSeconds(70);
    lon.SetDir(dEast);
    lon.SetValue(-1.5);
    QCOMPARE(int(lon.Degrees()), 1);
    QCOMPARE(int(lon.Minutes()), 30);
}

QTEST_GUILESS_MAIN(TestAngle)
#include "tst_angle.moc"
