#!/usr/bin/python3
"""Checks vantu-cli --aligned against PyEphem: for every date of a year, the
sunrise and sunset azimuth of the Sun's centre at -0:50 without refraction
(pressure 0), as the program defines them; the dates within the tolerance of
the bearing must be those vantu-cli lists. Prints both lists and whether
they agree; exits 1 when they do not.

    /usr/bin/python3 tools/bench_angles/check_aligned.py build/bin/vantu-cli \
        --lat 40.71427 --lon -74.00597 --tz America/New_York --year 2026 --bearing 299.3
"""
import argparse
import csv
import datetime
import io
import math
import subprocess
import sys
import zoneinfo

import ephem


def ephem_events(lat, lon, zone, year):
    """(date on the zone's clock, event, azimuth) of every sunrise and sunset."""
    observer = ephem.Observer()
    observer.lat, observer.lon = str(lat), str(lon)
    observer.pressure = 0
    observer.horizon = "-0:50"
    sun = ephem.Sun()
    tz = zoneinfo.ZoneInfo(zone)
    start = datetime.datetime(year, 1, 1, tzinfo=tz).astimezone(datetime.timezone.utc)
    end = datetime.datetime(year + 1, 1, 1, tzinfo=tz).astimezone(datetime.timezone.utc)
    found = []
    for name, search in (("sunrise", observer.next_rising), ("sunset", observer.next_setting)):
        observer.date = start.replace(tzinfo=None)
        while True:
            try:
                t = search(sun, use_center=True)
            except (ephem.AlwaysUpError, ephem.NeverUpError):
                # A polar day or night: on to the next day.
                observer.date = observer.date + 1
                if observer.date.datetime() >= end.replace(tzinfo=None):
                    break
                continue
            moment = t.datetime().replace(tzinfo=datetime.timezone.utc)
            if moment >= end:
                break
            observer.date = t
            sun.compute(observer)
            found.append((moment.astimezone(tz).date().isoformat(), name, math.degrees(sun.az)))
            observer.date = t + 1e-3
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--lat", type=float, required=True)
    parser.add_argument("--lon", type=float, required=True)
    parser.add_argument("--tz", required=True)
    parser.add_argument("--year", type=int, required=True)
    parser.add_argument("--bearing", type=float, required=True)
    parser.add_argument("--tolerance", type=float, default=0.5)
    a = parser.parse_args()
    out = subprocess.run([a.cli, "--lat", str(a.lat), "--lon", str(a.lon), "--tz", a.tz,
                          "--year", str(a.year), "--aligned", str(a.bearing),
                          "--tolerance", str(a.tolerance), "--format", "csv"],
                         check=True, capture_output=True).stdout.decode()
    ours = [(r["date"], r["event"]) for r in csv.DictReader(io.StringIO(out, newline=""))]

    def gap(az):
        d = abs(az - a.bearing) % 360
        return min(d, 360 - d)

    theirs = [(d, e) for d, e, az in sorted(ephem_events(a.lat, a.lon, a.tz, a.year))
              if gap(az) <= a.tolerance]
    print("vantu-cli:", " ".join(f"{d} {e}" for d, e in ours))
    print("PyEphem:  ", " ".join(f"{d} {e}" for d, e in theirs))
    same = sorted(ours) == sorted(theirs)
    print("same dates" if same else "DIFFERENT", flush=True)
    return 0 if same else 1


if __name__ == "__main__":
    sys.exit(main())
