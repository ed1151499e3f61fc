#!/usr/bin/python3
# Regenerates the launcher's artwork:
#   resources/art/game_background.png     (Game tab background, 643 x 852)
#   resources/art/game_background@2x.png  (the same at 1286 x 1704, for screens above 100 %)
#   resources/ravenlock.ico               (program icon: 16/8-bit, 20, 24, 32, 40, 48, 64, 256/PNG)
#
# Run by hand from the repository root whenever the artwork should change:
#   apt-get install -y python3-pil fonts-dejavu-extra
#   /usr/bin/python3 tools/art/make_art.py
# Use Debian's /usr/bin/python3: a pyenv `python3` on the PATH may lack Pillow.
# The output is deterministic (fixed seeds), so a rerun only changes the files
# when this script changes. The build never runs it; it uses the committed files.

import io
import math
import os
import random
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

W, H = 643, 852
SS = 2  # the scene is painted at twice the size and scaled down once
DENSITY = 1  # 1: the picture's own size; 2: the @2x file for screens above 100 % scaling


def font(name, size):
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size)


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return tuple(int(round(lerp(a, b, t))) for a, b in zip(c1, c2))


def hexc(s):
    s = s.lstrip("#")
    return tuple(int(s[i:i + 2], 16) for i in (0, 2, 4))


def ramp(stops, y):
    """Colour at y on a list of (y, colour) stops."""
    if y <= stops[0][0]:
        return stops[0][1]
    for (y0, c0), (y1, c1) in zip(stops, stops[1:]):
        if y <= y1:
            t = (y - y0) / float(y1 - y0)
            t = t * t * (3 - 2 * t)
            return mix(c0, c1, t)
    return stops[-1][1]


def vgradient(w, h, stops):
    col = Image.new("RGB", (1, h))
    col.putdata([ramp(stops, y) for y in range(h)])
    return col.resize((w, h), Image.NEAREST)


def value_noise(w, h, cell, rng, octaves=1):
    """Smooth grey noise built from scaled-up random tiles (no numpy needed)."""
    out = None
    weight = 1.0
    total = 0.0
    for _ in range(octaves):
        gw, gh = max(2, w // cell + 3), max(2, h // cell + 3)
        tile = Image.frombytes("L", (gw, gh), rng.randbytes(gw * gh))
        layer = tile.resize((gw * cell, gh * cell), Image.BICUBIC).crop((cell, cell, cell + w, cell + h))
        if out is None:
            out = layer
        else:
            out = Image.blend(out, layer, weight / (total + weight))
        total += weight
        weight *= 0.5
        cell = max(1, cell // 2)
    return out


def bezier(p0, p1, p2, p3, n=24):
    pts = []
    for i in range(1, n + 1):
        t = i / float(n)
        u = 1 - t
        pts.append((u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return pts


def path(start, segments):
    """start point, then segments: a point (line) or a 3-tuple of points (cubic)."""
    pts = [start]
    for seg in segments:
        if isinstance(seg[0], tuple):
            pts += bezier(pts[-1], seg[0], seg[1], seg[2])
        else:
            pts.append(seg)
    return pts


def place(pts, x, y, scale, angle=0.0, flip=False):
    ca, sa = math.cos(angle), math.sin(angle)
    out = []
    for px, py in pts:
        if flip:
            px = -px
        out.append((x + (px * ca - py * sa) * scale, y + (px * sa + py * ca) * scale))
    return out


# --------------------------------------------------------------------------
# Shapes shared by the background and the icon

def perched_raven():
    """Raven sitting on a perch, facing left; feet at (0, 0), about 1 unit tall."""
    body = path((-0.64, -0.79), [
        ((-0.50, -0.88), (-0.38, -0.93), (-0.27, -0.93)),   # thick upper beak
        ((-0.20, -1.01), (-0.05, -1.00), (0.02, -0.89)),    # crown
        ((0.07, -0.78), (0.14, -0.62), (0.22, -0.47)),      # nape and shoulder
        ((0.31, -0.30), (0.42, -0.08), (0.58, 0.17)),       # folded wing to tail
        (0.60, 0.22), (0.52, 0.23),                         # wedge tail tip
        ((0.38, 0.06), (0.22, 0.02), (0.06, 0.00)),         # under the tail
        ((-0.18, -0.04), (-0.30, -0.30), (-0.29, -0.52)),   # belly and chest
        (-0.34, -0.58), (-0.30, -0.60), (-0.37, -0.66),     # shaggy throat
        (-0.33, -0.68), (-0.38, -0.72), (-0.35, -0.745),
        ((-0.45, -0.75), (-0.56, -0.765), (-0.64, -0.79)),  # lower beak
    ])
    legs = [((-0.06, -0.03), (-0.09, 0.10)), ((0.06, -0.02), (0.04, 0.10))]
    return body, legs


def flying_raven(lift=0.0):
    """Raven seen from below, head up, wings spread; span about 2 units.
    lift raises the wing tips for a different wing beat."""
    right = path((0.0, -0.34), [
        (0.05, -0.26), (0.07, -0.16), (0.09, -0.10),
        ((0.35, -0.30), (0.65, -0.30), (0.98, -0.14)),      # leading edge
        (0.86, -0.08), (0.95, -0.04), (0.80, -0.01),        # fingered tip
        (0.87, 0.04), (0.70, 0.04),
        ((0.50, 0.08), (0.30, 0.15), (0.09, 0.12)),         # trailing edge
        (0.11, 0.30), (0.0, 0.44),                          # wedge tail
    ])
    right = [(x, y - lift * max(0.0, x - 0.1) ** 1.3) for x, y in right]
    left = [(-x, y) for x, y in reversed(right[1:-1])]
    return right + left


def raven_head():
    """Raven head and neck facing left inside a 256 x 256 frame (icon, emblem)."""
    return path((22, 130), [
        ((50, 112), (78, 96), (104, 86)),       # heavy upper beak
        ((120, 66), (150, 58), (174, 64)),      # flat crown
        ((198, 70), (210, 96), (208, 124)),     # back of the head
        ((208, 160), (224, 204), (250, 262)),   # neck
        (92, 262),
        ((96, 240), (90, 226), (82, 214)),      # shaggy throat feathers
        ((96, 214), (100, 206), (94, 192)),
        ((104, 194), (108, 184), (104, 170)),
        ((112, 168), (114, 158), (112, 148)),
        ((84, 146), (52, 140), (22, 130)),      # lower beak
    ])


RAVEN_EYE = (146, 96, 10)  # x, y, radius in the 256 frame


# --------------------------------------------------------------------------
# Background

def ridge(w, base, amp, cell, rng, octaves=3):
    """Heights of a hill line, one per x, via 1-D value noise."""
    vals = [0.0] * w
    a = amp
    c = cell
    for _ in range(octaves):
        n = w // c + 3
        knots = [rng.uniform(-1, 1) for _ in range(n)]
        for x in range(w):
            i = x // c
            t = (x % c) / float(c)
            t = t * t * (3 - 2 * t)
            vals[x] += a * lerp(knots[i], knots[i + 1], t)
        a *= 0.45
        c = max(2, c // 3)
    return [base + v for v in vals]


def hill_mask(w, h, heights):
    m = Image.new("L", (w, h), 0)
    ImageDraw.Draw(m).polygon([(0, h)] + [(x, heights[x]) for x in range(w)] + [(w - 1, h)], fill=255)
    return m


def draw_tower(d, x, base, top, col, s):
    """Lattice radio mast; returns the beacon position."""
    half_b, half_t = 26 * s, 4 * s
    lw = max(1, int(1.6 * s))
    left = lambda y: x - lerp(half_b, half_t, (base - y) / float(base - top))
    right = lambda y: x + lerp(half_b, half_t, (base - y) / float(base - top))
    d.line([(left(base), base), (left(top), top)], fill=col, width=lw + s)
    d.line([(right(base), base), (right(top), top)], fill=col, width=lw + s)
    y = base
    step = 30 * s
    while y - step > top:
        y2 = y - step
        d.line([(left(y), y), (right(y2), y2)], fill=col, width=lw)
        d.line([(right(y), y), (left(y2), y2)], fill=col, width=lw)
        d.line([(left(y2), y2), (right(y2), y2)], fill=col, width=lw)
        y = y2
        step *= 0.9
    mast_top = top - 46 * s
    d.line([(x, top), (x, mast_top)], fill=col, width=2 * s)
    d.line([(x - 11 * s, top - 14 * s), (x + 11 * s, top - 14 * s)], fill=col, width=s + 1)
    for dy, hw in ((-26, 7), (-38, 4)):
        d.line([(x - hw * s, top + dy * s), (x + hw * s, top + dy * s)], fill=col, width=s)
    # a dish, a little askew, where it was left
    d.chord([x + 2 * s, top + 30 * s, x + 20 * s, top + 56 * s], 60, 260, fill=col)
    return (x, mast_top)


def building_tops(rng, x0, x1, base, s, lift=0):
    """Ruined skyline: list of (polygon, box); lift adds height hidden by hills."""
    polys = []
    x = x0
    while x < x1:
        bw = rng.randint(14, 40) * s
        bh = rng.randint(18, 70) * s + lift
        if rng.random() < 0.18:
            bh += rng.randint(30, 55) * s  # a few towers survived taller
        top = base - bh
        pts = [(x, base), (x, top)]
        # broken roof line: jagged steps
        cx = x
        while cx < x + bw:
            step = rng.randint(3, 9) * s
            cx = min(x + bw, cx + step)
            pts.append((cx, top + rng.randint(0, 14) * s * (1 if rng.random() < 0.6 else 0)))
        pts.append((x + bw, base))
        polys.append((pts, (x, top, x + bw, base)))
        x += bw + rng.randint(-6, 4) * s
    return polys


def draw_bunker(img, x, y, s):
    """Concrete bunker entrance with a sealed steel door, dug into a mound.
    (x, y) is the bottom-centre of the door; returns the lamp position."""
    w, h = img.size
    d = ImageDraw.Draw(img)
    dw, dh = 74 * s, 58 * s
    top = y - dh - 18 * s
    # wing walls holding back the earth on either side, in shadow
    for sign in (-1, 1):
        ix = x + sign * (dw // 2 + 18 * s)
        ox = x + sign * (dw // 2 + 70 * s)
        d.polygon([(ix, top + 2 * s), (ix, y), (ox, y), (ox, y - 10 * s)], fill=(27, 25, 23))
        d.line([(ix, top + 2 * s), (ox, y - 10 * s)], fill=(88, 62, 38), width=s)
    # the portal and its recess
    portal = [(x - dw // 2 - 20 * s, y), (x - dw // 2 - 18 * s, top), (x + dw // 2 + 18 * s, top),
              (x + dw // 2 + 20 * s, y)]
    d.polygon(portal, fill=(36, 34, 31))
    d.line([portal[1], portal[2]], fill=(110, 78, 44), width=s)  # sky light on the lintel
    d.rectangle([x - dw // 2 - 6 * s, y - dh - 6 * s, x + dw // 2 + 6 * s, y], fill=(16, 16, 15))
    # the door leaves
    steel = (28, 31, 33)
    d.rectangle([x - dw // 2, y - dh, x + dw // 2, y], fill=steel)
    d.line([(x, y - dh), (x, y)], fill=(12, 13, 14), width=2 * s)
    for i in range(1, 4):
        yy = y - dh + i * dh // 4
        d.line([(x - dw // 2 + 3 * s, yy), (x + dw // 2 - 3 * s, yy)], fill=(20, 22, 24), width=s)
    for bx in (x - dw // 2 + 4 * s, x + dw // 2 - 4 * s):  # hinges
        for by in (y - dh + 8 * s, y - 12 * s):
            d.rectangle([bx - 2 * s, by - 4 * s, bx + 2 * s, by + 4 * s], fill=(44, 46, 47))
    # worn hazard chevrons along the bottom
    band_top = y - 9 * s
    stripes = Image.new("L", (w, h), 0)
    sd = ImageDraw.Draw(stripes)
    for k in range(-2, 16):
        sx = x - dw // 2 + k * 10 * s
        sd.polygon([(sx, y), (sx + 5 * s, y), (sx + 14 * s, band_top), (sx + 9 * s, band_top)], fill=80)
    clip = Image.new("L", (w, h), 0)
    ImageDraw.Draw(clip).rectangle([x - dw // 2 + 2 * s, band_top, x + dw // 2 - 2 * s, y - s], fill=255)
    img.paste(Image.new("RGB", (w, h), (150, 108, 38)), (0, 0), ImageChops.multiply(stripes, clip))
    # valve wheel across the seam
    cy = y - dh // 2 - 4 * s
    r = 12 * s
    d.ellipse([x - r, cy - r, x + r, cy + r], outline=(62, 58, 52), width=3 * s)
    for a in range(0, 360, 60):
        ra = math.radians(a + 15)
        d.line([(x, cy), (x + r * math.cos(ra), cy + r * math.sin(ra))], fill=(54, 50, 46), width=2 * s)
    d.ellipse([x - 3 * s, cy - 3 * s, x + 3 * s, cy + 3 * s], fill=(72, 66, 58))
    # the lamp over the door still works; its light pools on the steel
    lamp = (x, top + 6 * s)
    d.rectangle([lamp[0] - 7 * s, lamp[1] - 3 * s, lamp[0] + 7 * s, lamp[1] + 3 * s], fill=(255, 176, 70))
    d.rectangle([lamp[0] - 9 * s, lamp[1] - 5 * s, lamp[0] + 9 * s, lamp[1] - 3 * s], fill=(20, 19, 18))
    face = Image.new("L", (w, h), 0)
    ImageDraw.Draw(face).polygon(portal, fill=255)
    pool = Image.new("L", (w, h), 0)
    ImageDraw.Draw(pool).ellipse([x - 60 * s, lamp[1] - 10 * s, x + 60 * s, y + 20 * s], fill=70)
    pool = pool.filter(ImageFilter.GaussianBlur(22 * s))
    img.paste(Image.new("RGB", (w, h), (255, 150, 60)), (0, 0), ImageChops.multiply(pool, face))
    return lamp


def glow(img, centre, radius, colour, strength):
    m = Image.new("L", img.size, 0)
    r = radius
    ImageDraw.Draw(m).ellipse([centre[0] - r, centre[1] - r, centre[0] + r, centre[1] + r], fill=strength)
    m = m.filter(ImageFilter.GaussianBlur(radius * 0.9))
    img.paste(Image.new("RGB", img.size, colour), (0, 0), m)


def make_background():
    s = SS
    w, h = W * s, H * s
    rng = random.Random(7604)

    horizon = 606 * s
    sky_stops = [
        (0, hexc("#05070a")),
        (24 * s, hexc("#070b0e")),
        (300 * s, hexc("#0f2226")),
        (440 * s, hexc("#1d3b3c")),
        (520 * s, hexc("#4f5444")),
        (575 * s, hexc("#a7773a")),
        (horizon, hexc("#e29a45")),
        (h, hexc("#e29a45")),
    ]
    img = vgradient(w, h, sky_stops)

    # haze: long streaks of cloud, teal up high and amber near the horizon
    clouds = value_noise(w // 8, h // 2, 10, rng, octaves=3).resize((w, h), Image.BICUBIC)
    cloud_mask = clouds.point(lambda v: max(0, min(255, (v - 120) * 3)))
    band = vgradient(w, h, [(0, (0, 0, 0)), (170 * s, (0, 0, 0)), (330 * s, (70, 70, 70)),
                            (560 * s, (120, 120, 120)), (horizon, (40, 40, 40))]).convert("L")
    cloud_mask = ImageChops.multiply(cloud_mask, band)
    cloud_col = vgradient(w, h, [(0, hexc("#2c4a4a")), (380 * s, hexc("#3d5a52")),
                                 (520 * s, hexc("#c58a4a")), (horizon, hexc("#f0b468"))])
    img.paste(cloud_col, (0, 0), cloud_mask)

    # the low sun, swollen by dust
    sun = (527 * s, 590 * s)
    glow(img, sun, 150 * s, hexc("#f3a450"), 80)
    glow(img, sun, 60 * s, hexc("#ffcf80"), 150)
    sd = ImageDraw.Draw(img)
    sr = 30 * s
    sd.ellipse([sun[0] - sr, sun[1] - sr, sun[0] + sr, sun[1] + sr], fill=hexc("#ffe2a8"))

    # distant ravens circling
    flock = [(214, 372, 9, -0.3, 0.15), (250, 348, 7, 0.2, 0.5), (472, 330, 6, 0.1, -0.2),
             (300, 402, 5, -0.1, 0.35), (505, 362, 8, 0.25, 0.3), (190, 420, 4, 0.0, 0.6)]
    bird_col = hexc("#0b1012")
    for bx, by, size, ang, lift in flock:
        pts = place(flying_raven(lift), bx * s, by * s, size * s, ang)
        sd.polygon(pts, fill=bird_col)

    # far ridge
    far = ridge(w, 590 * s, 22 * s, 120 * s, rng)
    far_col = vgradient(w, h, [(540 * s, hexc("#6f5a44")), (640 * s, hexc("#8a6440"))])
    img.paste(far_col, (0, 0), hill_mask(w, h, far))

    # ruined city against the sun: a hazy far row, a darker near row
    wd = ImageDraw.Draw(img)
    rows = [
        (236 * s, 470 * s, 662 * s, 48 * s, hexc("#5a4536"), hexc("#7a5638"), hexc("#4e3d31")),
        (160 * s, 500 * s, 668 * s, 40 * s, hexc("#302a27"), hexc("#4a3a2e"), hexc("#2a2522")),
    ]
    for x0, x1, base, lift, col_top, col_base, win_col in rows:
        city = Image.new("L", (w, h), 0)
        cd = ImageDraw.Draw(city)
        windows = []
        girders = []
        for pts, box in building_tops(rng, x0, x1, base, s, lift):
            cd.polygon(pts, fill=255)
            bx0, by0, bx1, by1 = box
            if rng.random() < 0.35:  # bare beams where the top came off
                gx = rng.randint(bx0 + 3 * s, bx1 - 3 * s)
                girders.append([(gx, by0 + 4 * s), (gx + rng.randint(-4, 4) * s, by0 - rng.randint(6, 16) * s)])
            for wy in range(by0 + 10 * s, by1 - 50 * s, 7 * s):
                for wx in range(bx0 + 4 * s, bx1 - 5 * s, 6 * s):
                    r = rng.random()
                    if r < 0.03:
                        windows.append((wx, wy, True))
                    elif r < 0.45:
                        windows.append((wx, wy, False))
        for g in girders:
            cd.line(g, fill=255, width=s)
        city_col = vgradient(w, h, [(base - 130 * s, col_top), (base - 20 * s, col_base)])
        img.paste(city_col, (0, 0), city)
        for wx, wy, lit in windows:
            c = hexc("#f0a040") if lit else win_col
            wd.rectangle([wx, wy, wx + 2 * s - 1, wy + 3 * s - 1], fill=c)
    # dust lying low over the streets
    fog = vgradient(w, h, [(0, (0, 0, 0)), (590 * s, (0, 0, 0)), (640 * s, (150, 150, 150)),
                           (670 * s, (190, 190, 190))]).convert("L")
    img.paste(Image.new("RGB", (w, h), hexc("#9c6a3c")), (0, 0), fog)

    # middle hills with the mast on the right crest
    mid = ridge(w, 640 * s, 18 * s, 90 * s, rng)
    for x in range(w):  # lift the right side into a knoll for the mast
        mid[x] -= 34 * s * math.exp(-((x - 520 * s) / (90.0 * s)) ** 2)
    mid_col = vgradient(w, h, [(590 * s, hexc("#2a2622")), (700 * s, hexc("#1a1816"))])
    img.paste(mid_col, (0, 0), hill_mask(w, h, mid))
    # sun catching the crest
    crest = Image.new("L", (w, h), 0)
    ImageDraw.Draw(crest).line([(x, mid[x]) for x in range(0, w, 2)], fill=120, width=2 * s)
    crest = crest.filter(ImageFilter.GaussianBlur(s))
    img.paste(Image.new("RGB", (w, h), hexc("#b8742e")), (0, 0), crest)

    tower_x = 522 * s
    tower_base = int(mid[tower_x]) + 4 * s
    td = ImageDraw.Draw(img)
    beacon = draw_tower(td, tower_x, tower_base, 404 * s, hexc("#121416"), s)
    glow(img, beacon, 16 * s, hexc("#ff3a2a"), 150)
    td.ellipse([beacon[0] - 3 * s, beacon[1] - 3 * s, beacon[0] + 3 * s, beacon[1] + 3 * s], fill=hexc("#ff6a50"))

    # near ground
    near = ridge(w, 706 * s, 16 * s, 140 * s, rng)
    for x in range(w):  # a mound holds the bunker
        near[x] -= 62 * s * math.exp(-((x - 300 * s) / (120.0 * s)) ** 2)
    near_col = vgradient(w, h, [(660 * s, hexc("#1b1815")), (760 * s, hexc("#0d0c0b"))])
    img.paste(near_col, (0, 0), hill_mask(w, h, near))
    crest = Image.new("L", (w, h), 0)
    ImageDraw.Draw(crest).line([(x, near[x]) for x in range(0, w, 2)], fill=90, width=2 * s)
    crest = crest.filter(ImageFilter.GaussianBlur(s))
    img.paste(Image.new("RGB", (w, h), hexc("#9a5e28")), (0, 0), crest)

    lamp = draw_bunker(img, 300 * s, 746 * s, s)
    glow(img, lamp, 20 * s, hexc("#ffa040"), 120)

    gd = ImageDraw.Draw(img)
    # dead grass and rubble on the near ground
    for _ in range(260):
        gx = rng.randrange(0, w)
        base = near[min(w - 1, gx)] + rng.randint(0, 8) * s
        if 200 * s < gx < 400 * s and base > 660 * s:
            continue
        ln = rng.randint(4, 14) * s
        lean = rng.uniform(-0.5, 0.5)
        gd.line([(gx, base), (gx + lean * ln, base - ln)], fill=hexc("#0f0e0c"), width=s)
    for _ in range(40):
        rx = rng.randrange(0, w)
        ry = rng.randint(730, 764) * s
        rr = rng.randint(2, 6) * s
        gd.polygon([(rx - rr, ry), (rx - rr // 2, ry - rr), (rx + rr, ry - rr // 2), (rx + rr, ry)],
                   fill=hexc("#161412"))

    # a broken utility pole in front, its wires sagging away to the right
    pole_x = 74 * s
    pole_top = 468 * s
    pole_col = hexc("#0c0d0e")
    gd.polygon([(pole_x - 5 * s, 770 * s), (pole_x - 3 * s, pole_top), (pole_x + 3 * s, pole_top - 4 * s),
                (pole_x + 5 * s, 770 * s)], fill=pole_col)
    arm_y = pole_top + 20 * s
    arm = [(pole_x - 46 * s, arm_y + 6 * s), (pole_x + 44 * s, arm_y - 5 * s)]
    gd.line(arm, fill=pole_col, width=5 * s)
    for t in (0.08, 0.92):
        ix = lerp(arm[0][0], arm[1][0], t)
        iy = lerp(arm[0][1], arm[1][1], t)
        gd.rectangle([ix - 2 * s, iy - 7 * s, ix + 2 * s, iy], fill=pole_col)
    # wires: catenaries to the right, one snapped and hanging
    for (sx, sy), ex, ey, sag in (((lerp(arm[0][0], arm[1][0], 0.92), arm[1][1] - 6 * s), w + 10 * s, 520 * s, 70 * s),
                                  ((pole_x + 3 * s, pole_top + 4 * s), w + 10 * s, 500 * s, 60 * s)):
        pts = []
        for i in range(61):
            t = i / 60.0
            pts.append((lerp(sx, ex, t), lerp(sy, ey, t) + sag * 4 * t * (1 - t)))
        gd.line(pts, fill=pole_col, width=s + 1)
    snap = arm[0][0] + 4 * s, arm[0][1] - 4 * s
    gd.line(path(snap, [((snap[0] - 10 * s, snap[1] + 40 * s), (snap[0] + 6 * s, snap[1] + 80 * s),
                         (snap[0] - 4 * s, snap[1] + 118 * s))]), fill=pole_col, width=s + 1)

    # the raven keeping watch on the cross-arm
    body, legs = perched_raven()
    rx, ry, rs = pole_x + 24 * s, arm_y - 7 * s, 58 * s
    gd.polygon(place(body, rx, ry, rs), fill=hexc("#07080a"))
    for a, b in legs:
        gd.line(place([a, b], rx, ry, rs), fill=hexc("#07080a"), width=2 * s)
    ex, ey = place([(-0.17, -0.84)], rx, ry, rs)[0]
    gd.ellipse([ex - 1.6 * s, ey - 1.6 * s, ex + 1.6 * s, ey + 1.6 * s], fill=hexc("#d08a3a"))

    # dust in the air
    for _ in range(140):
        px, py = rng.randrange(0, w), rng.randint(300, 740) * s
        v = rng.randint(40, 110)
        gd.point((px, py), fill=mix(img.getpixel((px, py)), (255, 210, 150), v / 255.0))

    # dark band for the links, status line and toggle at the bottom
    fade = vgradient(w, h, [(0, (0, 0, 0)), (728 * s, (0, 0, 0)), (770 * s, (255, 255, 255))]).convert("L")
    band = vgradient(w, h, [(0, hexc("#0a0a09")), (h, hexc("#070707"))])
    tex = value_noise(w, h, 3 * s, rng, octaves=2).point(lambda v: 40 + (v - 128) // 22)
    band = ImageChops.add(band, Image.merge("RGB", (tex, tex, tex)), 1.0, -40)
    scan = Image.new("L", (w, h), 0)
    scd = ImageDraw.Draw(scan)
    for y in range(0, h, 3 * s):
        scd.line([(0, y), (w, y)], fill=40, width=s)
    band.paste(Image.new("RGB", (w, h), (0, 0, 0)), (0, 0), scan)
    img.paste(band, (0, 0), fade)
    ld = ImageDraw.Draw(img)
    ld.line([(0, 768 * s), (w, 768 * s)], fill=hexc("#3a2a16"), width=s)

    # logo goes on last so nothing in the scene covers it
    draw_logo(img, s, rng)

    # keep the top strip dark for the two lines of white text
    top = vgradient(w, h, [(0, (215, 215, 215)), (20 * s, (150, 150, 150)), (34 * s, (0, 0, 0))]).convert("L")
    img.paste(Image.new("RGB", (w, h), hexc("#040506")), (0, 0), top)

    # a soft vignette
    vig = Image.new("L", (w, h), 0)
    ImageDraw.Draw(vig).ellipse([-w * 0.25, -h * 0.12, w * 1.25, h * 1.05], fill=255)
    vig = vig.filter(ImageFilter.GaussianBlur(90 * s)).point(lambda v: 255 - v)
    img.paste(Image.new("RGB", (w, h), (0, 0, 0)), (0, 0), vig.point(lambda v: v * 150 // 255))

    return img if DENSITY == SS else img.resize((W * DENSITY, H * DENSITY), Image.LANCZOS)


# --------------------------------------------------------------------------
# Title lettering

# Stencil bridges as vertical cuts: (x as a fraction of the glyph box,
# y from, y to as fractions of cap height).
STENCIL = {
    "R": [(0.30, 0.0, 0.20), (0.30, 0.40, 0.58)],
    "A": [(0.50, 0.0, 0.30)],
    "V": [],
    "E": [(0.32, 0.0, 0.18), (0.32, 0.41, 0.59), (0.32, 0.82, 1.0)],
    "N": [(0.30, 0.0, 0.25)],
    "L": [(0.32, 0.82, 1.0)],
    "O": [(0.50, 0.0, 0.22), (0.50, 0.78, 1.0)],
    "C": [(0.52, 0.0, 0.20), (0.52, 0.80, 1.0)],
    "K": [(0.32, 0.38, 0.62)],
}


def spaced_text_mask(size, text, fnt, x, y, spacing, stencil=None, cut=0):
    """Draws text with extra letter spacing into a new L mask; returns it and the right edge."""
    m = Image.new("L", size, 0)
    d = ImageDraw.Draw(m)
    pen = x
    asc = fnt.getbbox("H")[1]
    cap = fnt.getbbox("H")[3] - asc
    for ch in text:
        d.text((pen, y), ch, font=fnt, fill=255)
        if stencil and ch in stencil:
            gb = fnt.getbbox(ch)
            gx0, gx1 = pen + gb[0], pen + gb[2]
            for fx, fy0, fy1 in stencil[ch]:
                cx = lerp(gx0, gx1, fx)
                d.polygon([(cx - cut / 2 + cut * 0.35, y + asc + cap * fy0 - 2),
                           (cx + cut / 2 + cut * 0.35, y + asc + cap * fy0 - 2),
                           (cx + cut / 2 - cut * 0.35, y + asc + cap * fy1 + 2),
                           (cx - cut / 2 - cut * 0.35, y + asc + cap * fy1 + 2)], fill=0)
        pen += fnt.getlength(ch) + spacing
    return m, pen - spacing


def text_width(text, fnt, spacing):
    return sum(fnt.getlength(ch) for ch in text) + spacing * (len(text) - 1)


def draw_logo(img, s, rng):
    w, h = img.size
    cx = int((120 + 409 / 2.0) * s)

    # emblem: the raven head in a thin ring
    er = 27 * s
    ey = 57 * s
    ring = Image.new("L", (w, h), 0)
    rd = ImageDraw.Draw(ring)
    rd.ellipse([cx - er, ey - er, cx + er, ey + er], outline=255, width=2 * s)
    rd.ellipse([cx - er + 5 * s, ey - er + 5 * s, cx + er - 5 * s, ey + er - 5 * s], fill=255)
    head = Image.new("L", (w, h), 0)
    hs = (2 * er - 10 * s) / 256.0
    hd = ImageDraw.Draw(head)
    hd.polygon([(cx - er + 5 * s + px * hs, ey - er + 5 * s + py * hs) for px, py in raven_head()], fill=255)
    ex, ey2, eR = RAVEN_EYE
    ex, ey2, eR = cx - er + 5 * s + ex * hs, ey - er + 5 * s + ey2 * hs, eR * hs
    inner = Image.new("L", (w, h), 0)
    ImageDraw.Draw(inner).ellipse([cx - er + 5 * s, ey - er + 5 * s, cx + er - 5 * s, ey + er - 5 * s], fill=255)
    head = ImageChops.multiply(head, inner)
    hd = ImageDraw.Draw(head)
    hd.ellipse([ex - eR, ey2 - eR, ex + eR, ey2 + eR], fill=0)
    ring = ImageChops.subtract(ring, head)
    emblem_col = vgradient(w, h, [(ey - er, hexc("#f6c56e")), (ey + er, hexc("#c8782a"))])
    shadow = ring.filter(ImageFilter.GaussianBlur(3 * s))
    img.paste(Image.new("RGB", (w, h), hexc("#e08a30")), (0, 0), shadow.point(lambda v: v * 70 // 255))
    img.paste(emblem_col, (0, 0), ring)

    # flanking rules beside the emblem
    ld = ImageDraw.Draw(img)
    for sign in (-1, 1):
        x0 = cx + sign * (er + 10 * s)
        x1 = cx + sign * (er + 150 * s)
        ld.line([(x0, ey), (x1, ey)], fill=hexc("#8a5a28"), width=s)
        ld.line([(x0, ey - 4 * s), (x0 + sign * 90 * s, ey - 4 * s)], fill=hexc("#5a3c1e"), width=s)
        ld.rectangle([x1 - 2 * s if sign > 0 else x1, ey - 2 * s, x1 + 2 * s if sign < 0 else x1, ey + 2 * s],
                     fill=hexc("#8a5a28"))

    # title
    title = "RAVENLOCK"
    fnt = font("DejaVuSansCondensed-Bold.ttf", 10 * s)
    spacing_frac = 0.04
    size = 10 * s
    while True:  # largest size that fits in 392 px
        f2 = font("DejaVuSansCondensed-Bold.ttf", size + s)
        if text_width(title, f2, (size + s) * spacing_frac) > 392 * s:
            break
        size += s
        fnt = f2
    spacing = size * spacing_frac
    tw = text_width(title, fnt, spacing)
    bb = fnt.getbbox("H")
    cap = bb[3] - bb[1]
    top_y = 96 * s
    tx = cx - tw / 2.0
    ty = top_y - bb[1]
    mask, _ = spaced_text_mask((w, h), title, fnt, tx, ty, spacing, STENCIL, cut=4 * s)

    # wear: pitted specks and a few scratches cut through paint and edge alike
    pits = value_noise(w, h, 2 * s, rng, octaves=2).point(lambda v: 255 if v > 212 else 0)
    patch = value_noise(w, h, 22 * s, rng, octaves=1).point(lambda v: 255 if v > 125 else 0)
    holes = ImageChops.multiply(pits, patch).filter(ImageFilter.MaxFilter(3))
    sd = ImageDraw.Draw(holes)
    for _ in range(5):
        sx = rng.uniform(tx, tx + tw)
        sy = rng.uniform(top_y, top_y + cap)
        ln = rng.uniform(14, 40) * s
        a = rng.uniform(-0.5, 0.5)
        sd.line([(sx, sy), (sx + ln * math.cos(a), sy + ln * math.sin(a))], fill=255, width=max(1, s))
    outline = mask.filter(ImageFilter.MaxFilter(2 * s + 1 + 2))
    outline = ImageChops.subtract(outline, holes.filter(ImageFilter.MinFilter(3)))
    fill = ImageChops.subtract(mask, holes)

    glow_m = mask.filter(ImageFilter.GaussianBlur(9 * s)).point(lambda v: min(255, v * 2) * 90 // 255)
    img.paste(Image.new("RGB", (w, h), hexc("#d2762a")), (0, 0), glow_m)
    drop = outline.filter(ImageFilter.GaussianBlur(2 * s))
    img.paste(Image.new("RGB", (w, h), (0, 0, 0)), (3 * s, 4 * s), drop)
    img.paste(Image.new("RGB", (w, h), hexc("#0b0a09")), (0, 0), outline)
    fill_col = vgradient(w, h, [(top_y, hexc("#fbeccb")), (top_y + cap * 0.45, hexc("#efbf6a")),
                                (top_y + cap, hexc("#b9671f"))])
    img.paste(fill_col, (0, 0), fill)
    # thin bright line along the top edge of the strokes
    edge = ImageChops.subtract(fill, ImageChops.offset(fill, 0, 2 * s)).point(lambda v: v * 110 // 255)
    img.paste(Image.new("RGB", (w, h), (255, 246, 224)), (0, 0), edge)

    # subtitle between two rules
    sub = "FALLOUT 76 \u00b7 \u041a\u041e\u041c\u041f\u0410\u041d\u042c\u041e\u041d"
    sf = font("DejaVuSansCondensed-Bold.ttf", 13 * s)
    ssp = 3.2 * s
    sw = text_width(sub, sf, ssp)
    sbb = sf.getbbox("H")
    sy = 182 * s
    smask, _ = spaced_text_mask((w, h), sub, sf, cx - sw / 2.0, sy - sbb[1], ssp)
    img.paste(Image.new("RGB", (w, h), (0, 0, 0)), (s, s + s // 2), smask.filter(ImageFilter.GaussianBlur(s)))
    img.paste(Image.new("RGB", (w, h), hexc("#d9d2bd")), (0, 0), smask)
    mid_y = sy + (sbb[3] - sbb[1]) / 2.0
    for sign in (-1, 1):
        x0 = cx + sign * (sw / 2.0 + 12 * s)
        x1 = cx + sign * (tw / 2.0)
        ld.line([(x0, mid_y), (x1, mid_y)], fill=hexc("#b9742c"), width=s)
        ld.polygon([(x0, mid_y - 3 * s), (x0 + sign * 3 * s, mid_y), (x0, mid_y + 3 * s),
                    (x0 - sign * 3 * s, mid_y)], fill=hexc("#e0a050"))
    # small tagline under everything
    tf = font("DejaVuSansCondensed.ttf", 10 * s)
    tag = "\u0421\u0418\u0413\u041d\u0410\u041b \u0421 \u041f\u0423\u0421\u0422\u041e\u0428\u0418"
    tsp = 4 * s
    tgw = text_width(tag, tf, tsp)
    tbb = tf.getbbox("H")
    tmask, _ = spaced_text_mask((w, h), tag, tf, cx - tgw / 2.0, 208 * s - tbb[1], tsp)
    img.paste(Image.new("RGB", (w, h), hexc("#6f8a84")), (0, 0), tmask)


# --------------------------------------------------------------------------
# Icon

# At 16 px a scaled-down drawing turns to mush, so that size is drawn by hand.
ICON16 = [
    ".....kkkkkk.....",
    "...kkccccbbkk...",
    "..kcccccccbbbk..",
    ".kccccccrrrbbbk.",
    ".kcccccrrrrrbbk.",
    "kcccccrrrrrrrbbk",
    "kccccrrrrrerrbbk",
    "kcccggrrrrrrrrak",
    "kbggggrrrrrrrrak",
    "kbbbbrrrrrrrrrak",
    "kbbbbbrrrrrrrrak",
    ".kbbbrrrrrrrrrk.",
    ".kabbbrrrrrrrrk.",
    "..kaabrrrrrrrk..",
    "...kkarrrrrkk...",
    ".....kkkkkk.....",
]
ICON16_COLOURS = {
    "k": "#1a1410", "a": "#b35a1a", "b": "#e3902f", "c": "#ffc15c",
    "r": "#0d0d10", "e": "#ffdc78", "g": "#252b33",
}


def render_icon16():
    img = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    for y, row in enumerate(ICON16):
        for x, ch in enumerate(row):
            if ch != ".":
                img.putpixel((x, y), hexc(ICON16_COLOURS[ch]) + (255,))
    return img


def render_icon(size):
    """RGBA icon at `size`, painted 8x larger and scaled down."""
    if size <= 16:
        return render_icon16()
    k = 8
    n = size * k
    f = n / 256.0
    c = n / 2.0
    rim = max(10 * f, 1.3 * k)
    R = c - 4 * f
    disc = Image.new("L", (n, n), 0)
    ImageDraw.Draw(disc).ellipse([c - R, c - R, c + R, c + R], fill=255)
    inner_r = R - rim
    inner = Image.new("L", (n, n), 0)
    ImageDraw.Draw(inner).ellipse([c - inner_r, c - inner_r, c + inner_r, c + inner_r], fill=255)

    # amber face, brighter toward the upper left like a lamp behind it
    face = Image.new("RGB", (n, n))
    steps = 48
    fd = ImageDraw.Draw(face)
    for i in range(steps):
        t = i / float(steps - 1)
        rr = inner_r * (1.35 - t * 1.0)
        col = mix(hexc("#a8501a"), hexc("#ffc866"), t)
        ox, oy = c - inner_r * 0.18 * t, c - inner_r * 0.22 * t
        fd.ellipse([ox - rr, oy - rr, ox + rr, oy + rr], fill=col)
    face = face.filter(ImageFilter.GaussianBlur(n / 40.0))

    out = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    out.paste(Image.new("RGBA", (n, n), hexc("#171310") + (255,)), (0, 0), disc)
    out.paste(face, (0, 0), inner)
    if size >= 48:  # a fine bright ring inside the rim
        hl = Image.new("L", (n, n), 0)
        ImageDraw.Draw(hl).ellipse([c - inner_r, c - inner_r, c + inner_r, c + inner_r], outline=255,
                                   width=int(0.7 * k))
        out.paste(Image.new("RGBA", (n, n), (255, 226, 160, 255)), (0, 0), hl.point(lambda v: v * 120 // 255))

    # raven head, clipped to the face so the neck runs out of the circle
    outline = [(px * f, py * f) for px, py in raven_head()]
    head = Image.new("L", (n, n), 0)
    ImageDraw.Draw(head).polygon(outline, fill=255)
    head = ImageChops.multiply(head, inner)
    out.paste(Image.new("RGBA", (n, n), hexc("#0d0d10") + (255,)), (0, 0), head)
    if size >= 48:  # a cool sheen along the beak and crown, and the gape
        sheen = Image.new("L", (n, n), 0)
        ImageDraw.Draw(sheen).line(outline[:40], fill=255, width=int(3 * f))
        sheen = ImageChops.multiply(sheen, head)
        out.paste(Image.new("RGBA", (n, n), (92, 110, 128, 255)), (0, 0), sheen.point(lambda v: v * 150 // 255))
        ImageDraw.Draw(out).line([(34 * f, 129 * f), (100 * f, 128 * f)], fill=(62, 70, 80, 255), width=int(2.5 * f))
    ex, ey, er = RAVEN_EYE
    ex, ey, er = ex * f, ey * f, max(er * f, 1.1 * k)
    ed = ImageDraw.Draw(out)
    ed.ellipse([ex - er, ey - er, ex + er, ey + er], fill=hexc("#ffd36b") + (255,))
    if size >= 48:
        pr = er * 0.45
        ed.ellipse([ex - pr, ey - pr, ex + pr, ey + pr], fill=hexc("#120c06") + (255,))
    return out.resize((size, size), Image.LANCZOS)


def bmp_entry(img, bits):
    """ICO image data in BMP form (header, [palette], XOR bits, AND mask)."""
    size = img.width
    alpha = img.getchannel("A")
    mask_row = ((size + 31) // 32) * 4
    and_rows = []
    for y in range(size - 1, -1, -1):
        row = bytearray(mask_row)
        for x in range(size):
            if alpha.getpixel((x, y)) < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(row))
    and_mask = b"".join(and_rows)

    if bits == 8:
        rgb = Image.new("RGB", img.size, (0, 0, 0))
        rgb.paste(img.convert("RGB"), (0, 0), alpha.point(lambda v: 255 if v >= 128 else 0))
        pal_img = rgb.quantize(colors=256, method=Image.MEDIANCUT, dither=Image.NONE)
        pal = pal_img.getpalette()[:768]
        pal += [0] * (768 - len(pal))
        palette = b"".join(struct.pack("<BBBB", pal[i * 3 + 2], pal[i * 3 + 1], pal[i * 3], 0) for i in range(256))
        row_len = ((size + 3) // 4) * 4
        xor = b"".join(bytes(pal_img.getpixel((x, y)) for x in range(size)) + b"\0" * (row_len - size)
                       for y in range(size - 1, -1, -1))
    else:
        palette = b""
        xor = b"".join(b"".join(struct.pack("<BBBB", *(lambda p: (p[2], p[1], p[0], p[3]))(img.getpixel((x, y))))
                                for x in range(size))
                       for y in range(size - 1, -1, -1))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + palette + xor + and_mask


def make_icon():
    # Every size Windows asks for from 100 % to 200 % (small icons 16 to 32, large 32 to
    # 64), so that none is scaled from another.
    entries = []
    entries.append((16, 8, bmp_entry(render_icon(16), 8)))
    for size in (20, 24, 32, 40, 48, 64):
        entries.append((size, 32, bmp_entry(render_icon(size), 32)))
    png = io.BytesIO()
    render_icon(256).save(png, "PNG", optimize=True)
    entries.append((256, 32, png.getvalue()))

    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    data = b""
    for size, bits, blob in entries:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
        data += blob
    return out + data


def main():
    art_dir = os.path.join(ROOT, "resources", "art")
    os.makedirs(art_dir, exist_ok=True)
    global DENSITY
    paths = []
    for DENSITY, name in ((1, "game_background.png"), (2, "game_background@2x.png")):
        bg_path = os.path.join(art_dir, name)
        make_background().save(bg_path, "PNG", optimize=True)
        paths.append(bg_path)
    ico_path = os.path.join(ROOT, "resources", "ravenlock.ico")
    with open(ico_path, "wb") as fh:
        fh.write(make_icon())
    for p in paths + [ico_path]:
        print("%s  %d bytes" % (os.path.relpath(p, ROOT), os.path.getsize(p)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
