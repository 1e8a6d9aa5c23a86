// Filter: the cookbook responses measured on sines, the module's signal path,
// the coefficient cache and the guards against unusable parameters.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "synth/module_helpers.h"
#include "synth/pcf.h"

using module_test::Source;

namespace {

// A filter with the level stage and the default gain out of the way, so the
// output is the bare response of the cell.
struct Rig {
    Source in{0.0f};
    PCF pcf;
    Rig(int type, int cut_off, float q = 1.0f, float gain_db = 0.0f)
    {
        pcf.INPUT::source = &in.value;
        pcf.bypass = 0;
        pcf.level = 0.0f;
        pcf.type = type;
        pcf.cut_off = cut_off;
        pcf.q = q;
        pcf.gain = gain_db;
    }
    float step(float x)
    {
        in.value = x;
        pcf.evolue();
        return pcf.value;
    }
    // Gain of the module for a sine of freq Hz, measured once it has settled.
    double response_at(double freq)
    {
        const float amplitude = 0.25f;
        std::vector<float> out;
        for (int i = 0; i < 44100; ++i) {
            const float y = step(amplitude * (float)std::sin(2.0 * M_PI * freq * i / 44100.0));
            if (i >= 22050)
                out.push_back(y);
        }
        return module_test::amplitude_at(out, freq) / amplitude;
    }
};

double db(double gain) { return 20.0 * std::log10(gain); }

} // namespace

TEST(Pcf, NewFilterIsBypassed)
{
    PCF pcf;
    Source in(0.7f);
    pcf.INPUT::source = &in.value;
    pcf.evolue();
    EXPECT_EQ(pcf.value, 0.7f);
    in.value = -3.0f;
    pcf.evolue();
    EXPECT_EQ(pcf.value, -1.0f);
}

TEST(Pcf, UnconnectedInputIsSilent)
{
    PCF pcf;
    pcf.value = 0.5f;
    pcf.evolue();
    EXPECT_EQ(pcf.value, 0.0f);
}

TEST(Pcf, TypeZeroPassesTheInputThroughTheLevelAndMix)
{
    PCF pcf;
    Source in(0.3f);
    pcf.INPUT::source = &in.value;
    pcf.bypass = 0;
    pcf.type = 0;
    pcf.evolue();
    EXPECT_FLOAT_EQ(pcf.value, 0.6f); // (1 + level) * x with the defaults
    in.value = 0.8f;
    pcf.evolue();
    EXPECT_EQ(pcf.value, 1.0f); // clamped
}

TEST(Pcf, ZeroInputGivesZeroAndLeavesTheHistory)
{
    Rig r(1, 1000);
    r.step(0.5f);
    const PCF::Cell before = r.pcf.cell;
    EXPECT_EQ(r.step(0.0f), 0.0f);
    EXPECT_EQ(r.pcf.cell.x1, before.x1);
    EXPECT_EQ(r.pcf.cell.y1, before.y1);
}

// A type above 7 plays as 0, one below 0 as 7; the field stays as the panel
// set it (the audio thread writes no parameter).
TEST(Pcf, TypeOutOfRangePlaysAsItWrapsAndIsLeftAlone)
{
    for (const auto &[type, plays_as] : {std::pair{8, 0}, {-1, 7}}) {
        Rig r(type, 1000), same(plays_as, 1000);
        for (int i = 0; i < 100; i++) {
            const float x = i % 7 * 0.1f;
            ASSERT_EQ(r.step(x), same.step(x)) << type;
        }
        EXPECT_EQ(r.pcf.type, type);
    }
}

TEST(Pcf, PowerOffIsSilence)
{
    Rig r(0, 1000);
    EXPECT_NE(r.step(0.4f), 0.0f);
    r.pcf.power = 0;
    EXPECT_EQ(r.step(-0.9f), 0.0f);
    EXPECT_EQ(r.step(0.1f), 0.0f);
}

TEST(Pcf, CoefficientsAreComputedOnlyWhenAParameterChanges)
{
    Rig r(1, 1000);
    r.step(0.5f);
    // A marked coefficient survives a sample with unchanged parameters...
    r.pcf.cell.b0 = 123.0;
    r.step(0.5f);
    EXPECT_EQ(r.pcf.cell.b0, 123.0);
    // ...and is recomputed when Q, gain, cut-off or type changes.
    void (*const changes[])(PCF &) = {[](PCF &p) { p.q = 2.0f; }, [](PCF &p) { p.gain = 3.0f; },
                                      [](PCF &p) { p.cut_off = 2000; }, [](PCF &p) { p.type = 2; }};
    for (int change = 0; change < 4; ++change) {
        r.pcf.cell.b0 = 123.0;
        changes[change](r.pcf);
        r.step(0.5f);
        EXPECT_NE(r.pcf.cell.b0, 123.0) << "change " << change;
    }
}

TEST(Pcf, CutOffModulationScalesTheFrequency)
{
    Rig r(1, 1000);
    Source m(0.5f);
    r.pcf.mod_frequency = new INPUT(&m); // owned by the filter
    r.step(0.5f);
    EXPECT_DOUBLE_EQ(r.pcf.cell.key_frequency, 1500.0);
}

TEST(Pcf, MixModulationScalesTheWetShare)
{
    Rig r(0, 1000);
    Source m(-1.0f); // mix 1 + 1 * -1 = 0: only the dry signal
    r.pcf.mod_amplitude = new INPUT(&m);
    r.pcf.level = 1.0f;
    EXPECT_FLOAT_EQ(r.step(0.3f), 0.3f);
}

// Each response against the cookbook's own landmarks: pass band, cut-off or
// centre, stop band.
TEST(Pcf, LowAndHighPassFollowTheCookbook)
{
    EXPECT_NEAR(Rig(1, 1000).response_at(100), 1.0, 0.02);
    EXPECT_NEAR(Rig(1, 1000, 2.0f).response_at(1000), 2.0, 0.03); // Q at the cut-off
    EXPECT_LT(db(Rig(1, 1000).response_at(10000)), -38.0);
    EXPECT_NEAR(Rig(2, 1000).response_at(10000), 1.0, 0.02);
    EXPECT_NEAR(Rig(2, 1000, 0.7071f).response_at(1000), 0.7071, 0.01);
    EXPECT_LT(db(Rig(2, 1000).response_at(100)), -38.0);
}

TEST(Pcf, BandPassAndNotchFollowTheCookbook)
{
    EXPECT_NEAR(Rig(3, 1000).response_at(1000), 1.0, 0.01);
    EXPECT_NEAR(Rig(3, 1000, 1.0f, 6.0f).response_at(1000), std::pow(10.0, 6.0 / 20), 0.02);
    EXPECT_LT(Rig(3, 1000, 5.0f).response_at(200), 0.05);
    EXPECT_LT(Rig(4, 1000).response_at(1000), 0.01);
    EXPECT_NEAR(Rig(4, 1000).response_at(100), 1.0, 0.02);
    EXPECT_NEAR(Rig(4, 1000).response_at(10000), 1.0, 0.02);
}

TEST(Pcf, ShelvesAndPeakFollowTheCookbook)
{
    // Low shelf +6 dB: full gain well below the corner, half of it (in dB) at
    // the corner, none well above.
    EXPECT_NEAR(db(Rig(5, 1000, 1.0f, 6.0f).response_at(30)), 6.0, 0.2);
    EXPECT_NEAR(db(Rig(5, 1000, 1.0f, 6.0f).response_at(1000)), 3.0, 0.2);
    EXPECT_NEAR(db(Rig(5, 1000, 1.0f, 6.0f).response_at(15000)), 0.0, 0.2);
    EXPECT_NEAR(db(Rig(6, 1000, 1.0f, -6.0f).response_at(15000)), -6.0, 0.2);
    EXPECT_NEAR(db(Rig(6, 1000, 1.0f, -6.0f).response_at(1000)), -3.0, 0.2);
    EXPECT_NEAR(db(Rig(6, 1000, 1.0f, -6.0f).response_at(30)), 0.0, 0.2);
    // Peak: the full gain at the centre, none far from it.
    EXPECT_NEAR(db(Rig(7, 1000, 2.0f, 6.0f).response_at(1000)), 6.0, 0.1);
    EXPECT_NEAR(db(Rig(7, 1000, 2.0f, -12.0f).response_at(1000)), -12.0, 0.1);
    EXPECT_NEAR(db(Rig(7, 1000, 2.0f, 6.0f).response_at(50)), 0.0, 0.1);
}

TEST(Pcf, DefaultSettingsAreABandPassAt300HzWithOneDecibelOfGain)
{
    Rig r(3, 300, 1.0f, 1.0f);
    PCF defaults;
    EXPECT_EQ(defaults.type, r.pcf.type);
    EXPECT_EQ(defaults.cut_off, r.pcf.cut_off);
    EXPECT_EQ(defaults.q, r.pcf.q);
    EXPECT_EQ(defaults.gain, r.pcf.gain);
    EXPECT_NEAR(r.response_at(300), 1.122, 0.01);
}

TEST(Pcf, CutOffControlsStepUpByOneHundred)
{
    PCF pcf;
    EXPECT_EQ(pcf.set_HiCutOff_Lower(), 1);
    EXPECT_EQ(pcf.cut_off, 400);
    pcf.set_HiCutOff(25000); // no bound here; the cell refuses it
    EXPECT_EQ(pcf.cut_off, 25000);
}

// Unusable parameters silence the wet signal and clear the history; the
// filter works again, from a clean history, once they are usable.
TEST(Pcf, UnusableParametersNeverReachTheOutput)
{
    struct Case {
        const char *what;
        int cut_off;
        float q;
        float gain_db;
    };
    const Case cases[] = {
        {"Q zero", 1000, 0.0f, 0.0f},
        {"Q negative", 1000, -0.5f, 0.0f},
        {"cut-off at half the rate", 22050, 1.0f, 0.0f},
        {"cut-off above half the rate", 40000, 1.0f, 0.0f},
        {"cut-off below 1 Hz", 0, 1.0f, 0.0f},
        {"gain overflowing", 1000, 1.0f, 1e5f},
    };
    for (const Case &c : cases) {
        for (int type = 1; type <= 7; ++type) {
            Rig r(type, 1000);
            r.step(0.5f);
            r.pcf.cut_off = c.cut_off;
            r.pcf.q = c.q;
            r.pcf.gain = c.gain_db;
            for (int i = 0; i < 100; ++i) {
                const float y = r.step(0.9f * (float)std::sin(i * 0.3));
                ASSERT_TRUE(std::isfinite(y) && y >= -1.0f && y <= 1.0f) << c.what;
                if (r.in.value != 0.0f) {
                    ASSERT_EQ(y, 0.0f) << c.what << " type " << type;
                }
            }
            EXPECT_EQ(r.pcf.cell.y1, 0.0) << c.what;
            r.pcf.cut_off = 1000;
            r.pcf.q = 1.0f;
            r.pcf.gain = 0.0f;
            EXPECT_NE(r.step(0.5f), 0.0f) << c.what << " type " << type;
        }
    }
}

TEST(Pcf, NonFiniteInputIsSilencedAndForgotten)
{
    Rig r(1, 1000);
    r.step(0.5f);
    EXPECT_EQ(r.step(std::numeric_limits<float>::quiet_NaN()), 0.0f);
    EXPECT_EQ(r.step(std::numeric_limits<float>::infinity()), 0.0f);
    const float y = r.step(0.5f);
    EXPECT_TRUE(std::isfinite(y));
    EXPECT_NE(y, 0.0f);

    r.pcf.bypass = 1;
    EXPECT_EQ(r.step(std::numeric_limits<float>::quiet_NaN()), 0.0f);
}
