#!/usr/bin/env python3
"""Draws t408's application icon and writes it as a 16-colour .ico.

One image for each size Windows asks for at 100 % to 200 % display scaling:
16, 20, 24 and 32 px for the caption bar, 32, 40, 48 and 64 px for the task
bar and Alt+Tab.

The picture is a horizontal dimension: two extension lines, the dimension line
between them with an arrowhead at each end, and the value text above it as a
dark bar, with a small red plus in the corner for "add one more".
Run it from anywhere; it writes t408.ico beside itself.
"""
import os
import struct

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, RED, WHITE = 0, 4, 9, 15
SIZES = [16, 20, 24, 32, 40, 48, 64]


def draw(size):
    """Returns rows (top first) of palette indices and a transparency mask."""
    px = [[WHITE] * size for _ in range(size)]
    opaque = [[True] * size for _ in range(size)]
    s = size / 32.0

    def put(x, y, c):
        if 0 <= x < size and 0 <= y < size:
            px[y][x] = c

    def hline(x0, x1, y, c):
        for x in range(x0, x1 + 1):
            put(x, y, c)

    def vline(x, y0, y1, c):
        for y in range(y0, y1 + 1):
            put(x, y, c)

    left, right = round(3 * s), size - 1 - round(3 * s)
    line_y = round(22 * s)
    # Extension lines, from the measured points down past the dimension line.
    vline(left, round(10 * s), size - 1 - round(4 * s), BLACK)
    vline(right, round(10 * s), size - 1 - round(4 * s), BLACK)
    # The dimension line and its two arrowheads.
    hline(left, right, line_y, BLACK)
    head = max(2, round(4 * s))
    for i in range(1, head + 1):
        vline(left + i, line_y - (i * 2) // 3 if size > 16 else line_y - i // 2,
              line_y + (i * 2) // 3 if size > 16 else line_y + i // 2, BLACK)
        vline(right - i, line_y - (i * 2) // 3 if size > 16 else line_y - i // 2,
              line_y + (i * 2) // 3 if size > 16 else line_y + i // 2, BLACK)
    # The value text above the line.
    for y in range(round(15 * s), round(18 * s) + (0 if size > 16 else 1)):
        hline(round(10 * s), size - 1 - round(10 * s), y, NAVY)
    # The red plus in the top-right corner.
    cx, cy, arm = size - 1 - round(5 * s), round(5 * s), max(1, round(4 * s))
    thick = 1 if size < 32 else size // 16
    for t in range(thick):
        hline(cx - arm, cx + arm, cy + t, RED)
        vline(cx + t, cy - arm, cy + arm, RED)
    return px, opaque


def bitmap(size):
    px, opaque = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = b''
    mask = b''
    for row in reversed(range(size)):  # bottom-up
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x in range(size):
            c = px[row][x]
            if x % 2 == 0:
                line[x // 2] |= c << 4
            else:
                line[x // 2] |= c
            if not opaque[row][x]:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += bytes(line)
        mask += bytes(bits)
    return header + palette + xor + mask


def main():
    images = [(size, bitmap(size)) for size in SIZES]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 't408.ico')
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
