// Every text of the main window in the three interface languages: the named
// texts it composes or passes on, and the table of texts its controls, menus
// and menu items receive by name. TfrmVantu::ApplyLanguage applies them.
#pragma once

#include "common/Texts.h"
#include "table/ResultLines.h"

#include <vector>

// A text that a control, menu or menu item of the main window receives.
struct TNamedText {
    const char *ObjectName;
    TText Text;
};

namespace MainText
{

inline constexpr TText DayWord{"deň", "day", "nap"};
inline constexpr const TText &NoEventText = NoEventWord;
inline constexpr TText RecordNoText{" Záznam číslo: ", " Record No.: ", " Adatszám: "};
inline constexpr TText OwnDataText{" Vkladáte vlastné údaje", " Fill in your dates",
                                   " Saját adat belépése"};

// Caption of the results group, one per time format.
inline constexpr TText ResultsCaptionUtc{" Výsledky v UTC ", " Results in UTC ",
                                         " Eredmény UTC-ben "};
inline constexpr TText ResultsCaptionCet{" Výsledky v SEČ ", " Results in CET ",
                                         " Eredmény CET-ben "};
inline constexpr TText ResultsCaptionCest{" Výsledky v SELČ ", " Results in CEST ",
                                          " Eredmény CEST-ben "};
inline constexpr TText ResultsCaptionLocal{
    " Výsledky podľa časovej zóny ", " Results in local time ", " Eredmények helyi idő szerint "};

// Titles of the windows the main window opens.
inline constexpr TText WorldMapTitle{" Mapa sveta", " Chart of the World", " A Föld térképe"};
inline constexpr TText SlovakiaMapTitle{" Mapa Slovenska", " Chart of Slovakia",
                                        " Szlovákia térképe"};
inline constexpr TText AboutTitle{" O programe ...", " About ...", " A programról ..."};
inline constexpr TText TableTitle{" Tabuľka výsledkov", " Table of results",
                                  " Eredmények táblázata"};
inline constexpr TText MoonPhaseTitle{" Fáza Mesiaca", " Moon phase", " Holdfázis"};

// Column titles of the locality grid; the marks stand for degrees, minutes
// and seconds.
inline constexpr TText GridHeaderText[] = {
    {"Lokalita", "Locality", "Helyszín"},
    {"Hod.", "Hour", "Óra"},
    {"Min.", "Min.", "Perc"},
    {"ZŠ °", "Lat. °", "Sz. °"},
    {"ZŠ ´", "Lat. ´", "Sz. ´"},
    {"ZŠ ˝", "Lat. ˝", "Sz. ˝"},
    {"N/S", "N/S", "N/S"},
    {"ZD °", "Long.°", "H. °"},
    {"ZD ´", "Long.´", "H. ´"},
    {"ZD ˝", "Long.˝", "H. ˝"},
    {"E/W", "E/W", "E/W"},
};

// The close refused while the results table holds unsaved lines.
inline constexpr TText CloseRefusedCaption{" Upozornenie", " Warning", " Figyelmeztetés"};
inline constexpr TText CloseRefusedText{"Tabuľka výsledkov nie je uložená",
                                        "Table of results is not saved", "A táblázat nincs mentve"};
// The exit timer after a damaged locality file.
inline constexpr TText ProgramAbortedText{"Koniec programu", "Program aborted",
                                          "Kilépés a programból"};
// The settings file could not be written; %1 = its path. The box's caption is
// that of every file box.
inline constexpr TText IniWriteErrorText{"Nastavenia sa nepodarilo uložiť do súboru »%1«.",
                                         "The settings could not be saved to »%1«.",
                                         "A beállításokat nem sikerült menteni: »%1«."};

// Captions, in the order they are applied: labels, groups and radio buttons
// (not the results group, whose caption follows the time format), then the
// menus and menu items in menu order.
const std::vector<TNamedText> &Captions();
// Hints, shown in the status bar: the controls', then the menu items' in menu
// order. The toolbar button of an item's command takes a copy of its hint.
const std::vector<TNamedText> &Hints();

} // namespace MainText
