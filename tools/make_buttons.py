#!/usr/bin/env python3
"""Draws the command palette's button strips into data/.

Run from the repository root: python3 tools/make_buttons.py [outdir]

Every strip is a 24-bit BMP, 48 pixels high, made of 24 x 24 cells side by
side: row 0 holds each button's normal face (raised), row 1 its highlighted
face (sunken, blue tinted, the picture shifted one pixel as if pressed).

Icons are drawn with a few primitives (lines, rectangles, ellipses, polygons,
Bezier curves), small ASCII sprites and a tiny pixel font, each in a short
function named after its button, so a reviewer can find and change one.
"""
import math
from bmp24 import write_bmp
import sys

CELL = 24

# ---- colours ----------------------------------------------------------------
FACE = (212, 208, 200)
FACE_ON = (176, 200, 240)  # highlighted face
HILITE = (255, 255, 255)
SHADOW = (128, 128, 128)
DARK = (64, 64, 64)

K = (0, 0, 0)
W = (255, 255, 255)
GREY = (150, 150, 150)
DGREY = (90, 90, 90)
LGREY = (225, 225, 225)
BLUE = (0, 70, 210)        # stands for the drawing colour
LBLUE = (120, 170, 255)
RED = (220, 30, 30)        # stands for the designated colour
ORANGE = (250, 150, 40)
YELLOW = (250, 215, 40)
GREEN = (20, 160, 60)
BROWN = (150, 90, 30)
WOOD = (245, 215, 165)
PURPLE = (150, 60, 190)
CYAN = (40, 190, 210)

SPRITE_COLOURS = {
    'k': K, 'w': W, 'g': GREY, 'd': DGREY, 'l': LGREY, 'b': BLUE, 'c': LBLUE,
    'r': RED, 'o': ORANGE, 'y': YELLOW, 'n': BROWN, 't': WOOD, 'e': GREEN,
    'p': PURPLE, 's': (190, 190, 200),
}


# ---- a transparent 24 x 24 layer with drawing primitives --------------------
class Layer:
    def __init__(self):
        self.px = {}

    def set(self, x, y, c):
        if 0 <= x < CELL and 0 <= y < CELL:
            self.px[(x, y)] = c

    def get(self, x, y):
        return self.px.get((x, y))

    def line(self, x0, y0, x1, y1, c, width=1):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            for i in range(width):
                for j in range(width):
                    self.set(x0 + i, y0 + j, c)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def dashed(self, x0, y0, x1, y1, on=K, off=W, period=2):
        """A marching-ants line (horizontal or vertical)."""
        n = max(abs(x1 - x0), abs(y1 - y0))
        for i in range(n + 1):
            x = x0 + (x1 - x0) * i // max(n, 1)
            y = y0 + (y1 - y0) * i // max(n, 1)
            self.set(x, y, on if (i // period) % 2 == 0 else off)

    def rect(self, x0, y0, x1, y1, c):
        self.line(x0, y0, x1, y0, c)
        self.line(x0, y1, x1, y1, c)
        self.line(x0, y0, x0, y1, c)
        self.line(x1, y0, x1, y1, c)

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def dashed_rect(self, x0, y0, x1, y1):
        self.dashed(x0, y0, x1, y0)
        self.dashed(x1, y0, x1, y1)
        self.dashed(x1, y1, x0, y1)
        self.dashed(x0, y1, x0, y0)

    def ellipse(self, x0, y0, x1, y1, outline=None, fill=None):
        """Ellipse inscribed in the box (x0, y0)-(x1, y1), both included."""
        cx, cy = (x0 + x1 + 1) / 2, (y0 + y1 + 1) / 2
        rx, ry = (x1 - x0 + 1) / 2, (y1 - y0 + 1) / 2

        def inside(x, y):
            return ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2 <= 1.0

        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                if not inside(x, y):
                    continue
                edge = not all(inside(x + a, y + b) for a, b in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                if edge and outline is not None:
                    self.set(x, y, outline)
                elif fill is not None:
                    self.set(x, y, fill)

    def polyline(self, pts, c, closed=False, width=1):
        seq = list(pts) + ([pts[0]] if closed else [])
        for (xa, ya), (xb, yb) in zip(seq, seq[1:]):
            self.line(xa, ya, xb, yb, c, width)

    def polygon_fill(self, pts, c):
        """Pixels whose centres lie inside the polygon (even-odd)."""
        for y in range(CELL):
            for x in range(CELL):
                px, py = x + 0.5, y + 0.5
                inside = False
                for (xa, ya), (xb, yb) in zip(pts, pts[1:] + pts[:1]):
                    if (ya > py) != (yb > py):
                        t = (py - ya) / (yb - ya)
                        if px < xa + t * (xb - xa):
                            inside = not inside
                if inside:
                    self.set(x, y, c)

    def bezier(self, p0, p1, p2, p3, c, width=1):
        prev = p0
        for i in range(1, 33):
            t = i / 32
            u = 1 - t
            x = u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0]
            y = u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1]
            pt = (round(x), round(y))
            self.line(prev[0], prev[1], pt[0], pt[1], c, width)
            prev = pt

    def sprite(self, rows, x, y):
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch != '.':
                    self.set(x + i, y + j, SPRITE_COLOURS[ch])

    def text(self, s, x, y, c, font=None, bold=False):
        font = font or FONT5
        for ch in s:
            glyph = font[ch]
            for j, row in enumerate(glyph):
                for i, bit in enumerate(row):
                    if bit == '1':
                        self.set(x + i, y + j, c)
                        if bold:
                            self.set(x + i + 1, y + j, c)
            x += len(glyph[0]) + (2 if bold else 1)

    def arrow(self, x0, y0, x1, y1, c, head=3, width=1):
        """A straight arrow with a filled head at (x1, y1)."""
        self.line(x0, y0, x1, y1, c, width)
        ang = math.atan2(y1 - y0, x1 - x0)
        for s in (-1, 1):
            a = ang + math.pi - s * math.pi / 4
            hx = round(x1 + head * math.cos(a))
            hy = round(y1 + head * math.sin(a))
            self.line(x1, y1, hx, hy, c, width)
        pts = [(x1 + 0.5, y1 + 0.5)]
        for s in (-1, 1):
            a = ang + math.pi - s * math.pi / 4
            pts.append((x1 + 0.5 + head * math.cos(a), y1 + 0.5 + head * math.sin(a)))
        self.polygon_fill(pts, c)

    def arc_arrow(self, cx, cy, r, a0, a1, c, head=3):
        """An arc from angle a0 to a1 (degrees, clockwise on screen) ending in a head."""
        steps = max(8, int(abs(a1 - a0) / 6))
        prev = None
        for i in range(steps + 1):
            a = math.radians(a0 + (a1 - a0) * i / steps)
            pt = (round(cx + r * math.cos(a)), round(cy + r * math.sin(a)))
            if prev:
                self.line(prev[0], prev[1], pt[0], pt[1], c, 2)
            prev = pt
        # head: a filled triangle pointing along the tangent at the end
        a = math.radians(a1)
        direction = 1 if a1 > a0 else -1
        tx, ty = -math.sin(a) * direction, math.cos(a) * direction
        ex, ey = cx + r * math.cos(a) + 0.5, cy + r * math.sin(a) + 0.5
        nx, ny = math.cos(a), math.sin(a)
        tip = (ex + tx * head, ey + ty * head)
        b1 = (ex + nx * head, ey + ny * head)
        b2 = (ex - nx * head, ey - ny * head)
        self.polygon_fill([tip, b1, b2], c)


# ---- pixel fonts ------------------------------------------------------------
FONT3 = {  # 3 x 5
    '0': ["111", "101", "101", "101", "111"],
    '1': ["010", "110", "010", "010", "111"],
    '2': ["111", "001", "111", "100", "111"],
    '3': ["111", "001", "011", "001", "111"],
    '4': ["101", "101", "111", "001", "001"],
    '6': ["111", "100", "111", "101", "111"],
    '8': ["111", "101", "111", "101", "111"],
    'x': ["000", "101", "010", "101", "000"],
}
FONT5 = {  # 5 x 7
    'A': [".111.", "1...1", "1...1", "11111", "1...1", "1...1", "1...1"],
    'B': ["1111.", "1...1", "1...1", "1111.", "1...1", "1...1", "1111."],
    'V': ["1...1", "1...1", "1...1", "1...1", ".1.1.", ".1.1.", "..1.."],
    '?': [".111.", "1...1", "....1", "...1.", "..1..", ".....", "..1.."],
    '1': ["..1..", ".11..", "..1..", "..1..", "..1..", "..1..", ".111."],
    '2': [".111.", "1...1", "....1", "...1.", "..1..", ".1...", "11111"],
    '4': ["...1.", "..11.", ".1.1.", "1..1.", "11111", "...1.", "...1."],
    '8': [".111.", "1...1", "1...1", ".111.", "1...1", "1...1", ".111."],
}
FONT5 = {k: [r.replace('.', '0') for r in v] for k, v in FONT5.items()}
FONT3 = {k: [r.replace('.', '0') for r in v] for k, v in FONT3.items()}

# ---- sprites ----------------------------------------------------------------
PENCIL = [  # tip at the bottom left
    "........kk.",
    ".......krrk",
    "......kyrrk",
    ".....kyyyk.",
    "....kyyyk..",
    "...kyyyk...",
    "..kyyyk....",
    ".ktyyk.....",
    ".kttk......",
    "kkkk.......",
    "k..........",
]
SMALL_PENCIL = [
    "......kk",
    ".....kyk",
    "....kyk.",
    "...kyk..",
    "..kyk...",
    ".ktk....",
    "kkk.....",
    "k.......",
]
BUCKET = [  # paint pouring from a tilted pail
    "...kkk......",
    "..k...k.....",
    ".k.....k....",
    "kkkkkkkkk...",
    "kgwwwwwgkb..",
    "kgwwwwwgkbb.",
    ".kgwwwgk.bbb",
    ".kgwwwgk.bbb",
    "..kgggk...b.",
    "..kkkkk.....",
]
SPRAY_CAN = [
    "..kk....",
    ".kddk...",
    "kkkkkk..",
    "kssssk..",
    "kssssk..",
    "kbbbbk..",
    "kbwwbk..",
    "kbbbbk..",
    "kssssk..",
    "kssssk..",
    "kkkkkk..",
]
MAGNIFIER = [
    "..kkkk......",
    ".kwccwk.....",
    "kwcccck.....",
    "kccccck.....",
    "kccccck.....",
    ".kcccck.....",
    "..kkkkdd....",
    "......dnn...",
    ".......nnn..",
    "........nnn.",
    ".........nn.",
]
BIG_MAGNIFIER = [
    "...kkkkk.......",
    "..kwwcccck.....",
    ".kwccccccck....",
    "kwccccccccck...",
    "kccccccccck....",
    "kccccccccck....",
    "kccccccccck....",
    ".kccccccck.....",
    "..kcccccck.....",
    "...kkkkkdd.....",
    "........dnn....",
    ".........nnn...",
    "..........nnn..",
    "...........nnn.",
    "............nn.",
]
FOLDER = [
    ".kkkk.........",
    "kyyyyk........",
    "kyyyyykkkkkkk.",
    "kyyyyyyyyyyyk.",
    "kyykkkkkkkkkkk",
    "kyko........k",
    "kyko.......k.",
    "kko.......k..",
    "kko.......k..",
    "kkkkkkkkkkk..",
]
FLOPPY = [
    "kkkkkkkkkkkkk.",
    "kbbwwwwwwwbbbk",
    "kbbwwwwwwwbbbk",
    "kbbwwwwwwwbbbk",
    "kbbwwwwwwwbbbk",
    "kbbbbbbbbbbbbk",
    "kbbbbbbbbbbbbk",
    "kbbsssssssbbbk",
    "kbbsssskssbbbk",
    "kbbsssskssbbbk",
    "kbbsssssssbbbk",
    "kkkkkkkkkkkkkk",
]
CLIPBOARD = [
    "....kkkk....",
    "nnnkssssknnn",
    "nkkkkkkkkkkn",
    "nkwwwwwwwwkn",
    "nkwddddddwkn",
    "nkwwwwwwwwkn",
    "nkwddddwwwkn",
    "nkwwwwwwwwkn",
    "nkwddddddwkn",
    "nkwwwwwwwwkn",
    "nkkkkkkkkkkn",
    "nnnnnnnnnnnn",
]
PAGE = [
    "kkkkkkkk....",
    "kwwwwwwkk...",
    "kwwwwwwkwk..",
    "kwwwwwwkkkk.",
    "kwwwwwwwwwk.",
    "kwwwwwwwwwk.",
    "kwwwwwwwwwk.",
    "kwwwwwwwwwk.",
    "kwwwwwwwwwk.",
    "kwwwwwwwwwk.",
    "kwwwwwwwwwk.",
    "kwwwwwwwwwk.",
    "kkkkkkkkkkk.",
]
PRINTER = [
    ".....kkkkkkkk.....",
    ".....kwwwwwwk.....",
    ".....kwddddwk.....",
    ".....kwwwwwwk.....",
    "..kkkkkkkkkkkkkk..",
    ".kllllllllllllllk.",
    "kllllllllllllleelk",
    "kllllllllllllllllk",
    "kggggggggggggggggk",
    "kggkkkkkkkkkkkkggk",
    "kggkwwwwwwwwwwkggk",
    ".kkkwddddddddwkkk.",
    "....kwwwwwwwwk....",
    "....kkkkkkkkkk....",
]
SCANNER = [
    "kkkkkkkkkkkkkkkkkk",
    "kssssssssssssssssk",
    "kkkkkkkkkkkkkkkkkk",
    ".kccccccccccccccck",
    ".kcwwwwwwwwwwwwwck",
    ".kcwwwwwwwwwwwwwck",
    ".kceeeeeeeeeeeeeck",
    ".kcwwwwwwwwwwwwwck",
    ".kkkkkkkkkkkkkkkkk",
    ".kllllllllllleelk.",
    ".kkkkkkkkkkkkkkkk.",
]
SCISSORS = [
    "dd.......dd",
    ".dd.....dd.",
    ".dsd...dsd.",
    "..dsd.dsd..",
    "...dsdsd...",
    "....dkd....",
    ".....k.....",
    "....rkr....",
    "...r...r...",
    ".rrr...rrr.",
    "r..r...r..r",
    "r..r...r..r",
    ".rr.....rr.",
]
DOOR = [
    "kkkkkkkkkkk.",
    "kwwwwwwwwwk.",
    "kwnnnnnnnnk.",
    "kwnkkknnnnk.",
    "kwnknnnnnnk.",
    "kwnknnnnnnk.",
    "kwnnnnnnnnk.",
    "kwnnnnnnyyk.",
    "kwnnnnnnyyk.",
    "kwnnnnnnnnk.",
    "kwnnnnnnnnk.",
    "kwnnnnnnnnk.",
    "kwnnnnnnnnk.",
    "kkkkkkkkkkk.",
]
MONITOR = [
    "kkkkkkkkkkkkk",
    "kcccccccccccd",
    "kcbbbbbbbbbcd",
    "kcbbbbbbbbbcd",
    "kcbbbbbbbbbcd",
    "kcbbbbbbbbbcd",
    "kcccccccccccd",
    "kddddddddddde",
    ".....kdk.....",
    "...kkkkkkk...",
]


# ---- icons: CMD_B (tool buttons) -------------------------------------------
def paper(L, x0=3, y0=3, x1=20, y1=20):
    L.fill(x0, y0, x1, y1, W)
    L.rect(x0, y0, x1, y1, GREY)


def cmd_pset(L):
    L.fill(3, 17, 5, 19, BLUE)
    L.sprite(PENCIL, 8, 3)


def cmd_freeline(L):
    L.bezier((3, 16), (7, 2), (12, 24), (20, 5), BLUE, width=2)


def cmd_line(L):
    L.line(4, 19, 19, 4, K, width=2)


def cmd_box(L):
    L.rect(3, 6, 20, 17, K)
    L.rect(4, 7, 19, 16, K)


def cmd_boxfill(L):
    L.fill(3, 6, 20, 17, BLUE)
    L.rect(3, 6, 20, 17, K)


def cmd_circle(L):
    L.ellipse(3, 3, 20, 20, outline=K)
    L.ellipse(4, 4, 19, 19, outline=K)


def cmd_circlefill(L):
    L.ellipse(3, 3, 20, 20, outline=K, fill=BLUE)


def cmd_paint(L, letter):
    L.sprite(BUCKET, 2, 3)
    L.fill(12, 15, 20, 20, BLUE)
    L.text(letter, 3, 14, K, bold=True)


def cmd_paint_a(L):
    cmd_paint(L, 'A')


def cmd_paint_b(L):
    cmd_paint(L, 'B')


def mask_scene(L, inside, fuzzy=False):
    """A white panel with a red (designated colour) square; a blue stroke lands
    only on the square (inside) or only off it (not inside)."""
    L.fill(3, 9, 20, 20, W)
    L.rect(3, 9, 20, 20, GREY)
    for y in range(11, 19):
        for x in range(8, 16):
            if fuzzy and (x + y) % 3 == 0:
                L.set(x, y, ORANGE)
            elif fuzzy and (x * y) % 5 == 1:
                L.set(x, y, (240, 80, 80))
            else:
                L.set(x, y, RED)
    for y in range(13, 17):
        for x in range(4, 20):
            on_square = 8 <= x <= 15 and 11 <= y <= 18
            if on_square == inside:
                L.set(x, y, BLUE)
    L.sprite(SMALL_PENCIL, 15, 2)


def cmd_maskpen(L):
    mask_scene(L, True)


def cmd_revmaskpen(L):
    mask_scene(L, False)


def cmd_areacopy(L):
    L.fill(9, 9, 20, 20, LBLUE)
    L.rect(9, 9, 20, 20, K)
    L.dashed_rect(3, 3, 14, 14)


def side_scene(L, side):
    """A grey shape on the red background; one edge recoloured blue, an arrow
    pointing at it from that side."""
    L.fill(3, 3, 20, 20, RED)
    L.fill(8, 8, 15, 15, GREY)
    edge = {'L': (8, 8, 9, 15), 'R': (14, 8, 15, 15), 'U': (8, 8, 15, 9), 'D': (8, 14, 15, 15)}[side]
    L.fill(*edge, BLUE)
    arrows = {'L': (3, 12, 6, 12), 'R': (20, 12, 17, 12), 'U': (12, 3, 12, 6), 'D': (12, 20, 12, 17)}
    L.arrow(*arrows[side], W, head=2)


def cmd_side_left(L):
    side_scene(L, 'L')


def cmd_side_right(L):
    side_scene(L, 'R')


def cmd_side_up(L):
    side_scene(L, 'U')


def cmd_side_down(L):
    side_scene(L, 'D')


def cmd_reverse(L):
    L.fill(3, 4, 11, 19, K)
    L.fill(12, 4, 20, 19, W)
    L.rect(3, 4, 20, 19, K)
    L.ellipse(5, 9, 10, 14, fill=W)
    L.ellipse(13, 9, 18, 14, fill=K)


def swatch_change(L, src, fuzzy=False, reverse=False):
    for y in range(3, 11):
        for x in range(3, 11):
            c = src
            if fuzzy and (x + 2 * y) % 3 == 0:
                c = ORANGE
            L.set(x, y, c)
    L.rect(3, 3, 10, 10, K)
    if reverse:  # "every colour but this one"
        L.line(2, 11, 11, 2, W, width=1)
        L.line(3, 11, 11, 3, K, width=1)
    L.fill(13, 13, 20, 20, BLUE)
    L.rect(13, 13, 20, 20, K)
    L.line(12, 6, 16, 6, K, width=2)
    L.arrow(16, 6, 16, 11, K, head=2, width=2)


def cmd_changecolor(L):
    swatch_change(L, RED)


def clipboard_scene(L, to_clipboard):
    if to_clipboard:
        L.dashed_rect(2, 2, 9, 8)
        L.fill(3, 3, 8, 7, LBLUE)
        L.sprite(CLIPBOARD, 10, 9)
        L.arrow(6, 10, 9, 13, BLUE, head=2)
    else:
        L.sprite(CLIPBOARD, 2, 2)
        L.fill(14, 14, 20, 20, LBLUE)
        L.rect(14, 14, 20, 20, K)
        L.arrow(13, 9, 17, 13, BLUE, head=2)


def cmd_copy_to_clip(L):
    clipboard_scene(L, True)


def cmd_copy_from_clip(L):
    clipboard_scene(L, False)


def cmd_text(L):
    # A bold serif "A".
    L.polygon_fill([(10, 3), (14, 3), (20.5, 19), (16.5, 19), (12, 7), (7.5, 19), (3.5, 19)], K)
    L.fill(8, 13, 16, 15, K)
    L.fill(3, 19, 8, 20, K)
    L.fill(15, 19, 21, 20, K)


def spray_dots(L, x0, y0, x1, y1, colour, keep=lambda x, y: True):
    seed = 7
    for _ in range(40):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        x = x0 + seed % (x1 - x0 + 1)
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        y = y0 + seed % (y1 - y0 + 1)
        if keep(x, y):
            L.set(x, y, colour)


def cmd_spray(L):
    L.sprite(SPRAY_CAN, 15, 8)
    L.line(15, 9, 14, 9, K)
    spray_dots(L, 3, 3, 12, 16, BLUE, lambda x, y: (x - 7) ** 2 + (y - 9) ** 2 <= 30)


def cmd_maskspray(L):
    L.fill(3, 3, 13, 19, W)
    L.rect(3, 3, 13, 19, GREY)
    L.fill(5, 8, 11, 14, RED)
    spray_dots(L, 4, 4, 12, 18, BLUE, lambda x, y: 5 <= x <= 11 and 8 <= y <= 14)
    L.sprite(SPRAY_CAN, 15, 8)


def cmd_fuzzymaskpen(L):
    mask_scene(L, True, fuzzy=True)


def cmd_fuzzychange(L):
    swatch_change(L, RED, fuzzy=True)


def cmd_revchange(L):
    swatch_change(L, RED, reverse=True)


def cmd_fuzrevchange(L):
    swatch_change(L, RED, fuzzy=True, reverse=True)


POLY = [(4, 9), (11, 3), (20, 8), (17, 20), (7, 17)]


def cmd_polygon(L):
    L.polyline(POLY, K, closed=True)
    for x, y in POLY:
        L.fill(x - 1, y - 1, x + 1, y + 1, BLUE)


def cmd_polycopy(L):
    seq = POLY + POLY[:1]
    for (xa, ya), (xb, yb) in zip(seq, seq[1:]):
        n = max(abs(xb - xa), abs(yb - ya))
        for i in range(n + 1):
            x = xa + round((xb - xa) * i / n)
            y = ya + round((yb - ya) * i / n)
            L.set(x, y, K if (i // 2) % 2 == 0 else W)
    L.fill(13, 14, 20, 20, LBLUE)
    L.rect(13, 14, 20, 20, K)


def cmd_glassmirror(L):
    # Patterned glass: each band shows its little picture upside down.
    L.fill(3, 3, 20, 20, (200, 225, 250))
    for bx in (3, 12):
        for by in (3, 12):
            flipped = (bx + by) % 2 == 1
            for i in range(7):
                y = by + 1 + i
                x = bx + 1 + (6 - i if flipped else i)
                L.set(x, y, BLUE)
                L.set(x + 1, y, BLUE)
    L.rect(3, 3, 20, 20, K)
    L.line(11, 3, 11, 20, GREY)
    L.line(3, 11, 20, 11, GREY)


def cmd_bezier(L):
    L.line(3, 19, 7, 4, GREY)
    L.line(20, 19, 16, 4, GREY)
    L.bezier((3, 19), (7, 4), (16, 4), (20, 19), K, width=2)
    for x, y in ((7, 4), (16, 4)):
        L.rect(x - 1, y - 1, x + 1, y + 1, BLUE)


def cmd_vbox(L):
    for x in range(3, 21):
        v = 40 + (x - 3) * 12
        L.line(x, 5, x, 19, (v // 3, v // 2, min(255, v)))
    L.rect(3, 5, 20, 19, K)
    L.text('V', 5, 9, W, bold=True)


def cmd_vpen(L):
    L.fill(3, 12, 14, 16, (30, 40, 120))
    L.fill(8, 12, 14, 16, (110, 140, 250))
    L.sprite(SMALL_PENCIL, 14, 7)
    L.text('V', 3, 3, K)


def soft_spot(L, cx, cy, r, keep=lambda x, y: True, back=W):
    for y in range(CELL):
        for x in range(CELL):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy) / r
            if d < 1 and keep(x, y):
                a = (1 - d) ** 1.3
                L.set(x, y, tuple(round(b * (1 - a) + c * a) for b, c in zip(back, BLUE)))


def cmd_airspray(L):
    L.fill(3, 3, 20, 20, W)
    L.rect(3, 3, 20, 20, GREY)
    soft_spot(L, 12, 12, 8.5)


def cmd_maskairspray(L):
    L.fill(3, 3, 20, 20, W)
    L.rect(3, 3, 20, 20, GREY)
    L.fill(7, 7, 16, 16, RED)
    soft_spot(L, 12, 12, 8.5, lambda x, y: 7 <= x <= 16 and 7 <= y <= 16, back=RED)


def cmd_thrupen(L):
    for y in range(3, 21):
        for x in range(3, 21):
            L.set(x, y, GREY if ((x - 3) // 3 + (y - 3) // 3) % 2 else W)
    for y in range(8, 16):
        for x in range(3, 21):
            c = L.get(x, y)
            L.set(x, y, tuple((a + b) // 2 for a, b in zip(c, BLUE)))
    L.rect(3, 3, 20, 20, K)


CMD_B = [
    cmd_pset, cmd_freeline, cmd_line, cmd_box, cmd_boxfill, cmd_circle, cmd_circlefill,
    cmd_paint_a, cmd_paint_b, cmd_maskpen, cmd_revmaskpen,                           # 0-10
    cmd_areacopy, cmd_side_left, cmd_side_right, cmd_side_up, cmd_side_down,          # 11-15
    cmd_reverse, cmd_changecolor, cmd_copy_to_clip, cmd_copy_from_clip, cmd_text,     # 16-20
    cmd_spray, cmd_maskspray, cmd_fuzzymaskpen, cmd_fuzzychange, cmd_revchange,        # 21-25
    cmd_fuzrevchange, cmd_polygon, cmd_polycopy, cmd_glassmirror, cmd_bezier,         # 26-30
    cmd_vbox, cmd_vpen, cmd_airspray, cmd_maskairspray, cmd_thrupen,                  # 31-35
]


# ---- EXP_M1: the tools of the magnified view --------------------------------
def cell_grid(L):
    """Corner mark of the expanded-mode tools: they paint whole picture pixels."""
    for x in range(16, 21):
        for y in range(16, 21):
            L.set(x, y, K if (x == 16 or y == 16 or x == 20 or y == 20 or x == 18 or y == 18) else W)


def exp_pset(L):
    for x, y in ((4, 14), (8, 14), (8, 10)):
        L.fill(x, y, x + 3, y + 3, BLUE)
    L.sprite(PENCIL, 10, 1)
    cell_grid(L)


def exp_copy(L):
    cmd_areacopy(L)
    cell_grid(L)


def exp_line(L):
    for i in range(5):
        L.fill(3 + 3 * i, 15 - 3 * i, 5 + 3 * i, 17 - 3 * i, K)
    cell_grid(L)


def exp_shape(fn):
    def draw(L):
        fn(L)
        cell_grid(L)
    return draw


def exp_box(L):
    L.rect(3, 4, 15, 14, K)
    L.rect(4, 5, 14, 13, K)
    cell_grid(L)


def exp_boxfill(L):
    L.fill(3, 4, 15, 14, BLUE)
    L.rect(3, 4, 15, 14, K)
    cell_grid(L)


def exp_circle(L):
    L.ellipse(3, 3, 16, 16, outline=K)
    L.ellipse(4, 4, 15, 15, outline=K)
    cell_grid(L)


def exp_circlefill(L):
    L.ellipse(3, 3, 16, 16, outline=K, fill=BLUE)
    cell_grid(L)


EXP_M1 = [
    exp_pset, cmd_paint_a, cmd_paint_b, cmd_maskpen, cmd_revmaskpen,      # 0-4
    exp_boxfill, exp_copy, cmd_side_left, cmd_side_right, cmd_side_up,   # 5-9
    cmd_side_down, cmd_fuzzymaskpen, exp_line, exp_box, exp_circle,       # 10-14
    exp_circlefill, cmd_vpen, exp_shape(cmd_vpen), cmd_airspray, cmd_maskairspray,  # 15-19
]


# ---- zoom buttons (EXP_M2; the magnify buttons use cells 1-3) ------------------
def zoom(factor):
    def draw(L):
        L.sprite(BIG_MAGNIFIER, 2, 2)
        L.text('x', 13, 14, K, FONT3)
        L.text(str(factor), 17, 13, RED if factor > 1 else K)
    return draw


EXP_M2 = [zoom(1), zoom(2), zoom(4), zoom(8)]


# ---- expansion group selector EXP_B -------------------------------------------
def expsel_tools(L):
    for x, y in ((3, 15), (7, 15), (7, 11)):
        L.fill(x, y, x + 3, y + 3, BLUE)
    L.sprite(PENCIL, 10, 2)
    cell_grid(L)


def expsel_more(L):
    L.fill(3, 3, 11, 11, RED)
    L.fill(6, 6, 11, 11, GREY)
    L.fill(6, 6, 7, 11, BLUE)
    L.fill(12, 12, 20, 20, W)
    L.rect(12, 12, 20, 20, GREY)
    soft_spot(L, 16.5, 16.5, 4.5)
    L.text('V', 14, 3, K)


def expsel_zoom(L):
    L.sprite(BIG_MAGNIFIER, 3, 3)


EXP_B = [expsel_tools, expsel_more, expsel_zoom]


# ---- effects EFCT_B ---------------------------------------------------------------
def picture_f(L, x0, y0, rot):
    """A small framed picture marked with an "F" turned by `rot` quarter turns
    (or mirrored when rot is 'm'), to show what the effect does."""
    rows = ["1111", "1...", "111.", "1...", "1..."]
    n = 5
    grid = [[rows[y][x] == '1' if x < 4 else False for x in range(n)] for y in range(n)]
    for _ in range(rot if isinstance(rot, int) else 0):
        grid = [[grid[n - 1 - x][y] for x in range(n)] for y in range(n)]
    if rot == 'm':
        grid = [list(reversed(r)) for r in grid]
    L.fill(x0, y0, x0 + 8, y0 + 8, W)
    L.rect(x0, y0, x0 + 8, y0 + 8, K)
    for y in range(n):
        for x in range(n):
            if grid[y][x]:
                L.set(x0 + 2 + x, y0 + 2 + y, BLUE)


def efct_rot_right(L):
    picture_f(L, 7, 10, 1)
    L.arc_arrow(11.5, 14, 9, 200, 315, RED, head=4)


def efct_rot_left(L):
    picture_f(L, 7, 10, 3)
    L.arc_arrow(11.5, 14, 9, 340, 225, RED, head=4)


def efct_rot_180(L):
    picture_f(L, 7, 8, 2)
    L.arc_arrow(11.5, 12.5, 8.5, 135, 395, RED, head=4)


def efct_mirror(L):
    L.polygon_fill([(10, 5), (10, 18), (3, 18)], BLUE)
    L.polygon_fill([(14, 5), (14, 18), (21, 18)], LBLUE)
    L.polyline([(14, 5), (14, 18), (21, 18)], K, closed=True)
    L.polyline([(10, 5), (10, 18), (3, 18)], K, closed=True)
    L.dashed(12, 2, 12, 21, RED, FACE, 2)


def efct_merge(L):
    L.fill(3, 3, 14, 14, (60, 200, 60))
    L.fill(6, 6, 11, 11, BLUE)
    L.rect(3, 3, 14, 14, K)
    L.fill(9, 9, 20, 20, W)
    L.ellipse(11, 11, 18, 18, fill=ORANGE)
    L.rect(9, 9, 20, 20, K)
    L.fill(10, 10, 13, 13, BLUE)


def efct_special(L):
    # A plug: the special options are programs the picture is handed to.
    L.fill(7, 3, 8, 7, DGREY)
    L.fill(14, 3, 15, 7, DGREY)
    L.fill(5, 8, 17, 14, K)
    L.fill(6, 9, 16, 13, GREY)
    L.fill(9, 15, 13, 17, K)
    L.line(11, 18, 11, 20, K)
    L.line(11, 20, 20, 20, K)


EFCT_B = [efct_rot_right, efct_rot_left, efct_rot_180, efct_mirror, efct_merge, efct_special]


# ---- system buttons SYS_B ----------------------------------------------------
def sys_quit(L):
    L.sprite(DOOR, 3, 4)
    L.arrow(12, 11, 20, 11, RED, head=3, width=2)


def sys_unused(L):
    # Cell 1 has no button on the palette.
    pass


def gear(L, cx, cy, hub=FACE):
    for k in range(8):
        a = math.radians(k * 45 + 22.5)
        tx, ty = round(cx + 7.2 * math.cos(a) - 0.5), round(cy + 7.2 * math.sin(a) - 0.5)
        L.fill(tx - 1, ty - 1, tx + 1, ty + 1, DGREY)
    L.ellipse(round(cx) - 6, round(cy) - 6, round(cx) + 5, round(cy) + 5, outline=K, fill=GREY)
    L.ellipse(round(cx) - 2, round(cy) - 2, round(cx) + 1, round(cy) + 1, outline=K, fill=hub)


def sys_settings(L):
    gear(L, 12, 12)


def sys_handover(slot):
    def draw(L):
        L.sprite(MONITOR, 8, 11)
        L.arrow(3, 6, 11, 6, BLUE, head=3, width=2)
        L.text(str(slot), 15, 2, K)
    return draw


SYS_B = [sys_quit, sys_unused, sys_settings, sys_handover(1), sys_handover(2)]


# ---- file buttons FILE_B ---------------------------------------------------------
def file_open(L):
    L.sprite(FOLDER, 3, 7)
    L.arrow(17, 2, 17, 8, GREEN, head=2, width=2)


def file_save(L):
    L.sprite(FLOPPY, 4, 5)


def file_paste(L):
    L.sprite(CLIPBOARD, 2, 2)
    L.fill(13, 13, 20, 20, W)
    L.rect(13, 13, 20, 20, K)
    L.fill(14, 14, 19, 19, LBLUE)
    L.arrow(11, 9, 15, 13, GREEN, head=2)


def file_copy(L):
    L.fill(3, 3, 10, 10, W)
    L.rect(3, 3, 10, 10, K)
    L.fill(4, 4, 9, 9, LBLUE)
    L.sprite(CLIPBOARD, 10, 10)
    L.arrow(8, 11, 11, 14, RED, head=2)


def file_size(L):
    L.fill(3, 3, 13, 13, W)
    L.rect(3, 3, 13, 13, K)
    L.fill(4, 4, 12, 12, LBLUE)
    L.dashed_rect(3, 3, 20, 20)
    L.arrow(14, 14, 19, 19, RED, head=3)


def file_new(L):
    L.sprite(PAGE, 6, 5)
    # a little sparkle: brand new
    L.line(4, 2, 4, 6, ORANGE)
    L.line(2, 4, 6, 4, ORANGE)


def file_print(L):
    L.sprite(PRINTER, 3, 5)


def file_scan(L):
    L.sprite(SCANNER, 3, 7)
    L.line(6, 3, 18, 3, GREEN)
    L.line(5, 5, 19, 5, GREEN)


FILE_B = [file_open, file_save, file_paste, file_copy, file_size, file_new, file_print, file_scan]


# ---- normal group selector ROOT_B --------------------------------------------------
def root_drawing(L):
    L.rect(3, 10, 11, 19, K)
    L.ellipse(9, 12, 18, 20, outline=BLUE)
    L.sprite(PENCIL, 10, 2)


def root_magnify(L):
    L.sprite(BIG_MAGNIFIER, 3, 3)
    L.text('x', 12, 14, K, FONT3)


def root_file(L):
    L.sprite(FOLDER, 2, 8)
    L.sprite(FLOPPY, 10, 2)


def root_system(L):
    gear(L, 12, 12, hub=RED)


def root_editing(L):
    L.dashed_rect(2, 2, 21, 21)
    L.sprite(SCISSORS, 6, 4)


def root_effects(L):
    picture_f(L, 7, 8, 1)
    L.arc_arrow(11.5, 12.5, 9, 200, 330, RED)
    L.arc_arrow(11.5, 12.5, 9, 20, 150, BLUE)


def root_colours(L):
    # A painter's palette.
    L.ellipse(2, 4, 21, 19, outline=BROWN, fill=WOOD)
    L.ellipse(13, 12, 17, 16, fill=FACE)
    for (x, y), c in zip(((5, 8), (9, 6), (13, 7), (6, 12), (9, 15)), (RED, YELLOW, BLUE, GREEN, PURPLE)):
        L.fill(x, y, x + 2, y + 2, c)


ROOT_B = [root_drawing, root_magnify, root_file, root_system, root_editing, root_effects, root_colours]


# ---- window buttons OPT_W_B --------------------------------------------------
def win_overview(L):
    L.fill(2, 4, 21, 19, W)
    L.rect(2, 4, 21, 19, K)
    L.fill(3, 5, 20, 6, BLUE)
    L.ellipse(5, 9, 12, 16, fill=GREEN)
    L.fill(13, 10, 18, 17, ORANGE)
    L.rect(9, 8, 16, 14, RED)
    L.rect(10, 9, 15, 13, RED)


def win_help(L):
    L.ellipse(2, 2, 21, 21, outline=DGREY, fill=(255, 240, 140))
    L.text('?', 7, 6, BLUE, bold=True)
    L.text('?', 7, 7, BLUE, bold=True)


def win_magnifier(L):
    L.fill(2, 4, 21, 19, W)
    L.rect(2, 4, 21, 19, K)
    L.fill(3, 5, 20, 6, BLUE)
    L.sprite(MAGNIFIER, 7, 8)


OPT_W = [win_overview, win_help, win_magnifier]


# ---- the undo button's faces: normal, pressed ----------------------------------
def undo_arrow(L):
    L.arc_arrow(12, 13, 6, 20, -200, BLUE, head=4)
    L.line(5, 19, 18, 19, GREY)


UNDO = [undo_arrow]


# ---- faces -----------------------------------------------------------------
def face(icon, highlighted):
    L = Layer()
    icon(L)
    img = [[FACE_ON if highlighted else FACE] * CELL for _ in range(CELL)]
    shift = 1 if highlighted else 0
    for (x, y), c in L.px.items():
        if 0 <= x + shift < CELL - 1 and 0 <= y + shift < CELL - 1:
            img[y + shift][x + shift] = c
    for i in range(CELL):
        if highlighted:  # sunken
            img[0][i] = img[i][0] = DARK
            if 0 < i < CELL - 1:
                img[1][i] = img[i][1] = SHADOW
            img[CELL - 1][i] = img[i][CELL - 1] = HILITE
        else:  # raised
            img[0][i] = img[i][0] = HILITE
            img[CELL - 1][i] = img[i][CELL - 1] = DARK
            if 0 < i < CELL - 1:
                img[CELL - 2][i] = img[i][CELL - 2] = SHADOW
    return img


def strip_image(icons):
    rows = []
    for highlighted in (False, True):
        faces = [face(icon, highlighted) for icon in icons]
        for y in range(CELL):
            rows.append([px for f in faces for px in f[y]])
    return rows


STRIPS = {
    'CMD_B_IMG': (CMD_B, 36),
    'EFCT_B_IMG': (EFCT_B, 6),
    'EXP_M1_IMG': (EXP_M1, 20),
    'EXP_M2_IMG': (EXP_M2, 4),
    'EXP_B_IMG': (EXP_B, 3),
    'SYS_B_IMG': (SYS_B, 5),
    'FILE_B_IMG': (FILE_B, 8),
    'ROOT_B_IMG': (ROOT_B, 7),
    'OPT_W_IMG': (OPT_W, 3),
    'UNDO_CMD_IMG': (UNDO, 1),
}

if __name__ == '__main__':
    out = sys.argv[1] if len(sys.argv) > 1 else 'data'
    for name, (icons, cells) in STRIPS.items():
        assert len(icons) == cells, name
        write_bmp(f'{out}/{name}.bmp', strip_image(icons))
