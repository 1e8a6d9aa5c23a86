"""A patch built from nothing in the window, with real X input: Ctrl+N
empties the patch, right clicks on empty space of the back view add an
oscillator, an envelope amplifier and a step sequencer from the module
browser, cables dragged from free sockets join them (oscillator to amplifier
to MIXER_4, the sequencer's gate to the amplifier), knobs shape the envelope
and shorten four steps, and the patch is saved; rendered offline, the file
sounds at the oscillator's pitch in the sequencer's rhythm."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import free_port, main, run  # noqa: E402
from wav_stats import Sound, frequency  # noqa: E402
from window_support import BROWSER_ROWS, PrivateDisplay, Window, data_copy  # noqa: E402

START = ("BEGIN_OBJECTS_DECLARE\nVCO_A;TYPE=3;FREQ=440;AMOUNT=0.5;PHASE=0;\nMIXER_4;;\n"
         "END_OBJECTS_DECLARE\nBEGIN_LINKS_DECLARE\nMIXER_4;ADD_CHANELL=VCO_A;\n"
         "END_LINKS_DECLARE\n")

# Where the new panels go (their top-left corners, at the right clicks) and
# the module browser's rows (oscillator first); the empty patch's MIXER_4
# stands at (0, 50). Sockets are 16 x 16 at their places in RC/BACK_*.RC,
# knobs 16 x 16 at theirs in RC/*.RC.
VCO_AT, VCA_AT, SEQ_AT = (320, 40), (320, 200), (20, 420)


def at(panel, x, y):
    return (panel[0] + x + 8, panel[1] + y + 8)


VCO_OUTPUT = at(VCO_AT, 152, 38)
VCA_INPUT, VCA_GATE, VCA_OUTPUT = at(VCA_AT, 28, 38), at(VCA_AT, 72, 38), at(VCA_AT, 212, 38)
SEQ_GATE = at(SEQ_AT, 112, 68)
MIXER_INPUT_1 = at((0, 50), 16, 38)
ATTACK, RELEASE = at(VCA_AT, 33, 41), at(VCA_AT, 207, 41)
LENGTHS = [at(SEQ_AT, 62 + 20 * step, 136) for step in range(4)]

def label(knob, dy):
    """The value label under a knob's centre."""
    return (knob[0] - 14, knob[1] + dy - 6, 28, 12)


def turn(w, knob, pixels, label):
    """A knob dragged down by pixels, in moves of at most 199 (the program
    holds the pointer at the press), the button released back at the press;
    then the value label of the knob changed."""
    before = w.shot()
    w.point(*knob)
    w.xdo("mousedown", "1")
    while pixels > 0:
        w.xdo("mousemove", "--window", w.id, str(knob[0]), str(knob[1] + min(pixels, 199)))
        w.wait_for("the pointer held", lambda p: w.pointer() == knob)
        pixels -= 199
    w.xdo("mouseup", "1")
    w.wait_changed("the knob's new value", before, label)


def windows(sound, seconds):
    """The peak of each window of the left channel, as a fraction of full scale."""
    n = int(44100 * seconds)
    return [max(abs(v) for v in sound.left[i:i + n]) / 32767
            for i in range(0, len(sound.left) - n + 1, n)]


def test_a_patch_built_from_nothing_saves_and_sounds(args, tmp):
    work = data_copy(args.data, tmp, {"START.QSY": START})
    with PrivateDisplay() as display:
        w = Window(args.exe, work, "QSY/START.QSY", free_port(), env=display.env)
        try:
            w.point(600, 700)
            w.key("ctrl+n")
            w.wait_for("the empty patch", lambda p: w.title() == "untitled")
            before = w.shot()
            w.key("F6")
            w.wait_changed("the back view", before, (0, 50, 272, 208))
            for place, kind in ((VCO_AT, "oscillator"), (VCA_AT, "amplifier"),
                                (SEQ_AT, "sequencer")):
                w.add_module(place, BROWSER_ROWS[kind])
            for start, end in ((VCO_OUTPUT, VCA_INPUT), (VCA_OUTPUT, MIXER_INPUT_1),
                               (SEQ_GATE, VCA_GATE)):
                w.drag_cable(start, end)
            before = w.shot()
            w.point(600, 700)
            w.key("F6")
            w.wait_changed("the front view", before, (320, 200, 256, 80))
            # A knob turns one step a pixel, the pointer held at the press:
            # 995 ms off the attack's 1000, 950 off the release's.
            turn(w, ATTACK, 995, label(ATTACK, 24))
            turn(w, RELEASE, 950, label(RELEASE, 24))
            for length in LENGTHS:  # a pixel down halves a step's length
                turn(w, length, 1, label(length, 19))
            w.save_as("BUILT.QSY")
            saved = w.wait_file(os.path.join(work, "QSY", "BUILT.QSY"), "END_PATTERNS_DECLARE")
            assert w.quit() == 0
        finally:
            w.kill()
    links = saved[saved.index("BEGIN_LINKS_DECLARE"):]
    for line in ("VCA_1;IN=VCO_1;GATE=SEQUENCER_1;", "MIXER_4;ADD_CHANELL=VCA_1;"):
        assert line in links, links
    assert "VCA_1;ATTACK=5.000000;DECAY=1000.000000;SUSTAIN=1.000000;RELEASE=50.000000;" \
        in saved, saved

    out = os.path.join(tmp, "built.wav")
    r = run(["--render", out, "--seconds", "4", "QSY/BUILT.QSY"], args.exe, work)
    assert r.returncode == 0, r
    sound = Sound(out)
    print("  built patch: %s" % sound.describe())
    hz = frequency(sound.left[3 * 44100:])  # the last second: the steps at full length
    assert abs(hz - 110) < 110 * 0.02, hz
    # Two steps a second, the first four sounding half their length: a
    # quarter second of sound, a quarter of silence, four times, then sound.
    loud = [peak > 0.5 for peak in windows(sound, 0.05)]
    pattern = "".join("#" if x else "." for x in loud)
    print("  rhythm (50 ms windows): " + pattern)
    starts = [i for i in range(1, len(loud)) if loud[i] and not loud[i - 1]]
    assert len(starts) >= 4, pattern
    assert all(abs((b - a) - 10) <= 1 for a, b in zip(starts, starts[1:4])), pattern


if __name__ == "__main__":
    main([test_a_patch_built_from_nothing_saves_and_sounds])
