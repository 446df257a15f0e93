// The two complete contents (A and B) that the crash writer alternates between,
// for each kind of file the program saves. Shared by the writer and the test so
// both agree on what a complete file holds.
#pragma once

#include "localities/LocalityFile.h"

#include <QList>
#include <QString>

enum class TCrashKind { Localities, Settings, Table };

// "localities", "settings", "table": the writer's first argument.
QString CrashKindName(TCrashKind kind);
bool ParseCrashKind(const QString &name, TCrashKind *kind);
// The file each kind saves in the working folder.
QString CrashFileName(TCrashKind kind);

// version 0 = A, 1 = B.
// A: the nine predefined towns; B: 500 records with long names (some 300 KB).
TLocalityList CrashLocalities(int version);

struct TCrashSetting {
    QString Section;
    QString Key;
    int Value;
};
// The four window settings plus 200 keys of a thousand characters, so a save
// is some 200 KB; A and B differ in every value (and so in length).
QList<TCrashSetting> CrashSettings(int version);
// The window settings of a version: left, top, language, time format.
struct TCrashWindowSettings {
    int Left;
    int Top;
    int Language;
    int TimeFormat;
};
TCrashWindowSettings CrashWindowSettings(int version);

// A: a table Windows-1250 can hold (about 250 KB); B: a longer one with a
// character outside it, so it is saved as UTF-8 (about 400 KB).
QString CrashTableText(int version);
