// Strict reading of whole numbers typed by users or stored in files.
#pragma once

#include <QStringView>

// True when the whole text is an optional sign followed by decimal digits
// (ASCII only) and the number fits in an int; the number goes to *result.
// Blanks are not skipped: callers trim what they allow.
bool ParseStrictInteger(QStringView text, int *result);
