// Atomic replacement of a file: the old content survives every failure.
#include "FileSupport.h"
#include "common/AtomicFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
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

    // A save killed at its last step (the rename, under strace's fault
    // injection) leaves its temporary file; the next save in the folder takes
    // it away once it is old enough to belong to no save still running, and
    // leaves everything else alone.
    void leftoversOfKilledSaves_data()
    {
        QTest::addColumn<int>("age"); // of the leftover, in seconds
        QTest::addColumn<bool>("removed");
        QTest::newRow("an hour old") << 3600 << true;
        QTest::newRow("a minute old") << 60 << true;
        QTest::newRow("just written") << 0 << false;
    }
    void leftoversOfKilledSaves()
    {
        QFETCH(int, age);
        QFETCH(bool, removed);
        const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
        if (strace.isEmpty())
            QSKIP("strace is not installed");
        QTemporaryDir dir;
        const QDir folder(dir.path());
        const QString path = dir.filePath(QStringLiteral("vantu.ini"));
        QVERIFY(WriteFileAtomically(path, "old"));
        // The user's own files, some named much like a temporary one.
        const QStringList own{"vantu.ini.backup", "vantu.ini~", "vantu.ini.tmp", "notes.txt"};
        for (const QString &name : own)
            QVERIFY(WriteFileAtomically(dir.filePath(name), "mine"));

        QProcess killed;
        killed.start(strace, {"-f", "-qq", "-o", "/dev/null", "-e",
                              "inject=rename,renameat,renameat2:signal=KILL",
                              QCoreApplication::applicationFilePath(), "--save", path, "new"});
        QVERIFY(killed.waitForFinished(30000));
        QStringList left = folder.entryList(QDir::Files | QDir::Hidden);
        for (const QString &name : own + QStringList{"vantu.ini"})
            left.removeOne(name);
        if (left.size() != 1)
            QSKIP("strace could not kill the save at its rename here");
        QCOMPARE(ReadFile(path), QByteArray("old"));
        QFile leftover(dir.filePath(left.first()));
        QVERIFY(leftover.open(QIODevice::ReadWrite));
        QVERIFY(leftover.setFileTime(QDateTime::currentDateTime().addSecs(-age),
                                     QFileDevice::FileModificationTime));
        leftover.close();

        QVERIFY(WriteFileAtomically(path, "newer"));
        QCOMPARE(ReadFile(path), QByteArray("newer"));
        QStringList expected = own + QStringList{"vantu.ini"};
        if (!removed)
            expected << left.first();
        expected.sort();
        QStringList found = folder.entryList(QDir::Files | QDir::Hidden);
        found.sort();
        QCOMPARE(found, expected);
    }
};

int main(int argc, char *argv[])
{
    // The save that the test has killed: vantu.ini written as the program does.
    if (argc == 4 && qstrcmp(argv[1], "--save") == 0)
        return WriteFileAtomically(QString::fromLocal8Bit(argv[2]), argv[3]) ? 0 : 1;
    QCoreApplication app(argc, argv);
    TestAtomicFile test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_atomicfile.moc"
