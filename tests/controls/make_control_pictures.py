#!/usr/bin/env python3
"""Writes the small 24-bit BMP pictures the control tests load as BITMAP resources.

usage: make_control_pictures.py OUTPUT_FOLDER
"""
import sys
from pathlib import Path

sys.dont_write_bytecode = True  # leaves no cache in the folder it borrows from
sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "gui"))
from make_test_pictures import bmp  # noqa: E402

STRIP_FRAMES = 128
STRIP_SIZE = 16


def strip_colour(x, y):
    """Red names the frame, green and blue the pixel's place inside it."""
    frame, row = divmod(y, STRIP_SIZE)
    return (2 * frame, 16 * x, 16 * row)


# Off above on; the left half is what a latch shows, the right half what a
# momentary button with offset (4, 0) shows.
OFF_LEFT, ON_LEFT = (200, 0, 0), (0, 200, 0)
OFF_RIGHT, ON_RIGHT = (0, 0, 200), (200, 200, 0)


def two_state_colour(x, y):
    if x < 4:
        return OFF_LEFT if y < 4 else ON_LEFT
    return OFF_RIGHT if y < 4 else ON_RIGHT


def handle_colour(x, y):
    """A 6 x 6 handle whose corners are the key colour."""
    corner = x in (0, 5) and y in (0, 5)
    return (255, 255, 255) if corner else (20, 40, 160)


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    (out / "control_strip.bmp").write_bytes(bmp(STRIP_SIZE, STRIP_SIZE * STRIP_FRAMES, strip_colour))
    (out / "control_two_state.bmp").write_bytes(bmp(8, 8, two_state_colour))
    (out / "control_handle.bmp").write_bytes(bmp(6, 6, handle_colour))
    (out / "control_knob_back.bmp").write_bytes(bmp(48, 48, lambda x, y: (4 * x, 4 * y, 120)))
    (out / "control_splash.bmp").write_bytes(bmp(120, 80, lambda x, y: (240, 2 * x, 3 * y)))
    (out / "control_editor_back.bmp").write_bytes(bmp(120, 80, lambda x, y: (30, 60, 90)))


if __name__ == "__main__":
    main()
