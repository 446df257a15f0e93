// Atomic replacement of a file: the old content survives every failure.
#include "FileSupport.h"
#include "common/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

class TestAtomicFile : public QObject
{
    Q_OBJECT

private slots:
    void replacesTheWholeFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("f.txt"));
        QVERIFY(WriteFileAtomically(path, "old content that is longer"));
        QVERIFY(WriteFileAtomically(path, "new"));
        QCOMPARE(ReadFile(path), QByteArray("new"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("f.txt")});
    }

    void failuresKeepTheOldFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("missing folder") << "no/such/f.txt" << false;
        QTest::newRow("folder in the way") << "dir" << false;
        // A small file stays in QSaveFile's buffer until the final flush: a
        // full disk shows only there.
        QTest::newRow("full disk, small file") << "f.txt" << true;
    }
    void failuresKeepTheOldFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, fullDisk);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dir")));
        const QString path = dir.filePath(name);
        const QByteArray old = "old";
        if (!name.contains(QLatin1Char('/')) && name != QLatin1String("dir"))
            QVERIFY(WriteFileAtomically(path, old));

        rlimit saved{};
        if (fullDisk) {
            std::signal(SIGXFSZ, SIG_IGN);
            QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
            rlimit small = saved;
            small.rlim_cur = 100;
            QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        }
        QString error;
        const bool written = WriteFileAtomically(path, QByteArray(1000, 'x'), &error);
        if (fullDisk)
            QVERIFY(setrlimit(RLIMIT_FSIZE, &saved) == 0);

        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        if (fullDisk)
            QCOMPARE(ReadFile(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), fullDisk ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "tst_atomicfile.moc"
