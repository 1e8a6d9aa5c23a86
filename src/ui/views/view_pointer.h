// The mouse handling that the front and the back view share: converting
// positions to the work area, scrolling with the middle button, moving panels
// with the right button (with the scroll at the window's edges), and the
// highlight of the sprite under the pointer.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <vector>

#include "engine/objet.h"
#include "ui/views/view_state.h"

// The index in the list of the first panel whose rectangle holds (mouse_x,
// mouse_y), edges included; -1 when none. Where panels overlap the earlier one
// wins, although the later one is drawn on top.
int get_pointed_instrument(const std::vector<OBJET *> *list);

// The panel at index i of the list; null for -1 or beyond the list (the index
// may come from a call with another list, such as the load dialog's).
OBJET *panel_at(const std::vector<OBJET *> &list, int i);

// A button event's window position becomes a work-area position, in place
// (16-bit arithmetic, as the event holds it).
void to_work_area(SDL_MouseButtonEvent &button);

// Middle press: the scroll starts from the pointer.
void press_middle(VIEW_PICKS &view, const std::vector<OBJET *> &list,
                  const SDL_MouseButtonEvent &button);
// Right press: the first panel of the list under the pointer is picked for
// moving (and becomes MOVING_OBJET); on empty space the module browser opens,
// for a module at the pointer (ui/views/module_commands.h). VIEW_REDRAW.
int press_right(VIEW_PICKS &view, const std::vector<OBJET *> &list);

// The start of every pointer motion: the panel under the pointer (still at
// its previous position), the middle-button scroll, then the pointer itself.
// The scroll moves the offsets by the pointer's way since the middle press, so
// the work area follows it one motion behind; they stay within 0 .. max_x and
// 0 .. max_y. VIEW_SCROLLED while the middle button is held.
int follow_pointer(VIEW_PICKS &view, const std::vector<OBJET *> &list,
                   const SDL_MouseMotionEvent &motion, int max_x, int max_y);

// One rule of the scroll that a panel moved near the window's edge causes.
struct EDGE_SCROLL {
    int *offset;  // offsx or offsy
    int *pointer; // mouse_x or mouse_y
    bool beyond;  // true: when the pointer is more than `edge` pixels
                  // from the window's left (top); false: at most `edge`
    int edge;
    int direction; // +1: the offset grows (right, down); -1: it shrinks
    int limit;     // the offset stops there
};

// The width of the band along the window's edges where a panel moved towards
// the edge scrolls the view.
constexpr int EDGE_ZONE = 60;

// Moves the panel picked with the right button, if any while no sprite is
// picked: each edge rule on its own (VIEW_SCROLLED for each that scrolls),
// then the panel's top-left corner to the pointer; the cables must follow
// (link_not_created). Near an edge the view scrolls as far as the pointer
// moved on towards it in this motion, so that the panel stays under the hand
// and the work area slides at the hand's pace. VIEW_REDRAW when a panel
// moved.
int move_picked_panel(VIEW_PICKS &view, const std::vector<OBJET *> &list, const EDGE_SCROLL *rules,
                      size_t rule_count);

// Highlights the sprite under the pointer when it is a new one: the one
// before loses its highlight (only while the left button is up). With
// post_messages the panel under the pointer is sent "TOUCH_OUT" and
// "TOUCH_IN" for them. The information dashboard follows the panel and the
// element under the pointer, none included. True when a new sprite was
// highlighted or the dashboard changed.
bool highlight_pointed_sprite(VIEW_PICKS &view, const std::vector<OBJET *> &list,
                              bool post_messages);

// Any button release first ends a panel move: shows the pointer, drops the
// picked sprite when a panel was being moved, and forgets the panel. Then,
// with no sprite picked, a middle release ends the scroll; true when the
// release is thereby done (no sprite was picked).
bool release_without_pick(VIEW_PICKS &view, const SDL_MouseButtonEvent &button);

// Puts the pointer back where the left button was pressed.
void warp_to_left_press();
