"""Facts the artwork shares with the program, read from the program's headers.

Nothing here restates a number: key rectangles and the keys' Korean names
come from tape/keys.def, resource ids from res/resource.h, the host name
from tape/site.h, the LCD geometry and the marker from res/lcd_layout.h,
the glyphs from res/glyphs.def and the size of the skin and its window
region from res/skin.h.
"""

import os
import re

KEY_ROW = re.compile(r'^\s*KEY_ROW\(\s*(\d+)\s*,\s*(\w+)\s*,\s*("(?:[^"\\]|\\.)*"|\w+)\s*,'
                     r'\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,'
                     r'\s*"((?:[^"\\]|\\.)*)"\s*\)')
GLYPH_ROW = re.compile(r"^\s*GLYPH_ROW\(\s*(\w+)\s*,\s*'(.)'\s*,\s*(\w+)\s*,\s*(\d+)\s*\)")
DEFINE = re.compile(r'^\s*#define\s+(\w+)\s+(.+?)\s*(?:/\*.*)?$')
ENUM_ITEM = re.compile(r'^\s*(\w+)\s*=\s*(\d+)\s*,?\s*(?:/\*.*)?$')


def read_text(root, rel):
    with open(os.path.join(root, rel), encoding='utf-8') as f:
        return f.read()


def parse_defines(text):
    """#define NAME value lines, values as int or str where they are plain."""
    values = {}
    for line in text.splitlines():
        m = DEFINE.match(line)
        if not m:
            continue
        name, raw = m.group(1), m.group(2).strip()
        if re.fullmatch(r'-?\d+|0[xX][0-9a-fA-F]+', raw):
            values[name] = int(raw, 0)
        elif re.fullmatch(r'"[^"]*"', raw):
            values[name] = raw[1:-1]
    return values


def parse_enum_items(text):
    values = {}
    for line in text.splitlines():
        m = ENUM_ITEM.match(line)
        if m:
            values[m.group(1)] = int(m.group(2))
    return values


def hidden_corners(w, h):
    """The skin pixels that the window region (res/skin.h) leaves out:
    three at each upper corner, one at each lower corner."""
    return [(0, 0), (1, 0), (0, 1), (w - 2, 0), (w - 1, 0), (w - 1, 1), (0, h - 1), (w - 1, h - 1)]


class Key:
    def __init__(self, m, host):
        self.id = int(m.group(1))
        self.name = m.group(2)
        raw = m.group(3)
        self.text = raw[1:-1] if raw.startswith('"') else host
        self.x, self.y, self.w, self.h, self.pressed = (int(m.group(i)) for i in range(4, 9))
        self.korean_name = m.group(9)

    @property
    def rect(self):
        return (self.x, self.y, self.x + self.w, self.y + self.h)


class Glyph:
    """A row of res/glyphs.def; index is its place in the table."""

    def __init__(self, index, m, lcd):
        self.index = index
        self.name, self.char, self.cell = m.group(1), m.group(2), m.group(3)
        self.bitmap = int(m.group(4))
        self.is_mark = self.cell == 'MARK_CELL'
        self.width = lcd['LCD_MARK_WIDTH'] if self.is_mark else lcd['LCD_GLYPH_WIDTH']


class Project:
    """Everything the generator, the preview and the tests read from the tree."""

    def __init__(self, root):
        self.root = root
        self.site = parse_defines(read_text(root, 'tape/site.h'))
        self.host = self.site['ORVANTA_HOST']
        self.ids = parse_defines(read_text(root, 'res/resource.h'))
        layout = read_text(root, 'res/lcd_layout.h')
        self.lcd = parse_defines(layout)
        self.lcd.update(parse_enum_items(layout))
        self.keys = [Key(m, self.host) for m in
                     (KEY_ROW.match(l) for l in read_text(root, 'tape/keys.def').splitlines()) if m]
        self.keys_by_text = {k.text: k for k in self.keys}
        rows = (GLYPH_ROW.match(l) for l in read_text(root, 'res/glyphs.def').splitlines())
        self.glyphs = [Glyph(i, m, self.lcd) for i, m in enumerate(m for m in rows if m)]
        self.glyphs_by_name = {g.name: g for g in self.glyphs}
        self.skin = parse_defines(read_text(root, 'res/skin.h'))
        self.skin_size = (self.skin['SKIN_WIDTH'], self.skin['SKIN_HEIGHT'])

    def hidden_corners(self):
        return hidden_corners(*self.skin_size)

    def key(self, text):
        return self.keys_by_text[text]

    def glyph(self, name):
        return self.glyphs_by_name[name]

    def line_top(self, row):
        step = self.lcd['LCD_GLYPH_HEIGHT'] + self.lcd['LCD_LINE_GAP']
        return self.lcd['LCD_FIRST_LINE_TOP'] + row * step

    def cell_x(self, j):
        return self.lcd['LCD_FIRST_CELL_X'] + self.lcd['LCD_GLYPH_WIDTH'] * j

    def digit_cells(self):
        """Top-left corners of the 45 digit cells of the LCD background."""
        return [(self.cell_x(j), self.line_top(r))
                for r in range(3) for j in range(1, self.lcd['LCD_CELLS'])]
