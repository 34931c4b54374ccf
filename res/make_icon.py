#!/usr/bin/env python3
"""Draws the program icon and writes beside this script:
- tessaro.ico, tessaro-32.png and tessaro-16.png: the 16-colour pixel
  drawings, 32x32 and 16x16;
- tessaro.svg: the same design as shapes on the 32-unit grid;
- tessaro-24.png ... tessaro-256.png: those shapes rendered at the sizes of
  the desktop's icon theme (hicolor), anti-aliased.

The picture: level bars of an audio wave on the left, a two-way arrow, and
the wrapped frames as blocks on the right, on a tile with cut corners, blue
above and navy below.
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


# The 32x32 drawing as shapes on its 32-unit grid, painted in order: each is
# (colour index, polygon corners). The inner face of the tile stands one unit
# inside its outline; diagonals keep the outline one unit wide.
D = 2 ** 0.5 + 3


def rect(x, y, w, h):
    return [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]


def shapes():
    out = [
        (BLACK, [(3, 0), (29, 0), (32, 3), (32, 29), (29, 32), (3, 32), (0, 29), (0, 3)]),
        (BLUE, [(1, D), (D, 1), (32 - D, 1), (31, D), (31, 16), (1, 16)]),
        (NAVY, [(1, 16), (31, 16), (31, 32 - D), (32 - D, 31), (D, 31), (1, 32 - D)]),
    ]
    for x, half in [(3, 3), (6, 7), (9, 9), (12, 5), (15, 8)]:
        out.append((AQUA, rect(x, 15 - half, 2, 2 * half)))
    out.append((WHITE, rect(4, 27, 24, 1)))
    out.append((WHITE, [(3.5, 27.5), (7, 24), (7, 31)]))
    out.append((WHITE, [(28.5, 27.5), (25, 31), (25, 24)]))
    for top in (5, 11, 17):
        out.append((OLIVE, rect(19, top, 9, 5)))
        out.append((YELLOW, rect(19, top, 8, 4)))
    return out


def svg():
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">']
    for colour, points in shapes():
        r, g, b = PALETTE[colour]
        corners = " ".join(f"{x:g},{y:g}" for x, y in points)
        lines.append(f'  <polygon fill="#{r:02x}{g:02x}{b:02x}" points="{corners}"/>')
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def inside(points, x, y):
    """Whether (x, y) lies in the convex polygon, corners clockwise on screen."""
    n = len(points)
    for i in range(n):
        (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
        if (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0) < 0:
            return False
    return True


def render(size, samples=4):
    """The shapes at size x size pixels, samples x samples points a pixel."""
    unit = 32 / size
    painted = list(reversed(shapes()))
    boxes = [(min(p[0] for p in pts), max(p[0] for p in pts),
              min(p[1] for p in pts), max(p[1] for p in pts)) for _, pts in painted]
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                y = (py + (sy + 0.5) / samples) * unit
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * unit
                    for (colour, pts), (x0, x1, y0, y1) in zip(painted, boxes):
                        if x0 <= x <= x1 and y0 <= y <= y1 and inside(pts, x, y):
                            for k, v in enumerate(PALETTE[colour]):
                                acc[k] += v
                            acc[3] += 255
                            break
            covered = acc[3] // 255
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(v / covered) for v in acc[:3]) +
                           (round(acc[3] / samples ** 2),))
        rows.append(row)
    return rows


def png(img):
    """A PNG of a palette drawing."""
    return png_rgba([[PALETTE[c] + (255,) if c is not None else (0, 0, 0, 0) for c in row]
                     for row in img])


def png_rgba(rows):
    size = len(rows)
    raw = b""
    for row in rows:
        raw += b"\0" + b"".join(bytes(pixel) for pixel in row)
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
    with open(os.path.join(here, "tessaro.svg"), "w") as f:
        f.write(svg())
    for size in (24, 48, 64, 128, 256):
        with open(os.path.join(here, f"tessaro-{size}.png"), "wb") as f:
            f.write(png_rgba(render(size)))


if __name__ == "__main__":
    main()
