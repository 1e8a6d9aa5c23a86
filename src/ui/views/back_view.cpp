#include "ui/views/back_view.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "cables/cable_drop.h"
#include "cables/cable_list.h"
#include "panels/module_panel.h"
#include "patch/patch_sections.h"
#include "ui/dialogs/save_command.h"
#include "ui/views/view_events.h"
#include "ui/views/view_pointer.h"
#include "engine/video.h"
#include "panels/panel_drawing.h"

namespace {

using LIST = std::vector<OBJET *>;

LINKS_VIEW &view = links_view;

// In the back view panels scroll the view only at the left and top edges, and
// the work area has no far limit.
const EDGE_SCROLL EDGE_RULES[] = {
    {&offsx, &mouse_x, false, 4, -35, 0},
    {&offsy, &mouse_y, false, 4, -35, 0},
};

// Switches the picked end's plug (see LINK's plug toggles).
void toggle_picked_plug(int plug, int unplug)
{
    if (view.clicked_link_side == 1)
        view.clicked_link->sprite_fiche_cible_toggle(plug, unplug);
    else
        view.clicked_link->sprite_fiche_source_toggle(plug, unplug);
}

// Every cable plugged at the socket shows that end pulled out; the last one of
// the list is the one picked.
void pick_cable_ends(SPRITE *socket)
{
    for (LINK *link : liens) {
        if (link->output_socket == socket) {
            link->sprite_fiche_cible_toggle(0, 0);
            std::printf("CIBLE\n");
            view.clicked_link = link;
            view.clicked_link_side = 1;
            view.clicked_link_type = cable_end_kind(socket->NAME, 1);
        }
        if (link->input_socket == socket) {
            link->sprite_fiche_source_toggle(0, 0);
            std::printf("SOURCE\n");
            view.clicked_link = link;
            view.clicked_link_side = 0;
            view.clicked_link_type = cable_end_kind(socket->NAME, 0);
        }
    }
}

int press_left(LIST &list)
{
    view.Lpressed_flag = 1;
    LLDOWNmouse_x = mouse_x;
    LLDOWNmouse_y = mouse_y;
    OBJET *panel = panel_at(list, nr_ins_cible);
    if (SPRITE *p = panel != nullptr ? panel->get_pointed_object() : nullptr) {
        view.cible = p;
        pick_cable_ends(p);
    }
    return VIEW_REDRAW;
}

int on_button_press(LIST &list)
{
    SDL_MouseButtonEvent &button = event.button;
    to_work_area(button);
    mouse_x = button.x;
    mouse_y = button.y;
    SDL_ShowCursor(0);
    switch (button.button) {
    case SDL_BUTTON_MIDDLE:
        press_middle(view, list, button);
        return 0;
    case SDL_BUTTON_LEFT:
        return press_left(list);
    case SDL_BUTTON_RIGHT:
        return press_right(view, list);
    default:
        return 0;
    }
}

// The picked plug shows plugged over another socket and pulled out over its
// own socket or any other sprite.
void preview_drop(LIST &list)
{
    OBJET *panel = panel_at(list, get_pointed_instrument(&list));
    SPRITE *p = panel != nullptr ? panel->get_pointed_object() : nullptr;
    if (p == nullptr)
        return;
    if (!std::strstr(p->NAME, "OUTPUT") && !std::strstr(p->NAME, "INPUT"))
        return toggle_picked_plug(0, 1);
    std::printf("Atterri sur qlq chose [%s]\n", p->NAME);
    LINK *link = view.clicked_link;
    if (p == (view.clicked_link_side == 1 ? link->output_socket : link->input_socket)) {
        toggle_picked_plug(0, 1);
        std::printf("C le meme amateur !\n");
    } else {
        toggle_picked_plug(1, 0);
    }
}

int on_motion(LIST &list)
{
    int result = follow_pointer(view, list, event.motion, INT_MAX, INT_MAX);
    highlight_pointed_sprite(view, list, false);
    if (view.Lpressed_flag && view.clicked_link != nullptr)
        preview_drop(list);
    if (view.Lpressed_flag && view.cible != nullptr && view.clicked_link != nullptr) {
        view.clicked_link_moved = 1;
        CORDE &cord = view.clicked_link->corde;
        (view.clicked_link_side == 1 ? cord.x2 : cord.x1) = mouse_x;
        (view.clicked_link_side == 1 ? cord.y2 : cord.y1) = mouse_y;
        result |= VIEW_CABLE_MOVED | VIEW_SCROLLED;
    }
    return result | move_picked_panel(view, list, EDGE_RULES, std::size(EDGE_RULES));
}

int on_button_release(LIST &list)
{
    SDL_MouseButtonEvent &button = event.button;
    to_work_area(button);
    mouse_x = button.x;
    mouse_y = button.y;
    if (release_without_pick(view, button) || !view.Lpressed_flag) {
        view.clicked_link = nullptr;
        return VIEW_REDRAW;
    }
    view.Lpressed_flag = 0;
    if (view.clicked_link != nullptr) {
        toggle_picked_plug(0, 0);
        if (view.clicked_link_moved) {
            OBJET *target = panel_at(list, get_pointed_instrument(&list));
            drop_cable_end(*view.clicked_link, view.clicked_link_type, DUPLICATE_LINK_FLAG != 0,
                           target, target != nullptr ? target->get_pointed_object() : nullptr);
        }
    }
    view.clicked_link = nullptr;
    view.clicked_link_moved = 0;
    view.cible = nullptr;
    warp_to_left_press();
    return VIEW_REDRAW | VIEW_CABLE_MOVED | VIEW_SCROLLED;
}

void print_oscillator_links(LIST &list)
{
    const MODULE m = module_of(panel_at(list, nr_ins_cible));
    if (m.kind == VCO_MODULE)
        write_links_of(*gen, m, stdout);
}

const KEY_ACTION BACK_PRESSES[] = {
    {SDLK_RCTRL, [](LIST &) { DUPLICATE_LINK_FLAG = 1; }},
    {SDLK_F4, [](LIST &) { save_patch_with_entry(""); }},
    {SDLK_F5, print_oscillator_links},
    {SDLK_F6,
     [](LIST &) {
         toggle_FILS_view();
         link_not_created = 1; // a cable end held meanwhile goes back to its socket
     }},
};

const KEY_ACTION BACK_RELEASES[] = {
    {SDLK_RCTRL, [](LIST &) { DUPLICATE_LINK_FLAG = 0; }},
};

} // namespace

const VIEW_KEYS BACK_KEYS = {BACK_PRESSES, BACK_RELEASES};

int SDL_PollEVENT_Links(LIST &list, int accept_client, SDL_Surface *)
{
    static const VIEW_EVENTS BACK = {on_button_press,   on_motion,          on_button_release,
                                     BACK_KEYS.presses, BACK_KEYS.releases, nullptr};
    return poll_view_events(list, accept_client, BACK);
}

void rebuild_cables()
{
    links_view.clicked_link = nullptr;
    links_view.clicked_link_moved = 0;
    cree_list_liens();
}
