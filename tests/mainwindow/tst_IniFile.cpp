// The settings file: reading with defaults, writing without losing lines.
#include "mainwindow/IniFile.h"
#include "mainwindow/LightSettings.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

struct IniWrite {
    QString section;
    QString key;
    int value;
};
Q_DECLARE_METATYPE(QList<IniWrite>)

// Byte strings that may hold NUL bytes.
template <std::size_t N> QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void missingFileGivesDefaults();
    void readInteger_data();
    void readInteger();
    void lightBands_data();
    void lightBands();
    void write_data();
    void write();
    void readBackBeforeAndAfterUpdate();
    void newFileGetsUsualPermissions();
    void keepsChangesMadeSinceReading();
    void fileAtLimitIsRead();
    void hugeFileIsNeitherReadNorRewritten();
    void pipeDoesNotBlock();
    void directoryAtPathReportsError();
    void missingFolderReportsError();
    void failedWriteLeavesOldFile();
    void nothingWrittenWithoutChanges();

private:
    QString IniPath() const { return m_dir->filePath(QStringLiteral("vantu.ini")); }
    void WriteRaw(const QByteArray &content) const;
    QByteArray ReadRaw() const;

    QTemporaryDir *m_dir = nullptr;
};

void TestIniFile::init()
{
    m_dir = new QTemporaryDir();
    QVERIFY(m_dir->isValid());
}

void TestIniFile::cleanup()
{
    delete m_dir;
    m_dir = nullptr;
}

void TestIniFile::WriteRaw(const QByteArray &content) const
{
    QFile f(IniPath());
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(content), content.size());
}

QByteArray TestIniFile::ReadRaw() const
{
    QFile f(IniPath());
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

void TestIniFile::missingFileGivesDefaults()
{
    TIniFile ini(IniPath());
    QCOMPARE(ini.Path(), IniPath());
    QCOMPARE(ini.ReadInteger(QStringLiteral("Poloha"), QStringLiteral("vlavo"), 50), 50);
    QCOMPARE(ini.ReadInteger(QStringLiteral("Nastavenie"), QStringLiteral("formatcasu"), 1), 1);
    QVERIFY(!QFile::exists(IniPath()));
}

void TestIniFile::readInteger_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("expected");

    // Every row reads "Poloha"/"vlavo" with the default -7777.
    const int def = -7777;
    QTest::newRow("plain CR LF") << QByteArray("[Poloha]\r\nvlavo=120\r\nhore=80\r\n") << 120;
    QTest::newRow("LF only") << QByteArray("[Poloha]\nvlavo=121\n") << 121;
    QTest::newRow("no final line ending") << QByteArray("[Poloha]\nvlavo=122") << 122;
    QTest::newRow("upper case names") << QByteArray("[POLOHA]\r\nVLAVO=7\r\n") << 7;
    QTest::newRow("mixed case names") << QByteArray("[poLOha]\r\nVlAvO=8\r\n") << 8;
    QTest::newRow("blanks around names and value")
        << QByteArray("  [ Poloha ]  \r\n\t vlavo \t=  -15 \t\r\n") << -15;
    QTest::newRow("plus sign") << QByteArray("[Poloha]\nvlavo=+5\n") << 5;
    QTest::newRow("leading zeros") << QByteArray("[Poloha]\nvlavo=007\n") << 7;
    QTest::newRow("int max") << QByteArray("[Poloha]\nvlavo=2147483647\n") << 2147483647;
    QTest::newRow("int min") << QByteArray("[Poloha]\nvlavo=-2147483648\n") << int(-2147483647 - 1);
    QTest::newRow("above int max") << QByteArray("[Poloha]\nvlavo=2147483648\n") << def;
    QTest::newRow("below int min") << QByteArray("[Poloha]\nvlavo=-2147483649\n") << def;
    QTest::newRow("very long number")
        << QByteArray("[Poloha]\nvlavo=99999999999999999999999\n") << def;
    QTest::newRow("letters") << QByteArray("[Poloha]\nvlavo=abc\n") << def;
    QTest::newRow("trailing garbage") << QByteArray("[Poloha]\nvlavo=12abc\n") << def;
    QTest::newRow("trailing comment") << QByteArray("[Poloha]\nvlavo=12 ; left\n") << def;
    QTest::newRow("empty value") << QByteArray("[Poloha]\nvlavo=\n") << def;
    QTest::newRow("sign only") << QByteArray("[Poloha]\nvlavo=-\n") << def;
    QTest::newRow("blank after sign") << QByteArray("[Poloha]\nvlavo=- 5\n") << def;
    QTest::newRow("decimal fraction") << QByteArray("[Poloha]\nvlavo=1.5\n") << def;
    QTest::newRow("hexadecimal") << QByteArray("[Poloha]\nvlavo=0x10\n") << def;
    QTest::newRow("two numbers") << QByteArray("[Poloha]\nvlavo=1 2\n") << def;
    QTest::newRow("key without equals sign") << QByteArray("[Poloha]\nvlavo\n") << def;
    QTest::newRow("key in other section") << QByteArray("[Nastavenie]\nvlavo=5\n") << def;
    QTest::newRow("key before any section") << QByteArray("vlavo=5\n[Poloha]\nhore=1\n") << def;
    QTest::newRow("key after section ends")
        << QByteArray("[Poloha]\nhore=1\n[Ine]\nvlavo=5\n") << def;
    QTest::newRow("semicolon comment") << QByteArray("[Poloha]\n;vlavo=5\n") << def;
    QTest::newRow("hash comment") << QByteArray("[Poloha]\n# vlavo=5\n") << def;
    QTest::newRow("commented section") << QByteArray(";[Poloha]\nvlavo=5\n") << def;
    QTest::newRow("first of two keys") << QByteArray("[Poloha]\nvlavo=1\nvlavo=2\n") << 1;
    QTest::newRow("text after bracket") << QByteArray("[Poloha] ; window\nvlavo=9\n") << 9;
    QTest::newRow("similar names")
        << QByteArray("[Poloha2]\nvlavo=1\n[Poloha]\nvlavo2=3\nvlavo=4\n") << 4;
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[Poloha]\r\nvlavo=33\r\n") << 33;
    QTest::newRow("windows-1250 comment")
        << QByteArray("; poloha okna \xe8\x9d\r\n[Poloha]\r\nvlavo=34\r\n") << 34;
    QTest::newRow("NUL in value") << Bytes("[Poloha]\nvlavo=5\0"
                                           "7\n")
                                  << def;
    QTest::newRow("binary line before")
        << Bytes("\x00\x01\xff\xfe\x00\n[Poloha]\nvlavo=35\n") << 35;
    QTest::newRow("only binary") << Bytes("\x00\x00\x00\x00\xff\x01") << def;
    QTest::newRow("empty file") << QByteArray() << def;
    QTest::newRow("only blanks") << QByteArray("\r\n \r\n\t\r\n") << def;
}

void TestIniFile::lightBands_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("bands"); // blue from, golden from, golden to
    const QByteArray window("[Poloha]\r\nvlavo=50\r\nhore=50\r\n");
    QTest::newRow("no section") << window << "-6 -4 6";
    QTest::newRow("all three") << window +
                                      "[Svetlo]\r\nmodra_od=-8\r\nzlata_od=0\r\nzlata_do=10\r\n"
                               << "-8 0 10";
    QTest::newRow("one, with a fraction")
        << QByteArray("[Svetlo]\nzlata_do=10.5\n") << "-6 -4 10.5";
    QTest::newRow("decimal comma") << QByteArray("[Svetlo]\nzlata_do=10,5\n") << "-6 -4 6";
    QTest::newRow("out of order") << QByteArray("[Svetlo]\nzlata_od=7\n") << "-6 -4 6";
    QTest::newRow("beyond 89") << QByteArray("[Svetlo]\nzlata_do=90\n") << "-6 -4 6";
    QTest::newRow("in another section") << QByteArray("[Nastavenie]\nzlata_do=8\n") << "-6 -4 6";
}

void TestIniFile::lightBands()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, bands);
    WriteRaw(content);
    const TLightBands b = ReadLightBands(TIniFile(IniPath()));
    QCOMPARE(QStringLiteral("%1 %2 %3").arg(b.BlueFrom).arg(b.GoldenFrom).arg(b.GoldenTo), bands);
}

void TestIniFile::readInteger()
{
    QFETCH(QByteArray, content);
    QFETCH(int, expected);
    WriteRaw(content);
    TIniFile ini(IniPath());
    QCOMPARE(ini.ReadInteger(QStringLiteral("Poloha"), QStringLiteral("vlavo"), -7777), expected);
}

void TestIniFile::write_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QList<IniWrite>>("writes");
    QTest::addColumn<QByteArray>("after");

    const QString poloha = QStringLiteral("Poloha");
    const QString nastavenie = QStringLiteral("Nastavenie");
    const QList<IniWrite> closeWrites = {{poloha, QStringLiteral("vlavo"), 10},
                                         {poloha, QStringLiteral("hore"), 20},
                                         {nastavenie, QStringLiteral("jazyk"), 1},
                                         {nastavenie, QStringLiteral("formatcasu"), 3}};

    QTest::newRow("new file") << false << QByteArray() << closeWrites
                              << QByteArray("[Poloha]\r\nvlavo=10\r\nhore=20\r\n"
                                            "[Nastavenie]\r\njazyk=1\r\nformatcasu=3\r\n");
    QTest::newRow("empty file") << true << QByteArray() << closeWrites
                                << QByteArray("[Poloha]\r\nvlavo=10\r\nhore=20\r\n"
                                              "[Nastavenie]\r\njazyk=1\r\nformatcasu=3\r\n");
    QTest::newRow("replace in place, keep the rest")
        << true
        << QByteArray("; settings\r\n[Poloha]\r\nhore=5\r\nfoo=bar\r\nvlavo=7\r\n\r\n"
                      "[In\xe9]\r\nx=1\r\n[Nastavenie]\r\n# comment\r\njazyk=2\r\n")
        << closeWrites
        << QByteArray(
               "; settings\r\n[Poloha]\r\nhore=20\r\nfoo=bar\r\nvlavo=10\r\n\r\n"
               "[In\xe9]\r\nx=1\r\n[Nastavenie]\r\n# comment\r\njazyk=1\r\nformatcasu=3\r\n");
    QTest::newRow("append after last non-blank line of section")
        << true << QByteArray("[Poloha]\nvlavo=1\n\n\n[Nastavenie]\njazyk=0\n")
        << QList<IniWrite>{{poloha, QStringLiteral("hore"), 2}}
        << QByteArray("[Poloha]\nvlavo=1\nhore=2\n\n\n[Nastavenie]\njazyk=0\n");
    QTest::newRow("append into last section with trailing blanks")
        << true << QByteArray("[Poloha]\r\nvlavo=1\r\n\r\n")
        << QList<IniWrite>{{poloha, QStringLiteral("hore"), 2}}
        << QByteArray("[Poloha]\r\nvlavo=1\r\nhore=2\r\n\r\n");
    QTest::newRow("new section at end") << true << QByteArray("[Other]\r\na=1\r\n")
                                        << QList<IniWrite>{{poloha, QStringLiteral("vlavo"), 5}}
                                        << QByteArray("[Other]\r\na=1\r\n[Poloha]\r\nvlavo=5\r\n");
    QTest::newRow("LF file stays LF")
        << true << QByteArray("[Other]\na=1\n") << closeWrites
        << QByteArray(
               "[Other]\na=1\n[Poloha]\nvlavo=10\nhore=20\n[Nastavenie]\njazyk=1\nformatcasu=3\n");
    QTest::newRow("mixed endings kept line by line")
        << true << QByteArray("[Poloha]\nvlavo=1\r\nx=2\n")
        << QList<IniWrite>{{poloha, QStringLiteral("vlavo"), 3},
                           {poloha, QStringLiteral("hore"), 4}}
        << QByteArray("[Poloha]\nvlavo=3\r\nx=2\nhore=4\n");
    QTest::newRow("last line without ending, appending")
        << true << QByteArray("[Poloha]\nvlavo=1")
        << QList<IniWrite>{{poloha, QStringLiteral("hore"), 2}}
        << QByteArray("[Poloha]\nvlavo=1\nhore=2\n");
    QTest::newRow("last line without ending, replacing")
        << true << QByteArray("[Poloha]\nvlavo=1")
        << QList<IniWrite>{{poloha, QStringLiteral("vlavo"), 3}} << QByteArray("[Poloha]\nvlavo=3");
    QTest::newRow("single line without ending")
        << true << QByteArray("; only a comment")
        << QList<IniWrite>{{poloha, QStringLiteral("vlavo"), 3}}
        << QByteArray("; only a comment\r\n[Poloha]\r\nvlavo=3\r\n");
    QTest::newRow("case-insensitive replace")
        << true << QByteArray("[POLOHA]\r\n  VLAVO = 1\r\n")
        << QList<IniWrite>{{poloha, QStringLiteral("vlavo"), -3}}
        << QByteArray("[POLOHA]\r\nvlavo=-3\r\n");
    QTest::newRow("commented key untouched")
        << true << QByteArray("[Poloha]\r\n;vlavo=1\r\n")
        << QList<IniWrite>{{poloha, QStringLiteral("vlavo"), 5}}
        << QByteArray("[Poloha]\r\n;vlavo=1\r\nvlavo=5\r\n");
    QTest::newRow("garbage value replaced")
        << true << QByteArray("[Poloha]\r\nvlavo=abc\r\nhore=1\r\n")
        << QList<IniWrite>{{poloha, QStringLiteral("vlavo"), 5}}
        << QByteArray("[Poloha]\r\nvlavo=5\r\nhore=1\r\n");
    QTest::newRow("same key twice") << true << QByteArray("[Poloha]\r\nvlavo=1\r\n")
                                    << QList<IniWrite>{{poloha, QStringLiteral("vlavo"), 5},
                                                       {poloha, QStringLiteral("VLAVO"), 6}}
                                    << QByteArray("[Poloha]\r\nVLAVO=6\r\n");
    QTest::newRow("byte order mark kept")
        << true << QByteArray("\xEF\xBB\xBF[Poloha]\r\nvlavo=1\r\n")
        << QList<IniWrite>{{poloha, QStringLiteral("vlavo"), 2}}
        << QByteArray("\xEF\xBB\xBF[Poloha]\r\nvlavo=2\r\n");
    QTest::newRow("binary content kept")
        << true << Bytes("\x00\x01\xff\n\x00[Poloha]\n")
        << QList<IniWrite>{{poloha, QStringLiteral("vlavo"), 5}}
        << Bytes("\x00\x01\xff\n\x00[Poloha]\n[Poloha]\nvlavo=5\n");
    QTest::newRow("extreme values")
        << false << QByteArray()
        << QList<IniWrite>{{poloha, QStringLiteral("vlavo"), -2147483647 - 1},
                           {poloha, QStringLiteral("hore"), 2147483647}}
        << QByteArray("[Poloha]\r\nvlavo=-2147483648\r\nhore=2147483647\r\n");
}

void TestIniFile::write()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, before);
    QFETCH(QList<IniWrite>, writes);
    QFETCH(QByteArray, after);

    if (exists)
        WriteRaw(before);
    TIniFile ini(IniPath());
    for (const IniWrite &w : writes)
        ini.WriteInteger(w.section, w.key, w.value);
    QString error;
    QVERIFY2(ini.UpdateFile(&error), qPrintable(error));
    QCOMPARE(ReadRaw(), after);
    // Written atomically: nothing but the file itself remains in the folder.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("vantu.ini")});

    TIniFile again(IniPath());
    for (const IniWrite &w : writes) {
        int last = w.value;
        for (const IniWrite &o : writes) {
            if (o.section.compare(w.section, Qt::CaseInsensitive) == 0 &&
                o.key.compare(w.key, Qt::CaseInsensitive) == 0)
                last = o.value;
        }
        QCOMPARE(again.ReadInteger(w.section, w.key, 12345), last);
    }
}

void TestIniFile::readBackBeforeAndAfterUpdate()
{
    WriteRaw("[Poloha]\r\nvlavo=1\r\n");
    TIniFile ini(IniPath());
    ini.WriteInteger(QStringLiteral("Poloha"), QStringLiteral("vlavo"), 77);
    ini.WriteInteger(QStringLiteral("Nastavenie"), QStringLiteral("jazyk"), 2);
    QCOMPARE(ini.ReadInteger(QStringLiteral("poloha"), QStringLiteral("VLAVO"), 0), 77);
    QCOMPARE(ini.ReadInteger(QStringLiteral("Nastavenie"), QStringLiteral("jazyk"), 0), 2);
    QCOMPARE(ReadRaw(), QByteArray("[Poloha]\r\nvlavo=1\r\n"));
    QVERIFY(ini.UpdateFile());
    QCOMPARE(ini.ReadInteger(QStringLiteral("Poloha"), QStringLiteral("vlavo"), 0), 77);
}

void TestIniFile::newFileGetsUsualPermissions()
{
    const mode_t old = ::umask(022);
    TIniFile ini(IniPath());
    ini.WriteInteger(QStringLiteral("Poloha"), QStringLiteral("vlavo"), 1);
    const bool ok = ini.UpdateFile();
    ::umask(old);
    QVERIFY(ok);
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(IniPath()).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, mode_t(0644));
}

// Whatever another program wrote into the file after it was read stays.
void TestIniFile::keepsChangesMadeSinceReading()
{
    WriteRaw("[Poloha]\r\nvlavo=1\r\n");
    TIniFile ini(IniPath());
    WriteRaw("[Poloha]\r\nvlavo=1\r\n[Editor]\r\nfont=12\r\n");
    ini.WriteInteger(QStringLiteral("Poloha"), QStringLiteral("vlavo"), 2);
    QVERIFY(ini.UpdateFile());
    QCOMPARE(ReadRaw(), QByteArray("[Poloha]\r\nvlavo=2\r\n[Editor]\r\nfont=12\r\n"));
}

void TestIniFile::fileAtLimitIsRead()
{
    QByteArray content("[Poloha]\r\nvlavo=42\r\n");
    const QByteArray filler(";" + QByteArray(98, 'x') + "\r\n");
    while (content.size() + filler.size() <= TIniFile::MaxFileSize)
        content += filler;
    content += QByteArray(TIniFile::MaxFileSize - content.size(), ';');
    QCOMPARE(content.size(), TIniFile::MaxFileSize);
    WriteRaw(content);
    TIniFile ini(IniPath());
    QCOMPARE(ini.ReadInteger(QStringLiteral("Poloha"), QStringLiteral("vlavo"), 0), 42);
    ini.WriteInteger(QStringLiteral("Poloha"), QStringLiteral("vlavo"), 43);
    QVERIFY(ini.UpdateFile());
    QByteArray expected = content;
    expected.replace("vlavo=42", "vlavo=43");
    QCOMPARE(ReadRaw(), expected);
}

// A file beyond the limit is not a settings file we made: defaults are used
// and it is never overwritten with a shortened copy.
void TestIniFile::hugeFileIsNeitherReadNorRewritten()
{
    QByteArray content("[Poloha]\r\nvlavo=42\r\n");
    content += QByteArray(TIniFile::MaxFileSize, '#');
    WriteRaw(content);
    TIniFile ini(IniPath());
    QCOMPARE(ini.ReadInteger(QStringLiteral("Poloha"), QStringLiteral("vlavo"), 50), 50);
    ini.WriteInteger(QStringLiteral("Poloha"), QStringLiteral("vlavo"), 7);
    QString error;
    QVERIFY(!ini.UpdateFile(&error));
    QVERIFY(error.contains(IniPath()));
    QCOMPARE(ReadRaw(), content);
}

void TestIniFile::pipeDoesNotBlock()
{
    QCOMPARE(::mkfifo(QFile::encodeName(IniPath()).constData(), 0600), 0);
    TIniFile ini(IniPath());
    QCOMPARE(ini.ReadInteger(QStringLiteral("Poloha"), QStringLiteral("vlavo"), 50), 50);
    ini.WriteInteger(QStringLiteral("Poloha"), QStringLiteral("vlavo"), 7);
    QString error;
    QVERIFY(!ini.UpdateFile(&error));
    QVERIFY(!error.isEmpty());
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(IniPath()).constData(), &st), 0);
    QVERIFY(S_ISFIFO(st.st_mode));
}

void TestIniFile::directoryAtPathReportsError()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("vantu.ini")));
    TIniFile ini(IniPath());
    QCOMPARE(ini.ReadInteger(QStringLiteral("Poloha"), QStringLiteral("hore"), 50), 50);
    ini.WriteInteger(QStringLiteral("Poloha"), QStringLiteral("hore"), 1);
    QString error;
    QVERIFY(!ini.UpdateFile(&error));
    QVERIFY(error.contains(IniPath()));
    QVERIFY(QFileInfo(IniPath()).isDir());
}

void TestIniFile::missingFolderReportsError()
{
    const QString path = m_dir->filePath(QStringLiteral("missing/vantu.ini"));
    TIniFile ini(path);
    QCOMPARE(ini.ReadInteger(QStringLiteral("Poloha"), QStringLiteral("hore"), 50), 50);
    ini.WriteInteger(QStringLiteral("Poloha"), QStringLiteral("hore"), 1);
    QString error;
    QVERIFY(!ini.UpdateFile(&error));
    QVERIFY(error.contains(path));
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("missing"))));
    QVERIFY(!ini.UpdateFile()); // no error pointer: still just false
}

// A write that fails half way (here: the file size limit, as a full disk
// would) leaves the previous file whole and no temporary file behind.
void TestIniFile::failedWriteLeavesOldFile()
{
    QByteArray content("; old settings\r\n[Poloha]\r\nvlavo=1\r\n");
    content += QByteArray(4000, ';') + "\r\n";
    WriteRaw(content);
    TIniFile ini(IniPath());
    ini.WriteInteger(QStringLiteral("Poloha"), QStringLiteral("vlavo"), 2);

    struct rlimit old;
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 1024;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool ok = ini.UpdateFile(&error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!ok);
    QVERIFY(error.contains(IniPath()));
    QCOMPARE(ReadRaw(), content);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("vantu.ini")});

    // Once space is back, the same object writes its change.
    QVERIFY2(ini.UpdateFile(&error), qPrintable(error));
    QByteArray expected = content;
    expected.replace("vlavo=1", "vlavo=2");
    QCOMPARE(ReadRaw(), expected);
}

void TestIniFile::nothingWrittenWithoutChanges()
{
    TIniFile ini(IniPath());
    QVERIFY(ini.UpdateFile());
    QVERIFY(!QFile::exists(IniPath()));
}

QTEST_APPLESS_MAIN(TestIniFile)
#include "tst_IniFile.moc"
