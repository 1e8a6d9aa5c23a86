"""Module panels as data: one layout per panel drawn twice, as the panel
description file the program reads and as the plate art under it.

A layout is a list of items, each with its place on the panel. An item may
write an element line of the description file (knobs, buttons, pictures,
sockets, labels), may engrave something into the plate (legends, group boxes,
windows behind labels and displays) and has the rectangle it covers, so that
the tests can check that nothing on a panel lies over something else.

A plate is split into tiles whose sides are powers of two (textures are never
resampled). The background, IMAGE_FOND, gives the panel its exact size and is
the panel's compact face: the only picture of the compact view, which draws it
at half size; in the full views the tiles cover it. The file lists the tiles
and the background last, because its first element is drawn last.
"""

import os

from PIL import Image, ImageDraw, ImageFont

import make_art as art

CHAR_W = 4             # advance of the pixel font at the labels' height
TEXT_H = 7             # rows of a capital
LABEL_TOP = -1         # a label at y draws its text from row y - 1
MAGENTA = 16711935     # the colour key of the panel files

LEGEND = (236, 234, 224)
SHADOW = (8, 8, 10)
INK = (16, 16, 18)
LCD = (10, 22, 16)
OUTLINE = (150, 154, 160)
GREEN_TEXT, BLACK_TEXT, WHITE_TEXT = 0x00FF00, 0, 0xFFFFFF

_font = None


def font():
    global _font
    if _font is None:
        _font = ImageFont.truetype(os.path.join(art.DATA, art.FONT), 8)
    return _font


def text_width(text):
    return CHAR_W * len(text)


def pow2_parts(n):
    """n as a sum of powers of two, largest first: 208 -> [128, 64, 16]."""
    return [1 << b for b in range(n.bit_length() - 1, -1, -1) if n & (1 << b)]


# ---------------------------------------------------------------- items

class Item:
    """Something at a place on a panel. Subclasses give any of: rc() the
    element line, decorate(canvas) the engraving, rect() what it covers.
    Fields (LAYER 0) are engraved before everything that lies on them."""

    LAYER = 1

    def rc(self):
        return None

    def decorate(self, canvas):
        pass

    def rect(self):
        return None


class Knob(Item):
    def __init__(self, name, x, y, image="SLD", size=16, angle=0):
        self.name, self.x, self.y, self.image, self.size, self.angle = name, x, y, image, size, angle

    def rc(self):
        return "SLIDER\t%s\t%s\t%d\t%d\t1\t0\t0\t1.000000\t%d" % (
            self.name, self.image, self.x, self.y, self.angle)

    def rect(self):
        return (self.x, self.y, self.size, self.size)


class Button(Item):
    """A button showing on when its state is 1 and off when it is 0; zoom
    scales its image about the image's centre."""

    def __init__(self, name, x, y, on, off, hover="0", size=16, zoom=1.0):
        self.name, self.x, self.y = name, x, y
        self.on, self.off, self.hover, self.size, self.zoom = on, off, hover, size, zoom

    def rc(self):
        return "BUTTON\t%s\t%s\t%s\t%s\t%d\t%d\t1\t%d\t0\t%f\t0" % (
            self.name, self.on, self.off, self.hover, self.x, self.y, MAGENTA, self.zoom)

    def rect(self):
        return scaled(self.x, self.y, self.size, self.size, self.zoom)


def power_switch(x, y):
    """The module switch. Its state reads the other way round from the
    module's power (the panels turn the module off on the release that lights
    the button's on state), so its on image is the dark one."""
    return Button("POWER", x, y, "SWITCH_OFF", "SWITCH_ON")


class Picture(Item):
    """A sprite showing an image, in a dark bezel; with blend it multiplies
    the plate, so it sits on a white window instead."""

    def __init__(self, name, image, x, y, w, h, zoom=1.0, blend=0, mask="0", bezel=True):
        self.name, self.image, self.x, self.y, self.w, self.h = name, image, x, y, w, h
        self.zoom, self.blend, self.mask, self.bezel = zoom, blend, mask, bezel

    def rc(self):
        return "SPRITE\t%s\t%s\t%s\t%d\t%d\t1\t%d\t%d\t%f\t0\t255" % (
            self.name, self.image, self.mask, self.x, self.y, MAGENTA, self.blend, self.zoom)

    def decorate(self, canvas):
        x, y, w, h = self.rect()
        if self.blend:
            canvas.box(x, y, w, h, fill=(255, 255, 255))
        if self.bezel:
            canvas.bezel(x, y, w, h)

    def rect(self):
        return scaled(self.x, self.y, self.w, self.h, self.zoom)


class Jack(Item):
    """A socket of the back view: inputs with a grey ring, outputs with an
    amber ring, standing in an OutputField. The legend stands under it."""

    def __init__(self, name, x, y, legend, output=False):
        self.name, self.x, self.y, self.legend, self.output = name, x, y, legend, output

    def rc(self):
        image = "JACK_OUT" if self.output else "JACK_IN"
        return "SPRITE\t%s\t%s\tJACK_MASK\t%d\t%d\t1\t%d\t0\t1.000000\t0\t255" % (
            self.name, image, self.x, self.y, MAGENTA)

    def decorate(self, canvas):
        canvas.text(self.legend, self.x + 8, self.y + 19, centre=True, ink=self.output)

    def rect(self):
        return (self.x, self.y, 16, 16 + 3 + TEXT_H)


class Text(Item):
    """A label the program writes, with room for `chars` characters, on a
    backing that keeps its colour readable: an LCD window for green text, a
    cream strip for black text, nothing for white."""

    def __init__(self, name, text, x, y, chars, colour=GREEN_TEXT, backing="lcd"):
        self.name, self.text, self.x, self.y = name, text, x, y
        self.chars, self.colour, self.backing = chars, colour, backing

    def rc(self):
        return "LABEL\t%s\t%s\t%d\t%d\t0\t8\t%d\t" % (
            self.name, self.text, self.x, self.y, self.colour)

    def decorate(self, canvas):
        x, y, w, h = self.backing_rect()
        if self.backing == "lcd":
            canvas.box(x, y, w, h, fill=LCD)
            canvas.bezel(x, y, w, h)
        elif self.backing == "strip":
            canvas.box(x, y, w, h, fill=art.STRIP, radius=1)

    def backing_rect(self):
        return (self.x - 3, self.y + LABEL_TOP - 2, text_width("0" * self.chars) + 5, TEXT_H + 4)

    def rect(self):
        return (self.x, self.y + LABEL_TOP, text_width("0" * self.chars), TEXT_H)


class CodeText(Text):
    """A label that the panel's code makes itself (not in the file): only its
    backing is engraved."""

    def rc(self):
        return None


class Legend(Item):
    """Engraved text: left-aligned at x, or centred on x."""

    def __init__(self, text, x, y, centre=False, ink=False):
        self.text, self.x, self.y, self.centre, self.ink = text, x, y, centre, ink

    def decorate(self, canvas):
        canvas.text(self.text, self.x, self.y, centre=self.centre, ink=self.ink)

    def rect(self):
        w = text_width(self.text)
        return (self.x - w // 2 if self.centre else self.x, self.y, w, TEXT_H)


class Title(Legend):
    """The module type, engraved twice as large."""

    def decorate(self, canvas):
        canvas.text(self.text, self.x, self.y, scale=2)

    def rect(self):
        return (self.x, self.y, 2 * text_width(self.text), 2 * TEXT_H)


class Group(Item):
    """A thin outline around related controls, its title set into the top edge."""

    LAYER = 0

    def __init__(self, x, y, w, h, title=""):
        self.x, self.y, self.w, self.h, self.title = x, y, w, h, title

    def decorate(self, canvas):
        canvas.outline(self.x, self.y, self.w, self.h, self.title)


class Window(Item):
    """A plain area engraved into the plate (light strips, white windows)."""

    LAYER = 0

    def __init__(self, x, y, w, h, fill, radius=0):
        self.x, self.y, self.w, self.h, self.fill, self.radius = x, y, w, h, fill, radius

    def decorate(self, canvas):
        canvas.box(self.x, self.y, self.w, self.h, fill=self.fill, radius=self.radius)


def OutputField(x, y, w, h):
    """The light field that tells outputs from inputs at a glance."""
    return Window(x, y, w, h, art.STRIP, radius=3)


class Reserved(Item):
    """Room taken by elements that the panel's code adds."""

    def __init__(self, x, y, w, h):
        self.area = (x, y, w, h)

    def rect(self):
        return self.area


def scaled(x, y, w, h, zoom):
    """What a sprite of w x h at (x, y) covers at a zoom (about its centre)."""
    zw, zh = int(round(w * zoom)), int(round(h * zoom))
    return (x + (w - zw) // 2, y + (h - zh) // 2, zw, zh)


# ---------------------------------------------------------------- plate drawing

class Canvas:
    """The plate being engraved, at its own pixel size (text stays sharp)."""

    def __init__(self, plate):
        self.image = plate.convert("RGB")
        self.draw = ImageDraw.Draw(self.image)

    def box(self, x, y, w, h, fill, radius=0):
        if radius:
            self.draw.rounded_rectangle([x, y, x + w - 1, y + h - 1], radius=radius, fill=fill)
        else:
            self.draw.rectangle([x, y, x + w - 1, y + h - 1], fill=fill)

    def bezel(self, x, y, w, h):
        """A recessed frame just outside a rectangle."""
        self.draw.line([(x - 1, y - 1), (x + w, y - 1)], fill=SHADOW)
        self.draw.line([(x - 1, y - 1), (x - 1, y + h)], fill=SHADOW)
        self.draw.line([(x - 1, y + h), (x + w, y + h)], fill=(120, 124, 130))
        self.draw.line([(x + w, y - 1), (x + w, y + h)], fill=(100, 104, 110))

    def text(self, text, x, y, centre=False, ink=False, scale=1):
        w = text_width(text) * scale
        if centre:
            x -= w // 2
        glyphs = Image.new("L", (w + 2, TEXT_H + 2), 0)
        ImageDraw.Draw(glyphs).text((0, 0), text, font=font(), fill=255)
        if scale > 1:
            glyphs = glyphs.resize((glyphs.width * scale, glyphs.height * scale), Image.NEAREST)
        if not ink:                                   # engraved: a dark edge below
            self.image.paste(SHADOW, (x, y + 1), glyphs)
        self.image.paste(INK if ink else LEGEND, (x, y), glyphs)

    def outline(self, x, y, w, h, title):
        self.draw.rounded_rectangle([x, y, x + w - 1, y + h - 1], radius=3, outline=OUTLINE)
        if title:
            tw = text_width(title)
            self.draw.rectangle([x + 5, y - 1, x + 8 + tw, y + 1], fill=art.PANEL_DARK)
            self.text(title, x + 7, y - 3)


# ---------------------------------------------------------------- panels

class Panel:
    """One panel: its description files stem ("VCO" gives RC/VCO.RC and
    RC/BACK_VCO.RC), its size, the items of its front and back views, and the
    line its compact face shows under the title. A panel without a back (a
    dashboard) has only its front file."""

    def __init__(self, stem, size, seed, front, back=None, face_line=""):
        self.stem, self.size, self.seed, self.face_line = stem, size, seed, face_line
        self.views = {"FRONT": front}
        if back is not None:
            self.views["BACK"] = back

    def rc_path(self, view):
        return "RC/%s.RC" % (self.stem if view == "FRONT" else "BACK_" + self.stem)

    def background_name(self):
        return "PANEL_" + self.stem

    def tiles(self, view):
        """(image name, x, y, w, h) of the plate's tiles."""
        out, y = [], 0
        for h in pow2_parts(self.size[1]):
            x = 0
            for w in pow2_parts(self.size[0]):
                out.append(("PANEL_%s_%s_%d" % (self.stem, view, len(out)), x, y, w, h))
                x += w
            y += h
        return out

    def rc_lines(self, view):
        lines = [line for line in (item.rc() for item in self.views[view]) if line]
        for i, (image, x, y, _, _) in enumerate(self.tiles(view)):
            lines.append("SPRITE\tFOND_TILE_%d\t%s\t0\t%d\t%d\t0\t%d\t0\t1.000000\t0\t255"
                         % (i, image, x, y, MAGENTA))
        lines.append("SPRITE\tIMAGE_FOND\t%s\t0\t0\t0\t0\t%d\t0\t1.000000\t0\t255"
                     % (self.background_name(), MAGENTA))
        return lines

    def plate(self, view):
        w, h = self.size
        if view == "FRONT":
            base = art.panel_plate(w, h, self.seed)
        else:                       # the rear: a darker, rougher sheet
            base = art.panel_plate(w, h, self.seed + 1, dark=(26, 27, 31), light=(58, 61, 67))
        canvas = Canvas(base)
        for item in sorted(self.views[view], key=lambda item: item.LAYER):
            item.decorate(canvas)
        return canvas.image

    def title(self):
        return next(item.text for item in self.views["FRONT"] if isinstance(item, Title))

    def compact_face(self):
        """The background: the panel's title as large as it fits, with the
        face line under it, on a plate of its own. It is drawn at half the
        panel's size and then doubled pixel for pixel, so that the compact
        view, which halves it, shows that drawing; the texture upload may
        resample it (its sides need not be powers of two), which large
        letters survive."""
        w, h = self.size
        half_w, half_h = (w + 1) // 2, (h + 1) // 2
        canvas = Canvas(art.panel_plate(half_w, half_h, self.seed + 2))
        word, line = self.title(), self.face_line
        line_h = TEXT_H + 4 if line else 0
        scale = max(1, min(4, (half_w - 12) // text_width(word), (half_h - 12 - line_h) // TEXT_H))
        top = (half_h - scale * TEXT_H - line_h) // 2
        canvas.text(word, half_w // 2, top, centre=True, scale=scale)
        if line:
            canvas.text(line, half_w // 2, top + scale * TEXT_H + 4, centre=True)
        return canvas.image.resize((2 * half_w, 2 * half_h), Image.NEAREST).crop((0, 0, w, h))

    def images(self):
        """Every image of the panel: the background (its compact face) and the
        tiles."""
        out = [(self.background_name(), self.compact_face())]
        for view in self.views:
            plate = self.plate(view)
            out += [(name, plate.crop((x, y, x + w, y + h)))
                    for name, x, y, w, h in self.tiles(view)]
        return out

    def covered(self, view):
        """(rectangle, item) of everything that must not lie over another."""
        return [(item.rect(), item) for item in self.views[view] if item.rect()]

    def write(self, data_dir):
        for view in self.views:
            with open(os.path.join(data_dir, self.rc_path(view)), "w", newline="") as f:
                for line in self.rc_lines(view):
                    f.write(line + "\r\n")


def overlaps(a, b):
    ax, ay, aw, ah = a
    bx, by, bw, bh = b
    return ax < bx + bw and bx < ax + aw and ay < by + bh and by < ay + ah
