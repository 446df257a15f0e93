// Weekday names and Easter Sunday.
#include "calendar/CalCalc.h"

#include "common/Texts.h"

#include <cmath>

namespace
{

constexpr TText WeekdayNames[7] = {
    {"nedeľa", "Sunday", "vasárnap"},     {"pondelok", "Monday", "hétfő"},
    {"utorok", "Tuesday", "kedd"},        {"streda", "Wednesday", "szerda"},
    {"štvrtok", "Thursday", "csütörtök"}, {"piatok", "Friday", "péntek"},
    {"sobota", "Saturday", "szombat"},
};

// %1 = year, %2 = day, %3 = month word; the Slovak and English month words
// bring their own leading blank.
constexpr TText EasterSentence{"V roku %1 veľkonočná nedeľa vychádza na %2.%3",
                               "In %1 Easter Sunday is on%3, %2.",
                               "%1 évben a Húsvétvasárnap dátuma %3 %2."};
constexpr TText March{" MARCA", " MARCH", "MÁRCIUS"};
constexpr TText April{" APRÍLA", " APRIL", "ÁPRILIS"};
constexpr TText EasterBoxCaption{" Veľkonočná nedeľa", " Easter Sunday", " Húsvétvasárnap"};

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

QString GetWeekdayName(int dayOfWeek, TLanguage language)
{
    if (dayOfWeek < 1 || dayOfWeek > 7)
        return QString();
    return TextIn(WeekdayNames[dayOfWeek - 1], language);
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

QString EasterMessage(int16_t year, TLanguage language)
{
    int month = 0;
    int day = 0;
    EasterSunday(year, month, day);
    return TextIn(EasterSentence, language)
        .arg(QString::number(year), QString::number(day),
             TextIn(month == 3 ? March : April, language));
}

QString EasterCaption(TLanguage language)
{
    return TextIn(EasterBoxCaption, language);
}
