#include "engine/kept_frame.h"

#include <GL/gl.h>
#include <SDL.h>

namespace {

// Width and height of the texture: the smallest power of two holding the
// window, which OpenGL 1.x textures need.
constexpr int SIDE = 1024;

GLuint texture = 0;

PIXEL_BOX window_box()
{
    const SDL_Surface *window = SDL_GetVideoSurface();
    return {0, 0, window->w, window->h};
}

} // namespace

void keep_frame_part(const PIXEL_BOX &box)
{
    const PIXEL_BOX window = window_box();
    const PIXEL_BOX b = common_part(box, common_part(window, {0, 0, SIDE, SIDE}));
    if (b.empty())
        return;
    glPushAttrib(GL_TEXTURE_BIT);
    if (texture == 0) {
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, SIDE, SIDE, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    // Texture rows count up from the window's bottom row, as the buffer's do.
    const int bottom = window.y1 - b.y1;
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, b.x0, bottom, b.x0, bottom, b.x1 - b.x0, b.y1 - b.y0);
    glPopAttrib();
}

bool restore_kept_frame()
{
    if (texture == 0)
        return false;
    const PIXEL_BOX window = window_box();
    const float w = static_cast<float>(window.x1), h = static_cast<float>(window.y1);
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT | GL_TRANSFORM_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, w, 0, h, -1, 1); // y upwards, as the texture's rows
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_SCISSOR_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Each texel onto its pixel, unchanged.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    const float s = w / SIDE, t = h / SIDE;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(s, 0);
    glVertex2f(w, 0);
    glTexCoord2f(s, t);
    glVertex2f(w, h);
    glTexCoord2f(0, t);
    glVertex2f(0, h);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
    return true;
}

void forget_kept_frame()
{
    if (texture != 0)
        glDeleteTextures(1, &texture);
    texture = 0;
}
