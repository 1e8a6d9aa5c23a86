// The back view driven by real events in a real window: cable ends picked at
// their sockets and dropped elsewhere rewire the patch, which the next second
// of sound follows; panels move and scroll the view; the middle button
// scrolls; the keys of the back view.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "cables/cable_list.h"
#include "cables/links_view.h"
#include "cables/view_test_helpers.h"
#include "engine/video.h"
#include "panels/panel_drawing.h"
#include "panels/panel_elements.h"
#include "panels/panel_kinds.h"
#include "panels/panel_lists.h"
#include "panels/system_dash.h"
#include "panels/view_state.h"
#include "remote/remote_orders.h"

using namespace view_test;
using cable_test::patch_text;
using cable_test::printed;

namespace {

const std::string PATCH = patch_text(
    "KEYBOARD_1;;\n"
    "VCO_A;TYPE=3;FREQ=2.000000;AMOUNT=0.50;PHASE=0;\n"
    "VCO_B;TYPE=1;FREQ=3.000000;AMOUNT=0.50;PHASE=0;\n"
    "VCO_LFO;TYPE=1;FREQ=3.000000;AMOUNT=0.50;PHASE=0;\n"
    "VCA_1;ATTACK=5;DECAY=100;SUSTAIN=1;RELEASE=50;INVERT=0;\n"
    "MIXER_1;;\nMIXER_4;;\n"
    "SEQUENCER_1;DIVIDER=2;NBR_STEP=8;\n"
    "PCF_1;HICUT=1000;Q=1.000000;GAIN=0;TYPE=1;BYPASS=0;\n",
    "VCO_A;IN=KEYBOARD_1;GATE=KEYBOARD_1;SYNC=KEYBOARD_1;\n"
    "VCO_B;IN=KEYBOARD_1;\n"
    "VCA_1;IN=VCO_B;GATE=SEQUENCER_1;\n"
    "MIXER_1;ADD_CHANELL=VCO_LFO;\n"
    "PCF_1;IN=MIXER_1;\n"
    "MIXER_4;ADD_CHANELL=VCO_A;ADD_CHANELL=VCA_1;ADD_CHANELL=PCF_1;\n");

int run() { return SDL_PollEVENT_Links(objets_globaux, 0, nullptr); }

// "VCO_A.INPUT <- KEYBOARD_1.OUTPUT" for each cable.
std::vector<std::string> cables()
{
    std::vector<std::string> out;
    for (const LINK *c : liens)
        out.push_back(std::string(module_name(c->input_panel)) + "." +
                      name_in_panel(*c->input_panel, c->input_socket) + " <- " +
                      module_name(c->output_panel) + "." +
                      name_in_panel(*c->output_panel, c->output_socket));
    return out;
}

struct SOCKET {
    const char *module, *name;
};

POINT at(SOCKET s) { return centre(panel_of(s.module), s.name); }

// A left drag from one socket to another, the pointer first brought there.
void drag(SOCKET from, SOCKET to)
{
    motion(at(from));
    motion(at(from));
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, at(from));
    motion(at(to));
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, at(to));
}

VCO *vco(GENERATOR &g, const char *name) { return g.get_VCO_by_name(name); }

void plug(INPUT &in, OUTPUT *source) { in.connect(source); }

void fill_mixer_1(GENERATOR &g)
{
    while (g.get_MIXER_by_name("MIXER_1")->count < MIXER::CHANNELS)
        g.get_MIXER_by_name("MIXER_1")->ajoute_en_entree(vco(g, "VCO_LFO"), -1);
}

TEST(LinksView, ADroppedCableEndRewiresThePatchAndTheNextSecondSoundsSo)
{
    struct CASE {
        const char *what;
        SOCKET from, to;
        bool duplicate;
        const char *line;             // printed by the drop
        void (*rewired)(GENERATOR &); // the same wiring made by hand; null: none
        void (*before)(GENERATOR &) = nullptr; // the patch first changed so
    } cases[] = {
        {"A's pitch input end onto B's frequency modulation", {"VCO_A", "INPUT"},
         {"VCO_B", "INPUT_MOD_FREQ"}, false, "Branchement OUTPUT vers INPUT\n",
         [](GENERATOR &g) {
             plug(*vco(g, "VCO_A"), nullptr);
             VCO::connect_modulation(vco(g, "VCO_B")->mod_frequency, g.keyboards[0]);
         }},
        {"the same with Right Ctrl held: A keeps its input", {"VCO_A", "INPUT"},
         {"VCO_B", "INPUT_MOD_FREQ"}, true, "Branchement OUTPUT vers INPUT\n",
         [](GENERATOR &g) { VCO::connect_modulation(vco(g, "VCO_B")->mod_frequency, g.keyboards[0]); }},
        {"an amplifier's input end onto a mixer's third socket: its second channel",
         {"VCA_1", "INPUT"}, {"MIXER_1", "INPUT_3"}, false, "Branchement OUTPUT vers INPUT\n",
         [](GENERATOR &g) {
             plug(*g.get_VCA_by_name("VCA_1"), nullptr);
             g.get_MIXER_by_name("MIXER_1")->ajoute_en_entree(vco(g, "VCO_B"), -1);
         }},
        {"an audio output end onto another output", {"VCO_B", "OUTPUT"}, {"VCO_LFO", "OUTPUT"},
         false, "Branchement INPUT vers OUTPUT\n",
         [](GENERATOR &g) { plug(*g.get_VCA_by_name("VCA_1"), vco(g, "VCO_LFO")); }},
        {"a gate input end onto an audio input", {"VCA_1", "INPUT_GATE"}, {"VCO_B", "INPUT"},
         false, "Mauvais branchment : Vous essayer de mettre une connexion INPUT_GATE", nullptr},
        {"a gate output end onto another gate output", {"SEQUENCER_1", "OUTPUT_GATE"},
         {"KEYBOARD_1", "OUTPUT_GATE"}, false, "Branchement OUTPUT_GATE vers INPUT_GATE\n",
         nullptr},
        {"a sync input end onto a sequencer, which shows no sync cable", {"VCO_A", "INPUT_SYNC"},
         {"SEQUENCER_1", "INPUT_SYNC"}, false, "Mauvais branchment", nullptr},
        {"an end onto a 25th mixer channel", {"VCA_1", "INPUT"}, {"MIXER_1", "INPUT_3"}, false,
         "Branchement refuse : les 24 entrees de [MIXER_1] sont prises\n", nullptr, fill_mixer_1},
    };
    for (const CASE &c : cases) {
        SCOPED_TRACE(c.what);
        VIEW_PATCH view(PATCH, true);
        if (c.before) {
            c.before(*gen);
            cree_list_liens();
        }
        const std::vector<std::string> before = cables();
        if (c.duplicate)
            key(SDL_KEYDOWN, SDLK_RCTRL);
        drag(c.from, c.to);
        int result = 0;
        const std::string out = printed([&] { result = run(); });
        EXPECT_NE(out.find(c.line), std::string::npos) << out;
        EXPECT_EQ(result, VIEW_REDRAW | VIEW_CABLE_MOVED | VIEW_SCROLLED);
        EXPECT_EQ(link_not_created, 1);
        EXPECT_EQ(links_view.clicked_link, nullptr);

        // The next second sounds as the same wiring made by hand, and not as before.
        const std::vector<float> heard = render_second(*gen);
        EXPECT_EQ(differences(heard, render_second_of(view.path,
                                                      [&](GENERATOR &g) {
                                                          if (c.before)
                                                              c.before(g);
                                                          if (c.rewired)
                                                              c.rewired(g);
                                                      })),
                  0);
        if (c.rewired) {
            EXPECT_GT(differences(heard, render_second_of(view.path, c.before)), 1000);
        }
        if (c.rewired == nullptr) {
            cree_list_liens();
            EXPECT_EQ(cables(), before);
        }
    }
}

TEST(LinksView, AClickOnASocketWithoutMovingChangesNothingAndRebuildsNothing)
{
    VIEW_PATCH view(PATCH, true);
    const POINT socket = at({"KEYBOARD_1", "OUTPUT"}); // two cables leave it
    SDL_WarpMouse(5, 5);
    drain();
    motion(socket);
    motion(socket);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, socket);
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, socket);
    const std::string out = printed([] { EXPECT_EQ(run(), 7); });
    EXPECT_EQ(out, "CIBLE\nOUTPUT\nCIBLE\nOUTPUT\n");
    EXPECT_EQ(link_not_created, 0);
    EXPECT_EQ(pointer().x, socket.x);
    EXPECT_EQ(pointer().y, socket.y);
    // The picked cable (the last of the list) is plugged again; the other one
    // stays pulled out until the list is rebuilt.
    std::vector<std::string> plugs;
    for (const LINK *c : liens)
        if (c->output_panel == &panel_of("KEYBOARD_1") &&
            std::string(name_in_panel(*c->output_panel, c->output_socket)) == "OUTPUT")
            plugs.push_back(c->output_plug.sprite_NAME);
    EXPECT_EQ(plugs, (std::vector<std::string>{"FICHE_UNPLUG", "FICHE_PLUG"}));
    EXPECT_EQ(differences(render_second(*gen), render_second_of(view.path, {})), 0);
}

TEST(LinksView, TheMiddleButtonDragsTheWorkAreaButNotBeyondItsStart)
{
    struct CASE {
        int to_x;     // the pointer's way, from x = 500
        int offset_x; // then
    } cases[] = {{400, 100}, {600, 0}};
    for (const CASE &c : cases) {
        VIEW_PATCH view(PATCH, true);
        motion({500, 300});
        button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, {500, 300});
        for (int i = 1; i <= 10; i++)
            motion({500 + (c.to_x - 500) * i / 10, 300});
        EXPECT_EQ(run(), VIEW_SCROLLED);
        SDL_Event last = {};
        last.type = SDL_MOUSEMOTION; // the work area follows one motion behind
        last.motion.x = static_cast<Uint16>(c.to_x);
        last.motion.y = 300;
        SDL_PushEvent(&last);
        run();
        EXPECT_EQ(offsx, c.offset_x) << c.to_x;
        EXPECT_EQ(offsy, 0);
    }
}

TEST(LinksView, APanelMovedToTheLeftEdgeScrollsTheViewLeftDownToZero)
{
    VIEW_PATCH view(PATCH, true);
    OBJET &panel = panel_of("VCA_1");
    offsx = 70;
    const POINT grip = {static_cast<int>(panel.x) + 10, static_cast<int>(panel.y) + 10};
    motion(grip);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, grip);
    EXPECT_EQ(run(), VIEW_REDRAW);
    std::vector<int> offsets;
    for (int i = 0; i < 3; i++) {
        SDL_Event m = {};
        m.type = SDL_MOUSEMOTION;
        m.motion.x = 3;
        m.motion.y = 300;
        SDL_PushEvent(&m);
        const int x = 3 + offsx;
        EXPECT_EQ(run(), VIEW_REDRAW | VIEW_SCROLLED);
        EXPECT_EQ(panel.x, x); // its top-left corner follows the pointer
        offsets.push_back(offsx);
    }
    EXPECT_EQ(offsets, (std::vector<int>{35, 0, 0}));
    EXPECT_EQ(objets_globaux[static_cast<size_t>(MOVING_OBJET)], &panel);
    EXPECT_EQ(link_not_created, 1);
}

int load_flag_seen = -1;

TEST(LinksView, TheKeysOfTheBackView)
{
    VIEW_PATCH view(PATCH, true);
    OBJET &osc = panel_of("VCO_A");
    KEYBOARD &keyboard = *gen->keyboards[0]; // the only one: it answers to every name
    load_dialog = [] { load_flag_seen = LOAD_FLAG; };
    remote_state = RemoteState();
    remote_state.toggle_BUTTON_1 = remote_state.toggle_BUTTON_3 = 1;
    DISPLAY_OSCILLO = 0;
    ZOOM_FACTOR = 1.0f;
    quit = 1;
    motion(centre(osc, "IMAGE_FOND"));
    motion(centre(osc, "IMAGE_FOND"));
    run();
    const Uint8 D = SDL_KEYDOWN, U = SDL_KEYUP;
    auto n = [](auto v) { return std::to_string(v); };
    struct CASE {
        std::vector<std::pair<Uint8, SDLKey>> keys;
        std::function<std::string(const std::string &printed)> seen;
        std::string expected;
    } cases[] = {
        {{{D, SDLK_RCTRL}}, [&](auto &) { return n(DUPLICATE_LINK_FLAG); }, "1"},
        {{{U, SDLK_RCTRL}}, [&](auto &) { return n(DUPLICATE_LINK_FLAG); }, "0"},
        {{{D, SDLK_TAB}, {D, SDLK_TAB}}, [&](auto &) { return n(remote_state.nr_vco_selected); },
         "2"},
        {{{D, SDLK_TAB}}, [&](auto &) { return n(remote_state.nr_vco_selected); }, "0"},
        {{{D, SDLK_F1}}, [&](auto &) { return n(DISPLAY_OSCILLO); }, "1"},
        {{{D, SDLK_KP_PLUS}, {D, SDLK_KP_PLUS}, {D, SDLK_KP_MINUS}},
         [&](auto &) { return n(ZOOM_FACTOR); }, n(2.0f)},
        {{{D, SDLK_F5}}, [&](auto &out) { return out; },
         "VCO_A;IN=KEYBOARD_1;GATE=KEYBOARD_1;SYNC=KEYBOARD_1;\n"},
        {{{D, SDLK_1}},
         [&](auto &) {
             const MESSAGE &m = osc.messages.front();
             return n(m.kind) + n(m.event.type == SDL_MOUSEBUTTONUP) + n(m.event.button.button) +
                    n(m.target == nullptr);
         },
         "1111"},
        {{{D, SDLK_5}}, [&](auto &) { return n(osc.view_mode); }, "1"},
        {{{D, SDLK_F3}}, [&](auto &) { return n(load_flag_seen) + n(LOAD_FLAG); }, "10"},
        {{{D, SDLK_q}}, [&](auto &) { return n(keyboard.note) + n(keyboard.state); }, "11"},
        {{{U, SDLK_q}, {D, SDLK_c}}, [&](auto &) { return n(keyboard.note); }, "3"},
        {{{U, SDLK_c}, {D, SDLK_h}}, [&](auto &) { return n(keyboard.note) + n(keyboard.state); },
         "61"},
        {{{U, SDLK_h}}, [&](auto &) { return n(keyboard.state); }, "0"},
        {{{U, SDLK_F1}, {U, SDLK_F3}},
         [&](auto &) { return n(remote_state.toggle_BUTTON_1) + n(remote_state.toggle_BUTTON_3); },
         "00"},
        {{{D, SDLK_ESCAPE}}, [&](auto &) { return n(quit); }, "1"},
        {{{U, SDLK_ESCAPE}}, [&](auto &) { return n(quit); }, "0"},
        {{{D, SDLK_F6}}, [&](auto &) { return n(BACK_VIEW_TOGGLE) + n(osc.view_mode); }, "01"},
    };
    for (const CASE &c : cases) {
        for (auto [type, sym] : c.keys)
            key(type, sym);
        int result = 0;
        const std::string out = printed([&] { result = run(); });
        EXPECT_EQ(result, VIEW_REDRAW);
        EXPECT_EQ(c.seen(out), c.expected) << "after key " << c.keys.back().second;
    }
    load_dialog = load_dialog_stand_in;
    quit = 1;
}

} // namespace
