#!/usr/bin/env python3
"""Checks the drawn assets: bitmap headers, palettes, the see-through corner
of the list pictures, the icon's layout, the resource script, and that the
places where the windows put their labels stay readable.

Usage: check-bitmaps.py [ASSETS_DIR]   (default: the repository's assets/)
"""

import os
import re
import struct
import sys
import unittest

ASSETS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets")

# name: (width, height, bits per pixel, palette entries)
BITMAPS = {
    "splash.bmp": (400, 420, 8, 256),
    "folder.bmp": (250, 300, 8, 256),
    "newfolder.bmp": (250, 120, 8, 256),
    "extract.bmp": (250, 120, 8, 256),
    "closing.bmp": (250, 120, 8, 235),
    "floppy.bmp": (16, 11, 4, 16),
    "hard.bmp": (16, 11, 4, 16),
    "network.bmp": (16, 11, 4, 16),
    "cdrom.bmp": (16, 11, 4, 16),
    "ram.bmp": (16, 11, 4, 16),
    "openfolder.bmp": (16, 15, 4, 16),
    "closedfolder.bmp": (16, 15, 4, 16),
    "currentfolder.bmp": (16, 15, 4, 16),
}

RESOURCES = {
    "MAINICON": ("ICON", "installer.ico"),
    "SPLASH": ("RCDATA", "splash.packed"),
    "FOLDERDIALOG": ("RCDATA", "folder.packed"),
    "NEWFOLDER": ("RCDATA", "newfolder.packed"),
    "EXTRACT": ("RCDATA", "extract.packed"),
    "CLOSING": ("RCDATA", "closing.packed"),
    "FLOPPY": ("BITMAP", "floppy.bmp"),
    "HARD": ("BITMAP", "hard.bmp"),
    "NETWORK": ("BITMAP", "network.bmp"),
    "CDROM": ("BITMAP", "cdrom.bmp"),
    "RAM": ("BITMAP", "ram.bmp"),
    "OPENFOLDER": ("BITMAP", "openfolder.bmp"),
    "CLOSEDFOLDER": ("BITMAP", "closedfolder.bmp"),
    "CURRENTFOLDER": ("BITMAP", "currentfolder.bmp"),
}

BI_RGB, BI_RLE8 = 0, 1

BLACK, WHITE, GREY, SILVER = (0, 0, 0), (255, 255, 255), (128, 128, 128), (192, 192, 192)
RED = (255, 0, 0)

# Labels drawn over the art, in window coordinates: (name, left, top, width,
# height, text colours).  The bitmaps sit at window (1, 1), the closing
# dialog's at (2, 1).  Widths of labels that size themselves are generous.
LABELS = {
    "splash.bmp": ((1, 1), [
        ("title", 15, 140, 372, 23, [BLACK]),
        ("sub-title", 15, 166, 372, 17, [BLACK]),
        ("notes", 113, 329, 285, 70, [BLACK]),
        ("status", 106, 405, 191, 14, [BLACK]),
        ("install", 33, 296, 38, 16, [WHITE, SILVER]),
        ("notes file", 13, 331, 80, 16, [WHITE, SILVER]),
        ("description file", 27, 363, 52, 14, [WHITE, SILVER]),
        ("quit", 40, 395, 24, 16, [WHITE, SILVER]),
    ]),
    "folder.bmp": ((1, 1), [
        ("heading", 7, 2, 105, 14, [BLACK]),
        ("free label", 11, 229, 119, 14, [BLACK]),
        ("free value", 170, 229, 69, 14, [WHITE, RED]),
        ("required label", 11, 246, 119, 14, [BLACK]),
        ("required value", 179, 246, 60, 14, [BLACK]),
        ("ok", 37, 281, 21, 15, [GREY]),
        ("makedir", 99, 281, 47, 15, [GREY]),
        ("cancel", 171, 281, 45, 15, [GREY]),
    ]),
    "newfolder.bmp": ((1, 1), [
        ("heading", 5, 2, 95, 14, [BLACK]),
        ("ok", 37, 101, 24, 14, [GREY]),
        ("cancel", 174, 101, 42, 14, [GREY]),
    ]),
    "extract.bmp": ((1, 1), [
        ("heading", 5, 2, 69, 14, [BLACK]),
        ("status", 5, 39, 236, 20, [BLACK]),
        ("extract", 37, 101, 45, 14, [GREY]),
        ("cancel", 174, 101, 42, 14, [GREY]),
    ]),
    "closing.bmp": ((2, 1), [
        ("credit line 1", 28, 42, 190, 16, [BLACK]),
        ("credit line 2", 70, 65, 120, 16, [BLACK]),
        ("ok", 37, 102, 26, 14, [GREY, SILVER, RED]),
        ("cancel", 175, 101, 42, 14, [GREY, SILVER, RED]),
    ]),
}

# Contrast (1 to 21, as in the usual luminance-ratio formula) between a
# label's text colour and the mean of the art under it.
MIN_CONTRAST = {BLACK: 7.0, WHITE: 4.5, GREY: 3.0, SILVER: 3.0, RED: 3.0}


def luminance(c):
    def ch(v):
        v /= 255.0
        return v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = c
    return 0.2126 * ch(r) + 0.7152 * ch(g) + 0.0722 * ch(b)


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


class Bitmap:
    def __init__(self, data):
        (self.magic, self.file_size, _, _, self.offset) = struct.unpack_from("<2sIHHI", data, 0)
        (self.header_size, self.width, self.height, self.planes, self.bpp,
         self.compression, self.image_size, _, _, self.clr_used, self.clr_important) = \
            struct.unpack_from("<IiiHHIIiiII", data, 14)
        self.data = data
        count = self.clr_used or (1 << self.bpp if self.bpp <= 8 else 0)
        self.palette = [struct.unpack_from("<BBBx", data, 14 + self.header_size + 4 * i)[::-1]
                        for i in range(count)]
        self.stride = ((self.width * self.bpp + 31) // 32) * 4
        self.pixels = unpack_rle8(self) if self.compression == BI_RLE8 else None

    def index(self, x, y):
        """Palette index at (x, y), y counted from the top."""
        if self.pixels is not None:
            return self.pixels[y * self.width + x]
        row = self.offset + (self.height - 1 - y) * self.stride
        if self.bpp == 8:
            return self.data[row + x]
        byte = self.data[row + x // 2]
        return byte >> 4 if x % 2 == 0 else byte & 15

    def rgb(self, x, y):
        return self.palette[self.index(x, y)]


def unpack_rle8(b):
    """Top-down indices of an RLE8 image; raises on a malformed stream.

    Strict where the platform's loader would guess: every row is filled to
    its end, nothing is written past it, and the stream ends with the
    end-of-bitmap code exactly at its last byte.
    """
    out = bytearray(b.width * b.height)
    data, at, end = b.data, b.offset, b.offset + b.image_size
    x = y = 0  # y counted from the bottom

    def put(values):
        nonlocal x
        if x + len(values) > b.width or y >= b.height:
            raise ValueError("pixels past the end of row %d" % y)
        row = (b.height - 1 - y) * b.width
        out[row + x:row + x + len(values)] = values
        x += len(values)

    while True:
        if at + 2 > end:
            raise ValueError("no end-of-bitmap code")
        count, value = data[at], data[at + 1]
        at += 2
        if count:
            put(bytes([value]) * count)
        elif value == 0 or value == 1:
            if x != b.width:
                raise ValueError("row %d ends after %d pixels" % (y, x))
            x, y = 0, y + 1
            if value == 1:
                if y != b.height or at != end:
                    raise ValueError("end-of-bitmap code before the end")
                return bytes(out)
        elif value == 2:
            raise ValueError("delta codes leave pixels undefined")
        else:
            put(data[at:at + value])
            at += value + value % 2



def load(name):
    with open(os.path.join(ASSETS, name), "rb") as f:
        return Bitmap(f.read())


class BitmapFormat(unittest.TestCase):
    def test_headers(self):
        for name, (w, h, bpp, colours) in BITMAPS.items():
            with self.subTest(name):
                b = load(name)
                self.assertEqual(b.magic, b"BM")
                self.assertEqual(b.file_size, len(b.data))
                self.assertEqual(b.header_size, 40, "BITMAPINFOHEADER")
                self.assertEqual((b.width, b.height), (w, h), "size; positive height is bottom-up")
                self.assertEqual(b.planes, 1)
                self.assertEqual(b.bpp, bpp)
                self.assertEqual(len(b.palette), colours)
                if colours < 1 << bpp:
                    self.assertEqual(b.clr_used, colours)
                self.assertEqual(b.offset, 14 + 40 + 4 * colours)
                if bpp == 8:
                    # Run-length coded: the window art is most of the
                    # program's size.
                    self.assertEqual(b.compression, BI_RLE8)
                    self.assertEqual(len(b.data), b.offset + b.image_size)
                else:
                    self.assertEqual(b.compression, BI_RGB)
                    self.assertIn(b.image_size, (0, b.stride * h))
                    self.assertEqual(len(b.data), b.offset + b.stride * h)

    def test_run_length_pictures_unpack_like_pillow(self):
        try:
            from PIL import Image
        except ImportError:
            self.skipTest("no Pillow")
        for name, (w, h, bpp, colours) in BITMAPS.items():
            if bpp != 8:
                continue
            with self.subTest(name):
                b = load(name)
                with Image.open(os.path.join(ASSETS, name)) as theirs:
                    self.assertEqual(theirs.info.get("compression"), BI_RLE8)
                    self.assertEqual(theirs.tobytes(), b.pixels)

    def test_pixels_stay_inside_the_palette(self):
        for name, (w, h, bpp, colours) in BITMAPS.items():
            with self.subTest(name):
                b = load(name)
                worst = max(b.index(x, y) for y in range(h) for x in range(w))
                self.assertLess(worst, colours)

    def test_list_pictures_are_see_through_blue(self):
        for name, (w, h, bpp, _) in BITMAPS.items():
            if bpp != 4:
                continue
            with self.subTest(name):
                b = load(name)
                self.assertEqual(b.rgb(0, h - 1), (0, 0, 255), "bottom-left pixel")
                blue = sum(b.rgb(x, y) == (0, 0, 255) for y in range(h) for x in range(w))
                self.assertTrue(w * h // 8 < blue < w * h * 3 // 4,
                                "blue should be the background around a picture, got %d px" % blue)


class RunLengthCoding(unittest.TestCase):
    """The drawing tool's RLE8 rows, unpacked again by the strict reader."""

    @classmethod
    def setUpClass(cls):
        import importlib.machinery
        import types
        path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools",
                            "draw-art")
        # The tool has no .py suffix: load it as a module by hand.
        loader = importlib.machinery.SourceFileLoader("draw_art", path)
        try:
            cls.art = types.ModuleType(loader.name)
            cls.art.__file__ = path
            loader.exec_module(cls.art)
        except ImportError as e:  # no Pillow
            raise unittest.SkipTest(str(e))

    def picture(self, rows):
        """A BI_RLE8 bitmap of the given top-down rows, through the tool."""
        from PIL import Image
        w, h = len(rows[0]), len(rows)
        pixels = Image.frombytes("P", (w, h), b"".join(bytes(r) for r in rows))
        return Bitmap(self.art.bmp_bytes(pixels, [(i, i, i) for i in range(256)], 8))

    CASES = [
        # name, row, longest allowed code stream for the row (bytes)
        ("one run", [7] * 10, 2),
        ("run longer than a count holds", [3] * 600, 6),
        ("no two neighbours equal, odd length", list(range(9)), 12),
        ("no two neighbours equal, even length", list(range(10)), 12),
        ("two lone pixels", [1, 2], 4),
        ("pairs between singles", [1, 2, 2, 3, 4, 4, 5], 14),
        ("literal longer than a count holds", [i % 251 for i in range(300)], 306),
        ("runs around a literal", [9] * 5 + [1, 2, 3] + [9] * 5, 11),
    ]

    def test_rows_round_trip(self):
        for name, row, longest in self.CASES:
            with self.subTest(name):
                b = self.picture([row, row[::-1]])
                self.assertEqual(b.compression, BI_RLE8)
                self.assertEqual(b.pixels, bytes(row) + bytes(row[::-1]))
                self.assertLessEqual(len(self.art.rle8_row(bytes(row))), longest)


class Readability(unittest.TestCase):
    def mean(self, b, box):
        x0, y0, x1, y1 = box
        n, acc = 0, [0, 0, 0]
        for y in range(y0, y1):
            for x in range(x0, x1):
                c = b.rgb(x, y)
                for i in range(3):
                    acc[i] += c[i]
                n += 1
        return tuple(v / n for v in acc)

    def test_labels_read_against_the_art(self):
        for name, (origin, labels) in LABELS.items():
            b = load(name)
            ox, oy = origin
            for label, x, y, w, h, colours in labels:
                box = (max(0, x - ox), max(0, y - oy),
                       min(b.width, x - ox + w), min(b.height, y - oy + h))
                ground = self.mean(b, box)
                for colour in colours:
                    with self.subTest(name=name, label=label, colour=colour):
                        self.assertGreaterEqual(contrast(colour, ground), MIN_CONTRAST[colour],
                                                "mean ground %s" % (ground,))

    def test_splash_plates_sit_behind_the_commands(self):
        b = load("splash.bmp")
        for top in (292, 325, 358, 391):
            with self.subTest(top=top):
                # Window coordinates; the bitmap is drawn at (1, 1).
                for x, y in ((53, top + 12), (12, top + 12), (94, top + 12), (53, top + 3),
                             (53, top + 20)):
                    r, g, bl = b.rgb(x - 1, y - 1)
                    self.assertTrue(r > 60 and r > 2 * g and r > 2 * bl,
                                    "plate at window (%d, %d) is %s" % (x, y, (r, g, bl)))
                r, g, bl = b.rgb(53 - 1, top - 4 - 1)
                self.assertFalse(r > 2 * g and r > 2 * bl and r > 60, "no plate above the plate")
                # A pressed command turns pure red on its own plate.
                ground = Readability.mean(None, b, (20, top + 3, 80, top + 19))
                self.assertGreaterEqual(contrast(RED, ground), 2.2, "plate %s" % (ground,))


class IconAndScript(unittest.TestCase):
    def test_icon_has_32_and_16_pixel_images_in_16_colours(self):
        with open(os.path.join(ASSETS, "installer.ico"), "rb") as f:
            data = f.read()
        reserved, kind, count = struct.unpack_from("<HHH", data, 0)
        self.assertEqual((reserved, kind), (0, 1))
        sizes = set()
        for i in range(count):
            w, h, colours, _, planes, bpp, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
            with self.subTest(entry=i):
                self.assertEqual((colours, planes, bpp), (16, 1, 4))
                self.assertLessEqual(offset + size, len(data))
                hs, hw, hh, hplanes, hbpp = struct.unpack_from("<IiiHH", data, offset)
                self.assertEqual((hs, hw, hh, hplanes, hbpp), (40, w, 2 * h, 1, 4),
                                 "height counts colour bits and mask")
                xor = ((w * 4 + 31) // 32) * 4 * h
                mask = ((w + 31) // 32) * 4 * h
                self.assertEqual(size, 40 + 16 * 4 + xor + mask)
                sizes.add((w, h))
        self.assertEqual(sizes, {(32, 32), (16, 16)})

    def test_resource_script_names_every_asset(self):
        with open(os.path.join(ASSETS, "assets.rc")) as f:
            text = re.sub(r"//[^\n]*", "", f.read())
        entries = re.findall(r'^\s*(\w+)\s+(ICON|BITMAP|RCDATA)\s+"([^"]+)"', text, re.M)
        self.assertEqual({n: (k, p) for n, k, p in entries}, RESOURCES)
        self.assertEqual(entries[0][0], "MAINICON", "the program's icon comes first")
        for _, _, path in entries:
            # A packed picture is made from the bitmap of its name when built.
            path = re.sub(r"\.packed$", ".bmp", path)
            self.assertTrue(os.path.isfile(os.path.join(ASSETS, path)), path)


if __name__ == "__main__":
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        ASSETS = sys.argv.pop(1)
    unittest.main(verbosity=1)
