// The sine of the per-sample path against the library's long double sine.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "synth/sine.h"

TEST(Sine, WithinRoundingOfTheLibrarysOverItsWholeRange)
{
    std::mt19937_64 random(1);
    // Oscillator phases reach thousands of radians, modulated ones more.
    for (double span : {1.0, 10.0, 2300.0, 999999.0}) {
        std::uniform_real_distribution<double> draw(-span, span);
        for (int i = 0; i < 100000; ++i) {
            const double x = draw(random);
            ASSERT_NEAR(sine(x), (double)sinl(x), 2e-16) << x;
            ASSERT_NEAR(sine_single(x), (double)sinl(x), 1e-7) << x;
        }
    }
    // The edges of the quarters, and the points between them.
    for (int eighth = -64; eighth <= 64; ++eighth) {
        const double x = eighth * (M_PI / 8);
        ASSERT_NEAR(sine(x), (double)sinl(x), 2e-16) << x;
        ASSERT_NEAR(sine_single(x), (double)sinl(x), 1e-7) << x;
    }
    // Beyond that range, and what is not a number: the library's own.
    for (double x : {1e6, -1e6, 1e300, (double)INFINITY, (double)-INFINITY, (double)NAN}) {
        const double ours = sine(x), library = std::sin(x);
        EXPECT_EQ(std::memcmp(&ours, &library, sizeof ours), 0) << x;
        const float single = sine_single(x), single_library = (float)library;
        EXPECT_EQ(std::memcmp(&single, &single_library, sizeof single), 0) << x;
    }
}
