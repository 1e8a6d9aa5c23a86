// The keys of one module declaration: each reads one KEY=VALUE field into the
// module it was declared for. Every key word is looked for anywhere in the
// field, in a fixed order, and a field may hold several.
#pragma once

#include <string>

#include "synth/keyboard.h"
#include "synth/mixer.h"
#include "synth/pcf.h"
#include "synth/sampler.h"
#include "synth/sequencer.h"
#include "synth/vca.h"
#include "synth/vco.h"

// Each returns why the load must end, in plain words, for the one fault that
// ends it (a sample file that cannot be loaded: "samples/kick.wav: no such
// file or directory"), else nothing; anything else it cannot read is reported
// with the token number (line) and left out.
std::string read_key(SEQUENCER *seq, const char *field, int line);
std::string read_key(PCF *filter, const char *field, int line);
std::string read_key(SAMPLER *sampler, const char *field, int line);
std::string read_key(VCO *osc, const char *field, int line);
std::string read_key(VCA *amp, const char *field, int line);
std::string read_key(MIXER *mixer, const char *field, int line);
std::string read_key(KEYBOARD *keyboard, const char *field, int line);
