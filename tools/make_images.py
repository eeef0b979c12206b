#!/usr/bin/python3
"""Draws the programs' images and writes them into res/.

Usage: tools/make_images.py   (from the repository root; needs Debian's python3-pil)

  res/Velmora.ico, res/Tamsorn.ico  program icons: ten images, 16 to 128 pixels square as
                                    32-bit bitmaps with alpha, and 256 pixels square as PNG
  res/ImageList1.bmp                the list's ten 16 x 16 icons side by side, 32-bit
"""
import io
import struct
from pathlib import Path

from PIL import Image, ImageDraw

ROOT = Path(__file__).resolve().parent.parent
RES = ROOT / "res"

ICON_SIZES = [16, 24, 32, 48, 64, 72, 80, 96, 128, 256]
DISC = {"Velmora": (143, 211, 244), "Tamsorn": (247, 168, 200)}
OUTLINE = (30, 42, 58)
GLASS = (31, 60, 136)
LENS = (221, 243, 255)
WHITE = (255, 255, 255)


def badge(disc, size=1024):
    """The badge: a white mascot whose head is a large magnifying glass, on a coloured disc."""
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    s = size / 100.0

    def ellipse(cx, cy, rx, ry, fill, outline=None, width=0):
        d.ellipse([(cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s],
                  fill=fill, outline=outline, width=int(width * s))

    ellipse(50, 50, 47, 47, disc + (255,), OUTLINE + (255,), 4)
    # Body, arms and feet of the mascot.
    ellipse(50, 74, 15, 14, WHITE + (255,), OUTLINE + (255,), 2)
    ellipse(33, 70, 5, 8, WHITE + (255,), OUTLINE + (255,), 2)
    ellipse(67, 70, 5, 8, WHITE + (255,), OUTLINE + (255,), 2)
    ellipse(43, 88, 6, 4, WHITE + (255,), OUTLINE + (255,), 2)
    ellipse(57, 88, 6, 4, WHITE + (255,), OUTLINE + (255,), 2)
    # The handle of the glass is the neck.
    d.line([(50 * s, 52 * s), (50 * s, 64 * s)], fill=GLASS + (255,), width=int(7 * s))
    # The head: a dark-blue magnifying glass with a light lens and two eyes.
    ellipse(50, 35, 21, 21, GLASS + (255,))
    ellipse(50, 35, 15, 15, LENS + (255,))
    ellipse(44, 35, 2.6, 3.4, OUTLINE + (255,))
    ellipse(56, 35, 2.6, 3.4, OUTLINE + (255,))
    ellipse(44, 28, 5, 3, WHITE + (255,))
    return img


def bmp_entry(img):
    w, h = img.size
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = img.getpixel((x, y))
            pixels += bytes((b, g, r, a))
    mask_row = ((w + 31) // 32) * 4
    return header + bytes(pixels) + bytes(mask_row * h)


def write_ico(path, big):
    entries = []
    for size in ICON_SIZES:
        img = big.resize((size, size), Image.LANCZOS)
        if size == 256:
            buf = io.BytesIO()
            img.save(buf, format="PNG")
            data = buf.getvalue()
        else:
            data = bmp_entry(img)
        entries.append((size, data))
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for size, data in entries:
        dim = 0 if size == 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in entries:
        out += data
    path.write_bytes(bytes(out))


# Index: (centre, lightest at upper right, darkest at lower left)
LIST_COLOURS = [
    ("FFFFFF", "FFFFFF", "FFFFFF"),
    ("30D234", "5AEB61", "06B907"),
    ("007BCF", "00A6F9", "0050A5"),
    ("FFC11D", "FFE638", "FF9D03"),
    ("B351C4", "C776D5", "9F2CB2"),
    ("D73244", "FA3C5E", "B5292A"),
    ("A3A3A3", "D3D3D3", "747474"),
    ("31A1A6", "4DCFD5", "167378"),
    ("FF7711", "FF9402", "FF5B20"),
    ("363636", "666666", "070707"),
]


def rgb(hexcode):
    return tuple(int(hexcode[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def ramp(centre, light, dark, t):
    """0 = lightest (upper right), 0.5 = centre, 1 = darkest (lower left)."""
    return mix(light, centre, t * 2) if t < 0.5 else mix(centre, dark, (t - 0.5) * 2)


def list_icon(index):
    centre, light, dark = (rgb(c) for c in LIST_COLOURS[index])
    img = Image.new("RGBA", (16, 16))
    for y in range(16):
        for x in range(16):
            t = ((15 - x) + y) / 30.0
            on_frame = x in (0, 15) or y in (0, 15)
            colour = ramp(centre, light, dark, 1 - t if on_frame else t)
            if (x, y) in ((0, 0), (15, 0), (0, 15), (15, 15)):
                colour = mix(colour, (255, 255, 255), 0.6)
            img.putpixel((x, y), colour + (255,))
    return img


def write_strip_bmp(path, images):
    w, h = 16 * len(images), 16
    strip = Image.new("RGBA", (w, h))
    for i, img in enumerate(images):
        strip.paste(img, (16 * i, 0))
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = strip.getpixel((x, y))
            pixels += bytes((b, g, r, a))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    path.write_bytes(header + info + bytes(pixels))


def main():
    for name, disc in DISC.items():
        write_ico(RES / f"{name}.ico", badge(disc))
    write_strip_bmp(RES / "ImageList1.bmp", [list_icon(i) for i in range(10)])


if __name__ == "__main__":
    main()
