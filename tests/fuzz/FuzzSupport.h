// Shared by the fuzz targets: a check that stops the run with a readable
// reason, so libFuzzer saves the input as a crash.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void FuzzFailure(const char *file, int line, const char *condition,
                                     const QString &detail)
{
    std::fprintf(stderr, "\n==FUZZ CHECK FAILED== %s:%d: %s\n", file, line, condition);
    if (!detail.isEmpty())
        std::fprintf(stderr, "%s\n", detail.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

// The detail is built only when the check fails.
#define FUZZ_REQUIRE(condition, detail)                                                            \
    do {                                                                                           \
        if (!(condition))                                                                          \
            FuzzFailure(__FILE__, __LINE__, #condition, (detail));                                 \
    } while (false)

// Bytes as "\xNN" escapes beyond printable ASCII, for failure messages.
inline QString Escaped(const QByteArray &bytes)
{
    QString out;
    for (const char c : bytes) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && u != '\\')
            out += QLatin1Char(c);
        else
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
    }
    return out;
}

inline QString Escaped(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u < 0x7F && u != u'\\')
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
    }
    return out;
}
