#!/usr/bin/python3
"""Checks the committed Moon artwork against its test table, from the files alone.

For every date of tests/data/calendar/moon_phases.csv: compute x as the program
does, pick the picture by the program's table, and require that the phase the
picture depicts (grafika/moon_pictures.csv) lies within 1.5 days of the true
phase.  Also requires every picture to be a 120 x 120 GIF.
"""

import csv
import math
import os
import sys

from PIL import Image

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
CYCLE = 29.53059
BOUNDS = [0.017857, 0.053571, 0.089286, 0.125, 0.160714, 0.196429, 0.232143,
          0.267857, 0.3125, 0.354167, 0.395833, 0.4375, 0.479167, 0.520833,
          0.546875, 0.578125, 0.609375, 0.640625, 0.671875, 0.703125,
          0.734375, 0.765625, 0.796875, 0.828125, 0.859375, 0.890625,
          0.921875, 0.953125, 0.984375]


def jdn(y, m, d):
    a = (14 - m) // 12
    yy, mm = y + 4800 - a, m + 12 * a - 3
    return d + (153 * mm + 2) // 5 + 365 * yy + yy // 4 - yy // 100 + yy // 400 - 32045


def pick(x):
    if x < BOUNDS[0] or x >= BOUNDS[-1]:
        return 29
    for i in range(len(BOUNDS) - 1):
        if BOUNDS[i] <= x < BOUNDS[i + 1]:
            return i + 1
    raise AssertionError(x)


def main():
    assert jdn(2000, 1, 1) == 2451545
    depicted = {}
    with open(os.path.join(ROOT, "grafika", "moon_pictures.csv"), newline="") as f:
        for row in csv.DictReader(f):
            depicted[int(row["picture"])] = float(row["true_phase_depicted"])
    assert sorted(depicted) == list(range(1, 30)), sorted(depicted)

    failures = 0
    worst = 0.0
    count = 0
    with open(os.path.join(ROOT, "tests", "data", "calendar", "moon_phases.csv"), newline="") as f:
        for row in csv.DictReader(f):
            y, m, d = int(row["year"]), int(row["month"]), int(row["day"])
            v = (jdn(y, m, d) - 0.5 - 1721088.5) / CYCLE
            x = v - math.floor(v)
            pic = pick(x)
            diff = (depicted[pic] - float(row["true_phase"]) + 0.5) % 1.0 - 0.5
            days = abs(diff) * CYCLE
            worst = max(worst, days)
            count += 1
            if days > 1.5:
                failures += 1
                print("%04d-%02d-%02d: picture %02d off by %.2f days" % (y, m, d, pic, days))
    print("%d dates, worst %.3f days, %d over 1.5 days" % (count, worst, failures))

    for pic in range(1, 30):
        path = os.path.join(ROOT, "grafika", "%02d.gif" % pic)
        with Image.open(path) as im:
            if im.format != "GIF" or im.size != (120, 120):
                failures += 1
                print("%s: %s %s" % (path, im.format, im.size))
    v = (2451544.5 - 1721088.5) / CYCLE
    assert pick(v - math.floor(v)) == 15 and pick(0.125) == 4 and pick(0.0) == 29 and pick(0.999999) == 29
    sys.exit(1 if failures or count != 200 else 0)


if __name__ == "__main__":
    main()
