// TrueType text through OpenGL: each character code 0-127 becomes a texture
// and a display list that draws it and moves the pen on. While a record is
// open (engine/draw_record.h) text draws nothing and adds itself to it.
#pragma once

#include <GL/gl.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace freetype {

// Where a character's quad lies from the pen, in pixels with y upwards, and
// how far the character moves the pen on.
struct glyph_place {
    int left = 0, bottom = 0, width = 0, rows = 0;
    int advance = 0;
};

struct font_data {
    float h = 0;                // height in pixels
    GLuint *textures = nullptr; // 128 texture names, owned
    GLuint list_base = 0;       // first of 128 display lists
    glyph_place places[128];    // of each character

    // Builds the font; throws std::runtime_error when FreeType cannot load it.
    void init(const char *font_file, unsigned int h);
    // Deletes the lists and textures.
    void clean();
};

// Draws printf-formatted text (at most 255 characters) with the lower-left of
// its first line at (x, y), counted in window pixels from the bottom-left; each
// '\n' starts a line h / 0.63 pixels lower. The current colour colours it.
void print(const font_data &font, float x, float y, const char *fmt, ...)
    __attribute__((format(printf, 4, 5)));

// Smallest power of two not smaller than a (1 for a <= 1).
int next_p2(int a);

// Texture textures[c] and display list list_base + c for one character;
// returns where its quad lies.
glyph_place make_dlist(FT_Face face, char c, GLuint list_base, GLuint *textures);

// Pushes a projection in window pixels with the origin at the bottom-left.
void pushScreenCoordinateMatrix();
void pop_projection_matrix();

} // namespace freetype

// The small and large fonts of the user interface (heights 6 and 12).
extern freetype::font_data our_font_7;
extern freetype::font_data our_font_14;
