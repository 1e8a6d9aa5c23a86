// Sequencer steps on their way from the audio thread to the user interface.
//
// The audio thread must not push SDL events (that takes a lock and may
// allocate), so a sequencer hands each fired step to a fixed lock-free queue:
// one producer (the thread that renders), one consumer (the main thread).
// When the queue is full the step is dropped and counted, never waited for.
// The main thread turns the queued steps into SDL events before it polls.
#pragma once

class SEQUENCER;

// Audio thread: queues one fired step of s; false (dropped) when full.
bool queue_step_event(SEQUENCER *s);

// Main thread: turns every queued step into the SDL user event the panels
// expect (type SDL_USEREVENT, code 1, data1 = the sequencer's
// step_event_text, data2 = the sequencer) and pushes it, in order. Steps that
// do not fit into SDL's queue stay queued for the next call. Without an SDL
// event queue (video not initialised) the steps are only taken off. Returns
// the number of events pushed.
int post_step_events();

// Main thread, while no callback evaluates s: forgets every step of s still
// queued, here and in SDL's event queue. A sequencer does this when it is
// destroyed, so no event outlives its sequencer.
void forget_step_events(const SEQUENCER *s);

// Steps dropped because the queue was full, since the program started.
unsigned long dropped_step_events();
