// The save command end to end in a real window, driven by real events: a
// click on the system dashboard's SAVE button opens the name entry, a failed
// save asks again, and the patch lands in QSY/ under the name typed.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cables/cable_test_helpers.h"
#include "cables/save_command.h"
#include "engine/font_data.h"
#include "engine/video.h"
#include "panels/panel_drawing.h"
#include "panels/system_dash.h"

using namespace cable_test;

namespace {

void push_keys(const std::string &text)
{
    for (char c : text) {
        for (Uint8 type : {SDL_KEYDOWN, SDL_KEYUP}) {
            SDL_Event e = {};
            e.type = type;
            e.key.keysym.sym = static_cast<SDLKey>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            e.key.keysym.unicode = type == SDL_KEYDOWN ? static_cast<Uint16>(c) : 0;
            SDL_PushEvent(&e);
        }
    }
}

int queued_events()
{
    SDL_Event events[64];
    return SDL_PeepEvents(events, 64, SDL_PEEKEVENT, SDL_ALLEVENTS);
}

TEST(SaveCommand, ReleasedSaveClickAsksForTheNameUntilTheSaveSucceeds)
{
    initGL(VIEW_WIDTH, VIEW_HEIGHT, "save", "grfx/opengl.qim");
    our_font_7.init("Fonts/04b_03b_.ttf", 6);
    our_font_14.init("Fonts/04b_03b_.ttf", 12);
    LOADED_PATCH patch("QSY/MODULAR.QSY");
    SYSTEM_DASH dash({load_dialog_stand_in, SAVE_QSY, toggle_FILS_view});
    SPRITE *save = dash.get_SPRITE_by_name("BUTTON_SAVE");
    ASSERT_NE(save, nullptr);
    // The saves land in QSY/ of a temporary directory.
    const std::string data = std::filesystem::current_path();
    TempDir dir;
    ASSERT_EQ(chdir(dir.path("").c_str()), 0);
    ASSERT_EQ(mkdir("QSY", 0755), 0);
    ASSERT_EQ(mkdir("QSY/TAKEN", 0755), 0); // no file can replace it
    for (SDL_Event e; SDL_PollEvent(&e);) {
    }
    push_keys("TAKEN\r\b\b\b\b\bMINE.QSY\r");
    const int typed = queued_events();

    SDL_Event click = {};
    click.type = SDL_MOUSEBUTTONDOWN;
    dash.ajoute_message(MESSAGE(1, &click, nullptr, save));
    dash.evolue();
    EXPECT_EQ(queued_events(), typed); // a press opens nothing

    click.type = SDL_MOUSEBUTTONUP;
    dash.ajoute_message(MESSAGE(1, &click, nullptr, save));
    dash.evolue();
    std::ostringstream written;
    written << std::ifstream("QSY/MINE.QSY").rdbuf();
    EXPECT_EQ(written.str(), patch_as_written());
    EXPECT_TRUE(std::filesystem::is_directory("QSY/TAKEN"));
    // Left: the release of the last Enter and the entries' requests to redraw.
    for (SDL_Event e; SDL_PollEvent(&e);)
        EXPECT_TRUE(e.type == SDL_KEYUP || e.type == SDL_USEREVENT) << int(e.type);
    ASSERT_EQ(chdir(data.c_str()), 0);
}

} // namespace
