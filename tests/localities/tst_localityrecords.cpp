// The locality records: field checks, the record check over a list, a
// record's content as read, the predefined towns, the order of the sort and
// the first invalid field of a record to add.
#include "LocalityTestSupport.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace
{
const QString SortedPredefined =
    u8"SK - Bratislava|SK - Košice|SK - Michalovce|SK - Piešťany|SK - Poprad|SK - Prešov|"
    u8"SK - Rožňava|SK - Sliač|SK - Žilina";

} // namespace

class TestLocalityRecords : public QObject
{
    Q_OBJECT

private slots:
    void integerText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lo");
        QTest::addColumn<int>("hi");
        QTest::addColumn<bool>("valid");
        QTest::newRow("zero") << "0" << 0 << 59 << true;
        QTest::newRow("plus sign") << "+5" << 0 << 59 << true;
        QTest::newRow("minus zero") << "-0" << 0 << 59 << true;
        QTest::newRow("leading zeros") << "007" << 0 << 59 << true;
        QTest::newRow("lower bound") << "-12" << -12 << 12 << true;
        QTest::newRow("below") << "-13" << -12 << 12 << false;
        QTest::newRow("above") << "13" << -12 << 12 << false;
        QTest::newRow("empty") << "" << 0 << 59 << false;
        QTest::newRow("sign only") << "-" << -12 << 12 << false;
        QTest::newRow("two signs") << "--1" << -12 << 12 << false;
        QTest::newRow("leading blank") << " 1" << 0 << 59 << false;
        QTest::newRow("trailing blank") << "1 " << 0 << 59 << false;
        QTest::newRow("letter after digits") << "12a" << -12 << 12 << false;
        QTest::newRow("decimal point") << "1.0" << 0 << 59 << false;
        QTest::newRow("exponent") << "1e1" << 0 << 59 << false;
        QTest::newRow("hexadecimal") << "0x1" << 0 << 59 << false;
        QTest::newRow("non-ASCII digit") << QString(QChar(0x0663)) << 0 << 59 << false;
        QTest::newRow("huge") << "99999999999999999999" << 0 << 59 << false;
        QTest::newRow("huge negative") << "-99999999999999999999" << -12 << 12 << false;
    }
    void integerText()
    {
        QFETCH(QString, text);
        QFETCH(int, lo);
        QFETCH(int, hi);
        QFETCH(bool, valid);
        QCOMPARE(IsIntegerInRange(text, lo, hi), valid);
    }

    // Each case changes one field of a valid record: the field check, the count over the list
    // and the loader must all agree.
    void fieldCases_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("Mesto empty") << int(fMesto) << "" << false;
        QTest::newRow("Mesto blanks") << int(fMesto) << "   " << true;
        QTest::newRow("Hod 13") << int(fHod) << "13" << false;
        QTest::newRow("Hod -13") << int(fHod) << "-13" << false;
        QTest::newRow("Hod 12") << int(fHod) << "12" << true;
        QTest::newRow("Hod -12") << int(fHod) << "-12" << true;
        QTest::newRow("Hod 12a") << int(fHod) << "12a" << false;
        QTest::newRow("Hod empty") << int(fHod) << "" << false;
        QTest::newRow("Min 46") << int(fMin) << "46" << false;
        QTest::newRow("Min 45") << int(fMin) << "45" << true;
        QTest::newRow("Min 20") << int(fMin) << "20" << true;
        QTest::newRow("Min -1") << int(fMin) << "-1" << false;
        QTest::newRow("ZS1 91") << int(fZS1) << "91" << false;
        QTest::newRow("ZS1 90") << int(fZS1) << "90" << true;
        QTest::newRow("ZS1 -1") << int(fZS1) << "-1" << false;
        QTest::newRow("ZS2 60") << int(fZS2) << "60" << false;
        QTest::newRow("ZS2 59") << int(fZS2) << "59" << true;
        QTest::newRow("ZS3 60") << int(fZS3) << "60" << false;
        QTest::newRow("ZS3 59") << int(fZS3) << "59" << true;
        QTest::newRow("ZS4 n") << int(fZS4) << "n" << false;
        QTest::newRow("ZS4 S") << int(fZS4) << "S" << true;
        QTest::newRow("ZS4 E") << int(fZS4) << "E" << false;
        QTest::newRow("ZS4 empty") << int(fZS4) << "" << false;
        QTest::newRow("ZS4 N blank") << int(fZS4) << "N " << false;
        QTest::newRow("ZD1 181") << int(fZD1) << "181" << false;
        QTest::newRow("ZD1 180") << int(fZD1) << "180" << true;
        QTest::newRow("ZD2 60") << int(fZD2) << "60" << false;
        QTest::newRow("ZD2 59") << int(fZD2) << "59" << true;
        QTest::newRow("ZD3 60") << int(fZD3) << "60" << false;
        QTest::newRow("ZD3 59") << int(fZD3) << "59" << true;
        QTest::newRow("ZD4 W") << int(fZD4) << "W" << true;
        QTest::newRow("ZD4 e") << int(fZD4) << "e" << false;
        QTest::newRow("ZD4 N") << int(fZD4) << "N" << false;
        QTest::newRow("ZD4 empty") << int(fZD4) << "" << false;
    }
    void fieldCases()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(bool, valid);

        QCOMPARE(IsValidField(field, text), valid);

        TLocality r = Bratislava();
        r.Field[field] = text;
        const TLocalityList list{Bratislava(), r, Bratislava()};
        QCOMPARE(CheckLocalities(list), valid ? 0 : 1);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("lokality.xml"));
        QVERIFY(WriteFile(path, FileXml(RecordXml(Bratislava()) + RecordXml(r))));
        TLocalityFile file(path);
        TLocalityList read;
        QCOMPARE(file.Load(read), valid ? TLoadStatus::Loaded : TLoadStatus::Damaged);
        QCOMPARE(read.size(), 2);
        QCOMPARE(read[1], r);
    }

    void checkCountsEveryField()
    {
        const TLocality bad = Rec({"", "x", "46", "91", "60", "60", "n", "181", "60", "60", "w"});
        QCOMPARE(CheckLocalities({bad}), 11);
        QCOMPARE(CheckLocalities({bad, Bratislava(), bad}), 22);
        QCOMPARE(CheckLocalities({}), 0);
        QCOMPARE(CheckLocalities(PredefinedLocalities()), 0);
    }

    // A record element's content, and which field must come out empty (invalid), or -1.
    void recordContent_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("emptyField");
        QTest::addColumn<QString>("name");
        const QByteArray rest = "<Hod>1</Hod><Min>0</Min><ZS1>48</ZS1><ZS2>9</ZS2><ZS3>0</ZS3>"
                                "<ZS4>N</ZS4><ZD1>17</ZD1><ZD2>7</ZD2><ZD3>1</ZD3>";
        QTest::newRow("ZD4 missing") << "<Mesto>A</Mesto>" + rest << int(fZD4) << "A";
        QTest::newRow("Mesto missing") << rest + "<ZD4>E</ZD4>" << int(fMesto) << "";
        QTest::newRow("Mesto empty element")
            << "<Mesto/>" + rest + "<ZD4>E</ZD4>" << int(fMesto) << "";
        QTest::newRow("element in Mesto")
            << "<Mesto><b>A</b></Mesto>" + rest + "<ZD4>E</ZD4>" << int(fMesto) << "";
        QTest::newRow("text and element in Mesto")
            << "<Mesto>A<i/>B</Mesto>" + rest + "<ZD4>E</ZD4>" << int(fMesto) << "";
        QTest::newRow("comment in Mesto")
            << "<Mesto>A<!-- x --></Mesto>" + rest + "<ZD4>E</ZD4>" << int(fMesto) << "";
        QTest::newRow("processing instruction in ZD4")
            << "<Mesto>A</Mesto>" + rest + "<ZD4>E<?pi x?></ZD4>" << int(fZD4) << "A";
        QTest::newRow("CDATA in ZD4")
            << "<Mesto>A</Mesto>" + rest + "<ZD4><![CDATA[E]]></ZD4>" << int(fZD4) << "A";
        QTest::newRow("first Mesto holds markup, second ignored")
            << "<Mesto><b/></Mesto><Mesto>A</Mesto>" + rest + "<ZD4>E</ZD4>" << int(fMesto) << "";
        QTest::newRow("character references are text")
            << "<Mesto>A&amp;B&#x17D;</Mesto>" + rest + "<ZD4>&#69;</ZD4>" << -1
            << QString(u8"A&BŽ");
        QTest::newRow("text and comment between fields ignored")
            << "note<Mesto>A</Mesto><!-- c -->" + rest + "<?pi?><ZD4>E</ZD4>" << -1 << "A";
    }
    void recordContent()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, emptyField);
        QFETCH(QString, name);
        TLocalityList list;
        const TLoadStatus status =
            ParseLocalities(FileXml("<Riadok>" + content + "</Riadok>"), list);
        QCOMPARE(status, emptyField < 0 ? TLoadStatus::Loaded : TLoadStatus::Damaged);
        QCOMPARE(list.size(), 1);
        QCOMPARE(CheckLocalities(list), emptyField < 0 ? 0 : 1);
        if (emptyField >= 0)
            QVERIFY(list[0].Field[emptyField].isEmpty());
        QCOMPARE(list[0].Field[fMesto], name);
        if (emptyField != fZD4)
            QCOMPARE(list[0].Field[fZD4], QString("E"));
    }

    void predefinedDatabase()
    {
        const TLocalityList list = PredefinedLocalities();
        QCOMPARE(list.size(), 9);
        QCOMPARE(list[0],
                 Rec({u8"SK - Sliač", "1", "0", "48", "36", "59", "N", "19", "8", "35", "E"}));
        QCOMPARE(list[1], Bratislava());
        QCOMPARE(list[8],
                 Rec({u8"SK - Rožňava", "1", "0", "48", "39", "23", "N", "20", "31", "55", "E"}));
        QCOMPARE(SortKey(list[1]), QString("SK - Bratislava;1;0;48;9;0;N;17;7;1;E"));
    }

    void xmlText()
    {
        QVERIFY(IsXmlText(QString()));
        QVERIFY(IsXmlText(u8"SK - Žilina\t\r\n😀"));
    }

    void sortOrder_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("en_US") << "en_US";
        QTest::newRow("sk_SK") << "sk_SK";
        QTest::newRow("hu_HU") << "hu_HU";
        QTest::newRow("C") << "C";
        QTest::newRow("system") << QString();
    }
    void sortOrder()
    {
        QFETCH(QString, locale);
        auto sort = [&](TLocalityList &list) {
            if (locale.isEmpty())
                SortLocalities(list);
            else
                SortLocalities(list, QLocale(locale));
        };

        TLocalityList list = PredefinedLocalities();
        sort(list);
        QCOMPARE(Names(list), SortedPredefined);
        // The records moved whole.
        for (const TLocality &r : PredefinedLocalities())
            QCOMPARE(list.count(r), 1);

        // Lower-case names sort among upper-case ones as if they were upper case.
        TLocalityList mixed{Rec({"SK - Dolny"}), Rec({"sk - banska"}), Rec({"SK - Cifer"}),
                            Rec({"sk - ardovo"}), Rec({"SK - BANOV"})};
        sort(mixed);
        QCOMPARE(Names(mixed), QString("sk - ardovo|SK - BANOV|sk - banska|SK - Cifer|SK - Dolny"));

        // Keys compare as text: "10" before "9" when the names are equal.
        TLocalityList hours{Rec({"X", "9"}), Rec({"X", "10"}), Rec({"X", "-1"})};
        sort(hours);
        QCOMPARE(hours[0].Field[fHod], QString("-1"));
        QCOMPARE(hours[1].Field[fHod], QString("10"));
        QCOMPARE(hours[2].Field[fHod], QString("9"));
    }

    void sortKeepsFieldsOfSemicolonNames()
    {
        const TLocality odd = Rec({"B;9;9;9", "1", "0", "1", "2", "3", "S", "4", "5", "6", "W"});
        const TLocality plain = Rec({"B", "2", "0", "1", "2", "3", "N", "4", "5", "6", "E"});
        TLocalityList list{odd, Bratislava(), plain};
        SortLocalities(list, QLocale("en_US"));
        QCOMPARE(list.size(), 3);
        QCOMPARE(list.count(odd), 1);
        QCOMPARE(list.count(plain), 1);
        QCOMPARE(list.count(Bratislava()), 1);
        QCOMPARE(list[0], plain); // "B;2" before "B;9"
        QCOMPARE(list[1], odd);
    }

    void sortIsStable_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("en_US") << "en_US";
        QTest::newRow("C") << "C";
    }
    void sortIsStable()
    {
        QFETCH(QString, locale);
        // Equal keys but for case: the order they came in stays.
        for (const QStringList &order :
             {QStringList{"abc", "ABC", "Abc"}, QStringList{"ABC", "Abc", "abc"}}) {
            TLocalityList list;
            for (const QString &name : order)
                list.append(Rec({name, "1"}));
            list.prepend(Rec({"zzz"}));
            SortLocalities(list, QLocale(locale));
            QCOMPARE(Names(list), order.join('|') + "|zzz");
        }
        TLocalityList empty;
        SortLocalities(empty);
        QVERIFY(empty.isEmpty());
    }

    void firstInvalidAddField_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<int>("expected");
        QTest::newRow("all valid")
            << QStringList{"A", "1", "0", "48", "9", "0", "N", "17", "7", "1", "E"} << -1;
        QTest::newRow("hemispheres not checked")
            << QStringList{"A", "1", "0", "48", "9", "0", "", "17", "7", "1", ""} << -1;
        QTest::newRow("blank name passes")
            << QStringList{" ", "12", "45", "90", "59", "59", "S", "180", "59", "59", "W"} << -1;
        QTest::newRow("name and hours bad")
            << QStringList{"", "13", "0", "48", "9", "0", "N", "17", "7", "1", "E"} << int(fMesto);
        QTest::newRow("hours -13")
            << QStringList{"A", "-13", "46", "48", "9", "0", "N", "17", "7", "1", "E"} << int(fHod);
        QTest::newRow("minutes 46")
            << QStringList{"A", "1", "46", "91", "9", "0", "N", "17", "7", "1", "E"} << int(fMin);
        QTest::newRow("latitude 91")
            << QStringList{"A", "1", "0", "91", "60", "0", "N", "17", "7", "1", "E"} << int(fZS1);
        QTest::newRow("latitude seconds before longitude")
            << QStringList{"A", "1", "0", "48", "9", "60", "N", "181", "7", "1", "E"} << int(fZS3);
        QTest::newRow("longitude 181")
            << QStringList{"A", "1", "0", "48", "9", "0", "N", "181", "60", "1", "E"} << int(fZD1);
        QTest::newRow("longitude seconds x")
            << QStringList{"A", "1", "0", "48", "9", "0", "N", "17", "7", "x", "E"} << int(fZD3);
        const QStringList valid = {"A", "1", "0", "48", "9", "0", "N", "17", "7", "1", "E"};
        auto with = [&](int field, const QString &text) {
            QStringList fields = valid;
            fields[field] = text;
            return fields;
        };
        QTest::newRow("empty name") << with(fMesto, "") << int(fMesto);
        QTest::newRow("hours 13") << with(fHod, "13") << int(fHod);
        QTest::newRow("hours -12") << with(fHod, "-12") << -1;
        QTest::newRow("minutes 20") << with(fMin, "20") << -1;
        QTest::newRow("latitude minutes 60") << with(fZS2, "60") << int(fZS2);
        QTest::newRow("longitude minutes 60") << with(fZD2, "60") << int(fZD2);
        QTest::newRow("longitude seconds empty") << with(fZD3, "") << int(fZD3);
        // Names XML cannot store are refused; what it can escape is kept.
        QTest::newRow("name with control character") << with(fMesto, U("Nitra\x01")) << int(fMesto);
        QTest::newRow("name with escape") << with(fMesto, U("Nitra\x1b[0m")) << int(fMesto);
        QTest::newRow("name with U+FFFE") << with(fMesto, U("Nitra\uFFFE")) << int(fMesto);
        QTest::newRow("name with U+FFFF") << with(fMesto, U("Nitra\uFFFF")) << int(fMesto);
        QTest::newRow("name with lone high surrogate")
            << with(fMesto, QStringLiteral("Nitra") + QChar(0xD800)) << int(fMesto);
        QTest::newRow("name with lone low surrogate")
            << with(fMesto, QChar(0xDC00) + QStringLiteral("Nitra")) << int(fMesto);
        QTest::newRow("name with accents and markup characters")
            << with(fMesto, U("Šaľa & <Veľké> Zálužie; \U0001F600")) << -1;
    }
    void firstInvalidAddField()
    {
        QFETCH(QStringList, fields);
        QFETCH(int, expected);
        QCOMPARE(FirstInvalidAddField(Rec(fields)), expected);
    }
};

QTEST_GUILESS_MAIN(TestLocalityRecords)
#include "tst_localityrecords.moc"
