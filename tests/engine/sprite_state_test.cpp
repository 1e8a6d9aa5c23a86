#include <gtest/gtest.h>

#include <string>

#include "engine/qbiblio.h"
#include "engine/sprite.h"

namespace {

// A library without textures, installed as the global one for the test.
class SpriteTest : public ::testing::Test {
protected:
    QBIBLIO library;

    void SetUp() override
    {
        library.upload_textures = false;
        library.add_image("IMG_A", QBIBLIO::new_bgr24_surface(40, 20), 40, 20);
        library.add_image("IMG_B", QBIBLIO::new_bgr24_surface(16, 8), 16, 8);
        bibliotheque_graphique = &library;
    }
    void TearDown() override { bibliotheque_graphique = nullptr; }

    static SPRITE make(const char *image, int x = 10, int y = 20)
    {
        return SPRITE(image, x, y, 1, 0xFF00FF, 0, 1.0f, 0, 0);
    }
};

TEST_F(SpriteTest, ConstructionSetsNamesAndLeavesTheSizeUnknown)
{
    SPRITE s = make("IMG_A");
    EXPECT_STREQ(s.NAME, "IMG_A");
    EXPECT_STREQ(s.sprite_NAME, "IMG_A");
    EXPECT_STREQ(s.current_NAME, "IMG_A");
    EXPECT_STREQ(s.mask_NAME, "");
    EXPECT_EQ(s.x, 10);
    EXPECT_EQ(s.ix, 10);
    EXPECT_EQ(s.iy, 20);
    EXPECT_EQ(s.w, 0);
    EXPECT_EQ(s.h, 0);
    EXPECT_TRUE(s.corner_origin);
    EXPECT_EQ(s.redraw, 1);
    EXPECT_EQ(s.changed, 0);
    EXPECT_EQ(s.colorkey, 0xFF00FFul);
    EXPECT_EQ(s.surface, nullptr);
    EXPECT_EQ(s.get_mask_SDL_Surface(), nullptr);
    EXPECT_EQ(s.get_rectangle(), &s);
}

TEST_F(SpriteTest, SettingTheSameImageChangesNothing)
{
    SPRITE s = make("IMG_A");
    s.redraw = 0;
    EXPECT_EQ(s.set_sprite_NAME("IMG_A"), 0);
    EXPECT_EQ(s.redraw, 0);
    EXPECT_EQ(s.changed, 0);
}

TEST_F(SpriteTest, NewImageTakesItsSizeAtTheNextEvolue)
{
    SPRITE s = make("IMG_A");
    s.evolue();
    EXPECT_EQ(s.w, 40);
    EXPECT_EQ(s.h, 20);
    s.evolue(); // let the int copies catch up
    s.redraw = s.changed = 0;

    EXPECT_NE(s.set_sprite_NAME("IMG_B"), 0);
    EXPECT_EQ(s.redraw, 1);
    EXPECT_EQ(s.changed, 1);
    s.redraw = s.changed = 0;
    s.evolue();
    EXPECT_EQ(s.w, 16);
    EXPECT_EQ(s.h, 8);
    EXPECT_EQ(s.redraw, 1);
    EXPECT_EQ(s.changed, 1);
    EXPECT_STREQ(s.current_NAME, "IMG_B");
}

TEST_F(SpriteTest, EvolueNoticesEachKindOfChange)
{
    SPRITE s = make("IMG_A");
    s.evolue();
    s.evolue();
    s.redraw = s.changed = 0;
    s.evolue();
    EXPECT_EQ(s.redraw, 0) << "nothing changed";

    auto expect_flagged = [&](const char *what) {
        s.evolue();
        EXPECT_EQ(s.redraw, 1) << what;
        EXPECT_EQ(s.changed, 1) << what;
        s.redraw = s.changed = 0;
        s.evolue();
        EXPECT_EQ(s.redraw, 0) << what << " is flagged once only";
    };
    s.angle = 15;
    expect_flagged("angle");
    s.touched = 1;
    expect_flagged("touched");
    s.alpha = 200;
    expect_flagged("alpha");
    s.x = 30;
    expect_flagged("x");
    s.y = 31;
    expect_flagged("y");
    EXPECT_EQ(s.ix, 30);
    EXPECT_EQ(s.iy, 31);
}

TEST_F(SpriteTest, FractionalPositionIsFlaggedEveryTime)
{
    SPRITE s = make("IMG_A");
    s.x = 10.5f;
    for (int i = 0; i < 3; i++) {
        s.redraw = s.changed = 0;
        s.evolue();
        EXPECT_EQ(s.redraw, 1);
        EXPECT_EQ(s.changed, 1);
    }
}

TEST_F(SpriteTest, MissingImageKeepsSizeZero)
{
    SPRITE s = make("NO_SUCH_IMAGE");
    EXPECT_EQ(s.get_SDL_Surface(), nullptr);
    s.evolue();
    EXPECT_EQ(s.w, 0);
    EXPECT_EQ(s.h, 0);
}

TEST_F(SpriteTest, OwnSurfaceWinsUntilTheImageNameChanges)
{
    SPRITE s = make("IMG_A");
    SDL_Surface *own = QBIBLIO::new_bgr24_surface(3, 4);
    s.surface = own;
    s.evolue();
    EXPECT_EQ(s.w, 3);
    s.set_sprite_NAME("IMG_B");
    s.evolue();
    EXPECT_EQ(s.surface, nullptr);
    EXPECT_EQ(s.w, 16);
    SDL_FreeSurface(own);
}

TEST_F(SpriteTest, HitTestIncludesTheRightAndBottomEdges)
{
    SPRITE s = make("IMG_A", 100, 50);
    s.evolue();
    EXPECT_TRUE(s == BASE(140, 70, 0));
    EXPECT_TRUE(s == BASE(100, 50, 0));
    EXPECT_FALSE(s == BASE(141, 70, 0));
    EXPECT_FALSE(s == BASE(120, 71, 0));
}

TEST_F(SpriteTest, OverlapThroughTheRectangle)
{
    SPRITE a = make("IMG_A", 0, 0);
    SPRITE b = make("IMG_A", 40, 20);
    SPRITE c = make("IMG_A", 41, 0);
    a.evolue();
    b.evolue();
    c.evolue();
    EXPECT_TRUE(*a.get_rectangle() == b);
    EXPECT_FALSE(*a.get_rectangle() == c);
}

TEST_F(SpriteTest, AffichePrintsNamesAndTruncatedGeometry)
{
    SPRITE s = make("IMG_A", 7, 8);
    s.evolue();
    testing::internal::CaptureStdout();
    s.affiche();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "NAME[IMG_A]SPR_NAME[IMG_A]X[  7]Y[  8]W[ 40]H[ 20]");
}

} // namespace
