// What the tests of vantu-cli share: a few towns as locality records, their
// locality file in a temporary folder, and runs of the whole tool on it.
#pragma once

#include "cli/CliOptions.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace CliTest
{

struct TTown {
    const char *Name;
    int Hod, Min, Lat[3];
    char LatDir;
    int Lon[3];
    char LonDir;
};

inline const TTown Towns[] = {
    {"Bratislava", 1, 0, {48, 9, 0}, 'N', {17, 7, 1}, 'E'},
    {"Banská Bystrica", 1, 0, {48, 44, 0}, 'N', {19, 9, 0}, 'E'},
    {"Košice", 1, 0, {48, 43, 0}, 'N', {21, 15, 0}, 'E'},
    {"Nitra", 1, 0, {48, 19, 0}, 'N', {18, 5, 0}, 'E'},
    {"Nitrianske Pravno", 1, 0, {48, 53, 0}, 'N', {18, 38, 0}, 'E'},
    {"Kathmandu", 5, 45, {27, 42, 0}, 'N', {85, 19, 0}, 'E'},
    {"Quito", -5, 0, {0, 13, 0}, 'S', {78, 30, 0}, 'W'},
};

inline TLocality Record(const TTown &t)
{
    TLocality r;
    r.Field[fMesto] = QString::fromUtf8(t.Name);
    r.Field[fHod] = QString::number(t.Hod);
    r.Field[fMin] = QString::number(t.Min);
    r.Field[fZS1] = QString::number(t.Lat[0]);
    r.Field[fZS2] = QString::number(t.Lat[1]);
    r.Field[fZS3] = QString::number(t.Lat[2]);
    r.Field[fZS4] = QString(QLatin1Char(t.LatDir));
    r.Field[fZD1] = QString::number(t.Lon[0]);
    r.Field[fZD2] = QString::number(t.Lon[1]);
    r.Field[fZD3] = QString::number(t.Lon[2]);
    r.Field[fZD4] = QString(QLatin1Char(t.LonDir));
    return r;
}

inline TLocalityList AllTowns()
{
    TLocalityList list;
    for (const TTown &t : Towns)
        list << Record(t);
    return list;
}

// The second base of a test class, after QObject: the towns' locality file
// (written by WriteDatabase() from initTestCase) and runs of the tool on it,
// with LANG en_US and 21 June 2026 as today.
class TCliFixture
{
protected:
    void WriteDatabase()
    {
        QVERIFY(FDir.isValid());
        FDatabase = FDir.filePath(QStringLiteral("lokality.xml"));
        QString error;
        const QByteArray bytes =
            TLocalityFile::Serialize(AllTowns(), QStringLiteral("SuborDat"), {}, &error);
        QVERIFY2(!bytes.isEmpty(), qPrintable(error));
        QFile file(FDatabase);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    TCliResult Run(QStringList arguments, const QLocale &locale = QLocale::c())
    {
        arguments.prepend(QStringLiteral("vantu-cli"));
        return CliMain(arguments, QStringLiteral("en_US.UTF-8"), QDate(2026, 6, 21), locale);
    }

    QTemporaryDir FDir;
    QString FDatabase;
};

} // namespace CliTest
