#!/usr/bin/python3
"""Draws every image of the instrument and writes the image archive.

Run from the project root with Debian's Python and python3-pil:
    /usr/bin/python3 tools/make_art.py [--check] [--font]
It writes data/grfx/*.png, data/grfx/opengl.qim and data/RC/DEMO.RC, then
checks that every image the program and the panel files look up is there.
tools/README.md tells how the program draws these pictures and how to add one.

The pictures are designed for the program's drawing: a masked sprite is the
frame multiplied by the mask (black = hole) plus the image (black =
transparent), so each masked picture is drawn once with transparency and split
into a premultiplied image and a 1 - alpha mask (`split_masked`); a sprite
with `blend` multiplies the frame; every side is a power of two so that no
texture is resampled, except the panels' backgrounds, which give the panels
their sizes.
"""

import argparse
import math
import os
import random
import struct
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFilter, ImageOps

import panel_layouts

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, "data")
ARCHIVE = "grfx/opengl.qim"        # relative to data/, the program's directory
DEMO_RC = "RC/DEMO.RC"
ICONS = os.path.join(ROOT, "dist", "icons")    # the desktop icon, one file per size
ICON_SIZES = (48, 128, 256)
FONT = "Fonts/04b_03b_.ttf"

SS = 8                              # supersampling factor for smooth edges

# Palette shared by every picture.
PLATE_DARK, PLATE_LIGHT = (36, 38, 43), (76, 80, 87)     # brushed panel plates
PANEL_DARK = (57, 60, 66)           # their average, behind unmasked lamps
STRIP = (226, 221, 201)             # cream label strip (black text sits on it)
LED_RED = (255, 64, 40)
LED_AMBER = (255, 176, 48)
LED_GREEN = (96, 255, 128)
PHOSPHOR = (130, 255, 170)
SCREEN = (10, 22, 16)
TRANSPARENT = (0, 0, 0, 0)

# The filter's responses in the order of its types 0 to 7; the panel shows
# type t as "DISP_FILTRE_" + FILTER_KINDS[t].
FILTER_KINDS = ("NONE", "LOWPASS", "HIGHPASS", "BANDPASS", "NOTCH", "LOWSHELF", "HIGHSHELF",
                "PEAKING")

# Image names the program looks up in code (the panel files add their own),
# and the (image, mask) pairs among them.
CODE_MASKED = [
    ("SLD", "SLD_MASK"),
    ("FICHE_PLUG", "FICHE_PLUG_MASK"), ("FICHE_UNPLUG", "FICHE_UNPLUG_MASK"),
    ("BUTTONSTYLEA_0", "BUTTONSTYLEA_MASK"), ("BUTTONSTYLEB_0", "BUTTONSTYLEB_MASK"),
    ("CHK_4_ON", "CHK_4_MASK"), ("CHK_4_OFF", "CHK_4_MASK"),
    ("LAMP_LED_2_1", "LAMP_LED_2_MASK"), ("LAMP_LED_2_0", "LAMP_LED_2_MASK"),
]
CODE_IMAGES = (
    ["FOND_GLOBAL", "FOND_ELECTRO", "IMG_001", "LAMP_LED_1_0", "LAMP_LED_1_1",
     "DISP_SIN", "DISP_TRI", "DISP_SAW", "DISP_SQR", "DISP_NOISE", "DISP_PULSE"]
    + ["DISP_FILTRE_" + t for t in FILTER_KINDS]
    + ["LED_NUMERIC_%d_%d" % (s, k) for s in (1, 2) for k in range(11)])


# ---------------------------------------------------------------- helpers

def layer(w, h):
    """A transparent supersampled RGBA canvas for a w x h picture."""
    return Image.new("RGBA", (w * SS, h * SS), TRANSPARENT)


def finish(big, w, h):
    """Scales a supersampled canvas down to w x h (alpha-aware)."""
    return big.resize((w, h), Image.BOX)


def box(x0, y0, x1, y1):
    """Picture coordinates to supersampled ones."""
    return [x0 * SS, y0 * SS, x1 * SS - 1, y1 * SS - 1]


def disc(cx, cy, r):
    return box(cx - r, cy - r, cx + r, cy + r)


def rgba(rgb, a=255):
    return tuple(rgb) + (a,)


def mix(c1, c2, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c1, c2))


def over(top, bottom):
    return Image.alpha_composite(bottom, top)


def glow(big, radius):
    """A blurred copy of a layer, for light and shadow halos."""
    return big.filter(ImageFilter.GaussianBlur(radius * SS))


def tinted(big, rgb, alpha_scale=1.0):
    """The layer's shape filled with one colour (for shadows and glows)."""
    a = big.getchannel("A").point(lambda v: int(v * alpha_scale))
    out = Image.new("RGBA", big.size, rgba(rgb))
    out.putalpha(a)
    return out


def split_masked(pic):
    """An RGBA picture as the (image, mask) pair of the masked drawing."""
    pre = pic.convert("RGBa")
    image = Image.merge("RGB", pre.split()[:3])
    mask = ImageOps.invert(pic.getchannel("A")).convert("RGB")
    return image, mask


def opaque(pic, rgb):
    """An RGBA picture flattened onto a plain colour."""
    return over(pic, Image.new("RGBA", pic.size, rgba(rgb))).convert("RGB")


def radial_shade(w, h, fn):
    """A supersampled RGBA layer whose pixels are fn(r, angle) of the distance
    to the centre (in picture pixels) and the angle; fn returns RGBA."""
    big_w, big_h = w * SS, h * SS
    cx, cy = big_w / 2.0, big_h / 2.0
    data = []
    for y in range(big_h):
        dy = (y + 0.5 - cy) / SS
        for x in range(big_w):
            dx = (x + 0.5 - cx) / SS
            data.append(fn(math.hypot(dx, dy), math.atan2(dy, dx)))
    out = Image.new("RGBA", (big_w, big_h))
    out.putdata(data)
    return out


# ---------------------------------------------------------------- metal

def noise(w, h, rng, sigma=1.0):
    """Gaussian grey noise around 128, repeatable from rng."""
    vals = bytes(max(0, min(255, int(128 + rng.gauss(0, 40 * sigma))))
                 for _ in range(w * h))
    return Image.frombytes("L", (w, h), vals)


def wrapped_resize(small, w, h):
    """Scales a small noise tile up to w x h so that the result tiles
    seamlessly: the tile is surrounded by copies of itself before scaling."""
    sw, sh = small.size
    tiled = Image.new("L", (sw * 3, sh * 3))
    for i in range(3):
        for j in range(3):
            tiled.paste(small, (i * sw, j * sh))
    big = tiled.resize((w * 3, h * 3), Image.BICUBIC)
    return big.crop((w, h, 2 * w, 2 * h))


def brushed(w, h, dark, light, seed, streaks=1.0):
    """A seamless brushed-metal tile: horizontal streaks, fine grain and a
    soft mottling, coloured between dark and light."""
    rng = random.Random(seed)
    streak = wrapped_resize(noise(max(1, w // 16), h, rng), w, h)
    grain = noise(w, h, rng, 0.5)
    mottle = wrapped_resize(noise(4, 4, rng), w, h)
    lum = Image.blend(Image.blend(streak, mottle, 0.2 + 0.4 * (1 - streaks)), grain, 0.25)
    lum = ImageOps.autocontrast(lum, cutoff=1)
    return ImageOps.colorize(lum, dark, light).convert("RGB")


def screw(big, cx, cy, r, slot_angle):
    """A countersunk screw head with a slot, drawn onto a supersampled layer."""
    d = ImageDraw.Draw(big)
    d.ellipse(disc(cx, cy + 0.3, r + 0.4), fill=(0, 0, 0, 120))
    d.ellipse(disc(cx, cy, r), fill=(150, 153, 158, 255))
    d.ellipse(disc(cx - 0.3 * r, cy - 0.3 * r, r * 0.55), fill=(200, 203, 208, 255))
    dx, dy = math.cos(slot_angle) * r * 0.8, math.sin(slot_angle) * r * 0.8
    d.line([((cx - dx) * SS, (cy - dy) * SS), ((cx + dx) * SS, (cy + dy) * SS)],
           fill=(40, 42, 46, 255), width=max(1, int(0.35 * r * SS)))


def panel_plate(w, h, seed, strips=(), windows=(), dark=PLATE_DARK, light=PLATE_LIGHT):
    """A module panel background: dark brushed plate with bevelled edges and
    corner screws. strips are (x, y, w, h) cream label strips for black text;
    windows are (x, y, w, h) white areas under multiplied displays."""
    plate = brushed(w, h, dark, light, seed).convert("RGBA")
    d = ImageDraw.Draw(plate)
    d.line([(0, 0), (w - 1, 0)], fill=(130, 134, 140))
    d.line([(0, 0), (0, h - 1)], fill=(110, 114, 120))
    d.line([(0, h - 1), (w - 1, h - 1)], fill=(14, 15, 17))
    d.line([(w - 1, 0), (w - 1, h - 1)], fill=(18, 19, 21))
    for x, y, sw, sh in strips:
        d.rectangle([x - 1, y - 1, x + sw, y + sh], fill=(20, 21, 24))
        d.rectangle([x, y, x + sw - 1, y + sh - 1], fill=STRIP)
        d.line([(x, y), (x + sw - 1, y)], fill=mix(STRIP, (0, 0, 0), 0.25))
    for x, y, sw, sh in windows:
        d.rectangle([x - 1, y - 1, x + sw, y + sh], fill=(12, 12, 14))
        d.rectangle([x, y, x + sw - 1, y + sh - 1], fill=(255, 255, 255))
    heads = layer(w, h)
    for i, (sx, sy) in enumerate([(5, 5), (w - 5, 5), (5, h - 5), (w - 5, h - 5)]):
        screw(heads, sx, sy, 2.6, 0.6 + 1.1 * i)
    return over(finish(heads, w, h), plate).convert("RGB")


def backdrop(w, h, seed):
    """The work-area tile: dark anthracite perforated sheet, seamless."""
    base = brushed(w, h, (16, 17, 20), (44, 46, 51), seed, streaks=0.6).convert("RGBA")
    holes = layer(w, h)
    d = ImageDraw.Draw(holes)
    pitch = 32
    for gy in range(0, h, pitch):
        for gx in range(0, w, pitch):
            cx, cy = gx + pitch / 2, gy + pitch / 2
            d.ellipse(disc(cx, cy + 0.6, 3.1), fill=(90, 94, 100, 150))
            d.ellipse(disc(cx, cy, 3.0), fill=(4, 4, 6, 255))
            d.ellipse(disc(cx, cy - 0.8, 2.2), fill=(0, 0, 0, 255))
    return over(finish(holes, w, h), base).convert("RGB")


# ---------------------------------------------------------------- knobs

def knob(size):
    """A machined aluminium cap on a knurled black skirt, seen from above,
    pointing up: a dark line engraved across the cap and a white tick on the
    skirt. The shading is round so that only the pointer and the knurls show
    the rotation."""
    R = size / 2.0 - 0.6
    skirt, cap = R, R * 0.72
    ridges = 4 * int(size / 2)

    def shade(r, angle):
        if r > skirt:
            return TRANSPARENT
        if r > cap:                                   # knurled dark skirt
            t = (r - cap) / (skirt - cap)
            v = int(56 - 30 * t + 12 * math.cos(angle * ridges))
            return (v, v + 1, v + 4, 255)
        t = r / cap                                   # domed cap, turned rings
        v = 214 - 62 * t * t + 7 * math.sin(r * 9.0)
        if t > 0.86:                                  # bevel of the cap edge
            v -= 90 * (t - 0.86) / 0.14
        v = max(0, min(255, int(v)))
        return (v, v, min(255, v + 6), 255)

    pic = radial_shade(size, size, shade)
    d = ImageDraw.Draw(pic)
    c = size / 2.0
    width = max(1.3, size * 0.1)
    d.rounded_rectangle(box(c - width / 2, c - skirt + 0.2, c + width / 2, c - cap + 0.4),
                        radius=width * SS / 3, fill=(250, 248, 236, 255))
    d.rounded_rectangle(box(c - width / 2, c - cap + 0.6, c + width / 2, c - cap * 0.2),
                        radius=width * SS / 2, fill=(24, 24, 28, 255))
    return finish(pic, size, size)


# ---------------------------------------------------------------- LEDs

def led_lamp(size, colour, lit, bezel):
    """A round LED in a dark bezel. lit adds the glow; the unlit LED keeps a
    dim tint of its colour so that it still reads as a lamp."""
    pic = layer(size, size)
    d = ImageDraw.Draw(pic)
    c, r = size / 2.0, size / 2.0
    if bezel:
        d.ellipse(disc(c, c, r - 0.2), fill=(14, 14, 16, 255))
        d.ellipse(disc(c, c + 0.3, r - 1.0), fill=(70, 72, 78, 255))
    lens_r = r - (1.5 if bezel else 0.8)
    body = colour if lit else mix(colour, (0, 0, 0), 0.72)
    d.ellipse(disc(c, c, lens_r), fill=rgba(body))
    if lit:
        core = layer(size, size)
        ImageDraw.Draw(core).ellipse(disc(c, c, lens_r * 0.55), fill=(255, 255, 230, 255))
        pic = over(glow(core, 0.6), pic)
    hl = layer(size, size)
    ImageDraw.Draw(hl).ellipse(disc(c - lens_r * 0.35, c - lens_r * 0.35, lens_r * 0.35),
                               fill=(255, 255, 255, 170 if lit else 90))
    return finish(over(glow(hl, 0.2), pic), size, size)


# Seven segments as line segments in a 0..1 x 0..2 digit box: a b c d e f g.
SEGMENTS = {
    "a": ((0, 0), (1, 0)), "b": ((1, 0), (1, 1)), "c": ((1, 1), (1, 2)),
    "d": ((0, 2), (1, 2)), "e": ((0, 1), (0, 2)), "f": ((0, 0), (0, 1)),
    "g": ((0, 1), (1, 1)),
}
DIGITS = ["abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc",
          "abcdefg", "abcdfg"]


def seven_segment(lit_segments, lit, unlit, back, w=8, h=16):
    """One digit cell of an LED display: lit segments glow over dim ones."""
    pic = Image.new("RGBA", (w * SS, h * SS), rgba(back))
    x0, x1 = 1.7, w - 1.7
    y0, y1 = 2.0, h - 2.0
    slant = 0.6                                       # a slight italic lean
    thick = 1.25

    def point(p):
        px, py = p
        x = x0 + px * (x1 - x0) + slant * (1 - py / 2.0)
        y = y0 + py / 2.0 * (y1 - y0)
        return x * SS, y * SS

    def draw(canvas, names, colour):
        d = ImageDraw.Draw(canvas)
        for name in names:
            (p, q) = SEGMENTS[name]
            a, b = point(p), point(q)
            # Shorten each segment a little so the joints show as gaps.
            ax, ay = a[0] + (b[0] - a[0]) * 0.16, a[1] + (b[1] - a[1]) * 0.16
            bx, by = b[0] + (a[0] - b[0]) * 0.16, b[1] + (a[1] - b[1]) * 0.16
            d.line([(ax, ay), (bx, by)], fill=colour, width=int(thick * SS))

    draw(pic, "abcdefg", rgba(unlit))
    if lit_segments:
        seg = layer(w, h)
        draw(seg, lit_segments, rgba(lit))
        pic = over(seg, over(tinted(glow(seg, 0.9), lit, 0.8), pic))
    return finish(pic, w, h).convert("RGB")


def digit_frames(lit, unlit, back):
    """Frame 0: the empty tens place; frames 1 to 10: digits 0 to 9."""
    return [seven_segment("", lit, unlit, back)] + \
           [seven_segment(DIGITS[k], lit, unlit, back) for k in range(10)]


# ---------------------------------------------------------------- buttons

def arrow_button(up, hover, size=8):
    """An up or down step button: dark cap with a triangle (drawn for 8
    pixels and scaled to size)."""
    k = size / 8.0
    pic = layer(size, size)
    d = ImageDraw.Draw(pic)
    d.rounded_rectangle(box(0.2 * k, 0.2 * k, size - 0.2 * k, size - 0.2 * k),
                        radius=1.6 * k * SS, fill=(12, 12, 14, 255))
    d.rounded_rectangle(box(0.9 * k, 0.9 * k, size - 0.9 * k, size - 0.9 * k),
                        radius=1.1 * k * SS, fill=(74, 77, 84, 255))
    d.rounded_rectangle(box(1.4 * k, 1.6 * k, size - 1.4 * k, size - 1.2 * k),
                        radius=0.9 * k * SS, fill=(54, 57, 63, 255))
    c = size / 2.0
    tip, base = (2.1 * k, size - 2.4 * k) if up else (size - 2.1 * k, 2.4 * k)
    colour = LED_AMBER if hover else (232, 232, 224)
    d.polygon([(c * SS, tip * SS), ((c - 2.1 * k) * SS, base * SS),
               ((c + 2.1 * k) * SS, base * SS)], fill=rgba(colour))
    return finish(pic, size, size)


def pad_key(hover, size=16):
    """A square key of the pattern row: a rubber ring around a see-through
    middle, where the plate shows the key's engraved number; the ring lights
    amber under the pointer."""
    pic = layer(size, size)
    d = ImageDraw.Draw(pic)
    d.rounded_rectangle(box(0.2, 0.2, size - 0.2, size - 0.2), radius=3 * SS,
                        fill=(10, 10, 12, 255))
    ring = LED_AMBER if hover else (96, 99, 106)
    d.rounded_rectangle(box(1.1, 1.1, size - 1.1, size - 1.1), radius=2.4 * SS, fill=rgba(ring))
    d.rounded_rectangle(box(2.2, 2.4, size - 2.2, size - 2.0), radius=1.8 * SS,
                        fill=(20, 21, 24, 255))
    d.rounded_rectangle(box(3.0, 3.0, size - 3.0, size - 3.0), radius=1.2 * SS, fill=TRANSPARENT)
    return finish(pic, size, size)


def check_button(on, size=16):
    """The mixer's channel mute: a round push button whose ring lights red."""
    pic = layer(size, size)
    d = ImageDraw.Draw(pic)
    c = size / 2.0
    d.ellipse(disc(c, c, 7.6), fill=(10, 10, 12, 255))
    ring = LED_RED if on else mix(LED_RED, (0, 0, 0), 0.75)
    d.ellipse(disc(c, c, 6.6), fill=rgba(ring))
    if on:
        pic = over(pic, tinted(glow(pic, 0.8), LED_RED, 0.6))
        d = ImageDraw.Draw(pic)
    d.ellipse(disc(c, c, 4.9), fill=(28, 29, 32, 255))
    d.ellipse(disc(c, c + 0.2, 4.2), fill=(92, 95, 102, 255))
    d.ellipse(disc(c - 0.9, c - 1.1, 1.6), fill=(150, 153, 160, 200))
    return finish(pic, size, size)


def switch_button(on, size=16):
    """A square latching switch with a green LED in its cap."""
    pic = layer(size, size)
    d = ImageDraw.Draw(pic)
    d.rounded_rectangle(box(0.3, 0.3, size - 0.3, size - 0.3), radius=3 * SS,
                        fill=(8, 8, 10, 255))
    d.rounded_rectangle(box(1.3, 1.3, size - 1.3, size - 1.3), radius=2.4 * SS,
                        fill=(96, 99, 106, 255))
    d.rounded_rectangle(box(2.0, 2.2, size - 2.0, size - 1.8), radius=2 * SS,
                        fill=(62, 65, 71, 255))
    led = led_lamp(6, LED_GREEN, on, bezel=False).resize((6 * SS, 6 * SS), Image.BICUBIC)
    pic.alpha_composite(led, (5 * SS, 5 * SS))
    return finish(pic, size, size)


# ---------------------------------------------------------------- sockets and plugs

def jack(output, size=16):
    """A panel socket: hex nut around a dark hole; outputs get an amber ring."""
    pic = layer(size, size)
    d = ImageDraw.Draw(pic)
    c = size / 2.0
    hexagon = [((c + 7.4 * math.cos(math.pi / 6 + k * math.pi / 3)) * SS,
                (c + 7.4 * math.sin(math.pi / 6 + k * math.pi / 3)) * SS) for k in range(6)]
    d.polygon(hexagon, fill=(168, 171, 178, 255))
    d.ellipse(disc(c, c, 5.6), fill=rgba(LED_AMBER if output else (110, 113, 120)))
    d.ellipse(disc(c, c, 4.6), fill=(196, 199, 205, 255))
    d.ellipse(disc(c, c, 3.2), fill=(6, 6, 8, 255))
    d.ellipse(disc(c, c + 0.6, 2.0), fill=(0, 0, 0, 255))
    return finish(pic, size, size)


def plug(lifted, size=16):
    """A cable plug seen from the front: a knurled black cap with a metal
    centre over the socket, and under it the rubber boot the cord leaves
    from. The picture is twice as tall as wide and is centred on the socket,
    so the boot's tail ends 15 pixels below the socket's centre, where the
    cable drawing starts the cord. The lifted plug (being dragged) has a red
    collar and a wide shadow."""
    c = size / 2.0
    r = 5.6 if lifted else 6.2
    shadow = layer(size, 2 * size)
    sd = ImageDraw.Draw(shadow)
    sd.ellipse(disc(c, size, r + (1.6 if lifted else 0.8)), fill=(0, 0, 0, 170))
    sd.polygon([(p[0] * SS, p[1] * SS) for p in
                ((c - 4.6, size + 2), (c + 4.6, size + 2), (c + 2.8, 2 * size), (c - 2.8, 2 * size))],
               fill=(0, 0, 0, 150))
    pic = glow(shadow, 0.9 if lifted else 0.5)
    d = ImageDraw.Draw(pic)
    boot = [(c - 3.6, size + 3), (c + 3.6, size + 3), (c + 2.0, 2 * size - 1), (c - 2.0, 2 * size - 1)]
    d.polygon([(x * SS, y * SS) for x, y in boot], fill=(26, 27, 30, 255))
    for k in range(4):                                # ribs of the boot
        y = size + 6 + 2.4 * k
        half = 3.4 - 0.4 * k
        d.line([((c - half) * SS, y * SS), ((c + half) * SS, y * SS)], fill=(58, 60, 66, 255),
               width=int(0.6 * SS))
    d.line([(c - 1.2) * SS, (2 * size - 3) * SS, (c + 1.2) * SS, (2 * size - 3) * SS],
           fill=(128, 136, 128, 255), width=int(1.6 * SS))          # the cord's end
    d.ellipse(disc(c, size, r), fill=(22, 23, 26, 255))
    for k in range(12):                               # knurling
        a = k * math.pi / 6
        d.line([((c + (r - 1.4) * math.cos(a)) * SS, (size + (r - 1.4) * math.sin(a)) * SS),
                ((c + (r - 0.2) * math.cos(a)) * SS, (size + (r - 0.2) * math.sin(a)) * SS)],
               fill=(70, 72, 78, 255), width=int(0.5 * SS))
    collar = LED_RED if lifted else (128, 136, 128)
    d.ellipse(disc(c, size, r - 1.7), fill=rgba(collar))
    d.ellipse(disc(c, size, r - 2.6), fill=(190, 193, 198, 255))
    d.ellipse(disc(c - 0.8, size - 0.8, 1.2), fill=(245, 245, 250, 255))
    return finish(pic, size, 2 * size)


# ---------------------------------------------------------------- screens

def scope_screen(w, h, trace, fill_under=False):
    """A small phosphor screen with a faint grid and a glowing trace.
    trace is a list of (x, y) in 0..1 (y up)."""
    pic = Image.new("RGBA", (w * SS, h * SS), rgba(SCREEN))
    d = ImageDraw.Draw(pic)
    grid = rgba(mix(SCREEN, PHOSPHOR, 0.12))
    for gx in range(1, 8):
        d.line([(gx * w * SS / 8, 0), (gx * w * SS / 8, h * SS)], fill=grid, width=SS // 2)
    for gy in range(1, 4):
        d.line([(0, gy * h * SS / 4), (w * SS, gy * h * SS / 4)], fill=grid, width=SS // 2)
    m = 3.0
    pts = [((m + x * (w - 2 * m)) * SS, (h - m - y * (h - 2 * m)) * SS) for x, y in trace]
    if fill_under:
        area = layer(w, h)
        ImageDraw.Draw(area).polygon(pts + [(pts[-1][0], h * SS), (pts[0][0], h * SS)],
                                     fill=rgba(PHOSPHOR, 46))
        pic = over(area, pic)
    line = layer(w, h)
    ImageDraw.Draw(line).line(pts, fill=rgba(PHOSPHOR), width=int(1.1 * SS), joint="curve")
    pic = over(line, over(tinted(glow(line, 1.2), PHOSPHOR, 0.9), pic))
    d = ImageDraw.Draw(pic)                                   # bezel
    d.rectangle([0, 0, w * SS - 1, h * SS - 1], outline=(8, 8, 10, 255), width=SS)
    d.line([(SS, h * SS - SS), (w * SS - SS, h * SS - SS)], fill=(70, 74, 80, 255), width=SS // 2)
    return finish(pic, w, h).convert("RGB")


def waveform(kind, n=160):
    """Two periods of a waveform as trace points (y in 0..1)."""
    rng = random.Random(7)
    pts = []
    for i in range(n + 1):
        t = 2.0 * i / n                                # periods
        ph = t % 1.0
        if kind == "SIN":
            v = math.sin(2 * math.pi * t)
        elif kind == "TRI":
            v = 4 * ph - 1 if ph < 0.5 else 3 - 4 * ph
        elif kind == "SAW":
            v = 2 * ph - 1
        elif kind == "SQR":
            v = 1 if ph < 0.5 else -1
        elif kind == "PULSE":
            v = 1 if ph < 0.2 else -1
        else:                                          # NOISE
            v = max(-1.0, min(1.0, rng.gauss(0, 0.45)))
        pts.append((i / n, 0.5 + 0.42 * v))
    if kind in ("SQR", "PULSE", "SAW"):                # vertical edges, not slopes
        sharp = []
        for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
            sharp.append((x0, y0))
            if abs(y1 - y0) > 0.3:
                sharp.append((x0, y1))
        sharp.append(pts[-1])
        pts = sharp
    return pts


def biquad_db(kind, f, f0=1000.0, q=1.4, gain_db=9.0, fs=44100.0):
    """Magnitude response in dB of the usual audio biquads at frequency f
    (NONE: the input unchanged, 0 dB everywhere)."""
    if kind == "NONE":
        return 0.0
    a_lin = 10 ** (gain_db / 40.0)
    w0 = 2 * math.pi * f0 / fs
    cw, sw = math.cos(w0), math.sin(w0)
    alpha = sw / (2 * q)
    if kind == "LOWPASS":
        b = [(1 - cw) / 2, 1 - cw, (1 - cw) / 2]
        a = [1 + alpha, -2 * cw, 1 - alpha]
    elif kind == "HIGHPASS":
        b = [(1 + cw) / 2, -(1 + cw), (1 + cw) / 2]
        a = [1 + alpha, -2 * cw, 1 - alpha]
    elif kind == "BANDPASS":
        b = [alpha, 0, -alpha]
        a = [1 + alpha, -2 * cw, 1 - alpha]
    elif kind == "NOTCH":
        b = [1, -2 * cw, 1]
        a = [1 + alpha, -2 * cw, 1 - alpha]
    elif kind == "PEAKING":
        b = [1 + alpha * a_lin, -2 * cw, 1 - alpha * a_lin]
        a = [1 + alpha / a_lin, -2 * cw, 1 - alpha / a_lin]
    else:                                              # shelves, slope 1
        s = 2 * math.sqrt(a_lin) * alpha
        sign = 1 if kind == "LOWSHELF" else -1
        ap, am = a_lin + 1, a_lin - 1
        b = [a_lin * (ap - sign * am * cw + s), sign * 2 * a_lin * (am - sign * ap * cw),
             a_lin * (ap - sign * am * cw - s)]
        a = [ap + sign * am * cw + s, -sign * 2 * (am + sign * ap * cw), ap + sign * am * cw - s]
    w = 2 * math.pi * f / fs
    z1, z2 = complex(math.cos(-w), math.sin(-w)), complex(math.cos(-2 * w), math.sin(-2 * w))
    hz = (b[0] + b[1] * z1 + b[2] * z2) / (a[0] + a[1] * z1 + a[2] * z2)
    return 20 * math.log10(max(abs(hz), 1e-6))


def filter_response(kind, n=120):
    """Response over 20 Hz .. 20 kHz on a log axis, -30 dB .. +12 dB."""
    pts = []
    for i in range(n + 1):
        f = 20.0 * 1000.0 ** (i / n)
        db = max(-30.0, min(12.0, biquad_db(kind, f)))
        pts.append((i / n, (db + 30.0) / 42.0))
    return pts


# ---------------------------------------------------------------- archive

class Archive:
    """Collects pictures, saves each as grfx/<name in lower case>.png and
    writes the archive that lists them."""

    def __init__(self):
        self.entries = []          # archive lines, in order
        self.files = {}            # path -> PIL image

    def _store(self, name, image):
        path = "grfx/%s.png" % name.lower()
        self.files[path] = image.convert("RGB")
        return path

    def single(self, name, image):
        self.entries.append("%s %s SIMPLEPART" % (name, self._store(name, image)))

    def masked(self, name, pic, mask_name=None):
        """An RGBA picture stored as an image and its mask
        (mask_name defaults to name + "_MASK")."""
        image, mask = split_masked(pic)
        self.single(name, image)
        self.single(mask_name or name + "_MASK", mask)

    def sheet(self, name, frames, cols=None, gap=1):
        """Frames of one size laid out row-major; the loader cuts them back
        into NAME_0 ... NAME_n. Gaps are filled with magenta."""
        fw, fh = frames[0].size
        cols = cols or len(frames)
        rows = (len(frames) + cols - 1) // cols
        img = Image.new("RGB", (cols * (fw + gap) - gap, rows * (fh + gap) - gap), (255, 0, 255))
        for i, frame in enumerate(frames):
            r, c = divmod(i, cols)
            img.paste(frame.convert("RGB"), (c * (fw + gap), r * (fh + gap)))
        self.entries.append("%s %s MULTIPART %d %d %d %d %d %d"
                            % (name, self._store(name, img), fw, fh, rows, cols, gap, gap))

    def write(self, data_dir):
        for path, img in self.files.items():
            img.save(os.path.join(data_dir, path), optimize=True)
        with open(os.path.join(data_dir, ARCHIVE), "w") as f:
            f.write("QIM_ARCHIVE 1\n")
            for line in self.entries:
                f.write(line + "\n")
            f.write("END\n")


def masked_sheet(archive, name, pics):
    """Frames of one shape as a sheet of images plus one mask, named as a
    button built on them looks it up (NAME_MASK for frames NAME_0 ...)."""
    archive.sheet(name, [split_masked(p)[0] for p in pics])
    archive.single(name + "_MASK", split_masked(pics[0])[1])


def build_archive():
    archive = Archive()
    archive.single("FOND_GLOBAL", brushed(256, 256, (38, 40, 44), (96, 100, 107), seed=11))
    archive.single("FOND_ELECTRO", backdrop(256, 256, seed=12))
    archive.single("IMG_001", panel_plate(64, 64, seed=13))

    archive.masked("SLD", knob(16))
    archive.masked("SLD_LARGE", knob(32))

    archive.sheet("LED_NUMERIC_1", digit_frames(LED_RED, (62, 14, 10), (20, 6, 5)))
    archive.sheet("LED_NUMERIC_2", digit_frames((150, 104, 70), (46, 30, 22), (18, 12, 9)))

    # Step lamps are drawn without a mask: their square sits on the panel.
    states = (False, True)
    archive.sheet("LAMP_LED_1", [opaque(led_lamp(8, LED_RED, lit, True), PANEL_DARK)
                                 for lit in states])
    masked_sheet(archive, "LAMP_LED_2", [led_lamp(8, LED_AMBER, lit, True) for lit in states])
    for style, up in (("A", True), ("B", False)):
        masked_sheet(archive, "BUTTONSTYLE" + style, [arrow_button(up, hover) for hover in states])
    for name, up in (("ARROWUP", True), ("ARROWDOWN", False)):
        masked_sheet(archive, name, [arrow_button(up, hover, 16) for hover in states])
    masked_sheet(archive, "PAD", [pad_key(hover) for hover in states])

    archive.masked("CHK_4_ON", check_button(True), "CHK_4_MASK")
    archive.single("CHK_4_OFF", split_masked(check_button(False))[0])
    archive.masked("SWITCH_ON", switch_button(True), "SWITCH_MASK")
    archive.single("SWITCH_OFF", split_masked(switch_button(False))[0])

    archive.masked("JACK_IN", jack(False), "JACK_MASK")
    archive.single("JACK_OUT", split_masked(jack(True))[0])
    archive.masked("FICHE_PLUG", plug(False))
    archive.masked("FICHE_UNPLUG", plug(True))

    for kind in ("SIN", "TRI", "SAW", "SQR", "NOISE", "PULSE"):
        archive.single("DISP_" + kind, scope_screen(64, 32, waveform(kind)))
    for kind in FILTER_KINDS:
        archive.single("DISP_FILTRE_" + kind,
                       scope_screen(64, 32, filter_response(kind), fill_under=True))

    archive.single("PANEL_DEMO", panel_plate(128, 64, seed=14, strips=[(8, 8, 112, 12)]))
    for panel in panel_layouts.all_panels():
        for name, image in panel.images():
            archive.single(name, image)
    return archive


# ---------------------------------------------------------------- demo panel

# A background, a switch, a knob and a label, in the panel description format
# (fields separated by tabs, lines ending in CR LF as the program writes them).
# The first element of a file is drawn last, so the background comes last.
DEMO_LINES = [
    "BUTTON\tBUTTON_DEMO\tSWITCH_ON\tSWITCH_OFF\t0\t24\t34\t1\t16711935\t0\t1.000000\t0",
    "SLIDER\tSLD_DEMO\tSLD_LARGE\t80\t26\t1\t0\t0\t1.000000\t0",
    "LABEL\tLABEL_DEMO\tDEMO\t12\t10\t0\t8\t0\t",
    "SPRITE\tIMAGE_FOND\tPANEL_DEMO\t0\t0\t0\t0\t16711935\t0\t1.000000\t0\t255",
]


def write_demo_rc(data_dir):
    with open(os.path.join(data_dir, DEMO_RC), "w", newline="") as f:
        for line in DEMO_LINES:
            f.write(line + "\r\n")


# ---------------------------------------------------------------- font

FONT_PACKAGE = "fonts-misaki"
FONT_FILE = "usr/share/fonts/truetype/misaki/misaki_gothic_2nd.ttf"
FONT_LICENCE = "Fonts/LICENSE-misaki.txt"


# Tables of embedded bitmap strikes. FreeType prefers a strike to the outline
# when one matches the size; its 1-bit glyphs would reach the text renderer,
# which reads 8-bit grey bitmaps. Without them every size is drawn from the
# outlines, which this font keeps on the pixel grid.
BITMAP_TABLES = (b"EBDT", b"EBLC", b"EBSC", b"BDF ")


def without_bitmap_strikes(font):
    """A TrueType file (bytes) rewritten without its bitmap strike tables."""
    count = struct.unpack(">H", font[4:6])[0]
    records = [struct.unpack(">4sIII", font[12 + 16 * i:28 + 16 * i]) for i in range(count)]
    kept = sorted(r for r in records if r[0] not in BITMAP_TABLES)
    entry_selector = max(k for k in range(16) if 2 ** k <= len(kept))
    search_range = 16 * 2 ** entry_selector
    header = font[:4] + struct.pack(">HHHH", len(kept), search_range, entry_selector,
                                    16 * len(kept) - search_range)
    offset = len(header) + 16 * len(kept)
    directory, body = b"", b""
    for tag, checksum, start, length in kept:
        data = font[start:start + length]
        if tag == b"head":                        # checksum adjustment recomputed below
            data = data[:8] + b"\0\0\0\0" + data[12:]
        directory += struct.pack(">4sIII", tag, checksum, offset + len(body), length)
        body += data + b"\0" * (-len(data) % 4)
    out = bytearray(header + directory + body)
    total = sum(struct.unpack(">%dI" % (len(out) // 4), out)) & 0xFFFFFFFF
    head = out.find(b"head", 12, len(header) + len(directory))
    head_offset = struct.unpack(">I", out[head + 8:head + 12])[0]
    out[head_offset + 8:head_offset + 12] = struct.pack(">I", (0xB1B0AFBA - total) & 0xFFFFFFFF)
    return bytes(out)


def fetch_font(data_dir):
    """Copies the pixel font and its licence out of its Debian package
    (downloaded, unpacked in a temporary folder, never installed); the font
    loses its bitmap strikes on the way."""
    with tempfile.TemporaryDirectory() as tmp:
        os.chmod(tmp, 0o755)                      # apt's download user writes here
        subprocess.run(["apt-get", "download", FONT_PACKAGE], cwd=tmp, check=True)
        deb = [n for n in os.listdir(tmp) if n.endswith(".deb")][0]
        subprocess.run(["dpkg-deb", "-x", deb, "root"], cwd=tmp, check=True)
        with open(os.path.join(tmp, "root", FONT_FILE), "rb") as f:
            font = without_bitmap_strikes(f.read())
        with open(os.path.join(data_dir, FONT), "wb") as f:
            f.write(font)
        with open(os.path.join(tmp, "root/usr/share/doc", FONT_PACKAGE, "copyright")) as f:
            licence = f.read()
        with open(os.path.join(data_dir, FONT_LICENCE), "w") as f:
            f.write("%s is %s from the Debian package %s %s,\n"
                    "with its embedded bitmap strike tables removed.\n"
                    "Its copyright and licence follow.\n\n%s"
                    % (FONT, os.path.basename(FONT_FILE), FONT_PACKAGE, deb.split("_")[1],
                       licence))


# ---------------------------------------------------------------- desktop icon

def app_icon(size):
    """The program's icon for the desktop menu, RGBA, size x size: a rounded
    dark panel with a phosphor screen showing a wave, a knob, and a red patch
    cable hanging between two sockets. Drawn on a 64-unit grid, so every
    size shows the same picture."""
    k = size * SS / 64.0

    def at(*units):
        return [u * k for u in units]

    def round_disc(cx, cy, r):
        return at(cx - r, cy - r, cx + r, cy + r)

    shape = Image.new("L", (size * SS, size * SS), 0)
    ImageDraw.Draw(shape).rounded_rectangle(at(3, 3, 61, 61), radius=11 * k, fill=255)
    plate = brushed(size * SS // 4, size * SS // 4, PLATE_DARK, PLATE_LIGHT, seed=64)
    pic = Image.new("RGBA", shape.size, TRANSPARENT)
    pic.paste(plate.resize(shape.size, Image.BICUBIC), (0, 0), shape)
    d = ImageDraw.Draw(pic)
    d.rounded_rectangle(at(3, 3, 61, 61), radius=11 * k, outline=(14, 15, 17, 255),
                        width=max(1, int(1.2 * k)))
    d.rounded_rectangle(at(10, 9, 54, 30), radius=3 * k, fill=(8, 8, 10, 255))
    d.rounded_rectangle(at(11, 10, 53, 29), radius=2.5 * k, fill=rgba(SCREEN))
    wave = layer(size, size)
    ImageDraw.Draw(wave).line(
        [((14 + 36 * i / 60.0) * k, (19.5 - 6 * math.sin(2 * math.pi * 1.5 * i / 60.0)) * k)
         for i in range(61)], fill=rgba(PHOSPHOR), width=max(1, int(1.8 * k)), joint="curve")
    pic = over(wave, over(tinted(glow(wave, size / 64.0), PHOSPHOR, 0.9), pic))
    d = ImageDraw.Draw(pic)
    d.ellipse(round_disc(20, 45, 10), fill=(10, 10, 12, 255))          # knob: skirt,
    d.ellipse(round_disc(20, 45, 7.5), fill=(178, 182, 188, 255))      # cap, highlight
    d.ellipse(round_disc(18, 43, 4), fill=(214, 217, 222, 255))
    d.line(at(20, 45, 14.5, 38.5), fill=(30, 31, 35, 255), width=max(1, int(1.6 * k)))
    for cx in (39, 53):                                                 # sockets
        d.ellipse(round_disc(cx, 41, 5), fill=rgba(LED_AMBER))
        d.ellipse(round_disc(cx, 41, 3.6), fill=(196, 199, 205, 255))
        d.ellipse(round_disc(cx, 41, 2.2), fill=(6, 6, 8, 255))
    cord = [(39 + 14 * t, 41 + 32 * t * (1 - t)) for t in (i / 40.0 for i in range(41))]
    d.line([(x * k, y * k) for x, y in cord], fill=(60, 10, 8, 255),
           width=max(1, int(4.2 * k)), joint="curve")
    d.line([(x * k, y * k) for x, y in cord], fill=rgba(LED_RED), width=max(1, int(2.6 * k)),
           joint="curve")
    for cx in (39, 53):                                                 # plugs
        d.ellipse(round_disc(cx, 41, 3), fill=(22, 23, 26, 255))
        d.ellipse(round_disc(cx, 41, 1.4), fill=(190, 193, 198, 255))
    return finish(pic, size, size)


def write_icons(icons_dir):
    os.makedirs(icons_dir, exist_ok=True)
    for size in ICON_SIZES:
        app_icon(size).save(os.path.join(icons_dir, "qmodular-%d.png" % size), optimize=True)


def icon_problems(icons_dir):
    """Missing icons, and icons of another size or without transparency."""
    problems = []
    for size in ICON_SIZES:
        path = os.path.join(icons_dir, "qmodular-%d.png" % size)
        if not os.path.exists(path):
            problems.append("missing icon %s" % path)
            continue
        with Image.open(path) as img:
            if img.size != (size, size) or img.mode != "RGBA":
                problems.append("icon %s is %dx%d %s, not %dx%d RGBA"
                                % (path, img.width, img.height, img.mode, size, size))
    return problems


# ---------------------------------------------------------------- checks

def read_archive(data_dir):
    """Parses the archive as the program does: returns ({name: (path, frame)},
    errors); frame is the (x, y, w, h) cut from a sheet, None for a single
    image."""
    with open(os.path.join(data_dir, ARCHIVE)) as f:
        tokens = f.read().split()[2:]
    names, errors, i = {}, [], 0
    while i < len(tokens) and tokens[i] != "END":
        entry = tokens[i:i + 3]
        if len(entry) > 1 and entry[1].startswith("#"):
            break
        if len(entry) < 3:
            errors.append("archive ends inside the entry %s" % entry[0])
            break
        name, path, kind = entry
        for token in entry:
            if len(token) > 59:
                errors.append("token longer than 59 characters: %s" % token)
        if kind == "SIMPLEPART":
            new = {name: (path, None)}
            i += 3
        else:
            try:
                fw, fh, rows, cols, gx, gy = (int(t) for t in tokens[i + 3:i + 9])
            except ValueError:
                errors.append("sheet %s needs six integers" % name)
                break
            new = {"%s_%d" % (name, r * cols + c): (path, (c * (fw + gx), r * (fh + gy), fw, fh))
                   for r in range(rows) for c in range(cols)}
            i += 9
        for key, value in new.items():
            if key in names:
                errors.append("name listed twice (the first wins): %s" % key)
            else:
                names[key] = value
    return names, errors


def rc_image_names(path):
    """What one panel description file makes the program look up: (images,
    (image, mask) pairs). A knob's mask is its image + "_MASK"; a button's is
    its on-image cut at the last "_" + "MASK", drawn over all its images."""
    with open(path, encoding="latin-1") as f:
        tokens = f.read().split()
    fields = {"SPRITE": 11, "BUTTON": 11, "SLIDER": 9, "LABEL": 7}
    images, pairs, i = set(), set(), 0
    while i < len(tokens):
        kind = tokens[i]
        i += 1
        if kind not in fields:
            continue
        f = []                     # trailing fields may be left out
        while len(f) < fields[kind] and i < len(tokens) and tokens[i] not in fields:
            f.append(tokens[i])
            i += 1
        if kind == "SPRITE" and len(f) >= 3:
            images.add(f[1])
            if not f[2].startswith("0"):
                pairs.add((f[1], f[2]))
        elif kind == "BUTTON" and len(f) >= 4:
            shown = [n for n in f[1:4] if not n.startswith("0")]
            images.update(shown)
            cut = f[1].rfind("_")
            if cut > 0:
                pairs.update((n, f[1][:cut + 1] + "MASK") for n in shown)
        elif kind == "SLIDER" and len(f) >= 2:
            pairs.add((f[1], f[1] + "_MASK"))
    return images, pairs


def rc_backgrounds(data_dir):
    """The images that panel files show as a panel's background (IMAGE_FOND)."""
    out = set()
    rc_dir = os.path.join(data_dir, "RC")
    for rc in sorted(os.listdir(rc_dir)) if os.path.isdir(rc_dir) else []:
        with open(os.path.join(rc_dir, rc), encoding="latin-1") as f:
            tokens = f.read().split()
        out.update(tokens[i + 2] for i in range(len(tokens) - 2)
                   if tokens[i] == "SPRITE" and tokens[i + 1] == "IMAGE_FOND")
    return out


def find_problems(data_dir):
    """Every problem with the written files, and the number of names looked up."""
    names, problems = read_archive(data_dir)
    backgrounds = rc_backgrounds(data_dir)
    sizes = {}
    for name, (path, frame) in sorted(names.items()):
        full = os.path.join(data_dir, path)
        if not os.path.exists(full):
            problems.append("%s: missing file %s" % (name, path))
            continue
        with Image.open(full) as img:
            if img.mode != "RGB":
                problems.append("%s: %s is %s, not 24-bit RGB" % (name, path, img.mode))
            if frame and (frame[0] + frame[2] > img.width or frame[1] + frame[3] > img.height):
                problems.append("%s: frame outside %s" % (name, path))
            w, h = sizes[name] = frame[2:] if frame else img.size
        # A background gives a panel its size, so it may have any: it is seen
        # only in the compact view, at half size, where the resampling of the
        # texture upload does no harm to its large letters.
        background = name in backgrounds and not frame
        if (w & (w - 1) or h & (h - 1)) and not background:
            problems.append("%s: %dx%d is not a power of two (it would be resampled)"
                            % (name, w, h))
        if len(name) > 79:
            problems.append("%s: name longer than 79 characters" % name)

    wanted = {n: "the program" for n in CODE_IMAGES}
    pairs = {p: "the program" for p in CODE_MASKED}
    rc_dir = os.path.join(data_dir, "RC")
    for rc in sorted(os.listdir(rc_dir)) if os.path.isdir(rc_dir) else []:
        if rc.upper().endswith(".RC"):
            images, rc_pairs = rc_image_names(os.path.join(rc_dir, rc))
            for n in images:
                wanted.setdefault(n, "RC/" + rc)
            for p in rc_pairs:
                pairs.setdefault(p, "RC/" + rc)
    for (image, mask), who in sorted(pairs.items()):
        wanted.setdefault(image, who)
        wanted.setdefault(mask, who)
        if image in sizes and mask in sizes and sizes[image] != sizes[mask]:
            problems.append("%s: mask %s has another size" % (image, mask))
    for n, who in sorted(wanted.items()):
        if n not in names:
            problems.append("missing image %s (looked up by %s)" % (n, who))
    if not os.path.exists(os.path.join(data_dir, FONT)):
        problems.append("missing font %s (run with --font)" % FONT)
    return problems, len(wanted)


def check(data_dir, icons_dir=ICONS):
    """Prints every problem found with the written files; returns their number."""
    problems, wanted = find_problems(data_dir)
    problems += icon_problems(icons_dir)
    for p in problems:
        print("art check: " + p)
    print("art check: %d names looked up, %d problems" % (wanted, len(problems)))
    return len(problems)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="only check the written files")
    parser.add_argument("--font", action="store_true", help="also fetch the font package")
    parser.add_argument("--data", default=DATA, help="data directory (default: data/)")
    args = parser.parse_args()
    if not args.check:
        for sub in ("grfx", "RC", "Fonts"):
            os.makedirs(os.path.join(args.data, sub), exist_ok=True)
        if args.font:
            fetch_font(args.data)
        build_archive().write(args.data)
        write_demo_rc(args.data)
        for panel in panel_layouts.all_panels():
            panel.write(args.data)
        write_icons(ICONS)
    return 1 if check(args.data) else 0


if __name__ == "__main__":
    sys.exit(main())
