#!/usr/bin/env python3
"""Draws the welcome window's pictures, our own pixel art, with the standard library only:

  oogh.png    the 475 x 302 title picture, 8-bit palette-indexed PNG: a record setting
              like the sun over a railway that runs to the horizon, the name "Sonorail"
              and the version "V3.0" in a small built-in bitmap font;
  defpal.bmp  a 10 x 10, 8-bit uncompressed BMP whose 236-colour palette is the one the
              title picture is drawn in (the 6 x 6 x 6 colour cube and 20 colours of our own);
  glyph-intro.png, glyph-tech1.png, glyph-tech2.png, glyph-tech3.png, glyph-tip.png
              the 32 x 32 pictures of the window's five document buttons, on black, in the
              same palette: a sign for the introduction, three numbered pages, a light bulb.

Both files carry the same 236 colours in the same order, so the title picture keeps its
look when a display of 256 colours maps it through the palette bitmap's palette.

Usage: tools/make-welcome-art.py [OUTPUT_DIR]   (default src/resources/welcome)
The output is the same on every run (no clock, no system random generator)."""
import math
import os
import struct
import sys
import zlib

WIDTH, HEIGHT = 475, 302

# ---------------------------------------------------------------------------------------
# The palette: 216 cube colours (index = 36 r + 6 g + b, each level 0..5 of 51 steps),
# then a 14-step evening sky and six colours of the art.

CUBE_LEVELS = (0, 51, 102, 153, 204, 255)

SKY_RAMP_COLOURS = [
    (10, 6, 40), (16, 10, 58), (24, 14, 76), (34, 18, 94), (48, 22, 110), (66, 26, 124),
    (88, 30, 134), (112, 34, 140), (140, 40, 140), (168, 48, 132), (196, 62, 118),
    (222, 84, 98), (242, 116, 78), (255, 156, 64),
]
ART_COLOURS = [
    (0, 0, 160),      # the main window's dark blue
    (255, 220, 0),    # the yellow of the information bars and the icon's label
    (255, 244, 170),  # pale highlight
    (176, 184, 204),  # rail silver
    (22, 20, 30),     # record black
    (52, 50, 70),     # record groove
]


def build_palette():
    colours = [(r, g, b) for r in CUBE_LEVELS for g in CUBE_LEVELS for b in CUBE_LEVELS]
    colours += SKY_RAMP_COLOURS + ART_COLOURS
    assert len(colours) == 236
    return colours


PALETTE = build_palette()
SKY = list(range(216, 230))
NAVY, YELLOW, PALE, SILVER, VINYL, GROOVE = range(230, 236)


def cube(r, g, b):
    """Index of a cube colour; r, g, b are levels 0..5."""
    return 36 * r + 6 * g + b


BLACK = cube(0, 0, 0)
WHITE = cube(5, 5, 5)

BAYER = ((0, 8, 2, 10), (12, 4, 14, 6), (3, 11, 1, 9), (15, 7, 13, 5))


def dither(ramp, t, x, y):
    """The ramp entry for position t (0 .. len-1), ordered-dithered between neighbours."""
    t = max(0.0, min(len(ramp) - 1.0, t))
    i = int(t)
    if i >= len(ramp) - 1:
        return ramp[-1]
    threshold = (BAYER[y % 4][x % 4] + 0.5) / 16
    return ramp[i + 1] if t - i > threshold else ramp[i]


class Lcg:
    """A small fixed generator, so the stars fall in the same places on every run."""

    def __init__(self, seed):
        self.state = seed

    def next(self, n):
        self.state = (self.state * 1103515245 + 12345) % (1 << 31)
        return (self.state >> 8) % n


# ---------------------------------------------------------------------------------------
# A 5 x 7 bitmap font. Glyphs are trimmed to their used columns when drawn, so the text
# is set proportionally.

FONT = {
    "A": ".###.|#...#|#...#|#####|#...#|#...#|#...#",
    "B": "####.|#...#|#...#|####.|#...#|#...#|####.",
    "C": ".###.|#...#|#....|#....|#....|#...#|.###.",
    "D": "###..|#..#.|#...#|#...#|#...#|#..#.|###..",
    "E": "#####|#....|#....|####.|#....|#....|#####",
    "F": "#####|#....|#....|####.|#....|#....|#....",
    "G": ".###.|#...#|#....|#.###|#...#|#...#|.####",
    "H": "#...#|#...#|#...#|#####|#...#|#...#|#...#",
    "I": "###|.#.|.#.|.#.|.#.|.#.|###",
    "J": "..###|...#.|...#.|...#.|...#.|#..#.|.##..",
    "K": "#...#|#..#.|#.#..|##...|#.#..|#..#.|#...#",
    "L": "#....|#....|#....|#....|#....|#....|#####",
    "M": "#...#|##.##|#.#.#|#.#.#|#...#|#...#|#...#",
    "N": "#...#|#...#|##..#|#.#.#|#..##|#...#|#...#",
    "O": ".###.|#...#|#...#|#...#|#...#|#...#|.###.",
    "P": "####.|#...#|#...#|####.|#....|#....|#....",
    "Q": ".###.|#...#|#...#|#...#|#.#.#|#..#.|.##.#",
    "R": "####.|#...#|#...#|####.|#.#..|#..#.|#...#",
    "S": ".####|#....|#....|.###.|....#|....#|####.",
    "T": "#####|..#..|..#..|..#..|..#..|..#..|..#..",
    "U": "#...#|#...#|#...#|#...#|#...#|#...#|.###.",
    "V": "#...#|#...#|#...#|#...#|#...#|.#.#.|..#..",
    "W": "#...#|#...#|#...#|#.#.#|#.#.#|#.#.#|.#.#.",
    "X": "#...#|#...#|.#.#.|..#..|.#.#.|#...#|#...#",
    "Y": "#...#|#...#|.#.#.|..#..|..#..|..#..|..#..",
    "Z": "#####|....#|...#.|..#..|.#...|#....|#####",
    "a": ".....|.....|.###.|....#|.####|#...#|.####",
    "b": "#....|#....|#.##.|##..#|#...#|#...#|####.",
    "c": ".....|.....|.###.|#....|#....|#...#|.###.",
    "d": "....#|....#|.##.#|#..##|#...#|#...#|.####",
    "e": ".....|.....|.###.|#...#|#####|#....|.###.",
    "f": "..##|.#..|.#..|###.|.#..|.#..|.#..",
    "g": ".....|.####|#...#|#...#|.####|....#|.###.",
    "h": "#....|#....|#.##.|##..#|#...#|#...#|#...#",
    "i": ".#.|...|##.|.#.|.#.|.#.|###",
    "j": "...#|....|..##|...#|...#|#..#|.##.",
    "k": "#...|#...|#..#|#.#.|##..|#.#.|#..#",
    "l": "##.|.#.|.#.|.#.|.#.|.#.|###",
    "m": ".....|.....|##.#.|#.#.#|#.#.#|#...#|#...#",
    "n": ".....|.....|#.##.|##..#|#...#|#...#|#...#",
    "o": ".....|.....|.###.|#...#|#...#|#...#|.###.",
    "p": ".....|.....|####.|#...#|####.|#....|#....",
    "q": ".....|.....|.##.#|#..##|.####|....#|....#",
    "r": ".....|.....|#.##.|##..#|#....|#....|#....",
    "s": ".....|.....|.###.|#....|.###.|....#|####.",
    "t": ".#..|.#..|###.|.#..|.#..|.#.#|..#.",
    "u": ".....|.....|#...#|#...#|#...#|#..##|.##.#",
    "v": ".....|.....|#...#|#...#|#...#|.#.#.|..#..",
    "w": ".....|.....|#...#|#...#|#.#.#|#.#.#|.#.#.",
    "x": ".....|.....|#...#|.#.#.|..#..|.#.#.|#...#",
    "y": ".....|.....|#...#|#...#|.####|....#|.###.",
    "z": ".....|.....|#####|...#.|..#..|.#...|#####",
    "0": ".###.|#...#|#..##|#.#.#|##..#|#...#|.###.",
    "1": ".#.|##.|.#.|.#.|.#.|.#.|###",
    "2": ".###.|#...#|....#|...#.|..#..|.#...|#####",
    "3": "#####|...#.|..#..|...#.|....#|#...#|.###.",
    "4": "...#.|..##.|.#.#.|#..#.|#####|...#.|...#.",
    "5": "#####|#....|####.|....#|....#|#...#|.###.",
    "6": "..##.|.#...|#....|####.|#...#|#...#|.###.",
    "7": "#####|....#|...#.|..#..|.#...|.#...|.#...",
    "8": ".###.|#...#|#...#|.###.|#...#|#...#|.###.",
    "9": ".###.|#...#|#...#|.####|....#|...#.|.##..",
    ".": "..|..|..|..|..|##|##",
    ",": "..|..|..|..|##|.#|#.",
    "-": "....|....|....|####|....|....|....",
    "!": "#|#|#|#|#|.|#",
    "'": "#|#|.|.|.|.|.",
    ":": "..|##|##|..|##|##|..",
    "/": "....#|...#.|...#.|..#..|.#...|.#...|#....",
}
SPACE_ADVANCE = 3


def glyph_rows(ch):
    return FONT[ch].split("|")


def text_cells(text):
    """The set pixels of a line of text in glyph units, and the line's width."""
    cells, x = [], 0
    for ch in text:
        if ch == " ":
            x += SPACE_ADVANCE
            continue
        rows = glyph_rows(ch)
        for gy, row in enumerate(rows):
            for gx, bit in enumerate(row):
                if bit == "#":
                    cells.append((x + gx, gy))
        x += len(rows[0]) + 1
    return cells, x - 1


# ---------------------------------------------------------------------------------------
# The canvas

class Canvas:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.pixels = bytearray([fill]) * (width * height)

    def set(self, x, y, index):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y * self.width + x] = index

    def get(self, x, y):
        return self.pixels[y * self.width + x]

    def rect(self, x0, y0, x1, y1, index):
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.pixels[y * self.width + x] = index


def shape_pixels(cells, scale, ox, oy):
    """Screen pixels covered by glyph cells drawn at scale, top-left at (ox, oy)."""
    covered = set()
    for gx, gy in cells:
        for dy in range(scale):
            for dx in range(scale):
                covered.add((ox + gx * scale + dx, oy + gy * scale + dy))
    return covered


def grow(pixels, radius):
    grown = set()
    for x, y in pixels:
        for dy in range(-radius, radius + 1):
            for dx in range(-radius, radius + 1):
                grown.add((x + dx, y + dy))
    return grown


def draw_outlined(canvas, pixels, fill, outline, radius=1):
    for x, y in grow(pixels, radius) - pixels:
        canvas.set(x, y, outline)
    for x, y in pixels:
        canvas.set(x, y, fill(x, y) if callable(fill) else fill)


# ---------------------------------------------------------------------------------------
# The scene

HORIZON = 206
CENTRE_X = 237
RECORD_RADIUS = 76
GLOW = 16
FRAME = 4


def sky_position(x, y):
    """Where on the sky ramp a pixel lies, the glow around the record included."""
    t = (y - FRAME) / (HORIZON - FRAME) * (len(SKY) - 1.6)
    distance = math.hypot(x - CENTRE_X, y - HORIZON)
    if distance < RECORD_RADIUS + GLOW:
        t += 4.0 * (1 - max(0.0, distance - RECORD_RADIUS) / GLOW) ** 2
    return t


def draw_sky(canvas):
    for y in range(HORIZON):
        for x in range(WIDTH):
            canvas.set(x, y, dither(SKY, sky_position(x, y), x, y))


def draw_stars(canvas):
    rng = Lcg(1995)
    for _ in range(140):
        x, y = rng.next(WIDTH), FRAME + rng.next(HORIZON - 70)
        canvas.set(x, y, WHITE if rng.next(3) else cube(4, 4, 5))
    for x, y in ((38, 24), (428, 40), (120, 150), (356, 118), (452, 172), (22, 112)):
        for dx, dy in ((0, 0), (1, 0), (-1, 0), (0, 1), (0, -1)):
            canvas.set(x + dx, y + dy, PALE if (dx, dy) == (0, 0) else cube(4, 4, 5))


def record_colour(x, y):
    dx, dy = x - CENTRE_X, y - HORIZON
    r = math.hypot(dx, dy)
    if r < 3:
        return None  # the spindle hole shows the sky
    if r < 22:
        return PALE if (r < 19 and -dx - dy > 16) else YELLOW
    if r < 26:
        return cube(5, 3, 0)
    if r > RECORD_RADIUS - 1.6:
        return GROOVE
    angle = math.atan2(dy, dx)
    sheen = min(abs(angle + 2.2), abs(angle + 0.95))
    if sheen < 0.07:
        return SILVER
    if sheen < 0.2:
        return GROOVE if int(r) % 2 else cube(2, 2, 2)
    return GROOVE if int(r) % 3 == 0 else VINYL


def draw_record(canvas):
    for y in range(HORIZON - RECORD_RADIUS, HORIZON):
        for x in range(CENTRE_X - RECORD_RADIUS, CENTRE_X + RECORD_RADIUS + 1):
            if math.hypot(x - CENTRE_X, y - HORIZON) <= RECORD_RADIUS:
                colour = record_colour(x, y)
                if colour is not None:
                    canvas.set(x, y, colour)


def hill_height(x):
    h = 10 + 6 * math.sin(x / 23.0) + 4 * math.sin(x / 9.0 + 1.3) + 3 * math.sin(x / 41.0 + 2.0)
    clearance = abs(x - CENTRE_X) - (RECORD_RADIUS - 18)
    return max(0.0, h * min(1.0, clearance / 40.0)) if clearance > 0 else 0.0


def draw_hills(canvas):
    for x in range(WIDTH):
        top = HORIZON - int(hill_height(x))
        for y in range(top, HORIZON):
            canvas.set(x, y, cube(1, 0, 1) if y > top else cube(2, 0, 2))


def ground_depth(y):
    """Distance from the viewer of a ground row: 1 at the bottom, growing to the horizon."""
    return (HEIGHT - HORIZON) / max(0.5, y - HORIZON + 0.5)


def draw_ground(canvas):
    ground = [cube(0, 0, 1), cube(0, 0, 2), NAVY]
    for y in range(HORIZON, HEIGHT):
        near = (y - HORIZON) / (HEIGHT - HORIZON)
        for x in range(WIDTH):
            canvas.set(x, y, dither(ground, near * 2.2, x, y))
    # The grid: rows at even depth steps, rays from the vanishing point.
    previous = HEIGHT
    for step in range(1, 40):
        y = HORIZON + round((HEIGHT - HORIZON) / (step * 0.55))
        if not HORIZON + 2 < y < HEIGHT or previous - y < 4:
            continue  # near the horizon the lines would melt into one band
        previous = y
        colour = cube(3, 0, 3) if y - HORIZON > 20 else cube(2, 0, 2)
        for x in range(WIDTH):
            canvas.set(x, y, colour)
    for bottom_x in range(CENTRE_X - 27 * 40, CENTRE_X + 27 * 40 + 1, 54):
        for y in range(HORIZON + 1, HEIGHT):
            share = (y - HORIZON) / (HEIGHT - HORIZON)
            x = round(CENTRE_X + (bottom_x - CENTRE_X) * share)
            canvas.set(x, y, cube(3, 0, 3) if share > 0.25 else cube(2, 0, 2))
    for x in range(WIDTH):  # the lit edge of the world
        canvas.set(x, HORIZON, dither([cube(5, 3, 0), YELLOW], 0.6, x, HORIZON))


RAIL_GAUGE = 96  # half the distance between the rails at the bottom row


def rail_x(y, side):
    share = (y - HORIZON) / (HEIGHT - 1 - HORIZON)
    return CENTRE_X + side * RAIL_GAUGE * share


def draw_ballast(canvas):
    rng = Lcg(1930)
    stones = [cube(1, 1, 1), GROOVE, cube(2, 2, 2), VINYL]
    for y in range(HORIZON + 1, HEIGHT):
        share = (y - HORIZON) / (HEIGHT - 1 - HORIZON)
        half = RAIL_GAUGE * share * 1.55
        for x in range(round(CENTRE_X - half), round(CENTRE_X + half) + 1):
            canvas.set(x, y, stones[rng.next(4)] if share > 0.15 else GROOVE)


def draw_railway(canvas):
    draw_ballast(canvas)
    # Sleepers first, from far to near, so the rails lie on them.
    for step in range(30, 0, -1):
        depth = 1 + step * 0.42
        y = HORIZON + (HEIGHT - HORIZON) / depth
        share = (y - HORIZON) / (HEIGHT - 1 - HORIZON)
        half = RAIL_GAUGE * share * 1.28
        thick = max(1, round(8 * share))
        for yy in range(round(y), min(HEIGHT, round(y) + thick)):
            for x in range(round(CENTRE_X - half), round(CENTRE_X + half) + 1):
                top = yy == round(y) and thick > 1
                canvas.set(x, yy, cube(4, 3, 2) if top else cube(3, 2, 1) if yy < round(y) + thick - 1 else cube(2, 1, 0))
    for side in (-1, 1):
        for y in range(HORIZON + 1, HEIGHT):
            share = (y - HORIZON) / (HEIGHT - 1 - HORIZON)
            centre = rail_x(y, side)
            half = 0.5 + 2.5 * share
            for x in range(math.floor(centre - half), math.ceil(centre + half) + 1):
                offset = (x - centre) * side
                if abs(x - centre) <= half:
                    canvas.set(x, y, PALE if offset < -half / 3 else SILVER if offset < half / 2 else GROOVE)


EIGHTH = ["...##...", "...#.#..", "...#..#.", "...#...#", "...#...#", "...#..#.", "...#....",
          "...#....", ".###....", "####....", "####....", ".##....."]
BEAMED = ["...########", "...########", "...#......#", "...#......#", "...#......#",
          "...#......#", "...#......#", ".###....###", "####...####", "####...####",
          ".##.....##."]


def draw_bitmap(canvas, rows, ox, oy, scale, fill, outline):
    cells = [(x, y) for y, row in enumerate(rows) for x, bit in enumerate(row) if bit == "#"]
    draw_outlined(canvas, shape_pixels(cells, scale, ox, oy), fill, outline)


TITLE_RAMP = [PALE, YELLOW, cube(5, 4, 0), cube(5, 3, 0), cube(5, 2, 0)]


def draw_title(canvas):
    scale = 7
    cells, width = text_cells("Sonorail")
    ox, oy = (WIDTH - width * scale) // 2, 51  # below the strip the document view leaves visible
    letters = shape_pixels(cells, scale, ox, oy)
    height = 7 * scale
    for x, y in grow(letters, 3):  # the drop shadow
        canvas.set(x + 5, y + 5, cube(1, 0, 1))
    for x, y in grow(letters, 3) - letters:
        canvas.set(x, y, VINYL)
    for x, y in letters:
        if (x, y - 1) not in letters or (x, y - 2) not in letters:
            colour = PALE  # the top edges catch the light
        elif (x, y + 1) not in letters or (x + 1, y) not in letters:
            colour = cube(4, 1, 0)
        else:
            colour = dither(TITLE_RAMP, (y - oy) / height * (len(TITLE_RAMP) - 1) + 0.4, x, y)
        canvas.set(x, y, colour)
    return oy + height


def draw_line_of_text(canvas, text, scale, ox, oy, fill, outline):
    cells, width = text_cells(text)
    draw_outlined(canvas, shape_pixels(cells, scale, ox, oy), fill, outline)
    return width * scale


def text_width(text, scale):
    return text_cells(text)[1] * scale


def draw_subtitle(canvas, top):
    tagline, version = "Multimedia Jukebox", "V3.0"
    gap = 14
    total = text_width(tagline, 2) + gap + text_width(version, 3)
    x = (WIDTH - total) // 2
    x += draw_line_of_text(canvas, tagline, 2, x, top + 9, cube(3, 4, 5), VINYL) + gap
    badge_w, badge_h = text_width(version, 3) + 10, 7 * 3 + 8
    canvas.rect(x - 5, top + 2, x - 5 + badge_w, top + 2 + badge_h, VINYL)
    canvas.rect(x - 4, top + 3, x - 4 + badge_w - 2, top + 1 + badge_h, NAVY)
    draw_line_of_text(canvas, version, 3, x, top + 6, YELLOW, VINYL)


def draw_frame(canvas):
    for inset, colour in ((0, BLACK), (1, YELLOW), (2, YELLOW), (3, NAVY)):
        for x in range(inset, WIDTH - inset):
            canvas.set(x, inset, colour)
            canvas.set(x, HEIGHT - 1 - inset, colour)
        for y in range(inset, HEIGHT - inset):
            canvas.set(inset, y, colour)
            canvas.set(WIDTH - 1 - inset, y, colour)


def draw_title_picture():
    canvas = Canvas(WIDTH, HEIGHT, BLACK)
    draw_sky(canvas)
    draw_stars(canvas)
    draw_record(canvas)
    draw_hills(canvas)
    draw_ground(canvas)
    draw_railway(canvas)
    draw_bitmap(canvas, EIGHTH, 44, 128, 2, YELLOW, VINYL)
    draw_bitmap(canvas, BEAMED, 392, 122, 2, cube(3, 4, 5), VINYL)
    draw_bitmap(canvas, EIGHTH, 100, 172, 1, cube(5, 4, 2), VINYL)
    draw_bitmap(canvas, EIGHTH, 360, 160, 1, YELLOW, VINYL)
    below_title = draw_title(canvas)
    draw_subtitle(canvas, below_title + 6)
    draw_frame(canvas)
    return canvas


# ---------------------------------------------------------------------------------------
# The document buttons' glyphs: 32 x 32 on the black of the button strip.

GLYPH = 32


def disc_pixels(cx, cy, radius):
    return {(x, y) for y in range(GLYPH) for x in range(GLYPH)
            if math.hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius}


def draw_intro_glyph():
    """A yellow "i" on a dark-blue disc ringed in yellow: the introduction."""
    canvas = Canvas(GLYPH, GLYPH, BLACK)
    for x, y in disc_pixels(16, 16, 15):
        canvas.set(x, y, YELLOW)
    for x, y in disc_pixels(16, 16, 13):
        canvas.set(x, y, NAVY)
    cells, width = text_cells("i")
    draw_outlined(canvas, shape_pixels(cells, 3, 16 - (width * 3) // 2, 6), YELLOW, NAVY)
    return canvas


def draw_page_glyph(number):
    """A page with lines of text and a yellow badge carrying its number."""
    canvas = Canvas(GLYPH, GLYPH, BLACK)
    left, top, right, bottom, fold = 5, 2, 25, 30, 6
    for y in range(top, bottom):
        for x in range(left, right):
            corner = right - 1 - x + y - top
            if corner < fold:  # cut off by the fold
                colour = BLACK
            elif corner == fold:
                colour = SILVER
            elif x >= right - 1 - fold and y <= top + fold:  # the flap folded over
                colour = SILVER if x == right - 1 - fold or y == top + fold else cube(4, 4, 4)
            elif x in (left, right - 1) or y in (top, bottom - 1):
                colour = SILVER
            else:
                colour = WHITE
            canvas.set(x, y, colour)
    for y in range(top + 8, bottom - 3, 3):
        canvas.rect(left + 3, y, right - 3 - (4 if y % 2 else 0), y + 1, cube(1, 2, 4))
    canvas.rect(17, 17, 30, 31, VINYL)
    canvas.rect(18, 18, 29, 30, YELLOW)
    cells, width = text_cells(str(number))
    draw_outlined(canvas, shape_pixels(cells, 1, 24 - (width + 1) // 2, 20), NAVY, YELLOW, 0)
    return canvas


def draw_tip_glyph():
    """A lit bulb with its rays: the tip of the day."""
    canvas = Canvas(GLYPH, GLYPH, BLACK)
    for angle in range(0, 360, 45):
        if 60 < angle < 120:
            continue  # the base hangs where the lowest ray would be
        for r in (13.5, 14.5):
            x = 16 + r * math.cos(math.radians(angle))
            y = 13 - r * math.sin(math.radians(angle))
            canvas.set(int(x), int(y), YELLOW)
    bulb = disc_pixels(16, 13, 9) | {(x, y) for y in range(18, 24) for x in range(12, 20)}
    for x, y in bulb:
        lit = math.hypot(x - 13, y - 10) < 4
        canvas.set(x, y, PALE if lit else YELLOW)
    for y in range(24, 29):
        canvas.rect(12, y, 20, y + 1, SILVER if y % 2 == 0 else GROOVE)
    canvas.rect(14, 29, 18, 31, GROOVE)
    return canvas


GLYPHS = {
    "glyph-intro.png": draw_intro_glyph,
    "glyph-tech1.png": lambda: draw_page_glyph(1),
    "glyph-tech2.png": lambda: draw_page_glyph(2),
    "glyph-tech3.png": lambda: draw_page_glyph(3),
    "glyph-tip.png": draw_tip_glyph,
}


# ---------------------------------------------------------------------------------------
# Writers

def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, canvas):
    raw = bytearray()
    for y in range(canvas.height):
        raw.append(0)  # filter: none
        raw += canvas.pixels[y * canvas.width:(y + 1) * canvas.width]
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 3, 0, 0, 0)
    palette = b"".join(bytes(colour) for colour in PALETTE)
    data = (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + png_chunk(b"PLTE", palette)
            + png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + png_chunk(b"IEND", b""))
    write_atomically(path, data)


def palette_swatch():
    """10 x 10 pixels running through the palette, top-left first."""
    return [[(y * 10 + x) * len(PALETTE) // 100 for x in range(10)] for y in range(10)]


def write_palette_bmp(path):
    size = 10
    row_bytes = (size + 3) & ~3
    swatch = palette_swatch()
    pixels = bytearray()
    for y in range(size - 1, -1, -1):  # BMP rows go bottom-up
        pixels += bytes(swatch[y]) + b"\0" * (row_bytes - size)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 8, 0, len(pixels), 2835, 2835,
                       len(PALETTE), len(PALETTE))
    write_atomically(path, header + info + colours + pixels)


def write_atomically(path, data):
    temporary = path + ".new"
    with open(temporary, "wb") as f:
        f.write(data)
    os.replace(temporary, path)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join("src", "resources", "welcome")
    os.makedirs(out, exist_ok=True)
    write_png(os.path.join(out, "oogh.png"), draw_title_picture())
    write_palette_bmp(os.path.join(out, "defpal.bmp"))
    for name, draw in GLYPHS.items():
        write_png(os.path.join(out, name), draw())


if __name__ == "__main__":
    main()
