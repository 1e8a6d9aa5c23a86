// Envelope amplifier: stages, release, inversion and the unconnected cases.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iterator>

#include "synth/module_helpers.h"
#include "synth/vca.h"

using module_test::Source;

namespace {

// An amplifier wired to a gate and a constant audio input.
struct Rig {
    OUTPUT_GATE gate{0};
    Source in{1.0f};
    VCA vca;
    Rig()
    {
        vca.INPUT_GATE::source = &gate.state;
        vca.INPUT::source = &in.value;
    }
    float step()
    {
        vca.evolue();
        return vca.value;
    }
    // Runs n samples and returns the last output.
    float run(int n)
    {
        for (int i = 0; i < n; ++i)
            vca.evolue();
        return vca.value;
    }
};

} // namespace

// An amplifier never puts a constant on the output: without a gate it passes
// its input through (silence without one, whatever the patch file said of its
// bypass), and switched off it is silent, gate or not.
TEST(Vca, WithoutGateItPassesItsInputAndSwitchedOffItIsSilent)
{
    struct CASE {
        bool gate, input;
        int power;
        float expected; // for an input of 0.3, the gate held open
    };
    const CASE cases[] = {
        {false, true, 1, 0.3f}, {false, false, 1, 0.0f}, {true, true, 0, 0.0f},
        {false, true, 0, 0.0f}, {true, false, 0, 0.0f},
    };
    for (const CASE &c : cases) {
        OUTPUT_GATE gate{1};
        Source in(0.3f);
        VCA vca;
        vca.attack = 0.0f; // a gated amplifier would jump to its sustain
        vca.power = c.power;
        if (c.gate)
            vca.INPUT_GATE::source = &gate.state;
        if (c.input)
            vca.INPUT::source = &in.value;
        for (int i = 0; i < 3; ++i) {
            vca.evolue();
            EXPECT_EQ(vca.value, c.expected) << c.gate << c.input << c.power << " sample " << i;
        }
    }
}

TEST(Vca, AttackRisesByPeakOver441PerSampleForTenMilliseconds)
{
    Rig r;
    r.vca.attack = 10.0f;
    r.gate.TRIG();
    for (int k = 0; k < 441; ++k)
        ASSERT_NEAR(r.step(), k / 441.0f, 1e-4f) << "sample " << k;
    EXPECT_NEAR(r.step(), 1.0f, 2e-3f);
}

TEST(Vca, AttackAndDecayZeroStaySilent)
{
    Rig r;
    r.vca.attack = 0.0f;
    r.vca.decay = 0.0f;
    r.gate.TRIG();
    EXPECT_EQ(r.run(1000), 0.0f);
}

TEST(Vca, SustainFallsByAThousandthPerSampleThenHolds)
{
    Rig r;
    r.vca.attack = 10.0f;
    r.vca.sustain = 0.5f;
    r.gate.TRIG();
    r.run(442); // the whole attack
    int fall = 0;
    while (r.step() > 0.5f && fall < 5000)
        ++fall;
    EXPECT_NEAR(fall, 690, 10);
    for (int i = 0; i < 20000; ++i)
        ASSERT_EQ(r.step(), 0.5f);
}

TEST(Vca, SustainComparesThePreviousOutputSoAnAudioInputDropsToSustain)
{
    Rig r;
    r.vca.attack = 10.0f;
    r.vca.sustain = 0.5f;
    r.gate.TRIG();
    r.run(442);
    r.in.value = 0.1f; // output falls below the sustain level at once
    r.step();
    r.in.value = 1.0f;
    EXPECT_FLOAT_EQ(r.step(), 0.5f);
}

TEST(Vca, DecayToSilenceWhenSustainIsZero)
{
    Rig r;
    r.vca.attack = 10.0f;
    r.vca.decay = 100.0f;
    r.vca.sustain = 0.0f;
    r.gate.TRIG();
    r.run(441);
    EXPECT_NEAR(r.step(), 1.0f, 1e-3f);
    EXPECT_NEAR(r.run(2205), 0.5f, 2e-3f);
    EXPECT_NEAR(r.run(2205), 0.0f, 2e-3f);
    // After the decay no stage is chosen: the level stays put.
    const float left = r.vca.value;
    EXPECT_EQ(r.run(1000), left);
}

TEST(Vca, ReleaseFallsLinearlyFromTheLastLevel)
{
    Rig r;
    r.vca.attack = 10.0f;
    r.vca.sustain = 0.5f;
    r.vca.release = 100.0f;
    r.gate.TRIG();
    r.run(3000);
    ASSERT_EQ(r.vca.last_level, 0.5f);
    r.gate.UNTRIG();
    EXPECT_NEAR(r.step(), 0.5f, 1e-3f);
    EXPECT_NEAR(r.run(2204), 0.25f, 1e-3f);
    EXPECT_NEAR(r.run(2205), 0.0f, 1e-3f);
    EXPECT_EQ(r.vca.time, 0.0f);
}

TEST(Vca, ReleaseStopsForGoodAtAnExactZero)
{
    Rig r;
    r.vca.attack = 10.0f;
    r.vca.sustain = 0.5f;
    r.gate.TRIG();
    r.run(3000);
    r.gate.UNTRIG();
    r.run(10);
    r.in.value = 0.0f; // a zero crossing of the input
    r.step();
    r.in.value = 1.0f;
    EXPECT_EQ(r.run(100), 0.0f);
}

TEST(Vca, ReleaseZeroMultipliesThePreviousOutputByTheInput)
{
    Rig r;
    r.vca.attack = 10.0f;
    r.vca.sustain = 0.5f;
    r.vca.release = 0.0f;
    r.gate.TRIG();
    r.run(3000);
    r.gate.UNTRIG();
    r.in.value = 0.5f;
    EXPECT_FLOAT_EQ(r.step(), 0.25f);
    EXPECT_FLOAT_EQ(r.step(), 0.125f);
}

TEST(Vca, GateStateOtherThanOneCountsAsOff)
{
    Rig r;
    r.vca.attack = 10.0f;
    r.gate.state = 2;
    r.run(100);
    EXPECT_EQ(r.vca.value, 0.0f);
    EXPECT_EQ(r.vca.time, 0.0f);
}

TEST(Vca, InvertGivesOneMinusTheEnvelope)
{
    Rig r;
    r.vca.attack = 100.0f;
    r.vca.invert = 1;
    r.gate.TRIG();
    r.run(1102);
    EXPECT_NEAR(r.step(), 0.75f, 1e-3f); // a quarter of the attack
}

TEST(Vca, WithoutAudioInputItOutputsTheBareEnvelope)
{
    OUTPUT_GATE gate(0);
    VCA vca;
    vca.INPUT_GATE::source = &gate.state;
    vca.attack = 10.0f;
    gate.TRIG();
    for (int i = 0; i < 221; ++i)
        vca.evolue();
    EXPECT_NEAR(vca.value, 220.0f / 441.0f, 1e-3f);
    EXPECT_EQ(vca.release_time, 0.0f);
}

// Amplifiers side by side in vector lanes take, lane by lane, the very steps
// one amplifier takes alone, whatever their envelope and input: edge values
// (NaN, infinities, a huge input, a zero release) included, over sub-blocks
// in which the gate opens, closes and opens again.
TEST(Vca, InLanesEachAmplifierSoundsAsItDoesAlone)
{
    constexpr int N = VCA::AMPLIFIER_LANES, BLOCKS = 3;
    const float inputs[] = {0.5f, NAN, INFINITY, -INFINITY, 1e30f, 0.0f, -0.7f, 1.0f};
    Source in[std::size(inputs)];
    OUTPUT_GATE gate;
    gate.history.position = 0;
    for (size_t i = 0; i < std::size(inputs); ++i)
        in[i].history.position = 0;
    VCA lanes[N], alone[N];
    VCA *side_by_side[N];
    for (int i = 0; i < N; ++i) {
        for (VCA *a : {&lanes[i], &alone[i]}) {
            a->INPUT::source = &in[i % std::size(inputs)].value;
            a->INPUT_GATE::source = &gate.state;
            a->attack = (i % 3) * 0.5f, a->decay = (i % 4) * 0.4f;
            a->sustain = i % 2 ? 0.5f : 0.0f;
            a->release = i % 5 ? 0.3f * (i % 5) : 0.0f;
            a->invert = i / 8 % 2;
            a->history.position = 1;
        }
        side_by_side[i] = &lanes[i];
    }
    for (int block = 0; block < BLOCKS; ++block) {
        for (int k = 0; k < SUB_BLOCK; ++k) {
            gate.history.store(k, block == 0 ? k < 40 : block == 2 && k >= 10);
            for (size_t i = 0; i < std::size(inputs); ++i)
                in[i].history.store(k, inputs[i] * (1.0f - k / 128.0f));
        }
        for (int i = 0; i < N; ++i) {
            lanes[i].latch_inputs(1);
            alone[i].latch_inputs(1);
            alone[i].run(0, SUB_BLOCK);
        }
        VCA::run_alike(side_by_side, N, SUB_BLOCK);
        for (int i = 0; i < N; ++i) {
            SCOPED_TRACE(testing::Message() << "amplifier " << i << ", sub-block " << block);
            EXPECT_EQ(0, std::memcmp(lanes[i].history.frames, alone[i].history.frames,
                                     sizeof lanes[i].history.frames));
            lanes[i].history.end_sub_block(SUB_BLOCK);
            alone[i].history.end_sub_block(SUB_BLOCK);
        }
    }
}
