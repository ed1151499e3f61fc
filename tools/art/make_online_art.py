#!/usr/bin/python3
# Regenerates the artwork of the online tabs:
#   resources/art/discord_banner.png   (Integration tab banner, 643 x 130)
#
# Run by hand from the repository root whenever the artwork should change:
#   /usr/bin/python3 tools/art/make_online_art.py
# Needs python3-pil and fonts-dejavu; deterministic, the build uses the committed file.

import os

from PIL import Image, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
FONT_DIR = "/usr/share/fonts/truetype/dejavu"
W, H, SS = 643, 130, 2


def font(name, size):
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size * SS)


def banner():
    w, h = W * SS, H * SS
    img = Image.new("RGB", (w, h))
    top, bottom = (38, 41, 92), (78, 84, 176)
    px = img.load()
    for y in range(h):
        for x in range(w):
            t = 0.6 * y / h + 0.4 * x / w
            px[x, y] = tuple(int(a + (b - a) * t) for a, b in zip(top, bottom))
    d = ImageDraw.Draw(img)
    # Soft rings in the background.
    glow = Image.new("L", (w, h), 0)
    g = ImageDraw.Draw(glow)
    for i, r in enumerate((300, 220, 150)):
        g.ellipse((w - 180 * SS - r * SS // 2, h // 2 - r * SS // 2, w - 180 * SS + r * SS // 2, h // 2 + r * SS // 2),
                  outline=40 + 20 * i, width=6 * SS)
    glow = glow.filter(ImageFilter.GaussianBlur(3 * SS))
    img.paste((150, 160, 255), (0, 0), glow)
    # A speech bubble with three dots: talking together.
    bx, by, bw, bh = 60 * SS, 28 * SS, 96 * SS, 62 * SS
    d.rounded_rectangle((bx, by, bx + bw, by + bh), radius=18 * SS, fill=(240, 242, 255))
    d.polygon([(bx + 22 * SS, by + bh - 2), (bx + 16 * SS, by + bh + 20 * SS), (bx + 44 * SS, by + bh - 2)],
              fill=(240, 242, 255))
    for i in range(3):
        cx = bx + bw // 2 + (i - 1) * 24 * SS
        cy = by + bh // 2
        d.ellipse((cx - 7 * SS, cy - 7 * SS, cx + 7 * SS, cy + 7 * SS), fill=(78, 84, 176))
    d.text((190 * SS, 30 * SS), "Discord", font=font("DejaVuSans-Bold.ttf", 38), fill=(255, 255, 255))
    d.text((192 * SS, 80 * SS), "Кто сейчас в сети на вашем сервере", font=font("DejaVuSans.ttf", 16),
           fill=(214, 218, 255))
    return img.resize((W, H), Image.LANCZOS)


def main():
    out = os.path.join(ROOT, "resources", "art", "discord_banner.png")
    banner().save(out, optimize=True)
    print("wrote", out)


if __name__ == "__main__":
    main()
