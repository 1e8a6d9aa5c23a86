#include "ui/views/back_view.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "cables/cable_drop.h"
#include "cables/cable_list.h"
#include "cables/cable_paint.h"
#include "panels/module_panel.h"
#include "patch/patch_sections.h"
#include "ui/dialogs/save_command.h"
#include "ui/views/status_line.h"
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
    {&offsx, &mouse_x, false, EDGE_ZONE, -1, 0},
    {&offsy, &mouse_y, false, EDGE_ZONE, -1, 0},
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

// A socket without cable: a new cable starts there, its other end in hand.
void start_new_cable(OBJET &panel, SPRITE *socket)
{
    LINK *link = start_cable(&panel, socket);
    if (link == nullptr)
        return;
    const bool from_output = std::strstr(socket->NAME, "OUTPUT") != nullptr;
    view.clicked_link = link;
    view.clicked_link_new = 1;
    view.clicked_link_side = from_output ? 0 : 1;
    view.clicked_link_type = cable_end_kind(socket->NAME, view.clicked_link_side);
    toggle_picked_plug(0, 1);
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
        if (view.clicked_link == nullptr)
            start_new_cable(*panel, p);
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

// The picked plug shows plugged only over a socket that would take it, and
// pulled out anywhere else.
void preview_drop(LIST &list)
{
    OBJET *panel = panel_at(list, get_pointed_instrument(&list));
    SPRITE *p = panel != nullptr ? panel->get_pointed_object() : nullptr;
    if (drop_refusal(*view.clicked_link, view.clicked_link_type, panel, p).empty())
        toggle_picked_plug(1, 0);
    else
        toggle_picked_plug(0, 1);
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
        if (view.clicked_link_new)
            link_not_created = 1;
        view.clicked_link = nullptr;
        view.clicked_link_new = 0;
        return VIEW_REDRAW;
    }
    view.Lpressed_flag = 0;
    if (view.clicked_link != nullptr) {
        toggle_picked_plug(0, 0);
        if (view.clicked_link_moved) {
            OBJET *target = panel_at(list, get_pointed_instrument(&list));
            const std::string why =
                drop_cable_end(*view.clicked_link, view.clicked_link_type, DUPLICATE_LINK_FLAG != 0,
                               target, target != nullptr ? target->get_pointed_object() : nullptr);
            say_in_window(why);
        }
    }
    if (view.clicked_link_new)
        link_not_created = 1; // the new cable, dropped nowhere, goes
    view.clicked_link = nullptr;
    view.clicked_link_moved = 0;
    view.clicked_link_new = 0;
    view.cible = nullptr;
    // The pointer stays where the cable end was dropped.
    return VIEW_REDRAW | VIEW_CABLE_MOVED | VIEW_SCROLLED;
}

void print_oscillator_links(LIST &list)
{
    const MODULE m = module_of(panel_at(list, nr_ins_cible));
    if (m.kind == VCO_MODULE)
        write_links_of(*gen, m, stdout);
}

// F8: the cable in hand, or the one plugged at the socket under the pointer
// (an input's own, else the first at an output), takes its next colour.
void repaint_pointed_cable(LIST &list)
{
    LINK *cable = view.clicked_link;
    OBJET *panel = panel_at(list, get_pointed_instrument(&list));
    if (SPRITE *p = cable == nullptr && panel != nullptr ? panel->get_pointed_object() : nullptr) {
        for (LINK *link : liens)
            if (link->input_socket == p || (cable == nullptr && link->output_socket == p))
                cable = link;
    }
    say_in_window(cable != nullptr ? repaint_cable(*cable)
                                   : "F8 paints the cable at the socket under the pointer");
}

const KEY_ACTION BACK_PRESSES[] = {
    {SDLK_F8, repaint_pointed_cable},
    {SDLK_RCTRL, [](LIST &) { DUPLICATE_LINK_FLAG = 1; }},
    {SDLK_F4, [](LIST &) { save_patch_with_entry("QSY/"); }},
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
