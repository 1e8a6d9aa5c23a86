// The cables of the back view: which cables the module connections give, in
// which order and colours, between which sockets; what happens to a cable
// that cannot be drawn; the plugs, the end points and the panel hit test.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cable_test_helpers.h"
#include "cables/cable_list.h"
#include "cables/output_lookup.h"
#include "panels/keyboard_gui.h"
#include "panels/mixer_gui.h"
#include "panels/panel_elements.h"
#include "panels/panel_kinds.h"
#include "panels/panel_lists.h"
#include "synth/generator.h"

using namespace cable_test;

namespace {

// "VCO_1.INPUT_GATE <- SEQUENCER_1.OUTPUT_GATE ff0000"
std::string describe(const LINK *c)
{
    char colour[16];
    std::snprintf(colour, sizeof colour, "%x", c->corde.colour);
    return std::string(module_name(c->input_panel)) + "." +
           name_in_panel(*c->input_panel, c->input_socket) + " <- " + module_name(c->output_panel) +
           "." + name_in_panel(*c->output_panel, c->output_socket) + " " + colour;
}

std::vector<std::string> cables()
{
    std::vector<std::string> out;
    for (const LINK *c : liens)
        out.push_back(describe(c));
    return out;
}

// What f prints, run in a child process whose standard input is a pipe that
// nobody writes: a read from the terminal would wait for ever. Empty with
// finished false when the child did not end within the time.
struct RUN {
    bool finished;
    std::string output;
};

template <class F> RUN run_without_terminal(F f)
{
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0)
        return {false, "no pipe"};
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        f();
        std::fflush(stdout);
        _exit(0);
    }
    close(out[1]);
    std::string output;
    bool finished = false;
    pollfd p = {out[0], POLLIN, 0};
    while (poll(&p, 1, 5000) > 0) {
        char chunk[512];
        const ssize_t n = read(out[0], chunk, sizeof chunk);
        if (n <= 0) {
            finished = true;
            break;
        }
        output.append(chunk, static_cast<size_t>(n));
    }
    if (!finished)
        kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(out[0]);
    close(in[0]);
    close(in[1]);
    return {finished, output};
}

class Cables : public ::testing::Test {
protected:
    TempDir dir;

    std::string file(const std::string &modules, const std::string &links)
    {
        return dir.write("p.QSY", patch_text(modules, links));
    }
};

TEST_F(Cables, NoConnectionGivesNoCableAndOnlyTheTraceLines)
{
    LOADED_PATCH patch(
        file("VCO_1;TYPE=1;\nSEQUENCER_1;DIVIDER=2;\nSEQUENCER_2;DIVIDER=2;\nMIXER_4;;\n", ""));
    EXPECT_EQ(printed(cree_list_liens),
              "Begin Link Creation\nSEQ not done\nSEQ not done\nEnd Link Creation\n");
    EXPECT_TRUE(liens.empty());
}

TEST_F(Cables, OscillatorMainSyncAndGateInputsInReverseOrder)
{
    LOADED_PATCH patch(file("VCO_1;TYPE=1;\nSEQUENCER_1;DIVIDER=2;\nKEYBOARD_1;;\n",
                            "VCO_1;IN=SEQUENCER_1;SYNC=KEYBOARD_1;GATE=SEQUENCER_1;\n"));
    cree_list_liens();
    cree_list_liens(); // rebuilt from scratch, not added to
    EXPECT_EQ(cables(), (std::vector<std::string>{
                            "VCO_1.INPUT_GATE <- SEQUENCER_1.OUTPUT_GATE ff0000",
                            "VCO_1.INPUT_SYNC <- KEYBOARD_1.OUTPUT_SYNC ff",
                            "VCO_1.INPUT <- SEQUENCER_1.OUTPUT ffffff",
                        }));
}

// Every kind of link at once: modulations, mixer channels in order, the
// amplifier's and the filter's inputs. The panels are walked first to last
// (the mixers, built last, come first), each panel's inputs in the order main,
// amplitude, frequency, phase, pulse width, sync, gate, and each cable is put
// at the front of the list.
TEST_F(Cables, EveryLinkOfTheModularDemoBecomesItsCable)
{
    LOADED_PATCH patch("QSY/MODULAR.QSY");
    cree_list_liens();
    EXPECT_EQ(cables(), (std::vector<std::string>{
                            "VCO_MOD.INPUT <- SEQUENCER_1.OUTPUT ffffff",
                            "VCO_FM.INPUT_MOD_PHASE <- VCO_MOD.OUTPUT ffffff",
                            "VCO_FM.INPUT_MOD_AMP <- VCO_TREMOLO.OUTPUT ffffff",
                            "VCO_FM.INPUT <- SEQUENCER_1.OUTPUT ffffff",
                            "VCO_PWM.INPUT_GATE <- SEQUENCER_1.OUTPUT_GATE ff0000",
                            "VCO_PWM.INPUT_SYNC <- KEYBOARD_1.OUTPUT_SYNC ff",
                            "VCO_PWM.INPUT_MOD_PWM <- VCO_SWEEP.OUTPUT ffffff",
                            "VCO_PWM.INPUT_MOD_FREQ <- VCO_VIBRATO.OUTPUT ffffff",
                            "VCO_PWM.INPUT <- SEQUENCER_1.OUTPUT ffffff",
                            "VCA_1.INPUT_GATE <- SEQUENCER_1.OUTPUT_GATE ff0000",
                            "VCA_1.INPUT <- MIXER_VOICE.OUTPUT ffffff",
                            "PCF_1.INPUT_MOD_FREQ <- VCO_SWEEP.OUTPUT ffffff",
                            "PCF_1.INPUT <- VCA_1.OUTPUT ffffff",
                            "MIXER_4.INPUT_1 <- PCF_1.OUTPUT ffffff",
                            "MIXER_VOICE.INPUT_2 <- VCO_FM.OUTPUT ffffff",
                            "MIXER_VOICE.INPUT_1 <- VCO_PWM.OUTPUT ffffff",
                        }));
}

// A cable that cannot be drawn is skipped with one line and the rebuild goes
// on without reading the terminal.
TEST_F(Cables, UndrawableCablesAreSkippedWithOneLineAndNoWait)
{
    VCO outside_oscillator(0.5f, 440.0f, SIN);
    KEYBOARD outside_keyboard;
    const struct {
        const char *modules, *links;
        void (*bind)(VCO &, KEYBOARD &); // binds an input to a module without a panel
        const char *line;
        int cables;
    } cases[] = {
        {"VCA_1;ATTACK=1;\n", "",
         [](VCO &o, KEYBOARD &) { gen->amplifiers[0]->INPUT::source = &o.value; }, "DISH1\n", 0},
        {"VCA_1;ATTACK=1;\n", "",
         [](VCO &, KEYBOARD &k) { gen->amplifiers[0]->INPUT_GATE::source = &k.state; }, "DISH2\n",
         0},
        {"MIXER_4;;\nVCO_1;TYPE=1;\n", "MIXER_4;ADD_CHANELL=VCO_1;\n",
         [](VCO &o, KEYBOARD &) { gen->mixers[0]->ajoute_en_entree(&o, -1); }, "ZUX\n", 1},
        {"VCO_1;TYPE=1;\n", "",
         [](VCO &o, KEYBOARD &) { gen->oscillators[0]->INPUT::source = &o.value; },
         "Cable skipped: the source of an input of VCO_1 is on no panel\n", 0},
        // Sampler panels have no sockets.
        {"MIXER_4;;\nSAMPLER_1;FILE=samples/kick.wav;\n", "MIXER_4;ADD_CHANELL=SAMPLER_1;\n",
         nullptr, "ZUX\n", 0},
        {"PCF_1;HICUT=100;\nSAMPLER_1;FILE=samples/kick.wav;\n", "PCF_1;IN=SAMPLER_1;\n", nullptr,
         "Un sampler ...Cable skipped: the panel of SAMPLER_1 has no socket OUTPUT\n", 0},
    };
    for (const auto &c : cases) {
        LOADED_PATCH patch(file(c.modules, c.links));
        if (c.bind)
            c.bind(outside_oscillator, outside_keyboard);
        const RUN run = run_without_terminal([] {
            cree_list_liens();
            std::printf("%zu cables\n", liens.size());
        });
        EXPECT_TRUE(run.finished) << c.line;
        EXPECT_NE(run.output.find(c.line), std::string::npos) << run.output;
        EXPECT_NE(run.output.find(std::to_string(c.cables) + " cables\n"), std::string::npos)
            << run.output;
    }
}

TEST_F(Cables, MissingSocketOnTheInputPanelSkipsTheCable)
{
    LOADED_PATCH patch(file("PCF_1;HICUT=100;\nVCO_1;TYPE=1;\n", "PCF_1;IN=VCO_1;\n"));
    OBJET *filter = patch.panel("PCF_1");
    filter->current = &filter->back;
    SPRITE *socket = filter->get_SPRITE_by_name("INPUT");
    ASSERT_NE(socket, nullptr);
    filter->back.erase(std::find(filter->back.begin(), filter->back.end(), socket));
    delete socket;
    EXPECT_NE(printed(cree_list_liens).find("GITSH in VCF??\n"), std::string::npos);
    EXPECT_TRUE(liens.empty());
}

TEST(Plugs, TogglesSwitchImageAndMaskAndTheFlagsForce)
{
    const struct {
        std::vector<std::pair<int, int>> toggles;
        const char *image;
    } cases[] = {
        {{}, "FICHE_PLUG"},
        {{{0, 0}}, "FICHE_UNPLUG"},
        {{{0, 0}, {0, 0}}, "FICHE_PLUG"},
        {{{1, 1}}, "FICHE_UNPLUG"},
        {{{0, 0}, {1, 0}}, "FICHE_PLUG"},
        {{{0, 1}, {0, 1}}, "FICHE_UNPLUG"},
    };
    OBJET panel(0, 0, "1");
    SPRITE socket("JACK_IN", 0, 0, 0, 0, 0, 1.0f, 0, 0);
    for (const auto &c : cases) {
        LINK cable(&panel, &panel, &socket, &socket, AUDIO_CABLE);
        for (auto [plug, unplug] : c.toggles)
            cable.sprite_fiche_cible_toggle(plug, unplug);
        EXPECT_STREQ(cable.output_plug.sprite_NAME, c.image);
        EXPECT_EQ(std::string(cable.output_plug.mask_NAME), std::string(c.image) + "_MASK");
        EXPECT_STREQ(cable.input_plug.sprite_NAME, "FICHE_PLUG"); // the other end stays
        for (auto [plug, unplug] : c.toggles)
            cable.sprite_fiche_source_toggle(plug, unplug);
        EXPECT_STREQ(cable.input_plug.sprite_NAME, c.image);
    }
}

TEST(Plugs, EndsSitAtTheSocketCentresOnTheWorkArea)
{
    OBJET in_panel(100, 50, "1"), out_panel(300, 200, "2");
    SPRITE in_socket("JACK_IN", 10, 8, 0, 0, 0, 1.0f, 0, 0);
    SPRITE out_socket("JACK_OUT", 7, 3, 0, 0, 0, 1.0f, 0, 0);
    in_socket.w = 20;
    in_socket.h = 16;
    out_socket.w = 15; // 7.5 from the corner: truncated
    out_socket.h = 15;
    LINK cable(&in_panel, &out_panel, &in_socket, &out_socket, GATE_CABLE);
    EXPECT_EQ(cable.corde.x1, 120);
    EXPECT_EQ(cable.corde.y1, 66);
    EXPECT_EQ(cable.corde.x2, 314);
    EXPECT_EQ(cable.corde.y2, 210);
    EXPECT_EQ(cable.input_plug.x, 120);
    out_panel.setxyz(400, 200, 0); // a moved panel: the end follows on set() only
    EXPECT_EQ(cable.corde.x2, 314);
    cable.set(&in_panel, &out_panel, &in_socket, &out_socket, SYNC_CABLE);
    EXPECT_EQ(cable.corde.x2, 414);
    EXPECT_EQ(cable.corde.colour, SYNC_CABLE);
}

TEST(PointedInstrument, EdgesHitAndTheEarlierPanelWins)
{
    OBJET a(100, 100, "1"), b(150, 120, "2");
    a.w = 100;
    a.h = 50;
    b.w = 100;
    b.h = 100;
    std::vector<OBJET *> both = {&a, &b}, reversed = {&b, &a}, none;
    const struct {
        std::vector<OBJET *> *list;
        int x, y, index;
    } cases[] = {
        {&none, 120, 120, -1},    {&both, 99, 120, -1}, {&both, 100, 100, 0},
        {&both, 200, 150, 0},     {&both, 201, 150, 1}, {&both, 250, 220, 1},
        {&both, 251, 220, -1},    {&both, 160, 130, 0}, {&reversed, 160, 130, 0},
        {&reversed, 110, 110, 1},
    };
    for (const auto &c : cases) {
        mouse_x = c.x;
        mouse_y = c.y;
        EXPECT_EQ(get_pointed_instrument(c.list), c.index) << c.x << "," << c.y;
    }
    EXPECT_EQ(get_pointed_instrument(nullptr), -1);
}

// Two panels of one keyboard tell the walk directions apart: audio and gate
// sources are searched from the last panel, sync sources from the first.
// Names are not searched among mixers.
TEST(OutputLookups, WalkDirectionsAndNames)
{
    KEYBOARD keyboard;
    std::snprintf(keyboard.name, sizeof keyboard.name, "KEYBOARD_1");
    MIXER mixer;
    std::snprintf(mixer.name, sizeof mixer.name, "MIXER_4");
    VCO vco(0.5f, 440.0f, SIN);
    KEYBOARD_GUI first(&keyboard, 0, 0, "1"), last(&keyboard, 0, 0, "2");
    MIXER_GUI mixer_panel(&mixer, 0, 0, "3");
    OBJET dashboard(0, 0, "58");
    objets_globaux = {&first, &mixer_panel, &dashboard, &last};
    INPUT audio(&keyboard), unbound, mixed(&mixer);
    INPUT_SYNC sync(&keyboard);
    vco.INPUT_GATE::source = &keyboard.state;
    EXPECT_EQ(get_OBJECT_by_OUTPUT(&audio), &last);
    EXPECT_EQ(get_OBJECT_by_OUTPUT_GATE(&vco), &last);
    EXPECT_EQ(get_OBJECT_by_OUTPUT_SYNC(&sync), &first);
    EXPECT_EQ(get_OBJECT_by_OUTPUT(&unbound), nullptr);
    EXPECT_EQ(get_OBJECT_by_OUTPUT(&vco), nullptr); // bound to nothing a panel shows
    EXPECT_EQ(get_OBJECT_by_name("KEYBOARD_1"), &last);
    EXPECT_EQ(get_OBJECT_by_name("KEYBOARD"), nullptr);
    EXPECT_EQ(get_OBJECT_by_OUTPUT(&mixed), &mixer_panel);
    EXPECT_EQ(get_OBJECT_by_name("MIXER_4"), nullptr);
    objets_globaux.clear();
}

} // namespace
