// The horizons of places: each place's profile and height above the
// surroundings, bound to its name and coordinates, in horizonty.xml beside
// lokality.xml (which keeps its own form). No windows and no messages: the
// main window tells the user what the operations report.
#pragma once

#include "common/Place.h"
#include "localities/LocalityFile.h"
#include "suntime/Horizon.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

#include <optional>
#include <vector>

// A file this large is not read: it counts as damaged.
constexpr qint64 MaxHorizonStoreSize = 16 * 1024 * 1024;

struct THorizonEntry {
    QString Name;
    double Latitude = 0;
    double Longitude = 0; // east positive
    std::vector<THorizonPoint> Points;
    double Height = 0; // metres above the surroundings

    // The same name, and coordinates within a tenth of an arc second (the
    // main window's fields hold whole seconds).
    bool BelongsTo(const TPlace &place) const;
    THorizon Horizon() const { return THorizon(Points, Height); }
    bool operator==(const THorizonEntry &o) const;
};

// The file of the horizons in the folder of the locality file.
QString HorizonStorePath(const QString &localityFile);

// Loaded: the entries. Damaged: nothing (not XML, entities declared, another
// root, an entry without a name or with a number out of range, a profile of
// a single point).
TLoadStatus ParseHorizonStore(const QByteArray &bytes, QVector<THorizonEntry> &entries);
QByteArray SerializeHorizonStore(const QVector<THorizonEntry> &entries);

class THorizonStore
{
public:
    explicit THorizonStore(const QString &path);

    // Missing: no file, no horizons. Damaged: no horizons; SetAsideDamaged
    // comes next.
    TLoadStatus Load();
    // Moves the damaged file aside as lokality.xml's is; the new path.
    QString SetAsideDamaged(const QDateTime &now = QDateTime::currentDateTime());

    // The horizon of a place, when one is stored for it.
    std::optional<THorizon> HorizonOf(const TPlace &place) const;
    // Stores the place's horizon (a flat one from the ground removes it) and
    // writes the file atomically; false with the reason when it is not
    // written, and the store is then as it was.
    bool Set(const TPlace &place, const THorizon &horizon, QString *error = nullptr);

    const QVector<THorizonEntry> &Entries() const { return FEntries; }
    QString Path() const { return FPath; }

private:
    QString FPath;
    QVector<THorizonEntry> FEntries;
};
