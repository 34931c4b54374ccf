#!/usr/bin/env python3
"""Draws the program icon (16 colours, 32x32 and 16x16) and writes
tessaro.ico, tessaro-32.png and tessaro-16.png beside this script.

The picture: level bars of an audio wave on the left, a two-way arrow, and
the wrapped frames as blocks on the right, on a rounded blue tile.
Standard library only; run it again after changing the drawing."""

import os
import struct
import zlib

# The classic 16-colour palette (index: RGB).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
T = None  # transparent
BLACK, NAVY, GRAY, SILVER, BLUE, AQUA, YELLOW, WHITE, OLIVE = 0, 4, 8, 7, 12, 14, 11, 15, 3


def tile(size):
    """The tile with cut corners: black outline, blue face, navy lower half."""
    img = [[T] * size for _ in range(size)]
    cut = 3 if size >= 32 else 2
    for y in range(size):
        for x in range(size):
            cx = min(x, size - 1 - x)
            cy = min(y, size - 1 - y)
            if cx + cy < cut:
                continue
            edge = cx == 0 or cy == 0 or cx + cy == cut
            img[y][x] = BLACK if edge else (BLUE if y < size // 2 else NAVY)
    return img


def draw32():
    img = tile(32)
    # Level bars of a wave, centred on the middle line.
    for x, half in [(3, 3), (6, 7), (9, 9), (12, 5), (15, 8)]:
        for y in range(15 - half, 15 + half):
            img[y][x] = img[y][x + 1] = AQUA
    # A two-way arrow below the wave.
    for x in range(4, 28):
        img[27][x] = WHITE
    for d in range(1, 4):
        for y in range(27 - d, 28 + d):
            img[y][3 + d] = img[y][28 - d] = WHITE
    # The frame blocks: a column of yellow blocks with dark gaps.
    for top in (5, 11, 17):
        for y in range(top, top + 5):
            for x in range(19, 28):
                img[y][x] = OLIVE if (y == top + 4 or x == 27) else YELLOW
    return img


def draw16():
    img = tile(16)
    for x, half in [(2, 2), (4, 4), (6, 3)]:
        for y in range(7 - half, 7 + half):
            img[y][x] = AQUA
    for x in range(3, 13):
        img[13][x] = WHITE
    img[12][4] = img[14][4] = img[12][11] = img[14][11] = WHITE
    for top in (2, 6):
        for y in range(top, top + 3):
            for x in range(9, 14):
                img[y][x] = OLIVE if (y == top + 2 or x == 13) else YELLOW
    return img


def png(img):
    size = len(img)
    raw = b""
    for row in img:
        raw += b"\0" + b"".join(
            bytes(PALETTE[c]) + b"\xff" if c is not None else b"\0\0\0\0" for c in row)
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib(img):
    """A 4-bit icon image: header, palette, colour rows and mask, bottom up."""
    size = len(img)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    xor = b""
    mask = b""
    for row in reversed(img):
        nibbles = [0 if c is None else c for c in row]
        line = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor += line + b"\0" * (-len(line) % 4)
        bits = 0
        line = b""
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c is None else 0)
            if i % 8 == 7:
                line += bytes((bits,))
                bits = 0
        mask += line + b"\0" * (-len(line) % 4)
    return header + palette + xor + mask


def ico(images):
    offset = 6 + 16 * len(images)
    entries = b""
    data = b""
    for img in images:
        body = dib(img)
        size = len(img)
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(body), offset + len(data))
        data += body
    return struct.pack("<HHH", 0, 1, len(images)) + entries + data


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    big, small = draw32(), draw16()
    with open(os.path.join(here, "tessaro.ico"), "wb") as f:
        f.write(ico([big, small]))
    for name, img in (("tessaro-32.png", big), ("tessaro-16.png", small)):
        with open(os.path.join(here, name), "wb") as f:
            f.write(png(img))


if __name__ == "__main__":
    main()
