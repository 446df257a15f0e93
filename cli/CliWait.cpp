#include "cli/CliWait.h"

#include "cli/CliOptions.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <poll.h>
#include <sys/signalfd.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace
{

// A file descriptor closed on leaving.
struct TFd {
    int Fd = -1;
    ~TFd()
    {
        if (Fd >= 0)
            close(Fd);
    }
};

int SystemFailure(QString *reason)
{
    *reason = QString::fromLocal8Bit(std::strerror(errno));
    return CliExitFailure;
}

} // namespace

int WaitUntil(qint64 unixMs, QString *reason)
{
    // The signals arrive as data on a descriptor, read beside the timer: no
    // work in a handler, and no output after one.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    if (sigprocmask(SIG_BLOCK, &stop, nullptr) != 0)
        return SystemFailure(reason);
    const TFd signalled{signalfd(-1, &stop, SFD_CLOEXEC)};
    const TFd timer{timerfd_create(CLOCK_REALTIME, TFD_CLOEXEC)};
    if (signalled.Fd < 0 || timer.Fd < 0)
        return SystemFailure(reason);
    itimerspec at{};
    at.it_value.tv_sec = time_t(unixMs / 1000);
    at.it_value.tv_nsec = long(unixMs % 1000) * 1000000;
    if (at.it_value.tv_nsec < 0) { // before 1970
        at.it_value.tv_sec -= 1;
        at.it_value.tv_nsec += 1000000000;
    }
    while (true) {
        // Armed again after each setting of the clock (an NTP step, the end of
        // a suspend, date -s), which cancels it: a moment now passed fires at
        // once, one still ahead is kept on the clock as it now reads.
        if (timerfd_settime(timer.Fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &at, nullptr) !=
            0)
            return SystemFailure(reason);
        pollfd ready[2] = {{signalled.Fd, POLLIN, 0}, {timer.Fd, POLLIN, 0}};
        if (poll(ready, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return SystemFailure(reason);
        }
        if (ready[0].revents & POLLIN) {
            signalfd_siginfo info{};
            if (read(signalled.Fd, &info, sizeof info) != ssize_t(sizeof info))
                return SystemFailure(reason);
            return 128 + int(info.ssi_signo);
        }
        uint64_t expirations = 0;
        if (read(timer.Fd, &expirations, sizeof expirations) == ssize_t(sizeof expirations))
            return CliExitOk;
        if (errno != ECANCELED && errno != EINTR && errno != EAGAIN)
            return SystemFailure(reason);
    }
}
