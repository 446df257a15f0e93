// Table files: exact bytes in Windows-1250 with CR LF, the UTF-8 fallback,
// atomic writes that fail cleanly, and the split into printed lines.
#include "FileSupport.h"
#include "table/TextFile.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void codecAvailable();
    void lineEnds_data();
    void lineEnds();
    void windows1250Bytes();
    void savedFileHoldsExactText();
    void utf8Fallback_data();
    void utf8Fallback();
    void loneSurrogate_data();
    void loneSurrogate();
    void replacesExistingFile();
    void failedWrite_data();
    void failedWrite();
    void emptyText();
    void tableLines_data();
    void tableLines();

private:
    std::unique_ptr<QTemporaryDir> FDir;
};

void TestTextFile::init()
{
    FDir = std::make_unique<QTemporaryDir>();
    QVERIFY(FDir->isValid());
}

void TestTextFile::codecAvailable()
{
    // Qt builds without ICU or iconv know no Windows-1250; the files would then
    // all come out as UTF-8.
    QVERIFY(QStringEncoder("windows-1250").isValid());
}

void TestTextFile::lineEnds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("LF") << "a\nb\n"
                        << "a\r\nb\r\n";
    QTest::newRow("CR LF kept, not doubled") << "a\r\nb\r\n"
                                             << "a\r\nb\r\n";
    QTest::newRow("lone CR") << "a\rb"
                             << "a\r\nb";
    QTest::newRow("mixed") << "a\n\r\nb\r\rc\n"
                           << "a\r\n\r\nb\r\n\r\nc\r\n";
    QTest::newRow("LF CR is two line ends") << "a\n\rb"
                                            << "a\r\n\r\nb";
    QTest::newRow("no line end") << "abc"
                                 << "abc";
    QTest::newRow("no final line end added") << "a\nb"
                                             << "a\r\nb";
    QTest::newRow("empty") << ""
                           << "";
}

void TestTextFile::lineEnds()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(WithCrLf(text), expected);
}

void TestTextFile::windows1250Bytes()
{
    bool utf8 = true;
    const QByteArray bytes =
        EncodeTableText(QStringLiteral("čšťžýáíéľĺôäňŕú ČŠŤŽÝÁÍÉĽĹÔÄŇŔÚ őű\n"), &utf8);
    QVERIFY(!utf8);
    QCOMPARE(bytes, QByteArray("\xe8\x9a\x9d\x9e\xfd\xe1\xed\xe9\xbe\xe5\xf4\xe4\xf2\xe0\xfa"
                               " \xc8\x8a\x8d\x8e\xdd\xc1\xcd\xc9\xbc\xc5\xd4\xc4\xd2\xc0\xda"
                               " \xf5\xfb\r\n"));
}

void TestTextFile::savedFileHoldsExactText()
{
    const QString text = QStringLiteral("Poprad, 05.Mar.2026, [SEČ] =>   05:57:03,   11:49:30,   "
                                        "17:41:59\nnenastáva\n\n");
    const QString path = FDir->filePath(QStringLiteral("VantuTab.txt"));
    QString error;
    QVERIFY2(SaveTableText(path, text, &error), qPrintable(error));
    const QByteArray bytes = ReadFile(path);
    QCOMPARE(bytes, QByteArray("Poprad, 05.Mar.2026, [SE\xc8] =>   05:57:03,   11:49:30,   "
                               "17:41:59\r\nnenast\xe1va\r\n\r\n"));
    QVERIFY(!bytes.startsWith("\xef\xbb\xbf"));
}

void TestTextFile::utf8Fallback_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("arrow") << "Poprad → Košice\n";
    QTest::newRow("CJK") << "東京, 05.Mar.2026\r\n";
    QTest::newRow("y with diaeresis (sharp s alone would fit)") << "Straße ÿ\n";
    QTest::newRow("astral plane") << "sun \U0001F31E\n";
}

void TestTextFile::utf8Fallback()
{
    QFETCH(QString, text);
    const QString path = FDir->filePath(QStringLiteral("wide.txt"));
    QString error;
    QVERIFY2(SaveTableText(path, text, &error), qPrintable(error));
    const QByteArray bytes = ReadFile(path);
    QVERIFY(bytes.startsWith("\xef\xbb\xbf"));
    QCOMPARE(bytes.mid(3), WithCrLf(text).toUtf8());
    bool utf8 = false;
    QCOMPARE(EncodeTableText(text, &utf8), bytes);
    QVERIFY(utf8);
}

void TestTextFile::loneSurrogate_data()
{
    // No encoding holds a lone surrogate: it must show as U+FFFD in a UTF-8 file, never
    // vanish (a high one at the very end used to be dropped, even in a Windows-1250 file).
    const QByteArray bom("\xef\xbb\xbf");
    const QByteArray replacement("\xef\xbf\xbd");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("high one ends a Windows-1250 text")
        << QStringLiteral("Poprad") + QChar(0xD83C) << bom + "Poprad" + replacement;
    QTest::newRow("high one ends a UTF-8 text")
        << QStringLiteral("東京") + QChar(0xD83C) << bom + "\xe6\x9d\xb1\xe4\xba\xac" + replacement;
    QTest::newRow("high one before a line end")
        << QStringLiteral("a") + QChar(0xD83C) + QStringLiteral("\n")
        << bom + "a" + replacement + "\r\n";
    QTest::newRow("low one inside") << QStringLiteral("a") + QChar(0xDF1E) + QStringLiteral("b")
                                    << bom + "a" + replacement + "b";
    QTest::newRow("pair stays whole")
        << QStringLiteral("a\U0001F31E") + QChar(0xD83C) << bom + "a\xf0\x9f\x8c\x9e" + replacement;
}

void TestTextFile::loneSurrogate()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    bool utf8 = false;
    QCOMPARE(EncodeTableText(text, &utf8), bytes);
    QVERIFY(utf8);
    const QString path = FDir->filePath(QStringLiteral("surrogate.txt"));
    QString error;
    QVERIFY2(SaveTableText(path, text, &error), qPrintable(error));
    QCOMPARE(ReadFile(path), bytes);
}

void TestTextFile::replacesExistingFile()
{
    const QString path = FDir->filePath(QStringLiteral("old.txt"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("a much longer text that was there before\r\n");
    }
    QString error;
    QVERIFY2(SaveTableText(path, QStringLiteral("new\n"), &error), qPrintable(error));
    QCOMPARE(ReadFile(path), QByteArray("new\r\n"));
}

void TestTextFile::failedWrite_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::newRow("missing folder") << "no/such/folder/VantuTab.txt";
    QTest::newRow("a folder's name") << "folder";
    QTest::newRow("read-only folder") << "readonly/VantuTab.txt";
}

void TestTextFile::failedWrite()
{
    QFETCH(QString, relativePath);
    QVERIFY(QDir(FDir->path()).mkdir(QStringLiteral("folder")));
    QVERIFY(QDir(FDir->path()).mkdir(QStringLiteral("readonly")));
    const QString readOnly = FDir->filePath(QStringLiteral("readonly"));
    QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner));
    if (relativePath.startsWith(QStringLiteral("readonly")) && QFileInfo(readOnly).isWritable())
        QSKIP("running with rights that ignore folder permissions");
    QString error;
    const bool saved = SaveTableText(FDir->filePath(relativePath), QStringLiteral("x\n"), &error);
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!saved);
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(FDir->filePath(QStringLiteral("folder"))).isDir());
    QVERIFY(QDir(readOnly).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void TestTextFile::emptyText()
{
    const QString path = FDir->filePath(QStringLiteral("empty.txt"));
    QString error;
    QVERIFY2(SaveTableText(path, QString(), &error), qPrintable(error));
    QVERIFY(QFileInfo::exists(path));
    QVERIFY(CanRead(path));
    QCOMPARE(ReadFile(path), QByteArray());
}

void TestTextFile::tableLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("one line without end") << "a" << QStringList{"a"};
    QTest::newRow("one line with end") << "a\r\n" << QStringList{"a"};
    QTest::newRow("month block with empty line") << "a\r\nb\r\n\r\n" << QStringList{"a", "b", ""};
    QTest::newRow("LF from the window") << "a\nb\n\n" << QStringList{"a", "b", ""};
    QTest::newRow("only a line end") << "\n" << QStringList{""};
    QTest::newRow("unfinished last line") << "a\nb" << QStringList{"a", "b"};
}

void TestTextFile::tableLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(TableLines(text), lines);
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
