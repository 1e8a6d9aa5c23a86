// Works out the order in which the generator computes its patch a sub-block
// at a time (synth/walk_plan.h) from the patch's lists and connections, and
// hands it to the generator. Main thread.
#pragma once

#include "synth/generator.h"

// Makes a plan for the patch as it is now and publishes it, unless the one
// published is still for the patch as it is: cheap to call at every pass of
// the main loop.
void plan_walk(GENERATOR &g);
