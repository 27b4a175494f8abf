#!/usr/bin/env python3
"""Draws the program's icon and its hand cursor and writes them next to this script.

    python3 resources/make_resources.py            writes default_icon.ico and hand.cur
    python3 resources/make_resources.py --check    exits 1 when the files on disk differ
    python3 resources/make_resources.py --png DIR  also writes enlarged previews to DIR

default_icon.ico holds the icon at 16, 32 and 48 pixels, each a 32-bit image with alpha:
a round blue face whose white power symbol doubles as a clock, its bar the hand at twelve,
with a short orange hand at four. hand.cur is a 32 x 32 monochrome pointing hand, white
with a black outline so that it shows on any background, its hot spot on the tip of the
index finger.

The output depends on nothing but this script: no timestamps, and only arithmetic and
square roots, which give the same bits on every machine.
"""

import argparse
import math
import struct
import sys
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
ICON_FILE = HERE / "default_icon.ico"
CURSOR_FILE = HERE / "hand.cur"

ICON_SIZES = (16, 32, 48)
SAMPLES = 8  # per axis and pixel: the shapes are drawn anti-aliased by supersampling

FACE_TOP = (0x4C, 0x94, 0xE6)
FACE_BOTTOM = (0x1A, 0x4B, 0xA6)
FACE_EDGE = (0x12, 0x33, 0x75)
SYMBOL = (0xFF, 0xFF, 0xFF)
HOUR_HAND = (0xFF, 0xA6, 0x2B)

# The power symbol's ring is open at the top by this much on either side of twelve
# (the tangent of 38 degrees).
RING_GAP_TANGENT = 0.78
# Four o'clock, as a direction with y pointing down: (sin 120 degrees, -cos 120 degrees).
FOUR_O_CLOCK = (math.sqrt(3.0) / 2.0, 0.5)


def near_segment(px, py, ax, ay, bx, by, radius):
    """Whether (px, py) lies within radius of the segment from (ax, ay) to (bx, by)."""
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = min(1.0, max(0.0, t))
    qx, qy = ax + t * dx - px, ay + t * dy - py
    return qx * qx + qy * qy <= radius * radius


def icon_geometry(size):
    """The measures of the icon at one size, in pixels; strokes grow with the size but
    never get thinner than what still reads at 16 pixels."""
    centre = size / 2.0
    face = size / 2.0 - 0.25
    stroke = max(1.9, size * 0.105)
    return {
        "centre": centre,
        "face": face,
        "edge": max(1.0, size / 24.0),
        "ring": face * 0.56,
        "stroke": stroke,
        "bar_top": centre - face * 0.80,
        "hand": face * 0.44,
        "hand_stroke": stroke * 0.9,
    }


def icon_sample(g, x, y):
    """The colour at one point of the icon, or None where it is transparent."""
    dx, dy = x - g["centre"], y - g["centre"]
    distance = math.sqrt(dx * dx + dy * dy)
    if distance > g["face"]:
        return None
    half = g["stroke"] / 2.0
    c = g["centre"]
    if near_segment(x, y, c, c, c, g["bar_top"], half):
        return SYMBOL
    in_gap = dy < 0 and abs(dx) < -dy * RING_GAP_TANGENT
    if not in_gap and abs(distance - g["ring"]) <= half:
        return SYMBOL
    hand_x = c + FOUR_O_CLOCK[0] * g["hand"]
    hand_y = c + FOUR_O_CLOCK[1] * g["hand"]
    if near_segment(x, y, c, c, hand_x, hand_y, g["hand_stroke"] / 2.0):
        return HOUR_HAND
    if distance > g["face"] - g["edge"]:
        return FACE_EDGE
    t = y / (2.0 * g["centre"])
    return tuple(top + (bottom - top) * t for top, bottom in zip(FACE_TOP, FACE_BOTTOM))


def render_icon(size):
    """Rows of (r, g, b, a) pixels, top row first; colours are not premultiplied."""
    g = icon_geometry(size)
    count = SAMPLES * SAMPLES
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = gr = b = 0.0
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = icon_sample(g, px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
                    if colour is not None:
                        covered += 1
                        r += colour[0]
                        gr += colour[1]
                        b += colour[2]
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((int(r / covered + 0.5), int(gr / covered + 0.5),
                            int(b / covered + 0.5), int(covered * 255 / count + 0.5)))
        rows.append(row)
    return rows


def mask_row_bytes(bits):
    """One row of a 1-bit bitmap, padded to a multiple of four bytes."""
    data = bytearray((len(bits) + 31) // 32 * 4)
    for x, bit in enumerate(bits):
        if bit:
            data[x // 8] |= 0x80 >> (x % 8)
    return bytes(data)


def bitmap_header(width, height, bits_per_pixel, image_bytes, colours_used=0):
    # The height counts both bitmaps of an icon or cursor image: the colours and the mask.
    return struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits_per_pixel, 0,
                       image_bytes, 0, 0, colours_used, 0)


def icon_image(rows):
    size = len(rows)
    colours = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    # Systems that draw icons without alpha use the mask alone: transparent where nothing
    # is drawn, and those pixels are black so that they leave the background as it is.
    mask = b"".join(mask_row_bytes([a == 0 for _, _, _, a in row]) for row in reversed(rows))
    return bitmap_header(size, size, 32, len(colours) + len(mask)) + colours + mask


def directory(kind, entries):
    """An icon or cursor file: entries are (width, height, colour count, field 4, field 6,
    image); fields 4 and 6 are the planes and bit count of an icon, the hot spot of a cursor."""
    out = bytearray(struct.pack("<HHH", 0, kind, len(entries)))
    offset = 6 + 16 * len(entries)
    for width, height, colour_count, field4, field6, image in entries:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, colour_count, 0,
                           field4, field6, len(image), offset)
        offset += len(image)
    for entry in entries:
        out += entry[5]
    return bytes(out)


def icon_file():
    icons = [render_icon(size) for size in ICON_SIZES]
    return directory(1, [(len(rows), len(rows), 0, 1, 32, icon_image(rows)) for rows in icons])


# The hand, one character a pixel: X black, o white, anything else transparent.
HAND = """
................................
.....XXX........................
....XoooX.......................
....XoooX.......................
....XoooX.......................
....XoooX.......................
....XoooX.......................
....XoooXXX.....................
....XoooXooXXX..................
....XoooXooXooXXX...............
....XoooXooXooXooXX.............
.XX.XoooXooXooXooXoX............
XooXXoooooooooooooooX...........
XoooXoooooooooooooooX...........
.XooXoooooooooooooooX...........
.XoooooooooooooooooooX..........
..XooooooooooooooooooX..........
..XooooooooooooooooooX..........
...XoooooooooooooooooX..........
...XooooooooooooooooX...........
....XoooooooooooooooX...........
....XoooooooooooooooX...........
.....XoooooooooooooX............
.....XoooooooooooooX............
......XXXXXXXXXXXXXX............
......XoooooooooooX.............
......XXXXXXXXXXXXX.............
................................
................................
................................
................................
................................
"""
HOT_SPOT = (6, 1)


def hand_grid():
    rows = HAND.strip("\n").split("\n")
    assert len(rows) == 32 and all(len(row) == 32 for row in rows), "the hand is 32 x 32"
    assert rows[HOT_SPOT[1]][HOT_SPOT[0]] == "X", "the hot spot lies on the fingertip"
    return rows


def cursor_file():
    rows = hand_grid()
    palette = bytes((0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0))
    # Black is colour 0 with the mask clear, white colour 1 with the mask clear; the
    # transparent rest is colour 0 with the mask set.
    colours = b"".join(mask_row_bytes([c == "o" for c in row]) for row in reversed(rows))
    mask = b"".join(mask_row_bytes([c not in "Xo" for c in row]) for row in reversed(rows))
    image = bitmap_header(32, 32, 1, len(colours) + len(mask), 2) + palette + colours + mask
    return directory(2, [(32, 32, 2, HOT_SPOT[0], HOT_SPOT[1], image)])


def png(width, height, rgba_rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rgba_rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw))
            + chunk(b"IEND", b""))


def preview(images, scale, background):
    """The images side by side, enlarged, over a background (r, g, b) or a checkerboard."""
    gap = 4
    width = sum(len(rows[0]) * scale + gap for rows in images) + gap
    height = max(len(rows) for rows in images) * scale + 2 * gap
    canvas = []
    for y in range(height):
        row = []
        for x in range(width):
            if background is None:
                shade = 0xCC if (x // 8 + y // 8) % 2 else 0xFF
                row.append((shade, shade, shade))
            else:
                row.append(background)
        canvas.append(row)
    left = gap
    for rows in images:
        for y, line in enumerate(rows):
            for x, (r, g, b, a) in enumerate(line):
                for yy in range(gap + y * scale, gap + (y + 1) * scale):
                    for xx in range(left + x * scale, left + (x + 1) * scale):
                        br, bg, bb = canvas[yy][xx]
                        canvas[yy][xx] = (
                            (r * a + br * (255 - a)) // 255,
                            (g * a + bg * (255 - a)) // 255,
                            (b * a + bb * (255 - a)) // 255,
                        )
        left += len(rows[0]) * scale + gap
    return png(width, height, [[(r, g, b, 255) for r, g, b in row] for row in canvas])


def cursor_rgba():
    colour = {"X": (0, 0, 0, 255), "o": (255, 255, 255, 255)}
    return [[colour.get(c, (0, 0, 0, 0)) for c in row] for row in hand_grid()]


def write_previews(folder):
    folder.mkdir(parents=True, exist_ok=True)
    icons = [render_icon(size) for size in ICON_SIZES]
    # Each icon at its own size and enlarged, on light, dark and checkered backgrounds.
    for name, background in (("light", (0xF0, 0xF0, 0xF0)), ("dark", (0x20, 0x20, 0x20)),
                             ("checker", None)):
        (folder / f"icon-{name}-1x.png").write_bytes(preview(icons, 1, background))
        (folder / f"icon-{name}-8x.png").write_bytes(preview(icons, 8, background))
    for name, background in (("light", (0xF0, 0xF0, 0xF0)), ("dark", (0x20, 0x20, 0x20))):
        (folder / f"hand-{name}-8x.png").write_bytes(preview([cursor_rgba()], 8, background))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--check", action="store_true",
                        help="compare the files on disk with what would be written")
    parser.add_argument("--png", metavar="DIR", type=Path, help="write enlarged previews to DIR")
    args = parser.parse_args()

    outputs = {ICON_FILE: icon_file(), CURSOR_FILE: cursor_file()}
    if args.check:
        stale = [path.name for path, data in outputs.items()
                 if not path.exists() or path.read_bytes() != data]
        for name in stale:
            print(f"{name} differs from what {Path(__file__).name} draws; run it again",
                  file=sys.stderr)
        return 1 if stale else 0
    for path, data in outputs.items():
        path.write_bytes(data)
    if args.png:
        write_previews(args.png)
    return 0


if __name__ == "__main__":
    sys.exit(main())
