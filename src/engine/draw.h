// Drawing primitives in the window: the textured sprite quad and the patch
// cable curve, both shifted by the view's scroll offsets. While a record is
// open (engine/draw_record.h) they draw nothing and add themselves to it.
#pragma once

#include <SDL.h>

// One textured quad centred at (x, y, z) less the scroll offsets, turned by
// rot_x, rot_y, rot_z degrees; half_b is its half extent along x and half_a
// along y before the rotation. Binds the texture named *texture.
void draw_triangle(unsigned int *texture, float x, float y, float z, float rot_x, float rot_y,
                   float rot_z, float half_a, float half_b);
// One sagging cable from (x1, y1) to (x2, y2), in the colour 0xRRGGBB; the
// surface is not used.
int draw_fil(SDL_Surface *unused, int x1, int y1, int x2, int y2, int colour);
