#!/usr/bin/env python3
"""Draws the program's icon: a podium of gold, silver and bronze bars under a medal, on a
dark rounded square. The shapes are described once and written both as the scalable SVG
and as PNG pictures of the sizes desktops ask for (the drawing and PNG writing are shared with the medals).

    python3 tools/draw_icon.py data/icons
"""
import os
import sys

from draw_medals import png, render_picture

CANVAS = 64.0
SIZES = (16, 24, 32, 48, 64, 128, 256)

# (x, y, width, height, corner radius, colour) on a 64 x 64 canvas, drawn in order.
RECTS = [
    (2, 2, 60, 60, 12, (43, 63, 92)),  # the tile
    (9, 31, 15, 24, 2, (200, 205, 214)),  # silver
    (24.5, 22, 15, 33, 2, (236, 186, 52)),  # gold
    (40, 37, 15, 18, 2, (205, 127, 50)),  # bronze
]
# (centre x, centre y, radius, colour): the medal above the gold bar.
CIRCLES = [
    (32, 12.5, 8, (160, 112, 18)),
    (32, 12.5, 5.5, (250, 224, 120)),
]


def hex_colour(colour):
    return "#%02x%02x%02x" % colour


def svg():
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">']
    for x, y, w, h, r, colour in RECTS:
        parts.append(f'  <rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{hex_colour(colour)}"/>')
    for cx, cy, r, colour in CIRCLES:
        parts.append(f'  <circle cx="{cx}" cy="{cy}" r="{r}" fill="{hex_colour(colour)}"/>')
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def in_rect(x, y, rect):
    rx, ry, w, h, r, _ = rect
    if not (rx <= x <= rx + w and ry <= y <= ry + h):
        return False
    # Inside the corner squares only the quarter discs count.
    cx = min(max(x, rx + r), rx + w - r)
    cy = min(max(y, ry + r), ry + h - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def colour_at(x, y):
    found = None
    for rect in RECTS:
        if in_rect(x, y, rect):
            found = rect[5]
    for cx, cy, r, colour in CIRCLES:
        if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
            found = colour
    return found


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "data/icons"
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "gravmark-parser.svg"), "w") as out:
        out.write(svg())
    for size in SIZES:
        with open(os.path.join(folder, f"gravmark-parser-{size}.png"), "wb") as out:
            out.write(png(render_picture(colour_at, size, size, CANVAS / size)))


if __name__ == "__main__":
    main()
