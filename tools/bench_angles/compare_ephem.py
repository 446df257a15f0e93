#!/usr/bin/python3
"""Compares the Sun's events at any altitude and bearing (bench_angles) with
PyEphem (VSOP87): 3,000 random days of UT from 1900 to 2100 at places within
+-65 degrees, altitudes from -18 to +30 degrees and bearings from 0 to 360.
An altitude's rising and setting are ephem's with pressure 0 (no refraction)
and horizon set to the altitude, for the Sun's centre; a bearing's pass is
where ephem's azimuth of the Sun equals the bearing, found by halving.
Prints median, 95th percentile and largest difference in seconds, and how
often one finds an event the other does not.

    /usr/bin/python3 tools/bench_angles/compare_ephem.py build/bin/bench_angles
"""
import argparse
import math
import random
import subprocess

import ephem

JD_TO_EPHEM = -2415020.0  # ephem counts days from 1899-12-31 12:00


def percentile(values, p):
    s = sorted(values)
    if not s:
        return float("nan")
    k = (len(s) - 1) * p
    lo = math.floor(k)
    hi = min(lo + 1, len(s) - 1)
    return s[lo] + (s[hi] - s[lo]) * (k - lo)


def ephem_altitude_events(observer, sun, start, angle):
    """ephem's risings and settings through the angle within the day."""
    observer.horizon = math.radians(angle)
    found = []
    for rising, search in ((True, observer.next_rising), (False, observer.next_setting)):
        observer.date = start
        while True:
            try:
                t = float(search(sun, use_center=True))
            except (ephem.AlwaysUpError, ephem.NeverUpError):
                break
            if t >= start + 1:
                break
            found.append((rising, t))
            observer.date = t + 1e-5
    return found


def ephem_azimuth(observer, sun, t):
    observer.date = t
    sun.compute(observer)
    return math.degrees(sun.az), math.degrees(sun.alt)


def ephem_bearing(observer, sun, t, bearing):
    """ephem's pass of the bearing nearest t, by halving around it."""
    def off(x):
        az, _ = ephem_azimuth(observer, sun, x)
        return math.remainder(az - bearing, 360)
    a, b = t - 600 / 86400, t + 600 / 86400
    fa, fb = off(a), off(b)
    if fa * fb > 0:
        return None
    for _ in range(40):
        m = (a + b) / 2
        fm = off(m)
        if fm * fa > 0:
            a, fa = m, fm
        else:
            b = m
    return (a + b) / 2


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program", help="path of bench_angles")
    parser.add_argument("--count", type=int, default=3000)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    rnd = random.Random(args.seed)
    cases = []
    for i in range(args.count):
        jd = 2415020.5 + rnd.randrange(0, 73000)
        lat = rnd.uniform(-65, 65)
        lon = rnd.uniform(-180, 180)
        if i % 2 == 0:
            cases.append((jd, lat, lon, "a", round(rnd.uniform(-18, 30), 2)))
        else:
            cases.append((jd, lat, lon, "b", round(rnd.uniform(0, 360), 1)))
    text = "".join("%.1f %.6f %.6f %s %g\n" % c for c in cases)
    out = subprocess.run([args.program], input=text, capture_output=True, text=True,
                         check=True).stdout.splitlines()
    sun = ephem.Sun()
    observer = ephem.Observer()
    observer.pressure = 0
    observer.elevation = 0
    diffs = {"altitude": [], "bearing": []}
    disagree = {"altitude": 0, "bearing": 0}
    worst = {"altitude": None, "bearing": None}
    for (jd, lat, lon, kind, angle), line in zip(cases, out):
        observer.lat = math.radians(lat)
        observer.lon = math.radians(lon)
        start = jd + JD_TO_EPHEM
        fields = line.split()
        ours = [] if fields == ["-"] else [(fields[i], float(fields[i + 1]) + JD_TO_EPHEM)
                                         for i in range(0, len(fields), 2)]
        if kind == "a":
            theirs = ephem_altitude_events(observer, sun, start, angle)
            name = "altitude"
            if len(theirs) != len(ours):
                disagree[name] += 1
            for letter, t in ours:
                near = [x for r, x in theirs if r == (letter == "r")]
                if not near:
                    continue
                d = min(abs(x - t) for x in near) * 86400
                diffs[name].append(d)
                if worst[name] is None or d > worst[name][0]:
                    worst[name] = (d, jd, lat, lon, angle)
        else:
            name = "bearing"
            for _, t in ours:
                x = ephem_bearing(observer, sun, t, angle)
                if x is None:
                    disagree[name] += 1
                    continue
                d = abs(x - t) * 86400
                diffs[name].append(d)
                if worst[name] is None or d > worst[name][0]:
                    worst[name] = (d, jd, lat, lon, angle)
    print("%d random days of UT 1900-2100, latitudes within +-65; |program - PyEphem| in s"
          % args.count)
    print("%-10s %7s %7s %7s %7s %9s" % ("", "events", "median", "p95", "max", "disagree"))
    for name in ("altitude", "bearing"):
        d = diffs[name]
        print("%-10s %7d %7.2f %7.2f %7.2f %9d" % (name, len(d), percentile(d, 0.5),
                                                   percentile(d, 0.95), max(d), disagree[name]))
        print("  largest: %.2f s at JD %.1f, %.3f, %.3f, angle %g" % worst[name])


if __name__ == "__main__":
    main()
