"""Writers for the file formats the resource compiler takes in.

All bitmaps are device-independent bitmaps with a BITMAPINFOHEADER, stored
uncompressed (BI_RGB) bottom-up, rows padded to four bytes, and the
resolution fields 0.
"""

import struct

BI_RGB = 0
INFO_HEADER_SIZE = 40


def row_bytes(width, bits):
    return ((width * bits + 31) // 32) * 4


def pack_rows(indexes, width, height, bits):
    """Pixel indexes (row-major, top row first) as bottom-up padded rows."""
    stride = row_bytes(width, bits)
    per_byte = 8 // bits
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            value = indexes[y * width + x]
            shift = 8 - bits * (x % per_byte + 1)
            row[x // per_byte] |= value << shift
        out += row
    return bytes(out)


def info_header(width, height, bits, colours, image_size):
    return struct.pack('<IiiHHIIiiII', INFO_HEADER_SIZE, width, height, 1, bits,
                       BI_RGB, image_size, 0, 0, colours, 0)


def colour_table(palette, colours):
    """RGBQUAD entries (blue, green, red, 0), padded with black."""
    table = bytearray()
    for i in range(colours):
        r, g, b = palette[i] if i < len(palette) else (0, 0, 0)
        table += bytes((b, g, r, 0))
    return bytes(table)


def dib(indexes, width, height, palette, bits):
    """Header, colour table and pixels: a bitmap resource's data."""
    colours = 1 << bits
    pixels = pack_rows(indexes, width, height, bits)
    header = info_header(width, height, bits, colours, len(pixels))
    return header + colour_table(palette, colours) + pixels


def bmp_file(indexes, width, height, palette, bits):
    body = dib(indexes, width, height, palette, bits)
    offset = 14 + INFO_HEADER_SIZE + 4 * (1 << bits)
    return struct.pack('<2sIHHI', b'BM', 14 + len(body), 0, 0, offset) + body


def masked_image(indexes, mask, width, height, palette, bits):
    """An icon or cursor image: the DIB at double height, then its AND mask
    (1 where the screen shows through)."""
    colours = 1 << bits
    xor = pack_rows(indexes, width, height, bits)
    and_mask = pack_rows(mask, width, height, 1)
    header = info_header(width, height * 2, bits, 0, len(xor) + len(and_mask))
    return header + colour_table(palette, colours) + xor + and_mask


def cursor_image(indexes, mask, width, height, palette, bits, hotspot):
    """A cursor resource: the hotspot, then the masked image."""
    return struct.pack('<HH', *hotspot) + masked_image(indexes, mask, width, height, palette, bits)


def icon_group(images):
    """Group icon directory; images: (resource id, width, height, bits, data)."""
    entries = b''.join(struct.pack('<BBBBHHIH', w & 0xFF, h & 0xFF, (1 << bits) & 0xFF, 0, 1, bits,
                                   len(data), rid) for rid, w, h, bits, data in images)
    return struct.pack('<HHH', 0, 1, len(images)) + entries


def cursor_group(images):
    """Group cursor directory; images: (resource id, width, height, bits, data).
    A cursor entry gives its height doubled, as in the image's header."""
    entries = b''.join(struct.pack('<HHHHIH', w, h * 2, 1, bits, len(data), rid)
                       for rid, w, h, bits, data in images)
    return struct.pack('<HHH', 0, 2, len(images)) + entries
