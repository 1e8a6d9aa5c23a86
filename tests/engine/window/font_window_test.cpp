#include <GL/gl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/draw_window_helpers.h"
#include "engine/font_data.h"

namespace {

class FontWindowTest : public GlWindowTest {
protected:
    freetype::font_data font;

    void SetUp() override
    {
        GlWindowTest::SetUp();
        font.init(test_font_path().c_str(), 12);
    }
    void TearDown() override
    {
        font.clean();
        GlWindowTest::TearDown();
    }

    static Frame::Box text_box(const Frame &f)
    {
        return f.bounds([](const Rgba &c) { return c.r > 128; });
    }
    // Counts runs of rows holding text.
    static int line_count(const Frame &f)
    {
        int lines = 0;
        bool in_line = false;
        for (int y = 0; y < f.h; y++) {
            bool lit = false;
            for (int x = 0; x < f.w && !lit; x++)
                lit = f.at(x, y).r > 128;
            if (lit && !in_line)
                lines++;
            in_line = lit;
        }
        return lines;
    }
};

TEST_F(FontWindowTest, TextSitsOnItsBaselineFromTheBottomLeft)
{
    freetype::print(font, 100, 200, "H%d", 1);
    const Frame::Box box = text_box(grab());
    ASSERT_GT(box.w, 0);
    // Counted from the bottom: the baseline at 200 is window row 767 - 200.
    EXPECT_NEAR(box.x, 100, 3);
    EXPECT_NEAR(box.y + box.h, HEIGHT - 200, 2);
    EXPECT_GT(box.h, 6);
    EXPECT_LT(box.h, 20);
}

// A glyph's texture (here at the small font's height) is its bitmap padded to
// powers of two with empty texels, luminance and alpha alike.
TEST_F(FontWindowTest, GlyphTextureHoldsTheBitmapPaddedWithNothing)
{
    freetype::font_data small;
    small.init(test_font_path().c_str(), 6);
    FT_Library library;
    FT_Face face;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    ASSERT_EQ(FT_New_Face(library, test_font_path().c_str(), 0, &face), 0);
    FT_Set_Char_Size(face, 6 * 64, 6 * 64, 96, 96);
    FT_Load_Char(face, 'H', FT_LOAD_RENDER);
    const int bw = static_cast<int>(face->glyph->bitmap.width);
    const int rows = static_cast<int>(face->glyph->bitmap.rows);
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    glBindTexture(GL_TEXTURE_2D, small.textures[static_cast<int>('H')]);
    GLint tw, th;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &tw);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &th);
    EXPECT_EQ(tw, freetype::next_p2(bw));
    EXPECT_EQ(th, freetype::next_p2(rows));
    std::vector<GLubyte> texels(2 * tw * th);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, texels.data());
    int brightest = 0;
    for (int y = 0; y < th; y++)
        for (int x = 0; x < tw; x++) {
            const GLubyte *t = &texels[2 * (y * tw + x)];
            EXPECT_EQ(t[0], t[1]);
            if (x >= bw || y >= rows) {
                EXPECT_EQ(t[1], 0) << x << ", " << y;
            }
            brightest = std::max<int>(brightest, t[1]);
        }
    EXPECT_EQ(brightest, 255);
    small.clean();
}

TEST_F(FontWindowTest, TwoLineBreaksGiveThreeLines)
{
    freetype::print(font, 100, 400, "H\nH\nH");
    const Frame f = grab();
    EXPECT_EQ(line_count(f), 3);
    // The third line lies 2 h / 0.63 below the first.
    const Frame::Box box = text_box(f);
    const float line_height = 12 / 0.63f;
    EXPECT_NEAR(box.y + box.h - (HEIGHT - 400), 2 * line_height, 2);
}

TEST_F(FontWindowTest, PrintLeavesTheStacksAndStateAsFound)
{
    GLint projection_before, modelview_before, attrib_before;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projection_before);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelview_before);
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attrib_before);
    freetype::print(font, 10, 10, "state");
    GLint projection, modelview, attrib;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projection);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelview);
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attrib);
    EXPECT_EQ(projection, projection_before);
    EXPECT_EQ(modelview, modelview_before);
    EXPECT_EQ(attrib, attrib_before);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(FontWindowTest, TextIsCutAfter255Characters)
{
    // The visible part comes after character 255 and so is never drawn.
    const std::string text = std::string(300, ' ') + "\nHHHH";
    freetype::print(font, 100, 400, "%s", text.c_str());
    EXPECT_EQ(text_box(grab()).w, 0);
    freetype::print(font, 100, 400, "%s", (std::string(250, ' ') + "\nHHHH").c_str());
    EXPECT_GT(text_box(grab()).w, 0);
}

TEST_F(FontWindowTest, CodesAbove127AndNullFormatDrawNothing)
{
    // The lists after this font's 128 belong to a second font.
    freetype::font_data second;
    second.init(test_font_path().c_str(), 6);
    freetype::print(font, 100, 400, "\xC8\xC8\xC8");
    freetype::print(font, 100, 300, nullptr);
    EXPECT_EQ(text_box(grab()).w, 0);
    second.clean();
}

} // namespace
