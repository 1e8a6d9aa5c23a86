// The notes of the MIDI input played where the sound is computed: at the
// start of every sub-block the render callback takes the messages queued
// since, in order, and plays them on the patch's keyboards (midi_keys.h). A
// note is then heard at most one block and one sub-block after it arrived,
// whatever the main thread is busy with.
//
// A note's gate stays open for one sub-block at least: a note-off that
// finds its note-on in the same sub-block waits for the next one (and the
// messages after it with it, so that the order holds), so that a note too
// short for the sound is still heard.
#pragma once

#include <vector>

#include "midi/midi_keys.h"
#include "midi/midi_queue.h"

class MIDI_PLAYER {
public:
    // Messages that wait for the next sub-block, at most.
    static constexpr int WAITING = 256;

    // The MIDI library's thread queues here.
    MidiQueue queue;

    // Audio thread, at the start of a sub-block: plays the messages waiting
    // and queued on the keyboards of the patch (the list it walks), forgetting
    // the notes held on keyboards no longer in it.
    void play(const std::vector<KEYBOARD *> &keyboards);
    // Forgets every held and waiting note. Only while no callback plays.
    void forget();

private:
    MidiKeys keys;
    MidiMessage waiting[WAITING];
    int waiting_count = 0;
};
