#include "table/ResultLines.h"

#include "suntime/DateUtil.h"
#include "suntime/Instant.h"
#include "suntime/SunTime.h"

namespace
{

QString TwoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QString TimeSeparator(const QLocale &locale)
{
    // The separator is whatever stands between the hours and the minutes of
    // the locale's own short time format ("HH.mm" in Finnish, for example).
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    int i = 0;
    while (i < format.size() && format.at(i) != QLatin1Char('h') &&
           format.at(i) != QLatin1Char('H'))
        ++i;
    while (i < format.size() &&
           (format.at(i) == QLatin1Char('h') || format.at(i) == QLatin1Char('H')))
        ++i;
    QString separator;
    while (i < format.size() && format.at(i) != QLatin1Char('m')) {
        const QChar c = format.at(i);
        // Quoted text or letters are no separator we can trust.
        if (c.isLetterOrNumber() || c == QLatin1Char('\''))
            return QStringLiteral(":");
        separator += c;
        ++i;
    }
    if (separator.isEmpty() || i >= format.size())
        return QStringLiteral(":");
    return separator;
}

double ResultOnClock(double value, double calculatorHours, const TClock &clock)
{
    if (value == 0)
        return 0;
    const double utc = value - calculatorHours / 24;
    const int offset = clock.OffsetAtMs(TInstant::FromOle(utc).UnixMs());
    // The calculator's own offset leaves its value untouched, to the last bit.
    if (offset == calculatorHours * 3600)
        return value;
    return utc + offset / 86400.0;
}

QString FormatEventTime(double value, const QString &noEventText, const QLocale &locale)
{
    if (value == 0)
        return noEventText;
    int hour = 0, minute = 0, second = 0, msec = 0;
    DateUtil::DecodeTime(DateUtil::MomentToOle(value), hour, minute, second, msec);
    const QString sep = TimeSeparator(locale);
    return TwoDigits(hour) + sep + TwoDigits(minute) + sep + TwoDigits(second);
}

QString FormatLineDate(double oleDate, const QLocale &locale)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    DateUtil::DecodeDateTime(oleDate, year, month, day, hour, minute, second, msec);
    QString monthName = locale.monthName(month, QLocale::ShortFormat);
    if (monthName.endsWith(QLatin1Char('.')))
        monthName.chop(1);
    const QString yearText = year < 0 ? QStringLiteral("-%1").arg(-year, 4, 10, QLatin1Char('0'))
                                      : QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
    return TwoDigits(day) + QLatin1Char('.') + monthName + QLatin1Char('.') + yearText;
}

QString BuildResultLine(const QString &name, double date, const QString &tag, double sunrise,
                        double noon, double sunset, const QString &noEventText,
                        const QLocale &locale)
{
    return BuildResultLine(name, date, tag, FormatEventTime(sunrise, noEventText, locale),
                           FormatEventTime(noon, noEventText, locale),
                           FormatEventTime(sunset, noEventText, locale), locale);
}

QString BuildResultLine(const QString &name, double date, const QString &tag,
                        const QString &sunrise, const QString &noon, const QString &sunset,
                        const QLocale &locale)
{
    const QString gap = QStringLiteral(",   ");
    return name + QStringLiteral(", ") + FormatLineDate(date, locale) + tag + sunrise + gap + noon +
           gap + sunset + ResultLineEnd;
}

QString ResultLineFor(TSunTime &sun, double date, const QString &name, const QString &tag,
                      const QString &noEventText, const QLocale &locale,
                      const std::optional<TClock> &clock)
{
    sun.SetDate(date);
    const auto onClock = [&sun, &clock](int index) {
        const double value = sun.EventTime(index);
        return clock ? ResultOnClock(value, sun.TimeZone(), *clock) : value;
    };
    // The order of the line: sunrise, noon, sunset.
    const double sunrise = onClock(1);
    const double noon = onClock(3);
    const double sunset = onClock(2);
    return BuildResultLine(name, date, tag, sunrise, noon, sunset, noEventText, locale);
}

QStringList MonthResultLines(TSunTime &sun, int year, int month, const QString &name,
                             const QString &tag, const QString &noEventText, const QLocale &locale,
                             const std::optional<TClock> &clock)
{
    const double previousDate = sun.Date();
    const int days = DateUtil::DaysInMonth(year, month);
    QStringList lines;
    lines.reserve(days);
    for (int day = 1; day <= days; ++day)
        lines << ResultLineFor(sun, DateUtil::EncodeDate(year, month, day), name, tag, noEventText,
                               locale, clock);
    sun.SetDate(previousDate);
    return lines;
}
