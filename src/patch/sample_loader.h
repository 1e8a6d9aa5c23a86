// Loading a sampler's recording from a WAV file (patch key FILE).
#pragma once

#include "synth/sampler.h"

// Loads a 16-bit PCM mono or stereo WAV file into the sampler; returns 1, or
// 0 after printing why it was refused (the sampler then keeps what it had).
// Not to be called while the audio thread evaluates this sampler.
int load_sample(SAMPLER &sampler, const char *path);
