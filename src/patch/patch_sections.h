// The sections of a patch file, read from a file that is already open.
// GENERATOR::load_QSY and GENERATOR::load_QSY_link open the file by its path
// and call these; tests and fuzzers hand them text in memory.
#pragma once

#include <cstdio>
#include <string>

#include "modules/module.h"
#include "synth/generator.h"

// Builds the modules declared before "END_OBJECTS_DECLARE" and inserts each at
// the front of its list. Returns 1; returns 0 after a fatal fault (an empty key
// field, a sample file that cannot be loaded), which also sets load_status to
// -1 and load_problem and stops the reading at once, and for text that is not
// a patch (no "BEGIN_OBJECTS_DECLARE" and no module declared: random bytes, an
// empty file), with load_status 1.
int read_module_section(GENERATOR &g, FILE *file);

// Reads the steps of patterns 1 to 31 written between "BEGIN_PATTERNS_DECLARE"
// and "END_PATTERNS_DECLARE", after the link section (where earlier builds,
// which keep every sequencer in one line of at most 7999 characters, never
// look): one line per pattern, the sequencer's name, then its step keys.
// Lines naming no sequencer of the patch are reported and skipped. Returns 1.
int read_pattern_section(GENERATOR &g, FILE *file);
// Writes that section: one line for each pattern from 1 to 31 of each
// sequencer that holds anything but a new sequencer's steps.
void write_pattern_section(const GENERATOR &g, FILE *file);

// Reads the modules, patterns and links of a patch file's text into g (an
// empty patch that does not play), as loading the file would; false when the
// reading stopped at a fault (load_status and load_problem say which).
bool read_patch_snapshot(GENERATOR &g, const std::string &text);

// Binds the inputs declared between "BEGIN_LINKS_DECLARE" and
// "END_LINKS_DECLARE" to the outputs of modules that already exist. Returns 1;
// returns 0 after a fatal fault (an empty link field), which also sets
// load_status to -1 and load_problem and stops the reading at once.
int read_link_section(GENERATOR &g, FILE *file);

// The link section: "BEGIN_LINKS_DECLARE", one line per module (keyboards,
// oscillators, samplers, amplifiers, sequencers, filters, mixers, each in its
// list's order) naming the module and "KEY=SOURCE;" for every plugged input
// whose source is a module of the patch (a mixer's channels in order), the
// output line "OUTPUT_1;NAME;" naming the mixer the patch plays, and
// "END_LINKS_DECLARE". A module that takes audio writes its line even when
// nothing is plugged; a sequencer only when its reset input is.
void write_link_section(const GENERATOR &g, FILE *file);
// The line of one module; false (nothing written) for a module that has none.
bool write_links_of(const GENERATOR &g, const MODULE &m, FILE *file);
