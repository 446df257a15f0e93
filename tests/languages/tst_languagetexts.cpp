// Checks the language tables for the slips a hand-edited text table invites:
// lost blanks, missing access keys, swapped marks, rows out of step between
// languages, and a few exact texts per language.
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
    const char *text;
};

const char *const LanguageTags[LanguageCount] = {"sk", "en", "hu"};

template <std::size_t N>
void AddNamed(QList<TEntry> &out, const char *group, const std::array<TNamedText, N> &items)
{
    for (const TNamedText &item : items)
        out.append({QString::fromLatin1(group), QString::fromUtf8(item.objectName), item.text});
}

// Every text of one table, each under "group/name".
QList<TEntry> Entries(const TLanguageTexts &t)
{
    QList<TEntry> out = {
        {"slot", "DayWord", t.DayWord},
        {"slot", "NoEventText", t.NoEventText},
        {"slot", "RecordNoText", t.RecordNoText},
        {"slot", "OwnDataText", t.OwnDataText},
        {"slot", "ResultsCaptionUtc", t.ResultsCaptionUtc},
        {"slot", "ResultsCaptionCet", t.ResultsCaptionCet},
        {"slot", "ResultsCaptionCest", t.ResultsCaptionCest},
        {"slot", "ResultsCaptionLocal", t.ResultsCaptionLocal},
        {"slot", "ResultTagUtc", t.ResultTagUtc},
        {"slot", "ResultTagCet", t.ResultTagCet},
        {"slot", "ResultTagCest", t.ResultTagCest},
        {"slot", "ResultTagLocal", t.ResultTagLocal},
        {"slot", "WorldMapTitle", t.WorldMapTitle},
        {"slot", "SlovakiaMapTitle", t.SlovakiaMapTitle},
        {"slot", "AboutTitle", t.AboutTitle},
        {"slot", "TableTitle", t.TableTitle},
        {"slot", "MoonPhaseTitle", t.MoonPhaseTitle},
    };
    for (std::size_t i = 0; i < t.GridHeaderText.size(); ++i)
        out.append({"grid", QString::number(i), t.GridHeaderText[i]});
    AddNamed(out, "caption", t.Captions);
    AddNamed(out, "menu", t.MenuCaptions);
    AddNamed(out, "hint", t.ControlHints);
    AddNamed(out, "menuhint", t.MenuHints);
    out.append({"message", "CloseRefusedCaption", t.CloseRefusedCaption});
    out.append({"message", "CloseRefusedText", t.CloseRefusedText});
    out.append({"message", "ProgramAbortedText", t.ProgramAbortedText});
    out.append({"message", "IniWriteErrorCaption", t.IniWriteErrorCaption});
    out.append({"message", "IniWriteErrorText", t.IniWriteErrorText});
    return out;
}

// The text under "group/name" in a language; a missing key fails the caller's compare.
QString Text(int language, const QString &key)
{
    for (const TEntry &e : Entries(LanguageTexts(TLanguage(language)))) {
        if (e.group + QLatin1Char('/') + e.name == key)
            return QString::fromUtf8(e.text);
    }
    return QStringLiteral("<no entry %1>").arg(key);
}

template <std::size_t N> QStringList Names(const std::array<TNamedText, N> &items)
{
    QStringList names;
    for (const TNamedText &item : items)
        names.append(QString::fromUtf8(item.objectName));
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
    void objectNamesInOrder_data();
    void objectNamesInOrder();
    void menuCaptionAccessKey_data();
    void menuCaptionAccessKey();
    void gridHeaderMarks_data();
    void gridHeaderMarks();
    void exactTexts_data();
    void exactTexts();
};

void TestLanguageTexts::everyTextPresent_data()
{
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("null");
    QTest::addColumn<QByteArray>("bytes");
    for (int language = 0; language < LanguageCount; ++language) {
        for (const TEntry &e : Entries(LanguageTexts(TLanguage(language)))) {
            const QString key = e.group + QLatin1Char('/') + e.name;
            QTest::newRow(qPrintable(RowName(language, key)))
                << !e.name.isEmpty() << (e.text == nullptr) << QByteArray(e.text);
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
        "slot/RecordNoText",
        "slot/OwnDataText",
        "slot/ResultsCaptionUtc",
        "slot/ResultsCaptionCet",
        "slot/ResultsCaptionCest",
        "slot/ResultsCaptionLocal",
        "caption/grpLokality",
        "caption/grpCasV",
        "slot/WorldMapTitle",
        "slot/SlovakiaMapTitle",
        "slot/AboutTitle",
        "slot/TableTitle",
        "slot/MoonPhaseTitle",
        "message/CloseRefusedCaption",
        "message/IniWriteErrorCaption",
    };
    for (int language = 0; language < LanguageCount; ++language) {
        const TLanguageTexts &t = LanguageTexts(TLanguage(language));
        QStringList keys = fixedKeys;
        for (const QString &name : Names(t.ControlHints))
            keys.append(QStringLiteral("hint/") + name);
        for (const QString &name : Names(t.MenuHints))
            keys.append(QStringLiteral("menuhint/") + name);
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
    const QStringList keys = {"slot/ResultTagUtc", "slot/ResultTagCet", "slot/ResultTagCest",
                              "slot/ResultTagLocal"};
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

void TestLanguageTexts::objectNamesInOrder_data()
{
    QTest::addColumn<int>("language");
    for (int language = 0; language < LanguageCount; ++language)
        QTest::newRow(LanguageTags[language]) << language;
}

void TestLanguageTexts::objectNamesInOrder()
{
    QFETCH(int, language);
    const TLanguageTexts &t = LanguageTexts(TLanguage(language));
    const QStringList captions = {"Label1",     "Label2",      "Label3",      "Label4",
                                  "Label5",     "grpLokality", "grpCasV",     "lblPolohaS",
                                  "lblPolohaD", "lblVychod",   "lblPoludnie", "lblZapad",
                                  "rbUTC",      "rbSEC",       "rbSELC",      "rbMiestny"};
    const QStringList menus = {"mnuSubor",    "mnuVlastne",    "mnuDatabaza", "mnuPridat",
                               "mnuZmazat",   "mnuHladat",     "mnuJazyk",    "mnuSlovensky",
                               "mnuAnglicky", "mnuMadarsky",   "mnuKoniec",   "mnuNastroje",
                               "mnuSvet",     "mnuSlovensko",  "mnuVelkaNoc", "mnuFazaMesiaca",
                               "mnuTabulka",  "mnuTabulkaMes", "mnuRokSlnka", "mnuSlnkoMesiac",
                               "mnuNapoved",  "mnuPomoc",      "mnuOnLine",   "mnuOPrograme"};
    const QStringList hints = {"StringGrid1", "Edit1",      "seHod",      "seMin",      "rbUTC",
                               "rbSEC",       "rbSELC",     "rbMiestny",  "Kalendar",   "PolohaD",
                               "PolohaS",     "seSirkaST",  "seSirkaMin", "seSirkaSek", "seDlzkaST",
                               "seDlzkaMin",  "seDlzkaSek", "Label6",     "grpVysledky"};
    const QStringList menuHints = {"mnuVlastne",  "mnuDatabaza",    "mnuPridat",    "mnuZmazat",
                                   "mnuHladat",   "mnuJazyk",       "mnuSlovensky", "mnuAnglicky",
                                   "mnuMadarsky", "mnuKoniec",      "mnuSvet",      "mnuSlovensko",
                                   "mnuVelkaNoc", "mnuFazaMesiaca", "mnuTabulka",   "mnuTabulkaMes",
                                   "mnuRokSlnka", "mnuSlnkoMesiac", "mnuPomoc",     "mnuOnLine",    "mnuOPrograme"};
    QCOMPARE(Names(t.Captions), captions);
    QCOMPARE(Names(t.MenuCaptions), menus);
    QCOMPARE(Names(t.ControlHints), hints);
    QCOMPARE(Names(t.MenuHints), menuHints);

    // The same rows in every language, not just the same names.
    const TLanguageTexts &slovak = LanguageTexts(TLanguage::Slovak);
    QCOMPARE(Names(t.Captions), Names(slovak.Captions));
    QCOMPARE(Names(t.MenuCaptions), Names(slovak.MenuCaptions));
    QCOMPARE(Names(t.ControlHints), Names(slovak.ControlHints));
    QCOMPARE(Names(t.MenuHints), Names(slovak.MenuHints));
}

void TestLanguageTexts::menuCaptionAccessKey_data()
{
    QTest::addColumn<QString>("caption");
    for (int language = 0; language < LanguageCount; ++language) {
        for (const TNamedText &item : LanguageTexts(TLanguage(language)).MenuCaptions) {
            QTest::newRow(qPrintable(RowName(language, QString::fromUtf8(item.objectName))))
                << QString::fromUtf8(item.text);
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
    QCOMPARE(QString::fromUtf8(LanguageTexts(TLanguage(language)).GridHeaderText.at(column)),
             expected);
}

void TestLanguageTexts::exactTexts_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    const struct {
        int language;
        const char *key;
        const char *expected;
    } cases[] = {
        {int(TLanguage::Slovak), "slot/DayWord", "deň"},
        {int(TLanguage::Slovak), "slot/NoEventText", "nenastáva"},
        {int(TLanguage::Slovak), "slot/RecordNoText", " Záznam číslo: "},
        {int(TLanguage::Slovak), "slot/ResultsCaptionLocal", " Výsledky podľa časovej zóny "},
        {int(TLanguage::Slovak), "slot/ResultTagCest", ", [SELČ] =>   "},
        {int(TLanguage::Slovak), "grid/0", "Lokalita"},
        {int(TLanguage::Slovak), "caption/Label4", "Zemepisná dĺžka"},
        {int(TLanguage::Slovak), "caption/rbSEC", "SEČ"},
        {int(TLanguage::Slovak), "menu/mnuNapoved", "Nápov&eď"},
        {int(TLanguage::Slovak), "menu/mnuTabulkaMes", "Výsledky za mesiac &do tabuľky"},
        {int(TLanguage::Slovak), "hint/PolohaD", " Zemská pologuľa: E = Východná, W = Západná"},
        {int(TLanguage::Slovak), "menuhint/mnuMadarsky", " Uživateľský jazyk - Maďarský"},
        {int(TLanguage::Slovak), "message/CloseRefusedCaption", " Upozornenie"},
        {int(TLanguage::Slovak), "message/CloseRefusedText", "Tabuľka výsledkov nie je uložená"},
        {int(TLanguage::Slovak), "message/ProgramAbortedText", "Koniec programu"},
        {int(TLanguage::Slovak), "message/IniWriteErrorText",
         "Nastavenia sa nepodarilo uložiť do súboru »%1«."},
        {int(TLanguage::English), "slot/DayWord", "day"},
        {int(TLanguage::English), "slot/NoEventText", "N/A"},
        {int(TLanguage::English), "slot/OwnDataText", " Fill in your dates"},
        {int(TLanguage::English), "slot/WorldMapTitle", " Chart of the World"},
        {int(TLanguage::English), "grid/7", "Long.°"},
        {int(TLanguage::English), "caption/Label1", "Database of locality"},
        {int(TLanguage::English), "caption/rbMiestny", "Local"},
        {int(TLanguage::English), "menu/mnuKoniec", "E&xit"},
        {int(TLanguage::English), "menu/mnuOnLine", "H&elp on-line"},
        {int(TLanguage::English), "hint/grpVysledky",
         " Display result according to selected time format"},
        {int(TLanguage::English), "menuhint/mnuOnLine", " Show help at home page (on-line)"},
        {int(TLanguage::English), "message/CloseRefusedCaption", " Warning"},
        {int(TLanguage::English), "message/CloseRefusedText", "Table of results is not saved"},
        {int(TLanguage::English), "message/ProgramAbortedText", "Program aborted"},
        {int(TLanguage::English), "message/IniWriteErrorCaption", " File error"},
        {int(TLanguage::Hungarian), "slot/DayWord", "nap"},
        {int(TLanguage::Hungarian), "slot/NoEventText", "nincs"},
        {int(TLanguage::Hungarian), "slot/RecordNoText", " Adatszám: "},
        {int(TLanguage::Hungarian), "slot/ResultTagLocal", ", [Helyi] =>   "},
        {int(TLanguage::Hungarian), "slot/MoonPhaseTitle", " Holdfázis"},
        {int(TLanguage::Hungarian), "grid/1", "Óra"},
        {int(TLanguage::Hungarian), "caption/lblPoludnie", "delelés:"},
        {int(TLanguage::Hungarian), "caption/grpLokality", " A helyszín részletes adatai "},
        {int(TLanguage::Hungarian), "menu/mnuVelkaNoc", "Húsvétvasárna&p"},
        {int(TLanguage::Hungarian), "menu/mnuSlovensky", "&Slovensky"},
        {int(TLanguage::Hungarian), "hint/rbSELC", " CEST - Középeurópai nyári idő (UTC + 2ó)"},
        {int(TLanguage::Hungarian), "menuhint/mnuZmazat", " Törölni az adatotkat az adatbázisból"},
        {int(TLanguage::Hungarian), "message/CloseRefusedCaption", " Figyelmeztetés"},
        {int(TLanguage::Hungarian), "message/ProgramAbortedText", "Kilépés a programból"},
        {int(TLanguage::Hungarian), "message/IniWriteErrorText",
         "A beállításokat nem sikerült menteni: »%1«."},
    };
    for (const auto &c : cases) {
        const QString key = QString::fromUtf8(c.key);
        QTest::newRow(qPrintable(RowName(c.language, key)))
            << c.language << key << QString::fromUtf8(c.expected);
    }
}

void TestLanguageTexts::exactTexts()
{
    QFETCH(int, language);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(Text(language, key), expected);
}

QTEST_APPLESS_MAIN(TestLanguageTexts)
#include "tst_languagetexts.moc"
