#include "view_test_helpers.h"

#include <gtest/gtest.h>

#include <cstring>

#include "cables/cable_list.h"
#include "engine/video.h"
#include "panels/panel_drawing.h"
#include "panels/panel_kinds.h"
#include "panels/panel_lists.h"
#include "panels/view_state.h"
#include "synth/note2freq.h"
#include "synth/step_events.h"

namespace view_test {

namespace {

std::string written(TempDir &dir, const std::string &text)
{
    static bool window = initGL(VIEW_WIDTH, VIEW_HEIGHT, "views", "grfx/opengl.qim");
    (void)window;
    fill_NOTE2FREQ();
    return dir.write("PATCH.QSY", text);
}

} // namespace

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
    offsx = offsy = 0;
    forget_view_picks();
    DUPLICATE_LINK_FLAG = 0;
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
        if (const char *name = module_name(p); name && std::strcmp(name, module) == 0)
            return *p;
    ADD_FAILURE() << "no panel for " << module;
    return *objets_globaux.front();
}

POINT centre(OBJET &panel, const char *element)
{
    const SPRITE *s = panel.get_SPRITE_by_name(element);
    EXPECT_NE(s, nullptr) << element;
    if (s == nullptr)
        return {-1, -1};
    return {static_cast<int>(panel.x + s->x + s->w / 2), static_cast<int>(panel.y + s->y + s->h / 2)};
}

void motion(POINT p)
{
    SDL_Event e = {};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = static_cast<Uint16>(p.x - offsx);
    e.motion.y = static_cast<Uint16>(p.y - offsy);
    SDL_PushEvent(&e);
}

void button(Uint8 type, Uint8 which, POINT p)
{
    SDL_Event e = {};
    e.type = type;
    e.button.button = which;
    e.button.x = static_cast<Uint16>(p.x - offsx);
    e.button.y = static_cast<Uint16>(p.y - offsy);
    SDL_PushEvent(&e);
}

void key(Uint8 type, SDLKey sym)
{
    SDL_Event e = {};
    e.type = type;
    e.key.keysym.sym = sym;
    SDL_PushEvent(&e);
}

void drain()
{
    post_step_events();
    SDL_PumpEvents();
    for (SDL_Event e; SDL_PollEvent(&e);) {
    }
}

POINT pointer()
{
    SDL_PumpEvents();
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    return {x, y};
}

std::vector<float> render_second(GENERATOR &patch)
{
    MIXER *out = patch.get_MIXER_by_name("MIXER_4");
    std::vector<float> samples;
    for (int i = 0; i < 44100; i++) {
        patch.evaluate_one_sample();
        samples.push_back(out->value);
    }
    return samples;
}

std::vector<float> render_second_of(const std::string &path,
                                    const std::function<void(GENERATOR &)> &rewire)
{
    GENERATOR patch(path.c_str());
    if (rewire)
        rewire(patch);
    std::vector<float> samples = render_second(patch);
    patch.release_modules();
    return samples;
}

int differences(const std::vector<float> &a, const std::vector<float> &b)
{
    int n = a.size() == b.size() ? 0 : 1;
    for (size_t i = 0; i < a.size() && i < b.size(); i++)
        n += a[i] != b[i];
    return n;
}

} // namespace view_test
