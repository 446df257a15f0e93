// Small file and text helpers shared by all tests, the window-free ones
// included: nothing here needs a window or the program's window classes.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A fresh folder that is both the program folder and the working folder.
class TScratchFolder
{
public:
    TScratchFolder() : FPrevious(QDir::currentPath()) { QDir::setCurrent(FDir.path()); }
    ~TScratchFolder() { QDir::setCurrent(FPrevious); }
    TScratchFolder(const TScratchFolder &) = delete;
    TScratchFolder &operator=(const TScratchFolder &) = delete;

    bool Valid() const { return FDir.isValid(); }
    QString Path() const { return FDir.path(); }
    QString File(const QString &name) const { return FDir.filePath(name); }

private:
    QTemporaryDir FDir;
    QString FPrevious;
};

// Text written in UTF-8 in the test's source.
inline QString U(const char *text)
{
    return QString::fromUtf8(text);
}

// Whether the file opens for reading.
inline bool CanRead(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly);
}

// The file's bytes; empty when it cannot be read.
inline QByteArray ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes the file whole; false when it cannot.
inline bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}
