#include "common/SystemClock.h"

namespace
{

QDateTime Fixed;

} // namespace

QDateTime TSystemClock::Now()
{
    return Fixed.isValid() ? Fixed.toUTC() : QDateTime::currentDateTimeUtc();
}

QDate TSystemClock::Today()
{
    return Fixed.isValid() ? Fixed.toLocalTime().date() : QDate::currentDate();
}

void TSystemClock::Fix(const QDateTime &moment)
{
    Fixed = moment;
}
