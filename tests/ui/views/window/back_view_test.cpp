// The back view driven by real events in a real window: cable ends picked at
// their sockets and dropped elsewhere rewire the patch, which the next second
// of sound follows; the middle button and panels moved to the edge scroll.
#include <gtest/gtest.h>

#include "cables/cable_list.h"
#include "ui/views/back_view.h"
#include "ui/views/status_line.h"
#include "ui/views/view_test_helpers.h"
#include "engine/video.h"
#include "panels/panel_drawing.h"
#include "panels/panel_lists.h"
#include "ui/views/view_state.h"

using namespace view_test;
using cable_test::printed;

namespace {

const std::string PATCH = cable_test::patch_text(
    "KEYBOARD_1;;\n"
    "VCO_A;TYPE=3;FREQ=2.000000;AMOUNT=0.50;PHASE=0;\n"
    "VCO_B;TYPE=1;FREQ=3.000000;AMOUNT=0.50;PHASE=0;\n"
    "VCO_LFO;TYPE=1;FREQ=3.000000;AMOUNT=0.50;PHASE=0;\n"
    "VCA_1;ATTACK=5;DECAY=100;SUSTAIN=1;RELEASE=50;INVERT=0;\n"
    "MIXER_1;;\nMIXER_4;;\nSEQUENCER_1;DIVIDER=2;NBR_STEP=8;\n",
    "VCO_A;IN=KEYBOARD_1;GATE=KEYBOARD_1;SYNC=KEYBOARD_1;\nVCO_B;IN=KEYBOARD_1;\n"
    "VCA_1;IN=VCO_B;GATE=SEQUENCER_1;\nMIXER_1;ADD_CHANELL=VCO_LFO;\n"
    "MIXER_4;ADD_CHANELL=VCO_A;ADD_CHANELL=VCA_1;ADD_CHANELL=MIXER_1;\n");

int run() { return SDL_PollEVENT_Links(objets_globaux, 0, nullptr); }

struct SOCKET {
    const char *module, *name;
};

// A socket, or empty space when the module is null.
POINT at(SOCKET s) { return s.module ? centre(panel_of(s.module), s.name) : empty_spot(); }

VCO *vco(GENERATOR &g, const char *name) { return g.get_VCO_by_name(name); }

TEST(LinksView, ADroppedCableEndRewiresThePatchAndTheNextSecondSoundsSo)
{
    struct CASE {
        SOCKET from, to;
        bool duplicate;
        const char *line;                      // printed by the drop
        const char *status;                    // said in the window: why it was refused
        void (*rewired)(GENERATOR &);          // the same wiring made by hand; null: none
        void (*before)(GENERATOR &) = nullptr; // the patch first changed so
    } cases[] = {
        // clang-format off
        {{"VCO_A", "INPUT"}, {"VCO_B", "INPUT_MOD_FREQ"}, false, "Branchement OUTPUT vers INPUT\n", "",
         [](GENERATOR &g) {
             vco(g, "VCO_A")->INPUT::connect(nullptr);
             connect_modulation(vco(g, "VCO_B")->mod_frequency, g.keyboards[0]);
         }},
        {{"VCO_A", "INPUT"}, {"VCO_B", "INPUT_MOD_FREQ"}, true, "Branchement OUTPUT vers INPUT\n", "",
         [](GENERATOR &g) {
             connect_modulation(vco(g, "VCO_B")->mod_frequency, g.keyboards[0]);
         }},
        // Onto the third socket of a mixer that has one channel: its second.
        {{"VCA_1", "INPUT"}, {"MIXER_1", "INPUT_3"}, false, "Branchement OUTPUT vers INPUT\n", "",
         [](GENERATOR &g) {
             g.get_VCA_by_name("VCA_1")->INPUT::connect(nullptr);
             g.get_MIXER_by_name("MIXER_1")->ajoute_en_entree(vco(g, "VCO_B"), -1);
         }},
        {{"VCO_B", "OUTPUT"}, {"VCO_LFO", "OUTPUT"}, false, "Branchement INPUT vers OUTPUT\n", "",
         [](GENERATOR &g) { g.get_VCA_by_name("VCA_1")->INPUT::connect(vco(g, "VCO_LFO")); }},
        {{"VCA_1", "INPUT_GATE"}, {"VCO_B", "INPUT"}, false,
         "Mauvais branchment : Vous essayer de mettre une connexion INPUT_GATE",
         "VCO_B INPUT takes audio cables: this one carries gate", nullptr},
        // Audio ends on gate sockets, whose names hold "INPUT" and "OUTPUT" too.
        {{"VCO_B", "INPUT"}, {"VCA_1", "INPUT_GATE"}, false,
         "Mauvais branchment : Vous essayer de mettre une connexion INPUT dans",
         "VCA_1 INPUT_GATE takes gate cables: this one carries audio", nullptr},
        {{"VCO_B", "OUTPUT"}, {"KEYBOARD_1", "OUTPUT_GATE"}, false,
         "Mauvais branchment : Vous essayer de mettre une connexion OUTPUT dans",
         "KEYBOARD_1 OUTPUT_GATE is a gate output: this cable carries audio", nullptr},
        {{"SEQUENCER_1", "OUTPUT_GATE"}, {"KEYBOARD_1", "OUTPUT_GATE"}, false,
         "Branchement OUTPUT_GATE vers INPUT_GATE\n", "",
         [](GENERATOR &g) { g.get_VCA_by_name("VCA_1")->INPUT_GATE::connect(g.keyboards[0]); }},
        // From a socket without cable a new cable starts, either way round;
        // from a mixer's free socket it takes the next channel.
        {{"MIXER_4", "OUTPUT"}, {"VCO_B", "INPUT_MOD_AMP"}, false, "Branchement OUTPUT vers INPUT\n",
         "", [](GENERATOR &g) {
             connect_modulation(vco(g, "VCO_B")->mod_amplitude, g.get_MIXER_by_name("MIXER_4"));
         }},
        {{"VCO_B", "INPUT_MOD_FREQ"}, {"SEQUENCER_1", "OUTPUT"}, false,
         "Branchement INPUT vers OUTPUT\n", "",
         [](GENERATOR &g) { connect_modulation(vco(g, "VCO_B")->mod_frequency, g.sequencers[0]); }},
        {{"MIXER_1", "INPUT_7"}, {"VCO_A", "OUTPUT"}, false, "Branchement INPUT vers OUTPUT\n", "",
         [](GENERATOR &g) { g.get_MIXER_by_name("MIXER_1")->ajoute_en_entree(vco(g, "VCO_A"), -1); }},
        {{"VCO_LFO", "INPUT_MOD_FREQ"}, {nullptr, nullptr}, false, "Postionn\xe9 sur rien\n",
         "No socket there: the cable goes back", nullptr},
        // A sequencer's sync input is shown by no cable: the cable goes back.
        {{"VCO_A", "INPUT_SYNC"}, {"SEQUENCER_1", "INPUT_SYNC"}, false, "Mauvais branchment",
         "SEQUENCER_1 INPUT_SYNC takes no cable",
         nullptr},
        {{"VCA_1", "INPUT"}, {"MIXER_1", "INPUT_3"}, false,
         "Branchement refuse : les 24 entrees de [MIXER_1] sont prises\n",
         "MIXER_1 has all its 24 channels taken", nullptr,
         [](GENERATOR &g) {
             while (g.get_MIXER_by_name("MIXER_1")->count < MIXER::CHANNELS)
                 g.get_MIXER_by_name("MIXER_1")->ajoute_en_entree(vco(g, "VCO_LFO"), -1);
         }},
        // Either end dropped on empty space pulls the cable out; a mixer's
        // channel stays counted, fed by nothing.
        {{"VCA_1", "INPUT"}, {nullptr, nullptr}, false, "Debranche [INPUT]\n",
         "Cable pulled out: VCA_1 INPUT hears nothing there",
         [](GENERATOR &g) { g.get_VCA_by_name("VCA_1")->INPUT::connect(nullptr); }},
        {{"MIXER_4", "INPUT_2"}, {nullptr, nullptr}, false, "Debranche [INPUT_2]\n",
         "Cable pulled out: MIXER_4 INPUT_2 hears nothing there",
         [](GENERATOR &g) { g.get_MIXER_by_name("MIXER_4")->inputs[1].connect(nullptr); }},
        {{"VCA_1", "INPUT"}, {nullptr, nullptr}, true, "Postionn\xe9 sur rien\n",
         "No socket there: the cable goes back", nullptr},
        // clang-format on
    };
    for (const CASE &c : cases) {
        SCOPED_TRACE(std::string(c.from.name) + " to " + (c.to.module ? c.to.module : "nowhere"));
        VIEW_PATCH view(PATCH, true);
        if (c.before) {
            c.before(*gen);
            cree_list_liens();
        }
        if (c.duplicate)
            key(SDL_KEYDOWN, SDLK_RCTRL);
        motion(at(c.from));
        motion(at(c.from));
        button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, at(c.from));
        motion(at(c.to));
        button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, at(c.to));
        key(SDL_KEYUP, SDLK_RCTRL);
        int result = 0;
        const std::string out = printed([&] { result = run(); });
        EXPECT_NE(out.find(c.line), std::string::npos) << out;
        EXPECT_EQ(status_text(), c.status);
        EXPECT_EQ(result, VIEW_REDRAW | VIEW_CABLE_MOVED | VIEW_SCROLLED);
        EXPECT_EQ(link_not_created, 1); // the cable list is rebuilt in every case
        EXPECT_EQ(DUPLICATE_LINK_FLAG, 0);

        // The next second sounds as the same wiring made by hand, not as before.
        auto fresh = [&](void (*then)(GENERATOR &)) {
            GENERATOR g(view.path.c_str());
            if (c.before)
                c.before(g);
            std::vector<float> samples = render_second(g, then);
            g.release_modules();
            return samples;
        };
        const std::vector<float> heard = render_second(*gen);
        EXPECT_TRUE(heard == fresh(c.rewired));
        if (c.rewired) {
            EXPECT_FALSE(heard == fresh(nullptr));
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
    EXPECT_EQ(printed([] { run(); }), "CIBLE\nOUTPUT\nCIBLE\nOUTPUT\n");
    EXPECT_EQ(link_not_created, 0);
    EXPECT_EQ(pointer().x, 5); // not moved: it stays where the end is let go
    EXPECT_EQ(pointer().y, 5);
    // The picked cable, the last of the list, is plugged again; the other one
    // stays pulled out until the list is rebuilt.
    std::vector<std::string> plugs;
    for (const LINK *c : liens)
        if (c->output_socket == panel_of("KEYBOARD_1").get_SPRITE_by_name("OUTPUT"))
            plugs.push_back(c->output_plug.sprite_NAME);
    EXPECT_EQ(plugs, (std::vector<std::string>{"FICHE_UNPLUG", "FICHE_PLUG"}));
    EXPECT_NE(vco(*gen, "VCO_A")->INPUT::source.get(), nullptr);
}

// A cable end held while its cable is freed (the list rebuilt after a panel
// moved with the right button) or while the view switches is let go; the
// cables are rebuilt once the view is left, so the end goes back to its socket.
TEST(LinksView, AHeldCableEndIsLetGoWhenItsCableIsFreedOrTheViewSwitches)
{
    VIEW_PATCH view(PATCH, true);
    const POINT socket = at({"KEYBOARD_1", "OUTPUT"});
    auto pick = [&] {
        motion(socket);
        motion(socket);
        button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, socket);
        printed([] { run(); });
        ASSERT_NE(links_view.clicked_link, nullptr);
    };
    pick();
    rebuild_cables();
    EXPECT_EQ(links_view.clicked_link, nullptr);
    motion(at({"VCA_1", "INPUT"}));
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, at({"VCA_1", "INPUT"}));
    printed([] { run(); });
    EXPECT_EQ(link_not_created, 0); // nothing was dropped

    pick();
    key(SDL_KEYDOWN, SDLK_F6);
    printed([] { run(); });
    EXPECT_EQ(BACK_VIEW_TOGGLE, 0);
    EXPECT_EQ(links_view.clicked_link, nullptr);
    EXPECT_EQ(links_view.Lpressed_flag, 0);
    EXPECT_EQ(link_not_created, 1);
}

TEST(LinksView, TheWorkAreaFollowsTheMiddleButtonAndScrollsLeftUnderAMovedPanel)
{
    VIEW_PATCH view(PATCH, true);
    auto window_motion = [](int x, int y) { motion({x + offsx, y + offsy}); };
    std::vector<int> offsets;
    for (int to : {400, 600}) { // 100 pixels left, then right, from the start
        offsx = 0;
        window_motion(500, 300);
        button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, {500 + offsx, 300});
        for (int i = 1; i <= 10; i++)
            window_motion(500 + (to - 500) * i / 10, 300);
        window_motion(to, 300); // the work area follows one motion behind
        EXPECT_EQ(run(), VIEW_SCROLLED);
        offsets.push_back(offsx);
        button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, {to + offsx, 300});
        run();
    }
    // A panel moved towards the left edge, within the band along it, scrolls
    // the view as far as the pointer moves.
    OBJET &panel = panel_of("VCA_1");
    offsx = 2000;
    offsy = 2400;
    panel.setxyz(2590, 2500, 0); // alone on the work area
    const POINT grip = {2600, 2510};
    motion(grip);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, grip);
    EXPECT_EQ(run(), VIEW_REDRAW);
    for (int x : {200, 50, 30, 30, 10}) {
        window_motion(x, 110);
        run();
        EXPECT_EQ(panel.x, x + offsx); // its top-left corner stays under the pointer
        offsets.push_back(offsx);
    }
    EXPECT_EQ(offsets, (std::vector<int>{100, 0, 2000, 1850, 1830, 1830, 1810}));
    EXPECT_EQ(objets_globaux[static_cast<size_t>(MOVING_OBJET)], &panel);
    EXPECT_EQ(link_not_created, 1);
}

} // namespace
