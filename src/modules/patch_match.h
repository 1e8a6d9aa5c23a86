// Making the patch that plays into another one in place, module by module,
// as the edits that lead from one to the other would: what undo and redo do.
// The modules both patches hold (the same kind and name) stay, and keep their
// sound's state; the others are removed or added; every setting and cable is
// then the other patch's. Safe while the sound plays, as each edit is.
#pragma once

#include <vector>

#include "modules/module.h"

struct PATCH_CHANGES {
    std::vector<MODULE> added;   // in the live patch now
    std::vector<MODULE> removed; // retired: kept whole until the patch frees them
};

// Makes live hold the modules of target, in target's order within each kind,
// with target's settings, cables and output mixer.
PATCH_CHANGES match_patch(GENERATOR &live, const GENERATOR &target);
