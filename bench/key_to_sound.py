"""Key-to-sound delay by block size, over a private JACK server (dummy back
end, synchronous): a test client sends MIDI note-on messages to the program
and records its output; the delay of one note runs from the frame at which
the note-on was sent to the first non-silent recorded frame. With JACK the
block is the server's period, so the period is what varies here.

Run by `make bench`, or: python3 bench/key_to_sound.py --exe build/release/qmodular --data data"""
import argparse
import os
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support"))
from e2e_support import write_patch  # noqa: E402
from jack_support import KEYBOARD_PATCH, JackServer, TestClient, play_keys_on_jack  # noqa: E402

PERIODS = [64, 128, 256, 512, 1024, 2048]
NOTES = 100
SUB_BLOCK = 64
RATE = 44100


def delays(exe, data, patch, period):
    """The delay of each of NOTES notes, in frames."""
    found = []
    with JackServer(period=period) as server:
        tester = TestClient(server)
        session = None
        try:
            session = play_keys_on_jack(server, tester, patch, exe, data)
            hold = max(0.05, 3.0 * period / RATE)
            for _ in range(NOTES):
                tester.cycles = []
                tester.recording = True
                sent = tester.send(0x90, 69, 100)
                time.sleep(hold)
                tester.recording = False
                tester.send(0x80, 69, 0)
                time.sleep(hold)
                first, samples = tester.joined()
                sounding = next((i for i, v in enumerate(samples) if v != 0.0 and
                                 first + i >= sent), None)
                if sounding is not None:
                    found.append(first + sounding - sent)
            session.quit()
        finally:
            if session:
                session.kill()
            tester.close()
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--data", required=True)
    args = parser.parse_args()
    exe, data = os.path.abspath(args.exe), os.path.abspath(args.data)
    print("Key-to-sound delay over JACK (dummy back end, synchronous), %d notes per block size"
          % NOTES)
    print("%8s %10s %10s | %8s %8s %8s %8s  (ms)"
          % ("block", "block ms", "+sub-block", "first", "min", "median", "max"))
    with tempfile.TemporaryDirectory() as tmp:
        patch = write_patch(tmp, "LATENCY.QSY", KEYBOARD_PATCH)
        for period in PERIODS:
            found = delays(exe, data, patch, period)
            if not found:
                print("%8d: no note was heard" % period)
                continue
            ms = [1000.0 * d / RATE for d in found]
            print("%8d %10.1f %10.2f | %8.2f %8.2f %8.2f %8.2f   (%d of %d notes heard)"
                  % (period, 1000.0 * period / RATE, 1000.0 * (period + SUB_BLOCK) / RATE, ms[0],
                     min(ms), statistics.median(ms), max(ms), len(found), NOTES))


if __name__ == "__main__":
    main()
