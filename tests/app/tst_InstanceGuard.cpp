// The single-instance guard: one holder per name and user, released when the
// holder ends however it ends.
#include "app/InstanceGuard.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

class TestInstanceGuard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lockFileIgnoresRuntimeFolder();
    void neverWaitsAndExcludesAcrossSessions_data();
    void neverWaitsAndExcludesAcrossSessions();
    void fallbackPath_data();
    void fallbackPath();
    void secondGuardInSameProcessFails();
    void namesAreIndependent();
    void acquireTwiceOnSameGuard();
    void lockFileUnusableRunsUnprotected();
    void otherProcessHoldsLock();
    void killedHolderReleasesLock();
    void childProcessesDoNotInheritLock();

private:
    std::unique_ptr<QProcess> StartHolder(const QString &name);

    std::unique_ptr<QTemporaryDir> m_runtime;
    std::unique_ptr<QTemporaryDir> m_temp;
    QString m_name;
    QByteArray m_oldRuntime;
    QByteArray m_oldTemp;
};

void TestInstanceGuard::init()
{
    m_oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    m_oldTemp = qgetenv("TMPDIR");
    m_runtime = std::make_unique<QTemporaryDir>();
    m_temp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_runtime->isValid());
    QVERIFY(m_temp->isValid());
    // Children started by the tests inherit these.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime->path()));
    qputenv("TMPDIR", QFile::encodeName(m_temp->path()));
    m_name = QStringLiteral("VantuGuardTest%1").arg(::getpid());
}

void TestInstanceGuard::cleanup()
{
    qputenv("XDG_RUNTIME_DIR", m_oldRuntime);
    qputenv("TMPDIR", m_oldTemp);
    if (m_oldRuntime.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    if (m_oldTemp.isNull())
        qunsetenv("TMPDIR");
    m_runtime.reset();
    m_temp.reset();
}

std::unique_ptr<QProcess> TestInstanceGuard::StartHolder(const QString &name)
{
    auto process = std::make_unique<QProcess>();
    process->start(QStringLiteral(GUARD_HOLDER), {name});
    if (!process->waitForStarted(10000))
        return nullptr;
    return process;
}

// The runtime folder is set in some sessions and not in others: the lock is
// in the temporary folder in all of them.
void TestInstanceGuard::lockFileIgnoresRuntimeFolder()
{
    TInstanceGuard guard(m_name);
    QCOMPARE(guard.LockFilePath(), QDir(m_temp->path()).canonicalPath() +
                                       QStringLiteral("/%1-%2.lock").arg(m_name).arg(::geteuid()));
    QVERIFY(!QFileInfo::exists(guard.LockFilePath()));
    QVERIFY(guard.TryAcquire());
    QVERIFY(QFileInfo(guard.LockFilePath()).isFile());
}

void TestInstanceGuard::fallbackPath_data()
{
    QTest::addColumn<QString>("runtime");
    QTest::newRow("no runtime folder") << QString();
    QTest::newRow("runtime folder missing") << QStringLiteral("/nonexistent/run/user");
    QTest::newRow("runtime folder is a file") << QStringLiteral("FILE");
}

void TestInstanceGuard::fallbackPath()
{
    QFETCH(QString, runtime);
    if (runtime.isEmpty()) {
        qunsetenv("XDG_RUNTIME_DIR");
    } else {
        if (runtime == QLatin1String("FILE")) {
            runtime = m_runtime->filePath(QStringLiteral("plain"));
            QFile f(runtime);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }
    TInstanceGuard guard(m_name);
    const QString expected = QDir(m_temp->path()).canonicalPath() +
                             QStringLiteral("/%1-%2.lock").arg(m_name).arg(::geteuid());
    QCOMPARE(guard.LockFilePath(), expected);
    QVERIFY(guard.TryAcquire());
    QVERIFY(QFileInfo(expected).isFile());
    TInstanceGuard second(m_name);
    QVERIFY(!second.TryAcquire());
}

// flock() locks belong to the open file description, so even a second open
// in the same process contends.
void TestInstanceGuard::secondGuardInSameProcessFails()
{
    auto first = std::make_unique<TInstanceGuard>(m_name);
    QVERIFY(first->TryAcquire());
    TInstanceGuard second(m_name);
    QVERIFY(!second.TryAcquire());
    QVERIFY(!second.TryAcquire());
    first.reset();
    QVERIFY(second.TryAcquire());
    TInstanceGuard third(m_name);
    QVERIFY(!third.TryAcquire());
}

void TestInstanceGuard::namesAreIndependent()
{
    TInstanceGuard a(m_name + QStringLiteral("A"));
    TInstanceGuard b(m_name + QStringLiteral("B"));
    QVERIFY(a.TryAcquire());
    QVERIFY(b.TryAcquire());
}

void TestInstanceGuard::acquireTwiceOnSameGuard()
{
    TInstanceGuard guard(m_name);
    QVERIFY(guard.TryAcquire());
    QVERIFY(guard.TryAcquire());
    TInstanceGuard other(m_name);
    QVERIFY(!other.TryAcquire());
}

// With no lock file possible the program still runs, unprotected.
void TestInstanceGuard::lockFileUnusableRunsUnprotected()
{
    TInstanceGuard first(m_name);
    QVERIFY(QDir().mkpath(first.LockFilePath()));
    QVERIFY(first.TryAcquire());
    TInstanceGuard second(m_name);
    QVERIFY(second.TryAcquire());
}

void TestInstanceGuard::otherProcessHoldsLock()
{
    auto holder = StartHolder(m_name);
    QVERIFY(holder);
    QVERIFY(holder->waitForReadyRead(10000));
    QCOMPARE(holder->readLine().trimmed(), QByteArray("held"));

    TInstanceGuard guard(m_name);
    QVERIFY(!guard.TryAcquire());

    // A second process is refused as well, and says so.
    auto late = StartHolder(m_name);
    QVERIFY(late);
    QVERIFY(late->waitForFinished(10000));
    QCOMPARE(late->exitCode(), 2);
    QCOMPARE(late->readAllStandardOutput().trimmed(), QByteArray("busy"));

    // A holder that ends normally releases it.
    holder->closeWriteChannel();
    QVERIFY(holder->waitForFinished(10000));
    QCOMPARE(holder->exitStatus(), QProcess::NormalExit);
    QCOMPARE(holder->exitCode(), 0);
    QVERIFY(guard.TryAcquire());
}

void TestInstanceGuard::killedHolderReleasesLock()
{
    auto holder = StartHolder(m_name);
    QVERIFY(holder);
    QVERIFY(holder->waitForReadyRead(10000));
    QCOMPARE(holder->readLine().trimmed(), QByteArray("held"));

    TInstanceGuard guard(m_name);
    QVERIFY(!guard.TryAcquire());
    holder->kill(); // SIGKILL: no chance to clean up
    QVERIFY(holder->waitForFinished(10000));
    QCOMPARE(holder->exitStatus(), QProcess::CrashExit);
    QVERIFY(guard.TryAcquire());
}

// A process started while the lock is held (a browser opening the help) must
// not keep it after the holder lets go.
void TestInstanceGuard::childProcessesDoNotInheritLock()
{
    auto guard = std::make_unique<TInstanceGuard>(m_name);
    QVERIFY(guard->TryAcquire());
    auto child = StartHolder(m_name + QStringLiteral("Other"));
    QVERIFY(child);
    QVERIFY(child->waitForReadyRead(10000));
    QCOMPARE(child->readLine().trimmed(), QByteArray("held"));
    guard.reset();

    TInstanceGuard next(m_name);
    QVERIFY(next.TryAcquire());
    child->closeWriteChannel();
    QVERIFY(child->waitForFinished(10000));
}

void TestInstanceGuard::neverWaitsAndExcludesAcrossSessions_data()
{
    QTest::addColumn<QString>("planted");    // what stands at the lock path first
    QTest::addColumn<bool>("holderRuntime"); // XDG_RUNTIME_DIR set for the other copy
    QTest::addColumn<bool>("ownRuntime");    // and for this one
    QTest::addColumn<bool>("excluded");
    QTest::newRow("FIFO at the lock path") << "fifo" << true << true << false;
    QTest::newRow("runtime folder for the other copy only") << "" << true << false << true;
    QTest::newRow("runtime folder for this copy only") << "" << false << true << true;
}

// A FIFO planted at the lock path lets both copies start at once (they run
// unprotected); two copies of the user exclude each other whatever their
// sessions' runtime folders.
void TestInstanceGuard::neverWaitsAndExcludesAcrossSessions()
{
    QFETCH(QString, planted);
    QFETCH(bool, holderRuntime);
    QFETCH(bool, ownRuntime);
    QFETCH(bool, excluded);
    const int wait = 5000 * VANTU_TIME_SCALE;
    const QString path = TInstanceGuard(m_name).LockFilePath();
    if (planted == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);

    QProcess holder;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!holderRuntime)
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    holder.setProcessEnvironment(env);
    holder.start(QStringLiteral(GUARD_HOLDER), {m_name});
    QVERIFY(holder.waitForStarted(wait));
    const bool answered = holder.waitForReadyRead(wait);
    if (!answered)
        holder.kill();
    QVERIFY2(answered, "the other copy hangs");
    QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));

    if (!ownRuntime)
        qunsetenv("XDG_RUNTIME_DIR");
    QElapsedTimer timer;
    timer.start();
    TInstanceGuard guard(m_name);
    QCOMPARE(guard.TryAcquire(), !excluded);
    QVERIFY(timer.elapsed() < wait);

    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished(wait));
}

QTEST_GUILESS_MAIN(TestInstanceGuard)
#include "tst_InstanceGuard.moc"
