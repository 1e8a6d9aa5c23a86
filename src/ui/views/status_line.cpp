#include "ui/views/status_line.h"

#include <GL/gl.h>

#include <chrono>

#include "engine/font_data.h"
#include "engine/video.h"
#include "panels/panel_drawing.h"

namespace {

using CLOCK = std::chrono::steady_clock;

std::string text;
CLOCK::time_point until;
bool shown = false; // what the last status_changed() saw: a text on show

bool on_show() { return !text.empty() && CLOCK::now() < until; }

} // namespace

void say_in_window(const std::string &t, int seconds)
{
    text = t;
    until = CLOCK::now() + std::chrono::seconds(seconds);
    shown = !on_show(); // whatever was shown, the line has changed
}

std::string status_text() { return on_show() ? text : std::string(); }

bool status_changed()
{
    const bool now = on_show();
    const bool changed = now != shown;
    shown = now;
    return changed;
}

void draw_status_line()
{
    const std::string t = status_text();
    if (t.empty())
        return;
    OrthoMode(0, 0, VIEW_WIDTH, VIEW_HEIGHT);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4ub(0, 0, 0, 200);
    glRecti(0, VIEW_HEIGHT - STATUS_LINE_HEIGHT, VIEW_WIDTH, VIEW_HEIGHT);
    glPopAttrib();
    glColor3ub(0xff, 0xc0, 0x40);
    // The text renderer counts y upwards from the bottom of the window.
    freetype::print(our_font_7, 8, 4, "%s", t.c_str());
    glColor3ub(255, 255, 255);
    PerspectiveMode();
}
