#!/usr/bin/env python3
"""Draws the program icon (a white power symbol on a blue rounded square) at 16x16 and
32x32 pixels, 32-bit with alpha, and writes KVRestart.ico next to this script.
Run it again after changing the drawing; the .ico is kept in the repository."""
import math
import os
import struct

SAMPLES = 4  # per axis, for smooth edges


def coverage(size, inside):
    """Fraction of each pixel for which inside(x, y) holds; x and y run from -1 to 1."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = ((px + (sx + 0.5) / SAMPLES) / size) * 2 - 1
                    y = ((py + (sy + 0.5) / SAMPLES) / size) * 2 - 1
                    hits += inside(x, y)
            row.append(hits / SAMPLES ** 2)
        rows.append(row)
    return rows


def rounded_square(x, y, half=0.94, radius=0.3):
    dx = max(abs(x) - (half - radius), 0)
    dy = max(abs(y) - (half - radius), 0)
    return abs(x) <= half and abs(y) <= half and dx * dx + dy * dy <= radius * radius


def power_symbol(stroke):
    def inside(x, y):
        r = math.hypot(x, y)
        angle = math.degrees(math.atan2(x, -y))  # 0 points up
        ring = 0.52 - stroke / 2 <= r <= 0.52 + stroke / 2 and abs(angle) > 38
        bar = abs(x) <= stroke / 2 and -0.72 <= y <= 0.02
        return ring or bar
    return inside


def draw(size):
    stroke = 0.22 if size <= 16 else 0.17
    back = coverage(size, rounded_square)
    mark = coverage(size, power_symbol(stroke))
    pixels = []  # rows top to bottom, BGRA
    for py in range(size):
        row = []
        for px in range(size):
            shade = py / (size - 1)  # a light vertical gradient
            blue = (int(40 - 20 * shade), int(110 - 40 * shade), int(215 - 45 * shade))  # R, G, B
            m = mark[py][px]
            r, g, b = (round(c * (1 - m) + 255 * m) for c in blue)
            a = round(255 * back[py][px])
            row.append(bytes((b, g, r, a)))
        pixels.append(b"".join(row))
    return pixels


def bitmap(size):
    rows = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(reversed(rows))  # bottom-up
    mask_row = ((size + 31) // 32) * 4
    return header + colour + bytes(mask_row * size)  # alpha decides; the mask stays clear


def main():
    sizes = (16, 32)
    images = [bitmap(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "KVRestart.ico")
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
