// How the name entry looks: a plate-coloured box in the middle of the window,
// the name on a dark display in green, the message in amber, the files of the
// directory in columns of small type.
#include <GL/gl.h>

#include <algorithm>
#include <string>

#include "engine/font_data.h"
#include "engine/video.h"
#include "ui/dialogs/name_entry.h"

namespace {

const int BOX_W = 576, BOX_H = 252;
const int MARGIN = 16;
const int FIELD_H = 22;
const int FILE_COLUMNS = 4, FILE_ROWS = 10, FILE_ROW_H = 10, FILE_CHARS = 30;
const int NAME_CHARS = 64; // the end of a longer name is shown

struct RGB {
    GLubyte r, g, b;
};
const RGB PLATE = {57, 60, 66}, OUTLINE = {150, 154, 160}, LCD = {10, 22, 16};
const RGB LEGEND = {236, 234, 224}, GREEN = {0, 255, 0}, AMBER = {255, 176, 48};

void fill(int x, int y, int w, int h, RGB c)
{
    glColor3ub(c.r, c.g, c.b);
    glRecti(x, y, x + w, y + h);
}

void frame(int x, int y, int w, int h, RGB c)
{
    glColor3ub(c.r, c.g, c.b);
    glBegin(GL_LINE_LOOP);
    glVertex2f(x + 0.5f, y + 0.5f);
    glVertex2f(x + w - 0.5f, y + 0.5f);
    glVertex2f(x + w - 0.5f, y + h - 0.5f);
    glVertex2f(x + 0.5f, y + h - 0.5f);
    glEnd();
}

// Text whose baseline is `baseline` pixels from the top of the window.
void text(const freetype::font_data &font, int x, int baseline, RGB c, const std::string &s)
{
    if (font.textures == nullptr)
        return;
    glColor3ub(c.r, c.g, c.b);
    freetype::print(font, static_cast<float>(x),
                    static_cast<float>(SDL_GetVideoSurface()->h - baseline), "%s", s.c_str());
}

std::string shortened(const std::string &s, size_t chars)
{
    return s.size() <= chars ? s : s.substr(0, chars - 3) + "...";
}

int window_w() { return SDL_GetVideoSurface()->w; }
int window_h() { return SDL_GetVideoSurface()->h; }

} // namespace

void NAME_ENTRY::draw()
{
    const int x = (window_w() - BOX_W) / 2, y = (window_h() - BOX_H) / 2;
    OrthoMode(0, 0, window_w(), window_h());
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glLineWidth(1);
    fill(x, y, BOX_W, BOX_H, PLATE);
    frame(x, y, BOX_W, BOX_H, OUTLINE);
    fill(x + MARGIN, y + 36, BOX_W - 2 * MARGIN, FIELD_H, LCD);
    frame(x + MARGIN - 1, y + 35, BOX_W - 2 * MARGIN + 2, FIELD_H + 2, OUTLINE);

    const int left = x + MARGIN;
    text(our_font_14, left, y + 24, LEGEND, prompt);
    const std::string typed = name;
    text(our_font_14, left + 6, y + 52, GREEN,
         (typed.size() > NAME_CHARS ? "<" + typed.substr(typed.size() - NAME_CHARS) : typed) + "_");
    text(our_font_14, left, y + 80, AMBER, message);

    const std::string where = directory.empty() ? "the working directory" : directory;
    text(our_font_7, left, y + 100, LEGEND,
         files.empty() ? "No file in " + where : "Files in " + where + ":");
    const int column_w = (BOX_W - 2 * MARGIN) / FILE_COLUMNS;
    const size_t shown = std::min(files.size(), size_t(FILE_COLUMNS * FILE_ROWS));
    for (size_t i = 0; i < shown; i++)
        text(our_font_7, left + column_w * static_cast<int>(i / FILE_ROWS),
             y + 116 + FILE_ROW_H * static_cast<int>(i % FILE_ROWS), LEGEND,
             shortened(files[i], FILE_CHARS));
    if (files.size() > shown)
        text(our_font_7, left, y + 116 + FILE_ROW_H * FILE_ROWS, LEGEND,
             "and " + std::to_string(files.size() - shown) + " more");
    text(our_font_7, left, y + BOX_H - 22, LEGEND,
         "ONE WORD; .QSY IS ADDED TO A NAME WITHOUT QSY, SO THAT THE LOAD DIALOG LISTS IT");
    text(our_font_7, left, y + BOX_H - 10, LEGEND,
         "ENTER: SAVE     BACKSPACE: ERASE     ESCAPE: CANCEL");
    glPopAttrib();
    PerspectiveMode();
}
