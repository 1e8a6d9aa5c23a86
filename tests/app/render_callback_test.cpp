// The render callback: when it computes, how many evaluations, and the
// conversion of the tap value to 16-bit stereo frames.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "app/output_tap.h"
#include "app/patch_swap.h"
#include "app/render_callback.h"
#include "app/scope_feed.h"
#include "synth/generator.h"

namespace {

// An output mixer whose value the test sets, counting its evaluations.
class ScriptedMixer : public MIXER {
public:
    explicit ScriptedMixer(const char *n) { std::strcpy(name, n); }
    int evolue() override
    {
        ++evaluations;
        if (!script.empty())
            value = script[evaluations % script.size()];
        return 1;
    }
    int evaluations = 0;
    std::vector<float> script;
};

class CountingDelay : public SFX_DELAY {
public:
    int evolue() override
    {
        ++evaluations;
        return 1;
    }
    int evaluations = 0;
};

class RenderCallbackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gen = new GENERATOR;
        out = new ScriptedMixer(GENERATOR::DEFAULT_OUTPUT);
        delay = new CountingDelay;
        gen->mixers.push_back(out);
        gen->delays.push_back(delay);
        ASSERT_TRUE(connect_output_tap(gen));
        CALLBACK_READY = 1;
    }
    void TearDown() override
    {
        stop_rendering();
        discard_patch(gen);
        gen = nullptr;
    }
    // Renders into a buffer pre-filled with a marker byte.
    std::vector<unsigned char> render(int length)
    {
        std::vector<unsigned char> buffer(length + 8, 0xAB);
        EXPECT_EQ(1, instrument_callback(nullptr, buffer.data(), length, nullptr));
        return buffer;
    }
    static int16_t sample(const std::vector<unsigned char> &b, int index)
    {
        int16_t s;
        std::memcpy(&s, &b[2 * index], 2);
        return s;
    }

    ScriptedMixer *out = nullptr;
    CountingDelay *delay = nullptr;
};

TEST_F(RenderCallbackTest, NotReadyLeavesTheBufferAsHandedOver)
{
    CALLBACK_READY = 0;
    std::vector<unsigned char> b = render(12288);
    EXPECT_EQ(std::vector<unsigned char>(b.size(), 0xAB), b);
    EXPECT_EQ(0, out->evaluations);
}

TEST_F(RenderCallbackTest, OneEvaluationOfEveryModulePerFrame)
{
    render(12288);
    EXPECT_EQ(3072, out->evaluations);
    EXPECT_EQ(3072, delay->evaluations);
}

TEST_F(RenderCallbackTest, BytesAfterTheLastWholeFrameStayUntouched)
{
    out->value = 0.25f;
    std::vector<unsigned char> b = render(4 * 10 + 3);
    EXPECT_EQ(10, out->evaluations);
    EXPECT_EQ(8191, sample(b, 19));
    for (int i = 40; i < 40 + 3 + 8; ++i)
        EXPECT_EQ(0xAB, b[i]) << "byte " << i;
}

TEST_F(RenderCallbackTest, BothChannelsCarryTheSameSample)
{
    out->script = {0.1f, -0.7f, 0.33f, 1.0f, -1.0f, 0.0f, 0.999f};
    std::vector<unsigned char> b = render(4 * 50);
    bool varied = false;
    for (int f = 0; f < 50; ++f) {
        EXPECT_EQ(sample(b, 2 * f), sample(b, 2 * f + 1)) << "frame " << f;
        varied = varied || sample(b, 2 * f) != sample(b, 0);
    }
    EXPECT_TRUE(varied);
}

TEST_F(RenderCallbackTest, PatchWithoutOutputMixerPlaysSilence)
{
    std::strcpy(out->name, "MIXER_1");
    EXPECT_FALSE(connect_output_tap(gen));
    out->value = 0.5f;
    std::vector<unsigned char> b = render(4 * 8);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(0, sample(b, i));
    EXPECT_EQ(8, out->evaluations);
}

TEST_F(RenderCallbackTest, TheScopeGetsThePlayedValuesOnlyWhileWatched)
{
    out->script = {0.1f, -0.7f, 0.33f};
    std::vector<float> got(2 * SCOPE_FEED::SIZE);
    render(4 * 100);
    EXPECT_EQ(0, scope_feed.read(got.data(), static_cast<int>(got.size())));

    scope_feed.watch(true);
    // Two blocks of 3072 frames, then blocks until the ring is full: the
    // reader gets the oldest samples, the rest are dropped and counted.
    const unsigned long dropped = scope_feed.dropped_samples();
    const int blocks = SCOPE_FEED::SIZE / 3072 + 2;
    for (int b = 0; b < blocks; b++)
        render(12288);
    scope_feed.watch(false);
    EXPECT_EQ(3072, scope_feed.last_frames_per_call());
    ASSERT_EQ(static_cast<int>(SCOPE_FEED::SIZE),
              scope_feed.read(got.data(), static_cast<int>(got.size())));
    EXPECT_EQ(dropped + blocks * 3072 - SCOPE_FEED::SIZE, scope_feed.dropped_samples());
    // Evaluation k of the mixer plays script[k % 3]; the first 100 were
    // played unwatched.
    for (size_t i = 0; i < SCOPE_FEED::SIZE; i += 997)
        EXPECT_EQ(out->script[(101 + i) % 3], got[i]) << i;
    render(12288);
    EXPECT_EQ(0, scope_feed.read(got.data(), static_cast<int>(got.size())));
}

TEST(OutputSample, FullScaleAndHalfScaleTruncateTowardZero)
{
    EXPECT_EQ(32767, output_sample(1.0f));
    EXPECT_EQ(-32767, output_sample(-1.0f));
    EXPECT_EQ(16383, output_sample(0.5f));
    EXPECT_EQ(-16383, output_sample(-0.5f));
    EXPECT_EQ(0, output_sample(0.0f));
    EXPECT_EQ(0, output_sample(-0.00001f));
}

TEST(OutputSample, BeyondFullScaleWrapsAroundIn16Bits)
{
    EXPECT_EQ(static_cast<int16_t>(49150 - 65536), output_sample(1.5f));
    EXPECT_EQ(static_cast<int16_t>(65536 - 49150), output_sample(-1.5f));
    // NaN and products beyond the 32-bit range become the lowest 32-bit
    // value, whose low 16 bits are 0.
    EXPECT_EQ(0, output_sample(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_EQ(0, output_sample(1e10f));
    EXPECT_EQ(0, output_sample(-std::numeric_limits<float>::infinity()));
}

TEST_F(RenderCallbackTest, WrappedSamplesAreCounted)
{
    out->script = {0.9f, 1.5f, 1.00001f, -2.0f};
    unsigned long before = wrapped_samples.load();
    render(4 * 8);
    // 1.00001 still truncates to 32767: only 1.5 and -2.0 wrap, twice each.
    EXPECT_EQ(before + 4, wrapped_samples.load());
}

TEST(OutputDelay, SitsBetweenTheOutputMixerAndTheTap)
{
    GENERATOR *patch = new GENERATOR;
    ScriptedMixer *mixer = new ScriptedMixer(GENERATOR::DEFAULT_OUTPUT);
    patch->mixers.push_back(mixer);
    patch->delays.push_back(new SFX_DELAY);
    insert_output_delay(patch);
    ASSERT_EQ(2u, patch->delays.size());
    SFX_DELAY *delay = patch->delays.front();
    EXPECT_EQ(&mixer->value, delay->INPUT::source);
    EXPECT_EQ(&delay->value, general_out->source);
    discard_patch(patch);
}

TEST(OutputDelay, NotInsertedWithoutOutputMixer)
{
    GENERATOR *patch = new GENERATOR;
    insert_output_delay(patch);
    EXPECT_TRUE(patch->delays.empty());
    discard_patch(patch);
}

} // namespace
