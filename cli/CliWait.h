// vantu-cli --wait: sleeping until a moment of the real-time clock. Part of
// the program, not of the core: tests of the core never sleep.
#pragma once

#include <QString>

// Sleeps until the moment (ms since 1970 on the system's clock) on a timer of
// CLOCK_REALTIME, so that a moment passed during a suspend or across a step
// of the clock ends the wait at once; no polling. 0 at the moment, 130 on
// SIGINT, 143 on SIGTERM; 1 with the reason when the system gives no timer.
int WaitUntil(qint64 unixMs, QString *reason);
