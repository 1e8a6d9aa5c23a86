"""Recording the sound with F7 in the window: the file holds, sample for
sample, a stretch of what the offline render of the patch gives; killed in
the middle of a take, the file still opens and plays; a disk that refuses the
file (a small file-size limit) stops the recording with a word, and the
program plays on."""
import glob
import os
import sys
import time
import wave

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import free_port, main, run  # noqa: E402
from window_support import PrivateDisplay, Window, data_copy  # noqa: E402

# A pure tone with a slow tremolo: no two stretches of a second alike.
PATCH = ("BEGIN_OBJECTS_DECLARE\n"
         "VCO_1;TYPE=1;FREQ=440.000000;AMOUNT=0.50;PHASE=0;\n"
         "VCO_LFO;TYPE=1;FREQ=0.130000;AMOUNT=0.90;PHASE=0;\n"
         "MIXER_4;;\nEND_OBJECTS_DECLARE\n"
         "BEGIN_LINKS_DECLARE\nVCO_1;MOD_AMP=VCO_LFO;\nMIXER_4;ADD_CHANELL=VCO_1;\n"
         "END_LINKS_DECLARE\n")


def frames_of(path):
    with wave.open(path, "rb") as w:
        assert (w.getnchannels(), w.getsampwidth(), w.getframerate()) == (2, 2, 44100)
        return w.readframes(w.getnframes())


def take(w, work, seconds):
    """F7, a wait, F7 again (unless seconds is None): the recording's path."""
    w.point(600, 700)
    w.key("F7")
    deadline = time.monotonic() + 60
    while not glob.glob(os.path.join(work, "recordings", "TAKE-*.wav")):
        assert time.monotonic() < deadline, "no recording was made"
        time.sleep(0.1)
    if seconds is not None:
        time.sleep(seconds)
        w.key("F7")
    return glob.glob(os.path.join(work, "recordings", "TAKE-*.wav"))[0]


def test_a_take_is_the_render_and_survives_a_kill(args, tmp):
    work = data_copy(args.data, tmp, {"TAKE.QSY": PATCH})
    rendered = os.path.join(tmp, "render.wav")
    r = run(["--render", rendered, "--seconds", "60", "QSY/TAKE.QSY"], args.exe, work)
    assert r.returncode == 0, r
    render = frames_of(rendered)
    with PrivateDisplay() as display:
        w = Window(args.exe, work, "QSY/TAKE.QSY", free_port(), env=display.env)
        try:
            path = take(w, work, 3)
            assert w.quit() == 0
        finally:
            w.kill()
        recorded = frames_of(path)
        assert len(recorded) >= 4 * 44100 * 2, len(recorded)
        start = render.find(recorded[:4 * 4410])
        assert start >= 0 and start % 4 == 0, "the take's start is nowhere in the render"
        assert render[start:start + len(recorded)] == recorded, "the take differs from the render"

        os.remove(path)
        w = Window(args.exe, work, "QSY/TAKE.QSY", free_port(), env=display.env)
        try:
            path = take(w, work, None)
            time.sleep(2.5)
            w.session.process.kill()
            w.session.process.wait(timeout=60)
        finally:
            w.kill()
        kept = frames_of(path)  # opens: the header was brought up to date
        assert len(kept) >= 44100 * 4, len(kept)
        assert render.find(kept[:4 * 4410]) >= 0


def test_a_full_disk_stops_the_take_and_the_sound_goes_on(args, tmp):
    work = data_copy(args.data, tmp, {"TAKE.QSY": PATCH})
    with PrivateDisplay() as display:
        # Files of 100 kB at most: the take fails after half a second.
        w = Window("/usr/bin/prlimit", work, "QSY/TAKE.QSY", free_port(), env=display.env,
                   options=["--fsize=100000", os.path.abspath(args.exe)])
        try:
            take(w, work, None)
            said = w.session.wait_for("Recording stopped")
            assert "too large" in said.splitlines()[-1], said[-300:]
            assert w.session.process.poll() is None, "the program must play on"
            assert w.quit() == 0
        finally:
            w.kill()


if __name__ == "__main__":
    main([test_a_take_is_the_render_and_survives_a_kill,
          test_a_full_disk_stops_the_take_and_the_sound_goes_on])
