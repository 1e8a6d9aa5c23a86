// The load meter's arithmetic: the share of the allowed time over the blocks
// since the last reading, the slowest block's own share, zero after a read.
#include <gtest/gtest.h>

#include "app/load_meter.h"

namespace {

TEST(LoadMeter, TheShareOfTheAllowedTimeAndTheSlowestBlock)
{
    LOAD_METER meter;
    double share = 0, worst = 0;
    EXPECT_FALSE(meter.take(share, worst)); // no block yet
    const long long period = 3072LL * 1000000000LL / 44100; // of a 3072-frame block
    meter.add_block(period / 2, 3072);
    meter.add_block(period * 2, 3072);
    ASSERT_TRUE(meter.take(share, worst));
    EXPECT_NEAR(share, 1.25, 0.001);
    EXPECT_NEAR(worst, 2.0, 0.001);
    EXPECT_FALSE(meter.take(share, worst)); // read once
    EXPECT_EQ(behind_words(360),
              "The patch needs 360 % of the time the sound allows: remove modules or raise --block");
}

} // namespace
