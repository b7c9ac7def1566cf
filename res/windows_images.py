#!/usr/bin/env python3
"""Writes the Windows icon and cursor files of the program's resources.

windows_images.py CURSOR_CPP OUT_ICO OUT_CUR ICON_BMP...
The icon holds the 8-bit BMPs of icon 100, one image each, in the order given; the cursor is the
arrow drawn in CURSOR_CPP (the same pattern the other platforms use), as a 32 x 32 monochrome
cursor with its hot spot at (0, 0).
"""
import re
import struct
import sys


def icon_image(bmp):
    """The image of one icon entry (a BMP without its file header, twice as high for the mask)
    and its directory fields."""
    header = bytearray(bmp[14:54])
    width, height, _, bits = struct.unpack_from('<iiHH', header, 4)
    if bits != 8:
        sys.exit('icon BMP must have 8 bits per pixel')
    struct.pack_into('<i', header, 8, height * 2)  # colour rows, then the mask rows
    struct.pack_into('<I', header, 20, 0)
    offset = struct.unpack_from('<I', bmp, 10)[0]
    palette = bmp[54:offset]
    row = (width + 3) & ~3
    pixels = bmp[offset:offset + row * height]
    mask = bytes(((width + 31) // 32) * 4 * height)  # all opaque
    image = bytes(header) + palette + pixels + mask
    colours = len(palette) // 4
    return image, (width & 0xFF, height & 0xFF, colours if colours < 256 else 0)


def icon_from_bmps(bmps):
    images = [icon_image(bmp) for bmp in bmps]
    offset = 6 + 16 * len(images)
    directory = struct.pack('<HHH', 0, 1, len(images))
    for image, (width, height, colours) in images:
        directory += struct.pack('<BBBBHHII', width, height, colours, 0, 1, 8, len(image), offset)
        offset += len(image)
    return directory + b''.join(image for image, _ in images)


def cursor_from_source(source):
    rows = re.findall(r'"([X. ]+)"', re.search(r'kArrow\[[^]]*\]\s*=\s*\{(.*?)\};', source, re.S).group(1))
    size = 32
    xor, andm = [], []
    for y in reversed(range(size)):  # bottom-up
        line = rows[y] if y < len(rows) else ''
        xbits = abits = 0
        for x in range(size):
            c = line[x] if x < len(line) else ' '
            bit = 1 << (31 - x)
            if c == '.':
                xbits |= bit
            elif c == ' ':
                abits |= bit
        xor.append(struct.pack('>I', xbits))
        andm.append(struct.pack('>I', abits))
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + b''.join(xor) + b''.join(andm)
    entry = struct.pack('<BBBBHHII', size, size, 2, 0, 0, 0, len(image), 6 + 16)
    return struct.pack('<HHH', 0, 2, 1) + entry + image


def main():
    cursor_cpp, out_ico, out_cur = sys.argv[1:4]
    bmps = []
    for path in sys.argv[4:]:
        with open(path, 'rb') as f:
            bmps.append(f.read())
    ico = icon_from_bmps(bmps)
    with open(cursor_cpp, encoding='utf-8') as f:
        cur = cursor_from_source(f.read())
    with open(out_ico, 'wb') as f:
        f.write(ico)
    with open(out_cur, 'wb') as f:
        f.write(cur)


main()
