// Loading a sampler's recording from a WAV file (patch key FILE).
#pragma once

#include <string>

#include "synth/sampler.h"

// Loads a 16-bit PCM mono or stereo WAV file and hands it to the sampler
// (SAMPLER::play, safe while the sound plays); returns nothing, or, after
// printing its console lines, why it was refused in plain words
// ("samples/kick.wav: no such file or directory", "samples/kick.wav is not
// PCM (format tag 3)"; the sampler then keeps what it had). Main thread.
std::string load_sample(SAMPLER &sampler, const char *path);
