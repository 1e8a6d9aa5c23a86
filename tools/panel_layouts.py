"""The layouts of the module panels: front view (controls) and back view
(sockets) of each module type. Element names are the ones the panel code and
the cable model look up; the panel code adds the mixer's channel strips and the
sequencer's step columns itself, at the places mirrored here as Reserved so
that nothing else is put there.
"""

from panel_art import (BLACK_TEXT, LCD, Button, CodeText, Group, Jack, Knob, Legend,
                       OutputField, Panel, Picture, Reserved, Text, Title, Window, power_switch,
                       text_width)

GREY_STRIP = (150, 150, 142)   # under labels that turn from black to white (grey)


def top_row(title, name_from, name_to, power_x=None):
    """The type engraved large, the module's name on a cream strip, and the
    power switch at the right end."""
    items = [Title(title, 12, 4),
             Text("label_NAME", "NAME", name_from + 3, 8, min(32, (name_to - name_from - 5) // 4),
                  BLACK_TEXT, "strip")]
    if power_x is not None:
        items += [Legend("ON", power_x - 12, 9), power_switch(power_x, 4)]
    return items


def knob_cell(word, legend, cx, top, value_chars, image="SLD", size=16):
    """A knob with its legend above and its value below, centred on cx."""
    value_x = cx - text_width("0" * value_chars) // 2
    return [Legend(legend, cx, top, centre=True),
            Knob("SLD_" + word, cx - size // 2, top + 10, image, size),
            Text("LABEL_" + word, "0", value_x, top + 10 + size + 8, value_chars)]


def arrows(up_name, down_name, x, y):
    return [Button(up_name, x, y, "ARROWUP_0", "ARROWUP_0", "ARROWUP_1"),
            Button(down_name, x, y + 18, "ARROWDOWN_0", "ARROWDOWN_0", "ARROWDOWN_1")]


def jacks(specs, y):
    """Sockets in a row: (name, legend, x, output)."""
    return [Jack(name, x, y, legend, output) for name, legend, x, output in specs]


# ---------------------------------------------------------------- keyboard

def keyboard():
    front = top_row("KEY", 44, 86) + [
        Legend("ON", 22, 38, centre=True), power_switch(14, 48),
        Group(36, 32, 50, 42, "OCTAVE"),
        Picture("SPRITE_OCT", "LED_NUMERIC_1_4", 48, 46, 8, 16, zoom=2.0),
    ] + arrows("BUTTON_OCT_UP", "BUTTON_OCT_DOWN", 64, 36)
    back = top_row("KEY", 44, 86) + [
        OutputField(10, 30, 76, 40),
    ] + jacks([("OUTPUT", "OUT", 16, True), ("OUTPUT_GATE", "GATE", 40, True),
               ("OUTPUT_SYNC", "SYNC", 64, True)], 36)
    return Panel("KEYBOARD", (96, 80), 31, front, back, "KEYBOARD")


# ---------------------------------------------------------------- oscillator

def oscillator():
    front = top_row("VCO", 44, 150, power_x=168) + [
        Group(8, 28, 74, 44, "WAVE"),
        Picture("AFFICHAGE_TYPE_ONDE", "DISP_SIN", 13, 35, 64, 32),
        Group(90, 28, 94, 44, "FREQUENCY"),
        Knob("SLD_FREQUENCE", 98, 35, "SLD_LARGE", 32),
        Text("LABEL_FREQUENCE", "0", 139, 50, 9),
        Legend("HZ", 170, 36),
    ] + knob_cell("VOLUME", "AMP", 36, 78, 5) + knob_cell("PHASE", "PHASE", 96, 78, 5) \
      + knob_cell("PWM", "PWM", 156, 78, 5)
    back = top_row("VCO", 44, 184) + [
        Group(8, 30, 112, 42, "CONTROL"),
        OutputField(136, 30, 48, 42),
        Group(10, 80, 172, 40, "MODULATION"),
    ] + jacks([("INPUT", "IN", 20, False), ("INPUT_GATE", "GATE", 56, False),
               ("INPUT_SYNC", "SYNC", 92, False), ("OUTPUT", "OUT", 152, True)], 38) \
      + jacks([("INPUT_MOD_FREQ", "FM", 24, False), ("INPUT_MOD_AMP", "AM", 68, False),
               ("INPUT_MOD_PHASE", "PM", 112, False), ("INPUT_MOD_PWM", "PWM", 156, False)], 88)
    return Panel("VCO", (192, 128), 21, front, back, "OSCILLATOR")


# ---------------------------------------------------------------- amplifier

def amplifier():
    stages = [("ATTACK", 41), ("DECAY", 99), ("SUSTAIN", 157), ("RELEASE", 215)]
    front = top_row("VCA", 44, 212, power_x=232) + [Group(12, 26, 232, 48, "ENVELOPE")]
    for word, cx in stages:
        front += knob_cell(word, word, cx, 31, 6)
    back = top_row("VCA", 44, 244) + [
        Group(12, 30, 100, 42, "INPUTS"),
        OutputField(196, 30, 48, 42),
    ] + jacks([("INPUT", "IN", 28, False), ("INPUT_GATE", "GATE", 72, False),
               ("OUTPUT", "OUT", 212, True)], 38)
    return Panel("VCA", (256, 80), 41, front, back, "AMPLIFIER")


# ---------------------------------------------------------------- sampler

def sampler():
    """The recording's file on a display with the pad that changes it, the
    volume and tune knobs; at the back the oscillator's inputs."""
    front = top_row("SMP", 44, 212, power_x=232) + [
        Group(12, 26, 144, 48, "RECORDING"),
        Text("LABEL_FILE", "-", 20, 40, 28),
        Pad("BUTTON_FILE", 20, 53, "F"),
        Legend("CHOOSE A FILE", 42, 58),
        Group(164, 26, 84, 48, "PLAY"),
    ] + knob_cell("VOLUME", "VOLUME", 186, 31, 5) + knob_cell("TUNE", "TUNE", 226, 31, 5)
    back = top_row("SMP", 44, 244) + [
        Group(8, 30, 100, 42, "CONTROL"),
        Group(116, 30, 100, 42, "MODULATION"),
        OutputField(224, 30, 28, 42),
    ] + jacks([("INPUT", "IN", 18, False), ("INPUT_GATE", "GATE", 50, False),
               ("INPUT_SYNC", "SYNC", 82, False), ("INPUT_MOD_FREQ", "FM", 126, False),
               ("INPUT_MOD_AMP", "AM", 158, False), ("INPUT_MOD_PHASE", "PM", 190, False),
               ("OUTPUT", "OUT", 230, True)], 38)
    return Panel("SAMPLER", (256, 80), 35, front, back, "SAMPLE PLAYER")


# ---------------------------------------------------------------- filter

def filter_():
    front = top_row("VCF", 44, 116) + [
        Legend("BYP", 122, 9),
        Button("BYPASS", 137, 4, "CHK_4_OFF", "CHK_4_ON"),
        Legend("ON", 156, 9), power_switch(166, 4),
        Picture("AFFICHAGE_TYPE_FILTRE", "DISP_FILTRE_LOWPASS", 12, 26, 64, 32),
        Text("LABEL_TYPE", "0", 15, 66, 9),
    ]
    for word, legend, cx, chars in (("HICUTOFF", "CUT", 96, 5), ("QRATIO", "Q", 122, 4),
                                    ("GAIN", "GAIN", 148, 5), ("LEVEL", "LEVEL", 172, 4)):
        front += knob_cell(word, legend, cx, 28, chars)
    back = top_row("VCF", 44, 184) + [
        Group(8, 30, 70, 40, "INPUTS"),
        Group(84, 30, 70, 40, "MOD"),
        OutputField(160, 30, 26, 40),
    ] + jacks([("INPUT", "IN", 12, False), ("INPUT_GATE", "GATE", 35, False),
               ("INPUT_SYNC", "SYNC", 58, False), ("INPUT_MOD_FREQ", "FM", 88, False),
               ("INPUT_MOD_AMP", "AM", 111, False), ("INPUT_MOD_PHASE", "PM", 134, False),
               ("OUTPUT", "OUT", 165, True)], 38)
    return Panel("VCF", (192, 80), 51, front, back, "FILTER")


# ---------------------------------------------------------------- mixer

# The channel strips the mixer panel builds: 3 columns of 7, number label,
# mute button and knob (both at three-quarter size) and gain label.
STRIP_COLUMNS, STRIP_ROWS, STRIP_PITCH_X, STRIP_PITCH_Y = 3, 7, 90, 18


def mixer_strips():
    items = []
    for c in range(STRIP_COLUMNS):
        x = STRIP_PITCH_X * c
        items += [Legend("CH", x + 20, 56), Legend("MUTE", x + 42, 56, centre=True),
                  Legend("GAIN", x + 70, 56, centre=True)]
        for r in range(STRIP_ROWS):
            y = STRIP_PITCH_Y * r
            items += [Window(x + 19, y + 70, 14, 11, (226, 221, 201), radius=1),
                      Window(x + 69, y + 70, 21, 11, (226, 221, 201), radius=1),
                      Reserved(x + 22, y + 72, 8, 7),      # channel number
                      Reserved(x + 34, y + 70, 12, 12),    # mute button
                      Reserved(x + 52, y + 69, 12, 12),    # gain knob
                      Reserved(x + 72, y + 72, 16, 7)]     # gain
    return items


def mixer():
    front = top_row("MIXER", 60, 228, power_x=248) + mixer_strips()
    back = top_row("MIXER", 60, 260) + [Group(8, 30, 216, 160, "INPUTS"),
                                        OutputField(232, 30, 32, 42)]
    back += [Jack("INPUT_%d" % (n + 1), 16 + 36 * (n % 6), 38 + 38 * (n // 6), str(n + 1))
             for n in range(24)]
    back += jacks([("OUTPUT", "OUT", 240, True)], 38)
    return Panel("MIXER", (272, 208), 61, front, back, "21 CHANNELS")


# ---------------------------------------------------------------- sequencer

# The step columns the sequencer panel builds: step i is 20 pixels right of
# step i - 1, from these places (the bypass button is drawn at 1.4 times).
STEP_PITCH = 20
STEP_ELEMENTS = [(65, 5, 8, 8), (63, 13, 11, 11), (65, 27, 8, 8), (61, 36, 17, 16),
                 (65, 53, 8, 8), (65, 64, 8, 8), (61, 73, 17, 16), (65, 91, 8, 8),
                 (62, 106, 16, 16), (62, 124, 16, 7), (62, 136, 16, 16), (62, 154, 16, 7)]


def step_columns():
    items = [Legend(word, 12, y) for word, y in
             (("STEP", 6), ("SKIP", 17), ("OCT", 41), ("NOTE", 78), ("VOL", 111), ("LEN", 141))]
    for i in range(32):
        x = STEP_PITCH * i
        for y in (36, 73):                                 # under the blended digits
            items += [Window(x + 61, y, 8, 16, (255, 255, 255)),
                      Window(x + 70, y, 8, 16, (255, 255, 255))]
        items += [Window(x + 61, 122, 19, 11, GREY_STRIP), Window(x + 61, 152, 19, 11, GREY_STRIP),
                  Legend(str(i + 1), x + 70, 166, centre=True)]
        items += [Reserved(x + ex, ey, ew, eh) for ex, ey, ew, eh in STEP_ELEMENTS]
    return items


class Pad(Button):
    """A square key with a see-through middle, where the plate shows the
    mark engraved under it."""

    def __init__(self, name, x, y, mark):
        Button.__init__(self, name, x, y, "PAD_0", "PAD_0", "PAD_1")
        self.mark = mark

    def decorate(self, canvas):
        canvas.text(self.mark, self.x + 8, self.y + 5, centre=True)


def PatternPad(number, x, y):
    """A key choosing the next pattern, its number under it."""
    return Pad("BUTTON_PATTERN_%d" % number, x, y, str(number))


def sequencer():
    front = step_columns() + [
        Text("label_NAME", "NAME", 15, 183, 24, BLACK_TEXT, "strip"),
        Legend("ON", 124, 184), power_switch(136, 179),
        Title("SEQ", 12, 197),
        Group(162, 178, 294, 40, "PATTERN"),
    ]
    front += [PatternPad(16 * row + k, 167 + 18 * k, 181 + 18 * row)
              for row in range(2) for k in range(16)]
    front += [Group(464, 178, 124, 40, "DIVIDER"),
              Legend("NOW", 470, 186), Text("LABEL_DIVIDER", "0", 492, 186, 7),
              Legend("NEXT", 470, 204), Text("LABEL_WISHED_DIVIDER", "0", 492, 204, 7),
              Legend("/2", 553, 186), Legend("X2", 553, 204)]
    front += arrows("BUTTON_DIVIDER_UP", "BUTTON_DIVIDER_DOWN", 530, 181)
    front += [Group(598, 178, 110, 40, "STEPS"),
              Text("LABEL_MAX_STEP", "0", 612, 195, 2),
              Legend("+1", 654, 186), Legend("-1", 654, 204)]
    front += arrows("BUTTON_MAX_STEP_UP", "BUTTON_MAX_STEP_DOWN", 632, 181)
    back = [Text("label_NAME", "NAME", 15, 8, 24, BLACK_TEXT, "strip"),
            Title("STEP SEQUENCER", 12, 24),
            Group(12, 60, 48, 46, "INPUT"),
            OutputField(72, 60, 96, 46)]
    back += jacks([("INPUT_SYNC", "SYNC", 28, False), ("OUTPUT", "OUT", 80, True),
                   ("OUTPUT_GATE", "GATE", 112, True), ("OUTPUT_SYNC", "SYNC", 144, True)], 68)
    return Panel("SEQUENCEUR", (720, 224), 71, front, back, "STEP SEQUENCER")


# ---------------------------------------------------------------- dashboards

# Where the main program puts the dashboards on the work area.
DASHBOARD_PLACES = {"DASH": (50, 450), "SYSTEM_DASH": (75, 575), "MODULE_DASH": (475, 475)}


def information_dashboard():
    """The panel under the pointer: its module, type and view mode, in the
    three labels that the dashboard's code makes at x 80; the pad that
    removes that module."""
    front = [Title("INFO", 12, 4),
             Legend("MODULE", 12, 25), CodeText("CIBLE_NAME", "", 80, 25, 40),
             Legend("TYPE", 12, 45), CodeText("LABEL_TYPE", "", 80, 45, 12, BLACK_TEXT, "strip"),
             Legend("VIEW", 12, 65), CodeText("LABEL_VM", "", 80, 65, 9, BLACK_TEXT, "strip"),
             Legend("1 FRONT 2 COMPACT 4 BACK", 126, 65),
             Pad("BUTTON_DEL", 252, 22, "X"), Legend("DEL", 260, 42, centre=True)]
    return Panel("DASH", (288, 80), 81, front, face_line="MODULE UNDER THE POINTER")


# The system dashboard's pads, in order: the word its button is named with
# (the order the dashboard's code runs on its release), the caption under it
# and the mark on the key. Adding a pad is adding a line here; every
# SYSTEM_PADS_PER_ROW pads the plate grows a row.
SYSTEM_PADS = [("LOAD", "LOAD", "L"), ("SAVE", "SAVE", "S"), ("FILS", "CABLES", "C"),
               ("HELP", "HELP", "?"), ("NEW", "NEW", "N"), ("ADD", "ADD", "+"),
               ("REC", "REC", "R"), ("CLOCK", "CLOCK", "M")]
SYSTEM_PADS_PER_ROW, SYSTEM_PAD_PITCH, SYSTEM_PAD_ROW_H = 4, 44, 32


def system_dashboard():
    """Load a patch, save the patch, switch to the cables and back, the help,
    a new patch, a module added, recording, following the MIDI clock; the
    load of the sound, the time recorded and the clock's tempo, as the code
    writes them."""
    rows = -(-len(SYSTEM_PADS) // SYSTEM_PADS_PER_ROW)
    under_pads = 28 + SYSTEM_PAD_ROW_H * rows
    front = [Title("SYSTEM", 12, 4), Legend("LOAD", 112, 9),
             Text("LABEL_CPU_SHARE", "0%", 136, 8, 6),
             Text("LABEL_TAKE_TIME", "-", 22, under_pads, 6),
             Text("LABEL_TEMPO", "-", 100, under_pads, 10)]
    for k, (word, caption, mark) in enumerate(SYSTEM_PADS):
        cx = 30 + SYSTEM_PAD_PITCH * (k % SYSTEM_PADS_PER_ROW)
        y = 24 + SYSTEM_PAD_ROW_H * (k // SYSTEM_PADS_PER_ROW)
        front += [Pad("BUTTON_" + word, cx - 8, y, mark), Legend(caption, cx, y + 20, centre=True)]
    return Panel("SYSTEM_DASH", (192, under_pads + 16), 83, front)


# The KEYS dashboard's lines: label slots, column after column, into which its
# code writes the front view's keys from the help table of the views
# (src/ui/views/key_help.h): the key in amber, its word in the legends' colour.
KEY_SLOT_COLUMNS, KEY_SLOT_ROWS, KEY_SLOT_PITCH_X, KEY_SLOT_PITCH_Y = 2, 6, 84, 10
KEY_CHARS, KEY_WORD_X, KEY_WORD_CHARS = 6, 28, 13
AMBER_TEXT, LEGEND_TEXT = 0xFFB030, 0xECEAE0


def module_dashboard():
    """A plain plate with slots for the keys of the front view."""
    front = [Title("KEYS", 12, 4), Group(8, 26, 176, 68, "FRONT VIEW")]
    for n in range(KEY_SLOT_COLUMNS * KEY_SLOT_ROWS):
        x = 16 + KEY_SLOT_PITCH_X * (n // KEY_SLOT_ROWS)
        y = 33 + KEY_SLOT_PITCH_Y * (n % KEY_SLOT_ROWS)
        front += [Text("LABEL_KEY_%d" % n, "-", x, y, KEY_CHARS, AMBER_TEXT, backing=None),
                  Text("LABEL_WORD_%d" % n, "-", x + KEY_WORD_X, y, KEY_WORD_CHARS, LEGEND_TEXT,
                       backing=None)]
    return Panel("MODULE_DASH", (192, 96), 85, front, face_line="THE KEYS")


# ---------------------------------------------------------------- load dialog

# The rows of names that the dialog's code writes: row r at (150, 50 + 16 r),
# 32 characters each, with the scroll buttons beside them.
LOAD_ROWS, LOAD_ROW_X, LOAD_ROW_Y, LOAD_ROW_PITCH, LOAD_ROW_CHARS = 10, 150, 50, 16, 32


def load_dialog():
    """The patch load dialog: ten names of QSY/ on a display, the buttons that
    scroll them, how to use it, and a line for what went wrong."""
    width = text_width("0" * LOAD_ROW_CHARS)
    bottom = LOAD_ROW_Y + LOAD_ROW_PITCH * (LOAD_ROWS - 1)
    front = [Title("LOAD", 12, 4), Legend("PATCHES IN QSY/", LOAD_ROW_X, 30),
             Window(LOAD_ROW_X - 6, LOAD_ROW_Y - 8, width + 12, bottom - LOAD_ROW_Y + 22, LCD,
                    radius=2)]
    front += [Reserved(LOAD_ROW_X, LOAD_ROW_Y + LOAD_ROW_PITCH * r - 1, width, 7)
              for r in range(LOAD_ROWS)]
    front += [Button("BUTTON_OCT_UP", 296, LOAD_ROW_Y - 6, "ARROWUP_0", "ARROWUP_0", "ARROWUP_1"),
              Button("BUTTON_OCT_DOWN", 296, bottom - 6, "ARROWDOWN_0", "ARROWDOWN_0",
                     "ARROWDOWN_1")]
    for k, line in enumerate(("CLICK A NAME", "TO LOAD IT", "", "HOLD AN ARROW", "TO SCROLL",
                              "", "ESCAPE OR A", "CLICK OUTSIDE", "CANCELS")):
        if line:
            front.append(Legend(line, 12, 56 + 10 * k))
    front.append(Text("LABEL_MESSAGE", "-", 12, 222, 74, AMBER_TEXT))
    return Panel("LOAD", (320, 240), 91, front)


def all_panels():
    return [keyboard(), oscillator(), amplifier(), filter_(), mixer(), sequencer(), sampler(),
            information_dashboard(), system_dashboard(), module_dashboard(), load_dialog()]
