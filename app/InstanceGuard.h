// Lets one copy of the program run per user: an exclusive lock on a per-user
// file in the temporary folder, taken without waiting. The system drops the lock
// when the process ends in any way, so a killed copy never locks out the next.
#pragma once

#include <QString>

class TInstanceGuard
{
public:
    explicit TInstanceGuard(const QString &name);
    ~TInstanceGuard();
    TInstanceGuard(const TInstanceGuard &) = delete;
    TInstanceGuard &operator=(const TInstanceGuard &) = delete;

    // False only when another holder has the lock. When the lock cannot be
    // set up at all, true: the program then runs without the protection.
    bool TryAcquire();

    // "<temp folder>/<name>-<uid>.lock", the same in every session of the user.
    QString LockFilePath() const;

private:
    QString m_path;
    int m_fd = -1;
};
