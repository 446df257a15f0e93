// Result lines and the results table file: any name, dates and times build a
// line without a crash, and the bytes written decode back to the same text.
#include "FuzzSupport.h"
#include "suntime/DateUtil.h"
#include "suntime/SunTime.h"
#include "table/ResultLines.h"
#include "table/TextFile.h"

#include <QLocale>
#include <QStringDecoder>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace
{

const QLocale &PickLocale(FuzzedDataProvider &provider)
{
    // Month names in Latin, Cyrillic, Arabic and Han script; time
    // separators ":" and ".".
    static const std::vector<QLocale> locales = {
        QLocale::c(),
        QLocale(QLocale::Slovak, QLocale::Slovakia),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::Hungarian, QLocale::Hungary),
        QLocale(QLocale::Finnish, QLocale::Finland),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::Russian, QLocale::Russia),
        QLocale(QLocale::Arabic, QLocale::Egypt),
        QLocale(QLocale::Chinese, QLocale::China),
    };
    return locales[provider.ConsumeIntegralInRange<std::size_t>(0, locales.size() - 1)];
}

// Any bit pattern (NaN, infinities, huge), a date of the years 1 to 9999, or no event.
double ConsumeDate(FuzzedDataProvider &provider)
{
    switch (provider.ConsumeIntegralInRange(0, 2)) {
    case 0: {
        const uint64_t bits = provider.ConsumeIntegral<uint64_t>();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    case 1:
        return provider.ConsumeFloatingPointInRange(-693593.0, 2958466.0);
    default:
        return 0;
    }
}

// Raw bytes taken pairwise as UTF-16 code units, lone surrogates included.
QString Utf16FromBytes(const std::string &bytes)
{
    QString text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += QChar(char16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
    return text;
}

// A lone surrogate is no character and has no UTF-8 form; the most a writer
// can do is to mark its place with U+FFFD instead of dropping it unseen.
QString WithLoneSurrogatesReplaced(const QString &text)
{
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (out[i].isHighSurrogate() && i + 1 < out.size() && out[i + 1].isLowSurrogate())
            ++i;
        else if (out[i].isSurrogate())
            out[i] = QChar::ReplacementCharacter;
    }
    return out;
}

bool IsTwoDigits(QStringView text, int limit)
{
    return text.size() == 2 && text[0].isDigit() && text[1].isDigit() && text.toInt() < limit &&
           text[0].unicode() < 0x80 && text[1].unicode() < 0x80;
}

// "hh:nn:ss" with the locale's separator, or the no-event text for 0.
void CheckEventTime(double value, const QString &noEventText, const QLocale &locale)
{
    const QString text = FormatEventTime(value, noEventText, locale);
    if (value == 0) {
        FUZZ_REQUIRE(text == noEventText, Escaped(text));
        return;
    }
    const QString sep = TimeSeparator(locale);
    const qsizetype n = sep.size();
    FUZZ_REQUIRE(text.size() == 6 + 2 * n, Escaped(text));
    FUZZ_REQUIRE(IsTwoDigits(QStringView(text).mid(0, 2), 24), Escaped(text));
    FUZZ_REQUIRE(QStringView(text).mid(2, n) == sep, Escaped(text));
    FUZZ_REQUIRE(IsTwoDigits(QStringView(text).mid(2 + n, 2), 60), Escaped(text));
    FUZZ_REQUIRE(QStringView(text).mid(4 + n, n) == sep, Escaped(text));
    FUZZ_REQUIRE(IsTwoDigits(QStringView(text).mid(4 + 2 * n, 2), 60), Escaped(text));
}

// "dd.MMM.yyyy": a day of the month, the month's name, a year of at least four digits.
void CheckLineDate(double date, const QLocale &locale)
{
    const QString text = FormatLineDate(date, locale);
    FUZZ_REQUIRE(text.size() >= 9 && IsTwoDigits(QStringView(text).left(2), 32) && text[2] == u'.',
                 Escaped(text));
    const qsizetype yearDot = text.lastIndexOf(u'.');
    FUZZ_REQUIRE(yearDot > 2, Escaped(text));
    QStringView year = QStringView(text).mid(yearDot + 1);
    if (year.startsWith(u'-'))
        year = year.mid(1);
    FUZZ_REQUIRE(year.size() >= 4, Escaped(text));
    for (const QChar c : year)
        FUZZ_REQUIRE(c >= u'0' && c <= u'9', Escaped(text));
}

void CheckLineEnds(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r')
            FUZZ_REQUIRE(i + 1 < text.size() && text[i + 1] == u'\n', Escaped(text));
        else if (text[i] == u'\n')
            FUZZ_REQUIRE(i > 0 && text[i - 1] == u'\r', Escaped(text));
    }
}

// The bytes of the table file give back exactly the text with CR LF line ends.
void CheckTableFile(const QString &text)
{
    const QString crlf = WithCrLf(text);
    CheckLineEnds(crlf);
    FUZZ_REQUIRE(WithCrLf(crlf) == crlf, Escaped(crlf));
    FUZZ_REQUIRE(TableLines(crlf) == TableLines(text), Escaped(text));

    bool usedUtf8 = true;
    const QByteArray bytes = EncodeTableText(text, &usedUtf8);
    bool ascii = true;
    for (const QChar c : crlf)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        FUZZ_REQUIRE(!usedUtf8 && bytes == crlf.toLatin1(), Escaped(crlf));

    if (!usedUtf8) {
        QStringDecoder cp1250("windows-1250");
        FUZZ_REQUIRE(cp1250.isValid(), QString());
        const QString decoded = cp1250.decode(bytes);
        FUZZ_REQUIRE(!cp1250.hasError() && decoded == crlf,
                     Escaped(crlf) + QStringLiteral("\ndecoded: ") + Escaped(decoded));
        return;
    }
    const QByteArray bom("\xEF\xBB\xBF");
    FUZZ_REQUIRE(bytes.startsWith(bom) && !ascii, Escaped(crlf));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString decoded = utf8.decode(bytes.mid(bom.size()));
    const QString expected = WithLoneSurrogatesReplaced(crlf);
    FUZZ_REQUIRE(!utf8.hasError() && decoded == expected,
                 Escaped(crlf) + QStringLiteral("\ndecoded: ") + Escaped(decoded));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider provider(data, size);
    const QLocale &locale = PickLocale(provider);
    const double date = ConsumeDate(provider);
    const double sunrise = ConsumeDate(provider);
    const double noon = ConsumeDate(provider);
    const double sunset = ConsumeDate(provider);
    const double latitude = provider.ConsumeFloatingPointInRange(-90.0, 90.0);
    const double longitude = provider.ConsumeFloatingPointInRange(-180.0, 180.0);
    const double zone = provider.ConsumeFloatingPointInRange(-12.0, 12.0);
    const int year = provider.ConsumeIntegralInRange(-20, 10020);
    const int month = provider.ConsumeIntegralInRange(0, 13);
    const QString tag = QString::fromUtf8(provider.ConsumeRandomLengthString(32));
    const QString noEventText = QString::fromUtf8(provider.ConsumeRandomLengthString(32));
    const QString extra = QString::fromUtf8(provider.ConsumeRandomLengthString(256));
    const QString name = Utf16FromBytes(provider.ConsumeRemainingBytesAsString());

    const QString line =
        BuildResultLine(name, date, tag, sunrise, noon, sunset, noEventText, locale);
    FUZZ_REQUIRE(line.startsWith(name + QStringLiteral(", ")) && line.endsWith(ResultLineEnd),
                 Escaped(line));
    CheckLineDate(date, locale);
    CheckEventTime(sunrise, noEventText, locale);
    CheckEventTime(noon, noEventText, locale);
    CheckEventTime(sunset, noEventText, locale);

    TSunTime sun;
    sun.SetTimeZone(zone);
    sun.Latitude().SetValue(latitude);
    sun.Longitude().SetValue(longitude);
    const QString dayLine = ResultLineFor(sun, date, name, tag, noEventText, locale);
    FUZZ_REQUIRE(dayLine.startsWith(name) && dayLine.endsWith(ResultLineEnd), Escaped(dayLine));
    const double dayBefore = sun.Date();
    const QStringList month_ = MonthResultLines(sun, year, month, name, tag, noEventText, locale);
    FUZZ_REQUIRE(month_.size() == DateUtil::DaysInMonth(year, month), Escaped(month_.join("")));
    FUZZ_REQUIRE(sun.Date() == dayBefore, QString());

    CheckTableFile(line + dayLine + month_.join(QString()) + extra);
    CheckTableFile(extra);
    // The table is edited by hand too, so any text may end the file.
    CheckTableFile(extra + name);
    return 0;
}
