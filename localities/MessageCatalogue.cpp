#include "localities/MessageCatalogue.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <string_view>

namespace
{

constexpr quint32 Magic = 0x950412de;
constexpr quint32 SwappedMagic = 0xde120495;
constexpr int HeaderSize = 28;

struct TSpan {
    quint32 Start = 0, Length = 0;
};

class TReader
{
public:
    TReader(const QByteArray &bytes, bool swapped) : FBytes(bytes), FSwapped(swapped) {}

    // Unsigned 32-bit word at offset; false when it lies outside the file.
    bool Word(quint64 offset, quint32 &value) const
    {
        if (offset + 4 > quint64(FBytes.size()))
            return false;
        const auto *p = reinterpret_cast<const uchar *>(FBytes.constData() + offset);
        value = FSwapped ? quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | p[3]
                         : quint32(p[3]) << 24 | quint32(p[2]) << 16 | quint32(p[1]) << 8 | p[0];
        return true;
    }

    // The string of the table entry at offset (length, then start); of plural
    // forms, separated by NUL, only the first.
    bool String(quint64 entry, TSpan &span) const
    {
        if (!Word(entry, span.Length) || !Word(entry + 4, span.Start))
            return false;
        if (quint64(span.Start) + span.Length > quint64(FBytes.size()))
            return false;
        const auto *start = FBytes.constData() + span.Start;
        if (const void *nul = memchr(start, 0, span.Length))
            span.Length = quint32(static_cast<const char *>(nul) - start);
        return true;
    }

private:
    const QByteArray &FBytes;
    bool FSwapped;
};

std::string_view View(QByteArrayView bytes)
{
    return std::string_view(bytes.data(), size_t(bytes.size()));
}

} // namespace

bool TMessageCatalogue::Load(const QString &path, QString *error)
{
    FBytes.clear();
    FEntries.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    if (!Parse(file.readAll(), error)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, *error);
        return false;
    }
    return true;
}

bool TMessageCatalogue::Parse(const QByteArray &bytes, QString *error)
{
    FBytes.clear();
    FEntries.clear();
    auto fail = [&](const char *why) {
        FEntries.clear();
        if (error)
            *error = QString::fromLatin1(why);
        return false;
    };
    if (bytes.size() < HeaderSize)
        return fail("not a message catalogue");
    quint32 magic = 0;
    TReader(bytes, false).Word(0, magic);
    if (magic != Magic && magic != SwappedMagic)
        return fail("not a message catalogue");
    const TReader reader(bytes, magic == SwappedMagic);
    quint32 revision = 0, count = 0, originals = 0, translations = 0;
    reader.Word(4, revision);
    reader.Word(8, count);
    reader.Word(12, originals);
    reader.Word(16, translations);
    // Minor revisions only add optional parts.
    if (revision >> 16 != 0)
        return fail("unknown catalogue revision");
    // Each message takes 8 bytes of each table: this bounds the count before
    // anything is reserved for it.
    if (quint64(count) * 16 > quint64(bytes.size()))
        return fail("damaged catalogue");
    FEntries.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        TSpan id, text;
        if (!reader.String(originals + quint64(i) * 8, id) ||
            !reader.String(translations + quint64(i) * 8, text))
            return fail("damaged catalogue");
        // The empty id carries the header, not a message.
        if (id.Length > 0)
            FEntries.push_back({id.Start, id.Length, text.Start, text.Length});
    }
    FBytes = bytes;
    // msgfmt writes the ids sorted; anything else is sorted here once.
    const auto byId = [this](const TEntry &a, const TEntry &b) {
        return View(IdOf(a)) < View(IdOf(b));
    };
    if (!std::is_sorted(FEntries.begin(), FEntries.end(), byId))
        std::stable_sort(FEntries.begin(), FEntries.end(), byId);
    return true;
}

QString TMessageCatalogue::Translate(QByteArrayView id) const
{
    const std::string_view wanted = View(id);
    const auto entry = std::lower_bound(
        FEntries.begin(), FEntries.end(), wanted,
        [this](const TEntry &e, std::string_view key) { return View(IdOf(e)) < key; });
    if (entry == FEntries.end() || View(IdOf(*entry)) != wanted)
        return QString();
    return QString::fromUtf8(FBytes.constData() + entry->Text, entry->TextLength);
}

QString TMessageCatalogue::PathFor(const QString &localeFolder, const QString &language,
                                   const QString &domain)
{
    return QStringLiteral("%1/%2/LC_MESSAGES/%3.mo").arg(localeFolder, language, domain);
}
