// The portable package: cpack's archive, unpacked into a folder of its own with
// the build tree out of reach, holds everything the program needs and starts
// through its launcher from that folder.
#include "FileSupport.h"
#include "PackageSupport.h"
#include "localities/LocalityFile.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QtTest>

#include <memory>

namespace
{

const QString PackageName = QStringLiteral("Vantu-" VANTU_VERSION "-Linux");

// Nothing of the user's or the build's environment: no LD_LIBRARY_PATH, no
// QT_PLUGIN_PATH, only the system's programs.
QProcessEnvironment CleanEnvironment(const QString &home)
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    return env;
}

bool IsInside(const QString &path, const QString &folder)
{
    const QString p = QFileInfo(path).absoluteFilePath();
    const QString f = QFileInfo(folder).canonicalFilePath();
    return !f.isEmpty() && (p == f || p.startsWith(f + QLatin1Char('/')));
}

QString Canonical(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

// Relative paths of all files below folder, sorted.
QStringList FilesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

// Key/value pairs of the [Desktop Entry] group; fails on a line that is
// neither a comment, a group header nor key=value.
bool ReadDesktopEntry(const QString &path, QMap<QString, QString> &entry, QString &error)
{
    const QByteArray bytes = ReadFile(path);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (bytes.isEmpty() || utf8.hasError()) {
        error = QStringLiteral("missing, empty or not UTF-8");
        return false;
    }
    QString group;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            group = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            error = QStringLiteral("bad line: ") + line;
            return false;
        }
        if (group == QLatin1String("Desktop Entry"))
            entry.insert(line.left(eq), line.mid(eq + 1));
    }
    return true;
}

// The single program path an Exec value names, undoing the value's string
// escapes, the field-code %% and the argument's double quotes; empty when the
// value is not one quoted argument.
QString ExecProgram(const QString &value)
{
    QString unescaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        QChar c = value.at(i);
        if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar n = value.at(++i);
            c = n == QLatin1Char('s')   ? QChar(QLatin1Char(' '))
                : n == QLatin1Char('n') ? QChar(QLatin1Char('\n'))
                : n == QLatin1Char('t') ? QChar(QLatin1Char('\t'))
                : n == QLatin1Char('r') ? QChar(QLatin1Char('\r'))
                                        : n;
        }
        unescaped += c;
    }
    // "%%" is a literal percent sign; any other "%x" is a field code the menu would replace.
    QString literal;
    for (qsizetype i = 0; i < unescaped.size(); ++i) {
        if (unescaped.at(i) == QLatin1Char('%')) {
            if (i + 1 >= unescaped.size() || unescaped.at(i + 1) != QLatin1Char('%'))
                return QString();
            ++i;
        }
        literal += unescaped.at(i);
    }
    unescaped = literal;
    if (unescaped.size() < 2 || !unescaped.startsWith(QLatin1Char('"')) ||
        !unescaped.endsWith(QLatin1Char('"')))
        return QString();
    const QString inner = unescaped.mid(1, unescaped.size() - 2);
    QString arg;
    for (qsizetype i = 0; i < inner.size(); ++i) {
        const QChar c = inner.at(i);
        if (c == QLatin1Char('\\') && i + 1 < inner.size() &&
            QStringLiteral("\"`$\\").contains(inner.at(i + 1))) {
            arg += inner.at(++i);
            continue;
        }
        if (QStringLiteral("\"`$\\").contains(c))
            return QString(); // must have been escaped inside the quotes
        arg += c;
    }
    return arg;
}

// Paths of the files the process has mapped: the program, its libraries, plugins.
QStringList MappedFiles(qint64 pid)
{
    QStringList files;
    const QByteArray maps = ReadFile(QStringLiteral("/proc/%1/maps").arg(pid));
    for (const QByteArray &line : maps.split('\n')) {
        const qsizetype slash = line.indexOf('/');
        if (slash >= 0)
            files << QFile::decodeName(line.mid(slash));
    }
    files.removeDuplicates();
    return files;
}

// The launcher replaces itself with the program, which has set up its window
// system once the platform plugin is loaded. False as soon as the process ends.
bool WaitForWindowSystem(QProcess &process, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (process.state() != QProcess::Running)
            return false;
        if (!MappedFiles(process.processId())
                 .filter(QStringLiteral("/platforms/libqoffscreen.so"))
                 .isEmpty())
            return true;
        if (process.waitForFinished(50))
            return false;
    }
    return false;
}

} // namespace

class TestPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void oneTopFolder();
    void topLevelEntries();
    void fileModes_data();
    void fileModes();
    void sameFilesAsSource_data();
    void sameFilesAsSource();
    void runtimeFilesPresent_data();
    void runtimeFilesPresent();
    void testDataLeftOut();
    void icon();
    void desktopEntry_data();
    void desktopEntry();
    void desktopEntryCommentsTranslated();
    void desktopEntryValidates();
    void menuEntryInstaller();
    void librariesFromSystemOnly();
    void startsFromItsOwnFolder_data();
    void startsFromItsOwnFolder();

private:
    QString InFolder(const QString &name) const { return FFolder + QLatin1Char('/') + name; }

    std::unique_ptr<QTemporaryDir> FUnpack;
    QString FFolder;
};

void TestPackage::initTestCase()
{
    QTemporaryDir output;
    // A blank, "$" and "%" in the folder name try the quoting in the launcher
    // and in the menu entry.
    FUnpack = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                              QStringLiteral("/Vantu unpack $HOME %f-XXXXXX"));
    QVERIFY(output.isValid());
    QVERIFY(FUnpack->isValid());
    for (const char *tree : {VANTU_BUILD_DIR, VANTU_SOURCE_DIR}) {
        QVERIFY2(!IsInside(FUnpack->path(), QString::fromUtf8(tree)),
                 "the temporary folder lies inside the build or source tree");
    }

    const TRun cpack =
        Run(QStringLiteral(VANTU_CPACK_COMMAND),
            {QStringLiteral("-G"), QStringLiteral("TGZ"), QStringLiteral("--config"),
             QStringLiteral(VANTU_CPACK_CONFIG), QStringLiteral("-B"), output.path()},
            QProcessEnvironment::systemEnvironment(), QString(), 120000);
    QVERIFY2(cpack.Finished && cpack.ExitCode == 0, qPrintable(cpack.Output));
    const QString archive = output.filePath(PackageName + QStringLiteral(".tar.gz"));
    QVERIFY2(QFileInfo(archive).isFile(), qPrintable(cpack.Output));

    const TRun tar = Run(QStringLiteral("tar"),
                         {QStringLiteral("-xzf"), archive, QStringLiteral("-C"), FUnpack->path()});
    QVERIFY2(tar.Finished && tar.ExitCode == 0, qPrintable(tar.Output));
    // cpack's staging copy goes with `output` here: only the unpacked folder is left.
    FFolder = Canonical(FUnpack->filePath(PackageName));
    QVERIFY2(!FFolder.isEmpty(), "the archive holds no folder named after the package");
}

void TestPackage::cleanup()
{
    // The start test leaves a database and possibly settings behind.
    QFile::remove(InFolder(QStringLiteral("lokality.xml")));
    QFile::remove(InFolder(QStringLiteral("vantu.ini")));
}

void TestPackage::oneTopFolder()
{
    const QStringList top =
        QDir(FUnpack->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    QCOMPARE(top, QStringList{PackageName});
    QVERIFY(QFileInfo(InFolder(QString())).isDir());
}

void TestPackage::topLevelEntries()
{
    QStringList entries = QDir(FFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                  QDir::Hidden | QDir::System);
    entries.sort();
    // No lokality.xml or vantu.ini: a user's own files must not be replaced by an update.
    const QStringList expected{QStringLiteral("LICENSE"),
                               QStringLiteral("README.txt"),
                               QStringLiteral("grafika"),
                               QStringLiteral("help"),
                               QStringLiteral("install-desktop-entry.sh"),
                               QStringLiteral("libvantu_geonames.so"),
                               QStringLiteral("vantu"),
                               QStringLiteral("vantu-cli"),
                               QStringLiteral("vantu-cli.1"),
                               QStringLiteral("vantu.desktop"),
                               QStringLiteral("vantu.png"),
                               QStringLiteral("vantu.sh")};
    QCOMPARE(entries, expected);
}

void TestPackage::fileModes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("executable");
    QTest::newRow("program") << QStringLiteral("vantu") << true;
    QTest::newRow("launcher") << QStringLiteral("vantu.sh") << true;
    QTest::newRow("menu installer") << QStringLiteral("install-desktop-entry.sh") << true;
    QTest::newRow("desktop entry") << QStringLiteral("vantu.desktop") << false;
    QTest::newRow("icon") << QStringLiteral("vantu.png") << false;
    QTest::newRow("readme") << QStringLiteral("README.txt") << false;
}

void TestPackage::fileModes()
{
    QFETCH(QString, name);
    QFETCH(bool, executable);
    const QFileInfo info(InFolder(name));
    QVERIFY(info.isFile());
    QVERIFY(!info.isSymLink());
    QVERIFY(info.size() > 0);
    QVERIFY(info.isReadable());
    QCOMPARE(info.isExecutable(), executable);
}

void TestPackage::sameFilesAsSource_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("pictures") << QStringLiteral("grafika");
    QTest::newRow("help pages") << QStringLiteral("help");
}

void TestPackage::sameFilesAsSource()
{
    QFETCH(QString, folder);
    const QString source = QStringLiteral(VANTU_SOURCE_DIR "/") + folder;
    QStringList expected = FilesBelow(source);
    expected.removeAll(QStringLiteral("moon_pictures.csv"));
    const QStringList shipped = FilesBelow(InFolder(folder));
    QCOMPARE(shipped, expected);
    for (const QString &file : shipped) {
        QVERIFY2(ReadFile(InFolder(folder + QLatin1Char('/') + file)) ==
                     ReadFile(source + QLatin1Char('/') + file),
                 qPrintable(file));
    }
}

void TestPackage::runtimeFilesPresent_data()
{
    // The files the program opens by name.
    QTest::addColumn<QString>("file");
    for (int i = 1; i <= 29; ++i) {
        const QString name = QStringLiteral("grafika/%1.gif").arg(i, 2, 10, QLatin1Char('0'));
        QTest::newRow(qPrintable(name)) << name;
    }
    for (const char *name : {"grafika/svet.gif", "grafika/slovensko.gif", "help/vantu.htm",
                             "help/vantu_en.htm", "help/vantu_hu.htm"}) {
        QTest::newRow(name) << QString::fromLatin1(name);
    }
}

void TestPackage::runtimeFilesPresent()
{
    QFETCH(QString, file);
    const QFileInfo info(InFolder(file));
    QVERIFY2(info.isFile(), qPrintable(file + QStringLiteral(" is not in the package")));
    QVERIFY(info.size() > 0);
}

void TestPackage::testDataLeftOut()
{
    QVERIFY(QFileInfo::exists(QStringLiteral(VANTU_SOURCE_DIR "/grafika/moon_pictures.csv")));
    QVERIFY(!QFileInfo::exists(InFolder(QStringLiteral("grafika/moon_pictures.csv"))));
}

void TestPackage::icon()
{
    const QImage image(InFolder(QStringLiteral("vantu.png")), "PNG");
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(256, 256));
    QCOMPARE(ReadFile(InFolder(QStringLiteral("vantu.png"))),
             ReadFile(QStringLiteral(VANTU_SOURCE_DIR "/app/icons/vantu.png")));
}

void TestPackage::desktopEntry_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("Type") << QStringLiteral("Type") << QStringLiteral("Application");
    QTest::newRow("Name") << QStringLiteral("Name") << QStringLiteral("Vantu");
    QTest::newRow("Name[sk]") << QStringLiteral("Name[sk]") << QStringLiteral("Vantu");
    QTest::newRow("Name[hu]") << QStringLiteral("Name[hu]") << QStringLiteral("Vantu");
    QTest::newRow("Exec") << QStringLiteral("Exec") << QStringLiteral("vantu.sh");
    QTest::newRow("Icon") << QStringLiteral("Icon") << QStringLiteral("vantu");
    QTest::newRow("Terminal") << QStringLiteral("Terminal") << QStringLiteral("false");
    QTest::newRow("Categories") << QStringLiteral("Categories")
                                << QStringLiteral("Education;Science;Astronomy;");
}

void TestPackage::desktopEntry()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QMap<QString, QString> entry;
    QString error;
    QVERIFY2(ReadDesktopEntry(InFolder(QStringLiteral("vantu.desktop")), entry, error),
             qPrintable(error));
    QVERIFY2(entry.contains(key), qPrintable(key));
    QCOMPARE(entry.value(key), value);
}

void TestPackage::desktopEntryCommentsTranslated()
{
    QMap<QString, QString> entry;
    QString error;
    QVERIFY2(ReadDesktopEntry(InFolder(QStringLiteral("vantu.desktop")), entry, error),
             qPrintable(error));
    const QString en = entry.value(QStringLiteral("Comment"));
    const QString sk = entry.value(QStringLiteral("Comment[sk]"));
    const QString hu = entry.value(QStringLiteral("Comment[hu]"));
    QVERIFY(!en.trimmed().isEmpty());
    QVERIFY(!sk.trimmed().isEmpty());
    QVERIFY(!hu.trimmed().isEmpty());
    QVERIFY(en != sk && en != hu && sk != hu);
}

void TestPackage::desktopEntryValidates()
{
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed (Debian package desktop-file-utils)");
    const TRun r = Run(validator, {InFolder(QStringLiteral("vantu.desktop"))});
    QVERIFY2(r.Finished && r.ExitCode == 0, qPrintable(r.Output));
    QVERIFY2(!r.Output.contains(QStringLiteral("error:")), qPrintable(r.Output));
}

void TestPackage::menuEntryInstaller()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const TRun r = Run(InFolder(QStringLiteral("install-desktop-entry.sh")), {},
                       CleanEnvironment(home.path()), home.path());
    QVERIFY2(r.Finished && r.ExitCode == 0, qPrintable(r.Output));

    const QString installed =
        home.filePath(QStringLiteral(".local/share/applications/vantu.desktop"));
    QMap<QString, QString> shipped, entry;
    QString error;
    QVERIFY2(ReadDesktopEntry(InFolder(QStringLiteral("vantu.desktop")), shipped, error),
             qPrintable(error));
    QVERIFY2(ReadDesktopEntry(installed, entry, error), qPrintable(error));
    // Exec names this folder's launcher, whatever the folder is called; the rest is as shipped.
    QCOMPARE(ExecProgram(entry.value(QStringLiteral("Exec"))),
             InFolder(QStringLiteral("vantu.sh")));
    entry.remove(QStringLiteral("Exec"));
    shipped.remove(QStringLiteral("Exec"));
    QCOMPARE(entry, shipped);

    QCOMPARE(ReadFile(home.filePath(
                 QStringLiteral(".local/share/icons/hicolor/256x256/apps/vantu.png"))),
             ReadFile(InFolder(QStringLiteral("vantu.png"))));
    // No temporary files left beside them.
    QCOMPARE(QDir(home.filePath(QStringLiteral(".local/share/applications")))
                 .entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("vantu.desktop")});

    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validator.isEmpty()) {
        const TRun v = Run(validator, {installed});
        QVERIFY2(v.Finished && v.ExitCode == 0, qPrintable(v.Output));
    }
}

void TestPackage::librariesFromSystemOnly()
{
    const QString ldd = QStandardPaths::findExecutable(QStringLiteral("ldd"));
    QVERIFY(!ldd.isEmpty());
    QTemporaryDir home;
    const TRun r = Run(ldd, {InFolder(QStringLiteral("vantu"))}, CleanEnvironment(home.path()));
    QVERIFY2(r.Finished && r.ExitCode == 0, qPrintable(r.Output));
    QVERIFY2(!r.Output.contains(QStringLiteral("not found")), qPrintable(r.Output));
    QVERIFY2(r.Output.contains(QStringLiteral("libQt6Widgets.so.6")), qPrintable(r.Output));
    QVERIFY2(!r.Output.contains(QStringLiteral(VANTU_BUILD_DIR)), qPrintable(r.Output));
    QVERIFY2(!r.Output.contains(QStringLiteral(VANTU_SOURCE_DIR)), qPrintable(r.Output));
}

void TestPackage::startsFromItsOwnFolder_data()
{
    QTest::addColumn<bool>("throughSymlink");
    QTest::newRow("launcher") << false;
    QTest::newRow("symlink to the launcher") << true;
}

void TestPackage::startsFromItsOwnFolder()
{
    QFETCH(bool, throughSymlink);

    // A valid database beside the program, so it starts without the
    // missing-file message, which nobody could answer here.
    QString error;
    const QByteArray database =
        TLocalityFile::Serialize(PredefinedLocalities(), QStringLiteral("SuborDat"), {}, &error);
    QVERIFY2(!database.isEmpty(), qPrintable(error));
    TLocalityList parsed;
    QCOMPARE(ParseLocalities(database, parsed), TLoadStatus::Loaded);
    QSaveFile file(InFolder(QStringLiteral("lokality.xml")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(database);
    QVERIFY(file.commit());

    // Fresh runtime folder: the single-instance lock does not meet another test's copy.
    QTemporaryDir runtime, home, elsewhere;
    QVERIFY(runtime.isValid() && home.isValid() && elsewhere.isValid());
    QProcessEnvironment env = CleanEnvironment(home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    QString launcher = InFolder(QStringLiteral("vantu.sh"));
    if (throughSymlink) {
        const QString link = elsewhere.filePath(QStringLiteral("vantu-start"));
        QVERIFY(QFile::link(launcher, link));
        launcher = link;
    }

    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.setWorkingDirectory(elsewhere.path());
    program.start(launcher, {});
    QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));
    const qint64 pid = program.processId();

    QVERIFY2(WaitForWindowSystem(program, 15000),
             qPrintable(QStringLiteral("the program did not come up: ") +
                        QString::fromLocal8Bit(program.readAll())));
    QCOMPARE(QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid)),
             InFolder(QStringLiteral("vantu")));
    QCOMPARE(QFile::symLinkTarget(QStringLiteral("/proc/%1/cwd").arg(pid)), FFolder);

    // Still running after a while: no crash and no early end.
    QVERIFY2(!program.waitForFinished(2000), qPrintable(QString::fromLocal8Bit(program.readAll())));
    QCOMPARE(program.state(), QProcess::Running);

    const QStringList mapped = MappedFiles(pid);
    QVERIFY(mapped.contains(InFolder(QStringLiteral("vantu"))));
    for (const QString &path : mapped) {
        QVERIFY2(!IsInside(path, QStringLiteral(VANTU_BUILD_DIR)) &&
                     !IsInside(path, QStringLiteral(VANTU_SOURCE_DIR)),
                 qPrintable(path + QStringLiteral(" is loaded from the build or source tree")));
    }
    // The database it found is still there, untouched.
    QCOMPARE(ReadFile(InFolder(QStringLiteral("lokality.xml"))), database);

    // No close sequence to wait for; vantu.ini is not the subject here.
    program.terminate();
    if (!program.waitForFinished(5000)) {
        program.kill();
        program.waitForFinished();
    }
}

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
