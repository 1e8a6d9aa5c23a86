// A line of text on a panel, drawn with the small font in its colour.
#pragma once

#include "engine/msg_responder.h"
#include "engine/sprite.h"

class LABEL : public SPRITE, public MSG_RESPONDER {
public:
    static const int TEXT_SIZE = 800;

    int param;               // kept in the panel description file only
    int prev_colour, colour; // 0xRRGGBB
    char text[TEXT_SIZE];
    char prev_text[TEXT_SIZE];
    int size; // text height in pixels

    // The two unnamed sizes are not used. A text longer than 799 characters is cut.
    LABEL(const char *text, int x, int y, int, int, int param, int size, int colour);

    // Change detection; when the text or colour changed since the last call,
    // marks the label for redrawing and sizes it to the text. Returns 0.
    int evolue() override;

    // Draws the text at the label's position (window pixels, y downwards when
    // corner_origin is set) with the small font, once it has been built.
    // The surface is not used.
    void blit(SDL_Surface *unused);
};
