#!/usr/bin/python3
"""Puts the artwork on one sheet so it can be judged without Windows.

usage: preview.py SOURCE_ROOT ART_DIR OUT.png

The sheet shows the skin, the skin with every key pressed, both again at
twice the size, the LCD glyphs enlarged, and the skin with a sample tape on
its LCD, composed the way the LCD window draws it.
"""

import os
import struct
import sys

from PIL import Image, ImageDraw

import project

# The sample tape as the LCD shows it (12 + 3 =): the mark, then the amount
# with its suppressed leading zeros as blank cells.
SAMPLE_SHOWN = ['%16s' % '12', '+%15s' % '3', '=%15s' % '15']
SAMPLE_MARKER_ROW = 2
SHEET_BACKGROUND = (236, 236, 232)
GAP = 16


def load(art_dir, resource_id):
    return Image.open(os.path.join(art_dir, 'bitmap%d.bmp' % resource_id)).convert('RGB')


def with_pressed(p, art_dir, skin):
    out = skin.copy()
    for key in p.keys:
        out.paste(load(art_dir, key.pressed), (key.x, key.y))
    return out


def glyph_for(p, c, in_mark_cell):
    """The glyph that shows character c of a shown line, or None."""
    hits = [g for g in p.glyphs if g.char == c and g.is_mark == in_mark_cell]
    return hits[0] if hits else None


def paint_lcd(p, art_dir, shown, marker_row):
    """The LCD as its window paints it: the background, each shown line's
    glyphs, then the marker band (old colour AND NOT the marker colour)."""
    face = load(art_dir, p.ids['IDB_LCD_BACKGROUND'])
    bitmaps = {g.index: load(art_dir, g.bitmap) for g in p.glyphs}
    for r, line in enumerate(shown[:3]):
        y = p.line_top(r)
        for j, c in enumerate(line):
            g = glyph_for(p, c, j == 0)
            if g is not None:
                x = p.lcd['LCD_MARK_X'] if j == 0 else p.cell_x(j)
                face.paste(bitmaps[g.index], (x, y))
    # Rectangle() with a null pen fills up to, not including, right - 1 and bottom - 1
    overhang = p.lcd['LCD_MARKER_OVERHANG']
    top = p.line_top(marker_row) - overhang
    bottom = p.line_top(marker_row) + p.lcd['LCD_GLYPH_HEIGHT'] + overhang
    left, right = p.lcd['LCD_MARKER_LEFT'], p.lcd['LCD_MARKER_RIGHT']
    mr, mg, mb = p.lcd['LCD_MARKER_RED'], p.lcd['LCD_MARKER_GREEN'], p.lcd['LCD_MARKER_BLUE']
    px = face.load()
    for y in range(top, bottom - 1):
        for x in range(left, right - 1):
            r, g, b = px[x, y]
            px[x, y] = (r & ~mr & 255, g & ~mg & 255, b & ~mb & 255)
    return face


def hide_corners(image):
    """What the round window region leaves of the skin's corners."""
    px = image.load()
    for xy in project.hidden_corners(*image.size):
        px[xy] = SHEET_BACKGROUND


def masked(art_dir, name):
    """An icon or cursor image from its resource file, on the sheet's
    background where the mask lets the screen through."""
    with open(os.path.join(art_dir, name), 'rb') as f:
        data = f.read()
    if name.startswith('hand'):
        data = data[4:]  # the hotspot
    _, w, h2, _, bits, _, _, _, _, used, _ = struct.unpack_from('<IiiHHIIiiII', data)
    h = h2 // 2
    entries = 1 << bits
    table = data[40:40 + 4 * entries]
    colours = [(table[i + 2], table[i + 1], table[i]) for i in range(0, len(table), 4)]
    pixels = data[40 + 4 * entries:]
    stride, mask_stride = ((w * bits + 31) // 32) * 4, ((w + 31) // 32) * 4
    out = Image.new('RGB', (w, h))
    for y in range(h):
        row = h - 1 - y
        for x in range(w):
            byte = pixels[row * stride + x * bits // 8]
            index = byte if bits == 8 else (byte >> (4 * (1 - x % 2))) & 15
            hole = (pixels[stride * h + row * mask_stride + x // 8] >> (7 - x % 8)) & 1
            out.putpixel((x, y), SHEET_BACKGROUND if hole else colours[index])
    return out


def enlarge(image, factor):
    return image.resize((image.width * factor, image.height * factor), Image.Resampling.NEAREST)


def glyph_strip(p, art_dir, factor):
    cells = [load(art_dir, g.bitmap) for g in p.glyphs]
    height = max(c.height for c in cells)
    strip = Image.new('RGB', (sum(c.width + 2 for c in cells), height), SHEET_BACKGROUND)
    x = 0
    for cell in cells:
        strip.paste(cell, (x, 0))
        x += cell.width + 2
    return enlarge(strip, factor)


def sheet(rows):
    """Stack rows of images, left-aligned, with gaps."""
    width = max(sum(im.width for im in row) + GAP * (len(row) + 1) for row in rows)
    height = sum(max(im.height for im in row) for row in rows) + GAP * (len(rows) + 1)
    out = Image.new('RGB', (width, height), SHEET_BACKGROUND)
    y = GAP
    for row in rows:
        x = GAP
        for im in row:
            out.paste(im, (x, y))
            x += im.width + GAP
        y += max(im.height for im in row) + GAP
    return out


def main(root, art_dir, out_path):
    p = project.Project(root)
    skin = load(art_dir, p.ids['IDB_SKIN'])
    pressed = with_pressed(p, art_dir, skin)
    running = skin.copy()
    lcd = paint_lcd(p, art_dir, SAMPLE_SHOWN, SAMPLE_MARKER_ROW)
    running.paste(lcd, (p.lcd['LCD_X'], p.lcd['LCD_Y']))
    hide_corners(running)
    about = enlarge(load(art_dir, p.ids['IDB_ABOUT_PICTURE']), 4)
    small = [enlarge(masked(art_dir, n), 4) for n in ('icon_large.bin', 'icon_small.bin', 'hand_image.bin')]
    rows = [
        [skin, pressed, running],
        [enlarge(skin, 2), enlarge(pressed, 2)],
        [glyph_strip(p, art_dir, 4)],
        [enlarge(lcd, 3), about] + small,
    ]
    sheet(rows).save(out_path)


if __name__ == '__main__':
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], sys.argv[3])
