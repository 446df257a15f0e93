// Angles in degrees, minutes and seconds, and the Sun event calculator.
// Standard library only: this module is reused and tested without Qt.
#pragma once

#include <cstdint>
#include <functional>

enum TLatitudeDir { dNorth, dSouth };
enum TLongitudeDir { dWest, dEast };

// An angle as the user types it: unsigned degrees, minutes, seconds and a
// separate sign. Every write compares first and notifies only on a change.
class TAngle
{
public:
    std::function<void(TAngle &)> OnChange; // may be empty

    TAngle() = default;
    TAngle(const TAngle &) = delete;
    TAngle &operator=(const TAngle &) = delete;
    virtual ~TAngle();

    uint16_t Degrees() const { return FDegrees; }
    virtual void SetDegrees(uint16_t v);
    uint16_t Minutes() const { return FMinutes; }
    void SetMinutes(uint16_t v);
    uint16_t Seconds() const { return FSeconds; }
    void SetSeconds(uint16_t v);
    bool Negative() const { return FNegative; }
    void SetNegative(bool b);
    double Value() const; // decimal degrees
    void SetValue(double v);
    void Assign(const TAngle &source);

protected:
    void Changed();

private:
    uint16_t FDegrees = 0;
    uint16_t FMinutes = 0;
    uint16_t FSeconds = 0;
    bool FNegative = false;
};

// Latitude: positive north; degrees above 90 lose 90 repeatedly.
class TLatitude : public TAngle
{
public:
    TLatitudeDir Dir() const;
    void SetDir(TLatitudeDir d);
    void SetDegrees(uint16_t v) override;
};

// Longitude: the decimal value is positive WEST; degrees above 180 lose 180.
class TLongitude : public TAngle
{
public:
    TLongitudeDir Dir() const;
    void SetDir(TLongitudeDir d);
    void SetDegrees(uint16_t v) override;
};

// Sunrise, solar noon and sunset of one place and day, on a clock offset from
// UTC by TimeZone hours. Results are OLE dates; 0 means "does not occur".
class TSunTime
{
public:
    TSunTime();
    TSunTime(const TSunTime &) = delete;
    TSunTime &operator=(const TSunTime &) = delete;

    double Date() const { return FDate; }
    void SetDate(double value); // OLE date
    double TimeZone() const { return FTimeZone; }
    void SetTimeZone(double hours);
    bool UseSysTimeZone() const { return FUseSysTimeZone; }
    void SetUseSysTimeZone(bool on);
    TLatitude &Latitude() { return FLatitude; }
    const TLatitude &Latitude() const { return FLatitude; }
    void SetLatitude(const TAngle &a);
    TLongitude &Longitude() { return FLongitude; }
    const TLongitude &Longitude() const { return FLongitude; }
    void SetLongitude(const TAngle &a);
    bool Calculated() const { return FCalculated; }
    void Invalidate();
    double EventTime(int index); // 1 sunrise, 2 sunset, 3 solar noon; 0 = does not occur

private:
    void Calculate();

    double FDate = 0;
    double FTimeZone = 0;
    bool FUseSysTimeZone = false;
    TLatitude FLatitude;
    TLongitude FLongitude;
    double FSunrise = 0;
    double FSunset = 0;
    double FNoon = 0;
    bool FCalculated = false;
};

// Offset in minutes (UTC = local time + bias) of the system's time zone in
// force at 00:00 local time of the given OLE day. Honours the TZ variable.
int SystemZoneBias(double day);
