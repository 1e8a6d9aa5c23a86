// Envelope amplifier: multiplies its audio input by a gated attack, decay or
// sustain, and release envelope.
// Audio thread: latch_inputs(), run(), evolue(); the constructor runs on the
// main thread.
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
    int power;        // 0 silences the amplifier (its panel's switch)

    VCA();
    virtual ~VCA() = default;

    // One sample. Switched off, silence. Without a gate input the amplifier
    // passes its audio input through unchanged (silence without one): an
    // amplifier whose gate cable was pulled out must never put a constant on
    // the output. With a gate but no audio input the output is the bare
    // envelope.
    int evolue() override
    {
        latch_inputs(STANDALONE);
        run(0, 1);
        return 1;
    }
    // The module protocol of ports.h; latches gate and audio input.
    inline void latch_inputs(int reader);
    inline void run(int from, int to);
    // Its declaration line of a patch file; defined by the patch library.
    void write_desc_to_file(FILE *f);
};

// ---- Per-sample code, inline so that the generator's walk is one loop ----

#include <cmath>

#include "synth/sample_rate.h"

inline void VCA::latch_inputs(int reader)
{
    INPUT_GATE::latch(reader);
    INPUT::latch(reader);
}

// value holds the previous output (already inverted and multiplied by the
// input). The sustain stage, the release guard and the stage that holds the
// level all work from that previous output.
SYNTH_INLINE void VCA::run(int from, int to)
{
    // One envelope clock tick: one sample period in single precision.
    constexpr float TICK = 1.0f / (float)SAMPLE_RATE;

    float *out = history.frames + 1;
    if (power == 0 || !gate_plugged()) {
        for (int k = from; k < to; ++k)
            out[k] = power == 0 ? 0.0f : read_or(*this, k, 0.0f);
        value = out[to - 1];
        return;
    }
    // The envelope's running state and its parameters in locals for the
    // loop (the frames stored could alias the fields).
    const float attack = this->attack, peak = this->peak, decay = this->decay,
                sustain = this->sustain, release = this->release;
    const int invert = this->invert;
    // The slopes of the attack and the decay, in level per millisecond,
    // divided once per run rather than every sample.
    const float attack_slope = peak / attack, decay_slope = peak / decay;
    float v = value;
    float t = time, released = release_time, last = last_level;
    for (int k = from; k < to; ++k) {
        // Without an audio input the module outputs the bare envelope, so it
        // can serve as an envelope source for modulation inputs.
        const float input = read_or(*this, k, 1.0f);
        if (gate_on(k)) {
            released = 0.0f;
            const float ms = t * 1000.0f;
            if (ms < attack) {
                v = ms * attack_slope;
                t += TICK;
                last = v;
            } else if (ms < attack + decay) {
                if (sustain == 0.0f) {
                    v = peak - (ms - attack) * decay_slope;
                    t += TICK;
                } else if (v > sustain) {
                    // Falls by a thousandth per sample; the time stays frozen
                    // so this stage lasts as long as the gate is held.
                    v = v - v / 1000.0f;
                } else {
                    v = peak * sustain;
                }
                last = v;
            }
        } else {
            t = 0.0f;
            // A release ends after `release` ms, or as soon as the output is
            // exactly 0; afterwards the previous output keeps being
            // multiplied by the input.
            if (release != 0.0f && v != 0.0f && release >= released * 1000.0f) {
                released += TICK;
                v = last - (released * 1000.0f) * last / release;
            }
        }
        if (invert)
            v = std::fabs(v - 1.0f);
        v = v * input;
        out[k] = v;
    }
    time = t;
    release_time = released;
    last_level = last;
    value = v;
}
