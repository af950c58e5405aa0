"""Writes 24-bit Windows bitmaps for the data generators in this folder."""
import struct


def write_bmp(path, rows):
    """rows: top to bottom, each a list of (r, g, b) tuples of equal length."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b'\0' * (stride - len(line))
        data += line
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def write_ascii_bmp(path, rows, palette):
    """rows: strings whose characters are keys of palette (char -> (r, g, b))."""
    write_bmp(path, [[palette[ch] for ch in row] for row in rows])
