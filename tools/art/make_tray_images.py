#!/usr/bin/python3
"""Draws the nine 16 x 16 pictures of the tray and photo menus into one strip,
resources/art/tray_images.png (144 x 16, RGBA), in this order:
0 emblem, 1 green cross, 2 red cross, 3 green bar, 4 green arrow, 5 four colour bars,
6 blue round sign with green, 7 blue round sign with red, 8 green tick.
Run with Debian's Python and Pillow:  /usr/bin/python3 tools/art/make_tray_images.py
Drawn at 4x and scaled down, so the edges are smooth. A second strip at twice the size,
tray_images@2x.png (288 x 32), serves screens at more than 100 % scaling."""
from pathlib import Path
from PIL import Image, ImageDraw

S = 4  # supersampling
N = 16 * S
GREEN, DGREEN = (46, 170, 60, 255), (20, 100, 30, 255)
RED, DRED = (215, 45, 40, 255), (130, 20, 20, 255)
BLUE, DBLUE = (40, 110, 210, 255), (20, 55, 120, 255)
AMBER, DARK = (232, 160, 48, 255), (30, 30, 30, 255)


def canvas():
    img = Image.new("RGBA", (N, N), (0, 0, 0, 0))
    return img, ImageDraw.Draw(img)


def emblem():
    img, d = canvas()
    d.ellipse((2 * S, 2 * S, 14 * S, 14 * S), fill=AMBER, outline=DARK, width=S)
    # a raven head in profile
    d.polygon([(5 * S, 10 * S), (7 * S, 5 * S), (10 * S, 5 * S), (13 * S, 7 * S), (10 * S, 8 * S), (9 * S, 11 * S)], fill=DARK)
    d.ellipse((8.6 * S, 5.8 * S, 9.6 * S, 6.8 * S), fill=AMBER)
    return img


def cross(fill, edge):
    img, d = canvas()
    for a, b in (((3, 3), (13, 13)), ((13, 3), (3, 13))):
        d.line([(a[0] * S, a[1] * S), (b[0] * S, b[1] * S)], fill=edge, width=5 * S)
        d.line([(a[0] * S, a[1] * S), (b[0] * S, b[1] * S)], fill=fill, width=3 * S)
    return img


def bar():
    img, d = canvas()
    d.rounded_rectangle((2 * S, 6 * S, 14 * S, 10 * S), radius=S, fill=GREEN, outline=DGREEN, width=S)
    return img


def arrow():
    img, d = canvas()
    d.polygon([(2 * S, 6 * S), (8 * S, 6 * S), (8 * S, 2 * S), (14 * S, 8 * S), (8 * S, 14 * S), (8 * S, 10 * S), (2 * S, 10 * S)],
              fill=GREEN, outline=DGREEN)
    return img


def colour_bars():
    img, d = canvas()
    colours = [(220, 60, 50, 255), (240, 190, 40, 255), (60, 180, 70, 255), (50, 120, 220, 255)]
    heights = [9, 12, 7, 11]
    for i, (c, h) in enumerate(zip(colours, heights)):
        x = (2 + i * 3.3) * S
        d.rectangle((x, (15 - h) * S, x + 2.4 * S, 15 * S), fill=c, outline=DARK)
    return img


def round_sign(inner):
    img, d = canvas()
    d.ellipse((1 * S, 1 * S, 15 * S, 15 * S), fill=BLUE, outline=DBLUE, width=S)
    d.ellipse((4.5 * S, 4.5 * S, 11.5 * S, 11.5 * S), fill=inner, outline=(255, 255, 255, 255), width=S)
    return img


def tick():
    img, d = canvas()
    pts = [(2.5 * S, 8.5 * S), (6.5 * S, 12.5 * S), (13.5 * S, 3.5 * S)]
    d.line(pts, fill=DGREEN, width=4 * S, joint="curve")
    d.line(pts, fill=GREEN, width=2 * S, joint="curve")
    return img


def main():
    pictures = [emblem(), cross(GREEN, DGREEN), cross(RED, DRED), bar(), arrow(), colour_bars(),
                round_sign(GREEN), round_sign(RED), tick()]
    for density, name in ((1, "tray_images.png"), (2, "tray_images@2x.png")):
        n = 16 * density
        strip = Image.new("RGBA", (n * len(pictures), n), (0, 0, 0, 0))
        for i, p in enumerate(pictures):
            strip.paste(p.resize((n, n), Image.LANCZOS), (n * i, 0))
        out = Path(__file__).resolve().parents[2] / "resources" / "art" / name
        strip.save(out, optimize=True)
        print(out)


if __name__ == "__main__":
    main()
