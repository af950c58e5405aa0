#!/usr/bin/env python3
"""Draws the mouse pointers of data/ from the ASCII art below.

Run from the repository root: python3 tools/make_cursors.py
Each pointer is a 32 x 32 24-bit BMP. Magenta (255, 0, 255) is the key colour:
the editor makes it transparent. The hot spots are set where the editor loads
the pointers (P_WIN::SetPointer).
"""
import struct
import sys

PALETTE = {
    '.': (255, 0, 255),    # transparent
    '#': (0, 0, 0),        # outline
    'w': (255, 255, 255),  # white
    'k': (64, 64, 64),     # dark grey
    'g': (170, 170, 170),  # can
    'h': (150, 90, 40),    # handle
    's': (230, 190, 90),   # sand
    'p': (40, 90, 220),    # paint
    'r': (210, 40, 40),    # rubber bulb
    'd': (0, 0, 0),        # spray dots
}

# Paint bucket pouring; hot spot at the end of the drip.
PAINT = [
    "................................",
    "................................",
    "...................##########...",
    "..................##hhhhhhhh##..",
    ".................##hh######hh##.",
    "................##k###....##hh##",
    "...............##kkk##.....##hh#",
    "..............##kkkww##.....##h#",
    ".............##kkkwwww##.....#h#",
    "............##kkkwwwwww##....#h#",
    "...........##kkkwwwwwwww##...#h#",
    "..........##kkkwwwwwwwwww##..#h#",
    ".........##kkkwwwwwwwwwwww####h#",
    "........##kkkwwwwwwwwwwwwww##hh#",
    ".....####kkkwwwwwwwwwwwwwwww#h##",
    "....##ppkkkwwwwwwwwwwwwwwwwww##.",
    "....#ppppkwwwwwwwwwwwwwwwwww##..",
    "....#pppppwwwwwwwwwwwwwwwww##...",
    "....#ppppp#wwwwwwwwwwwwwww##....",
    "....##ppp###wwwwwwwwwwwww##.....",
    ".....#pp##.##wwwwwwwwwww##......",
    ".....#pp#...##wwwwwwwww##.......",
    ".....#pp#....##wwwwwww##........",
    ".....#pp#.....##wwwww##.........",
    ".....#pp#......##www##..........",
    ".....#pp#.......##w##...........",
    "....##pp##.......###............",
    "....#pppp#......................",
    "....##pp##......................",
    ".....####.......................",
    "................................",
    "................................",
]

# Eyedropper; hot spot at the tip, bottom left.
SPOIT = [
    "................................",
    "................................",
    "................................",
    ".......................####.....",
    "......................##rr##....",
    ".....................##rrrr##...",
    "....................##rrrrrr#...",
    "...................##rrrrrrr#...",
    "..................##rrrrrrr##...",
    ".................##rrrrrrr##....",
    "................##rrrrrrr##.....",
    "..............###rrrrrrr##......",
    "..............#kkrrrrrr##.......",
    "..............##kkrrrr##........",
    ".............##wwkkrr##.........",
    "............##wwwwkk##..........",
    "...........##wwwww#k#...........",
    "..........##wwwww####...........",
    ".........##wwwww##..............",
    "........##wwwww##...............",
    ".......##wwwww##................",
    "......##wwwww##.................",
    ".....##wwwww##..................",
    "....##wwwww##...................",
    "...##wwwww##....................",
    "..##wwwww##.....................",
    "..#wwwww##......................",
    ".##wwww##.......................",
    "##wwww##........................",
    "#www###.........................",
    "#ww##...........................",
    "####............................",
]

# Magnifying glass; hot spot in the middle of the lens.
LUPE = [
    "................................",
    ".......#######..................",
    ".....###wwwww###................",
    "....##wwwwwwwww##...............",
    "...##www#####www##..............",
    "..##ww###...###ww##.............",
    "..#ww##.......##ww#.............",
    ".##ww#.........#ww##............",
    ".#ww##.........##ww#............",
    ".#ww#...........#ww#............",
    ".#ww#...........#ww#............",
    ".#ww#...........#ww#............",
    ".#ww##.........##ww#............",
    ".##ww#.........#ww##............",
    "..#ww##.......##ww#.............",
    "..##ww###...###ww###............",
    "...##www#####www#hh##...........",
    "....##wwwwwwwww#hhhh##..........",
    ".....###wwwww###hhhhh##.........",
    ".......#######.##hhhhh##........",
    "................##hhhhh##.......",
    ".................##hhhhh##......",
    "..................##hhhhh##.....",
    "...................##hhhhh##....",
    "....................##hhhhh##...",
    ".....................##hhhhh##..",
    "......................##hhhhh##.",
    ".......................##hhhhh#.",
    "........................##hhhh#.",
    ".........................##hh##.",
    "..........................####..",
    "................................",
]

# Hourglass; hot spot in the middle.
WAIT = [
    "................................",
    "................................",
    ".....######################.....",
    ".....#kkkkkkkkkkkkkkkkkkkk#.....",
    ".....#kkkkkkkkkkkkkkkkkkkk#.....",
    ".....###wwwwwwwwwwwwwwww###.....",
    ".......#wwwwwwwwwwwwwwww#.......",
    ".......##wwwwwwwwwwwwww##.......",
    "........##wwwwwwwwwwww##........",
    ".........#wwssssssssww#.........",
    ".........##wwssssssww##.........",
    "..........##wssssssw##..........",
    "...........##wssssw##...........",
    "............#wwssww#............",
    "............##wssw##............",
    ".............##ww##.............",
    ".............##ww##.............",
    "............##wwww##............",
    "............#wwwwww#............",
    "...........##wwwwww##...........",
    "..........##wssssssw##..........",
    ".........##wwssssssww##.........",
    ".........#wwssssssssww#.........",
    "........##wssssssssssw##........",
    ".......##wwssssssssssww##.......",
    ".......#wwssssssssssssww#.......",
    ".....###wssssssssssssssw###.....",
    ".....#kkkkkkkkkkkkkkkkkkkk#.....",
    ".....#kkkkkkkkkkkkkkkkkkkk#.....",
    ".....######################.....",
    "................................",
    "................................",
]

# Spray can; hot spot in the middle of the spray.
SPRAY = [
    "................................",
    "................................",
    "................................",
    ".......d..d.....................",
    "..........d.....................",
    "..d......d......................",
    "...d.....d......#########.......",
    "........d...#####kkkkkkk#.......",
    "............#kkkkkkkkkkk#.......",
    "........d...#####kkkkkkk#.......",
    "....d........####kkkkkkk####....",
    "...d.....d...#ggggggggggggg#....",
    "....d.d......#ggwgggggggggg#....",
    "........d....#ggwgggggggggg#....",
    ".............#ggwgggggggggg#....",
    ".............#ggwgggggggggg#....",
    ".............#ggwgggggggggg#....",
    ".............#ggwgggggggggg#....",
    ".............#ggwgggggggggg#....",
    ".............#ggwgggggggggg#....",
    ".............#ggwgggggggggg#....",
    ".............#ggwgggggggggg#....",
    ".............#ggwgggggggggg#....",
    ".............#ggwgggggggggg#....",
    ".............#ggwgggggggggg#....",
    ".............#ggwgggggggggg#....",
    ".............#ggwgggggggggg#....",
    ".............#ggwgggggggggg#....",
    ".............#ggwgggggggggg#....",
    ".............#ggggggggggggg#....",
    ".............###############....",
    "................................",
]


def write_bmp(path, rows):
    height = len(rows)
    width = len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for ch in row:
            r, g, b = PALETTE[ch]
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        data += line
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


if __name__ == '__main__':
    out = sys.argv[1] if len(sys.argv) > 1 else 'data'
    for name, rows in (('PAINT', PAINT), ('SPOIT', SPOIT), ('LUPE', LUPE), ('WAIT', WAIT),
                       ('SPRAY', SPRAY)):
        assert len(rows) == 32 and all(len(r) == 32 for r in rows), name
        write_bmp(f'{out}/{name}_CUR.bmp', rows)
