// MIDI input: one input port of the program's own, on the JACK server when
// one runs, else on the ALSA sequencer, read by the MIDI library's thread.
//
// That thread only queues note messages (lock-free, see midi_queue.h) and
// wakes the main loop; it never touches a module. The main loop plays the
// queued notes on the running patch through apply_midi_input().
#pragma once

#include <cstdio>
#include <string>

class KEYBOARD;

// The name of the program's MIDI input port. Its client is "qmodular" on the
// ALSA sequencer and "qmodular-midi" on JACK, where "qmodular" is the client
// of the sound output.
constexpr const char *MIDI_PORT_NAME = "midi_in";

// Opens the port, and when source is not empty connects to it the first
// source port (a MIDI output of another program or device) whose name
// contains source. Says in one line on messages what it opened and what it
// connected, or why there is no MIDI input; returns false in that case, and
// the program plays on without MIDI.
bool open_midi_input(const std::string &source, FILE *messages);

// Closes the port; no message is queued afterwards. Idempotent.
void close_midi_input();

// Main thread: plays every queued message on the keyboards of the running
// patch (gen), in arrival order; returns how many were taken. The console
// loop calls it once per pass; the window's main loop calls it the same way,
// once per pass before it handles its events.
int apply_midi_input();

// Main thread, while the running patch is replaced: the notes held on it are
// forgotten (MidiKeys::forget).
void forget_held_midi_notes();
// Main thread, before a keyboard taken out of the running patch is freed.
void forget_held_midi_notes_of(const KEYBOARD *keyboard);

// A descriptor that turns readable when a message is queued, so that a loop
// waiting on it plays the note at once; apply_midi_input() clears it. -1
// while no port is open.
int midi_wake_fd();

// Messages lost because the queue was full, since the program started.
unsigned long dropped_midi_messages();
