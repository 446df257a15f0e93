// Lets one copy of the program run per user: an exclusive lock on a file in
// the user's runtime folder, taken without waiting. The system drops the lock
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

    // "<runtime folder>/<name>.lock", or "<temp folder>/<name>-<uid>.lock"
    // when there is no usable runtime folder.
    QString LockFilePath() const;

private:
    QString m_path;
    int m_fd = -1;
};
