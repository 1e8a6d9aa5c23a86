#include <gtest/gtest.h>

#include "engine/surface_pixels.h"

namespace {

struct Surface {
    SDL_Surface *s;
    Surface(int w, int h, int bits)
        : s(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, bits, 0xFF0000, 0xFF00, 0xFF, 0))
    {
    }
    ~Surface() { SDL_FreeSurface(s); }
};

TEST(SurfacePixelsTest, ClearScreenFillsEveryPixel)
{
    Surface surface(7, 5, 32);
    ClearScreen(surface.s, 255, 0, 255);
    const Uint32 magenta = SDL_MapRGB(surface.s->format, 255, 0, 255);
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 7; x++)
            ASSERT_EQ(getpixel(surface.s, x, y), magenta);

    Surface bgr(5, 3, 24);
    ClearScreen(bgr.s, 1, 2, 3);
    EXPECT_EQ(getpixel(bgr.s, 4, 2), 0x010203u);
}

TEST(SurfacePixelsTest, WordPutpixelWritesOnlyInsideRowsOneTo799)
{
    Surface surface(4, 768, 32);
    ClearScreen(surface.s, 0, 0, 0);
    putpixel(surface.s, 1, 0, 0xABCDEFu);
    EXPECT_EQ(getpixel(surface.s, 1, 0), 0u);
    putpixel(surface.s, 1, 1, 0xABCDEFu);
    EXPECT_EQ(getpixel(surface.s, 1, 1), 0xABCDEFu);
    putpixel(surface.s, 1, 767, 0x123456u);
    EXPECT_EQ(getpixel(surface.s, 1, 767), 0x123456u);
    // Beyond the surface (row 770 of 768, column 4 of 4) nothing is written.
    putpixel(surface.s, 1, 770, 0x1u);
    putpixel(surface.s, 4, 10, 0x1u);
    putpixel(surface.s, -1, 10, 0x1u);
    EXPECT_EQ(getpixel(surface.s, 0, 11), 0u);

    Surface tall(4, 900, 32);
    ClearScreen(tall.s, 0, 0, 0);
    putpixel(tall.s, 0, 800, 0x1u);
    EXPECT_EQ(getpixel(tall.s, 0, 800), 0u);
    putpixel(tall.s, 0, 799, 0x1u);
    EXPECT_EQ(getpixel(tall.s, 0, 799), 1u);
}

TEST(SurfacePixelsTest, ColourPutpixelStoresTheMappedColour)
{
    Surface bgr(3, 3, 24);
    ClearScreen(bgr.s, 0, 0, 0);
    putpixel(bgr.s, 2, 1, 0x11, 0x22, 0x33);
    const Uint8 *p = static_cast<Uint8 *>(bgr.s->pixels) + bgr.s->pitch + 6;
    EXPECT_EQ(p[0], 0x33); // low byte of the mapped value first
    EXPECT_EQ(p[1], 0x22);
    EXPECT_EQ(p[2], 0x11);
    EXPECT_EQ(getpixel(bgr.s, 1, 1), 0u);

    Surface word(3, 3, 32);
    putpixel(word.s, 0, 0, 0x11, 0x22, 0x33);
    EXPECT_EQ(getpixel(word.s, 0, 0), 0x112233u - 0x1000000u);

    // Outside the surface nothing is written (and nothing is read).
    putpixel(bgr.s, 3, 0, 1, 1, 1);
    putpixel(bgr.s, 0, -1, 1, 1, 1);
    EXPECT_EQ(getpixel(bgr.s, 3, 0), 0u);
}

} // namespace
