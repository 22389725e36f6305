#!/usr/bin/env python3
"""Writes the sample model's tiny texture images (PNG, standard library only).

Run from anywhere: python3 samples/textures/make_textures.py
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def write_png(name, width, height, pixels, alpha):
    """pixels: rows top first, tuples (r, g, b) or (r, g, b, a)."""
    channels = 4 if alpha else 3
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter: none
        for pixel in row:
            raw.extend(pixel[:channels])

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def floor():
    """Oak boards: 4 boards of 8 rows, staggered seams, a little grain."""
    rows = []
    for y in range(32):
        board, inboard = divmod(y, 8)
        row = []
        for x in range(32):
            seam = inboard == 7 or (x + 11 * board) % 32 == 0
            grain = 10 * math.sin(x * 0.7 + board * 2.1 + inboard * 0.4)
            shade = (0, 14, -10, 6)[board]
            if seam:
                row.append((92, 60, 32))
            else:
                row.append((int(186 + shade + grain), int(140 + shade + grain * 0.8), 86))
        rows.append(row)
    return rows


def water():
    rows = []
    for y in range(16):
        row = []
        for x in range(16):
            wave = math.sin((x + 2 * math.sin(y * 0.8)) * 0.8)
            row.append((int(40 + 20 * wave), int(130 + 30 * wave), int(200 + 30 * wave)))
        rows.append(row)
    return rows


def leaves():
    """Green blotches on a transparent background: a cut-out texture with an alpha channel."""
    rows = []
    for y in range(16):
        row = []
        for x in range(16):
            blotch = math.sin(x * 1.3) * math.cos(y * 1.1) + 0.3 * math.sin(x * y * 0.2)
            if blotch > -0.2:
                row.append((int(50 + 40 * blotch), int(120 + 50 * blotch), 40, 255))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def photo():
    """A landscape: sky, sun, a hill and a lake, 32 x 24."""
    rows = []
    for y in range(24):
        row = []
        for x in range(32):
            hill = 14 - 4 * math.exp(-((x - 20) / 7.0) ** 2)
            if (x - 8) ** 2 + (y - 5) ** 2 <= 9:
                row.append((255, 214, 90))
            elif y < hill:
                row.append((110 + 4 * y, 170 + 3 * y, 235))
            elif y < 19:
                row.append((70, 140 - 2 * y, 60))
            else:
                row.append((50, 100, 170 - 3 * (y - 19)))
        rows.append(row)
    return rows


if __name__ == "__main__":
    write_png("floor.png", 32, 32, floor(), alpha=False)
    write_png("water.png", 16, 16, water(), alpha=False)
    write_png("leaves.png", 16, 16, leaves(), alpha=True)
    write_png("photo.png", 32, 24, photo(), alpha=False)
