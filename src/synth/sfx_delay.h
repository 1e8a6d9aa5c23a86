// The output delay between the output mixer and the output tap: it passes its
// input through unchanged.
// Audio thread: latch_inputs(), run(), evolue().
#pragma once

#include "synth/ports.h"

class SFX_DELAY : public OUTPUT, public INPUT, public INPUT_SYNC {
public:
    SFX_DELAY() = default;
    virtual ~SFX_DELAY() = default;
    int evolue() override
    {
        latch_inputs(STANDALONE);
        run(0, 1);
        return 1;
    }
    // The module protocol of ports.h; latches the input.
    void latch_inputs(int reader) { INPUT::latch(reader); }
    void run(int from, int to) { run_by_frames(this, from, to); }
    void frame(int k) { value = read_or(*this, k, 0.0f); }
};
