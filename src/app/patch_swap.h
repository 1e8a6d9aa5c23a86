// Replacing the running patch while the sound plays.
#pragma once

class GENERATOR;

// Stops rendering and waits until no callback evaluates the running patch,
// makes next the running patch (gen) with the output tap on its "MIXER_4",
// frees the old patch and its modules, and resumes rendering. next plays
// without an output delay.
void replace_patch(GENERATOR *next);

// Frees a patch that no callback evaluates, with all its modules.
void discard_patch(GENERATOR *patch);
