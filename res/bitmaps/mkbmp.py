#!/usr/bin/env python3
"""Writes the tree images drawn in a pixel-art file as 4-bit .bmp files.

    mkbmp.py ART OUTDIR

ART holds a palette ("C RRGGBB", one character a colour) and sections "[name]", each a grid
of equal rows, one character a pixel. Each section becomes OUTDIR/name.bmp.

The palette may use only the 16 standard colours, the palette every 4-bit file carries.
"""

import struct
import sys

VGA = [
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
]


def fail(path, lineno, message):
    sys.exit(f"{path}:{lineno}: {message}")


def read_art(path):
    palette = {}
    images = {}
    current = None
    with open(path, encoding="utf-8") as f:
        for lineno, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            if line.startswith("[") and line.endswith("]"):
                current = line[1:-1]
                if current in images:
                    fail(path, lineno, f"image {current} drawn twice")
                images[current] = []
                continue
            if current is None:
                fields = line.split()
                if len(fields) < 2 or len(fields[0]) != 1:
                    fail(path, lineno, "a palette line is 'C RRGGBB'")
                rgb = int(fields[1], 16)
                if rgb not in VGA:
                    fail(path, lineno, f"{fields[1]} is not one of the 16 standard colours")
                palette[fields[0]] = VGA.index(rgb)
                continue
            for c in line:
                if c not in palette:
                    fail(path, lineno, f"'{c}' is not in the palette")
            rows = images[current]
            if rows and len(line) != len(rows[0]):
                fail(path, lineno, f"row of {len(line)} pixels in an image {len(rows[0])} wide")
            rows.append(line)
    return palette, images


def bmp_bytes(rows, palette):
    width, height = len(rows[0]), len(rows)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up, as a positive height says
        line = bytearray(stride)
        for x, c in enumerate(row):
            index = palette[c]
            line[x // 2] |= index << 4 if x % 2 == 0 else index
        pixels += line
    colours = b"".join(struct.pack("<BBBB", rgb & 0xFF, (rgb >> 8) & 0xFF, rgb >> 16, 0)
                       for rgb in VGA)
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    return header + info + colours + bytes(pixels)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    art, outdir = sys.argv[1], sys.argv[2]
    palette, images = read_art(art)
    if not images:
        sys.exit(f"{art}: no image")
    for name, rows in images.items():
        if not rows:
            sys.exit(f"{art}: image {name} is empty")
        with open(f"{outdir}/{name}.bmp", "wb") as f:
            f.write(bmp_bytes(rows, palette))


if __name__ == "__main__":
    main()
