// The sequencers' steps as SDL events: the user event the panels expect
// (type SDL_USEREVENT, code 1, data1 = the sequencer's step_event_text, data2
// = the sequencer), made on the main thread from the steps the audio thread
// queued (synth/step_queue.h).
#pragma once

class SEQUENCER;

// Turns every queued step into its SDL event and pushes it, in order. Steps
// that do not fit into SDL's queue wait for the next call. Without an SDL
// event queue (video not initialised) the steps are only taken off. Returns
// the number of events pushed.
int post_step_events();

// Forgets every step of s still on its way: queued, waiting, or in SDL's
// event queue. Whoever frees a sequencer while the window runs calls it
// first, so that no event outlives its sequencer.
void forget_step_events(const SEQUENCER *s);
