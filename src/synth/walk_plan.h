// The order in which the generator computes a patch a sub-block at a time:
// every module after the modules it hears, each alone for a whole sub-block,
// except the modules of a feedback loop, which are computed frame by frame
// together in the walk's order. Made on the main thread
// (modules/walk_planner.h) for one set of lists and connections; the audio
// thread follows it only while wiring_changes (synth/ports.h), which counts
// the changes of both, has not moved since (GENERATOR::evaluate).
#pragma once

#include <cstdint>
#include <vector>

class OUTPUT;

struct WALK_PLAN {
    // The generator's lists, in walk order.
    enum LIST : uint8_t {
        SEQUENCERS,
        KEYBOARDS,
        OSCILLATORS,
        MIXERS,
        SAMPLERS,
        AMPLIFIERS,
        FILTERS,
        DELAYS,
        LIST_COUNT
    };
    struct STEP {
        LIST list;     // the module's list, which says its class
        int together;  // at the first of modules computed together: how many; 1 alone
        OUTPUT *module;
    };
    // wiring_changes when it was made.
    unsigned wiring;
    std::vector<STEP> steps;
};
