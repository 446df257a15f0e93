// The CSV, JSON and iCalendar files of the dates' events and the pieces they
// are made of.
#include "DayEventsTestSupport.h"

#include "common/Alignments.h"
#include "common/EventWriters.h"
#include "common/FileText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>
#include <QTest>

using namespace DayEventsTest;

namespace
{

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

class TestEventWriters : public QObject
{
    Q_OBJECT

private slots:
    void csvField_data();
    void csvField();
    void csvShape_data();
    void csvShape();
    void json_data();
    void json();
    void foldContentLine_data();
    void foldContentLine();
    void icalendar_data();
    void icalendar();
    void icalendarText_data();
    void icalendarText();
    void alignments_data();
    void alignments();
};

// ---------------------------------------------------------------- pieces

void TestEventWriters::csvField_data()
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

void TestEventWriters::csvField()
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

void TestEventWriters::csvShape_data()
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
void TestEventWriters::csvShape()
{
    QFETCH(double, latitude);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(bool, twilight);

    const QVector<TDayEvents> days = EventsOfDates(Place(QStringLiteral("X"), latitude, 15.65),
                                                   TClock::Offset(3600), first, last);
    const QVector<TRow> rows = Rows(days);
    const QByteArray csv = EventsCsv(days, twilight, TLanguage::English);
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
               << "noon_altitude"
               << "day_length_change";
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
                QCOMPARE(r[c], QString::number(days[i].NoonAltitude, 'f', 2));
                continue;
            }
            if (name == QLatin1String("day_length_change")) {
                // The day length's column, one row on from the row before.
                const QTime change = QTime::fromString(r[c].mid(1), QStringLiteral("HH:mm:ss"));
                QVERIFY2(change.isValid() && (r[c][0] == '+' || r[c][0] == '-'), qPrintable(r[c]));
                if (i > 0)
                    QCOMPARE((r[c][0] == '-' ? -1 : 1) * change.msecsSinceStartOfDay() / 1000,
                             rows[i].DayLength - rows[i - 1].DayLength);
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

// ----------------------------------------------------------------- JSON

void TestEventWriters::json_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<bool>("twilight");
    QTest::newRow("Bratislava twilight") << 48.15 << true;
    QTest::newRow("Bratislava plain") << 48.15 << false;
    QTest::newRow("Svalbard twilight") << 78.22 << true;
}

// The same values as the CSV, null where the CSV has an empty cell.
void TestEventWriters::json()
{
    QFETCH(double, latitude);
    QFETCH(bool, twilight);
    const QVector<TDayEvents> days =
        EventsOfDates(Place(QStringLiteral("X"), latitude, 15.65), TClock::Offset(3600),
                      QDate(2026, 1, 1), QDate(2026, 12, 31));
    QJsonParseError error;
    const QJsonDocument doc =
        QJsonDocument::fromJson(EventsJson(days, twilight, TLanguage::Hungarian), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(doc.isArray());
    const QJsonArray array = doc.array();
    bool ok = false;
    const QList<QStringList> csv = ParseCsv(EventsCsv(days, twilight, TLanguage::Hungarian), ok);
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

void TestEventWriters::foldContentLine_data()
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
void TestEventWriters::foldContentLine()
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

void TestEventWriters::icalendar_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<int>("language");
    QTest::newRow("Bratislava en") << "Bratislava" << 48.15 << 1;
    QTest::newRow("long accented name sk")
        << "Veľké Kostoľany; okres Piešťany, Trnavský kraj – Slovenská republika" << 48.5 << 0;
    QTest::newRow("Svalbard hu") << "Longyearbyen" << 78.22 << 2;
}

void TestEventWriters::icalendar()
{
    QFETCH(QString, name);
    QFETCH(double, latitude);
    QFETCH(int, language);
    const TPlace place = Place(name, latitude, 17.5);
    const QVector<TDayEvents> days =
        EventsOfDates(place, TClock::Zone(QTimeZone("Europe/Bratislava")), QDate(2026, 1, 1),
                      QDate(2026, 12, 31));
    const QVector<TRow> rows = Rows(days);
    const TLanguage lang = *LanguageFromIndex(language);
    const QByteArray ics = EventsICalendar(days, place, lang).value();
    // Deterministic: the same dates give the same bytes.
    QCOMPARE(EventsICalendar(days, place, lang).value(), ics);
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
    int polarDays = 0;
    for (int i = 0; i < rows.size(); ++i) {
        const TRow &r = rows[i];
        // Every sunrise and sunset of the date, a second one too.
        expectedEvents +=
            int(days[i].All(TEventKind::Sunrise).size() + days[i].All(TEventKind::Sunset).size());
        // A day without either has one all-day event.
        const TEventStatus rise = r.State[int(TEventKind::Sunrise)];
        if (rise == r.State[int(TEventKind::Sunset)] &&
            (rise == TEventStatus::AboveAllDay || rise == TEventStatus::BelowAllDay))
            ++polarDays;
    }
    QCOMPARE(int(content.count(QStringLiteral("DURATION:P1D"))), polarDays);
    expectedEvents += polarDays;
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
    for (const TDayEvents &day : days)
        for (TEventKind e : {TEventKind::Sunrise, TEventKind::Sunset})
            for (const TEvent *x : day.All(e))
                expectedStarts << MomentOf(*x).toUTC().toString(
                    QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QCOMPARE(starts, expectedStarts);

    // UIDs depend on the place: another place gives other UIDs for the same days.
    TPlace other = place;
    other.Name += QLatin1Char('2');
    const QByteArray otherIcs = EventsICalendar(days, other, lang).value();
    const qsizetype uid = ics.indexOf("UID:");
    const qsizetype uidEnd = ics.indexOf("\r\n", uid);
    QVERIFY(!otherIcs.contains(ics.mid(uid, uidEnd - uid)));
}

void TestEventWriters::icalendarText_data()
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

void TestEventWriters::icalendarText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(ICalendarText(text), expected);
}

QTEST_GUILESS_MAIN(TestEventWriters)
// ------------------------------------------------------------ alignments

void TestEventWriters::alignments_data()
{
    QTest::addColumn<double>("bearing");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<QString>("expected"); // date and event, checked once with PyEphem
    // Tromsø in May: sunrises and sunsets close to north on either side of 0°.
    QTest::newRow("across north") << 0.0 << 15.0
                                  << "05-15 sunrise, 05-15 sunset, 05-16 sunrise, 05-17 sunset, "
                                     "05-17 sunrise, 05-18 sunset, 05-18 sunrise";
    QTest::newRow("north as 360") << 360.0 << 15.0
                                  << "05-15 sunrise, 05-15 sunset, 05-16 sunrise, 05-17 sunset, "
                                     "05-17 sunrise, 05-18 sunset, 05-18 sunrise";
    QTest::newRow("none") << 180.0 << 1.0 << "";
}

// The dates and the four files of them: CSV and JSON with the same rows,
// a line each in the text, a timed event each in iCalendar.
void TestEventWriters::alignments()
{
    QFETCH(double, bearing);
    QFETCH(double, tolerance);
    QFETCH(QString, expected);
    TEventRequest request;
    request.Azimuths = true;
    const TPlace place = Place(QStringLiteral("Tromsø"), 69.65, 18.96);
    const QVector<TDayEvents> days = EventsOfDates(place, TClock::Zone(QTimeZone("Europe/Oslo")),
                                                   QDate(2026, 5, 1), QDate(2026, 5, 31), request);
    const QVector<TAlignment> list = Alignments(days, bearing, tolerance);
    QStringList found;
    for (const TAlignment &a : list)
        found << a.Date.toString(QStringLiteral("MM-dd")) + u' ' +
                     QString::fromLatin1(a.Event.Kind == TEventKind::Sunrise ? "sunrise"
                                                                             : "sunset");
    QCOMPARE(found.join(QStringLiteral(", ")), expected);

    bool ok = false;
    const QList<QStringList> csv = ParseCsv(AlignmentsCsv(list), ok);
    QVERIFY(ok);
    QCOMPARE(csv.first(), QStringList({"date", "event", "time", "azimuth"}));
    QJsonParseError error;
    const QJsonArray json = QJsonDocument::fromJson(AlignmentsJson(list), &error).array();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(csv.size(), list.size() + 1);
    QCOMPARE(json.size(), list.size());
    for (int i = 0; i < list.size(); ++i) {
        const QJsonObject o = json[i].toObject();
        QCOMPARE(QStringList({o["date"].toString(), o["event"].toString(), o["time"].toString(),
                              QString::number(o["azimuth"].toDouble(), 'f', 2)}),
                 csv[i + 1]);
        QCOMPARE(QDateTime::fromString(o["time"].toString(), Qt::ISODate).toMSecsSinceEpoch(),
                 list[i].Event.Time.UnixMs() / 1000 * 1000);
    }
    const QByteArray text = AlignmentsText(list, TLanguage::Slovak);
    QCOMPARE(int(text.count('\n')), std::max(int(list.size()), 1));
    const QByteArray ics = AlignmentsICalendar(list, place, TLanguage::English).value();
    QCOMPARE(int(ics.count("BEGIN:VEVENT")), int(list.size()));
}

#include "tst_eventwriters.moc"
