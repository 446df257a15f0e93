// A gettext catalogue (.mo file) read without gettext: the interface language
// need not be installed as a system locale for its names to be shown.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

class TMessageCatalogue
{
public:
    // Reads the whole catalogue; false and the reason in *error when the file
    // is missing or not a catalogue, leaving the catalogue empty.
    bool Load(const QString &path, QString *error = nullptr);
    // Takes the file's bytes, for catalogues not on disk.
    bool Parse(const QByteArray &bytes, QString *error = nullptr);

    // The translation (UTF-8 catalogues), or an empty string when the
    // catalogue has none.
    QString Translate(QByteArrayView id) const;
    int Count() const { return int(FEntries.size()); }
    // The id and the translation of message i (0 ... Count() - 1), in the
    // order of the ids, as UTF-8 bytes that live as long as the catalogue.
    QByteArrayView IdAt(int i) const { return IdOf(FEntries[size_t(i)]); }
    QByteArrayView TextAt(int i) const
    {
        const TEntry &e = FEntries[size_t(i)];
        return QByteArrayView(FBytes.constData() + e.Text, e.TextLength);
    }

    // <localeFolder>/<language>/LC_MESSAGES/<domain>.mo
    static QString PathFor(const QString &localeFolder, const QString &language,
                           const QString &domain);

private:
    // Texts stay in the file's bytes, decoded only when asked for: loading a
    // large catalogue costs one read and one sort check.
    struct TEntry {
        quint32 Id, IdLength, Text, TextLength;
    };
    QByteArray FBytes;
    std::vector<TEntry> FEntries; // by id, for binary search

    QByteArrayView IdOf(const TEntry &entry) const
    {
        return QByteArrayView(FBytes.constData() + entry.Id, entry.IdLength);
    }
};
