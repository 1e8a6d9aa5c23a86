// Sampler: playback rate, end of the recording and gate handling.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "synth/module_helpers.h"
#include "synth/sampler.h"

using namespace module_test;

namespace {

class Sampler : public ::testing::Test {
protected:
    void SetUp() override
    {
        sampler = std::make_unique<SAMPLER>();
        std::strcpy(sampler->name, "SAMPLER_1");
    }

    // Gives the sampler frames whose left value is 100 × the frame number and
    // whose right value is its negation, and wires gate and frequency.
    void load_ramp(int frames)
    {
        auto ramp = std::make_unique<RECORDING>();
        for (int i = 0; i < frames; ++i) {
            ramp->values.push_back((int16_t)(100 * i));
            ramp->values.push_back((int16_t)(-100 * i));
        }
        sampler->play(std::move(ramp));
        sampler->INPUT_GATE::source = &gate.state;
        sampler->INPUT::source = &frequency.value;
        gate.TRIG();
    }

    // The frame number played by the last sample (left values are 100 × i).
    int frame_played() const { return (int)(sampler->value * 32768.0f / 100.0f + 0.5f); }

    std::unique_ptr<SAMPLER> sampler;
    OUTPUT_GATE gate{0};
    Source frequency{440.0f};
};

} // namespace

TEST_F(Sampler, UnboundGateNeverChangesTheOutput)
{
    load_ramp(10);
    sampler->INPUT_GATE::source = nullptr;
    sampler->value = 0.25f;
    sampler->evolue();
    EXPECT_EQ(sampler->value, 0.25f);
    EXPECT_EQ(sampler->position, 0.0f);
}

TEST_F(Sampler, ClosedGateRewindsAndSilences)
{
    load_ramp(10);
    sampler->evolue();
    sampler->evolue();
    gate.UNTRIG();
    sampler->evolue();
    EXPECT_EQ(sampler->value, 0.0f);
    EXPECT_EQ(sampler->position, 0.0f);
}

TEST_F(Sampler, At440HzItPlaysLeftValuesFrameByFrame)
{
    load_ramp(100);
    for (int i = 0; i < 10; ++i) {
        sampler->evolue();
        EXPECT_EQ(frame_played(), i);
    }
    EXPECT_GT(sampler->value, 0.0f); // the left channel, never the right
}

TEST_F(Sampler, EndOfTheRecordingClosesTheSourceGate)
{
    const int frames = 100;
    load_ramp(frames);
    int played = 0;
    while (gate.state == 1 && played < 1000) {
        sampler->evolue();
        ++played;
    }
    // Every frame plays once; the gate closes on the sample after the last.
    EXPECT_EQ(played, frames + 1);
    EXPECT_EQ(gate.state, 0);
    sampler->evolue();
    EXPECT_EQ(sampler->value, 0.0f);
    gate.TRIG(); // the next note plays from the start
    sampler->evolue();
    EXPECT_EQ(frame_played(), 0);
}

TEST_F(Sampler, DoubleFrequencyDoublesTheRate)
{
    load_ramp(1000);
    frequency.value = 880.0f;
    for (int i = 0; i < 5; ++i) {
        sampler->evolue();
        EXPECT_EQ(frame_played(), 2 * i);
        EXPECT_EQ(sampler->position, 4.0f * (i + 1));
    }
    // At twice the rate the whole recording lasts half as many samples.
    int played = 5;
    while (gate.state == 1 && played < 10000) {
        sampler->evolue();
        ++played;
    }
    EXPECT_EQ(played, 1000 / 2 + 1);
}

TEST_F(Sampler, NegativeRateHoldsTheFirstValue)
{
    load_ramp(10);
    sampler->evolue();
    sampler->evolue();
    frequency.value = -440.0f;
    for (int i = 0; i < 5; ++i) {
        sampler->evolue();
        EXPECT_GE(sampler->position, -2.0f);
    }
    EXPECT_EQ(frame_played(), 0);
    EXPECT_EQ(gate.state, 1);
}

TEST_F(Sampler, SlowRateNeverReadsPastTheData)
{
    load_ramp(8);
    frequency.value = 55.0f; // rate 1/8
    int played = 0;
    while (gate.state == 1 && played < 1000) {
        sampler->evolue();
        ++played;
    }
    EXPECT_EQ(played, 16 * 4 + 1);
    EXPECT_EQ(sampler->position, 0.25f);
}

TEST_F(Sampler, NoFrequencyInputPlaysAtTheRecordedRate)
{
    load_ramp(100);
    sampler->INPUT::source = nullptr;
    for (int i = 0; i < 4; ++i)
        sampler->evolue();
    EXPECT_EQ(frame_played(), 3);
}

TEST_F(Sampler, SyncRestartsTheRecordingSilently)
{
    load_ramp(100);
    OUTPUT_SYNC sync(0);
    sampler->INPUT_SYNC::source = &sync.pulse;
    for (int i = 0; i < 5; ++i)
        sampler->evolue();
    sync.pulse = 1;
    testing::internal::CaptureStdout();
    for (int i = 0; i < 3; ++i) {
        sampler->evolue();
        EXPECT_EQ(frame_played(), 0);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(Sampler, ModulationScalesVolumeAndRate)
{
    load_ramp(100);
    Source m(1.0f);
    sampler->mod_amplitude = new INPUT(&m); // owned by the sampler
    sampler->evolue();
    sampler->evolue();
    EXPECT_FLOAT_EQ(sampler->value, 2.0f * 100 / 32768.0f);
    sampler->mod_frequency = new INPUT(&m); // r = r × m + tune = 2
    sampler->evolue();
    EXPECT_EQ(sampler->position, 8.0f);
}

TEST_F(Sampler, NothingLoadedIsSilentAndLeavesTheGateAlone)
{
    sampler->INPUT_GATE::source = &gate.state;
    gate.TRIG();
    sampler->evolue();
    EXPECT_EQ(sampler->value, 0.0f);
    EXPECT_EQ(gate.state, 1);
}

TEST_F(Sampler, SwitchedOffItIsSilentAndLeavesTheGateAlone)
{
    load_ramp(3);
    sampler->evolue();
    sampler->evolue();
    sampler->power = 0;
    for (int i = 0; i < 10; ++i)
        sampler->evolue();
    EXPECT_EQ(sampler->value, 0.0f);
    EXPECT_EQ(gate.state, 1);
    sampler->power = 1; // back on: from the start
    sampler->evolue();
    EXPECT_EQ(frame_played(), 0);
}

// A recording handed over while one plays is played from its start, and the
// one it replaced stays whole until the sampler frees what it retired.
TEST_F(Sampler, ANewRecordingPlaysFromItsStart)
{
    load_ramp(100);
    for (int i = 0; i < 50; ++i)
        sampler->evolue();
    const RECORDING *old = sampler->recording();
    sampler->play(std::make_unique<RECORDING>(RECORDING{{7, 7, 8, 8}}));
    EXPECT_EQ(old->frames(), 100); // still readable
    sampler->evolue();
    EXPECT_EQ(sampler->value, 7.0f / 32768.0f);
    sampler->free_retired();
    sampler->evolue();
    EXPECT_EQ(sampler->value, 8.0f / 32768.0f);
}
