// The sample chooser in a real window: the keys, the pointer and the wheel of
// every list box (the module browser's too), one script of events over a
// listing longer than the box, and how each way out ends.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "engine/video.h"
#include "ui/dialogs/sample_chooser.h"
#include "ui/views/view_test_helpers.h"

using namespace view_test;

namespace {

using C = SAMPLE_CHOOSER;

// n names, "S00.wav" to "S<n-1>.wav".
FILE_LISTING names(int n)
{
    FILE_LISTING l;
    for (int i = 0; i < n; i++) {
        char name[16];
        std::snprintf(name, sizeof name, "S%02d.wav", i);
        l.names.push_back(name);
    }
    return l;
}

// Where an event lands: the r-th row in sight, or outside the box, or on its
// title (in the box, on no row).
enum { OUTSIDE = -1, TITLE = -2 };

POINT on(const C &c, int at)
{
    if (at == OUTSIDE)
        return {5, 5};
    const int x = 400;
    int y = 0;
    while (y < 768 && c.row_at(x, y) != c.first + (at == TITLE ? 0 : at))
        y++;
    return {x, at == TITLE ? y - 10 : y + 5};
}

struct EVENT {
    Uint8 type;
    int code; // a key, or a mouse button
    int at;   // for a mouse event
};

SDL_Event made(const C &c, const EVENT &e)
{
    if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) {
        SDL_Event k = {};
        k.key.type = e.type;
        k.key.keysym.sym = static_cast<SDLKey>(e.code);
        return k;
    }
    return mouse_event(e.type, static_cast<Uint8>(e.code), on(c, e.at));
}

const Uint8 DOWN = SDL_KEYDOWN, UP = SDL_KEYUP, PRESS = SDL_MOUSEBUTTONDOWN,
            LET_GO = SDL_MOUSEBUTTONUP, MOVE = SDL_MOUSEMOTION;
const int LEFT = SDL_BUTTON_LEFT;

TEST(SampleChooser, KeysPointerAndWheelMoveTheChoiceWithinTheRowsAndTheRowsFollowIt)
{
    open_window();
    offsx = offsy = 0;
    C c("SAMPLER_KICK", "samples", names(30), "samples/S20.wav");
    EXPECT_EQ(20, c.row); // the file it plays, in sight
    EXPECT_EQ(20 - C::MOST_ROWS + 1, c.first);
    const struct {
        EVENT event;
        int row, first;
    } script[] = {
        {{DOWN, SDLK_UP, 0}, 19, 7},
        {{DOWN, SDLK_HOME, 0}, 0, 0},
        {{DOWN, SDLK_UP, 0}, 0, 0}, // stops at the first
        {{DOWN, SDLK_PAGEDOWN, 0}, 14, 1},
        {{DOWN, SDLK_END, 0}, 29, 16},
        {{DOWN, SDLK_DOWN, 0}, 29, 16}, // and at the last
        {{DOWN, SDLK_PAGEUP, 0}, 15, 15},
        {{PRESS, SDL_BUTTON_WHEELDOWN, 2}, 18, 16}, // the row under the pointer
        {{PRESS, SDL_BUTTON_WHEELUP, 0}, 13, 13},
        {{MOVE, 0, 4}, 17, 13},
        {{MOVE, 0, OUTSIDE}, 17, 13},
        // None of these takes or cancels: a release without its press (the
        // button that opened the box), another button, Escape let go
        // without its press, a press outside let go on a row, a press on a
        // row let go outside, a click on the title.
        {{LET_GO, LEFT, 4}, 17, 13},
        {{PRESS, SDL_BUTTON_RIGHT, 5}, 17, 13},
        {{LET_GO, SDL_BUTTON_RIGHT, 5}, 17, 13},
        {{UP, SDLK_ESCAPE, 0}, 17, 13},
        {{PRESS, LEFT, OUTSIDE}, 17, 13},
        {{LET_GO, LEFT, 4}, 17, 13},
        {{PRESS, LEFT, 4}, 17, 13},
        {{LET_GO, LEFT, OUTSIDE}, 17, 13},
        {{PRESS, LEFT, TITLE}, 17, 13},
        {{LET_GO, LEFT, TITLE}, 17, 13},
    };
    for (const auto &s : script) {
        c.take(made(c, s.event));
        EXPECT_EQ(C::CHOOSING, c.state) << s.row;
        EXPECT_EQ(s.row, c.row);
        EXPECT_EQ(s.first, c.first) << s.row;
    }
}

TEST(SampleChooser, EnterAClickEscapeOrAClickOutsideEndIt)
{
    open_window();
    offsx = offsy = 0;
    const struct {
        int files;
        const char *current;
        std::vector<EVENT> events;
        LIST_BOX::STATE state;
        int row;
    } cases[] = {
        {5, "samples/S03.wav", {{DOWN, SDLK_RETURN, 0}}, C::TAKEN, 3},
        {5, "/elsewhere/S03.wav", {{DOWN, SDLK_KP_ENTER, 0}}, C::TAKEN, 0},
        {5, "", {{PRESS, LEFT, 2}, {LET_GO, LEFT, 2}}, C::TAKEN, 2},
        {5, "", {{DOWN, SDLK_ESCAPE, 0}, {UP, SDLK_ESCAPE, 0}}, C::CANCELLED, 0},
        {5, "", {{PRESS, LEFT, OUTSIDE}, {LET_GO, LEFT, OUTSIDE}}, C::CANCELLED, 0},
        {0, "", {{DOWN, SDLK_DOWN, 0}, {DOWN, SDLK_RETURN, 0}}, C::CHOOSING, 0},
        {0, "", {{DOWN, SDLK_ESCAPE, 0}, {UP, SDLK_ESCAPE, 0}}, C::CANCELLED, 0},
    };
    for (const auto &k : cases) {
        C c("SAMPLER_KICK", "samples", names(k.files), k.current);
        for (const EVENT &e : k.events)
            c.take(made(c, e));
        EXPECT_EQ(k.state, c.state) << k.files << " " << k.current;
        EXPECT_EQ(k.row, c.row) << k.files << " " << k.current;
        if (c.state == C::TAKEN) {
            char path[32];
            std::snprintf(path, sizeof path, "samples/S%02d.wav", k.row);
            EXPECT_EQ(path, c.chosen_path());
        }
    }
}

} // namespace
