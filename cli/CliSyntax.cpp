#include "cli/CliSyntax.h"

const char *const HelpDetails =
    "\nPlace: --place NAME looks the name up in the program's lokality.xml (the\n"
    "working folder's; ~/.local/share/vantu/ when installed)\n"
    "(or --db FILE): the exact name, else the only name that starts with NAME,\n"
    "ignoring case and accents. Or --lat and --lon in decimal degrees (north and\n"
    "east positive) or as 48:09:00N and 17:07:01E, named by --name. Or --city NAME,\n"
    "the best match among the world's larger cities (--find TEXT lists them).\n"
    "\nClock: the place's own clock (Hod + Min/60 of its record; UTC for --lat/--lon;\n"
    "the city's time zone) unless --utc, --cet, --cest, --offset or --tz is given.\n"
    "Text lines are tagged [UTC], [CET], [CEST] or [Local] as in the program's\n"
    "results table, [UTC+05:45] for --offset and [Europe/Bratislava] for a zone\n"
    "(each time on the offset in force at that moment, daylight saving included).\n"
    "A line or row of a date holds the events that fall on that date of the clock.\n"
    "\nSky: --sky adds the columns sunrise_azimuth, sunset_azimuth (degrees from\n"
    "north), moonrise, moonset, moon_illumination and moon_phase (at 12:00 of the\n"
    "date), and to iCalendar the Moon's risings, settings and principal phases.\n"
    "--at TIME gives the Sun's and the Moon's altitude and azimuth at that moment;\n"
    "with --shadow H the length (metres) and azimuth of an upright object's shadow.\n"
    "\nAngles of the Sun: an altitude is the true (airless) altitude of the Sun's\n"
    "centre, as the twilights use (-6, -12, -18); sunrise and sunset keep -0.833.\n"
    "--altitude A adds the columns altitude_A_rise and altitude_A_set. --light adds\n"
    "the golden hour (the centre from -4 to +6) and the blue hour (-6 to -4): the\n"
    "columns of -6, -4 and 6, a text line and, in iCalendar, an event for each.\n"
    "A bearing is an azimuth in degrees from north, clockwise: --bearing B adds\n"
    "sun_bearing_B (when the Sun's centre passes B above -0.833) and its altitude.\n"
    "--aligned B lists, for --month or --year, the dates of a sunrise or sunset\n"
    "(with --sky also moonrise or moonset) within --tolerance T degrees of B:\n"
    "date,event,time,azimuth. E.g. the sunsets along Manhattan's streets:\n"
    "  vantu-cli --city \"New York\" --year 2026 --aligned 299.3 --format csv\n"
    "--twilight also gives day_length_change, the change since the date before.\n"
    "A date of polar day or night names the last and the next sunrise or sunset.\n"
    "\nReal horizon: --horizon FILE (one \"azimuth altitude\" pair a line, degrees,\n"
    "of the terrain as seen; or a polygonal landscape's landscape.ini) and --height\n"
    "METRES above the surroundings (the flat horizon dips 1.76' x sqrt(METRES)) add\n"
    "visible_sunrise and visible_sunset (with --sky also visible_moonrise and\n"
    "visible_moonset): the first moment the upper limb, refraction included, clears\n"
    "the horizon at the body's azimuth and the last it goes behind it. With --at,\n"
    "--horizon adds sun_visible.\n"
    "\nExit codes: 0 done; 1 place or city not found or ambiguous, locality file\n"
    "missing or unreadable, no city data, or the output cannot be written; 2 wrong\n"
    "arguments, or iCalendar asked for events outside the years 0001 ... 9999.\n";

TSyntax::TSyntax()
    : Place(QStringLiteral("place"), QStringLiteral("Place NAME from the locality file."),
            QStringLiteral("NAME")),
      Db(QStringLiteral("db"), QStringLiteral("Locality FILE (default lokality.xml)."),
         QStringLiteral("FILE")),
      Lat(QStringLiteral("lat"), QStringLiteral("Latitude: 48.15 or 48:09:00N."),
          QStringLiteral("DEG")),
      Lon(QStringLiteral("lon"), QStringLiteral("Longitude: 17.117 (east) or 17:07:01E."),
          QStringLiteral("DEG")),
      Name(QStringLiteral("name"), QStringLiteral("Name of the place given by --lat and --lon."),
           QStringLiteral("TEXT")),
      City(QStringLiteral("city"),
           QStringLiteral("A city of the world by its name, in its time zone."),
           QStringLiteral("NAME")),
      Find(QStringLiteral("find"), QStringLiteral("List the cities whose name matches TEXT."),
           QStringLiteral("TEXT")),
      Date(QStringLiteral("date"), QStringLiteral("One day, YYYY-MM-DD (default today)."),
           QStringLiteral("DATE")),
      Month(QStringLiteral("month"), QStringLiteral("A whole month, YYYY-MM."),
            QStringLiteral("MONTH")),
      Year(QStringLiteral("year"), QStringLiteral("A whole year, YYYY."), QStringLiteral("YEAR")),
      Utc(QStringLiteral("utc"), QStringLiteral("Times in UTC.")),
      Cet(QStringLiteral("cet"), QStringLiteral("Times in CET (UTC+1).")),
      Cest(QStringLiteral("cest"), QStringLiteral("Times in CEST (UTC+2).")),
      Offset(QStringLiteral("offset"), QStringLiteral("Times on a fixed offset, e.g. +1:00."),
             QStringLiteral("[+-]H:MM")),
      Tz(QStringLiteral("tz"),
         QStringLiteral("Civil time of a zone with daylight saving, "
                        "e.g. Europe/Bratislava."),
         QStringLiteral("ZONE")),
      Sky(QStringLiteral("sky"),
          QStringLiteral("Add where the Sun rises and sets, the Moon's rising "
                         "and setting, its light and phase.")),
      At(QStringLiteral("at"),
         QStringLiteral("The Sun and the Moon in the sky at a moment, "
                        "2026-06-21T21:30 on the clock or with an offset."),
         QStringLiteral("TIME")),
      Twilight(QStringLiteral("twilight"),
               QStringLiteral("Add civil, nautical and astronomical twilight and day length.")),
      Altitude(QStringLiteral("altitude"),
               QStringLiteral("When the Sun's centre rises and sets through A degrees "
                              "(-89 ... 89; repeatable)."),
               QStringLiteral("A")),
      Light(QStringLiteral("light"), QStringLiteral("Add the golden and blue hours.")),
      Bearing(QStringLiteral("bearing"),
              QStringLiteral("When the Sun passes the bearing B, degrees from north "
                             "(repeatable)."),
              QStringLiteral("B")),
      Aligned(QStringLiteral("aligned"),
              QStringLiteral("With --month or --year, the dates the Sun (and with --sky "
                             "the Moon) rises or sets along the bearing B."),
              QStringLiteral("B")),
      Tolerance(QStringLiteral("tolerance"),
                QStringLiteral("Degrees --aligned allows either side (default 0.5)."),
                QStringLiteral("T")),
      Shadow(QStringLiteral("shadow"),
             QStringLiteral("With --at, the shadow of an upright object H metres tall."),
             QStringLiteral("H")),
      Horizon(QStringLiteral("horizon"),
              QStringLiteral("The terrain's horizon profile FILE, for the visible sunrise and "
                             "sunset."),
              QStringLiteral("FILE")),
      Height(QStringLiteral("height"),
             QStringLiteral("Metres above the surroundings, 0 ... 10000, for the visible "
                            "sunrise and sunset."),
             QStringLiteral("METRES")),
      Language(QStringLiteral("lang"), QStringLiteral("sk, en or hu (default from LANG)."),
               QStringLiteral("LANG")),
      Format(QStringLiteral("format"), QStringLiteral("text (default), csv, json or ics."),
             QStringLiteral("FORMAT")),
      Easter(QStringLiteral("easter"), QStringLiteral("The date of Easter Sunday in YEAR."),
             QStringLiteral("YEAR")),
      Moon(QStringLiteral("moon"), QStringLiteral("Moon phase fraction and picture on DATE."),
           QStringLiteral("DATE")),
      Verbose(QStringLiteral("verbose"), QStringLiteral("Say where the city data was looked for.")),
      Help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("This help.")),
      Version({QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("The version."))
{
}

QList<const QCommandLineOption *> TSyntax::All() const
{
    return {&Place,   &Db,        &Lat,      &Lon,     &Name,   &City,     &Find,
            &Date,    &Month,     &Year,     &At,      &Utc,    &Cet,      &Cest,
            &Offset,  &Tz,        &Twilight, &Sky,     &Light,  &Altitude, &Bearing,
            &Aligned, &Tolerance, &Shadow,   &Horizon, &Height, &Language, &Format,
            &Easter,  &Moon,      &Verbose,  &Help,    &Version};
}

QList<const QCommandLineOption *> TSyntax::SunOnly() const
{
    return {&Place,    &Db,      &Lat,     &Lon,       &Name,   &City,    &Date,     &Month, &Year,
            &At,       &Utc,     &Cet,     &Cest,      &Offset, &Tz,      &Twilight, &Sky,   &Light,
            &Altitude, &Bearing, &Aligned, &Tolerance, &Shadow, &Horizon, &Height};
}

QList<const QCommandLineOption *> TSyntax::Repeatable() const
{
    return {&Altitude, &Bearing};
}

QString Dashed(const QCommandLineOption &o)
{
    return QStringLiteral("--") + o.names().constLast();
}
