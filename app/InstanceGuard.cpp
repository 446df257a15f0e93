// Single-instance guard by flock().
#include "app/InstanceGuard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

// Read directly rather than through QStandardPaths, which warns on stderr and
// creates a folder when the variable is missing; the guard is taken before
// the application object exists.
QString RuntimeFolder()
{
    const QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty())
        return QString();
    const QFileInfo info(dir);
    if (!info.isDir() || info.ownerId() != ::geteuid())
        return QString();
    return info.absoluteFilePath();
}

} // namespace

TInstanceGuard::TInstanceGuard(const QString &name)
{
    const QString runtime = RuntimeFolder();
    if (!runtime.isEmpty()) {
        m_path = runtime + QLatin1Char('/') + name + QStringLiteral(".lock");
    } else {
        // tempPath() is empty when TMPDIR names a missing folder.
        QString temp = QDir::tempPath();
        if (temp.isEmpty())
            temp = QStringLiteral("/tmp");
        m_path = temp + QLatin1Char('/') + name + QLatin1Char('-') + QString::number(::geteuid()) +
                 QStringLiteral(".lock");
    }
}

TInstanceGuard::~TInstanceGuard()
{
    // Closing drops the lock. The file stays: removing it would let a
    // newcomer lock a fresh file while a waiter still holds the old one.
    if (m_fd >= 0)
        ::close(m_fd);
}

QString TInstanceGuard::LockFilePath() const
{
    return m_path;
}

bool TInstanceGuard::TryAcquire()
{
    if (m_fd >= 0)
        return true;

    // Close-on-exec, so that a browser started from the program does not
    // inherit the lock and keep it after the program ends.
    const int fd = ::open(QFile::encodeName(m_path).constData(),
                          O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return true;

    // A file planted by someone else in a shared folder must not lock us out.
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        ::close(fd);
        return true;
    }

    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        m_fd = fd;
        return true;
    }
    const bool busy = errno == EWOULDBLOCK;
    ::close(fd);
    return !busy;
}
