#!/usr/bin/env python3
"""Writes the seed corpus of the bitmap and icon fuzz target.

Run from the repository root: python3 tools/make_fuzz_corpus.py
Small files of every kind the reader takes, each a few dozen bytes, into
tests/fuzz/corpus/bmp/ (the files libFuzzer adds there are kept as they are).
The settings and colour targets start from the factory files in data/.
"""
import os
import struct
import zlib

OUT = os.path.join('tests', 'fuzz', 'corpus', 'bmp')


def table(colours, core=False):
    return b''.join(bytes((b, g, r)) + (b'' if core else b'\0') for r, g, b in colours)


def info(width, height, bits, compression=0, size=40, used=0, masks=()):
    if size == 12:
        return struct.pack('<IHHHH', 12, width, height, 1, bits)
    head = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, compression, 0, 2835, 2835,
                       used, 0)[:size]
    head = struct.pack('<I', size) + head[4:]
    after = b''
    for i, m in enumerate(masks):
        if size >= 52 and 44 + 4 * i <= size:
            head = head[:40 + 4 * i] + struct.pack('<I', m) + head[44 + 4 * i:]
        else:
            after += struct.pack('<I', m)
    return head + b'\0' * (size - len(head)) + after


def bmp(dib, pixels):
    offset = 14 + len(dib)
    return b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0, offset) + dib + pixels


def icon(images, kind=1):
    head = struct.pack('<HHH', 0, kind, len(images))
    data = b''
    at = 6 + 16 * len(images)
    for w, h, image in images:
        head += struct.pack('<BBBBHHII', w, h, 0, 0, 1, 32, len(image), at + len(data))
        data += image
    return head + data


def png(width, height, depth=8):
    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
    per = 4 * depth // 8
    raw = b''.join(b'\0' + bytes(range(per * width)) for _ in range(height))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, depth, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))


GREYS = [(i * 17, i * 17, i * 17) for i in range(16)]
files = {
    '1bit.bmp': bmp(info(9, 2, 1, used=2) + table([(0, 0, 0), (255, 255, 255)]),
                    b'\xAA\x80\0\0\x55\x00\0\0'),
    '4bit.bmp': bmp(info(3, 2, 4) + table(GREYS), b'\x12\x30\0\0\x45\x60\0\0'),
    '8bit.bmp': bmp(info(2, 2, 8, used=3) + table(GREYS[:3]), b'\0\1\0\0\2\1\0\0'),
    '16bit.bmp': bmp(info(2, 1, 16), b'\xff\x7f\x00\x40'),
    '16bit-565.bmp': bmp(info(2, 1, 16, 3, masks=(0xF800, 0x07E0, 0x001F)), b'\xff\xff\x00\x04'),
    '24bit.bmp': bmp(info(2, 2, 24), b'\1\2\3\4\5\6\0\0\7\10\11\12\13\14\0\0'),
    '24bit-topdown.bmp': bmp(info(1, -2, 24), b'\1\2\3\0\4\5\6\0'),
    '32bit.bmp': bmp(info(2, 1, 32), b'\1\2\3\0\4\5\6\xff'),
    '32bit-v5-fields.bmp': bmp(info(1, 1, 32, 3, 124, masks=(0xFF, 0xFF00, 0xFF0000, 0xFF000000)),
                               b'\1\2\3\4'),
    '32bit-v4.bmp': bmp(info(1, 1, 32, 0, 108), b'\1\2\3\4'),
    '16bit-alphafields.bmp': bmp(info(1, 1, 16, 6, masks=(0xF00, 0xF0, 0xF, 0xF000)), b'\x84\x0f\0\0'),
    'core-8bit.bmp': bmp(info(2, 1, 8, size=12) + table(GREYS * 16, core=True), b'\1\2\0\0'),
    'os2-4bit.bmp': bmp(info(2, 1, 4, size=64, used=2) + table(GREYS[:2]), b'\x10\0\0\0'),
    'rle8.bmp': bmp(info(5, 4, 8, 1, used=4) + table(GREYS[:4]),
                    bytes([7, 1, 0, 0, 1, 2, 0, 2, 2, 1, 0, 3, 3, 1, 2, 0, 0, 1])),
    'rle4.bmp': bmp(info(5, 2, 4, 2, used=3) + table(GREYS[:3]),
                    bytes([5, 0x12, 0, 0, 0, 3, 0x21, 0x20, 2, 0x11, 0, 1])),
    'icon-4bit.ico': icon([(2, 2, info(2, 4, 4) + table(GREYS) +
                            b'\x12\0\0\0\x21\0\0\0\x40\0\0\0\0\0\0\0')]),
    'icon-32bit.ico': icon([(1, 1, info(1, 2, 32) + b'\1\2\3\x80' + b'\0\0\0\0')]),
    'cursor-1bit.cur': icon([(2, 2, info(2, 4, 1) + table([(0, 0, 0), (255, 255, 255)]) +
                              b'\x40\0\0\0\x80\0\0\0\x40\0\0\0\0\0\0\0')], kind=2),
    'icon-two.ico': icon([(1, 1, info(1, 2, 24) + b'\1\2\3\0\0\0\0\0'),
                          (2, 1, info(2, 2, 24) + b'\1\2\3\4\5\6\0\0\0\0\0\0')]),
    'icon-png.ico': icon([(2, 2, png(2, 2))]),
    'icon-png16.ico': icon([(1, 1, png(1, 1, 16))]),
}

os.makedirs(OUT, exist_ok=True)
for name, data in files.items():
    with open(os.path.join(OUT, name), 'wb') as f:
        f.write(data)
