// Draws the panels of a patch in a real window, in the front view, in the
// back view and, when a third picture is asked for, with the module panels in
// their compact front view, and saves each view as one picture. Run from data/:
//     qm_panel_pictures QSY/DEMO.QSY <front.png> <back.png> [<compact.png>]
// The panels are built and placed as the program places them, then moved
// apart in rows so that none hides another; the front and compact pictures
// show the three dashboards in a row under them, the back picture the cables
// of the patch. The work area they cover is drawn window by window through
// the scroll offsets and put together.
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/font_data.h"
#include "engine/qbiblio.h"
#include "engine/sprite.h"
#include "engine/video.h"
#include "cables/cable_list.h"
#include "ui/dialogs/save_command.h"
#include "panels/info_dash.h"
#include "panels/module_dash.h"
#include "panels/panel_drawing.h"
#include "panels/panel_lists.h"
#include "panels/system_dash.h"
#include "ui/views/view_state.h"
#include "screenshot.h"
#include "synth/generator.h"

namespace {

const int ROW_WIDTH = 1480; // the width the panels are laid out in
const int GAP = 12;

// Places the panels in rows from the top of the area given, in the order of
// the list, and returns the size of the area they cover with it.
SDL_Rect lay_out(const std::vector<OBJET *> &panels, SDL_Rect area)
{
    int x = GAP, y = area.h + GAP, row_height = 0, width = area.w;
    for (OBJET *panel : panels) {
        OBJET &p = *panel;
        const int w = static_cast<int>(p.w), h = static_cast<int>(p.h);
        if (x + w > ROW_WIDTH && x > GAP) {
            x = GAP;
            y += row_height + GAP;
            row_height = 0;
        }
        p.setxyz(static_cast<float>(x), static_cast<float>(y), 0);
        x += w + GAP;
        width = std::max(width, x);
        row_height = std::max(row_height, h);
    }
    return SDL_Rect{0, 0, static_cast<Uint16>(width), static_cast<Uint16>(y + row_height + GAP)};
}

// The area grown downwards to where the cables hang: each cable is the curve
// the cable drawing makes, through its 31 points.
SDL_Rect with_cables(SDL_Rect area)
{
    for (const LINK *cable : liens) {
        const float p0 = cable->corde.y1 + 15.0f, p2 = cable->corde.y2 + 15.0f, p1 = p0 + p2 - 15;
        for (int i = 0; i <= 30; i++) {
            const float t = i / 30.0f;
            const float y = (1 - t) * (1 - t) * p0 + 2 * t * (1 - t) * p1 + t * t * p2;
            area.h = static_cast<Uint16>(std::max<int>(area.h, static_cast<int>(y) + GAP));
        }
    }
    return area;
}

// The work-area backdrop under the window at the current scroll offsets.
void draw_backdrop()
{
    SPRITE tile("FOND_ELECTRO", 0, 0, 0, 0, 0, 1.0f, 0, 0);
    tile.evolue();
    if (tile.w <= 0 || tile.h <= 0)
        return;
    const int tw = static_cast<int>(tile.w), th = static_cast<int>(tile.h);
    for (int y = offsy / th * th; y < offsy + VIEW_HEIGHT; y += th)
        for (int x = offsx / tw * tw; x < offsx + VIEW_WIDTH; x += tw) {
            tile.setxyz(static_cast<float>(x), static_cast<float>(y), 0);
            tile.blit(nullptr);
        }
}

// Draws the area window by window into one picture: the panels, then the
// dashboards or the cables.
bool save_view(const SDL_Rect &area, const std::string &path)
{
    SDL_Surface *picture =
        SDL_CreateRGBSurface(SDL_SWSURFACE, area.w, area.h, 24, 0xFF, 0xFF00, 0xFF0000, 0);
    for (offsy = 0; offsy < area.h; offsy += VIEW_HEIGHT)
        for (offsx = 0; offsx < area.w; offsx += VIEW_WIDTH) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            OrthoMode(0, 0, VIEW_WIDTH, VIEW_HEIGHT);
            draw_backdrop();
            draw_all_modules(1, 0, objets_globaux, nullptr, offsx, offsy, 1);
            if (BACK_VIEW_TOGGLE) {
                for (LINK *cable : liens)
                    cable->blit(nullptr);
            } else {
                draw_all_modules_DASH(1, 0, objets_panel_front, nullptr, offsx, offsy);
            }
            PerspectiveMode();
            SDL_Surface *frame = read_frame(VIEW_WIDTH, VIEW_HEIGHT);
            SDL_Rect at = {static_cast<Sint16>(offsx), static_cast<Sint16>(offsy), 0, 0};
            SDL_BlitSurface(frame, nullptr, picture, &at);
            SDL_FreeSurface(frame);
            SDL_GL_SwapBuffers();
        }
    offsx = offsy = 0;
    const bool saved = save_picture(picture, path);
    SDL_FreeSurface(picture);
    std::printf("%s %s\n", path.c_str(), saved ? "saved" : "NOT saved");
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4 && argc != 5) {
        const char *usage = "usage: %s <patch.QSY> <front.png> <back.png> [<compact.png>]\n"
                            "(run from data/)\n";
        std::fprintf(stderr, usage, argv[0]);
        return 2;
    }
    initGL(VIEW_WIDTH, VIEW_HEIGHT, "panels", "grfx/opengl.qim");
    SDL_WM_SetCaption("qmodular panels", nullptr);
    our_font_7.init("Fonts/04b_03b_.ttf", 6);
    glClearColor(0.1f, 0.1f, 0.11f, 0);

    gen = new GENERATOR(argv[1]);
    initialise_gui_from_current();
    objets_panel_front = {new INFO_DASH(),
                          new SYSTEM_DASH({open_load_dialog, SAVE_QSY, toggle_FILS_view}),
                          new MODULE_DASH()};
    const std::vector<OBJET *> built_order(objets_globaux.rbegin(), objets_globaux.rend());
    const SDL_Rect panels = lay_out(built_order, SDL_Rect{0, 0, 0, 0});
    const SDL_Rect front = lay_out(objets_panel_front, panels);
    bool saved = save_view(front, argv[2]);
    toggle_FILS_view();
    cree_list_liens();
    saved = save_view(with_cables(panels), argv[3]) && saved;
    if (argc == 5) {
        toggle_FILS_view();
        for (OBJET *panel : objets_globaux)
            panel->toggle_view_mode(OBJET::VIEW_COMPACT);
        for (OBJET *dash : objets_panel_front)
            dash->calcule_lasurfaceoccupee(); // their drawing took the size of their own image
        const SDL_Rect compact = lay_out(built_order, SDL_Rect{0, 0, 0, 0});
        saved = save_view(lay_out(objets_panel_front, compact), argv[4]) && saved;
    }

    for (LINK *cable : liens)
        delete cable;
    for (OBJET *panel : objets_globaux)
        delete panel;
    for (OBJET *dash : objets_panel_front)
        delete dash;
    gen->release_modules();
    delete gen;
    our_font_7.clean();
    delete bibliotheque_graphique;
    SDL_Quit();
    return saved ? 0 : 1;
}
