#!/usr/bin/env python3
"""Draws the floating window's background, a pale gingham check, as the
24-bit picture src/resources/gingham.png (513 x 385 pixels). Run once after
changing it; the output is checked in."""
import os
import struct
import zlib

OUT = os.path.join(os.path.dirname(__file__), '..', 'src', 'resources', 'gingham.png')

WIDTH, HEIGHT = 513, 385
SQUARE = 8  # pixels per band
PINK = (250, 189, 227)    # bands running down
CREAM = (251, 235, 196)   # bands running across
GROUND = (253, 245, 226)  # near white, between the bands


def crossing(a, b):
    """Where two bands cross, the weave shows both: a little deeper than
    either, as woven gingham looks."""
    return tuple(max(0, (x + y) // 2 - 8) for x, y in zip(a, b))


def pixel(x, y):
    down = (x // SQUARE) % 2 == 0
    across = (y // SQUARE) % 2 == 0
    if down and across:
        return crossing(PINK, CREAM)
    if down:
        return PINK
    if across:
        return CREAM
    return GROUND


def png(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xffffffff)
    raw = b''.join(b'\x00' + bytes(v for p in row for v in p) for row in rows)
    header = struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)  # 8-bit RGB
    # 96 DPI (3780 pixels per metre), so that nothing scales it.
    dpi = struct.pack('>IIB', 3780, 3780, 1)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'pHYs', dpi) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


if __name__ == '__main__':
    rows = [[pixel(x, y) for x in range(WIDTH)] for y in range(HEIGHT)]
    with open(OUT, 'wb') as f:
        f.write(png(WIDTH, HEIGHT, rows))
