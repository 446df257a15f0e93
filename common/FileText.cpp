#include "common/FileText.h"

#include "suntime/Instant.h"

#include <charconv>
#include <cmath>

namespace
{

constexpr int64_t MsPerDay = 86400000;

// Writes n as exactly two digits.
char *TwoDigits(char *p, int n)
{
    p[0] = char('0' + n / 10 % 10);
    p[1] = char('0' + n % 10);
    return p + 2;
}

char *WriteDate(char *p, qint64 year, int month, int day)
{
    if (year < 0) {
        *p++ = '-';
        year = -year;
    }
    if (year > 9999) {
        // The last day's evening on a clock far east of UTC reaches year 10000.
        const QByteArray digits = QByteArray::number(year);
        p = std::copy(digits.cbegin(), digits.cend(), p);
    } else {
        p = TwoDigits(p, int(year / 100 % 100));
        p = TwoDigits(p, int(year % 100));
    }
    *p++ = '-';
    p = TwoDigits(p, month);
    *p++ = '-';
    return TwoDigits(p, day);
}

// The wall-clock fields come from the moment's milliseconds and offset:
// QDateTime's own date() and time() cost several times more, and a year of
// many places formats millions of moments. At most 32 characters.
} // namespace

char *WriteIsoMoment(char *p, int64_t ms, int exact)
{
    // ISO 8601 offsets have no seconds. A local mean time's offset (such as
    // +00:57:44) goes to the nearest whole minute, and the clock reading with
    // it, so that the text still names the same second.
    const int offset = (exact >= 0 ? exact + 30 : exact - 30) / 60 * 60;
    const qint64 wall = ms + offset * qint64(1000);
    const qint64 days = wall >= 0 ? wall / MsPerDay : -((-wall + MsPerDay - 1) / MsPerDay);
    const int seconds = int((wall - days * MsPerDay) / 1000);
    const TCivilDate date = Civil::CivilFromDays(days);
    p = WriteDate(p, date.Year, date.Month, date.Day);
    *p++ = 'T';
    p = TwoDigits(p, seconds / 3600);
    *p++ = ':';
    p = TwoDigits(p, seconds / 60 % 60);
    *p++ = ':';
    p = TwoDigits(p, seconds % 60);
    const int a = std::abs(offset);
    *p++ = offset < 0 ? '-' : '+';
    p = TwoDigits(p, a / 3600);
    *p++ = ':';
    return TwoDigits(p, a / 60 % 60);
}

void AppendIsoMoment(QByteArray &out, int64_t ms, int offsetSeconds)
{
    char buffer[40];
    out.append(buffer, WriteIsoMoment(buffer, ms, offsetSeconds) - buffer);
}

char *WriteIsoDate(char *p, const QDate &date)
{
    int y = 0, m = 0, d = 0;
    date.getDate(&y, &m, &d);
    return WriteDate(p, y, m, d);
}

// "HH:MM:SS"; at most 16 characters for any int.
char *WriteDuration(char *p, int seconds)
{
    seconds = std::max(seconds, 0);
    const int hours = seconds / 3600;
    if (hours < 100) {
        p = TwoDigits(p, hours);
    } else {
        const QByteArray digits = QByteArray::number(hours);
        p = std::copy(digits.cbegin(), digits.cend(), p);
    }
    *p++ = ':';
    p = TwoDigits(p, seconds / 60 % 60);
    *p++ = ':';
    return TwoDigits(p, seconds % 60);
}

QByteArray FixedText(double value, int decimals)
{
    char buffer[40];
    if (!std::isfinite(value))
        return QByteArray();
    const std::to_chars_result r =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? QByteArray(buffer, r.ptr - buffer) : QByteArray();
}

// A JSON string (the few characters JSON requires escaped; the rest as UTF-8).
void AppendJsonString(QByteArray &out, const QString &text)
{
    out.append('"');
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"':
            out.append("\\\"");
            break;
        case '\\':
            out.append("\\\\");
            break;
        case '\n':
            out.append("\\n");
            break;
        case '\r':
            out.append("\\r");
            break;
        case '\t':
            out.append("\\t");
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                out.append("\\u00");
                out.append(
                    QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0'));
            } else {
                out.append(c);
            }
        }
    }
    out.append('"');
}

QString IsoMoment(const QDateTime &moment)
{
    QByteArray out;
    AppendIsoMoment(out, moment.toMSecsSinceEpoch(), moment.offsetFromUtc());
    return QString::fromLatin1(out);
}

QString OtherDateMark(const QDate &rowDate, const QDateTime &moment)
{
    const qint64 days = rowDate.daysTo(moment.date());
    if (days == 0)
        return QString();
    return QStringLiteral(" (%1%2)")
        .arg(days > 0 ? QChar(u'+') : QChar(0x2212))
        .arg(std::abs(days));
}

QString DurationText(int seconds)
{
    char buffer[16];
    return QString::fromLatin1(buffer, WriteDuration(buffer, seconds) - buffer);
}

QByteArray JsonString(const QString &text)
{
    QByteArray out;
    AppendJsonString(out, text);
    return out;
}

QString CsvField(const QString &text)
{
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                       text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    if (!quote)
        return text;
    QString inner = text;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QByteArray FoldContentLine(const QByteArray &line)
{
    constexpr int Limit = 75;
    QByteArray out;
    out.reserve(line.size() + line.size() / 60 * 3 + 2);
    qsizetype start = 0;
    int room = Limit; // the first physical line has no leading space
    while (line.size() - start > room) {
        qsizetype cut = start + room;
        // Step back off UTF-8 continuation bytes so a character stays whole.
        while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        if (cut == start)
            cut = start + room; // not UTF-8 at all; still keep the limit
        out.append(line.constData() + start, cut - start);
        out.append("\r\n ");
        start = cut;
        room = Limit - 1;
    }
    out.append(line.constData() + start, line.size() - start);
    out.append("\r\n");
    return out;
}

QString ICalendarText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(',')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c == QLatin1Char('\r')) {
            // CR LF and a lone CR are one line break each.
            out += QStringLiteral("\\n");
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out += QStringLiteral("\\n");
        } else if (c.unicode() < 0x20 && c != QLatin1Char('\t')) {
            // Other control characters are not allowed in TEXT.
        } else {
            out += c;
        }
    }
    return out;
}
