// Weekday names and Easter Sunday.
#include "calendar/CalCalc.h"

#include <QtTest>

namespace
{

// Anonymous Gregorian algorithm (Meeus/Jones/Butcher), integer arithmetic,
// independent of the routine under test.
void ReferenceEaster(int year, int &month, int &day)
{
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    month = (h + l - 7 * m + 114) / 31;
    day = (h + l - 7 * m + 114) % 31 + 1;
}

} // namespace

class TestCalCalc : public QObject
{
    Q_OBJECT

private slots:
    void weekdayName_data();
    void weekdayName();
    void easterDate_data();
    void easterDate();
    void easterAgainstReference();
    void easterReferenceSelfCheck();
    void easterMessage_data();
    void easterMessage();
    void easterMessageOtherLanguages_data();
    void easterMessageOtherLanguages();
    void easterEarlyAndNegativeYears_data();
    void easterEarlyAndNegativeYears();
    void easterCaption_data();
    void easterCaption();
};

void TestCalCalc::weekdayName_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");

    const char *const names[3][7] = {
        {"nedeľa", "pondelok", "utorok", "streda", "štvrtok", "piatok", "sobota"},
        {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
        {"vasárnap", "hétfő", "kedd", "szerda", "csütörtök", "péntek", "szombat"},
    };
    for (int language = 0; language < 3; ++language) {
        for (int day = 1; day <= 7; ++day) {
            QTest::addRow("lang %d day %d", language, day)
                << day << language << QString::fromUtf8(names[language][day - 1]);
        }
        QTest::addRow("lang %d day 0", language) << 0 << language << QString();
        QTest::addRow("lang %d day 8", language) << 8 << language << QString();
        QTest::addRow("lang %d day -1", language) << -1 << language << QString();
    }
}

void TestCalCalc::weekdayName()
{
    QFETCH(int, day);
    QFETCH(int, language);
    QFETCH(QString, expected);
    const QString name = GetWeekdayName(day, TLanguage(language));
    QCOMPARE(name, expected);
    QCOMPARE(name.isNull() || name.isEmpty(), expected.isEmpty());
}

void TestCalCalc::easterDate_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");

    QTest::newRow("2024") << 2024 << 3 << 31;
    QTest::newRow("2025") << 2025 << 4 << 20;
    QTest::newRow("2008") << 2008 << 3 << 23;
    QTest::newRow("2000") << 2000 << 4 << 23;
    QTest::newRow("2038") << 2038 << 4 << 25;
    QTest::newRow("1981 d=29 e=6") << 1981 << 4 << 19;
    QTest::newRow("2076 d=29 e=6") << 2076 << 4 << 19;
    QTest::newRow("1954 d=28 e=6 a=16") << 1954 << 4 << 18;
    QTest::newRow("2049 d=28 e=6 a=16") << 2049 << 4 << 18;
    QTest::newRow("2011 d=28 e=5") << 2011 << 4 << 24;
    // Outside 1900 ... 2099 the weekday term is no longer 5.
    QTest::newRow("1818") << 1818 << 3 << 22;
    QTest::newRow("1700") << 1700 << 4 << 11;
    QTest::newRow("2100") << 2100 << 3 << 28;
    QTest::newRow("2285") << 2285 << 3 << 22;
    QTest::newRow("1583") << 1583 << 4 << 10;
}

void TestCalCalc::easterDate()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    int m = 0;
    int d = 0;
    EasterSunday(static_cast<int16_t>(year), m, d);
    QCOMPARE(m, month);
    QCOMPARE(d, day);
}

void TestCalCalc::easterAgainstReference()
{
    for (int year = 1583; year <= 4099; ++year) {
        int m = 0;
        int d = 0;
        int rm = 0;
        int rd = 0;
        EasterSunday(static_cast<int16_t>(year), m, d);
        ReferenceEaster(year, rm, rd);
        if (m != rm || d != rd) {
            QFAIL(qPrintable(QStringLiteral("%1: got %2.%3., expected %4.%5.")
                                 .arg(year)
                                 .arg(d)
                                 .arg(m)
                                 .arg(rd)
                                 .arg(rm)));
        }
    }
}

// The reference itself must agree with known dates, or the sweep above
// would prove nothing.
void TestCalCalc::easterReferenceSelfCheck()
{
    int m = 0;
    int d = 0;
    ReferenceEaster(2024, m, d);
    QCOMPARE(m, 3);
    QCOMPARE(d, 31);
    ReferenceEaster(1954, m, d);
    QCOMPARE(m, 4);
    QCOMPARE(d, 18);
    ReferenceEaster(1818, m, d);
    QCOMPARE(m, 3);
    QCOMPARE(d, 22);
}

void TestCalCalc::easterMessage_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");

    QTest::newRow("2024 sk") << 2024 << 0
                             << QStringLiteral(
                                    "V roku 2024 veľkonočná nedeľa vychádza na 31. MARCA");
    QTest::newRow("2024 en") << 2024 << 1
                             << QStringLiteral("In 2024 Easter Sunday is on MARCH, 31.");
    QTest::newRow("2024 hu") << 2024 << 2
                             << QStringLiteral("2024 évben a Húsvétvasárnap dátuma MÁRCIUS 31.");
    QTest::newRow("2025 sk") << 2025 << 0
                             << QStringLiteral(
                                    "V roku 2025 veľkonočná nedeľa vychádza na 20. APRÍLA");
    QTest::newRow("2025 en") << 2025 << 1
                             << QStringLiteral("In 2025 Easter Sunday is on APRIL, 20.");
    QTest::newRow("2025 hu") << 2025 << 2
                             << QStringLiteral("2025 évben a Húsvétvasárnap dátuma ÁPRILIS 20.");
    QTest::newRow("2008 sk day without zero")
        << 2008 << 0 << QStringLiteral("V roku 2008 veľkonočná nedeľa vychádza na 23. MARCA");
    QTest::newRow("2010 en one-digit day")
        << 2010 << 1 << QStringLiteral("In 2010 Easter Sunday is on APRIL, 4.");
}

void TestCalCalc::easterMessage()
{
    QFETCH(int, year);
    QFETCH(int, language);
    QFETCH(QString, expected);
    QCOMPARE(EasterMessage(static_cast<int16_t>(year), TLanguage(language)), expected);
}

// Every year of the sweep gives the same date in all three sentences.
void TestCalCalc::easterMessageOtherLanguages_data()
{
    QTest::addColumn<int>("year");
    for (int year : {1583, 1700, 1899, 1981, 2049, 2100, 2500, 4099})
        QTest::addRow("%d", year) << year;
}

void TestCalCalc::easterMessageOtherLanguages()
{
    QFETCH(int, year);
    int m = 0;
    int d = 0;
    ReferenceEaster(year, m, d);
    const QString y = QString::number(year);
    const QString day = QString::number(d);
    const auto y16 = static_cast<int16_t>(year);
    QCOMPARE(EasterMessage(y16, TLanguage::Slovak),
             QStringLiteral("V roku ") + y + QStringLiteral(" veľkonočná nedeľa vychádza na ") +
                 day + (m == 3 ? QStringLiteral(". MARCA") : QStringLiteral(". APRÍLA")));
    QCOMPARE(EasterMessage(y16, TLanguage::English),
             QStringLiteral("In ") + y + QStringLiteral(" Easter Sunday is on ") +
                 (m == 3 ? QStringLiteral("MARCH") : QStringLiteral("APRIL")) +
                 QStringLiteral(", ") + day + QStringLiteral("."));
    QCOMPARE(EasterMessage(y16, TLanguage::Hungarian),
             y + QStringLiteral(" évben a Húsvétvasárnap dátuma ") +
                 (m == 3 ? QStringLiteral("MÁRCIUS") : QStringLiteral("ÁPRILIS")) +
                 QStringLiteral(" ") + day + QStringLiteral("."));
}

// Years before the Gregorian calendar, zero and negative years run through
// the same steps: a sentence with the year as written, no failure.
void TestCalCalc::easterEarlyAndNegativeYears_data()
{
    QTest::addColumn<int>("year");
    for (int year : {-32768, -10000, -101, -100, -19, -1, 0, 1, 99, 100, 1000, 1582, 32767})
        QTest::addRow("%d", year) << year;
}

void TestCalCalc::easterEarlyAndNegativeYears()
{
    QFETCH(int, year);
    const auto y16 = static_cast<int16_t>(year);
    int m = 0;
    int d = 0;
    EasterSunday(y16, m, d);
    QVERIFY(m == 3 || m == 4);
    // d, e lie in (-30, 30) and (-7, 7) at worst, so the day stays bounded.
    QVERIFY2(d > -20 && d <= 31, qPrintable(QString::number(d)));
    const QString sk = EasterMessage(y16, TLanguage::Slovak);
    QVERIFY(sk.startsWith(QStringLiteral("V roku ") + QString::number(year) + QLatin1Char(' ')));
    QVERIFY(sk.contains(QStringLiteral(" na ") + QString::number(d) + QLatin1Char('.')));
    QVERIFY(EasterMessage(y16, TLanguage::English)
                .startsWith(QStringLiteral("In ") + QString::number(year)));
    QVERIFY(EasterMessage(y16, TLanguage::Hungarian)
                .startsWith(QString::number(year) + QStringLiteral(" évben")));
}

void TestCalCalc::easterCaption_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");
    QTest::newRow("sk") << 0 << QStringLiteral(" Veľkonočná nedeľa");
    QTest::newRow("en") << 1 << QStringLiteral(" Easter Sunday");
    QTest::newRow("hu") << 2 << QStringLiteral(" Húsvétvasárnap");
}

void TestCalCalc::easterCaption()
{
    QFETCH(int, language);
    QFETCH(QString, expected);
    QCOMPARE(EasterCaption(TLanguage(language)), expected);
}

QTEST_APPLESS_MAIN(TestCalCalc)
#include "tst_CalCalc.moc"
