#include "localities/FoldedName.h"

#include <QChar>
#include <QString>

namespace
{

// Letters that neither decomposition nor case folding take apart.
struct TSpecialLetter {
    char32_t Letter;
    const char16_t *Written;
};
const TSpecialLetter SpecialLetters[] = {
    {U'ß', u"ss"}, {U'æ', u"ae"}, {U'ð', u"d"}, {U'ø', u"o"},  {U'þ', u"th"}, {U'đ', u"d"},
    {U'ħ', u"h"},  {U'ı', u"i"},  {U'ł', u"l"}, {U'œ', u"oe"}, {U'ŧ', u"t"},
};

bool AppendSpecial(char32_t c, std::u16string &out)
{
    if (c < U'ß' || c > U'ŧ')
        return false;
    for (const TSpecialLetter &special : SpecialLetters) {
        if (special.Letter == c) {
            out += special.Written;
            return true;
        }
    }
    return false;
}

void AppendCodePoint(char32_t c, std::u16string &out)
{
    if (QChar::requiresSurrogates(c)) {
        out += char16_t(QChar::highSurrogate(c));
        out += char16_t(QChar::lowSurrogate(c));
    } else {
        out += char16_t(c);
    }
}

} // namespace

std::u16string FoldText(QStringView text, std::vector<char32_t> *others)
{
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    QString decomposed;
    if (!ascii) {
        decomposed = text.toString().normalized(QString::NormalizationForm_KD);
        text = decomposed;
    }
    std::u16string out;
    out.reserve(size_t(text.size()));
    bool gap = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing)
            continue;
        // Modifier letters are apostrophe-like marks here (ʻ, ʼ), not letters.
        if (!QChar::isLetterOrNumber(c) || category == QChar::Letter_Modifier) {
            if (others && !QChar::isSpace(c))
                others->push_back(c);
            gap = true;
            continue;
        }
        if (gap && !out.empty())
            out += u' ';
        gap = false;
        c = QChar::toCaseFolded(c);
        if (!AppendSpecial(c, out))
            AppendCodePoint(c, out);
    }
    return out;
}
