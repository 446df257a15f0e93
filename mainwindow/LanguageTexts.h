// Every text of the main window in the three interface languages, as data:
// one table per language, applied by TfrmVantu::ApplyLanguage.
#pragma once

#include "common/Language.h"

#include <QString>
#include <array>

// A control (or menu item) by objectName with the text it receives.
struct TNamedText {
    const char *objectName;
    const char *text; // UTF-8
};

struct TLanguageTexts {
    // Shared words and composed-text parts ("slots").
    const char *DayWord;
    const char *NoEventText;
    const char *RecordNoText;
    const char *OwnDataText;
    const char *ResultsCaptionUtc;
    const char *ResultsCaptionCet;
    const char *ResultsCaptionCest;
    const char *ResultsCaptionLocal;
    const char *ResultTagUtc;
    const char *ResultTagCet;
    const char *ResultTagCest;
    const char *ResultTagLocal;
    const char *WorldMapTitle;
    const char *SlovakiaMapTitle;
    const char *AboutTitle;
    const char *TableTitle;
    const char *MoonPhaseTitle;
    std::array<const char *, 11> GridHeaderText;

    // Captions of labels, groups and radio buttons (not grpVysledky, whose
    // caption follows the time format), in the order they are applied.
    std::array<TNamedText, 16> Captions;
    // Menu captions in menu order.
    std::array<TNamedText, 24> MenuCaptions;
    // Hints of controls, in the order they are applied.
    std::array<TNamedText, 19> ControlHints;
    // Hints of menu items in menu order; the toolbar button of the same
    // command gets a copy (the command table knows which).
    std::array<TNamedText, 21> MenuHints;

    // Messages of the main window.
    const char *CloseRefusedCaption; // table of results not saved
    const char *CloseRefusedText;
    const char *ProgramAbortedText;   // exit timer after a damaged database
    const char *IniWriteErrorCaption; // settings file could not be written
    const char *IniWriteErrorText;    // %1 = file name
};

const TLanguageTexts &LanguageTexts(TLanguage language);
