// The three interface languages.
#pragma once

#include <optional>

enum class TLanguage { Slovak = 0, English = 1, Hungarian = 2 };
constexpr int LanguageCount = 3;

// The language of a stored or typed number (0 Slovak, 1 English, 2 Hungarian);
// nothing for any other number. The one place where a number becomes a language.
inline std::optional<TLanguage> LanguageFromIndex(int index)
{
    if (index < 0 || index >= LanguageCount)
        return std::nullopt;
    return static_cast<TLanguage>(index);
}

inline int LanguageIndexOf(TLanguage language)
{
    return static_cast<int>(language);
}

// Picks the entry of a language from a table with one entry per language, in
// the order Slovak, English, Hungarian.
template <typename T> const T &ForLanguage(const T (&table)[LanguageCount], TLanguage language)
{
    return table[LanguageIndexOf(language)];
}
