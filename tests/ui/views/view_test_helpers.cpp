#include "view_test_helpers.h"

#include <gtest/gtest.h>

#include <GL/glx.h>
#include <X11/Xutil.h>

#include <cstring>

#include "cables/cable_list.h"
#include "engine/font_data.h"
#include "engine/video.h"
#include "panels/panel_drawing.h"
#include "panels/module_panel.h"
#include "panels/panel_lists.h"
#include "ui/views/view_state.h"
#include "synth/note2freq.h"
#include "ui/views/step_events.h"

namespace view_test {

void open_window()
{
    static const int opened = initGL(VIEW_WIDTH, VIEW_HEIGHT, "views", "grfx/opengl.qim");
    ASSERT_EQ(opened, 0) << "no window for the view tests";
    if (our_font_7.textures == nullptr)
        our_font_7.init("Fonts/04b_03b_.ttf", 6);
}

static std::string written(TempDir &dir, const std::string &text)
{
    open_window();
    fill_NOTE2FREQ();
    return dir.write("PATCH.QSY", text);
}

VIEW_PATCH::VIEW_PATCH(const std::string &text, bool back_view)
    : path(written(dir, text)), patch(path)
{
    for (OBJET *p : objets_globaux) {
        p->evolue();
        p->calcule_lasurfaceoccupee();
        p->toggle_all_draw_flag(1);
        p->Draw_Scene(nullptr);
    }
    if (back_view)
        toggle_FILS_view();
    offsx = offsy = mouse_x = mouse_y = 0;
    forget_view_picks();
    cree_list_liens();
    link_not_created = 0;
    drain();
}

VIEW_PATCH::~VIEW_PATCH()
{
    if (BACK_VIEW_TOGGLE)
        toggle_FILS_view();
    forget_view_picks();
}

OBJET &panel_of(const char *module)
{
    for (OBJET *p : objets_globaux)
        if (const MODULE m = module_of(p); m && std::strcmp(m.name(), module) == 0)
            return *p;
    ADD_FAILURE() << "no panel for " << module;
    return *objets_globaux.front();
}

POINT centre(OBJET &panel, const char *element)
{
    const SPRITE *s = panel.get_SPRITE_by_name(element);
    EXPECT_NE(s, nullptr) << element;
    return s ? POINT{static_cast<int>(panel.x + s->x + s->w / 2),
                     static_cast<int>(panel.y + s->y + s->h / 2)}
             : POINT{-1, -1};
}

POINT empty_spot()
{
    const SDL_Surface *window = SDL_GetVideoSurface();
    for (int y = window->h - 8; y > 0; y -= 16)
        for (int x = window->w - 8; x > 0; x -= 16) {
            const POINT p{x + offsx, y + offsy};
            bool covered = false;
            for (const OBJET *o : objets_globaux)
                covered = covered || (p.x >= o->x && p.x < o->x + o->w && p.y >= o->y &&
                                      p.y < o->y + o->h);
            if (!covered)
                return p;
        }
    ADD_FAILURE() << "every point of the window shows a panel";
    return {0, 0};
}

SDL_Event mouse_event(Uint8 type, Uint8 which, POINT p)
{
    SDL_Event e = {};
    const Uint16 x = static_cast<Uint16>(p.x - offsx), y = static_cast<Uint16>(p.y - offsy);
    if (type == SDL_MOUSEMOTION)
        e.motion = {type, 0, 0, x, y, 0, 0};
    else
        e.button = {type, 0, which, 0, x, y};
    return e;
}

void motion(POINT p)
{
    SDL_Event e = mouse_event(SDL_MOUSEMOTION, 0, p);
    SDL_PushEvent(&e);
}

void button(Uint8 type, Uint8 which, POINT p)
{
    SDL_Event e = mouse_event(type, which, p);
    SDL_PushEvent(&e);
}

void key(Uint8 type, SDLKey sym, Uint16 unicode)
{
    SDL_Event e = {};
    e.key.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.unicode = unicode;
    SDL_PushEvent(&e);
}

void drain()
{
    post_step_events();
    for (SDL_Event e; SDL_PollEvent(&e);) {
    }
}

POINT pointer()
{
    SDL_PumpEvents();
    POINT p;
    SDL_GetMouseState(&p.x, &p.y);
    return p;
}

std::vector<uint32_t> window_picture()
{
    glFinish();
    const SDL_Surface *window = SDL_GetVideoSurface();
    Display *display = glXGetCurrentDisplay();
    XImage *image = XGetImage(display, glXGetCurrentDrawable(), 0, 0, window->w, window->h,
                              AllPlanes, ZPixmap);
    std::vector<uint32_t> out;
    if (image == nullptr) {
        ADD_FAILURE() << "no picture of the window";
        return out;
    }
    for (int y = 0; y < window->h; y++)
        for (int x = 0; x < window->w; x++)
            out.push_back(XGetPixel(image, x, y) & 0xffffff);
    XDestroyImage(image);
    return out;
}

std::vector<float> render_second(GENERATOR &patch, void (*rewire)(GENERATOR &))
{
    if (rewire)
        rewire(patch);
    std::vector<float> samples;
    for (int i = 0; i < 44100; i++) {
        patch.evaluate_one_sample();
        samples.push_back(patch.get_MIXER_by_name("MIXER_4")->value);
    }
    return samples;
}

} // namespace view_test
