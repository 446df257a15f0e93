// Where the program's files live. Portable mode keeps vantu.ini beside the
// program file and lokality.xml, grafika/ and help/ in the working folder.
// Installed mode (a program folder that is not ours to write, such as
// /usr/bin) follows the desktop's conventions: the user's configuration and
// data folders, and the package's data folder for pictures and help unless
// they stand beside the program.
#pragma once

#include <QString>

struct TFileLocations {
    bool Installed = false;
    QString SettingsFile; // vantu.ini
    QString LocalityFile; // lokality.xml
    QString TempFolder;   // where the skeleton temp.xml is written and removed
    QString DataFolder;   // grafika/ and help/ lie below it; empty: the working folder

    // A picture or help page by its relative name ("grafika/svet.gif").
    QString DataFile(const QString &relative) const;
};

// The portable paths around a program folder: vantu.ini there, the rest in the
// working folder.
TFileLocations PortableLocations(const QString &programFolder);

// Portable when the program's folder is writable for this user by its
// permissions (a root-owned folder the system installs programs into
// counts as not writable, so that root does not scatter files there), or
// when a file vantu.portable stands beside the program; installed otherwise.
// Reads the disk and the XDG variables; creates nothing.
TFileLocations DecideFileLocations(const QString &programFolder);

// The process's locations, decided once at start; until then the portable
// ones around the program's folder.
void UseFileLocations(const TFileLocations &locations);
const TFileLocations &FileLocations();

// Creates the folders that installed mode writes into; false when one cannot be made.
bool PrepareFolders(const TFileLocations &locations);
