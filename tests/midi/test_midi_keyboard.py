"""MIDI notes played on a patch over a private JACK server: a test client
sends note-on and note-off to the program's MIDI port (connected by
--midi-in) and records its output, in a patch whose envelope amplifier is
gated by the keyboard."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import main, write_patch  # noqa: E402
from jack_support import KEYBOARD_PATCH, JackServer, TestClient, play_keys_on_jack  # noqa: E402
from wav_stats import frequency, rms  # noqa: E402

NOTE_ON, NOTE_OFF = 0x90, 0x80
HOLD_S = 0.4
HOLD_FRAMES = 17640  # 0.4 s of sound after each message, however late the cycles come
SETTLE = 4410  # frames after an event before it is judged: 100 ms


def test_notes_play_at_their_pitch_newest_first_and_stop_on_release(args, tmp):
    patch = write_patch(tmp, "MIDI.QSY", KEYBOARD_PATCH)
    # (message, what sounds afterwards: a frequency, or None for silence)
    steps = [
        ((NOTE_ON + 1, 69, 100), 440.0),   # A4 on channel 2: one keyboard hears all
        ((NOTE_ON, 64, 100), 329.63),      # E4 held over it: the newest sounds
        ((NOTE_OFF, 64, 0), 440.0),        # back to the A4 still held
        ((NOTE_ON, 57, 90), 220.0),        # A3
        ((NOTE_OFF, 69, 0), 220.0),        # an older note released: nothing changes
        ((NOTE_ON, 57, 0), None),          # velocity 0 releases the last one
        ((NOTE_ON, 5, 100), None),         # below the table: ignored
    ]
    with JackServer() as server:
        tester = TestClient(server)
        s = None
        try:
            s = play_keys_on_jack(server, tester, patch, args.exe, args.data)
            said = "".join(s.seen)
            assert "connected from %s:midi_out" % tester.name in said, said
            tester.recording = True
            time.sleep(HOLD_S)
            times = []
            for message, _ in steps:
                times.append(tester.send(*message))
                tester.recorded_until(times[-1] + HOLD_FRAMES)
            tester.recording = False
            assert s.quit() == 0
        finally:
            if s:
                s.kill()
            tester.close()
    first, samples = tester.joined()
    assert rms(samples[:times[0] - first]) < 1e-4, "sound before the first note"
    ends = times[1:] + [first + len(samples)]
    for (message, expected), begin, end in zip(steps, times, ends):
        window = samples[begin - first + SETTLE:end - first]
        assert len(window) > 4410, (message, len(window))
        if expected is None:
            assert rms(window) < 1e-4, "%s: sound after release, rms %.5f" % (message, rms(window))
        else:
            heard = frequency(window)
            # Within 1 %: a semitone is 6 %, and the oscillator itself runs
            # slightly flat (0.3 % at 440 Hz).
            assert abs(heard - expected) < expected * 0.01, "%s: %.2f Hz" % (message, heard)
            assert rms(window) > 0.3, "%s: too quiet, rms %.3f" % (message, rms(window))


if __name__ == "__main__":
    main([test_notes_play_at_their_pitch_newest_first_and_stop_on_release])
