// Painting the window's two views whole, as the main loop redraws them:
// background tiles, panels, then the dashboards (front view) or the cables
// (back view). Nothing here swaps buffers.
#pragma once

class SPRITE;

// The background tile, created by create_background_tile(); null before.
extern SPRITE *fond_tile;
// Rebuilds of the cable list by paint_back_view() since the program started.
extern unsigned long cable_list_rebuilds;

// A sprite on "FOND_GLOBAL" at (0, 0), no colour key, no blending, opaque,
// refreshed once, then showing "FOND_ELECTRO".
void create_background_tile();
void free_background_tile();
// The start-up screen covered with 28 x 26 tiles from the window's corner.
void cover_start_up_screen();

// Front view: a cleared window, 10 x 10 tiles, the module panels in view,
// the dashboards.
void paint_front_view(int redraw_bits, int remote_result);
// Back view: the cable list rebuilt first when link_not_created (printing
// "Cree liste des liens"), every panel refreshed, then a cleared window, 6 x 6
// tiles, the panels in view, every cable.
void paint_back_view(int redraw_bits, int remote_result);
// The view the window shows now (the oscilloscope's picture, the back or the
// front view); for the modal boxes' paint_view. The data is not used.
void paint_current_view(void *unused);
