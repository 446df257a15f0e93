// A small settings file in the Windows INI format: sections in square
// brackets, key=value lines. Reads a key with a default and writes keys while
// keeping every other line of the file as it was.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class TIniFile
{
public:
    // Reads the file at once; a missing or unreadable file reads as empty.
    explicit TIniFile(const QString &path);

    // Section and key names are matched without regard to case and with the
    // blanks around them ignored. A key that is missing, or whose value is
    // not a whole decimal number in the 32-bit range, gives the default.
    int ReadInteger(const QString &section, const QString &key, int defaultValue) const;

    // A decimal number with an optional sign and a point before its
    // fraction ("-4", "10.5"); the default for anything else.
    double ReadDecimal(const QString &section, const QString &key, double defaultValue) const;

    // Changes the key in memory; UpdateFile stores it.
    void WriteInteger(const QString &section, const QString &key, int value);

    // Writes the keys given to WriteInteger into the file as it is on disk
    // now, atomically (temporary file in the same folder, then rename).
    // On failure the file is left as it was and *error says why.
    bool UpdateFile(QString *error = nullptr);

    QString Path() const;

    // Larger files are taken for something that is not a settings file:
    // nothing is read from them and they are never rewritten.
    static constexpr qint64 MaxFileSize = 1024 * 1024;

private:
    struct Line {
        QByteArray text;   // without its line ending
        QByteArray ending; // "\r\n", "\n" or empty for a last line without one
    };
    struct PendingWrite {
        QString section;
        QString key;
        int value;
    };
    enum class LoadResult { Loaded, Missing, Unreadable, TooLarge, NotAFile };

    LoadResult Load();
    void Apply(const PendingWrite &write);
    int FindSection(const QString &section) const;
    int SectionEnd(int header) const;
    int FindKey(int header, const QString &key) const;
    QByteArray Serialize() const;

    QString m_path;
    QByteArray m_bom;
    QByteArray m_newLine;
    QList<Line> m_lines;
    QList<PendingWrite> m_pending;
};
