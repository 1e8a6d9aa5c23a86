// The notes as the render callback plays them, sub-block by sub-block: in
// order, and a note-on with its note-off in one sub-block still sounds for
// one, the messages behind it waiting with it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "midi/midi_player.h"
#include "synth/note2freq.h"
#include "synth/sequencer.h"
#include "synth/keyboard.h"

namespace {

TEST(MidiPlayer, ANoteAsShortAsYouLikeOpensTheGateForOneSubBlock)
{
    KEYBOARD keyboard;
    const std::vector<KEYBOARD *> keyboards = {&keyboard};
    MIDI_PLAYER player;
    std::string gates; // the gate at each sub-block
    auto sub_block = [&] {
        player.play(keyboards, {});
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
    player.play({}, {}); // the keyboard taken out of the patch
}

// Two sequencers following a clock, sample by sample as the render callback
// plays them: one at divider 1 (a step each 6 pulses), one at divider 12 (two
// steps a pulse).
struct ClockRig {
    SEQUENCER slow, fast;
    MIDI_PLAYER player;
    long now = 0; // frames played
    std::vector<std::pair<long, int>> slow_onsets, fast_onsets; // (frame, step fired)
    std::vector<long> pulses; // when each pulse was sent

    ClockRig()
    {
        fill_NOTE2FREQ();
        slow.divider = slow.wished_divider = 1.0f;
        fast.divider = fast.wished_divider = 12.0f;
        player.follow = true;
    }
    // Plays until frame `until`, the message (if any) arriving at the start.
    void play_until(long until, uint8_t message = 0)
    {
        if (message != 0)
            player.queue.push({message, 0, 0});
        if (message == 0xf8)
            pulses.push_back(now);
        while (now < until) {
            player.play({}, {&slow, &fast});
            for (int i = 0; i < GENERATOR::SUB_BLOCK; ++i, ++now)
                for (auto [s, onsets] : {std::pair{&slow, &slow_onsets}, {&fast, &fast_onsets}}) {
                    const int before = s->current_step;
                    s->run(i, i + 1);
                    if (s->current_step != before && s->current_step > 0) // fired, not wrapped
                        onsets->push_back({now, s->current_step - 1});
                }
        }
    }
    // Pulses at `bpm` for `count` pulses, each at the next sub-block.
    void pulse(double bpm, int count)
    {
        const double apart = 44100 * 60.0 / (24 * bpm);
        const double first = static_cast<double>(now);
        for (int k = 0; k < count; ++k)
            play_until(static_cast<long>(first + (k + 1) * apart), 0xf8);
    }
};

TEST(MidiPlayer, SequencersFollowTheClockStartStopContinueAndItsTempo)
{
    ClockRig r;
    r.play_until(44100 + 64);
    EXPECT_EQ(r.slow_onsets.size(), 1u) << "no clock yet: the sequencer keeps its own time";
    r.slow_onsets.clear();
    r.fast_onsets.clear();

    r.play_until(r.now + 64, 0xfa); // Start
    r.pulse(120, 48);
    ASSERT_EQ(r.slow_onsets.size(), 8u);
    for (size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(r.slow_onsets[k].second, static_cast<int>(k)) << "from step 0, in order";
        const long late = r.slow_onsets[k].first - r.pulses[6 * k];
        EXPECT_TRUE(late >= 0 && late <= GENERATOR::SUB_BLOCK) << "step " << k << " " << late;
    }
    EXPECT_EQ(r.fast_onsets.size(), 96u) << "two steps a pulse";
    EXPECT_NEAR(r.fast_onsets[91].first - r.fast_onsets[90].first, 918.75 / 2, 2.0);
    EXPECT_NEAR(r.player.tempo.load(), 120.0f, 1.0f);

    r.play_until(r.now + 64, 0xfc); // Stop
    EXPECT_EQ(r.slow.state.load(), 0) << "Stop closes the gate";
    const size_t stopped_at = r.slow_onsets.size();
    r.pulse(120, 24);
    EXPECT_EQ(r.slow_onsets.size(), stopped_at) << "halted while stopped";

    r.play_until(r.now + 64, 0xfb); // Continue
    r.pulse(140, 48);
    ASSERT_GT(r.slow_onsets.size(), stopped_at);
    EXPECT_EQ(r.slow_onsets[stopped_at].second, 8) << "on from where it stopped";
    EXPECT_NEAR(r.player.tempo.load(), 140.0f, 1.0f);

    r.play_until(r.now + 2 * 44100 + 128); // the clock went silent
    EXPECT_EQ(r.player.tempo.load(), 0.0f);
    EXPECT_EQ(r.slow.state.load(), 0) << "silence counts as Stop";
    EXPECT_FALSE(r.slow.clock_running);

    r.slow_onsets.clear();
    r.play_until(r.now + 64, 0xfa); // Start again
    r.pulse(120, 1);
    ASSERT_EQ(r.slow_onsets.size(), 1u);
    EXPECT_EQ(r.slow_onsets[0].second, 0) << "Start plays step 0 on its first pulse";
}

} // namespace
