// Sample player: plays a WAV recording once per opening of its gate, at a
// rate set by the frequency on its input (440 Hz = the recorded rate).
// Audio thread: latch_inputs(), run(), evolue(); its recording is loaded on
// the main thread (patch/sample_loader.h) and handed over through play(),
// safe while the sound plays.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "synth/vco.h"

// A recording as a sampler plays it: 16-bit stereo frames, interleaved, left
// first. Never changed once handed to a sampler: a new one replaces it whole.
struct RECORDING {
    std::vector<int16_t> values;
    int frames() const { return (int)(values.size() / 2); }
};

class SAMPLER : public VCO {
public:
    static constexpr int MAX_VALUES = 8000000; // 16-bit values kept at most

    char name[800];
    float position; // read index into the recording's values
    float tune;     // the rate is f / 440 + tune - 1: 1 keeps the frequency input's
    float volume;   // a gain on the recorded values
    static constexpr float DEFAULT_TUNE = 1.0f, DEFAULT_VOLUME = 1.0f;
    float spare;   // kept for the phase modulation; unused
    char file[80]; // the file of the recording; empty when it has none

    SAMPLER();
    virtual ~SAMPLER();

    // ---- Main thread ----
    // Plays the recording from now on (null: silence), from its start, at the
    // next sub-block of the sound. The one it replaces is kept until
    // free_retired(), as a callback may still be reading it.
    void play(std::unique_ptr<const RECORDING> recording);
    // The recording it plays; null when it has none.
    const RECORDING *recording() const { return published.load(); }
    // Frees the recordings replaced since the last call. Only while no
    // callback holds them: none runs now (and any that starts takes the
    // recording as it is), or none has run since.
    void free_retired() { retired.clear(); }

    // One sample of the left channel; at the end of the recording the
    // source's gate is closed, so it plays once per gate.
    int evolue() override
    {
        latch_inputs(STANDALONE);
        run(0, 1);
        return 1;
    }
    // The module protocol of ports.h; latches gate, sync, frequency input,
    // modulation slots and the recording.
    inline void latch_inputs(int reader);
    void run(int from, int to) { run_by_frames(this, from, to); }
    inline void frame(int k);
    // Its declaration line of a patch file; defined by the patch library.
    void write_desc_to_file(FILE *f);

private:
    // The recording the audio thread takes at each latch. Stored and loaded
    // sequentially consistent, as a module list's copies are (module_list.h):
    // a callback counted as outside the evaluation after play() can only
    // take the new one, so free_retired() then frees nothing it reads.
    std::atomic<const RECORDING *> published;
    std::vector<std::unique_ptr<const RECORDING>> retired;
    // Audio thread: the recording as last latched.
    const RECORDING *latched;
};

// ---- Per-sample code, inline so that the generator's walk is one loop ----

inline void SAMPLER::latch_inputs(int reader)
{
    VCO::latch_inputs(reader);
    INPUT_GATE::latch(reader);
    // Another recording than the one played: it starts from its beginning.
    const RECORDING *r = published.load(std::memory_order_seq_cst);
    if (r != latched) {
        latched = r;
        position = 0.0f;
    }
}

SYNTH_INLINE void SAMPLER::frame(int k)
{
    // Switched off: silent, and the source's gate is left alone.
    if (power == 0) {
        position = 0.0f;
        value = 0.0f;
        return;
    }
    if (!gate_plugged())
        return;
    if (!gate_on(k)) {
        position = 0.0f;
        value = 0.0f;
        return;
    }
    // Nothing loaded: silence, and the source's gate is left alone.
    if (latched == nullptr || latched->values.empty()) {
        value = 0.0f;
        return;
    }
    const std::vector<int16_t> &values = latched->values;

    // A sync restarts the recording; it is not reported from the audio thread.
    if (sync_arrived(k))
        position = 0.0f;

    // 440 Hz plays the recording at its own rate; with no frequency input it
    // plays as if 440 Hz arrived.
    const float f = read_or(*this, k, 440.0f);
    float r = f / 440.0f + tune - 1.0f;
    float v = volume;
    if (const float *m = latched_amplitude)
        v = volume * m[k] + volume;
    if (const float *m = latched_frequency)
        r = r * m[k] + tune;

    // End of the recording, when the read index reaches the end of the data
    // (or the position has become NaN): back to the start, and the source's
    // gate closes so the recording plays once, whole, per gate.
    if (!(position < (float)values.size())) {
        position = 0.0f;
        close_gate(k);
    }
    if (position < 0.0f)
        position = 0.0f;

    // Reads the first value of the frame: the left channel.
    value = values[(std::size_t)position] * v / 32768.0f;
    position = position + 2.0f * r;
}
