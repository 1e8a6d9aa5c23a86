#!/usr/bin/env python3
"""Synthesises the drum and bell recordings of the sampler demo patch.

Writes 16-bit PCM stereo WAV files at 44100 Hz into data/samples/ using only
the standard library. The sampler plays the left channel and stops halfway
through a stereo file, so every sound fades out within the first half of its
file and the second half is silence. The noise is seeded: running the script
again gives the same bytes.

Usage: python3 tools/make_samples.py [output directory]
"""
import math
import os
import random
import struct
import sys
import wave

RATE = 44100


def write_wav(path, left, right=None):
    """Writes two channels of floats in -1..1 as 16-bit stereo."""
    right = left if right is None else right
    frames = bytearray()
    for l, r in zip(left, right):
        frames += struct.pack('<hh', to_int16(l), to_int16(r))
    with wave.open(path, 'wb') as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


def to_int16(x):
    return max(-32767, min(32767, int(round(x * 32767))))


def padded(sound, seconds):
    """The sound followed by silence up to the whole length of the file."""
    total = int(seconds * RATE)
    return sound + [0.0] * max(0, total - len(sound))


def kick(sound_seconds=0.22):
    """A sine whose pitch falls from 150 Hz to 45 Hz under a quick decay."""
    out, phase = [], 0.0
    for i in range(int(sound_seconds * RATE)):
        t = i / RATE
        freq = 45 + 105 * math.exp(-t * 30)
        phase += 2 * math.pi * freq / RATE
        env = math.exp(-t * 14) * min(1.0, i / 40)
        click = math.exp(-t * 400) * 0.3
        out.append(0.75 * env * math.sin(phase) + click * math.sin(phase * 3))
    return fade_out(out)


def snare(rng, sound_seconds=0.2):
    """A 190 Hz body under band-limited noise that decays faster."""
    out, smooth = [], 0.0
    for i in range(int(sound_seconds * RATE)):
        t = i / RATE
        smooth = 0.6 * smooth + 0.4 * rng.uniform(-1, 1)
        noise = smooth * math.exp(-t * 22)
        body = math.sin(2 * math.pi * 190 * t) * math.exp(-t * 30)
        out.append(0.55 * noise + 0.35 * body)
    return fade_out(out)


def hat(rng, sound_seconds=0.06):
    """High-passed noise with a very short decay."""
    out, last = [], 0.0
    for i in range(int(sound_seconds * RATE)):
        t = i / RATE
        n = rng.uniform(-1, 1)
        out.append(0.45 * (n - last) * math.exp(-t * 70))
        last = n
    return fade_out(out)


def bell(sound_seconds=0.45):
    """An A4 (440 Hz) bell from inharmonic partials; played at other notes the
    sampler changes its speed."""
    partials = [(1.0, 0.5, 5.0), (2.0, 0.22, 7.0), (2.76, 0.14, 9.0), (5.4, 0.07, 13.0)]
    out = []
    for i in range(int(sound_seconds * RATE)):
        t = i / RATE
        s = sum(a * math.sin(2 * math.pi * 440 * r * t) * math.exp(-t * d) for r, a, d in partials)
        out.append(0.7 * s * min(1.0, i / 60))
    return fade_out(out)


def fade_out(sound, seconds=0.01):
    """Brings the last few milliseconds to silence so the cut never clicks."""
    n = min(len(sound), int(seconds * RATE))
    for k in range(n):
        sound[len(sound) - n + k] *= 1.0 - (k + 1) / n
    return sound


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'data', 'samples')
    os.makedirs(out_dir, exist_ok=True)
    rng = random.Random(1234)
    sounds = {
        'kick.wav': padded(kick(), 0.6),
        'snare.wav': padded(snare(rng), 0.45),
        'hat.wav': padded(hat(rng), 0.15),
        'bell.wav': padded(bell(), 1.2),
    }
    for name, left in sounds.items():
        path = os.path.join(out_dir, name)
        write_wav(path, left)
        print('%-10s %7d bytes' % (name, os.path.getsize(path)))


if __name__ == '__main__':
    main()
