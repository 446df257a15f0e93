// The text of the files the program writes: moments in ISO 8601, durations,
// CSV fields (RFC 4180), JSON strings and iCalendar content lines and text
// values (RFC 5545). Qt Core only.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

#include <cstdint>

// "2026-06-21T04:40:55+02:00": a moment (milliseconds since 1970) on a
// clock so many seconds east of UTC (+00:00 for UTC). An offset with seconds,
// as local mean times have, is written to the nearest minute with the clock
// reading moved to match: the same second.
QString IsoMoment(const QDateTime &moment);
void AppendIsoMoment(QByteArray &out, int64_t ms, int offsetSeconds);
// The same into a buffer of at least 40 characters; returns the end.
char *WriteIsoMoment(char *p, int64_t ms, int offsetSeconds);
// "2026-06-21" into a buffer of at least 16 characters; returns the end.
char *WriteIsoDate(char *p, const QDate &date);
// " (+1)" or " (−1)" after the time of a moment that falls on another date
// than its row's; empty on the row's own date.
QString OtherDateMark(const QDate &rowDate, const QDateTime &moment);
// "HH:MM:SS" of a count of seconds (24:00:00 for a whole day).
QString DurationText(int seconds);
char *WriteDuration(char *p, int seconds);
// Degrees with so many decimals, correctly rounded ("12.34"); empty for a
// value that is not finite.
QByteArray FixedText(double value, int decimals);
// One CSV field: quoted (inner quotes doubled) when it holds a comma, a quote,
// CR or LF; as it is otherwise.
QString CsvField(const QString &text);
// A JSON string in quotes, the characters JSON requires escaped, UTF-8.
QByteArray JsonString(const QString &text);
void AppendJsonString(QByteArray &out, const QString &text);
// One iCalendar content line folded at 75 octets, never inside a UTF-8
// sequence; every physical line ends with CR LF.
QByteArray FoldContentLine(const QByteArray &line);
// TEXT value escaping of RFC 5545 (backslash, semicolon, comma, line breaks).
QString ICalendarText(const QString &text);
