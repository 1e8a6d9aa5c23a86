"""The sequencers on the MIDI clock over a private JACK server: a test client
sends Start, pulses at 120 BPM, Stop, Continue and pulses at 140 BPM to the
program started with --midi-clock, and records a square wave gated by a
sequencer with a divider of 1 (a step each sixteenth note, 6 pulses)."""
import bisect
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import main, write_patch  # noqa: E402
from jack_support import JackServer, TestClient, play_on_jack  # noqa: E402

START, CONTINUE, STOP = 0xFA, 0xFB, 0xFC
PERIOD = 64  # the server's period: one sub-block
PULSES_A_STEP = 6

# Half-length steps of a square wave: silence between the steps, so that each
# step's onset is the first loud frame after a quiet stretch.
CLOCK_PATCH = """#CLOCK:_a_sequencer_gating_a_square_wave
BEGIN_OBJECTS_DECLARE
SEQUENCER_1;DIVIDER=1;NBR_STEP=4;%s
VCO_1;TYPE=4;FREQ=44.000000;AMOUNT=0.80;PHASE=0;
VCA_1;ATTACK=0;DECAY=10;SUSTAIN=1;RELEASE=0;INVERT=0;
MIXER_4;;
END_OBJECTS_DECLARE
BEGIN_LINKS_DECLARE
VCO_1;IN=SEQUENCER_1;
VCA_1;IN=VCO_1;GATE=SEQUENCER_1;
MIXER_4;ADD_CHANELL=VCA_1;
OUTPUT_1;MIXER_4;
END_LINKS_DECLARE
""" % "".join("NOTE_000_%03d=60;LENGHT_000_%03d=0.500;" % (s, s) for s in range(4))


def onsets(first, samples):
    """Frame times of the first loud frame after at least 500 quiet ones."""
    found, quiet = [], 0
    for i, v in enumerate(samples):
        if abs(v) > 0.05:
            if quiet >= 500:
                found.append(first + i)
            quiet = 0
        else:
            quiet += 1
    return found


def steps_follow_pulses(tester, bpm, seconds, lateness):
    """Runs the clock at bpm for seconds; each step's onset comes after the
    pulse before it (every sixth pulse) as late as `lateness` (or the first
    step's) within a sub-block. Returns that lateness."""
    tester.pulses = []
    tester.clock(bpm)
    first, samples = tester.record(seconds)
    pulses = tester.pulses
    found = [t for t in onsets(first, samples) if t >= pulses[0]]
    step = PULSES_A_STEP * tester.client.samplerate * 60.0 / (24 * bpm)
    assert len(found) >= 8 and first + len(samples) - found[-1] < step + PERIOD, (bpm, found)
    which = [bisect.bisect_right(pulses, t) - 1 for t in found]
    assert all(b - a == PULSES_A_STEP for a, b in zip(which, which[1:])), (bpm, which)
    late = [t - pulses[k] for t, k in zip(found, which)]
    lateness = late[0] if lateness is None else lateness
    assert all(abs(d - lateness) <= PERIOD for d in late), (bpm, late)
    return lateness


def test_steps_follow_start_stop_continue_and_the_tempo(args, tmp):
    patch = write_patch(tmp, "CLOCK.QSY", CLOCK_PATCH)
    with JackServer(period=PERIOD) as server:
        tester = TestClient(server)
        s = None
        try:
            s = play_on_jack(server, ["--no-remote", "--midi-clock",
                                      "--midi-in", tester.name + ":midi", patch],
                             args.exe, args.data)
            tester.listen_to_program()
            tester.send(STOP)  # halted: the steps wait for Start
            tester.send(START)
            lateness = steps_follow_pulses(tester, 120, 2.0, None)
            assert lateness < 4 * PERIOD, "a step comes %d frames after its pulse" % lateness
            tester.send(STOP)
            tester.clock(None)
            _, samples = tester.record(0.5)
            assert max(abs(v) for v in samples[PERIOD * 4:]) < 1e-4, "sound after Stop"
            tester.send(CONTINUE)
            steps_follow_pulses(tester, 140, 2.0, lateness)
            assert s.quit() == 0
        finally:
            if s:
                s.kill()
            tester.close()


if __name__ == "__main__":
    main([test_steps_follow_start_stop_continue_and_the_tempo])
