#include "app/view_painting.h"

#include <GL/gl.h>

#include <cstdio>

#include "app/scope_view.h"
#include "cables/cable_colours.h"
#include "cables/cable_list.h"
#include "ui/views/back_view.h"
#include "engine/sprite.h"
#include "engine/video.h"
#include "panels/panel_drawing.h"
#include "panels/panel_lists.h"
#include "ui/views/status_line.h"
#include "ui/views/view_state.h"

SPRITE *fond_tile = nullptr;
unsigned long cable_list_rebuilds = 0;

namespace {

// The drawing functions take a surface that none of them uses.
SDL_Surface *const buffer = nullptr;

// columns x rows tiles, the grid starting at the tile corner at or before
// the scroll offsets, so that they cover the window wherever it looks. The
// tile takes its image's size as it is drawn.
void draw_tiles(int columns, int rows)
{
    fond_tile->set_sprite_NAME("FOND_ELECTRO");
    fond_tile->evolue();
    const int tw = static_cast<int>(fond_tile->w), th = static_cast<int>(fond_tile->h);
    if (tw <= 0 || th <= 0)
        return;
    const int x0 = offsx / tw * tw, y0 = offsy / th * th;
    for (int i = 0; i < columns; i++)
        for (int j = 0; j < rows; j++) {
            fond_tile->setxyz(static_cast<float>(x0 + i * tw), static_cast<float>(y0 + j * th), 0);
            fond_tile->blit(buffer);
        }
}

void start_frame()
{
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    OrthoMode(0, 0, VIEW_WIDTH, VIEW_HEIGHT);
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

void paint_front_view(int redraw_bits, int remote_result)
{
    start_frame();
    draw_tiles(10, 10);
    draw_all_modules(redraw_bits, remote_result, objets_globaux, buffer, offsx, offsy, 1);
    draw_all_modules_DASH(1, 0, objets_panel_front, buffer, 0, 0);
    PerspectiveMode();
    draw_status_line();
}

void paint_back_view(int redraw_bits, int remote_result)
{
    if (link_not_created == 1) {
        std::printf("Cree liste des liens\n");
        rebuild_cables();
        link_not_created = 0;
        cable_list_rebuilds++;
    }
    for (OBJET *panel : objets_globaux)
        panel->evolue();
    start_frame();
    draw_tiles(6, 6);
    draw_all_modules(redraw_bits, remote_result, objets_globaux, buffer, offsx, offsy, 1);
    for (LINK *cable : liens)
        cable->blit(buffer);
    PerspectiveMode();
    draw_cable_legend();
    draw_status_line();
}

void paint_current_view(void *)
{
    if (DISPLAY_OSCILLO)
        paint_trace();
    else if (BACK_VIEW_TOGGLE)
        paint_back_view(VIEW_REDRAW, 0);
    else
        paint_front_view(VIEW_REDRAW, 0);
}
