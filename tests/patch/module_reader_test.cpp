// Reading the module section: types from names, keys, messages and faults.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "patch_text.h"
#include "support/temp_dir.h"
#include "synth/note2freq.h"

namespace {

std::string section(const std::string &declarations)
{
    return "BEGIN_OBJECTS_DECLARE\n\n" + declarations + "\nEND_OBJECTS_DECLARE\n\n";
}

bool has(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(ModuleReader, OscillatorWithEveryKey)
{
    PATCH_TEXT p(section("VCO_1;TYPE=3;FREQ=220.000000;AMOUNT=0.50;PHASE=90;"));
    ASSERT_EQ(p.g.oscillators.size(), 1u);
    VCO *v = p.g.oscillators[0];
    EXPECT_STREQ(v->name, "VCO_1");
    EXPECT_EQ(v->type, SAW);
    EXPECT_FLOAT_EQ(v->frequency, 220.0f);
    EXPECT_FLOAT_EQ(v->amplitude, 0.5f);
    EXPECT_FLOAT_EQ(v->phase, 90.0f);
    EXPECT_EQ(p.modules_read, 1);
    EXPECT_EQ(p.g.load_status, 0);
}

TEST(ModuleReader, TextAfterTheLastSeparatorIsNotRead)
{
    PATCH_TEXT p(section("VCO_1;TYPE=3;FREQ=220.0"));
    ASSERT_EQ(p.g.oscillators.size(), 1u);
    EXPECT_EQ(p.g.oscillators[0]->type, SAW);
    EXPECT_FLOAT_EQ(p.g.oscillators[0]->frequency, 110.0f);
}

TEST(ModuleReader, OscillatorTypeAndNote)
{
    PATCH_TEXT p(section("VCO_a;TYPE=9;NOTE=58;\nVCO_b;TYPE=6;\nVCO_c;NOTE=2000;\n"));
    ASSERT_EQ(p.g.oscillators.size(), 3u);
    VCO *a = p.g.get_VCO_by_name("VCO_a");
    EXPECT_EQ(a->type, SIN); // anything but 1 to 6 selects the sine
    EXPECT_FLOAT_EQ(a->frequency, (float)NOTE2FREQ[58]);
    EXPECT_EQ(p.g.get_VCO_by_name("VCO_b")->type, PULSE);
    // A note beyond the table is reported and leaves the frequency alone.
    EXPECT_FLOAT_EQ(p.g.get_VCO_by_name("VCO_c")->frequency, 110.0f);
    EXPECT_TRUE(has(p.printed, "note 2000 outside 0 to 1999"));
}

TEST(ModuleReader, AmplifierTimesAreWholeNumbersAndItsSustainAFraction)
{
    PATCH_TEXT p(section("VCA_1;BYPASS=0;ATTACK=10.700000;DECAY=250.000000;SUSTAIN=0.450000;"
                         "RELEASE=300.000000;INVERT=1;"));
    ASSERT_EQ(p.g.amplifiers.size(), 1u);
    VCA *a = p.g.amplifiers[0];
    EXPECT_FLOAT_EQ(a->attack, 10.0f);
    EXPECT_FLOAT_EQ(a->decay, 250.0f);
    EXPECT_FLOAT_EQ(a->sustain, 0.45f);
    EXPECT_FLOAT_EQ(a->release, 300.0f);
    EXPECT_EQ(a->invert, 1);
}

TEST(ModuleReader, FilterKeys)
{
    PATCH_TEXT p(section("PCF_1;HICUT=800;Q=2.000000;GAIN=15.000000;TYPE=1;\n"
                         "PCF_2;GAIN=1.500000;\n"));
    PCF *f = p.g.get_PCF_by_name("PCF_1");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->cut_off, 800);
    EXPECT_FLOAT_EQ(f->q, 2.0f);
    EXPECT_FLOAT_EQ(f->gain, 15.0f);
    EXPECT_FLOAT_EQ(f->level, 1.0f); // 15 / 10 in whole numbers
    EXPECT_EQ(f->type, 1);
    EXPECT_EQ(f->bypass, 1); // no BYPASS key: the default stays
    // A fraction of a decibel is kept; the level is still the tenth of the
    // whole number.
    PCF *g2 = p.g.get_PCF_by_name("PCF_2");
    EXPECT_FLOAT_EQ(g2->gain, 1.5f);
    EXPECT_FLOAT_EQ(g2->level, 0.0f);
}

TEST(ModuleReader, FilterBypassKey)
{
    PATCH_TEXT p(section("PCF_1;HICUT=800;BYPASS=0;\nPCF_2;AMOUNT=0.25;BYPASS=1;\n"));
    EXPECT_EQ(p.g.get_PCF_by_name("PCF_1")->bypass, 0);
    EXPECT_EQ(p.g.get_PCF_by_name("PCF_2")->bypass, 1);
    EXPECT_FLOAT_EQ(p.g.get_PCF_by_name("PCF_2")->level, 0.25f);
}

TEST(ModuleReader, KeyboardAndMixerNeedTwoSeparators)
{
    PATCH_TEXT p(section("KEYBOARD_1;;\nMIXER_4;;\nMIXER_5;\n"));
    EXPECT_EQ(p.g.keyboards.size(), 1u);
    ASSERT_EQ(p.g.mixers.size(), 1u);
    EXPECT_STREQ(p.g.mixers[0]->name, "MIXER_4");
    // MIXER_5; is token 4: the marker counts as token 1.
    EXPECT_TRUE(has(p.printed, "Ligne 4 semble avoir moins de 2 parametres\n"));
}

TEST(ModuleReader, SequencerToken)
{
    PATCH_TEXT p(section("SEQUENCER_1;*DIVIDER=4.000000;NBR_STEP=16;NOTE_000_003=49;"));
    ASSERT_EQ(p.g.sequencers.size(), 1u);
    SEQUENCER *s = p.g.sequencers[0];
    EXPECT_STREQ(s->name, "SEQUENCER_1");
    EXPECT_STREQ(s->step_event_text, "SEQ_TRIG_SEQUENCER_1");
    EXPECT_FLOAT_EQ(s->divider, 4.0f);
    EXPECT_FLOAT_EQ(s->wished_divider, 4.0f);
    EXPECT_EQ(s->step_count, 16);
    EXPECT_EQ(s->octave[0][3], 4);
    EXPECT_EQ(s->note[0][3], 1);
    EXPECT_EQ(s->octave[0][2], 3); // untouched steps keep their defaults
    EXPECT_EQ(s->note[0][2], 10);
}

TEST(ModuleReader, SequencerStepKeyForms)
{
    PATCH_TEXT p(section("SEQUENCER_1;BYPASS_5=1;VOLUME_12=0.5;LENGHT_002_007=0.25;"
                         "BYPASS_001_063=1;NOTE_005_004=30;"));
    SEQUENCER *s = p.g.sequencers.at(0);
    EXPECT_EQ(s->bypass[0][5], 1);
    EXPECT_FLOAT_EQ(s->volume[0][12], 0.5f);
    EXPECT_FLOAT_EQ(s->length[2][7], 0.25f);
    EXPECT_EQ(s->bypass[1][63], 1);
    EXPECT_EQ(s->octave[5][4], 2);
    EXPECT_EQ(s->note[5][4], 6);
    EXPECT_EQ(s->octave[0][4], 3);
}

TEST(ModuleReader, SequencerStepKeysOutsideTheFormAreIgnored)
{
    PATCH_TEXT p(
        section("SEQUENCER_1;BYPASS_064=1;VOLUME_000_064=0.5;LENGHT_064_000=2;"
                "NOTE_3=20;NOTE_000_001=2000;NOTE_000_002=-1;BYPASS_1x=1;XBYPASS_000_001=1;"
                "NBR_STEP=8;"));
    SEQUENCER *s = p.g.sequencers.at(0);
    EXPECT_EQ(s->step_count, 8); // the fields around them are still read
    for (int st = 0; st < 4; ++st) {
        EXPECT_EQ(s->bypass[0][st], 0);
        EXPECT_EQ(s->octave[0][st], 3);
        EXPECT_EQ(s->note[0][st], 10);
    }
    EXPECT_FLOAT_EQ(s->volume[0][63], 1.0f);
    EXPECT_TRUE(has(p.printed, "step key [BYPASS_064] not understood"));
    EXPECT_TRUE(has(p.printed, "step key [VOLUME_000_064] beyond pattern or step 63"));
    EXPECT_TRUE(has(p.printed, "step key [LENGHT_064_000] beyond pattern or step 63"));
    EXPECT_TRUE(has(p.printed, "step key [NOTE_3] not understood"));
    EXPECT_TRUE(has(p.printed, "note 2000 outside 0 to 1999"));
    EXPECT_TRUE(has(p.printed, "note -1 outside 0 to 1999"));
    EXPECT_TRUE(has(p.printed, "step key [BYPASS_1x] not understood"));
    EXPECT_TRUE(has(p.printed, "step key [XBYPASS_000_001] not understood"));
}

TEST(ModuleReader, EmptyKeyFieldIsFatal)
{
    PATCH_TEXT p(section("VCO_1;;TYPE=2;\nVCO_2;TYPE=3;\n"));
    EXPECT_TRUE(has(p.printed, "Erreur, au niveau des parametre ligne [2]\n"));
    EXPECT_EQ(p.g.load_status, -1);
    EXPECT_EQ(p.g.load_problem, "line 2: empty field in the declaration of VCO_1");
    EXPECT_EQ(p.modules_read, 0);
    // Reading stopped at once: the next declaration was never built.
    EXPECT_EQ(p.g.get_VCO_by_name("VCO_2"), nullptr);
    EXPECT_EQ(p.links_read, 0);
}

TEST(ModuleReader, SampleFileThatCannotBeLoadedIsFatal)
{
    PATCH_TEXT p(section("SAMPLER_1;FILE=samples/no_such_file.wav;\nVCO_2;TYPE=3;\n"));
    EXPECT_EQ(p.g.load_status, -1);
    EXPECT_EQ(p.g.load_problem, "line 2: samples/no_such_file.wav: no such file or directory");
    EXPECT_EQ(p.modules_read, 0);
    EXPECT_TRUE(p.g.oscillators.empty());
}

TEST(ModuleReader, WithoutTheOpeningMarker)
{
    PATCH_TEXT with(section("VCO_1;TYPE=2;PHASE=0;\nMIXER_4;;"));
    PATCH_TEXT without("VCO_1;TYPE=2;PHASE=0;\nMIXER_4;;\nEND_OBJECTS_DECLARE\n");
    EXPECT_EQ(module_section(with.g), module_section(without.g));
    EXPECT_EQ(without.g.oscillators.size(), 1u);
}

// Text without a module section is no patch, and no empty one either.
TEST(ModuleReader, TextThatDeclaresNoModuleAndHasNoMarkerIsNotAPatch)
{
    std::mt19937 bytes(1);
    std::string random(4096, ' ');
    for (char &c : random)
        c = static_cast<char>(bytes());
    const struct {
        const char *what;
        std::string text;
        int status;
    } cases[] = {
        {"random bytes", random, 1},
        {"an empty file", "", 1},
        {"words and fields that name no module", "hello world;x; #VCO_1;TYPE=1;", 1},
        {"a declaration after the end marker", "END_OBJECTS_DECLARE\nVCO_1;TYPE=2;\n", 1},
        {"an empty module section", section(""), 0},
        {"a declaration without the marker", "VCO_1;TYPE=2;\n", 0},
    };
    for (const auto &c : cases) {
        PATCH_TEXT p(c.text);
        EXPECT_EQ(p.g.load_status, c.status) << c.what;
        EXPECT_EQ(p.modules_read, c.status == 0) << c.what;
        EXPECT_EQ(p.g.load_problem, c.status == 0 ? "" : "not a patch file: it declares no module")
            << c.what;
    }
}

TEST(ModuleReader, StopsAtTheEndMarkerAndSkipsComments)
{
    PATCH_TEXT p("#VCO_0;TYPE=2;\nVCO_1;TYPE=2;\nEND_OBJECTS_DECLARE\nVCO_2;TYPE=2;\n");
    ASSERT_EQ(p.g.oscillators.size(), 1u);
    EXPECT_STREQ(p.g.oscillators[0]->name, "VCO_1");
}

TEST(ModuleReader, NameMatchingSeveralTypesMakesOneModuleOfEach)
{
    PATCH_TEXT p(section("VCO_VCA_1;TYPE=2;ATTACK=5;\nSEQUENCER_KEY_MIXER;NBR_STEP=4;\n"
                         "SAMPLER_PCF;TYPE=2;\nNOTHING_1;X=1;\n"));
    VCO *v = p.g.get_VCO_by_name("VCO_VCA_1");
    VCA *a = p.g.get_VCA_by_name("VCO_VCA_1");
    ASSERT_TRUE(v && a);
    EXPECT_EQ(v->type, TRI);
    EXPECT_FLOAT_EQ(a->attack, 5.0f);
    EXPECT_EQ(p.g.load_status, 0);
    ASSERT_NE(p.g.get_SEQUENCER_by_name("SEQUENCER_KEY_MIXER"), nullptr);
    EXPECT_EQ(p.g.sequencers[0]->step_count, 4);
    EXPECT_EQ(p.g.keyboards.size(), 1u);
    EXPECT_NE(p.g.get_MIXER_by_name("SEQUENCER_KEY_MIXER"), nullptr);
    // PCF is tested before SAMPLER: a filter and no sampler.
    ASSERT_NE(p.g.get_PCF_by_name("SAMPLER_PCF"), nullptr);
    EXPECT_EQ(p.g.filters[0]->type, 2);
    EXPECT_TRUE(p.g.samplers.empty());
    EXPECT_EQ(p.g.oscillators.size(), 1u);
    EXPECT_EQ(p.g.amplifiers.size(), 1u);
}

TEST(ModuleReader, EachListIsBuiltFromTheFront)
{
    PATCH_TEXT p(section("VCO_1;TYPE=1;\nVCO_2;TYPE=1;\nVCO_3;TYPE=1;\n"));
    ASSERT_EQ(p.g.oscillators.size(), 3u);
    EXPECT_STREQ(p.g.oscillators[0]->name, "VCO_3");
    EXPECT_STREQ(p.g.oscillators[2]->name, "VCO_1");
}

TEST(ModuleReader, NamesTooLongForTheirFieldAreSkipped)
{
    const std::string osc80 = "VCO_" + std::string(76, 'x'); // 80 characters
    const std::string osc79 = "VCO_" + std::string(75, 'x'); // fits
    const std::string amp88 = "VCA_" + std::string(84, 'x');
    const std::string both85 = "VCO_VCA_" + std::string(77, 'x'); // fits the amplifier only
    const std::string mix800 = "MIXER_" + std::string(794, 'x');
    PATCH_TEXT p(section(osc80 + ";TYPE=2;\n" + osc79 + ";TYPE=2;\n" + amp88 + ";ATTACK=1;\n" +
                         both85 + ";TYPE=2;\n" + mix800 + ";;\n"));
    ASSERT_EQ(p.g.oscillators.size(), 1u);
    EXPECT_EQ(std::string(p.g.oscillators[0]->name), osc79);
    EXPECT_TRUE(p.g.amplifiers.empty());
    EXPECT_TRUE(p.g.mixers.empty());
    EXPECT_TRUE(has(p.printed, "module name longer than 79 characters"));
    EXPECT_TRUE(has(p.printed, "module name longer than 87 characters"));
    EXPECT_TRUE(has(p.printed, "module name longer than 799 characters"));
    EXPECT_EQ(p.g.load_status, 0);
}

TEST(ModuleReader, EmptyNamesAndValuesAreReportedNotFatal)
{
    PATCH_TEXT p(section(";TYPE=2;\nPCF_1;HICUT=;Q=3;\nVCO_1;TYPE;FREQ=50;\nSAMPLER_1;FILE=;\n"));
    EXPECT_EQ(p.g.load_status, 0);
    EXPECT_TRUE(has(p.printed, "Ligne 2: declaration without a module name"));
    PCF *f = p.g.get_PCF_by_name("PCF_1");
    EXPECT_EQ(f->cut_off, 300);
    EXPECT_FLOAT_EQ(f->q, 3.0f);
    EXPECT_TRUE(has(p.printed, "no value in field [HICUT=]"));
    VCO *v = p.g.get_VCO_by_name("VCO_1");
    EXPECT_EQ(v->type, SIN);
    EXPECT_FLOAT_EQ(v->frequency, 50.0f);
    EXPECT_TRUE(has(p.printed, "no value in field [TYPE]"));
    EXPECT_TRUE(has(p.printed, "no value in field [FILE=]"));
    EXPECT_EQ(p.g.samplers.size(), 1u);
}

TEST(ModuleReader, OverlongTokenIsSkippedWhole)
{
    const std::string huge = "VCO_9;FREQ=" + std::string(8000, '1') + ";";
    PATCH_TEXT p(section(huge + "\nVCO_1;TYPE=2;\n"));
    ASSERT_EQ(p.g.oscillators.size(), 1u);
    EXPECT_STREQ(p.g.oscillators[0]->name, "VCO_1");
    EXPECT_TRUE(has(p.printed, "Ligne 2: token longer than 7999 characters, skipped"));
    // The longest token allowed is read.
    const std::string longest = "VCO_8;FREQ=" + std::string(7999 - 13, '0') + "5;";
    PATCH_TEXT q(section(longest));
    ASSERT_EQ(q.g.oscillators.size(), 1u);
    EXPECT_FLOAT_EQ(q.g.oscillators[0]->frequency, 5.0f);
}

TEST(ModuleReader, PatchFileByPath)
{
    fill_NOTE2FREQ();
    TempDir dir;
    const std::string file =
        dir.write("patch.QSY", section("VCO_1;TYPE=2;\nMIXER_4;;") +
                                   "BEGIN_LINKS_DECLARE\nMIXER_4;ADD_CHANELL=VCO_1;\n"
                                   "END_LINKS_DECLARE\n");
    const char *path = file.c_str();

    GENERATOR g(path);
    EXPECT_EQ(g.load_status, 0);
    EXPECT_STREQ(g.patch_path, path);
    ASSERT_EQ(g.mixers.size(), 1u);
    EXPECT_EQ(g.mixers[0]->count, 1);
    g.release_modules();

    testing::internal::CaptureStdout();
    GENERATOR missing("/no/such/dir/x.QSY");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Must Specify a true filename\n");
    EXPECT_TRUE(missing.oscillators.empty());
    EXPECT_EQ(missing.load_QSY_link("/no/such/dir/x.QSY"), 0);
}
