"""The calculator's face (bitmap 101) and the pressed image of every key.

The face is drawn in two steps: the base (metal, rim, logo, LCD panel,
grooves, frames, grille) and then every key in its released look at its
rectangle from tape/keys.def. A pressed image is the same key drawn
pressed onto the base cut out at that rectangle, so its corners and any
frame inside the rectangle match the skin pixel for pixel.
"""

import random

from PIL import Image, ImageDraw

import colours as C
import draw
import project

# Some systems cut the lower corners as deep as the upper ones; the rim
# follows the deeper cut too so that the corner looks finished on both.
def deep_corners(w, h):
    return project.hidden_corners(w, h) + [(1, h - 1), (0, h - 2), (w - 2, h - 1), (w - 1, h - 2)]


# Layout of the parts that are not keys (main window pixels, inclusive boxes)
LOGO_AT = (8, 2)
BEZEL = (7, 23, 220, 97)
LCD_FACE_BOX = (12, 27, 197, 94)
GROOVES = (99, 127)
POWER_PLATE = (172, 102, 210, 125)
GRILLE = (12, 256, 16, 6, 4)  # x, y, columns, rows, pitch
# The teal frame round the operator block and the decimal point, outer line
# first; the inner line runs one pixel inside it.
FRAME_OUTER = [(131, 131), (213, 131), (213, 180), (172, 180), (172, 228), (91, 228), (91, 203), (131, 203)]
FRAME_INNER = [(132, 132), (212, 132), (212, 179), (171, 179), (171, 227), (92, 227), (92, 204), (132, 204)]


# ---------------------------------------------------------------- the base

def metal(size, seed=1):
    """Brushed metal: per-row shading with long horizontal streaks, in the
    nine exact steps from METAL_LOW to METAL_HIGH."""
    w, h = size
    rnd = random.Random(seed)
    steps = C.ramp(C.METAL_LOW, C.METAL_HIGH, 8)
    im = Image.new('RGB', size)
    px = im.load()
    row_level = 4.5
    for y in range(h):
        row_level += rnd.uniform(-0.6, 0.6)
        row_level = min(6.0, max(2.5, row_level))
        shade = 1.2 * (1 - y / h)  # a touch lighter towards the top
        streak, left = 0.0, 0
        for x in range(w):
            if left == 0:
                streak = rnd.choice((-1.2, -0.6, 0.0, 0.0, 0.6, 1.2))
                left = rnd.randint(6, 40)
            left -= 1
            level = round(row_level + shade + streak + rnd.uniform(-0.4, 0.4))
            px[x, y] = steps[min(8, max(0, level))]
    return im


def rim(canvas):
    """The dark rim round the face, a highlight inside it at the top and
    left and a shadow at the bottom and right, and the hidden red corners."""
    w, h = canvas.size
    outside = set(deep_corners(w, h))
    inside = lambda x, y: 0 <= x < w and 0 <= y < h and (x, y) not in outside
    edge = {(x, y) for y in range(h) for x in range(w) if inside(x, y) and
            not all(inside(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))}
    px = canvas.load()
    for y in range(h):
        for x in range(w):
            if (x, y) in edge:
                px[x, y] = C.RIM
            elif (x - 1, y) in edge or (x, y - 1) in edge:
                px[x, y] = C.RIM_LIGHT
            elif (x + 1, y) in edge or (x, y + 1) in edge:
                px[x, y] = C.GROOVE_DARK
    for x, y in project.hidden_corners(w, h):  # never seen: pure red shows a stray one
        px[x, y] = C.HIDDEN_RED


def groove(canvas, y, x0, x1):
    canvas.paste(C.GROOVE_DARK, (x0, y, x1 + 1, y + 1))
    canvas.paste(C.GROOVE_LIGHT, (x0, y + 1, x1 + 1, y + 2))


def outlined_text(canvas, at, text, fnt, fill, outline):
    mask, _ = draw.text_mask(text, fnt)
    pad = Image.new('L', (mask.width + 2, mask.height + 2), 0)
    pad.paste(mask, (1, 1))
    shadow = draw.shifted(draw.grow(pad, 1), 1, 1)
    draw.paint(canvas, draw.grow(pad, 1), outline, at)
    draw.paint(canvas, draw.subtract(shadow, draw.grow(pad, 1)), C.GROOVE_DARK, at)
    draw.paint(canvas, pad, fill, at)
    return pad.size


def logo(canvas):
    x, y = LOGO_AT
    w, h = outlined_text(canvas, (x, y), '오르반타', draw.font('hangul', 19), C.LOGO_YELLOW, C.LOGO_OUTLINE)
    reg, _ = draw.text_mask('®', draw.font('bold', 8))
    draw.paint(canvas, reg, C.LOGO_GREY, (x + w + 1, y))
    latin, _ = draw.text_mask('Orvanta', draw.font('bold', 14))
    draw.paint(canvas, latin, C.LOGO_GREY, (x + w + reg.width + 4, y + h - latin.height - 2))


def lcd_panel(canvas):
    """The dark bezel, set into the face, and the LCD glass in it."""
    x0, y0, x1, y1 = BEZEL
    size = (x1 - x0 + 1, y1 - y0 + 1)
    # engraved edge: shadow above the panel, light below it
    edge = draw.rounded_box(canvas.size, (x0 - 1, y0 - 1, x1 + 1, y1 + 1), 5)
    draw.paint(canvas, edge, C.GROOVE_DARK)
    lower = draw.rounded_box(canvas.size, (x0 - 1, y0, x1 + 1, y1 + 1), 5)
    draw.paint(canvas, draw.subtract(lower, draw.rounded_box(canvas.size, (x0, y0, x1, y1 - 1), 4)),
               C.GROOVE_LIGHT)
    body = draw.rounded_box(size, (0, 0, size[0] - 1, size[1] - 1), 4)
    draw.paint(canvas, body, draw.vertical_gradient(size, [(0, C.BEZEL[0]), (1, C.BEZEL[1])]), (x0, y0))
    fx0, fy0, fx1, fy1 = LCD_FACE_BOX
    canvas.paste(C.LCD_FACE, (fx0, fy0, fx1 + 1, fy1 + 1))
    # the glass sits a little below the bezel: shade its top and left edge
    canvas.paste(draw.mix(C.LCD_FACE, C.LCD_LIT, 0.25), (fx0, fy0, fx1 + 1, fy0 + 1))
    canvas.paste(draw.mix(C.LCD_FACE, C.LCD_LIT, 0.125), (fx0, fy0 + 1, fx1 + 1, fy0 + 2))
    canvas.paste(draw.mix(C.LCD_FACE, C.LCD_LIT, 0.25), (fx0, fy0, fx0 + 1, fy1 + 1))


def teal_frame(canvas):
    d = ImageDraw.Draw(canvas)
    d.line(FRAME_OUTER + FRAME_OUTER[:1], fill=C.FRAME_TEAL)
    d.line(FRAME_INNER + FRAME_INNER[:1], fill=C.FRAME_TEAL_LIGHT)


def power_plate(canvas):
    x0, y0, x1, y1 = POWER_PLATE
    size = (x1 - x0 + 1, y1 - y0 + 1)
    edge = draw.rounded_box(canvas.size, (x0, y0, x1, y1 + 1), 3)
    draw.paint(canvas, edge, C.GROOVE_LIGHT)
    body = draw.rounded_box(size, (0, 0, size[0] - 1, size[1] - 1), 3)
    draw.paint(canvas, body, draw.vertical_gradient(size, [(0, C.PLATE[0]), (1, C.PLATE[1])]), (x0, y0))
    text, _ = draw.text_mask('Power', draw.font('bold', 7))
    draw.paint(canvas, text, C.POWER_TEXT, ((x0 + x1 + 1 - text.width) // 2, y1 - text.height - 1))


def grille(canvas):
    x0, y0, cols, rows, pitch = GRILLE
    hole = draw.ellipse((3, 3), (0, 0, 2.4, 2.4))
    lit = draw.ellipse((3, 3), (0.6, 0.6, 3, 3))
    for j in range(rows):
        for i in range(cols):
            # round the field's corners off
            if (i in (0, cols - 1)) and (j in (0, rows - 1)):
                continue
            at = (x0 + i * pitch, y0 + j * pitch)
            draw.paint(canvas, lit, C.GROOVE_LIGHT, at)
            draw.paint(canvas, hole, C.SLOT, at)


def base(project, lcd_face):
    canvas = metal(project.skin_size)
    logo(canvas)
    lcd_panel(canvas)
    # the LCD as it looks before it first paints
    canvas.paste(lcd_face, (project.lcd['LCD_X'], project.lcd['LCD_Y']))
    for y in GROOVES:
        groove(canvas, y, 4, project.skin_size[0] - 5)
    power_plate(canvas)
    teal_frame(canvas)
    grille(canvas)
    return canvas


# ---------------------------------------------------------------- keys

def band(size, y0, y1, c0, c1):
    """Vertical gradient from c0 at row y0 to c1 at row y1, flat outside."""
    w, h = size
    im = Image.new('RGB', size)
    for y in range(h):
        t = min(1.0, max(0.0, (y - y0) / max(1, y1 - y0)))
        im.paste(draw.mix(c0, c1, t), (0, y, w, y + 1))
    return im


def cap_key(size, body, label, pressed):
    """A keycap with its darker skirt below; pressed, the cap sits lower and
    darker and the label turns pale yellow."""
    w, h = size
    top, bottom = body
    layer = Image.new('RGB', size, draw.mix(bottom, C.BLACK, 0.55))
    draw.paint(layer, draw.rounded_box(size, (1, 1, w - 2, h - 2), 2), draw.mix(bottom, C.BLACK, 0.3))
    if pressed:
        x0, y0, x1, y1 = 1, 3, w - 2, h - 2
        fill = band(size, y0, y1, draw.mix(bottom, C.BLACK, 0.2), draw.mix(top, bottom, 0.4))
    else:
        x0, y0, x1, y1 = 1, 1, w - 2, h - 4
        fill = band(size, y0 + 1, y1, top, bottom)
    draw.paint(layer, draw.rounded_box(size, (x0, y0, x1, y1), 2), fill)
    if not pressed:
        # light catching the cap's front edge
        layer.paste(draw.mix(top, C.WHITE, 0.35), (x0 + 2, y0, x1 - 1, y0 + 1))
    cap_size = (x1 - x0 + 1, y1 - y0 + 1)
    ink = Image.new('L', size, 0)
    ink.paste(label(cap_size), (x0, y0))
    draw.paint(layer, ink, C.LABEL_PRESSED if pressed else C.LABEL)
    return layer, draw.rounded_box(size, (0, 0, w - 1, h - 1), 3)


def text_label(text, kind='bold', size=15, reference='0'):
    """A text centred on the cap: across by its ink, up and down by the
    height of the reference character so that labels share a baseline."""
    def make(box):
        fnt = draw.font(kind, size)
        left, _, right, _ = fnt.getbbox(text)
        _, top, _, bottom = fnt.getbbox(reference)
        out = Image.new('L', box, 0)
        at = ((box[0] - (right - left)) // 2 - left, (box[1] - (bottom - top) + 1) // 2 - top)
        ImageDraw.Draw(out).text(at, text, font=fnt, fill=255)
        return out
    return make


def shape_label(maker):
    """A label drawn from pixel-edge geometry centred on the key."""
    return lambda box: maker(box, box[0] // 2, box[1] // 2)


def bar(box, cx, cy, half_w, half_h):
    return draw.polygon(box, [(cx - half_w, cy - half_h), (cx + half_w, cy - half_h),
                              (cx + half_w, cy + half_h), (cx - half_w, cy + half_h)])


def sym_plus(box, cx, cy):
    return draw.union(bar(box, cx, cy, 5, 1), bar(box, cx, cy, 1, 5))


def sym_minus(box, cx, cy):
    return bar(box, cx, cy, 5, 1)


def sym_times(box, cx, cy):
    d = 3.6
    return draw.lines(box, [((cx - d, cy - d), (cx + d, cy + d)), ((cx - d, cy + d), (cx + d, cy - d))], 2.0)


def sym_divide(box, cx, cy):
    dot = lambda y: draw.ellipse(box, (cx - 1.4, y - 1.4, cx + 1.4, y + 1.4))
    return draw.union(bar(box, cx, cy, 5, 1), dot(cy - 4), dot(cy + 4))


def sym_equals(box, cx, cy):
    return draw.union(bar(box, cx, cy - 3, 6, 1.5), bar(box, cx, cy + 3, 6, 1.5))


def sym_point(box, cx, cy):
    return draw.ellipse(box, (cx - 2.5, cy + 0.5, cx + 2.5, cy + 5.5))


def sym_sign(box, cx, cy):
    return draw.union(bar(box, cx, cy - 2, 5, 1), bar(box, cx, cy - 2, 1, 5), bar(box, cx, cy + 5, 5, 1))


def small_body(size, pressed):
    """The dark rounded body of a window or scroll key."""
    w, h = size
    top, bottom = C.SMALL_KEY
    layer = Image.new('RGB', size, draw.mix(bottom, C.BLACK, 0.5))
    if pressed:
        grad = [(0, draw.mix(bottom, C.BLACK, 0.3)), (1, top)]
    else:
        grad = [(0, draw.mix(top, C.WHITE, 0.25)), (0.2, top), (1, bottom)]
    draw.paint(layer, draw.rounded_box(size, (1, 1, w - 2, h - 2), 2), draw.vertical_gradient(size, grad))
    return layer, draw.rounded_box(size, (0, 0, w - 1, h - 1), 3)


def arrow(box, cx, cy, up, double):
    """Solid triangle(s) pointing up or down."""
    s = -1 if up else 1
    tris = []
    offsets = (-2.5, 2.5) if double else (0,)
    for off in offsets:
        y = cy + off
        tris.append(draw.polygon(box, [(cx - 3.5, y - s * 2), (cx + 3.5, y - s * 2), (cx, y + s * 2)]))
    return draw.union(*tris)


SMALL_SYMBOLS = {
    'pgup': (lambda b: arrow(b, b[0] / 2, b[1] / 2, True, True), C.PAGE_ARROW, C.PAGE_ARROW_PRESSED),
    'pgdn': (lambda b: arrow(b, b[0] / 2, b[1] / 2, False, True), C.PAGE_ARROW, C.PAGE_ARROW_PRESSED),
    'up': (lambda b: arrow(b, b[0] / 2, b[1] / 2 + 0.5, True, False), C.WHITE, C.LINE_ARROW_PRESSED),
    'down': (lambda b: arrow(b, b[0] / 2, b[1] / 2 - 0.5, False, False), C.WHITE, C.LINE_ARROW_PRESSED),
    'quit': (lambda b: draw.lines(b, [((4.5, 4), (10.5, 10)), ((4.5, 10), (10.5, 4))], 1.7),
             C.WHITE, C.WINDOW_SYMBOL_PRESSED),
    'minisize': (lambda b: bar(b, b[0] / 2, 9.5, 3.5, 1), C.WHITE, C.WINDOW_SYMBOL_PRESSED),
    'about': (text_label('O', 'bold', 10, 'O'), C.WHITE, C.ABOUT_LETTER_PRESSED),
}


def small_key(size, name, pressed):
    layer, outline = small_body(size, pressed)
    symbol, normal, lit = SMALL_SYMBOLS[name]
    mask = symbol(size)
    if pressed:
        mask = draw.shifted(mask, 0, 1)
    colour = lit if pressed else normal
    if isinstance(colour[0], tuple):  # a gradient, top to bottom
        colour = band(size, 3, size[1] - 4, *colour)
    draw.paint(layer, mask, colour)
    return layer, outline


def power_key(piece, pressed):
    """The slide switch on its plate: a dark slot with the orange-striped
    knob at its left end, at its right end when pressed."""
    out = piece.copy()
    w, h = out.size
    draw.paint(out, draw.rounded_box(out.size, (1, 4, w - 2, h - 5), 2), C.SLOT)
    kw = 11
    kx = w - 1 - kw if pressed else 1
    draw.paint(out, draw.rounded_box(out.size, (kx, 1, kx + kw - 1, h - 2), 2), C.SLOT)
    knob = draw.rounded_box(out.size, (kx + 1, 2, kx + kw - 2, h - 3), 1.5)
    draw.paint(out, knob, band(out.size, 2, h - 3, C.GROOVE_LIGHT, C.GROOVE_DARK))
    for i in range(3):
        sx = kx + 3 + 2 * i
        out.paste(C.KNOB_ORANGE, (sx, 4, sx + 1, h - 4))
    return out


def web_key(piece, host, pressed):
    """The host name on the bare face, its name (the label before the
    top-level domain) coloured as a link."""
    out = piece.copy()
    fnt = draw.font('bold', 10)
    labels = host.split('.')
    last = len(host) - len(labels[-1]) - 1
    first = last - len(labels[-2]) if len(labels) > 1 else 0
    link = C.WEB_CRIMSON if pressed else C.WEB_BLUE
    x0 = (out.width - round(fnt.getlength(host))) // 2
    _, top, _, bottom = fnt.getbbox('wl')  # x-height and ascender, no descender
    y0 = (out.height - (bottom - top) + 1) // 2 - top
    ink = Image.new('L', out.size, 0)
    ImageDraw.Draw(ink).text((x0, y0), host, font=fnt, fill=255)
    colour = Image.new('RGB', out.size, C.WEB_GREY)
    link_from = x0 + round(fnt.getlength(host[:first]))
    link_to = x0 + round(fnt.getlength(host[:last]))
    colour.paste(link, (link_from, 0, link_to, out.height))
    draw.paint(out, ink, colour)
    return out


KEY_STYLES = {}
for digit in ('0', '00', '000', '0000', '1', '2', '3', '4', '5', '6', '7', '8', '9'):
    KEY_STYLES[digit] = (C.DIGIT_KEY, text_label(digit))
KEY_STYLES.update({
    '.': (C.OPERATOR_KEY, shape_label(sym_point)),
    'sign': (C.OPERATOR_KEY, shape_label(sym_sign)),
    '+': (C.OPERATOR_KEY, shape_label(sym_plus)),
    '-': (C.OPERATOR_KEY, shape_label(sym_minus)),
    '*': (C.OPERATOR_KEY, shape_label(sym_times)),
    '/': (C.OPERATOR_KEY, shape_label(sym_divide)),
    '%': (C.OPERATOR_KEY, text_label('%', 'bold', 14, '%')),
    '=': (C.EQUALS_KEY, shape_label(sym_equals)),
    'clear': (C.GREEN_KEY, text_label('Clear', 'bold', 11, 'H')),
    'backspace': (C.GREEN_KEY, text_label('Backspace', 'bold', 11, 'H')),
})


def draw_key(canvas_piece, key, host, pressed):
    """Draw key onto a copy of the base cut at its rectangle."""
    out = canvas_piece.copy()
    size = (key.w, key.h)
    if key.text in KEY_STYLES:
        body, label = KEY_STYLES[key.text]
        layer, mask = cap_key(size, body, label, pressed)
    elif key.text in SMALL_SYMBOLS:
        layer, mask = small_key(size, key.text, pressed)
    elif key.text == 'power':
        return power_key(canvas_piece, pressed)
    elif key.text == host:
        return web_key(canvas_piece, host, pressed)
    else:
        raise KeyError(key.text)
    draw.paint(out, mask, layer)
    return out


def build(project, lcd_face):
    """(skin, {pressed bitmap id: image}) as RGB images."""
    face = base(project, lcd_face)
    skin = face.copy()
    pressed = {}
    for key in project.keys:
        piece = face.crop(key.rect)
        skin.paste(draw_key(piece, key, project.host, False), (key.x, key.y))
        pressed[key.pressed] = draw_key(piece, key, project.host, True)
    rim(skin)
    return skin, pressed
