// Building the running patch, and replacing it while the sound plays.
#pragma once

#include <cstdio>

class GENERATOR;

// Why the patch file at path cannot be read (it is missing, a folder, not
// readable), or null when it can. Start-up and offline rendering refuse such
// a file instead of playing an empty patch.
const char *unreadable_patch_reason(const char *path);

// Builds the patch of path into gen and points the output tap at its output
// mixer, saying on messages when there is none. Returns the patch's load
// status: 0, or the exit status of a fatal fault in the file.
int load_running_patch(const char *path, FILE *messages);

// Stops rendering and waits until no callback evaluates the running patch,
// makes next the running patch (gen) with the output tap on its output mixer,
// frees the old patch and its modules, and resumes rendering. next plays
// without an output delay. Step events of the old sequencers still queued
// (step_events.h) are dropped before the sequencers are freed, and the MIDI
// notes held on the old patch are forgotten.
void replace_patch(GENERATOR *next);

// Frees a patch that no callback evaluates, with all its modules.
void discard_patch(GENERATOR *patch);
