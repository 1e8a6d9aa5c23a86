// Adding modules to the patch that plays and taking them away, safe while
// the sound plays: the lists publish every change (synth/module_list.h) and
// a module taken away is kept whole until no callback can hold it.
#pragma once

#include <string>

#include "modules/module.h"

// Past this many modules a patch takes no more: a patch that size already
// asks more than the sound leaves a machine.
constexpr size_t MODULE_LIMIT = 1000;

// The next free name of the kind in the patch files' style: its prefix
// ("VCO", "KEY", ...), '_' and one more than the highest number any module
// named so bears ("VCO_5" after "VCO_4"); never a name in use.
std::string next_free_name(const GENERATOR &g, MODULE_KIND kind);

// How many modules the patch holds.
size_t module_count(const GENERATOR &g);

// A new module of the kind, with a patch file's defaults and the next free
// name, at the end of its list (evaluated after the others of its kind),
// plugged into nothing. None, with why, at the module limit.
MODULE add_module(GENERATOR &g, MODULE_KIND kind, std::string &why);

// A new module of the kind with a patch file's defaults, named so, at index
// `at` of its list (at most its length), plugged into nothing. No limit
// is checked: what a patch held once it may hold again.
MODULE insert_module(GENERATOR &g, MODULE_KIND kind, const char *name, size_t at);

// Takes m out of the patch: every input that reads it is unplugged (a mixer
// channel stays counted, fed by nothing), every input of its own released,
// then it leaves its list. The patch's output mixer, and a module no longer
// in the patch (removed twice), cannot be removed: false, with why.
bool remove_module(GENERATOR &g, const MODULE &m, std::string &why);

// Unplugs every input of the patch that reads one of m's outputs.
void unplug_readers_of(GENERATOR &g, const MODULE &m);
