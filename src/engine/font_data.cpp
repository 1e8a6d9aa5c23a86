#include "engine/font_data.h"

#include <GL/glu.h>
#include FT_GLYPH_H

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "engine/draw_record.h"

freetype::font_data our_font_7;
freetype::font_data our_font_14;

namespace freetype {

static const int CHARACTERS = 128;
static const int MAX_TEXT = 255; // longest formatted text, in characters

int next_p2(int a)
{
    int p = 1;
    while (p < a)
        p <<= 1;
    return p;
}

// Throws after releasing what FreeType holds, so that a failed build leaks nothing.
[[noreturn]] static void fail(FT_Library library, FT_Face face, const char *message)
{
    if (face != nullptr)
        FT_Done_Face(face);
    FT_Done_FreeType(library);
    throw std::runtime_error(message);
}

// Grey value 0-255 of a glyph bitmap pixel. Pixel fonts keep their glyphs as
// 1-bit bitmaps, which rendering leaves as they are.
static unsigned char grey_at(const FT_Bitmap &bitmap, int x, int y)
{
    const unsigned char *row = bitmap.buffer + y * bitmap.pitch;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
        return (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
    return row[x];
}

glyph_place make_dlist(FT_Face face, char c, GLuint list_base, GLuint *textures)
{
    const unsigned char code = static_cast<unsigned char>(c);
    if (FT_Load_Glyph(face, FT_Get_Char_Index(face, code), FT_LOAD_DEFAULT))
        throw std::runtime_error("FT_Load_Glyph failed");
    FT_Glyph glyph;
    if (FT_Get_Glyph(face->glyph, &glyph))
        throw std::runtime_error("FT_Get_Glyph failed");
    FT_Glyph_To_Bitmap(&glyph, FT_RENDER_MODE_NORMAL, nullptr, 1);
    const FT_BitmapGlyph bitmap_glyph = reinterpret_cast<FT_BitmapGlyph>(glyph);
    const FT_Bitmap &bitmap = bitmap_glyph->bitmap;
    const int bw = static_cast<int>(bitmap.width), rows = static_cast<int>(bitmap.rows);

    // Luminance and alpha both carry the glyph's grey value; the padding up
    // to powers of two stays empty.
    const int width = next_p2(bw), height = next_p2(rows);
    std::vector<GLubyte> data(2 * width * height, 0);
    for (int j = 0; j < rows; j++)
        for (int i = 0; i < bw; i++)
            data[2 * (i + j * width)] = data[2 * (i + j * width) + 1] = grey_at(bitmap, i, j);

    glBindTexture(GL_TEXTURE_2D, textures[code]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // rows of a 1-texel-wide glyph are 2 bytes
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE,
                 data.data());
    glPopClientAttrib();

    const float tx = static_cast<float>(bw) / width, ty = static_cast<float>(rows) / height;
    glNewList(list_base + code, GL_COMPILE);
    glBindTexture(GL_TEXTURE_2D, textures[code]);
    glPushMatrix();
    glTranslatef(static_cast<float>(bitmap_glyph->left), 0, 0);
    glTranslatef(0, static_cast<float>(bitmap_glyph->top - rows), 0);
    glBegin(GL_QUADS);
    glTexCoord2d(0, 0);
    glVertex2f(0, static_cast<float>(rows));
    glTexCoord2d(0, ty);
    glVertex2f(0, 0);
    glTexCoord2d(tx, ty);
    glVertex2f(static_cast<float>(bw), 0);
    glTexCoord2d(tx, 0);
    glVertex2f(static_cast<float>(bw), static_cast<float>(rows));
    glEnd();
    glPopMatrix();
    const glyph_place place = {bitmap_glyph->left, bitmap_glyph->top - rows, bw, rows,
                               static_cast<int>(face->glyph->advance.x >> 6)};
    glTranslatef(static_cast<float>(place.advance), 0, 0);
    glEndList();

    FT_Done_Glyph(glyph);
    return place;
}

void font_data::init(const char *font_file, unsigned int height)
{
    h = static_cast<float>(height);
    FT_Library library;
    if (FT_Init_FreeType(&library))
        throw std::runtime_error("FT_Init_FreeType failed");
    FT_Face face = nullptr;
    if (FT_New_Face(library, font_file, 0, &face))
        fail(library, nullptr,
             "FT_New_Face failed (there is probably a problem with your font file)");
    FT_Set_Char_Size(face, height * 64, height * 64, 96, 96);

    textures = new GLuint[CHARACTERS];
    list_base = glGenLists(CHARACTERS);
    glGenTextures(CHARACTERS, textures);
    try {
        for (int c = 0; c < CHARACTERS; c++)
            places[c] = make_dlist(face, static_cast<char>(c), list_base, textures);
    } catch (const std::runtime_error &error) {
        clean();
        fail(library, face, error.what());
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

void font_data::clean()
{
    if (textures == nullptr)
        return;
    glDeleteLists(list_base, CHARACTERS);
    glDeleteTextures(CHARACTERS, textures);
    delete[] textures;
    textures = nullptr;
}

void pushScreenCoordinateMatrix()
{
    glPushAttrib(GL_TRANSFORM_BIT);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(viewport[0], viewport[2], viewport[1], viewport[3]);
    glPopAttrib();
}

void pop_projection_matrix()
{
    glPushAttrib(GL_TRANSFORM_BIT);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

// Calls line(number, characters, length) for each line of the text, from
// the first (number 0), with the characters the font has: bytes above 127
// have no list of this font (the lists that follow may belong to another
// font) and are left out.
template <typename LINE> static void for_each_line(const char *text, LINE &&line)
{
    GLubyte characters[MAX_TEXT + 1];
    for (int number = 0;; number++) {
        int length = 0;
        for (; *text != '\0' && *text != '\n'; text++)
            if (static_cast<unsigned char>(*text) < CHARACTERS)
                characters[length++] = static_cast<GLubyte>(*text);
        line(number, characters, length);
        if (*text == '\0')
            return;
        text++;
    }
}

// The lower-left corner of a line: on whole pixels, since a glyph drawn
// between two pixel rows or columns is smeared over both by the texture's
// filtering and becomes unreadable.
static void line_origin(const font_data &font, float x, float y, int number, float &ox, float &oy)
{
    ox = std::round(x);
    oy = std::round(y - font.h / 0.63f * number);
}

// The window pixels of the text's glyph quads, under the modelview matrix
// m. The text's projection counts y upwards from the bottom of the viewport,
// which starts at the window's corner.
static PIXEL_BOX text_box(const font_data &font, float x, float y, const char *text,
                          const GLint viewport[4], const GLfloat m[16])
{
    POINT_SPAN span;
    for_each_line(text, [&](int number, const GLubyte *characters, int length) {
        float ox, oy;
        line_origin(font, x, y, number, ox, oy);
        float pen = 0;
        for (int i = 0; i < length; i++) {
            const glyph_place &g = font.places[characters[i]];
            for (float gx : {pen + g.left, pen + g.left + g.width})
                for (float gy :
                     {static_cast<float>(g.bottom), static_cast<float>(g.bottom + g.rows)})
                    span.add(ox + m[0] * gx + m[4] * gy + m[12],
                             viewport[3] - (oy + m[1] * gx + m[5] * gy + m[13]));
            pen += g.advance;
        }
    });
    return span.box(1);
}

// The text as one primitive: what it shows, where, in which colour, and its
// box.
static void record_text(DRAW_RECORD &record, const font_data &font, float x, float y,
                        const char *text)
{
    GLint viewport[4];
    GLfloat modelview[16], colour[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    record.add(text_box(font, x, y, text, viewport, modelview), font.list_base, x, y, viewport,
               modelview, colour, std::string_view(text));
}

void print(const font_data &font, float x, float y, const char *fmt, ...)
{
    if (fmt == nullptr)
        return;
    char text[MAX_TEXT + 1];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(text, sizeof text, fmt, args);
    va_end(args);
    if (DRAW_RECORD *record = open_record()) {
        record_text(*record, font, x, y, text);
        return;
    }

    pushScreenCoordinateMatrix();
    glPushAttrib(GL_LIST_BIT | GL_CURRENT_BIT | GL_ENABLE_BIT | GL_TRANSFORM_BIT);
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glListBase(font.list_base);
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    auto box = [&] {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        return text_box(font, x, y, text, viewport, modelview);
    };
    if (drawn_within_clip(box))
        for_each_line(text, [&](int number, const GLubyte *characters, int length) {
            float ox, oy;
            line_origin(font, x, y, number, ox, oy);
            glPushMatrix();
            glLoadIdentity();
            glTranslatef(ox, oy, 0);
            glMultMatrixf(modelview);
            glCallLists(length, GL_UNSIGNED_BYTE, characters);
            glPopMatrix();
        });
    glPopAttrib();
    pop_projection_matrix();
}

} // namespace freetype
