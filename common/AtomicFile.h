// Replacing a file so that it is at every moment either the old or the new
// complete content: a temporary file beside it, then a rename.
#pragma once

#include <QByteArray>
#include <QString>

// Returns false, with the system's reason in *error, when anything fails;
// the old file is then untouched.
bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);
