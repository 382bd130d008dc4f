#!/usr/bin/env python3
"""Draws Zenthra's application icon and writes it as a .ico file.

The picture is a disc halved into a light and a dark side inside a ring, the
program's choice between the two sides. Every image is computed from the same
geometry, so the file is the same on every run:

    make_icon.py OUT.ico            write the icon
    make_icon.py --check ICO        exit 1 unless ICO is what this script writes

Images: 48, 32, 24, 16 px at 4 and 8 bits per pixel (palette, 1-bit mask) and
128, 96, 72, 64, 48, 32, 24, 16 px at 32 bits per pixel (alpha). The 32-bit
images of 48 px and up are stored as PNG, which keeps the program file small;
the smaller ones stay bitmaps, which Windows draws without its imaging
codecs: the sizes a window shows at 96 DPI load at start without them.
"""

import struct
import sys
import zlib

PALETTE_SIZES = (48, 32, 24, 16)
TRUECOLOR_SIZES = (128, 96, 72, 64, 48, 32, 24, 16)
SUPERSAMPLING = 4
PNG_FROM_SIZE = 48

RING = (40, 40, 72)
LIGHT = (255, 214, 72)
DARK = (120, 24, 40)

# The 16 standard colours of a 4-bit icon.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
       (255, 0, 255), (0, 255, 255), (255, 255, 255)]

# 8-bit icons: a 6x6x6 colour cube and 40 greys.
CUBE = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
GREYS = [(round(i * 255 / 39),) * 3 for i in range(40)]
PALETTE_256 = CUBE + GREYS


def sample(x, y):
    """Colour of the point (x, y) in the unit square, or None outside the disc."""
    dx, dy = x - 0.5, y - 0.5
    distance = (dx * dx + dy * dy) ** 0.5
    if distance > 0.47:
        return None
    if distance > 0.40:
        return RING
    return LIGHT if dx < 0 else DARK


def render(size):
    """Rows top to bottom of (r, g, b, alpha) with supersampled edges."""
    rows = []
    n = SUPERSAMPLING
    for py in range(size):
        row = []
        for px in range(size):
            hits = [sample((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    for sy in range(n) for sx in range(n)]
            inside = [c for c in hits if c is not None]
            if not inside:
                row.append((0, 0, 0, 0))
                continue
            r, g, b = (round(sum(c[i] for c in inside) / len(inside)) for i in range(3))
            row.append((r, g, b, round(255 * len(inside) / len(hits))))
        rows.append(row)
    return rows


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))


def mask_rows(rows):
    """The 1-bit AND mask, bottom-up, each row padded to 32 bits: 1 = transparent."""
    size = len(rows)
    stride = (size + 31) // 32 * 4
    out = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bits
    return bytes(out)


def header(size, bits, colours):
    # Height is doubled: colour image and mask together.
    return struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, 0, 0, 0, colours, 0)


def palette_image(rows, bits):
    palette = VGA if bits == 4 else PALETTE_256
    size = len(rows)
    data = bytearray(header(size, bits, len(palette)))
    data += b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    data += bytes(4 * ((1 << bits) - len(palette)))
    stride = (size * bits + 31) // 32 * 4
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (r, g, b, a) in enumerate(row):
            index = nearest(palette, (r, g, b)) if a >= 128 else 0
            if bits == 8:
                line[x] = index
            else:
                line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        data += line
    return bytes(data + mask_rows(rows))


def truecolor_image(rows):
    size = len(rows)
    data = bytearray(header(size, 32, 0))
    for row in reversed(rows):
        data += b''.join(struct.pack('<BBBB', b, g, r, a) for r, g, b, a in row)
    return bytes(data + mask_rows(rows))


def png_image(rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body))

    size = len(rows)
    raw = b''.join(b'\x00' + bytes(v for pixel in row for v in pixel) for row in rows)
    return (b'\x89PNG\r\n\x1a\n'
            + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9))
            + chunk(b'IEND', b''))


def icon_file():
    images = []  # (size, colour count, bits, data)
    rendered = {size: render(size) for size in set(PALETTE_SIZES + TRUECOLOR_SIZES)}
    for bits in (4, 8):
        for size in PALETTE_SIZES:
            images.append((size, 16 if bits == 4 else 0, bits, palette_image(rendered[size], bits)))
    for size in TRUECOLOR_SIZES:
        image = png_image(rendered[size]) if size >= PNG_FROM_SIZE else truecolor_image(rendered[size])
        images.append((size, 0, 32, image))

    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, colours, bits, data in images:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    for *_, data in images:
        out += data
    return bytes(out)


def main(argv):
    if len(argv) == 3 and argv[1] == '--check':
        with open(argv[2], 'rb') as f:
            same = f.read() == icon_file()
        if not same:
            print(f'{argv[2]} differs from what {argv[0]} draws; regenerate it', file=sys.stderr)
        return 0 if same else 1
    if len(argv) == 2:
        with open(argv[1], 'wb') as f:
            f.write(icon_file())
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv))
