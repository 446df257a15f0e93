// Results table files: the table text with CR LF line ends in Windows-1250,
// or in UTF-8 with a byte-order mark when Windows-1250 cannot hold it.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Every line end (CR LF, lone LF, lone CR) as CR LF.
QString WithCrLf(const QString &text);

// The bytes of a table file: Windows-1250 without a byte-order mark; UTF-8
// with a byte-order mark if any character has no Windows-1250 code, so that
// nothing is lost silently. *usedUtf8 (may be null) tells which.
QByteArray EncodeTableText(const QString &text, bool *usedUtf8 = nullptr);

// Writes the text atomically. False with a readable reason in *error (may be
// null) when the file cannot be written; an existing file is then untouched.
bool SaveTableText(const QString &path, const QString &text, QString *error);

// The table's lines as the printer receives them: split at every line end; a
// final line end ends the last line and starts no empty one.
QStringList TableLines(const QString &text);
