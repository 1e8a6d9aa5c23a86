// Pixel access to software surfaces, in their own pixel layout.
#pragma once

#include <SDL.h>

// Stores the mapped colour at (x, y) for 1 to 4 bytes per pixel.
void putpixel(SDL_Surface *s, int x, int y, unsigned char r, unsigned char g, unsigned char b);
// Stores a 32-bit word at (x, y) of a 4-byte surface when 0 < y <= 799 and the
// pixel lies inside.
void putpixel(SDL_Surface *s, int x, int y, unsigned int colour);
// The pixel at (x, y) as stored (its bytes in the low part of the word); 0
// outside the surface.
unsigned int getpixel(SDL_Surface *s, int x, int y);
// Fills the whole surface with one colour; does nothing if it cannot be locked.
void ClearScreen(SDL_Surface *s, unsigned char r, unsigned char g, unsigned char b);
