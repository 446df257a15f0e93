// The main window's words that the command-line tool shows too, so that its
// lines read like the program's results table. By language index (0 Slovak,
// 1 English, 2 Hungarian): mainwindow/LanguageTexts.h still has its own
// language enum, which clashes with common/Language.h, so only this file
// includes it.
#pragma once

#include <QString>

// "nenastáva" / "N/A" / "nincs".
QString MainNoEventText(int languageIndex);

// The tags between date and times: ", [UTC] =>   " and its kin.
enum class TMainTag { Utc, Cet, Cest, Local };
QString MainResultTag(int languageIndex, TMainTag tag);
