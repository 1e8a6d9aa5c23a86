// The output delay between the output mixer and the output tap: it passes its
// input through unchanged.
#pragma once

#include "synth/ports.h"

class SFX_DELAY : public OUTPUT, public INPUT, public INPUT_SYNC {
public:
    SFX_DELAY() = default;
    virtual ~SFX_DELAY() = default;
    int evolue() override
    {
        tick();
        return 1;
    }
    // One sample, without the virtual call (the generator's walk).
    void tick() { value = read_or(*this, 0.0f); }
};
