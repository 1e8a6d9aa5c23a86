#include "engine/label.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>

#include "engine/font_data.h"

LABEL::LABEL(const char *text, int x, int y, int, int, int param, int size, int colour)
    : SPRITE("IMG_001", 100, 100, 0, 0, 0, 1.0f, 0, 0), param(param), prev_colour(0),
      colour(colour), size(size)
{
    corner_origin = true;
    redraw = 1;
    snprintf(this->text, sizeof this->text, "%s", text ? text : "");
    prev_text[0] = '\0';
    setxyz(x, y, 0);
}

int LABEL::evolue()
{
    SPRITE::evolue();
    if (strcmp(text, prev_text) == 0 && colour == prev_colour)
        return 0;
    memcpy(prev_text, text, sizeof prev_text);
    prev_colour = colour;
    redraw = 1;
    // In 64 bits: some labels carry sizes in the millions.
    w = static_cast<float>(static_cast<long long>(strlen(text)) * size / 2);
    h = static_cast<float>(size);
    return 0;
}

void LABEL::blit(SDL_Surface *)
{
    // The text renderer counts y upwards from the bottom of the 768-pixel window.
    float text_y = corner_origin ? 747 - y + 15 : y;
    if (our_font_7.textures) {
        glColor3ub(static_cast<GLubyte>(colour >> 16), static_cast<GLubyte>(colour >> 8),
                   static_cast<GLubyte>(colour));
        freetype::print(our_font_7, x, text_y, "%s", text);
        glColor3ub(255, 255, 255);
    }
    redraw = 0;
}
