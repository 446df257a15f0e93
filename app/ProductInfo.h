// Who makes Vantu and where its pages are: the one place for these data.
#pragma once

#include "common/Language.h"
#include "common/Version.h"

#include <QString>
#include <QUrl>

namespace ProductInfo
{

// Caption of the application's general error box.
inline constexpr char ApplicationTitle[] = VANTU_APPLICATION_TITLE;
inline constexpr char ProductName[] = "VANTU v" VANTU_VERSION;
// The two lines about the makers in the about box.
inline constexpr char MakerLine1[] = "Vantu developers";
inline constexpr char MakerLine2[] = "The Vantu project";

// The project has no web site. While an address here is empty, the about
// box's link and the on-line help use the local help page of the language in
// force instead, so that no invented address is ever shown or opened.
inline constexpr char WebAddress[] = "";
inline constexpr const char *OnlineHelpAddress[LanguageCount] = {"", "", ""};

// Local help pages by language (Slovak, English, Hungarian), relative to the
// working folder.
inline constexpr const char *LocalHelpPage[LanguageCount] = {"help/vantu.htm", "help/vantu_en.htm",
                                                             "help/vantu_hu.htm"};

// The local help page of a language as a file URL, resolved against the
// current folder now.
QUrl LocalHelpUrl(TLanguage language);
QUrl OnlineHelpUrl(TLanguage language);
// The about box's link: its text and where it leads.
QString WebLinkText(TLanguage language);
QUrl WebLinkUrl(TLanguage language);

} // namespace ProductInfo
