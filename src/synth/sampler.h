// Sample player: plays a WAV recording once per opening of its gate, at a
// rate set by the frequency on its input (440 Hz = the recorded rate).
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "synth/vco.h"

class SAMPLER : public VCO {
public:
    static constexpr int MAX_VALUES = 8000000; // 16-bit values kept at most

    std::vector<int16_t> samples; // interleaved stereo frames
    int length;                   // in stereo frames
    char name[800];
    float position; // read index into samples
    float tune;
    float volume;
    float spare; // kept for the phase modulation; unused
    char file[80];

    SAMPLER();
    virtual ~SAMPLER() = default;

    // Loads a 16-bit PCM mono or stereo WAV file; returns 1, or 0 after
    // printing why it was refused (the sampler then keeps what it had). Not
    // to be called while the audio thread evaluates this sampler.
    int load_SAMPLE(const char *path);
    // One sample of the left channel; at the end of the recording the
    // source's gate is closed, so it plays once per gate.
    int evolue() override;
    // Its declaration line of a patch file; defined by the patch library.
    void write_desc_to_file(FILE *f);
};
