// Result lines of the results table: one day's sunrise, solar noon and sunset
// as one line of text, and the lines of a whole month. No windows here.
#pragma once

#include "common/Clock.h"
#include "common/Texts.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

class TSunTime;

// The text of a result line for an event that does not occur; the main
// window's language tables take it from here.
inline constexpr TText NoEventWord{"nenastáva", "N/A", "nincs"};

// Line end of every result line, whatever the platform.
inline const QString ResultLineEnd = QStringLiteral("\r\n");

// Time separator of the locale's time format (":" when it shows none).
QString TimeSeparator(const QLocale &locale);

// A calculator's result, an OLE date-time on its clock of calculatorHours,
// on another clock: the same moment with the offset the clock shows then (a
// zone's changes, or an offset the calculator does not take). 0, the value
// of an event that does not occur, stays 0.
double ResultOnClock(double value, double calculatorHours, const TClock &clock);

// "hh:nn:ss" of an OLE date-time (time of day to the nearest millisecond,
// fraction of a second dropped), or noEventText for the value 0.
QString FormatEventTime(double value, const QString &noEventText, const QLocale &locale);

// "dd.MMM.yyyy" with the locale's abbreviated month name; a full stop that
// ends the abbreviation is dropped so the pattern never shows two.
QString FormatLineDate(double oleDate, const QLocale &locale);

// name, ", ", date, tag, sunrise, ",   ", noon, ",   ", sunset, CR LF.
QString BuildResultLine(const QString &name, double date, const QString &tag, double sunrise,
                        double noon, double sunset, const QString &noEventText,
                        const QLocale &locale);
// The same with the three times already written.
QString BuildResultLine(const QString &name, double date, const QString &tag,
                        const QString &sunrise, const QString &noon, const QString &sunset,
                        const QLocale &locale);

// The line of one day: sets the calculator's date and reads EventTime 1, 3, 2,
// each on the clock, or on the calculator's own without one.
QString ResultLineFor(TSunTime &sun, double date, const QString &name, const QString &tag,
                      const QString &noEventText, const QLocale &locale,
                      const std::optional<TClock> &clock = std::nullopt);

// One line per day of the month (28 ... 31), each with its own CR LF; the
// caller appends them and then one more line end. The calculator's date is
// set back to what it was before, so the caller's panel keeps its day.
QStringList MonthResultLines(TSunTime &sun, int year, int month, const QString &name,
                             const QString &tag, const QString &noEventText, const QLocale &locale,
                             const std::optional<TClock> &clock = std::nullopt);
