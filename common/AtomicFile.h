// Replacing a file so that it is at every moment either the old or the new
// complete content: a temporary file beside it, then a rename.
#pragma once

#include <QByteArray>
#include <QString>

// Returns false, with the system's reason in *error, when anything fails;
// the old file is then untouched. Temporary files of earlier saves that were
// killed before their rename are removed from the folder first (only those,
// and only when no save has touched them for some seconds).
bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);
