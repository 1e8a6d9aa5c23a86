// The panels of every demo patch drawn in a real window with the program's
// art, checked from the pixels read back: each panel covers its place, its
// knobs show in the front view and its sockets in the back view, and nothing
// is drawn beside it.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cables/cable_test_helpers.h"
#include "engine/font_data.h"
#include "engine/qbiblio.h"
#include "engine/slider.h"
#include "engine/video.h"
#include "panels/panel_drawing.h"
#include "panels/panel_lists.h"

namespace {

struct Rgb {
    int r, g, b;
};

const Rgb KEY = {0, 0, 255}; // the clear colour, in none of the art

std::ostream &operator<<(std::ostream &out, const Rgb &c)
{
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

class PanelViews : public ::testing::TestWithParam<const char *> {
protected:
    std::vector<unsigned char> pixels;

    static void SetUpTestSuite()
    {
        initGL(VIEW_WIDTH, VIEW_HEIGHT, "panels", "grfx/opengl.qim");
        our_font_7.init("Fonts/04b_03b_.ttf", 6);
    }

    cable_test::LOADED_PATCH patch{GetParam()};

    void TearDown() override
    {
        offsx = offsy = 0;
        BACK_VIEW_TOGGLE = 0;
    }

    // Draws the panels with the window scrolled to (x, y) and reads it back.
    void draw_at(int x, int y)
    {
        offsx = x;
        offsy = y;
        glClearColor(KEY.r / 255.0f, KEY.g / 255.0f, KEY.b / 255.0f, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        OrthoMode(0, 0, VIEW_WIDTH, VIEW_HEIGHT);
        draw_all_modules(1, 0, objets_globaux, nullptr, offsx, offsy, 1);
        PerspectiveMode();
        glFinish();
        pixels.resize(3 * VIEW_WIDTH * VIEW_HEIGHT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, VIEW_WIDTH, VIEW_HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    }

    // The pixel at a work-area point.
    Rgb at(int x, int y) const
    {
        const int wx = x - offsx, wy = VIEW_HEIGHT - 1 - (y - offsy);
        const unsigned char *p = &pixels[3 * (wy * VIEW_WIDTH + wx)];
        return {p[0], p[1], p[2]};
    }

    // Whether a panel draws anything (the sampler panels have no elements).
    static bool drawn(const OBJET *p) { return !p->current->empty(); }

    // The panel drawn last (on top) at a work-area point; null when none.
    static const OBJET *top_panel(int x, int y)
    {
        const OBJET *top = nullptr;
        for (const OBJET *p : objets_globaux)
            if (drawn(p) && x >= p->x && x < p->x + p->w && y >= p->y && y < p->y + p->h)
                top = p;
        return top;
    }

    // Checks every panel in the current view, each with the window scrolled onto it.
    void check_view(bool front)
    {
        int checked = 0;
        EXPECT_EQ(BACK_VIEW_TOGGLE, front ? 0 : 1);
        for (const OBJET *p : objets_globaux) {
            EXPECT_EQ(p->view_mode,
                      static_cast<unsigned>(front ? OBJET::VIEW_FRONT : OBJET::VIEW_BACK))
                << p->sprite_NAME;
            if (!drawn(p))
                continue;
            const int x = static_cast<int>(p->x), y = static_cast<int>(p->y);
            const int w = static_cast<int>(p->w), h = static_cast<int>(p->h);
            draw_at(std::max(0, x - 16), std::max(0, y - 16));
            const std::string where = std::string(p->sprite_NAME) + (front ? " front" : " back");
            const int corners[][2] = {
                {x + 2, y + 2}, {x + w - 3, y + 2}, {x + 2, y + h - 3}, {x + w - 3, y + h - 3}};
            for (const auto &c : corners)
                if (top_panel(c[0], c[1]) == p) {
                    const Rgb got = at(c[0], c[1]);
                    EXPECT_FALSE(got.r == KEY.r && got.g == KEY.g && got.b == KEY.b)
                        << where << " not drawn at " << c[0] << ", " << c[1];
                }
            for (const int *beside : {corners[0], corners[2]})
                if (x > 4 && top_panel(x - 3, beside[1]) == nullptr) {
                    const Rgb got = at(x - 3, beside[1]);
                    EXPECT_TRUE(got.r == KEY.r && got.g == KEY.g && got.b == KEY.b)
                        << where << ": drawn beside it " << got;
                }
            for (const SPRITE *s : *p->current) {
                const bool knob = dynamic_cast<const SLIDER *>(s) != nullptr;
                const bool socket = std::string(s->sprite_NAME).rfind("JACK_", 0) == 0;
                if (!(front ? knob : socket))
                    continue;
                const int cx = x + static_cast<int>(s->x + s->w / 2);
                const int cy = y + static_cast<int>(s->y + s->h / 2);
                if (top_panel(cx, cy) != p)
                    continue;
                const Rgb got = at(cx, cy);
                if (front) // the light cap of the knob
                    EXPECT_TRUE(got.r > 140 && got.g > 140 && got.b > 140)
                        << where << " knob " << s->NAME << " " << got;
                else // the dark hole of the socket
                    EXPECT_TRUE(got.r < 40 && got.g < 40 && got.b < 40)
                        << where << " socket " << s->NAME << " " << got;
                checked++;
            }
        }
        EXPECT_GT(checked, 0);
    }
};

TEST_P(PanelViews, EveryPanelIsDrawnAtItsPlaceInBothViews)
{
    check_view(true);
    toggle_FILS_view();
    check_view(false);
    toggle_FILS_view();
    check_view(true);
}

INSTANTIATE_TEST_SUITE_P(DemoPatches, PanelViews,
                         ::testing::Values("QSY/DEMO.QSY", "QSY/DRUMS.QSY", "QSY/KEYS.QSY",
                                           "QSY/MODULAR.QSY"));

} // namespace
