#include <gtest/gtest.h>

#include <cmath>

#include "synth/note2freq.h"

TEST(Note2Freq, TableValues)
{
    fill_NOTE2FREQ();
    EXPECT_NEAR(NOTE2FREQ[58], 440.0, 440.0 * 1e-6);
    EXPECT_NEAR(NOTE2FREQ[1], 16.3515978, 1e-5);
    EXPECT_NEAR(NOTE2FREQ[49], 261.6255, 1e-3);
    // The power is taken in single precision: it overflows from 1525 on.
    EXPECT_TRUE(std::isfinite(NOTE2FREQ[1524]));
    EXPECT_TRUE(std::isinf(NOTE2FREQ[1525]));
    EXPECT_TRUE(std::isinf(NOTE2FREQ[1999]) && NOTE2FREQ[1999] > 0);
}
