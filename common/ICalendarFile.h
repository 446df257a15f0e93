// An iCalendar file (RFC 5545) of a place's events: the calendar's frame,
// timed events, stretches and whole dates, each with a UID that stays the
// same when the same place and dates are written again. Qt Core only.
#pragma once

#include "common/Language.h"
#include "common/Place.h"
#include "suntime/Instant.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

class TICalendarFile
{
public:
    // stampDate: the date whose start is every event's DTSTAMP, so that the
    // same dates give the same bytes whenever they are written.
    TICalendarFile(const TPlace &place, TLanguage language, const QDate &stampDate);

    // Each returns false when iCalendar's years 0001 ... 9999 cannot hold
    // the event. key: what the event is, unique within its date (yyyyMMdd).
    // A timed event lasts one minute.
    bool Timed(const QByteArray &day, const QByteArray &key, TInstant at, const QString &summary);
    bool Stretch(const QByteArray &day, const QByteArray &key, TInstant from, TInstant to,
                 const QString &summary);
    void WholeDate(const QByteArray &day, const QByteArray &key, const QString &summary);

    QByteArray Finished();

private:
    bool Between(const QByteArray &day, const QByteArray &key, const QDateTime &start,
                 const QDateTime &end, const QString &summary);
    void Line(const QByteArray &text);
    void Event(const QByteArray &uid, const QByteArray &when, const QString &summary);

    const QByteArray FPlaceKey;
    const QByteArray FLocation;
    const QByteArray FGeo;
    QByteArray FStamp = "19700101T000000Z";
    QByteArray FOut;
};

// "20260621": a date as iCalendar writes it.
QByteArray ICalendarDay(const QDate &date);
