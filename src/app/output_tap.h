// Wiring of the output tap general_out to the patch's output mixer.
#pragma once

class GENERATOR;

// The name of the mixer whose signal is played.
constexpr const char *OUTPUT_MIXER_NAME = "MIXER_4";

// Points general_out at the value of the patch's "MIXER_4". Returns false,
// leaving the tap unconnected (silence), when the patch has no such mixer.
bool connect_output_tap(GENERATOR *patch);

// Puts an output delay between "MIXER_4" and general_out, at the front of
// the patch's delay list. Does nothing when the patch has no such mixer.
void insert_output_delay(GENERATOR *patch);
