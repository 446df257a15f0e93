// The clock that times are shown on: UTC, CET (UTC+1), CEST (UTC+2), the
// place's own clock (a fixed offset, as its record or the main window's
// fields give it), a fixed offset chosen by the user, or a time zone with its
// daylight-saving rules.
#pragma once

#include "common/Texts.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <optional>

// The tags of the result lines for the program's four clocks, in each
// language; the main window's language tables take them from here.
namespace ClockTag
{
inline constexpr TText Utc{", [UTC] =>   ", ", [UTC] =>   ", ", [UTC] =>   "};
inline constexpr TText Cet{", [SEČ] =>   ", ", [CET] =>   ", ", [CET] =>   "};
inline constexpr TText Cest{", [SELČ] =>   ", ", [CEST] =>   ", ", [CEST] =>   "};
inline constexpr TText Local{", [miestny] =>   ", ", [Local] =>   ", ", [Helyi] =>   "};
} // namespace ClockTag

class TClock
{
public:
    enum class TKind { Utc, Cet, Cest, Local, Offset, Zone };

    TClock() = default; // UTC
    static TClock Utc() { return TClock(); }
    static TClock Cet() { return TClock(TKind::Cet, 3600); }
    static TClock Cest() { return TClock(TKind::Cest, 7200); }
    // The place's own clock, so many seconds east of UTC.
    static TClock Local(int seconds) { return TClock(TKind::Local, seconds); }
    // A fixed offset of the user's choice.
    static TClock Offset(int seconds) { return TClock(TKind::Offset, seconds); }
    // An invalid zone gives UTC.
    static TClock Zone(const QTimeZone &zone);

    TKind Kind() const { return FKind; }
    bool IsZone() const { return FKind == TKind::Zone; }
    QTimeZone TimeZone() const { return FZone; }
    // Seconds east of UTC in force at a moment (the fixed offset for all but a zone).
    int OffsetAt(const QDateTime &moment) const;
    int OffsetAtMs(qint64 msSinceEpoch) const;
    // The fixed offset in seconds; for a zone its offset at 1 January 2000.
    int FixedOffset() const { return FOffset; }

    // "UTC", "SEČ" / "CET", "SELČ" / "CEST", "miestny" / "Local" / "Helyi",
    // "UTC+05:45" for an offset, the zone's id for a zone.
    QString Label(TLanguage language) const;
    // The result line's tag: ", [" + label + "] =>   ".
    QString Tag(TLanguage language) const;

    bool operator==(const TClock &o) const
    {
        return FKind == o.FKind && FOffset == o.FOffset && FZone == o.FZone;
    }
    bool operator!=(const TClock &o) const { return !(*this == o); }

private:
    TClock(TKind kind, int seconds) : FKind(kind), FOffset(seconds) {}

    TKind FKind = TKind::Utc;
    int FOffset = 0;
    QTimeZone FZone;
};

// The main window's time formats are the first four kinds; the settings file
// numbers them 0 UTC, 1 CET, 2 CEST, 3 the place's own clock. Nothing for
// any other number.
std::optional<TClock::TKind> TimeFormatFromIndex(int index);
inline int TimeFormatIndex(TClock::TKind format)
{
    return int(format);
}

// Clocks on Earth keep between UTC-12 and UTC+14 (Kiritimati): the place's
// own clock takes no offset beyond them.
inline constexpr int EarliestClockOffset = -12 * 3600;
inline constexpr int LatestClockOffset = 14 * 3600;

// "+05:45", "-03:30", "+00:00": an offset from UTC in seconds, to the minute.
QString OffsetText(int seconds);
