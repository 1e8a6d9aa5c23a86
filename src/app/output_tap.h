// Wiring of the output tap general_out to the patch's output mixer.
#pragma once

class GENERATOR;

// Points general_out at the value of the patch's output mixer (its
// output_mixer). Returns false, leaving the tap unconnected (silence), when
// the patch has no such mixer.
bool connect_output_tap(GENERATOR *patch);

// Puts an output delay between the output mixer and general_out, at the front
// of the patch's delay list. Does nothing when the patch has no such mixer.
void insert_output_delay(GENERATOR *patch);
