#include "app/view_painting.h"

#include <GL/gl.h>

#include <cstdio>
#include <string>
#include <utility>

#include "app/scope_view.h"
#include "cables/cable_colours.h"
#include "cables/cable_list.h"
#include "engine/sprite.h"
#include "engine/video.h"
#include "engine/kept_frame.h"
#include "panels/panel_drawing.h"
#include "panels/controller_bindings.h"
#include "panels/panel_lists.h"
#include "ui/views/back_view.h"
#include "ui/views/status_line.h"
#include "ui/views/view_state.h"

SPRITE *fond_tile = nullptr;
unsigned long cable_list_rebuilds = 0;

namespace {

// The drawing functions take a surface that none of them uses.
SDL_Surface *const buffer = nullptr;

constexpr PIXEL_BOX WINDOW = {0, 0, VIEW_WIDTH, VIEW_HEIGHT};
constexpr PIXEL_BOX STATUS_BAND = {0, VIEW_HEIGHT - STATUS_LINE_HEIGHT, VIEW_WIDTH, VIEW_HEIGHT};

// The frame the window shows; no frame (view -1) when it shows something else.
VIEW_FRAME shown;

// columns x rows tiles, the grid starting at the tile corner at or before
// the scroll offsets, so that they cover the window wherever it looks; only
// those that reach into the part are drawn. The tile takes its image's size
// as it is drawn.
void draw_tiles(int columns, int rows, const PIXEL_BOX &part)
{
    fond_tile->set_sprite_NAME("FOND_ELECTRO");
    fond_tile->evolue();
    const int tw = static_cast<int>(fond_tile->w), th = static_cast<int>(fond_tile->h);
    if (tw <= 0 || th <= 0)
        return;
    const int x0 = offsx / tw * tw, y0 = offsy / th * th;
    for (int i = 0; i < columns; i++)
        for (int j = 0; j < rows; j++) {
            const int x = x0 + i * tw, y = y0 + j * th;
            if (!overlap({x - offsx, y - offsy, x - offsx + tw, y - offsy + th}, part))
                continue;
            fond_tile->setxyz(static_cast<float>(x), static_cast<float>(y), 0);
            fond_tile->blit(buffer);
        }
}

void draw_layer(const LAYER &layer)
{
    switch (layer.kind) {
    case LAYER::PANEL:
        draw_panel(*layer.panel);
        break;
    case LAYER::CABLE:
        layer.cable->blit(buffer);
        break;
    case LAYER::CABLE_LEGEND:
        draw_cable_legend();
        break;
    case LAYER::BINDING_MARKS:
        draw_binding_marks();
        break;
    case LAYER::STATUS_LINE:
        draw_status_line();
        break;
    }
}

// The legend, the marks of bound knobs and the status line's band are plain
// shapes, which are no recorded primitives: the legend, which never changes,
// is recorded as its box, each mark as its box, the line as its text over the
// band.
void record(LAYER &layer)
{
    DRAW_RECORDING recording(layer.record);
    if (layer.kind == LAYER::CABLE_LEGEND) {
        layer.record.add(cable_legend_box(VIEW_WIDTH, VIEW_HEIGHT));
    } else if (layer.kind == LAYER::BINDING_MARKS) {
        for (const PIXEL_BOX &mark : binding_marks())
            layer.record.add(mark);
    } else if (layer.kind == LAYER::STATUS_LINE) {
        const std::string text = status_text();
        if (!text.empty())
            layer.record.add(STATUS_BAND, std::string_view(text));
    } else {
        draw_layer(layer);
    }
}

// Clears the frame, then draws the tiles and each layer that reaches into the
// part, in order, the primitives wholly outside the part left out.
void paint(const VIEW_FRAME &frame, int tiles, const PIXEL_BOX &part)
{
    const DRAW_CLIP clip(part);
    glClear(GL_COLOR_BUFFER_BIT);
    draw_tiles(tiles, tiles, part);
    for (const LAYER &layer : frame.layers)
        if (overlap(layer.record.box(), part))
            draw_layer(layer);
}

// Records the frame due, then paints it whole, or the frame shown (kept,
// engine/kept_frame.h) with the parts where the frame due differs painted
// over it, each under its scissor; what was painted is kept, and the frame
// due is shown from then on.
REPAINT paint_frame(VIEW_FRAME due, int tiles, bool whole)
{
    glLoadIdentity();
    glColor3f(1, 1, 1);
    OrthoMode(0, 0, VIEW_WIDTH, VIEW_HEIGHT);
    for (LAYER &layer : due.layers)
        record(layer);
    REPAINT repaint =
        whole ? REPAINT{true, {}} : repaint_between(shown, due, VIEW_WIDTH, VIEW_HEIGHT);
    if (!repaint.whole && !repaint.parts.empty() && !restore_kept_frame())
        repaint = {true, {}};
    if (repaint.whole) {
        paint(due, tiles, WINDOW);
        keep_frame_part(WINDOW);
    }
    for (const PIXEL_BOX &part : repaint.parts) {
        glScissor(part.x0, VIEW_HEIGHT - part.y1, part.x1 - part.x0, part.y1 - part.y0);
        glEnable(GL_SCISSOR_TEST);
        paint(due, tiles, part);
        glDisable(GL_SCISSOR_TEST);
        keep_frame_part(part);
    }
    if (repaint.whole || !repaint.parts.empty())
        frame_painted();
    PerspectiveMode();
    shown = std::move(due);
    return repaint;
}

std::vector<OBJET *> panels_in_view()
{
    std::vector<OBJET *> in_view;
    for (OBJET *panel : objets_globaux)
        if (is_in_view(*panel, offsx, offsy))
            in_view.push_back(panel);
    return in_view;
}

void add_panel_layers(VIEW_FRAME &frame, const std::vector<OBJET *> &panels)
{
    for (OBJET *panel : panels)
        frame.layers.push_back({LAYER::PANEL, panel, panel->x, panel->y, nullptr, {}});
}

} // namespace

void create_background_tile()
{
    fond_tile = new SPRITE("FOND_GLOBAL", 0, 0, 0, 0, 0, 1.0f, 0, 0);
    fond_tile->alpha = 255;
    fond_tile->evolue();
    fond_tile->set_sprite_NAME("FOND_ELECTRO");
}

void free_background_tile()
{
    delete fond_tile;
    fond_tile = nullptr;
}

void cover_start_up_screen()
{
    OrthoMode(0, 0, VIEW_WIDTH, VIEW_HEIGHT);
    for (int i = 0; i < 28; i++)
        for (int j = 0; j < 26; j++) {
            fond_tile->evolue();
            fond_tile->setxyz(i * fond_tile->w, j * fond_tile->h, 0);
            fond_tile->blit(buffer);
        }
    PerspectiveMode();
}

REPAINT paint_front_view(bool whole)
{
    const std::vector<OBJET *> in_view = panels_in_view();
    // Brought up to date before anything is recorded: a dashboard may open a
    // modal box as it takes its clicks, which paints the window whole and
    // forgets the frame shown, so that this paint is whole too.
    for (OBJET *panel : in_view)
        panel->evolue();
    for (OBJET *dash : objets_panel_front)
        dash->evolue();
    VIEW_FRAME due = {0, panel_side_turns, offsx, offsy, {}};
    add_panel_layers(due, in_view);
    due.layers.push_back({LAYER::BINDING_MARKS, nullptr, 0, 0, nullptr, {}});
    add_panel_layers(due, objets_panel_front);
    due.layers.emplace_back();
    return paint_frame(std::move(due), 10, whole);
}

REPAINT paint_back_view(bool whole)
{
    if (link_not_created == 1) {
        std::printf("Cree liste des liens\n");
        rebuild_cables();
        link_not_created = 0;
        cable_list_rebuilds++;
    }
    for (OBJET *panel : objets_globaux)
        panel->evolue();
    VIEW_FRAME due = {1, panel_side_turns, offsx, offsy, {}};
    add_panel_layers(due, panels_in_view());
    for (LINK *cable : liens)
        due.layers.push_back({LAYER::CABLE, nullptr, 0, 0, cable, {}});
    due.layers.push_back({LAYER::CABLE_LEGEND, nullptr, 0, 0, nullptr, {}});
    due.layers.emplace_back();
    return paint_frame(std::move(due), 6, whole);
}

void paint_current_view(void *)
{
    if (DISPLAY_OSCILLO)
        paint_trace();
    else if (BACK_VIEW_TOGGLE)
        paint_back_view(true);
    else
        paint_front_view(true);
    forget_shown_frame();
}

void forget_shown_frame() { shown = VIEW_FRAME(); }

void forget_painted_frames()
{
    forget_shown_frame();
    forget_kept_frame();
}
