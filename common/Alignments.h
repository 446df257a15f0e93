// The dates on which the Sun or the Moon rises or sets along a bearing (a
// street, a window, a peak), and their files. Qt Core only.
#pragma once

#include "common/Language.h"
#include "common/Place.h"
#include "suntime/DayEvents.h"

#include <QByteArray>
#include <QDate>
#include <QVector>

#include <optional>

struct TAlignment {
    QDate Date;   // on the clock the dates were read on
    TEvent Event; // Sunrise, Sunset, Moonrise or Moonset, with its azimuth
};

// The risings and settings whose azimuth lies within tolerance degrees of
// the bearing, in time order: the Sun's, and the Moon's when the dates hold
// them. The dates must hold the azimuths.
QVector<TAlignment> Alignments(const QVector<TDayEvents> &days, double bearing, double tolerance);

// date,event,time,azimuth (RFC 4180, CR LF), the event being sunrise, sunset,
// moonrise or moonset and the azimuth with two decimals.
QByteArray AlignmentsCsv(const QVector<TAlignment> &list);
// An array of objects with the same keys.
QByteArray AlignmentsJson(const QVector<TAlignment> &list);
// One line each: "2026-05-29  Sunset 20:12:40  azimuth 299.45°", in the
// language; a line that says so when there is none.
QByteArray AlignmentsText(const QVector<TAlignment> &list, TLanguage language);
// One timed one-minute event each; nothing when a moment lies outside the
// years iCalendar can hold.
std::optional<QByteArray> AlignmentsICalendar(const QVector<TAlignment> &list, const TPlace &place,
                                              TLanguage language);
