// Sample player: plays a WAV recording once per opening of its gate, at a
// rate set by the frequency on its input (440 Hz = the recorded rate).
// Audio thread: latch_inputs(), tick(), evolue(); its recording is loaded on
// the main thread (patch/sample_loader.h).
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

    // One sample of the left channel; at the end of the recording the
    // source's gate is closed, so it plays once per gate.
    int evolue() override
    {
        latch_inputs();
        tick();
        return 1;
    }
    // The module protocol of ports.h; latches gate, sync, frequency input, modulation slots.
    inline void latch_inputs();
    inline void tick();
    // Its declaration line of a patch file; defined by the patch library.
    void write_desc_to_file(FILE *f);
};

// ---- Per-sample code, inline so that the generator's walk is one loop ----

inline void SAMPLER::latch_inputs()
{
    VCO::latch_inputs();
    INPUT_GATE::latch();
}

SYNTH_INLINE void SAMPLER::tick()
{
    GATE_STATE *gate = INPUT_GATE::latched;
    if (!gate)
        return;
    if (gate->load(std::memory_order_relaxed) == 0) {
        position = 0.0f;
        value = 0.0f;
        return;
    }
    // Nothing loaded: silence, and the source's gate is left alone.
    if (samples.empty()) {
        value = 0.0f;
        return;
    }

    // A sync restarts the recording; it is not reported from the audio thread.
    if (sync_arrived())
        position = 0.0f;

    // 440 Hz plays the recording at its own rate; with no frequency input it
    // plays as if 440 Hz arrived.
    const float f = read_or(*this, 440.0f);
    float r = f / 440.0f + tune - 1.0f;
    float v = volume;
    if (const float *m = latched_amplitude)
        v = volume * *m + volume;
    if (const float *m = latched_frequency)
        r = r * *m + tune;

    // End of the recording, when the read index reaches the end of the data
    // (or the position has become NaN): back to the start, and the source's
    // gate closes so the recording plays once, whole, per gate.
    if (!(position < (float)samples.size())) {
        position = 0.0f;
        gate->store(0, std::memory_order_relaxed);
    }
    if (position < 0.0f)
        position = 0.0f;

    // Reads the first value of the frame: the left channel.
    value = samples[(std::size_t)position] * v / 32768.0f;
    position = position + 2.0f * r;
}
