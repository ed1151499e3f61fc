#!/usr/bin/python3
# Regenerates the pictures of the link, info, community, map, driver and photo
# tabs in resources/art/:
#   48 x 48 icons:  link_steam_client, link_discord_client, link_kvrt, link_store,
#                   link_vk, link_zen, info_save_report, info_disk_check, info_rammap
#   96 x 96 icons:  driver_gpu_green, driver_gpu_red, driver_graphics_api
#   pictures:       community_banner (260 x 103), support_banner (260 x 39),
#                   world_map (260 x 260), photo_placeholder (643 x 360),
#                   discord_banner (643 x 130)
#
# Run by hand from the repository root whenever the artwork should change:
#   apt-get install -y python3-pil fonts-dejavu-core fonts-dejavu-extra
#   /usr/bin/python3 tools/art/make_link_art.py
# Use Debian's /usr/bin/python3: a pyenv `python3` on the PATH may lack Pillow.
# Each picture is also written at twice its size as name@2x.png, for screens above 100 %.
# Icons are drawn at 4x and pictures at 3x, then scaled down once, so edges stay
# smooth. Fixed seeds keep the output identical between runs.
# The icons sit on light grey tab pages, so they are transparent and every layer
# gets a dark contour; the wide pictures share the dusk palette of the Game tab.

import math
import os
import random
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
ART_DIR = os.path.join(ROOT, "resources", "art")
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

S = 4   # icon supersampling
SP = 3  # picture supersampling
DENSITY = 1  # 1: the pictures' own size; 2: the @2x files for screens above 100 % scaling

# the launcher's palette
INK = (36, 40, 43)          # contours and dark details
SLATE = (64, 73, 78)
SLATE_L = (96, 107, 112)
STEEL = (170, 178, 180)
STEEL_L = (214, 219, 219)
TEAL_D = (22, 70, 72)
TEAL = (36, 110, 110)
TEAL_L = (66, 150, 144)
AMBER_D = (182, 108, 30)
AMBER = (232, 160, 48)
AMBER_L = (250, 200, 110)
CREAM = (248, 240, 222)
PAPER_D = (218, 205, 178)
GREEN = (64, 168, 88)
RED = (206, 66, 52)


def font(name, size):
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size)


def hexc(s):
    s = s.lstrip("#")
    return tuple(int(s[i:i + 2], 16) for i in (0, 2, 4))


def lerp(a, b, t):
    return a + (b - a) * t


def mix(c1, c2, t):
    return tuple(int(round(lerp(a, b, t))) for a, b in zip(c1, c2))


def rgba(c, a=255):
    return tuple(c[:3]) + (a,)


def ramp(stops, y):
    """Colour at y on a list of (y, colour) stops, smoothstepped."""
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
    """Smooth grey noise from scaled-up random tiles (no numpy needed)."""
    out = None
    weight, total = 1.0, 0.0
    for _ in range(octaves):
        gw, gh = max(2, w // cell + 3), max(2, h // cell + 3)
        tile = Image.frombytes("L", (gw, gh), rng.randbytes(gw * gh))
        layer = tile.resize((gw * cell, gh * cell), Image.BICUBIC).crop((cell, cell, cell + w, cell + h))
        out = layer if out is None else Image.blend(out, layer, weight / (total + weight))
        total += weight
        weight *= 0.5
        cell = max(1, cell // 2)
    return out


def ridge(w, base, amp, cell, rng, octaves=3):
    """Heights of a hill line, one per x, via 1-D value noise."""
    vals = [0.0] * w
    a, c = amp, cell
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


def bezier(p0, p1, p2, p3, n=24):
    pts = []
    for i in range(n + 1):
        t = i / float(n)
        u = 1 - t
        pts.append((u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return pts


# --------------------------------------------------------------------------
# Icon kit: every layer is painted on its own layer in icon pixels (floats);
# compose() lays the layers over each other, each with a dark contour round it,
# which keeps overlapping badges readable at 48 px.

class Layer:
    def __init__(self, n, k=S):
        self.n, self.k = n, k
        self.img = Image.new("RGBA", (n * k, n * k), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)

    def sc(self, pts):
        return [(x * self.k, y * self.k) for x, y in pts]

    def box(self, b):
        return [v * self.k for v in b]

    def mask(self):
        m = Image.new("L", self.img.size, 0)
        return m, ImageDraw.Draw(m)

    def paint(self, m, colour):
        """Fill the area of mask m with a colour or a (top, bottom, y0, y1) gradient."""
        if len(colour) == 4 and isinstance(colour[0], tuple):
            top, bot, y0, y1 = colour
            src = vgradient(self.img.size[0], self.img.size[1],
                            [(y0 * self.k, top), (y1 * self.k, bot)]).convert("RGBA")
        else:
            src = Image.new("RGBA", self.img.size, rgba(colour))
        self.img.paste(src, (0, 0), m)

    def rrect(self, b, r, colour):
        m, d = self.mask()
        d.rounded_rectangle(self.box(b), radius=r * self.k, fill=255)
        self.paint(m, colour)

    def ellipse(self, b, colour):
        m, d = self.mask()
        d.ellipse(self.box(b), fill=255)
        self.paint(m, colour)

    def circle(self, c, r, colour):
        self.ellipse((c[0] - r, c[1] - r, c[0] + r, c[1] + r), colour)

    def poly(self, pts, colour):
        m, d = self.mask()
        d.polygon(self.sc(pts), fill=255)
        self.paint(m, colour)

    def line(self, pts, colour, w, round_caps=True):
        m, d = self.mask()
        p = self.sc(pts)
        d.line(p, fill=255, width=int(round(w * self.k)), joint="curve")
        if round_caps:
            r = w * self.k / 2.0
            for x, y in (p[0], p[-1]):
                d.ellipse([x - r, y - r, x + r, y + r], fill=255)
        self.paint(m, colour)

    def arc(self, b, a0, a1, colour, w):
        m, d = self.mask()
        d.arc(self.box(b), a0, a1, fill=255, width=int(round(w * self.k)))
        self.paint(m, colour)

    def clear(self, b):
        self.d.rectangle(self.box(b), fill=(0, 0, 0, 0))

    def clip(self, keep):
        """Keep only what lies inside the alpha of another layer."""
        a = ImageChops.multiply(self.img.getchannel("A"), keep.img.getchannel("A"))
        self.img.putalpha(a)


def dilate(alpha, r):
    """Round dilation of an alpha mask by r pixels (blur + threshold)."""
    if r <= 0:
        return alpha
    hard = alpha.point(lambda v: 255 if v > 96 else 0)
    blurred = hard.filter(ImageFilter.GaussianBlur(r * 0.75))
    return blurred.point(lambda v: 255 if v > 10 else 0)


def compose(n, layers, contour=1.5, k=S):
    out = Image.new("RGBA", (n * k, n * k), (0, 0, 0, 0))
    for p in layers:
        if contour:
            ring = dilate(p.img.getchannel("A"), contour * k)
            out.paste(Image.new("RGBA", out.size, rgba(INK)), (0, 0), ring)
        out.alpha_composite(p.img)
    return out.resize((n * DENSITY, n * DENSITY), Image.LANCZOS)


def check_mark(p, pts, colour, w):
    p.line(pts, colour, w)


# --------------------------------------------------------------------------
# 48 px link and info icons

def icon_download_tray():
    n = 48
    back = Layer(n)
    back.poly([(11, 22), (37, 22), (43, 29), (5, 29)], TEAL_D)
    arrow = Layer(n)
    arrow.rrect((18.5, 2.5, 29.5, 20), 2, (AMBER_L, AMBER, 2, 20))
    arrow.poly([(10, 16.5), (38, 16.5), (24, 32)], (AMBER, AMBER_D, 16, 32))
    front = Layer(n)
    front.rrect((4, 28, 44, 44.5), 3, (TEAL_L, TEAL, 28, 44))
    front.rrect((15, 34.5, 33, 37.5), 1.5, TEAL_D)
    front.circle((38.5, 36), 1.6, AMBER_L)
    return compose(n, [back, arrow, front])


def icon_chat_download():
    n = 48
    bubble = Layer(n)
    bubble.rrect((2.5, 4.5, 38, 30.5), 9, (TEAL_L, TEAL, 5, 30))
    bubble.poly([(8, 26), (19, 26), (6.5, 38)], TEAL)
    for x in (11.5, 20.25, 29):
        bubble.circle((x, 17.5), 2.6, CREAM)
    badge = Layer(n)
    badge.circle((36, 36), 10.5, (AMBER_L, AMBER_D, 26, 46))
    badge.rrect((34, 28.5, 38, 37), 1, INK)
    badge.poly([(30, 34.5), (42, 34.5), (36, 41.5)], INK)
    return compose(n, [bubble, badge])


def shield_outline(x0, y0, x1, y1):
    """Heater-shield outline: flat top with a dip, straight sides, curved point."""
    cx = (x0 + x1) / 2.0
    mid = y0 + (y1 - y0) * 0.42
    pts = [(x0, y0 + 3)]
    pts += bezier((x0, y0 + 3), (cx - 6, y0 + 2.5), (cx - 3, y0), (cx, y0 - 1.5), 10)[1:]
    pts += bezier((cx, y0 - 1.5), (cx + 3, y0), (cx + 6, y0 + 2.5), (x1, y0 + 3), 10)[1:]
    pts += [(x1, mid)]
    pts += bezier((x1, mid), (x1, y1 - 10), (cx + 8, y1 - 3), (cx, y1), 16)[1:]
    pts += bezier((cx, y1), (cx - 8, y1 - 3), (x0, y1 - 10), (x0, mid), 16)[1:]
    return pts


def icon_shield():
    n = 48
    sh = Layer(n)
    sh.poly(shield_outline(7, 5.5, 41, 45), (TEAL, TEAL_D, 4, 45))
    light = Layer(n)
    light.poly([(0, 0), (24, 0), (24, 48), (0, 48)], (TEAL_L, TEAL, 4, 45))
    light.clip(sh)
    sh.img.alpha_composite(light.img)
    # a thin amber rim inside the contour
    rim = Layer(n)
    rim.poly(shield_outline(7, 5.5, 41, 45), AMBER)
    inner = Layer(n)
    inner.poly(shield_outline(9.6, 8.3, 38.4, 41.8), AMBER)
    rim.img.putalpha(ImageChops.subtract(rim.img.getchannel("A"), inner.img.getchannel("A")))
    sh.img.alpha_composite(rim.img)
    tick = Layer(n)
    check_mark(tick, [(15.5, 24.5), (21.5, 31), (33, 17.5)], CREAM, 5)
    return compose(n, [sh, tick], contour=1.2)


def icon_bag_tag():
    n = 48
    handle = Layer(n)
    handle.arc((14, 4, 30, 24), 180, 360, INK, 3)
    bag = Layer(n)
    bag.poly([(6.5, 15), (37.5, 15), (40, 44), (4, 44)], (AMBER_L, AMBER_D, 15, 44))
    bag.poly([(6.5, 15), (37.5, 15), (37.8, 19), (6.2, 19)], AMBER_D)
    bag.circle((15, 22.5), 1.6, INK)
    bag.circle((29, 22.5), 1.6, INK)
    tag = Layer(n)
    cx, cy = 35, 34
    pts = [(-11, 0), (-5.5, -6.5), (11, -6.5), (11, 6.5), (-5.5, 6.5)]
    a = math.radians(-40)
    rot = [(cx + x * math.cos(a) - y * math.sin(a), cy + x * math.sin(a) + y * math.cos(a)) for x, y in pts]
    tag.poly(rot, (TEAL_L, TEAL, 26, 44))
    hx, hy = cx + (-6) * math.cos(a), cy + (-6) * math.sin(a)
    tag.circle((hx, hy), 1.9, INK)
    for off in (-2.2, 2.2):
        p0 = (cx + 0 * math.cos(a) - off * math.sin(a), cy + 0 * math.sin(a) + off * math.cos(a))
        p1 = (cx + 7.5 * math.cos(a) - off * math.sin(a), cy + 7.5 * math.sin(a) + off * math.cos(a))
        tag.line([p0, p1], CREAM, 1.6)
    return compose(n, [handle, bag, tag])


def person(p, cx, head_y, head_r, body_w, body_top, bottom, colour):
    p.circle((cx, head_y), head_r, colour)
    r = body_w / 2.0
    p.rrect((cx - r, body_top, cx + r, bottom + r), r * 0.95, colour)
    p.clear((cx - r - 1, bottom, cx + r + 1, 48))


def icon_people():
    n = 48
    left = Layer(n)
    person(left, 11, 16.5, 5.2, 17, 24.5, 40, (TEAL_L, TEAL, 11, 40))
    right = Layer(n)
    person(right, 37, 16.5, 5.2, 17, 24.5, 40, (TEAL_L, TEAL, 11, 40))
    mid = Layer(n)
    person(mid, 24, 13.5, 7, 23, 24, 43, (AMBER_L, AMBER_D, 6, 43))
    return compose(n, [left, right, mid])


def page(p, x0, y0, x1, y1, fold):
    p.poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], (CREAM, PAPER_D, y0, y1))
    p.poly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], PAPER_D)
    p.line([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], INK, 1.2)


def icon_article():
    n = 48
    pg = Layer(n)
    page(pg, 6.5, 3, 39, 45, 9)
    pg.line([(11.5, 11), (24, 11)], AMBER_D, 3.2)
    for y, x1 in ((18, 34), (23.5, 34), (29, 22), (34.5, 20), (40, 18)):
        pg.line([(11.5, y), (x1, y)], SLATE_L, 2)
    badge = Layer(n)
    badge.rrect((25, 26, 46, 47), 4.5, (TEAL_L, TEAL, 26, 47))
    ox, oy = 30, 42
    badge.circle((ox + 0.5, oy - 0.5), 2.3, AMBER_L)
    badge.arc((ox - 7.5, oy - 7.5, ox + 7.5, oy + 7.5), 270, 360, AMBER_L, 2.6)
    badge.arc((ox - 13, oy - 13, ox + 13, oy + 13), 270, 360, AMBER_L, 2.6)
    badge.clip(_rr(n, (25, 26, 46, 47), 4.5))
    return compose(n, [pg, badge])


def _rr(n, b, r):
    p = Layer(n)
    p.rrect(b, r, INK)
    return p


def floppy(p, x0, y0, x1, y1):
    w, h = x1 - x0, y1 - y0
    c = w * 0.16
    p.poly([(x0, y0), (x1 - c, y0), (x1, y0 + c), (x1, y1), (x0, y1)], (TEAL_L, TEAL, y0, y1))
    # shutter with its window
    p.rrect((x0 + w * 0.22, y0 - 0.01, x1 - w * 0.24, y0 + h * 0.36), 0.8, (STEEL_L, STEEL, y0, y0 + h * 0.36))
    p.rrect((x0 + w * 0.55, y0 + h * 0.07, x0 + w * 0.67, y0 + h * 0.29), 0.6, SLATE)
    # label
    p.rrect((x0 + w * 0.14, y0 + h * 0.5, x1 - w * 0.14, y1 + 0.5), 1, CREAM)
    p.clear((x0, y1, x1, y1 + 2))
    for t in (0.64, 0.8):
        p.line([(x0 + w * 0.24, y0 + h * t), (x1 - w * 0.24, y0 + h * t)], TEAL, 1.4)


def icon_report_floppy():
    n = 48
    pg = Layer(n)
    page(pg, 3.5, 2.5, 33, 41, 8)
    pg.line([(8, 10), (19, 10)], AMBER_D, 3)
    for y, x1 in ((16, 28), (21.5, 28), (27, 20), (32.5, 17)):
        pg.line([(8, y), (x1, y)], SLATE_L, 2)
    fl = Layer(n)
    floppy(fl, 21.5, 22, 46, 46.5)
    return compose(n, [pg, fl])


def icon_hdd_check():
    n = 48
    hdd = Layer(n)
    hdd.rrect((4.5, 3, 37.5, 44), 4, (SLATE_L, SLATE, 3, 44))
    for sx, sy in ((8, 6.5), (34, 6.5), (8, 40.5), (34, 40.5)):
        hdd.circle((sx, sy), 1.3, INK)
    hdd.circle((21, 20), 13, (STEEL_L, STEEL, 7, 33))
    hdd.circle((21, 20), 9.2, (STEEL, STEEL_L, 11, 29))
    hdd.circle((21, 20), 3.2, SLATE)
    hdd.circle((21, 20), 1.4, STEEL_L)
    # read arm swinging in over the platter
    hdd.line([(31, 38), (24.5, 26)], INK, 4.2)
    hdd.line([(31, 38), (24.5, 26)], AMBER, 2.2)
    hdd.circle((31, 38), 3.6, INK)
    hdd.circle((31, 38), 2.2, AMBER_L)
    badge = Layer(n)
    badge.circle((37, 37), 10, (mix(GREEN, (255, 255, 255), 0.15), mix(GREEN, INK, 0.2), 27, 47))
    check_mark(badge, [(32, 37.2), (35.6, 40.8), (42, 33.5)], CREAM, 3.2)
    return compose(n, [hdd, badge])


def icon_ram():
    n = 48
    pcb = Layer(n)
    pcb.rrect((2, 9, 46, 38.5), 1.8, (TEAL_L, TEAL, 9, 39))
    # side notches and the key notch between the contacts
    pcb.img.putalpha(_cut_circles(pcb, [(2, 27, 2.3), (46, 27, 2.3)]))
    pcb.clear((27.8, 32.5, 30.6, 39))
    for i in range(4):
        x = 4.6 + i * 10.2
        pcb.rrect((x, 12.5, x + 8.2, 26), 1, INK)
        pcb.rrect((x + 1.1, 13.6, x + 7.1, 15.4), 0.5, SLATE_L)
    # gold contacts along the bottom edge
    x = 4.2
    while x < 44:
        if not (26.8 < x < 30.8):
            pcb.rrect((x, 31.5, x + 1.5, 38.5), 0.35, AMBER_L)
        x += 2.55
    pcb.line([(4.5, 29), (25.5, 29)], TEAL_D, 1)
    return compose(n, [pcb])


def _cut_circles(p, circles):
    a = p.img.getchannel("A")
    d = ImageDraw.Draw(a)
    for x, y, r in circles:
        d.ellipse([(x - r) * p.k, (y - r) * p.k, (x + r) * p.k, (y + r) * p.k], fill=0)
    return a


# --------------------------------------------------------------------------
# 96 px driver icons

def fan(p, cx, cy, r, blades=7):
    p.circle((cx, cy), r, INK)
    p.circle((cx, cy), r - 1.8, (SLATE, mix(SLATE, INK, 0.5), cy - r, cy + r))
    for i in range(blades):
        a0 = 2 * math.pi * i / blades
        pts = []
        for t in [j / 10.0 for j in range(11)]:
            rr = lerp(r * 0.3, r - 3, t)
            ang = a0 + 0.9 * t
            pts.append((cx + rr * math.cos(ang), cy + rr * math.sin(ang)))
        for t in [j / 10.0 for j in range(10, -1, -1)]:
            rr = lerp(r * 0.3, r - 3, t)
            ang = a0 + 0.9 * t + 0.42 + 0.12 * t
            pts.append((cx + rr * math.cos(ang), cy + rr * math.sin(ang)))
        p.poly(pts, (SLATE_L, SLATE, cy - r, cy + r))
    p.circle((cx, cy), r * 0.34, INK)
    p.circle((cx, cy), r * 0.34 - 1.4, (AMBER_L, AMBER_D, cy - 5, cy + 5))


def icon_gpu(accent):
    n = 96
    bracket = Layer(n)
    bracket.rrect((3, 18, 12, 80), 1.5, (STEEL_L, STEEL, 18, 80))
    for y in (26, 36, 46):
        bracket.rrect((5.8, y, 9.2, y + 7), 1.5, SLATE)
    bracket.poly([(3, 80), (12, 80), (9, 88), (6, 88)], STEEL)
    board = Layer(n)
    board.rrect((10, 62, 90, 72), 1.5, (TEAL, TEAL_D, 62, 72))
    # edge connector with its key
    x = 24
    while x < 78:
        if not (41 < x < 45):
            board.rrect((x, 71, x + 2, 79), 0.5, (AMBER_L, AMBER, 71, 79))
        x += 3.2
    board.rrect((22.5, 71.5, 79.5, 73), 0.4, TEAL_D)
    shroud = Layer(n)
    shroud.rrect((10, 20, 92, 66), 5, (SLATE_L, mix(SLATE, INK, 0.4), 20, 66))
    # accent stripe along the top edge, cut at a slant at its end
    shroud.poly([(14, 24), (64, 24), (59, 29.5), (14, 29.5)], accent)
    shroud.poly([(68, 24), (88, 24), (88, 29.5), (63, 29.5)], mix(accent, INK, 0.35))
    fan(shroud, 33, 46, 15)
    fan(shroud, 70, 46, 15)
    return compose(n, [board, bracket, shroud], contour=2)


def gear(p, cx, cy, r_out, r_in, teeth, colour, hole_colour, hole_r):
    pts = []
    steps = teeth * 4
    for i in range(steps):
        a = 2 * math.pi * i / steps - math.pi / 2
        rr = r_out if (i % 4) in (0, 1) else r_in
        # chamfer the tooth tips a little
        da = (math.pi / steps) * (0.25 if (i % 4) == 0 else -0.25 if (i % 4) == 1 else 0)
        pts.append((cx + rr * math.cos(a + da), cy + rr * math.sin(a + da)))
    p.poly(pts, colour)
    p.circle((cx, cy), r_in - 0.2, colour)
    p.circle((cx, cy), hole_r, hole_colour)


def icon_graphics_api():
    n = 96
    cube = Layer(n)
    cx, top, s = 42, 10, 30
    h = s * 0.58
    a, b = (cx, top), (cx + s, top + h)
    c, d = (cx, top + 2 * h), (cx - s, top + h)
    drop = s * 1.15
    cube.poly([a, b, c, d], (mix(TEAL_L, CREAM, 0.25), TEAL_L, top, top + 2 * h))
    cube.poly([d, c, (c[0], c[1] + drop), (d[0], d[1] + drop)], (TEAL, mix(TEAL, TEAL_D, 0.5), d[1], c[1] + drop))
    cube.poly([c, b, (b[0], b[1] + drop), (c[0], c[1] + drop)], (TEAL_D, mix(TEAL_D, INK, 0.45), b[1], c[1] + drop))
    # inner edges lit in amber, like the rim light of the dusk artwork
    cube.line([d, c, b], AMBER_L, 1.8)
    cube.line([c, (c[0], c[1] + drop)], AMBER, 1.8)
    g = Layer(n)
    gear(g, 72, 72, 19, 14.5, 9, (AMBER_L, AMBER_D, 53, 91), INK, 6)
    g.circle((72, 72), 4, SLATE_L)
    return compose(n, [cube, g], contour=2)


# --------------------------------------------------------------------------
# Wide pictures

def dusk_sky(w, h, horizon, rng, glow_x=None):
    sky = vgradient(w, h, [
        (0, hexc("#071014")),
        (int(horizon * 0.35), hexc("#0f2226")),
        (int(horizon * 0.62), hexc("#1d3b3c")),
        (int(horizon * 0.84), hexc("#6a5d44")),
        (horizon, hexc("#e29a45")),
        (h, hexc("#e29a45")),
    ])
    # thin streaky clouds catching the low sun
    clouds = value_noise(w, h, max(8, h // 6), rng, octaves=3)
    clouds = clouds.resize((w, h)).filter(ImageFilter.GaussianBlur(1))
    streak = clouds.resize((max(1, w // 6), h)).resize((w, h), Image.BICUBIC)
    band = vgradient(w, h, [(0, (0, 0, 0)), (int(horizon * 0.3), (40, 40, 40)), (horizon, (110, 110, 110))]).convert("L")
    cmask = ImageChops.multiply(streak.point(lambda v: max(0, v - 128) * 2), band)
    ccol = vgradient(w, h, [(0, hexc("#2c4a4a")), (int(horizon * 0.7), hexc("#5a5a48")), (horizon, hexc("#f0b468"))])
    sky.paste(ccol, (0, 0), cmask)
    if glow_x is not None:
        g = Image.new("L", (w, h), 0)
        r = h * 0.9
        ImageDraw.Draw(g).ellipse([glow_x - r, horizon - r * 0.6, glow_x + r, horizon + r * 0.6], fill=255)
        g = g.filter(ImageFilter.GaussianBlur(h * 0.25)).point(lambda v: v * 90 // 255)
        sky.paste(Image.new("RGB", (w, h), hexc("#f3a450")), (0, 0), g)
    return sky


def hills(img, rng, layers):
    """layers: (base_y, amplitude, cell, colour) from far to near."""
    w, h = img.size
    for base, amp, cell, col in layers:
        hts = ridge(w, base, amp, cell, rng)
        m = Image.new("L", (w, h), 0)
        d = ImageDraw.Draw(m)
        d.polygon([(0, h)] + [(x, hts[x]) for x in range(w)] + [(w - 1, h)], fill=255)
        img.paste(Image.new("RGB", (w, h), col), (0, 0), m)


def glow_under(img, mask, colour, radius, strength):
    g = mask.filter(ImageFilter.GaussianBlur(radius)).point(lambda v: min(255, v * strength // 255))
    img.paste(Image.new("RGB", img.size, colour), (0, 0), g)


def text_mask(size, xy, text, fnt, anchor="lm", spacing=0):
    m = Image.new("L", size, 0)
    d = ImageDraw.Draw(m)
    if spacing == 0:
        d.text(xy, text, font=fnt, fill=255, anchor=anchor)
        return m
    total = sum(fnt.getlength(ch) for ch in text) + spacing * (len(text) - 1)
    x, y = xy
    if anchor[0] == "m":
        x -= total / 2.0
    for ch in text:
        d.text((x, y), ch, font=fnt, fill=255, anchor="l" + anchor[1])
        x += fnt.getlength(ch) + spacing
    return m


def amber_text(img, xy, text, fnt, anchor="lm", spacing=0, shadow=True, glow=True):
    w, h = img.size
    m = text_mask(img.size, xy, text, fnt, anchor, spacing)
    bbox = m.getbbox() or (0, 0, w, h)
    if glow:
        glow_under(img, m, hexc("#d2762a"), max(2, fnt.size // 6), 110)
    if shadow:
        o = max(1, fnt.size // 16)
        sh = Image.new("L", img.size, 0)
        sh.paste(m.crop((0, 0, w - o, h - o)), (o, o))
        sh = dilate(sh, max(1, fnt.size // 22))
        img.paste(Image.new("RGB", img.size, hexc("#0b0a09")), (0, 0), sh)
    col = vgradient(w, h, [(bbox[1], hexc("#fbe2aa")), (int(lerp(bbox[1], bbox[3], 0.5)), hexc("#efb45e")),
                           (bbox[3], hexc("#c4742a"))])
    img.paste(col, (0, 0), m)
    return bbox


def bubble_pair(k, cx, cy, size):
    """Two overlapping speech bubbles as RGBA layers at scale k (picture pixels)."""
    n = int(math.ceil(size))
    back = Layer(n, k)
    back.rrect((n * 0.36, n * 0.06, n * 0.98, n * 0.52), n * 0.15, (TEAL_L, TEAL, n * 0.06, n * 0.52))
    back.poly([(n * 0.74, n * 0.46), (n * 0.9, n * 0.46), (n * 0.93, n * 0.64)], TEAL)
    for i in range(3):
        back.circle((n * (0.56 + i * 0.11), n * 0.29), n * 0.035, CREAM)
    front = Layer(n, k)
    front.rrect((n * 0.02, n * 0.3, n * 0.7, n * 0.82), n * 0.17, (AMBER_L, AMBER_D, n * 0.3, n * 0.82))
    front.poly([(n * 0.12, n * 0.74), (n * 0.32, n * 0.74), (n * 0.08, n * 0.97)], AMBER_D)
    for i in range(3):
        front.circle((n * (0.2 + i * 0.16), n * 0.56), n * 0.05, INK)
    out = Image.new("RGBA", back.img.size, (0, 0, 0, 0))
    for p in (back, front):
        ring = dilate(p.img.getchannel("A"), n * k * 0.025)
        out.paste(Image.new("RGBA", out.size, rgba(hexc("#0b0a09"))), (0, 0), ring)
        out.alpha_composite(p.img)
    return out, (int(cx * k - out.size[0] / 2), int(cy * k - out.size[1] / 2))


def finish(img, w, h):
    return img.resize((w * DENSITY, h * DENSITY), Image.LANCZOS)


def make_community_banner():
    w, h, k = 260, 103, SP
    W, H = w * k, h * k
    rng = random.Random(7601)
    img = dusk_sky(W, H, int(86 * k), rng, glow_x=200 * k)
    hills(img, rng, [(80 * k, 7 * k, 40 * k, hexc("#6f5a44")),
                     (88 * k, 6 * k, 30 * k, hexc("#3a302a")),
                     (97 * k, 4 * k, 22 * k, hexc("#16130f"))])
    ov, pos = bubble_pair(k, 52, 50, 80)
    sh = Image.new("L", img.size, 0)
    sh.paste(ov.getchannel("A"), pos)
    glow_under(img, sh, hexc("#e08a30"), 8 * k, 90)
    img.paste(ov, pos, ov)
    fnt = font("DejaVuSansCondensed-Bold.ttf", 23 * k)
    amber_text(img, (176 * k, 46 * k), "Сообщество", fnt, anchor="mm", spacing=0.5 * k)
    d = ImageDraw.Draw(img)
    for sign in (-1, 1):
        x0, x1 = 176 * k + sign * 22 * k, 176 * k + sign * 62 * k
        d.line([(x0, 63 * k), (x1, 63 * k)], fill=hexc("#b9742c"), width=k)
        d.polygon([(x0 - sign * 3 * k, 63 * k), (x0, 61 * k), (x0 + sign * 3 * k, 63 * k), (x0, 65 * k)],
                  fill=hexc("#e0a050"))
    return finish(img, w, h)


def headset(p, cx, cy, r):
    """Headset with a boom microphone, in picture units of the layer."""
    p.arc((cx - r, cy - r, cx + r, cy + r), 180, 360, AMBER, r * 0.2)
    for sx in (-1, 1):
        x = cx + sx * r
        p.rrect((x - r * 0.3, cy - r * 0.1, x + r * 0.3, cy + r * 0.75), r * 0.18, (AMBER_L, AMBER_D, cy, cy + r * 0.75))
    p.arc((cx - r * 0.9, cy - r * 0.4, cx + r * 0.9, cy + r * 1.05), 20, 90, AMBER, r * 0.14)
    p.ellipse((cx - r * 0.12, cy + r * 0.87, cx + r * 0.28, cy + r * 1.14), AMBER_L)


def make_support_banner():
    w, h, k = 260, 39, SP
    W, H = w * k, h * k
    img = vgradient(W, H, [(0, hexc("#2a2f31")), (H, hexc("#15181a"))])
    rng = random.Random(7602)
    grain = value_noise(W, H, 3 * k, rng).point(lambda v: abs(v - 128) // 10)
    img.paste(Image.new("RGB", (W, H), hexc("#3a4145")), (0, 0), grain)
    d = ImageDraw.Draw(img)
    d.line([(0, 1 * k), (W, 1 * k)], fill=hexc("#8a5a28"), width=k)
    d.line([(0, H - 2 * k), (W, H - 2 * k)], fill=hexc("#5a3c1e"), width=k)
    # headset in a thin ring at the left
    ring = Layer(39, k)
    ring.arc((4, 4.5, 34, 34.5), 0, 360, AMBER_D, 1.2)
    headset(ring, 19, 19.5, 9)
    img.paste(ring.img, (10 * k, 0), ring.img)
    fnt = font("DejaVuSansCondensed-Bold.ttf", 19 * k)
    bbox = amber_text(img, (58 * k, 20 * k), "Поддержка", fnt, anchor="lm", spacing=1.2 * k, glow=False)
    x = bbox[2] + 10 * k
    d.line([(x, 20 * k), (W - 14 * k, 20 * k)], fill=hexc("#8a5a28"), width=k)
    d.polygon([(W - 14 * k, 17.5 * k), (W - 11.5 * k, 20 * k), (W - 14 * k, 22.5 * k), (W - 16.5 * k, 20 * k)],
              fill=hexc("#e0a050"))
    return finish(img, w, h)


def wobble_path(rng, pts, jitter, steps=6):
    """A hand-drawn looking polyline through pts."""
    out = []
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        for i in range(steps):
            t = i / float(steps)
            out.append((lerp(x0, x1, t) + rng.uniform(-jitter, jitter), lerp(y0, y1, t) + rng.uniform(-jitter, jitter)))
    out.append(pts[-1])
    # smooth it a little
    sm = [out[0]]
    for a, b, c in zip(out, out[1:], out[2:]):
        sm.append(((a[0] + 2 * b[0] + c[0]) / 4.0, (a[1] + 2 * b[1] + c[1]) / 4.0))
    sm.append(out[-1])
    return sm


def dashed(d, pts, colour, width, dash, gap):
    carry = 0.0
    on = True
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        seg = math.hypot(x1 - x0, y1 - y0)
        pos = 0.0
        while pos < seg:
            left = (dash if on else gap) - carry
            step = min(left, seg - pos)
            if on:
                t0, t1 = pos / seg, (pos + step) / seg
                d.line([(lerp(x0, x1, t0), lerp(y0, y1, t0)), (lerp(x0, x1, t1), lerp(y0, y1, t1))],
                       fill=colour, width=width)
            pos += step
            carry += step
            if carry >= (dash if on else gap) - 1e-6:
                carry = 0.0
                on = not on


def make_world_map():
    w = h = 260
    k = SP
    W, H = w * k, h * k
    rng = random.Random(7603)
    parchment = vgradient(W, H, [(0, hexc("#e6cf9f")), (H, hexc("#d9ba82"))])
    n1 = value_noise(W, H, 40 * k, rng, octaves=4)
    stain = n1.point(lambda v: max(0, v - 120) * 2 // 3)
    parchment.paste(Image.new("RGB", (W, H), hexc("#b98d52")), (0, 0), stain)
    fib = value_noise(W, H, 2 * k, rng).point(lambda v: abs(v - 128) // 6)
    parchment.paste(Image.new("RGB", (W, H), hexc("#8a6a3c")), (0, 0), fib)
    img = parchment
    d = ImageDraw.Draw(img)
    ink = hexc("#5a4128")
    ink_l = hexc("#8a6a44")
    water = hexc("#4f7f80")
    water_l = hexc("#86a69a")

    # faint survey grid
    for i in range(1, 6):
        v = i * W // 6
        dashed(d, [(v, 12 * k), (v, H - 12 * k)], hexc("#c8a66e"), max(1, k // 2), 4 * k, 3 * k)
        dashed(d, [(12 * k, v), (W - 12 * k, v)], hexc("#c8a66e"), max(1, k // 2), 4 * k, 3 * k)

    # a lake in the west and the river leaving it to the south-east
    lake = []
    lcx, lcy = 62 * k, 78 * k
    for i in range(28):
        a = 2 * math.pi * i / 28
        rr = (20 + 6 * math.sin(3 * a + 1) + rng.uniform(-2, 2)) * k
        lake.append((lcx + rr * 1.25 * math.cos(a), lcy + rr * 0.8 * math.sin(a)))
    d.polygon(lake, fill=water_l, outline=water)
    d.line(lake + [lake[0]], fill=water, width=k)
    for j in range(3):
        yy = lcy - 6 * k + j * 6 * k
        d.arc([lcx - 12 * k + j * 5 * k, yy - 2 * k, lcx - 4 * k + j * 5 * k, yy + 2 * k], 200, 340, fill=water, width=k)
    river = wobble_path(rng, [(86 * k, 90 * k), (110 * k, 120 * k), (104 * k, 160 * k), (138 * k, 186 * k),
                              (160 * k, 220 * k), (152 * k, 262 * k)], 5 * k, 5)
    d.line(river, fill=water, width=int(3.2 * k), joint="curve")
    trib = wobble_path(rng, [(232 * k, 118 * k), (200 * k, 140 * k), (170 * k, 150 * k), (138 * k, 186 * k)], 4 * k, 5)
    d.line(trib, fill=water, width=int(2 * k), joint="curve")
    creek = wobble_path(rng, [(20 * k, 10 * k), (34 * k, 40 * k), (44 * k, 62 * k)], 3 * k, 5)
    d.line(creek, fill=water, width=int(1.6 * k), joint="curve")

    # mountains in the north-east, forest in the south-west
    peaks = []
    for _ in range(40):
        x = rng.uniform(130, 245) * k
        y = rng.uniform(22, 96) * k
        if (x - 200 * k) ** 2 / 1.7 + (y - 52 * k) ** 2 > (48 * k) ** 2:
            continue
        if any(abs(x - px) < 14 * k and abs(y - py) < 9 * k for px, py, _ in peaks):
            continue
        peaks.append((x, y, rng.uniform(9, 14) * k))
    for x, y, s in sorted(peaks, key=lambda p: p[1]):
        top = (x, y - s)
        d.polygon([top, (x - s * 0.9, y), (x + s * 0.9, y)], fill=hexc("#e2c38c"))
        d.polygon([top, (x + s * 0.15, y), (x + s * 0.9, y)], fill=hexc("#b48a54"))
        d.line([(x - s * 0.9, y), top, (x + s * 0.9, y)], fill=ink, width=k, joint="curve")
        d.line([top, (x + s * 0.1, y - s * 0.45)], fill=ink, width=max(1, k // 2))
    trees = []
    for _ in range(90):
        x = rng.uniform(14, 100) * k
        y = rng.uniform(150, 240) * k
        if (x - 56 * k) ** 2 + ((y - 198 * k) * 1.2) ** 2 > (46 * k) ** 2:
            continue
        if any(math.hypot(x - tx, y - ty) < 8 * k for tx, ty in trees):
            continue
        trees.append((x, y))
    for x, y in sorted(trees, key=lambda p: p[1]):
        d.line([(x, y), (x, y + 4 * k)], fill=ink, width=k)
        d.ellipse([x - 3.6 * k, y - 5 * k, x + 3.6 * k, y + 2 * k], fill=hexc("#8f9a6a"), outline=ink, width=k)

    # a crater field in the middle of the waste
    ccx, ccy = 176 * k, 160 * k
    for r, col in ((22, hexc("#c9a46a")), (15, hexc("#bf9860")), (8, hexc("#b08552"))):
        d.ellipse([ccx - r * k, ccy - r * 0.7 * k, ccx + r * k, ccy + r * 0.7 * k], fill=col)
    d.ellipse([ccx - 22 * k, ccy - 15.4 * k, ccx + 22 * k, ccy + 15.4 * k], outline=ink, width=k)
    for i in range(24):
        a = 2 * math.pi * i / 24
        r0, r1 = 22 * k, (26 + rng.uniform(0, 4)) * k
        d.line([(ccx + r0 * math.cos(a), ccy + r0 * 0.7 * math.sin(a)),
                (ccx + r1 * math.cos(a), ccy + r1 * 0.7 * math.sin(a))], fill=ink_l, width=max(1, k // 2))

    # roads between the settlements
    sites = {"camp": (44 * k, 124 * k), "bridge": (108 * k, 138 * k), "tower": (150 * k, 108 * k),
             "depot": (214 * k, 198 * k), "farm": (120 * k, 224 * k), "pass": (236 * k, 96 * k)}
    roads = [("camp", "bridge", 4), ("bridge", "tower", 4), ("tower", "pass", 5), ("bridge", "farm", 5),
             ("farm", "depot", 5), ("depot", "pass", 5), ("camp", (10 * k, 150 * k), 3)]
    for a, b, j in roads:
        pa = sites[a]
        pb = sites[b] if isinstance(b, str) else b
        mid = ((pa[0] + pb[0]) / 2 + rng.uniform(-10, 10) * k, (pa[1] + pb[1]) / 2 + rng.uniform(-10, 10) * k)
        pts = wobble_path(rng, [pa, mid, pb], j * k * 0.5, 6)
        dashed(d, pts, hexc("#6a4a2a"), int(1.6 * k), 5 * k, 3 * k)

    # markers: pins, the radio tower, a camp tent, a depot box
    def pin(x, y, col):
        d.ellipse([x - 5 * k, y - 15 * k, x + 5 * k, y - 5 * k], fill=col, outline=hexc("#3a2a18"), width=k)
        d.polygon([(x - 4 * k, y - 8 * k), (x + 4 * k, y - 8 * k), (x, y)], fill=col)
        d.line([(x - 4.3 * k, y - 8.5 * k), (x, y), (x + 4.3 * k, y - 8.5 * k)], fill=hexc("#3a2a18"), width=k)
        d.ellipse([x - 2 * k, y - 12 * k, x + 2 * k, y - 8 * k], fill=hexc("#f6e6c0"))

    bx, by = sites["bridge"]
    d.rectangle([bx - 6 * k, by - 2 * k, bx + 6 * k, by + 2 * k], fill=hexc("#7a5a3a"), outline=ink, width=k)
    tx, ty = sites["tower"]
    d.line([(tx - 5 * k, ty), (tx, ty - 16 * k), (tx + 5 * k, ty)], fill=ink, width=int(1.4 * k))
    d.line([(tx - 3 * k, ty - 6 * k), (tx + 3 * k, ty - 6 * k)], fill=ink, width=k)
    d.line([(tx - 2 * k, ty - 11 * k), (tx + 2 * k, ty - 11 * k)], fill=ink, width=k)
    d.ellipse([tx - 2 * k, ty - 19 * k, tx + 2 * k, ty - 15 * k], fill=hexc("#c8402e"))
    cxp, cyp = sites["camp"]
    d.polygon([(cxp - 7 * k, cyp + 3 * k), (cxp, cyp - 8 * k), (cxp + 7 * k, cyp + 3 * k)], fill=hexc("#c98a3a"),
              outline=ink)
    d.line([(cxp - 7 * k, cyp + 3 * k), (cxp, cyp - 8 * k), (cxp + 7 * k, cyp + 3 * k), (cxp - 7 * k, cyp + 3 * k)],
           fill=ink, width=k, joint="curve")
    d.polygon([(cxp - 2 * k, cyp + 3 * k), (cxp, cyp - 2 * k), (cxp + 2 * k, cyp + 3 * k)], fill=ink)
    dx, dy = sites["depot"]
    d.rectangle([dx - 6 * k, dy - 5 * k, dx + 6 * k, dy + 5 * k], fill=hexc("#9a7a4a"), outline=ink, width=k)
    d.line([(dx - 6 * k, dy - 5 * k), (dx + 6 * k, dy + 5 * k)], fill=ink, width=k)
    d.line([(dx - 6 * k, dy + 5 * k), (dx + 6 * k, dy - 5 * k)], fill=ink, width=k)
    fx, fy = sites["farm"]
    d.rectangle([fx - 5 * k, fy - 3 * k, fx + 5 * k, fy + 5 * k], fill=hexc("#b7623a"), outline=ink, width=k)
    d.polygon([(fx - 7 * k, fy - 3 * k), (fx, fy - 9 * k), (fx + 7 * k, fy - 3 * k)], fill=hexc("#7a3a22"), outline=ink)
    pin(*sites["pass"], hexc("#d08a2a"))
    pin(ccx, ccy + 2 * k, hexc("#c8402e"))
    pin(62 * k, 70 * k, hexc("#3f7f7a"))

    # compass rose in the south-east corner
    rx, ry, R = 218 * k, 236 * k, 15 * k
    d.ellipse([rx - R * 0.8, ry - R * 0.8, rx + R * 0.8, ry + R * 0.8], outline=ink, width=k)
    for i in range(8):
        a = math.pi / 4 * i - math.pi / 2
        ln = R if i % 2 == 0 else R * 0.6
        wd = R * 0.2
        tip = (rx + ln * math.cos(a), ry + ln * math.sin(a))
        l = (rx + wd * math.cos(a - math.pi / 2), ry + wd * math.sin(a - math.pi / 2))
        r = (rx + wd * math.cos(a + math.pi / 2), ry + wd * math.sin(a + math.pi / 2))
        d.polygon([tip, l, (rx, ry)], fill=hexc("#d9963a") if i == 0 else hexc("#f0d9a8"))
        d.polygon([tip, r, (rx, ry)], fill=hexc("#8a4a1a") if i == 0 else hexc("#7a5a38"))
        d.line([l, tip, r], fill=ink, width=max(1, k // 2))
    d.ellipse([rx - 1.5 * k, ry - 1.5 * k, rx + 1.5 * k, ry + 1.5 * k], fill=ink)
    d.text((rx, ry - R - 1 * k), "С", font=font("DejaVuSerif-Bold.ttf", 10 * k), fill=ink, anchor="mb")

    # burnt edges and a double frame
    edge = Image.new("L", (W, H), 0)
    ImageDraw.Draw(edge).rectangle([8 * k, 8 * k, W - 8 * k, H - 8 * k], fill=255)
    edge = edge.filter(ImageFilter.GaussianBlur(14 * k))
    burn = ImageChops.invert(edge)
    rough = value_noise(W, H, 10 * k, rng, octaves=2)
    burn = ImageChops.multiply(burn, rough.point(lambda v: min(255, 120 + v)))
    img.paste(Image.new("RGB", (W, H), hexc("#6a4420")), (0, 0), burn)
    d = ImageDraw.Draw(img)
    d.rectangle([5 * k, 5 * k, W - 5 * k - 1, H - 5 * k - 1], outline=hexc("#4a3018"), width=int(1.5 * k))
    d.rectangle([9 * k, 9 * k, W - 9 * k - 1, H - 9 * k - 1], outline=hexc("#7a5430"), width=max(1, k // 2))
    return finish(img, w, h)


def camera(p, cx, cy, s):
    """Amber camera, s is its body width, in picture units of the layer."""
    bw, bh = s, s * 0.64
    x0, y0 = cx - bw / 2, cy - bh / 2 + s * 0.06
    p.rrect((x0 + bw * 0.3, y0 - bh * 0.2, x0 + bw * 0.66, y0 + bh * 0.2), bh * 0.08,
            (AMBER_L, AMBER, y0 - bh * 0.2, y0))
    p.rrect((x0 + bw * 0.08, y0 - bh * 0.1, x0 + bw * 0.22, y0 + bh * 0.1), bh * 0.04, AMBER_D)
    p.rrect((x0, y0, x0 + bw, y0 + bh), bh * 0.16, (AMBER_L, AMBER_D, y0, y0 + bh))
    p.rrect((x0, y0 + bh * 0.3, x0 + bw, y0 + bh * 0.44), 0, mix(AMBER_D, INK, 0.25))
    lc = (cx + bw * 0.03, y0 + bh * 0.54)
    p.circle(lc, bh * 0.42, INK)
    p.circle(lc, bh * 0.34, (AMBER_L, AMBER_D, lc[1] - bh * 0.34, lc[1] + bh * 0.34))
    p.circle(lc, bh * 0.25, hexc("#142a2c"))
    p.circle(lc, bh * 0.16, hexc("#1f4a4a"))
    p.circle((lc[0] - bh * 0.08, lc[1] - bh * 0.08), bh * 0.05, CREAM)
    p.rrect((x0 + bw * 0.8, y0 + bh * 0.1, x0 + bw * 0.92, y0 + bh * 0.22), bh * 0.03, CREAM)


def make_photo_placeholder():
    w, h, k = 643, 360, SP
    W, H = w * k, h * k
    rng = random.Random(7604)
    img = Image.new("RGB", (W, H), hexc("#0b0f11"))
    halo = Image.new("L", (W, H), 0)
    ImageDraw.Draw(halo).ellipse([W * 0.12, -H * 0.15, W * 0.88, H * 1.05], fill=255)
    halo = halo.filter(ImageFilter.GaussianBlur(90 * k))
    img.paste(Image.new("RGB", (W, H), hexc("#1d3b3c")), (0, 0), halo)
    grain = value_noise(W, H, 2 * k, rng).point(lambda v: abs(v - 128) // 12)
    img.paste(Image.new("RGB", (W, H), hexc("#2a4a48")), (0, 0), grain)
    d = ImageDraw.Draw(img)
    # viewfinder corners framing the emblem
    for sx in (-1, 1):
        for sy in (-1, 1):
            x, y = W / 2 + sx * 112 * k, 150 * k + sy * 86 * k
            d.line([(x, y), (x - sx * 22 * k, y)], fill=hexc("#5a6e6a"), width=int(1.5 * k))
            d.line([(x, y), (x, y - sy * 22 * k)], fill=hexc("#5a6e6a"), width=int(1.5 * k))
    cam = Layer(200, k)
    camera(cam, 100, 100, 150)
    pos = (int(W / 2 - cam.img.size[0] / 2), int(150 * k - cam.img.size[1] / 2))
    sh = Image.new("L", (W, H), 0)
    sh.paste(cam.img.getchannel("A"), pos)
    glow_under(img, sh, hexc("#e08a30"), 16 * k, 70)
    ring = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    ring.paste(Image.new("RGBA", (W, H), rgba(hexc("#0b0a09"))), (0, 0), dilate(sh, 1.5 * k))
    img.paste(ring, (0, 0), ring)
    img.paste(cam.img, pos, cam.img)
    fnt = font("DejaVuSans.ttf", 15 * k)
    d = ImageDraw.Draw(img)
    d.text((W / 2, 272 * k), "Выберите фотографию или скриншот", font=fnt, fill=hexc("#8d9b99"), anchor="mm")
    return finish(img, w, h)


def make_discord_banner():
    w, h, k = 643, 130, SP
    W, H = w * k, h * k
    rng = random.Random(7605)
    img = dusk_sky(W, H, int(112 * k), rng, glow_x=520 * k)
    hills(img, rng, [(104 * k, 8 * k, 70 * k, hexc("#6f5a44")),
                     (114 * k, 7 * k, 50 * k, hexc("#3a302a")),
                     (126 * k, 4 * k, 30 * k, hexc("#16130f"))])
    # emblem: the bubbles inside a thin amber ring
    cx, cy, r = 66, 60, 44
    d = ImageDraw.Draw(img)
    disc = Image.new("L", (W, H), 0)
    ImageDraw.Draw(disc).ellipse([(cx - r) * k, (cy - r) * k, (cx + r) * k, (cy + r) * k], fill=255)
    img.paste(Image.new("RGB", (W, H), hexc("#0c1416")), (0, 0), disc.point(lambda v: v * 170 // 255))
    glow_under(img, disc, hexc("#e08a30"), 6 * k, 60)
    d.ellipse([(cx - r) * k, (cy - r) * k, (cx + r) * k, (cy + r) * k], outline=hexc("#e0a050"), width=int(1.5 * k))
    d.ellipse([(cx - r + 4) * k, (cy - r + 4) * k, (cx + r - 4) * k, (cy + r - 4) * k], outline=hexc("#8a5a28"),
              width=k)
    ov, pos = bubble_pair(k, cx, cy + 1, 62)
    img.paste(ov, pos, ov)
    text = "Запустить клиент сообщества"
    tx = 134 * k
    # the largest size that leaves a margin on the right
    size = 34
    while font("DejaVuSansCondensed-Bold.ttf", size * k).getlength(text) + 0.4 * k * len(text) > (w - 150) * k:
        size -= 1
    fnt = font("DejaVuSansCondensed-Bold.ttf", size * k)
    bbox = amber_text(img, (tx, 56 * k), text, fnt, anchor="lm", spacing=0.4 * k)
    # underline rule with a play mark at its end
    d = ImageDraw.Draw(img)
    y = 86 * k
    d.line([(tx, y), (bbox[2] - 16 * k, y)], fill=hexc("#b9742c"), width=k)
    ax = bbox[2] - 8 * k
    d.polygon([(ax - 5 * k, y - 6 * k), (ax + 5 * k, y), (ax - 5 * k, y + 6 * k)], fill=hexc("#f0b060"),
              outline=hexc("#0b0a09"))
    return finish(img, w, h)


# --------------------------------------------------------------------------

def main():
    global DENSITY
    for DENSITY in (1, 2):
        make_all("" if DENSITY == 1 else "@2x")
    return 0


def make_all(suffix):
    os.makedirs(ART_DIR, exist_ok=True)
    jobs = [
        ("link_steam_client.png", icon_download_tray),
        ("link_discord_client.png", icon_chat_download),
        ("link_kvrt.png", icon_shield),
        ("link_store.png", icon_bag_tag),
        ("link_vk.png", icon_people),
        ("link_zen.png", icon_article),
        ("info_save_report.png", icon_report_floppy),
        ("info_disk_check.png", icon_hdd_check),
        ("info_rammap.png", icon_ram),
        ("driver_gpu_green.png", lambda: icon_gpu(GREEN)),
        ("driver_gpu_red.png", lambda: icon_gpu(RED)),
        ("driver_graphics_api.png", icon_graphics_api),
        ("community_banner.png", make_community_banner),
        ("support_banner.png", make_support_banner),
        ("world_map.png", make_world_map),
        ("photo_placeholder.png", make_photo_placeholder),
        ("discord_banner.png", make_discord_banner),
    ]
    for name, make in jobs:
        img = make()
        name = name.replace(".png", suffix + ".png")
        path = os.path.join(ART_DIR, name)
        img.save(path, "PNG", optimize=True)
        print("%-26s %4d x %-4d %-5s %7d bytes" % (name, img.size[0], img.size[1], img.mode, os.path.getsize(path)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
