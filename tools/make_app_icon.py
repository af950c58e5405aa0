#!/usr/bin/env python3
"""Draws the application icon, data/TUPA_ICON_<size>.png, at the sizes the
desktop's icon theme asks for: a canvas of coloured pixels and a pencil.

Run from the repository root: python3 tools/make_app_icon.py
The shapes are described in units of the icon's side (0..1) and sampled a few
times per pixel, so every size is drawn on its own rather than scaled.
"""
import math
import struct
import sys
import zlib

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

INK = (40, 40, 52)
PAPER = (255, 255, 255)
BLOCKS = [  # the canvas's pixels, three rows of three
    [(220, 40, 40), (250, 200, 40), (60, 170, 70)],
    [(40, 110, 220), PAPER, (230, 110, 30)],
    [(150, 60, 190), (40, 190, 200), PAPER],
]
LEAD = (50, 50, 60)
WOOD = (240, 205, 150)
BODY = (245, 170, 30)
BODY_LIGHT = (255, 210, 90)
FERRULE = (175, 180, 190)
ERASER = (240, 130, 150)


def canvas_at(x, y, line):
    """Colour of the canvas at (x, y), or None outside it."""
    left, top, right, bottom = 0.06, 0.06, 0.80, 0.80
    if not (left <= x < right and top <= y < bottom):
        return None
    if x < left + line or x >= right - line or y < top + line or y >= bottom - line:
        return INK
    cell = (right - left - 2 * line) / 3
    col = min(2, int((x - left - line) / cell))
    row = min(2, int((y - top - line) / cell))
    return BLOCKS[row][col]


def pencil_at(x, y, line):
    """Colour of the pencil at (x, y), or None off it. It lies at 45 degrees,
    the point at the lower left and the eraser at the upper right."""
    tip = (0.30, 0.94)
    end = (0.96, 0.28)
    length = math.hypot(end[0] - tip[0], end[1] - tip[1])
    ax, ay = (end[0] - tip[0]) / length, (end[1] - tip[1]) / length
    dx, dy = x - tip[0], y - tip[1]
    u = dx * ax + dy * ay          # along the pencil from the point
    v = -dx * ay + dy * ax         # across it
    half = 0.085
    cone = 0.20
    eraser = 0.10
    ferrule = 0.06
    if u < -line or u > length + line:
        return None
    # The outline follows the shape a line's width outside it.
    width_at = half * min(1.0, max(u, 0.0) / cone)
    if abs(v) > width_at + line * (1.0 if u >= cone else 1.4):
        return None
    if u < 0 or u > length or abs(v) > width_at:
        return INK
    if u < cone:
        return LEAD if u < cone * 0.38 else WOOD
    if u > length - eraser:
        return ERASER
    if u > length - eraser - ferrule:
        return FERRULE
    if abs(u - (length - eraser - ferrule)) < line * 0.6:
        return INK
    return BODY_LIGHT if v < -half / 3 else BODY


def render(size, samples=4):
    line = max(1.0 / size, 0.03)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size
                    y = (py + (sy + 0.5) / samples) / size
                    colour = pencil_at(x, y, line) or canvas_at(x, y, line)
                    if colour:
                        r, g, b, a = r + colour[0], g + colour[1], b + colour[2], a + 1
            n = samples * samples
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(r / a), round(g / a), round(b / a), round(255 * a / n)))
        rows.append(row)
    return rows


def write_png(path, rows):
    height, width = len(rows), len(rows[0])
    raw = b''.join(b'\0' + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data +
                struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))

    png = (b'\x89PNG\r\n\x1a\n' +
           chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)) +
           chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))
    with open(path, 'wb') as f:
        f.write(png)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else 'data'
    for size in SIZES:
        write_png(f'{out}/TUPA_ICON_{size}.png', render(size))


if __name__ == '__main__':
    main()
