#!/usr/bin/python3
"""Compares the twilights of bench_twilight with PyEphem (VSOP87 Sun).

Random days and places within +-60 degrees of latitude; each dawn and dusk the
program finds is compared with ephem's nearest rising or setting of the Sun's
centre through the same depression, without refraction, in UTC. Prints the
median, 95th percentile and largest absolute difference in seconds.

    /usr/bin/python3 tools/bench_twilight/compare_ephem.py build-sun/bin/bench_twilight
"""
import argparse
import math
import random
import subprocess
import sys

import ephem

OLE_TO_EPHEM = -1.5  # ephem counts days from 1899-12-31 12:00, OLE from 1899-12-30 00:00
OLE_1900 = 2.0       # 1900-01-01
OLE_2101 = 73418.0   # 2101-01-01
ZENITHS = [("sunrise/sunset", 90.833), ("civil", 96.0), ("nautical", 102.0),
           ("astronomical", 108.0)]


def percentile(values, p):
    s = sorted(values)
    if not s:
        return float("nan")
    k = (len(s) - 1) * p
    lo = math.floor(k)
    hi = min(lo + 1, len(s) - 1)
    return s[lo] + (s[hi] - s[lo]) * (k - lo)


def nearest(observer, body, when, rising):
    """ephem's crossing closest to `when` (an ephem date), or None."""
    # The searches start a quarter of a day away: started on the very moment
    # of a crossing, ephem may step over it to the one a day further.
    found = []
    for search, start in (((observer.next_rising, when - 0.25),
                           (observer.previous_rising, when + 0.25)) if rising else
                          ((observer.next_setting, when - 0.25),
                           (observer.previous_setting, when + 0.25))):
        observer.date = start
        try:
            found.append(float(search(body, use_center=True)))
        except (ephem.AlwaysUpError, ephem.NeverUpError):
            pass
    return min(found, key=lambda t: abs(t - when)) if found else None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program", help="path of bench_twilight")
    parser.add_argument("--count", type=int, default=3000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--latitude", type=float, default=60.0)
    args = parser.parse_args()

    rnd = random.Random(args.seed)
    cases = []
    for _ in range(args.count):
        day = float(rnd.randrange(int(OLE_1900), int(OLE_2101)))
        lat = rnd.uniform(-args.latitude, args.latitude)
        lon_west = rnd.uniform(-180.0, 180.0)
        cases.append((day, lat, lon_west))
    # The program takes the longitude east positive.
    text = "".join("%.1f %.10f %.10f\n" % (day, lat, -lon_west) for day, lat, lon_west in cases)
    out = subprocess.run([args.program], input=text, capture_output=True, text=True,
                         check=True).stdout.splitlines()
    if len(out) != len(cases):
        sys.exit("expected %d lines, got %d" % (len(cases), len(out)))

    sun = ephem.Sun()
    observer = ephem.Observer()
    observer.pressure = 0  # no refraction: the geometric zenith angle
    observer.elevation = 0
    diffs = {name: [] for name, _ in ZENITHS}
    missing = {name: 0 for name, _ in ZENITHS}
    for (day, lat, lon_west), line in zip(cases, out):
        fields = line.split()
        observer.lat = math.radians(lat)
        observer.lon = math.radians(-lon_west)
        for i, (name, zenith) in enumerate(ZENITHS):
            observer.horizon = math.radians(-(zenith - 90))
            for rising, field in ((True, fields[2 * i]), (False, fields[2 * i + 1])):
                if field in ("A", "B", "F"):
                    # The program finds no crossing; ephem must find none near that day.
                    when = day + 0.5 + lon_west / 360 + OLE_TO_EPHEM
                    other = nearest(observer, sun, when, rising)
                    if other is not None and abs(other - when) < 0.5:
                        missing[name] += 1
                    continue
                when = float(field) + OLE_TO_EPHEM
                other = nearest(observer, sun, when, rising)
                if other is None:
                    missing[name] += 1
                    continue
                diffs[name].append((abs(other - when) * 86400, day, lat, lon_west, rising))

    print("%d random days 1900-2100, latitudes within +-%g, UTC; |program - PyEphem| in s"
          % (args.count, args.latitude))
    print("%-15s %7s %7s %7s %7s %9s" % ("", "events", "median", "p95", "max", "disagree"))
    for name, _ in ZENITHS:
        d = [x[0] for x in diffs[name]]
        print("%-15s %7d %7.1f %7.1f %7.1f %9d" % (name, len(d), percentile(d, 0.5),
                                                   percentile(d, 0.95), max(d), missing[name]))
    print("largest differences (OLE day, latitude, longitude west, event):")
    for name, _ in ZENITHS:
        worst = max(diffs[name])
        print("%-15s %s  %.3f %.3f %s" % (name, str(ephem.Date(worst[1] + OLE_TO_EPHEM))[:10],
                                          worst[2], worst[3], "dawn" if worst[4] else "dusk"))


if __name__ == "__main__":
    main()
