// Sun rows and their CSV, JSON and iCalendar files.
#include "suntime/DateUtil.h"
#include "suntime/SunTime.h"
#include "table/ResultLines.h"
#include "table/SunTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>
#include <QTest>

namespace
{

TSunPlace Place(const QString &name, double latitude, double longitudeEast)
{
    TSunPlace p;
    p.Name = name;
    p.Latitude = latitude;
    p.LongitudeWest = -longitudeEast;
    return p;
}

// Splits CSV text by RFC 4180 into records of fields; fails on a bare CR or LF.
QList<QStringList> ParseCsv(const QByteArray &bytes, bool &ok)
{
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> records;
    QStringList fields;
    QString field;
    bool quoted = false;
    ok = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields << field;
            field.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                   text[i + 1] == QLatin1Char('\n')) {
            fields << field;
            field.clear();
            records << fields;
            fields.clear();
            ++i;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('"')) {
            ok = false;
        } else {
            field += c;
        }
    }
    if (quoted || !field.isEmpty() || !fields.isEmpty())
        ok = false; // the last record lacks its CR LF
    return records;
}

// Physical lines of an iCalendar text, without their CR LF.
QList<QByteArray> PhysicalLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool IsValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    return !decoder.hasError();
}

} // namespace

class TestSunTable : public QObject
{
    Q_OBJECT

private slots:
    void rowsEqualTheCalculator_data();
    void rowsEqualTheCalculator();
    void zoneOffsetsFollowEachMoment_data();
    void zoneOffsetsFollowEachMoment();
    void dayLength_data();
    void dayLength();
    void isoMoment_data();
    void isoMoment();
    void durationText_data();
    void durationText();
    void csvField_data();
    void csvField();
    void csvShape_data();
    void csvShape();
    void notes_data();
    void notes();
    void json_data();
    void json();
    void foldContentLine_data();
    void foldContentLine();
    void icalendar_data();
    void icalendar();
    void icalendarText_data();
    void icalendarText();
};

// ------------------------------------------------------------------ rows

void TestSunTable::rowsEqualTheCalculator_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitudeEast");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QDate>("date");
    QTest::newRow("Bratislava CET summer") << 48.15 << 17.117 << 3600 << QDate(2026, 6, 21);
    QTest::newRow("Bratislava UTC winter") << 48.15 << 17.117 << 0 << QDate(2026, 12, 21);
    QTest::newRow("Bratislava CEST equinox") << 48.15 << 17.117 << 7200 << QDate(2026, 3, 20);
    QTest::newRow("Sydney +10") << -33.87 << 151.21 << 36000 << QDate(2026, 1, 15);
    QTest::newRow("Quito -5") << -0.22 << -78.51 << -18000 << QDate(2026, 9, 1);
    QTest::newRow("Kathmandu +5:45") << 27.7 << 85.32 << 20700 << QDate(2026, 5, 5);
    QTest::newRow("Sydney on UTC") << -33.87 << 151.21 << 0 << QDate(2026, 6, 21);
    QTest::newRow("Svalbard polar day") << 78.22 << 15.65 << 3600 << QDate(2026, 6, 21);
    QTest::newRow("Svalbard polar night") << 78.22 << 15.65 << 3600 << QDate(2026, 12, 21);
    QTest::newRow("leap day 1904") << 50.0 << 14.4 << 3600 << QDate(1904, 2, 29);
}

// Sunrise, noon and sunset as the program's calculator and result lines show
// them, on the same clock.
void TestSunTable::rowsEqualTheCalculator()
{
    QFETCH(double, latitude);
    QFETCH(double, longitudeEast);
    QFETCH(int, offset);
    QFETCH(QDate, date);

    const QVector<TSunRow> rows = SunRows(Place(QStringLiteral("X"), latitude, longitudeEast),
                                          TSunClock::FixedOffset(offset), date, date);
    QCOMPARE(rows.size(), 1);
    const TSunRow &row = rows.first();
    QCOMPARE(row.Date, date);

    TSunTime sun;
    sun.Latitude().SetValue(std::fabs(latitude));
    sun.Latitude().SetDir(latitude < 0 ? dSouth : dNorth);
    sun.Longitude().SetValue(std::fabs(longitudeEast));
    sun.Longitude().SetDir(longitudeEast < 0 ? dWest : dEast);
    sun.SetUseSysTimeZone(false);
    sun.SetTimeZone(offset / 3600.0);
    sun.SetDate(DateUtil::EncodeDate(date.year(), date.month(), date.day()));

    const QLocale c = QLocale::c();
    const std::pair<TSunEvent, int> events[3] = {
        {TSunEvent::Sunrise, 1}, {TSunEvent::SolarNoon, 3}, {TSunEvent::Sunset, 2}};
    for (const auto &[event, index] : events) {
        const double value = sun.EventTime(index);
        const std::optional<QDateTime> &moment = row.At(event);
        QCOMPARE(moment.has_value(), value != 0);
        if (!moment)
            continue;
        QCOMPARE(moment->offsetFromUtc(), offset);
        QCOMPARE(moment->time().msec(), 0);
        QCOMPARE(moment->time().toString(QStringLiteral("HH:mm:ss")),
                 FormatEventTime(value, QString(), c));
        int y = 0, m = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
        DateUtil::DecodeDateTime(value, y, m, d, h, mi, s, ms);
        QCOMPARE(moment->date(), QDate(y, m, d));
    }
}

void TestSunTable::zoneOffsetsFollowEachMoment_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<double>("longitudeEast");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("distinctOffsets"); // among the events of the day
    QTest::newRow("day before spring change")
        << QByteArray("Europe/Bratislava") << 17.117 << QDate(2026, 3, 28) << 1;
    QTest::newRow("spring change")
        << QByteArray("Europe/Bratislava") << 17.117 << QDate(2026, 3, 29) << 1;
    QTest::newRow("autumn change")
        << QByteArray("Europe/Bratislava") << 17.117 << QDate(2026, 10, 25) << 1;
    // Far east of its zone, the night's twilights lie before the change at
    // 01:00 UTC and the sunrise after it: two offsets on one row.
    QTest::newRow("change splits the day")
        << QByteArray("Europe/Bratislava") << 60.0 << QDate(2026, 3, 29) << 2;
    QTest::newRow("New York spring change")
        << QByteArray("America/New_York") << -74.0 << QDate(2026, 3, 8) << 1;
}

void TestSunTable::zoneOffsetsFollowEachMoment()
{
    QFETCH(QByteArray, zone);
    QFETCH(double, longitudeEast);
    QFETCH(QDate, date);
    QFETCH(int, distinctOffsets);

    const QTimeZone tz(zone);
    QVERIFY(tz.isValid());
    const TSunPlace place = Place(QStringLiteral("X"), 48.15, longitudeEast);
    const TSunRow zoned = SunRows(place, TSunClock::TimeZone(tz), date, date).first();
    const TSunRow utc = SunRows(place, TSunClock::FixedOffset(0), date, date).first();
    QSet<int> offsets;
    for (int e = 0; e < SunEventCount; ++e) {
        QCOMPARE(zoned.Event[e].has_value(), utc.Event[e].has_value());
        QCOMPARE(zoned.State[e], utc.State[e]);
        if (!zoned.Event[e])
            continue;
        // The same moment, on the offset in force at that moment.
        QCOMPARE(zoned.Event[e]->toMSecsSinceEpoch(), utc.Event[e]->toMSecsSinceEpoch());
        QCOMPARE(zoned.Event[e]->offsetFromUtc(), tz.offsetFromUtc(*utc.Event[e]));
        offsets.insert(zoned.Event[e]->offsetFromUtc());
    }
    QCOMPARE(int(offsets.size()), distinctOffsets);
}

void TestSunTable::dayLength_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("expected"); // -1: sunset minus sunrise
    QTest::newRow("Bratislava summer") << 48.15 << QDate(2026, 6, 21) << -1;
    QTest::newRow("Bratislava winter") << 48.15 << QDate(2026, 12, 21) << -1;
    QTest::newRow("polar day") << 78.22 << QDate(2026, 6, 21) << 86400;
    QTest::newRow("polar night") << 78.22 << QDate(2026, 12, 21) << 0;
}

void TestSunTable::dayLength()
{
    QFETCH(double, latitude);
    QFETCH(QDate, date);
    QFETCH(int, expected);
    const TSunRow row = SunRows(Place(QStringLiteral("X"), latitude, 17.117),
                                TSunClock::FixedOffset(3600), date, date)
                            .first();
    if (expected < 0)
        expected = int(row.At(TSunEvent::Sunrise)->secsTo(*row.At(TSunEvent::Sunset)));
    QCOMPARE(row.DayLength, expected);
}

// ---------------------------------------------------------------- pieces

void TestSunTable::isoMoment_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("expected");
    QTest::newRow("CEST") << QDateTime(QDate(2026, 6, 21), QTime(4, 40, 55), Qt::OffsetFromUTC,
                                       7200)
                          << "2026-06-21T04:40:55+02:00";
    QTest::newRow("UTC offset zero")
        << QDateTime(QDate(2026, 1, 2), QTime(0, 0, 1), Qt::OffsetFromUTC, 0)
        << "2026-01-02T00:00:01+00:00";
    QTest::newRow("UTC spec") << QDateTime(QDate(2026, 1, 2), QTime(23, 59, 59), Qt::UTC)
                              << "2026-01-02T23:59:59+00:00";
    QTest::newRow("negative half hour")
        << QDateTime(QDate(2026, 7, 1), QTime(6, 5, 0), Qt::OffsetFromUTC, -12600)
        << "2026-07-01T06:05:00-03:30";
    QTest::newRow("local mean time")
        << QDateTime(QDate(1880, 7, 1), QTime(4, 0, 0), Qt::OffsetFromUTC, 4161)
        << "1880-07-01T04:00:00+01:09:21";
    QTest::newRow("year 2 padded")
        << QDateTime(QDate(2, 3, 4), QTime(5, 6, 7), Qt::OffsetFromUTC, 3600)
        << "0002-03-04T05:06:07+01:00";
}

void TestSunTable::isoMoment()
{
    QFETCH(QDateTime, moment);
    QFETCH(QString, expected);
    QCOMPARE(IsoMoment(moment), expected);
}

void TestSunTable::durationText_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0 << "00:00:00";
    QTest::newRow("one second") << 1 << "00:00:01";
    QTest::newRow("mixed") << 58216 << "16:10:16";
    QTest::newRow("whole day") << 86400 << "24:00:00";
}

void TestSunTable::durationText()
{
    QFETCH(int, seconds);
    QFETCH(QString, expected);
    QCOMPARE(DurationText(seconds), expected);
}

void TestSunTable::csvField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "polar day"
                           << "polar day";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("comma") << "a, b"
                           << "\"a, b\"";
    QTest::newRow("quote") << "say \"hi\""
                           << "\"say \"\"hi\"\"\"";
    QTest::newRow("CR LF") << "a\r\nb"
                           << "\"a\r\nb\"";
    QTest::newRow("LF") << "a\nb"
                        << "\"a\nb\"";
    QTest::newRow("accents stay") << "sarki éjszaka"
                                  << "sarki éjszaka";
}

void TestSunTable::csvField()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(CsvField(text), expected);
    // And it reads back as the same single field.
    bool ok = false;
    const QList<QStringList> records = ParseCsv((CsvField(text) + "\r\n").toUtf8(), ok);
    QVERIFY(ok);
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.first(), QStringList{text});
}

// ------------------------------------------------------------------ CSV

void TestSunTable::csvShape_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<bool>("twilight");
    QTest::newRow("Bratislava month plain")
        << 48.15 << QDate(2026, 6, 1) << QDate(2026, 6, 30) << false;
    QTest::newRow("Bratislava month twilight")
        << 48.15 << QDate(2026, 6, 1) << QDate(2026, 6, 30) << true;
    QTest::newRow("Svalbard year twilight")
        << 78.22 << QDate(2026, 1, 1) << QDate(2026, 12, 31) << true;
    QTest::newRow("Svalbard year plain")
        << 78.22 << QDate(2026, 1, 1) << QDate(2026, 12, 31) << false;
}

// Every record has the header's fields; a missing event is an empty cell and
// then the note says something; dates run day by day.
void TestSunTable::csvShape()
{
    QFETCH(double, latitude);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(bool, twilight);

    const QVector<TSunRow> rows = SunRows(Place(QStringLiteral("X"), latitude, 15.65),
                                          TSunClock::FixedOffset(3600), first, last);
    const QByteArray csv = SunRowsCsv(rows, twilight, TLanguage::English);
    bool ok = false;
    const QList<QStringList> records = ParseCsv(csv, ok);
    QVERIFY(ok);
    QCOMPARE(records.size(), rows.size() + 1);

    QStringList header = {"date", "sunrise", "solar_noon", "sunset", "day_length"};
    if (twilight)
        header << "civil_dawn"
               << "civil_dusk"
               << "nautical_dawn"
               << "nautical_dusk"
               << "astronomical_dawn"
               << "astronomical_dusk"
               << "noon_altitude";
    header << "note";
    QCOMPARE(records.first(), header);

    for (int i = 0; i < rows.size(); ++i) {
        const QStringList &r = records[i + 1];
        QCOMPARE(r.size(), header.size());
        QCOMPARE(r[0], first.addDays(i).toString(Qt::ISODate));
        bool anyMissing = false;
        for (int c = 1; c < header.size() - 1; ++c) {
            const QString name = header[c];
            if (name == QLatin1String("day_length")) {
                QCOMPARE(r[c], DurationText(rows[i].DayLength));
                continue;
            }
            if (name == QLatin1String("noon_altitude")) {
                QCOMPARE(r[c], QString::number(rows[i].NoonAltitude, 'f', 2));
                continue;
            }
            const int e = c < 4 ? c - 1 : c - 2; // day_length sits between the events
            if (r[c].isEmpty()) {
                anyMissing = true;
                QVERIFY(!rows[i].Event[e].has_value());
            } else {
                const QDateTime back = QDateTime::fromString(r[c], Qt::ISODate);
                QVERIFY2(back.isValid(), qPrintable(r[c]));
                QCOMPARE(back, *rows[i].Event[e]);
            }
        }
        QCOMPARE(r.last().isEmpty(), !anyMissing);
    }
}

void TestSunTable::notes_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("twilight");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << 48.15 << QDate(2026, 3, 20) << true << 1 << "";
    QTest::newRow("polar day en") << 78.22 << QDate(2026, 6, 21) << true << 1 << "polar day";
    QTest::newRow("polar day sk") << 78.22 << QDate(2026, 6, 21) << false << 0 << "polárny deň";
    QTest::newRow("polar night hu")
        << 78.22 << QDate(2026, 12, 21) << false << 2 << "sarki éjszaka";
    QTest::newRow("polar night twilight en")
        << 78.22 << QDate(2026, 12, 21) << true << 1 << "polar night; no civil dawn or dusk";
    QTest::newRow("white night en") << 59.0 << QDate(2026, 6, 21) << true << 1
                                    << "no nautical dawn or dusk; no astronomical dawn or dusk";
    QTest::newRow("white night without twilight") << 59.0 << QDate(2026, 6, 21) << false << 1 << "";
    QTest::newRow("no astronomical night sk")
        << 52.0 << QDate(2026, 6, 21) << true << 0 << "bez astronomického svitania a súmraku";
}

void TestSunTable::notes()
{
    QFETCH(double, latitude);
    QFETCH(QDate, date);
    QFETCH(bool, twilight);
    QFETCH(int, language);
    QFETCH(QString, expected);
    const TSunRow row = SunRows(Place(QStringLiteral("X"), latitude, 15.0),
                                TSunClock::FixedOffset(3600), date, date)
                            .first();
    QCOMPARE(SunRowNote(row, twilight, *LanguageFromIndex(language)), expected);
}

// ----------------------------------------------------------------- JSON

void TestSunTable::json_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<bool>("twilight");
    QTest::newRow("Bratislava twilight") << 48.15 << true;
    QTest::newRow("Bratislava plain") << 48.15 << false;
    QTest::newRow("Svalbard twilight") << 78.22 << true;
}

// The same values as the CSV, null where the CSV has an empty cell.
void TestSunTable::json()
{
    QFETCH(double, latitude);
    QFETCH(bool, twilight);
    const QVector<TSunRow> rows =
        SunRows(Place(QStringLiteral("X"), latitude, 15.65), TSunClock::FixedOffset(3600),
                QDate(2026, 1, 1), QDate(2026, 12, 31));
    QJsonParseError error;
    const QJsonDocument doc =
        QJsonDocument::fromJson(SunRowsJson(rows, twilight, TLanguage::Hungarian), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(doc.isArray());
    const QJsonArray array = doc.array();
    bool ok = false;
    const QList<QStringList> csv = ParseCsv(SunRowsCsv(rows, twilight, TLanguage::Hungarian), ok);
    QVERIFY(ok);
    QCOMPARE(array.size(), csv.size() - 1);
    const QStringList header = csv.first();
    for (int i = 0; i < array.size(); ++i) {
        const QJsonObject o = array[i].toObject();
        QCOMPARE(o.keys().size(), header.size());
        for (int c = 0; c < header.size(); ++c) {
            const QJsonValue v = o.value(header[c]);
            const QString cell = csv[i + 1][c];
            if (cell.isEmpty())
                QVERIFY2(v.isNull(), qPrintable(header[c]));
            else if (header[c] == QLatin1String("noon_altitude"))
                QCOMPARE(QString::number(v.toDouble(), 'f', 2), cell);
            else
                QCOMPARE(v.toString(), cell);
        }
    }
}

// ------------------------------------------------------------ iCalendar

void TestSunTable::foldContentLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("short") << "SUMMARY:Sunrise";
    QTest::newRow("75 octets") << "X-A:" + QString(71, QLatin1Char('a'));
    QTest::newRow("76 octets") << "X-A:" + QString(72, QLatin1Char('a'));
    QTest::newRow("long ASCII") << "X-A:" + QString(400, QLatin1Char('b'));
    QTest::newRow("two-byte letters") << "LOCATION:" + QString(100, QChar(0x010D));   // č
    QTest::newRow("three-byte letters") << "LOCATION:a" + QString(60, QChar(0x20AC)); // €
    QTest::newRow("four-byte letters") << "LOCATION:ab" + QString::fromUtf8("🌅").repeated(40);
    QTest::newRow("mixed place") << "LOCATION:Veľké Kostoľany nad Váhom, Šaľa – Nové Zámky, "
                                    "Štúrovo a Komárno (Szőny, Győr, Révkomárom)";
}

// At most 75 octets a line, continuations start with one blank, every line is
// whole UTF-8, and unfolding gives the line back.
void TestSunTable::foldContentLine()
{
    QFETCH(QString, line);
    const QByteArray utf8 = line.toUtf8();
    const QByteArray folded = FoldContentLine(utf8);
    QVERIFY(folded.endsWith("\r\n"));
    const QList<QByteArray> lines = PhysicalLines(folded);
    QByteArray unfolded;
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray l = lines[i];
        QVERIFY(l.endsWith('\r'));
        l.chop(1);
        QVERIFY2(l.size() <= 75, l.constData());
        QVERIFY(IsValidUtf8(l));
        if (i > 0) {
            QVERIFY(l.startsWith(' '));
            l.remove(0, 1);
        }
        // No line is shorter than it had to be (more than 3 octets of room left
        // would have fitted the next character).
        if (i + 1 < lines.size())
            QVERIFY(lines[i].size() - 1 > 75 - 4);
        unfolded += l;
    }
    QCOMPARE(unfolded, utf8);
    QCOMPARE(lines.size() == 1, utf8.size() <= 75);
}

void TestSunTable::icalendar_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<int>("language");
    QTest::newRow("Bratislava en") << "Bratislava" << 48.15 << 1;
    QTest::newRow("long accented name sk")
        << "Veľké Kostoľany; okres Piešťany, Trnavský kraj – Slovenská republika" << 48.5 << 0;
    QTest::newRow("Svalbard hu") << "Longyearbyen" << 78.22 << 2;
}

void TestSunTable::icalendar()
{
    QFETCH(QString, name);
    QFETCH(double, latitude);
    QFETCH(int, language);
    const TSunPlace place = Place(name, latitude, 17.5);
    const QVector<TSunRow> rows =
        SunRows(place, TSunClock::TimeZone(QTimeZone("Europe/Bratislava")), QDate(2026, 1, 1),
                QDate(2026, 12, 31));
    const TLanguage lang = *LanguageFromIndex(language);
    const QByteArray ics = SunRowsICalendar(rows, place, lang);
    // Deterministic: the same rows give the same bytes.
    QCOMPARE(SunRowsICalendar(rows, place, lang), ics);
    QVERIFY(ics.startsWith("BEGIN:VCALENDAR\r\n"));
    QVERIFY(ics.endsWith("END:VCALENDAR\r\n"));
    QVERIFY(!ics.contains("\n\n"));

    // Unfold, then look at the content lines.
    QByteArray text = ics;
    text.replace("\r\n ", "");
    QStringList content = QString::fromUtf8(text).split(QStringLiteral("\r\n"));
    content.removeLast();
    for (const QByteArray &l : PhysicalLines(ics)) {
        QVERIFY(l.endsWith('\r'));
        QVERIFY(l.size() - 1 <= 75);
        QVERIFY(IsValidUtf8(l));
    }
    QVERIFY(content.contains(QStringLiteral("VERSION:2.0")));
    QVERIFY(std::any_of(content.cbegin(), content.cend(),
                        [](const QString &l) { return l.startsWith(QLatin1String("PRODID:")); }));

    int expectedEvents = 0;
    for (const TSunRow &r : rows)
        expectedEvents +=
            int(r.At(TSunEvent::Sunrise).has_value()) + int(r.At(TSunEvent::Sunset).has_value());
    QCOMPARE(int(content.count(QStringLiteral("BEGIN:VEVENT"))), expectedEvents);
    QCOMPARE(int(content.count(QStringLiteral("END:VEVENT"))), expectedEvents);
    QCOMPARE(int(content.count(QStringLiteral("LOCATION:") + ICalendarText(name))), expectedEvents);

    QSet<QString> uids;
    QSet<QString> stamps;
    QStringList starts;
    for (const QString &l : content) {
        if (l.startsWith(QLatin1String("UID:")))
            uids.insert(l);
        if (l.startsWith(QLatin1String("DTSTAMP:")))
            stamps.insert(l);
        if (l.startsWith(QLatin1String("DTSTART:")))
            starts << l.mid(8);
        if (l.startsWith(QLatin1String("DTSTART:")) || l.startsWith(QLatin1String("DTEND:")))
            QVERIFY2(l.endsWith(QLatin1Char('Z')), qPrintable(l));
    }
    QCOMPARE(int(uids.size()), expectedEvents);
    QCOMPARE(int(stamps.size()), 1);
    // The starts are the sunrises and sunsets in UTC, in order.
    QStringList expectedStarts;
    for (const TSunRow &r : rows)
        for (TSunEvent e : {TSunEvent::Sunrise, TSunEvent::Sunset})
            if (r.At(e))
                expectedStarts << r.At(e)->toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QCOMPARE(starts, expectedStarts);

    // UIDs depend on the place: another place gives other UIDs for the same days.
    TSunPlace other = place;
    other.Name += QLatin1Char('2');
    const QByteArray otherIcs = SunRowsICalendar(rows, other, lang);
    const qsizetype uid = ics.indexOf("UID:");
    const qsizetype uidEnd = ics.indexOf("\r\n", uid);
    QVERIFY(!otherIcs.contains(ics.mid(uid, uidEnd - uid)));
}

void TestSunTable::icalendarText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "Bratislava"
                           << "Bratislava";
    QTest::newRow("comma semicolon") << "Nitra, SK; EU"
                                     << "Nitra\\, SK\\; EU";
    QTest::newRow("backslash") << "a\\b"
                               << "a\\\\b";
    QTest::newRow("line breaks") << "a\r\nb\nc\rd"
                                 << "a\\nb\\nc\\nd";
}

void TestSunTable::icalendarText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(ICalendarText(text), expected);
}

QTEST_GUILESS_MAIN(TestSunTable)
#include "tst_suntable.moc"
