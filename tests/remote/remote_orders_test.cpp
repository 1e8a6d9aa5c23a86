// The executor of remote buttons on a generator built by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "remote/remote_orders.h"
#include "synth/generator.h"

namespace {

class RemoteOrders : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_remote_state();
        gen = new GENERATOR();
    }
    void TearDown() override
    {
        gen->release_modules();
        delete gen;
        gen = nullptr;
        reset_remote_state();
    }

    VCO *add_oscillator(float frequency = 440.0f)
    {
        VCO *vco = new VCO(1.0f, frequency, SIN);
        gen->oscillators.push_back(vco);
        return vco;
    }

    // Runs the executor with a button mask held for a number of passes;
    // returns how many passes reported a change.
    static int hold(int mask, int passes)
    {
        remote_state.PORT_A = mask;
        int changed = 0;
        for (int i = 0; i < passes; ++i)
            changed += Exec_Remote_Order();
        return changed;
    }
};

TEST_F(RemoteOrders, F1AndF2StepTheOscillatorFrequencyByGrowingSteps)
{
    VCO *vco = add_oscillator(440.0f);
    const float steps[] = {0.01f, 0.015f, 0.0225f};
    float expected = 440.0f;
    for (float step : steps) {
        EXPECT_EQ(hold(0x01, 1), 1);
        expected += step;
        EXPECT_FLOAT_EQ(vco->frequency, expected);
    }
    EXPECT_EQ(remote_state.toggle_BUTTON_1, 1);

    // Releasing every button brings the step sizes back to 0.01 and changes nothing.
    EXPECT_EQ(hold(0x00, 1), 0);
    EXPECT_EQ(remote_state.toggle_BUTTON_1, 0);
    EXPECT_FLOAT_EQ(remote_state.toggle_BUTTON_1_time, 0.01f);
    EXPECT_FLOAT_EQ(vco->frequency, expected);

    hold(0x02, 2);
    EXPECT_FLOAT_EQ(vco->frequency, expected - 0.01f - 0.015f);
    hold(0x00, 1);
    EXPECT_FLOAT_EQ(remote_state.toggle_BUTTON_2_time, 0.01f);

    // Held for thousands of passes the step overflows; the frequency stays a number.
    hold(0x01, 3000);
    EXPECT_TRUE(std::isfinite(vco->frequency));
    EXPECT_GT(vco->frequency, 1e37f);
}

TEST_F(RemoteOrders, F3AndF4ChangeTheOscillatorAmplitudeAndCountTheHold)
{
    VCO *vco = add_oscillator();
    hold(0x04, 3);
    EXPECT_NEAR(vco->amplitude, 1.03f, 1e-5);
    EXPECT_FLOAT_EQ(remote_state.toggle_BUTTON_3_time, 3.01f);
    hold(0x08, 1);
    EXPECT_NEAR(vco->amplitude, 1.02f, 1e-5);
    EXPECT_FLOAT_EQ(remote_state.toggle_BUTTON_3_time, 0.01f);
}

TEST_F(RemoteOrders, Bit5StepsTheTypeOnceEverySevenPasses)
{
    add_oscillator();
    int seen[12];
    for (int &type : seen) {
        hold(0x20, 7);
        type = remote_state.nr_type_instru;
    }
    const int expected[12] = {1, 2, 3, 4, 0, 1, 2, 3, 4, 0, 1, 2};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(seen[i], expected[i]) << "after " << 7 * (i + 1) << " passes";

    // A selector left alone long enough acts on the first pass it is held.
    hold(0x00, 20);
    hold(0x20, 1);
    EXPECT_EQ(remote_state.nr_type_instru, 3);
}

TEST_F(RemoteOrders, Bit4SelectsTheNextSamplerAndWraps)
{
    for (int i = 0; i < 4; ++i)
        gen->samplers.push_back(new SAMPLER());
    remote_state.nr_type_instru = 4;
    int seen[5];
    for (int &index : seen) {
        hold(0x10, 7);
        index = remote_state.nr_sampler_selected;
    }
    const int expected[5] = {1, 2, 3, 0, 1};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(seen[i], expected[i]);
}

TEST_F(RemoteOrders, WaveformBitsWrapAndSetTheOscillatorType)
{
    VCO *vco = add_oscillator();
    remote_state.nr_type_onde = 3;
    hold(0x80, 13);
    EXPECT_EQ(remote_state.nr_type_onde, 2);
    EXPECT_EQ(vco->type, TRI);

    remote_state.nr_type_onde = 0;
    hold(0x80, 13);
    EXPECT_EQ(remote_state.nr_type_onde, 5);
    EXPECT_EQ(vco->type, NOISE);

    hold(0x40, 13);
    EXPECT_EQ(remote_state.nr_type_onde, 1);
    EXPECT_EQ(vco->type, SIN);
}

TEST_F(RemoteOrders, WaveformBitsDoubleAndHalveTheSequencerDivider)
{
    SEQUENCER *seq = new SEQUENCER();
    gen->sequencers.push_back(seq);
    remote_state.nr_type_instru = 2;
    hold(0x40, 13);
    EXPECT_FLOAT_EQ(seq->divider, 4.0f);
    hold(0x80, 13);
    hold(0x80, 13);
    EXPECT_FLOAT_EQ(seq->divider, 1.0f);
}

TEST_F(RemoteOrders, AmplifierTimesFollowTheirRanges)
{
    VCA *vca = new VCA();
    gen->amplifiers.push_back(vca);
    remote_state.nr_type_instru = 1;

    vca->attack = 95.0f;
    hold(0x04, 1);
    EXPECT_FLOAT_EQ(vca->attack, 205.0f);
    hold(0x00, 1);

    vca->attack = 9.5f;
    hold(0x04, 1);
    EXPECT_FLOAT_EQ(vca->attack, 20.5f);
    hold(0x00, 1);

    vca->attack = 5.0f;
    hold(0x08, 6);
    EXPECT_FLOAT_EQ(vca->attack, -1.0f); // no lower limit
    hold(0x00, 1);

    // F2 and F1 choose the parameter, wrapping over 0..3.
    hold(0x02, 1);
    EXPECT_EQ(remote_state.num_fct_vca, 1);
    hold(0x00, 1);
    vca->decay = 150.0f;
    hold(0x08, 1);
    EXPECT_FLOAT_EQ(vca->decay, 50.0f);
    hold(0x00, 1);
    hold(0x01, 2);
    EXPECT_EQ(remote_state.num_fct_vca, 3);
    hold(0x00, 1);

    remote_state.num_fct_vca = 2;
    hold(0x08, 1);
    EXPECT_FLOAT_EQ(vca->sustain, 0.0f);
    hold(0x04, 1);
    EXPECT_FLOAT_EQ(vca->sustain, 1.0f);
}

TEST_F(RemoteOrders, SequencerStepsWrapAndNotesMove)
{
    SEQUENCER *seq = new SEQUENCER();
    seq->step_count = 16;
    gen->sequencers.push_back(seq);
    remote_state.nr_type_instru = 2;

    hold(0x04, 1);
    EXPECT_EQ(remote_state.num_step_seq, 15);
    hold(0x08, 1);
    EXPECT_EQ(remote_state.num_step_seq, 0);

    seq->note[0][0] = 2;
    hold(0x01, 5); // F1 lowers the note of the selected step, without a limit
    EXPECT_EQ(seq->note[0][0], -3);
    hold(0x02, 3);
    EXPECT_EQ(seq->note[0][0], 0);
    EXPECT_EQ(seq->note[0][1], 10);

    // A step beyond the arrays is never touched.
    remote_state.num_step_seq = 500;
    hold(0x01, 1);
    hold(0x02, 1);
    EXPECT_EQ(remote_state.num_step_seq, 500);
}

TEST_F(RemoteOrders, FilterParametersAreChosenAndChanged)
{
    PCF *pcf = new PCF();
    gen->filters.push_back(pcf);
    remote_state.nr_type_instru = 3;
    const int cut_off = pcf->cut_off;

    hold(0x04, 2);
    EXPECT_EQ(pcf->cut_off, cut_off + 200);
    hold(0x00, 1);
    hold(0x02, 1);
    hold(0x00, 1);
    hold(0x04, 1);
    EXPECT_FLOAT_EQ(pcf->q, 0.5f);
    hold(0x01, 2); // 1 -> 0 -> 4
    EXPECT_EQ(remote_state.num_fct_pcf, 4);
    hold(0x00, 1);
    hold(0x04, 1); // parameter 4 selects nothing
    hold(0x08, 1); // F4 has no filter action
    EXPECT_EQ(pcf->cut_off, cut_off + 200);
    EXPECT_FLOAT_EQ(pcf->q, 0.5f);
    EXPECT_FLOAT_EQ(pcf->gain, 1.0f);
}

TEST_F(RemoteOrders, AnInvalidSelectionIsNeverUsed)
{
    // Empty list: holding every button changes nothing but the type stepping.
    EXPECT_EQ(hold(0xCF, 30), 0);
    EXPECT_EQ(remote_state.nr_type_onde, 0);

    // An index left beyond a shortened list.
    VCO *vco = add_oscillator(100.0f);
    remote_state.nr_vco_selected = 3;
    EXPECT_EQ(hold(0xCF, 30), 0);
    EXPECT_FLOAT_EQ(vco->frequency, 100.0f);
    EXPECT_EQ(vco->type, SIN);

    // Next module brings the selection back into the list; then it acts.
    hold(0x00, 7);
    hold(0x10, 1);
    EXPECT_EQ(remote_state.nr_vco_selected, 0);
    EXPECT_EQ(hold(0x01, 1), 1);
    EXPECT_FLOAT_EQ(vco->frequency, 100.01f);
}

TEST_F(RemoteOrders, NothingHappensWithoutAGeneratorOrAMask)
{
    add_oscillator();
    EXPECT_EQ(hold(0x00, 50), 0);
    GENERATOR *kept = gen;
    gen = nullptr;
    EXPECT_EQ(hold(0xFF, 50), 0);
    gen = kept;
}

} // namespace
