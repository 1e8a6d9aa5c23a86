// Port behaviour: gates, sync pulses and connections.
#include <gtest/gtest.h>

#include "synth/ports.h"

namespace {

struct ConstantOutput : OUTPUT {
    explicit ConstantOutput(float v) : OUTPUT(v) {}
    int evolue() override { return 1; }
};

} // namespace

TEST(Ports, SyncPulseLastsExactlyOneEvaluation)
{
    OUTPUT_SYNC sync(0);
    EXPECT_EQ(sync.pulse, 0);
    sync.TRIG_SYNC();
    sync.TRIG_SYNC(); // several requests before an evaluation make one pulse
    sync.evolue();
    EXPECT_EQ(sync.pulse, 1);
    sync.evolue();
    EXPECT_EQ(sync.pulse, 0);
}

TEST(Ports, GateTriggerAndRelease)
{
    OUTPUT_GATE gate(0);
    gate.UNTRIG();
    EXPECT_EQ(gate.state, 0);
    gate.TRIG();
    gate.TRIG(); // retriggering an open gate keeps it open
    EXPECT_EQ(gate.state, 1);
}

TEST(Ports, InputsReadTheirSourceAndNullMeansUnconnected)
{
    ConstantOutput out(0.25f);
    INPUT in(&out);
    ASSERT_NE(in.source, nullptr);
    out.value = -0.5f;
    EXPECT_EQ(*in.source, -0.5f);
    EXPECT_EQ(INPUT(nullptr).source, nullptr);
    EXPECT_EQ(INPUT_SYNC(nullptr).source, nullptr);

    OUTPUT_GATE gate(2);
    struct Reader : INPUT_GATE {
        explicit Reader(OUTPUT_GATE *g) : INPUT_GATE(g) {}
        int evolue() override { return 1; }
    } reader(&gate), unplugged(nullptr);
    reader.latch(STANDALONE);
    unplugged.latch(STANDALONE);
    EXPECT_FALSE(reader.gate_on(0)) << "only a state of exactly 1 is on";
    gate.TRIG();
    reader.latch(STANDALONE);
    EXPECT_TRUE(reader.gate_on(0));
    EXPECT_FALSE(unplugged.gate_on(0));
}
