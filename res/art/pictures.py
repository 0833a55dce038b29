"""The small pictures: the About dialog's calculator (bitmap 170), the hand
cursor and the program icon. All are drawn pixel by pixel."""

from PIL import Image

import colours as C
from draw import hexrgb

# ---------------------------------------------------------------- About picture

ABOUT_SIZE = (19, 22)
ABOUT_COLOURS = {
    '.': hexrgb('#D4D0C8'),  # dialog face
    'K': hexrgb('#000000'),
    'G': hexrgb('#A8A8A0'),  # body
    'L': hexrgb('#E0E0D8'),  # body highlight
    'g': hexrgb('#646460'),  # body shadow
    'd': hexrgb('#304010'),  # display frame
    'D': hexrgb('#B5E742'),  # display
    's': hexrgb('#395A18'),  # figures on the display
    'W': hexrgb('#FFFFFF'),  # key
    'w': hexrgb('#C0C0B8'),  # key, lower half
}

ABOUT_ART = [
    '..KKKKKKKKKKKKKKK..',
    '.KLLLLLLLLLLLLLLLK.',
    '.KLdddddddddddddgK.',
    '.KLdDDDDDDDDDDDdgK.',
    '.KLdDDDDDDDsDssdgK.',
    '.KLdDDDDDDDDDDDdgK.',
    '.KLdddddddddddddgK.',
    '.KLGGGGGGGGGGGGGgK.',
    '.KLGWWGWWGWWGWWGgK.',
    '.KLGwwGwwGwwGwwGgK.',
    '.KLGGGGGGGGGGGGGgK.',
    '.KLGWWGWWGWWGWWGgK.',
    '.KLGwwGwwGwwGwwGgK.',
    '.KLGGGGGGGGGGGGGgK.',
    '.KLGWWGWWGWWGWWGgK.',
    '.KLGwwGwwGwwGwwGgK.',
    '.KLGGGGGGGGGGGGGgK.',
    '.KLGWWWWWGWWGWWGgK.',
    '.KLGwwwwwGwwGwwGgK.',
    '.KLGGGGGGGGGGGGGgK.',
    '.KgggggggggggggggK.',
    '..KKKKKKKKKKKKKKK..',
]


def about_picture():
    """(indexes, 16-colour table) of the About picture."""
    keys = list(ABOUT_COLOURS)
    table = [ABOUT_COLOURS[k] for k in keys]
    indexes = [keys.index(ch) for row in ABOUT_ART for ch in row]
    return indexes, table + [C.BLACK] * (16 - len(table))


# ---------------------------------------------------------------- hand cursor

CURSOR_SIZE = (32, 32)
HAND_HOTSPOT = (5, 0)  # the tip of the index finger
HAND_ART = [
    '.....XX.............',
    '....XooX............',
    '....XooX............',
    '....XooX............',
    '....XooX............',
    '....XooXXX..........',
    '....XooXooXXX.......',
    '....XooXooXooXX.....',
    '....XooXooXooXoX....',
    '.XX.XooXooXooXooX...',
    'XooXXooooooooooooX..',
    'XoooXooooooooooooX..',
    '.XooXooooooooooooX..',
    '.XoooooooooooooooX..',
    '..XooooooooooooooX..',
    '..XoooooooooooooX...',
    '...XooooooooooooX...',
    '...XoooooooooooX....',
    '....XooooooooooX....',
    '....XooooooooooX....',
    '....XXXXXXXXXXXX....',
]


def hand_cursor():
    """(colour indexes into black and white, AND mask) of the hand."""
    w, h = CURSOR_SIZE
    colour, mask = [0] * (w * h), [1] * (w * h)
    for y, row in enumerate(HAND_ART):
        for x, ch in enumerate(row):
            if ch != '.':
                mask[y * w + x] = 0
                colour[y * w + x] = 1 if ch == 'o' else 0
    return colour, mask


CURSOR_COLOURS = [C.BLACK, C.WHITE]

# ---------------------------------------------------------------- icon

ICON_BODY = hexrgb('#3A3A36')
ICON_EDGE = hexrgb('#1A1A18')
ICON_GREY_KEY = hexrgb('#9C9C94')
ICON_KEY_LIGHT = hexrgb('#D6D6CE')


SMALL_ICON_ART = [
    '................',
    '..KKKKKKKKKKKK..',
    '..KBBBBBBBBBBK..',
    '..KBddddddddBK..',
    '..KBdLLLLLLdBK..',
    '..KBddddddddBK..',
    '..KBBBBBBBBBBK..',
    '..KBTTBTTBTTBK..',
    '..KBBBBBBBBBBK..',
    '..KBggBggBbbBK..',
    '..KBBBBBBBbbBK..',
    '..KBggBggBbbBK..',
    '..KBBBBBBBbbBK..',
    '..KBgggggBbbBK..',
    '..KBBBBBBBBBBK..',
    '..KKKKKKKKKKKK..',
]
SMALL_ICON_COLOURS = {
    'K': ICON_EDGE, 'B': ICON_BODY, 'd': C.LCD_LIT, 'L': C.LCD_FACE,
    'T': C.FRAME_TEAL, 'g': ICON_GREY_KEY, 'b': C.EQUALS_KEY[0],
}


def small_icon():
    """The 16 x 16 icon, drawn pixel by pixel: scaled down, the keys would run
    together."""
    im = Image.new('RGB', (16, 16), C.BLACK)
    mask = [1] * 256
    for y, row in enumerate(SMALL_ICON_ART):
        for x, ch in enumerate(row):
            if ch != '.':
                im.putpixel((x, y), SMALL_ICON_COLOURS[ch])
                mask[y * 16 + x] = 0
    return im, mask


def icon():
    """(RGB image, AND mask) of the 32 x 32 program icon: a dark calculator
    with its display, a row of teal keys, grey keys and the tall blue equals
    key. The highlights of the grey keys are left transparent."""
    n = 32
    im = Image.new('RGB', (n, n), C.BLACK)
    mask = [1] * (n * n)
    px = im.load()

    def box(x0, y0, x1, y1, colour, opaque=True):
        for y in range(y0, y1):
            for x in range(x0, x1):
                px[x, y] = colour
                mask[y * n + x] = 0 if opaque else 1

    box(5, 1, 27, 31, ICON_EDGE)
    box(6, 2, 26, 30, ICON_BODY)
    box(8, 4, 24, 10, C.LCD_LIT)
    box(9, 5, 23, 9, C.LCD_FACE)
    for col in range(4):
        box(8 + col * 4, 12, 11 + col * 4, 14, C.FRAME_TEAL)
    for row in range(3):
        for col in range(3):
            x, y = 8 + col * 4, 16 + row * 4
            box(x, y, x + 3, y + 3, ICON_GREY_KEY)
            box(x, y, x + 1, y + 1, C.BLACK, opaque=False)
    box(8, 28, 19, 29, ICON_GREY_KEY)
    box(20, 16, 23, 29, C.EQUALS_KEY[0])
    return im, mask
