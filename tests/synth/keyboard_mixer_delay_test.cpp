// The keyboard, the mixer and the output delay.
#include <gtest/gtest.h>

#include "synth/keyboard.h"
#include "synth/mixer.h"
#include "synth/note2freq.h"
#include "synth/sfx_delay.h"

namespace {

struct Source : OUTPUT {
    explicit Source(float v = 0.0f) : OUTPUT(v) {}
    int evolue() override { return 1; }
};

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override { fill_NOTE2FREQ(); }
    KEYBOARD kb;
};

} // namespace

TEST_F(Keyboard, AtRestPlaysMiddleCWithGateClosed)
{
    kb.evolue();
    EXPECT_FLOAT_EQ(kb.value, (float)NOTE2FREQ[49]);
    EXPECT_EQ(kb.state, 0);
    EXPECT_EQ(kb.pulse, 0);
}

TEST_F(Keyboard, KeyPressOpensGateAndSyncsForOneSample)
{
    kb.Touch_note(3, 3);
    kb.evolue();
    EXPECT_EQ(kb.state, 1);
    EXPECT_EQ(kb.pulse, 1);
    EXPECT_FLOAT_EQ(kb.value, (float)NOTE2FREQ[4 * 12 + 3]);
    kb.evolue();
    EXPECT_EQ(kb.pulse, 0);
    EXPECT_EQ(kb.state, 1) << "the gate stays open until the key is released";
    kb.UNTRIG();
    kb.evolue();
    EXPECT_EQ(kb.state, 0);

    kb.Touch_note(0, 0);
    kb.evolue();
    EXPECT_EQ(kb.state, 1);
    EXPECT_EQ(kb.pulse, 0);

    // Switched off, a keyboard takes no notes.
    kb.UNTRIG();
    kb.power = 0;
    kb.Touch_note(5, 5);
    kb.evolue();
    EXPECT_EQ(kb.state, 0);
    EXPECT_EQ(kb.pulse, 0);
}

TEST_F(Keyboard, NoteOutsideTheTableHoldsTheLastPitch)
{
    kb.set_octave(2);
    kb.set_note(5);
    kb.evolue();
    const float held = kb.value;
    kb.set_octave(200);
    kb.evolue();
    EXPECT_EQ(kb.value, held);
    kb.set_octave(-1);
    kb.evolue();
    EXPECT_EQ(kb.value, held);
}

TEST(Mixer, OutputsTheMeanOfContributingChannels)
{
    Source a(0.5f), b(-0.1f);
    MIXER m;
    ASSERT_EQ(m.ajoute_en_entree(&a, -1), 1);
    ASSERT_EQ(m.ajoute_en_entree(&b, -1), 1);
    m.evolue();
    EXPECT_NEAR(m.value, 0.2f, 1e-6);

    a.value = 0.6f;
    m.bypass[0] = 1.0f;
    m.evolue();
    EXPECT_NEAR(m.value, -0.1f, 1e-6);
    m.bypass[0] = 0.5f; // only exactly 1.0 switches a channel off
    m.gain[1] = 0.0f;
    m.evolue();
    EXPECT_NEAR(m.value, 0.3f, 1e-6);

    m.power = 0;
    m.evolue();
    EXPECT_EQ(m.value, 0.0f);
}

TEST(Mixer, EmptyOrDisconnectedChannelsGiveSilence)
{
    MIXER m;
    m.evolue();
    EXPECT_EQ(m.value, 0.0f);
    Source a(0.7f);
    m.ajoute_en_entree(&a, -1);
    m.inputs[0].source = nullptr; // the cable editor unplugged it
    m.evolue();
    EXPECT_EQ(m.value, 0.0f);
}

TEST(Mixer, TwentyFourChannelsAtMostAndNullSourcesRefused)
{
    Source s(0.5f);
    MIXER m;
    EXPECT_EQ(m.ajoute_en_entree(nullptr, -1), 0);
    EXPECT_EQ(m.count, 0);
    for (int i = 0; i < MIXER::CHANNELS; ++i)
        ASSERT_EQ(m.ajoute_en_entree(&s, -1), 1);
    EXPECT_EQ(m.ajoute_en_entree(&s, -1), 0);
    EXPECT_EQ(m.ajoute_en_entree(&s, 3), 0);
    EXPECT_EQ(m.count, MIXER::CHANNELS);
    // Channels 12 to 23 start like the first twelve.
    EXPECT_EQ(m.gain[20], 1.0f);
    EXPECT_EQ(m.bypass[20], 0.0f);
    m.evolue();
    EXPECT_NEAR(m.value, 0.5f, 1e-6);
}

TEST(Delay, PassesItsInputThrough)
{
    SFX_DELAY d;
    d.evolue();
    EXPECT_EQ(d.value, 0.0f) << "an unconnected delay is silent";
    Source in(0.3f);
    d.INPUT::source = &in.value;
    for (float v : {0.3f, -0.9f, 1.5f}) {
        in.value = v;
        d.evolue();
        EXPECT_EQ(d.value, v);
    }
}
