#include "synth/vca.h"

#include <cmath>

#include "synth/sample_rate.h"

namespace {

// One envelope clock tick: one sample period in single precision.
constexpr float TICK = 1.0f / (float)SAMPLE_RATE;

} // namespace

VCA::VCA()
    : OUTPUT(0.0f), INPUT_GATE(nullptr), INPUT(), release_time(0.0f), time(0.0f), invert(0),
      attack(1000.0f), peak(1.0f), decay(1000.0f), sustain(1.0f), release(1000.0f),
      last_level(0.0f), bypass(0)
{
    name[0] = '\0';
}

// On entry value holds the previous output (already inverted and multiplied by
// the input). The sustain stage, the release guard and the stage that holds
// the level all work from that previous output.
int VCA::evolue()
{
    bypass = INPUT_GATE::source ? 0 : 1;
    if (bypass) {
        value = 1.0f;
        return 1;
    }

    // Without an audio input the module outputs the bare envelope, so it can
    // serve as an envelope source for modulation inputs.
    const float input = INPUT::source ? *INPUT::source : 1.0f;

    if (gate_on()) {
        release_time = 0.0f;
        const float ms = time * 1000.0f;
        if (ms < attack) {
            value = ms * peak / attack;
            time += TICK;
            last_level = value;
        } else if (ms < attack + decay) {
            if (sustain == 0.0f) {
                value = peak - (ms - attack) * peak / decay;
                time += TICK;
            } else if (value > sustain) {
                // Falls by a thousandth per sample; time stays frozen so this
                // stage lasts as long as the gate is held.
                value = value - value / 1000.0f;
            } else {
                value = peak * sustain;
            }
            last_level = value;
        }
        if (invert)
            value = std::fabs(value - 1.0f);
        value = value * input;
    } else {
        time = 0.0f;
        // A release ends after `release` ms, or as soon as the output is
        // exactly 0; afterwards the previous output keeps being multiplied by
        // the input.
        if (release != 0.0f && value != 0.0f && release >= release_time * 1000.0f) {
            release_time += TICK;
            value = last_level - (release_time * 1000.0f) * last_level / release;
        }
        if (invert)
            value = std::fabs(value - 1.0f);
        value = value * input;
    }
    return 1;
}
