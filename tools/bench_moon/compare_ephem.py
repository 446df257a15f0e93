#!/usr/bin/python3
"""Compares the Moon of moon_cases with PyEphem, and suncalc's moonrise beside it.

Random UTC days 1900-2100 at random places within +-60 degrees of latitude.

Moonrise and moonset are the same event in both: ephem with pressure 0 (so no
refraction model of its own) and horizon -0:34 finds the moment its upper limb
(use_center off) stands 34' below the airless topocentric horizon, which is
moon_cases's definition. What differs is the Moon's radius, 1740 km in ephem
against Meeus's 0.272481 Earth radii (1737.9 km), 1.2" on the sky, and the
semi-diameter seen from the Earth's centre in ephem, from the place in
moon_cases (0.1" apart on the horizon): a tenth of a second or so of time. Transits are the centre on the meridian.
Every event the program finds is compared with ephem's nearest; events that
only one of them finds within the day are counted as "disagree".

The Sun's azimuth is taken at the calculator's own sunrise and sunset
(ComputeSunDay on a UTC clock) and compared with ephem's azimuth of the Sun's
centre at those moments (pressure 0: airless). The lit fraction of the disc is
compared at a random moment of each day with ephem's moon_phase, and each
principal phase within 30 days of the day with ephem's nearest one.

Keep --latitude within about 65: nearer the poles, where the Moon may only
graze the horizon, ephem's own search misses or mistimes some of those brief
risings and settings (and may take very long), so its answers are no yardstick
there.

With --suncalc FOLDER (a folder holding node_modules/suncalc, e.g. after
"npm install --prefix /tmp/suncalc suncalc"), suncalc's getMoonTimes for the
same UTC days goes through the same comparison with ephem. suncalc has its own
definition (the centre at +0.133 degrees of its refracted altitude), so part
of its difference is that definition.

    /usr/bin/python3 tools/bench_moon/compare_ephem.py build/bin/moon_cases \\
        --suncalc /tmp/suncalc
"""
import argparse
import math
import os
import random
import subprocess
import sys

import ephem

JD_TO_EPHEM = -2415020.0  # ephem counts days from 1899-12-31 12:00
JD_1900 = 2415020.5       # 1900-01-01
JD_2101 = 2488434.5       # 2101-01-01
UNIX_EPOCH_JD = 2440587.5


def percentile(values, p):
    s = sorted(values)
    if not s:
        return float("nan")
    k = (len(s) - 1) * p
    lo = math.floor(k)
    hi = min(lo + 1, len(s) - 1)
    return s[lo] + (s[hi] - s[lo]) * (k - lo)


def nearest(observer, moon, when, kind):
    """ephem's event of a kind ("R", "S", "T") closest to `when` (ephem date)."""
    searches = {"R": (observer.next_rising, observer.previous_rising),
                "S": (observer.next_setting, observer.previous_setting),
                "T": (observer.next_transit, observer.previous_transit)}[kind]
    found = []
    # Started on the very moment of an event, ephem may step over it.
    for search, start in zip(searches, (when - 0.25, when + 0.25)):
        observer.date = start
        try:
            found.append(float(search(moon)))
        except (ephem.AlwaysUpError, ephem.NeverUpError):
            pass
    return min(found, key=lambda t: abs(t - when)) if found else None


def ephem_day(observer, moon, start, kind):
    """ephem's events of a kind within [start, start + 1) (ephem dates)."""
    search = {"R": observer.next_rising, "S": observer.next_setting,
              "T": observer.next_transit}[kind]
    found = []
    t = start
    while len(found) < 4:
        observer.date = t
        try:
            t = float(search(moon))
        except (ephem.AlwaysUpError, ephem.NeverUpError):
            break
        if t >= start + 1:
            break
        found.append(t)
        t += 1e-4
    return found


def compare_events(observer, moon, cases, events):
    """Differences (s) per kind and the count of events only one side finds."""
    diffs = {"R": [], "S": [], "T": []}
    disagree = {"R": 0, "S": 0, "T": 0}
    worst = {}
    for (jd0, lat, lon), day in zip(cases, events):
        observer.lat = math.radians(lat)
        observer.lon = math.radians(lon)
        start = jd0 + JD_TO_EPHEM
        for kind in "RST":
            mine = [t + JD_TO_EPHEM for k, t in day if k == kind]
            theirs = ephem_day(observer, moon, start, kind)
            for t in mine:
                other = nearest(observer, moon, t, kind)
                if other is None or abs(other - t) > 0.1:
                    disagree[kind] += 1
                    continue
                d = abs(other - t) * 86400
                diffs[kind].append(d)
                if d > worst.get(kind, (0,))[0]:
                    worst[kind] = (d, jd0, lat, lon)
            for t in theirs:
                if not any(abs(t - m) < 0.1 for m in mine):
                    disagree[kind] += 1
    return diffs, disagree, worst


def run_suncalc(folder, cases):
    script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "suncalc_times.js")
    text = "".join("%.0f %.10f %.10f\n" % ((jd0 - UNIX_EPOCH_JD) * 86400000, lat, lon)
                   for jd0, lat, lon in cases)
    run = subprocess.run(["node", script, folder], input=text, capture_output=True, text=True,
                         check=True)
    events = []
    for line in run.stdout.splitlines():
        day = []
        for kind, field in zip("RS", line.split()):
            if field != "-":
                day.append((kind, float(field) / 86400000 + UNIX_EPOCH_JD))
        events.append(day)
    return events, run.stderr.strip()


def print_events(title, diffs, disagree, names):
    print(title)
    print("%-10s %7s %7s %7s %7s %9s" % ("", "events", "median", "p95", "max", "disagree"))
    for kind, name in names:
        d = diffs[kind]
        print("%-10s %7d %7.1f %7.1f %7.1f %9d" % (name, len(d), percentile(d, 0.5),
                                                   percentile(d, 0.95), max(d) if d else 0,
                                                   disagree[kind]))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program", help="path of moon_cases")
    parser.add_argument("--count", type=int, default=3000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--latitude", type=float, default=60.0)
    parser.add_argument("--suncalc", help="folder with node_modules/suncalc")
    args = parser.parse_args()

    rnd = random.Random(args.seed)
    cases, moments = [], []
    for _ in range(args.count):
        jd0 = float(rnd.randrange(int(JD_1900 - 0.5), int(JD_2101 - 0.5))) + 0.5
        cases.append((jd0, rnd.uniform(-args.latitude, args.latitude), rnd.uniform(-180, 180)))
        moments.append(jd0 + rnd.random())
    lines = []
    for (jd0, lat, lon), moment in zip(cases, moments):
        lines.append("E %.1f %.1f %.10f %.10f" % (jd0, jd0 + 1, lat, lon))
        lines.append("S %.1f %.10f %.10f" % (jd0 - 2415018.5, lat, lon))
        lines.append("L %.10f" % moment)
        lines.append("P %.1f %.1f" % (jd0, jd0 + 30))
    out = subprocess.run([args.program], input="\n".join(lines) + "\n", capture_output=True,
                         text=True, check=True).stdout.splitlines()
    if len(out) != len(lines):
        sys.exit("expected %d lines, got %d" % (len(lines), len(out)))

    events, suns, lights, phases = [], [], [], []
    for i in range(len(cases)):
        e, s, l, p = (out[4 * i + j].split() for j in range(4))
        if e[0] == "failed":
            sys.exit("failed: " + lines[4 * i])
        events.append([(e[j], float(e[j + 1])) for j in range(1, len(e), 4)])
        suns.append(s)
        lights.append(float(l[0]))
        phases.append([(int(p[j]), float(p[j + 1])) for j in range(0, len(p), 2)])

    moon, sun = ephem.Moon(), ephem.Sun()
    observer = ephem.Observer()
    observer.pressure = 0
    observer.elevation = 0
    observer.horizon = "-0:34"
    diffs, disagree, worst = compare_events(observer, moon, cases, events)
    print("%d random UTC days 1900-2100, latitudes within +-%g; |program - PyEphem|, s"
          % (args.count, args.latitude))
    print_events("Vantu", diffs, disagree, (("R", "moonrise"), ("S", "moonset"),
                                            ("T", "transit")))
    for kind, (d, jd0, lat, lon) in sorted(worst.items()):
        print("  largest %s: %.1f s on %s at %.4f %.4f" % (kind, d,
                                                         str(ephem.Date(jd0 + JD_TO_EPHEM))[:10],
                                                         lat, lon))
    if args.suncalc:
        sc_events, timing = run_suncalc(args.suncalc, cases)
        sc_diffs, sc_disagree, _ = compare_events(observer, moon, cases, sc_events)
        print_events("suncalc (%s)" % timing, sc_diffs, sc_disagree,
                     (("R", "moonrise"), ("S", "moonset")))

    az = []
    observer.horizon = 0
    for (jd0, lat, lon), s in zip(cases, suns):
        observer.lat = math.radians(lat)
        observer.lon = math.radians(lon)
        for j in (0, 2):
            if s[j] == "-":
                continue
            observer.date = float(s[j]) + JD_TO_EPHEM
            sun.compute(observer)
            d = (float(s[j + 1]) - math.degrees(sun.az) + 180) % 360 - 180
            az.append(abs(d))
    print("Sun's azimuth at the calculator's sunrise and sunset, |program - PyEphem|, degrees:")
    print("  %d events, median %.4f, p95 %.4f, max %.4f" % (len(az), percentile(az, 0.5),
                                                         percentile(az, 0.95), max(az)))

    lit = []
    for moment, fraction in zip(moments, lights):
        moon.compute(moment + JD_TO_EPHEM)
        lit.append(abs(fraction - moon.moon_phase) * 100)
    print("Lit fraction of the disc, |program - PyEphem|, percent of the disc:")
    print("  %d moments, median %.3f, p95 %.3f, max %.3f" % (len(lit), percentile(lit, 0.5),
                                                         percentile(lit, 0.95), max(lit)))

    finders = (ephem.next_new_moon, ephem.next_first_quarter_moon, ephem.next_full_moon,
               ephem.next_last_quarter_moon)
    ph, count = [], 0
    for (jd0, _, _), day in zip(cases, phases):
        theirs = []
        for kind, finder in enumerate(finders):
            t = float(finder(jd0 + JD_TO_EPHEM))
            while t < jd0 + 30 + JD_TO_EPHEM:
                theirs.append((kind, t))
                t = float(finder(t + 1))
        count += abs(len(theirs) - len(day))
        for kind, jd in day:
            other = min((t for k, t in theirs if k == kind), default=None,
                        key=lambda t: abs(t - (jd + JD_TO_EPHEM)))
            if other is None:
                count += 1
                continue
            ph.append(abs(other - (jd + JD_TO_EPHEM)) * 86400)
    print("Principal phases, |program - PyEphem|, s:")
    print("  %d phases, median %.1f, p95 %.1f, max %.1f, disagree %d"
          % (len(ph), percentile(ph, 0.5), percentile(ph, 0.95), max(ph), count))


if __name__ == "__main__":
    main()
