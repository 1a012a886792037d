#!/usr/bin/env python3
"""Draws Vantorelle's application icon, a page with the shortcut arrow, and writes it as a 16-colour
.ico with 16, 32 and 48 pixel images.  Usage: make_icon.py OUT.ico"""
import struct
import sys

# The 16 standard colours, index: (red, green, blue).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, NAVY, TEAL, SILVER, GRAY, BLUE, WHITE = 0, 4, 6, 7, 8, 12, 15
CLEAR = None


def draw(size):
    """The picture at one size: rows of palette indices, CLEAR where the icon is transparent."""
    s = size / 48.0
    px = [[CLEAR] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(max(0, round(y0 * s)), min(size, round(y1 * s))):
            for x in range(max(0, round(x0 * s)), min(size, round(x1 * s))):
                px[y][x] = colour

    def frame(x0, y0, x1, y1, colour):
        t = max(1, round(s))
        left, top, right, bottom = round(x0 * s), round(y0 * s), round(x1 * s), round(y1 * s)
        for y in range(top, bottom):
            for x in range(left, right):
                if x < left + t or x >= right - t or y < top + t or y >= bottom - t:
                    px[y][x] = colour

    # The page, its shadow and its folded corner.
    rect(10, 4, 40, 46, GRAY)
    rect(8, 2, 38, 44, WHITE)
    frame(8, 2, 38, 44, BLACK)
    fold = 10
    for i in range(round(fold * s)):
        for j in range(round(fold * s) - i):
            px[round(2 * s) + i][round(38 * s) - 1 - j] = CLEAR
    for i in range(round(fold * s)):
        px[round(2 * s) + i][round((38 - fold) * s) + i] = BLACK
        for j in range(round((38 - fold) * s), round((38 - fold) * s) + i):
            px[round(2 * s) + i][j] = SILVER
    # Lines of text on the page.
    for row in (14, 20, 26):
        rect(13, row, 33, row + 2, TEAL)
    # The shortcut arrow in its box, at the lower left.
    rect(2, 28, 22, 48, WHITE)
    frame(2, 28, 22, 48, NAVY)
    rect(7, 39, 11, 44, BLUE)           # the arrow's stem
    rect(7, 36, 15, 40, BLUE)           # its bend
    for i in range(round(6 * s)):       # its head, pointing up and right
        rect(14 + i / s, 33 + i / s, 15 + i / s, 43 - i / s, BLUE)
    return px


def image_bytes(size):
    px = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor, mask = b"", b""
    for row in reversed(px):  # bottom-up
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, colour in enumerate(row):
            value = BLACK if colour is CLEAR else colour
            line[x // 2] |= value << (4 if x % 2 == 0 else 0)
            if colour is CLEAR:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += bytes(line)
        mask += bytes(bits)
    return header + palette + xor + mask


def main(out):
    sizes = (16, 32, 48)
    images = [image_bytes(n) for n in sizes]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, image in zip(sizes, images):
        data += struct.pack("<BBBBHHII", n, n, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    with open(out, "wb") as f:
        f.write(data + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1])
