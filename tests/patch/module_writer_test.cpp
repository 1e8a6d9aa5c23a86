// Writing the module section: one line per module, in the fixed formats.
#include <gtest/gtest.h>

#include <string>

#include "patch_text.h"

namespace {

std::string written(GENERATOR &g) { return module_section(g); }

} // namespace

TEST(ModuleWriter, LineFormatsOfEveryModule)
{
    PATCH_TEXT p("VCO_1;TYPE=4;FREQ=220.5;AMOUNT=0.333;PHASE=90.7;\n"
                 "VCA_1;ATTACK=10;DECAY=250;SUSTAIN=1;RELEASE=300;INVERT=1;\n"
                 "MIXER_4;;\nKEYBOARD_1;;\n"
                 "PCF_1;HICUT=800;Q=2;GAIN=15;TYPE=1;BYPASS=0;\n"
                 "SAMPLER_1;FILE=samples/hat.wav;\n");
    const std::string text = written(p.g);
    EXPECT_EQ(text, "BEGIN_OBJECTS_DECLARE\n\n"
                    "VCO_1;TYPE=4;FREQ=220.500000;AMOUNT=0.33;PHASE=90;\n"
                    "VCA_1;BYPASS=0;ATTACK=10.000000;DECAY=250.000000;SUSTAIN=1.000000;"
                    "RELEASE=300.000000;INVERT=1;\n"
                    "MIXER_4;;\n"
                    "PCF_1;HICUT=800;Q=2.000000;GAIN=15.000000;TYPE=1;BYPASS=0;\n"
                    "KEYBOARD_1;;\n"
                    "SAMPLER_1;FILE=samples/hat.wav;\n"
                    "END_OBJECTS_DECLARE\n\n");
}

TEST(ModuleWriter, SequencerWritesThirtyTwoStepsOfPatternZero)
{
    PATCH_TEXT p("SEQUENCER_1;DIVIDER=4;NBR_STEP=8;NOTE_000_003=49;VOLUME_000_001=0.5;"
                 "LENGHT_000_002=0.25;BYPASS_000_031=1;BYPASS_001_000=1;\n");
    std::string line = written(p.g);
    line = line.substr(line.find("SEQUENCER_1"));
    line = line.substr(0, line.find('\n'));
    EXPECT_EQ(line.rfind("SEQUENCER_1;*DIVIDER=4.000000;NBR_STEP=8;NOTE_000_000=46;", 0), 0u);
    EXPECT_NE(line.find(";NOTE_000_003=49;"), std::string::npos);
    EXPECT_NE(line.find(";NOTE_000_031=46;VOLUME_000_000=1.000;VOLUME_000_001=0.500;"),
              std::string::npos);
    EXPECT_NE(line.find(";LENGHT_000_002=0.250;"), std::string::npos);
    EXPECT_EQ(line.substr(line.size() - 34), "BYPASS_000_030=0;BYPASS_000_031=1;");
    EXPECT_EQ(line.find("_001_"), std::string::npos); // other patterns are not saved
    EXPECT_EQ(line.find("_032="), std::string::npos);

    // Read back, the line gives the same sequencer.
    PATCH_TEXT again(line + "\n");
    EXPECT_EQ(written(again.g), written(p.g));
}

TEST(ModuleWriter, FilterKeepsItsSwitchAcrossSaveAndReload)
{
    PATCH_TEXT p("PCF_1;HICUT=800;\n");
    p.g.filters[0]->bypass = 0;
    PATCH_TEXT again(written(p.g));
    EXPECT_EQ(again.g.filters.at(0)->bypass, 0);
    EXPECT_EQ(again.g.filters[0]->cut_off, 800);
}

TEST(ModuleWriter, LossyReadings)
{
    // What the formats and whole-number keys cannot carry back.
    PATCH_TEXT p("PCF_1;HICUT=800;\nVCA_1;ATTACK=1;\nVCO_1;TYPE=1;\n");
    p.g.filters[0]->gain = 1.5f;
    p.g.amplifiers[0]->sustain = 0.5f;
    p.g.oscillators[0]->phase = 12.75f;
    PATCH_TEXT again(written(p.g));
    EXPECT_FLOAT_EQ(again.g.filters.at(0)->gain, 1.0f);
    EXPECT_FLOAT_EQ(again.g.filters[0]->level, 0.0f);
    EXPECT_FLOAT_EQ(again.g.amplifiers.at(0)->sustain, 0.0f);
    EXPECT_FLOAT_EQ(again.g.oscillators.at(0)->phase, 12.0f);
}

TEST(ModuleWriter, PhaseThatNoIntegerHoldsIsWrittenSafely)
{
    PATCH_TEXT p("VCO_1;PHASE=nan;\nVCO_2;PHASE=1e30;\n");
    const std::string text = written(p.g);
    EXPECT_NE(text.find("VCO_1;TYPE=1;FREQ=110.000000;AMOUNT=1.00;PHASE=0;"), std::string::npos);
    EXPECT_NE(text.find("VCO_2;TYPE=1;FREQ=110.000000;AMOUNT=1.00;PHASE=2147483647;"),
              std::string::npos);
}

TEST(ModuleWriter, LoadingAndSavingReversesEachList)
{
    PATCH_TEXT p("VCO_1;TYPE=1;\nVCO_2;TYPE=2;\nMIXER_A;;\nMIXER_B;;\n");
    const std::string first = written(p.g);
    EXPECT_LT(first.find("VCO_2;"), first.find("VCO_1;"));
    EXPECT_LT(first.find("MIXER_B;"), first.find("MIXER_A;"));
    PATCH_TEXT again(first);
    const std::string second = written(again.g);
    EXPECT_LT(second.find("VCO_1;"), second.find("VCO_2;"));
    EXPECT_LT(second.find("MIXER_A;"), second.find("MIXER_B;"));
}
