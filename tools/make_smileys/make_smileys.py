#!/usr/bin/env python3
"""Draws the 13 smiley images of the conversation view (1.gif .. 13.gif,
15 by 15 pixels, transparent background) and writes them as GIF files.

Usage: make_smileys.py [output folder]   (default: resources/smiles)

Only the standard library is used: the faces are drawn on a small grid of
palette indices and written by the tiny GIF encoder below.
"""

import os
import struct
import sys

SIZE = 15

# Palette indices. Index 0 is the transparent background.
CLEAR, INK, FACE, SHADE, RED, WHITE, GLASS, EVIL, BULB, METAL = range(10)
PALETTE = [
    (255, 255, 255),  # CLEAR (transparent)
    (40, 30, 10),     # INK: outline, eyes, mouth
    (255, 214, 40),   # FACE
    (222, 160, 20),   # SHADE: lower rim of the face
    (214, 40, 40),    # RED: tongue, lips
    (255, 255, 255),  # WHITE: eyes, teeth
    (30, 30, 60),     # GLASS: sunglasses
    (200, 60, 200),   # EVIL: the evil face
    (255, 250, 170),  # BULB: the idea bulb
    (150, 150, 160),  # METAL: the bulb's base
]
PALETTE += [(0, 0, 0)] * (16 - len(PALETTE))


def blank():
    return [[CLEAR] * SIZE for _ in range(SIZE)]


def face(colour=FACE):
    grid = blank()
    for y in range(SIZE):
        for x in range(SIZE):
            d = ((x - 7) ** 2 + (y - 7) ** 2) ** 0.5
            if d <= 6.3:
                grid[y][x] = SHADE if (y >= 11 and d > 5.0 and colour == FACE) else colour
            elif d <= 7.4:
                grid[y][x] = INK
    return grid


def put(grid, points, colour=INK):
    for x, y in points:
        grid[y][x] = colour


def eyes(grid):
    put(grid, [(5, 5), (5, 6), (9, 5), (9, 6)])


def smile(grid):
    put(grid, [(4, 9), (5, 10), (6, 10), (7, 10), (8, 10), (9, 10), (10, 9)])


def draw_smile():
    g = face(); eyes(g); smile(g); return g


def draw_big_smile():
    g = face(); eyes(g)
    put(g, [(x, 9) for x in range(4, 11)])
    put(g, [(x, 10) for x in range(5, 10)], WHITE)
    put(g, [(4, 10), (10, 10), (5, 11), (9, 11)] + [(x, 11) for x in range(6, 9)])
    return g


def draw_laugh():
    g = face()
    put(g, [(4, 6), (5, 5), (6, 6), (8, 6), (9, 5), (10, 6)])
    put(g, [(x, 8) for x in range(4, 11)])
    put(g, [(x, 9) for x in range(5, 10)], WHITE)
    put(g, [(x, 10) for x in range(5, 10)], RED)
    put(g, [(4, 9), (10, 9), (4, 10), (10, 10), (5, 11), (9, 11)] + [(x, 11) for x in range(6, 9)])
    return g


def draw_sad():
    g = face(); eyes(g)
    put(g, [(4, 11), (5, 10), (6, 9), (7, 9), (8, 9), (9, 10), (10, 11)])
    return g


def draw_wink():
    g = face()
    put(g, [(4, 6), (5, 6), (6, 6), (9, 5), (9, 6)])
    smile(g)
    return g


def draw_confused():
    g = face(); eyes(g)
    put(g, [(4, 10), (5, 9), (6, 9), (7, 10), (8, 11), (9, 11), (10, 10)])
    return g


def draw_cool():
    g = face()
    put(g, [(x, 5) for x in range(3, 12)], GLASS)
    put(g, [(3, 6), (4, 6), (5, 6), (6, 6), (8, 6), (9, 6), (10, 6), (11, 6)], GLASS)
    put(g, [(4, 7), (5, 7), (9, 7), (10, 7)], GLASS)
    smile(g)
    return g


def draw_eek():
    g = face()
    for cx in (5, 9):
        put(g, [(cx - 1, 4), (cx, 4), (cx - 1, 5), (cx - 1, 6), (cx, 6)], WHITE)
        put(g, [(cx, 5)])
    put(g, [(6, 8), (7, 8), (8, 8), (5, 9), (9, 9), (5, 10), (9, 10), (6, 11), (7, 11), (8, 11)])
    put(g, [(6, 9), (7, 9), (8, 9), (6, 10), (7, 10), (8, 10)], RED)
    return g


def draw_evil():
    g = face(EVIL)
    put(g, [(2, 0), (2, 1), (3, 1), (3, 2), (12, 0), (12, 1), (11, 1), (11, 2)], RED)
    put(g, [(4, 4), (5, 5), (10, 4), (9, 5), (5, 6), (9, 6)])
    put(g, [(4, 9), (5, 10), (6, 10), (7, 10), (8, 10), (9, 10), (10, 9)])
    put(g, [(6, 11), (8, 11)], WHITE)
    return g


def draw_kiss():
    g = face()
    put(g, [(4, 6), (5, 5), (6, 6), (8, 6), (9, 5), (10, 6)])
    put(g, [(7, 9), (6, 10), (8, 10), (7, 11)], RED)
    put(g, [(7, 10)])
    return g


def draw_idea():
    g = blank()
    for y in range(SIZE):
        for x in range(SIZE):
            d = ((x - 7) ** 2 + (y - 5.5) ** 2) ** 0.5
            if d <= 4.3:
                g[y][x] = BULB
            elif d <= 5.3 and y <= 9:
                g[y][x] = INK
    put(g, [(6, 6), (7, 7), (8, 6), (7, 8), (7, 9)], SHADE)
    put(g, [(x, y) for y in (10, 11, 12) for x in range(5, 10)], METAL)
    put(g, [(5, 11), (9, 11), (6, 13), (7, 13), (8, 13), (4, 10), (10, 10), (4, 12), (10, 12)])
    put(g, [(0, 5), (1, 5), (13, 5), (14, 5), (2, 1), (12, 1), (7, 0)], SHADE)
    return g


def draw_neutral():
    g = face(); eyes(g)
    put(g, [(x, 10) for x in range(5, 10)])
    return g


def draw_surprised():
    g = face(); eyes(g)
    put(g, [(6, 8), (7, 8), (8, 8), (5, 9), (9, 9), (5, 10), (9, 10), (6, 11), (7, 11), (8, 11)])
    put(g, [(6, 9), (7, 9), (8, 9), (6, 10), (7, 10), (8, 10)], INK)
    return g


DRAWINGS = {
    1: draw_smile, 2: draw_big_smile, 3: draw_laugh, 4: draw_sad, 5: draw_wink,
    6: draw_confused, 7: draw_cool, 8: draw_eek, 9: draw_evil, 10: draw_kiss,
    11: draw_idea, 12: draw_neutral, 13: draw_surprised,
}


def lzw_literals(indices, min_code_size):
    """LZW data made of literal codes only. A clear code comes often enough
    that no decoder ever widens its codes, so every code has the same width."""
    clear = 1 << min_code_size
    end = clear + 1
    width = min_code_size + 1
    codes = [clear]
    for n, index in enumerate(indices):
        if n and n % 10 == 0:
            codes.append(clear)
        codes.append(index)
    codes.append(end)
    data = bytearray()
    bits = 0
    nbits = 0
    for code in codes:
        bits |= code << nbits
        nbits += width
        while nbits >= 8:
            data.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        data.append(bits & 0xFF)
    return bytes(data)


def gif(grid):
    min_code_size = 4  # 16 colours
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", SIZE, SIZE, 0xF3, CLEAR, 0)
    for r, g, b in PALETTE:
        out += bytes((r, g, b))
    out += bytes((0x21, 0xF9, 0x04, 0x01, 0, 0, CLEAR, 0))  # transparency
    out += b"\x2C" + struct.pack("<HHHHB", 0, 0, SIZE, SIZE, 0)
    out.append(min_code_size)
    data = lzw_literals([c for row in grid for c in row], min_code_size)
    for start in range(0, len(data), 255):
        block = data[start:start + 255]
        out.append(len(block))
        out += block
    out.append(0)
    out.append(0x3B)
    return bytes(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "resources", "smiles")
    os.makedirs(folder, exist_ok=True)
    for number, draw in DRAWINGS.items():
        with open(os.path.join(folder, "%d.gif" % number), "wb") as f:
            f.write(gif(draw()))
    print("wrote %d smileys to %s" % (len(DRAWINGS), os.path.normpath(folder)))


if __name__ == "__main__":
    main()
