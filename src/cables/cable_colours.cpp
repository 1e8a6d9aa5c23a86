#include "cables/cable_colours.h"

#include <GL/gl.h>

#include <cstring>

#include "engine/flat_drawing.h"
#include "engine/font_data.h"
#include "engine/video.h"

const CABLE_LOOK CABLE_LOOKS[5] = {
    {CABLE_KIND::AUDIO, "SOUND", 0xc8c8b8},     {CABLE_KIND::PITCH, "PITCH", 0x50a0ff},
    {CABLE_KIND::GATE, "GATE", 0xe64040},       {CABLE_KIND::SYNC, "SYNC", 0xf0c828},
    {CABLE_KIND::MODULATION, "MODULATION", 0x5ac86e},
};

CABLE_KIND cable_kind(MODULE_KIND reader, const SOCKET &socket)
{
    switch (socket.signal) {
    case SIGNAL::GATE:
        return CABLE_KIND::GATE;
    case SIGNAL::SYNC:
        return CABLE_KIND::SYNC;
    case SIGNAL::AUDIO:
        break;
    }
    if (std::strncmp(socket.element, "INPUT_MOD", 9) == 0)
        return CABLE_KIND::MODULATION;
    if ((reader == VCO_MODULE || reader == SAMPLER_MODULE) && std::strcmp(socket.element, "INPUT") == 0)
        return CABLE_KIND::PITCH;
    return CABLE_KIND::AUDIO;
}

int cable_colour(CABLE_KIND kind)
{
    for (const CABLE_LOOK &look : CABLE_LOOKS)
        if (look.kind == kind)
            return look.colour;
    return CABLE_LOOKS[0].colour;
}

namespace {

constexpr int ROW = 12, SWATCH = 16, BOX_W = 104, PAD = 6;
constexpr int COUNT = static_cast<int>(sizeof CABLE_LOOKS / sizeof CABLE_LOOKS[0]);
constexpr int BOX_H = PAD * 2 + ROW * COUNT;

} // namespace

PIXEL_BOX cable_legend_box(int w, int h)
{
    const int x = w - BOX_W - 8, y = h - BOX_H - 24;
    return {x, y, x + BOX_W, y + BOX_H};
}

void draw_cable_legend()
{
    const PIXEL_BOX legend = cable_legend_box(box::window_w(), box::window_h());
    const int x = legend.x0, y = legend.y0;
    const box::WINDOW_PIXELS flat;
    box::fill(x, y, BOX_W, BOX_H, {24, 26, 30});
    glLineWidth(3);
    for (int i = 0; i < COUNT; ++i) {
        const int c = CABLE_LOOKS[i].colour, row_y = y + PAD + ROW * i + ROW / 2;
        glColor3ub(static_cast<GLubyte>(c >> 16), static_cast<GLubyte>(c >> 8),
                   static_cast<GLubyte>(c));
        glBegin(GL_LINES);
        glVertex2i(x + PAD, row_y);
        glVertex2i(x + PAD + SWATCH, row_y);
        glEnd();
        box::text(our_font_7, x + PAD + SWATCH + 6, row_y + 3, box::LEGEND, CABLE_LOOKS[i].name);
    }
}
