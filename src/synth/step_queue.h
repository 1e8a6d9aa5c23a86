// Sequencer steps on their way from the audio thread to the user interface.
//
// The audio thread must not push SDL events (that takes a lock and may
// allocate), so a sequencer hands each fired step to a fixed lock-free queue:
// one producer (the thread that renders), one consumer (the main thread).
// When the queue is full the step is dropped and counted, never waited for.
// The interface takes the queued steps before it polls its events
// (ui/views/step_events.h turns them into SDL events).
#pragma once

class SEQUENCER;

// Audio thread: queues one fired step of s; false (dropped) when full.
bool queue_step_event(SEQUENCER *s);

// Main thread: hands every queued step, oldest first, to take, until take
// returns false (it could not take that one, which stays queued for the next
// call). Returns the number taken.
int take_step_events(bool (*take)(SEQUENCER *s));

// Main thread, while no callback evaluates s: forgets every step of s still
// queued. A sequencer does this when it is destroyed.
void forget_queued_steps(const SEQUENCER *s);

// Steps dropped because the queue was full, since the program started.
unsigned long dropped_step_events();
