#include "engine/draw.h"

#include <GL/gl.h>

#include "engine/video.h"

void draw_triangle(unsigned int *texture, float x, float y, float z, float rot_x, float rot_y,
                   float rot_z, float half_a, float half_b)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(x - offsx, y - offsy, z);
    glRotatef(rot_x, 1, 0, 0);
    glRotatef(rot_y, 0, 1, 0);
    glRotatef(rot_z, 0, 0, 1);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, *texture);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(-half_b, half_a, 0);
    glTexCoord2f(0, 1);
    glVertex3f(half_b, half_a, 0);
    glTexCoord2f(1, 1);
    glVertex3f(half_b, -half_a, 0);
    glTexCoord2f(1, 0);
    glVertex3f(-half_b, -half_a, 0);
    glEnd();
    glPopMatrix();
}

int draw_fil(SDL_Surface *, int x1, int y1, int x2, int y2, int)
{
    // The middle control point takes the sum of the two heights, not their
    // mean, so that the cable hangs down between its ends.
    const GLfloat points[3][3] = {
        {static_cast<GLfloat>(x1 - offsx), static_cast<GLfloat>(y1 - offsy + 15), 0},
        {static_cast<GLfloat>((x1 + x2) / 2 - offsx), static_cast<GLfloat>(y1 + y2 - offsy + 15),
         0},
        {static_cast<GLfloat>(x2 - offsx), static_cast<GLfloat>(y2 - offsy + 15), 0},
    };
    // The cable is plain colour: texturing, left on by the sprites, would tint
    // it with whatever texture was bound last.
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_TEXTURE_2D);
    glMap1f(GL_MAP1_VERTEX_3, 0, 1, 3, 3, &points[0][0]);
    glEnable(GL_MAP1_VERTEX_3);
    glLineWidth(3);
    glColor3ub(128, 136, 128);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i <= 30; i++)
        glEvalCoord1f(static_cast<GLfloat>(i) / 30);
    glEnd();
    glColor3ub(255, 255, 255);
    glPopAttrib();
    return 1;
}

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
