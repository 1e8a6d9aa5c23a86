// The patch as the text of its file, in memory: what the edit history keeps
// of each state of the patch, and builds a patch from again.
#pragma once

#include <string>

#include "patch/patch_writer.h"

// The text write_patch writes.
std::string patch_snapshot(const GENERATOR &g, MORE_SECTIONS more = nullptr);

// Reads the modules, patterns and links of the text into g (an empty patch
// that does not play), as loading a file of that text would; false when the
// reading stopped at a fault (load_status and load_problem say which).
bool read_patch_snapshot(GENERATOR &g, const std::string &text);
