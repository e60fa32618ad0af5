#!/usr/bin/env python3
"""Draws the application icon (a memo pad with a red checked cover and a
yellow pencil) for the desktop's icon theme and the tray: an SVG and PNGs of
every size in src/resources/icons/. The 16 and 32 pixel pictures are the
hand-set pixels of app16.xpm and app.xpm; the larger ones are drawn from the
same shapes as the SVG, smoothed. Plain Python, no imaging library. Run once
after changing the picture; the output is checked in."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.join(HERE, '..', 'src', 'resources')
OUT = os.path.join(RESOURCES, 'icons')
SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)
BLUE = (0, 0, 255, 255)
RED = (255, 0, 0, 255)
DARK_RED = (128, 0, 0, 255)
YELLOW = (255, 255, 0, 255)
SILVER = (192, 192, 192, 255)
WOOD = (240, 200, 140, 255)


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def along(a, b, t, side, half):
    """The point at t of the way from a to b, moved half to one side."""
    dx, dy = b[0] - a[0], b[1] - a[1]
    length = (dx * dx + dy * dy) ** 0.5
    nx, ny = -dy / length, dx / length
    return (a[0] + dx * t + nx * half * side, a[1] + dy * t + ny * half * side)


def shapes():
    """Convex polygons in a 32-unit square, drawn in order."""
    out = []
    # The pad: black frame, white page, ruled blue lines.
    out.append((rect(3, 3, 24, 30), BLACK))
    out.append((rect(4, 4, 23, 29), WHITE))
    for y in (13, 17, 21, 25, 28):
        out.append((rect(5, y, 22, y + 0.8), BLUE))
    # The cover across the top, checked red and dark red, with its edge.
    out.append((rect(3, 11, 24, 12.2), BLACK))
    for row in range(4):
        for col in range(10):
            x, y = 4 + col * 1.9, 4 + row * 1.75
            colour = RED if (row + col) % 2 == 0 else DARK_RED
            out.append((rect(x, y, x + 1.9, y + 1.75), colour))
    # The pencil, lying from the top right towards the bottom left.
    a, b, point = (29.5, 4.5), (12.5, 21.5), (8.5, 25.5)
    half = 2.4
    out.append(([along(a, b, 0, -1, half + 0.9), along(a, b, 0, 1, half + 0.9),
                 along(a, b, 1, 1, half + 0.9), (point[0] - 0.9, point[1] + 0.9),
                 along(a, b, 1, -1, half + 0.9)], BLACK))
    out.append(([along(a, b, 0.02, -1, half), along(a, b, 0.02, 1, half),
                 along(a, b, 0.2, 1, half), along(a, b, 0.2, -1, half)], SILVER))
    out.append(([along(a, b, 0.25, -1, half), along(a, b, 0.25, 1, half),
                 along(a, b, 1, 1, half), along(a, b, 1, -1, half)], YELLOW))
    out.append(([along(a, b, 1, -1, half), along(a, b, 1, 1, half), point], WOOD))
    tip = along(b, point, 0.6, 0, 0)
    out.append(([along(b, point, 0.6, -1, half * 0.4), along(b, point, 0.6, 1, half * 0.4),
                 point], BLACK))
    del tip
    return out


def inside(poly, x, y):
    sign = 0
    n = len(poly)
    for i in range(n):
        (x0, y0), (x1, y1) = poly[i], poly[(i + 1) % n]
        cross = (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0)
        if cross != 0:
            s = 1 if cross > 0 else -1
            if sign == 0:
                sign = s
            elif s != sign:
                return False
    return True


def render(size, samples=4):
    polys = shapes()
    scale = 32.0 / size
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    colour = (0, 0, 0, 0)
                    for poly, c in polys:
                        if inside(poly, x, y):
                            colour = c
                    # Premultiplied, so that edges do not darken.
                    a = colour[3]
                    acc[0] += colour[0] * a
                    acc[1] += colour[1] * a
                    acc[2] += colour[2] * a
                    acc[3] += a
            n = samples * samples
            alpha = acc[3] / n
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(acc[i] / acc[3]) for i in range(3)) + (round(alpha),))
        pixels.append(row)
    return pixels


def from_xpm(name):
    with open(os.path.join(RESOURCES, name)) as f:
        strings = [line.strip().rstrip(',').strip('"') for line in f if line.strip().startswith('"')]
    w, h, ncolours, _ = (int(v) for v in strings[0].split())
    colours = {}
    for line in strings[1:1 + ncolours]:
        key, _, value = line[0], line[1:].split()[0], line[1:].split()[1]
        colours[key] = (0, 0, 0, 0) if value == 'None' else (
            int(value[1:3], 16), int(value[3:5], 16), int(value[5:7], 16), 255)
    return [[colours[c] for c in row] for row in strings[1 + ncolours:1 + ncolours + h]]


def write_png(path, pixels):
    h, w = len(pixels), len(pixels[0])
    raw = b''.join(b'\0' + bytes(v for p in row for v in p) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xffffffff)

    png = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0)) +
           chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))
    with open(path, 'wb') as f:
        f.write(png)


def write_svg(path):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">',
             '  <title>Kirimo</title>']
    for poly, (r, g, b, _) in shapes():
        points = ' '.join('%.3f,%.3f' % p for p in poly)
        lines.append('  <polygon points="%s" fill="#%02x%02x%02x"/>' % (points, r, g, b))
    lines.append('</svg>')
    with open(path, 'w') as f:
        f.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    write_svg(os.path.join(OUT, 'kirimo.svg'))
    for size in SIZES:
        if size == 16:
            pixels = from_xpm('app16.xpm')
        elif size == 32:
            pixels = from_xpm('app.xpm')
        else:
            pixels = render(size)
        write_png(os.path.join(OUT, 'kirimo-%d.png' % size), pixels)
