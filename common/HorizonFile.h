// Horizon profile files: plain text, one "azimuth altitude" pair a line
// (degrees; separated by spaces, a tab or a comma), "#" comments and blank
// lines ignored; also a polygonal landscape's landscape.ini with its list of
// points in any of its angle modes. Qt Core only.
#pragma once

#include "common/Language.h"
#include "suntime/Horizon.h"

#include <QByteArray>
#include <QString>

#include <vector>

// The largest file read, bytes.
constexpr qint64 HorizonFileLimit = 1024 * 1024;

struct THorizonRead {
    std::vector<THorizonPoint> Points; // in the file's order; empty on failure
    QString Error; // one line in the language naming the file (and line); empty when read
    bool Ok() const { return Error.isEmpty(); }
};

// A profile file, or a landscape.ini naming one.
THorizonRead ReadHorizonFile(const QString &path, TLanguage language);
// The text of a profile file; name stands for the file in messages.
THorizonRead ParseHorizonText(const QByteArray &bytes, const QString &name, TLanguage language);
// A profile as the program writes it: a comment line, then "azimuth altitude"
// lines with the point as decimal separator.
QByteArray HorizonText(const std::vector<THorizonPoint> &points);
