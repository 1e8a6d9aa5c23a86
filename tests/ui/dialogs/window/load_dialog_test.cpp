// The patch load dialog in a real window: scrolling, the rows the user sees
// being the rows the pointer hovers and clicks (checked on the drawn
// pixels), leaving it, and its loop with a load that fails.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ui/views/view_test_helpers.h"
#include "engine/video.h"
#include "ui/dialogs/modal_loop.h"
#include "ui/dialogs/name_entry.h"
#include "panels/panel_drawing.h"
#include "ui/views/view_state.h"
#include "ui/dialogs/load_dialog.h"

using namespace view_test;

namespace {

using D = LOAD_DIALOG;

// n names in listing order: "P00.QSY", "P01.QSY", ...
FILE_LISTING listing_of(int n)
{
    FILE_LISTING l;
    for (int i = 0; i < n; i++) {
        char name[16];
        std::snprintf(name, sizeof name, "P%02d.QSY", i);
        l.names.push_back(name);
    }
    return l;
}

struct DIALOG {
    D dialog;
    explicit DIALOG(int names)
        : dialog((view_test::open_window(), offsx = offsy = 0, listing_of(names)))
    {
    }

    void take(Uint8 type, POINT p, Uint8 button = SDL_BUTTON_LEFT)
    {
        dialog.take(mouse_event(type, button, p));
    }
    void click(POINT p)
    {
        take(SDL_MOUSEBUTTONDOWN, p);
        take(SDL_MOUSEBUTTONUP, p);
    }
    // The window position of the centre of an element of the panel.
    POINT centre(const char *element)
    {
        const SPRITE *s = dialog.panel.get_SPRITE_by_name(element);
        EXPECT_NE(s, nullptr) << element;
        return {D::WINDOW_X + static_cast<int>(s->x + s->w / 2),
                D::WINDOW_Y + static_cast<int>(s->y + s->h / 2)};
    }
    // Holds a scroll button for that many passes of the dialog's loop.
    void hold(const char *button, int passes)
    {
        const POINT p = centre(button);
        take(SDL_MOUSEBUTTONDOWN, p);
        for (int i = 0; i < passes; i++)
            dialog.scroll_pass();
        take(SDL_MOUSEBUTTONUP, p);
    }
    // The middle of row r's text, where a user points at it.
    static POINT row(int r)
    {
        return {D::WINDOW_X + D::ROW_X + 64, D::WINDOW_Y + D::ROW_Y + D::ROW_PITCH * r + 3};
    }
    // The rows' texts without the blanks that right-align them.
    std::vector<std::string> shown()
    {
        std::vector<std::string> out;
        for (LABEL *l : dialog.rows)
            out.push_back(l->text + std::strspn(l->text, " "));
        return out;
    }
};

// Entries from to to of a dialog over total names, in the listing's order.
std::vector<std::string> names(int from, int to, int total)
{
    const std::vector<std::string> all = listing_of(total).names;
    return {all.begin() + from, all.begin() + to + 1};
}

TEST(LoadDialog, HeldButtonsAndTheWheelScrollWithinTheListAndARowChoosesItsEntry)
{
    DIALOG d(25);
    EXPECT_EQ(names(0, 9, 25), d.shown());
    d.hold("BUTTON_OCT_DOWN", 30);
    EXPECT_EQ(15, d.dialog.scroll);
    EXPECT_EQ(names(15, 24, 25), d.shown());
    EXPECT_EQ(0, d.dialog.direction);
    d.dialog.scroll_pass(); // released: no more scrolling
    EXPECT_EQ(15, d.dialog.scroll);
    d.hold("BUTTON_OCT_UP", 4);
    EXPECT_EQ(11, d.dialog.scroll);
    d.hold("BUTTON_OCT_UP", 40);
    EXPECT_EQ(0, d.dialog.scroll);
    const POINT r = DIALOG::row(2);
    for (int notch = 0; notch < 4; notch++)
        d.take(SDL_MOUSEBUTTONDOWN, r, SDL_BUTTON_WHEELDOWN);
    EXPECT_EQ(D::CHOOSING, d.dialog.state);
    // A button held since before the dialog opened chooses nothing when let go.
    d.take(SDL_MOUSEBUTTONUP, r);
    EXPECT_EQ(D::CHOOSING, d.dialog.state);
    // The third row after scrolling by 4 is entry 6.
    d.click(r);
    EXPECT_EQ(D::CHOSEN, d.dialog.state);
    EXPECT_EQ(6, d.dialog.chosen);
    EXPECT_EQ("P06.QSY", d.dialog.names[6]);

    DIALOG few(3);
    few.hold("BUTTON_OCT_DOWN", 5);
    EXPECT_EQ(0, few.dialog.scroll);
    std::vector<std::string> expected = names(0, 2, 3);
    expected.resize(D::ROWS, "");
    EXPECT_EQ(expected, few.shown());
    EXPECT_EQ(2, few.dialog.row_at(DIALOG::row(2).x, DIALOG::row(2).y));
    EXPECT_EQ(-1, few.dialog.row_at(DIALOG::row(3).x, DIALOG::row(3).y));
}

// Reads the window's back buffer: colour at (x, y) counted from the top.
struct PICTURE {
    std::vector<unsigned char> rgb = std::vector<unsigned char>(3 * VIEW_WIDTH * VIEW_HEIGHT);
    PICTURE()
    {
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, VIEW_WIDTH, VIEW_HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    }
    int at(int x, int y) const
    {
        const unsigned char *p = &rgb[3 * ((VIEW_HEIGHT - 1 - y) * VIEW_WIDTH + x)];
        return p[0] << 16 | p[1] << 8 | p[2];
    }
};

TEST(LoadDialog, TheRowsDrawnAreTheRowsThePointerHoversAndClicks)
{
    DIALOG d(25);
    for (int r = 0; r < D::ROWS; r++) {
        const POINT p = DIALOG::row(r);
        d.take(SDL_MOUSEMOTION, p);
        ASSERT_EQ(r, d.dialog.hovered);
        glClear(GL_COLOR_BUFFER_BIT);
        d.dialog.draw();
        const PICTURE picture;
        int red = 0, white = 0;
        for (int y = D::WINDOW_Y + D::ROW_Y - 12; y < D::WINDOW_Y + D::ROW_Y + 170; y++)
            for (int x = D::WINDOW_X + D::ROW_X - 8; x < D::WINDOW_X + D::ROW_X + 140; x++) {
                const int c = picture.at(x, y);
                if (c == D::HOVER_COLOUR) {
                    red++;
                    EXPECT_EQ(r, d.dialog.row_at(x, y)) << x << "," << y;
                } else if (c == D::NAME_COLOUR) {
                    white++;
                    EXPECT_NE(r, d.dialog.row_at(x, y)) << x << "," << y;
                    EXPECT_NE(-1, d.dialog.row_at(x, y)) << x << "," << y;
                }
            }
        EXPECT_GT(red, 20) << "row " << r;
        EXPECT_GT(white, 20 * (D::ROWS - 1)) << "row " << r;
    }
    // Leaving the rows turns the name white again.
    d.take(SDL_MOUSEMOTION, {10, 10});
    EXPECT_EQ(-1, d.dialog.hovered);
    for (LABEL *l : d.dialog.rows)
        EXPECT_EQ(D::NAME_COLOUR, l->colour);
}

TEST(LoadDialog, AClickOutsideCancelsAndAnEmptyListingSaysWhy)
{
    DIALOG outside(5);
    outside.take(SDL_MOUSEBUTTONDOWN, {D::WINDOW_X + 10, D::WINDOW_Y + 10}); // on the panel
    outside.take(SDL_MOUSEBUTTONUP, {5, 5});
    EXPECT_EQ(D::CHOOSING, outside.dialog.state);
    outside.click({5, 5});
    EXPECT_EQ(D::CANCELLED, outside.dialog.state);

    for (const FILE_LISTING &l : {FILE_LISTING{}, FILE_LISTING{{}, "Cannot read QSY: gone"}}) {
        D empty(l);
        EXPECT_STREQ(l.problem.empty() ? "No patch file in QSY/" : "Cannot read QSY: gone",
                     empty.message->text);
        EXPECT_EQ(-1, empty.row_at(DIALOG::row(0).x, DIALOG::row(0).y));
    }
}

std::vector<std::string> load_requests;
bool refuse(const std::string &name, std::string &why)
{
    load_requests.push_back(name);
    why = "Cannot read QSY/" + name;
    return false;
}

TEST(LoadDialog, ANameThatDoesNotLoadIsExplainedAndTheDialogGoesOnUntilEscape)
{
    DIALOG d(12);
    drain();
    const POINT r = DIALOG::row(1);
    motion(r);
    button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, r);
    button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, r);
    key(SDL_KEYDOWN, SDLK_ESCAPE);
    key(SDL_KEYUP, SDLK_ESCAPE);
    int passes = 0;
    modal_hooks.each_pass = [](void *n) {
        ++*static_cast<int *>(n);
        return 0;
    };
    modal_hooks.data = &passes;
    load_requests.clear();
    quit = 1;

    EXPECT_FALSE(run_load_dialog(d.dialog, refuse));

    modal_hooks = MODAL_HOOKS();
    EXPECT_EQ(std::vector<std::string>{"P01.QSY"}, load_requests);
    EXPECT_STREQ("Cannot read QSY/P01.QSY", d.dialog.message->text);
    EXPECT_GE(passes, 2);
    // The Escape release stayed in the dialog; only its redraw event is left.
    SDL_Event left;
    ASSERT_EQ(1, SDL_PollEvent(&left));
    EXPECT_EQ(SDL_USEREVENT, left.type);
    EXPECT_EQ(0, SDL_PollEvent(&left));
    EXPECT_EQ(1, quit);
}

} // namespace
