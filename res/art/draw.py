"""Small drawing helpers: anti-aliased shapes as coverage masks, painted in
solid colours or gradients onto an RGB canvas whose background is known."""

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SCALE = 8  # supersampling factor for shapes

FONT_DIR_NANUM = '/usr/share/fonts/truetype/nanum/'
FONT_DIR_DEJAVU = '/usr/share/fonts/truetype/dejavu/'
FONTS = {
    'hangul': FONT_DIR_NANUM + 'NanumSquareEB.ttf',
    'bold': FONT_DIR_DEJAVU + 'DejaVuSans-Bold.ttf',
}


def hexrgb(text):
    text = text.lstrip('#')
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def font(kind, size):
    return ImageFont.truetype(FONTS[kind], size)


def coverage(size, shape):
    """Coverage mask of size (w, h); shape(draw, s) draws in white on a
    canvas s times larger, with pixel x spanning [x*s, (x+1)*s)."""
    w, h = size
    big = Image.new('L', (w * SCALE, h * SCALE), 0)
    shape(ImageDraw.Draw(big), SCALE)
    return big.resize((w, h), Image.Resampling.BOX)


def rounded_box(size, box, radius):
    """Mask of a rounded rectangle covering pixels box = (x0, y0, x1, y1),
    x1 and y1 inclusive."""
    x0, y0, x1, y1 = box

    def shape(d, s):
        d.rounded_rectangle((x0 * s, y0 * s, (x1 + 1) * s - 1, (y1 + 1) * s - 1),
                            radius=max(0, radius * s), fill=255)
    return coverage(size, shape)


def polygon(size, points):
    """Mask of a polygon in pixel-edge coordinates."""
    def shape(d, s):
        d.polygon([(x * s, y * s) for x, y in points], fill=255)
    return coverage(size, shape)


def ellipse(size, box):
    x0, y0, x1, y1 = box

    def shape(d, s):
        d.ellipse((x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), fill=255)
    return coverage(size, shape)


def lines(size, segments, width):
    """Mask of thick line segments in pixel-edge coordinates, round caps."""
    def shape(d, s):
        for (ax, ay), (bx, by) in segments:
            d.line((ax * s, ay * s, bx * s, by * s), fill=255, width=round(width * s))
            r = width * s / 2
            for cx, cy in ((ax, ay), (bx, by)):
                d.ellipse((cx * s - r, cy * s - r, cx * s + r, cy * s + r), fill=255)
    return coverage(size, shape)


def subtract(mask, cut):
    return ImageChops.subtract(mask, cut)


def grow(mask, by):
    """Mask dilated by whole pixels."""
    for _ in range(by):
        mask = mask.filter(ImageFilter.MaxFilter(3))
    return mask


def shifted(mask, dx, dy):
    out = Image.new('L', mask.size, 0)
    out.paste(mask, (dx, dy))
    return out


def paint(canvas, mask, fill, at=(0, 0)):
    """Blend fill (a colour or an RGB image of the mask's size) onto the
    canvas through the mask, the mask's corner at `at`."""
    if isinstance(fill, tuple):
        fill = Image.new('RGB', mask.size, fill)
    x, y = at
    region = canvas.crop((x, y, x + mask.size[0], y + mask.size[1]))
    canvas.paste(Image.composite(fill, region, mask), (x, y))


def vertical_gradient(size, stops):
    """RGB image shaded top to bottom through stops [(t, colour), ...]."""
    w, h = size
    im = Image.new('RGB', size)
    for y in range(h):
        t = y / (h - 1) if h > 1 else 0
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t0 <= t <= t1:
                colour = mix(c0, c1, (t - t0) / (t1 - t0) if t1 > t0 else 0)
                break
        im.paste(colour, (0, y, w, y + 1))
    return im


def text_mask(text, fnt):
    """Coverage of a text at 1:1 (hinted by FreeType), cropped to its ink,
    and the offset of the ink from the pen position."""
    left, top, right, bottom = fnt.getbbox(text)
    mask = Image.new('L', (right - left, bottom - top), 0)
    ImageDraw.Draw(mask).text((-left, -top), text, font=fnt, fill=255)
    return mask, (left, top)


def union(*masks):
    """The masks laid over each other: the brightest value at each pixel."""
    out = masks[0]
    for m in masks[1:]:
        out = ImageChops.lighter(out, m)
    return out
