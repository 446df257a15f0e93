#include "common/SystemClock.h"

#include "suntime/DateUtil.h"

namespace
{

QDateTime Fixed;

// The calculator's today, while the clock stands.
double FixedToday()
{
    const QDate today = TSystemClock::Today();
    return DateUtil::EncodeDate(today.year(), today.month(), today.day());
}

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
    // The calculator, which knows no Qt, takes its today from here too.
    DateUtil::SetTodaySource(moment.isValid() ? FixedToday : nullptr);
}
