#include "synth/mixer.h"

#include <atomic>

MIXER::MIXER() : OUTPUT(0.0f), power(1), count(0)
{
    name[0] = '\0';
    for (int i = 0; i < CHANNELS; ++i) {
        gain[i] = 1.0f;
        bypass[i] = 0.0f;
    }
}

int MIXER::ajoute_en_entree(OUTPUT *source, int slot)
{
    if (!source) {
        std::printf("MIXER[%s] : no source, channel not added\n", name);
        return 0;
    }
    int channel = slot == -1 ? count : slot;
    if (count >= CHANNELS || channel < 0 || channel >= CHANNELS) {
        std::printf("MIXER[%s] : all %d channels are taken, channel not added\n", name, CHANNELS);
        return 0;
    }
    inputs[channel].source = &source->value;
    // The input is stored before count grows, but the fence pairs with no
    // acquire on the audio thread, which reads count plainly.
    std::atomic_thread_fence(std::memory_order_release);
    ++count;
    return 1;
}

int MIXER::evolue()
{
    float sum = 0.0f;
    int n = 0;
    if (power != 0) {
        for (int i = 0; i < count; ++i) {
            if (bypass[i] == 1.0f || !inputs[i].source)
                continue;
            sum += *inputs[i].source * gain[i];
            ++n;
        }
    }
    value = n >= 1 ? sum / n : 0.0f;
    return 1;
}
