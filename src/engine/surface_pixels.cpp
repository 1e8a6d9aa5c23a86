#include "engine/surface_pixels.h"

static bool inside(const SDL_Surface *s, int x, int y)
{
    return x >= 0 && y >= 0 && x < s->w && y < s->h;
}

static Uint8 *pixel_address(SDL_Surface *s, int x, int y)
{
    return static_cast<Uint8 *>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
}

// Writes the low bytes of a pixel value in the surface's own layout.
static void store(Uint8 *p, int bytes_per_pixel, Uint32 value)
{
    switch (bytes_per_pixel) {
    case 1:
        *p = static_cast<Uint8>(value);
        break;
    case 2:
        *reinterpret_cast<Uint16 *>(p) = static_cast<Uint16>(value);
        break;
    case 3:
        if (SDL_BYTEORDER == SDL_BIG_ENDIAN) {
            p[0] = static_cast<Uint8>(value >> 16);
            p[1] = static_cast<Uint8>(value >> 8);
            p[2] = static_cast<Uint8>(value);
        } else {
            p[0] = static_cast<Uint8>(value);
            p[1] = static_cast<Uint8>(value >> 8);
            p[2] = static_cast<Uint8>(value >> 16);
        }
        break;
    default:
        *reinterpret_cast<Uint32 *>(p) = value;
        break;
    }
}

void putpixel(SDL_Surface *s, int x, int y, unsigned char r, unsigned char g, unsigned char b)
{
    if (!inside(s, x, y))
        return;
    const int bpp = s->format->BytesPerPixel;
    Uint32 value = SDL_MapRGB(s->format, r, g, b);
    if (bpp == 4)
        value -= 0x1000000;
    store(pixel_address(s, x, y), bpp, value);
}

void putpixel(SDL_Surface *s, int x, int y, unsigned int colour)
{
    if (y <= 0 || y > 799 || !inside(s, x, y) || s->format->BytesPerPixel != 4)
        return;
    store(pixel_address(s, x, y), 4, colour);
}

unsigned int getpixel(SDL_Surface *s, int x, int y)
{
    if (!inside(s, x, y))
        return 0;
    const Uint8 *p = pixel_address(s, x, y);
    switch (s->format->BytesPerPixel) {
    case 1:
        return *p;
    case 2:
        return *reinterpret_cast<const Uint16 *>(p);
    case 3:
        if (SDL_BYTEORDER == SDL_BIG_ENDIAN)
            return static_cast<Uint32>(p[0]) << 16 | p[1] << 8 | p[2];
        return static_cast<Uint32>(p[0]) | p[1] << 8 | p[2] << 16;
    default:
        return *reinterpret_cast<const Uint32 *>(p);
    }
}

void ClearScreen(SDL_Surface *s, unsigned char r, unsigned char g, unsigned char b)
{
    if (SDL_LockSurface(s) != 0)
        return;
    const Uint32 value = SDL_MapRGB(s->format, r, g, b);
    const int bpp = s->format->BytesPerPixel;
    for (int y = 0; y < s->h; y++)
        for (int x = 0; x < s->w; x++)
            store(pixel_address(s, x, y), bpp, value);
    SDL_UnlockSurface(s);
}
