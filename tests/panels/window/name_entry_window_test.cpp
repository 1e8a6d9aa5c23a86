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

void push_key(SDLKey sym, char c, bool down = true)
{
    SDL_Event e = {};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    e.key.keysym.unicode = down ? static_cast<Uint16>(c) : 0;
    SDL_PushEvent(&e);
}

void push_text(const std::string &text)
{
    for (char c : text) {
        const SDLKey sym = static_cast<SDLKey>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        push_key(sym, c);
        push_key(sym, c, false);
    }
}

// The events left in the queue, by type.
std::vector<int> left_in_queue()
{
    std::vector<int> types;
    SDL_Event e;
    while (SDL_PollEvent(&e))
        types.push_back(e.type);
    return types;
}

struct RGB {
    int r, g, b;
    bool operator==(const RGB &o) const { return r == o.r && g == o.g && b == o.b; }
};

std::ostream &operator<<(std::ostream &out, const RGB &c)
{
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

RGB front_pixel(int x, int y)
{
    unsigned char p[3];
    glReadBuffer(GL_FRONT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, VIEW_HEIGHT - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    glReadBuffer(GL_BACK);
    return {p[0], p[1], p[2]};
}

int passes = 0;
RGB seen_centre, seen_corner, seen_field;

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
    }

    void TearDown() override { name_entry_hooks = NAME_ENTRY_HOOKS(); }
};

TEST_F(NameEntryWindow, TakesEveryEventAndKeepsCallingTheHook)
{
    name_entry_hooks.each_pass = [](void *) {
        passes++;
        return 0;
    };
    push_text("abc");
    push_key(SDLK_BACKSPACE, 8);
    push_text("D.QSY");
    push_key(SDLK_F4, 0);
    push_key(SDLK_F4, 0, false);
    push_key(SDLK_F1, 0);
    SDL_Event click = {};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_LEFT;
    SDL_PushEvent(&click);
    SDL_Event step = {};
    step.type = SDL_USEREVENT;
    SDL_PushEvent(&step);
    push_key(SDLK_RETURN, '\r');
    push_key(SDLK_RETURN, '\r', false);

    NAME_ENTRY entry("Save - Entrez le nom du fichier :", "QSY/");
    EXPECT_TRUE(run_name_entry(entry));
    EXPECT_STREQ(entry.name, "abD.QSY");
    EXPECT_GE(passes, 1);
    // Only the release of Enter, which came after the entry closed, and the
    // entry's own request to redraw the view remain.
    EXPECT_EQ(left_in_queue(), (std::vector<int>{SDL_KEYUP, SDL_USEREVENT}));
}

TEST_F(NameEntryWindow, EscapeCancelsTheEntryOnlyAndItsReleaseIsTaken)
{
    push_text("X");
    push_key(SDLK_ESCAPE, 27);
    push_key(SDLK_ESCAPE, 27, false);
    NAME_ENTRY entry("prompt", "QSY/");
    EXPECT_FALSE(run_name_entry(entry));
    EXPECT_EQ(left_in_queue(), (std::vector<int>{SDL_USEREVENT}));
}

// The view behind is the window's last picture, darkened; the box stands in
// the middle. The hook looks at the window once the entry has drawn it, then
// closes the entry by pushing Escape.
TEST_F(NameEntryWindow, ShowsTheBoxOverTheDarkenedView)
{
    glClearColor(0, 1, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapBuffers(); // the view: plain green
    name_entry_hooks.each_pass = [](void *) {
        if (++passes == 2) {
            seen_centre = front_pixel(VIEW_WIDTH / 2 + 200, VIEW_HEIGHT / 2 + 110);
            seen_corner = front_pixel(5, 5);
            seen_field = front_pixel(VIEW_WIDTH / 2 + 200, VIEW_HEIGHT / 2 - 78);
            push_key(SDLK_ESCAPE, 27);
            push_key(SDLK_ESCAPE, 27, false);
        }
        return 0;
    };
    NAME_ENTRY entry("prompt", "QSY/");
    EXPECT_FALSE(run_name_entry(entry));
    EXPECT_EQ(seen_corner, (RGB{0, 145, 0}));  // 255 * (1 - 110 / 255)
    EXPECT_EQ(seen_centre, (RGB{57, 60, 66})); // the plate
    EXPECT_EQ(seen_field, (RGB{10, 22, 16}));  // the name's display
    glClearColor(0, 0, 0, 0);
}

TEST_F(NameEntryWindow, PaintsTheViewThroughTheHookWhenThereIsOne)
{
    name_entry_hooks.paint_view = [](void *) {
        passes++;
        glClearColor(1, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(0, 0, 0, 0);
    };
    push_key(SDLK_ESCAPE, 27);
    push_key(SDLK_ESCAPE, 27, false);
    NAME_ENTRY entry("prompt", "QSY/");
    EXPECT_FALSE(run_name_entry(entry));
    EXPECT_GE(passes, 1);
    EXPECT_EQ(front_pixel(5, 5), (RGB{145, 0, 0}));
}

} // namespace
