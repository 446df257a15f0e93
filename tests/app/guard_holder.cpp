// Test helper: takes the guard named on the command line, says so, and holds
// it until its standard input closes or it is killed.
#include "app/InstanceGuard.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2)
        return 3;
    TInstanceGuard guard(QString::fromLocal8Bit(argv[1]));
    if (!guard.TryAcquire()) {
        std::puts("busy");
        return 2;
    }
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
