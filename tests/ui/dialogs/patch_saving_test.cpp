// Saving the running patch as the window does: every demo patch comes back
// from its save as it was, every cable is written and read back.
#include <gtest/gtest.h>

#include <functional>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "cables/cable_test_helpers.h"
#include "panels/panel_layout.h"
#include "patch/patch_writer.h"
#include "synth/generator.h"
#include "modules/retired_inputs.h"

using namespace cable_test;

namespace {

std::string link_section()
{
    const std::string all = patch_as_written();
    const std::size_t begin = all.find("BEGIN_LINKS_DECLARE");
    const std::string end = "END_LINKS_DECLARE\n";
    return all.substr(begin, all.find(end) + end.size() - begin);
}

// The module lines of the patch in any order, and every binding of gen's
// modules.
struct PATCH_STATE {
    std::multiset<std::string> modules;
    std::set<std::string> bindings;
};

PATCH_STATE state_of_gen()
{
    PATCH_STATE s;
    std::istringstream in(patch_as_written().substr(0, patch_as_written().find("BEGIN_LINKS")));
    for (std::string line; std::getline(in, line);)
        s.modules.insert(line);
    s.bindings = bindings_of(*gen);
    return s;
}

// The state of a demo patch after a change, and after its save is read back.
std::pair<PATCH_STATE, PATCH_STATE> saved_and_read_back(const char *demo,
                                                        const std::function<void()> &change)
{
    TempDir dir;
    char report[256];
    PATCH_STATE before;
    {
        LOADED_PATCH patch(demo);
        change();
        before = state_of_gen();
        EXPECT_EQ(save_patch_file(*gen, dir.path("").c_str(), "COPY.QSY", write_panel_layout,
                                  report, sizeof report),
                  1);
    }
    LOADED_PATCH copy(dir.path("COPY.QSY"));
    return {before, state_of_gen()};
}

TEST(PatchWriter, EveryDemoPatchComesBackAsItWasSaved)
{
    for (const char *demo : {"QSY/DEMO.QSY", "QSY/KEYS.QSY", "QSY/DRUMS.QSY", "QSY/MODULAR.QSY"}) {
        auto [before, after] = saved_and_read_back(demo, [] {});
        EXPECT_EQ(after.modules, before.modules) << demo;
        EXPECT_EQ(after.bindings, before.bindings) << demo;
        EXPECT_GT(after.bindings.size(), 3u) << demo;
    }
}

// Every cable is written as the panels see it, whatever module feeds it (the
// cable editor lets any output feed any audio input), and read back; a
// sequencer's reset cable too, and the output line names the mixer heard.
TEST(PatchWriter, EveryCableIsWrittenAndReadBack)
{
    TempDir dir;
    char report[256];
    {
        LOADED_PATCH patch(dir.write(
            "p.QSY", patch_text("VCO_A;TYPE=1;\nVCO_B;TYPE=2;\nVCA_1;ATTACK=1;\nMIXER_4;;\n"
                                "MIXER_MAIN;;\nSEQUENCER_1;DIVIDER=2;\nKEYBOARD_1;;\n",
                                "OUTPUT_1;MIXER_MAIN;\n")));
        EXPECT_EQ(link_section(), "BEGIN_LINKS_DECLARE\nVCO_B;\nVCO_A;\nVCA_1;\nMIXER_MAIN;\n"
                                  "MIXER_4;\n\nOUTPUT_1;MIXER_MAIN;\nEND_LINKS_DECLARE\n");
        KEYBOARD *keyboard = gen->keyboards[0];
        VCA *vca = gen->amplifiers[0];
        vca->INPUT::connect(keyboard);
        vca->INPUT_GATE::connect(keyboard);
        gen->get_MIXER_by_name("MIXER_4")->ajoute_en_entree(keyboard, -1);
        gen->get_MIXER_by_name("MIXER_4")->ajoute_en_entree(vca, -1);
        gen->get_VCO_by_name("VCO_A")->INPUT::connect(gen->get_VCO_by_name("VCO_B"));
        set_modulation(gen->oscillators[0]->mod_frequency, new INPUT(gen->sequencers[0]));
        set_modulation(gen->oscillators[0]->mod_pulse_width, new INPUT(vca));
        gen->sequencers[0]->INPUT_SYNC::connect(keyboard);
        EXPECT_EQ(save_patch_file(*gen, dir.path("").c_str(), "COPY.QSY", write_panel_layout,
                                  report, sizeof report),
                  1);
    }
    LOADED_PATCH copy(dir.path("COPY.QSY"));
    EXPECT_EQ(link_section(),
              "BEGIN_LINKS_DECLARE\nVCO_B;MOD_FREQ=SEQUENCER_1;MOD_PWM=VCA_1;\n"
              "VCO_A;IN=VCO_B;\nVCA_1;IN=KEYBOARD_1;GATE=KEYBOARD_1;\n"
              "SEQUENCER_1;SYNC=KEYBOARD_1;\nMIXER_MAIN;\n"
              "MIXER_4;ADD_CHANELL=KEYBOARD_1;ADD_CHANELL=VCA_1;\n\nOUTPUT_1;MIXER_MAIN;\n"
              "END_LINKS_DECLARE\n");
    EXPECT_STREQ(gen->output_mixer, "MIXER_MAIN");
}

} // namespace
