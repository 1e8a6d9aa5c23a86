#include "engine/kept_frame.h"

#include <GL/gl.h>
#include <GL/glx.h>
#include <SDL.h>

#include <cstring>
#include <vector>

namespace {

// Width and height of the texture: the smallest power of two holding the
// window, which OpenGL 1.x textures need.
constexpr int SIDE = 1024;

GLuint texture = 0;

// What a swap does to the back buffer, as seen so far.
enum class SWAP { UNKNOWN, KEEPS, LOSES };
SWAP swap_seen = SWAP::UNKNOWN;
// The sampled rows of the last frame painted before its swap, and of the one
// before it.
std::vector<unsigned char> painted_rows, earlier_rows;
// The last frame painted was shown by copying its parts, its back buffer
// left as it was.
bool shown_by_copies = false;
bool part_copies_on = true;

using COPY_SUB_BUFFER = void (*)(Display *, GLXDrawable, int, int, int, int);

// The copy of a part of the back buffer into the window, where the current
// context's display offers it; null otherwise (no GLX context, say).
COPY_SUB_BUFFER copy_sub_buffer(Display *display)
{
    static Display *asked = nullptr;
    static COPY_SUB_BUFFER copy = nullptr;
    if (display != asked) {
        asked = display;
        const char *extensions =
            display ? glXQueryExtensionsString(display, DefaultScreen(display)) : nullptr;
        copy = extensions && std::strstr(extensions, "GLX_MESA_copy_sub_buffer")
                   ? reinterpret_cast<COPY_SUB_BUFFER>(glXGetProcAddressARB(
                         reinterpret_cast<const GLubyte *>("glXCopySubBufferMESA")))
                   : nullptr;
    }
    return copy;
}

// Four whole rows of the back buffer, spread over the window.
std::vector<unsigned char> sample_rows()
{
    const SDL_Surface *window = SDL_GetVideoSurface();
    std::vector<unsigned char> rows(4 * 4 * static_cast<size_t>(window->w));
    glPushAttrib(GL_PIXEL_MODE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    for (int i = 0; i < 4; ++i)
        glReadPixels(0, window->h * (2 * i + 1) / 8, window->w, 1, GL_RGBA, GL_UNSIGNED_BYTE,
                     rows.data() + 4 * static_cast<size_t>(window->w) * i);
    glPopClientAttrib();
    glPopAttrib();
    return rows;
}

// Whether the back buffer still holds the frame shown, and what that says
// of swaps.
bool back_buffer_holds_frame_shown()
{
    if (swap_seen == SWAP::LOSES || painted_rows.empty())
        return false;
    const bool found = sample_rows() == painted_rows;
    if (swap_seen == SWAP::UNKNOWN) {
        if (!found)
            swap_seen = SWAP::LOSES;
        else if (painted_rows != earlier_rows)
            swap_seen = SWAP::KEEPS; // a trading swap would have shown the earlier rows
        else
            return false; // not told apart yet
    }
    return found;
}

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

void frame_painted()
{
    shown_by_copies = false;
    if (swap_seen == SWAP::LOSES)
        return;
    earlier_rows = std::move(painted_rows);
    painted_rows = sample_rows();
}

bool restore_kept_frame()
{
    if (texture == 0)
        return false;
    if (shown_by_copies || back_buffer_holds_frame_shown())
        return true;
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

bool show_parts(const std::vector<PIXEL_BOX> &parts)
{
    Display *display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    const COPY_SUB_BUFFER copy = copy_sub_buffer(display);
    if (!part_copies_on || !copy || !window)
        return false;
    // Rectangles from the window's bottom-left corner, as OpenGL counts.
    const int h = window_box().y1;
    for (const PIXEL_BOX &p : parts)
        copy(display, window, p.x0, h - p.y1, p.x1 - p.x0, p.y1 - p.y0);
    shown_by_copies = true;
    return true;
}

void use_part_copies(bool on) { part_copies_on = on; }

void forget_kept_frame()
{
    if (texture != 0)
        glDeleteTextures(1, &texture);
    texture = 0;
    painted_rows.clear();
    earlier_rows.clear();
    shown_by_copies = false;
    swap_seen = SWAP::UNKNOWN; // a new context may swap otherwise
}
