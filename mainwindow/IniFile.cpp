// Settings file in the INI format.
#include "mainwindow/IniFile.h"
#include "common/AtomicFile.h"
#include "common/IntegerText.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace
{

const QByteArray Utf8Bom("\xEF\xBB\xBF");

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArray Trimmed(const QByteArray &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

bool SameName(const QByteArray &inFile, const QString &wanted)
{
    return QString::fromUtf8(inFile).compare(wanted.trimmed(), Qt::CaseInsensitive) == 0;
}

// "[name]" with blanks allowed around and inside the brackets; text after
// the closing bracket is ignored.
bool SectionName(const QByteArray &line, QByteArray *name)
{
    const QByteArray t = Trimmed(line);
    if (!t.startsWith('['))
        return false;
    const qsizetype close = t.indexOf(']');
    if (close < 0)
        return false;
    *name = Trimmed(t.mid(1, close - 1));
    return true;
}

bool KeyLine(const QByteArray &line, QByteArray *key, QByteArray *value)
{
    const QByteArray t = Trimmed(line);
    if (t.isEmpty() || t.startsWith(';') || t.startsWith('#') || t.startsWith('['))
        return false;
    const qsizetype eq = t.indexOf('=');
    if (eq <= 0)
        return false;
    *key = Trimmed(t.left(eq));
    if (key->isEmpty())
        return false;
    *value = Trimmed(t.mid(eq + 1));
    return true;
}

} // namespace

TIniFile::TIniFile(const QString &path) : m_path(path)
{
    Load();
}

QString TIniFile::Path() const
{
    return m_path;
}

TIniFile::LoadResult TIniFile::Load()
{
    m_lines.clear();
    m_bom.clear();
    m_newLine = QByteArrayLiteral("\r\n");

    const QFileInfo info(m_path);
    if (!info.exists())
        return LoadResult::Missing;
    // Directories, pipes and devices are never read: a pipe would block and
    // a device could deliver without end.
    if (!info.isFile())
        return LoadResult::NotAFile;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return LoadResult::Unreadable;
    // The size told by the file system only sizes the first read (a buffer
    // of the largest size for every small file costs more than the parsing);
    // a file that grows meanwhile is read on up to the limit.
    if (file.size() > MaxFileSize)
        return LoadResult::TooLarge;
    QByteArray data = file.read(file.size() + 1);
    while (data.size() <= MaxFileSize && !file.atEnd()) {
        const QByteArray more = file.read(qMin<qint64>(MaxFileSize + 1 - data.size(), 16384));
        if (more.isEmpty())
            break;
        data += more;
    }
    if (file.error() != QFileDevice::NoError)
        return LoadResult::Unreadable;
    if (data.size() > MaxFileSize)
        return LoadResult::TooLarge;

    qsizetype pos = 0;
    if (data.startsWith(Utf8Bom)) {
        m_bom = Utf8Bom;
        pos = Utf8Bom.size();
    }
    bool newLineKnown = false;
    while (pos < data.size()) {
        const qsizetype lf = data.indexOf('\n', pos);
        Line line;
        if (lf < 0) {
            line.text = data.mid(pos);
            pos = data.size();
        } else {
            qsizetype end = lf;
            if (end > pos && data[end - 1] == '\r')
                --end;
            line.text = data.mid(pos, end - pos);
            line.ending = data.mid(end, lf + 1 - end);
            pos = lf + 1;
            if (!newLineKnown) {
                m_newLine = line.ending;
                newLineKnown = true;
            }
        }
        m_lines.append(line);
    }
    return LoadResult::Loaded;
}

int TIniFile::FindSection(const QString &section) const
{
    QByteArray name;
    for (int i = 0; i < m_lines.size(); ++i) {
        if (SectionName(m_lines[i].text, &name) && SameName(name, section))
            return i;
    }
    return -1;
}

int TIniFile::SectionEnd(int header) const
{
    QByteArray name;
    int i = header + 1;
    while (i < m_lines.size() && !SectionName(m_lines[i].text, &name))
        ++i;
    return i;
}

int TIniFile::FindKey(int header, const QString &key) const
{
    const int end = SectionEnd(header);
    QByteArray name;
    QByteArray value;
    for (int i = header + 1; i < end; ++i) {
        if (KeyLine(m_lines[i].text, &name, &value) && SameName(name, key))
            return i;
    }
    return -1;
}

int TIniFile::ReadInteger(const QString &section, const QString &key, int defaultValue) const
{
    const int header = FindSection(section);
    if (header < 0)
        return defaultValue;
    const int line = FindKey(header, key);
    if (line < 0)
        return defaultValue;
    QByteArray name;
    QByteArray value;
    KeyLine(m_lines[line].text, &name, &value);
    int result = 0;
    return ParseStrictInteger(QString::fromLatin1(value), &result) ? result : defaultValue;
}

double TIniFile::ReadDecimal(const QString &section, const QString &key, double defaultValue) const
{
    const int header = FindSection(section);
    const int line = header < 0 ? -1 : FindKey(header, key);
    if (line < 0)
        return defaultValue;
    QByteArray name;
    QByteArray value;
    KeyLine(m_lines[line].text, &name, &value);
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]{1,9}(\\.[0-9]{1,9})?$"));
    const QString text = QString::fromLatin1(value);
    return decimal.match(text).hasMatch() ? text.toDouble() : defaultValue;
}

void TIniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    const PendingWrite write{section.trimmed(), key.trimmed(), value};
    m_pending.append(write);
    Apply(write);
}

void TIniFile::Apply(const PendingWrite &write)
{
    const QByteArray keyLine = write.key.toUtf8() + '=' + QByteArray::number(write.value);
    const int header = FindSection(write.section);
    int insertAt;
    QList<Line> added;
    if (header < 0) {
        insertAt = m_lines.size();
        added.append(Line{'[' + write.section.toUtf8() + ']', m_newLine});
    } else {
        const int existing = FindKey(header, write.key);
        if (existing >= 0) {
            m_lines[existing].text = keyLine;
            return;
        }
        insertAt = SectionEnd(header);
        while (insertAt - 1 > header && Trimmed(m_lines[insertAt - 1].text).isEmpty())
            --insertAt;
    }
    added.append(Line{keyLine, m_newLine});
    // A last line without a line ending gets one before anything follows it.
    if (insertAt > 0 && m_lines[insertAt - 1].ending.isEmpty())
        m_lines[insertAt - 1].ending = m_newLine;
    for (const Line &line : added)
        m_lines.insert(insertAt++, line);
}

QByteArray TIniFile::Serialize() const
{
    QByteArray out = m_bom;
    for (const Line &line : m_lines)
        out += line.text + line.ending;
    return out;
}

bool TIniFile::UpdateFile(QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (m_pending.isEmpty())
        return true;

    // Start again from the file as it is now, so that changes made to it by
    // others since it was read are not undone.
    const LoadResult loaded = Load();
    for (const PendingWrite &write : m_pending)
        Apply(write);
    switch (loaded) {
    case LoadResult::Loaded:
    case LoadResult::Missing:
        break;
    case LoadResult::NotAFile:
        return fail(QStringLiteral("%1 is not a regular file.").arg(m_path));
    case LoadResult::Unreadable:
        return fail(QStringLiteral("%1 cannot be read, so it is left unchanged.").arg(m_path));
    case LoadResult::TooLarge:
        return fail(QStringLiteral("%1 is larger than %2 bytes, so it is left unchanged.")
                        .arg(m_path)
                        .arg(MaxFileSize));
    }

    QString why;
    if (!WriteFileAtomically(m_path, Serialize(), &why))
        return fail(QStringLiteral("%1 cannot be written: %2").arg(m_path, why));
    m_pending.clear();
    return true;
}
