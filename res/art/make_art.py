#!/usr/bin/python3
"""Draws every bitmap, the cursor and the icon that res/orvanta.rc compiles.

usage: make_art.py SOURCE_ROOT OUT_DIR

Writes into OUT_DIR: bitmap<id>.bmp for each bitmap resource, the raw
cursor and icon resources (*.bin, their ids from res/resource.h) and
art.stamp last. The output depends on nothing but the sources: the same
tree gives the same bytes.
"""

import os
import sys

import colours as C
import dib
import lcd
import palette
import pictures
import project
import skin

STAMP = 'art.stamp'


def write(out_dir, name, data):
    path = os.path.join(out_dir, name)
    tmp = path + '.tmp'
    with open(tmp, 'wb') as f:
        f.write(data)
    os.replace(tmp, path)


def bitmap_name(resource_id):
    return 'bitmap%d.bmp' % resource_id


def draw_all(p):
    """{bitmap id: RGB image} of every 8-bit bitmap, and the icon images."""
    glyphs = lcd.glyphs(p)
    blank = glyphs[p.glyph('GLYPH_BLANK').bitmap]
    background = lcd.background(p, blank)
    face, pressed = skin.build(p, background)
    images = {p.ids['IDB_SKIN']: face, p.ids['IDB_LCD_BACKGROUND']: background}
    images.update(pressed)
    images.update(glyphs)
    icons = [pictures.icon(), pictures.small_icon()]
    return images, icons


def cursor_files(p):
    w, h = pictures.CURSOR_SIZE
    colour, mask = pictures.hand_cursor()
    image = dib.cursor_image(colour, mask, w, h, pictures.CURSOR_COLOURS, 4, pictures.HAND_HOTSPOT)
    group = dib.cursor_group([(p.ids['IDC_KEY_CURSOR_IMAGE'], w, h, 4, image)])
    return {'hand_image.bin': image, 'hand_group.bin': group}


def icon_files(p, icons, mapper, colours):
    files, entries = {}, []
    for (image, mask), name, rid in zip(icons, ('icon_large.bin', 'icon_small.bin'),
                                        (p.ids['IDI_ORVANTA_LARGE'], p.ids['IDI_ORVANTA_SMALL'])):
        n = image.width
        data = dib.masked_image(mapper.indexes(image), mask, n, n, colours, 8)
        files[name] = data
        entries.append((rid, n, n, 8, data))
    files['icon_group.bin'] = dib.icon_group(entries)
    return files


def main(root, out_dir):
    p = project.Project(root)
    os.makedirs(out_dir, exist_ok=True)
    images, icons = draw_all(p)
    ordered = [images[k] for k in sorted(images)] + [im for im, _ in icons]
    colours = palette.build(C.fixed_palette(), ordered)
    mapper = palette.Mapper(colours)
    files = {}
    for rid, image in sorted(images.items()):
        files[bitmap_name(rid)] = dib.bmp_file(mapper.indexes(image), image.width, image.height, colours, 8)
    about, about_colours = pictures.about_picture()
    w, h = pictures.ABOUT_SIZE
    files[bitmap_name(p.ids['IDB_ABOUT_PICTURE'])] = dib.bmp_file(about, w, h, about_colours, 4)
    files.update(cursor_files(p))
    files.update(icon_files(p, icons, mapper, colours))
    for name, data in sorted(files.items()):
        write(out_dir, name, data)
    write(out_dir, STAMP, b''.join(('%s %d\n' % (n, len(d))).encode() for n, d in sorted(files.items())))


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
