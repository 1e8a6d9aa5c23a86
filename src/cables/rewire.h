// Rewiring the running patch from the cable editor. Every change of a module
// connection that the back view makes goes through these functions, and they
// make it only through the connection functions of synth/ports.h, so that
// each takes effect at the render callback's next sample and frees nothing a
// callback may be reading.
#pragma once

#include "engine/objet.h"
#include "synth/ports.h"

// The audio input of a module panel that a socket designates.
struct AUDIO_INPUT {
    enum ROLE { NONE, MAIN, MOD_FREQ, MOD_PHASE, MOD_PWM, MOD_AMP, CHANNEL };
    OBJET *panel = nullptr;
    ROLE role = NONE;
    int channel = 0; // CHANNEL: the mixer's channel
};

// On an oscillator or a filter, a socket name containing "INPUT_MOD_FREQ",
// "INPUT_MOD_PHASE", "INPUT_MOD_PWM" (oscillator only) or "INPUT_MOD_AMP",
// tested in that order, designates that modulation input, any other name the
// main input; on an amplifier, the main input; on a mixer, the n in "INPUT_n"
// designates channel n - 1 (NONE beyond the mixer's channels). Other panels
// have no audio input to bind (NONE).
AUDIO_INPUT audio_input_of(OBJET *panel, const char *socket_name);

// Plugs the input into source, or unplugs it (null). A modulation slot that
// has an input is re-pointed; an empty one gets an input of its own.
void plug_audio(const AUDIO_INPUT &input, OUTPUT *source);
// The gate input of an oscillator, amplifier or filter panel's module; other
// panels have none and nothing happens.
void plug_gate(OBJET *panel, OUTPUT_GATE *source);
// The sync input of an oscillator or filter panel's module.
void plug_sync(OBJET *panel, OUTPUT_SYNC *source);

// Whether the panel is a mixer's and all its channels are taken.
bool mixer_is_full(const OBJET *panel);
// Appends a channel fed by source to the panel's mixer. 1 when added.
int add_mixer_channel(OBJET *panel, OUTPUT *source);
