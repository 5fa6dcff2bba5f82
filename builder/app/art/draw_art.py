#!/usr/bin/env python3
"""Draws the builder's icon (32x32 and 16x16) and banner (1352x58), 16 colours each."""
import struct

# The standard 16-colour palette, as (b, g, r).
PALETTE = [(0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128),
           (128, 128, 0), (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0),
           (0, 255, 255), (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255)]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(16)


def pack_4bpp(pixels, width, height):
    """Bottom-up rows of 4-bit indexes, each row padded to 4 bytes."""
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(0, width, 2):
            hi = pixels[y][x]
            lo = pixels[y][x + 1] if x + 1 < width else 0
            row.append(hi << 4 | lo)
        while len(row) % 4:
            row.append(0)
        rows.append(bytes(row))
    return b"".join(rows)


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for b, g, r in PALETTE)


def info_header(width, height):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, 0, 2835, 2835, 16, 16)


def handheld(size):
    """A handheld with a padlock on its screen."""
    px = [[WHITE] * size for _ in range(size)]
    s = size / 32
    def box(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                px[y][x] = colour
    box(7, 1, 25, 31, NAVY)        # case
    box(9, 3, 23, 21, AQUA)        # screen
    box(13, 9, 19, 11, GREY)       # shackle top
    box(13, 9, 14, 13, GREY)
    box(18, 9, 19, 13, GREY)
    box(12, 13, 20, 19, YELLOW)    # lock body
    box(15, 15, 17, 17, BLACK)     # keyhole
    box(10, 24, 14, 28, SILVER)    # buttons
    box(18, 24, 22, 28, SILVER)
    mask = [[0 if px[y][x] != WHITE else 1 for x in range(size)] for y in range(size)]
    return px, mask


def icon_image(size):
    px, mask = handheld(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    xor = pack_4bpp(px, size, size)
    and_rows = []
    for y in reversed(range(size)):
        bits = 0
        row = bytearray()
        for x in range(size):
            bits = bits << 1 | mask[y][x]
            if x % 8 == 7:
                row.append(bits)
                bits = 0
        while len(row) % 4:
            row.append(0)
        and_rows.append(bytes(row))
    return header + palette_bytes() + xor + b"".join(and_rows)


def write_icon(path):
    images = [icon_image(32), icon_image(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def write_banner(path, width=1352, height=58):
    px = [[NAVY] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            if (x + 2 * y) % 97 < 3:
                px[y][x] = BLUE
    for y in range(height - 4, height):
        for x in range(width):
            px[y][x] = YELLOW
    # "BRINDLECOVE" in a 5x7 block font, scaled by 5.
    font = {
        "B": ["1110", "1001", "1110", "1001", "1001", "1001", "1110"],
        "R": ["1110", "1001", "1001", "1110", "1010", "1001", "1001"],
        "I": ["111", "010", "010", "010", "010", "010", "111"],
        "N": ["1001", "1101", "1101", "1011", "1011", "1001", "1001"],
        "D": ["1110", "1001", "1001", "1001", "1001", "1001", "1110"],
        "L": ["1000", "1000", "1000", "1000", "1000", "1000", "1111"],
        "E": ["1111", "1000", "1000", "1110", "1000", "1000", "1111"],
        "C": ["0111", "1000", "1000", "1000", "1000", "1000", "0111"],
        "O": ["0110", "1001", "1001", "1001", "1001", "1001", "0110"],
        "V": ["1001", "1001", "1001", "1001", "1001", "0110", "0110"],
    }
    x0, scale = 16, 5
    for letter in "BRINDLECOVE":
        glyph = font[letter]
        for gy, line in enumerate(glyph):
            for gx, bit in enumerate(line):
                if bit == "1":
                    for y in range(8 + gy * scale, 8 + (gy + 1) * scale):
                        for x in range(x0 + gx * scale, x0 + (gx + 1) * scale):
                            px[y][x] = WHITE
        x0 += (len(glyph[0]) + 1) * scale
    pixels = pack_4bpp(px, width, height)
    offset = 14 + 40 + 64
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset))
        f.write(info_header(width, height) + palette_bytes() + pixels)


if __name__ == "__main__":
    import os
    here = os.path.dirname(os.path.abspath(__file__))
    write_icon(os.path.join(here, "builder.ico"))
    write_banner(os.path.join(here, "banner.bmp"))
