// Drawing primitives: the textured sprite quad, the patch cable curve, and
// pixel access to software surfaces.
#pragma once

#include <SDL.h>

// One textured quad centred at (x, y, z) less the scroll offsets, turned by
// rot_x, rot_y, rot_z degrees; half_b is its half extent along x and half_a
// along y before the rotation. Binds the texture named *texture.
void draw_triangle(unsigned int *texture, float x, float y, float z, float rot_x, float rot_y,
                   float rot_z, float half_a, float half_b);
// One sagging cable from (x1, y1) to (x2, y2); the surface and colour are not used.
int draw_fil(SDL_Surface *unused, int x1, int y1, int x2, int y2, int colour);

// Stores the mapped colour at (x, y) for 1 to 4 bytes per pixel.
void putpixel(SDL_Surface *s, int x, int y, unsigned char r, unsigned char g, unsigned char b);
// Stores a 32-bit word at (x, y) of a 4-byte surface when 0 < y <= 799 and the
// pixel lies inside.
void putpixel(SDL_Surface *s, int x, int y, unsigned int colour);
// The pixel at (x, y) as stored (its bytes in the low part of the word); 0
// outside the surface.
unsigned int getpixel(SDL_Surface *s, int x, int y);
