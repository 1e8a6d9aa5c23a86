// Drawing the panel lists, and switching the module panels between the front
// view (controls) and the back view (sockets).
#pragma once

#include <SDL.h>

#include <vector>

#include "engine/objet.h"

// 0 while the front view is shown, 1 for the back view.
extern int BACK_VIEW_TOGGLE;
// How many times show_panel_sides() has turned the panels: each turn draws
// them anew, and whatever shows them must be drawn whole.
extern unsigned long panel_side_turns;

// The window onto the work area: 1024 x 768 pixels from the scroll offsets.
constexpr int VIEW_WIDTH = 1024, VIEW_HEIGHT = 768;

// Whether a panel overlaps the window whose top-left corner is at (scroll_x,
// scroll_y) on the work area (edges included).
bool is_in_view(const OBJET &panel, int scroll_x, int scroll_y);

// Draws the panel whole as it stands, every element of its view marked for
// drawing; nothing is refreshed but what drawing refreshes (the elements'
// change detection). Drawing it again draws the same.
void draw_panel(OBJET &panel);

// Refreshes and draws, in list order, every panel that overlaps the window at
// the given scroll offsets; the others are neither refreshed nor drawn. The
// redraw bits, the remote result, the surface and the flag change nothing.
// Returns 1.
int draw_all_modules(int redraw_bits, int remote_result, std::vector<OBJET *> &panels,
                     SDL_Surface *surface, int scroll_x, int scroll_y, int flag);
// Refreshes and draws every panel of the list (the dashboards). Returns 1.
int draw_all_modules_DASH(int redraw_bits, int remote_result, std::vector<OBJET *> &panels,
                          SDL_Surface *surface, int scroll_x, int scroll_y);

// Sets BACK_VIEW_TOGGLE and shows every module panel from that side: its
// sockets (1), or its controls full or compact as it was last shown (0).
void show_panel_sides(int back_view);
