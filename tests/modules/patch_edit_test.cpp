// Adding and removing modules: names, defaults, the cables that go with a
// removed module, the output mixer kept, the module limit.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "modules/patch_edit.h"
#include "modules/sockets.h"
#include "patch/patch_sections.h"

namespace {

const char *const PATCH = "BEGIN_OBJECTS_DECLARE\n"
                          "VCO_1;TYPE=3;\nVCO_4;TYPE=1;\nVCA_1;ATTACK=5;\nMIXER_4;;\n"
                          "KEY_1;;\nSEQUENCER_1;DIVIDER=2;\n"
                          "END_OBJECTS_DECLARE\nBEGIN_LINKS_DECLARE\n"
                          "VCO_4;MOD_FREQ=VCO_1;GATE=KEY_1;\nVCA_1;IN=VCO_1;GATE=SEQUENCER_1;\n"
                          "MIXER_4;ADD_CHANELL=VCA_1;ADD_CHANELL=VCO_1;ADD_CHANELL=VCO_4;\n"
                          "SEQUENCER_1;SYNC=KEY_1;\nEND_LINKS_DECLARE\n";

struct LOADED {
    GENERATOR g;
    explicit LOADED(const char *text)
    {
        FILE *f = fmemopen(const_cast<char *>(text), std::strlen(text), "r");
        read_module_section(g, f);
        std::rewind(f);
        read_link_section(g, f);
        std::fclose(f);
    }
    ~LOADED() { g.release_modules(); }
};

std::string links(const GENERATOR &g)
{
    char *text = nullptr;
    size_t size = 0;
    FILE *f = open_memstream(&text, &size);
    write_link_section(g, f);
    std::fclose(f);
    std::string out(text, size);
    std::free(text);
    return out;
}

TEST(PatchEdit, AddedModulesTakeTheNextFreeNameAndAFilesDefaults)
{
    LOADED p(PATCH);
    const struct {
        MODULE_KIND kind;
        const char *name;
    } adds[] = {
        {VCO_MODULE, "VCO_5"},      {VCO_MODULE, "VCO_6"},         {VCA_MODULE, "VCA_2"},
        {VCF_MODULE, "PCF_1"},      {MIXER_MODULE, "MIXER_5"},     {SEQ_MODULE, "SEQUENCER_2"},
        {KEYBOARD_MODULE, "KEY_2"}, {SAMPLER_MODULE, "SAMPLER_1"},
    };
    std::set<std::string> names;
    for (const auto &a : adds) {
        std::string why;
        const MODULE m = add_module(p.g, a.kind, why);
        ASSERT_TRUE(m) << why;
        EXPECT_STREQ(m.name(), a.name);
        EXPECT_EQ(find_module(p.g, a.name, a.kind), m); // in its list, found by name
        EXPECT_TRUE(names.insert(a.name).second);
        for (const SOCKET &s : input_sockets(m.kind)) // plugged into nothing
            EXPECT_EQ(s.source(m, 0), nullptr) << a.name << " " << s.key;
    }
    // As a patch file declares it: an oscillator of 110 Hz sine at full amplitude.
    const VCO *vco = p.g.get_VCO_by_name("VCO_5");
    EXPECT_EQ(vco->frequency, 110.0f);
    EXPECT_EQ(vco->type, SIN);
    EXPECT_EQ(vco->amplitude, 1.0f);
    EXPECT_EQ(p.g.oscillators.back(), p.g.get_VCO_by_name("VCO_6")); // evaluated last
}

// A removed module takes its cables with it: what read it reads nothing (a
// mixer channel stays counted), what it read is released; the output mixer
// stays.
TEST(PatchEdit, RemovingAModuleUnplugsItsCablesAndKeepsTheOutputMixer)
{
    LOADED p(PATCH);
    std::string why;
    EXPECT_FALSE(remove_module(p.g, find_module(p.g, "MIXER_4"), why));
    EXPECT_EQ(why, "MIXER_4 is the patch's output: it cannot be removed");
    const MODULE vco1 = find_module(p.g, "VCO_1");
    ASSERT_TRUE(remove_module(p.g, vco1, why));
    EXPECT_FALSE(find_module(p.g, "VCO_1"));
    EXPECT_FALSE(remove_module(p.g, vco1, why)); // twice: it left its list once
    EXPECT_EQ(links(p.g), "BEGIN_LINKS_DECLARE\nVCO_4;GATE=KEY_1;\nVCA_1;GATE=SEQUENCER_1;\n"
                          "SEQUENCER_1;SYNC=KEY_1;\nMIXER_4;ADD_CHANELL=VCA_1;ADD_CHANELL=VCO_4;\n"
                          "\nOUTPUT_1;MIXER_4;\nEND_LINKS_DECLARE\n");
    EXPECT_EQ(p.g.get_MIXER_by_name("MIXER_4")->count, 3);
    ASSERT_TRUE(remove_module(p.g, find_module(p.g, "KEY_1"), why));
    EXPECT_EQ(p.g.get_SEQUENCER_by_name("SEQUENCER_1")->INPUT_SYNC::source.get(), nullptr);
    EXPECT_EQ(p.g.get_VCO_by_name("VCO_4")->INPUT_GATE::source.get(), nullptr);
    // The removed name is free again only past the highest in use.
    EXPECT_EQ(next_free_name(p.g, VCO_MODULE), "VCO_5");
    p.g.free_retired();
}

TEST(PatchEdit, ThePatchTakesNoModuleBeyondTheLimit)
{
    GENERATOR g;
    std::string why;
    for (size_t i = 0; i < MODULE_LIMIT; i++)
        ASSERT_TRUE(add_module(g, VCO_MODULE, why));
    EXPECT_FALSE(add_module(g, VCA_MODULE, why));
    EXPECT_EQ(why, "The patch holds 1000 modules, the most it takes");
    g.release_modules();
}

} // namespace
