#include <GL/gl.h>

#include "engine/draw_window_helpers.h"
#include "engine/qbiblio.h"
#include "engine/sprite.h"
#include "engine/video.h"

namespace {

const Rgba RED = {255, 0, 0, 255}, GREEN = {0, 255, 0, 255}, BLUE = {0, 0, 255, 255};
const Rgba WHITE = {255, 255, 255, 255}, BLACK = {0, 0, 0, 255}, GREY = {128, 128, 128, 255};

class SpriteWindowTest : public GlWindowTest {
protected:
    SpriteWindowTest()
    {
        // 40 x 20, red with a blue top-left corner to see which way is up.
        Picture marked(40, 20, RED);
        marked.fill(0, 0, 8, 6, BLUE);
        add_image("MARKED", marked);
        add_image("GREY", Picture(64, 64, GREY));
        add_image("WHITE", Picture(64, 64, WHITE));
        // Mask and image for the masked drawing: the left half of the mask is
        // black (a hole), the right half white (keep the frame); the image is
        // green on the left and black (transparent) on the right.
        Picture mask(64, 64, WHITE);
        mask.fill(0, 0, 32, 64, BLACK);
        add_image("KNOB_MASK", mask);
        Picture knob(64, 64, BLACK);
        knob.fill(0, 0, 32, 64, GREEN);
        add_image("KNOB", knob);
        Picture red_on_white(64, 64, WHITE);
        red_on_white.fill(0, 0, 64, 32, RED);
        add_image("RED_ON_WHITE", red_on_white);
    }

    static SPRITE sprite(const char *image, int x, int y)
    {
        return SPRITE(image, x, y, 0, 0, 0, 1.0f, 0, 0);
    }
    static Frame::Box drawn(const Frame &f)
    {
        return f.bounds([](const Rgba &c) { return !is_black(c); });
    }
};

TEST_F(SpriteWindowTest, PlainSpriteCoversItsRectangleLessTheScroll)
{
    SPRITE s = sprite("MARKED", 100, 50);
    s.blit(nullptr);
    Frame f = grab();
    EXPECT_EQ(drawn(f), (Frame::Box{100, 50, 40, 20}));
    EXPECT_EQ(f.at(101, 51), BLUE) << "upright: the marked corner is top-left";
    EXPECT_EQ(f.at(138, 68), RED);
    EXPECT_EQ(s.w, 40);
    EXPECT_EQ(s.h, 20);
    EXPECT_EQ(s.redraw, 0);

    clear();
    offsx = 30;
    offsy = 10;
    s.x = 100.7f; // the position is truncated
    s.blit(nullptr);
    EXPECT_EQ(drawn(grab()), (Frame::Box{70, 40, 40, 20}));
    EXPECT_EQ(s.ix, 100);
}

TEST_F(SpriteWindowTest, ZoomKeepsTheCentre)
{
    SPRITE s = sprite("MARKED", 100, 50);
    s.zoom = 0.5f;
    s.blit(nullptr);
    // Centre (120, 60); half size 20 x 10.
    EXPECT_EQ(drawn(grab()), (Frame::Box{110, 55, 20, 10}));
}

TEST_F(SpriteWindowTest, AngleNinetyTurnsTheImage)
{
    SPRITE s = sprite("MARKED", 100, 50);
    s.angle = 90;
    s.blit(nullptr);
    Frame f = grab();
    // Centre (120, 60); 20 wide, 40 high.
    EXPECT_EQ(drawn(f), (Frame::Box{110, 40, 20, 40}));
    // A quarter turn moves the marked corner to another corner of the box.
    EXPECT_NE(f.at(111, 41), BLUE);
    const bool corner_moved =
        f.at(128, 41) == BLUE || f.at(111, 78) == BLUE || f.at(128, 78) == BLUE;
    EXPECT_TRUE(corner_moved);
}

TEST_F(SpriteWindowTest, MissingImageDrawsNothing)
{
    SPRITE s = sprite("NO_SUCH_IMAGE", 100, 50);
    s.blit(nullptr);
    EXPECT_EQ(drawn(grab()), (Frame::Box{0, 0, 0, 0}));
    EXPECT_EQ(s.w, 0);
    EXPECT_EQ(s.h, 0);
}

TEST_F(SpriteWindowTest, MaskCutsAHoleAndTheImageIsAddedOnTop)
{
    SPRITE background = sprite("GREY", 200, 200);
    background.blit(nullptr);
    SPRITE knob = sprite("KNOB", 200, 200);
    knob.set_sprite_NAME("KNOB");
    std::snprintf(knob.mask_NAME, sizeof knob.mask_NAME, "KNOB_MASK");
    knob.evolue();
    knob.blit(nullptr);
    Frame f = grab();
    EXPECT_EQ(f.at(210, 230), GREEN) << "black mask: the frame gives way to the image";
    EXPECT_EQ(f.at(250, 230), GREY) << "white mask, black image: the frame is untouched";
}

TEST_F(SpriteWindowTest, MissingMaskDrawsTheImageAlone)
{
    SPRITE background = sprite("GREY", 200, 200);
    background.blit(nullptr);
    SPRITE knob = sprite("KNOB", 200, 200);
    std::snprintf(knob.mask_NAME, sizeof knob.mask_NAME, "NO_MASK");
    knob.evolue();
    knob.blit(nullptr);
    Frame f = grab();
    EXPECT_EQ(f.at(210, 230), GREEN);
    EXPECT_EQ(f.at(250, 230), BLACK);
}

TEST_F(SpriteWindowTest, BlendMultipliesIntoTheFrame)
{
    SPRITE background = sprite("GREY", 300, 300);
    background.blit(nullptr);
    SPRITE shade = sprite("RED_ON_WHITE", 300, 300);
    shade.blend = 1;
    shade.blit(nullptr);
    Frame f = grab();
    EXPECT_EQ(f.at(310, 310), (Rgba{128, 0, 0, 255}));
    EXPECT_EQ(f.at(310, 350), GREY);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

// Whatever the file format, the colours on screen are those of the file.
class ImageFormatWindowTest : public GlWindowTest {
protected:
    ImageFormatWindowTest()
    {
        Picture p(64, 64, RED);
        p.fill(0, 32, 32, 32, GREEN);
        p.fill(32, 32, 32, 32, {250, 120, 10, 255});
        p.fill(32, 0, 32, 32, {40, 80, 200, 0}); // transparent in the PNG with alpha
        archive_entries = "BMP " + write_bmp24(dir, "p.bmp", p) + " SIMPLEPART\n" + "PNG " +
                          write_png(dir, "p.png", p, false) + " SIMPLEPART\n" + "PNGA " +
                          write_png(dir, "pa.png", p, true) + " SIMPLEPART\n";
        // The same picture as a two-frame sheet.
        archive_entries += "SHEET " + write_png(dir, "s.png", p, false) + " M 32 32 2 2 0 0\n";
    }
};

TEST_F(ImageFormatWindowTest, ColoursComeOutRight)
{
    const char *names[] = {"BMP", "PNG", "PNGA"};
    for (int i = 0; i < 3; i++) {
        SPRITE s(names[i], 100 * i, 0, 0, 0, 0, 1.0f, 0, 0);
        s.blit(nullptr);
    }
    Frame f = grab();
    for (int i = 0; i < 3; i++) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(f.at(100 * i + 10, 10), RED);
        EXPECT_EQ(f.at(100 * i + 10, 50), GREEN);
        EXPECT_EQ(f.at(100 * i + 50, 50), (Rgba{250, 120, 10, 255}));
    }
    EXPECT_EQ(f.at(50, 10), (Rgba{40, 80, 200, 255}));
    EXPECT_EQ(f.at(250, 10), BLACK) << "transparent parts are black";

    clear();
    const char *frames[] = {"SHEET_0", "SHEET_1", "SHEET_2", "SHEET_3"};
    for (int i = 0; i < 4; i++) {
        SPRITE s(frames[i], 100 * i, 0, 0, 0, 0, 1.0f, 0, 0);
        s.blit(nullptr);
    }
    f = grab();
    EXPECT_EQ(f.at(10, 10), RED);
    EXPECT_EQ(f.at(110, 10), (Rgba{40, 80, 200, 255}));
    EXPECT_EQ(f.at(210, 10), GREEN);
    EXPECT_EQ(f.at(310, 10), (Rgba{250, 120, 10, 255}));
}

TEST_F(ImageFormatWindowTest, IndexesAndTexturesStayConsistent)
{
    QBIBLIO &library = *bibliotheque_graphique;
    EXPECT_EQ(library.get_index_image("BMP"), 0);
    EXPECT_EQ(library.get_index_image("SHEET_3"), 6);
    for (int i = 0; i < library.nb_images; i++)
        EXPECT_TRUE(glIsTexture(library.get_texture(i))) << i;
    // Refreshing a changed surface shows the change.
    SDL_Surface *s = library.get_image("PNG");
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 0, 0, 255));
    library.refresh_GLimage("PNG");
    SPRITE sprite("PNG", 0, 0, 0, 0, 0, 1.0f, 0, 0);
    sprite.blit(nullptr);
    EXPECT_EQ(grab().at(10, 10), BLUE);
}

} // namespace
