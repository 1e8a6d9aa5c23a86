// The front view driven by real events in a real window, over the dashboards
// and the panels of a real patch: knobs turned by dragging, the pointer's way
// over the sprites, scrolling, panels moved to the window's edges, the letter
// keys playing the keyboard modules; and what both views share: F4 saves,
// remote clients are taken one per call.
#include <SDL/SDL_net.h>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "cables/cable_list.h"
#include "cables/links_view.h"
#include "cables/save_command.h"
#include "cables/view_test_helpers.h"
#include "engine/font_data.h"
#include "engine/video.h"
#include "panels/info_dash.h"
#include "panels/module_dash.h"
#include "panels/panel_drawing.h"
#include "panels/panel_lists.h"
#include "panels/system_dash.h"
#include "panels/view_state.h"
#include "remote/remote_server.h"
#include "ui/front_view.h"

using namespace view_test;

namespace {

const std::string PATCH = cable_test::patch_text(
    "KEY_1;;\nKEY_3;;\nVCO_1;TYPE=1;FREQ=440.000000;AMOUNT=0.50;PHASE=0;\nMIXER_4;;\n",
    "MIXER_4;ADD_CHANELL=VCO_1;\n");

// The patch in the front view with the three dashboards placed as the program
// places them, in the list the main loop gives the handler.
struct FRONT {
    VIEW_PATCH view{PATCH, false};
    INFO_DASH info;
    SYSTEM_DASH system{{load_dialog_stand_in, SAVE_QSY, toggle_FILS_view}};
    MODULE_DASH module;
    std::vector<OBJET *> list;
    OBJET &vco = panel_of("VCO_1");

    FRONT()
    {
        info.setxyz(50, 450, 0);
        module.setxyz(475, 475, 0);
        system.setxyz(75, 575, 0);
        information_dash = &info;
        list = {&info, &system, &module};
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
    struct CASE {
        int dy;
        const char *word;
    } cases[] = {{-10, "SLD_UP"}, {10, "SLD_DOWN"}};
    for (const CASE &c : cases) {
        FRONT f;
        SPRITE *knob = f.vco.get_SPRITE_by_name("SLD_FREQUENCE");
        const POINT press = centre(f.vco, "SLD_FREQUENCE");
        const float before = gen->get_VCO_by_name("VCO_1")->frequency;
        SDL_WarpMouse(5, 5);
        drain();
        motion(press);
        motion(press);
        button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, press);
        motion({press.x + 3, press.y + c.dy});
        button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, press);
        EXPECT_EQ(f.run(), VIEW_REDRAW);
        std::vector<std::string> expected = {"TOUCH_IN", "<5>"};
        expected.insert(expected.end(), 10, c.word);
        expected.push_back("<6>");
        EXPECT_EQ(FRONT::said(f.vco, knob), expected);
        EXPECT_EQ(f.info.cible, &f.vco);
        EXPECT_EQ(pointer().x, press.x);
        EXPECT_EQ(pointer().y, press.y);
        f.vco.evolue(); // the panel's next frame turns the oscillator
        EXPECT_NE(gen->get_VCO_by_name("VCO_1")->frequency, before);
    }
}

TEST(FrontView, PressesGoToTheDashboardsFirstAndAReleaseOverNothingToTheFirstPanel)
{
    FRONT f;
    const POINT knob = centre(f.vco, "SLD_FREQUENCE");
    const POINT pad = centre(f.system, "BUTTON_LOAD");
    f.system.setxyz(f.system.x + static_cast<float>(knob.x - pad.x),
                    f.system.y + static_cast<float>(knob.y - pad.y), 0);
    motion(knob);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, knob);
    f.run();
    EXPECT_EQ(FRONT::said(f.system, f.system.get_SPRITE_by_name("BUTTON_LOAD")),
              (std::vector<std::string>{"TOUCH_IN", "<5>"}));
    EXPECT_EQ(nr_ins_cible, 1);
    EXPECT_TRUE(f.vco.messages.empty());

    // Sideways out of every panel, then released: the first panel hears it.
    motion({3000, knob.y});
    motion({3000, knob.y});
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, {3000, knob.y});
    f.run();
    EXPECT_EQ(FRONT::said(f.info, f.system.get_SPRITE_by_name("BUTTON_LOAD")),
              (std::vector<std::string>{"<6>"}));
}

TEST(FrontView, TheMiddleButtonScrollsWithinTheWorkAreaAndSwapsThePanelUnderIt)
{
    FRONT f;
    auto drag = [&](POINT from, POINT to) {
        SDL_Event e = {};
        e.type = SDL_MOUSEBUTTONDOWN;
        e.button = {SDL_MOUSEBUTTONDOWN, 0, SDL_BUTTON_MIDDLE, 0, static_cast<Uint16>(from.x),
                    static_cast<Uint16>(from.y)};
        SDL_PushEvent(&e);
        for (int i = 0; i < 2; i++) {
            e.type = SDL_MOUSEMOTION;
            e.motion.x = static_cast<Uint16>(to.x);
            e.motion.y = static_cast<Uint16>(to.y);
            SDL_PushEvent(&e);
        }
        e.type = SDL_MOUSEBUTTONUP;
        e.button.x = static_cast<Uint16>(to.x);
        e.button.y = static_cast<Uint16>(to.y);
        SDL_PushEvent(&e);
        return f.run();
    };
    std::vector<std::pair<int, int>> offsets;
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(drag({1000, 700}, {0, 0}), VIEW_REDRAW | VIEW_SCROLLED);
        offsets.emplace_back(offsx, offsy);
    }
    for (int i = 0; i < 4; i++)
        drag({0, 0}, {1000, 700});
    offsets.emplace_back(offsx, offsy);
    EXPECT_EQ(offsets, (std::vector<std::pair<int, int>>{
                           {1000, 700}, {2000, 1400}, {2176, 2100}, {2176, 2432}, {0, 0}}));

    const POINT on = centre(f.vco, "IMAGE_FOND");
    motion(on);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, on);
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, on);
    f.run();
    EXPECT_EQ(f.vco.view_mode, static_cast<unsigned>(OBJET::VIEW_COMPACT));
}

TEST(FrontView, APanelMovedNearAnyEdgeScrollsTheView35PixelsPerMotion)
{
    struct CASE {
        POINT pointer; // in the window
        POINT from, to; // the scroll offsets
    } cases[] = {
        {{800, 300}, {0, 0}, {35, 0}},       {{3, 300}, {70, 100}, {35, 100}},
        {{500, 600}, {0, 0}, {0, 35}},       {{500, 3}, {0, 20}, {0, 0}},
        {{800, 300}, {2170, 0}, {2176, 0}},  {{500, 600}, {0, 2430}, {0, 2432}},
        {{500, 300}, {100, 100}, {100, 100}},
    };
    for (const CASE &c : cases) {
        FRONT f;
        offsx = c.from.x;
        offsy = c.from.y;
        f.vco.setxyz(static_cast<float>(offsx + 100), static_cast<float>(offsy + 100), 0);
        motion({offsx + 110, offsy + 110});
        button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, {offsx + 110, offsy + 110});
        EXPECT_EQ(f.run(), VIEW_REDRAW);
        const POINT grip = {c.pointer.x + offsx, c.pointer.y + offsy};
        motion(grip);
        const bool scrolls = c.from.x != c.to.x || c.from.y != c.to.y;
        EXPECT_EQ(f.run(), VIEW_REDRAW | (scrolls ? VIEW_SCROLLED : 0)) << c.pointer.x;
        EXPECT_EQ(offsx, c.to.x) << c.pointer.x << "," << c.pointer.y;
        EXPECT_EQ(offsy, c.to.y) << c.pointer.x << "," << c.pointer.y;
        EXPECT_EQ(f.vco.x, grip.x); // its corner follows the pointer
        EXPECT_EQ(link_not_created, 1);
    }
}

TEST(FrontView, LetterRowsPlayTheirKeyboardsAndEscapeQuitsOnRelease)
{
    FRONT f;
    KEYBOARD &key1 = *gen->get_KEYBOARD_by_name("KEY_1");
    KEYBOARD &key3 = *gen->get_KEYBOARD_by_name("KEY_3");
    auto n = [](int v) { return std::to_string(v); };
    auto gates = [&] { return n(key1.note) + n(key1.state) + n(key3.note) + n(key3.state); };
    const std::string idle = gates();
    struct CASE {
        Uint8 type;
        SDLKey key;
        std::string gates; // note and gate of KEY_1, then of KEY_3
        int quit;
    } cases[] = {
        {SDL_KEYDOWN, SDLK_q, idle.substr(0, 2) + "11", 1},
        {SDL_KEYUP, SDLK_q, idle.substr(0, 2) + "10", 1},
        {SDL_KEYDOWN, SDLK_a, idle.substr(0, 2) + "10", 1}, // no "KEY_2"
        {SDL_KEYDOWN, SDLK_v, "4110", 1},
        {SDL_KEYUP, SDLK_v, "4010", 1},
        {SDL_KEYDOWN, SDLK_ESCAPE, "4010", 1},
        {SDL_KEYUP, SDLK_ESCAPE, "4010", 0},
    };
    quit = 1;
    for (const CASE &c : cases) {
        key(c.type, c.key);
        EXPECT_EQ(f.run(), VIEW_REDRAW);
        EXPECT_EQ(gates(), c.gates) << c.key;
        EXPECT_EQ(quit, c.quit) << c.key;
    }
    quit = 1;
    SDL_Event close = {};
    close.type = SDL_QUIT;
    SDL_PushEvent(&close);
    EXPECT_EQ(f.run(), 0);
    EXPECT_EQ(quit, 1);
    close.type = SDL_USEREVENT; // a sequencer's step
    SDL_PushEvent(&close);
    EXPECT_EQ(f.run(), VIEW_REDRAW);
}

TEST(BothViews, F4AsksForANameAndSavesThePatchWhereEachViewSaysSo)
{
    our_font_7.init("Fonts/04b_03b_.ttf", 6);
    our_font_14.init("Fonts/04b_03b_.ttf", 12);
    struct CASE {
        bool back;
        const char *file; // where the name typed lands
    } cases[] = {{false, "QSY/MINE.QSY"}, {true, "MINE.QSY"}};
    for (const CASE &c : cases) {
        FRONT f;
        if (c.back)
            toggle_FILS_view();
        const std::string data = std::filesystem::current_path();
        TempDir dir;
        ASSERT_EQ(chdir(dir.path("").c_str()), 0);
        ASSERT_EQ(mkdir("QSY", 0755), 0);
        key(SDL_KEYDOWN, SDLK_F4);
        for (char ch : std::string("MINE.QSY\r")) {
            SDL_Event e = {};
            e.type = SDL_KEYDOWN;
            e.key.keysym.sym = static_cast<SDLKey>(std::tolower(ch));
            e.key.keysym.unicode = static_cast<Uint16>(ch);
            SDL_PushEvent(&e);
        }
        if (c.back)
            SDL_PollEVENT_Links(objets_globaux, 0, nullptr);
        else
            f.run();
        std::ostringstream written;
        written << std::ifstream(c.file).rdbuf();
        EXPECT_EQ(written.str(), cable_test::patch_as_written()) << c.file;
        ASSERT_EQ(chdir(data.c_str()), 0);
    }
}

TEST(BothViews, EachCallTakesAtMostOneWaitingRemoteClient)
{
    FRONT f;
    ASSERT_EQ(SDLNet_Init(), 0);
    std::mt19937 random(std::random_device{}());
    int port = 0;
    for (int attempt = 0; attempt < 50 && !tcpsock; ++attempt) {
        port = 20000 + static_cast<int>(random() % 30000);
        SDLNet_ResolveHost(&ip, nullptr, static_cast<Uint16>(port));
        tcpsock = SDLNet_TCP_Open(&ip);
    }
    ASSERT_NE(tcpsock, nullptr);
    std::vector<int> clients;
    for (int i = 0; i < 3; i++) {
        sockaddr_in addr = {};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(static_cast<uint16_t>(port));
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        clients.push_back(socket(AF_INET, SOCK_STREAM, 0));
        ASSERT_EQ(connect(clients.back(), reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
    }
    std::vector<int> taken;
    SDL_PollEVENT(f.list, 0, nullptr);
    taken.push_back(remote_client_count());
    SDL_PollEVENT(f.list, 1, nullptr);
    taken.push_back(remote_client_count());
    SDL_PollEVENT_Links(objets_globaux, 1, nullptr);
    taken.push_back(remote_client_count());
    EXPECT_EQ(taken, (std::vector<int>{0, 1, 2}));
    for (int fd : clients)
        close(fd);
    shutdown_remote_server();
    SDLNet_Quit();
}

} // namespace
