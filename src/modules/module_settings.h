// A module's settings: what its declaration line in a patch file holds (its
// knobs, switches, steps and patterns), apart from its name and its cables.
#pragma once

#include "modules/module.h"

// Gives `to` the settings of `from`, a module of the same kind (a mixer's
// channels matched by their numbers in a patch file, so plug them first). A plain copy
// while the sound plays, as a knob turn is: the audio thread hears each value
// old or new, and all of them new from the next sample.
void copy_settings(const MODULE &from, const MODULE &to);
