#!/usr/bin/python3
"""World map grafika/svet.gif (897 x 467) and map of Slovakia grafika/slovensko.gif (670 x 460).

The geography comes from the Generic Mapping Tools and their data sets packaged
in Debian: GSHHG coastlines, rivers and political borders (gmt-gshhg-low) and
the Digital Chart of the World country polygons (gmt-dcw).  GMT draws the maps
in PostScript with one point per final pixel; Ghostscript rasterises them at
SUPER times that size and Pillow scales down, adds the labels of the Slovakia
map in DejaVu Sans (GMT's PostScript fonts have no ť, ž or ľ) and writes GIFs.

Run with Debian's /usr/bin/python3; needs gmt, gmt-dcw, gmt-gshhg-low,
ghostscript, python3-pil and fonts-dejavu-core.
"""

import os
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
GRAFIKA = os.path.join(ROOT, "grafika")
SUPER = 4
GSHHG = "/usr/share/gmt-gshhg"   # what gmt-gshhg-low installs
DCW = "/usr/share/gmt-dcw"
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

# Settings common to both maps.  PS_MEDIA in points: one point becomes one
# pixel of the final picture.
COMMON = [
    "--DIR_GSHHG=" + GSHHG, "--DIR_DCW=" + DCW,
    "--MAP_FRAME_TYPE=plain", "--FONT_ANNOT_PRIMARY=7p,Helvetica,#3c4650",
    "--FORMAT_GEO_MAP=dddF", "--MAP_TICK_LENGTH_PRIMARY=0p",
    "--MAP_ANNOT_OFFSET_PRIMARY=3p",
]


class Plot:
    """A classic-mode GMT PostScript file built layer by layer."""

    def __init__(self, workdir, width, height, page_colour):
        self.workdir = workdir
        self.ps = os.path.join(workdir, "map.ps")
        self.width, self.height = width, height
        self.settings = COMMON + ["--PS_MEDIA=%dpx%dp" % (width, height),
                                  "--PS_PAGE_COLOR=" + page_colour,
                                  "--PS_PAGE_ORIENTATION=portrait"]
        self.layers = []

    def add(self, module, *args):
        self.layers.append((module, list(args)))

    def render(self):
        with open(self.ps, "wb") as out:
            for k, (module, args) in enumerate(self.layers):
                flags = []
                if k > 0:
                    flags.append("-O")
                if k < len(self.layers) - 1:
                    flags.append("-K")
                gmt([module] + args + flags + self.settings, self.workdir, out)
        gmt(["psconvert", self.ps, "-Tg", "-E%d" % (72 * SUPER), "-Qg4", "-Qt4"],
            self.workdir)
        png = self.ps[:-3] + ".png"
        img = Image.open(png).convert("RGB")
        expected = (self.width * SUPER, self.height * SUPER)
        if img.size != expected:
            sys.exit("GMT made %s, expected %s" % (img.size, expected))
        return img


def gmt(args, cwd, stdout=None):
    subprocess.run(["gmt"] + args, cwd=cwd, stdout=stdout, check=True)


def project(workdir, region, proj, points):
    """Plot coordinates in points of (lon, lat) pairs, origin at the map's lower left."""
    text = "".join("%.6f %.6f\n" % p for p in points)
    out = subprocess.run(["gmt", "mapproject", region, proj, "-Dp"] + COMMON,
                         input=text, capture_output=True, text=True, check=True,
                         cwd=workdir).stdout
    return [tuple(float(v) for v in line.split()[:2]) for line in out.splitlines()]


def to_gif(img, path):
    pal = img.quantize(colors=255, method=Image.Quantize.MEDIANCUT,
                       dither=Image.Dither.NONE)
    pal.save(path)
    print("wrote", os.path.relpath(path, ROOT), pal.size)


# ------------------------------------------------------------------ world

def world(workdir):
    width, height = 897, 467
    mw = 850                         # map 850 x 425, Plate Carree
    left, bottom = 27, 23
    region, proj = "-R-180/180/-90/90", "-JQ0/%dp" % mw
    place = ["-X%dp" % left, "-Y%dp" % bottom]
    p = Plot(workdir, width, height, "#f3f2ec")
    p.add("pscoast", region, proj, *place, "-Dl", "-A2000",
          "-S#b9d3e8", "-G#ece6cd", "-C#b9d3e8")
    # Slovakia picked out, so that the world map says where the program is at home.
    p.add("pscoast", region, proj, "-ESK+g#c8473b")
    p.add("pscoast", region, proj, "-Dl", "-A2000",
          "-N1/0.3p,#9c7a72", "-W1/0.35p,#587a97", "-W2/0.25p,#587a97")
    p.add("psbasemap", region, proj, "-Bxa30g30", "-Bya30g30", "-BWSne",
          "--MAP_GRID_PEN_PRIMARY=0.25p,#7d96ab", "--MAP_FRAME_PEN=0.8p,#3c4650")
    # The equator and the prime meridian a little stronger than the rest.
    axes = os.path.join(workdir, "axes.txt")
    with open(axes, "w") as f:
        f.write(">\n-180 0\n180 0\n>\n0 -90\n0 90\n")
    p.add("psxy", region, proj, "-W0.45p,#5d7790", "-A", axes)
    big = p.render()
    img = big.resize((width, height), Image.LANCZOS)
    to_gif(img, os.path.join(GRAFIKA, "svet.gif"))


# --------------------------------------------------------------- Slovakia

TOWNS = [
    # name, latitude, longitude (degrees, minutes, seconds), label side
    ("Sliač", (48, 36, 59), (19, 8, 35), "s"),
    ("Bratislava", (48, 9, 0), (17, 7, 1), "e"),
    ("Košice", (48, 43, 19), (21, 15, 37), "s"),
    ("Poprad", (49, 3, 37), (20, 17, 58), "n"),
    ("Michalovce", (48, 45, 16), (21, 54, 58), "s"),
    ("Žilina", (49, 13, 14), (18, 44, 15), "n"),
    ("Piešťany", (48, 35, 30), (17, 49, 41), "e"),
    ("Prešov", (48, 59, 30), (21, 14, 45), "n"),
    ("Rožňava", (48, 39, 23), (20, 31, 55), "s"),
]

# Country names in Slovak at places inside each country (lon, lat).
COUNTRIES = [
    ("ČESKO", 17.25, 49.75),
    ("POĽSKO", 20.2, 49.95),
    ("UKRAJINA", 22.93, 48.52),
    ("MAĎARSKO", 19.9, 47.55),
    ("RAKÚSKO", 16.47, 48.42),
]

RIVERS = [
    ("Dunaj", 18.1, 47.71, -9),
    ("Váh", 17.84, 48.35, 62),
    ("Hron", 18.85, 48.36, -55),
]


WEST, EAST = 16.0, 23.4


def dms(v):
    d, m, s = v
    return d + m / 60.0 + s / 3600.0


def slovakia(workdir):
    width, height = 670, 460
    proj = "-JM%g/%dp" % ((WEST + EAST) / 2, width)
    # The region's latitudes chosen so that the map fills the page exactly.
    region = fit_latitudes(workdir, proj, WEST, EAST, 48.7, height)

    water = "#a9cbe6"
    river = "#6f9fcc"
    p = Plot(workdir, width, height, "#ffffff")
    p.add("pscoast", region, proj, "-X0", "-Y0", "-Di", "-G#efeee6")
    p.add("pscoast", region, proj, "-ECZ,PL,UA,HU,AT+g#e5eadb")
    p.add("pscoast", region, proj, "-ESK+g#f8ecc6")
    p.add("pscoast", region, proj, "-Di", "-S" + water, "-C" + water)
    p.add("pscoast", region, proj, "-Di", "-I1/0.9p," + river, "-I2/0.6p," + river,
          "-I3/0.45p," + river, "-W2/0.4p," + river, "-N1/0.6p,#8a8a8a,4_2:0")
    p.add("psbasemap", region, proj, "-Bxg1", "-Byg1", "-Bnesw",
          "--MAP_GRID_PEN_PRIMARY=0.25p,#b9c2c9", "--MAP_FRAME_PEN=0.8p,#4a5560")
    p.add("pscoast", region, proj, "-ECZ,PL,UA,HU,AT+p0.6p,#8a8a8a")
    p.add("pscoast", region, proj, "-ESK+p1.6p,#c0392b")
    big = p.render()
    img = big.resize((width, height), Image.LANCZOS)

    # Labels on a supersampled overlay so that they antialias like the map.
    lab = Image.new("RGBA", (width * SUPER, height * SUPER), (0, 0, 0, 0))
    draw = ImageDraw.Draw(lab)

    def px(lon, lat):
        x, y = project(workdir, region, proj, [(lon, lat)])[0]
        return x * SUPER, (height - y) * SUPER

    def font(path, size):
        return ImageFont.truetype(path, int(round(size * SUPER)))

    def text(xy, s, f, fill, halo, anchor="mm", spacing=0.0, angle=0):
        if angle:
            tw = int(draw.textlength(s, font=f)) + 8 * SUPER
            th = int(f.size * 1.6) + 8 * SUPER
            t = Image.new("RGBA", (tw, th), (0, 0, 0, 0))
            ImageDraw.Draw(t).text((tw / 2, th / 2), s, font=f, fill=fill, anchor="mm",
                                   stroke_width=int(1.5 * SUPER), stroke_fill=halo)
            t = t.rotate(angle, resample=Image.BICUBIC, expand=True)
            lab.alpha_composite(t, (int(xy[0] - t.width / 2), int(xy[1] - t.height / 2)))
            return
        if spacing:
            total = sum(draw.textlength(c, font=f) for c in s) + spacing * SUPER * (len(s) - 1)
            x = xy[0] - total / 2
            for c in s:
                draw.text((x, xy[1]), c, font=f, fill=fill, anchor="lm",
                          stroke_width=int(1.5 * SUPER), stroke_fill=halo)
                x += draw.textlength(c, font=f) + spacing * SUPER
            return
        draw.text(xy, s, font=f, fill=fill, anchor=anchor,
                  stroke_width=int(1.5 * SUPER), stroke_fill=halo)

    country = font(FONT, 12.5)
    for name, lon, lat in COUNTRIES:
        narrow = name in ("UKRAJINA", "RAKÚSKO")   # strips between Slovakia and the edge
        text(px(lon, lat), name, font(FONT, 11.5) if narrow else country,
             (110, 118, 104, 255), (255, 255, 255, 160), spacing=1.0 if narrow else 2.0)

    # Degrees along the left and bottom edges.
    grid = font(FONT, 8.5)
    south, north = [float(v) for v in region[2:].split("/")[2:]]
    for lon in range(int(WEST) + 1, int(EAST) + 1):
        x, _ = px(lon, south)
        text((x + 2 * SUPER, (height - 3) * SUPER), "%d°E" % lon, grid,
             (110, 122, 134, 255), (255, 255, 255, 200), anchor="lb")
    for lat in range(int(south) + 1, int(north) + 1):
        _, y = px(WEST, lat)
        text((3 * SUPER, y - 2 * SUPER), "%d°N" % lat, grid,
             (110, 122, 134, 255), (255, 255, 255, 200), anchor="lb")
    text(px(19.45, 48.93), "SLOVENSKO", font(FONT_BOLD, 22), (196, 150, 80, 150),
         (255, 255, 255, 0), spacing=9)
    river = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans-Oblique.ttf",
                               int(10 * SUPER))
    for name, lon, lat, angle in RIVERS:
        text(px(lon, lat), name, river, (58, 108, 160, 255), (255, 255, 255, 200),
             angle=angle)

    town = font(FONT_BOLD, 11.5)
    r = 3.6 * SUPER
    for name, lat, lon, side in TOWNS:
        x, y = px(dms(lon), dms(lat))
        if name == "Bratislava":   # the capital: a square
            draw.rectangle((x - r, y - r, x + r, y + r), fill=(192, 57, 43, 255),
                           outline=(255, 255, 255, 255), width=int(1.2 * SUPER))
        else:
            draw.ellipse((x - r, y - r, x + r, y + r), fill=(192, 57, 43, 255),
                         outline=(255, 255, 255, 255), width=int(1.2 * SUPER))
        gap = 6 * SUPER
        where = {"n": ((x, y - gap), "mb"), "s": ((x, y + gap), "mt"),
                 "e": ((x + gap, y), "lm"), "w": ((x - gap, y), "rm")}[side]
        text(where[0], name, town, (34, 40, 48, 255), (255, 255, 255, 235), anchor=where[1])

    small = lab.resize((width, height), Image.LANCZOS)
    img = Image.alpha_composite(img.convert("RGBA"), small).convert("RGB")
    to_gif(img, os.path.join(GRAFIKA, "slovensko.gif"))


def fit_latitudes(workdir, proj, west, east, centre_lat, height):
    """Region whose Mercator height at the given width is exactly height points."""
    lo, hi = 0.5, 3.0
    for _ in range(60):
        half = (lo + hi) / 2
        south, north = centre_lat - half, centre_lat + half
        pts = project(workdir, "-R%g/%g/%.9f/%.9f" % (west, east, south, north), proj,
                      [(west, south), (west, north)])
        h = pts[1][1] - pts[0][1]
        if h > height:
            hi = half
        else:
            lo = half
    half = (lo + hi) / 2
    return "-R%g/%g/%.9f/%.9f" % (west, east, centre_lat - half, centre_lat + half)


def main():
    with tempfile.TemporaryDirectory() as workdir:
        world(workdir)
    with tempfile.TemporaryDirectory() as workdir:
        slovakia(workdir)


if __name__ == "__main__":
    main()
