#!/usr/bin/env python3
"""Writes javastub.ico: a 16x16 and a 32x32 image of a steaming cup, 32-bit colour.

Run once when the picture changes; the .ico is kept in the repository so that the build
needs no Python.
"""
import struct
import sys


def pixel(size, x, y):
    """Colour (b, g, r, a) at x, y; y counts from the top."""
    s = size / 32.0
    cup_left, cup_right = 6 * s, 22 * s
    cup_top, cup_bottom = 14 * s, 28 * s
    handle = (22 * s <= x < 27 * s) and (17 * s <= y < 24 * s) and not (
        23.5 * s <= x < 25.5 * s and 19 * s <= y < 22 * s)
    if cup_left <= x < cup_right and cup_top <= y < cup_bottom or handle:
        return (40, 70, 170, 255)   # brown-red cup
    if 4 * s <= x < 24 * s and 28 * s <= y < 30 * s:
        return (90, 90, 90, 255)    # saucer
    for base in (10, 14, 18):       # steam
        bx = base * s + (1.5 * s if int(y / (3 * s)) % 2 else 0)
        if bx <= x < bx + 1.5 * s and 3 * s <= y < 12 * s:
            return (200, 120, 40, 255)
    return (0, 0, 0, 0)


def image(size):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        rows.append(b"".join(struct.pack("4B", *pixel(size, x + 0.5, y + 0.5))
                             for x in range(size)))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_mask = bytes(mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def main(path):
    sizes = (16, 32)
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "javastub.ico")
