// Checks the language tables for the slips a hand-edited text table invites:
// lost blanks, missing access keys, swapped marks, rows out of order.
#include "common/Clock.h"
#include "mainwindow/LanguageTexts.h"

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTest>

namespace
{

struct TEntry {
    QString group;
    QString name;
    TText text;
};

const char *const LanguageTags[LanguageCount] = {"sk", "en", "hu"};

void AddNamed(QList<TEntry> &out, const char *group, const std::vector<TNamedText> &items)
{
    for (const TNamedText &item : items)
        out.append({QString::fromLatin1(group), QString::fromUtf8(item.ObjectName), item.Text});
}

// Every text of the main window, each under "group/name".
QList<TEntry> Entries()
{
    using namespace MainText;
    QList<TEntry> out = {
        {"slot", "DayWord", DayWord},
        {"slot", "NoEventText", NoEventText},
        {"slot", "RecordNoText", RecordNoText},
        {"slot", "OwnDataText", OwnDataText},
        {"slot", "ResultsCaptionUtc", ResultsCaptionUtc},
        {"slot", "ResultsCaptionCet", ResultsCaptionCet},
        {"slot", "ResultsCaptionCest", ResultsCaptionCest},
        {"slot", "ResultsCaptionLocal", ResultsCaptionLocal},
        {"slot", "WorldMapTitle", WorldMapTitle},
        {"slot", "SlovakiaMapTitle", SlovakiaMapTitle},
        {"slot", "AboutTitle", AboutTitle},
        {"slot", "TableTitle", TableTitle},
        {"slot", "MoonPhaseTitle", MoonPhaseTitle},
        {"tag", "Utc", ClockTag::Utc},
        {"tag", "Cet", ClockTag::Cet},
        {"tag", "Cest", ClockTag::Cest},
        {"tag", "Local", ClockTag::Local},
    };
    for (std::size_t i = 0; i < std::size(GridHeaderText); ++i)
        out.append({"grid", QString::number(i), GridHeaderText[i]});
    AddNamed(out, "caption", Captions());
    AddNamed(out, "hint", Hints());
    out.append({"message", "CloseRefusedCaption", CloseRefusedCaption});
    out.append({"message", "CloseRefusedText", CloseRefusedText});
    out.append({"message", "ProgramAbortedText", ProgramAbortedText});
    out.append({"message", "IniWriteErrorText", IniWriteErrorText});
    return out;
}

const char *Literal(const TText &text, int language)
{
    const char *const literals[LanguageCount] = {text.Sk, text.En, text.Hu};
    return literals[language];
}

// The text under "group/name" in a language; a missing key fails the caller's compare.
QString Text(int language, const QString &key)
{
    for (const TEntry &e : Entries()) {
        if (e.group + QLatin1Char('/') + e.name == key)
            return TextIn(e.text, TLanguage(language));
    }
    return QStringLiteral("<no entry %1>").arg(key);
}

QStringList Names(const std::vector<TNamedText> &items, const QString &prefix = QString())
{
    QStringList names;
    for (const TNamedText &item : items)
        names.append(prefix + QString::fromUtf8(item.ObjectName));
    return names;
}

QString RowName(int language, const QString &key)
{
    return QString::fromLatin1(LanguageTags[language]) + QLatin1Char('/') + key;
}

} // namespace

class TestLanguageTexts : public QObject
{
    Q_OBJECT

private slots:
    void everyTextPresent_data();
    void everyTextPresent();
    void beginsWithOneBlank_data();
    void beginsWithOneBlank();
    void groupCaptionEndsWithBlank_data();
    void groupCaptionEndsWithBlank();
    void resultTagEndsWithThreeBlanks_data();
    void resultTagEndsWithThreeBlanks();
    void label3BlankRun_data();
    void label3BlankRun();
    void objectNamesInOrder();
    void menuCaptionAccessKey_data();
    void menuCaptionAccessKey();
    void gridHeaderMarks_data();
    void gridHeaderMarks();
};

void TestLanguageTexts::everyTextPresent_data()
{
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("null");
    QTest::addColumn<QByteArray>("bytes");
    for (int language = 0; language < LanguageCount; ++language) {
        for (const TEntry &e : Entries()) {
            const QString key = e.group + QLatin1Char('/') + e.name;
            const char *literal = Literal(e.text, language);
            QTest::newRow(qPrintable(RowName(language, key)))
                << !e.name.isEmpty() << (literal == nullptr) << QByteArray(literal);
        }
    }
}

void TestLanguageTexts::everyTextPresent()
{
    QFETCH(bool, named);
    QFETCH(bool, null);
    QFETCH(QByteArray, bytes);
    QVERIFY(named);
    QVERIFY2(!null, "null text");
    QVERIFY2(!bytes.isEmpty(), "empty text");
    const QString text = QString::fromUtf8(bytes);
    QVERIFY2(!text.contains(QChar::ReplacementCharacter), "not valid UTF-8");
    QCOMPARE(text.toUtf8(), bytes);
    for (const QChar c : text)
        QVERIFY2(c.isPrint(), "control character in text");
}

void TestLanguageTexts::beginsWithOneBlank_data()
{
    QTest::addColumn<QString>("text");
    const QStringList fixedKeys = {
        "slot/RecordNoText",       "slot/OwnDataText",
        "slot/ResultsCaptionUtc",  "slot/ResultsCaptionCet",
        "slot/ResultsCaptionCest", "slot/ResultsCaptionLocal",
        "caption/grpLokality",     "caption/grpCasV",
        "slot/WorldMapTitle",      "slot/SlovakiaMapTitle",
        "slot/AboutTitle",         "slot/TableTitle",
        "slot/MoonPhaseTitle",     "message/CloseRefusedCaption",
    };
    const QStringList keys = fixedKeys + Names(MainText::Hints(), QStringLiteral("hint/"));
    for (int language = 0; language < LanguageCount; ++language) {
        for (const QString &key : keys)
            QTest::newRow(qPrintable(RowName(language, key))) << Text(language, key);
    }
}

void TestLanguageTexts::beginsWithOneBlank()
{
    QFETCH(QString, text);
    QVERIFY2(text.startsWith(QLatin1Char(' ')), qPrintable(text));
    QVERIFY2(!text.startsWith(QLatin1String("  ")), qPrintable(text));
}

void TestLanguageTexts::groupCaptionEndsWithBlank_data()
{
    QTest::addColumn<QString>("text");
    const QStringList keys = {"caption/grpLokality",     "caption/grpCasV",
                              "slot/ResultsCaptionUtc",  "slot/ResultsCaptionCet",
                              "slot/ResultsCaptionCest", "slot/ResultsCaptionLocal"};
    for (int language = 0; language < LanguageCount; ++language) {
        for (const QString &key : keys)
            QTest::newRow(qPrintable(RowName(language, key))) << Text(language, key);
    }
}

void TestLanguageTexts::groupCaptionEndsWithBlank()
{
    QFETCH(QString, text);
    QVERIFY2(text.endsWith(QLatin1Char(' ')), qPrintable(text));
    QVERIFY2(!text.endsWith(QLatin1String("  ")), qPrintable(text));
}

void TestLanguageTexts::resultTagEndsWithThreeBlanks_data()
{
    QTest::addColumn<QString>("text");
    const QStringList keys = {"tag/Utc", "tag/Cet", "tag/Cest", "tag/Local"};
    for (int language = 0; language < LanguageCount; ++language) {
        for (const QString &key : keys)
            QTest::newRow(qPrintable(RowName(language, key))) << Text(language, key);
    }
}

void TestLanguageTexts::resultTagEndsWithThreeBlanks()
{
    QFETCH(QString, text);
    static const QRegularExpression shape(QStringLiteral("^, \\[[^\\] ]+\\] =>   $"));
    QVERIFY2(shape.match(text).hasMatch(), qPrintable(QLatin1Char('"') + text + QLatin1Char('"')));
}

void TestLanguageTexts::label3BlankRun_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("nameHeading");
    QTest::addColumn<int>("blanks");
    QTest::addColumn<QString>("offsetHeading");
    QTest::newRow("sk") << int(TLanguage::Slovak) << QString::fromUtf8("Názov lokality") << 33
                        << QString::fromUtf8("Posun času");
    QTest::newRow("en") << int(TLanguage::English) << QStringLiteral("Name of locality") << 30
                        << QStringLiteral("Clock time");
    QTest::newRow("hu") << int(TLanguage::Hungarian) << QString::fromUtf8("A helyszín neve") << 29
                        << QString::fromUtf8("Időeltolódás");
}

void TestLanguageTexts::label3BlankRun()
{
    QFETCH(int, language);
    QFETCH(QString, nameHeading);
    QFETCH(int, blanks);
    QFETCH(QString, offsetHeading);
    const QString text = Text(language, QStringLiteral("caption/Label3"));
    QCOMPARE(text, nameHeading + QString(blanks, QLatin1Char(' ')) + offsetHeading);
}

void TestLanguageTexts::objectNamesInOrder()
{
    const QStringList captions = {"Label1",     "Label2",      "Label3",      "Label4",
                                  "Label5",     "grpLokality", "grpCasV",     "lblPolohaS",
                                  "lblPolohaD", "lblVychod",   "lblPoludnie", "lblZapad",
                                  "rbUTC",      "rbSEC",       "rbSELC",      "rbMiestny"};
    const QStringList menus = {"mnuSubor",       "mnuVlastne",    "mnuDatabaza",   "mnuPridat",
                               "mnuZmazat",      "mnuHladat",     "mnuJazyk",      "mnuSlovensky",
                               "mnuAnglicky",    "mnuMadarsky",   "mnuKoniec",     "mnuNastroje",
                               "mnuSvet",        "mnuSlovensko",  "mnuHorizont",   "mnuVelkaNoc",
                               "mnuFazaMesiaca", "mnuTabulka",    "mnuTabulkaMes", "mnuRokSlnka",
                               "mnuSlnkoMesiac", "mnuZarovnanie", "mnuNapoved",    "mnuPomoc",
                               "mnuOnLine",      "mnuOPrograme"};
    const QStringList hints = {"StringGrid1", "Edit1",      "seHod",      "seMin",      "rbUTC",
                               "rbSEC",       "rbSELC",     "rbMiestny",  "Kalendar",   "PolohaD",
                               "PolohaS",     "seSirkaST",  "seSirkaMin", "seSirkaSek", "seDlzkaST",
                               "seDlzkaMin",  "seDlzkaSek", "Label6",     "grpVysledky"};
    const QStringList menuHints = {
        "mnuVlastne", "mnuDatabaza",   "mnuPridat",   "mnuZmazat",      "mnuHladat",
        "mnuJazyk",   "mnuSlovensky",  "mnuAnglicky", "mnuMadarsky",    "mnuKoniec",
        "mnuSvet",    "mnuSlovensko",  "mnuHorizont", "mnuVelkaNoc",    "mnuFazaMesiaca",
        "mnuTabulka", "mnuTabulkaMes", "mnuRokSlnka", "mnuSlnkoMesiac", "mnuZarovnanie",
        "mnuPomoc",   "mnuOnLine",     "mnuOPrograme"};
    QCOMPARE(Names(MainText::Captions()), captions + menus);
    QCOMPARE(Names(MainText::Hints()), hints + menuHints);
}

void TestLanguageTexts::menuCaptionAccessKey_data()
{
    QTest::addColumn<QString>("caption");
    for (int language = 0; language < LanguageCount; ++language) {
        for (const TNamedText &item : MainText::Captions()) {
            const QString name = QString::fromUtf8(item.ObjectName);
            if (name.startsWith(QLatin1String("mnu")))
                QTest::newRow(qPrintable(RowName(language, name)))
                    << TextIn(item.Text, TLanguage(language));
        }
    }
}

void TestLanguageTexts::menuCaptionAccessKey()
{
    QFETCH(QString, caption);
    QCOMPARE(caption.count(QLatin1Char('&')), 1);
    const int at = caption.indexOf(QLatin1Char('&'));
    QVERIFY2(at + 1 < caption.size() && caption.at(at + 1).isLetter(), qPrintable(caption));
}

void TestLanguageTexts::gridHeaderMarks_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");
    const QChar degree(0x00B0), acute(0x00B4), doubleAcute(0x02DD);
    const QString sk[] = {"ZŠ ", "ZŠ ", "ZŠ ", "ZD ", "ZD ", "ZD "};
    const QString en[] = {"Lat. ", "Lat. ", "Lat. ", "Long.", "Long.", "Long."};
    const QString hu[] = {"Sz. ", "Sz. ", "Sz. ", "H. ", "H. ", "H. "};
    const QString *prefixes[LanguageCount] = {sk, en, hu};
    const int columns[] = {3, 4, 5, 7, 8, 9};
    const QChar marks[] = {degree, acute, doubleAcute, degree, acute, doubleAcute};
    for (int language = 0; language < LanguageCount; ++language) {
        for (int i = 0; i < 6; ++i) {
            QTest::newRow(qPrintable(RowName(language, QString::number(columns[i]))))
                << language << columns[i] << QString(prefixes[language][i] + marks[i]);
        }
        QTest::newRow(qPrintable(RowName(language, "6"))) << language << 6 << QString("N/S");
        QTest::newRow(qPrintable(RowName(language, "10"))) << language << 10 << QString("E/W");
    }
}

void TestLanguageTexts::gridHeaderMarks()
{
    QFETCH(int, language);
    QFETCH(int, column);
    QFETCH(QString, expected);
    QCOMPARE(TextIn(MainText::GridHeaderText[column], TLanguage(language)), expected);
}

QTEST_APPLESS_MAIN(TestLanguageTexts)
#include "tst_languagetexts.moc"
