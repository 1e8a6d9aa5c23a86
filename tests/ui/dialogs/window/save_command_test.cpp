// The save command end to end in a real window, driven by real SDL events: a
// released click on the system dashboard's SAVE button opens the name entry
// over the darkened view; the entry takes every event; a failed save asks
// again; the patch lands in QSY/ under the name typed; saving over a file
// asks first; Escape closes the entry on its release and leaves nothing for
// the view's handler.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ui/views/view_test_helpers.h"
#include "ui/dialogs/save_command.h"
#include "engine/font_data.h"
#include "engine/video.h"
#include "ui/dialogs/modal_loop.h"
#include "ui/dialogs/name_entry.h"
#include "panels/panel_drawing.h"
#include "panels/system_dash.h"
#include "ui/views/view_state.h"

using namespace cable_test;
using namespace view_test;

namespace {

void push_keys(const std::string &text)
{
    for (char c : text) {
        const SDLKey sym = static_cast<SDLKey>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        key(SDL_KEYDOWN, sym, static_cast<Uint16>(c));
        key(SDL_KEYUP, sym);
    }
}

std::vector<int> queue()
{
    std::vector<int> types;
    for (SDL_Event e; SDL_PollEvent(&e);)
        types.push_back(e.type);
    return types;
}

std::vector<int> shown_pixel(const std::vector<uint32_t> &shown, int x, int y)
{
    const uint32_t c = shown[y * VIEW_WIDTH + x];
    return {int(c >> 16), int(c >> 8 & 0xff), int(c & 0xff)};
}

int passes = 0;
std::vector<std::vector<int>> seen; // a corner, the box's plate, the name's display

// Each pass of the entry's loop; the second entry's second pass looks at the
// window, then types the rest.
int each_pass(void *)
{
    if (++passes == 3) {
        const std::vector<uint32_t> shown = view_test::window_picture();
        seen = {shown_pixel(shown, 5, 5),
                shown_pixel(shown, VIEW_WIDTH / 2 + 200, VIEW_HEIGHT / 2 + 110),
                shown_pixel(shown, VIEW_WIDTH / 2 + 200, VIEW_HEIGHT / 2 - 78)};
        push_keys("\b\b\b\b\bMINE.QSY\r");
    }
    return 0;
}

TEST(SaveCommand, TheSaveButtonAsksForTheNameInTheWindowUntilTheSaveSucceeds)
{
    open_window();
    our_font_14.init("Fonts/04b_03b_.ttf", 12);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    LOADED_PATCH patch("QSY/MODULAR.QSY");
    SYSTEM_DASH dash({nullptr, SAVE_QSY, toggle_FILS_view});
    SPRITE *save = dash.get_SPRITE_by_name("BUTTON_SAVE");
    ASSERT_NE(save, nullptr);
    const std::string data = std::filesystem::current_path();
    TempDir dir;
    ASSERT_EQ(chdir(dir.path("").c_str()), 0); // the saves land in QSY/ there
    ASSERT_EQ(mkdir("QSY", 0755), 0);
    ASSERT_EQ(mkdir("QSY/TAKEN.QSY", 0755), 0); // no file can replace it
    modal_hooks.each_pass = each_pass;

    glClearColor(0, 1, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapBuffers(); // the view: plain green
    queue();
    for (Uint8 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
        // What the entry must take: a name no file can take, F4, a click, a
        // sequencer step.
        push_keys("TAKEN\r\r"); // the second Enter replaces, then the save fails
        key(SDL_KEYDOWN, SDLK_F4);
        SDL_Event click = {};
        click.type = type;
        SDL_PushEvent(&click);
        key(SDL_USEREVENT, SDLK_UNKNOWN);
        dash.ajoute_message(MESSAGE(1, &click, nullptr, save));
        dash.evolue();
        if (type == SDL_MOUSEBUTTONDOWN) {
            EXPECT_EQ(queue().size(), 17u); // a press opens nothing
        }
    }
    std::ostringstream written;
    written << std::ifstream("QSY/MINE.QSY").rdbuf();
    EXPECT_EQ(written.str(), patch_as_written());
    EXPECT_TRUE(std::filesystem::is_directory("QSY/TAKEN.QSY"));
    EXPECT_EQ(seen, (std::vector<std::vector<int>>{{0, 145, 0}, {57, 60, 66}, {10, 22, 16}}));
    // Left: the last key's release and the entry's request to redraw.
    EXPECT_EQ(queue(), (std::vector<int>{SDL_KEYUP, SDL_USEREVENT}));

    key(SDL_KEYDOWN, SDLK_ESCAPE, 27);
    key(SDL_KEYUP, SDLK_ESCAPE);
    EXPECT_EQ(SAVE_QSY(), 0);
    EXPECT_EQ(queue(), (std::vector<int>{SDL_USEREVENT}));
    modal_hooks = MODAL_HOOKS();
    ASSERT_EQ(chdir(data.c_str()), 0);
}

std::vector<std::string> looks; // the file after the first Enter, after Escape

// The second pass looks at the file and presses Escape; the third looks again
// and presses Enter twice.
int answer_the_question(void *)
{
    if (++passes == 2 || passes == 3) {
        looks.push_back(file_text("QSY/OLD.QSY"));
        if (passes == 2) {
            key(SDL_KEYDOWN, SDLK_ESCAPE, 27);
            key(SDL_KEYUP, SDLK_ESCAPE);
        } else {
            push_keys("\r\r");
        }
    }
    return 0;
}

TEST(SaveCommand, SavingOverAFileAsksFirstAndEscapeChoosesAnotherName)
{
    open_window();
    LOADED_PATCH patch("QSY/MODULAR.QSY");
    const std::string data = std::filesystem::current_path();
    TempDir dir;
    ASSERT_EQ(chdir(dir.path("").c_str()), 0);
    ASSERT_EQ(mkdir("QSY", 0755), 0);
    dir.write("QSY/OLD.QSY", "#old\n");
    passes = 0;
    modal_hooks.each_pass = answer_the_question;
    queue();
    push_keys("OLD\r");

    EXPECT_EQ(SAVE_QSY(), 1);

    EXPECT_EQ(looks, (std::vector<std::string>{"#old\n", "#old\n"}));
    EXPECT_EQ(file_text("QSY/OLD.QSY"), patch_as_written());
    // Both Enters were needed: only the last key's release and the redraw are left.
    EXPECT_EQ(queue(), (std::vector<int>{SDL_KEYUP, SDL_USEREVENT}));
    modal_hooks = MODAL_HOOKS();
    ASSERT_EQ(chdir(data.c_str()), 0);
}

} // namespace
