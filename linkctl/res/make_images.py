#!/usr/bin/env python3
"""Writes the pointing-hand cursor and the toolbox bitmap of the control.

The images are committed; run this only to change them:
    python3 make_images.py   (in this folder)
"""
import struct

# 32 x 32 cursor, hot spot at the tip of the index finger.
# '#' = black outline, '.' = white fill, ' ' = transparent.
HAND = [
    "     ##                         ",
    "    #..#                        ",
    "    #..#                        ",
    "    #..#                        ",
    "    #..#                        ",
    "    #..###                      ",
    "    #..#..###                   ",
    "    #..#..#..##                 ",
    "    #..#..#..#.#                ",
    " ## #..#..#..#..#               ",
    "#..##........#..#               ",
    "#...#...........#               ",
    " #..#...........#               ",
    "  #.............#               ",
    "  #.............#               ",
    "   #...........#                ",
    "   #...........#                ",
    "    #.........#                 ",
    "    #.........#                 ",
    "    ###########                 ",
] + [" " * 32] * 12
HOTSPOT = (5, 0)


def cursor():
    xor_rows, and_rows = [], []
    for row in reversed(HAND):  # bottom-up DIB
        xor_bits = and_bits = 0
        for x, ch in enumerate(row.ljust(32)):
            bit = 1 << (31 - x)
            if ch == ".":
                xor_bits |= bit          # white
            elif ch == " ":
                and_bits |= bit          # transparent
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x00000000, 0x00FFFFFF)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, HOTSPOT[0], HOTSPOT[1], len(image), 6 + 16)
    return directory + entry + image


# 16 x 15 toolbox picture: an underlined blue "L" on button face.
TOOL = [
    "................",
    "................",
    "...BB...........",
    "...BB...........",
    "...BB...........",
    "...BB...........",
    "...BB...........",
    "...BB...........",
    "...BB...........",
    "...BBBBBBBB.....",
    "...BBBBBBBB.....",
    "................",
    "..BBBBBBBBBBBB..",
    "................",
    "................",
]


def toolbox():
    palette = [(0xC0, 0xC0, 0xC0), (0xFF, 0x00, 0x00)] + [(0, 0, 0)] * 254  # (B, G, R)
    index = {".": 0, "B": 1}
    stride = 16
    pixels = b"".join(bytes(index[c] for c in row) for row in reversed(TOOL))
    info = struct.pack("<IiiHHIIiiII", 40, 16, 15, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for (b, g, r) in palette)
    offset = 14 + len(info) + len(colours)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    assert stride * 15 == len(pixels)
    return file_header + info + colours + pixels


with open("pointing_hand.cur", "wb") as f:
    f.write(cursor())
with open("toolbox.bmp", "wb") as f:
    f.write(toolbox())
