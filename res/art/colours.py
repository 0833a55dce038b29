"""Named colours of the artwork and the ramps between them that the common
palette keeps exact."""

from draw import hexrgb, mix

HIDDEN_RED = hexrgb('#FF0000')
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

# Face
METAL_LOW = hexrgb('#B5B5AD')
METAL_HIGH = hexrgb('#BDBDB5')
RIM = hexrgb('#525252')
RIM_LIGHT = hexrgb('#D8D8D0')
GROOVE_DARK = hexrgb('#858580')
GROOVE_LIGHT = hexrgb('#E2E2DA')
PRINT_DARK = hexrgb('#4A4A44')

# Logo
LOGO_YELLOW = hexrgb('#FFD66B')
LOGO_OUTLINE = hexrgb('#1C1A14')
LOGO_GREY = hexrgb('#45453F')

# Keys: (top, bottom) of the cap, and the label colours
DIGIT_KEY = (hexrgb('#6B6B63'), hexrgb('#424239'))
OPERATOR_KEY = (hexrgb('#949484'), hexrgb('#7B7363'))
EQUALS_KEY = (hexrgb('#4A738C'), hexrgb('#395A7B'))
GREEN_KEY = (hexrgb('#7BA594'), hexrgb('#426B5A'))
SMALL_KEY = (hexrgb('#5A5A54'), hexrgb('#2E2E2A'))
LABEL = WHITE
LABEL_PRESSED = hexrgb('#EFFF8C')
FRAME_TEAL = hexrgb('#42ADAD')
FRAME_TEAL_LIGHT = hexrgb('#94D6CE')

# Small keys, released and pressed symbol colours
PAGE_ARROW = hexrgb('#FFC890')
PAGE_ARROW_PRESSED = hexrgb('#00D6FF')
LINE_ARROW_PRESSED = hexrgb('#4AFF4A')
WINDOW_SYMBOL_PRESSED = hexrgb('#BDFF00')
ABOUT_LETTER_PRESSED = (hexrgb('#C6FF5A'), hexrgb('#A5D652'))

# Power switch
SLOT = hexrgb('#1E1E1B')
PLATE = (hexrgb('#3C3C37'), hexrgb('#2A2A26'))
KNOB_ORANGE = hexrgb('#F08A24')
POWER_TEXT = hexrgb('#D6D6CC')

# LCD
LCD_FACE = hexrgb('#CEFF42')
LCD_LIT = hexrgb('#395A18')
LCD_LIT_EDGE = hexrgb('#426318')
LCD_GHOST = hexrgb('#BDEF42')
LCD_FRAME = hexrgb('#94BD29')
LCD_SYMBOL = hexrgb('#526318')
LCD_HIGHLIGHT = hexrgb('#E7FFAD')
BEZEL = (hexrgb('#3A3B36'), hexrgb('#25261F'))

# Web address
WEB_GREY = hexrgb('#4A4A44')
WEB_BLUE = hexrgb('#187394')
WEB_CRIMSON = hexrgb('#AD0029')


def ramp(a, b, steps):
    """steps + 1 colours from a to b, both ends included."""
    return [mix(a, b, i / steps) for i in range(steps + 1)]


def fixed_palette():
    """Colours the palette must hold exactly, most important first."""
    out = [HIDDEN_RED, BLACK, WHITE, RIM]
    out += ramp(METAL_LOW, METAL_HIGH, 8)
    out += [RIM_LIGHT, GROOVE_DARK, GROOVE_LIGHT, PRINT_DARK, LOGO_YELLOW, LOGO_OUTLINE, LOGO_GREY,
            FRAME_TEAL, FRAME_TEAL_LIGHT, LABEL_PRESSED, PAGE_ARROW, PAGE_ARROW_PRESSED,
            LINE_ARROW_PRESSED, WINDOW_SYMBOL_PRESSED, KNOB_ORANGE, POWER_TEXT, SLOT,
            WEB_GREY, WEB_BLUE, WEB_CRIMSON]
    out += list(ABOUT_LETTER_PRESSED) + list(PLATE) + list(BEZEL)
    for top, bottom in (DIGIT_KEY, OPERATOR_KEY, EQUALS_KEY, GREEN_KEY, SMALL_KEY):
        out += ramp(top, bottom, 6)
    # The LCD face and every blend of a glyph against it
    out += ramp(LCD_FACE, LCD_LIT, 8) + ramp(LCD_FACE, LCD_GHOST, 4) + ramp(LCD_FACE, LCD_FRAME, 4)
    out += ramp(LCD_FACE, LCD_SYMBOL, 6) + ramp(LCD_HIGHLIGHT, LCD_SYMBOL, 6)
    out += ramp(LCD_HIGHLIGHT, LCD_FRAME, 3) + [LCD_LIT_EDGE]
    return out
