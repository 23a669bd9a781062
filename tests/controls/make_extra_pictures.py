#!/usr/bin/env python3
"""Writes the small 24-bit BMP pictures the text, switch, slider and indicator
tests load as BITMAP resources.

usage: make_extra_pictures.py OUTPUT_FOLDER
"""
import sys
from pathlib import Path

sys.dont_write_bytecode = True  # leaves no cache in the folder it borrows from
sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "gui"))
from make_test_pictures import bmp  # noqa: E402

# Three 30 x 30 frames, one colour each: switches and the rocker.
SWITCH_COLOURS = [(200, 0, 0), (0, 200, 0), (0, 0, 200)]
SWITCH_SIZE = 30

# Strips of 10 x 10 frames: red names the frame, green the row inside it.
STRIP_FRAMES = 5
STRIP_SIZE = 10

# Digits 0 to 9, 6 x 8 each: red names the digit, blue the row.
DIGIT_WIDTH, DIGIT_HEIGHT = 6, 8

KEY = (255, 255, 255)
HANDLE = (20, 40, 160)


def switch_colour(x, y):
    return SWITCH_COLOURS[y // SWITCH_SIZE]


def strip_colour(x, y):
    frame, row = divmod(y, STRIP_SIZE)
    return (40 * frame + 20, 20 * row, 77)


def digit_colour(x, y):
    digit, row = divmod(y, DIGIT_HEIGHT)
    return (25 * digit, 200, 30 * row)


def handle_colour(x, y):
    """A 10 x 6 handle whose corners are the key colour."""
    corner = x in (0, 9) and y in (0, 5)
    return KEY if corner else HANDLE


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    pictures = {
        "extra_switch.bmp": bmp(SWITCH_SIZE, 3 * SWITCH_SIZE, switch_colour),
        "extra_strip.bmp": bmp(STRIP_SIZE, STRIP_FRAMES * STRIP_SIZE, strip_colour),
        "extra_digits.bmp": bmp(DIGIT_WIDTH, 10 * DIGIT_HEIGHT, digit_colour),
        "extra_meter_on.bmp": bmp(40, 40, lambda x, y: (5 * x, 200, 5 * y)),
        "extra_meter_off.bmp": bmp(40, 40, lambda x, y: (5 * x, 40, 5 * y)),
        "extra_handle.bmp": bmp(10, 6, handle_colour),
        "extra_slider_back.bmp": bmp(120, 120, lambda x, y: (2 * x, 2 * y, 60)),
        "extra_open.bmp": bmp(120, 80, lambda x, y: (250, 160, 0)),
        "extra_text_back.bmp": bmp(120, 80, lambda x, y: (0, 2 * x, 3 * y)),
    }
    for name, data in pictures.items():
        (out / name).write_bytes(data)


if __name__ == "__main__":
    main()
