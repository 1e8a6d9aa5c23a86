// The order in which the generator computes a patch a sub-block at a time:
// every module after the modules it hears, each alone for a whole sub-block,
// except the modules of a feedback loop, which are computed frame by frame
// together in the walk's order. Modules are ranked by how long a chain of
// modules they hear at the end of (level), then by the walk's order, so that
// the modules of one class that do not hear each other (the oscillators of
// many voices, their filters) come in a row and can be computed side by side. Made on the main thread
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
        LIST list;    // the module's list, which says its class
        int together; // at the first of modules computed together: how many; 1 alone
        // At the first of modules computed alone, of one list, none hearing
        // another: how many (they may be computed side by side); else 0.
        int alike;
        OUTPUT *module;
    };
    // wiring_changes when it was made.
    unsigned wiring;
    std::vector<STEP> steps;
};
