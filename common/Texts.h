// The program's texts: each one a UTF-8 literal in the three interface
// languages side by side. Every window keeps its texts as a table of such
// entries and takes them in the language in force through TextIn.
#pragma once

#include "common/Language.h"

#include <QLocale>
#include <QString>

// Slovak, English and Hungarian, the order of TLanguage.
struct TText {
    const char *Sk;
    const char *En;
    const char *Hu;
};

inline QString TextIn(const TText &text, TLanguage language)
{
    const char *const literals[LanguageCount] = {text.Sk, text.En, text.Hu};
    return QString::fromUtf8(ForLanguage(literals, language));
}

// Numbers and dates written the way the language writes them.
inline QLocale LocaleOf(TLanguage language);

// A number with so many decimals and the language's decimal mark ("32,1"
// in Slovak and Hungarian), for text meant to be read; files meant for
// programs keep the point.
inline QString DecimalText(double value, int decimals, TLanguage language)
{
    return QString::number(value, 'f', decimals)
        .replace(QLatin1Char('.'), LocaleOf(language).decimalPoint());
}

inline QLocale LocaleOf(TLanguage language)
{
    switch (language) {
    case TLanguage::Slovak:
        return QLocale(QLocale::Slovak, QLocale::Slovakia);
    case TLanguage::Hungarian:
        return QLocale(QLocale::Hungarian, QLocale::Hungary);
    case TLanguage::English:
        break;
    }
    return QLocale(QLocale::English, QLocale::UnitedKingdom);
}
