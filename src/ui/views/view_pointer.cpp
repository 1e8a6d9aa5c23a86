#include "ui/views/view_pointer.h"

#include "ui/views/module_commands.h"

#include "cables/cable_list.h"
#include "engine/video.h"
#include "panels/info_dash.h"

OBJET *panel_at(const std::vector<OBJET *> &list, int i)
{
    return i >= 0 && static_cast<size_t>(i) < list.size() ? list[static_cast<size_t>(i)] : nullptr;
}

void to_work_area(SDL_MouseButtonEvent &button)
{
    button.x = static_cast<Uint16>(button.x + offsx);
    button.y = static_cast<Uint16>(button.y + offsy);
}

void press_middle(VIEW_PICKS &view, const std::vector<OBJET *> &list,
                  const SDL_MouseButtonEvent &button)
{
    MMDOWNmouse_x = button.x;
    MMDOWNmouse_y = button.y;
    view.Mpressed_flag = 1;
    nr_ins_cible = get_pointed_instrument(&list);
}

int press_right(VIEW_PICKS &view, const std::vector<OBJET *> &list)
{
    view.Rpressed_flag = 1;
    view.nr_objet_clk_droit = get_pointed_instrument(&list);
    if (view.nr_objet_clk_droit == -1) {
        browse_modules_at(mouse_x, mouse_y);
        return VIEW_REDRAW;
    }
    MOVING_OBJET = view.nr_objet_clk_droit;
    return VIEW_REDRAW;
}

namespace {

int held_within(int offset, int max)
{
    if (offset <= 0)
        return 0;
    return offset > max - 1 ? max : offset;
}

} // namespace

int follow_pointer(VIEW_PICKS &view, const std::vector<OBJET *> &list,
                   const SDL_MouseMotionEvent &motion, int max_x, int max_y)
{
    int result = 0;
    nr_ins_cible = get_pointed_instrument(&list);
    if (view.Mpressed_flag) {
        offsx = held_within(offsx + MMDOWNmouse_x - mouse_x, max_x);
        offsy = held_within(offsy + MMDOWNmouse_y - mouse_y, max_y);
        result |= VIEW_SCROLLED;
    }
    view.moved_x = view.window_x >= 0 ? motion.x - view.window_x : 0;
    view.moved_y = view.window_y >= 0 ? motion.y - view.window_y : 0;
    view.window_x = motion.x;
    view.window_y = motion.y;
    mouse_x = motion.x + offsx;
    mouse_y = motion.y + offsy;
    return result;
}

int move_picked_panel(VIEW_PICKS &view, const std::vector<OBJET *> &list, const EDGE_SCROLL *rules,
                      size_t rule_count)
{
    if (view.cible != nullptr || view.nr_objet_clk_droit == -1)
        return 0;
    int result = 0;
    for (size_t i = 0; i < rule_count; i++) {
        const EDGE_SCROLL &r = rules[i];
        const int from_edge = *r.pointer - *r.offset;
        const int moved = r.pointer == &mouse_x ? view.moved_x : view.moved_y;
        if ((r.beyond ? from_edge > r.edge : from_edge <= r.edge) && moved * r.direction > 0) {
            const int before = *r.offset;
            *r.offset += moved;
            if (r.direction > 0 ? *r.offset > r.limit : *r.offset < r.limit)
                *r.offset = r.limit;
            // The pointer keeps its place in the window: on the work area it
            // moved with the view.
            *r.pointer += *r.offset - before;
            result |= VIEW_SCROLLED;
        }
    }
    if (OBJET *panel = panel_at(list, view.nr_objet_clk_droit)) {
        panel->setx(static_cast<float>(mouse_x));
        panel->sety(static_cast<float>(mouse_y));
        panel->changed = 1;
        link_not_created = 1;
        result |= VIEW_REDRAW;
    }
    return result;
}

bool highlight_pointed_sprite(VIEW_PICKS &view, const std::vector<OBJET *> &list,
                              bool post_messages)
{
    OBJET *panel = panel_at(list, nr_ins_cible);
    SPRITE *p = panel != nullptr ? panel->get_pointed_object() : nullptr;
    // The information dashboard names whatever is under the pointer, nothing
    // included.
    const bool described = information_dash != nullptr && information_dash->set_CIBLE(panel, p);
    if (p == nullptr || p == view.cible_touched)
        return described;
    if (!view.Lpressed_flag && view.cible_touched != nullptr) {
        view.cible_touched->touched = 0;
        p->redraw = 1;
        if (post_messages)
            panel->ajoute_message(MESSAGE(0, &event, "TOUCH_OUT", view.cible_touched));
        view.cible_touched = nullptr;
    }
    if (post_messages)
        panel->ajoute_message(MESSAGE(0, &event, "TOUCH_IN", p));
    p->touched = 1;
    p->redraw = 1;
    view.cible_touched = p;
    return true;
}

bool release_without_pick(VIEW_PICKS &view, const SDL_MouseButtonEvent &button)
{
    SDL_ShowCursor(1);
    if (view.nr_objet_clk_droit != -1)
        view.cible = nullptr;
    view.nr_objet_clk_droit = -1;
    view.Rpressed_flag = 0;
    if (view.cible != nullptr)
        return false;
    if (button.button == SDL_BUTTON_MIDDLE) {
        view.Mpressed_flag = 0;
        MMDOWNmouse_x = button.x;
        MMDOWNmouse_y = button.y;
    }
    return true;
}

void warp_to_left_press()
{
    SDL_WarpMouse(static_cast<Uint16>(LLDOWNmouse_x - offsx),
                  static_cast<Uint16>(LLDOWNmouse_y - offsy));
}

int get_pointed_instrument(const std::vector<OBJET *> *list)
{
    if (list == nullptr)
        return -1;
    const BASE pointer(static_cast<float>(mouse_x), static_cast<float>(mouse_y), 0, nullptr);
    for (size_t i = 0; i < list->size(); i++) {
        const OBJET *p = (*list)[i];
        const RECTANGLE area(p->x, p->y, 0, p->w, p->h, 0, nullptr);
        if (area == pointer)
            return static_cast<int>(i);
    }
    return -1;
}
