#!/usr/bin/python3
"""Checks the resources that the linked program carries, read back from the
executable itself.

usage: resources_test.py PROGRAM.exe SOURCE_ROOT [unittest arguments]

What a resource must hold is taken from the shared tables (tape/keys.def,
res/resource.h, tape/site.h, res/lcd_layout.h, res/glyphs.def, res/skin.h),
never from the artwork generator's output.
"""

import os
import struct
import sys
import unittest

import pefile

PROGRAM, ROOT = sys.argv[1], sys.argv[2]
sys.path.insert(0, os.path.join(ROOT, 'res', 'art'))
import project  # noqa: E402  (the shared tables' reader)

RT_CURSOR, RT_BITMAP, RT_ICON, RT_DIALOG, RT_STRING = 1, 2, 3, 5, 6
RT_GROUP_CURSOR, RT_GROUP_ICON, RT_VERSION = 12, 14, 16
BI_RGB = 0
KOREAN = (0x12, 0x01)
RED = (255, 0, 0)
ABOUT_PICTURE_SIZE = (19, 22)

P = project.Project(ROOT)


def read_resources(path):
    """{(type, id): [(language, sublanguage, data), ...]}"""
    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY['IMAGE_DIRECTORY_ENTRY_RESOURCE']])
    out = {}
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for name in kind.directory.entries:
            for leaf in name.directory.entries:
                data = pe.get_data(leaf.data.struct.OffsetToData, leaf.data.struct.Size)
                out.setdefault((kind.id, name.id), []).append((leaf.data.lang, leaf.data.sublang, data))
    return out


RESOURCES = read_resources(PROGRAM)


def resource(kind, rid):
    return RESOURCES[(kind, rid)][0][2]


def ids_of(kind):
    return sorted(rid for k, rid in RESOURCES if k == kind)


class Dib:
    """A device-independent bitmap as a bitmap resource holds it."""

    def __init__(self, data, height_factor=1):
        (self.header_size, self.width, height, self.planes, self.bits, self.compression,
         self.image_size, self.x_res, self.y_res, used, _) = struct.unpack_from('<IiiHHIIiiII', data)
        self.bottom_up = height > 0
        self.height = abs(height) // height_factor
        entries = used or (1 << self.bits if self.bits <= 8 else 0)
        table = data[self.header_size:self.header_size + 4 * entries]
        self.palette = [(table[i + 2], table[i + 1], table[i]) for i in range(0, len(table), 4)]
        self.pixel_data = data[self.header_size + 4 * entries:]
        self.stride = ((self.width * self.bits + 31) // 32) * 4

    def index(self, x, y):
        row = self.height - 1 - y if self.bottom_up else y
        byte = self.pixel_data[row * self.stride + x * self.bits // 8]
        if self.bits == 8:
            return byte
        per_byte = 8 // self.bits
        shift = 8 - self.bits * (x % per_byte + 1)
        return (byte >> shift) & ((1 << self.bits) - 1)

    def rgb(self, x, y):
        return self.palette[self.index(x, y)]

    def crop(self, x, y, w, h):
        return [[self.rgb(x + i, y + j) for i in range(w)] for j in range(h)]

    def mask_bit(self, x, y):
        """AND-mask bit of an icon or cursor image (after the colour rows)."""
        stride = ((self.width + 31) // 32) * 4
        base = self.stride * self.height
        row = self.height - 1 - y
        return (self.pixel_data[base + row * stride + x // 8] >> (7 - x % 8)) & 1


def differing(a, b, most=5):
    """The first pixels (x, y) where two equally sized crops differ."""
    return [(x, y) for y, (ra, rb) in enumerate(zip(a, b)) for x, (pa, pb) in enumerate(zip(ra, rb))
            if pa != pb][:most]


def bitmap(rid):
    return Dib(resource(RT_BITMAP, rid))


def expected_bitmaps():
    """{bitmap id: (width, height, bits)} of every bitmap the program loads."""
    glyph_h = P.lcd['LCD_GLYPH_HEIGHT']
    out = {P.ids['IDB_SKIN']: P.skin_size + (8,),
           P.ids['IDB_LCD_BACKGROUND']: (P.lcd['LCD_DRAWN_WIDTH'], P.lcd['LCD_DRAWN_HEIGHT'], 8),
           P.ids['IDB_ABOUT_PICTURE']: ABOUT_PICTURE_SIZE + (4,)}
    out.update({k.pressed: (k.w, k.h, 8) for k in P.keys})
    out.update({g.bitmap: (g.width, glyph_h, 8) for g in P.glyphs})
    return out


class Languages(unittest.TestCase):
    def test_every_resource_is_korean_only(self):
        for (kind, rid), leaves in sorted(RESOURCES.items()):
            with self.subTest(type=kind, id=rid):
                self.assertEqual([(lang, sub) for lang, sub, _ in leaves], [KOREAN])


class Bitmaps(unittest.TestCase):
    def test_the_shared_tables_were_read(self):
        self.assertEqual([k.id for k in P.keys], list(range(1, 33)))
        self.assertEqual(len(expected_bitmaps()), 54)

    def test_exactly_the_bitmaps_in_use(self):
        self.assertEqual(ids_of(RT_BITMAP), sorted(expected_bitmaps()))

    def test_size_depth_and_format(self):
        for rid, (w, h, bits) in sorted(expected_bitmaps().items()):
            with self.subTest(bitmap=rid):
                b = bitmap(rid)
                self.assertEqual((b.header_size, b.planes, b.compression), (40, 1, BI_RGB))
                self.assertEqual((b.width, b.height, b.bits), (w, h, bits))
                self.assertTrue(b.bottom_up)
                self.assertEqual((b.x_res, b.y_res), (0, 0))
                self.assertEqual(len(b.palette), 1 << bits)
                self.assertGreaterEqual(len(b.pixel_data), b.stride * h)

    def test_one_palette_for_the_whole_skin(self):
        common = bitmap(P.ids['IDB_SKIN']).palette
        for rid in sorted(expected_bitmaps()):
            if rid == P.ids['IDB_ABOUT_PICTURE']:
                continue
            with self.subTest(bitmap=rid):
                self.assertEqual(bitmap(rid).palette, common)

    def test_pressed_image_covers_its_key_exactly(self):
        skin = bitmap(P.ids['IDB_SKIN'])
        for key in P.keys:
            with self.subTest(key=key.text):
                pressed = bitmap(key.pressed)
                self.assertEqual((pressed.width, pressed.height), (key.w, key.h))
                shown = pressed.crop(0, 0, key.w, key.h)
                released = skin.crop(key.x, key.y, key.w, key.h)
                self.assertTrue(differing(shown, released), 'pressing must show')
                # the rectangle's corners are face, not key: pressing leaves them alone
                corners = [(0, 0), (key.w - 1, 0), (0, key.h - 1), (key.w - 1, key.h - 1)]
                self.assertEqual([xy for xy in corners if shown[xy[1]][xy[0]] != released[xy[1]][xy[0]]], [])

    def test_blank_glyph_equals_every_digit_cell(self):
        background = bitmap(P.ids['IDB_LCD_BACKGROUND'])
        blank = bitmap(P.glyph('GLYPH_BLANK').bitmap)
        w, h = blank.width, blank.height
        expected = blank.crop(0, 0, w, h)
        cells = P.digit_cells()
        self.assertEqual(len(cells), 45)
        for x, y in cells:
            with self.subTest(cell=(x, y)):
                self.assertEqual(differing(background.crop(x, y, w, h), expected), [])

    def test_lcd_background_is_plain_face_outside_the_digit_cells(self):
        background = bitmap(P.ids['IDB_LCD_BACKGROUND'])
        w, h = P.lcd['LCD_GLYPH_WIDTH'], P.lcd['LCD_GLYPH_HEIGHT']
        in_cell = {(x + i, y + j) for x, y in P.digit_cells() for i in range(w) for j in range(h)}
        face = background.rgb(0, 0)
        odd = [(x, y) for y in range(background.height) for x in range(background.width)
               if (x, y) not in in_cell and background.rgb(x, y) != face]
        self.assertEqual(odd, [])

    def test_skin_shows_lcd_face_beside_the_drawn_lcd(self):
        # The LCD window is wider and taller than what it draws; the skin
        # beneath must continue the LCD's face there.
        skin = bitmap(P.ids['IDB_SKIN'])
        face = bitmap(P.ids['IDB_LCD_BACKGROUND']).rgb(0, 0)
        L = P.lcd
        x0, y0 = L['LCD_X'], L['LCD_Y']
        right = [(x0 + L['LCD_DRAWN_WIDTH'], y0 + j) for j in range(L['LCD_HEIGHT'])]
        below = [(x0 + i, y0 + j) for i in range(L['LCD_WIDTH'])
                 for j in range(L['LCD_DRAWN_HEIGHT'], L['LCD_HEIGHT'])]
        self.assertEqual([xy for xy in right + below if skin.rgb(*xy) != face], [])

    def test_pure_red_only_in_the_hidden_corners(self):
        skin = bitmap(P.ids['IDB_SKIN'])
        red = {(x, y) for y in range(skin.height) for x in range(skin.width) if skin.rgb(x, y) == RED}
        self.assertEqual(red, set(P.hidden_corners()))
        for rid in sorted(expected_bitmaps()):
            if rid == P.ids['IDB_SKIN']:
                continue
            with self.subTest(bitmap=rid):
                b = bitmap(rid)
                self.assertNotIn(RED, {b.rgb(x, y) for y in range(b.height) for x in range(b.width)})

    def test_digit_glyphs_differ(self):
        shown = {}
        for g in P.glyphs:
            b = bitmap(g.bitmap)
            shown.setdefault(tuple(map(tuple, b.crop(0, 0, b.width, b.height))), []).append(g.char)
        self.assertEqual([c for c in shown.values() if len(c) > 1], [])


def string_table():
    """{id: text} of every non-empty string."""
    out = {}
    for kind, block in RESOURCES:
        if kind != RT_STRING:
            continue
        data, at = resource(kind, block), 0
        for i in range(16):
            (n,) = struct.unpack_from('<H', data, at)
            at += 2
            if n:
                out[(block - 1) * 16 + i] = data[at:at + 2 * n].decode('utf-16-le')
            at += 2 * n
    return out


def key_texts():
    """The strings below the key names: the key texts and the LCD's name."""
    return {sid: text for sid, text in string_table().items() if sid < P.ids['IDS_KEY_NAME_BASE']}


class Strings(unittest.TestCase):
    def test_the_33_texts(self):
        expected = {k.id: k.text for k in P.keys}
        expected[P.ids['IDS_LCD_SCREEN']] = 'LCD Screen'
        self.assertEqual(len(expected), 33)
        self.assertEqual(key_texts(), expected)

    def test_a_distinct_korean_name_for_every_key(self):
        base = P.ids['IDS_KEY_NAME_BASE']
        names = {sid - base: text for sid, text in string_table().items()
                 if base < sid <= base + len(P.keys)}
        self.assertEqual(names, {k.id: k.korean_name for k in P.keys})
        self.assertEqual(len(set(names.values())), len(P.keys))
        self.assertTrue(all(names.values()))

    def test_texts_are_ascii(self):
        for sid, text in sorted(key_texts().items()):
            with self.subTest(id=sid):
                self.assertTrue(text.isascii())

    def test_web_key_text_is_the_host(self):
        self.assertEqual(string_table()[32], P.host)


def utf16z(data, at):
    end = at
    while data[end:end + 2] != b'\0\0':
        end += 2
    return data[at:end].decode('utf-16-le'), end + 2


def sz_or_ordinal(data, at):
    (first,) = struct.unpack_from('<H', data, at)
    if first == 0xFFFF:
        return struct.unpack_from('<H', data, at + 2)[0], at + 4
    return utf16z(data, at)


def dialog_template(data):
    style, exstyle, count, x, y, cx, cy = struct.unpack_from('<IIHhhhh', data)
    at = 18
    menu, at = sz_or_ordinal(data, at)
    cls, at = sz_or_ordinal(data, at)
    caption, at = utf16z(data, at)
    (points,) = struct.unpack_from('<H', data, at)
    face, at = utf16z(data, at + 2)
    controls = []
    for _ in range(count):
        at = (at + 3) & ~3
        c_style, c_ex, c_x, c_y, c_cx, c_cy, c_id = struct.unpack_from('<IIhhhhH', data, at)
        at += 18
        c_class, at = sz_or_ordinal(data, at)
        text, at = sz_or_ordinal(data, at)
        (extra,) = struct.unpack_from('<H', data, at)
        at += 2 + extra
        controls.append((c_class, text, c_id, c_style, c_ex, (c_x, c_y), (c_cx, c_cy)))
    header = dict(style=style, exstyle=exstyle, count=count, pos=(x, y), size=(cx, cy), menu=menu,
                  cls=cls, caption=caption, points=points, face=face)
    return header, controls


BUTTON, STATIC = 0x80, 0x82


class AboutDialog(unittest.TestCase):
    def setUp(self):
        data = resource(RT_DIALOG, P.ids['IDD_ABOUT'])
        self.assertNotEqual(struct.unpack_from('<HH', data), (1, 0xFFFF), 'must not be a DLGTEMPLATEEX')
        self.header, self.controls = dialog_template(data)

    def test_header(self):
        self.assertEqual(self.header, dict(
            style=0x00C000C0, exstyle=0, count=5, pos=(0, 0), size=(239, 57), menu='', cls='',
            caption='오르반타 계산기에 대하여', points=9, face='굴림체'))

    def test_controls_in_tab_order(self):
        ids = P.ids
        expected = [
            (BUTTON, '&OK', 1, 0x50010001, 0, (91, 35), (60, 15)),
            (STATIC, '오르반타 계산기는 프리웨어입니다.', ids['IDC_FREEWARE_TEXT'], 0x50020000, 0, (26, 7), (137, 10)),
            (STATIC, '오르반타 계산기 버전 1.0 알파', ids['IDC_VERSION_TEXT'], 0x50020000, 0, (26, 17), (135, 10)),
            (BUTTON, P.host, ids['IDC_HOMEPAGE'], 0x50010000, 0, (172, 7), (60, 15)),
            (STATIC, ids['IDB_ABOUT_PICTURE'], 0xFFFF, 0x5000000E, 0, (7, 7), (13, 15)),
        ]
        self.assertEqual(len(self.controls), len(expected))
        for got, want in zip(self.controls, expected):
            with self.subTest(control=want[1]):
                self.assertEqual(got, want)


def version_tree(data, at=0):
    """(key, value, children) of one VS_VERSIONINFO node."""
    length, value_len, kind = struct.unpack_from('<HHH', data, at)
    end = at + length
    key, pos = utf16z(data, at + 6)
    pos = (pos + 3) & ~3
    if kind == 1:  # text: value_len counts characters, the terminating zero included
        value = data[pos:pos + 2 * value_len].decode('utf-16-le').rstrip('\0') if value_len else ''
        pos += 2 * value_len
    else:
        value = data[pos:pos + value_len]
        pos += value_len
    children = []
    pos = (pos + 3) & ~3
    while pos < end:
        child = version_tree(data, pos)
        children.append(child[:3])
        pos = (pos + child[3] + 3) & ~3
    return key, value, children, length


class Version(unittest.TestCase):
    def setUp(self):
        self.assertEqual(ids_of(RT_VERSION), [P.ids['IDV_VERSION']])
        self.key, self.fixed, self.children, _ = version_tree(resource(RT_VERSION, P.ids['IDV_VERSION']))

    def test_fixed_part(self):
        self.assertEqual(self.key, 'VS_VERSION_INFO')
        fields = struct.unpack('<13I', self.fixed)
        self.assertEqual(fields, (0xFEEF04BD, 0x00010000, 0x00000009, 0x00000003, 0x00000009, 0x00000003,
                                  0x3F, 0x1, 0x40004, 1, 0, 0, 0))

    def test_strings(self):
        blocks = {k: c for k, _, c in self.children}
        self.assertEqual(sorted(blocks), ['StringFileInfo', 'VarFileInfo'])
        tables = blocks['StringFileInfo']
        self.assertEqual([t[0] for t in tables], ['041204b0'])
        entries = [(k, v) for k, v, _ in tables[0][2]]
        self.assertEqual([k for k, _ in entries], [
            'Comments', 'CompanyName', 'FileDescription', 'FileVersion', 'InternalName', 'LegalCopyright',
            'LegalTrademarks', 'OriginalFilename', 'PrivateBuild', 'ProductName', 'ProductVersion',
            'SpecialBuild'])
        v = dict(entries)
        maker, _, rest = v['Comments'].partition(' Orvanta add-on')
        self.assertTrue(maker)
        self.assertEqual(v['Comments'], maker + ' Orvanta add-on calculator version 1.0 alpha')
        self.assertEqual(v['ProductName'], maker + ' Orvanta calulator version 1.0 alpha')
        self.assertEqual((v['FileVersion'], v['ProductVersion']), ('0, 9, 0, 3', '0, 9, 0, 3'))
        self.assertEqual((v['LegalTrademarks'], v['PrivateBuild'], v['SpecialBuild']), ('', '', ''))
        self.assertIn('2000', v['LegalCopyright'])
        for name in ('CompanyName', 'FileDescription', 'InternalName', 'OriginalFilename'):
            self.assertTrue(v[name], name)

    def test_translation(self):
        var = {k: c for k, _, c in self.children}['VarFileInfo']
        self.assertEqual([(k, v) for k, v, _ in var], [('Translation', struct.pack('<HH', 0x0412, 0x04B0))])


class CursorAndIcon(unittest.TestCase):
    def group(self, kind, rid, entry_format):
        data = resource(kind, rid)
        reserved, which, count = struct.unpack_from('<HHH', data)
        self.assertEqual(reserved, 0)
        self.assertEqual(len(data), 6 + 14 * count)
        return which, [struct.unpack_from(entry_format, data, 6 + 14 * i) for i in range(count)]

    def test_hand_cursor(self):
        which, entries = self.group(RT_GROUP_CURSOR, P.ids['IDC_KEY_CURSOR'], '<HHHHIH')
        self.assertEqual((which, len(entries)), (2, 1))
        self.assertEqual(ids_of(RT_CURSOR), [P.ids['IDC_KEY_CURSOR_IMAGE']])
        w, h, planes, bits, size, rid = entries[0]
        self.assertEqual((w, h, planes, bits, rid), (32, 64, 1, 4, P.ids['IDC_KEY_CURSOR_IMAGE']))
        data = resource(RT_CURSOR, rid)
        self.assertEqual(len(data), size)
        hotspot = struct.unpack_from('<HH', data)
        image = Dib(data[4:], height_factor=2)
        self.assertEqual((image.width, image.height, image.bits), (32, 32, 4))
        self.assertEqual(hotspot, (5, 0))
        opaque = [(x, y) for y in range(32) for x in range(32) if not image.mask_bit(x, y)]
        self.assertEqual({image.rgb(x, y) for x, y in opaque}, {(0, 0, 0), (255, 255, 255)})
        # the hotspot is on the fingertip: the topmost opaque pixel
        self.assertIn(hotspot, opaque)
        self.assertEqual(min(y for _, y in opaque), hotspot[1])

    def test_icon_images(self):
        which, entries = self.group(RT_GROUP_ICON, P.ids['IDI_ORVANTA'], '<BBBBHHIH')
        self.assertEqual(which, 1)
        expected = [(P.ids['IDI_ORVANTA_LARGE'], 32), (P.ids['IDI_ORVANTA_SMALL'], 16)]
        self.assertEqual([(e[7], e[0]) for e in entries], expected)
        self.assertEqual(ids_of(RT_ICON), [rid for rid, _ in expected])
        for w, h, colours, _, planes, bits, size, rid in entries:
            with self.subTest(icon=rid):
                data = resource(RT_ICON, rid)
                self.assertEqual((h, colours, planes, bits, len(data)), (w, 0, 1, 8, size))
                image = Dib(data, height_factor=2)
                self.assertEqual((image.width, image.height, image.bits), (w, w, 8))
                self.assertNotIn(RED, {image.rgb(x, y) for y in range(w) for x in range(w)})
        self.assertEqual(ids_of(RT_GROUP_ICON), [P.ids['IDI_ORVANTA']])


if __name__ == '__main__':
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:], verbosity=1)
