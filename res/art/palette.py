"""The one 256-colour table that every 8-bit bitmap of the skin carries.

The named colours of the artwork and their ramps are placed first so that
they come out exact; median cut over all the artwork fills the rest. Every
bitmap is then mapped pixel by pixel to its nearest entry, so equal pixels
in different bitmaps always get equal indexes.
"""

from PIL import Image

SIZE = 256
HIDDEN_RED = (255, 0, 0)


def unique(colours):
    seen, out = set(), []
    for c in colours:
        if c not in seen:
            seen.add(c)
            out.append(c)
    return out


def build(fixed, images):
    """fixed: colours that must be present, in order; images: RGB images."""
    fixed = unique([tuple(c) for c in fixed])
    assert len(fixed) < SIZE
    fixed_set = set(fixed)
    rest = [p for im in images for p in im.getdata() if p not in fixed_set]
    spare = SIZE - len(fixed)
    if not rest:
        return fixed + [(0, 0, 0)] * spare
    strip = Image.new('RGB', (len(rest), 1))
    strip.putdata(rest)
    quantised = strip.quantize(colors=spare, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    raw = quantised.getpalette()[:3 * spare]
    extra = unique(tuple(raw[i:i + 3]) for i in range(0, len(raw), 3))
    extra = [c for c in extra if c not in fixed_set]
    colours = fixed + extra
    return colours + [(0, 0, 0)] * (SIZE - len(colours))


def distance(a, b):
    # Weighted for the eye: green counts most, blue least.
    dr, dg, db = a[0] - b[0], a[1] - b[1], a[2] - b[2]
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db


class Mapper:
    """Nearest-entry lookup with a cache; the hidden red is matched exactly
    or not at all, so no other pixel can turn into it."""

    def __init__(self, colours):
        self.colours = colours
        self.cache = {}
        self.candidates = [(i, c) for i, c in enumerate(colours) if c != HIDDEN_RED]
        self.red = colours.index(HIDDEN_RED) if HIDDEN_RED in colours else None

    def index(self, rgb):
        hit = self.cache.get(rgb)
        if hit is None:
            if rgb == HIDDEN_RED and self.red is not None:
                hit = self.red
            else:
                hit = min(self.candidates, key=lambda ic: (distance(ic[1], rgb), ic[0]))[0]
            self.cache[rgb] = hit
        return hit

    def indexes(self, image):
        return [self.index(p) for p in image.convert('RGB').getdata()]
