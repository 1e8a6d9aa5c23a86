// MIDI notes played on the keyboard modules of a patch. Main thread only: it
// writes the modules' note, gate and sync as the computer keyboard does, and
// the audio thread hears them at its next sample.
//
// Note-on m plays NOTE2FREQ entry m - 11 (entry 58 is 440 Hz, note 69): the
// keyboard keeps its octave, the player's setting, and takes the note that
// reaches the entry from it (outside 0 to 11 when need be), with the gate
// opened and a sync pulse; notes below the table are ignored. Each keyboard plays the newest of
// its held notes (last-note priority): releasing an older held note changes
// nothing, releasing the sounding one returns to the newest still held,
// re-triggered, and releasing the last one closes the gate. A note-on with
// velocity 0 is a note-off. Channel 1 plays "KEY_1", channel 2 "KEY_2",
// channel 3 "KEY_3"; a patch with a single keyboard hears every channel.
#pragma once

#include <cstdint>
#include <vector>

#include "midi/midi_queue.h"

class KEYBOARD;

// The audio thread plays the notes (midi/midi_player.h): nothing here
// allocates, locks or waits.
class MidiKeys {
public:
    static constexpr int KEYBOARDS = 16; // keyboards holding notes at once, at most

    // Plays one message on the keyboards of a patch (the list the audio
    // thread walks); anything but a note-on or a note-off, or a note for no
    // keyboard, is ignored.
    void apply(const std::vector<KEYBOARD *> &keyboards, const MidiMessage &m);
    // Forgets the notes held on keyboards that are not in the list (taken
    // out of the patch): a keyboard added later at the same address starts
    // with none.
    void keep_only(const std::vector<KEYBOARD *> &keyboards);
    // Forgets every held note, as the patch they are held on is replaced:
    // their releases then touch nothing of the next patch. Only while no
    // callback plays.
    void forget();

private:
    struct Held {
        KEYBOARD *keyboard = nullptr;
        int count = 0;
        uint8_t notes[128]; // oldest first; the last one sounds
    };

    Held *held_by(KEYBOARD *keyboard);
    void press(Held &h, int note);
    void release(Held &h, int note);

    Held held[KEYBOARDS];
};

// The keyboard that a MIDI channel (1 to 16) plays among a patch's
// keyboards, or null.
KEYBOARD *keyboard_of_channel(const std::vector<KEYBOARD *> &keyboards, int channel);
