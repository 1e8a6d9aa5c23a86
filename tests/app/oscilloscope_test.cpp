// The oscilloscope's trace, built in memory column by column as the main loop
// builds it from the played samples.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/oscilloscope.h"
#include "ui/views/view_state.h"

namespace {

constexpr int MIDDLE = OSCILLOSCOPE::HEIGHT / 2;

struct ZOOM {
    explicit ZOOM(float z) { ZOOM_FACTOR = z; }
    ~ZOOM() { ZOOM_FACTOR = 1.0f; }
};

// The colours of column x from the top row to the bottom one, as runs:
// (colour, first row) for every change of colour.
std::vector<std::pair<uint32_t, int>> runs(const OSCILLOSCOPE &s, int x)
{
    std::vector<std::pair<uint32_t, int>> out;
    for (int y = 0; y < OSCILLOSCOPE::HEIGHT; y++)
        if (out.empty() || out.back().first != s.pixel(x, y))
            out.push_back({s.pixel(x, y), y});
    return out;
}

TEST(Oscilloscope, ASampleIsABarFromTheMiddleLineToItsTip)
{
    // The middle line is magenta like the cleared screen, so it shows only
    // between the bars.
    const uint32_t F = OSCILLOSCOPE::BACKGROUND, T = OSCILLOSCOPE::TIP, B = OSCILLOSCOPE::BAR;
    static_assert(OSCILLOSCOPE::MIDDLE == OSCILLOSCOPE::BACKGROUND);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct CASE {
        float v;
        std::vector<std::pair<uint32_t, int>> column;
    } cases[] = {
        {0.5f, {{F, 0}, {B, MIDDLE + 1}, {T, MIDDLE + 64}, {F, MIDDLE + 65}}},
        {-0.25f, {{F, 0}, {T, MIDDLE - 32}, {B, MIDDLE - 31}, {F, MIDDLE}}},
        {0.0f, {{F, 0}}},
        {nan, {{F, 0}}},
        // Far beyond full scale the bar stops at the window's edge.
        {1e30f, {{F, 0}, {B, MIDDLE + 1}}},
        {-1e30f, {{T, 0}, {B, 1}, {F, MIDDLE}}},
    };
    for (const CASE &c : cases) {
        OSCILLOSCOPE scope;
        scope.column(c.v, 3072);
        EXPECT_EQ(c.column, runs(scope, 0)) << c.v;
        EXPECT_EQ(OSCILLOSCOPE::MIDDLE, scope.pixel(0, MIDDLE)) << c.v;
        EXPECT_EQ(runs(OSCILLOSCOPE(), 1), runs(scope, 1)) << c.v;
    }
}

TEST(Oscilloscope, TheTraceMovesByTheFramesPerCallAndTheZoomAndWrapsAfter800)
{
    struct CASE {
        int frames_per_call;
        float zoom;
        float step; // per sample
    } cases[] = {
        {3072, 1.0f, 0.004f}, // 3072 / 700 = 4, so 0.004
        {3072, 2.0f, 0.008f},
        {1400, 0.5f, 0.001f},
        {1399, 1.0f, 0.001f},
        // Blocks shorter than 700 frames still move the trace.
        {256, 1.0f, 0.001f},
        {3072, 0.0f, 0.0f},
    };
    for (const CASE &c : cases) {
        ZOOM zoom(c.zoom);
        OSCILLOSCOPE scope;
        for (int i = 0; i < 1000; i++)
            scope.column(0.5f, c.frames_per_call);
        EXPECT_NEAR(1000 * c.step, scope.MX, 1e-3) << c.frames_per_call << " " << c.zoom;
    }
    OSCILLOSCOPE scope;
    scope.MX = 800.999f;
    scope.column(0.5f, 3072); // at x 801
    EXPECT_EQ(OSCILLOSCOPE::TIP, scope.pixel(801, MIDDLE + 64));
    scope.column(0.5f, 3072); // past 800: the screen is cleared, the trace starts again
    EXPECT_FLOAT_EQ(0.004f, scope.MX);
    EXPECT_EQ(OSCILLOSCOPE::BACKGROUND, scope.pixel(801, MIDDLE + 64));
    EXPECT_EQ(OSCILLOSCOPE::TIP, scope.pixel(0, MIDDLE + 64));
}

TEST(Oscilloscope, AZoomPastTheFloatRangeDrawsNothingAndNeverStalls)
{
    for (float z : {std::numeric_limits<float>::infinity(), 1e38f}) {
        ZOOM zoom(z);
        OSCILLOSCOPE scope;
        for (int i = 0; i < 100000; i++)
            scope.column(0.5f, 3072);
        EXPECT_TRUE(scope.MX >= 0.0f || std::isnan(scope.MX)) << z;
        EXPECT_EQ(OSCILLOSCOPE::BACKGROUND, scope.pixel(0, MIDDLE + 64)) << z;
    }
}

} // namespace
