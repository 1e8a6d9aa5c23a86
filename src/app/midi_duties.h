// What the window's loop does for the MIDI input besides the notes (which the
// audio thread plays): the CLOCK pad, the clock's tempo on the system
// dashboard, and the control changes that bind and turn knobs
// (panels/controller_bindings.h). Main thread.
#pragma once

class SYSTEM_DASH;

// The CLOCK pad: the sequencers follow the MIDI clock, or their own time.
void toggle_midi_clock();

// Every pass: the pad and the tempo on the dashboard (null: none); true when
// the tempo shown (to a tenth) changed, so the view must be redrawn.
bool show_midi_clock(SYSTEM_DASH *dash);

// Every pass: the control changes queued since, the latest of each controller
// only (a controller sends many while it moves), each binding the knob
// waiting or turning the knobs bound to it; what they say goes to the status
// line. True when any came.
bool take_control_changes();
