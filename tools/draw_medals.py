#!/usr/bin/env python3
"""Draws the seven medal pictures the statistics page refers to.

Each picture is 48 x 64 pixels, transparent around a striped ribbon and a medal disc
with a symbol of its own. Only the standard library is used (zlib for the PNG data);
shapes are sampled 4 x 4 times per pixel for smooth edges.

    python3 tools/draw_medals.py data/medals
"""
import math
import os
import struct
import sys
import zlib

WIDTH, HEIGHT, SAMPLES = 48, 64, 4
DISC_X, DISC_Y, DISC_R = 24.0, 43.0, 19.0

GOLD, GOLD_DARK = (236, 186, 52), (160, 112, 18)
SILVER, SILVER_DARK = (210, 214, 222), (120, 126, 138)
BRONZE, BRONZE_DARK = (205, 127, 50), (122, 70, 24)
INK, WHITE, RED = (40, 34, 30), (250, 250, 250), (200, 30, 30)


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_outer, r_inner):
    return lambda x, y: r_inner * r_inner <= (x - cx) ** 2 + (y - cy) ** 2 <= r_outer * r_outer


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def segment(x0, y0, x1, y1, width):
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= width / 2
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                result = not result
        return result
    return inside


def ribbon(outer, middle):
    """A ribbon hanging from the top edge, narrowing in a V onto the clasp."""
    band = [(10, 0), (38, 0), (38, 18), (24, 26), (10, 18)]
    return [
        (polygon(band), outer),
        (lambda x, y: polygon(band)(x, y) and 19.5 <= x <= 28.5, middle),
        (lambda x, y: polygon(band)(x, y) and (16 <= x <= 17 or 31 <= x <= 32), WHITE),
        (ring(24, 24.5, 3.2, 1.6), GOLD_DARK),
    ]


def disc(face, rim):
    return [
        (circle(DISC_X, DISC_Y, DISC_R), rim),
        (circle(DISC_X, DISC_Y, DISC_R - 2.5), face),
        (ring(DISC_X, DISC_Y, DISC_R - 4, DISC_R - 4.8), rim),
    ]


def crosshair(color):
    return [
        (ring(DISC_X, DISC_Y, 10, 8.2), color),
        (rect(23.1, 30, 24.9, 38.5), color),
        (rect(23.1, 47.5, 24.9, 56), color),
        (rect(11, 42.1, 19.5, 43.9), color),
        (rect(28.5, 42.1, 37, 43.9), color),
        (circle(DISC_X, DISC_Y, 1.6), RED),
    ]


def head(color):
    return [
        (circle(24, 38.5, 5.5), color),
        (lambda x, y: ellipse(24, 54, 10, 8)(x, y) and y <= 53.5, color),
    ]


def medal_pro_killer():
    return ribbon(RED, WHITE) + disc(GOLD, GOLD_DARK) + crosshair(INK)


def medal_pro_headshot():
    return ribbon((30, 70, 170), WHITE) + disc(GOLD, GOLD_DARK) + head(INK) + [
        (ring(24, 38.5, 8.5, 7.3), RED),
        (rect(23.4, 27.5, 24.6, 31.5), RED),
        (rect(13, 37.9, 17, 39.1), RED),
        (rect(31, 37.9, 35, 39.1), RED),
    ]


def medal_pro_headshotR():
    return ribbon((90, 90, 90), RED) + disc(SILVER, SILVER_DARK) + head(INK) + [
        (circle(26.5, 36.5, 2.2), RED),
    ] + [
        (segment(26.5, 36.5, 26.5 + 5 * math.cos(a), 36.5 + 5 * math.sin(a), 1.1), RED)
        for a in (i * math.pi / 4 + 0.3 for i in range(8))
    ]


def medal_anti_no1target():
    return ribbon(INK, (240, 200, 0)) + disc(BRONZE, BRONZE_DARK) + [
        (circle(DISC_X, DISC_Y, 12), WHITE),
        (circle(DISC_X, DISC_Y, 9.5), RED),
        (circle(DISC_X, DISC_Y, 7), WHITE),
        (circle(DISC_X, DISC_Y, 4.5), RED),
        (circle(DISC_X, DISC_Y, 2), WHITE),
    ]


def medal_tnt_killer_small():
    stick = (190, 30, 25)
    return ribbon((235, 120, 20), INK) + disc(GOLD, GOLD_DARK) + [
        (rect(15, 38, 33, 52), stick),
        (rect(15, 41, 33, 42.2), (120, 15, 10)),
        (rect(15, 48, 33, 49.2), (120, 15, 10)),
        (rect(20, 43.3, 28, 46.7), (245, 230, 200)),
        (segment(30, 38, 33, 32, 1.3), INK),
        (circle(33.5, 31, 2.4), (255, 200, 40)),
        (circle(33.5, 31, 1.1), WHITE),
    ]


def medal_grenade_killer_small():
    body, dark = (70, 96, 44), (40, 58, 24)
    return ribbon((40, 110, 50), (190, 176, 120)) + disc(GOLD, GOLD_DARK) + [
        (ellipse(24, 46, 8, 9.5), body),
        (rect(16.5, 43.6, 31.5, 44.6), dark),
        (rect(16.5, 48.2, 31.5, 49.2), dark),
        (rect(23.5, 36.5, 24.5, 55.5), dark),
        (rect(20.5, 33.5, 27.5, 37.5), (130, 130, 130)),
        (segment(27, 35, 31, 46, 1.6), (130, 130, 130)),
        (ring(18.5, 34.5, 2.6, 1.5), (130, 130, 130)),
    ]


def medal_anti_suicide():
    bone = (245, 240, 225)
    return ribbon((110, 40, 140), INK) + disc(BRONZE, BRONZE_DARK) + [
        (circle(24, 40.5, 9), bone),
        (rect(18.5, 45, 29.5, 53), bone),
        (circle(20.5, 40.5, 2.6), INK),
        (circle(27.5, 40.5, 2.6), INK),
        (polygon([(24, 44), (22.3, 47.3), (25.7, 47.3)]), INK),
        (rect(21.3, 50, 22.1, 53), INK),
        (rect(23.6, 50, 24.4, 53), INK),
        (rect(25.9, 50, 26.7, 53), INK),
    ]


MEDALS = [
    medal_pro_killer,
    medal_pro_headshot,
    medal_pro_headshotR,
    medal_anti_no1target,
    medal_tnt_killer_small,
    medal_grenade_killer_small,
    medal_anti_suicide,
]


def render(layers):
    """The medal's RGBA rows; the last layer covering a point wins."""

    def colour_at(x, y):
        for shape, color in reversed(layers):
            if shape(x, y):
                return color
        return None

    return render_picture(colour_at, WIDTH, HEIGHT)


def render_picture(colour_at, width, height, scale=1.0):
    """RGBA rows of a width x height picture; each pixel averages SAMPLES x SAMPLES points,
    taken at the pixel's place times scale; colour_at gives a point's colour or None."""
    rows = []
    step = 1.0 / SAMPLES
    for py in range(height):
        row = bytearray()
        for px in range(width):
            r = g = b = covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    color = colour_at((px + (sx + 0.5) * step) * scale, (py + (sy + 0.5) * step) * scale)
                    if color:
                        r, g, b, covered = r + color[0], g + color[1], b + color[2], covered + 1
            if covered:
                row += bytes((r // covered, g // covered, b // covered, 255 * covered // SAMPLES**2))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def png(rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", len(rows[0]) // 4, len(rows), 8, 6, 0, 0, 0)  # 8-bit RGBA
    raw = b"".join(b"\x00" + row for row in rows)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "data/medals"
    os.makedirs(folder, exist_ok=True)
    for medal in MEDALS:
        with open(os.path.join(folder, medal.__name__ + ".png"), "wb") as out:
            out.write(png(render(medal())))


if __name__ == "__main__":
    main()
