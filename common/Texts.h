// Texts of the program are UTF-8 literals in tables of their own; this turns
// one into a QString.
#pragma once

#include <QString>

inline QString TextOf(const char *utf8)
{
    return QString::fromUtf8(utf8);
}
