// Weekday names and Easter Sunday.
#include "calendar/CalCalc.h"

#include <cmath>

namespace
{

const char *const WeekdayNames[3][7] = {
    {"nedeľa", "pondelok", "utorok", "streda", "štvrtok", "piatok", "sobota"},
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    {"vasárnap", "hétfő", "kedd", "szerda", "csütörtök", "péntek", "szombat"},
};

bool IsLanguage(int language)
{
    return language >= 0 && language <= 2;
}

double Int(double v)
{
    return std::trunc(v);
}

double Frac(double v)
{
    return v - Int(v);
}

// The 0.1 absorbs the rounding error of Frac(x / y) * y, so that whole
// non-negative x gives its exact remainder.
double Mod(double x, double y)
{
    return Int(Frac(x / y) * y + 0.1);
}

} // namespace

QString GetWeekdayName(int dayOfWeek, int language)
{
    if (!IsLanguage(language) || dayOfWeek < 1 || dayOfWeek > 7)
        return QString();
    return QString::fromUtf8(WeekdayNames[language][dayOfWeek - 1]);
}

void EasterSunday(int16_t year, int &month, int &day)
{
    const double y = year;
    const double k = Int(y / 100);
    const double p = Int((8 * k + 13) / 25);
    const double q = Int(k / 4);
    const double a = Mod(y, 19);
    const double b = Mod(y, 4);
    const double w = Mod(y, 7);
    const double m = Mod(15 - p + k - q, 30);
    const double d = Mod(19 * a + m, 30);
    // Gauss's weekday term; a fixed 5 would be right for 1900 ... 2099 only.
    const double n = Mod(4 + k - q, 7);
    const double e = Mod(2 * b + n + 4 * w + 6 * d, 7);

    double dd = 22 + d + e;
    month = 3;
    if (dd > 31) {
        month = 4;
        dd -= 31;
    }
    if (d == 29 && e == 6)
        dd -= 7; // 26 April becomes 19 April
    if (d == 28 && e == 6 && a > 10)
        dd -= 7; // 25 April becomes 18 April
    day = static_cast<int>(Int(dd));
}

QString EasterMessage(int16_t year, int language)
{
    if (!IsLanguage(language))
        return QString();
    int month = 0;
    int day = 0;
    EasterSunday(year, month, day);
    const bool march = month == 3;
    const QString y = QString::number(year);
    const QString d = QString::number(day);
    switch (language) {
    case 0:
        return QStringLiteral("V roku ") + y + QStringLiteral(" veľkonočná nedeľa vychádza na ") +
               d + QStringLiteral(".") +
               (march ? QStringLiteral(" MARCA") : QStringLiteral(" APRÍLA"));
    case 1:
        return QStringLiteral("In ") + y + QStringLiteral(" Easter Sunday is on") +
               (march ? QStringLiteral(" MARCH") : QStringLiteral(" APRIL")) +
               QStringLiteral(", ") + d + QStringLiteral(".");
    default:
        return y + QStringLiteral(" évben a Húsvétvasárnap dátuma ") +
               (march ? QStringLiteral("MÁRCIUS") : QStringLiteral("ÁPRILIS")) +
               QStringLiteral(" ") + d + QStringLiteral(".");
    }
}

QString EasterCaption(int language)
{
    switch (language) {
    case 0:
        return QStringLiteral(" Veľkonočná nedeľa");
    case 1:
        return QStringLiteral(" Easter Sunday");
    case 2:
        return QStringLiteral(" Húsvétvasárnap");
    default:
        return QString();
    }
}
