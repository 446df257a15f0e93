// The golden and blue hours' bounds as vantu.ini keeps them, in a section of
// their own beside the window's: [Svetlo] with modra_od (the blue hour's
// lower bound), zlata_od (where the blue hour gives way to the golden one)
// and zlata_do (the golden hour's upper bound), degrees of the Sun's centre.
// Only read: the program writes none of them, so the file stays as it was
// until the user adds the section.
#pragma once

#include "common/EventTexts.h"

class TIniFile;

// Each bound within -89 ... 89 and in rising order, or else all three
// defaults (-6, -4, 6): one mistyped bound must not leave a band that makes
// no sense.
TLightBands ReadLightBands(const TIniFile &ini);
