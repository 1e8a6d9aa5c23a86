#!/usr/bin/env python3
"""Writes the equal-work pair of the Pure Data comparison: VOICES_32_ACTIVE.QSY
and its twin voices32_active.pd with its voice abstraction voice_active~.pd, next to
this script. Run it again after changing a voice; the files are kept in git so
the comparison needs no Python.

Each of the 32 voices is a sine at amplitude 0.8, an envelope retriggered
8 times a second (attack 5 ms, then a fall towards 0 over 250 ms), and a
low-pass biquad whose filter is switched on (BYPASS=0), averaged 16 by 16 and
then the two averages averaged. Pure Data's biquad~ gets the coefficients our
filter computes for the same cut-off and Q, worked out below in the same
order of double-precision operations as compute_coefficients() in
src/synth/pcf.cpp.
"""
import math
import os

VOICES = 32
PER_MIXER = 16
STEPS_PER_SECOND = 8
AMPLITUDE = 0.8
ATTACK_MS = 5
DECAY_MS = 250
Q = 1.5
RATE = 44100.0
TWO_PI = 6.283185307179586  # the filter's own constant


def frequency(voice):
    """The sine of voice 0 .. 31, a semitone apart from 55 Hz."""
    return 55.0 * 2.0 ** (voice / 12.0)


def cut_off(voice):
    return 660 + 60 * voice


def low_pass(freq, q):
    """Pure Data's biquad~ arguments (fb1 fb2 ff1 ff2 ff3) for our low-pass
    at 0 dB: the feedback terms are the negated a1/a0 and a2/a0."""
    w = freq * TWO_PI / RATE
    sn, cs = math.sin(w), math.cos(w)
    alpha = sn / (2.0 * q)
    a0, a1, a2 = 1.0 + alpha, -2.0 * cs, 1.0 - alpha
    b1 = 1.0 - cs
    b0 = b2 = b1 * 0.5
    r = 1.0 / a0
    return [-(a1 * r), -(a2 * r), b0 * r, b1 * r, b2 * r]


def bus(voice):
    return "bus%d" % (voice // PER_MIXER)


def mixer(voice):
    return "MIXER_%s" % "AB"[voice // PER_MIXER]


def qsy_patch():
    name = lambda kind, v: "%s_V%02d" % (kind, v + 1)
    lines = [
        "#Equal-work_load_for_the_Pure_Data_comparison:_32_voices,_each_a_sine,_an_envelope"
        "_amplifier_gated_by_one_sequencer_and_a_low-pass_filter_switched_on,_mixed_16_by_16"
        "_into_two_mixers_that_feed_MIXER_4",
        "BEGIN_OBJECTS_DECLARE",
        "",
        "MIXER_4;;",
        "MIXER_A;;",
        "MIXER_B;;",
        "SEQUENCER_1;DIVIDER=%d;NBR_STEP=8;" % STEPS_PER_SECOND,
    ]
    for v in range(VOICES):
        lines += [
            "%s;TYPE=1;FREQ=%f;AMOUNT=%.2f;PHASE=0;" % (name("VCO", v), frequency(v), AMPLITUDE),
            "%s;ATTACK=%d;DECAY=%d;SUSTAIN=0;RELEASE=80;INVERT=0;"
            % (name("VCA", v), ATTACK_MS, DECAY_MS),
            "%s;HICUT=%d;Q=%f;GAIN=0;TYPE=1;BYPASS=0;" % (name("PCF", v), cut_off(v), Q),
        ]
    lines += ["", "END_OBJECTS_DECLARE", "", "BEGIN_LINKS_DECLARE"]
    for v in range(VOICES):
        lines += [
            "%s;IN=%s;GATE=SEQUENCER_1;" % (name("VCA", v), name("VCO", v)),
            "%s;IN=%s;" % (name("PCF", v), name("VCA", v)),
        ]
    for m in "AB":
        channels = [name("PCF", v) for v in range(VOICES) if mixer(v) == "MIXER_" + m]
        lines.append("MIXER_%s;" % m + "".join("ADD_CHANELL=%s;" % c for c in channels))
    lines += ["MIXER_4;ADD_CHANELL=MIXER_A;ADD_CHANELL=MIXER_B;", "", "OUTPUT_1;MIXER_4;",
              "END_LINKS_DECLARE"]
    return "\n".join(lines) + "\n"


def pd_patch():
    """The main canvas: the render control of voices32.pd, then one
    voice_active~ per voice."""
    objects = [
        "#X text 20 10 The equal-work twin of VOICES_32_ACTIVE.QSY \\, written by "
        "make_voices32_active.py: 32 voices \\, each a sine \\, an envelope and a low-pass "
        "biquad~ with our filter's coefficients \\, summed 16 by 16 on two buses and scaled "
        "by 1/32 as our mixers average. Start with -send \"pd dsp 1\" -send \"bench-render "
        "FILE SECONDS\": it writes SECONDS of 16-bit sound into FILE and quits.",
        "#X obj 20 60 r bench-render",
        "#X obj 20 90 unpack s f",
        "#X msg 20 120 open \\$1 \\, start",
        "#X obj 200 120 * 1000",
        "#X obj 200 150 delay",
        "#X msg 200 180 stop \\, \\; pd quit",
        "#X obj 20 300 writesf~ 1",
        "#X obj 20 200 catch~ bus0",
        "#X obj 120 200 catch~ bus1",
        "#X obj 20 230 +~",
        "#X obj 20 260 *~ %.7g" % (1.0 / VOICES),
        "#X obj 400 60 loadbang",
        "#X obj 400 120 metro %g" % (1000.0 / STEPS_PER_SECOND),
        "#X obj 400 150 s bench-step",
        # Our sequencer fires its first step one step period after the start.
        "#X obj 400 90 delay %g" % (1000.0 / STEPS_PER_SECOND),
    ]
    for v in range(VOICES):
        x, y = 20 + 300 * (v % 3), 360 + 40 * (v // 3)
        coefficients = " ".join("%.9g" % c for c in low_pass(cut_off(v), Q))
        objects.append("#X obj %d %d voice_active~ %.9g %s %s"
                       % (x, y, frequency(v), coefficients, bus(v)))
    connections = [(1, 0, 2, 0), (2, 0, 3, 0), (2, 1, 4, 0), (3, 0, 7, 0), (4, 0, 5, 0),
                   (5, 0, 6, 0), (6, 0, 7, 0), (8, 0, 10, 0), (9, 0, 10, 1), (10, 0, 11, 0),
                   (11, 0, 7, 0), (12, 0, 15, 0), (15, 0, 13, 0), (13, 0, 14, 0)]
    lines = ["#N canvas 0 0 960 1000 12;"] + [o + ";" for o in objects]
    lines += ["#X connect %d %d %d %d;" % c for c in connections]
    return "\n".join(lines) + "\n"


def pd_voice():
    """One voice: the sine's amplitude rides on the envelope's peak, so the
    voice is the four objects osc~, vline~, *~ and biquad~ into its bus."""
    objects = [
        "#X text 20 10 One voice of voices32_active.pd \\, written by make_voices32_active.py: "
        "arguments frequency in Hz \\, the five biquad~ coefficients \\, mix bus. A sine \\, "
        "an envelope that every bench-step restarts from 0 \\, a low-pass biquad~ \\, into "
        "the bus.",
        "#X obj 20 80 osc~ \\$1",
        "#X obj 200 80 r bench-step",
        "#X msg 200 110 0 \\, %g %d \\, 0 %d %d" % (AMPLITUDE, ATTACK_MS, DECAY_MS, ATTACK_MS),
        "#X obj 200 140 vline~",
        "#X obj 20 170 *~",
        "#X obj 20 200 biquad~ \\$2 \\$3 \\$4 \\$5 \\$6",
        "#X obj 20 230 throw~ \\$7",
    ]
    connections = [(1, 0, 5, 0), (2, 0, 3, 0), (3, 0, 4, 0), (4, 0, 5, 1), (5, 0, 6, 0),
                   (6, 0, 7, 0)]
    lines = ["#N canvas 0 0 640 300 12;"] + [o + ";" for o in objects]
    lines += ["#X connect %d %d %d %d;" % c for c in connections]
    return "\n".join(lines) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, text in (("VOICES_32_ACTIVE.QSY", qsy_patch()),
                       ("voices32_active.pd", pd_patch()),
                       ("voice_active~.pd", pd_voice())):
        with open(os.path.join(here, name), "w") as f:
            f.write(text)


if __name__ == "__main__":
    main()
