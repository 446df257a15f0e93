#include "table/TextFile.h"

#include "common/AtomicFile.h"
#include <QStringEncoder>

QString WithCrLf(const QString &text)
{
    QString result;
    result.reserve(text.size() + text.size() / 32 + 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            result += QLatin1String("\r\n");
        } else if (c == QLatin1Char('\n')) {
            result += QLatin1String("\r\n");
        } else {
            result += c;
        }
    }
    return result;
}

QByteArray EncodeTableText(const QString &text, bool *usedUtf8)
{
    const QString crlf = WithCrLf(text);
    // Stateless, because a stateful encoder keeps a high surrogate that ends the
    // text for a partner still to come and drops it without an error.
    QStringEncoder cp1250("windows-1250", QStringConverter::Flag::Stateless);
    if (cp1250.isValid()) {
        QByteArray bytes = cp1250.encode(crlf);
        if (!cp1250.hasError()) {
            if (usedUtf8)
                *usedUtf8 = false;
            return bytes;
        }
    }
    // A character outside Windows-1250 (or no such codec at all): UTF-8 keeps
    // every character, and the byte-order mark tells editors what it is. A lone
    // surrogate, which no encoding holds, shows as U+FFFD wherever it stands.
    if (usedUtf8)
        *usedUtf8 = true;
    QStringEncoder utf8(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    return QByteArrayLiteral("\xEF\xBB\xBF") + utf8.encode(crlf);
}

bool SaveTableText(const QString &path, const QString &text, QString *error)
{
    return WriteFileAtomically(path, EncodeTableText(text), error);
}

QStringList TableLines(const QString &text)
{
    QStringList lines;
    QString current;
    bool open = false; // a line has begun that no line end has closed yet
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            lines << current;
            current.clear();
            open = false;
        } else {
            current += c;
            open = true;
        }
    }
    if (open)
        lines << current;
    return lines;
}
