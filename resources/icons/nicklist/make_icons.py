#!/usr/bin/env python3
"""Draws the five 16x16 status icons of the nick list as PNG files, and each
at 32x32 for screens of scale 2 (name@2x.png).

Only the standard library is used: every shape is a function telling whether a
point lies inside it, sampled 4x4 times per pixel for smooth edges, and the
layers are composited with the usual "over" rule. Run it in this folder to
write operator.png, voice.png, halfop.png, contact.png and away.png and their
@2x twins.
"""
import math
import struct
import zlib

SIZE = 16
SAMPLES = 4


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def difference(a, b):
    return lambda x, y: a(x, y) and not b(x, y)


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def star(cx, cy, outer, inner):
    points = []
    for k in range(10):
        radius = outer if k % 2 == 0 else inner
        angle = -math.pi / 2 + k * math.pi / 5
        points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return polygon(points)


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def coverage(shape, px, py, scale):
    hits = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            if shape((px + (sx + 0.5) / SAMPLES) / scale, (py + (sy + 0.5) / SAMPLES) / scale):
                hits += 1
    return hits / (SAMPLES * SAMPLES)


def hex_colour(text):
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def render(layers, scale):
    """layers: (shape, 'RRGGBB', opacity) painted bottom to top, in icon
    units; scale pixels to the unit."""
    pixels = []
    for py in range(SIZE * scale):
        row = []
        for px in range(SIZE * scale):
            r = g = b = a = 0.0
            for shape, colour, opacity in layers:
                alpha = coverage(shape, px, py, scale) * opacity
                if alpha == 0:
                    continue
                cr, cg, cb = hex_colour(colour)
                out = alpha + a * (1 - alpha)
                r = (cr * alpha + r * a * (1 - alpha)) / out
                g = (cg * alpha + g * a * (1 - alpha)) / out
                b = (cb * alpha + b * a * (1 - alpha)) / out
                a = out
            row.append(tuple(int(round(v * 255)) for v in (r, g, b, a)))
        pixels.append(row)
    return pixels


def write_png(path, pixels):
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in pixels)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", len(pixels[0]), len(pixels), 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


def ball(fill, rim):
    """A round status ball with a darker rim and a small gloss."""
    return [
        (circle(8, 8, 7), rim, 1.0),
        (circle(8, 8, 6), fill, 1.0),
        (circle(6.2, 5.8, 2.0), "FFFFFF", 0.55),
    ]


ICONS = {
    "operator.png": ball("D9381E", "7E1A0B"),
    "voice.png": ball("2FA14A", "175C26"),
    "halfop.png": ball("E9A21A", "8A5C06"),
    # The contact and away pictures are corner badges, so that they can be
    # drawn over a status ball and leave it recognisable.
    "contact.png": [
        (star(11.5, 11.5, 4.6, 2.0), "7A5A00", 1.0),
        (star(11.5, 11.7, 3.5, 1.5), "FFD633", 1.0),
    ],
    "away.png": [
        (circle(11.8, 4.2, 4.2), "2B3A55", 1.0),
        (circle(11.8, 4.2, 3.3), "F4F4F4", 1.0),
        (rect(11.4, 1.6, 12.2, 4.6), "2B3A55", 1.0),
        (rect(11.4, 3.8, 14.2, 4.6), "2B3A55", 1.0),
    ],
}


if __name__ == "__main__":
    for name, layers in ICONS.items():
        write_png(name, render(layers, 1))
        write_png(name.replace(".png", "@2x.png"), render(layers, 2))
