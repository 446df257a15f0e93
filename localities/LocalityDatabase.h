// The locality list together with its file lokality.xml: loading at start,
// the add check, adding, erasing and sorting, each change written at once.
// No windows and no messages: every operation says what happened, and the
// main window tells the user.
#pragma once

#include "localities/LocalityFile.h"

#include <QDateTime>
#include <QString>

enum class TSaveOutcome {
    Written,
    Failed,    // Error says why; the file is as it was
    NotWritten // the file was reported damaged: writing now would bring its records back
};

struct TSaveResult {
    TSaveOutcome Outcome = TSaveOutcome::Written;
    QString Error;
    bool Failed() const { return Outcome == TSaveOutcome::Failed; }
};

struct TAddResult {
    int InvalidField = -1; // the first input of the add check that failed; nothing was added
    TSaveResult Save;      // when the record was added
    bool Added() const { return InvalidField < 0; }
};

class TLocalityDatabase
{
public:
    explicit TLocalityDatabase(const QString &path); // usually "lokality.xml" in the working folder

    // Reads the file. Missing: nothing at the path, the list is untouched;
    // CreatePredefined comes next. Damaged: the list holds the records that
    // were read if the file parsed; SetAsideDamaged comes next.
    TLoadStatus Load();
    // The nine towns, a working document from the skeleton written as
    // temp.xml in tempFolder, and the new file.
    TSaveResult CreatePredefined(const QString &tempFolder);
    // Moves a damaged file aside (deletes it when that fails) and stops all
    // further writes. Returns the name it now has, empty when it was deleted.
    QString SetAsideDamaged(const QDateTime &now = QDateTime::currentDateTime());
    bool Damaged() const { return FDamaged; }

    const TLocalityList &List() const { return FList; }
    int Count() const { return int(FList.size()); }
    QString Path() const { return FFile.Path(); }

    // In the user's collation (see SortLocalities).
    void Sort();
    // Checks the record as the add command must; if it passes, appends it,
    // sorts the list and writes the file.
    TAddResult Add(const TLocality &record);
    // Removes the record at index (0-based) and writes the file.
    TSaveResult Erase(int index);
    TSaveResult Save();

private:
    TLocalityFile FFile;
    TLocalityList FList;
    bool FDamaged = false;
};
