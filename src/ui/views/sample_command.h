// The file pad of a sampler's panel: the sample chooser, then the recording
// chosen loaded while the sound plays, or refused, as the status line says.
#pragma once

#include <string>

#include "synth/sampler.h"

// The pad's order (panels/sampler_gui.h choose_recording): the chooser over
// the samples directory, then the file taken played. Both views forget their
// picks: the pointer's events went to the chooser.
void change_recording(SAMPLER &sampler);

// Loads the file for the sampler and says in the window what it plays now,
// or why the file was refused and what it keeps playing. Whether it loaded.
bool play_recording_file(SAMPLER &sampler, const std::string &path);
