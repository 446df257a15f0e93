// The geonames module: hands every city of libgeonames to the program.
#include "localities/geonames/GeonamesModule.h"

#include <geonames.h>

#define VANTU_EXPORT __attribute__((visibility("default")))

namespace
{

// Child by child, which is faster than g_variant_get parsing its format for
// every city; the strings stay valid while the city does.
struct TChildren {
    GVariant *Child[10] = {};
    explicit TChildren(GVariant *city)
    {
        for (gsize i = 0; i < 10; ++i)
            Child[i] = g_variant_get_child_value(city, i);
    }
    ~TChildren()
    {
        for (GVariant *child : Child)
            g_variant_unref(child);
    }
    const char *Text(int i) const { return g_variant_get_string(Child[i], nullptr); }
};

} // namespace

extern "C" VANTU_EXPORT int vantu_geonames_interface(void)
{
    return VANTU_GEONAMES_INTERFACE;
}

extern "C" VANTU_EXPORT int vantu_geonames_enumerate(VantuGeonamesCallback callback, void *context)
{
    if (!callback)
        return 0;
    const GVariantType *layout = G_VARIANT_TYPE("(sssssssudd)");
    const int count = geonames_get_n_cities();
    int handed = 0;
    for (int i = 0; i < count; ++i) {
        GeonamesCity *city = geonames_get_city(i);
        if (!city)
            continue;
        if (g_variant_is_of_type(city, layout)) {
            const TChildren field(city);
            VantuGeonamesCity c;
            c.Id = field.Text(0);
            c.Name = field.Text(1);
            c.Admin1 = field.Text(2);
            c.Region = field.Text(3);
            c.CountryCode = field.Text(4);
            c.Country = field.Text(5);
            c.Zone = field.Text(6);
            c.Population = g_variant_get_uint32(field.Child[7]);
            c.Latitude = g_variant_get_double(field.Child[8]);
            c.Longitude = g_variant_get_double(field.Child[9]);
            callback(&c, context);
            ++handed;
        }
        geonames_city_free(city);
    }
    return handed;
}
