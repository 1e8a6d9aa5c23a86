// What a module panel shows, found from the panel's class: its kind, the name
// of its module and the module's outputs. Dashboards and other panels are of
// no kind and show no module.
#pragma once

#include "engine/objet.h"
#include "synth/ports.h"

// One bit per module panel class, so that a set of accepted classes is a mask.
enum PANEL_KIND : unsigned {
    NO_MODULE_PANEL = 0,
    VCO_PANEL = 1 << 0,
    VCA_PANEL = 1 << 1,
    VCF_PANEL = 1 << 2,
    SEQ_PANEL = 1 << 3,
    MIXER_PANEL = 1 << 4,
    SAMPLER_PANEL = 1 << 5,
    KEYBOARD_PANEL = 1 << 6,
};

PANEL_KIND kind_of(const OBJET *panel);
// The word naming the kind ("VCO", "VCA", "VCF", "SEQUENCEUR", "MIXER",
// "SAMPLER", "KEYBOARD"); null for no kind.
const char *kind_word(PANEL_KIND kind);
// The module's name from the patch file; null for a panel of no kind.
const char *module_name(const OBJET *panel);
// The module's audio output; null for a panel of no kind.
OUTPUT *audio_output(const OBJET *panel);
// The gate and sync outputs: keyboards and sequencers only, else null.
OUTPUT_GATE *gate_output(const OBJET *panel);
OUTPUT_SYNC *sync_output(const OBJET *panel);
