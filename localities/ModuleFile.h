#pragma once

#include <QString>

// Whether the file at path is a whole ELF shared object built for the running
// program's machine; if not, why names the fault.
bool CheckModuleFile(const QString &path, QString &why);
