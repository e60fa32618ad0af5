#!/usr/bin/env python3
"""Draws the size buttons' arrows and the application icon as XPM files in
src/resources/. Run once after changing a picture; the output is checked in."""
import os

OUT = os.path.join(os.path.dirname(__file__), '..', 'src', 'resources')


def write_xpm(name, rows, colours):
    h, w = len(rows), len(rows[0])
    lines = ['/* XPM */', 'static const char *%s[] = {' % name.replace('-', '_'),
             '"%d %d %d 1",' % (w, h, len(colours))]
    lines += ['"%s c %s",' % (k, v) for k, v in colours.items()]
    lines += ['"%s"%s' % (r, ',' if i < h - 1 else '') for i, r in enumerate(rows)]
    lines.append('};')
    with open(os.path.join(OUT, name + '.xpm'), 'w') as f:
        f.write('\n'.join(lines) + '\n')


def arrow_down(size):
    """A solid black arrow pointing down with a dotted grey outline."""
    grid = [[' '] * size for _ in range(size)]
    s = size / 16.0
    shaft_l, shaft_r = int(6 * s), int(10 * s) - 1
    shaft_t, head_t, tip = int(2 * s), int(8 * s), int(14 * s)
    inside = set()
    for y in range(shaft_t, head_t):
        for x in range(shaft_l, shaft_r + 1):
            inside.add((x, y))
    centre = (size - 1) / 2.0
    for y in range(head_t, tip + 1):
        half = (tip - y) * (centre - int(1 * s)) / max(1, tip - head_t)
        for x in range(size):
            if abs(x - centre) <= half + 0.01:
                inside.add((x, y))
    for (x, y) in inside:
        grid[y][x] = 'X'
    # Dotted outline: every other pixel around the solid shape.
    for y in range(size):
        for x in range(size):
            if (x, y) in inside:
                continue
            near = any((x + dx, y + dy) in inside for dx in (-1, 0, 1) for dy in (-1, 0, 1))
            if near and (x + y) % 2 == 0:
                grid[y][x] = '.'
    return [''.join(r) for r in grid]


def rotate(rows):  # 90 degrees clockwise
    h = len(rows)
    return [''.join(rows[h - 1 - y][x] for y in range(h)) for x in range(len(rows[0]))]


ARROW_COLOURS = {' ': 'None', 'X': '#000000', '.': '#808080'}


def arrows():
    for size, suffix in ((16, ''), (32, '32')):
        down = arrow_down(size)
        left = rotate(down)
        up = rotate(left)
        right = rotate(up)
        for name, rows in (('down', down), ('left', left), ('up', up), ('right', right)):
            write_xpm('arrow_%s%s' % (name, suffix), rows, ARROW_COLOURS)


def app_icon(size):
    """A memo pad with a red checked cover and a yellow pencil."""
    s = size / 32.0
    g = [[' '] * size for _ in range(size)]

    def put(x, y, c):
        if 0 <= x < size and 0 <= y < size:
            g[y][x] = c

    pad_l, pad_r, pad_t, pad_b = int(3 * s), int(22 * s), int(3 * s), int(29 * s)
    for y in range(pad_t, pad_b + 1):
        for x in range(pad_l, pad_r + 1):
            edge = x in (pad_l, pad_r) or y in (pad_t, pad_b)
            put(x, y, 'k' if edge else 'w')
    # Ruled lines on the page.
    for y in range(int(12 * s), pad_b, max(2, int(4 * s))):
        for x in range(pad_l + 2, pad_r - 1):
            put(x, y, 'b')
    # Red checked cover across the top.
    cover_b = int(10 * s)
    cell = max(1, int(2 * s))
    for y in range(pad_t + 1, cover_b + 1):
        for x in range(pad_l + 1, pad_r):
            put(x, y, 'r' if ((x // cell) + (y // cell)) % 2 == 0 else 'R')
    for x in range(pad_l, pad_r + 1):
        put(x, cover_b + 1, 'k')
    # Yellow pencil lying diagonally over the pad, point down-left.
    for i in range(int(20 * s)):
        cx, cy = int(28 * s) - i, int(5 * s) + i
        for w in range(-int(1.5 * s), int(1.5 * s) + 1):
            put(cx + w, cy + w, 'y' if i > int(3 * s) else ('t' if i > int(1 * s) else 'k'))
        put(cx - int(1.5 * s) - 1, cy - int(1.5 * s), 'k')
        put(cx + int(1.5 * s) + 1, cy + int(1.5 * s), 'k')
    return [''.join(r) for r in g]


ICON_COLOURS = {' ': 'None', 'k': '#000000', 'w': '#FFFFFF', 'b': '#0000FF', 'r': '#FF0000',
                'R': '#800000', 'y': '#FFFF00', 't': '#C0C0C0'}

if __name__ == '__main__':
    arrows()
    write_xpm('app', app_icon(32), ICON_COLOURS)
    write_xpm('app16', app_icon(16), ICON_COLOURS)
