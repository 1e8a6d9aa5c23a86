#!/usr/bin/python3
"""Tests of the art generator: its archive reader and checks, the masked
drawing split, the sheets it writes and the files it ships.

Run from anywhere:  /usr/bin/python3 tools/make_art_test.py
"""

import os
import struct
import sys
import tempfile
import unittest

from PIL import Image, ImageChops, ImageDraw, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_art as art  # noqa: E402
import panel_art  # noqa: E402
import panel_layouts  # noqa: E402


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write(text)


class DataDir(unittest.TestCase):
    """A throw-away data directory holding an archive and its images."""

    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.data = self.tmp.name
        os.makedirs(os.path.join(self.data, "grfx"))

    def tearDown(self):
        self.tmp.cleanup()

    def archive(self, body):
        write(os.path.join(self.data, art.ARCHIVE), "HEAD 1\n" + body)

    def image(self, name, size, mode="RGB"):
        Image.new(mode, size).save(os.path.join(self.data, "grfx", name))


class ArchiveGrammar(DataDir):
    def test_header_then_end_holds_nothing(self):
        self.archive("END\nA grfx/a.png SIMPLEPART\n")
        self.assertEqual(art.read_archive(self.data), ({}, []))

    def test_sheet_frames_are_named_and_cut_row_major(self):
        self.archive("S grfx/s.png SHEET 10 20 2 3 1 2\nEND")
        names, errors = art.read_archive(self.data)
        self.assertEqual(errors, [])
        self.assertEqual(sorted(names), ["S_%d" % k for k in range(6)])
        self.assertEqual(names["S_4"], ("grfx/s.png", (11, 22, 10, 20)))

    def test_a_repeated_name_keeps_its_first_image(self):
        self.archive("A grfx/a.png SIMPLEPART A grfx/b.png SIMPLEPART END")
        names, errors = art.read_archive(self.data)
        self.assertEqual(names, {"A": ("grfx/a.png", None)})
        self.assertIn("name listed twice (the first wins): A", errors)

    def test_path_starting_with_hash_ends_the_archive(self):
        self.archive("A grfx/a.png SIMPLEPART B #stop C grfx/c.png SIMPLEPART")
        self.assertEqual(list(art.read_archive(self.data)[0]), ["A"])

    def test_truncated_entries_are_reported_not_fatal(self):
        for body, message in (("A grfx/a.png", "ends inside the entry A"),
                              ("S grfx/s.png SHEET 8 8 1", "sheet S needs six integers")):
            self.archive(body)
            names, errors = art.read_archive(self.data)
            self.assertEqual(names, {})
            self.assertTrue(any(message in e for e in errors), errors)


class PanelFileNames(DataDir):
    def rc(self, text):
        path = os.path.join(self.data, "RC", "T.RC")
        write(path, text)
        return art.rc_image_names(path)

    def test_widgets_bring_their_masks(self):
        images, pairs = self.rc(
            "SLIDER\tK\tSLD\t1\t2\t1\t0\t0\t1.0\t0\r\n"
            "BUTTON\tP\tVCO_ON\tVCO_OFF\t0\t1\t2\t1\t0\t0\t1.0\t0\r\n"
            "BUTTON\tN\tPLAIN\tPLAIN\tPLAIN\t1\t2\t1\t0\t0\t1.0\t0\r\n")
        self.assertEqual(images, {"VCO_ON", "VCO_OFF", "PLAIN"})
        self.assertEqual(pairs, {("SLD", "SLD_MASK"), ("VCO_ON", "VCO_MASK"),
                                 ("VCO_OFF", "VCO_MASK")})

    def test_sprite_mask_zero_means_none(self):
        images, pairs = self.rc("SPRITE A a.bmp 0 10 20 1 16711935 0 1.0 0 255\n"
                                "SPRITE B b.bmp b_m 10 20 1 16711935 0 1.0 0 255\n")
        self.assertEqual(images, {"a.bmp", "b.bmp"})
        self.assertEqual(pairs, {("b.bmp", "b_m")})

    def test_short_elements_leave_the_next_line_intact(self):
        images, pairs = self.rc("LABEL L TEXT 1 2\nSLIDER K SLD 1 2 1 0 0 1.0 0\n"
                                "SPRITE A a.bmp 0 1 2 0 0 0 1.0 0\nSPRITE B b.bmp 0")
        self.assertEqual(images, {"a.bmp", "b.bmp"})
        self.assertEqual(pairs, {("SLD", "SLD_MASK")})


class Checks(DataDir):
    def problems(self):
        return "\n".join(art.find_problems(self.data)[0])

    def test_names_looked_up_by_program_and_panel_files_must_exist(self):
        self.archive("SLD grfx/k.png SIMPLEPART END")
        self.image("k.png", (16, 16))
        write(os.path.join(self.data, "RC", "P.RC"), "SLIDER K KNOB 1 2 1 0 0 1.0 0")
        found = self.problems()
        self.assertIn("missing image SLD_MASK (looked up by the program)", found)
        self.assertIn("missing image KNOB_MASK (looked up by RC/P.RC)", found)
        self.assertNotIn("missing image SLD ", found)

    def test_files_sizes_and_masks_are_checked(self):
        self.archive("SLD grfx/k.png SIMPLEPART SLD_MASK grfx/m.png SIMPLEPART "
                     "ODD grfx/odd.png SIMPLEPART RGBA grfx/a.png SIMPLEPART "
                     "S grfx/s.png SHEET 8 8 1 3 0 0 GONE grfx/none.png SIMPLEPART END")
        self.image("k.png", (16, 16))
        self.image("m.png", (32, 32))
        self.image("odd.png", (24, 16))
        self.image("a.png", (8, 8), "RGBA")
        self.image("s.png", (16, 8))
        found = self.problems()
        self.assertIn("SLD: mask SLD_MASK has another size", found)
        self.assertIn("ODD: 24x16 is not a power of two", found)
        self.assertIn("RGBA: grfx/a.png is RGBA, not 24-bit RGB", found)
        self.assertIn("S_2: frame outside grfx/s.png", found)
        self.assertNotIn("S_1:", found)
        self.assertIn("GONE: missing file grfx/none.png", found)

    def test_the_shipped_data_has_no_problem(self):
        self.assertEqual(art.find_problems(art.DATA)[0], [])


class Drawing(unittest.TestCase):
    def test_masked_drawing_equals_alpha_blending(self):
        pic = Image.new("RGBA", (4, 1))
        pic.putdata([(0, 0, 0, 0), (200, 100, 50, 255), (200, 100, 50, 128), (255, 255, 255, 64)])
        frame = Image.new("RGB", (4, 1), (40, 80, 160))
        image, mask = art.split_masked(pic)
        drawn = ImageChops.add(ImageChops.multiply(frame, mask), image)
        expected = Image.alpha_composite(frame.convert("RGBA"), pic).convert("RGB")
        for got, want in zip(drawn.getdata(), expected.getdata()):
            for g, w in zip(got, want):
                self.assertLessEqual(abs(g - w), 2, (drawn.getdata(), expected.getdata()))

    def test_written_sheet_cuts_back_into_its_frames(self):
        frames = [Image.new("RGB", (8, 16), (k * 20, 255 - k * 20, 7)) for k in range(5)]
        sheet = art.Archive()
        sheet.sheet("DIGIT", frames, cols=3)
        with tempfile.TemporaryDirectory() as data:
            os.makedirs(os.path.join(data, "grfx"))
            sheet.write(data)
            names, errors = art.read_archive(data)
            self.assertEqual(errors, [])
            img = Image.open(os.path.join(data, "grfx/digit.png"))
            for k, frame in enumerate(frames):
                path, (x, y, w, h) = names["DIGIT_%d" % k]
                self.assertEqual(img.crop((x, y, x + w, y + h)).tobytes(), frame.tobytes())

    def test_knob_points_up_and_is_round(self):
        image, mask = art.split_masked(art.knob(16))
        def light(y):
            return sum(sum(image.getpixel((x, y))) for x in (7, 8))
        # The pointer tick on the skirt lights the top, not the bottom; the
        # corners leave the panel alone.
        self.assertGreater(light(1), 3 * light(14))
        for corner in ((0, 0), (15, 0), (0, 15), (15, 15)):
            self.assertEqual(mask.getpixel(corner), (255, 255, 255))
            self.assertEqual(image.getpixel(corner), (0, 0, 0))


class ShippedFiles(unittest.TestCase):
    def test_demo_panel_holds_one_element_of_each_kind(self):
        with open(os.path.join(art.DATA, art.DEMO_RC), newline="") as f:
            lines = f.read().split("\r\n")
        self.assertEqual(lines[-1], "")
        self.assertEqual([line.split("\t")[0] for line in lines[:-1]],
                         ["BUTTON", "SLIDER", "LABEL", "SPRITE"])
        # The first element is drawn last: the background must come last.
        self.assertEqual(lines[-2].split("\t")[1], "IMAGE_FOND")

    def test_font_is_a_truetype_file_with_its_licence(self):
        with open(os.path.join(art.DATA, art.FONT), "rb") as f:
            font = f.read()
        self.assertEqual(font[:4], b"\x00\x01\x00\x00")
        self.assertEqual(tables(font) & set(art.BITMAP_TABLES), set())
        self.assertTrue(os.path.exists(os.path.join(art.DATA, art.FONT_LICENCE)))


class DesktopIcon(unittest.TestCase):
    def test_shipped_icons_are_the_drawing_with_clear_corners(self):
        for size in art.ICON_SIZES:
            drawn = art.app_icon(size)
            with Image.open(os.path.join(art.ICONS, "qmodular-%d.png" % size)) as shipped:
                self.assertEqual((shipped.mode, shipped.size), ("RGBA", (size, size)))
                self.assertEqual(shipped.tobytes(), drawn.tobytes(), size)
            for corner in ((0, 0), (size - 1, 0), (0, size - 1), (size - 1, size - 1)):
                self.assertEqual(drawn.getpixel(corner)[3], 0, (size, corner))
            self.assertEqual(drawn.getpixel((size // 2, size // 2))[3], 255, size)


class Backgrounds(DataDir):
    def test_only_panel_backgrounds_may_have_any_size(self):
        # The same picture may have a size that is no power of two as a
        # panel's background (IMAGE_FOND), not as another element.
        self.archive("BG grfx/grain.png SIMPLEPART GRAIN grfx/grain.png SIMPLEPART END")
        grainy = Image.new("RGB", (200, 100), (9, 9, 9))
        grainy.putpixel((3, 3), (200, 0, 0))
        grainy.save(os.path.join(self.data, "grfx", "grain.png"))
        write(os.path.join(self.data, "RC", "P.RC"),
              "SPRITE IMAGE_FOND BG 0 0 0 0 0 0 1.0 0 255\n"
              "SPRITE FOND_TILE_0 GRAIN 0 0 0 0 0 0 1.0 0 255\n")
        found = "\n".join(art.find_problems(self.data)[0])
        self.assertNotIn("BG: 200x100", found)
        self.assertIn("GRAIN: 200x100 is not a power of two", found)


def rc_elements(path):
    """(kind, name, fields) of each element line of a panel file."""
    with open(path, newline="") as f:
        return [(line.split("\t")[0], line.split("\t")[1], line.split("\t")[2:])
                for line in f.read().split("\r\n") if line]


class PanelLayouts(unittest.TestCase):
    PANELS = {p.stem: p for p in panel_layouts.all_panels()}

    def test_sockets_are_named_as_the_cable_model_looks_them_up(self):
        audio = ["INPUT", "INPUT_GATE", "INPUT_SYNC", "OUTPUT"]
        mods = ["INPUT_MOD_AMP", "INPUT_MOD_FREQ", "INPUT_MOD_PHASE"]
        expected = {
            "VCO": audio + mods + ["INPUT_MOD_PWM"],
            "VCF": audio + mods,
            "VCA": ["INPUT", "INPUT_GATE", "OUTPUT"],
            "KEYBOARD": ["OUTPUT", "OUTPUT_GATE", "OUTPUT_SYNC"],
            "SEQUENCEUR": ["INPUT_SYNC", "OUTPUT", "OUTPUT_GATE", "OUTPUT_SYNC"],
            "MIXER": ["INPUT_%d" % n for n in range(1, 25)] + ["OUTPUT"],
        }
        for stem, names in expected.items():
            path = os.path.join(art.DATA, "RC", "BACK_%s.RC" % stem)
            sockets = [(name, fields[0]) for kind, name, fields in rc_elements(path)
                       if fields[0].startswith("JACK_")]
            self.assertEqual(sorted(n for n, _ in sockets), sorted(names), stem)
            for name, image in sockets:      # outputs look unlike inputs
                self.assertEqual(image, "JACK_OUT" if name.startswith("OUTPUT") else "JACK_IN",
                                 name)

    def test_fronts_hold_what_their_panels_look_up(self):
        knobs = {"VCO": ["FREQUENCE", "VOLUME", "PHASE", "PWM"],
                 "VCA": ["ATTACK", "DECAY", "SUSTAIN", "RELEASE"],
                 "VCF": ["HICUTOFF", "GAIN", "LEVEL", "QRATIO"]}
        wanted = {stem: ["SLD_" + k for k in ks] + ["LABEL_" + k for k in ks]
                  for stem, ks in knobs.items()}
        wanted["VCO"] += ["AFFICHAGE_TYPE_ONDE"]
        wanted["VCF"] += ["AFFICHAGE_TYPE_FILTRE", "LABEL_TYPE", "BYPASS"]
        wanted["KEYBOARD"] = ["BUTTON_OCT_UP", "BUTTON_OCT_DOWN", "SPRITE_OCT"]
        wanted["MIXER"] = []
        wanted["SEQUENCEUR"] = ["LABEL_DIVIDER", "LABEL_WISHED_DIVIDER", "LABEL_MAX_STEP",
                                "BUTTON_DIVIDER_UP", "BUTTON_DIVIDER_DOWN",
                                "BUTTON_MAX_STEP_UP", "BUTTON_MAX_STEP_DOWN"] + \
            ["BUTTON_PATTERN_%d" % n for n in range(32)]
        for stem, names in wanted.items():
            found = {name for _, name, _ in rc_elements(os.path.join(art.DATA, "RC", stem + ".RC"))}
            for name in names + ["label_NAME", "POWER", "IMAGE_FOND"]:
                self.assertIn(name, found, stem)

    def test_backgrounds_fit_their_places_on_the_work_area(self):
        # Width within the column's advance and height within the row pitch;
        # the mixer's strips and the sequencer's step columns need more width.
        limits = {"KEYBOARD": (120, 96), "VCO": (210, 142), "VCA": (270, 84), "VCF": (195, 96),
                  "MIXER": (272, 249), "SEQUENCEUR": (720, 234)}
        for stem, (w, h) in limits.items():
            size = self.PANELS[stem].size
            self.assertLessEqual(size[0], w, stem)
            self.assertLessEqual(size[1], h, stem)

    def test_dashboards_lie_apart_in_the_window_and_hold_their_buttons(self):
        places = panel_layouts.DASHBOARD_PLACES
        rects = {stem: places[stem] + self.PANELS[stem].size for stem in places}
        for stem, (x, y, w, h) in rects.items():
            self.assertLessEqual(x + w, 1024, stem)
            self.assertLessEqual(y + h, 768, stem)
            for other, r in rects.items():
                if other != stem:
                    self.assertFalse(panel_art.overlaps((x, y, w, h), r), (stem, other))
        buttons = [name for kind, name, _ in
                   rc_elements(os.path.join(art.DATA, "RC", "SYSTEM_DASH.RC")) if kind == "BUTTON"]
        for word, _, _ in panel_layouts.SYSTEM_PADS:  # one order each
            self.assertEqual([b for b in buttons if word in b], ["BUTTON_" + word])
        for stem in places:
            self.assertEqual(list(self.PANELS[stem].views), ["FRONT"])

    def test_nothing_lies_over_something_else_on_a_panel(self):
        for panel in self.PANELS.values():
            for view in panel.views:
                covered = panel.covered(view)
                for i, (a, item) in enumerate(covered):
                    x, y, w, h = a
                    self.assertTrue(x >= 0 and y >= 0 and x + w <= panel.size[0] and
                                    y + h <= panel.size[1],
                                    "%s %s: %s at %s leaves the panel" % (panel.stem, view,
                                                                           item, a))
                    for b, other in covered[i + 1:]:
                        self.assertFalse(panel_art.overlaps(a, b), "%s %s: %s %s over %s %s" % (
                            panel.stem, view, type(item).__name__, a, type(other).__name__, b))

    def test_panel_files_read_the_same_split_on_blanks(self):
        # The program's reader splits a line on blanks, not on tabs: a label
        # text holding a space would shift the label's place.
        for panel in self.PANELS.values():
            for view in panel.views:
                for line in panel.rc_lines(view):
                    self.assertEqual(line.split(), [f for f in line.split("\t") if f],
                                     (panel.stem, view, line))

    def test_plates_are_tiled_exactly_and_drawn_under_everything(self):
        for panel in self.PANELS.values():
            for view in panel.views:
                tiles = panel.tiles(view)
                self.assertEqual(sum(w * h for _, _, _, w, h in tiles),
                                 panel.size[0] * panel.size[1])
                for name, x, y, w, h in tiles:
                    self.assertFalse(w & (w - 1) or h & (h - 1), name)
                lines = panel.rc_lines(view)
                self.assertTrue(lines[-1].startswith("SPRITE\tIMAGE_FOND\t"))
                with open(os.path.join(art.DATA, panel.rc_path(view)), newline="") as f:
                    self.assertEqual(f.read(), "".join(line + "\r\n" for line in lines),
                                     "%s is out of date: run tools/make_art.py"
                                     % panel.rc_path(view))

    def test_backgrounds_are_compact_faces_with_large_titles(self):
        # The compact view draws the background alone at half size: it has
        # the panel's size, and halved it shows at least as much lettering as
        # the title engraved at twice the legends' size.
        for panel in self.PANELS.values():
            face = panel.compact_face()
            self.assertEqual(face.size, panel.size, panel.stem)
            shipped = Image.open(os.path.join(art.DATA, "grfx",
                                              panel.background_name().lower() + ".png"))
            self.assertEqual(shipped.tobytes(), face.tobytes(),
                             "%s is out of date: run tools/make_art.py" % panel.stem)
            half = face.resize((face.width // 2, face.height // 2), Image.NEAREST)
            title = panel_art.Canvas(Image.new("RGB", half.size))
            title.text(panel.title(), 0, 0, scale=2)
            lit = [list(img.getdata()).count(panel_art.LEGEND) for img in (half, title.image)]
            self.assertGreaterEqual(lit[0], lit[1], panel.stem)
            self.assertGreater(lit[1], 0, panel.stem)


def tables(font):
    count = struct.unpack(">H", font[4:6])[0]
    return {font[12 + 16 * i:16 + 16 * i] for i in range(count)}


class BitmapStrikes(unittest.TestCase):
    def setUp(self):
        with open(os.path.join(art.DATA, art.FONT), "rb") as f:
            self.font = f.read()

    def test_rewritten_font_is_consistent_and_draws_the_same(self):
        # Stripping twice must be harmless and keep a valid file checksum.
        again = art.without_bitmap_strikes(self.font)
        self.assertEqual(again, self.font)
        words = struct.unpack(">%dI" % (len(again) // 4), again)
        self.assertEqual(sum(words) & 0xFFFFFFFF, 0xB1B0AFBA)

    def test_strike_tables_are_dropped_and_the_rest_kept(self):
        # Graft a fake strike table onto the font, then strip it again.
        count = struct.unpack(">H", self.font[4:6])[0]
        records = self.font[12:12 + 16 * count]
        body_start = 12 + 16 * count
        shift = 16
        moved = b"".join(
            tag + struct.pack(">III", checksum, offset + shift, length)
            for tag, checksum, offset, length in
            (struct.unpack(">4sIII", records[i:i + 16]) for i in range(0, len(records), 16)))
        fake = struct.pack(">4sIII", b"EBDT", 0, len(self.font) + shift, 4)
        grafted = (self.font[:4] + struct.pack(">H", count + 1) + self.font[6:12] + fake
                   + moved + self.font[body_start:] + b"\0\0\0\0")
        stripped = art.without_bitmap_strikes(grafted)
        self.assertEqual(tables(stripped), tables(self.font))
        for text_size in (8, 16):
            self.assertEqual(render(stripped, text_size), render(self.font, text_size))


def render(font, size):
    with tempfile.NamedTemporaryFile(suffix=".ttf") as f:
        f.write(font)
        f.flush()
        img = Image.new("L", (120, 20))
        ImageDraw.Draw(img).text((1, 1), "VCO 440.5 Hz", font=ImageFont.truetype(f.name, size),
                                 fill=255)
        return img.tobytes()


if __name__ == "__main__":
    unittest.main()
