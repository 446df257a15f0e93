#!/usr/bin/python3
"""Compares the visible sunrise and sunset (bench_horizon) with PyEphem:

1. flat: a profile at 0 degrees all round from ground level, 1,000 random
   place-days within +-65 degrees: the program's visible sunrise against its
   sunrise; and the crossing itself over the flat horizon (no profile, a
   height of a picometre, which keeps the program from taking the sunrise's
   own second) against PyEphem's sunrise (pressure 0, horizon -0:50, the
   centre);
2. height: 1,000 m above the surroundings, 1,000 random place-days: against
   PyEphem with pressure 0 and horizon -(0:50 + dip), the centre;
3. ridge: a profile of 5 to 12 degrees all round, 300 random days at 40 to
   60 degrees north: against a brute-force reference, PyEphem's apparent
   upper limb (refraction at 1010 hPa and 10 C) over the profile at the
   Sun's azimuth, to the second.
Prints median, 95th percentile and largest difference in seconds.

    /usr/bin/python3 tools/bench_horizon/compare_ephem.py build/bin/bench_horizon
"""
import argparse
import math
import os
import random
import subprocess
import tempfile

import ephem

JD_TO_EPHEM = -2415020.0  # ephem counts days from 1899-12-31 12:00
SECONDS = 86400.0


def percentile(values, p):
    s = sorted(values)
    k = (len(s) - 1) * p
    lo = math.floor(k)
    hi = min(lo + 1, len(s) - 1)
    return s[lo] + (s[hi] - s[lo]) * (k - lo)


def summary(name, diffs, extra=""):
    print(f"{name}: {len(diffs)} events, median {percentile(diffs, 0.5):.2f} s, "
          f"p95 {percentile(diffs, 0.95):.2f} s, max {max(diffs):.2f} s{extra}")


def run(bench, cases):
    text = "".join(f"{jd:.6f} {lat:.6f} {lon:.6f} {h!r} {path}\n"
                   for jd, lat, lon, h, path in cases)
    out = subprocess.run([bench], input=text.encode(), capture_output=True, check=True)
    results = []
    for line in out.stdout.decode().splitlines():
        items = line.split()
        events = {}
        for k in range(0, len(items) - 1, 2):
            events.setdefault(items[k], []).append(float(items[k + 1]))
        results.append(events)
    return results


def ephem_rising_setting(jd, lat, lon, horizon_degrees):
    o = ephem.Observer()
    o.lat, o.lon = str(lat), str(lon)
    o.pressure = 0
    o.horizon = str(horizon_degrees)
    sun = ephem.Sun()
    found = {}
    for key, search in (("r", o.next_rising), ("s", o.next_setting)):
        o.date = jd + JD_TO_EPHEM
        try:
            t = float(search(sun, use_center=True)) - JD_TO_EPHEM
            if t < jd + 1:
                found[key] = t
        except (ephem.AlwaysUpError, ephem.NeverUpError):
            pass
    return found


def random_days(rng, count, lat_range, lon_range):
    days = []
    for _ in range(count):
        jd = 2451545.5 + rng.randrange(-36500, 36500)
        days.append((jd, rng.uniform(*lat_range), rng.uniform(*lon_range)))
    return days


def flat(bench, rng, folder):
    path = os.path.join(folder, "flat.txt")
    with open(path, "w") as f:
        f.write("0 0\n180 0\n")
    days = random_days(rng, 1000, (-65, 65), (-180, 180))
    shown = run(bench, [(jd, lat, lon, 0, path) for jd, lat, lon in days])
    raw = run(bench, [(jd, lat, lon, 1e-12, "-") for jd, lat, lon in days])
    same, crossing = [], []
    for (jd, lat, lon), s, r in zip(days, shown, raw):
        for mine, theirs in (("a", "r"), ("d", "s")):
            if mine in s and theirs in s:
                same.append(abs(s[mine][0 if mine == "a" else -1] -
                                s[theirs][0 if mine == "a" else -1]) * SECONDS)
        ref = ephem_rising_setting(jd, lat, lon, -50 / 60)
        for mine, theirs in (("a", "r"), ("d", "s")):
            if mine in r and theirs in ref:
                crossing.append(abs(r[mine][0 if mine == "a" else -1] - ref[theirs]) * SECONDS)
    summary("flat, visible against the program's sunrise and sunset", same)
    summary("flat, the crossing itself against PyEphem", crossing)


def height(bench, rng):
    days = random_days(rng, 1000, (-65, 65), (-180, 180))
    results = run(bench, [(jd, lat, lon, 1000, "-") for jd, lat, lon in days])
    dip = 1.76 / 60 * math.sqrt(1000)
    diffs = []
    for (jd, lat, lon), r in zip(days, results):
        ref = ephem_rising_setting(jd, lat, lon, -(50 / 60 + dip))
        for mine, theirs in (("a", "r"), ("d", "s")):
            if mine in r and theirs in ref:
                diffs.append(abs(r[mine][0 if mine == "a" else -1] - ref[theirs]) * SECONDS)
    summary("height 1000 m against PyEphem", diffs)


def ridge_altitude(az):
    """5 ... 12 degrees all round, with a steeper notch near 95 and 265."""
    base = 8.5 + 3.5 * math.sin(math.radians(az) * 3)
    return base


def ridge(bench, rng, folder):
    path = os.path.join(folder, "ridge.txt")
    with open(path, "w") as f:
        for az in range(0, 360, 2):
            f.write(f"{az} {ridge_altitude(az):.4f}\n")
    days = random_days(rng, 300, (40, 60), (-10, 30))
    results = run(bench, [(jd, lat, lon, 0, path) for jd, lat, lon in days])

    def profile(az):
        a = az % 360
        lo = 2 * math.floor(a / 2)
        hi = lo + 2
        t = (a - lo) / 2
        return ridge_altitude(lo) * (1 - t) + ridge_altitude(hi % 360) * t

    diffs, missed = [], 0
    for (jd, lat, lon), r in zip(days, results):
        o = ephem.Observer()
        o.lat, o.lon = str(lat), str(lon)
        o.pressure, o.temp = 1010, 10
        sun = ephem.Sun()

        def seen(t):
            o.date = t + JD_TO_EPHEM
            sun.compute(o)
            return math.degrees(sun.alt) + math.degrees(sun.radius) > profile(math.degrees(sun.az))

        # Minute by minute, then second by second: the first appearance and
        # the last disappearance of the day.
        minutes = [seen(jd + m / 1440) for m in range(1441)]
        ref = {}
        for m in range(1440):
            if not minutes[m] and minutes[m + 1] and "a" not in ref:
                ref["a"] = next(jd + (m * 60 + s) / SECONDS for s in range(61)
                                if seen(jd + (m * 60 + s) / SECONDS))
            if minutes[m] and not minutes[m + 1]:
                ref["d"] = next(jd + (m * 60 + s) / SECONDS for s in range(61)
                                if not seen(jd + (m * 60 + s) / SECONDS))
        for key, index in (("a", 0), ("d", -1)):
            if key in ref and key in r:
                diffs.append(abs(r[key][index] - ref[key]) * SECONDS)
                if diffs[-1] > 5 and os.environ.get("VERBOSE"):
                    o.date = ref[key] + JD_TO_EPHEM
                    sun.compute(o)
                    print(f"  {key} jd {jd} lat {lat:.2f} lon {lon:.2f}: {diffs[-1]:.1f} s, "
                          f"az {math.degrees(sun.az):.2f} alt {math.degrees(sun.alt):.3f}")
            elif key in ref or key in r:
                missed += 1
    summary("ridge 5 ... 12 degrees against a brute-force PyEphem", diffs,
            f", {missed} found by one only")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("bench")
    parser.add_argument("--seed", type=int, default=2026)
    a = parser.parse_args()
    rng = random.Random(a.seed)
    with tempfile.TemporaryDirectory() as folder:
        flat(a.bench, rng, folder)
        height(a.bench, rng)
        ridge(a.bench, rng, folder)


if __name__ == "__main__":
    main()
