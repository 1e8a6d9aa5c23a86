// The name entry in a real window, driven by real SDL events: it takes every
// event while open, keeps calling the main loop's hook, and shows its box over
// the darkened view.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/font_data.h"
#include "engine/video.h"
#include "panels/name_entry.h"
#include "panels/panel_drawing.h"

namespace {

void push(Uint8 type, SDLKey sym, char c = 0)
{
    SDL_Event e = {};
    e.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.unicode = static_cast<Uint16>(c);
    SDL_PushEvent(&e);
}

void push_text(const std::string &text)
{
    for (char c : text) {
        push(SDL_KEYDOWN, static_cast<SDLKey>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c), c);
        push(SDL_KEYUP, static_cast<SDLKey>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
    }
}

std::vector<int> left_in_queue()
{
    std::vector<int> types;
    for (SDL_Event e; SDL_PollEvent(&e);)
        types.push_back(e.type);
    return types;
}

std::vector<int> front_pixel(int x, int y)
{
    unsigned char p[3];
    glReadBuffer(GL_FRONT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, VIEW_HEIGHT - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    glReadBuffer(GL_BACK);
    return {p[0], p[1], p[2]};
}

int passes = 0;
std::vector<int> seen_corner, seen_plate, seen_field;

class NameEntryWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        initGL(VIEW_WIDTH, VIEW_HEIGHT, "entry", "grfx/opengl.qim");
        our_font_7.init("Fonts/04b_03b_.ttf", 6);
        our_font_14.init("Fonts/04b_03b_.ttf", 12);
    }

    void SetUp() override
    {
        left_in_queue();
        passes = 0;
        name_entry_hooks = NAME_ENTRY_HOOKS();
        name_entry_hooks.each_pass = [](void *) {
            passes++;
            return 0;
        };
    }

    void TearDown() override { name_entry_hooks = NAME_ENTRY_HOOKS(); }
};

TEST_F(NameEntryWindow, TakesEveryEventAndKeepsCallingTheHook)
{
    push_text("abc\bD.QSY");
    push(SDL_KEYDOWN, SDLK_F4);
    push(SDL_KEYUP, SDLK_F4);
    SDL_Event click = {};
    click.type = SDL_MOUSEBUTTONDOWN;
    SDL_PushEvent(&click);
    push(SDL_USEREVENT, SDLK_UNKNOWN); // a sequencer step
    push(SDL_KEYDOWN, SDLK_RETURN, '\r');
    push(SDL_KEYUP, SDLK_RETURN);
    NAME_ENTRY entry("Save - Entrez le nom du fichier :", "QSY/");
    EXPECT_TRUE(run_name_entry(entry));
    EXPECT_STREQ(entry.name, "abD.QSY");
    EXPECT_GE(passes, 1);
    // Left: the release of Enter, which came after the entry closed, and the
    // entry's own request to redraw the view.
    EXPECT_EQ(left_in_queue(), (std::vector<int>{SDL_KEYUP, SDL_USEREVENT}));
}

TEST_F(NameEntryWindow, EscapeCancelsTheEntryOnlyAndItsReleaseIsTaken)
{
    push_text("X");
    push(SDL_KEYDOWN, SDLK_ESCAPE, 27);
    push(SDL_KEYUP, SDLK_ESCAPE);
    NAME_ENTRY entry("prompt", "QSY/");
    EXPECT_FALSE(run_name_entry(entry));
    EXPECT_EQ(left_in_queue(), (std::vector<int>{SDL_USEREVENT}));
}

// Without a painter, the view behind is the window's last picture, darkened.
// The hook looks at the window once the entry has drawn it, then closes it.
TEST_F(NameEntryWindow, ShowsTheBoxOverTheDarkenedView)
{
    glClearColor(0, 1, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapBuffers(); // the view: plain green
    glClearColor(0, 0, 0, 0);
    name_entry_hooks.each_pass = [](void *) {
        if (++passes == 2) {
            seen_corner = front_pixel(5, 5);
            seen_plate = front_pixel(VIEW_WIDTH / 2 + 200, VIEW_HEIGHT / 2 + 110);
            seen_field = front_pixel(VIEW_WIDTH / 2 + 200, VIEW_HEIGHT / 2 - 78);
            push(SDL_KEYDOWN, SDLK_ESCAPE, 27);
            push(SDL_KEYUP, SDLK_ESCAPE);
        }
        return 0;
    };
    NAME_ENTRY entry("prompt", "QSY/");
    EXPECT_FALSE(run_name_entry(entry));
    EXPECT_EQ(seen_corner, (std::vector<int>{0, 145, 0})); // 255 * (1 - 110 / 255)
    EXPECT_EQ(seen_plate, (std::vector<int>{57, 60, 66}));
    EXPECT_EQ(seen_field, (std::vector<int>{10, 22, 16})); // the name's display
}

} // namespace
