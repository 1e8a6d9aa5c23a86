// The panel under the pointer.
#include <gtest/gtest.h>

#include <vector>

#include "ui/views/view_pointer.h"

namespace {

TEST(PointedInstrument, EdgesHitAndTheEarlierPanelWins)
{
    OBJET a(100, 100, "1"), b(150, 120, "2");
    a.w = b.w = b.h = 100;
    a.h = 50;
    std::vector<OBJET *> both = {&a, &b}, reversed = {&b, &a}, none;
    const struct {
        std::vector<OBJET *> *list;
        int x, y, index;
    } cases[] = {{&none, 120, 120, -1}, {&both, 99, 120, -1},     {&both, 100, 100, 0},
                 {&both, 200, 150, 0},  {&both, 201, 150, 1},     {&both, 250, 220, 1},
                 {&both, 251, 220, -1}, {&reversed, 160, 130, 0}, {&reversed, 110, 110, 1}};
    for (const auto &c : cases) {
        mouse_x = c.x;
        mouse_y = c.y;
        EXPECT_EQ(get_pointed_instrument(c.list), c.index) << c.x << "," << c.y;
    }
}

} // namespace
