#!/usr/bin/env python3
"""Writes a Windows .ico from text pixel maps: one 16-colour image per map.

Usage: make_ico.py OUTPUT.ico MAP.txt [MAP.txt ...]
A map is a square of characters, one row per line; '.' is transparent and
the other characters name colours of the standard 16-colour palette below.
"""
import struct
import sys

# The standard Windows 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
COLOUR_OF = {'K': 0, 'R': 1, 'S': 7, 'G': 8, 'W': 15}
TRANSPARENT = '.'


def read_map(path):
    with open(path, encoding='ascii') as f:
        rows = [line.rstrip('\n') for line in f if line.strip()]
    size = len(rows)
    if any(len(row) != size for row in rows):
        sys.exit(f'{path}: the map must be square')
    for row in rows:
        for c in row:
            if c != TRANSPARENT and c not in COLOUR_OF:
                sys.exit(f'{path}: unknown colour {c!r}')
    return rows


def padded(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def image_bytes(rows):
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    colour = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bitmaps are stored bottom-up
        line = bytearray(padded(size * 4))
        bits = bytearray(padded(size))
        for x, c in enumerate(row):
            index = COLOUR_OF.get(c, 0)
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            if c == TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
        colour += line
        mask += bits
    return header + palette + bytes(colour) + bytes(mask)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    images = [(len(rows), image_bytes(rows)) for rows in map(read_map, sys.argv[2:])]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, data in images)
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
