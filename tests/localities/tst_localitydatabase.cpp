// The locality database object: load outcomes, the add check, adding,
// erasing and saving, without a window.
#include "localities/LocalityDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

const QByteArray OneRecord =
    "<?xml version=\"1.0\"?>\n<SuborDat><Riadok><Mesto>Zeta</Mesto><Hod>1</Hod><Min>0</Min>"
    "<ZS1>48</ZS1><ZS2>9</ZS2><ZS3>0</ZS3><ZS4>N</ZS4><ZD1>17</ZD1><ZD2>7</ZD2><ZD3>1</ZD3>"
    "<ZD4>E</ZD4></Riadok></SuborDat>";

TLocality Record(const QString &name, const QString &hours = QStringLiteral("1"))
{
    TLocality r;
    r.Field = {name, hours, "0", "48", "9", "0", "N", "17", "7", "1", "E"};
    return r;
}

QStringList Names(const TLocalityList &list)
{
    QStringList names;
    for (const TLocality &r : list)
        names << r.Field[fMesto];
    return names;
}

TLocalityList FileRecords(const QString &path)
{
    QFile f(path);
    TLocalityList list;
    if (f.open(QIODevice::ReadOnly))
        ParseLocalities(f.readAll(), list);
    return list;
}

} // namespace

class TestLocalityDatabase : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        FDir = std::make_unique<QTemporaryDir>();
        FPath = FDir->filePath(QStringLiteral("lokality.xml"));
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("fileStays");
        QTest::newRow("missing") << QByteArray() << int(TLoadStatus::Missing) << QStringList()
                                 << false;
        QTest::newRow("loaded") << OneRecord << int(TLoadStatus::Loaded) << QStringList{"Zeta"}
                                << true;
        QTest::newRow("damaged, parsed")
            << QByteArray(OneRecord).replace("<Hod>1<", "<Hod>13<") << int(TLoadStatus::Damaged)
            << QStringList{"Zeta"} << false;
        QTest::newRow("damaged, not XML") << QByteArray("<SuborDat><Riadok>")
                                          << int(TLoadStatus::Damaged) << QStringList() << false;
    }
    void load()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, status);
        QFETCH(QStringList, names);
        QFETCH(bool, fileStays);
        if (!bytes.isEmpty()) {
            QFile f(FPath);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        TLocalityDatabase db(FPath);
        QCOMPARE(int(db.Load()), status);
        QCOMPARE(Names(db.List()), names);
        if (status == int(TLoadStatus::Damaged)) {
            const QString aside = db.SetAsideDamaged(QDateTime(QDate(2026, 12, 8), QTime(9, 5)));
            QCOMPARE(QFileInfo(aside).fileName(),
                     QStringLiteral("lokality-2026-12-08-090500.damaged.xml"));
            QVERIFY(db.Damaged());
            // Nothing is written any more: the records would come back.
            QCOMPARE(db.Add(Record(QStringLiteral("New"))).Save.Outcome, TSaveOutcome::NotWritten);
        }
        QCOMPARE(QFile::exists(FPath), fileStays);
    }

    void createPredefinedWritesTheNineTowns()
    {
        TLocalityDatabase db(FPath);
        QCOMPARE(db.Load(), TLoadStatus::Missing);
        QCOMPARE(db.CreatePredefined(FDir->path()).Outcome, TSaveOutcome::Written);
        QCOMPARE(FileRecords(FPath), PredefinedLocalities());
        QVERIFY(!QFile::exists(FDir->filePath(QStringLiteral("temp.xml"))));
    }

    // The add check is the one of FirstInvalidAddField (its cases are in
    // tst_localityrecords): a refused record is neither added nor written.
    void addCheck_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("invalid");
        QTest::newRow("refused") << int(fHod) << QStringLiteral("13") << int(fHod);
        QTest::newRow("valid") << int(fHod) << QStringLiteral("-12") << -1;
    }
    void addCheck()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(int, invalid);
        TLocalityDatabase db(FPath);
        QCOMPARE(db.CreatePredefined(FDir->path()).Outcome, TSaveOutcome::Written);
        TLocality r = Record(QStringLiteral("A new place"));
        r.Field[field] = text;
        const TAddResult result = db.Add(r);
        QCOMPARE(result.InvalidField, invalid);
        QCOMPARE(db.Count(), invalid < 0 ? 10 : 9);
        QCOMPARE(FileRecords(FPath).size(), invalid < 0 ? 10 : 9);
    }

    void addSortsAndErasesWrites()
    {
        TLocalityDatabase db(FPath);
        QCOMPARE(db.CreatePredefined(FDir->path()).Outcome, TSaveOutcome::Written);
        QVERIFY(db.Add(Record(QStringLiteral("aa"))).Added());
        QCOMPARE(db.List().first().Field[fMesto], QStringLiteral("aa"));
        QCOMPARE(FileRecords(FPath), db.List());
        QCOMPARE(db.Erase(0).Outcome, TSaveOutcome::Written);
        QCOMPARE(db.Count(), 9);
        QCOMPARE(FileRecords(FPath), db.List());
        QCOMPARE(db.Erase(99).Outcome, TSaveOutcome::Written); // nothing there to remove
        QCOMPARE(db.Count(), 9);
    }

    void saveFailureSaysWhy()
    {
        TLocalityDatabase db(FDir->filePath(QStringLiteral("no/such/folder/lokality.xml")));
        const TSaveResult result = db.CreatePredefined(FDir->path());
        QCOMPARE(result.Outcome, TSaveOutcome::Failed);
        QVERIFY(!result.Error.isEmpty());
        QCOMPARE(db.Count(), 9); // the list is the user's, whatever the disk says
    }

private:
    std::unique_ptr<QTemporaryDir> FDir;
    QString FPath;
};

QTEST_GUILESS_MAIN(TestLocalityDatabase)
#include "tst_localitydatabase.moc"
