// A rectangle showing an image of the image library, looked up by name, drawn
// as a textured OpenGL quad; it also notices its own changes.
#pragma once

#include <SDL.h>

#include "engine/rectangle.h"

class SPRITE : public RECTANGLE {
public:
    int prev_touched, prev_angle, prev_alpha;
    char current_NAME[NAME_SIZE]; // the image name last seen by evolue
    bool corner_origin;           // true: x, y is the top-left corner
    int ix, iy, iw, ih;           // int copies of x, y, w, h as last seen
    int touched;                  // pointer over the object
    int pressed;                  // mouse button held on the object
    int redraw;                   // must be drawn again
    int changed;                  // changed since its background was restored
    float zoom;
    int angle;              // whole degrees
    unsigned long colorkey; // 0xRRGGBB
    int use_colorkey;
    int blend; // multiply into the frame when drawn
    int alpha;
    SDL_Surface *surface;        // shown instead of the library image when set
    char sprite_NAME[NAME_SIZE]; // image of the library
    char mask_NAME[NAME_SIZE];   // mask image; empty = no mask

    SPRITE(const char *image_name, int x, int y, int use_colorkey, int colorkey, int blend,
           float zoom, int angle, int alpha);

    // Returns 0 and changes nothing when the name is the current one; otherwise
    // takes it, sets changed and redraw, and returns 1.
    int set_sprite_NAME(const char *name);

    SDL_Surface *get_SDL_Surface();
    SDL_Surface *get_mask_SDL_Surface(); // always null: masks are drawn by OpenGL only
    RECTANGLE *get_rectangle();

    // Change detection: sets redraw and changed when the angle, hover, alpha,
    // position, size or image changed; takes the image's size. Returns 0.
    int evolue() override;

    // Draws the image (and its mask) through OpenGL; the surface is not used.
    void blit(SDL_Surface *unused);

    void affiche() const;

    // The hit test of the user interface: the inclusive point test.
    bool operator==(const BASE &point) const;
};
