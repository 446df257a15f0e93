#!/usr/bin/python3
"""Toolbar images mainwindow/icons/NN_name.png (16 x 16) and NN_name@2x.png (32 x 32),
the application icon app/icons/vantu.png (256 x 256), and the application icon's
other sizes and SVG for the Debian package in packaging/icons/.

Every image is drawn as vector shapes in a 16-unit square on a 256-pixel canvas
and reduced by area averaging to its size, so antialiasing comes for free.  The
shapes sit on the unit grid and strokes are given in device pixels (1 px at
16 x 16 and at 32 x 32 alike), which keeps the edges of both sizes on whole
pixels.  Run with Debian's /usr/bin/python3 (python3-pil).
"""

import math
import os
import subprocess
import sys
import tempfile

from PIL import Image, ImageChops, ImageDraw

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
ICONS = os.path.join(ROOT, "mainwindow", "icons")
APP_ICONS = os.path.join(ROOT, "app", "icons")
CANVAS = 256

# A Tango-like palette: light, base and dark shade of each hue.
INK = (46, 52, 54, 255)
GREY_D = (85, 87, 83, 255)
GREY = (136, 138, 133, 255)
GREY_L = (186, 189, 182, 255)
PAPER = (255, 255, 255, 255)
PAPER_2 = (238, 238, 236, 255)
BLUE_L = (114, 159, 207, 255)
BLUE = (52, 101, 164, 255)
BLUE_D = (32, 74, 135, 255)
GREEN_L = (138, 226, 52, 255)
GREEN = (115, 210, 22, 255)
GREEN_D = (78, 154, 6, 255)
RED_L = (239, 41, 41, 255)
RED = (204, 0, 0, 255)
RED_D = (164, 0, 0, 255)
YELLOW_L = (252, 233, 79, 255)
YELLOW = (237, 212, 0, 255)
YELLOW_D = (196, 160, 0, 255)
ORANGE_L = (252, 175, 62, 255)
ORANGE = (245, 121, 0, 255)
ORANGE_D = (206, 92, 0, 255)
BROWN_L = (233, 185, 110, 255)
PINK = (240, 170, 160, 255)


class Canvas:
    """16 x 16 units drawn at CANVAS pixels, reduced to `size` pixels."""

    def __init__(self, size):
        self.size = size
        self.k = CANVAS / 16.0           # canvas pixels per unit
        self.px = 16.0 / size            # one device pixel in units
        self.img = Image.new("RGBA", (CANVAS, CANVAS), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)
        self.pixel_art = []   # drawn on the reduced image, one pixel at a time

    @property
    def big(self):
        return self.size >= 32

    def c(self, v):
        return v * self.k

    def pts(self, points):
        return [(self.c(x), self.c(y)) for x, y in points]

    def box(self, x0, y0, x1, y1):
        # Pillow's boxes include their last pixel; ours end at x1 exactly.
        return (self.c(x0), self.c(y0), self.c(x1) - 1, self.c(y1) - 1)

    def rect(self, x0, y0, x1, y1, fill, outline=None, ow=1, radius=0):
        r = self.c(radius)
        if outline is not None:
            self.d.rounded_rectangle(self.box(x0, y0, x1, y1), r, fill=outline)
            i = ow * self.px
            x0, y0, x1, y1 = x0 + i, y0 + i, x1 - i, y1 - i
            r = max(0.0, r - self.c(i))
        if fill is not None:
            self.d.rounded_rectangle(self.box(x0, y0, x1, y1), r, fill=fill)

    def ellipse(self, x0, y0, x1, y1, fill, outline=None, ow=1):
        if outline is not None:
            self.d.ellipse(self.box(x0, y0, x1, y1), fill=outline)
            i = ow * self.px
            x0, y0, x1, y1 = x0 + i, y0 + i, x1 - i, y1 - i
        if fill is not None:
            self.d.ellipse(self.box(x0, y0, x1, y1), fill=fill)

    def poly(self, points, fill, outline=None, ow=1):
        self.d.polygon(self.pts(points), fill=fill)
        if outline is not None:
            self.line(list(points) + [points[0]], outline, ow)

    def line(self, points, colour, w=1):
        """A stroke of w device pixels centred on the points (for slanted lines)."""
        self.d.line(self.pts(points), fill=colour, width=int(round(self.c(w * self.px))),
                    joint="curve")

    def hline(self, x0, x1, y, colour, w=1):
        """Horizontal stroke whose top edge is at y, w device pixels thick."""
        self.d.rectangle(self.box(x0, y, x1, y + w * self.px), fill=colour)

    def vline(self, x, y0, y1, colour, w=1):
        self.d.rectangle(self.box(x, y0, x + w * self.px, y1), fill=colour)

    def clear(self, shape):
        """Erase what a shape drawn on a mask covers (the mask gets drawn in white)."""
        mask = Image.new("L", self.img.size, 0)
        shape(ImageDraw.Draw(mask))
        empty = Image.new("RGBA", self.img.size, (0, 0, 0, 0))
        self.img = Image.composite(empty, self.img, mask)
        self.d = ImageDraw.Draw(self.img)

    def result(self):
        # Reduce with premultiplied alpha so transparent pixels do not darken edges.
        small = self.img.convert("RGBa").reduce(CANVAS // self.size).convert("RGBA")
        for paint in self.pixel_art:
            paint(small)
        return small

    def clip_paste(self, layer, clip):
        """Paste an RGBA layer through the intersection of its alpha and a mask."""
        self.img.paste(layer, (0, 0), ImageChops.darker(layer.getchannel("A"), clip))
        self.d = ImageDraw.Draw(self.img)


# ------------------------------------------------------------------ parts

def sheet(c, x0, y0, x1, y1, lines=True):
    """A sheet of paper with a folded corner and form lines."""
    fold = 3 if not c.big else 3.5
    c.poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], GREY_D)
    i = c.px
    c.poly([(x0 + i, y0 + i), (x1 - fold - i * 0.4, y0 + i), (x1 - i, y0 + fold + i * 0.4),
            (x1 - i, y1 - i), (x0 + i, y1 - i)], PAPER)
    c.poly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], PAPER_2, GREY_D)
    if lines:
        y = y0 + (fold + 1 if not c.big else 4.5)
        left, right = (x0 + 2, x1 - 2) if not c.big else (x0 + 1.5, x1 - 1.5)
        while y < y1 - 1.5:
            c.hline(left, right, y, GREY_L if not c.big else GREY)
            y += 2


def record(c, x0, y0, x1, y1):
    """One record: a card with a title bar and two field lines."""
    c.rect(x0, y0, x1, y1, PAPER, GREY_D, radius=1 if c.big else 0)
    c.rect(x0 + c.px, y0 + c.px, x1 - c.px, y0 + 3, BLUE_L)
    c.hline(x0 + c.px, x1 - c.px, y0 + 3, BLUE)
    for y in (y0 + 5, y0 + 7):
        if y < y1 - 1:
            c.hline(x0 + 2, x1 - 2, y, GREY)
            if c.big:
                c.hline(x0 + 2, x0 + 4, y, BLUE, w=1)


def table(c, x0, y0, x1, y1, cols=2, rows=3):
    c.rect(x0, y0, x1, y1, PAPER, GREY_D)
    i = c.px
    c.rect(x0 + i, y0 + i, x1 - i, y0 + 3, BLUE_L)
    c.hline(x0 + i, x1 - i, y0 + 3, BLUE)
    h = (y1 - y0 - 3) / rows
    for r in range(1, rows):
        c.hline(x0 + i, x1 - i, round(y0 + 3 + r * h), GREY_L)
    w = (x1 - x0) / cols
    for k in range(1, cols):
        c.vline(round(x0 + k * w), y0 + i, y1 - i, GREY_L)


def arrow_right(c, x0, x1, ymid, colour, dark, half=3, shaft=1):
    """Arrow pointing right, its tip at x1, centred on the row ymid."""
    head = x1 - half
    pts = [(x0, ymid - shaft), (head, ymid - shaft), (head, ymid - half), (x1, ymid),
           (head, ymid + half), (head, ymid + shaft), (x0, ymid + shaft)]
    c.poly(pts, colour, dark)


# ------------------------------------------------------------------ icons

def pencil_pixels(img, tip, length):
    """A pencil along the 45-degree diagonal, pixel by pixel (for 16 x 16).

    Pixels whose centres lie on the same diagonal as the tip's form the lines of
    the pencil: across = dx + dy picks the line, along = dx - dy the distance.
    """
    px = img.load()
    tx, ty = tip
    for j in range(img.height):
        for i in range(img.width):
            dx, dy = i - tx, j - ty
            along, across = dx - dy, abs(dx + dy)
            if along < 0 or along > length or across > 2:
                continue
            col = None
            if along <= 1:
                col = INK if across == 0 or along == 1 and across <= 1 else None
            elif along <= 4:
                if across <= along // 2:
                    col = GREY_D if across == along // 2 else BROWN_L
            elif along <= length - 4:
                col = GREY_D if across == 2 else (YELLOW_D if dx + dy == 1 else YELLOW)
            elif along <= length - 2:
                col = GREY_D if across == 2 else GREY_L
            else:
                col = GREY_D if across == 2 or along == length else PINK
            if col is not None:
                px[i, j] = col


def vlastne(c):
    """Own data: a pencil over a form."""
    sheet(c, 1, 0, 12, 14)
    if not c.big:
        c.pixel_art.append(lambda img: pencil_pixels(img, (4, 15), 20))
        return
    # pencil from the lower left (tip) to the upper right
    a = math.radians(45)
    ux, uy = math.cos(a), -math.sin(a)        # along the pencil, toward its end
    nx, ny = -uy, ux                          # across
    tip = (4.2, 15.6)
    w = 1.7
    body0, body1, end = 3.0, 11.0, 13.3

    def at(s, t):
        return (tip[0] + ux * s + nx * t, tip[1] + uy * s + ny * t)

    c.poly([at(0, 0), at(body0, -w), at(body0, w)], BROWN_L, GREY_D)
    c.poly([at(0, 0), at(1.1, -w * 1.1 / body0), at(1.1, w * 1.1 / body0)], INK)
    c.poly([at(body0, -w), at(body1, -w), at(body1, w), at(body0, w)], YELLOW, GREY_D)
    c.poly([at(body0, 0), at(body1, 0), at(body1, w - c.px), at(body0, w - c.px)], YELLOW_D)
    c.poly([at(body1, -w), at(body1 + 0.9, -w), at(body1 + 0.9, w), at(body1, w)], GREY_L, GREY_D)
    c.poly([at(body1 + 0.9, -w), at(end, -w), at(end, w), at(body1 + 0.9, w)], PINK, GREY_D)


def shade(col, f):
    """col lighter (f > 0) or darker (f < 0)."""
    if f >= 0:
        return tuple(int(v + (255 - v) * f) for v in col[:3]) + (col[3],)
    return tuple(int(v * (1 + f)) for v in col[:3]) + (col[3],)


def databaza(c):
    """Database: a stack of disks (a cylinder), lit from the left."""
    x0, x1 = 2, 14
    top, bottom, eh = 1, 15, 4            # ellipse height
    c.rect(x0, top + eh / 2, x1, bottom - eh / 2, BLUE_D)
    c.ellipse(x0, bottom - eh, x1, bottom, BLUE_D)
    i = c.px
    # the body, shaded column by column like a cylinder lit from the left
    body = Image.new("RGBA", c.img.size, (0, 0, 0, 0))
    bd = ImageDraw.Draw(body)
    left, right = c.c(x0 + i), c.c(x1 - i)
    for X in range(int(left), int(right)):
        u = (X + 0.5 - left) / (right - left) * 2 - 1          # -1 ... 1
        bd.line([(X, 0), (X, CANVAS)], fill=shade(BLUE, 0.35 * (1 - abs(u + 0.45) * 1.1) - 0.1))
    clip = Image.new("L", c.img.size, 0)
    cd = ImageDraw.Draw(clip)
    cd.rectangle(c.box(x0 + i, top + eh / 2, x1 - i, bottom - eh / 2), fill=255)
    cd.ellipse(c.box(x0 + i, bottom - eh, x1 - i, bottom - i), fill=255)
    c.clip_paste(body, clip)
    # the seams between the disks
    for y in (top + eh / 2 + 4, top + eh / 2 + 8):
        c.d.arc(c.box(x0 + i, y - eh / 2, x1 - i, y + eh / 2), 0, 180,
                fill=BLUE_D, width=int(c.c(c.px)))
    c.ellipse(x0, top, x1, top + eh, (172, 203, 236, 255), BLUE_D)


def pridat(c):
    """Add: a plus on a record."""
    record(c, 1, 2, 13, 13)
    plus(c, 7, 7, GREEN, GREEN_D)


def plus(c, x0, y0, colour, dark):
    # a plus 8 x 8 units with a 2-unit bar and a dark rim
    cx0, cx1 = x0 + 3, x0 + 5
    pts = [(cx0, y0), (cx1, y0), (cx1, y0 + 3), (x0 + 8, y0 + 3), (x0 + 8, y0 + 5), (cx1, y0 + 5),
           (cx1, y0 + 8), (cx0, y0 + 8), (cx0, y0 + 5), (x0, y0 + 5), (x0, y0 + 3), (cx0, y0 + 3)]
    outer = [(cx0 - 1, y0 - 1), (cx1 + 1, y0 - 1), (cx1 + 1, y0 + 2), (x0 + 9, y0 + 2),
             (x0 + 9, y0 + 6), (cx1 + 1, y0 + 6), (cx1 + 1, y0 + 9), (cx0 - 1, y0 + 9),
             (cx0 - 1, y0 + 6), (x0 - 1, y0 + 6), (x0 - 1, y0 + 2), (cx0 - 1, y0 + 2)]
    if c.big:
        # at 32 px the rim is one pixel, not one unit
        h = 0.5
        outer = [(cx0 - h, y0 - h), (cx1 + h, y0 - h), (cx1 + h, y0 + 3 - h), (x0 + 8 + h, y0 + 3 - h),
                 (x0 + 8 + h, y0 + 5 + h), (cx1 + h, y0 + 5 + h), (cx1 + h, y0 + 8 + h),
                 (cx0 - h, y0 + 8 + h), (cx0 - h, y0 + 5 + h), (x0 - h, y0 + 5 + h),
                 (x0 - h, y0 + 3 - h), (cx0 - h, y0 + 3 - h)]
    c.poly(outer, dark)
    c.poly(pts, colour)


def cross_pixels(img, x0, y0, n):
    """A red X in an n x n box, its strokes two pixels thick (for 16 x 16)."""
    px = img.load()
    for j in range(n):
        for i in range(n):
            main = j - i in (0, 1)
            anti = i + j in (n - 2, n - 1)
            if main or anti:
                px[x0 + i, y0 + j] = RED_L if (j == i or i + j == n - 1) else RED


def zmazat(c):
    """Erase: a red cross on a record."""
    record(c, 1, 2, 13, 13)
    if not c.big:
        c.pixel_art.append(lambda img: cross_pixels(img, 9, 9, 7))
        return
    cx, cy, r = 11.75, 11.75, 3.0
    for sx in (1, -1):
        c.line([(cx - r, cy - sx * r), (cx + r, cy + sx * r)], RED_D, w=2.0 / c.px + 2)
    for sx in (1, -1):
        c.line([(cx - r, cy - sx * r), (cx + r, cy + sx * r)], RED_L, w=2.0 / c.px)


def velkanoc(c):
    """Easter Sunday: a painted egg."""
    cx, top, bottom, half = 8.0, 0.5, 15.5, 5.8
    cy, hh = (top + bottom) / 2, (bottom - top) / 2

    def outline(inset):
        pts = []
        for k in range(120):
            t = 2 * math.pi * k / 120
            y = -math.cos(t)                       # -1 at the top, +1 at the bottom
            x = math.sin(t) * (1.0 + 0.13 * y)     # the narrow end up
            pts.append((cx + (half - inset) * x, cy + (hh - inset) * y))
        return pts

    c.poly(outline(0), RED_D)
    inner = outline(c.px)
    c.poly(inner, RED_L)
    # bands across the egg, clipped to it
    band = Image.new("RGBA", c.img.size, (0, 0, 0, 0))
    bd = ImageDraw.Draw(band)
    bd.rectangle(c.box(0, 7, 16, 10), fill=YELLOW_L)
    zig = []
    x, up = -1.0, True
    while x <= 17:
        zig.append((c.c(x), c.c(7.6 if up else 9.4)))
        up = not up
        x += 1.5 if c.big else 2.0
    bd.line(zig, fill=ORANGE, width=int(c.c(c.px)), joint="curve")
    bd.rectangle(c.box(0, 4, 16, 5), fill=PAPER)
    bd.rectangle(c.box(0, 12, 16, 13), fill=YELLOW_L)
    mask = Image.new("L", c.img.size, 0)
    ImageDraw.Draw(mask).polygon(c.pts(inner), fill=255)
    c.clip_paste(band, mask)
    c.ellipse(4.5, 2.5, 6.5, 6.0, (255, 255, 255, 150))


def faza(c):
    """Moon phase: a crescent."""
    c.ellipse(1, 1, 15, 15, YELLOW_D)
    c.ellipse(1 + c.px, 1 + c.px, 15 - c.px, 15 - c.px, YELLOW_L)
    # the dark part cut away leaves a waxing crescent, lit on the right
    c.clear(lambda d: d.ellipse(c.box(-2.5, -0.5, 10.5, 12.5), fill=255))
    # the rim of the cut
    ring = Image.new("L", c.img.size, 0)
    rd = ImageDraw.Draw(ring)
    rd.ellipse(c.box(-2.5 - c.px, -0.5 - c.px, 10.5 + c.px, 12.5 + c.px), fill=255)
    rd.ellipse(c.box(-2.5, -0.5, 10.5, 12.5), fill=0)
    inside = Image.new("L", c.img.size, 0)
    ImageDraw.Draw(inside).ellipse(c.box(1, 1, 15, 15), fill=255)
    c.clip_paste(Image.new("RGBA", c.img.size, YELLOW_D), ImageChops.darker(ring, inside))


_LAND = None


def land_mask():
    """Land (255) and water (0) of the whole world, 720 x 360, Plate Carree.

    Drawn by GMT from the GSHHG coastlines (crude resolution is plenty here).
    """
    global _LAND
    if _LAND is None:
        with tempfile.TemporaryDirectory() as work:
            ps = os.path.join(work, "land.ps")
            with open(ps, "wb") as out:
                subprocess.run(["gmt", "pscoast", "-R-180/180/-90/90", "-JQ0/720p", "-X0", "-Y0",
                                "-Dc", "-A5000", "-Gblack", "-Swhite", "--PS_MEDIA=720px360p",
                                "--PS_PAGE_ORIENTATION=portrait"],
                               cwd=work, stdout=out, check=True)
            subprocess.run(["gmt", "psconvert", ps, "-Tg", "-E72"], cwd=work, check=True)
            img = Image.open(os.path.join(work, "land.png")).convert("L")
            _LAND = img.point(lambda v: 255 if v < 128 else 0)
    return _LAND


def svet(c):
    """World map: a globe showing Europe and Africa, from real coastlines."""
    land = land_mask()
    lpx = land.load()
    lon0, lat0 = math.radians(12.0), math.radians(22.0)
    x0, y0, x1, y1 = (0.5, 0.5, 15.5, 15.5) if c.big else (1, 1, 15, 15)
    c.ellipse(x0, y0, x1, y1, BLUE_D)
    cx, cy = c.c((x0 + x1) / 2), c.c((y0 + y1) / 2)
    R = c.c((x1 - x0) / 2 - c.px)
    globe = Image.new("RGBA", c.img.size, (0, 0, 0, 0))
    gp = globe.load()
    ocean, ground = (78, 132, 196), (106, 176, 56)
    for j in range(CANVAS):
        for i in range(CANVAS):
            x, y = (i + 0.5 - cx) / R, -(j + 0.5 - cy) / R
            rho = math.hypot(x, y)
            if rho >= 1.0:
                continue
            cc = math.asin(rho)
            if rho == 0:
                lat, lon = lat0, lon0
            else:
                lat = math.asin(math.cos(cc) * math.sin(lat0) + y * math.sin(cc) * math.cos(lat0) / rho)
                lon = lon0 + math.atan2(x * math.sin(cc),
                                        rho * math.cos(cc) * math.cos(lat0) - y * math.sin(cc) * math.sin(lat0))
            lx = int((math.degrees(lon) + 180.0) % 360.0 * 2) % 720
            ly = min(359, max(0, int((90.0 - math.degrees(lat)) * 2)))
            base = ground if lpx[lx, ly] else ocean
            # light from the upper left, darker toward the rim
            z = math.sqrt(1 - rho * rho)
            light = 0.55 + 0.45 * max(0.0, -0.45 * x + 0.45 * y + 0.77 * z)
            gp[i, j] = tuple(min(255, int(v * light + 40 * (light - 0.8) * (light > 0.8))) for v in base) + (255,)
    c.img.alpha_composite(globe)
    c.d = ImageDraw.Draw(c.img)


SK_BLUE = (11, 78, 162, 255)
SK_RED = (238, 28, 37, 255)

# The coat of arms for 16 x 16, one letter a pixel: white double cross on red
# over blue hills, with a white rim.
ARMS_16 = [
    "WWWWWWW",
    "WRRWRRW",
    "WRWWWRW",
    "WRRWRRW",
    "WWWWWWW",
    "WRRWRRW",
    "WBBBBBW",
    ".WBBBW.",
    "..WWW..",
]


def arms_pixels(img, x0, y0):
    px = img.load()
    colours = {"W": PAPER, "R": SK_RED, "B": SK_BLUE}
    for j, row in enumerate(ARMS_16):
        for i, ch in enumerate(row):
            if ch in colours:
                px[x0 + i, y0 + j] = colours[ch]


def slovensko(c):
    """Slovakia map: the white, blue and red flag with the coat of arms."""
    # interiors of 9 and 21 pixels: three stripes on whole pixels at both sizes
    x0, y0, x1, y1 = 0, 2, 16, 13.5 if c.big else 13
    c.rect(x0, y0, x1, y1, GREY_D)
    i = c.px
    third = (y1 - y0 - 2 * i) / 3
    c.rect(x0 + i, y0 + i, x1 - i, y0 + i + third, PAPER)
    c.rect(x0 + i, y0 + i + third, x1 - i, y0 + i + 2 * third, SK_BLUE)
    c.rect(x0 + i, y0 + i + 2 * third, x1 - i, y1 - i, SK_RED)
    if not c.big:
        c.pixel_art.append(lambda img: arms_pixels(img, 3, 3))
        return
    # shield: red with a white double cross on blue hills, outlined in white
    sx0, sx1, sy0, sy1 = 3, 9, 3.5, 12
    mid = (sx0 + sx1) / 2
    shield = [(sx0, sy0), (sx1, sy0), (sx1, sy0 + 5), (mid, sy1), (sx0, sy0 + 5)]
    c.poly(shield, PAPER)
    inner = [(sx0 + i, sy0 + i), (sx1 - i, sy0 + i), (sx1 - i, sy0 + 5), (mid, sy1 - 1.4 * i),
             (sx0 + i, sy0 + 5)]
    c.poly(inner, SK_RED)
    hill = Image.new("L", c.img.size, 0)
    hd = ImageDraw.Draw(hill)
    hd.ellipse(c.box(mid - 1.6, sy0 + 5.6, mid + 1.6, sy0 + 9), fill=255)
    hd.ellipse(c.box(sx0 - 0.6, sy0 + 6.4, mid, sy0 + 10), fill=255)
    hd.ellipse(c.box(mid, sy0 + 6.4, sx1 + 0.6, sy0 + 10), fill=255)
    clip = Image.new("L", c.img.size, 0)
    ImageDraw.Draw(clip).polygon(c.pts(inner), fill=255)
    c.clip_paste(Image.new("RGBA", c.img.size, SK_BLUE), ImageChops.darker(hill, clip))
    # the double cross, the lower bar the longer
    cx = mid - 0.5
    c.rect(cx, sy0 + 1, cx + 1, sy0 + 6, PAPER)
    c.rect(cx - 1.0, sy0 + 2, cx + 2.0, sy0 + 2.5, PAPER)
    c.rect(cx - 1.5, sy0 + 3.5, cx + 2.5, sy0 + 4.0, PAPER)


def tabulka(c):
    """Result to table: one arrow into a table."""
    table(c, 5, 2, 16, 14)
    arrow_right(c, 0.5, 8, 8.5 if not c.big else 8.5, GREEN, GREEN_D)


def tabulkames(c):
    """Month to table: a calendar page going into a table."""
    # the calendar page with its rings and a grid of days
    c.rect(0, 1, 9, 10, PAPER, GREY_D)
    c.rect(c.px, 1 + c.px, 9 - c.px, 4, RED_L)
    if c.big:
        days = [(x, y) for x in (1.5, 3, 4.5, 6) for y in (5, 6.5, 8)]
        dot = 1.0
    else:
        days = [(x, y) for x in (2, 4, 6) for y in (5, 7)]
        dot = 1.0
    for x, y in days:
        c.rect(x, y, x + dot, y + dot * (0.5 if c.big else 1), GREY)
    for x in (2, 6):
        c.rect(x, 0, x + 1, 2, GREY_D)
    # the table, overlapping the page's corner
    table(c, 6, 8, 16, 16, cols=2, rows=2)
    # a bent arrow from the page down into the table
    pts = [(9, 2), (13, 2), (13, 5), (15, 5), (12, 8), (9, 5), (11, 5), (11, 4), (9, 4)]
    c.poly(pts, GREEN, GREEN_D)


ICON_LIST = [
    ("00_vlastne", vlastne), ("01_databaza", databaza), ("02_pridat", pridat),
    ("03_zmazat", zmazat), ("04_velkanoc", velkanoc), ("05_faza", faza),
    ("06_svet", svet), ("07_slovensko", slovensko), ("08_tabulka", tabulka),
    ("09_tabulkames", tabulkames),
]


# --------------------------------------------------------- application icon

APP_ICON_SIZES = (16, 32, 48, 64, 128, 256)
PKG_ICONS = os.path.join(ROOT, "packaging", "icons")

# dawn sky: deep blue above, warm near the horizon (offsets of the square's height)
SKY_STOPS = [(0.0, (24, 52, 112)), (0.38, (70, 96, 160)), (0.56, (236, 138, 84)),
             (0.66, (255, 208, 120))]
SUN_RAY = (255, 222, 96)
SUN_DISCS = ((1.1, (255, 190, 60)), (1.0, (255, 222, 100)), (0.82, (255, 240, 168)))


def app_icon_shapes(n):
    """A sun rising over a horizon of hills, in a rounded square, as plain shapes
    on an n x n square: the frame, the sun's rays and discs, the hills.

    Both the bitmaps and the scalable icon are drawn from these shapes.
    """
    frame = (0.03 * n, 0.03 * n, 0.97 * n, 0.97 * n, 0.18 * n)   # box and corner radius
    horizon = 0.66 * n
    cx, cy, r = 0.5 * n, 0.6 * n, 0.19 * n
    rays = []
    for k in range(16):
        a = -math.pi / 2 + 2 * math.pi * k / 16     # symmetric about the vertical
        half = 0.075
        r0, r1 = r * 1.2, r * (1.6 if k % 2 else 1.95)
        rays.append([(cx + r0 * math.cos(a - half), cy + r0 * math.sin(a - half)),
                     (cx + r1 * math.cos(a), cy + r1 * math.sin(a)),
                     (cx + r0 * math.cos(a + half), cy + r0 * math.sin(a + half))])
    discs = [(cx, cy, r * f, col) for f, col in SUN_DISCS]

    def hill(base, bumps, colour):
        pts = []
        for k in range(0, 81):
            x = n * k / 80
            y = base - sum(h * n * math.exp(-((x - c * n) / (w * n)) ** 2) for c, w, h in bumps)
            pts.append((x, y))
        return pts + [(n, n), (0, n)], colour

    hills = [hill(horizon, [(0.15, 0.14, 0.06), (0.42, 0.1, 0.02), (0.85, 0.12, 0.045)], (86, 120, 110)),
             hill(horizon + 0.08 * n, [(0.05, 0.2, 0.06), (0.7, 0.22, 0.07)], (52, 100, 62)),
             hill(horizon + 0.2 * n, [(0.35, 0.3, 0.07), (0.95, 0.15, 0.03)], (34, 74, 44))]
    return frame, rays, discs, hills


def app_icon_master():
    """The application icon drawn at 1024 x 1024, to be reduced to each size."""
    n = 1024
    frame, rays, discs, hills = app_icon_shapes(n)
    sky = Image.new("RGBA", (n, n))
    sd = ImageDraw.Draw(sky)
    for y in range(n):
        t = y / n
        for (t0, c0), (t1, c1) in zip(SKY_STOPS, SKY_STOPS[1:]):
            if t <= t1 or (t1, c1) == SKY_STOPS[-1]:
                f = max(0.0, min(1.0, (t - t0) / (t1 - t0)))
                col = tuple(int(a + (b - a) * f) for a, b in zip(c0, c1))
                break
        sd.line([(0, y), (n, y)], fill=col + (255,))
    mask = Image.new("L", (n, n), 0)
    ImageDraw.Draw(mask).rounded_rectangle(frame[:4], frame[4], fill=255)
    img = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    img.paste(sky, (0, 0), mask)

    sun = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    d = ImageDraw.Draw(sun)
    for ray in rays:
        d.polygon(ray, fill=SUN_RAY + (255,))
    for cx, cy, r, col in discs:
        d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=col + (255,))
    img.paste(sun, (0, 0), ImageChops.darker(sun.getchannel("A"), mask))

    for pts, colour in hills:
        layer = Image.new("RGBA", (n, n), (0, 0, 0, 0))
        ImageDraw.Draw(layer).polygon(pts, fill=colour + (255,))
        img.paste(layer, (0, 0), ImageChops.darker(layer.getchannel("A"), mask))
    return img


def app_icon(size=256, master=None):
    """The application icon at size x size pixels."""
    img = master if master is not None else app_icon_master()
    return img.convert("RGBa").resize((size, size), Image.LANCZOS).convert("RGBA")


def app_icon_svg(n=256):
    """The application icon as SVG, drawn from the same shapes as the bitmaps."""
    frame, rays, discs, hills = app_icon_shapes(n)

    def num(v):
        return ("%.2f" % v).rstrip("0").rstrip(".")

    def colour(col):
        return "#%02x%02x%02x" % col

    def points(pts):
        return " ".join("%s,%s" % (num(x), num(y)) for x, y in pts)

    x0, y0, x1, y1, radius = frame
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
           % (n, n, n, n),
           '  <title>Vantu</title>',
           '  <defs>',
           '    <linearGradient id="sky" gradientUnits="userSpaceOnUse" x1="0" y1="0" x2="0" y2="%d">'
           % n]
    for t, col in SKY_STOPS:
        out.append('      <stop offset="%s" stop-color="%s"/>' % (num(t), colour(col)))
    out += ['    </linearGradient>',
            '    <clipPath id="frame">',
            '      <rect x="%s" y="%s" width="%s" height="%s" rx="%s" ry="%s"/>'
            % (num(x0), num(y0), num(x1 - x0), num(y1 - y0), num(radius), num(radius)),
            '    </clipPath>',
            '  </defs>',
            '  <g clip-path="url(#frame)">',
            '    <rect x="0" y="0" width="%d" height="%d" fill="url(#sky)"/>' % (n, n)]
    for ray in rays:
        out.append('    <polygon points="%s" fill="%s"/>' % (points(ray), colour(SUN_RAY)))
    for cx, cy, r, col in discs:
        out.append('    <circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (num(cx), num(cy), num(r), colour(col)))
    for pts, col in hills:
        out.append('    <polygon points="%s" fill="%s"/>' % (points(pts), colour(col)))
    out += ['  </g>', '</svg>', '']
    return "\n".join(out)


def write_app_icons():
    """app/icons/vantu.png (256 x 256, used by the program and the portable package)
    and the icons of the Debian package: packaging/icons/vantu-<size>.png for the
    smaller sizes and packaging/icons/vantu.svg."""
    master = app_icon_master()
    os.makedirs(APP_ICONS, exist_ok=True)
    os.makedirs(PKG_ICONS, exist_ok=True)
    for size in APP_ICON_SIZES:
        if size == 256:
            path = os.path.join(APP_ICONS, "vantu.png")
        else:
            path = os.path.join(PKG_ICONS, "vantu-%d.png" % size)
        app_icon(size, master).save(path, optimize=True)
    with open(os.path.join(PKG_ICONS, "vantu.svg"), "w", encoding="utf-8") as out:
        out.write(app_icon_svg())


def main():
    # "icons.py app" writes only the application icons, which need no GMT.
    if sys.argv[1:] != ["app"]:
        os.makedirs(ICONS, exist_ok=True)
        for name, draw in ICON_LIST:
            for size, suffix in ((16, ""), (32, "@2x")):
                c = Canvas(size)
                draw(c)
                path = os.path.join(ICONS, "%s%s.png" % (name, suffix))
                c.result().save(path, optimize=True)
        print("wrote %d toolbar images" % (2 * len(ICON_LIST)))
    write_app_icons()
    print("wrote app/icons/vantu.png and packaging/icons/vantu-{16,32,48,64,128}.png, vantu.svg")


if __name__ == "__main__":
    main()
