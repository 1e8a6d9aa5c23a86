// Oscillator: six waveforms with pitch input, modulation and hard sync.
#pragma once

#include <cstdio>

#include "synth/ports.h"

// Any int is a valid waveform number: the ones not listed play silence.
enum type_generateur : int { NONE = 0, SIN = 1, TRI = 2, SAW = 3, SQR = 4, NOISE = 5, PULSE = 6 };

class VCO : public OUTPUT, public INPUT, public INPUT_GATE, public INPUT_SYNC {
public:
    int power;
    // Separately allocated modulation inputs, owned by the oscillator once
    // connected; null = not connected.
    INPUT *mod_phase;
    INPUT *mod_frequency;
    INPUT *mod_amplitude;
    INPUT *mod_pulse_width;
    char name[80];
    float position; // phase accumulator, -1.0 .. 1.0 over one cycle
    float phase;    // phase offset in cycles
    float amplitude;
    float frequency;
    float pulse_width;
    float held_noise; // noise magnitude held for one cycle
    type_generateur type;

    VCO(float amplitude, float frequency, type_generateur type);
    virtual ~VCO();
    VCO(const VCO &) = delete;
    VCO &operator=(const VCO &) = delete;

    int evolue() override;
    // Its declaration line of a patch file; defined by the patch library.
    void write_desc_to_file(FILE *f);

    // Replaces one of the four modulation inputs, releasing the one it had.
    static void set_modulation(INPUT *&slot, INPUT *input);
};
