#!/usr/bin/python3
"""Checks vantu-cli's visible sunrise and sunset for one place, date and
horizon profile against a brute-force PyEphem reference: the apparent upper
limb (refraction at 1010 hPa and 10 C) against the profile at the Sun's
azimuth, or against the flat horizon's dip (1.76' x sqrt(height)) where that
lies higher, minute by minute and then second by second over the UTC date:
the reference is the first whole second after the event, so vantu-cli's
second, rounded, lies 0 to 1 s before it. Reads the plain profile form
(azimuth altitude per line).

    /usr/bin/python3 tools/bench_horizon/check_visible.py build/bin/vantu-cli \\
        --lat 48.14816 --lon 17.10674 --date 2026-12-21 --height 20 \\
        --horizon build/bin/help/examples/horizont-vratna.txt
"""
import argparse
import datetime
import json
import math
import re
import subprocess

import ephem


def read_profile(path):
    points = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                az, alt = re.split(r"[\s,]+", line)[:2]
                points.append((float(az) % 360, float(alt)))
    points.sort()
    return points


def terrain(points, az):
    """The profile's altitude at az: straight lines in azimuth, wrapping at 360."""
    az %= 360
    wrapped = [(points[-1][0] - 360, points[-1][1])] + points + [(points[0][0] + 360,
                                                                    points[0][1])]
    for (a0, h0), (a1, h1) in zip(wrapped, wrapped[1:]):
        if a0 <= az <= a1:
            return h0 if a1 == a0 else h0 + (h1 - h0) * (az - a0) / (a1 - a0)
    return points[0][1]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--lat", type=float, required=True)
    parser.add_argument("--lon", type=float, required=True)
    parser.add_argument("--date", required=True)
    parser.add_argument("--horizon", required=True)
    parser.add_argument("--height", type=float, default=0)
    a = parser.parse_args()

    out = subprocess.run([a.cli, "--lat", str(a.lat), "--lon", str(a.lon), "--date", a.date,
                          "--utc", "--horizon", a.horizon, "--height", str(a.height),
                          "--format", "json"], capture_output=True, check=True)
    row = json.loads(out.stdout)[0]
    points = read_profile(a.horizon)
    dip = 1.76 / 60 * math.sqrt(a.height)

    o = ephem.Observer()
    o.lat, o.lon = str(a.lat), str(a.lon)
    o.pressure, o.temp = 1010, 10
    sun = ephem.Sun()
    start = ephem.Date(a.date.replace("-", "/"))

    def seen(seconds):
        o.date = ephem.Date(start + seconds / 86400)
        sun.compute(o)
        limb = math.degrees(sun.alt) + math.degrees(sun.radius)
        return limb > max(terrain(points, math.degrees(sun.az)), -dip)

    minutes = [seen(m * 60) for m in range(1441)]
    ref = {}
    for m in range(1440):
        if not minutes[m] and minutes[m + 1] and "visible_sunrise" not in ref:
            ref["visible_sunrise"] = next(m * 60 + s for s in range(61) if seen(m * 60 + s))
        if minutes[m] and not minutes[m + 1]:
            ref["visible_sunset"] = next(m * 60 + s for s in range(61) if not seen(m * 60 + s))
    for key in ("visible_sunrise", "visible_sunset"):
        mine = row.get(key)
        theirs = ref.get(key)
        shown = (start.datetime() + datetime.timedelta(seconds=theirs)).strftime("%H:%M:%S") \
            if theirs is not None else "none"
        if mine is None or theirs is None:
            print(f"{key}: vantu-cli {mine}, PyEphem {shown}")
            continue
        t = datetime.datetime.fromisoformat(mine).astimezone(datetime.timezone.utc)
        diff = (t - start.datetime().replace(tzinfo=datetime.timezone.utc)).total_seconds() - theirs
        print(f"{key}: vantu-cli {t:%H:%M:%S}, PyEphem {shown} UTC, difference {diff:+.0f} s")


if __name__ == "__main__":
    main()
