// The present as the program sees it: the system's clock, or a moment that
// tests fix. Every "now" and "today" of the windows, the command-line tool
// and the main window's calculator (whose date starts at today) is read here.
#pragma once

#include <QDate>
#include <QDateTime>

class TSystemClock
{
public:
    static QDateTime Now(); // in UTC
    static QDate Today();   // the local date

    // From now on the clock stands at this moment; an invalid one sets the
    // system's clock going again.
    static void Fix(const QDateTime &moment);
};
