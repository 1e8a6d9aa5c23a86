// Random edits of a patch, the same on any patch given the same seed: modules
// added and removed, cables moved, knobs turned, steps set.
#pragma once

#include <vector>

#include "modules/module.h"
#include "synth/generator.h"

// A new patch holding only its output mixer, as Ctrl+N makes it.
GENERATOR *empty_patch();

// Every module of the patch, kind after kind.
std::vector<MODULE> all_modules(const GENERATOR &g);

// One edit chosen by the two numbers.
void edit(GENERATOR &g, unsigned what, unsigned n);

// `edits` edits drawn from the seed (which also seeds std::rand, whence a new
// oscillator's phase); between(i) after each when given.
void edit_many(GENERATOR &g, unsigned seed, unsigned edits, void (*between)(unsigned i));
