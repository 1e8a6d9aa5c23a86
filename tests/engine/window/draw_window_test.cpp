#include <GL/gl.h>

#include "engine/draw_window_helpers.h"
#include "engine/draw.h"
#include "engine/qbiblio.h"
#include "engine/sprite.h"
#include "engine/video.h"

namespace {

const Rgba CABLE = {128, 136, 128, 255}, RED = {255, 0, 0, 255};

class DrawWindowTest : public GlWindowTest {
protected:
    DrawWindowTest() { add_image("RED", Picture(64, 64, RED)); }

    GLuint red_texture() { return bibliotheque_graphique->get_texture(0); }
};

TEST_F(DrawWindowTest, CablePassesThroughItsEndsAndHangsInTheMiddle)
{
    // A sprite drawn first leaves texturing on with a red texture bound; the
    // cable keeps its own colour all the same.
    SPRITE s("RED", 900, 700, 0, 0, 0, 1.0f, 0, 0);
    s.blit(nullptr);
    draw_fil(nullptr, 100, 100, 300, 100, 0x808880);
    Frame f = grab();
    EXPECT_TRUE(f.any_near(100, 115, 1, CABLE));
    EXPECT_TRUE(f.any_near(300, 115, 1, CABLE));
    EXPECT_TRUE(f.any_near(200, 165, 1, CABLE));
    EXPECT_EQ(f.at(200, 140), (Rgba{0, 0, 0, 255}));
    const Frame::Box box = f.bounds([](const Rgba &c) { return c == CABLE; });
    EXPECT_NEAR(box.x, 100, 2);
    EXPECT_NEAR(box.x + box.w, 300, 2);
    EXPECT_NEAR(box.y, 115, 2);
    EXPECT_NEAR(box.y + box.h, 166, 2);

    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[1], 1.0f);
}

TEST_F(DrawWindowTest, CableFollowsTheScroll)
{
    offsx = 50;
    offsy = 20;
    draw_fil(nullptr, 100, 100, 300, 100, 0x808880);
    Frame f = grab();
    EXPECT_TRUE(f.any_near(50, 95, 1, CABLE));
    EXPECT_TRUE(f.any_near(150, 145, 1, CABLE));
    EXPECT_TRUE(f.any_near(250, 95, 1, CABLE));
}

TEST_F(DrawWindowTest, QuadHalfExtentsAndRotation)
{
    GLuint texture = red_texture();
    draw_triangle(&texture, 200, 200, 0, 0, 0, 0, 10, 20);
    Frame f = grab();
    EXPECT_EQ(f.bounds([](const Rgba &c) { return c == RED; }), (Frame::Box{180, 190, 40, 20}));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));

    clear();
    draw_triangle(&texture, 200, 200, 0, 0, 0, 90, 10, 20);
    f = grab();
    EXPECT_EQ(f.bounds([](const Rgba &c) { return c == RED; }), (Frame::Box{190, 180, 20, 40}));
}

TEST_F(DrawWindowTest, ResizeWithZeroHeightCountsAsOne)
{
    resizeWindow(300, 0);
    GLint viewport[4], mode;
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(viewport[2], 300);
    EXPECT_EQ(viewport[3], 1);
    EXPECT_EQ(mode, GL_PROJECTION);
    resizeWindow(WIDTH, HEIGHT);
    glPushMatrix(); // TearDown pops the projection pushed by OrthoMode
}

TEST_F(DrawWindowTest, OrthoAndPerspectiveModesPair)
{
    GLint depth_before, depth_inside, depth_after;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth_before);
    OrthoMode(0, 0, WIDTH, HEIGHT);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth_inside);
    PerspectiveMode();
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth_after);
    EXPECT_EQ(depth_inside, depth_before + 1);
    EXPECT_EQ(depth_after, depth_before);
    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

} // namespace
