// What the window's two views keep between events: the pointer and scroll
// state both event handlers share, the modes the keys switch, and the picks of
// each view (the front view's widget, the back view's cable end). One struct
// per view, so that a test can reset it and read it.
#pragma once

#include <SDL.h>

class LINK;
class OBJET;
class SPRITE;

// 1 = oscilloscope mode.
extern int DISPLAY_OSCILLO;
// Horizontal speed of the oscilloscope trace.
extern float ZOOM_FACTOR;
// Index of the panel last picked for moving; -1 = none.
extern int MOVING_OBJET;
// The main loop runs while it is non-zero; the release of Escape clears it.
extern int quit;
// 1 while the right Ctrl key is held: a cable end dropped in the back view is
// copied instead of moved.
extern int DUPLICATE_LINK_FLAG;

// The event being handled.
extern SDL_Event event;
// Whether a Ctrl key was down at the event being handled, as the key events
// handled before it say: the keyboard's state now may already be later than
// a mouse event still queued (a Ctrl+click whose Ctrl was let go meanwhile).
extern bool ctrl_held;
// The pointer (work-area coordinates) at the last left and middle presses.
extern int LLDOWNmouse_x, LLDOWNmouse_y;
extern int MMDOWNmouse_x, MMDOWNmouse_y;
// Index, in the list the handler was given, of the panel under the pointer;
// -1 = none.
extern int nr_ins_cible;

// The patch load dialog, which the main program plugs in here; null (nothing
// happens) until then.
extern void (*load_dialog)();
// The load order of F3 and of the system dashboard's LOAD button (its caller
// sets LOAD_FLAG): the load dialog, after which both views forget their
// picks, since the panels they point into may have been replaced.
void open_load_dialog();

// The orders on the patch as a whole, which the main program plugs in here
// (they live above the views); a null one does nothing.
struct PATCH_ORDERS {
    void (*empty)() = nullptr; // Ctrl+N, the system dashboard's NEW: an empty patch
    void (*undo)() = nullptr;  // Ctrl+Z: the last edit undone
    void (*redo)() = nullptr;  // Ctrl+Shift+Z, Ctrl+Y: the last undo redone
    void (*record)() = nullptr; // F7, the system dashboard's REC: recording starts or stops
};
extern PATCH_ORDERS patch_orders;

// Whether a mouse button is held in either view (a knob turning, a cable
// end or a panel carried): the edit it makes is not over.
bool button_held();

// Result bits of the event handlers, for the main loop.
enum VIEW_RESULT : int {
    VIEW_REDRAW = 1,      // something changed: redraw
    VIEW_CABLE_MOVED = 2, // a cable end was dragged or dropped
    VIEW_SCROLLED = 4,    // the work area scrolled (or a cable drop ended)
};

// What both views keep about the mouse buttons.
struct VIEW_PICKS {
    SPRITE *cible = nullptr;         // the sprite picked with the left button
    SPRITE *cible_touched = nullptr; // the sprite highlighted under the pointer
    int nr_objet_clk_droit = -1;     // the panel moved with the right button
    int Lpressed_flag = 0, Rpressed_flag = 0, Mpressed_flag = 0;
    // The pointer in the window at the last motion (-1: none yet), and how far
    // that motion moved it.
    int window_x = -1, window_y = -1;
    int moved_x = 0, moved_y = 0;
};

// The front view: the picked widget's panel receives the knob turns.
struct FRONT_VIEW : VIEW_PICKS {
    OBJET *objet_clicked_left = nullptr;
};

// The back view: the cable whose end is picked.
struct LINKS_VIEW : VIEW_PICKS {
    LINK *clicked_link = nullptr;
    int clicked_link_side = 0;  // 1 = its output end, 0 = its input end
    int clicked_link_type = 0;  // a CABLE_END kind (cables/cable_drop.h)
    int clicked_link_moved = 0; // 1 once the picked end was dragged
    int clicked_link_new = 0;   // 1 for a cable started at a free socket
};

extern FRONT_VIEW front_view;
extern LINKS_VIEW links_view;

// Switches the module panels to the other view (BACK_VIEW_TOGGLE). A button
// held across the switch is released in the other view: both views forget
// their picks.
void toggle_FILS_view();

// Both views drop every pick and highlight (their pointers would outlive the
// panels of a replaced patch) and forget the panel under the pointer.
void forget_view_picks();
