// Mixer: the mean of up to 24 channels, each with a gain and an off switch.
#pragma once

#include <cstdio>

#include "synth/ports.h"

class MIXER : public OUTPUT {
public:
    static constexpr int CHANNELS = 24;

    int power;
    char name[800];
    int count; // channels 0 .. count-1 are mixed
    float gain[CHANNELS];
    float bypass[CHANNELS]; // exactly 1.0 leaves the channel out
    INPUT inputs[CHANNELS];

    MIXER();
    virtual ~MIXER() = default;

    // Adds a channel fed by source (slot -1: the next free channel). Returns 1,
    // or 0 when the source is null or all 24 channels are taken.
    int ajoute_en_entree(OUTPUT *source, int slot);

    int evolue() override;
    // Its declaration line of a patch file; defined by the patch library.
    void write_desc_to_file(FILE *f);
};
