// Flat drawing in window pixels from the top-left, over the view: filled
// rectangles, one-pixel frames and text in the colours of the panels. The
// modal boxes, the cable legend and the marks of bound knobs draw with it.
#pragma once

#include <GL/gl.h>

#include <string>

#include "engine/font_data.h"

namespace box {

struct RGB {
    GLubyte r, g, b;
};
// The plate, its outline, a display's glass, and the inks.
constexpr RGB PLATE = {57, 60, 66}, OUTLINE = {150, 154, 160}, LCD = {10, 22, 16};
constexpr RGB LEGEND = {236, 234, 224}, GREEN = {0, 255, 0}, AMBER = {255, 176, 48};

// While it lives, drawing is in window pixels from the top-left, flat (no
// texture, depth test or blending) with one-pixel lines.
class WINDOW_PIXELS {
public:
    WINDOW_PIXELS();
    ~WINDOW_PIXELS();
    WINDOW_PIXELS(const WINDOW_PIXELS &) = delete;
    WINDOW_PIXELS &operator=(const WINDOW_PIXELS &) = delete;
};

int window_w();
int window_h();

void fill(int x, int y, int w, int h, RGB c);
void frame(int x, int y, int w, int h, RGB c);
// Text whose baseline is `baseline` pixels from the top of the window;
// nothing while the font is not built.
void text(const freetype::font_data &font, int x, int baseline, RGB c, const std::string &s);

} // namespace box
