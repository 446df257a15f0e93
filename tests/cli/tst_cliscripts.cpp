// vantu-cli for scripts: --next, --wait and --poll under a clock the test
// fixes. Expected moments and altitudes are PyEphem's (pressure 0, the Sun's
// centre at -0:50 for sunrise and sunset), within a few seconds.
#include "CliTestSupport.h"

#include "common/SystemClock.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace CliTest;

namespace
{

const QStringList Bratislava = {"--lat", "48.15", "--lon", "17.117"};
const QStringList Tromso = {"--lat", "69.65", "--lon", "18.96", "--tz", "Europe/Oslo"};

QDateTime Utc(const char *iso)
{
    return QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate).toUTC();
}

} // namespace

class TestCliScripts : public QObject, protected TCliFixture
{
    Q_OBJECT

    // The run at a fixed moment of the system's clock.
    TCliResult RunAt(const char *now, const QStringList &arguments)
    {
        TSystemClock::Fix(Utc(now));
        return Run(arguments);
    }

private slots:
    void cleanup() { TSystemClock::Fix({}); }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message"); // part of the one line
        QTest::newRow("unknown event")
            << QStringList{"--next", "dusk"}
            << "unknown event: dusk; give one of: sunrise, sunset, solar_noon, civil_dawn,";
        QTest::newRow("altitude out of range")
            << QStringList{"--wait", "altitude:90:rise"} << "altitude:A:rise, altitude:A:set";
        QTest::newRow("altitude without its way")
            << QStringList{"--next", "altitude:-4"} << "unknown event";
        QTest::newRow("two commands") << QStringList{"--next", "sunset", "--poll"} << "--poll";
        QTest::newRow("shift with next")
            << QStringList{"--next", "sunset", "--shift", "5"} << "--shift goes with --wait";
        QTest::newRow("after with wait")
            << QStringList{"--wait", "sunset", "--after", "2026-06-21T12:00"} << "--after";
        QTest::newRow("shift words")
            << QStringList{"--wait", "sunset", "--shift", "-half"} << "--shift needs minutes";
        QTest::newRow("shift two days")
            << QStringList{"--wait", "sunset", "--shift", "2881"} << "--shift needs minutes";
        QTest::newRow("late negative")
            << QStringList{"--wait", "sunset", "--late", "-1"} << "--late needs minutes";
        QTest::newRow("with a date")
            << QStringList{"--poll", "--date", "2026-06-21"} << "cannot be combined";
        QTest::newRow("as iCalendar")
            << QStringList{"--next", "sunset", "--format", "ics"} << "--format";
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const TCliResult r = RunAt("2026-06-21T12:00:00Z", Bratislava + arguments);
        QCOMPARE(r.ExitCode, CliExitUsage);
        QVERIFY(r.Out.isEmpty());
        QVERIFY2(r.Error.contains(message) && !r.Error.contains(u'\n'), qPrintable(r.Error));
    }

    void next_data()
    {
        QTest::addColumn<QString>("now"); // of the system's clock
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("event");
        QTest::addColumn<QString>("expected"); // with the offset it must carry
        QTest::addColumn<int>("tolerance");    // seconds
        const QStringList utc = Bratislava + QStringList{"--utc"};
        const QStringList civil = Bratislava + QStringList{"--tz", "Europe/Bratislava"};
        QTest::newRow("just before sunset") << "2026-06-21T18:55:20Z" << utc << "sunset"
                                            << "2026-06-21T18:55:27+00:00" << 3;
        QTest::newRow("just after sunset") << "2026-06-21T18:55:40Z" << utc << "sunset"
                                           << "2026-06-22T18:55:38+00:00" << 3;
        QTest::newRow("across midnight") << "2026-06-21T21:59:00Z" << civil << "sunrise"
                                         << "2026-06-22T04:51:27+02:00" << 3;
        QTest::newRow("spring change day") << "2026-03-28T23:00:00Z" << civil << "sunrise"
                                           << "2026-03-29T06:36:16+02:00" << 5;
        QTest::newRow("autumn change day") << "2026-10-24T22:00:00Z" << civil << "sunrise"
                                           << "2026-10-25T06:25:49+01:00" << 5;
        QTest::newRow("polar night") << "2026-11-30T23:00:00Z" << Tromso << "sunrise"
                                     << "2027-01-15T11:35:17+01:00" << 30;
        QTest::newRow("polar day") << "2026-06-20T22:00:00Z" << Tromso << "sunset"
                                   << "2026-07-26T00:37:12+02:00" << 60;
        QTest::newRow("solar noon") << "2026-06-21T00:00:00Z" << utc << "solar_noon"
                                    << "2026-06-21T10:53:20+00:00" << 3;
        QTest::newRow("civil dusk") << "2026-06-21T12:00:00Z" << utc << "civil_dusk"
                                    << "2026-06-21T19:37:00+00:00" << 3;
        QTest::newRow("altitude") << "2026-06-21T12:00:00Z" << utc << "altitude:-4:rise"
                                  << "2026-06-22T02:26:37+00:00" << 3;
        QTest::newRow("after a given time")
            << "2030-01-01T00:00:00Z" << (utc + QStringList{"--after", "2026-06-21T18:55:40Z"})
            << "sunset"
            << "2026-06-22T18:55:38+00:00" << 3;
    }

    // One line "EVENT TIME", the time on the offset then in force.
    void next()
    {
        QFETCH(QString, now);
        QFETCH(QStringList, arguments);
        QFETCH(QString, event);
        QFETCH(QString, expected);
        QFETCH(int, tolerance);
        const TCliResult r = RunAt(qPrintable(now), arguments + QStringList{"--next", event});
        QCOMPARE(r.ExitCode, CliExitOk);
        const QStringList line = QString::fromUtf8(r.Out).split(u' ');
        QCOMPARE(line.size(), 2);
        QCOMPARE(line[0], event);
        QVERIFY2(line[1].endsWith(u'\n') && line[1].chopped(1).endsWith(expected.right(6)),
                 qPrintable(line[1]));
        const QDateTime time = QDateTime::fromString(line[1].trimmed(), Qt::ISODate);
        const qint64 off = time.secsTo(QDateTime::fromString(expected, Qt::ISODate));
        QVERIFY2(std::abs(off) <= tolerance, qPrintable(line[1]));
    }

    // in_seconds counts from now; a moment never found is exit 1.
    void nextAsData_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        const QStringList sunset = Bratislava + QStringList{"--utc", "--next", "sunset"};
        QTest::newRow("json") << (sunset + QStringList{"--format", "json"}) << 0
                              << QByteArray("{\"event\": \"sunset\", \"time\": "
                                            "\"2026-06-21T18:55:28+00:00\", \"in_seconds\": 28}\n");
        QTest::newRow("csv") << (sunset + QStringList{"--format", "csv"}) << 0
                             << QByteArray("event,time,in_seconds\r\n"
                                           "sunset,2026-06-21T18:55:28+00:00,28\r\n");
        QTest::newRow("never so high")
            << QStringList{"--lat", "60", "--lon", "10", "--next", "altitude:80:rise"} << 1
            << QByteArray();
    }

    void nextAsData()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        const TCliResult r = RunAt("2026-06-21T18:55:00Z", arguments);
        QCOMPARE(r.ExitCode, exitCode);
        QCOMPARE(r.Out, out);
        QCOMPARE(r.Error.isEmpty(), exitCode == 0);
    }

    void wait_data()
    {
        QTest::addColumn<QString>("now");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("wake"); // UTC, PyEphem's event moved by the shift
        QTest::addColumn<QString>("event");
        const QStringList civil = Bratislava + QStringList{"--tz", "Europe/Bratislava"};
        const QStringList sunset = civil + QStringList{"--wait", "sunset"};
        QTest::newRow("half an hour before")
            << "2026-06-21T18:00:00Z" << (sunset + QStringList{"--shift", "-30"})
            << "2026-06-21T18:25:27Z"
            << "2026-06-21T20:55:27+02:00";
        QTest::newRow("passed: tomorrow's")
            << "2026-06-21T18:30:00Z" << (sunset + QStringList{"--shift", "-30"})
            << "2026-06-22T18:25:38Z"
            << "2026-06-22T20:55:38+02:00";
        QTest::newRow("passed, within late: at once")
            << "2026-06-21T18:30:00Z" << (sunset + QStringList{"--shift", "-30", "--late", "10"})
            << "2026-06-21T18:25:27Z"
            << "2026-06-21T20:55:27+02:00";
        QTest::newRow("passed beyond late")
            << "2026-06-21T18:40:00Z" << (sunset + QStringList{"--shift", "-30", "--late", "10"})
            << "2026-06-22T18:25:38Z"
            << "2026-06-22T20:55:38+02:00";
        QTest::newRow("event passed, moved moment not")
            << "2026-06-21T18:58:00Z" << (sunset + QStringList{"--shift", "+7.5"})
            << "2026-06-21T19:02:57Z"
            << "2026-06-21T20:55:27+02:00";
        // Real minutes: five hours before the sunrise after the clock went on.
        QTest::newRow("across the spring change")
            << "2026-03-28T23:00:00Z"
            << (civil + QStringList{"--wait", "sunrise", "--shift", "-300"})
            << "2026-03-28T23:36:16Z"
            << "2026-03-29T06:36:16+02:00";
        QTest::newRow("across the autumn change")
            << "2026-10-24T22:00:00Z"
            << (civil + QStringList{"--wait", "sunrise", "--shift", "-240"})
            << "2026-10-25T01:25:49Z"
            << "2026-10-25T06:25:49+01:00";
    }

    // The moment the program sleeps until, and the line it then prints.
    void wait()
    {
        QFETCH(QString, now);
        QFETCH(QStringList, arguments);
        QFETCH(QString, wake);
        QFETCH(QString, event);
        const TCliResult r = RunAt(qPrintable(now), arguments);
        QCOMPARE(r.ExitCode, CliExitOk);
        QVERIFY(r.WakeAtMs);
        const qint64 off = *r.WakeAtMs - Utc(qPrintable(wake)).toMSecsSinceEpoch();
        QVERIFY2(std::abs(off) <= 5000, qPrintable(QString::number(off)));
        const QString line = QString::fromUtf8(r.Out).trimmed();
        const QDateTime time = QDateTime::fromString(line.section(u' ', 1), Qt::ISODate);
        QVERIFY2(line.startsWith(arguments[arguments.indexOf("--wait") + 1] + u' ') &&
                     line.endsWith(event.right(6)) &&
                     std::abs(time.secsTo(QDateTime::fromString(event, Qt::ISODate))) <= 5,
                 qPrintable(line));
    }

    void poll_data()
    {
        QTest::addColumn<QString>("now");
        QTest::addColumn<QStringList>("place");
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<double>("altitude"); // PyEphem's
        QTest::addColumn<QString>("next");
        QTest::newRow("noon") << "2026-06-21T11:00:00Z" << Bratislava << "day" << 0 << 65.251
                              << "sunset";
        QTest::newRow("after sunset") << "2026-06-21T19:10:00Z" << Bratislava << "civil_twilight"
                                      << 3 << -2.715 << "civil_dusk";
        QTest::newRow("after civil dusk") << "2026-06-21T19:50:00Z" << Bratislava
                                          << "nautical_twilight" << 3 << -7.476 << "nautical_dusk";
        QTest::newRow("after nautical dusk")
            << "2026-12-21T16:30:00Z" << Bratislava << "astronomical_twilight" << 3 << -14.110
            << "astronomical_dusk";
        QTest::newRow("midnight") << "2026-12-21T23:00:00Z" << Bratislava << "night" << 4 << -65.206
                                  << "astronomical_dawn";
        QTest::newRow("midnight of a polar day")
            << "2026-06-20T22:00:00Z" << Tromso << "day" << 0 << 3.450 << "sunset";
        QTest::newRow("noon of a polar night")
            << "2026-12-21T11:00:00Z" << Tromso << "civil_twilight" << 3 << -3.144 << "civil_dusk";
    }

    // The light now by the exit code, in JSON with the Sun and what comes next.
    void poll()
    {
        QFETCH(QString, now);
        QFETCH(QStringList, place);
        QFETCH(QString, state);
        QFETCH(int, exitCode);
        QFETCH(double, altitude);
        QFETCH(QString, next);
        const TCliResult text = RunAt(qPrintable(now), place + QStringList{"--poll"});
        QCOMPARE(text.ExitCode, exitCode);
        QCOMPARE(text.Out, state.toUtf8() + '\n');
        const TCliResult r =
            RunAt(qPrintable(now), place + QStringList{"--poll", "--format", "json"});
        QCOMPARE(r.ExitCode, exitCode);
        const QJsonObject o = QJsonDocument::fromJson(r.Out).object();
        QCOMPARE(o.keys(),
                 (QStringList{"next_event", "next_time", "state", "sun_altitude", "sun_azimuth"}));
        QCOMPARE(o.value("state").toString(), state);
        QVERIFY2(std::abs(o.value("sun_altitude").toDouble() - altitude) <= 0.02,
                 r.Out.constData());
        QCOMPARE(o.value("next_event").toString(), next);
        QVERIFY(QDateTime::fromString(o.value("next_time").toString(), Qt::ISODate) >
                Utc(qPrintable(now)));
    }
};

QTEST_GUILESS_MAIN(TestCliScripts)
#include "tst_cliscripts.moc"
