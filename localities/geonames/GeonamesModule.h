// The plain C interface between the program and its geonames module
// (libvantu_geonames.so). The module alone links libgeonames, so a machine
// without that library still starts the program; only the city search is
// missing there. Kept to C types so either side may be built apart.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Raised when the layout below changes; the program refuses another number.
#define VANTU_GEONAMES_INTERFACE 1

// One city as the library keeps it. The strings are UTF-8 and live only for
// the duration of the callback.
struct VantuGeonamesCity {
    const char *Id;          // geonames id, "2761369"
    const char *Name;        // "Vienna"
    const char *Admin1;      // region code within the country, "09"
    const char *Region;      // "Vienna"
    const char *CountryCode; // "AT"
    const char *Country;     // "Austria"
    const char *Zone;        // IANA id, "Europe/Vienna"
    unsigned Population;
    double Latitude;  // degrees, north positive
    double Longitude; // degrees, east positive
};

typedef void (*VantuGeonamesCallback)(const struct VantuGeonamesCity *city, void *context);

#define VANTU_GEONAMES_INTERFACE_SYMBOL "vantu_geonames_interface"
#define VANTU_GEONAMES_ENUMERATE_SYMBOL "vantu_geonames_enumerate"

typedef int (*VantuGeonamesInterfaceFunction)(void);
// Calls back once per city; returns how many were handed over.
typedef int (*VantuGeonamesEnumerateFunction)(VantuGeonamesCallback callback, void *context);

#ifdef __cplusplus
}
#endif
