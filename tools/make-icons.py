#!/usr/bin/env python3
"""Draws the animated-icon strip icons.bmp: four 32 x 32 frames side by side of a
spinning record with a note, as a 24-bit BMP. Run it to redraw src/resources/icons.bmp."""
import math
import struct
import sys

W, H, FRAMES = 32, 32, 4


def frame_pixel(frame, x, y):
    cx, cy = 15.5, 15.5
    dx, dy = x - cx, y - cy
    r = math.hypot(dx, dy)
    if r > 15.5:
        return (0, 0, 0)
    if r < 2.0:
        return (0, 0, 0)
    if r < 6.0:
        return (255, 220, 0)  # label
    angle = (math.atan2(dy, dx) + frame * math.pi / 8) % (math.pi / 2)
    if angle < 0.18:
        return (255, 255, 160)  # the highlight that turns
    groove = int(r) % 3 == 0
    return (40, 40, 200) if groove else (20, 20, 140)


def main(out):
    width = W * FRAMES
    row_bytes = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(H - 1, -1, -1):  # BMP rows go bottom-up
        row = bytearray()
        for x in range(width):
            r, g, b = frame_pixel(x // W, x % W, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        pixels += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, H, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(out, "wb") as f:
        f.write(header + info + pixels)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "icons.bmp")
