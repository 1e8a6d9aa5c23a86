// Step sequencer: step timing, gate lengths, step kinds, queued changes,
// reset and the step event.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "synth/note2freq.h"
#include "synth/sequencer.h"
#include "synth/step_queue.h"

namespace {

class Sequencer : public ::testing::Test {
protected:
    void SetUp() override
    {
        fill_NOTE2FREQ();
        seq = std::make_unique<SEQUENCER>();
    }

    // Runs until a step fires (current_step moves) and returns the number of
    // samples that took; -1 when nothing fires within limit samples.
    int samples_to_next_step(int limit = 200000)
    {
        const int before = seq->current_step;
        for (int n = 1; n <= limit; ++n) {
            seq->evolue();
            if (seq->current_step != before)
                return n;
        }
        return -1;
    }

    // Runs until the gate closes and returns the number of samples that took.
    int samples_to_gate_close(int limit = 200000)
    {
        for (int n = 1; n <= limit; ++n) {
            seq->evolue();
            if (seq->state == 0)
                return n;
        }
        return -1;
    }

    float pitch(int n) { return (float)NOTE2FREQ[n]; }

    std::unique_ptr<SEQUENCER> seq;
};

} // namespace

TEST_F(Sequencer, StepsFireOnePeriodApartAtDividersTwoAndFour)
{
    EXPECT_EQ(samples_to_next_step(), 22050); // not at once: one period in
    EXPECT_EQ(seq->state, 1);
    EXPECT_EQ(seq->value, pitch(46));
    EXPECT_EQ(samples_to_next_step(), 22050);

    seq->divider = 4.0f;
    EXPECT_EQ(samples_to_next_step(), 11025);
    EXPECT_EQ(samples_to_next_step(), 11025);
}

TEST_F(Sequencer, GateClosesOneSampleBeforeTheNextStep)
{
    samples_to_next_step();
    EXPECT_EQ(samples_to_gate_close(), 22049);
    EXPECT_EQ(seq->gate_open, 0);
}

// The gate closes by the length of the step about to fire next.
TEST_F(Sequencer, ShortGateClosesAtTheFirstSampleAfterTheStep)
{
    seq->length[0][1] = 0.000001f;
    samples_to_next_step();
    EXPECT_EQ(seq->state, 1);
    EXPECT_EQ(samples_to_gate_close(), 1);
}

TEST_F(Sequencer, GateLongerThanASecondLengthensTheStep)
{
    seq->length[0][0] = 3.0f;
    seq->length[0][1] = 3.0f;
    EXPECT_EQ(samples_to_next_step(), 22050 + 66150);
    EXPECT_EQ(samples_to_gate_close(), 66149);
    EXPECT_EQ(samples_to_next_step(), 22050 + 66150 - 66149);
}

TEST_F(Sequencer, StepWithVolumeOtherThanOneKeepsPitchAndGate)
{
    seq->note[0][0] = 0; // note number 36
    seq->volume[0][1] = 0.9f;
    samples_to_next_step();
    samples_to_gate_close();
    EXPECT_EQ(samples_to_next_step(), 1); // step 1 fires
    EXPECT_EQ(seq->current_step, 2);
    EXPECT_EQ(seq->value, pitch(36));
    EXPECT_EQ(seq->state, 0);
}

TEST_F(Sequencer, BypassedStepIsSilentWithoutGate)
{
    seq->bypass[0][1] = 1;
    samples_to_next_step();
    samples_to_gate_close();
    samples_to_next_step();
    EXPECT_EQ(seq->current_step, 2);
    EXPECT_EQ(seq->value, 0.0f);
    EXPECT_EQ(seq->state, 0);
}

TEST_F(Sequencer, RestStepSilencesAndTheLoopGoesOn)
{
    seq->octave[0][1] = 0;
    seq->note[0][1] = 0;
    seq->octave[0][2] = -5; // outside the table: a rest as well
    samples_to_next_step();
    EXPECT_EQ(samples_to_next_step(), 22050);
    EXPECT_EQ(seq->value, 0.0f);
    EXPECT_EQ(samples_to_next_step(), 22050);
    EXPECT_EQ(seq->value, 0.0f);
    EXPECT_EQ(samples_to_next_step(), 22050);
    EXPECT_EQ(seq->value, pitch(46));
    EXPECT_EQ(seq->current_step, 4);
}

TEST_F(Sequencer, PowerOffKeepsThePlaceButOpensNoGate)
{
    seq->power = 0;
    for (int step = 1; step <= 3; ++step) {
        EXPECT_EQ(samples_to_next_step(), 22050);
        EXPECT_EQ(seq->current_step, step);
        EXPECT_EQ(seq->state, 0);
    }
    seq->power = 1;
    samples_to_next_step();
    EXPECT_EQ(seq->state, 1);
}

TEST_F(Sequencer, QueuedPatternAndDividerWaitForTheEndOfTheLoop)
{
    seq->step_count = 2;
    seq->note[5][0] = 1;
    samples_to_next_step();
    seq->wished_pattern = 5;
    seq->wished_divider = 4.0f;
    samples_to_next_step(); // step 1, still pattern 0
    EXPECT_EQ(seq->pattern, 0);
    EXPECT_EQ(seq->divider, 2.0f);
    seq->evolue(); // end of the loop
    EXPECT_EQ(seq->pattern, 5);
    EXPECT_EQ(seq->divider, 4.0f);
    EXPECT_EQ(samples_to_next_step(), 11025 - 1);
    EXPECT_EQ(seq->value, pitch(37));
}

TEST_F(Sequencer, QueuedPatternOutsideTheBankWrapsToZero)
{
    seq->step_count = 1;
    for (int wished : {40, -3}) {
        seq->wished_pattern = wished;
        samples_to_next_step();
        seq->evolue();
        EXPECT_EQ(seq->pattern, 0) << wished;
    }
}

TEST_F(Sequencer, LoopEndsAtTheStepCountOrTheEdgeOfTheArrays)
{
    for (int i = 0; i < 5; ++i)
        samples_to_next_step();
    seq->step_count = 3;
    seq->evolue();
    EXPECT_EQ(seq->current_step, 0);

    seq->step_count = 1000;
    seq->current_step = SEQUENCER::STEPS - 1;
    samples_to_next_step();
    seq->evolue();
    EXPECT_EQ(seq->current_step, 0);
}

TEST_F(Sequencer, HeldResetKeepsStepZeroAndReleaseRestartsTheCount)
{
    OUTPUT_SYNC reset(0);
    seq->INPUT_SYNC::source = &reset.pulse;
    samples_to_next_step();
    reset.pulse = 1;
    EXPECT_EQ(samples_to_next_step(100000), 1); // back to step 0
    EXPECT_EQ(seq->current_step, 0);
    EXPECT_EQ(samples_to_next_step(100000), -1);
    reset.pulse = 0;
    EXPECT_EQ(samples_to_next_step(), 22050);
}

TEST_F(Sequencer, StepEventTextIsBuiltOnceFromTheName)
{
    seq->set_name("SEQUENCER_1");
    EXPECT_STREQ(seq->name, "SEQUENCER_1");
    EXPECT_STREQ(seq->step_event_text, "SEQ_TRIG_SEQUENCER_1");

    std::string long_name(900, 'S');
    seq->set_name(long_name.c_str());
    EXPECT_EQ(std::strlen(seq->name), sizeof seq->name - 1);
    EXPECT_EQ(std::strlen(seq->step_event_text), 9 + sizeof seq->name - 1);
}

TEST_F(Sequencer, EveryFiredStepIsQueuedForTheInterface)
{
    seq->set_name("SEQUENCER_2");
    seq->bypass[0][1] = 1; // a bypassed step still tells the interface
    seq->volume[0][2] = 0.5f;
    static std::vector<SEQUENCER *> taken;
    taken.clear();
    for (int step = 0; step < 3; ++step) {
        samples_to_next_step();
        take_step_events([](SEQUENCER *s) {
            taken.push_back(s);
            return true;
        });
    }
    EXPECT_EQ(taken, std::vector<SEQUENCER *>(3, seq.get()));
}
