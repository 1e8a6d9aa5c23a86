#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "engine/font_data.h"
#include "engine/font_engine.h"

namespace {

TEST(FontDataTest, NextPowerOfTwo)
{
    EXPECT_EQ(freetype::next_p2(0), 1);
    EXPECT_EQ(freetype::next_p2(1), 1);
    EXPECT_EQ(freetype::next_p2(5), 8);
    EXPECT_EQ(freetype::next_p2(64), 64);
    EXPECT_EQ(freetype::next_p2(65), 128);
    EXPECT_EQ(freetype::next_p2(-3), 1);
}

TEST(FontDataTest, MissingFontFileThrows)
{
    freetype::font_data font;
    try {
        font.init("Fonts/no_such_font.ttf", 6);
        FAIL() << "no error";
    } catch (const std::runtime_error &error) {
        EXPECT_STREQ(error.what(),
                     "FT_New_Face failed (there is probably a problem with your font file)");
    }
    EXPECT_EQ(font.textures, nullptr);
}

TEST(FontEngineTest, SoftwareTextDrawsNothingAndRefusesLargeSizes)
{
    FONT_ENGINE engine;
    testing::internal::CaptureStdout();
    EXPECT_EQ(engine.wprintf(nullptr, "HELLO", 64, 0, 0, 0xFFFFFF, 0, 0, 0), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Size to big for font\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(engine.wprintf(nullptr, "HELLO", 24, 0, 0, 0xFFFFFF, 0, 0, 1), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(engine.get_txt_Surface(0, "HELLO", 0, 0, 12), nullptr);
}

} // namespace
