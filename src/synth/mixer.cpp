#include "synth/mixer.h"

#include <cstring>

#include "synth/lanes.h"

namespace {

// Frames side by side in vectors, several vectors at once: the sums of one
// vector wait for each other channel after channel, while those of the next
// ones proceed meanwhile. Every frame's sum is still taken in channel order.
LANES_FOR_EACH_WIDTH void mix_frames(const float *const *in, const float *g, int n,
                                    bool hears_itself, float *out, int from, int to)
{
    using lanes::Floats;
    constexpr int AT_ONCE = 4, WIDTH = AT_ONCE * lanes::COUNT;
    const float count = (float)n;
    int k = from;
    for (; !hears_itself && k + WIDTH <= to; k += WIDTH) {
        Floats sum[AT_ONCE] = {};
        for (int j = 0; j < n; ++j) {
            for (int i = 0; i < AT_ONCE; ++i) {
                Floats x;
                std::memcpy(&x, in[j] + k + i * lanes::COUNT, sizeof x);
                sum[i] += x * g[j];
            }
        }
        for (int i = 0; i < AT_ONCE; ++i) {
            const Floats mean = sum[i] / count;
            std::memcpy(out + k + i * lanes::COUNT, &mean, sizeof mean);
        }
    }
    for (; k < to; ++k) {
        float sum = 0.0f;
        for (int j = 0; j < n; ++j)
            sum += in[j][k] * g[j];
        out[k] = sum / count;
    }
}

} // namespace

void MIXER::mix(const float *const *in, const float *g, int n, bool hears_itself, float *out,
                int from, int to)
{
    mix_frames(in, g, n, hears_itself, out, from, to);
}

MIXER::MIXER() : OUTPUT(0.0f), power(1), count(0), latched_count(0)
{
    name[0] = '\0';
    for (int i = 0; i < CHANNELS; ++i) {
        gain[i] = 1.0f;
        bypass[i] = 0.0f;
    }
}

int MIXER::ajoute_en_entree(OUTPUT *source, int slot)
{
    if (!source)
        return 0;
    const int n = count.load(std::memory_order_relaxed);
    const int channel = slot == -1 ? n : slot;
    if (n >= CHANNELS || channel < 0 || channel >= CHANNELS)
        return 0;
    inputs[channel].connect(source);
    // Release: a callback that sees the new count (with acquire) sees the
    // channel's input too.
    count.store(n + 1, std::memory_order_release);
    return 1;
}

int MIXER::file_number(int c) const
{
    const int counted = count.load(std::memory_order_relaxed);
    if (c < counted && inputs[c].source.get() == nullptr)
        return 0;
    int holes = 0;
    for (int k = 0; k < c && k < counted; ++k)
        holes += inputs[k].source.get() == nullptr;
    return c + 1 - holes;
}

void MIXER::keep_channels(int n)
{
    const int counted = count.load(std::memory_order_relaxed);
    if (n >= counted)
        return;
    count.store(n, std::memory_order_release);
    for (int c = n; c < counted; ++c)
        inputs[c].connect(nullptr);
}
