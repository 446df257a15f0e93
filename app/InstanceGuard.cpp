// Single-instance guard by flock().
#include "app/InstanceGuard.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

TInstanceGuard::TInstanceGuard(const QString &name)
{
    // One place whatever the session: XDG_RUNTIME_DIR is set in some
    // sessions of a user and not in others, and two copies that chose by it
    // would lock different files.
    QString temp = QDir::tempPath();
    // tempPath() is empty when TMPDIR names a missing folder.
    if (temp.isEmpty())
        temp = QStringLiteral("/tmp");
    m_path = temp + QLatin1Char('/') + name + QLatin1Char('-') + QString::number(::geteuid()) +
             QStringLiteral(".lock");
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
    // inherit the lock and keep it after the program ends. Non-blocking, so
    // that a FIFO or device planted at the path cannot hold up the start.
    const int fd = ::open(QFile::encodeName(m_path).constData(),
                          O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
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
