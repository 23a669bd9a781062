#!/usr/bin/env python3
"""Writes the small 24-bit BMP pictures the GUI tests load as BITMAP resources.

usage: make_test_pictures.py OUTPUT_FOLDER
"""
import struct
import sys
from pathlib import Path


def bmp(width, height, colour_at):
    """A file with a 40-byte info header, 24 bits, no compression, bottom row first."""
    row_size = (width * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            red, green, blue = colour_at(x, y)
            row += bytes((blue, green, red))
        rows.append(bytes(row.ljust(row_size, b"\0")))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2834, 2834, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def strip_colour(x, y):
    """Every pixel of the 16 x 32 strip differs, so a copy shows where it came from."""
    return (x * 16, y * 8, 100)


# White is the key colour of transparent drawing; its near neighbours are not.
KEYED = [
    [(255, 255, 255), (254, 255, 255), (10, 20, 30), (255, 255, 255), (255, 254, 255)],
    [(0, 0, 0), (255, 255, 255), (255, 255, 254), (200, 0, 0), (255, 255, 255)],
    [(255, 255, 255), (0, 128, 255), (255, 255, 255), (1, 1, 1), (255, 255, 255)],
]


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    (out / "gui_strip.bmp").write_bytes(bmp(16, 32, strip_colour))
    (out / "gui_keyed.bmp").write_bytes(bmp(5, 3, lambda x, y: KEYED[y][x]))


if __name__ == "__main__":
    main()
