#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files into shell/win32/icons/.

The application icon is a clipboard with lines of text; the tray shows one icon per group:
a clipboard bearing the digit 1 to 8, and a prohibition sign. Each .ico holds images of 16,
24, 32, 48 and 64 pixels in 32-bit colour with alpha: the small and large icon sizes at 100,
150 and 200 per cent, so that no display scale needs an image scaled up. Shapes are sampled 4x4 times per pixel so their
edges are smooth; the digits are a 5x7 pixel font, sharp at every size. Only the standard
library is used and the output is byte-for-byte reproducible, so the committed icons can be
regenerated and compared.

Usage: scripts/make-icons.py [OUTPUT_DIR]
"""
import math
import os
import struct
import sys

SIZES = (64, 48, 32, 24, 16)
SUBSAMPLES = 4

BOARD = (150, 96, 52, 255)     # the clipboard's hardboard
BOARD_EDGE = (104, 62, 30, 255)
PAPER = (255, 255, 255, 255)
CLIP = (150, 156, 166, 255)
CLIP_EDGE = (84, 90, 100, 255)
INK = (24, 64, 160, 255)
TEXT_LINE = (120, 140, 180, 255)
SIGN_RED = (212, 32, 32, 255)

# 5x7 digits, one string per row, '#' for a set pixel.
DIGITS = {
    1: ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    2: [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    3: ["#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."],
    4: ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    5: ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    6: ["..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."],
    7: ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    8: [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
}


def rounded_rect(left, top, right, bottom, radius):
    """Inside test of a rectangle with rounded corners, in units of the icon's width."""
    def inside(x, y):
        if not (left <= x <= right and top <= y <= bottom):
            return False
        cx = min(max(x, left + radius), right - radius)
        cy = min(max(y, top + radius), bottom - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    return inside


def ring(cx, cy, inner, outer):
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        return inner <= d <= outer
    return inside


def slash(cx, cy, radius, width):
    """The bar of a prohibition sign: top left to bottom right, inside the circle."""
    def inside(x, y):
        if math.hypot(x - cx, y - cy) > radius:
            return False
        return abs((x - cx) - (y - cy)) / math.sqrt(2) <= width / 2
    return inside


def clipboard_layers(size):
    """Hardboard, paper and clip; coordinates are fractions of the icon's width."""
    edge = 1.0 / size  # one pixel
    return [
        (rounded_rect(0.12, 0.08, 0.88, 0.98, 0.08), BOARD_EDGE),
        (rounded_rect(0.12 + edge, 0.08 + edge, 0.88 - edge, 0.98 - edge, 0.07), BOARD),
        (rounded_rect(0.22, 0.22, 0.78, 0.88, 0.02), PAPER),
        (rounded_rect(0.32, 0.02, 0.68, 0.20, 0.05), CLIP_EDGE),
        (rounded_rect(0.32 + edge, 0.02 + edge, 0.68 - edge, 0.20 - edge, 0.04), CLIP),
    ]


def render(layers, size):
    """RGBA rows, top row first: each pixel is the average of its subsamples, each
    subsample the colour of the topmost layer that covers it."""
    rows = []
    n = SUBSAMPLES
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    colour = (0, 0, 0, 0)
                    for inside, c in layers:
                        if inside(x, y):
                            colour = c
                    # Premultiplied, so transparent subsamples do not darken the edges.
                    total[0] += colour[0] * colour[3]
                    total[1] += colour[1] * colour[3]
                    total[2] += colour[2] * colour[3]
                    total[3] += colour[3]
            alpha = total[3] / (n * n)
            if total[3] == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(total[i] / total[3]) for i in range(3)) + (round(alpha),))
        rows.append(row)
    return rows


def stamp_digit(rows, digit, size):
    """The digit's pixels, whole pixels only, centred on the paper."""
    glyph = DIGITS[digit]
    scale = max(1, size // 16)
    width, height = 5 * scale, 7 * scale
    left = (size - width) // 2
    top = round(0.55 * size - height / 2)
    for gy, line in enumerate(glyph):
        for gx, cell in enumerate(line):
            if cell != "#":
                continue
            for dy in range(scale):
                for dx in range(scale):
                    rows[top + gy * scale + dy][left + gx * scale + dx] = INK


def stamp_text_lines(rows, size):
    """Three lines of "text" on the paper of the application icon."""
    step = 5 * size // 32 if size >= 32 else 3
    thickness = max(1, size // 16)
    left, right = round(0.30 * size), round(0.70 * size)
    top = round(0.34 * size)
    for i in range(3):
        end = right if i < 2 else round(0.55 * size)
        for dy in range(thickness):
            for x in range(left, end):
                rows[top + i * step + dy][x] = TEXT_LINE


def app_icon(size):
    rows = render(clipboard_layers(size), size)
    stamp_text_lines(rows, size)
    return rows


def group_icon(index, size):
    if index == 0:
        layers = [
            (ring(0.5, 0.5, 0.0, 0.46), PAPER),
            (ring(0.5, 0.5, 0.33, 0.46), SIGN_RED),
            (slash(0.5, 0.5, 0.40, 0.13), SIGN_RED),
        ]
        return render(layers, size)
    rows = render(clipboard_layers(size), size)
    stamp_digit(rows, index, size)
    return rows


def dib(rows):
    """One icon image: a BITMAPINFOHEADER with twice the height (colour plus mask), BGRA
    pixels bottom-up, then the 1-bit mask (set where fully transparent), rows padded to
    32 bits."""
    size = len(rows)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row_bytes)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + bytes(mask)


def ico(images):
    """An .ico file of (size, rows) images."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    bodies = []
    for size, rows in images:
        body = dib(rows)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(body), offset)
        offset += len(body)
        bodies.append(body)
    return out + b"".join(bodies)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "shell", "win32", "icons")
    os.makedirs(out_dir, exist_ok=True)
    icons = {"App.ico": app_icon}
    for index in range(9):
        icons["Group%d.ico" % index] = lambda size, index=index: group_icon(index, size)
    for name, draw in icons.items():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(ico([(size, draw(size)) for size in SIZES]))


if __name__ == "__main__":
    main()
