// The file lokality.xml: hostile and damaged files, reading, the layout it is
// written in, failed saves, files moved aside and large or unreadable files.
#include "LocalityTestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{

long PeakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A folder nobody may add to. Root ignores permission bits, so for root the folder is made
// immutable instead (undone in the destructor so the temporary folder can be removed).
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path) : Path(path)
    {
        if (geteuid() != 0) {
            Active = ::chmod(QFile::encodeName(Path).constData(), 0555) == 0;
            Chmod = Active;
            return;
        }
        Active = SetImmutable(true);
    }
    ~ReadOnlyFolder()
    {
        if (Chmod)
            ::chmod(QFile::encodeName(Path).constData(), 0755);
        else if (Active)
            SetImmutable(false);
    }
    bool IsActive() const { return Active; }

private:
    bool SetImmutable(bool on)
    {
        const int fd = ::open(QFile::encodeName(Path).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (ok) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return ok;
    }
    QString Path;
    bool Active = false;
    bool Chmod = false;
};

// While alive, no file of this process may grow beyond `bytes`: a full disk, for real.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        OldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &Old);
        rlimit limit = Old;
        limit.rlim_cur = bytes;
        Active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &Old);
        std::signal(SIGXFSZ, OldHandler);
    }
    bool IsActive() const { return Active; }

private:
    rlimit Old{};
    void (*OldHandler)(int) = nullptr;
    bool Active = false;
};

// The file of the nine predefined towns exactly as it must be written.
const QByteArray PredefinedFile =
    u8"<?xml version=\"1.0\"?>\n<SuborDat>"
    u8"<Riadok><Mesto>SK - Sliač</Mesto><Hod>1</Hod><Min>0</Min><ZS1>48</ZS1><ZS2>36</ZS2>"
    u8"<ZS3>59</ZS3><ZS4>N</ZS4><ZD1>19</ZD1><ZD2>8</ZD2><ZD3>35</ZD3><ZD4>E</ZD4></Riadok>"
    u8"<Riadok><Mesto>SK - Bratislava</Mesto><Hod>1</Hod><Min>0</Min><ZS1>48</ZS1><ZS2>9</ZS2>"
    u8"<ZS3>0</ZS3><ZS4>N</ZS4><ZD1>17</ZD1><ZD2>7</ZD2><ZD3>1</ZD3><ZD4>E</ZD4></Riadok>"
    u8"<Riadok><Mesto>SK - Košice</Mesto><Hod>1</Hod><Min>0</Min><ZS1>48</ZS1><ZS2>43</ZS2>"
    u8"<ZS3>19</ZS3><ZS4>N</ZS4><ZD1>21</ZD1><ZD2>15</ZD2><ZD3>37</ZD3><ZD4>E</ZD4></Riadok>"
    u8"<Riadok><Mesto>SK - Poprad</Mesto><Hod>1</Hod><Min>0</Min><ZS1>49</ZS1><ZS2>3</ZS2>"
    u8"<ZS3>37</ZS3><ZS4>N</ZS4><ZD1>20</ZD1><ZD2>17</ZD2><ZD3>58</ZD3><ZD4>E</ZD4></Riadok>"
    u8"<Riadok><Mesto>SK - Michalovce</Mesto><Hod>1</Hod><Min>0</Min><ZS1>48</ZS1><ZS2>45</ZS2>"
    u8"<ZS3>16</ZS3><ZS4>N</ZS4><ZD1>21</ZD1><ZD2>54</ZD2><ZD3>58</ZD3><ZD4>E</ZD4></Riadok>"
    u8"<Riadok><Mesto>SK - Žilina</Mesto><Hod>1</Hod><Min>0</Min><ZS1>49</ZS1><ZS2>13</ZS2>"
    u8"<ZS3>14</ZS3><ZS4>N</ZS4><ZD1>18</ZD1><ZD2>44</ZD2><ZD3>15</ZD3><ZD4>E</ZD4></Riadok>"
    u8"<Riadok><Mesto>SK - Piešťany</Mesto><Hod>1</Hod><Min>0</Min><ZS1>48</ZS1><ZS2>35</ZS2>"
    u8"<ZS3>30</ZS3><ZS4>N</ZS4><ZD1>17</ZD1><ZD2>49</ZD2><ZD3>41</ZD3><ZD4>E</ZD4></Riadok>"
    u8"<Riadok><Mesto>SK - Prešov</Mesto><Hod>1</Hod><Min>0</Min><ZS1>48</ZS1><ZS2>59</ZS2>"
    u8"<ZS3>30</ZS3><ZS4>N</ZS4><ZD1>21</ZD1><ZD2>14</ZD2><ZD3>45</ZD3><ZD4>E</ZD4></Riadok>"
    u8"<Riadok><Mesto>SK - Rožňava</Mesto><Hod>1</Hod><Min>0</Min><ZS1>48</ZS1><ZS2>39</ZS2>"
    u8"<ZS3>23</ZS3><ZS4>N</ZS4><ZD1>20</ZD1><ZD2>31</ZD2><ZD3>55</ZD3><ZD4>E</ZD4></Riadok>"
    u8"</SuborDat>";

} // namespace

class TestLocalityFile : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> Dir;
    QString FilePath() const { return Dir->filePath(QStringLiteral("lokality.xml")); }

private slots:
    void init()
    {
        Dir = std::make_unique<QTemporaryDir>();
        QVERIFY(Dir->isValid());
    }
    void cleanup() { Dir.reset(); }

    // Hostile files first, while the peak memory of this process is still small.
    void entityBombs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("billion laughs") << "laughs";
        QTest::newRow("quadratic blow-up") << "quadratic";
    }
    void entityBombs()
    {
        QFETCH(QString, kind);
        QByteArray bytes;
        if (kind == "laughs") {
            bytes = ReadFile(VANTU_TEST_DATA_DIR "/localities/billion_laughs.xml");
        } else {
            // One 4,000-character entity referenced a million times: each expansion stays
            // within the reader's limit, the sum is gigabytes.
            bytes = "<?xml version=\"1.0\"?>\n<!DOCTYPE SuborDat [<!ENTITY a \"" +
                    QByteArray(4000, 'x') + "\">]>\n<SuborDat><Riadok><Mesto>" +
                    QByteArray("&a;").repeated(1000000) + "</Mesto></Riadok></SuborDat>";
        }
        QVERIFY(bytes.startsWith("<?xml"));
        QVERIFY(WriteFile(FilePath(), bytes));

        const long rssBefore = PeakRssKb();
        QElapsedTimer timer;
        timer.start();
        TLocalityFile file(FilePath());
        TLocalityList list;
        QCOMPARE(file.Load(list), TLoadStatus::Damaged);
        QVERIFY2(timer.elapsed() < 1000 * VANTU_TIME_SCALE,
                 qPrintable(QString::number(timer.elapsed())));
        QVERIFY2(PeakRssKb() - rssBefore < 64 * 1024,
                 qPrintable(QString::number(PeakRssKb() - rssBefore)));
        QVERIFY(list.isEmpty());
    }

    void externalEntityIsNotFetched()
    {
        TLocalityList list;
        const QByteArray bytes = ReadFile(VANTU_TEST_DATA_DIR "/localities/external_entity.xml");
        QVERIFY(bytes.contains("SYSTEM"));
        QCOMPARE(ParseLocalities(bytes, list), TLoadStatus::Damaged);
        QVERIFY(list.isEmpty());
    }

    void lenientFile()
    {
        QVERIFY(QFile::copy(VANTU_TEST_DATA_DIR "/localities/lenient.xml", FilePath()));
        TLocalityFile file(FilePath());
        TLocalityList list;
        QCOMPARE(file.Load(list), TLoadStatus::Loaded);
        const TLocalityList expected{
            Rec({"SK - Poprad", "1", "0", "49", "3", "37", "N", "20", "17", "58", "E"}),
            Rec({u8"SK - Sliač", "1", "0", "48", "36", "59", "N", "19", "8", "35", "E"})};
        QCOMPARE(list, expected);
        QCOMPARE(file.Root().Name, QString("Places"));

        // The next save writes the standard layout and drops the extras.
        QVERIFY(file.Save(list));
        QCOMPARE(ReadFile(FilePath()), "<?xml version=\"1.0\"?>\n<Places>" +
                                           RecordXml(expected[0]) + RecordXml(expected[1]) +
                                           "</Places>");
    }

    // Files that read normally, and the number of records they hold.
    void goodFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");
        const QByteArray rec = RecordXml(Bratislava());
        QTest::newRow("root without children") << QByteArray("<SuborDat></SuborDat>") << 0;
        QTest::newRow("empty root element") << QByteArray("<?xml version=\"1.0\"?><X/>") << 0;
        QTest::newRow("root of blanks") << QByteArray("<SuborDat>\n \t\r\n</SuborDat>") << 0;
        QTest::newRow("no declaration") << "<SuborDat>" + rec + "</SuborDat>" << 1;
        QTest::newRow("indented") << "<?xml version=\"1.0\"?>\r\n<SuborDat>\r\n  " + rec +
                                         "\r\n  " + rec + "\r\n</SuborDat>\r\n"
                                  << 2;
        QTest::newRow("comment and instruction outside the root")
            << "<?xml version=\"1.0\"?><!-- a --><?pi x?><SuborDat>" + rec + "</SuborDat><!-- b -->"
            << 1;
        QTest::newRow("prefixed names without namespace")
            << "<a:SuborDat><b:Row>" + rec.mid(8, rec.size() - 17) + "</b:Row></a:SuborDat>" << 1;
        QTest::newRow("DTD without entities")
            << "<?xml version=\"1.0\"?><!DOCTYPE SuborDat [<!ELEMENT SuborDat ANY>]><SuborDat>" +
                   rec + "</SuborDat>"
            << 1;
        QTest::newRow("attributes on records")
            << "<SuborDat><Riadok id=\"1\">" + rec.mid(8) + "</SuborDat>" << 1;
    }
    void goodFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, records);
        QVERIFY(WriteFile(FilePath(), bytes));
        TLocalityFile file(FilePath());
        TLocalityList list{Bratislava()};
        QCOMPARE(file.Load(list), TLoadStatus::Loaded);
        QCOMPARE(list.size(), records);
        for (const TLocality &r : list)
            QCOMPARE(r, Bratislava());
        QVERIFY(file.HasDocument());
    }

    // Damaged files: whether they parse (then the records read are kept, a stray node
    // standing for an empty record) and how many records come back.
    void damagedFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("parsed");
        const QByteArray rec = RecordXml(Bratislava());
        QTest::newRow("zero bytes") << QByteArray() << 0 << false;
        QTest::newRow("declaration only") << QByteArray("<?xml version=\"1.0\"?>\n") << 0 << false;
        QTest::newRow("truncated") << FileXml(rec + rec).chopped(20) << 0 << false;
        QTest::newRow("mismatched tag")
            << QByteArray("<SuborDat><Riadok></Row></SuborDat>") << 0 << false;
        QTest::newRow("two roots") << FileXml(rec) + "<SuborDat/>" << 0 << false;
        QTest::newRow("text after root") << FileXml(rec) + "junk" << 0 << false;
        QTest::newRow("plain text") << QByteArray("SK - Bratislava;1;0") << 0 << false;
        QTest::newRow("undeclared entity") << FileXml("<Riadok>&x;</Riadok>") << 0 << false;
        QTest::newRow("internal entity")
            << "<?xml version=\"1.0\"?><!DOCTYPE SuborDat [<!ENTITY n \"SK\">]><SuborDat>" + rec +
                   "</SuborDat>"
            << 0 << false;
        QTest::newRow("invalid UTF-8")
            << FileXml("<Riadok><Mesto>\xff\xfe</Mesto></Riadok>") << 0 << false;
        QTest::newRow("comment in root") << FileXml(rec + "<!-- x -->" + rec) << 3 << true;
        QTest::newRow("instruction in root") << FileXml("<?pi x?>" + rec) << 2 << true;
        QTest::newRow("text in root") << FileXml(rec + "\n  junk  \n" + rec) << 3 << true;
        QTest::newRow("text with a reference in root") << FileXml(rec + "a&amp;b") << 2 << true;
        QTest::newRow("no-break space in root") << FileXml(u8"\u00a0" + rec) << 2 << true;
        QTest::newRow("CDATA in root") << FileXml("<![CDATA[ ]]>" + rec) << 2 << true;
        QTest::newRow("invalid record") << FileXml(rec + "<Riadok/>") << 2 << true;
    }
    void damagedFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, records);
        QFETCH(bool, parsed);
        QVERIFY(WriteFile(FilePath(), bytes));
        TLocalityFile file(FilePath());
        TLocalityList list{Bratislava()};
        QCOMPARE(file.Load(list), TLoadStatus::Damaged);
        QCOMPARE(list.size(), records);
        QCOMPARE(file.HasDocument(), parsed);
        if (parsed)
            QVERIFY(CheckLocalities(list) > 0);
        QCOMPARE(list.count(Bratislava()), parsed ? records - 1 : 0);
    }

    void missingFile()
    {
        TLocalityFile file(FilePath());
        TLocalityList list{Bratislava()};
        QCOMPARE(file.Load(list), TLoadStatus::Missing);
        QCOMPARE(list.size(), 1);
        QVERIFY(!file.HasDocument());
        QString error;
        QVERIFY(!file.Save(list, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(FilePath()));
    }

    void folderInPlaceOfFile()
    {
        QVERIFY(QDir(Dir->path()).mkdir("lokality.xml"));
        TLocalityFile file(FilePath());
        TLocalityList list;
        QCOMPARE(file.Load(list), TLoadStatus::Damaged);
    }

    // The missing-file path: skeleton through temp.xml, then the nine towns in their order.
    void skeletonThenPredefinedFile()
    {
        const QString temp = Dir->filePath("temp.xml");
        QVERIFY(WriteFile(temp, "<stale>not the skeleton</stale>"));
        TLocalityFile file(FilePath());
        TLocalityList list;
        QCOMPARE(file.Load(list), TLoadStatus::Missing);
        QString error;
        QVERIFY2(file.StartFromSkeleton(Dir->path(), &error), qPrintable(error));
        QVERIFY(!QFile::exists(temp));
        QCOMPARE(file.Root().Name, QString("SuborDat"));
        QVERIFY(file.Root().Attributes.isEmpty());

        list = PredefinedLocalities();
        QVERIFY2(file.Save(list, &error), qPrintable(error));
        QCOMPARE(ReadFile(FilePath()), PredefinedFile);

        // Written in predefined order, read back in the same order, valid.
        TLocalityFile again(FilePath());
        TLocalityList read;
        QCOMPARE(again.Load(read), TLoadStatus::Loaded);
        QCOMPARE(read, PredefinedLocalities());
    }

    void skeletonFolderMissing()
    {
        TLocalityFile file(FilePath());
        QString error;
        QVERIFY(!file.StartFromSkeleton(Dir->filePath("no/such/folder"), &error));
        QVERIFY(!error.isEmpty());
        // The document is the skeleton's all the same, so the database can still be saved.
        QVERIFY(file.HasDocument());
        QVERIFY(file.Save(PredefinedLocalities(), &error));
        QCOMPARE(ReadFile(FilePath()), PredefinedFile);
    }

    void rootNameAndAttributesKept()
    {
        QVERIFY(WriteFile(FilePath(), "<?xml version='1.0' encoding='UTF-8'?>\n"
                                      "<Data  b='2&amp;3' a=\"x&lt;y\" xmlns:p=\"urn:p\">\n" +
                                          RecordXml(Bratislava()) + "\n</Data>\n"));
        TLocalityFile file(FilePath());
        TLocalityList list;
        QCOMPARE(file.Load(list), TLoadStatus::Loaded);
        const TXmlAttributes expected{{"b", "2&3"}, {"a", "x<y"}, {"xmlns:p", "urn:p"}};
        QCOMPARE(file.Root().Attributes, expected);
        list.append(PredefinedLocalities()[0]);
        QVERIFY(file.Save(list));
        QCOMPARE(ReadFile(FilePath()),
                 "<?xml version=\"1.0\"?>\n<Data b=\"2&amp;3\" a=\"x&lt;y\" xmlns:p=\"urn:p\">" +
                     RecordXml(Bratislava()) + RecordXml(PredefinedLocalities()[0]) + "</Data>");
    }

    void emptyListWritesRootAlone()
    {
        QVERIFY(WriteFile(FilePath(), "<SuborDat>\n</SuborDat>\n"));
        TLocalityFile file(FilePath());
        TLocalityList list;
        QCOMPARE(file.Load(list), TLoadStatus::Loaded);
        QVERIFY(list.isEmpty());
        QVERIFY(file.Save(list));
        QCOMPARE(ReadFile(FilePath()), QByteArray("<?xml version=\"1.0\"?>\n<SuborDat/>"));
        QCOMPARE(file.Load(list), TLoadStatus::Loaded);
        QVERIFY(list.isEmpty());
    }

    void writtenLayout()
    {
        QVERIFY(WriteFile(FilePath(), "<SuborDat/>"));
        TLocalityFile file(FilePath());
        TLocalityList list;
        QCOMPARE(file.Load(list), TLoadStatus::Loaded);
        list = PredefinedLocalities();
        QVERIFY(file.Save(list));
        const QByteArray bytes = ReadFile(FilePath());
        QVERIFY(bytes.startsWith("<?xml version=\"1.0\"?>\n<SuborDat><Riadok><Mesto>"));
        QCOMPARE(bytes.count('\n'), 1);
        QVERIFY(!bytes.contains('\r'));
        QVERIFY(!bytes.contains("encoding"));
        QVERIFY(bytes.endsWith("</Riadok></SuborDat>"));
        QVERIFY(bytes.contains(u8"<Mesto>SK - Žilina</Mesto>")); // UTF-8, not references
    }

    void textRoundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("ampersand") << "A & B" << QByteArray("<Mesto>A &amp; B</Mesto>");
        QTest::newRow("less-than") << "a<b" << QByteArray("<Mesto>a&lt;b</Mesto>");
        QTest::newRow("tag-like") << "<Mesto>x</Mesto>"
                                  << QByteArray("<Mesto>&lt;Mesto&gt;x&lt;/Mesto&gt;</Mesto>");
        QTest::newRow("CDATA end") << "a]]>b" << QByteArray("<Mesto>a]]&gt;b</Mesto>");
        QTest::newRow("quotes") << "\"q\" 'a'" << QByteArray("<Mesto>&quot;q&quot; 'a'</Mesto>");
        QTest::newRow("semicolon") << "A;1;2" << QByteArray("<Mesto>A;1;2</Mesto>");
        QTest::newRow("carriage return") << "a\rb" << QByteArray("<Mesto>a&#13;b</Mesto>");
        QTest::newRow("tab and line feed") << "a\tb\nc" << QByteArray("<Mesto>a\tb\nc</Mesto>");
        QTest::newRow("outer blanks") << "  x  " << QByteArray("<Mesto>  x  </Mesto>");
        QTest::newRow("accents and astral")
            << QString(u8"Ťŕň ő 😀") << QByteArray(u8"<Mesto>Ťŕň ő 😀</Mesto>");
    }
    void textRoundTrip()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, written);
        TLocality r = Bratislava();
        r.Field[fMesto] = name;
        TLocalityFile file(FilePath());
        QVERIFY(file.StartFromSkeleton(Dir->path()));
        QVERIFY(file.Save({r, Bratislava()}));
        const QByteArray bytes = ReadFile(FilePath());
        QVERIFY2(bytes.contains(written), bytes.constData());
        QCOMPARE(bytes.count('\n'), 1 + QByteArray(written).count('\n'));

        TLocalityFile again(FilePath());
        TLocalityList read;
        QCOMPARE(again.Load(read), TLoadStatus::Loaded);
        QCOMPARE(read, TLocalityList({r, Bratislava()}));
    }

    void unstorableCharacter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("control character") << QString("A") + QChar(1);
        QTest::newRow("NUL") << QString("A") + QChar(0);
        QTest::newRow("lone surrogate") << QString("A") + QChar(0xD800);
        QTest::newRow("U+FFFF") << QString("A") + QChar(0xFFFF);
    }
    void unstorableCharacter()
    {
        QFETCH(QString, text);
        QVERIFY(!IsXmlText(text));
        TLocalityFile file(FilePath());
        QVERIFY(file.StartFromSkeleton(Dir->path()));
        QVERIFY(file.Save(PredefinedLocalities()));
        TLocalityList list = PredefinedLocalities();
        list[3].Field[fMesto] = text;
        QString error;
        QVERIFY(!file.Save(list, &error));
        QVERIFY2(error.contains("Mesto") && error.contains('4'), qPrintable(error));
        QCOMPARE(ReadFile(FilePath()), PredefinedFile);
    }

    // A save that cannot happen fails with a reason and leaves the old file as it was.
    void saveFailures_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("read-only folder") << "readonly";
        QTest::newRow("disk full") << "full";
        QTest::newRow("target is a folder") << "folder";
        QTest::newRow("folder does not exist") << "nofolder";
    }
    void saveFailures()
    {
        QFETCH(QString, how);
        const QString folder = Dir->filePath("data");
        QVERIFY(QDir().mkpath(folder));
        QString path = QDir(folder).filePath("lokality.xml");
        if (how == "nofolder")
            path = Dir->filePath("gone/lokality.xml");
        if (how == "folder")
            QVERIFY(QDir().mkpath(path));

        const QByteArray old = FileXml(RecordXml(Bratislava()));
        if (how != "folder" && how != "nofolder")
            QVERIFY(WriteFile(path, old));
        TLocalityFile file(path);
        QVERIFY(file.StartFromSkeleton(Dir->path()));

        TLocalityList list;
        for (int i = 0; i < 20; ++i)
            list += PredefinedLocalities();
        QString error;
        bool saved = true;
        if (how == "readonly") {
            ReadOnlyFolder guard(folder);
            if (!guard.IsActive())
                QSKIP("This file system lets no one make a folder read-only here.");
            saved = file.Save(list, &error);
        } else if (how == "full") {
            FileSizeLimit limit(1000);
            QVERIFY(limit.IsActive());
            saved = file.Save(list, &error);
        } else {
            saved = file.Save(list, &error);
        }
        QVERIFY(!saved);
        QVERIFY(error.contains("lokality.xml"));
        if (how == "readonly" || how == "full") {
            QCOMPARE(ReadFile(path), old);
            QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System),
                     QStringList{"lokality.xml"}); // no temporary file left behind
        }
        if (how == "nofolder")
            QVERIFY(!QFileInfo::exists(Dir->filePath("gone")));
        if (how == "folder")
            QVERIFY(QFileInfo(path).isDir());

        // The same list saves once the obstacle is gone (here: into a good file).
        TLocalityFile good(Dir->filePath("ok.xml"));
        QVERIFY(good.StartFromSkeleton(Dir->path()));
        QVERIFY(good.Save(list));
    }

    void moveAside()
    {
        const QByteArray damaged("<SuborDat><Riadok><Mesto>half");
        QVERIFY(WriteFile(FilePath(), damaged));
        TLocalityFile file(FilePath());
        TLocalityList list;
        QCOMPARE(file.Load(list), TLoadStatus::Damaged);

        const QDateTime when(QDate(2026, 12, 8), QTime(15, 30, 12));
        const QString first = file.MoveAside(when);
        QCOMPARE(first, Dir->filePath("lokality-2026-12-08-153012.damaged.xml"));
        QVERIFY(!QFileInfo::exists(FilePath()));
        QCOMPARE(ReadFile(first), damaged);

        // Same second again: the earlier copy is kept, the new one gets a counter.
        QVERIFY(WriteFile(FilePath(), "second"));
        const QString second = file.MoveAside(when);
        QCOMPARE(second, Dir->filePath("lokality-2026-12-08-153012-2.damaged.xml"));
        QCOMPARE(ReadFile(first), damaged);
        QCOMPARE(ReadFile(second), QByteArray("second"));

        // Nothing there: nothing to move.
        QCOMPARE(file.MoveAside(when), QString());
        // The next start takes the missing-file path.
        QCOMPARE(file.Load(list), TLoadStatus::Missing);
    }

    void nonRegularOrOversizeFileIsUnreadable_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to a device") << "device";
        QTest::newRow("valid but over the limit") << "oversize";
    }
    // None of these is read, none holds up the start: each counts as a file
    // that is there but cannot be read.
    void nonRegularOrOversizeFileIsUnreadable()
    {
        QFETCH(QString, kind);
        const QByteArray path = QFile::encodeName(FilePath());
        if (kind == u"fifo") {
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        } else if (kind == u"device") {
            QVERIFY(QFile::link(QStringLiteral("/dev/null"), FilePath()));
        } else {
            // A valid document padded after its end to one byte over the limit.
            QByteArray bytes = FileXml(RecordXml(Bratislava()));
            bytes += QByteArray(MaxLocalityFileSize + 1 - bytes.size(), '\n');
            QVERIFY(WriteFile(FilePath(), bytes));
        }
        TLocalityList list{Bratislava()};
        std::atomic<int> status{-1};
        std::thread reader([&] {
            TLocalityFile file(FilePath());
            status = int(file.Load(list));
        });
        QElapsedTimer timer;
        timer.start();
        while (status < 0 && timer.elapsed() < 5000 * VANTU_TIME_SCALE)
            QThread::msleep(10);
        const bool finished = status >= 0;
        if (!finished) {
            // Lets a reader that waits for a writer go, so the test can end.
            const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
        reader.join();
        QVERIFY2(finished, "the load waits");
        QCOMPARE(TLoadStatus(status.load()), TLoadStatus::Damaged);
        QVERIFY(list.isEmpty());
    }

    void largeFile()
    {
        // About 5 MB of valid records.
        TLocalityList records;
        const TLocalityList towns = PredefinedLocalities();
        QByteArray inner;
        int i = 0;
        while (inner.size() < 5 * 1024 * 1024) {
            TLocality r = towns[i % towns.size()];
            r.Field[fMesto] += QString(" %1").arg(i++);
            records.append(r);
            inner += RecordXml(r);
        }
        QVERIFY(WriteFile(FilePath(), FileXml(inner)));
        QVERIFY(QFileInfo(FilePath()).size() > 5 * 1024 * 1024);

        QElapsedTimer timer;
        timer.start();
        TLocalityFile file(FilePath());
        TLocalityList list;
        QCOMPARE(file.Load(list), TLoadStatus::Loaded);
        QCOMPARE(CheckLocalities(list), 0);
        SortLocalities(list);
        qInfo("%lld records, load + check + sort: %lld ms", qint64(list.size()),
              qint64(timer.elapsed()));
        QVERIFY2(timer.elapsed() < 3000 * VANTU_TIME_SCALE,
                 qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(list.size(), records.size());
        QCOMPARE(list.count(records[12345]), 1);

        // And it writes back to the same bytes.
        QVERIFY(file.Save(records));
        QCOMPARE(ReadFile(FilePath()), FileXml(inner));
    }
};

QTEST_GUILESS_MAIN(TestLocalityFile)
#include "tst_localityfile.moc"
