// Where the window must be painted again between two recorded frames: the
// boxes of the primitives that differ, cut to the window and merged when
// near, or the whole window when anything but the primitives changed.
#include <gtest/gtest.h>

#include <functional>

#include "app/view_frame.h"

namespace {

constexpr int W = 1024, H = 768;

// A front view of two panels at scroll 0, each drawn as one quad at its box,
// the first one's look given.
VIEW_FRAME frame(const PIXEL_BOX &first, const PIXEL_BOX &second, int first_look = 0)
{
    VIEW_FRAME f = {0, 0, 0, 0, {}};
    for (const PIXEL_BOX &b : {first, second}) {
        f.layers.push_back({LAYER::PANEL, nullptr, 0, 0, nullptr, {}});
        f.layers.back().record.add(b, b.x0, b.y0, f.layers.size() == 1 ? first_look : 0);
    }
    return f;
}

TEST(ViewFrame, ThePartsToPaintAgainOrTheWholeWindow)
{
    const PIXEL_BOX a = {10, 10, 30, 30}, b = {500, 400, 520, 420};
    const VIEW_FRAME shown = frame(a, b);
    struct CASE {
        const char *what;
        std::function<void(VIEW_FRAME &)> change;
        bool whole;
        std::vector<PIXEL_BOX> parts;
    } cases[] = {
        {"nothing", [](VIEW_FRAME &) {}, false, {}},
        {"one quad moved a little",
         [&](VIEW_FRAME &f) {
             f = frame({14, 10, 34, 30}, b);
         },
         false,
         {{10, 10, 34, 30}}},
        {"both moved, far apart",
         [&](VIEW_FRAME &f) {
             f = frame({12, 10, 32, 30}, {500, 402, 520, 422});
         },
         false,
         {{10, 10, 32, 30}, {500, 400, 520, 422}}},
        {"two changes near each other merged",
         [&](VIEW_FRAME &f) {
             f = frame(a, {36, 10, 56, 30}, 1);
         },
         false,
         {{10, 10, 56, 30}, b}},
        {"a quad beyond the window's edge",
         [&](VIEW_FRAME &f) {
             f = frame(a, {1010, 400, 1040, 420});
         },
         false,
         {{500, 400, 520, 420}, {1010, 400, 1024, 420}}},
        {"more than half the window",
         [&](VIEW_FRAME &f) {
             f = frame(a, {0, 0, W, 500});
         },
         true,
         {}},
        {"scrolled", [](VIEW_FRAME &f) { f.scroll_y = 10; }, true, {}},
        {"the other view", [](VIEW_FRAME &f) { f.view = 1; }, true, {}},
        {"the panels turned", [](VIEW_FRAME &f) { f.side_turns = 1; }, true, {}},
        {"a panel moved", [](VIEW_FRAME &f) { f.layers[1].panel_x = 40; }, true, {}},
        {"a layer more", [](VIEW_FRAME &f) { f.layers.emplace_back(); }, true, {}},
    };
    for (CASE &c : cases) {
        VIEW_FRAME due = frame(a, b);
        c.change(due);
        const REPAINT r = repaint_between(shown, due, W, H);
        EXPECT_EQ(c.whole, r.whole) << c.what;
        EXPECT_EQ(c.parts, r.parts) << c.what;
    }
}

} // namespace
