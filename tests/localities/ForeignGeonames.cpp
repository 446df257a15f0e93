// Another library of the name libgeonames.so.0: none of its functions.
extern "C" __attribute__((visibility("default"))) int geonames_other_function(void)
{
    return 0;
}
