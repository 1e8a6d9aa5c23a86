"""Offline rendering into a WAV file: the tone it renders, its length and
format, and the errors it reports."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import main, run, write_patch  # noqa: E402
from wav_stats import Sound  # noqa: E402

SAW_880 = """BEGIN_OBJECTS_DECLARE
VCO_1;TYPE=3;FREQ=880.000000;AMOUNT=0.50;PHASE=0;
MIXER_4;;
END_OBJECTS_DECLARE
BEGIN_LINKS_DECLARE
MIXER_4;ADD_CHANELL=VCO_1;
END_LINKS_DECLARE
"""


def render(args, tmp, patch_text, seconds="1", name="out.wav"):
    patch = write_patch(tmp, "TEST.QSY", patch_text)
    out = os.path.join(tmp, name)
    r = run(["--render", out, "--seconds", seconds, patch], args.exe, args.data)
    return r, out


def test_sawtooth_at_freq_880_sounds_at_440_hz(args, tmp):
    r, out = render(args, tmp, SAW_880, seconds="2")
    assert r.returncode == 0, r
    sound = Sound(out)
    hz = sound.frequency()
    print("  sawtooth FREQ=880: %.2f Hz, %s" % (hz, sound.describe()))
    assert abs(hz - 440.0) < 440.0 * 0.01, hz
    assert 0.45 < sound.peak() / 32767 <= 0.5, sound.peak()
    assert list(sound.left) == list(sound.right)


def test_length_and_format(args, tmp):
    r, out = render(args, tmp, SAW_880, seconds="1.5")
    assert r.returncode == 0, r
    sound = Sound(out)
    assert (sound.channels, sound.width, sound.rate) == (2, 2, 44100)
    assert sound.frames == 66150, sound.frames
    assert os.path.getsize(out) == 44 + 66150 * 4
    assert b"0 samples beyond full scale" in r.stdout, r.stdout


def test_patch_without_output_mixer_renders_silence(args, tmp):
    r, out = render(args, tmp, SAW_880.replace("MIXER_4", "MIXER_1"), seconds="0.5")
    assert r.returncode == 0, r
    assert b"No mixer named MIXER_4" in r.stderr, r.stderr
    assert Sound(out).peak() == 0


def test_errors_end_with_a_message_and_a_failure_status(args, tmp):
    ok_patch = write_patch(tmp, "OK.QSY", SAW_880)
    bad_patch = write_patch(tmp, "BAD.QSY", "VCO_1;;TYPE=2;\n")
    out = os.path.join(tmp, "out.wav")
    cases = {
        "unreadable patch": ["--render", out, "--seconds", "1", os.path.join(tmp, "NONE.QSY")],
        "folder as patch": ["--render", out, "--seconds", "1", tmp],
        "fault in the patch": ["--render", out, "--seconds", "1", bad_patch],
        "unwritable output": ["--render", os.path.join(tmp, "no", "dir.wav"), ok_patch],
        "no patch": ["--render", out],
        "bad seconds": ["--render", out, "--seconds", "ten", ok_patch],
        "seconds alone": ["--seconds", "1", ok_patch],
    }
    for what, argv in cases.items():
        r = run(argv, args.exe, args.data)
        assert r.returncode != 0, (what, r)
        assert r.stderr.strip(), (what, r)
    assert not os.path.exists(out)


if __name__ == "__main__":
    main([test_sawtooth_at_freq_880_sounds_at_440_hz,
          test_length_and_format,
          test_patch_without_output_mixer_renders_silence,
          test_errors_end_with_a_message_and_a_failure_status])
