// The dates of a clock and their events: the one day's-events list of the
// astronomy, read on a clock. Every window, writer and the command-line tool
// takes a date's events from here. Qt Core only.
#pragma once

#include "common/Clock.h"
#include "common/Place.h"
#include "suntime/DayEvents.h"
#include "suntime/Sky.h"

#include <QDate>
#include <QDateTime>
#include <QVector>

#include <optional>

// The first moment of a date on the clock. A zone whose midnight falls into
// a daylight-saving gap starts the date at the end of the gap; a date the
// zone skips starts (and ends) where the next date starts.
TInstant DateStart(const QDate &date, const TClock &clock);

// The events of each date from first to last, both included, on the clock:
// every event that falls on a date, whichever day of UTC it belongs to, each
// carrying the clock's offset at its moment.
QVector<TDayEvents> EventsOfDates(const TObserver &observer, const TClock &clock,
                                  const QDate &first, const QDate &last,
                                  const TEventRequest &request = {});
TDayEvents EventsOfDate(const TObserver &observer, const TClock &clock, const QDate &date,
                        const TEventRequest &request = {});

// The date of a list, and the moment of an event on the clock it was read on.
QDate DateOf(const TDayEvents &day);
QDateTime MomentOf(const TEvent &event);
QDateTime MomentOn(TInstant moment, const TClock &clock);
// The first occurrence of a kind on the date, as a moment on the clock.
std::optional<QDateTime> FirstMoment(const TDayEvents &day, TEventKind kind);

TInstant InstantOf(const QDateTime &moment);

// The Sun and the Moon at a moment; nothing outside the years the Moon's
// theory takes.
std::optional<TSkyAt> SkyAt(const TObserver &observer, const QDateTime &moment);

// The first principal phase of a kind (NewMoon ... LastQuarter) at or after
// a moment, on the clock.
std::optional<QDateTime> NextPrincipalPhase(TEventKind phase, const QDateTime &from,
                                            const TClock &clock);
