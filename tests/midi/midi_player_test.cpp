// The notes as the render callback plays them, sub-block by sub-block: in
// order, and a note-on with its note-off in one sub-block still sounds for
// one, the messages behind it waiting with it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "midi/midi_player.h"
#include "synth/keyboard.h"

namespace {

TEST(MidiPlayer, ANoteAsShortAsYouLikeOpensTheGateForOneSubBlock)
{
    KEYBOARD keyboard;
    const std::vector<KEYBOARD *> keyboards = {&keyboard};
    MIDI_PLAYER player;
    std::string gates; // the gate at each sub-block
    auto sub_block = [&] {
        player.play(keyboards);
        gates += keyboard.state ? '1' : '0';
    };
    for (MidiMessage m : {MidiMessage{0x90, 60, 100}, MidiMessage{0x80, 60, 0},
                          MidiMessage{0x90, 64, 100}, MidiMessage{0x90, 64, 0}})
        player.queue.push(m); // two short notes, all within one sub-block
    sub_block();
    EXPECT_EQ(keyboard.octave * 12 + keyboard.note, 60 - 11);
    sub_block(); // the first let go, the second pressed
    EXPECT_EQ(keyboard.octave * 12 + keyboard.note, 64 - 11);
    sub_block();
    sub_block();
    EXPECT_EQ(gates, "1100");

    player.queue.push({0x90, 67, 100});
    sub_block();
    player.forget(); // the patch replaced: the held note is nobody's now
    player.queue.push({0x80, 67, 0});
    keyboard.Touch_note(1, 0);
    sub_block();
    EXPECT_EQ(gates, "110011") << "a release of a forgotten note touches nothing";
    player.play({}); // the keyboard taken out of the patch
}

} // namespace
