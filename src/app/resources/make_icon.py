#!/usr/bin/env python3
"""Draws OKU's own icon (a blue tile with a white ring and an amber dot) into an .ico file."""
import math
import struct
import sys


def pixel(x, y, size):
    c = (size - 1) / 2.0
    # Rounded tile
    r = size * 0.18
    dx = max(abs(x - c) - (c - r), 0)
    dy = max(abs(y - c) - (c - r), 0)
    if math.hypot(dx, dy) > r:
        return (0, 0, 0, 0)
    d = math.hypot(x - c, y - c)
    ring_outer, ring_inner = size * 0.36, size * 0.22
    if ring_inner <= d <= ring_outer:
        return (255, 255, 255, 255)
    if math.hypot(x - c - size * 0.27, y - c + size * 0.27) <= size * 0.11:
        return (0x20, 0xA8, 0xF5, 255)  # amber (BGR)
    shade = int(0x90 + 0x40 * (1 - y / size))
    return (shade, 0x50, 0x14, 255)  # blue (BGR)


def image(size):
    rows = []
    for y in reversed(range(size)):
        rows.append(b"".join(struct.pack("BBBB", *pixel(x, y, size)) for x in range(size)))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_mask = b"\0" * (mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def main(path):
    sizes = [16, 24, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1])
