// MIDI input: one input port of the program's own, on the JACK server when
// one runs, else on the ALSA sequencer, read by the MIDI library's thread.
//
// That thread only queues note messages (lock-free, see midi_queue.h); it
// never touches a module. The render callback plays the queued notes on the
// running patch through play_midi_notes(), so that a note is heard as soon
// as the sound can carry it, whatever the main thread is doing.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class KEYBOARD;
class SEQUENCER;

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

// Audio thread, at the start of every sub-block: plays the queued messages
// on the keyboards and sequencers of the running patch (the lists it walks),
// in arrival order (midi/midi_player.h); the sub-block is so many frames.
void play_midi_notes(const std::vector<KEYBOARD *> &keyboards,
                     const std::vector<SEQUENCER *> &sequencers, int frames);

// Whether the sequencers follow the MIDI clock (--midi-clock, the CLOCK pad),
// and its tempo in beats a minute (0 while none comes).
void follow_midi_clock(bool follow);
bool following_midi_clock();
float midi_clock_tempo();

// Main thread, while the running patch is replaced and no callback plays:
// the notes held on it are forgotten.
void forget_held_midi_notes();

// Whether the port is open.
bool midi_input_open();

// Messages lost because the queue was full, since the program started.
unsigned long dropped_midi_messages();
