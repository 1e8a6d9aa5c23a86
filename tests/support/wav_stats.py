"""Figures of sounds for the end-to-end tests: of any sequence of samples, and
of a 16-bit stereo WAV file (standard library only)."""
import array
import math
import sys
import wave


def rms(samples):
    return math.sqrt(sum(s * s for s in samples) / max(len(samples), 1))


def frequency(samples, rate=44100):
    """Fundamental from the mean distance between upward zero crossings."""
    ups = [i for i in range(1, len(samples)) if samples[i - 1] < 0 <= samples[i]]
    if len(ups) < 2:
        return 0.0
    return rate * (len(ups) - 1) / (ups[-1] - ups[0])


class Sound:
    """The left channel of a 16-bit stereo WAV file, with its figures."""

    def __init__(self, path):
        with wave.open(path, "rb") as w:
            self.channels = w.getnchannels()
            self.width = w.getsampwidth()
            self.rate = w.getframerate()
            self.frames = w.getnframes()
            data = array.array("h", w.readframes(self.frames))
        if sys.byteorder == "big":
            data.byteswap()
        self.left = data[0::2]
        self.right = data[1::2]

    def peak(self):
        return max((abs(s) for s in self.left), default=0)

    def mean(self):
        return sum(self.left) / max(len(self.left), 1)

    def rms(self):
        return rms(self.left)

    def silent_share(self, window_s=0.1, floor=33):
        """Share of windows whose RMS is below floor (about -60 dBFS)."""
        n = int(self.rate * window_s)
        windows = [self.left[i:i + n] for i in range(0, len(self.left) - n + 1, n)]
        quiet = sum(1 for w in windows if rms(w) < floor)
        return quiet / max(len(windows), 1)

    def frequency(self):
        return frequency(self.left, self.rate)

    def describe(self):
        return ("peak %.3f, rms %.3f, mean %+.4f, silent %.0f%%, %.1f Hz"
                % (self.peak() / 32767, self.rms() / 32767, self.mean() / 32767,
                   100 * self.silent_share(), self.frequency()))
