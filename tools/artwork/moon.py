#!/usr/bin/python3
"""Moon phase pictures grafika/01.gif ... 29.gif and their test tables.

The program reduces a date to x = Frac((JD - 1721088.5) / 29.53059) and picks a
picture by fixed ranges of x.  That x does not start at new moon, so this script
measures, with PyEphem (Debian's python3-ephem), how far the true lunation
fraction (0 new, 0.5 full) lies from x over 1900 ... 2100, and draws every
picture at the true phase that belongs to the middle of its x range.

Writes:
  grafika/01.gif ... grafika/29.gif      120 x 120 pictures
  grafika/moon_pictures.csv              picture,true_phase_depicted
  tests/data/calendar/moon_phases.csv    year,month,day,true_phase (200 dates)

Run with Debian's /usr/bin/python3 (python3-ephem, python3-pil).
"""

import bisect
import math
import os
import random
import sys

import ephem
from PIL import Image

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
GRAFIKA = os.path.join(ROOT, "grafika")
TEST_DATA = os.path.join(ROOT, "tests", "data", "calendar")

REFERENCE_JD = 1721088.5
CYCLE = 29.53059
DUBLIN_JD = 2415020.0  # ephem.Date counts days from 1899-12-31 12h UT
TOLERANCE_DAYS = 1.5

# Lower bounds of the program's table, top to bottom, with the picture chosen;
# the last range includes 1.
TABLE = [
    (0.0, 29), (0.017857, 1), (0.053571, 2), (0.089286, 3), (0.125, 4),
    (0.160714, 5), (0.196429, 6), (0.232143, 7), (0.267857, 8), (0.3125, 9),
    (0.354167, 10), (0.395833, 11), (0.4375, 12), (0.479167, 13),
    (0.520833, 14), (0.546875, 15), (0.578125, 16), (0.609375, 17),
    (0.640625, 18), (0.671875, 19), (0.703125, 20), (0.734375, 21),
    (0.765625, 22), (0.796875, 23), (0.828125, 24), (0.859375, 25),
    (0.890625, 26), (0.921875, 27), (0.953125, 28), (0.984375, 29),
]


def julian_day_number(year, month, day):
    """Integer day count of a Gregorian date (1 January 2000 -> 2451545)."""
    a = (14 - month) // 12
    y = year + 4800 - a
    m = month + 12 * a - 3
    return (day + (153 * m + 2) // 5 + 365 * y + y // 4 - y // 100 + y // 400
            - 32045)


def phase_fraction(year, month, day):
    """x exactly as the program computes it for the date at 0 h."""
    jd = julian_day_number(year, month, day) - 0.5
    v = (jd - REFERENCE_JD) / CYCLE
    return v - math.floor(v)


def picture_for(x):
    picture = None
    for lower, pic in TABLE:
        if x >= lower:
            picture = pic
    return picture


def x_ranges():
    """Picture -> (low, high) of its x range; 29 wraps, so it is 0.984375 ... 1.017857."""
    ranges = {}
    bounds = [lower for lower, _ in TABLE] + [1.0]
    for i, (lower, pic) in enumerate(TABLE):
        if pic == 29:
            continue
        ranges[pic] = (lower, bounds[i + 1])
    ranges[29] = (TABLE[-1][0], 1.0 + TABLE[1][0])
    return ranges


class Lunations:
    """True lunation fraction from the new moons found by PyEphem."""

    def __init__(self, first_year, last_year):
        d = ephem.previous_new_moon(ephem.Date("%d/1/1" % first_year))
        end = ephem.Date("%d/1/1" % (last_year + 1))
        self.new_moons = [float(d)]
        while self.new_moons[-1] <= end:
            self.new_moons.append(float(ephem.next_new_moon(self.new_moons[-1] + 0.01)))

    def phase(self, ephem_date):
        i = bisect.bisect_right(self.new_moons, ephem_date) - 1
        a, b = self.new_moons[i], self.new_moons[i + 1]
        return (ephem_date - a) / (b - a)


def wrap(v):
    """v reduced to -0.5 ... 0.5."""
    return (v + 0.5) % 1.0 - 0.5


def circular_days(a, b):
    return abs(wrap(a - b)) * CYCLE


def measure_offset(lunations, first_year, last_year):
    """Mean and spread of (true phase - x) over every day of the years."""
    date = ephem.Date("%d/1/1" % first_year)
    end = ephem.Date("%d/1/1" % (last_year + 1))
    samples = []
    while date < end:
        y, m, d = date.triple()
        jd = float(date) + DUBLIN_JD
        assert jd == julian_day_number(y, m, int(d)) - 0.5
        x = phase_fraction(y, m, int(d))
        samples.append(lunations.phase(float(date)) - x)
        date = ephem.Date(date + 1)
    sx = sum(math.sin(2 * math.pi * s) for s in samples)
    cx = sum(math.cos(2 * math.pi * s) for s in samples)
    mean = (math.atan2(sx, cx) / (2 * math.pi)) % 1.0
    dev = [wrap(s - mean) for s in samples]
    sd = math.sqrt(sum(e * e for e in dev) / len(dev))
    return mean, sd, min(dev), max(dev), len(samples)


# ---------------------------------------------------------------- drawing

SIZE = 120
SUPER = 5                 # supersampling factor
RADIUS = 53.0             # disc radius in final pixels
SKY_TOP = (10, 13, 30)
SKY_BOTTOM = (3, 4, 12)
LIT = (236, 233, 222)     # highland colour in full light
EARTHSHINE = (32, 37, 50)  # the night side, faint so the disc stays visible

# Maria and bright craters: selenographic latitude, longitude (degrees, east
# positive), radius in degrees, and how much they darken (negative brightens).
# Large maria are several overlapping patches so that their outlines are not
# round.
FEATURES = [
    (32, -52, 12, 0.40), (18, -58, 13, 0.42), (4, -57, 12, 0.40),     # Procellarum
    (-6, -48, 9, 0.36), (22, -42, 10, 0.38), (40, -44, 8, 0.34),
    (10, -44, 9, 0.36), (-2, -38, 7, 0.32), (7, -30, 8, 0.34),        # Insularum
    (33, -16, 14, 0.44), (38, -27, 8, 0.40), (27, -8, 7, 0.38),       # Imbrium
    (28, 17, 10, 0.46),                                               # Serenitatis
    (8, 31, 11, 0.44), (4, 23, 7, 0.40), (13, 38, 6, 0.40),           # Tranquillitatis
    (17, 59, 7, 0.46),                                                # Crisium
    (-5, 51, 9, 0.38), (-13, 55, 6, 0.36),                            # Fecunditatis
    (-15, 35, 5, 0.40),                                               # Nectaris
    (-21, -17, 10, 0.36), (-10, -23, 6, 0.34),                        # Nubium, Cognitum
    (-24, -39, 5.5, 0.40),                                            # Humorum
    (13, 4, 4, 0.32), (2, 1, 3, 0.26),                                # Vaporum, Medii
    (56, -38, 6, 0.24), (57, -22, 6, 0.26), (57, -6, 6, 0.26),    # Frigoris
    (56, 10, 6, 0.26), (55, 26, 5, 0.22),
    (-46, 91, 6, 0.24), (-1, 87, 5, 0.26),                            # Australe, Smythii
    (-43, -11, 1.8, -0.16), (9.6, -20, 1.5, -0.12),                   # Tycho, Copernicus
    (8, -38, 1.1, -0.10), (-9, 15, 1.0, -0.08),                       # Kepler, Dollond
]


def unit(lat, lon):
    la, lo = math.radians(lat), math.radians(lon)
    return (math.cos(la) * math.sin(lo), math.sin(la), math.cos(la) * math.cos(lo))


def noise_terms(rng, count):
    """Sinusoids over the sphere: a cheap smooth noise that roughens edges."""
    terms = []
    for _ in range(count):
        v = [rng.gauss(0, 1) for _ in range(3)]
        norm = math.sqrt(sum(c * c for c in v))
        f = rng.uniform(4.0, 14.0)
        terms.append(([c / norm * f for c in v], rng.uniform(0, 2 * math.pi), 1.0 / f))
    total = sum(a for _, _, a in terms)
    return [(v, ph, a / total) for v, ph, a in terms]


def noise(terms, p):
    return sum(a * math.sin(v[0] * p[0] + v[1] * p[1] + v[2] * p[2] + ph)
               for v, ph, a in terms)


def albedo_map(n):
    """Surface brightness (0..1) per supersampled pixel inside the disc, else None."""
    rng = random.Random(7)
    features = [(unit(la, lo), r, k) for la, lo, r, k in FEATURES]
    # Small craters and blotches that keep the highlands from looking flat.
    for _ in range(80):
        la = math.degrees(math.asin(rng.uniform(-0.95, 0.95)))
        lo = rng.uniform(-88, 88)
        features.append((unit(la, lo), rng.uniform(0.8, 2.5), rng.uniform(-0.06, 0.06)))
    edge = noise_terms(rng, 8)
    grain = noise_terms(rng, 10)
    centre = n / 2.0
    r = RADIUS * SUPER
    rows = []
    for j in range(n):
        row = []
        yv = -((j + 0.5) - centre) / r
        for i in range(n):
            xv = ((i + 0.5) - centre) / r
            rr = xv * xv + yv * yv
            if rr >= 1.0:
                row.append(None)
                continue
            p = (xv, yv, math.sqrt(1.0 - rr))
            rough = 1.0 + 0.7 * noise(edge, p)
            lit = 1.0
            bright = 0.0
            for c, rad, k in features:
                dot = p[0] * c[0] + p[1] * c[1] + p[2] * c[2]
                if dot <= 0.5:
                    continue
                d = math.degrees(math.acos(min(1.0, dot))) / rad
                if d > 2.5:
                    continue
                if k > 0:
                    # maria: flat floors, edges roughened by the noise
                    w = math.exp(-(d / rough) ** 4)
                    lit *= 1.0 - k * w
                else:
                    bright = max(bright, -k * math.exp(-d * d))
            # the southern highlands are a little brighter
            a = lit + bright + 0.05 * noise(grain, p) - 0.03 * yv
            row.append(max(0.0, min(1.0, a)))
        rows.append(row)
    return rows


def sky(n):
    img = Image.new("RGB", (n, n))
    px = img.load()
    for j in range(n):
        t = j / (n - 1)
        col = tuple(int(round(a + (b - a) * t)) for a, b in zip(SKY_TOP, SKY_BOTTOM))
        for i in range(n):
            px[i, j] = col
    return img


def draw_moon(true_phase, albedo, background):
    """The Moon at the given lunation fraction, seen from the northern hemisphere.

    The Sun lies at elongation theta = 2 pi phase; waxing (phase < 0.5) lights
    the right side.  A point is lit where its normal faces the Sun, so the
    terminator is the projected great circle: a half-ellipse of semi-axis
    |cos theta| beside the limb's half-circle.
    """
    n = len(albedo)
    theta = 2.0 * math.pi * true_phase
    sx, sz = math.sin(theta), -math.cos(theta)
    img = background.copy()
    px = img.load()
    centre = n / 2.0
    r = RADIUS * SUPER
    for j in range(n):
        yv = -((j + 0.5) - centre) / r
        row = albedo[j]
        for i in range(n):
            a = row[i]
            if a is None:
                continue
            xv = ((i + 0.5) - centre) / r
            w = math.sqrt(max(0.0, 1.0 - xv * xv - yv * yv))
            mu0 = xv * sx + w * sz
            if mu0 > 0.0:
                # Lommel-Seeliger: the Moon stays bright up to the limb and
                # dims only near the terminator.
                ls = min(1.0, 2.0 * mu0 / (mu0 + w + 1e-9))
                b = a * (0.42 + 0.58 * ls ** 0.7)
                px[i, j] = tuple(int(round(c * b)) for c in LIT)
            else:
                b = 0.55 + 0.45 * a
                px[i, j] = tuple(int(round(c * b)) for c in EARTHSHINE)
    small = img.resize((SIZE, SIZE), Image.LANCZOS)
    return small.quantize(colors=256, method=Image.Quantize.MEDIANCUT,
                          dither=Image.Dither.FLOYDSTEINBERG)


def test_dates(count, first_year, last_year, seed=2024):
    """count dates spread evenly over the years, each at a random day of its slice."""
    rng = random.Random(seed)
    start = ephem.Date("%d/1/1" % first_year)
    span = float(ephem.Date("%d/1/1" % (last_year + 1))) - float(start)
    dates = []
    for k in range(count):
        lo = span * k / count
        hi = span * (k + 1) / count
        dates.append(ephem.Date(start + math.floor(rng.uniform(lo, hi))))
    return dates


def main():
    first, last = 1900, 2100
    lunations = Lunations(first - 1, last + 1)

    mean, sd, lo, hi, count = measure_offset(lunations, first, last)
    print("offset true phase - x over %d days %d-%d: mean %.5f, sd %.5f, "
          "range %+.5f ... %+.5f (%.2f ... %+.2f days)"
          % (count, first, last, mean, sd, lo, hi, lo * CYCLE, hi * CYCLE))
    if not 0.2 < mean < 0.3:
        sys.exit("unexpected offset")

    depicted = {}
    for pic, (a, b) in sorted(x_ranges().items()):
        depicted[pic] = ((a + b) / 2.0 + mean) % 1.0

    # The test dates and the check that the program's pick depicts each one
    # within the tolerance.
    os.makedirs(TEST_DATA, exist_ok=True)
    rows = []
    worst = 0.0
    seen = set()
    for date in test_dates(200, first, last):
        y, m, d = date.triple()
        d = int(d)
        truth = lunations.phase(float(date))
        pic = picture_for(phase_fraction(y, m, d))
        seen.add(pic)
        err = circular_days(depicted[pic], truth)
        worst = max(worst, err)
        if err > TOLERANCE_DAYS:
            sys.exit("%04d-%02d-%02d: picture %02d is %.2f days off" % (y, m, d, pic, err))
        rows.append("%d,%d,%d,%.6f" % (y, m, d, truth))
    with open(os.path.join(TEST_DATA, "moon_phases.csv"), "w", encoding="utf-8") as f:
        f.write("year,month,day,true_phase\n")
        f.write("\n".join(rows) + "\n")
    print("200 test dates: worst picture error %.3f days, %d of 29 pictures used"
          % (worst, len(seen)))

    # The same check over every day, to know the margin.
    date = ephem.Date("%d/1/1" % first)
    end = ephem.Date("%d/1/1" % (last + 1))
    worst_all = 0.0
    while date < end:
        y, m, d = date.triple()
        pic = picture_for(phase_fraction(y, m, int(d)))
        worst_all = max(worst_all, circular_days(depicted[pic], lunations.phase(float(date))))
        date = ephem.Date(date + 1)
    print("every day %d-%d: worst picture error %.3f days" % (first, last, worst_all))

    with open(os.path.join(GRAFIKA, "moon_pictures.csv"), "w", encoding="utf-8") as f:
        f.write("picture,true_phase_depicted\n")
        for pic in range(1, 30):
            f.write("%d,%.6f\n" % (pic, depicted[pic]))

    n = SIZE * SUPER
    albedo = albedo_map(n)
    background = sky(n)
    for pic in range(1, 30):
        img = draw_moon(depicted[pic], albedo, background)
        img.save(os.path.join(GRAFIKA, "%02d.gif" % pic))
        print("%02d.gif  x %.4f ... %.4f  true phase %.4f (age %.1f days)"
              % ((pic,) + x_ranges()[pic] + (depicted[pic], depicted[pic] * CYCLE)))


if __name__ == "__main__":
    main()
