// Qt's own texts (file and print dialogs, the text fields' context menus) in
// the interface language, from the system's Qt translations.
#pragma once

#include "common/Language.h"

// Loads qtbase_<code>.qm for the language, replacing the one loaded before;
// English needs none. False when the translation is not installed: Qt's
// dialogs then stay in English.
bool ApplyQtTranslations(TLanguage language);
