#include "common/Place.h"

#include "suntime/SunTime.h"

#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace
{

// Through the calculator's own angle types, so that the degrees are exactly
// those its panel computes with for the same fields.
void Write(TAngle &angle, const TDmsAngle &dms)
{
    angle.SetDegrees(static_cast<uint16_t>(dms.Degrees));
    angle.SetMinutes(static_cast<uint16_t>(dms.Minutes));
    angle.SetSeconds(static_cast<uint16_t>(dms.Seconds));
}

} // namespace

TPlace TPlace::FromDms(const QString &name, const TDmsAngle &latitude, const TDmsAngle &longitude)
{
    TLatitude lat;
    Write(lat, latitude);
    lat.SetDir(latitude.Negative ? dSouth : dNorth);
    TLongitude lon;
    Write(lon, longitude);
    lon.SetDir(longitude.Negative ? dWest : dEast);
    TPlace place;
    place.Name = name;
    place.Latitude = lat.Value();
    // The calculator's longitude is west positive; a Negative field is west.
    place.Longitude = -lon.Value();
    return place;
}

TDmsAngle DmsOf(double degrees)
{
    TDmsAngle dms;
    dms.Negative = degrees < 0;
    const long long seconds = std::llround(std::fabs(degrees) * 3600);
    dms.Degrees = int(seconds / 3600);
    dms.Minutes = int(seconds / 60 % 60);
    dms.Seconds = int(seconds % 60);
    return dms;
}

std::optional<int> ZoneOffsetOn(const TPlace &place, const QDate &day)
{
    const QTimeZone zone(place.Zone);
    if (place.Zone.isEmpty() || !zone.isValid() || !day.isValid())
        return std::nullopt;
    return zone.offsetFromUtc(QDateTime(day, QTime(12, 0), zone));
}

TClock OwnClock(const TPlace &place, int fieldsOffset)
{
    const QTimeZone zone(place.Zone);
    if (place.Zone.isEmpty() || !zone.isValid())
        return TClock::Local(fieldsOffset);
    return TClock::Zone(zone);
}

TOffsetFields OffsetFields(int seconds)
{
    const int minutes = seconds / 60;
    TOffsetFields fields;
    fields.Hours = minutes >= 0 ? minutes / 60 : -((-minutes + 59) / 60);
    fields.Minutes = minutes - fields.Hours * 60;
    const int earliest = EarliestClockOffset / 3600;
    const int latest = LatestClockOffset / 3600;
    if (fields.Hours > latest || fields.Hours < earliest) {
        fields.Hours = std::clamp(fields.Hours, earliest, latest);
        fields.Minutes = 0;
    }
    return fields;
}

TDmsAngle TPlace::LatitudeDms() const
{
    return DmsOf(Latitude);
}

TDmsAngle TPlace::LongitudeDms() const
{
    return DmsOf(Longitude);
}
