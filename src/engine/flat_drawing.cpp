#include "engine/flat_drawing.h"

#include <SDL.h>

#include "engine/video.h"

namespace box {

WINDOW_PIXELS::WINDOW_PIXELS()
{
    OrthoMode(0, 0, window_w(), window_h());
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glLineWidth(1);
}

WINDOW_PIXELS::~WINDOW_PIXELS()
{
    glPopAttrib();
    PerspectiveMode();
}

int window_w() { return SDL_GetVideoSurface()->w; }
int window_h() { return SDL_GetVideoSurface()->h; }

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

void text(const freetype::font_data &font, int x, int baseline, RGB c, const std::string &s)
{
    if (font.textures == nullptr)
        return;
    glColor3ub(c.r, c.g, c.b);
    freetype::print(font, static_cast<float>(x), static_cast<float>(window_h() - baseline), "%s",
                    s.c_str());
}

} // namespace box
