// vantu-cli's --next, --wait and --poll under a fixed clock. Expected moments and altitudes are
// PyEphem's (pressure 0, the Sun's centre at -0:50 for sunrise and sunset), within seconds.
#include "CliTestSupport.h"

#include "common/SystemClock.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace CliTest;

namespace
{

const QString Bratislava = "--lat 48.15 --lon 17.117 ";
const QString InZone = Bratislava + "--tz Europe/Bratislava ";
const QString Tromso = "--lat 69.65 --lon 18.96 --tz Europe/Oslo ";

QDateTime Moment(const QString &iso)
{
    return QDateTime::fromString(iso, Qt::ISODate);
}

// "EVENT TIME": the same name and offset, the time within so many seconds.
bool SameLine(const QString &line, const QString &expected, int seconds)
{
    const QStringList a = line.split(u' '), b = expected.split(u' ');
    return a.size() == 2 && a[0] == b[0] && a[1].right(6) == b[1].right(6) &&
           std::abs(Moment(a[1]).secsTo(Moment(b[1]))) <= seconds;
}

} // namespace

class TestCliScripts : public QObject, protected TCliFixture
{
    Q_OBJECT

    // The run at a fixed moment of the system's clock; arguments split at spaces.
    TCliResult RunAt(const QString &now, const QString &arguments)
    {
        TSystemClock::Fix(Moment(now));
        return Run(arguments.split(u' ', Qt::SkipEmptyParts));
    }

private slots:
    void cleanup() { TSystemClock::Fix({}); }

    void usageErrors_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("message"); // part of the one line
        for (const auto &[arguments, message] :
             {std::pair{"--next dusk", "unknown event: dusk; give one of: sunrise, sunset,"},
              {"--wait altitude:90:rise", "altitude:A:set"},
              {"--next sunset --poll", "--poll"},
              {"--next sunset --shift 5", "--shift goes with --wait"},
              {"--wait sunset --after 2026-06-21T12:00", "--after goes with --next"},
              {"--wait sunset --shift -half", "--shift needs minutes"},
              {"--wait sunset --late -1", "--late needs minutes"},
              {"--poll --date 2026-06-21", "cannot be combined"}})
            QTest::newRow(arguments) << QString(arguments) << QString(message);
    }

    void usageErrors()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, message);
        const TCliResult r = RunAt("2026-06-21T12:00:00Z", Bratislava + arguments);
        QCOMPARE(r.ExitCode, CliExitUsage);
        QVERIFY(r.Out.isEmpty());
        QVERIFY2(r.Error.contains(message) && !r.Error.contains(u'\n'), qPrintable(r.Error));
    }

    void events_data()
    {
        QTest::addColumn<QString>("now"); // of the system's clock
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("line"); // with the offset it must carry
        QTest::addColumn<int>("seconds");  // of tolerance
        QTest::addColumn<QString>("wake"); // of --wait: the event moved by the shift
        const QString utc = Bratislava + "--utc --next ",
                      sunset = InZone + "--wait sunset --shift ";
        const char *today = "sunset 2026-06-21T20:55:27+02:00";
        struct TRow {
            const char *Name, *Now;
            QString Arguments;
            const char *Line;
            int Seconds;
            const char *Wake;
        };
        for (const TRow &row :
             {TRow{"just after sunset", "2026-06-21T18:55:40Z", utc + "sunset",
                   "sunset 2026-06-22T18:55:38+00:00", 3, ""},
              {"across midnight", "2026-06-21T21:59:00Z", InZone + "--next sunrise",
               "sunrise 2026-06-22T04:51:27+02:00", 3, ""},
              {"spring change day", "2026-03-28T23:00:00Z", InZone + "--next sunrise",
               "sunrise 2026-03-29T06:36:16+02:00", 5, ""},
              {"autumn change day", "2026-10-24T22:00:00Z", InZone + "--next sunrise",
               "sunrise 2026-10-25T06:25:49+01:00", 5, ""},
              {"polar night", "2026-11-30T23:00:00Z", Tromso + "--next sunrise",
               "sunrise 2027-01-15T11:35:17+01:00", 30, ""},
              {"polar day", "2026-06-20T22:00:00Z", Tromso + "--next sunset",
               "sunset 2026-07-26T00:37:12+02:00", 60, ""},
              {"solar noon", "2026-06-21T00:00:00Z", utc + "solar_noon",
               "solar_noon 2026-06-21T10:53:20+00:00", 3, ""},
              {"altitude", "2026-06-21T12:00:00Z", utc + "altitude:-4:rise",
               "altitude:-4:rise 2026-06-22T02:26:37+00:00", 3, ""},
              {"after a given time", "2030-01-01T00:00:00Z",
               utc + "sunset --after 2026-06-21T18:55:40Z", "sunset 2026-06-22T18:55:38+00:00", 3,
               ""},
              {"wait half an hour before", "2026-06-21T18:00:00Z", sunset + "-30", today, 5,
               "2026-06-21T18:25:27Z"},
              {"wait passed, within late: at once", "2026-06-21T18:30:00Z",
               sunset + "-30 --late 10", today, 5, "2026-06-21T18:25:27Z"},
              {"wait passed beyond late", "2026-06-21T18:40:00Z", sunset + "-30 --late 10",
               "sunset 2026-06-22T20:55:38+02:00", 5, "2026-06-22T18:25:38Z"},
              {"wait: event passed, its moved moment not", "2026-06-21T18:58:00Z", sunset + "+7.5",
               today, 5, "2026-06-21T19:02:57Z"},
              // Real minutes: hours before the sunrise after the clock changed.
              {"wait across the spring change", "2026-03-28T23:00:00Z",
               InZone + "--wait sunrise --shift -300", "sunrise 2026-03-29T06:36:16+02:00", 5,
               "2026-03-28T23:36:16Z"},
              {"wait across the autumn change", "2026-10-24T22:00:00Z",
               InZone + "--wait sunrise --shift -240", "sunrise 2026-10-25T06:25:49+01:00", 5,
               "2026-10-25T01:25:49Z"}})
            QTest::newRow(row.Name) << QString(row.Now) << row.Arguments << QString(row.Line)
                                    << row.Seconds << QString(row.Wake);
    }

    // One line "EVENT TIME", the time on the offset then in force; --wait
    // prints it at the moment it sleeps until.
    void events()
    {
        QFETCH(QString, now);
        QFETCH(QString, arguments);
        QFETCH(QString, line);
        QFETCH(int, seconds);
        QFETCH(QString, wake);
        const TCliResult r = RunAt(now, arguments);
        QCOMPARE(r.ExitCode, CliExitOk);
        QVERIFY2(r.Out.endsWith('\n') &&
                     SameLine(QString::fromUtf8(r.Out.chopped(1)), line, seconds),
                 r.Out.constData());
        QCOMPARE(bool(r.WakeAtMs), !wake.isEmpty());
        if (r.WakeAtMs)
            QVERIFY2(std::abs(*r.WakeAtMs - Moment(wake).toMSecsSinceEpoch()) <= 5000,
                     qPrintable(QString::number(*r.WakeAtMs)));
    }

    // in_seconds counts from now; a moment never found is exit 1.
    void nextAsData_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("json") << Bratislava + "--utc --next sunset --format json" << 0
                              << QByteArray("{\"event\": \"sunset\", \"time\": "
                                            "\"2026-06-21T18:55:28+00:00\", \"in_seconds\": 28}\n");
        QTest::newRow("never so high")
            << "--lat 60 --lon 10 --next altitude:80:rise" << 1 << QByteArray();
    }

    void nextAsData()
    {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, out);
        const TCliResult r = RunAt("2026-06-21T18:55:00Z", arguments);
        QCOMPARE(r.ExitCode, exitCode);
        QCOMPARE(r.Out, out);
        QCOMPARE(r.Error.isEmpty(), exitCode == 0);
    }

    void poll_data()
    {
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<double>("altitude"); // PyEphem's
        QTest::addColumn<QString>("next");
        QTest::newRow("noon") << "2026-06-21T11:00:00Z" << Bratislava << "day" << 0 << 65.251
                              << "sunset";
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
        QFETCH(QString, place);
        QFETCH(QString, state);
        QFETCH(int, exitCode);
        QFETCH(double, altitude);
        QFETCH(QString, next);
        const TCliResult text = RunAt(now, place + "--poll");
        QCOMPARE(text.ExitCode, exitCode);
        QCOMPARE(text.Out, state.toUtf8() + '\n');
        const TCliResult r = RunAt(now, place + "--poll --format json");
        QCOMPARE(r.ExitCode, exitCode);
        const QJsonObject o = QJsonDocument::fromJson(r.Out).object();
        QCOMPARE(o.keys(),
                 (QStringList{"next_event", "next_time", "state", "sun_altitude", "sun_azimuth"}));
        QCOMPARE(o.value("state").toString(), state);
        QVERIFY2(std::abs(o.value("sun_altitude").toDouble() - altitude) <= 0.02,
                 r.Out.constData());
        QCOMPARE(o.value("next_event").toString(), next);
    }
};

QTEST_GUILESS_MAIN(TestCliScripts)
#include "tst_cliscripts.moc"
