// Painting the window's two views, as the main loop redraws them: background
// tiles, panels, then the dashboards (front view) or the cables (back view),
// then the status line. Nothing here swaps buffers: the caller swaps when
// the paint says it painted anything (app/main_loop.h).
//
// A paint first brings every panel it shows up to date (each takes its
// messages), then records each layer of the frame (app/view_frame.h) and
// compares the records with those of the frame the window shows. Only where
// they differ is the frame painted again, over a copy of the frame shown
// (engine/kept_frame.h): under the scissor of each part, cleared, with the
// tiles and every layer that reaches into it, in the order of a whole paint,
// so that each part holds exactly the pixels a whole paint gives it. Anything
// else is painted whole: a paint asked whole, or a window that no longer
// shows the last frame painted.
#pragma once

#include "app/view_frame.h"

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

// Front view: 10 x 10 tiles, the module panels in view, the dashboards, the
// status line.
REPAINT paint_front_view(bool whole);
// Back view: the cable list rebuilt first when link_not_created (printing
// "Cree liste des liens"), every panel refreshed, then 6 x 6 tiles, the panels
// in view, every cable, the status line.
REPAINT paint_back_view(bool whole);
// The view the window shows now (the oscilloscope's picture, the back or the
// front view), whole; for the modal boxes' paint_view, which draw over it.
// The data is not used.
void paint_current_view(void *unused);

// The window no longer shows the last frame painted (something else was
// shown over it): the next paint is whole.
void forget_shown_frame();
// As forget_shown_frame(), the copy of the frame freed too: before the
// window closes.
void forget_painted_frames();
