// Oscillator waveforms, modulation, sync and the noise edge cases.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "synth/vco.h"

namespace {

struct Source : OUTPUT {
    explicit Source(float v) : OUTPUT(v) {}
    int evolue() override { return 1; }
};

// An oscillator that stays where it is put: frequency 0 and phase 0.
struct StillOscillator : VCO {
    StillOscillator(type_generateur type, float amplitude, float at) : VCO(amplitude, 0.0f, type)
    {
        phase = 0.0f;
        position = at;
    }
};

float sample_at(type_generateur type, float amplitude, float position)
{
    StillOscillator v(type, amplitude, position);
    v.evolue();
    return v.value;
}

} // namespace

TEST(Vco, SawtoothAtSampleRateCyclesThroughOneMinusOneZero)
{
    VCO v(1.0f, 44100.0f, SAW);
    const float expected[] = {1.0f, -1.0f, 0.0f, 1.0f, -1.0f, 0.0f};
    for (float e : expected) {
        v.evolue();
        EXPECT_FLOAT_EQ(v.value, e);
    }
}

TEST(Vco, TriangleAtFivePositions)
{
    EXPECT_FLOAT_EQ(sample_at(TRI, 1.0f, -1.0f), 1.0f);
    EXPECT_FLOAT_EQ(sample_at(TRI, 1.0f, -0.5f), 0.0f);
    EXPECT_FLOAT_EQ(sample_at(TRI, 1.0f, 0.0f), -1.0f);
    EXPECT_FLOAT_EQ(sample_at(TRI, 1.0f, 0.5f), 0.0f);
    EXPECT_FLOAT_EQ(sample_at(TRI, 1.0f, 1.0f), 1.0f);
}

TEST(Vco, SquareHasThreeLevelsDecidedOnTheSine)
{
    EXPECT_FLOAT_EQ(sample_at(SQR, 0.3f, 0.25f), 0.3f);   // sine 1
    EXPECT_FLOAT_EQ(sample_at(SQR, 0.3f, 0.05f), 0.0f);   // sine 0.31
    EXPECT_FLOAT_EQ(sample_at(SQR, 0.3f, -0.05f), 0.0f);  // sine -0.31
    EXPECT_FLOAT_EQ(sample_at(SQR, 0.3f, -0.25f), -0.3f); // sine -1
}

TEST(Vco, SineAndPulse)
{
    EXPECT_NEAR(sample_at(SIN, 0.5f, 0.25f), 0.5f, 1e-6);
    EXPECT_FLOAT_EQ(sample_at(PULSE, 0.7f, 0.05f), 0.7f);
    EXPECT_FLOAT_EQ(sample_at(PULSE, 0.7f, 0.5f), -0.7f);
    // A whole-number phase of 2 or more keeps position + phase above the width.
    StillOscillator v(PULSE, 0.7f, 0.05f);
    v.phase = 2.0f;
    v.evolue();
    EXPECT_FLOAT_EQ(v.value, -0.7f);
}

TEST(Vco, PowerOffAndUnknownTypesAreSilent)
{
    StillOscillator v(SIN, 1.0f, 0.25f);
    v.power = 0;
    v.evolue();
    EXPECT_EQ(v.value, 0.0f);
    EXPECT_EQ(sample_at(NONE, 1.0f, 0.25f), 0.0f);
    EXPECT_EQ(sample_at((type_generateur)9, 1.0f, 0.25f), 0.0f);
}

TEST(Vco, WithoutPitchInputRepeatsAtHalfTheFrequency)
{
    VCO v(1.0f, 110.0f, SAW);
    int wraps = 0;
    for (int i = 0; i < 44100; ++i) {
        v.evolue();
        if (v.position == -1.0f)
            ++wraps;
    }
    EXPECT_NEAR(wraps, 55, 1);
}

TEST(Vco, PitchInputOfFrequency88PlaysThePitch)
{
    Source pitch(440.0f);
    VCO v(1.0f, 88.0f, SAW);
    v.INPUT::source = &pitch.value;
    int wraps = 0;
    for (int i = 0; i < 44100; ++i) {
        v.evolue();
        if (v.position == -1.0f)
            ++wraps;
    }
    EXPECT_NEAR(wraps, 440, 5) << "the excess dropped at each wrap flattens it slightly";
}

TEST(Vco, AmplitudeModulationIsLimitedAboveButNotBelow)
{
    Source m(1.0f);
    StillOscillator up(SIN, 0.8f, 0.25f);
    up.mod_amplitude = new INPUT(&m);
    up.evolue();
    EXPECT_NEAR(up.value, 1.0f, 1e-6); // 1.6 limited to 1.0

    Source minus_two(-2.0f);
    StillOscillator inverted(SIN, 0.8f, 0.25f);
    inverted.mod_amplitude = new INPUT(&minus_two);
    inverted.evolue();
    EXPECT_NEAR(inverted.value, -0.8f, 1e-6);
}

TEST(Vco, UnconnectedModulationInputIsIgnored)
{
    StillOscillator v(SIN, 0.5f, 0.25f);
    v.mod_amplitude = new INPUT(); // allocated but not connected
    v.evolue();
    EXPECT_NEAR(v.value, 0.5f, 1e-6);
}

TEST(Vco, NegativeFrequencyFromModulationSaturates)
{
    Source m(-3.0f);
    VCO saw(1.0f, 1000.0f, SAW);
    saw.mod_frequency = new INPUT(&m);
    for (int i = 0; i < 100; ++i)
        saw.evolue();
    EXPECT_EQ(saw.value, -1.0f);
    EXPECT_LT(saw.position, -1.0f);

    VCO tri(0.6f, 1000.0f, TRI);
    tri.mod_frequency = new INPUT(&m);
    for (int i = 0; i < 100; ++i)
        tri.evolue();
    EXPECT_FLOAT_EQ(tri.value, -0.6f);
}

TEST(Vco, SyncPulseOnEverySampleHoldsTheOutput)
{
    OUTPUT_SYNC sync(0);
    sync.pulse = 1;
    VCO v(1.0f, 441.0f, SAW);
    v.INPUT_SYNC::source = &sync.pulse;
    std::vector<float> out;
    for (int i = 0; i < 5; ++i) {
        v.evolue();
        out.push_back(v.value);
    }
    for (float x : out)
        EXPECT_FLOAT_EQ(x, 441.0f / 44100.0f);
}

TEST(Vco, NoiseEdgeCases)
{
    VCO silent(0.0f, 1000.0f, NOISE);
    VCO loud(1.0f, 5000.0f, NOISE);
    EXPECT_EQ(loud.held_noise, 0.0f);
    float peak = 0.0f;
    for (int i = 0; i < 44100; ++i) {
        silent.evolue();
        loud.evolue();
        EXPECT_EQ(silent.value, 0.0f);
        EXPECT_LE(std::fabs(loud.value), 1.0f);
        peak = std::fmax(peak, std::fabs(loud.value));
    }
    EXPECT_GT(peak, 0.1f) << "the noise must be audible";

    // A tiny negative amplitude makes the divisor 0: silence, no crash.
    VCO tiny(-1e-5f, 44100.0f, NOISE);
    for (int i = 0; i < 10; ++i) {
        tiny.evolue();
        EXPECT_EQ(tiny.value, 0.0f);
    }
}

// Amplitudes a patch file can ask for whose noise bound is no int: the
// sanitized build catches an overflowing conversion; NaN is silence.
TEST(Vco, NoiseWithAmplitudesBeyondTheIntRangeStaysWithinFullScale)
{
    const struct {
        float amplitude;
        bool silent;
    } cases[] = {
        {-70000.0f, false}, {-1e30f, false}, {-INFINITY, false}, {NAN, true}, {-NAN, true}};
    for (const auto &c : cases) {
        VCO v(c.amplitude, 44100.0f, NOISE); // wraps every other sample
        float peak = 0.0f;
        for (int i = 0; i < 1000; ++i) {
            v.evolue();
            ASSERT_LE(std::fabs(v.value), 1.0f) << c.amplitude;
            peak = std::fmax(peak, std::fabs(v.value));
        }
        if (c.silent)
            EXPECT_EQ(peak, 0.0f) << c.amplitude;
        else
            EXPECT_GT(peak, 0.0f) << c.amplitude;
    }
}
