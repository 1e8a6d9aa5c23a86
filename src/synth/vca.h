// Envelope amplifier: multiplies its audio input by a gated attack, decay or
// sustain, and release envelope.
#pragma once

#include <cstdio>

#include "synth/ports.h"

class VCA : public OUTPUT, public INPUT_GATE, public INPUT {
public:
    float release_time; // seconds since the gate went off
    float time;         // seconds since the gate went on
    int invert;
    char name[88];
    float attack; // milliseconds
    float peak;
    float decay;      // milliseconds
    float sustain;    // fraction of peak; 0 selects the decay to silence
    float release;    // milliseconds
    float last_level; // envelope of the last gate-on sample
    int bypass;       // 1 while the gate input is unconnected

    VCA();
    virtual ~VCA() = default;

    // One sample. Without a gate input the output is 1.0; without an audio
    // input the output is the bare envelope.
    int evolue() override;
    // Its declaration line of a patch file; defined by the patch library.
    void write_desc_to_file(FILE *f);
};
