// Reading the link section: which input of which module each key binds.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "patch_text.h"

namespace {

const char *const MODULES = "BEGIN_OBJECTS_DECLARE\n"
                            "VCO_1;TYPE=1;\nVCO_2;TYPE=1;\nVCA_1;ATTACK=1;\nVCA_2;ATTACK=1;\n"
                            "PCF_1;TYPE=1;\nMIXER_4;;\nMIXER_2;;\nSEQUENCER_1;NBR_STEP=4;\n"
                            "KEYBOARD_1;;\nSAMPLER_1;FILE=samples/hat.wav;\n"
                            "END_OBJECTS_DECLARE\n";

std::string patch(const std::string &links)
{
    return std::string(MODULES) + "BEGIN_LINKS_DECLARE\n" + links +
           "\nOUTPUT_1;MIXER_4;\nEND_LINKS_DECLARE\n";
}

bool has(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

float *audio(OUTPUT *o) { return &o->value; }
GATE_STATE *gate(OUTPUT_GATE *o) { return &o->state; }
int *sync(OUTPUT_SYNC *o) { return &o->pulse; }

} // namespace

class LinkReader : public testing::Test {
protected:
    VCO *vco1 = nullptr, *vco2 = nullptr;
    VCA *vca1 = nullptr, *vca2 = nullptr;
    PCF *pcf = nullptr;
    MIXER *mix4 = nullptr, *mix2 = nullptr;
    SEQUENCER *seq = nullptr;
    KEYBOARD *key = nullptr;
    SAMPLER *smp = nullptr;

    void find(GENERATOR &g)
    {
        vco1 = g.get_VCO_by_name("VCO_1");
        vco2 = g.get_VCO_by_name("VCO_2");
        vca1 = g.get_VCA_by_name("VCA_1");
        vca2 = g.get_VCA_by_name("VCA_2");
        pcf = g.get_PCF_by_name("PCF_1");
        mix4 = g.get_MIXER_by_name("MIXER_4");
        mix2 = g.get_MIXER_by_name("MIXER_2");
        seq = g.get_SEQUENCER_by_name("SEQUENCER_1");
        key = g.get_KEYBOARD_by_name("KEYBOARD_1");
        smp = g.get_SAMPLER_by_name("SAMPLER_1");
        ASSERT_TRUE(vco1 && vco2 && vca1 && vca2 && pcf && mix4 && mix2 && seq && key && smp);
    }
};

TEST_F(LinkReader, AmplifierReadsOscillatorAndKeyboardGate)
{
    PATCH_TEXT p(patch("VCA_1;IN=VCO_1;GATE=KEYBOARD_1;\nVCA_2;IN=PCF_1;GATE=SEQUENCER_1;"));
    find(p.g);
    EXPECT_EQ(vca1->INPUT::source, audio(vco1));
    EXPECT_EQ(vca1->INPUT_GATE::source, gate(key));
    EXPECT_EQ(vca2->INPUT::source, audio(pcf));
    EXPECT_EQ(vca2->INPUT_GATE::source, gate(seq));
    EXPECT_EQ(p.links_read, 1);
    EXPECT_EQ(p.complaints(), "");
}

TEST_F(LinkReader, FilterInputAndModulations)
{
    PATCH_TEXT p(
        patch("PCF_1;IN=VCA_1;MOD_FREQ=VCO_2;MOD_AMP=SAMPLER_1;MOD_PHASE=VCA_2;GATE=KEYBOARD_1;"
              "SYNC=SEQUENCER_1;"));
    find(p.g);
    EXPECT_EQ(pcf->INPUT::source, audio(vca1));
    ASSERT_NE(pcf->mod_frequency, nullptr);
    EXPECT_EQ(pcf->mod_frequency->source, audio(vco2));
    ASSERT_NE(pcf->mod_amplitude, nullptr);
    EXPECT_EQ(pcf->mod_amplitude->source, audio(smp));
    ASSERT_NE(pcf->mod_phase, nullptr);
    EXPECT_EQ(pcf->mod_phase->source, audio(vca2));
    EXPECT_EQ(pcf->INPUT_GATE::source, gate(key));
    EXPECT_EQ(pcf->INPUT_SYNC::source, sync(seq));
}

TEST_F(LinkReader, OscillatorFromSequencerWithEveryModulation)
{
    PATCH_TEXT p(patch("VCO_1;IN=SEQUENCER_1;GATE=SEQUENCER_1;SYNC=KEYBOARD_1;MOD_FREQ=VCO_2;"
                       "MOD_PHASE=SAMPLER_1;MOD_AMP=VCA_1;MOD_PWM=VCO_2;"));
    find(p.g);
    EXPECT_EQ(vco1->INPUT::source, audio(seq));
    EXPECT_EQ(vco1->INPUT_GATE::source, gate(seq));
    EXPECT_EQ(vco1->INPUT_SYNC::source, sync(key));
    EXPECT_EQ(vco1->mod_frequency->source, audio(vco2));
    EXPECT_EQ(vco1->mod_phase->source, audio(smp));
    EXPECT_EQ(vco1->mod_amplitude->source, audio(vca1));
    EXPECT_EQ(vco1->mod_pulse_width->source, audio(vco2));
}

TEST_F(LinkReader, SamplerAndSequencerTargets)
{
    PATCH_TEXT p(patch("SAMPLER_1;IN=SEQUENCER_1;GATE=SEQUENCER_1;SYNC=KEYBOARD_1;MOD_FREQ=VCO_1;"
                       "MOD_AMP=VCA_1;\nSEQUENCER_1;SYNC=KEYBOARD_1;"));
    find(p.g);
    EXPECT_EQ(smp->INPUT::source, audio(seq));
    EXPECT_EQ(smp->INPUT_GATE::source, gate(seq));
    EXPECT_EQ(smp->INPUT_SYNC::source, sync(key));
    EXPECT_EQ(smp->mod_frequency->source, audio(vco1));
    EXPECT_EQ(smp->mod_amplitude->source, audio(vca1));
    EXPECT_EQ(seq->INPUT_SYNC::source, sync(key));
}

TEST_F(LinkReader, MixerChannelsInOrder)
{
    PATCH_TEXT p(patch("MIXER_4;ADD_CHANELL=PCF_1;ADD_CHANELL=VCA_2;ADD_CHANELL=MIXER_2;"
                       "ADD_CHANELL=SAMPLER_1;ADD_CHANELL=VCO_1;"));
    find(p.g);
    ASSERT_EQ(mix4->count, 5);
    EXPECT_EQ(mix4->inputs[0].source, audio(pcf));
    EXPECT_EQ(mix4->inputs[1].source, audio(vca2));
    EXPECT_EQ(mix4->inputs[2].source, audio(mix2));
    EXPECT_EQ(mix4->inputs[3].source, audio(smp));
    EXPECT_EQ(mix4->inputs[4].source, audio(vco1));
}

TEST_F(LinkReader, WholeFieldIsTestedForKeyWords)
{
    // SYNC=KEYBOARD_IN holds both "IN" and "SYNC"; with one keyboard in the
    // patch any keyboard name finds it.
    PATCH_TEXT p(patch("VCO_1;SYNC=KEYBOARD_IN;"));
    find(p.g);
    EXPECT_EQ(vco1->INPUT_SYNC::source, sync(key));
    EXPECT_EQ(vco1->INPUT::source, audio(key));
}

// Every audio input takes any module's output, as the cable editor makes
// and saves it.
TEST_F(LinkReader, AudioInputsTakeAnyModulesOutput)
{
    PATCH_TEXT p(patch("VCO_1;IN=VCO_2;\nPCF_1;MOD_FREQ=PCF_1;\nVCA_1;IN=KEYBOARD_1;\n"
                       "MIXER_4;ADD_CHANELL=SEQUENCER_1;"));
    find(p.g);
    EXPECT_EQ(vco1->INPUT::source, audio(vco2));
    EXPECT_EQ(pcf->mod_frequency->source, audio(pcf));
    EXPECT_EQ(vca1->INPUT::source, audio(key));
    EXPECT_EQ(mix4->inputs[0].source, audio(seq));
    EXPECT_EQ(p.complaints(), "");
}

TEST_F(LinkReader, LinksOutsideTheSectionAreIgnored)
{
    const std::string text = std::string("VCA_1;IN=VCO_1;\n") + MODULES +
                             "BEGIN_LINKS_DECLARE\nEND_LINKS_DECLARE\nVCA_2;IN=VCO_1;\n";
    PATCH_TEXT p(text);
    find(p.g);
    EXPECT_EQ(vca1->INPUT::source, nullptr);
    EXPECT_EQ(vca2->INPUT::source, nullptr);
}

// As the writer puts a module that takes audio but has no cable: read
// without a word.
TEST_F(LinkReader, LineWithOnlyANameIsAModuleWithoutCables)
{
    PATCH_TEXT p(patch("VCO_1;"));
    EXPECT_FALSE(has(p.printed, "Ligne"));
    EXPECT_EQ(p.g.load_status, 0);
}

TEST_F(LinkReader, EmptyLinkFieldIsFatal)
{
    PATCH_TEXT p(patch("VCA_1;;IN=VCO_1;\nVCA_2;IN=VCO_1;"));
    find(p.g);
    EXPECT_TRUE(has(p.printed, "Erreur, au niveau des parametre ligne [14]\n"));
    EXPECT_EQ(p.g.load_status, -1);
    EXPECT_EQ(p.g.load_problem, "line 14: empty field in the links of VCA_1");
    EXPECT_EQ(p.links_read, 0);
    EXPECT_EQ(vca2->INPUT::source, nullptr);
}

TEST_F(LinkReader, MissingNamesAndSourcesAreReported)
{
    PATCH_TEXT p(patch("VCA_9;IN=VCO_1;\nVCA_1;IN=VCO_9;GATE=;\nMIXER_4;ADD_CHANELL=VCA_9;\n"
                       ";IN=VCO_1;"));
    find(p.g);
    EXPECT_EQ(p.g.load_status, 0);
    EXPECT_TRUE(has(p.printed, "no module [VCA_9] to link, skipped"));
    EXPECT_TRUE(has(p.printed, "no module [VCO_9] to link to IN"));
    EXPECT_TRUE(has(p.printed, "link [GATE=] without a source"));
    EXPECT_TRUE(has(p.printed, "no module [VCA_9] to link to ADD_CHANELL"));
    EXPECT_TRUE(has(p.printed, "link declaration without a module name"));
    EXPECT_EQ(vca1->INPUT::source, nullptr);
    EXPECT_EQ(vca1->INPUT_GATE::source, nullptr);
    EXPECT_EQ(mix4->count, 0);
}

TEST_F(LinkReader, RebindingAModulationReplacesIt)
{
    // The second binding re-points the slot's input (nothing leaks: checked
    // by the leak sanitizer).
    PATCH_TEXT p(patch("VCO_1;MOD_FREQ=VCO_2;MOD_FREQ=VCA_1;"));
    find(p.g);
    EXPECT_EQ(vco1->mod_frequency->source, audio(vca1));
}

// A gate cable that names no module leaves the amplifier without a gate: it
// passes its input through, never a constant.
TEST_F(LinkReader, AnAmplifierWhoseGateNamesNoModulePassesItsInput)
{
    PATCH_TEXT p(patch("VCA_1;IN=VCO_1;GATE=SEQUENCER_GONE;"));
    find(p.g);
    EXPECT_EQ(vca1->INPUT_GATE::source, nullptr);
    EXPECT_TRUE(has(p.printed, "no module [SEQUENCER_GONE] to link to GATE"));
    vco1->amplitude = 0.5f;
    vco1->frequency = 441.0f;
    float loudest = 0.0f;
    for (int i = 0; i < 200; i++) {
        p.g.evaluate_one_sample();
        ASSERT_EQ(vca1->value, vco1->value) << i; // the oscillator is evaluated first
        loudest = std::max(loudest, vca1->value);
    }
    EXPECT_GT(loudest, 0.4f);
}

// The output line names the mixer the patch plays, when the patch has it.
TEST_F(LinkReader, TheOutputLineChoosesTheMixerHeard)
{
    for (const auto &[line, heard] :
         {std::pair{"OUTPUT_1;MIXER_2;", "MIXER_2"}, {"OUTPUT_1;MIXER_GONE;", "MIXER_4"}}) {
        const std::string text =
            std::string(MODULES) + "BEGIN_LINKS_DECLARE\n" + line + "\nEND_LINKS_DECLARE\n";
        PATCH_TEXT p(text);
        EXPECT_STREQ(p.g.output_mixer, heard);
    }
}
