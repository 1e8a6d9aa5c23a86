// Saving the running patch: what the link writers write for the panels, that
// every demo patch comes back from its save as it was (but for the documented
// losses), and that a save never leaves a broken or half-written file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cable_test_helpers.h"
#include "cables/patch_writer.h"
#include "synth/generator.h"

using namespace cable_test;

namespace {

std::string written(const std::function<void(FILE *)> &write)
{
    char *text = nullptr;
    size_t size = 0;
    FILE *f = open_memstream(&text, &size);
    write(f);
    std::fclose(f);
    std::string out(text, size);
    std::free(text);
    return out;
}

std::string link_section()
{
    const std::string all = written([](FILE *f) { write_patch(f); });
    return all.substr(all.find("BEGIN_LINKS_DECLARE"));
}

std::string file_text(const std::string &path)
{
    std::ostringstream out;
    if (FILE *f = std::fopen(path.c_str(), "rb")) {
        char chunk[4096];
        size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
            out.write(chunk, static_cast<std::streamsize>(n));
        std::fclose(f);
    }
    return out.str();
}

std::multiset<std::string> lines_of(const std::string &text)
{
    std::multiset<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.insert(line);
    return out;
}

// The module declarations of gen, in any order (each load reverses the lists).
std::multiset<std::string> modules_of_gen()
{
    return lines_of(written([](FILE *f) { gen->save_QSY(f); }));
}

// Every binding of gen's modules as "TARGET.PORT=SOURCE", found from the
// modules themselves, not from the panels.
std::set<std::string> bindings_of_gen()
{
    std::map<const void *, std::string> owner;
    auto own = [&](auto &list) {
        for (auto *m : list) {
            owner[&static_cast<OUTPUT *>(m)->value] = m->name;
            if constexpr (std::is_base_of_v<OUTPUT_GATE, std::remove_pointer_t<decltype(m)>>) {
                owner[&m->state] = m->name;
                owner[&m->pulse] = m->name;
            }
        }
    };
    own(gen->oscillators), own(gen->amplifiers), own(gen->filters), own(gen->samplers);
    own(gen->mixers), own(gen->keyboards), own(gen->sequencers);
    std::set<std::string> out;
    auto bind = [&](const char *target, const char *port, const void *source) {
        if (source)
            out.insert(std::string(target) + "." + port + "=" +
                       (owner.count(source) ? owner[source] : "?"));
    };
    auto modulated = [&](auto *m) {
        bind(m->name, "IN", m->INPUT::source);
        bind(m->name, "GATE", m->INPUT_GATE::source);
        bind(m->name, "SYNC", m->INPUT_SYNC::source);
        for (auto [port, input] : {std::pair{"MOD_AMP", m->mod_amplitude},
                                   {"MOD_FREQ", m->mod_frequency},
                                   {"MOD_PHASE", m->mod_phase}})
            bind(m->name, port, input ? input->source : nullptr);
    };
    for (VCO *m : gen->oscillators) {
        modulated(m);
        bind(m->name, "MOD_PWM", m->mod_pulse_width ? m->mod_pulse_width->source : nullptr);
    }
    for (SAMPLER *m : gen->samplers)
        modulated(m);
    for (PCF *m : gen->filters)
        modulated(m);
    for (VCA *m : gen->amplifiers) {
        bind(m->name, "IN", m->INPUT::source);
        bind(m->name, "GATE", m->INPUT_GATE::source);
    }
    for (MIXER *m : gen->mixers)
        for (int c = 0; c < m->count; c++)
            bind(m->name, ("CH" + std::to_string(c + 1)).c_str(), m->inputs[c].source);
    for (SEQUENCER *m : gen->sequencers)
        bind(m->name, "SYNC", m->INPUT_SYNC::source);
    return out;
}

struct PATCH_STATE {
    std::multiset<std::string> modules;
    std::set<std::string> bindings;
};

PATCH_STATE state_of(const std::string &path)
{
    LOADED_PATCH patch(path);
    return {modules_of_gen(), bindings_of_gen()};
}

TEST(PatchWriter, EveryDemoPatchComesBackAsItWasSaved)
{
    for (const char *demo : {"QSY/DEMO.QSY", "QSY/KEYS.QSY", "QSY/DRUMS.QSY", "QSY/MODULAR.QSY"}) {
        TempDir dir;
        PATCH_STATE before;
        {
            LOADED_PATCH patch(demo);
            before = {modules_of_gen(), bindings_of_gen()};
            char report[256];
            ASSERT_EQ(save_patch_file(dir.path("").c_str(), "COPY.QSY", report, sizeof report), 1)
                << report;
        }
        // A sequencer's reset link is not saved.
        for (auto it = before.bindings.begin(); it != before.bindings.end();)
            it = it->rfind("SEQUENCER", 0) == 0 ? before.bindings.erase(it) : std::next(it);
        const PATCH_STATE after = state_of(dir.path("COPY.QSY"));
        EXPECT_EQ(after.modules, before.modules) << demo;
        EXPECT_EQ(after.bindings, before.bindings) << demo;
        EXPECT_GT(after.bindings.size(), 3u) << demo;
    }
}

TEST(PatchWriter, DocumentedLossesStayAsDocumented)
{
    TempDir dir;
    {
        LOADED_PATCH patch("QSY/MODULAR.QSY");
        // Only the cable editor makes this one: an oscillator fed by another.
        VCO *mod = gen->get_VCO_by_name("VCO_MOD");
        mod->INPUT::source = &static_cast<OUTPUT *>(gen->get_VCO_by_name("VCO_FM"))->value;
        const std::string links = link_section();
        EXPECT_NE(links.find("\nVCO_MOD;IN=VCO_FM;\n"), std::string::npos) << links;
        EXPECT_EQ(links.find("\nSEQUENCER_1;"), std::string::npos) << links;
        char report[256];
        ASSERT_EQ(save_patch_file(dir.path("").c_str(), "M.QSY", report, sizeof report), 1);
    }
    const std::set<std::string> after = state_of(dir.path("M.QSY")).bindings;
    EXPECT_EQ(after.count("VCO_MOD.IN=VCO_FM"), 0u);
    EXPECT_EQ(after.count("VCO_FM.IN=SEQUENCER_1"), 1u);
    EXPECT_EQ(after.count("SEQUENCER_1.SYNC=KEYBOARD_1"), 0u);
}

TEST(PatchWriter, UnboundModulesWriteTheirNameAndOneSeparator)
{
    TempDir dir;
    LOADED_PATCH patch(dir.write("p.QSY", patch_text("VCO_A;TYPE=1;\nVCO_B;TYPE=2;\nMIXER_4;;\n"
                                                     "SEQUENCER_1;DIVIDER=2;\nKEYBOARD_1;;\n",
                                                     "")));
    EXPECT_EQ(link_section(), "BEGIN_LINKS_DECLARE\nVCO_B;\nVCO_A;\nMIXER_4;\n\n"
                              "OUTPUT_1;MIXER_4;\nEND_LINKS_DECLARE\n");
}

// Each key writes its source only when the source's panel is of a class the
// key accepts.
TEST(PatchWriter, FieldsAreWrittenForTheAcceptedSourceClassesOnly)
{
    TempDir dir;
    LOADED_PATCH patch(dir.write(
        "p.QSY", patch_text("VCO_1;TYPE=1;\nVCO_2;TYPE=1;\nVCA_1;ATTACK=1;\nVCA_2;ATTACK=1;\n"
                            "PCF_1;HICUT=100;\nMIXER_4;;\nKEYBOARD_1;;\nSEQUENCER_1;DIVIDER=2;\n",
                            "")));
    auto audio = [](const char *name) -> OUTPUT * {
        if (VCO *m = gen->get_VCO_by_name(name))
            return m;
        if (VCA *m = gen->get_VCA_by_name(name))
            return m;
        if (SEQUENCER *m = gen->get_SEQUENCER_by_name(name))
            return m;
        return gen->get_KEYBOARD_by_name(name); // the only one, whatever the name
    };
    const struct {
        std::function<void()> bind;
        const char *field;
        bool written;
    } cases[] = {
        {[&] { gen->get_VCO_by_name("VCO_1")->INPUT::source = &audio("VCO_2")->value; },
         "VCO_1;IN=VCO_2;", true},
        {[&] { gen->get_VCO_by_name("VCO_1")->INPUT::source = &audio("KEYBOARD_1")->value; },
         "VCO_1;IN=KEYBOARD_1;", true},
        {[&] { gen->get_VCA_by_name("VCA_1")->INPUT::source = &audio("KEYBOARD_1")->value; },
         "VCA_1;IN=KEYBOARD_1;", false},
        {[&] { gen->get_VCA_by_name("VCA_1")->INPUT::source = &audio("VCA_2")->value; },
         "VCA_1;IN=VCA_2;", false},
        {[&] { gen->get_VCA_by_name("VCA_1")->INPUT::source = &audio("SEQUENCER_1")->value; },
         "VCA_1;IN=SEQUENCER_1;", true},
        {[&] {
             VCO::set_modulation(gen->get_VCO_by_name("VCO_1")->mod_frequency,
                                 new INPUT(audio("SEQUENCER_1")));
         },
         "MOD_FREQ=SEQUENCER_1;", false},
        {[&] {
             VCO::set_modulation(gen->get_VCO_by_name("VCO_1")->mod_pulse_width,
                                 new INPUT(audio("VCA_2")));
         },
         "MOD_PWM=VCA_2;", true},
        {[&] {
             VCO::set_modulation(gen->get_PCF_by_name("PCF_1")->mod_phase,
                                 new INPUT(gen->get_MIXER_by_name("MIXER_4")));
         },
         "PCF_1;MOD_PHASE=MIXER_4;", true},
        {[&] { gen->get_MIXER_by_name("MIXER_4")->ajoute_en_entree(audio("KEYBOARD_1"), -1); },
         "ADD_CHANELL=KEYBOARD_1;", false},
        {[&] { gen->get_MIXER_by_name("MIXER_4")->ajoute_en_entree(audio("VCA_2"), -1); },
         "MIXER_4;ADD_CHANELL=VCA_2;", true},
    };
    for (const auto &c : cases) {
        c.bind();
        EXPECT_EQ(link_section().find(c.field) != std::string::npos, c.written) << c.field;
    }
}

TEST(SavePatchFile, RefusedNamesWriteNothing)
{
    TempDir dir;
    const std::vector<std::string> names = {
        "", std::string(80, 'A'), "sub/x.QSY", "a\\b", ".hidden", "..", "two words", "tab\tname"};
    for (const std::string &name : names) {
        char report[256] = "";
        EXPECT_EQ(save_patch_file(dir.path("").c_str(), name.c_str(), report, sizeof report), 0)
            << name;
        EXPECT_EQ(std::string(report).rfind("Not saved: ", 0), 0u) << report;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path("")));
    char report[256];
    EXPECT_EQ(
        save_patch_file(dir.path("").c_str(), std::string(79, 'A').c_str(), report, sizeof report),
        1)
        << report;
}

TEST(SavePatchFile, WritesThePatchWholeOrLeavesThePreviousFile)
{
    TempDir dir;
    LOADED_PATCH patch("QSY/MODULAR.QSY");
    const std::string previous = "#an earlier patch\n";
    const std::string target = dir.write("P.QSY", previous);
    char report[256];

    // A directory that does not exist.
    EXPECT_EQ(save_patch_file(dir.path("none/").c_str(), "P.QSY", report, sizeof report), 0);
    EXPECT_EQ(std::string(report).rfind("Non de fichier NULL! ", 0), 0u) << report;

    // A disk that fills up after 100 bytes.
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit small = {100, saved.rlim_max};
    void (*handler)(int) = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const int result = save_patch_file(dir.path("").c_str(), "P.QSY", report, sizeof report);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, handler);
    EXPECT_EQ(result, 0);
    EXPECT_NE(std::string(report).find("the file is left as it was"), std::string::npos) << report;
    EXPECT_EQ(file_text(target), previous);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path("")),
                            std::filesystem::directory_iterator()),
              1); // no temporary file left behind

    EXPECT_EQ(save_patch_file(dir.path("").c_str(), "P.QSY", report, sizeof report), 1);
    EXPECT_EQ(std::string(report), "Saved " + target);
    EXPECT_EQ(file_text(target), written([](FILE *f) { write_patch(f); }));
}

} // namespace
