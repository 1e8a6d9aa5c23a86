// From a bound input back to the panel that shows the module owning its
// source, from a module name to its panel, and from the pointer to the panel
// under it. The lookups walk the module panels of objets_globaux.
#pragma once

#include <vector>

#include "engine/objet.h"
#include "synth/ports.h"

// The panel whose module owns the output the input reads; null when the input
// is unbound or no panel's module owns it. Audio outputs: keyboards, samplers,
// amplifiers, filters, sequencers, oscillators and mixers, walking the list
// from its last panel to its first.
OBJET *get_OBJECT_by_OUTPUT(const INPUT *input);
// Gate outputs (keyboards and sequencers), from the last panel to the first.
OBJET *get_OBJECT_by_OUTPUT_GATE(const INPUT_GATE *input);
// Sync outputs (keyboards and sequencers), from the first panel to the last.
OBJET *get_OBJECT_by_OUTPUT_SYNC(const INPUT_SYNC *input);

// The panel whose module bears the name (mixers are not searched), from the
// last panel to the first; null when none.
OBJET *get_OBJECT_by_name(const char *name);

// The index in the list of the first panel whose rectangle holds (mouse_x,
// mouse_y), edges included; -1 when none. Where panels overlap the earlier one
// wins, although the later one is drawn on top.
int get_pointed_instrument(const std::vector<OBJET *> *list);
