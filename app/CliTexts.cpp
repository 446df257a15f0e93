#include "app/CliTexts.h"

#include "mainwindow/LanguageTexts.h"

QString MainNoEventText(int languageIndex)
{
    return QString::fromUtf8(LanguageTexts(languageIndex).NoEventText);
}

QString MainResultTag(int languageIndex, TMainTag tag)
{
    const TLanguageTexts &texts = LanguageTexts(languageIndex);
    switch (tag) {
    case TMainTag::Utc:
        return QString::fromUtf8(texts.ResultTagUtc);
    case TMainTag::Cet:
        return QString::fromUtf8(texts.ResultTagCet);
    case TMainTag::Cest:
        return QString::fromUtf8(texts.ResultTagCest);
    case TMainTag::Local:
        return QString::fromUtf8(texts.ResultTagLocal);
    }
    return QString();
}
