#include "localities/LocalityDatabase.h"

TLocalityDatabase::TLocalityDatabase(const QString &path) : FFile(path) {}

TLoadStatus TLocalityDatabase::Load()
{
    TLocalityList list;
    const TLoadStatus status = FFile.Load(list);
    // A damaged file that did not parse leaves the list as it was.
    if (status == TLoadStatus::Loaded || (status == TLoadStatus::Damaged && !list.isEmpty()))
        FList = std::move(list);
    return status;
}

TSaveResult TLocalityDatabase::CreatePredefined(const QString &tempFolder)
{
    FList = PredefinedLocalities();
    // A failed skeleton still leaves a working document to save into.
    FFile.StartFromSkeleton(tempFolder);
    return Save();
}

QString TLocalityDatabase::SetAsideDamaged(const QDateTime &now)
{
    FDamaged = true;
    return FFile.MoveAside(now);
}

void TLocalityDatabase::Sort()
{
    SortLocalities(FList);
}

TAddResult TLocalityDatabase::Add(const TLocality &record)
{
    TAddResult result;
    result.InvalidField = FirstInvalidAddField(record);
    if (!result.Added())
        return result;
    FList.append(record);
    Sort();
    result.Save = Save();
    return result;
}

TSaveResult TLocalityDatabase::Erase(int index)
{
    if (index >= 0 && index < FList.size())
        FList.removeAt(index);
    return Save();
}

TSaveResult TLocalityDatabase::Save()
{
    TSaveResult result;
    if (FDamaged) {
        result.Outcome = TSaveOutcome::NotWritten;
        return result;
    }
    if (!FFile.Save(FList, &result.Error))
        result.Outcome = TSaveOutcome::Failed;
    return result;
}
