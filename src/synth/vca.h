// Envelope amplifier: multiplies its audio input by a gated attack, decay or
// sustain, and release envelope.
// Audio thread: latch_inputs(), run(), evolue(); the constructor runs on the
// main thread.
#pragma once

#include <cstdio>

#include "synth/lanes.h"
#include "synth/ports.h"

template <typename F> struct vca_detail_envelope;

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
    // A whole sub-block of n frames of each of `count` amplifiers, none
    // hearing another (GENERATOR::evaluate); the gated ones side by side.
    static inline void run_alike(VCA *const *amplifiers, int count, int n);
    static constexpr int AMPLIFIER_LANES = 2 * lanes::COUNT;
    // Its declaration line of a patch file; defined by the patch library.
    void write_desc_to_file(FILE *f);

private:
    inline vca_detail_envelope<float> envelope() const;
    // Up to AMPLIFIER_LANES switched-on amplifiers with a gate, run() for each
    // taken in vector registers (vca.cpp).
    static void run_gated_lanes(VCA *const *amplifiers, int count, int n);
};

// ---- Per-sample code, inline so that the generator's walk is one loop ----

#include <cmath>

#include "synth/sample_rate.h"

inline void VCA::latch_inputs(int reader)
{
    INPUT_GATE::latch(reader);
    INPUT::latch(reader);
}

// An envelope's parameters, for one amplifier (F = float) or for lanes of
// them (F = lanes::Floats). The slopes of the attack and the decay, in level
// per millisecond, are divided once per run rather than every frame.
template <typename F> struct vca_detail_envelope {
    F attack, peak, decay, sustain, release, attack_slope, decay_slope;
    // Inverting, 1 subtracted and the sign cleared (|level - 1|); otherwise 0
    // subtracted and every bit kept.
    F flip;
    typename lanes::bits_of<F>::type kept_bits;
};

// One frame of a gated envelope amplifier. v holds the previous output
// (already inverted and multiplied by the input): the sustain stage, the
// release guard and the stage that holds the level all work from it. t counts
// the seconds since the gate went on, released those since it went off, and
// last is the envelope of the last gate-on frame. F is float for one
// amplifier, with a bool gate, or a vector of floats for amplifiers side by
// side (VCA::run_alike), with a vector of masks: every stage is then computed
// and the lane's own picked, the very steps one amplifier takes.
template <typename F, typename Gate>
SYNTH_INLINE void vca_detail_frame(const vca_detail_envelope<F> &e, const Gate &gate,
                                   const F &input, F &v, F &t, F &released, F &last)
{
    // One envelope clock tick: one sample period in single precision.
    constexpr float TICK = 1.0f / (float)SAMPLE_RATE;
    const F zero{};
    const F ms = t * 1000.0f;
    const auto before_decay = ms < e.attack;
    const auto attacking = gate & before_decay;
    const auto decaying = gate & (before_decay == 0) & (ms < e.attack + e.decay);
    // The decay falls to silence when the sustain is 0; otherwise the level
    // falls by a thousandth per frame to the sustain, where it holds, and the
    // time stays frozen so that the stage lasts as long as the gate is held.
    const auto to_silence = e.sustain == 0.0f;
    const auto linear = decaying & to_silence;
    const auto above = v > e.sustain;
    const auto falling = decaying & (to_silence == 0) & above;
    const auto holding = decaying & (to_silence == 0) & (above == 0);
    // A release ends after `release` ms, or as soon as the output is exactly
    // 0; afterwards the previous output keeps being multiplied by the input.
    const auto releasing =
        (gate == 0) & (e.release != 0.0f) & (v != 0.0f) & (e.release >= released * 1000.0f);
    const F released_now = releasing ? released + TICK : released;
    // At most one stage holds. Those whose level does not start from the last
    // output are picked first, so that the chain from one frame's output to
    // the next runs through as few steps as it can.
    const F set = attacking ? ms * e.attack_slope
                  : linear  ? e.peak - (ms - e.attack) * e.decay_slope
                            : last - (released_now * 1000.0f) * last / e.release;
    F level = attacking | linear | releasing ? set : v;
    level = holding ? e.peak * e.sustain : level;
    level = falling ? v - v / 1000.0f : level;
    t = gate ? (attacking | linear ? t + TICK : t) : zero;
    released = gate ? zero : released_now;
    last = attacking | decaying ? level : last;
    level = __builtin_bit_cast(F, __builtin_bit_cast(decltype(e.kept_bits), level - e.flip) &
                                      e.kept_bits);
    v = level * input;
}

SYNTH_INLINE void VCA::run(int from, int to)
{
    float *out = history.frames + 1;
    if (power == 0 || !gate_plugged()) {
        for (int k = from; k < to; ++k)
            out[k] = power == 0 ? 0.0f : read_or(*this, k, 0.0f);
        value = out[to - 1];
        return;
    }
    // The envelope's running state in locals for the loop (the frames
    // stored could alias the fields).
    const vca_detail_envelope<float> e = envelope();
    float v = value, t = time, released = release_time, last = last_level;
    for (int k = from; k < to; ++k) {
        // Without an audio input the module outputs the bare envelope, so it
        // can serve as an envelope source for modulation inputs.
        vca_detail_frame(e, gate_on(k), read_or(*this, k, 1.0f), v, t, released, last);
        out[k] = v;
    }
    time = t;
    release_time = released;
    last_level = last;
    value = v;
}

inline vca_detail_envelope<float> VCA::envelope() const
{
    return {attack,        peak,
            decay,         sustain,
            release,       peak / attack,
            peak / decay,  invert != 0 ? 1.0f : 0.0f,
            invert != 0 ? 0x7fffffffu : 0xffffffffu};
}

inline void VCA::run_alike(VCA *const *amplifiers, int count, int n)
{
    VCA *gated[AMPLIFIER_LANES];
    int waiting = 0;
    for (int i = 0; i < count; ++i) {
        VCA *a = amplifiers[i];
        if (a->power == 0 || !a->gate_plugged()) {
            a->run(0, n);
            continue;
        }
        gated[waiting++] = a;
        if (waiting == AMPLIFIER_LANES) {
            run_gated_lanes(gated, waiting, n);
            waiting = 0;
        }
    }
    if (lanes::worth_lanes(waiting, AMPLIFIER_LANES))
        run_gated_lanes(gated, waiting, n);
    else
        for (int i = 0; i < waiting; ++i)
            gated[i]->run(0, n);
}
