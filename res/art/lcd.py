"""LCD glyphs and background: seven-segment figures on the yellow-green face.

Lit and unlit (ghost) segments come from the same outlines, so a figure
drawn into a cell only darkens segments that are already faintly there.
"""

from PIL import Image

import colours as C
import draw

# Figure outline inside an 11 x 17 cell, in pixel-edge coordinates. Upright
# and on whole pixels, with the strokes two pixels thick, the segments stay
# crisp at 1:1; only their mitred ends and the gaps between them are shaded.
LEFT, RIGHT, TOP, BOTTOM = 2, 10, 2, 16
THICK = 2
GAP = 0.6

SEGMENTS_OF = {
    '0': 'abcdef', '1': 'bc', '2': 'abged', '3': 'abgcd', '4': 'fgbc',
    '5': 'afgcd', '6': 'afgedc', '7': 'abc', '8': 'abcdefg', '9': 'abcdfg',
    '-': 'g', ' ': '',
}


def across(x0, x1, y):
    h = THICK / 2
    return [(x0 + GAP, y), (x0 + GAP + h, y - h), (x1 - GAP - h, y - h),
            (x1 - GAP, y), (x1 - GAP - h, y + h), (x0 + GAP + h, y + h)]


def down(x, y0, y1):
    h = THICK / 2
    return [(x, y0 + GAP), (x + h, y0 + GAP + h), (x + h, y1 - GAP - h),
            (x, y1 - GAP), (x - h, y1 - GAP - h), (x - h, y0 + GAP + h)]


def segment_outlines():
    h = THICK / 2
    xl, xr, yt, yb = LEFT + h, RIGHT - h, TOP + h, BOTTOM - h
    ym = (TOP + BOTTOM) / 2
    return {
        'a': across(xl, xr, yt), 'g': across(xl, xr, ym), 'd': across(xl, xr, yb),
        'f': down(xl, yt, ym), 'b': down(xr, yt, ym),
        'e': down(xl, ym, yb), 'c': down(xr, ym, yb),
    }


def figure(size, lit):
    """A cell with every segment ghosted and those in `lit` dark."""
    cell = Image.new('RGB', size, C.LCD_FACE)
    for name, outline in sorted(segment_outlines().items()):
        mask = draw.polygon(size, outline)
        draw.paint(cell, mask, C.LCD_LIT if name in lit else C.LCD_GHOST)
    return cell


def point(size):
    """A square dot low in the cell, where the bottom segment would sit."""
    cell = Image.new('RGB', size, C.LCD_FACE)
    x = (LEFT + RIGHT) // 2 - 1
    y = BOTTOM - THICK
    cell.paste(C.LCD_LIT, (x, y, x + THICK, y + THICK))
    return cell


def mark_symbol(size, char):
    """Coverage of an operator symbol centred in a mark cell."""
    cx, cy = size[0] / 2, 8.5
    r, w = 2.6, 1.4
    if char == '+':
        return draw.lines(size, [((cx - r, cy), (cx + r, cy)), ((cx, cy - r), (cx, cy + r))], w)
    if char == '-':
        return draw.lines(size, [((cx - r, cy), (cx + r, cy))], w)
    if char == '*':
        d = r * 0.8
        return draw.lines(size, [((cx - d, cy - d), (cx + d, cy + d)), ((cx - d, cy + d), (cx + d, cy - d))], w)
    if char == '/':
        bar = draw.lines(size, [((cx - r, cy), (cx + r, cy))], w)
        dots = draw.ellipse(size, (cx - 0.9, cy - 3.4, cx + 0.9, cy - 1.6))
        dots2 = draw.ellipse(size, (cx - 0.9, cy + 1.6, cx + 0.9, cy + 3.4))
        return draw.union(bar, dots, dots2)
    if char == '=':
        return draw.lines(size, [((cx - r, cy - 1.5), (cx + r, cy - 1.5)), ((cx - r, cy + 1.5), (cx + r, cy + 1.5))], w)
    if char == '%':
        slash = draw.lines(size, [((cx + 2.4, cy - 3.2), (cx - 2.4, cy + 3.2))], 1.1)
        o1 = draw.ellipse(size, (cx - 3.1, cy - 3.6, cx - 0.6, cy - 0.9))
        o2 = draw.ellipse(size, (cx + 0.6, cy + 0.9, cx + 3.1, cy + 3.6))
        return draw.union(slash, o1, o2)
    raise ValueError(char)


def mark(size, char):
    """An operator mark: a thin rounded frame with the symbol inside; the
    equals mark has its frame filled with the highlight."""
    cell = Image.new('RGB', size, C.LCD_FACE)
    box = (1, 2, size[0] - 2, 14)
    outer = draw.rounded_box(size, box, 2.5)
    inner = draw.rounded_box(size, (box[0] + 1, box[1] + 1, box[2] - 1, box[3] - 1), 1.5)
    if char == '=':
        draw.paint(cell, outer, C.LCD_HIGHLIGHT)
    draw.paint(cell, draw.subtract(outer, inner), C.LCD_FRAME)
    draw.paint(cell, mark_symbol(size, char), C.LCD_SYMBOL)
    return cell


def glyph(project, g):
    size = (g.width, project.lcd['LCD_GLYPH_HEIGHT'])
    if g.is_mark:
        return mark(size, g.char)
    if g.char == '.':
        return point(size)
    return figure(size, SEGMENTS_OF[g.char])


def glyphs(project):
    """{bitmap id: RGB image} for the 19 glyphs."""
    return {g.bitmap: glyph(project, g) for g in project.glyphs}


def background(project, blank):
    """The face with the blank figure in each of the 45 digit cells."""
    lcd = project.lcd
    face = Image.new('RGB', (lcd['LCD_DRAWN_WIDTH'], lcd['LCD_DRAWN_HEIGHT']), C.LCD_FACE)
    for at in project.digit_cells():
        face.paste(blank, at)
    return face
