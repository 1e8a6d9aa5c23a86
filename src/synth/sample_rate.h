// The engine's one clock: every time-dependent module counts its own
// evaluations and converts them to seconds at this rate, which is also the
// output rate of the sound stream.
#pragma once

constexpr int SAMPLE_RATE = 44100;
