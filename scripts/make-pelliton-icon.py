#!/usr/bin/env python3
"""Draws the sound browser's icon (resource 101): a white quaver over sound
waves on a rounded blue tile, 32 x 32 pixels in 256 colours, and writes it
as pelliton/pelliton.ico. The icon is committed; run this only to change it."""

import math
import struct
from pathlib import Path

SIZE = 32
SUPERSAMPLE = 4



def inside_tile(x, y):
    """Rounded square with a margin of one pixel and corners of radius 6."""
    lo, hi, radius = 1.0, SIZE - 1.0, 6.0
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2 and lo <= x <= hi and lo <= y <= hi


def inside_note(x, y):
    """A quaver: an oval head, a stem and a flag."""
    hx, hy = 12.0, 23.0
    dx, dy = x - hx, y - hy
    angle = math.radians(-25)
    rx = dx * math.cos(angle) - dy * math.sin(angle)
    ry = dx * math.sin(angle) + dy * math.cos(angle)
    head = (rx / 4.2) ** 2 + (ry / 3.0) ** 2 <= 1.0
    stem = 15.0 <= x <= 16.6 and 6.0 <= y <= 22.5
    flag = 16.6 <= x <= 16.6 + 5.0 * math.sin(math.pi * (y - 6.0) / 12.0) and 6.0 <= y <= 15.0
    return head or stem or flag


def inside_waves(x, y):
    """Two arcs to the right of the note."""
    for radius in (5.0, 8.5):
        distance = math.hypot(x - 19.0, y - 16.0)
        if abs(distance - radius) <= 0.8 and x > 19.0 + radius * 0.55:
            return True
    return False


def pixel(px, py):
    """Average colour and coverage of one output pixel."""
    samples = []
    for sy in range(SUPERSAMPLE):
        for sx in range(SUPERSAMPLE):
            x = px + (sx + 0.5) / SUPERSAMPLE
            y = py + (sy + 0.5) / SUPERSAMPLE
            if not inside_tile(x, y):
                continue
            if inside_note(x, y) or inside_waves(x, y):
                samples.append((255, 255, 255))
            else:
                shade = y / SIZE  # lighter at the top
                samples.append((int(40 + 40 * (1 - shade)), int(110 + 60 * (1 - shade)), int(200 + 40 * (1 - shade))))
    coverage = len(samples) / SUPERSAMPLE ** 2
    if not samples:
        return None, coverage
    return tuple(sum(c[i] for c in samples) // len(samples) for i in range(3)), coverage


def palette_of(colours, step=4):
    """The distinct colours, each channel rounded to `step`, coarser until
    they fit in 256 entries; padded with black."""
    while True:
        rounded = sorted({tuple(min(255, round(c / step) * step) for c in colour) for colour in colours})
        if len(rounded) <= 256:
            return rounded + [(0, 0, 0)] * (256 - len(rounded))
        step *= 2


def nearest(palette, colour):
    return min(range(256), key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))


def main():
    pixels = [pixel(x, y) for y in range(SIZE) for x in range(SIZE)]
    opaque = [colour is not None and coverage >= 0.5 for colour, coverage in pixels]
    palette = palette_of([colour for (colour, _), shown in zip(pixels, opaque) if shown])
    indices = [nearest(palette, colour) if shown else 0 for (colour, _), shown in zip(pixels, opaque)]
    mask = [0 if shown else 1 for shown in opaque]

    # DIB rows run bottom to top; the AND mask has 1 bit a pixel, rows padded to 4 bytes.
    xor_rows = b"".join(bytes(indices[y * SIZE:(y + 1) * SIZE]) for y in reversed(range(SIZE)))
    and_rows = b""
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | mask[y * SIZE + x]
        and_rows += struct.pack(">I", bits)
    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, len(xor_rows) + len(and_rows), 0, 0, 256, 0)
    image = header + colour_table + xor_rows + and_rows

    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    target = Path(__file__).resolve().parent.parent / "pelliton" / "pelliton.ico"
    target.write_bytes(directory + entry + image)


if __name__ == "__main__":
    main()
