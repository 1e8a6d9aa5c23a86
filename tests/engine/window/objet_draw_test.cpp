// Panels drawn in a real window: element order, the compact view, labels.
#include <GL/gl.h>

#include "engine/draw_window_helpers.h"
#include "engine/font_data.h"
#include "engine/label.h"
#include "engine/objet.h"
#include "engine/video.h"

namespace {

const Rgba RED = {255, 0, 0, 255}, GREEN = {0, 255, 0, 255}, BLUE = {0, 0, 255, 255};

class PanelWindowTest : public GlWindowTest {
protected:
    PanelWindowTest()
    {
        add_image("BG", Picture(64, 64, RED));
        add_image("GREEN", Picture(16, 16, GREEN));
        add_image("BLUE", Picture(16, 16, BLUE));
    }

    // A panel at (x, y) read from the given description.
    std::unique_ptr<OBJET> panel(int x, int y, const std::string &description)
    {
        auto p = std::make_unique<OBJET>(x, y, "V1");
        EXPECT_EQ(p->load_RC(dir.write("panel.RC", description).c_str()), 1);
        return p;
    }

    static void draw(OBJET &p)
    {
        p.toggle_all_draw_flag(1);
        p.Draw_Scene(nullptr);
    }

    static Frame::Box drawn(const Frame &f)
    {
        return f.bounds([](const Rgba &c) { return !is_black(c); });
    }
};

// The first element of a file lies on top, so backgrounds come last in files.
TEST_F(PanelWindowTest, ElementsAreDrawnAtThePanelLessTheScroll)
{
    auto p = panel(200, 100,
                   "SLIDER KNOB GREEN 20 30 0 0 0 1.0 0\n"
                   "SPRITE IMAGE_FOND BG 0 0 0 0 0 0 1.0 0 255\n");
    offsx = 50;
    offsy = 40;
    draw(*p);
    const Frame f = grab();
    EXPECT_EQ(drawn(f), (Frame::Box{150, 60, 64, 64}));
    EXPECT_EQ(f.at(150 + 25, 60 + 35), GREEN);
    EXPECT_EQ(f.at(150 + 5, 60 + 5), RED);
    EXPECT_EQ(p->front[1]->x, 20); // positions are restored after drawing
    EXPECT_EQ(p->get_SPRITE_by_name("IMAGE_FOND")->x, 0);
}

TEST_F(PanelWindowTest, FirstElementOfTheFileLiesOnTop)
{
    auto p = panel(0, 0,
                   "SPRITE TOP BLUE 0 10 10 0 0 0 1.0 0 255\n"
                   "SPRITE BELOW GREEN 0 18 18 0 0 0 1.0 0 255\n");
    draw(*p);
    const Frame f = grab();
    EXPECT_EQ(f.at(20, 20), BLUE);
    EXPECT_EQ(f.at(30, 30), GREEN);
    EXPECT_EQ(p->redraw, 1);
}

TEST_F(PanelWindowTest, CompactViewDrawsOnlyTheHalfSizeBackground)
{
    auto p = panel(100, 100,
                   "SPRITE LED GREEN 0 40 40 0 0 0 1.0 0 255\n"
                   "SPRITE IMAGE_FOND BG 0 0 0 0 0 0 1.0 0 255\n");
    draw(*p);
    EXPECT_EQ(drawn(grab()), (Frame::Box{100, 100, 64, 64}));

    clear();
    p->toggle_view_mode(0); // draws the panel
    EXPECT_EQ(p->view_mode, 2u);
    EXPECT_EQ(p->w, 32);
    EXPECT_EQ(p->h, 32);
    const Frame f = grab();
    EXPECT_EQ(drawn(f), (Frame::Box{100, 100, 32, 32}));
    EXPECT_EQ(f.at(116, 116), RED);
    SPRITE *background = p->get_SPRITE_by_name("IMAGE_FOND");
    EXPECT_EQ(background->zoom, 1.0f);
    EXPECT_EQ(background->x, 0);

    clear();
    p->toggle_view_mode(0);
    EXPECT_EQ(p->w, 64);
    const Frame full = grab();
    EXPECT_EQ(full.at(141, 141), GREEN);
    EXPECT_EQ(full.at(160, 160), RED);
}

TEST_F(PanelWindowTest, CompactViewKeepsTheCornerOnTheFirstDrawing)
{
    auto p = panel(100, 100, "SPRITE IMAGE_FOND BG 0 0 0 0 0 0 1.0 0 255\n");
    p->toggle_view_mode(2);
    EXPECT_EQ(drawn(grab()), (Frame::Box{100, 100, 32, 32}));
}

TEST_F(PanelWindowTest, LabelsWriteTheirTextInTheirColour)
{
    our_font_7.init(test_font_path().c_str(), 6);
    auto p = panel(300, 200, "LABEL TITLE HELLO 10 20 0 8 16711680\n");
    draw(*p);
    const Frame f = grab();
    our_font_7.clean();
    const Frame::Box text = f.bounds([](const Rgba &c) { return c.r > 128 && c.g < 64; });
    EXPECT_GT(text.w, 10);
    EXPECT_GE(text.x, 310);
    EXPECT_LE(text.x, 315);
    // The baseline lies 6 pixels below the label's y.
    EXPECT_GE(text.y, 220 - 8);
    EXPECT_LE(text.y + text.h, 220 + 8);
    EXPECT_EQ(p->front[0]->redraw, 0);
}

} // namespace
