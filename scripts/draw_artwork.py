#!/usr/bin/env python3
"""Draws Vorn's artwork into res/:

    vorn.ico                the program icon, 32 x 32 and 16 x 16, 16 colours
    tabs.bmp                five 20 x 20 tab images on magenta, 100 x 20
    banner.bmp              the About page's banner, 310 x 90
    tree.bmp                eight 16 x 14 tree images on magenta, 128 x 14: folders
                            closed and open in yellow and green, then arrows black
                            and red, plain and framed

The monitor pictures of the Actions and Buttons pages are drawn by Vorn itself
at the window's scale (ui/monitor_artwork.cpp).

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


def palette_of(canvas, size=256):
    """At most `size` colours for the canvas and each colour's index in them.
    Colours that cover many pixels (the plain surround, the bezel) are kept
    exactly; the rest share what is left by median cut."""
    counts = {}
    for row in canvas.pixels:
        for colour in row:
            counts[colour] = counts.get(colour, 0) + 1
    if len(counts) <= size:
        palette = sorted(counts)
        return palette, {c: i for i, c in enumerate(palette)}
    total = canvas.width * canvas.height
    exact = sorted((c for c, n in counts.items() if n * 200 >= total), key=lambda c: -counts[c])[:size // 4]
    rest = [c for c in counts if c not in set(exact)]
    boxes = [rest]
    while len(boxes) + len(exact) < size:
        # Split the box with the widest spread of a channel, weighted by pixels.
        def spread(box):
            if len(box) < 2:
                return -1
            widest = max(max(c[k] for c in box) - min(c[k] for c in box) for k in range(3))
            return widest * sum(counts[c] for c in box)
        i = max(range(len(boxes)), key=lambda j: spread(boxes[j]))
        box = boxes[i]
        if spread(box) <= 0:
            break
        k = max(range(3), key=lambda ch: max(c[ch] for c in box) - min(c[ch] for c in box))
        box.sort(key=lambda c: c[k])
        half, seen, middle = sum(counts[c] for c in box) / 2, 0, 1
        for j, c in enumerate(box):
            seen += counts[c]
            if seen >= half:
                middle = min(max(j, 1), len(box) - 1)
                break
        boxes[i:i + 1] = [box[:middle], box[middle:]]
    palette = list(exact)
    index = {c: i for i, c in enumerate(exact)}
    for box in boxes:
        weight = sum(counts[c] for c in box)
        mean = tuple(int(round(sum(c[k] * counts[c] for c in box) / weight)) for k in range(3))
        for c in box:
            index[c] = len(palette)
        palette.append(mean)
    return palette, index


def rle8_row(indices):
    """One row in the run-length form of 8-bit bitmaps: runs of a repeated
    index, literal stretches of at least three, then the end-of-line mark."""
    out = bytearray()
    i, n = 0, len(indices)
    while i < n:
        run = 1
        while i + run < n and run < 255 and indices[i + run] == indices[i]:
            run += 1
        if run >= 3 or n - i < 3:
            out += bytes((run, indices[i]))
            i += run
            continue
        start = i
        while i < n and i - start < 255:
            if i + 2 < n and indices[i] == indices[i + 1] == indices[i + 2]:
                break
            i += 1
        literal = indices[start:i]
        if len(literal) < 3:
            for value in literal:
                out += bytes((1, value))
        else:
            out += bytes((0, len(literal))) + bytes(literal)
            if len(literal) % 2:
                out += b"\0"
    return bytes(out) + b"\0\0"


def write_bmp_rle8(path, canvas):
    """A 256-colour, run-length compressed bitmap: the pictures are mostly
    plain surround and smooth sky, and a fifth of the 24-bit size."""
    palette, index = palette_of(canvas)
    data = b"".join(rle8_row([index[c] for c in canvas.pixels[y]]) for y in reversed(range(canvas.height)))
    data = data[:-2] + b"\0\1"  # the last end of line ends the bitmap
    colours = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in palette)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 8, 1, len(data), 2835, 2835,
                       len(palette), 0)
    offset = 14 + len(info) + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + colours + data)


# ---------------------------------------------------------------------------
# Smooth drawing for the larger pictures. Shapes are signed distance functions
# (negative inside, in pixels); a pixel's coverage is how far its centre lies
# inside the edge, which anti-aliases curves without drawing at a larger size.

def mix(a, b, t):
    return (int(round(a[0] + (b[0] - a[0]) * t)), int(round(a[1] + (b[1] - a[1]) * t)),
            int(round(a[2] + (b[2] - a[2]) * t)))


def ramp(stops, t):
    """The colour at t along a gradient of (position, colour) stops."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return stops[-1][1]


def blend(canvas, x, y, colour, alpha):
    if alpha <= 0 or not (0 <= x < canvas.width and 0 <= y < canvas.height):
        return
    canvas.pixels[y][x] = colour if alpha >= 1 else mix(canvas.pixels[y][x], colour, alpha)


def sd_box(x0, y0, x1, y1, r=0.0):
    """A rectangle from (x0, y0) to (x1, y1) in pixel-edge coordinates, corners rounded by r."""
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(px, py):
        qx, qy = abs(px - cx) - hx, abs(py - cy) - hy
        return (max(qx, 0) ** 2 + max(qy, 0) ** 2) ** 0.5 + min(max(qx, qy), 0) - r
    return d


def sd_circle(cx, cy, r):
    return lambda px, py: ((px - cx) ** 2 + (py - cy) ** 2) ** 0.5 - r


def sd_ring(cx, cy, r, width):
    """A circle's outline: r is the outer radius."""
    mid = r - width / 2
    return lambda px, py: abs(((px - cx) ** 2 + (py - cy) ** 2) ** 0.5 - mid) - width / 2


def sd_polygon(points):
    n = len(points)

    def d(px, py):
        best, inside = float("inf"), False
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[i - 1]
            ex, ey, wx, wy = bx - ax, by - ay, px - ax, py - ay
            t = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
            best = min(best, (wx - ex * t) ** 2 + (wy - ey * t) ** 2)
            if (ay > py) != (by > py) and px < ax + (py - ay) * ex / ey:
                inside = not inside
        return -best ** 0.5 if inside else best ** 0.5
    return d


def union(*shapes):
    return lambda px, py: min(s(px, py) for s in shapes)


def intersect(*shapes):
    return lambda px, py: max(s(px, py) for s in shapes)


def below(y):  # the half plane under a horizontal line (y grows downwards)
    return lambda px, py: y - py


def above(y):
    return lambda px, py: py - y


def left_of(x):
    return lambda px, py: px - x


def fill(canvas, shape, paint, box, opacity=1.0, soft=1.0):
    """Paints shape within box (x0, y0, x1, y1; right and bottom exclusive).
    paint is a colour or a function of the pixel centre; soft widens the edge."""
    x0, y0 = max(0, int(box[0])), max(0, int(box[1]))
    x1, y1 = min(canvas.width, int(box[2] + 1)), min(canvas.height, int(box[3] + 1))
    for y in range(y0, y1):
        py = y + 0.5
        for x in range(x0, x1):
            px = x + 0.5
            a = 0.5 - shape(px, py) / soft
            if a > 0:
                blend(canvas, x, y, paint(px, py) if callable(paint) else paint, min(a, 1.0) * opacity)


def coverage(width, height, shape, box):
    """shape's coverage of each pixel of a width x height area, for shadows and glows."""
    m = [[0.0] * width for _ in range(height)]
    for y in range(max(0, int(box[1])), min(height, int(box[3] + 1))):
        for x in range(max(0, int(box[0])), min(width, int(box[2] + 1))):
            m[y][x] = max(0.0, min(1.0, 0.5 - shape(x + 0.5, y + 0.5)))
    return m


def blur(m, radius, passes=3):
    """Repeated box blurs: close enough to a gaussian for a soft shadow."""
    h, w = len(m), len(m[0])
    for _ in range(passes):
        for rows in (True, False):
            n = w if rows else h
            lines = m if rows else [list(col) for col in zip(*m)]
            out = []
            for line in lines:
                acc = [0.0]
                for v in line:
                    acc.append(acc[-1] + v)
                out.append([(acc[min(n, i + radius + 1)] - acc[max(0, i - radius)]) / (2 * radius + 1)
                            for i in range(n)])
            m = out if rows else [list(row) for row in zip(*out)]
    return m


def paint_mask(canvas, m, colour, opacity, dx=0, dy=0, clip=None):
    x0, y0, x1, y1 = clip or (0, 0, canvas.width, canvas.height)
    for y, row in enumerate(m):
        for x, a in enumerate(row):
            if a > 0.002 and x0 <= x + dx < x1 and y0 <= y + dy < y1:
                blend(canvas, x + dx, y + dy, colour, a * opacity)


# ---------------------------------------------------------------------------
# A proportional pixel font in the manner of the 8 point dialog fonts: capitals
# 8 pixels tall, x-height 6, descenders 2. Rows run top down and are separated
# by spaces; a glyph's width is the length of its rows.

FONT = {
    "A": "..#.. .#.#. .#.#. #...# #...# ##### #...# #...#",
    "B": "####. #...# #...# ####. #...# #...# #...# ####.",
    "C": ".###. #...# #.... #.... #.... #.... #...# .###.",
    "D": "###.. #..#. #...# #...# #...# #...# #..#. ###..",
    "E": "##### #.... #.... ####. #.... #.... #.... #####",
    "F": "##### #.... #.... ####. #.... #.... #.... #....",
    "G": ".###. #...# #.... #.... #.### #...# #...# .####",
    "H": "#...# #...# #...# ##### #...# #...# #...# #...#",
    "I": "### .#. .#. .#. .#. .#. .#. ###",
    "J": "..## ...# ...# ...# ...# ...# #..# .##.",
    "K": "#...# #..#. #.#.. ##... ##... #.#.. #..#. #...#",
    "L": "#... #... #... #... #... #... #... ####",
    "M": "#.....# ##...## #.#.#.# #..#..# #.....# #.....# #.....# #.....#",
    "N": "#...# ##..# ##..# #.#.# #.#.# #..## #..## #...#",
    "O": ".###. #...# #...# #...# #...# #...# #...# .###.",
    "P": "####. #...# #...# #...# ####. #.... #.... #....",
    "Q": ".###. #...# #...# #...# #...# #...# #...# .###. ...#. ....#",
    "R": "####. #...# #...# #...# ####. #.#.. #..#. #...#",
    "S": ".###. #...# #.... .##.. ...#. ....# #...# .###.",
    "T": "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#.. ..#..",
    "U": "#...# #...# #...# #...# #...# #...# #...# .###.",
    "V": "#...# #...# #...# .#.#. .#.#. .#.#. ..#.. ..#..",
    "W": "#.....# #.....# #..#..# #..#..# #.#.#.# #.#.#.# .#...#. .#...#.",
    "X": "#...# #...# .#.#. ..#.. ..#.. .#.#. #...# #...#",
    "Y": "#...# #...# .#.#. .#.#. ..#.. ..#.. ..#.. ..#..",
    "Z": "##### ....# ...#. ..#.. ..#.. .#... #.... #####",
    "a": "..... ..... .###. ....# .#### #...# #...# .####",
    "b": "#.... #.... ####. #...# #...# #...# #...# ####.",
    "c": ".... .... .### #... #... #... #... .###",
    "d": "....# ....# .#### #...# #...# #...# #...# .####",
    "e": "..... ..... .###. #...# ##### #.... #.... .####",
    "f": "..## .#.. #### .#.. .#.. .#.. .#.. .#..",
    "g": "..... ..... .#### #...# #...# #...# #...# .#### ....# .###.",
    "h": "#.... #.... ####. #...# #...# #...# #...# #...#",
    "i": "# . # # # # # #",
    "j": ".# .. .# .# .# .# .# .# .# #.",
    "k": "#... #... #..# #.#. ##.. ##.. #.#. #..#",
    "l": "# # # # # # # #",
    "m": "....... ....... ######. #..#..# #..#..# #..#..# #..#..# #..#..#",
    "n": "..... ..... ####. #...# #...# #...# #...# #...#",
    "o": "..... ..... .###. #...# #...# #...# #...# .###.",
    "p": "..... ..... ####. #...# #...# #...# #...# ####. #.... #....",
    "q": "..... ..... .#### #...# #...# #...# #...# .#### ....# ....#",
    "r": "... ... #.# ##. #.. #.. #.. #..",
    "s": ".... .... .### #... ##.. ..## ...# ###.",
    "t": ".#.. .#.. #### .#.. .#.. .#.. .#.. ..##",
    "u": "..... ..... #...# #...# #...# #...# #...# .####",
    "v": "..... ..... #...# #...# .#.#. .#.#. ..#.. ..#..",
    "w": "....... ....... #.....# #..#..# #..#..# #.#.#.# #.#.#.# .#...#.",
    "x": "..... ..... #...# .#.#. ..#.. ..#.. .#.#. #...#",
    "y": "..... ..... #...# #...# #...# #...# #...# .#### ....# .###.",
    "z": "..... ..... ##### ...#. ..#.. .#... #.... #####",
    "0": ".###. #...# #..## #.#.# #.#.# ##..# #...# .###.",
    "1": "..#.. .##.. #.#.. ..#.. ..#.. ..#.. ..#.. #####",
    "2": ".###. #...# ....# ...#. ..#.. .#... #.... #####",
    "3": ".###. #...# ....# ..##. ....# ....# #...# .###.",
    "4": "...#. ..##. .#.#. #..#. ##### ...#. ...#. ...#.",
    "5": "##### #.... #.... ####. ....# ....# #...# .###.",
    "6": "..##. .#... #.... ####. #...# #...# #...# .###.",
    "7": "##### ....# ...#. ...#. ..#.. ..#.. .#... .#...",
    "8": ".###. #...# #...# .###. #...# #...# #...# .###.",
    "9": ".###. #...# #...# #...# .#### ....# ...#. .##..",
    " ": "... ... ... ... ... ... ... ...",
    ".": ". . . . . . . #",
    ",": ".. .. .. .. .. .. .. .# #.",
    ":": ". . . # . . . #",
    ";": ".. .. .. .# .. .. .. .# #.",
    "'": "# # . . . . . .",
    "-": "... ... ... ... ### ... ... ...",
    "!": "# # # # # # . #",
    "?": ".###. #...# ....# ...#. ..#.. ..#.. ..... ..#..",
    "/": "...# ...# ..#. ..#. .#.. .#.. #... #...",
    "(": "..# .#. #.. #.. #.. #.. #.. #.. .#. ..#",
    ")": "#.. .#. ..# ..# ..# ..# ..# ..# .#. #..",
}
FONT_HEIGHT = 10


def text_width(s, bold=False):
    return sum(len(FONT[ch].split()[0]) + 1 + bold for ch in s) - 1


def text_pixels(s, x, y, bold=False):
    """The pixels of s with its top left at (x, y); bold strikes each glyph twice."""
    out = []
    for ch in s:
        rows = FONT[ch].split()
        for j, row in enumerate(rows):
            for i, bit in enumerate(row):
                if bit == "#":
                    out.append((x + i, y + j))
                    if bold:
                        out.append((x + i + 1, y + j))
        x += len(rows[0]) + 1 + bold
    return out


def draw_text(canvas, s, x, y, colour, bold=False):
    for (px, py) in text_pixels(s, x, y, bold):
        canvas.put(px, py, colour)


# ---------------------------------------------------------------------------
# The About page's banner.

def vorn_letters(x, baseline):
    """"Vorn" in a bold geometric face, built from circles and strokes."""
    cap, xh, sw = 40.0, 29.0, 7.5
    top, xtop = baseline - cap, baseline - xh
    shapes = []
    # V: two strokes meeting at the baseline, cut flat at the top and bottom.
    vw = 37.0
    shapes.append(intersect(
        sd_polygon([(x, top), (x + sw + 1.5, top), (x + vw / 2, baseline - 12), (x + vw - sw - 1.5, top),
                    (x + vw, top), (x + vw / 2 + sw / 2 + 1.0, baseline), (x + vw / 2 - sw / 2 - 1.0, baseline)]),
        below(top), above(baseline)))
    x += vw + 2.0
    # o: a ring, overshooting the x-height a little as round letters do.
    r = xh / 2 + 0.8
    shapes.append(sd_ring(x + r, baseline - xh / 2, r, sw))
    x += 2 * r + 3.5
    # r: a stem and the start of an arch.
    ar = 13.0
    shapes.append(sd_box(x, xtop, x + sw, baseline))
    shapes.append(intersect(sd_ring(x + ar, xtop + ar, ar, sw * 0.9), above(xtop + ar), left_of(x + ar * 1.55)))
    x += ar * 1.55 + 3.0
    # n: two stems joined by an arch.
    shapes.append(sd_box(x, xtop, x + sw, baseline))
    shapes.append(intersect(sd_ring(x + ar, xtop + ar, ar, sw * 0.9), above(xtop + ar)))
    shapes.append(sd_box(x + 2 * ar - sw, xtop + ar - 1, x + 2 * ar, baseline))
    x += 2 * ar
    return union(*shapes), x


def draw_small_monitor(c, x0, y0):
    """The banner's motif: a screen whose four corners glow."""
    w, h = 78, 54
    sx0, sy0, sx1, sy1 = x0 + 5, y0 + 5, x0 + w - 5, y0 + h - 8
    amber = (255, 196, 64)
    # Light spilling past the case from each corner.
    for (cx, cy) in ((sx0, sy0), (sx1, sy0), (sx0, sy1), (sx1, sy1)):
        fill(c, sd_circle(cx, cy, 0.1), amber, (cx - 20, cy - 20, cx + 20, cy + 20),
             opacity=0.7, soft=30)
    fill(c, sd_box(x0 + w / 2 - 9, y0 + h - 2, x0 + w / 2 + 9, y0 + h + 7),
         lambda px, py: mix((200, 206, 216), (140, 150, 166), (py - y0 - h) / 8), (x0, y0 + h - 2, x0 + w, y0 + h + 8))
    fill(c, sd_box(x0 + w / 2 - 22, y0 + h + 6, x0 + w / 2 + 22, y0 + h + 10, 2),
         lambda px, py: mix((232, 236, 242), (160, 170, 186), (py - y0 - h - 6) / 4), (x0, y0 + h + 5, x0 + w, y0 + h + 11))
    fill(c, sd_box(x0, y0, x0 + w, y0 + h, 4), (28, 40, 70), (x0 - 1, y0 - 1, x0 + w + 1, y0 + h + 1))
    fill(c, sd_box(x0 + 1, y0 + 1, x0 + w - 1, y0 + h - 1, 3.2),
         lambda px, py: mix((236, 240, 246), (176, 186, 202), (py - y0) / h), (x0, y0, x0 + w, y0 + h))

    corners = ((sx0, sy0), (sx1, sy0), (sx0, sy1), (sx1, sy1))

    def screen(px, py):
        col = mix((18, 38, 92), (34, 72, 140), (py - sy0) / (sy1 - sy0))
        d = min(((px - cx) ** 2 + (py - cy) ** 2) ** 0.5 for (cx, cy) in corners)
        col = mix(col, (255, 176, 56), 0.7 * 2.718 ** -((d / 12.0) ** 2))
        # A lit quarter disc in each corner, brightest right in the corner.
        a = max(0.0, min(1.0, 6.5 - d))
        return mix(col, mix((255, 250, 220), (255, 200, 84), d / 6.5), a)
    fill(c, sd_box(sx0 - 1, sy0 - 1, sx1 + 1, sy1 + 1), (40, 50, 72), (sx0 - 1, sy0 - 1, sx1 + 1, sy1 + 1))
    fill(c, sd_box(sx0, sy0, sx1, sy1), screen, (sx0, sy0, sx1, sy1))
    # A pointer on its way to the upper right corner.
    px, py = sx1 - 22, sy0 + 16
    arrow = [(0, 0), (0, 11.5), (2.8, 8.8), (5, 13.5), (7, 12.6), (4.9, 8.2), (8.6, 8.2)]
    fill(c, sd_polygon([(px + ax, py + ay) for (ax, ay) in arrow]), (255, 255, 255), (px - 2, py - 2, px + 11, py + 16))
    edge = sd_polygon([(px + ax, py + ay) for (ax, ay) in arrow])
    fill(c, lambda qx, qy: abs(edge(qx, qy)) - 0.45, (10, 16, 30), (px - 2, py - 2, px + 11, py + 16))


def draw_banner():
    w, h = 310, 90
    c = Canvas(w, h, (0, 0, 0))
    for y in range(h):
        for x in range(w):
            t = x / (w - 1)
            base = ramp([(0.0, (14, 44, 100)), (0.55, (28, 86, 160)), (1.0, (58, 138, 206))], t)
            # A broad soft sheen behind the motif, and a slightly darker floor.
            d = ((x - 250) ** 2 + ((y - 40) * 1.6) ** 2) ** 0.5
            base = mix(base, (120, 190, 240), max(0.0, 1 - d / 110) ** 2 * 0.45)
            c.pixels[y][x] = mix(base, (8, 26, 64), max(0.0, (y - 50) / 40) ** 2 * 0.35)
    # Gentle arcs sweeping across, like light on glass.
    for (cx, cy, r, a) in ((60, 230, 200, 0.07), (340, -120, 190, 0.06)):
        fill(c, sd_circle(cx, cy, r), (255, 255, 255), (0, 0, w, h), opacity=a)
    letters, right = vorn_letters(20.0, 52.0)
    m = blur(coverage(w, h, letters, (14, 8, right + 4, 56)), 2)
    paint_mask(c, m, (4, 16, 44), 0.55, 2, 3)
    fill(c, letters, lambda px, py: ramp([(10, (255, 255, 255)), (52, (196, 224, 252))], py),
         (16, 8, right + 4, 56))
    draw_text(c, "Screen edges that work for you", 22, 63, (210, 230, 252))
    # An accent under the tagline in the glow's amber, fading out to the right.
    for x in range(22, 170):
        blend(c, x, 76, (255, 196, 64), 0.85 * (1 - (x - 22) / 148) ** 1.5)
    draw_small_monitor(c, 212, 14)
    return c


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
    write_bmp_rle8(os.path.join(RES, "banner.bmp"), draw_banner())
    write_bmp(os.path.join(RES, "tree.bmp"), draw_tree())
    print("wrote res/vorn.ico, tabs.bmp, banner.bmp and tree.bmp")
