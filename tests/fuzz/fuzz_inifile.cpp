// Settings file: any file content reads without a crash; the four settings
// written come back, and every other line of the file stays as it was.
#include "FuzzSupport.h"
#include "mainwindow/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>

namespace
{

// Every update syncs the file to disk, which takes milliseconds on a disk and
// nothing on a memory file system; there the fuzzer runs many times faster.
// A TMPDIR that is set (run_fuzzers.sh sets one) is used as it is.
QString ScratchTemplate()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    const bool useShm = qEnvironmentVariableIsEmpty("TMPDIR") && shm.isDir() && shm.isWritable();
    return (useShm ? shm.filePath() : QDir::tempPath()) + QStringLiteral("/fuzz_inifile-XXXXXX");
}

struct Setting {
    const char *Section;
    const char *Key;
    int Default;
};

// The program's own settings, in the order it writes them.
const std::array<Setting, 4> Settings = {{{"Poloha", "vlavo", 50},
                                          {"Poloha", "hore", 50},
                                          {"Nastavenie", "jazyk", 0},
                                          {"Nastavenie", "formatcasu", 1}}};

struct RawLine {
    QByteArray Text;   // without the line ending
    QByteArray Ending; // "\r\n", "\n" or empty
};

// Split as a reader of the file sees it: at each LF, a CR before it belongs
// to the ending.
QList<RawLine> SplitLines(const QByteArray &data)
{
    QList<RawLine> lines;
    qsizetype pos = 0;
    while (pos < data.size()) {
        const qsizetype lf = data.indexOf('\n', pos);
        if (lf < 0) {
            lines.append({data.mid(pos), QByteArray()});
            break;
        }
        qsizetype end = lf;
        if (end > pos && data[end - 1] == '\r')
            --end;
        lines.append({data.mid(pos, end - pos), data.mid(end, lf + 1 - end)});
        pos = lf + 1;
    }
    return lines;
}

// Both are "key=value" lines of the same key: blanks around the key and its
// case do not count. Comment and section lines hold no key.
bool SameKey(const QByteArray &oldLine, const QByteArray &newLine)
{
    const QByteArray old = oldLine.trimmed();
    if (old.startsWith(';') || old.startsWith('#') || old.startsWith('['))
        return false;
    const qsizetype oldEq = old.indexOf('=');
    const qsizetype newEq = newLine.indexOf('=');
    if (oldEq <= 0 || newEq <= 0)
        return false;
    return QString::fromUtf8(old.left(oldEq).trimmed())
               .compare(QString::fromUtf8(newLine.left(newEq)), Qt::CaseInsensitive) == 0;
}

QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    FUZZ_REQUIRE(f.open(QIODevice::ReadOnly), path);
    return f.readAll();
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    FUZZ_REQUIRE(f.open(QIODevice::WriteOnly | QIODevice::Truncate), path);
    FUZZ_REQUIRE(f.write(bytes) == bytes.size(), path);
}

QString Detail(const QByteArray &before, const QByteArray &after)
{
    return QStringLiteral("before: ") + Escaped(before) + QStringLiteral("\nafter:  ") +
           Escaped(after);
}

// The new file is the old one with key lines of the written settings put in
// place of old lines or added, and section headers added; nothing else.
void CheckOtherLinesKept(const QByteArray &before, const QByteArray &after,
                         const std::array<int, 4> &values)
{
    QList<QByteArray> added = {"[Poloha]", "[Nastavenie]"};
    for (std::size_t i = 0; i < Settings.size(); ++i)
        added << QByteArray(Settings[i].Key) + '=' + QByteArray::number(values[i]);

    const QByteArray bom("\xEF\xBB\xBF");
    const bool hadBom = before.startsWith(bom);
    FUZZ_REQUIRE(after.startsWith(bom) == hadBom, Detail(before, after));
    const QList<RawLine> oldLines = SplitLines(hadBom ? before.mid(3) : before);
    const QList<RawLine> newLines = SplitLines(hadBom ? after.mid(3) : after);

    qsizetype j = 0;
    for (qsizetype i = 0; i < oldLines.size(); ++i) {
        const RawLine &o = oldLines[i];
        // Only a last line without an ending may gain one.
        const bool endingMayChange = i == oldLines.size() - 1 && o.Ending.isEmpty();
        for (;;) {
            FUZZ_REQUIRE(j < newLines.size(),
                         QStringLiteral("line %1 lost\n").arg(i + 1) + Detail(before, after));
            const RawLine &n = newLines[j];
            const bool sameEnding = n.Ending == o.Ending || endingMayChange;
            // Compared as bytes: a last line "x\r" that gains "\n" reads back as "x".
            const QByteArray oldBytes = o.Text + o.Ending;
            const QByteArray newBytes = n.Text + n.Ending;
            if (newBytes == oldBytes || (endingMayChange && (newBytes == oldBytes + '\n' ||
                                                             newBytes == oldBytes + "\r\n"))) {
                ++j;
                break;
            }
            FUZZ_REQUIRE(added.contains(n.Text),
                         QStringLiteral("line %1 changed\n").arg(i + 1) + Detail(before, after));
            ++j;
            // A key line of a setting takes the place of the old line of that key.
            if (sameEnding && SameKey(o.Text, n.Text))
                break;
        }
    }
    for (; j < newLines.size(); ++j)
        FUZZ_REQUIRE(added.contains(newLines[j].Text),
                     QStringLiteral("stray line %1\n").arg(j + 1) + Detail(before, after));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QTemporaryDir dir(ScratchTemplate());
    FUZZ_REQUIRE(dir.isValid(), dir.errorString());
    const QString path = dir.filePath(QStringLiteral("vantu.ini"));

    FuzzedDataProvider provider(data, size);
    std::array<int, 4> values{};
    for (int &v : values)
        v = provider.ConsumeIntegral<int>();
    const bool fileExists = provider.ConsumeBool();
    const bool writeTwice = provider.ConsumeBool();
    const std::vector<uint8_t> rest = provider.ConsumeRemainingBytes<uint8_t>();
    const QByteArray before(reinterpret_cast<const char *>(rest.data()), qsizetype(rest.size()));

    QFile::remove(path);
    if (fileExists)
        WriteFile(path, before);

    TIniFile ini(path);
    for (const Setting &s : Settings) {
        const QString section = QString::fromLatin1(s.Section);
        const QString key = QString::fromLatin1(s.Key);
        // A value read is the same whatever the default, unless it is the default.
        const int read = ini.ReadInteger(section, key, s.Default);
        const int other = ini.ReadInteger(section, key, ~s.Default);
        FUZZ_REQUIRE(read == other || (read == s.Default && other == ~s.Default), Escaped(before));
    }
    for (std::size_t i = 0; i < Settings.size(); ++i) {
        const QString section = QString::fromLatin1(Settings[i].Section);
        const QString key = QString::fromLatin1(Settings[i].Key);
        ini.WriteInteger(section, key, values[i]);
        FUZZ_REQUIRE(ini.ReadInteger(section, key, ~values[i]) == values[i], Escaped(before));
    }

    QString error;
    const bool updated = ini.UpdateFile(&error);
    if (before.size() > TIniFile::MaxFileSize) {
        FUZZ_REQUIRE(!updated && !error.isEmpty(), error);
        FUZZ_REQUIRE(ReadFile(path) == before, QStringLiteral("a large file was changed"));
        return 0;
    }
    FUZZ_REQUIRE(updated, error);
    const QByteArray after = ReadFile(path);

    TIniFile back(path);
    for (std::size_t i = 0; i < Settings.size(); ++i) {
        const int got = back.ReadInteger(QString::fromLatin1(Settings[i].Section),
                                         QString::fromLatin1(Settings[i].Key), ~values[i]);
        FUZZ_REQUIRE(got == values[i], QStringLiteral("%1 read back as %2 instead of %3\n")
                                               .arg(QLatin1String(Settings[i].Key))
                                               .arg(got)
                                               .arg(values[i]) +
                                           Detail(before, after));
    }
    CheckOtherLinesKept(fileExists ? before : QByteArray(), after, values);

    // Writing the same values again changes nothing. Not every time: each
    // reading of the file costs more than all the rest.
    if (!writeTwice)
        return 0;
    for (std::size_t i = 0; i < Settings.size(); ++i)
        back.WriteInteger(QString::fromLatin1(Settings[i].Section),
                          QString::fromLatin1(Settings[i].Key), values[i]);
    FUZZ_REQUIRE(back.UpdateFile(&error), error);
    FUZZ_REQUIRE(ReadFile(path) == after, Detail(after, ReadFile(path)));
    return 0;
}
