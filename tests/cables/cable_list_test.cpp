// The cables of the back view: which cables the connections give, in which
// order and colours, between which sockets; what becomes of a cable that
// cannot be drawn; the plugs, the end points, the hit test and the lookups.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <functional>
#include <string>
#include <vector>

#include "cable_test_helpers.h"
#include "cables/cable_colours.h"
#include "cables/cable_list.h"
#include "panels/keyboard_gui.h"
#include "panels/mixer_gui.h"
#include "panels/panel_elements.h"
#include "panels/module_panel.h"
#include "panels/panel_lists.h"
#include "synth/generator.h"

using namespace cable_test;

namespace {

// "VCO_1.INPUT_GATE <- SEQUENCER_1.OUTPUT_GATE ff0000" for each cable.
std::vector<std::string> cables()
{
    std::vector<std::string> out;
    for (const LINK *c : liens) {
        char colour[16];
        std::snprintf(colour, sizeof colour, " %x", c->corde.colour);
        out.push_back(std::string(module_of(c->input_panel).name()) + "." +
                      name_in_panel(*c->input_panel, c->input_socket) + " <- " +
                      module_of(c->output_panel).name() + "." +
                      name_in_panel(*c->output_panel, c->output_socket) + colour);
    }
    return out;
}

// What f prints in a child process whose standard input is a pipe nobody
// writes, so that a read from the terminal would wait for ever; cut short
// when the child is still running after 5 seconds.
std::string run_without_terminal(const std::function<void()> &f)
{
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0)
        return "no pipe";
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
    pollfd p = {out[0], POLLIN, 0};
    char chunk[512];
    for (ssize_t n; poll(&p, 1, 5000) > 0 && (n = read(out[0], chunk, sizeof chunk)) > 0;)
        output.append(chunk, static_cast<size_t>(n));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    for (int fd : {out[0], in[0], in[1]})
        close(fd);
    return output;
}

// Every kind of link: the panels are walked first to last (the mixers, built
// last, come first), each panel's inputs in its sockets' order (main,
// amplitude, frequency, phase, pulse width, gate, sync), and each cable goes
// to the front.
TEST(CableList, EveryLinkOfTheModularDemoBecomesItsCable)
{
    LOADED_PATCH patch("QSY/MODULAR.QSY");
    cree_list_liens();
    cree_list_liens(); // rebuilt from scratch, not added to
    EXPECT_EQ(cables(), (std::vector<std::string>{
                            "VCO_MOD.INPUT <- SEQUENCER_1.OUTPUT 50a0ff",
                            "VCO_FM.INPUT_MOD_PHASE <- VCO_MOD.OUTPUT 5ac86e",
                            "VCO_FM.INPUT_MOD_AMP <- VCO_TREMOLO.OUTPUT 5ac86e",
                            "VCO_FM.INPUT <- SEQUENCER_1.OUTPUT 50a0ff",
                            "VCO_PWM.INPUT_SYNC <- KEYBOARD_1.OUTPUT_SYNC f0c828",
                            "VCO_PWM.INPUT_GATE <- SEQUENCER_1.OUTPUT_GATE e64040",
                            "VCO_PWM.INPUT_MOD_PWM <- VCO_SWEEP.OUTPUT 5ac86e",
                            "VCO_PWM.INPUT_MOD_FREQ <- VCO_VIBRATO.OUTPUT 5ac86e",
                            "VCO_PWM.INPUT <- SEQUENCER_1.OUTPUT 50a0ff",
                            "VCA_1.INPUT_GATE <- SEQUENCER_1.OUTPUT_GATE e64040",
                            "VCA_1.INPUT <- MIXER_VOICE.OUTPUT c8c8b8",
                            "PCF_1.INPUT_MOD_FREQ <- VCO_SWEEP.OUTPUT 5ac86e",
                            "PCF_1.INPUT <- VCA_1.OUTPUT c8c8b8",
                            "MIXER_4.INPUT_1 <- PCF_1.OUTPUT c8c8b8",
                            "MIXER_VOICE.INPUT_2 <- VCO_FM.OUTPUT c8c8b8",
                            "MIXER_VOICE.INPUT_1 <- VCO_PWM.OUTPUT c8c8b8",
                        }));
}

// A source shown by no panel, or a socket missing (a description file
// without it): one line, the cable skipped, the rebuild goes on without the
// terminal. A sampler's cables are drawn as any module's.
TEST(CableList, TheRebuildTracesAndSkipsUndrawableCablesWithOneLineAndNoWait)
{
    VCO outside(0.5f, 440.0f, SIN);
    KEYBOARD keys;
    const struct {
        const char *modules, *links;
        std::function<void()> bind;
        const char *line;
        int cables;
    } cases[] = {
        {"VCO_1;TYPE=1;\nSEQUENCER_1;DIVIDER=2;\nSEQUENCER_2;DIVIDER=2;\n", "", [] {},
         "Begin Link Creation\nEnd Link Creation\n", 0},
        {"VCA_1;ATTACK=1;\n", "", [&] { gen->amplifiers[0]->INPUT::source = &outside.value; },
         "Cable skipped: the source of an input of VCA_1 is on no panel\n", 0},
        {"VCA_1;ATTACK=1;\nVCO_1;TYPE=1;\n", "VCA_1;IN=VCO_1;\n",
         [&] { gen->amplifiers[0]->INPUT_GATE::source = &keys.state; },
         "Cable skipped: the source of an input of VCA_1 is on no panel\n", 1},
        {"VCO_1;TYPE=1;\n", "", [&] { gen->oscillators[0]->INPUT::source = &outside.value; },
         "Cable skipped: the source of an input of VCO_1 is on no panel\n", 0},
        {"MIXER_4;;\nSAMPLER_1;FILE=samples/kick.wav;\nVCO_1;TYPE=1;\n",
         "MIXER_4;ADD_CHANELL=SAMPLER_1;ADD_CHANELL=VCO_1;\n", [] {},
         "Begin Link Creation\nEnd Link Creation\n", 2},
        {"PCF_1;HICUT=100;\nSAMPLER_1;FILE=samples/kick.wav;\n", "PCF_1;IN=SAMPLER_1;\n", [] {},
         "Begin Link Creation\nEnd Link Creation\n", 1},
        {"PCF_1;HICUT=100;\nVCO_1;TYPE=1;\n", "PCF_1;IN=VCO_1;\n",
         [] {
             OBJET *filter = panel_of(find_module(*gen, "PCF_1"));
             filter->current = &filter->back;
             SPRITE *socket = filter->get_SPRITE_by_name("INPUT");
             filter->back.erase(std::find(filter->back.begin(), filter->back.end(), socket));
             delete socket;
         },
         "Cable skipped: the panel of PCF_1 has no socket INPUT\n", 0},
    };
    for (const auto &c : cases) {
        TempDir dir;
        LOADED_PATCH patch(dir.write("p.QSY", patch_text(c.modules, c.links)));
        c.bind();
        const std::string output = run_without_terminal([] {
            cree_list_liens();
            std::printf("%zu cables\n", liens.size());
        });
        EXPECT_EQ(output.rfind("Begin Link Creation\n", 0), 0u) << output;
        EXPECT_NE(output.find(c.line), std::string::npos) << output;
        EXPECT_NE(output.find("End Link Creation\n" + std::to_string(c.cables) + " cables\n"),
                  std::string::npos)
            << output;
    }
}

TEST(Link, PlugsToggleAndEndsSitAtTheSocketCentres)
{
    const struct {
        std::vector<std::pair<int, int>> toggles;
        const char *image;
    } cases[] = {{{}, "FICHE_PLUG"},
                 {{{0, 0}}, "FICHE_UNPLUG"},
                 {{{0, 0}, {0, 0}}, "FICHE_PLUG"},
                 {{{1, 1}}, "FICHE_UNPLUG"},
                 {{{0, 1}, {1, 0}}, "FICHE_PLUG"}};
    OBJET in_panel(100, 50, "1"), out_panel(300, 200, "2");
    SPRITE in_socket("JACK_IN", 10, 8, 0, 0, 0, 1.0f, 0, 0);
    SPRITE out_socket("JACK_OUT", 7, 3, 0, 0, 0, 1.0f, 0, 0);
    in_socket.w = 20;
    in_socket.h = 16;
    out_socket.w = out_socket.h = 15; // 7.5 from the corner: truncated
    for (const auto &c : cases) {
        LINK cable(&in_panel, &out_panel, &in_socket, &out_socket, cable_colour(CABLE_KIND::GATE));
        for (auto [plug, unplug] : c.toggles)
            cable.sprite_fiche_cible_toggle(plug, unplug);
        EXPECT_STREQ(cable.output_plug.sprite_NAME, c.image);
        EXPECT_EQ(std::string(cable.output_plug.mask_NAME), std::string(c.image) + "_MASK");
        EXPECT_STREQ(cable.input_plug.sprite_NAME, "FICHE_PLUG"); // the other end stays
    }
    LINK cable(&in_panel, &out_panel, &in_socket, &out_socket, cable_colour(CABLE_KIND::GATE));
    cable.sprite_fiche_source_toggle(0, 0);
    EXPECT_STREQ(cable.input_plug.sprite_NAME, "FICHE_UNPLUG");
    const CORDE &c = cable.corde;
    EXPECT_EQ(std::vector<int>({c.x1, c.y1, c.x2, c.y2}), std::vector<int>({120, 66, 314, 210}));
    out_panel.setxyz(400, 200, 0); // the end follows a moved panel on set() only
    EXPECT_EQ(c.x2, 314);
    cable.set(&in_panel, &out_panel, &in_socket, &out_socket, cable_colour(CABLE_KIND::SYNC));
    EXPECT_EQ(c.x2, 414);
    EXPECT_EQ(c.colour, cable_colour(CABLE_KIND::SYNC));
}

// A module's panel is the first that shows it; a dashboard shows none.
TEST(PanelLookups, AModulesPanelIsTheFirstThatShowsIt)
{
    KEYBOARD keyboard;
    MIXER mixer;
    KEYBOARD_GUI first(&keyboard, 0, 0, "1"), last(&keyboard, 0, 0, "2");
    MIXER_GUI mixer_panel(&mixer, 0, 0, "3");
    OBJET dashboard(0, 0, "58");
    objets_globaux = {&dashboard, &first, &mixer_panel, &last};
    EXPECT_EQ(panel_of(MODULE(&keyboard)), &first);
    EXPECT_EQ(panel_of(MODULE(&mixer)), &mixer_panel);
    EXPECT_EQ(panel_of(MODULE()), nullptr);
    EXPECT_FALSE(module_of(&dashboard));
    EXPECT_EQ(module_of(&last), MODULE(&keyboard));
    objets_globaux.clear();
}

} // namespace

// What each socket's cable carries decides its colour, one colour a kind.
TEST(CableColours, EachKindOfInputHasItsColour)
{
    const struct {
        MODULE_KIND reader;
        const char *element;
        CABLE_KIND kind;
    } cases[] = {
        {VCO_MODULE, "INPUT", CABLE_KIND::PITCH},         {SAMPLER_MODULE, "INPUT", CABLE_KIND::PITCH},
        {VCO_MODULE, "INPUT_MOD_FREQ", CABLE_KIND::MODULATION},
        {VCF_MODULE, "INPUT_MOD_AMP", CABLE_KIND::MODULATION},
        {VCA_MODULE, "INPUT", CABLE_KIND::AUDIO},         {MIXER_MODULE, "INPUT_7", CABLE_KIND::AUDIO},
        {VCA_MODULE, "INPUT_GATE", CABLE_KIND::GATE},     {SEQ_MODULE, "INPUT_SYNC", CABLE_KIND::SYNC},
    };
    std::set<int> colours;
    for (const auto &c : cases) {
        int channel;
        const SOCKET *s = input_socket_named(c.reader, c.element, &channel);
        ASSERT_NE(s, nullptr) << c.element;
        EXPECT_EQ(cable_kind(c.reader, *s), c.kind) << kind_word(c.reader) << " " << c.element;
    }
    for (const CABLE_LOOK &look : CABLE_LOOKS)
        EXPECT_TRUE(colours.insert(cable_colour(look.kind)).second) << look.name;
}
