#!/usr/bin/env python3
"""Draws the toolbar glyphs: one 32 x 16, 16-colour BMP per command, btnN.bmp, holding the
normal 16 x 16 pictogram on the left and its disabled (greyed, embossed) twin on the right.
The build compiles them into the program as pixels (tools/embed-pictures.cpp).

The pictograms sit on the light-grey button face of the toolbar. Their background is the key
colour, bright magenta (255, 0, 255), which is also the bottom-left pixel of every file: the
program treats the bottom-left pixel's colour as transparent, and no pictogram uses magenta.

Command 31 has no command behind it, so it gets no glyph.

Run from the repository's root to redraw src/resources/glyphs/:
    tools/make-glyphs.py [--out DIR] [--preview SHEET.png]
--preview also writes a contact sheet of all glyphs, four times their size, on the button face.
"""
import argparse
import math
import os
import struct
import sys
import zlib

SIZE = 16

# The 16 colours of the classic VGA palette, in the usual order, each with the letter the
# pictures below are drawn in. "." is the transparent key.
PALETTE = [
    ("k", (0, 0, 0)),        # black
    ("r", (128, 0, 0)),      # maroon
    ("g", (0, 128, 0)),      # green
    ("o", (128, 128, 0)),    # olive
    ("n", (0, 0, 128)),      # navy
    ("p", (128, 0, 128)),    # purple
    ("t", (0, 128, 128)),    # teal
    ("s", (192, 192, 192)),  # silver
    ("d", (128, 128, 128)),  # grey
    ("R", (255, 0, 0)),      # red
    ("G", (0, 255, 0)),      # lime
    ("Y", (255, 255, 0)),    # yellow
    ("B", (0, 0, 255)),      # blue
    (".", (255, 0, 255)),    # magenta: the transparent key
    ("C", (0, 255, 255)),    # aqua
    ("W", (255, 255, 255)),  # white
]
INDEX = {letter: i for i, (letter, _) in enumerate(PALETTE)}
RGB = dict(PALETTE)
KEY = "."
BUTTON_FACE = (192, 192, 192)

# Disabled look: the dark pixels of the picture become a grey shadow over a white highlight
# one pixel down and right; light fills drop out, so outlines and details stay readable.
SHADOW, HIGHLIGHT = "d", "W"
INK_LUMINANCE = 180


# ---------------------------------------------------------------- drawing helpers

def blank():
    return [[KEY] * SIZE for _ in range(SIZE)]


def sprite_rows(text):
    rows = [row.strip() for row in text.strip().splitlines()]
    if any(len(row) != len(rows[0]) for row in rows):
        raise ValueError("ragged rows in:\n" + text)
    return rows


def sprite(text):
    """A picture from rows of colour letters; "." leaves what lies beneath."""
    rows = sprite_rows(text)
    for row in rows:
        for letter in row:
            if letter not in RGB:
                raise ValueError("unknown colour letter %r" % letter)
    return rows


def paste(canvas, picture, left, top):
    for y, row in enumerate(picture):
        for x, letter in enumerate(row):
            if letter != KEY and 0 <= left + x < SIZE and 0 <= top + y < SIZE:
                canvas[top + y][left + x] = letter
    return canvas


def compose(*layers):
    """compose((sprite, left, top), ...) on a transparent canvas, later layers on top."""
    canvas = blank()
    for picture, left, top in layers:
        paste(canvas, picture, left, top)
    return canvas


def flip_vertical(picture):
    return list(reversed(picture))


def round_shape(width, height, radius, colour_at, outline="k"):
    """A centred disc of the given radius; colour_at(dx, dy, r) paints the inside (KEY for a
    hole). Pixels on the rim get the outline colour."""
    cx, cy = (width - 1) / 2, (height - 1) / 2

    def inside(x, y):
        return math.hypot(x - cx, y - cy) <= radius

    rows = []
    for y in range(height):
        row = ""
        for x in range(width):
            if not inside(x, y):
                row += KEY
            elif not all(inside(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                row += outline
            else:
                row += colour_at(x - cx, y - cy, math.hypot(x - cx, y - cy))
        rows.append(row)
    return rows


# ---------------------------------------------------------------- parts

PAGE = sprite("""
    kkkkkk...
    kWWWWkk..
    kWWWWkWk.
    kWddWkkkk
    kWWWWWWWk
    kWdddddWk
    kWWWWWWWk
    kWddddWWk
    kWWWWWWWk
    kWdddddWk
    kWWWWWWWk
    kkkkkkkkk
""")

# The play queue as the main window shows it: yellow names on dark blue.
QUEUE = sprite("""
    kkkkkkkkkk
    knnnnnnnnk
    knYYYYYnnk
    knnnnnnnnk
    knYYYYnnnk
    knnnnnnnnk
    knYYYYYYnk
    knnnnnnnnk
    knYYYYYnnk
    knnnnnnnnk
    knYYYnnnnk
    knnnnnnnnk
    kkkkkkkkkk
""")

CROSS = sprite("""
    rr...rr
    rRr.rRr
    .rRrRr.
    ..rRr..
    .rRrRr.
    rRr.rRr
    rr...rr
""")

PLUS = sprite("""
    ..ggg..
    ..gGg..
    gggGggg
    gGGGGGg
    gggGggg
    ..gGg..
    ..ggg..
""")

MINUS = sprite("""
    rrrrrrr
    rRRRRRr
    rrrrrrr
""")

ARROW_RIGHT = sprite("""
    .....g...
    .....gg..
    gggggGGg.
    gGGGGGGGg
    gggggGGg.
    .....gg..
    .....g...
""")

SMALL_ARROW_RIGHT = sprite("""
    ...g...
    ...gg..
    ggggGg.
    gGGGGGg
    ggggGg.
    ...gg..
    ...g...
""")

PENCIL = sprite("""
    ......kk.
    .....kRRk
    ....kYkRk
    ...kYYYk.
    ..kYYYk..
    .kYYYk...
    kssYk....
    ksk......
    kk.......
""")

NOTES = sprite("""
    ...kkkkkk
    ...k....k
    ...k....k
    .kkk..kkk
    kkkk.kkkk
    kkk..kkk.
""")

BLUE_NOTES = [row.replace("k", "n") for row in NOTES]

SMALL_PLAY = sprite("""
    g....
    gg...
    gGg..
    gGGg.
    gGGGg
    gGGg.
    gGg..
    gg...
    g....
""")

INFO_BADGE = sprite("""
    .nnnnn.
    nBBWBBn
    nBBBBBn
    nBWWBBn
    nBBWBBn
    nBWWWBn
    .nnnnn.
""")

STAR = sprite("""
    ...k...
    ..kYk..
    kkkYkkk
    kYYYYYk
    .kYYYk.
    .kYkYk.
    .kk.kk.
""")


def cd_disc(size):
    def surface(dx, dy, r):
        if r < 1.3:
            return KEY
        if r < 2.6:
            return "d"
        angle = math.degrees(math.atan2(dy, dx)) % 360
        if 200 <= angle < 250:
            return "C"
        if 20 <= angle < 70:
            return "s"
        return "W"
    return round_shape(size, size, size / 2 - 0.2, surface)


def record(size):
    def surface(dx, dy, r):
        if r < 1.0:
            return "k"
        if r < 2.6:
            return "Y"
        angle = math.degrees(math.atan2(dy, dx)) % 360
        if 205 <= angle < 245 and r > 3.5:
            return "C"
        return "B" if round(r) in (4, 6) else "n"
    return round_shape(size, size, size / 2 - 0.2, surface)


def shaded(silhouette):
    """Metal from a silhouette of "#": black rim, lit from the top left: white on the lit
    edges, silver on the lit half, grey on the far half, so that it stands out from the face."""
    height, width = len(silhouette), len(silhouette[0])

    def inside(x, y):
        return 0 <= x < width and 0 <= y < height and silhouette[y][x] == "#"

    rows = []
    for y in range(height):
        row = ""
        for x in range(width):
            if not inside(x, y):
                row += KEY
            elif not all(inside(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                row += "k"
            elif x + y < width - 1:
                row += "W" if not inside(x - 1, y - 1) else "s"
            else:
                row += "d"
        rows.append(row)
    return rows


GEAR = shaded(sprite_rows("""
    ......###......
    ......###......
    ..##..###..##..
    ..###########..
    ...#########...
    ..###########..
    ######...######
    ######...######
    ######...######
    ..###########..
    ...#########...
    ..###########..
    ..##..###..##..
    ......###......
    ......###......
"""))

SMALL_GEAR = sprite("""
    ....n....
    .n.nnn.n.
    ..nnnnn..
    .nnnsnnn.
    nnnsssnnn
    .nnnsnnn.
    ..nnnnn..
    .n.nnn.n.
    ....n....
""")


def stack_of_pages():
    return [(PAGE, 0, 0), (PAGE, 3, 2), (PAGE, 6, 4)]


# ---------------------------------------------------------------- the glyphs, by command

def open_album():
    folder = sprite("""
        .kkkk...........
        kYWYYk..........
        kWYYYYkkkkkk....
        kYYYYYYYYYYk....
        kYYkkkkkkkkkkkk.
        kYkYYYYYYYYYYYk.
        kYkYYYYYYYYYYk..
        kkYYYYYYYYYYYk..
        kkYYYYYYYYYYk...
        kkkkkkkkkkkkk...
    """)
    return compose((folder, 0, 5), (BLUE_NOTES, 7, 0))


def save_album():
    floppy = sprite("""
        kkkkkkkkkkkkkk
        knWWWWWWWWWWnk
        knWWWWWWWWWWnk
        knWWWWWWWWWWnk
        knWWWWWWWWWWnk
        knWWWWWWWWWWnk
        knWWWWWWWWWWnk
        knnnnnnnnnnnnk
        knnnnnnnnnnnnk
        knnssssssssnnk
        knnssnnssssnnk
        knnssnnssssnnk
        knnssnnssssnnk
        kkkkkkkkkkkkkk
    """)
    return compose((floppy, 1, 1), (NOTES, 4, 2))


def copy_file():
    return compose((PAGE, 1, 0), (PAGE, 6, 4))


def copy_all_files():
    return compose(*stack_of_pages())


def delete_file():
    return compose((PAGE, 2, 0), (CROSS, 8, 8))


def delete_all_files():
    return compose(*stack_of_pages(), (CROSS, 9, 9))


def file_information():
    def face(dx, dy, r):
        return "B"
    disc = round_shape(15, 15, 7.3, face, outline="n")
    letter_i = sprite("""
        .WW.
        .WW.
        ....
        WWW.
        .WW.
        .WW.
        .WW.
        .WW.
        WWWW
    """)
    return compose((disc, 0, 0), (letter_i, 6, 3))


def move_file():
    return compose((PAGE, 0, 0), (ARROW_RIGHT, 7, 9))


def move_all_files():
    return compose(*stack_of_pages(), (ARROW_RIGHT, 7, 9))


def rename_file():
    return compose((PAGE, 1, 0), (PENCIL, 7, 7))


def rename_all_files():
    return compose(*stack_of_pages(), (PENCIL, 7, 7))


def add_to_queue():
    return compose((QUEUE, 6, 1), (SMALL_ARROW_RIGHT, 0, 4))


def add_all_to_queue():
    return compose((QUEUE, 6, 1), (SMALL_ARROW_RIGHT, 0, 0), (SMALL_ARROW_RIGHT, 0, 7))


def remove_from_queue():
    return compose((QUEUE, 1, 0), (MINUS, 8, 12))


def remove_all_from_queue():
    return compose((QUEUE, 1, 0), (CROSS, 8, 9))


UP_ARROW = sprite("""
    ......n......
    .....nBn.....
    ....nBBBn....
    ...nBBBBBn...
    ..nBBBBBBBn..
    .nBBBBBBBBBn.
    nnnnBBBBBnnnn
    ...nBBBBBn...
    ...nBBBBBn...
    ...nBBBBBn...
    ...nBBBBBn...
    ...nBBBBBn...
    ...nnnnnnn...
""")


def move_up():
    return compose((UP_ARROW, 1, 1))


def move_down():
    return compose((flip_vertical(UP_ARROW), 1, 2))


def setup():
    return compose((GEAR, 0, 0))


def exit_program():
    door = sprite("""
        kkkkkkkkk
        krrrrrrrk
        krkkkkkrk
        krkrrrkrk
        krkrrrkrk
        krkkkkkrk
        krrrrrrrk
        kYrrrrrrk
        krrrrrrrk
        krkkkkkrk
        krkrrrkrk
        krkkkkkrk
        krrrrrrrk
        kkkkkkkkk
    """)
    return compose((door, 1, 1), (ARROW_RIGHT, 7, 5))


PLAY_TRIANGLE = sprite("""
    g......
    gg.....
    gGg....
    gGGg...
    gGGGg..
    gGGGGg.
    gGGGGGg
    gGGGGg.
    gGGGg..
    gGGg...
    gGg....
    gg.....
    g......
""")


def play():
    return compose((PLAY_TRIANGLE, 5, 1))


def pause():
    bar = sprite("""
        nnnn
        nBBn
        nBBn
        nBBn
        nBBn
        nBBn
        nBBn
        nBBn
        nBBn
        nBBn
        nBBn
        nnnn
    """)
    return compose((bar, 3, 2), (bar, 9, 2))


def stop():
    square = sprite("""
        rrrrrrrrrr
        rRRRRRRRRr
        rRRRRRRRRr
        rRRRRRRRRr
        rRRRRRRRRr
        rRRRRRRRRr
        rRRRRRRRRr
        rRRRRRRRRr
        rRRRRRRRRr
        rrrrrrrrrr
    """)
    return compose((square, 3, 3))


def next_item():
    bar = sprite("""
        ggg
        gGg
        gGg
        gGg
        gGg
        gGg
        gGg
        gGg
        gGg
        gGg
        gGg
        gGg
        ggg
    """)
    return compose((PLAY_TRIANGLE, 3, 1), (bar, 11, 1))


def update_cd_info():
    return compose((cd_disc(13), 0, 0), (INFO_BADGE, 9, 9))


def eject_cd():
    eject = sprite("""
        .....k.....
        ....kdk....
        ...kdddk...
        ..kdddddk..
        .kdddddddk.
        kdddddddddk
        kkkkkkkkkkk
        ...........
        kkkkkkkkkkk
        kdddddddddk
        kkkkkkkkkkk
    """)
    return compose((eject, 2, 2))


def play_the_cd():
    return compose((cd_disc(13), 0, 0), (SMALL_PLAY, 10, 7))


def help_contents():
    book = sprite("""
        .kkkk......kkkk.
        kWWWWkk..kkWWWWk
        kWddWWWkkWWWddWk
        kWWWWWWkkWWWWWWk
        kWdddWWkkWWdddWk
        kWWWWWWkkWWWWWWk
        kWddWWWkkWWWddWk
        kWWWWWWkkWWWWWWk
        kWdddWWkkWWdddWk
        kWWWWWWkkWWWWWWk
        kkkkWWWkkWWWkkkk
        nnnnkkkkkkkknnnn
        .nnnnnnnnnnnnnn.
    """)
    return compose((book, 0, 1))


def help_search():
    def glass(dx, dy, r):
        return "W" if dx + dy < -2.5 else "C"
    lens = round_shape(10, 10, 4.8, glass)
    handle = sprite("""
        kk....
        krk...
        .krrk.
        ..krrk
        ...krk
        ....kk
    """)
    return compose((lens, 0, 0), (handle, 8, 8))


def help_on_help():
    def face(dx, dy, r):
        return "Y"
    bubble = round_shape(15, 15, 7.3, face)
    question = sprite("""
        .nnnn.
        nn..nn
        ....nn
        ...nn.
        ..nn..
        ..nn..
        ......
        ..nn..
    """)
    return compose((bubble, 0, 0), (question, 5, 3))


def about():
    return compose((record(15), 0, 0))


def introduction():
    return compose((PAGE, 1, 0), (STAR, 8, 8))


def technical_documents():
    return compose((PAGE, 1, 0), (SMALL_GEAR, 7, 7))


def tip_of_the_day():
    bulb = sprite("""
        .....kkkkkk.....
        ....kYYYYYYk....
        ...kYWWYYYYYk...
        ..kYWYYYYYYYYk..
        ..kYWYYYYYYYYk..
        ..kYYYYYYYYYYk..
        ..kYYYYYYYYYYk..
        ...kYYYYYYYYk...
        ....kYYYYYYk....
        .....kYYYYk.....
        .....kkkkkk.....
        .....kssssk.....
        .....kddddk.....
        .....kssssk.....
        ......kkkk......
    """)
    return compose((bulb, 0, 0))


GLYPHS = {
    1: open_album,
    2: save_album,
    3: copy_file,
    4: copy_all_files,
    5: delete_file,
    6: delete_all_files,
    7: file_information,
    8: move_file,
    9: move_all_files,
    10: rename_file,
    11: rename_all_files,
    12: add_to_queue,
    13: add_all_to_queue,
    14: remove_from_queue,
    15: remove_all_from_queue,
    16: move_up,
    17: move_down,
    18: setup,
    19: exit_program,
    20: play,
    21: pause,
    22: stop,
    23: next_item,
    24: update_cd_info,
    25: eject_cd,
    26: play_the_cd,
    27: help_contents,
    28: help_search,
    29: help_on_help,
    30: about,
    32: introduction,
    33: technical_documents,
    34: tip_of_the_day,
}


# ---------------------------------------------------------------- disabled twin

def is_ink(letter):
    if letter == KEY:
        return False
    r, g, b = RGB[letter]
    return 0.299 * r + 0.587 * g + 0.114 * b < INK_LUMINANCE


def disabled(canvas):
    out = blank()
    ink = [(x, y) for y in range(SIZE) for x in range(SIZE) if is_ink(canvas[y][x])]
    for x, y in ink:
        if x + 1 < SIZE and y + 1 < SIZE:
            out[y + 1][x + 1] = HIGHLIGHT
    for x, y in ink:
        out[y][x] = SHADOW
    return out


# ---------------------------------------------------------------- files

def side_by_side(number):
    normal = GLYPHS[number]()
    grey = disabled(normal)
    for half, name in ((normal, "normal"), (grey, "disabled")):
        if half[SIZE - 1][0] != KEY:
            raise ValueError("btn%d: the %s image's bottom-left pixel must stay transparent"
                             % (number, name))
    return [normal[y] + grey[y] for y in range(SIZE)]


def bmp_4bit(rows):
    width, height = len(rows[0]), len(rows)
    row_bytes = ((width + 1) // 2 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        packed = bytearray()
        for x in range(0, width, 2):
            high = INDEX[row[x]]
            low = INDEX[row[x + 1]] if x + 1 < width else 0
            packed.append(high << 4 | low)
        packed += b"\0" * (row_bytes - len(packed))
        pixels += packed
    palette = b"".join(bytes((b, g, r, 0)) for _, (r, g, b) in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835,
                       len(PALETTE), len(PALETTE))
    return header + info + palette + bytes(pixels)


def write_atomically(path, data):
    mode = "wb" if isinstance(data, bytes) else "w"
    tmp = path + ".tmp"
    with open(tmp, mode) as f:
        f.write(data)
    os.replace(tmp, path)


def png(width, height, rgb_rows):
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in rgb_rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def contact_sheet(images, scale=4, columns=6, gap=8):
    """All glyph pairs in command order, left to right, top to bottom, on the button face."""
    cell_w, cell_h = 2 * SIZE * scale, SIZE * scale
    rows_needed = (len(images) + columns - 1) // columns
    width = columns * (cell_w + gap) + gap
    height = rows_needed * (cell_h + gap) + gap
    sheet = [[(96, 96, 96)] * width for _ in range(height)]
    for i, rows in enumerate(images):
        left = gap + (i % columns) * (cell_w + gap)
        top = gap + (i // columns) * (cell_h + gap)
        for y in range(cell_h):
            for x in range(cell_w):
                letter = rows[y // scale][x // scale]
                sheet[top + y][left + x] = BUTTON_FACE if letter == KEY else RGB[letter]
    return png(width, height, sheet)


def main(argv):
    parser = argparse.ArgumentParser(description="Draw the toolbar glyphs btnN.bmp")
    parser.add_argument("--out", default="src/resources/glyphs")
    parser.add_argument("--preview", help="also write a contact sheet PNG here")
    args = parser.parse_args(argv)

    os.makedirs(args.out, exist_ok=True)
    numbers = sorted(GLYPHS)
    images = []
    for number in numbers:
        rows = side_by_side(number)
        images.append(rows)
        write_atomically(os.path.join(args.out, "btn%d.bmp" % number), bmp_4bit(rows))
    if args.preview:
        write_atomically(args.preview, contact_sheet(images))


if __name__ == "__main__":
    main(sys.argv[1:])
