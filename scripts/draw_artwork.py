#!/usr/bin/env python3
"""Draws Vorn's artwork into res/:

    vorn.ico                the program icon, 32 x 32 and 16 x 16, 16 colours
    tabs.bmp                five 20 x 20 tab images on magenta, 100 x 20
    tree.bmp                eight 16 x 14 tree images on magenta, 128 x 14: folders
                            closed and open in yellow and green, then arrows black
                            and red, plain and framed

The monitor pictures of the Actions and Buttons pages and the About page's
banner are drawn by Vorn itself at the window's scale (ui/monitor_artwork.cpp).

The bitmaps are 24-bit. Only the standard library is used; the generated files
are committed, so a build needs nothing of this. Run it again after changing a
drawing:

    python3 scripts/draw_artwork.py
"""
import os
import struct

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")

# The 16-colour palette every Windows version has (index: RGB).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, GREY, SILVER, RED, YELLOW, BLUE, CYAN, WHITE = 0, 4, 8, 7, 9, 11, 12, 14, 15
MAGENTA = (255, 0, 255)


class Canvas:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):  # inclusive corners, filled
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def triangle(self, x, y, size, dx, dy, colour):
        """A right triangle with its right angle at (x, y), legs pointing along dx, dy."""
        for i in range(size):
            for j in range(size - i):
                self.put(x + dx * i, y + dy * j, colour)


def draw_icon(size):
    """A screen whose four corners glow: the edges are what Vorn watches."""
    c = Canvas(size, size, None)  # None: transparent
    s = size / 32.0

    def p(v):
        return int(round(v * s))

    c.rect(p(1), p(3), p(30), p(24), SILVER)            # monitor case
    c.frame(p(1), p(3), p(30), p(24), BLACK)
    c.rect(p(3), p(5), p(28), p(22), NAVY)              # screen
    corner = max(2, p(7))
    for (x, y, dx, dy) in ((p(3), p(5), 1, 1), (p(28), p(5), -1, 1),
                           (p(3), p(22), 1, -1), (p(28), p(22), -1, -1)):
        c.triangle(x, y, corner, dx, dy, YELLOW)
    c.rect(p(12), p(25), p(19), p(27), GREY)            # stand
    c.rect(p(8), p(28), p(23), p(29), GREY)
    c.frame(p(8), p(28), p(23), p(29), BLACK)
    # The pointer in the lower right corner.
    tip_x, tip_y = p(24), p(16)
    for i in range(max(3, p(7))):
        for j in range(i + 1):
            c.put(tip_x + j, tip_y + i, WHITE if j not in (0, i) else BLACK)
    return c


def icon_image(canvas):
    w, h = canvas.width, canvas.height
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    xor_row = ((w * 4 + 31) // 32) * 4
    and_row = ((w + 31) // 32) * 4
    xor, mask = b"", b""
    for y in reversed(range(h)):
        row = canvas.pixels[y]
        bits = bytearray(xor_row)
        for x, colour in enumerate(row):
            value = 0 if colour is None else colour
            bits[x // 2] |= value << (4 if x % 2 == 0 else 0)
        xor += bytes(bits)
        mbits = bytearray(and_row)
        for x, colour in enumerate(row):
            if colour is None:
                mbits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(mbits)
    return header + palette + xor + mask


def write_icon(path, canvases):
    images = [icon_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def rgb(index):
    return PALETTE[index]


def draw_tabs():
    """Five 20 x 20 tab images: Actions, Buttons, Custom, Settings, About."""
    c = Canvas(100, 20, MAGENTA)
    # Actions: a screen with a lit corner and an arrow reaching it.
    c.rect(1, 3, 18, 15, rgb(SILVER)); c.frame(1, 3, 18, 15, rgb(BLACK))
    c.rect(3, 5, 16, 13, rgb(NAVY))
    c.triangle(16, 5, 5, -1, 1, rgb(YELLOW))
    for i in range(6):
        c.put(7 + i, 11 - i, rgb(WHITE))
    c.rect(7, 16, 12, 17, rgb(GREY))
    # Buttons: two floating buttons.
    x = 20
    c.rect(x + 2, 3, x + 17, 8, rgb(SILVER)); c.frame(x + 2, 3, x + 17, 8, rgb(BLACK))
    c.rect(x + 5, 5, x + 14, 6, rgb(NAVY))
    c.rect(x + 2, 11, x + 17, 16, rgb(SILVER)); c.frame(x + 2, 11, x + 17, 16, rgb(BLACK))
    c.rect(x + 5, 13, x + 11, 14, rgb(NAVY))
    # Custom: a command prompt.
    x = 40
    c.rect(x + 1, 3, x + 18, 16, rgb(BLACK)); c.frame(x + 1, 3, x + 18, 16, rgb(GREY))
    for i in range(3):
        c.put(x + 4 + i, 7 + i, rgb(WHITE)); c.put(x + 4 + i, 11 - i, rgb(WHITE))
    c.rect(x + 9, 11, x + 14, 11, rgb(WHITE))
    # Settings: three sliders.
    x = 60
    for row, knob in ((4, 6), (9, 13), (14, 9)):
        c.rect(x + 2, row, x + 17, row, rgb(GREY))
        c.rect(x + knob - 1, row - 2, x + knob + 1, row + 2, rgb(BLUE))
        c.frame(x + knob - 1, row - 2, x + knob + 1, row + 2, rgb(NAVY))
    # About: an "i" in a blue disc.
    x = 80
    for y in range(20):
        for xx in range(20):
            if (xx - 9.5) ** 2 + (y - 9.5) ** 2 <= 8.5 ** 2:
                c.put(x + xx, y, rgb(BLUE))
    c.rect(x + 9, 4, x + 10, 5, rgb(WHITE))
    c.rect(x + 9, 8, x + 10, 15, rgb(WHITE))
    c.rect(x + 8, 15, x + 11, 15, rgb(WHITE))
    return c


def write_bmp(path, canvas):
    w, h = canvas.width, canvas.height
    row_size = (w * 3 + 3) // 4 * 4
    pixels = b""
    for y in reversed(range(h)):
        row = b"".join(struct.pack("BBB", b, g, r) for (r, g, b) in canvas.pixels[y])
        pixels += row + b"\0" * (row_size - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + pixels)


# ---------------------------------------------------------------------------
# The tree's images: 16 x 14 pixel art on magenta, painted from character maps.

FOLDER_CLOSED = """
................
................
.oooo...........
ohhhho..........
ohdddhooooooooo.
ohdddddddddddddo
ohhhhhhhhhhhhhho
ohyyyyyyyyyyyyyo
ohyyyyyyyyyyyyyo
ohyyyyyyyyyyyyyo
ohyyyyyyyyyyyyyo
ohyyyyyyyyyyyyso
osssssssssssssso
.oooooooooooooo.
"""

FOLDER_OPEN = """
................
................
.oooo...........
ohhhho..........
ohdddhooooooooo.
ohddddddddddddo.
ohddoooooooooooo
ohddohhhhhhhhhho
ohdohyyyyyyyyyo.
ohdohyyyyyyyyyo.
ohohyyyyyyyyyo..
ohohyyyyyyyyyo..
oohyyyyyyyyyo...
.oooooooooooo...
"""

ARROW = """
.....x....
.....xx...
.....xxx..
xxxxxxxxx.
xxxxxxxxxx
xxxxxxxxx.
.....xxx..
.....xx...
.....x....
"""

# Inside a frame the full-size arrow would touch it, so framed ones use this.
SMALL_ARROW = """
....x...
....xx..
xxxxxxx.
xxxxxxxx
xxxxxxx.
....xx..
....x...
"""


def paint_map(c, x0, y0, art, colours):
    for j, row in enumerate(art.strip("\n").split("\n")):
        for i, ch in enumerate(row):
            if ch in colours and i < 16:
                c.put(x0 + i, y0 + j, colours[ch])


def draw_tree():
    """Folders closed and open in yellow and green, then arrows black and red, plain and framed."""
    c = Canvas(128, 14, MAGENTA)
    yellow = {"o": (146, 104, 16), "h": (255, 246, 196), "d": (226, 176, 52),
              "y": (252, 214, 96), "s": (222, 170, 50)}
    green = {"o": (34, 96, 34), "h": (214, 246, 200), "d": (92, 166, 76),
             "y": (130, 206, 104), "s": (86, 160, 70)}
    for n, (art, colours) in enumerate(((FOLDER_CLOSED, yellow), (FOLDER_OPEN, yellow),
                                        (FOLDER_CLOSED, green), (FOLDER_OPEN, green))):
        paint_map(c, n * 16, 0, art, colours)
    black = {"x": (0, 0, 0)}
    red = {"x": (214, 16, 16)}
    for n, (colours, framed) in enumerate(((black, False), (red, False), (black, True), (red, True))):
        x0 = (4 + n) * 16
        if framed:
            c.frame(x0 + 1, 0, x0 + 14, 13, (128, 128, 128))
            for (dx, dy) in ((1, 0), (14, 0), (1, 13), (14, 13)):
                c.put(x0 + dx, dy, MAGENTA)
            paint_map(c, x0 + 4, 3, SMALL_ARROW, colours)
        else:
            paint_map(c, x0 + 3, 2, ARROW, colours)
    return c


if __name__ == "__main__":
    write_icon(os.path.join(RES, "vorn.ico"), [draw_icon(32), draw_icon(16)])
    write_bmp(os.path.join(RES, "tabs.bmp"), draw_tabs())
    write_bmp(os.path.join(RES, "tree.bmp"), draw_tree())
    print("wrote res/vorn.ico, tabs.bmp and tree.bmp")
