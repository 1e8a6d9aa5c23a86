#include "app/oscilloscope.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/scope_feed.h"
#include "engine/font_data.h"
#include "engine/video.h"
#include "ui/views/view_state.h"

namespace {

constexpr int TEXTURE_SIZE = 1024; // a power of two that holds the screen
constexpr int WRAP_X = 800;
constexpr int READ_CHUNK = 4096;

} // namespace

OSCILLOSCOPE::OSCILLOSCOPE() : rgb(3 * WIDTH * HEIGHT) { clear(); }

OSCILLOSCOPE::~OSCILLOSCOPE()
{
    if (texture != 0)
        glDeleteTextures(1, &texture);
}

void OSCILLOSCOPE::restart()
{
    MX = 0;
    clear();
}

void OSCILLOSCOPE::clear()
{
    for (size_t i = 0; i < rgb.size(); i += 3) {
        rgb[i] = BACKGROUND >> 16;
        rgb[i + 1] = (BACKGROUND >> 8) & 0xff;
        rgb[i + 2] = BACKGROUND & 0xff;
    }
    dirty_from = 0;
    dirty_to = WIDTH - 1;
    drawn = false;
}

void OSCILLOSCOPE::plot(int x, int y, uint32_t colour)
{
    if (x < 0 || x >= WIDTH || y < 0 || y >= HEIGHT)
        return;
    uint8_t *p = &rgb[3 * (static_cast<size_t>(y) * WIDTH + x)];
    p[0] = colour >> 16;
    p[1] = (colour >> 8) & 0xff;
    p[2] = colour & 0xff;
    if (x < dirty_from)
        dirty_from = x;
    if (x > dirty_to)
        dirty_to = x;
    drawn = true;
}

uint32_t OSCILLOSCOPE::pixel(int x, int y) const
{
    if (x < 0 || x >= WIDTH || y < 0 || y >= HEIGHT)
        return 0;
    const uint8_t *p = &rgb[3 * (static_cast<size_t>(y) * WIDTH + x)];
    return static_cast<uint32_t>(p[0]) << 16 | p[1] << 8 | p[2];
}

void OSCILLOSCOPE::column(float v, int frames_per_call)
{
    const int middle = HEIGHT / 2;
    float y = std::isfinite(v) ? v * 128.0f : 0.0f;
    if (std::fabs(y) > middle)
        y = std::copysign(static_cast<float>(middle), y);
    // Blocks shorter than 700 frames step by 1, not 0, so the trace still moves.
    const float step = static_cast<float>(std::max(1, frames_per_call / 700));
    // Also when MX is no number any more (a ZOOM_FACTOR doubled past the
    // float range). A screen with nothing new is not cleared again, so a
    // trace that jumps past the edge at every sample costs nothing.
    if (!(MX < WRAP_X + 1.0f)) {
        MX = 0;
        if (drawn)
            clear();
    }
    MX += step / 1000 * ZOOM_FACTOR;
    if (!(MX >= 0 && MX < WIDTH))
        return;
    const int x = static_cast<int>(MX);
    if (y != 0) {
        plot(x, middle + static_cast<int>(y), TIP);
        for (int i = 1; i < std::fabs(y); i++)
            plot(x, y >= 0 ? middle + i : middle - i, BAR);
    }
    plot(x, middle, MIDDLE);
}

void OSCILLOSCOPE::take_samples()
{
    float samples[READ_CHUNK];
    const int frames_per_call = scope_feed.last_frames_per_call();
    for (int n; (n = scope_feed.read(samples, READ_CHUNK)) > 0;)
        for (int i = 0; i < n; i++)
            column(samples[i], frames_per_call);
}

void OSCILLOSCOPE::upload()
{
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (texture == 0) {
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, TEXTURE_SIZE, TEXTURE_SIZE, 0, GL_RGB,
                     GL_UNSIGNED_BYTE, nullptr);
        dirty_from = 0;
        dirty_to = WIDTH - 1;
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    if (dirty_from <= dirty_to) {
        glPixelStorei(GL_UNPACK_ROW_LENGTH, WIDTH);
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, dirty_from);
        glTexSubImage2D(GL_TEXTURE_2D, 0, dirty_from, 0, dirty_to - dirty_from + 1, HEIGHT, GL_RGB,
                        GL_UNSIGNED_BYTE, rgb.data());
    }
    glPopClientAttrib();
    dirty_from = WIDTH;
    dirty_to = -1;
}

void OSCILLOSCOPE::draw()
{
    upload();
    OrthoMode(0, 0, WIDTH, HEIGHT);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    const float u = static_cast<float>(WIDTH) / TEXTURE_SIZE;
    const float v = static_cast<float>(HEIGHT) / TEXTURE_SIZE;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2i(0, 0);
    glTexCoord2f(u, 0);
    glVertex2i(WIDTH, 0);
    glTexCoord2f(u, v);
    glVertex2i(WIDTH, HEIGHT);
    glTexCoord2f(0, v);
    glVertex2i(0, HEIGHT);
    glEnd();
    glPopAttrib();
    if (our_font_7.textures != nullptr) {
        // Centred on (150, 25) from the window's top-left corner.
        char text[64];
        std::snprintf(text, sizeof text, "ZOOM SIZE IS %3.3f", ZOOM_FACTOR);
        const float width = 4.0f * static_cast<float>(std::strlen(text));
        glColor3ub(255, 0, 0);
        freetype::print(our_font_7, 150 - width / 2, HEIGHT - 28.0f, "%s", text);
        glColor3ub(255, 255, 255);
    }
    PerspectiveMode();
}
