// The front view driven by real events in a real window, over the dashboards
// and the panels of a real patch: knobs turned by dragging, the pointer's way
// over the sprites, scrolling, panels moved to the window's edges, the letter
// keys playing the keyboard modules (and let go when a dialog opens) and the
// keys both views share.
#include <gtest/gtest.h>

#include <functional>

#include "cables/cable_list.h"
#include "ui/dialogs/save_command.h"
#include "ui/views/view_test_helpers.h"
#include "engine/video.h"
#include "panels/info_dash.h"
#include "panels/note_keys.h"
#include "panels/panel_drawing.h"
#include "panels/panel_lists.h"
#include "panels/seq_gui.h"
#include "panels/system_dash.h"
#include "ui/views/view_state.h"
#include "remote/remote_orders.h"
#include "synth/step_queue.h"
#include "ui/views/step_events.h"
#include "ui/views/front_view.h"
#include "ui/dialogs/load_dialog.h"

using namespace view_test;

namespace {

const std::string PATCH = cable_test::patch_text(
    "KEY_1;;\nKEY_3;;\nVCO_1;TYPE=1;FREQ=440.000000;AMOUNT=0.50;PHASE=0;\nMIXER_4;;\n",
    "MIXER_4;ADD_CHANELL=VCO_1;\n");

// The patch in the front view with two of the dashboards placed as the program
// places them, first in the list as the main loop gives it.
struct FRONT {
    VIEW_PATCH view{PATCH, false};
    INFO_DASH info;
    SYSTEM_DASH system{{open_load_dialog, SAVE_QSY, toggle_FILS_view}};
    std::vector<OBJET *> list;
    OBJET &vco = panel_of("VCO_1");

    FRONT()
    {
        info.setxyz(50, 450, 0);
        system.setxyz(75, 575, 0);
        information_dash = &info;
        list = {&info, &system};
        list.insert(list.end(), objets_globaux.begin(), objets_globaux.end());
    }
    ~FRONT() { information_dash = nullptr; }

    int run() { return SDL_PollEVENT(list, 0, nullptr); }
    // The texts of the panel's messages aimed at the target, oldest first.
    static std::vector<std::string> said(const OBJET &panel, const SPRITE *target)
    {
        std::vector<std::string> out;
        for (auto m = panel.messages.rbegin(); m != panel.messages.rend(); ++m)
            if (m->target == target)
                out.push_back(m->kind ? "<" + std::to_string(m->event.type) + ">" : m->text);
        return out;
    }
};

TEST(FrontView, DraggingAKnobTurnsItOneStepPerPixelWithThePointerHeldInPlace)
{
    FRONT f;
    SPRITE *knob = f.vco.get_SPRITE_by_name("SLD_FREQUENCE");
    const POINT press = centre(f.vco, "SLD_FREQUENCE");
    const float before = gen->get_VCO_by_name("VCO_1")->frequency;
    SDL_WarpMouse(5, 5);
    drain();
    motion(press);
    motion(press);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, press);
    motion({press.x + 3, press.y - 10}); // each motion counts from the press point
    motion({press.x, press.y + 4});
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, press);
    EXPECT_EQ(f.run(), VIEW_REDRAW);
    // Up turns the knob up ("SLD_DOWN", which raises), down turns it down.
    std::vector<std::string> expected = {"TOUCH_IN", "<5>"};
    expected.insert(expected.end(), 10, "SLD_DOWN");
    expected.insert(expected.end(), 4, "SLD_UP");
    expected.push_back("<6>");
    EXPECT_EQ(FRONT::said(f.vco, knob), expected);
    EXPECT_EQ(f.info.cible, &f.vco);
    EXPECT_EQ(pointer().x, press.x);
    EXPECT_EQ(pointer().y, press.y);
    f.vco.evolue(); // the panel's next frame turns the oscillator: up by 6 steps
    EXPECT_GT(gen->get_VCO_by_name("VCO_1")->frequency, before);
}

TEST(FrontView, PressesGoToTheDashboardsFirstAndAReleaseOverNothingToTheFirstPanel)
{
    FRONT f;
    const POINT knob = centre(f.vco, "SLD_FREQUENCE");
    const POINT pad = centre(f.system, "BUTTON_LOAD");
    f.system.setxyz(f.system.x + static_cast<float>(knob.x - pad.x),
                    f.system.y + static_cast<float>(knob.y - pad.y), 0);
    motion(knob);
    motion(knob);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, knob);
    // Sideways out of every panel, then released: the first panel hears it.
    for (int i = 0; i < 2; i++)
        motion({3000, knob.y});
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, {3000, knob.y});
    f.run();
    SPRITE *load = f.system.get_SPRITE_by_name("BUTTON_LOAD");
    EXPECT_EQ(FRONT::said(f.system, load), (std::vector<std::string>{"TOUCH_IN", "<5>"}));
    EXPECT_EQ(FRONT::said(f.info, load), (std::vector<std::string>{"<6>"}));
    EXPECT_TRUE(f.vco.messages.empty());
}

TEST(FrontView, ScrollingStopsAtTheWorkAreaEdgesAndAMovedPanelScrollsNearTheWindowEdges)
{
    FRONT f;
    auto drag = [&](POINT from, POINT to) { // window points
        const POINT o = {offsx, offsy};
        motion({from.x + o.x, from.y + o.y});
        button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, {from.x + o.x, from.y + o.y});
        motion({to.x + o.x, to.y + o.y});
        motion({to.x + o.x, to.y + o.y}); // the work area follows one motion behind
        button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, {to.x + o.x, to.y + o.y});
        EXPECT_EQ(f.run(), VIEW_REDRAW | VIEW_SCROLLED);
        return std::make_pair(offsx, offsy);
    };
    std::vector<std::pair<int, int>> offsets;
    for (int i = 0; i < 8; i++)
        offsets.push_back(i < 4 ? drag({1000, 700}, {0, 0}) : drag({0, 0}, {1000, 700}));
    EXPECT_EQ(offsets, (std::vector<std::pair<int, int>>{{1000, 700},
                                                         {2000, 1400},
                                                         {2176, 2100},
                                                         {2176, 2432},
                                                         {1176, 1732},
                                                         {176, 1032},
                                                         {0, 332},
                                                         {0, 0}}));
    // The middle release swaps the panel under the pointer to its compact view.
    motion(centre(f.vco, "IMAGE_FOND"));
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, centre(f.vco, "IMAGE_FOND"));
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, centre(f.vco, "IMAGE_FOND"));
    f.run();
    EXPECT_EQ(f.vco.view_mode, static_cast<unsigned>(OBJET::VIEW_COMPACT));

    // A panel moved into the band along an edge scrolls the view as far as
    // the pointer moved towards that edge (from 110, 110), within the work
    // area; its corner stays under the pointer.
    struct CASE {
        POINT pointer;  // in the window, while a panel is moved
        POINT from, to; // the scroll offsets
    } cases[] = {
        {{1000, 300}, {0, 0}, {890, 0}},      {{3, 300}, {70, 100}, {0, 100}},
        {{500, 740}, {0, 0}, {0, 630}},       {{500, 3}, {200, 200}, {200, 93}},
        {{1000, 300}, {2170, 0}, {2176, 0}},  {{500, 740}, {0, 2430}, {0, 2432}},
        {{500, 300}, {100, 100}, {100, 100}}, {{900, 650}, {0, 0}, {0, 0}},
    };
    for (const CASE &c : cases) {
        offsx = c.from.x;
        offsy = c.from.y;
        f.vco.setxyz(static_cast<float>(offsx + 100), static_cast<float>(offsy + 100), 0);
        motion({offsx + 110, offsy + 110});
        button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, {offsx + 110, offsy + 110});
        const POINT grip = {c.pointer.x + offsx, c.pointer.y + offsy};
        motion(grip);
        const bool scrolls = c.from.x != c.to.x || c.from.y != c.to.y;
        EXPECT_EQ(f.run(), VIEW_REDRAW | (scrolls ? VIEW_SCROLLED : 0));
        EXPECT_EQ(std::make_pair(offsx, offsy), std::make_pair(c.to.x, c.to.y))
            << c.pointer.x << "," << c.pointer.y;
        EXPECT_EQ(f.vco.x, c.pointer.x + offsx); // its corner stays under the pointer
        EXPECT_EQ(f.vco.y, c.pointer.y + offsy);
        button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, grip);
        f.run();
    }
    EXPECT_EQ(link_not_created, 1);
}

int load_flag_seen = -1;

TEST(FrontView, TheKeys)
{
    release_held_note_keys(); // the keys earlier tests left held
    FRONT f;
    KEYBOARD &key1 = *gen->get_KEYBOARD_by_name("KEY_1");
    KEYBOARD &key3 = *gen->get_KEYBOARD_by_name("KEY_3");
    load_dialog = [] { load_flag_seen = LOAD_FLAG; };
    remote_state = RemoteState();
    remote_state.toggle_BUTTON_1 = 1;
    quit = 1;
    motion(centre(f.vco, "IMAGE_FOND"));
    motion(centre(f.vco, "IMAGE_FOND"));
    f.run();
    auto n = [](const auto &v) { return std::to_string(static_cast<int>(v)); };
    const Uint8 D = SDL_KEYDOWN, U = SDL_KEYUP;
    struct CASE {
        Uint8 type;
        SDLKey key;
        std::function<std::string()> seen;
        std::string expected;
    } cases[] = {
        {D, SDLK_q, [&] { return n(key1.state) + n(key3.note) + n(key3.state); }, "011"},
        {U, SDLK_q, [&] { return n(key1.state) + n(key3.state); }, "00"},
        {D, SDLK_a, [&] { return n(key1.state) + n(key3.state); }, "00"}, // no KEY_2
        {D, SDLK_v, [&] { return n(key1.note) + n(key1.state) + n(key3.state); }, "410"},
        {D, SDLK_TAB, [&] { return n(remote_state.nr_vco_selected); }, "0"}, // one oscillator
        {D, SDLK_F1, [&] { return n(DISPLAY_OSCILLO); }, "1"},
        {D, SDLK_KP_PLUS, [&] { return n(ZOOM_FACTOR); }, n(2.0f)},
        {D, SDLK_1,
         [&] {
             const MESSAGE &m = f.vco.messages.front();
             return n(m.kind) + n(m.event.type) + n(m.event.button.button) + n(m.target == nullptr);
         },
         "1611"},
        {D, SDLK_5, [&] { return n(f.vco.view_mode); }, "2"},
        {D, SDLK_F3, [&] { return n(load_flag_seen) + n(LOAD_FLAG); }, "10"},
        {U, SDLK_F1, [&] { return n(remote_state.toggle_BUTTON_1); }, "0"},
        {D, SDLK_ESCAPE, [&] { return n(quit); }, "1"},
        {U, SDLK_ESCAPE, [&] { return n(quit); }, "0"},
        {D, SDLK_F6, [&] { return n(BACK_VIEW_TOGGLE) + n(f.vco.view_mode); }, "14"},
    };
    for (const CASE &c : cases) {
        key(c.type, c.key);
        EXPECT_EQ(f.run(), VIEW_REDRAW);
        EXPECT_EQ(c.seen(), c.expected) << (c.type == D ? "press " : "release ") << c.key;
    }
    // Closing the window does nothing; a sequencer's step asks for a redraw.
    SDL_Event other = {};
    other.type = SDL_QUIT;
    SDL_PushEvent(&other);
    EXPECT_EQ(f.run(), 0);
    other.type = SDL_USEREVENT;
    SDL_PushEvent(&other);
    EXPECT_EQ(f.run(), VIEW_REDRAW);
    load_dialog = nullptr;
    quit = 1;
}

TEST(FrontView, ADialogOpenedWhileALetterKeyIsHeldClosesItsGate)
{
    // The name entry (F4) and the load dialog (F3) take every event, the held
    // key's release too: its note must not hang until the key comes again. A
    // gate that no letter key opened (a MIDI note) stays open.
    release_held_note_keys(); // the keys earlier tests left held
    FRONT f;
    KEYBOARD &key1 = *gen->get_KEYBOARD_by_name("KEY_1");
    KEYBOARD &key3 = *gen->get_KEYBOARD_by_name("KEY_3");
    load_dialog = [] {
        LOAD_DIALOG dialog(list_patches("QSY"));
        run_load_dialog(dialog, [](const std::string &, std::string &) { return false; });
    };
    for (SDLKey opener : {SDLK_F4, SDLK_F3}) {
        key(SDL_KEYDOWN, SDLK_q);
        f.run();
        ASSERT_EQ(key3.state, 1);
        key1.Touch_note(4, 1);
        key(SDL_KEYDOWN, opener);
        key(SDL_KEYUP, SDLK_q); // taken by the dialog
        key(SDL_KEYDOWN, SDLK_ESCAPE);
        key(SDL_KEYUP, SDLK_ESCAPE);
        f.run();
        EXPECT_EQ(key3.state, 0) << opener;
        EXPECT_EQ(key1.state, 1) << opener;
        key1.UNTRIG();
        drain();
    }
    load_dialog = nullptr;
}

TEST(FrontView, ASequencersStepReachesItsPanelWhichShowsThePlayingPatternAtTheLoopStart)
{
    VIEW_PATCH view(cable_test::patch_text("SEQUENCER_1;DIVIDER=2;NBR_STEP=8;\nMIXER_4;;\n", ""),
                    false);
    SEQUENCER &seq = *gen->sequencers[0];
    SEQ_GUI &panel = *sequenceurs_gui[0];
    drain();
    panel.messages.clear();
    seq.note[1][0] = 5;
    seq.pattern = 1; // taken at the end of the loop, as the pattern buttons ask
    seq.current_step = 0;
    for (int i = 0; i < 3; i++)
        queue_step_event(&seq);
    SDL_Event redraw = {}; // a user event that is no step
    redraw.type = SDL_USEREVENT;
    SDL_PushEvent(&redraw);
    EXPECT_EQ(SDL_PollEVENT(objets_globaux, 0, nullptr), VIEW_REDRAW);
    EXPECT_EQ(panel.messages.size(), 1u); // one step waits, however many came
    panel.evolue();
    // Note 5 of pattern 1 (the digit images count from 1).
    EXPECT_STREQ(panel.get_SPRITE_by_name("SPRITE_NOTE_1")->sprite_NAME, "LED_NUMERIC_1_6");
}

} // namespace
