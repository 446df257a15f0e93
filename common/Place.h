// A place on Earth: an observer with a name and the time zone of its clocks,
// and the degrees, minutes and seconds that people type.
#pragma once

#include "common/Clock.h"
#include "suntime/Observer.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>

// One coordinate as the main window's fields hold it: whole degrees,
// minutes, seconds and the hemisphere (south or west is Negative).
struct TDmsAngle {
    int Degrees = 0;
    int Minutes = 0;
    int Seconds = 0;
    bool Negative = false;

    bool operator==(const TDmsAngle &o) const
    {
        return Degrees == o.Degrees && Minutes == o.Minutes && Seconds == o.Seconds &&
               Negative == o.Negative;
    }
};

struct TPlace : TObserver {
    QString Name;
    QByteArray Zone; // the IANA zone of the place's clocks; empty when not known

    TPlace() = default;
    TPlace(const QString &name, double latitude, double longitude, const QByteArray &zone = {})
        : TObserver{latitude, longitude, 0}, Name(name), Zone(zone)
    {
    }

    // The place of the main window's fields, read as its Sun calculator reads
    // them: degrees beyond 90 (latitude) or 180 (longitude) lose that much,
    // minutes and seconds carry.
    static TPlace FromDms(const QString &name, const TDmsAngle &latitude,
                          const TDmsAngle &longitude);
    // The fields of a place's latitude and longitude, to the nearest whole second.
    TDmsAngle LatitudeDms() const;
    TDmsAngle LongitudeDms() const;

    bool operator==(const TPlace &o) const
    {
        return Name == o.Name && Latitude == o.Latitude && Longitude == o.Longitude &&
               Height == o.Height && Zone == o.Zone;
    }
    bool operator!=(const TPlace &o) const { return !(*this == o); }
};

// The whole-second degrees, minutes and seconds of |degrees|, and its sign.
TDmsAngle DmsOf(double degrees);

// The offset from UTC in seconds that the clocks of a place's zone show on a
// day (at its noon, clear of any change in the night); nothing without a zone.
std::optional<int> ZoneOffsetOn(const TPlace &place, const QDate &day);

// A place's own clock: its zone's, each moment on the offset then in force,
// or else the fixed offset (seconds east of UTC) of the main window's fields.
TClock OwnClock(const TPlace &place, int fieldsOffset);

// The main window's two offset fields for an offset: the minutes (0 ... 59)
// are added to the hours whatever their sign, as the fields are read, so
// -3:30 is -4 hours and 30 minutes. Hours beyond -12 ... 14, which the
// fields cannot hold, are cut to that range.
struct TOffsetFields {
    int Hours = 0;
    int Minutes = 0;
};
TOffsetFields OffsetFields(int seconds);
