// Mixer: the mean of up to 24 channels, each with a gain and an off switch.
// Audio thread: latch_inputs(), run(), evolue(); ajoute_en_entree runs on
// the main thread.
#pragma once

#include <atomic>
#include <cstdio>

#include "synth/ports.h"

class MIXER : public OUTPUT {
public:
    static constexpr int CHANNELS = 24;

    int power;
    char name[800];
    // Channels 0 .. count-1 are mixed. Grown only by ajoute_en_entree, which
    // publishes the channel's input with it.
    std::atomic<int> count;
    float gain[CHANNELS];
    float bypass[CHANNELS]; // exactly 1.0 leaves the channel out
    INPUT inputs[CHANNELS]; // unplug one with inputs[i].connect(nullptr)

    MIXER();
    virtual ~MIXER() = default;

    // Adds a channel fed by source (slot -1: the next free channel). Returns 1,
    // or 0 when the source is null or all 24 channels are taken. Safe while
    // the sound plays: the callback mixes the channel from its next sample on,
    // never before its input is set.
    int ajoute_en_entree(OUTPUT *source, int slot);

    // Mixes only the first n channels (n at most the count), the others
    // unplugged: the count drops, which is safe while the sound plays since
    // every channel's input stays in place.
    void keep_channels(int n);

    // The number a patch file gives channel c, from 1, as its link section
    // rebuilds the channels: a channel counted but fed by nothing (the cable
    // editor unplugged it) is written nowhere and gets 0, and the channels
    // after it move down one. Main thread.
    int file_number(int c) const;

    int evolue() override
    {
        latch_inputs(STANDALONE);
        run(0, 1);
        return 1;
    }
    // The module protocol of ports.h; latches the channels in use and their
    // inputs.
    inline void latch_inputs(int reader);
    inline void run(int from, int to);
    // Its declaration line of a patch file; defined by the patch library.
    void write_desc_to_file(FILE *f);

private:
    // out[k] for k in [from, to): the n inputs times their gains, summed in
    // channel order, over n. Input frames are read at k, so an input that is
    // this mixer's own history (hears_itself) needs each frame before the next.
    static void mix(const float *const *in, const float *g, int n, bool hears_itself, float *out,
                    int from, int to);
    // The channels counted and plugged when last latched, in channel order.
    int latched_count;
    int latched_channel[CHANNELS];
};

// ---- Per-sample code, inline so that the generator's walk is one loop ----

// The count is read before the inputs, with acquire: a channel counted has its
// input set.
inline void MIXER::latch_inputs(int reader)
{
    const int channels = count.load(std::memory_order_acquire);
    latched_count = 0;
    for (int i = 0; i < channels; ++i) {
        inputs[i].latch(reader);
        if (inputs[i].latched)
            latched_channel[latched_count++] = i;
    }
}

SYNTH_INLINE void MIXER::run(int from, int to)
{
    float *out = history.frames + 1;
    // The channels mixed, in channel order, with their gains.
    const float *in[CHANNELS];
    float g[CHANNELS];
    int n = 0;
    bool hears_itself = false;
    if (power != 0) {
        for (int c = 0; c < latched_count; ++c) {
            const int i = latched_channel[c];
            if (bypass[i] == 1.0f)
                continue;
            in[n] = inputs[i].latched;
            g[n] = gain[i];
            hears_itself = hears_itself || in[n] == history.frames;
            ++n;
        }
    }
    if (n == 0) {
        for (int k = from; k < to; ++k)
            out[k] = 0.0f;
    } else {
        mix(in, g, n, hears_itself, out, from, to);
    }
    value = out[to - 1];
}
