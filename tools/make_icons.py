#!/usr/bin/env python3
"""Draws the small icon strips of data/ from the ASCII art below.

Run from the repository root: python3 tools/make_icons.py
Each strip is a 24-bit BMP; cells are stacked top to bottom.
"""
from bmp24 import write_ascii_bmp
import sys

PALETTE = {
    '.': (212, 208, 200),  # button face
    '#': (48, 48, 48),     # frame
    'w': (255, 255, 255),  # window inside
    'b': (30, 90, 200),    # status line shown
    '-': (150, 150, 150),  # status line hidden
}

# Status-line toggle: cell 0 = status line hidden, cell 1 = shown.
UNDO_B_IMG = [
    [
        "..............",
        ".############.",
        ".#wwwwwwwwww#.",
        ".#wwwwwwwwww#.",
        ".#wwwwwwwwww#.",
        ".#wwwwwwwwww#.",
        ".#wwwwwwwwww#.",
        ".#wwwwwwwwww#.",
        ".#wwwwwwwwww#.",
        ".#wwwwwwwwww#.",
        ".#-.-.-.-.-.#.",
        ".#.-.-.-.-.-#.",
        ".############.",
        "..............",
    ],
    [
        "..............",
        ".############.",
        ".#wwwwwwwwww#.",
        ".#wwwwwwwwww#.",
        ".#wwwwwwwwww#.",
        ".#wwwwwwwwww#.",
        ".#wwwwwwwwww#.",
        ".#wwwwwwwwww#.",
        ".#wwwwwwwwww#.",
        ".############.",
        ".#bbbbbbbbbb#.",
        ".#bbbbbbbbbb#.",
        ".############.",
        "..............",
    ],
]


def strip(cells):
    for cell in cells:
        assert len(cell) == len(cells[0]) and all(len(r) == len(cell[0]) for r in cell)
    return [row for cell in cells for row in cell]


if __name__ == '__main__':
    out = sys.argv[1] if len(sys.argv) > 1 else 'data'
    write_ascii_bmp(f'{out}/UNDO_B_IMG.bmp', strip(UNDO_B_IMG), PALETTE)
