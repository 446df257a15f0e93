// Crash safety of the three files the program saves: a child process saving
// one of them in a loop is killed with SIGKILL at random moments; afterwards
// the file must be one complete content or the other, and the program must
// start on it as if nothing had happened.
#include "CrashContents.h"
#include "TestSupport.h"
#include "mainwindow/IniFile.h"
#include "mainwindow/Vantu.h"
#include "table/TextFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

namespace
{

// 200 kills per kind; the sanitizer build, whose every start is many times
// slower, runs fewer (it is there for memory errors, the plain build for the
// 200 kills).
const int KillsPerKind = VANTU_SANITIZED ? 20 : 200;
const TCrashKind AllKinds[] = {TCrashKind::Localities, TCrashKind::Settings, TCrashKind::Table};

// Runs the writer to completion; empty on success, else what went wrong.
QString RunWriterOnce(TCrashKind kind, const QString &folder, const char *version)
{
    QProcess p;
    p.start(QStringLiteral(VANTU_CRASH_WRITER),
            {CrashKindName(kind), folder, QString::fromLatin1(version)});
    if (!p.waitForFinished(60000))
        return QStringLiteral("writer did not finish: ") + p.errorString();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("writer failed: ") + QString::fromLocal8Bit(p.readAllStandardError());
    return QString();
}

// Files in the folder that are none of the three saved files: temporary files
// of saves that were killed before they were renamed into place.
QStringList Leftovers(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (TCrashKind k : AllKinds)
        names.removeAll(CrashFileName(k));
    return names;
}

int LeftoversOf(const QStringList &leftovers, TCrashKind kind)
{
    const QString prefix = CrashFileName(kind) + u'.';
    return int(std::count_if(leftovers.begin(), leftovers.end(),
                             [&](const QString &n) { return n.startsWith(prefix); }));
}

// Where two byte strings first differ, for a readable failure.
qsizetype FirstDifference(const QByteArray &a, const QByteArray &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i)
        if (a[i] != b[i])
            return i;
    return n;
}

QString Described(const QByteArray &bytes, const QByteArray (&refs)[2])
{
    return QStringLiteral("%1 bytes on disk; A has %2 bytes and differs at %3, B has %4 bytes "
                          "and differs at %5")
        .arg(bytes.size())
        .arg(refs[0].size())
        .arg(FirstDifference(bytes, refs[0]))
        .arg(refs[1].size())
        .arg(FirstDifference(bytes, refs[1]));
}

bool ByKey(const TLocality &a, const TLocality &b)
{
    return SortKey(a) < SortKey(b);
}

} // namespace

class TestCrashSafety : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void killedWhileSaving_data();
    void killedWhileSaving();

private:
    int VersionOnDisk(TCrashKind kind) const;
    void CheckProgramStarts();
    void CheckTableDecodes();

    std::unique_ptr<TVantuFixture> FFixture;
    quint32 FSeed = 0;
    QByteArray FRefs[3][2]; // per kind: the complete contents A and B as saved
};

void TestCrashSafety::initTestCase()
{
    bool given = false;
    FSeed = qEnvironmentVariable("VANTU_CRASH_SEED").toUInt(&given);
    if (!given)
        FSeed = QRandomGenerator::system()->generate();
    qInfo("kill moments from seed %u (set VANTU_CRASH_SEED=%u to repeat them)", FSeed, FSeed);

    QVERIFY(QFile::exists(QStringLiteral(VANTU_CRASH_WRITER)));
    // No locality file: the writer makes every file itself.
    FFixture = std::make_unique<TVantuFixture>(QByteArray(), QDate(2026, 3, 20));
    QVERIFY(FFixture->Ready());

    // The reference contents are what a save that is left alone writes:
    // B first, then A over it, so every file starts as A.
    for (TCrashKind kind : AllKinds) {
        const QString path = FFixture->File(CrashFileName(kind));
        for (int v : {1, 0}) {
            const QString failure = RunWriterOnce(kind, FFixture->Path(), v == 0 ? "A" : "B");
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
            FRefs[int(kind)][v] = ReadFile(path);
            QVERIFY(!FRefs[int(kind)][v].isEmpty());
        }
        QVERIFY(FRefs[int(kind)][0] != FRefs[int(kind)][1]);
        // Saves that end normally leave no temporary file behind.
        QCOMPARE(Leftovers(FFixture->Path()), QStringList());
    }
    // Where unnamed temporary files are not available, a killed save leaves a
    // named one, cut off anywhere: one of each lies beside its file from the
    // start, so every start below happens with such a file present.
    for (TCrashKind kind : AllKinds) {
        QFile left(FFixture->File(CrashFileName(kind) + QStringLiteral(".k1LL3d")));
        QVERIFY(left.open(QIODevice::WriteOnly));
        const QByteArray &b = FRefs[int(kind)][1];
        QCOMPARE(left.write(b.left(b.size() / 2)), b.size() / 2);
    }

    // The references hold what they should, so "equal to A or B" means
    // "complete".
    for (int v = 0; v < 2; ++v) {
        TLocalityList list;
        QCOMPARE(ParseLocalities(FRefs[int(TCrashKind::Localities)][v], list), TLoadStatus::Loaded);
        QCOMPARE(list, CrashLocalities(v));

        const QString ini = FFixture->File(QStringLiteral("reference.ini"));
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(FRefs[int(TCrashKind::Settings)][v]);
        f.close();
        const TIniFile settings(ini);
        for (const TCrashSetting &s : CrashSettings(v))
            QCOMPARE(settings.ReadInteger(s.Section, s.Key, 12345), s.Value);
        QVERIFY(QFile::remove(ini));

        QCOMPARE(FRefs[int(TCrashKind::Table)][v], EncodeTableText(CrashTableText(v)));
    }
    // A save of a few hundred KB takes a measurable time, so kills land
    // inside saves, not only between them.
    QVERIFY(FRefs[int(TCrashKind::Localities)][1].size() > 200000);
    QVERIFY(FRefs[int(TCrashKind::Settings)][1].size() > 200000);
    QVERIFY(FRefs[int(TCrashKind::Table)][1].size() > 200000);
}

void TestCrashSafety::cleanupTestCase()
{
    FFixture.reset();
}

int TestCrashSafety::VersionOnDisk(TCrashKind kind) const
{
    const QByteArray bytes = ReadFile(FFixture->File(CrashFileName(kind)));
    for (int v = 0; v < 2; ++v)
        if (bytes == FRefs[int(kind)][v])
            return v;
    return -1;
}

void TestCrashSafety::killedWhileSaving_data()
{
    QTest::addColumn<TCrashKind>("kind");
    for (TCrashKind kind : AllKinds)
        QTest::newRow(qPrintable(CrashKindName(kind))) << kind;
}

void TestCrashSafety::killedWhileSaving()
{
    QFETCH(TCrashKind, kind);
    const QString path = FFixture->File(CrashFileName(kind));
    const QByteArray(&refs)[2] = FRefs[int(kind)];
    std::mt19937 rng(FSeed + quint32(kind));
    // After "ready" the writer saves A, then B, then A again... Kill moments
    // spread over twice the duration of its first save of B (as it measured
    // it): through the save of A, the next save of B, and the gaps between.
    std::uniform_real_distribution<double> moment(0.0, 2.0);

    int found[2] = {0, 0};
    const int leftoversBefore = LeftoversOf(Leftovers(FFixture->Path()), kind);
    int leftovers = leftoversBefore;
    QElapsedTimer clock;
    clock.start();
    for (int kill = 1; kill <= KillsPerKind; ++kill) {
        const double fraction = moment(rng);
        const QString where = QStringLiteral("%1, kill %2 of %3, seed %4: ")
                                  .arg(CrashKindName(kind))
                                  .arg(kill)
                                  .arg(KillsPerKind)
                                  .arg(FSeed);

        QProcess writer;
        writer.start(QStringLiteral(VANTU_CRASH_WRITER), {CrashKindName(kind), FFixture->Path()});
        QByteArray out;
        while (!out.contains('\n')) {
            // A writer that cannot start on the file a kill left is a failure too.
            QVERIFY2(writer.waitForReadyRead(30000),
                     qPrintable(where + QStringLiteral("the writer ended before its first save: ") +
                                QString::fromLocal8Bit(writer.readAllStandardError())));
            out += writer.readAllStandardOutput();
        }
        const QList<QByteArray> words = out.trimmed().split(' ');
        QVERIFY2(words.size() == 2 && words[0] == "ready", out.constData());
        const qint64 saveMicroseconds = words[1].toLongLong();
        const auto delay = std::chrono::microseconds(qint64(fraction * saveMicroseconds));
        std::this_thread::sleep_for(delay);

        writer.kill();
        QVERIFY(writer.waitForFinished(30000));
        QVERIFY2(writer.exitStatus() == QProcess::CrashExit,
                 qPrintable(where + QStringLiteral("the writer ended by itself: ") +
                            QString::fromLocal8Bit(writer.readAllStandardError())));

        const QByteArray bytes = ReadFile(path);
        const int v = bytes == refs[0] ? 0 : bytes == refs[1] ? 1 : -1;
        QVERIFY2(v >= 0,
                 qPrintable(where +
                            QStringLiteral("killed %1 µs after ready: ").arg(delay.count()) +
                            Described(bytes, refs)));
        ++found[v];

        // A kill inside a save may leave that save's temporary file, never more.
        const QStringList names = Leftovers(FFixture->Path());
        const int now = LeftoversOf(names, kind);
        QVERIFY2(now - leftovers <= 1, qPrintable(where + names.join(u' ')));
        leftovers = now;
        for (const QString &name : names) {
            bool known = false;
            for (TCrashKind k : AllKinds)
                known = known || name.startsWith(CrashFileName(k) + u'.');
            QVERIFY2(known, qPrintable(where + QStringLiteral("unexpected file ") + name));
        }
    }
    qInfo("%s: %d kills in %lld ms left A %d times and B %d times, and %d temporary files",
          qPrintable(CrashKindName(kind)), KillsPerKind, clock.elapsed(), found[0], found[1],
          leftovers - leftoversBefore);

    if (kind == TCrashKind::Table)
        CheckTableDecodes();
    else
        CheckProgramStarts();
}

// The main window starts on the files the kills left, with their temporary
// files beside them: no message, the records and settings of a complete save.
void TestCrashSafety::CheckProgramStarts()
{
    const int localities = VersionOnDisk(TCrashKind::Localities);
    const int settings = VersionOnDisk(TCrashKind::Settings);
    QVERIFY(localities >= 0);
    QVERIFY(settings >= 0);

    TBoxAnswerer answerer({QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok});
    TfrmVantu w;
    QTest::qWait(50);
    QCOMPARE(answerer.Seen().size(), 0);
    QVERIFY(!w.DatabaseDamaged());

    TLocalityList shown = w.Localities();
    TLocalityList expected = CrashLocalities(localities);
    QCOMPARE(shown.size(), expected.size());
    std::sort(shown.begin(), shown.end(), ByKey);
    std::sort(expected.begin(), expected.end(), ByKey);
    QVERIFY(shown == expected);

    const TCrashWindowSettings s = CrashWindowSettings(settings);
    QCOMPARE(w.pos(), QPoint(s.Left, s.Top));
    QCOMPARE(w.LanguageIndex(), s.Language);
    QCOMPARE(TimeFormatIndex(w.TimeFormat()), s.TimeFormat);
    // Starting wrote nothing and moved nothing aside.
    QCOMPARE(VersionOnDisk(TCrashKind::Localities), localities);
    QCOMPARE(VersionOnDisk(TCrashKind::Settings), settings);
}

void TestCrashSafety::CheckTableDecodes()
{
    const QByteArray bytes = ReadFile(FFixture->File(CrashFileName(TCrashKind::Table)));
    const QByteArray bom("\xEF\xBB\xBF");
    QString text;
    if (bytes.startsWith(bom)) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        text = utf8.decode(bytes.mid(bom.size()));
        QVERIFY(!utf8.hasError());
    } else {
        QStringDecoder cp1250("windows-1250");
        QVERIFY(cp1250.isValid());
        text = cp1250.decode(bytes);
        QVERIFY(!cp1250.hasError());
    }
    QVERIFY2(
        text == WithCrLf(CrashTableText(0)) || text == WithCrLf(CrashTableText(1)),
        qPrintable(QStringLiteral("the table file decodes to %1 characters").arg(text.size())));
}

QTEST_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
