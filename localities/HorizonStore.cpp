#include "localities/HorizonStore.h"

#include "common/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cmath>

namespace
{

const QString RootName = QStringLiteral("Horizonty");
const QString EntryName = QStringLiteral("Horizont");
const QString PointName = QStringLiteral("Bod");

// A tenth of an arc second, in degrees.
constexpr double SameCoordinate = 0.1 / 3600;

std::optional<double> Number(const QXmlStreamAttributes &attributes, const QString &name, double lo,
                             double hi)
{
    bool ok = false;
    const double value = attributes.value(name).toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < lo || value > hi)
        return std::nullopt;
    return value;
}

QString NumberText(double value)
{
    // The shortest text that reads back as the same double.
    return QString::number(value, 'g', 17);
}

// Reads an entry's attributes and points; false when anything is amiss.
bool ReadEntry(QXmlStreamReader &reader, THorizonEntry &entry)
{
    const QXmlStreamAttributes a = reader.attributes();
    entry.Name = a.value(QStringLiteral("Nazov")).toString();
    const auto latitude = Number(a, QStringLiteral("Sirka"), -90, 90);
    const auto longitude = Number(a, QStringLiteral("Dlzka"), -180, 180);
    const auto height = Number(a, QStringLiteral("Vyska"), 0, 10000);
    if (entry.Name.isEmpty() || !latitude || !longitude || !height)
        return false;
    entry.Latitude = *latitude;
    entry.Longitude = *longitude;
    entry.Height = *height;
    while (reader.readNextStartElement()) {
        if (reader.name() != PointName)
            return false;
        const QXmlStreamAttributes p = reader.attributes();
        const auto azimuth = Number(p, QStringLiteral("Azimut"), 0, 360);
        const auto altitude = Number(p, QStringLiteral("Uhol"), -5, 60);
        if (!azimuth || !altitude)
            return false;
        entry.Points.push_back({*azimuth, *altitude});
        reader.skipCurrentElement();
    }
    return !reader.hasError() && entry.Points.size() != 1;
}

} // namespace

bool THorizonEntry::BelongsTo(const TPlace &place) const
{
    return Name == place.Name && std::fabs(Latitude - place.Latitude) < SameCoordinate &&
           std::fabs(Longitude - place.Longitude) < SameCoordinate;
}

bool THorizonEntry::operator==(const THorizonEntry &o) const
{
    if (Name != o.Name || Latitude != o.Latitude || Longitude != o.Longitude ||
        Height != o.Height || Points.size() != o.Points.size())
        return false;
    for (size_t i = 0; i < Points.size(); ++i)
        if (Points[i].Azimuth != o.Points[i].Azimuth || Points[i].Altitude != o.Points[i].Altitude)
            return false;
    return true;
}

QString HorizonStorePath(const QString &localityFile)
{
    const QFileInfo info(localityFile);
    const QString name = QStringLiteral("horizonty.xml");
    return info.path() == QLatin1String(".") ? name : QDir(info.path()).filePath(name);
}

TLoadStatus ParseHorizonStore(const QByteArray &bytes, QVector<THorizonEntry> &entries)
{
    entries.clear();
    QXmlStreamReader reader(bytes);
    QVector<THorizonEntry> read;
    bool root = false;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        // Entity declarations are never ours (and an expansion bomb is possible).
        if (token == QXmlStreamReader::DTD && !reader.entityDeclarations().isEmpty())
            return TLoadStatus::Damaged;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (root || reader.name() != RootName)
            return TLoadStatus::Damaged;
        root = true;
        while (reader.readNextStartElement()) {
            THorizonEntry entry;
            if (reader.name() != EntryName || !ReadEntry(reader, entry))
                return TLoadStatus::Damaged;
            read.append(std::move(entry));
        }
    }
    if (reader.hasError() || !root)
        return TLoadStatus::Damaged;
    entries = std::move(read);
    return TLoadStatus::Loaded;
}

QByteArray SerializeHorizonStore(const QVector<THorizonEntry> &entries)
{
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(RootName);
    for (const THorizonEntry &e : entries) {
        writer.writeStartElement(EntryName);
        writer.writeAttribute(QStringLiteral("Nazov"), e.Name);
        writer.writeAttribute(QStringLiteral("Sirka"), NumberText(e.Latitude));
        writer.writeAttribute(QStringLiteral("Dlzka"), NumberText(e.Longitude));
        writer.writeAttribute(QStringLiteral("Vyska"), NumberText(e.Height));
        for (const THorizonPoint &p : e.Points) {
            writer.writeEmptyElement(PointName);
            writer.writeAttribute(QStringLiteral("Azimut"), NumberText(p.Azimuth));
            writer.writeAttribute(QStringLiteral("Uhol"), NumberText(p.Altitude));
        }
        writer.writeEndElement();
    }
    writer.writeEndDocument();
    return bytes;
}

THorizonStore::THorizonStore(const QString &path) : FPath(path) {}

TLoadStatus THorizonStore::Load()
{
    FEntries.clear();
    const QFileInfo info(FPath);
    if (!info.exists() && !info.isSymLink())
        return TLoadStatus::Missing;
    // Not a regular file (a FIFO would hold up the start) or too large.
    if (!info.isFile() || info.size() > MaxHorizonStoreSize)
        return TLoadStatus::Damaged;
    QFile file(FPath);
    if (!file.open(QIODevice::ReadOnly))
        return TLoadStatus::Damaged;
    const QByteArray bytes = file.read(MaxHorizonStoreSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxHorizonStoreSize)
        return TLoadStatus::Damaged;
    return ParseHorizonStore(bytes, FEntries);
}

QString THorizonStore::SetAsideDamaged(const QDateTime &now)
{
    FEntries.clear();
    return MoveFileAside(FPath, now);
}

std::optional<THorizon> THorizonStore::HorizonOf(const TPlace &place) const
{
    for (const THorizonEntry &e : FEntries)
        if (e.BelongsTo(place))
            return e.Horizon();
    return std::nullopt;
}

bool THorizonStore::Set(const TPlace &place, const THorizon &horizon, QString *error)
{
    if (place.Name.isEmpty() || !IsXmlText(place.Name)) {
        if (error)
            *error = QStringLiteral("The place has no name that an XML file can store.");
        return false;
    }
    QVector<THorizonEntry> entries = FEntries;
    const qsizetype removed =
        entries.removeIf([&place](const THorizonEntry &e) { return e.BelongsTo(place); });
    if (horizon.Flat() && removed == 0)
        return true; // nothing to write
    if (!horizon.Flat()) {
        THorizonEntry entry;
        entry.Name = place.Name;
        entry.Latitude = place.Latitude;
        entry.Longitude = place.Longitude;
        entry.Points = horizon.Points();
        entry.Height = horizon.Height();
        entries.append(std::move(entry));
    }
    QString reason;
    if (!WriteFileAtomically(FPath, SerializeHorizonStore(entries), &reason)) {
        if (error)
            *error = reason;
        return false;
    }
    FEntries = std::move(entries);
    return true;
}
