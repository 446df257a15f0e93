// The interface language in force, for what shows texts away from the main
// window: the main window sets it at start and at every switch. Message boxes
// name their buttons in it, and windows that show messages after a switch
// take their texts from it.
#pragma once

#include "common/Language.h"

void SetMessageLanguage(TLanguage language);
TLanguage MessageLanguage();
