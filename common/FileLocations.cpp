#include "common/FileLocations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>
#include <unistd.h>

namespace
{

QString WithSlash(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

// Whether the folder's permission bits let this user write into it. Root
// passes every access() check, so the bits decide, as they would for anyone.
bool WritableByPermissions(const QFileInfo &folder)
{
    if (!folder.isDir() || ::access(QFile::encodeName(folder.absoluteFilePath()), W_OK) != 0)
        return false;
    const QFile::Permissions p = folder.permissions();
    if (folder.ownerId() == ::geteuid())
        return p.testFlag(QFile::WriteOwner);
    if (folder.groupId() == ::getegid())
        return p.testFlag(QFile::WriteGroup);
    return p.testFlag(QFile::WriteOther);
}

// The folders the system installs programs into: never a place for a user's
// settings, whoever may write there.
bool IsSystemProgramFolder(const QString &folder)
{
    static const QStringList system = {QStringLiteral("/usr/bin"), QStringLiteral("/usr/local/bin"),
                                       QStringLiteral("/bin"), QStringLiteral("/usr/games")};
    return system.contains(QDir::cleanPath(QFileInfo(folder).canonicalFilePath()));
}

std::optional<TFileLocations> Current;

} // namespace

QString TFileLocations::DataFile(const QString &relative) const
{
    return DataFolder.isEmpty() ? relative : QDir(DataFolder).filePath(relative);
}

TFileLocations PortableLocations(const QString &programFolder)
{
    TFileLocations l;
    l.SettingsFile = WithSlash(programFolder) + QStringLiteral("vantu.ini");
    l.LocalityFile = QStringLiteral("lokality.xml");
    l.TempFolder = WithSlash(programFolder);
    return l;
}

TFileLocations DecideFileLocations(const QString &programFolder)
{
    const QFileInfo folder(programFolder);
    const bool marker =
        QFileInfo::exists(QDir(programFolder).filePath(QStringLiteral("vantu.portable")));
    if (marker || (WritableByPermissions(folder) && !IsSystemProgramFolder(programFolder)))
        return PortableLocations(programFolder);

    TFileLocations l;
    l.Installed = true;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/vantu/");
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/vantu/");
    l.SettingsFile = config + QStringLiteral("vantu.ini");
    l.LocalityFile = data + QStringLiteral("lokality.xml");
    l.TempFolder = data;
    // Pictures and help pages beside the program are its own (a portable
    // copy unpacked where the user cannot write); else the package's, in the
    // first data folder that has them.
    if (QFileInfo(QDir(programFolder).filePath(QStringLiteral("grafika"))).isDir()) {
        l.DataFolder = QFileInfo(programFolder).absoluteFilePath();
        return l;
    }
    const QString shared =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("vantu/grafika"),
                               QStandardPaths::LocateDirectory);
    l.DataFolder =
        shared.isEmpty() ? QStringLiteral("/usr/share/vantu") : QFileInfo(shared).absolutePath();
    return l;
}

void UseFileLocations(const TFileLocations &locations)
{
    Current = locations;
}

const TFileLocations &FileLocations()
{
    if (!Current)
        Current = PortableLocations(QCoreApplication::applicationDirPath());
    return *Current;
}

bool PrepareFolders(const TFileLocations &locations)
{
    if (!locations.Installed)
        return true;
    return QDir().mkpath(QFileInfo(locations.SettingsFile).absolutePath()) &&
           QDir().mkpath(QFileInfo(locations.LocalityFile).absolutePath());
}
