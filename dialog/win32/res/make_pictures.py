#!/usr/bin/env python3
"""Draws the dialog's pictures: icon.ico (32x32 and 16x16, 16 colours), hand.cur (32x32,
black and white, hot spot at the index finger's tip, 12,1) and logo.gif (98x21, through ImageMagick).

The files are committed; run this only to change them: python3 make_pictures.py (in this folder).
"""
import struct
import subprocess
import sys

# The 16 colours of the standard VGA palette, as (blue, green, red, 0) for a BMP colour table.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, WHITE, YELLOW, GREY, SILVER = 0, 4, 15, 11, 8, 7
TRANSPARENT = None


def bmp_entry(pixels, size, palette):
    """One icon or cursor image: a BMP without file header, colour bits then AND mask; 4 bits a
    pixel for 16 colours, 1 bit for two."""
    depth = 1 if len(palette) == 2 else 4
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, depth, 0, 0, 0, 0, len(palette), 0)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    colour_stride = ((size * depth + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    colours = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):  # BMP rows run from the bottom up
        row = bytearray(colour_stride)
        bits = bytearray(mask_stride)
        for x in range(size):
            index = pixels[y][x]
            if index is TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
                index = 0
            if depth == 4:
                row[x // 2] |= index << (4 if x % 2 == 0 else 0)
            else:
                row[x // 8] |= index << (7 - x % 8)
        colours += row
        mask += bits
    return header + table + bytes(colours) + bytes(mask)


def write_directory(path, kind, images, palette):
    """kind 1: icon, 2: cursor. images: (size, pixels, hotspot or None), indices into palette."""
    entries = []
    data = b''
    offset = 6 + 16 * len(images)
    for size, pixels, hotspot in images:
        bmp = bmp_entry(pixels, size, palette)
        if kind == 1:
            planes, bits = 1, 1 if len(palette) == 2 else 4
        else:
            planes, bits = hotspot
        entries.append(struct.pack('<BBBBHHII', size % 256, size % 256, len(palette) % 256, 0,
                                   planes, bits,
                                   len(bmp), offset + len(data)))
        data += bmp
    with open(path, 'wb') as out:
        out.write(struct.pack('<HHH', 0, kind, len(images)) + b''.join(entries) + data)


def icon_pixels(size):
    """A navy tile with a yellow ring and tail: the letter Q."""
    scale = size / 32.0
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            cx, cy = (x + 0.5) / scale, (y + 0.5) / scale
            if cx < 1 or cy < 1 or cx > 31 or cy > 31:
                row.append(TRANSPARENT)
                continue
            distance = ((cx - 15.5) ** 2 + (cy - 14.5) ** 2) ** 0.5
            on_tail = 18 <= cx <= 28 and abs((cy - 20) - (cx - 18)) < 2.2
            if 7.5 <= distance <= 11.5 or on_tail:
                row.append(YELLOW)
            elif cx < 2 or cy < 2 or cx > 30 or cy > 30:
                row.append(BLACK)
            else:
                row.append(NAVY)
        pixels.append(row)
    return pixels


HAND = [
    "",
    "            BB",
    "           BWWB",
    "           BWWB",
    "           BWWB",
    "           BWWB",
    "           BWWBBB",
    "           BWWBWWBBB",
    "           BWWBWWBWWBB",
    "           BWWBWWBWWBWWB",
    "        BB BWWBWWBWWBWWB",
    "        BWBBWWWWWWWWWWWB",
    "        BWWBWWWWWWWWWWWB",
    "         BWWWWWWWWWWWWWB",
    "         BWWWWWWWWWWWWWB",
    "          BWWWWWWWWWWWWB",
    "          BWWWWWWWWWWWB",
    "           BWWWWWWWWWWB",
    "           BWWWWWWWWWB",
    "            BWWWWWWWWB",
    "            BWWWWWWWWB",
    "            BBBBBBBBBB",
]


# The hand's two colours: a cursor of one bit a pixel is less than half the size of a 16-colour one.
MONOCHROME = [(0, 0, 0), (255, 255, 255)]


def hand_pixels():
    colours = {'B': 0, 'W': 1}
    rows = HAND + [''] * (32 - len(HAND))
    return [[colours.get(c, TRANSPARENT) for c in row.ljust(32)] for row in rows]


def main():
    write_directory('icon.ico', 1, [(32, icon_pixels(32), None), (16, icon_pixels(16), None)],
                    PALETTE)
    hotspot = (12, 1)
    assert hand_pixels()[hotspot[1]][hotspot[0]] == 0, 'the hot spot must be the fingertip (black)'
    write_directory('hand.cur', 2, [(32, hand_pixels(), hotspot)], MONOCHROME)
    subprocess.run([
        'convert', '-size', '98x21', 'xc:#1c3f7a', '-fill', '#ffd200', '-draw',
        'rectangle 0,19 97,20', '-fill', 'white', '-font', 'Liberation-Sans-Bold', '-pointsize',
        '15', '-gravity', 'center', '-annotate', '+0-1', 'CORVANE', '+dither', '-colors', '16',
        'logo.gif'
    ], check=True)


if __name__ == '__main__':
    sys.exit(main())
