// Modulation inputs taken out of their slot while the sound may be playing.
// A callback may still hold one for the sample it is computing, so they are
// kept here and freed only once no callback can be evaluating any module.
// Never used on the audio thread.
#pragma once

#include "synth/ports.h"

// Keeps in (null is ignored) until free_retired_inputs().
void retire_input(INPUT *in);

// Puts input into a modulation slot (null empties it). The input it replaces
// is retired, not freed: a callback may be reading it. The slot's module owns
// input from then on.
void set_modulation(MOD_SLOT &slot, INPUT *input);

// Frees every retired input. Call only when no callback evaluates a patch
// (stop_rendering() does, once it has waited for the callbacks).
void free_retired_inputs();

// How many inputs wait to be freed.
int retired_input_count();
