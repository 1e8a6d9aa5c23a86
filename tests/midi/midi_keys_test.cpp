// MIDI notes on the keyboard modules: pitch from the note number, last-note
// priority, the channel rule, and what is ignored. The MIDI keyboard's
// end-to-end test plays the plainer cases (note 69 at 440 Hz, an older note
// released, velocity 0, one keyboard hearing every channel) through JACK.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "midi/midi_keys.h"
#include "synth/generator.h"

namespace {

constexpr uint8_t ON = 0x90, OFF = 0x80, CONTROL = 0xb0;

// What a keyboard shows after a sequence: its gate, the entry of NOTE2FREQ it
// plays (octave * 12 + note), and whether the last message asked it for a
// sync pulse. Its octave, the player's setting, stays as it was.
struct Shown {
    int gate, entry, sync;
};

struct Case {
    const char *what;
    std::vector<const char *> keyboards;
    std::vector<MidiMessage> messages; // channel in the status byte's low four bits
    std::vector<Shown> expected;       // one per keyboard
};

// A fresh keyboard shows gate 0, octave 4, note 1.
const Shown REST = {0, 4 * 12 + 1, 0};

const Case CASES[] = {
    {"the lowest note of the table and the highest MIDI note",
     {"KEYBOARD_1"},
     {{ON, 11, 1}, {ON, 127, 1}},
     {{1, 116, 1}}},
    {"notes below the table are ignored", {"KEYBOARD_1"}, {{ON, 10, 100}, {ON, 0, 100}}, {REST}},
    {"releasing the newest returns to the previous one, re-triggered",
     {"KEYBOARD_1"},
     {{ON, 60, 100}, {ON, 64, 100}, {ON, 67, 100}, {OFF, 67, 0}},
     {{1, 53, 1}}},
    {"releasing the last held note closes the gate",
     {"KEYBOARD_1"},
     {{ON, 60, 100}, {ON, 64, 100}, {OFF, 60, 0}, {OFF, 64, 0}},
     {{0, 53, 0}}},
    {"a note pressed twice is held once",
     {"KEYBOARD_1"},
     {{ON, 60, 100}, {ON, 60, 100}, {OFF, 60, 64}},
     {{0, 49, 0}}},
    {"a release of a note never pressed changes nothing",
     {"KEYBOARD_1"},
     {{ON, 60, 100}, {OFF, 61, 0}},
     {{1, 49, 0}}},
    {"other messages are ignored",
     {"KEYBOARD_1"},
     {{CONTROL, 69, 100}, {0xe0, 0, 64}, {0xa0, 69, 3}},
     {REST}},
    {"channels 1, 2, 3 play KEY_1, KEY_2, KEY_3",
     {"KEY_3", "KEY_1", "KEY_2"},
     {{ON, 35, 100}, {ON | 1, 47, 100}, {ON | 2, 59, 100}},
     {{1, 48, 1}, {1, 24, 0}, {1, 36, 0}}},
    {"each keyboard holds its own notes",
     {"KEY_1", "KEY_2"},
     {{ON, 60, 100}, {ON | 1, 62, 100}, {OFF, 60, 0}},
     {{0, 49, 0}, {1, 51, 0}}},
    {"channel 4 plays nothing when there are several keyboards",
     {"KEY_1", "KEY_2"},
     {{ON | 3, 60, 100}},
     {REST, REST}},
};

TEST(MidiKeys, SequencesShowTheExpectedNotes)
{
    for (const Case &c : CASES) {
        SCOPED_TRACE(c.what);
        GENERATOR patch;
        std::vector<std::unique_ptr<KEYBOARD>> owned;
        for (const char *name : c.keyboards) {
            owned.push_back(std::make_unique<KEYBOARD>());
            std::strcpy(owned.back()->name, name);
            patch.keyboards.push_back(owned.back().get());
        }
        MidiKeys keys;
        for (const MidiMessage &m : c.messages) {
            for (KEYBOARD *k : patch.keyboards)
                k->pending = 0;
            keys.apply(patch.keyboards.items(), m);
        }
        for (size_t i = 0; i < owned.size(); ++i) {
            const KEYBOARD &k = *owned[i];
            const Shown &e = c.expected[i];
            EXPECT_EQ((std::vector<int>{e.gate, e.entry, e.sync}),
                      (std::vector<int>{k.state.load(), k.octave * 12 + k.note, k.pending.load()}))
                << c.keyboards[i] << ": gate, entry, sync";
            EXPECT_EQ(k.octave, KEYBOARD::DEFAULT_OCTAVE) << c.keyboards[i];
        }
    }
}

TEST(MidiKeys, HeldNotesBelongToOnePatch)
{
    GENERATOR first, second;
    KEYBOARD a, b;
    first.keyboards.push_back(&a);
    second.keyboards.push_back(&b);
    MidiKeys keys;
    keys.apply(first.keyboards.items(), {ON, 60, 100});
    keys.apply(first.keyboards.items(), {ON, 64, 100});
    // After a patch change the notes held on the old one are forgotten: their
    // release does not touch the new patch's keyboard.
    keys.forget();
    keys.apply(second.keyboards.items(), {ON, 67, 100});
    keys.apply(second.keyboards.items(), {OFF, 64, 0});
    EXPECT_EQ(1, b.state);
    EXPECT_EQ(8, b.note);
    keys.apply(second.keyboards.items(), {OFF, 67, 0});
    EXPECT_EQ(0, b.state);
}

} // namespace
