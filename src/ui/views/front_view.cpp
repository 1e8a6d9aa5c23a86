#include "ui/views/front_view.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "ui/dialogs/save_command.h"
#include "ui/views/view_events.h"
#include "ui/views/view_pointer.h"
#include "ui/views/status_line.h"
#include "engine/video.h"
#include "panels/controller_bindings.h"
#include "panels/dashboard_row.h"
#include "panels/panel_drawing.h"
#include "panels/panel_lists.h"
#include "panels/panel_messages.h"
#include "panels/seq_gui.h"

namespace {

using LIST = std::vector<OBJET *>;

FRONT_VIEW &view = front_view;

// A panel moved near any edge of the window scrolls the view that way.
const EDGE_SCROLL EDGE_RULES[] = {
    {&offsx, &mouse_x, true, VIEW_WIDTH - EDGE_ZONE, 1, FRONT_SCROLL_MAX_X},
    {&offsx, &mouse_x, false, EDGE_ZONE, -1, 0},
    {&offsy, &mouse_y, true, VIEW_HEIGHT - EDGE_ZONE, 1, FRONT_SCROLL_MAX_Y},
    {&offsy, &mouse_y, false, EDGE_ZONE, -1, 0},
};

// Ctrl+click on a knob or a switch: a MIDI controller is bound to it, or
// unbound.
bool learn_pointed_knob(LIST &list)
{
    if (!ctrl_held)
        return false;
    for (OBJET *panel : list) {
        if (SPRITE *p = panel->get_pointed_object()) {
            if (!is_bindable(*panel, p))
                return false;
            say_in_window(learn_knob(*panel, *p), 20);
            return true;
        }
    }
    return false;
}

// The first panel of the list with a widget under the pointer gets the press:
// dashboards come first in the list, so their widgets win over module panels.
int press_left(LIST &list, const SDL_MouseButtonEvent &button)
{
    if (learn_pointed_knob(list))
        return VIEW_REDRAW;
    view.Lpressed_flag = 1;
    mouse_x = LLDOWNmouse_x = button.x;
    mouse_y = LLDOWNmouse_y = button.y;
    for (size_t i = 0; i < list.size(); i++) {
        if (SPRITE *p = list[i]->get_pointed_object()) {
            nr_ins_cible = static_cast<int>(i);
            view.cible = p;
            list[i]->ajoute_message(MESSAGE(1, &event, nullptr, p));
            view.objet_clicked_left = list[i];
            break;
        }
    }
    return VIEW_REDRAW;
}

int on_button_press(LIST &list)
{
    SDL_MouseButtonEvent &button = event.button;
    to_work_area(button);
    SDL_ShowCursor(0);
    switch (button.button) {
    case SDL_BUTTON_MIDDLE:
        press_middle(view, list, button);
        return 0;
    case SDL_BUTTON_LEFT:
        return press_left(list, button);
    case SDL_BUTTON_RIGHT:
        mouse_x = button.x;
        mouse_y = button.y;
        return press_right(view, list);
    default:
        return 0;
    }
}

// One knob step per pixel of vertical motion, the pointer held at the press
// point (it is hidden, so a knob turns without limit). Up turns the knob up,
// raising its value: the panels' word for that is "SLD_DOWN".
int turn_picked_widget()
{
    const int dy = LLDOWNmouse_y - mouse_y;
    if (dy == 0 || view.objet_clicked_left == nullptr)
        return 0;
    const char *word = dy > 0 ? "SLD_DOWN" : "SLD_UP";
    for (int i = std::abs(dy); i > 0; i--)
        view.objet_clicked_left->ajoute_message(MESSAGE(0, &event, word, view.cible));
    mouse_x = LLDOWNmouse_x;
    mouse_y = LLDOWNmouse_y;
    warp_to_left_press();
    return VIEW_REDRAW;
}

int on_motion(LIST &list)
{
    int result = follow_pointer(view, list, event.motion, FRONT_SCROLL_MAX_X, FRONT_SCROLL_MAX_Y);
    if (highlight_pointed_sprite(view, list, true))
        result |= VIEW_REDRAW;
    if (view.Lpressed_flag && view.cible != nullptr)
        result |= turn_picked_widget();
    return result | move_picked_panel(view, list, EDGE_RULES, std::size(EDGE_RULES));
}

int on_button_release(LIST &list)
{
    SDL_MouseButtonEvent &button = event.button;
    to_work_area(button);
    if (button.button == SDL_BUTTON_MIDDLE)
        if (OBJET *panel = panel_at(list, get_pointed_instrument(&list)))
            panel->toggle_view_mode(0);
    if (release_without_pick(view, button) || !view.Lpressed_flag)
        return VIEW_REDRAW;
    view.Lpressed_flag = 0;
    OBJET *panel = panel_at(list, nr_ins_cible);
    if (panel == nullptr)
        panel = panel_at(list, 0);
    if (panel != nullptr)
        panel->ajoute_message(MESSAGE(1, &event, nullptr, view.cible));
    view.cible = nullptr;
    view.objet_clicked_left = nullptr;
    // A knob turned holds the pointer at the press; a sideways drift goes back.
    if (button.x != LLDOWNmouse_x || button.y != LLDOWNmouse_y)
        warp_to_left_press();
    return VIEW_REDRAW;
}

// A sequencer's step (or another user event) asks for a redraw. A step also
// goes to its sequencer's panel, which shows the playing pattern anew when the
// step wraps to the first one; a panel off screen reads no messages, so it
// keeps at most one step waiting.
int on_step(LIST &)
{
    const SDL_UserEvent &step = event.user;
    SEQ_GUI *panel = step.code == 1 && step.data2 != nullptr
                         ? get_sequencer_gui_by_its_parent(static_cast<SEQUENCER *>(step.data2))
                         : nullptr;
    auto waiting = [](const MESSAGE &m) { return is_gesture(m, GESTURE::STEP); };
    if (panel != nullptr && std::none_of(panel->messages.begin(), panel->messages.end(), waiting))
        panel->ajoute_message(MESSAGE(1, &event, nullptr, nullptr));
    return VIEW_REDRAW;
}

// The view scrolls to the dashboards' row.
void show_dashboards(LIST &)
{
    offsx = 0;
    offsy = dashboards_scroll_y(FRONT_SCROLL_MAX_Y, offsy);
}

const KEY_ACTION FRONT_PRESSES[] = {
    {SDLK_F4, [](LIST &) { SAVE_QSY(); }},
    {SDLK_F6, [](LIST &) { toggle_FILS_view(); }},
    {SDLK_HOME, show_dashboards},
};

} // namespace

const VIEW_KEYS FRONT_KEYS = {FRONT_PRESSES, KEY_TABLE()};

int SDL_PollEVENT(LIST &list, int accept_client, SDL_Surface *)
{
    static const VIEW_EVENTS FRONT = {on_button_press,    on_motion,           on_button_release,
                                      FRONT_KEYS.presses, FRONT_KEYS.releases, on_step};
    return poll_view_events(list, accept_client, FRONT);
}
