#include "synth/mixer.h"

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
