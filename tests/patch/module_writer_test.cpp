// Writing the module section: one line per module, in the fixed formats.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
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
                 "SAMPLER_1;FILE=samples/hat.wav;\nSAMPLER_2;;\n");
    const std::string text = written(p.g);
    EXPECT_EQ(text, "BEGIN_OBJECTS_DECLARE\n\n"
                    "VCO_1;TYPE=4;FREQ=220.500000;AMOUNT=0.333000004;PHASE=90.6999969;\n"
                    "VCA_1;ATTACK=10.000000;DECAY=250.000000;SUSTAIN=1.000000;"
                    "RELEASE=300.000000;INVERT=1;\n"
                    "MIXER_4;;\n"
                    "PCF_1;HICUT=800;Q=2.000000;GAIN=15.000000;TYPE=1;BYPASS=0;AMOUNT=1.000000;\n"
                    "KEYBOARD_1;;\n"
                    "SAMPLER_1;FILE=samples/hat.wav;\n"
                    "SAMPLER_2;;\n" // without a recording: no FILE key
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

// Every setting a panel can change comes back from the file as it was, the
// new keys among the old ones; values the usual formats cannot carry are
// written with the digits they need.
TEST(ModuleWriter, EverySettingComesBackExactly)
{
    PATCH_TEXT p("PCF_1;HICUT=800;\nVCA_1;ATTACK=1;\nVCO_1;TYPE=1;\nMIXER_4;;\nKEYBOARD_1;;\n"
                 "SEQUENCER_1;NBR_STEP=8;\nSAMPLER_1;FILE=samples/hat.wav;\n");
    PCF &f = *p.g.filters[0];
    f.gain = 1.5f, f.level = 0.35f, f.power = 0;
    VCA &a = *p.g.amplifiers[0];
    a.sustain = 0.45f, a.power = 0;
    VCO &o = *p.g.oscillators[0];
    o.phase = 12.75f, o.amplitude = 0.55625f, o.pulse_width = 0.40625f, o.power = 0;
    MIXER &m = *p.g.mixers[0];
    m.gain[0] = 0.5f, m.gain[23] = 1.25f, m.bypass[6] = 1.0f, m.power = 0;
    KEYBOARD &k = *p.g.keyboards[0];
    k.octave = 6, k.power = 0;
    SEQUENCER &s = *p.g.sequencers[0];
    s.wished_pattern = 3, s.wished_divider = 0.0078125f, s.power = 0;
    s.note[3][5] = 7, s.octave[31][0] = 9, s.volume[31][31] = 0.7f, s.length[2][1] = 0.25f;
    s.bypass[5][4] = 1;
    SAMPLER &smp = *p.g.samplers[0];
    smp.tune = 0.995f, smp.volume = 1.37f, smp.power = 0;
    const std::string patterns = pattern_section(p.g);
    PATCH_TEXT again(module_section(p.g) + patterns);
    EXPECT_EQ(module_section(again.g), module_section(p.g));
    EXPECT_EQ(pattern_section(again.g), patterns);
    // Only the edited patterns are written, one line each.
    EXPECT_EQ(std::count(patterns.begin(), patterns.end(), '\n'), 2 + 4);
    const PCF &f2 = *again.g.filters.at(0);
    EXPECT_EQ(f2.gain, 1.5f);
    EXPECT_EQ(f2.level, 0.35f);
    EXPECT_EQ(f2.power, 0);
    EXPECT_EQ(again.g.amplifiers.at(0)->sustain, 0.45f);
    EXPECT_EQ(again.g.amplifiers[0]->power, 0);
    const VCO &o2 = *again.g.oscillators.at(0);
    EXPECT_EQ(o2.phase, 12.75f);
    EXPECT_EQ(o2.amplitude, 0.55625f);
    EXPECT_EQ(o2.pulse_width, 0.40625f);
    const MIXER &m2 = *again.g.mixers.at(0);
    EXPECT_EQ(m2.gain[0], 0.5f);
    EXPECT_EQ(m2.gain[23], 1.25f);
    EXPECT_EQ(m2.bypass[6], 1.0f);
    EXPECT_EQ(m2.power, 0);
    EXPECT_EQ(again.g.keyboards.at(0)->octave, 6);
    const SEQUENCER &s2 = *again.g.sequencers.at(0);
    EXPECT_EQ(s2.wished_pattern, 3);
    EXPECT_EQ(s2.pattern, 3);
    EXPECT_EQ(s2.divider, 0.0078125f);
    EXPECT_EQ(s2.note[3][5], 7);
    EXPECT_EQ(s2.octave[31][0], 9);
    EXPECT_EQ(s2.volume[31][31], 0.7f);
    EXPECT_EQ(s2.length[2][1], 0.25f);
    EXPECT_EQ(s2.bypass[5][4], 1);
    const SAMPLER &smp2 = *again.g.samplers.at(0);
    EXPECT_EQ(smp2.tune, 0.995f);
    EXPECT_EQ(smp2.volume, 1.37f);
    EXPECT_EQ(smp2.power, 0);
    EXPECT_STREQ(smp2.file, "samples/hat.wav");
    EXPECT_EQ(again.complaints(), "");
}

// A module left as a new one is written as before, so that earlier builds
// read it the same; the new keys are words no earlier key is found in (but
// a sampler's VOLUME, the sequencer's word, which no sampler reader sought).
TEST(ModuleWriter, UnchangedModulesKeepTheirLinesAndNewKeysHideNoOldOnes)
{
    PATCH_TEXT p("MIXER_4;;\nKEYBOARD_1;;\nVCO_1;TYPE=1;PHASE=0;\n");
    const std::string text = module_section(p.g);
    EXPECT_NE(text.find("\nMIXER_4;;\n"), std::string::npos);
    EXPECT_NE(text.find("\nKEYBOARD_1;;\n"), std::string::npos);
    EXPECT_NE(text.find("\nVCO_1;TYPE=1;FREQ=110.000000;AMOUNT=1.00;PHASE=0;\n"),
              std::string::npos);
    const char *const old_keys[] = {
        "DIVIDER", "NBR_STEP", "NOTE",    "BYPASS", "VOLUME", "LENGHT", "HICUT",  "AMOUNT",
        "TYPE",    "GAIN",     "Q",       "FILE",   "FREQ",   "PHASE",  "ATTACK", "INVERT",
        "DECAY",   "SUSTAIN",  "RELEASE", "IN",     "MOD_",   "GATE",   "SYNC",   "ADD_CHANELL"};
    for (const char *key : {"POWER", "PWM", "LEVEL_", "MUTE_", "OCTAVE", "PATTERN", "TUNE"})
        for (const char *old : old_keys)
            EXPECT_EQ(std::strstr(key, old), nullptr) << key << " holds " << old;
}

// The order of the modules of one type is part of the sound when they read
// each other: a patch is written in the order it was read.
TEST(ModuleWriter, LoadingAndSavingKeepsTheOrderOfEachList)
{
    PATCH_TEXT p("VCO_1;TYPE=1;\nVCO_2;TYPE=2;\nMIXER_A;;\nMIXER_B;;\n");
    const std::string first = written(p.g);
    EXPECT_LT(first.find("VCO_1;"), first.find("VCO_2;"));
    EXPECT_LT(first.find("MIXER_A;"), first.find("MIXER_B;"));
    PATCH_TEXT again(first);
    EXPECT_EQ(written(again.g), first);
    EXPECT_STREQ(again.g.oscillators.back()->name, "VCO_1"); // evaluated last, as before
}
