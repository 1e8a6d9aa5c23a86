"""The sound daemon output type over a private JACK server (dummy back end):
the program's JACK output is recorded by a test client and compared with an
offline rendering of the same patch; a server at another rate sends the
dialog back to the output types (as a missing one does, see the console
tests)."""
import array
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from e2e_support import Session, main, run  # noqa: E402
from jack_support import JackServer, TestClient, play_on_jack  # noqa: E402
from wav_stats import Sound, frequency, rms  # noqa: E402

PERIOD = 512


def rendered_left(args, tmp, patch, seconds):
    out = os.path.join(tmp, "render.wav")
    done = run(["--render", out, "--seconds", str(seconds), patch], args.exe, args.data)
    assert done.returncode == 0, done.stderr
    return Sound(out).left


def test_jack_output_plays_what_the_offline_render_computes(args, tmp):
    with JackServer(period=PERIOD) as server:
        s = play_on_jack(server, ["--no-remote", "--block", "64", "QSY/DEMO.QSY"],
                         args.exe, args.data)
        tester = None
        try:
            said = "".join(s.seen)
            assert "JACK plays in the server's period: blocks of %d frames" % PERIOD in said, said
            assert "--block does not apply" in said, said
            tester = TestClient(server)
            tester.listen_to_program()
            _, recorded = tester.record(1.5)
            assert s.quit() == 0
        finally:
            if tester:
                tester.close()
            s.kill()
    # The stream is 16-bit: every recorded value is a whole number of 1/32768.
    live = array.array("h", (round(x * 32768) for x in recorded))
    assert len(live) > 44100, len(live)
    offline = rendered_left(args, tmp, "QSY/DEMO.QSY", 30)
    # The recording starts some time into the performance: find where, from
    # its first sound on (silence is found everywhere).
    sounding = next((i for i, v in enumerate(live) if abs(v) > 1000), 0)
    needle, haystack = live[sounding:sounding + 1024].tobytes(), offline.tobytes()
    at = haystack.find(needle)
    while at % 2:
        at = haystack.find(needle, at + 1)
    summary = "live %.1f Hz rms %.4f, offline %.1f Hz rms %.4f" % (
        frequency(recorded), rms(recorded),
        frequency(offline[:len(live)]), rms(offline[:len(live)]) / 32768)
    assert at >= 0, "the recording is nowhere in the offline render: " + summary
    start = at // 2 - sounding
    assert start >= 0, "the recording begins before the performance"
    same = offline[start:start + len(live)]
    assert len(same) == len(live), "recording longer than the render"
    differing = sum(1 for a, b in zip(live, same) if a != b)
    assert differing == 0, "%d samples differ; %s" % (differing, summary)


def test_server_at_another_rate_is_refused(args, tmp):
    with JackServer(rate=48000) as server:
        s = Session(["--no-remote", "QSY/DEMO.QSY"], args.exe, args.data, env=server.env())
        try:
            s.send(b"2")
            s.wait_for("The JACK server runs at 48000 Hz; this program plays at 44100 Hz only")
            s.wait_for("Output Type")
            assert s.quit() == 0
        finally:
            s.kill()


if __name__ == "__main__":
    main([test_jack_output_plays_what_the_offline_render_computes,
          test_server_at_another_rate_is_refused])
