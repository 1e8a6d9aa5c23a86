// The window of the synthesizer and the one interactive loop of the program,
// on the main thread.
//
// Each pass: the pending remote orders (app/pass_duties.h); the event handler
// of the current view (the back view's for the back view and the
// oscilloscope, the front view's with the dashboards, then the module panels,
// otherwise), which also takes a waiting remote client; then the drawing. A
// view is redrawn only when its handler returned a non-zero result, and then
// only where it changed (app/view_painting.h), no frame being shown when
// nothing did; it is redrawn whole after a load, an edit of the patch, a
// switch of view, a scroll, a panel moved, the oscilloscope, or when the
// window was uncovered. In oscilloscope
// mode the pass draws the trace (app/scope_view.h) and nothing else. The loop
// yields the processor: a pass that drew nothing waits IDLE_MS (the MIDI
// notes do not wait for it: the render callback plays them), and in
// oscilloscope mode passes are at least TRACE_FRAME_MS apart; a pass that
// drew a view goes straight on to the next events.
#pragma once

#include <chrono>
#include <vector>

#include "engine/objet.h"

constexpr int IDLE_MS = 5;
constexpr int TRACE_FRAME_MS = 16;

// What a pass drew.
enum PASS_DRAWING { DREW_NOTHING, DREW_FRONT_VIEW, DREW_BACK_VIEW, DREW_TRACE };

struct MAIN_LOOP {
    unsigned long frames = 0;       // buffer swaps of the loop's passes, frames whole or in parts
    unsigned long whole_frames = 0; // those shown whole
    bool redraw_owed = false;       // the next pass redraws the view where it changed
    bool switch_view_owed = false;  // the next pass switches the front and back views first
    bool trace_shown = false;       // the last pass was in oscilloscope mode
    std::chrono::steady_clock::time_point next_trace; // when the next trace frame is due
    bool record_float = false; // recordings in 32-bit float samples (--record-float)
};
extern MAIN_LOOP main_loop;

// Opens the 1024 x 768 window, loads the image archive, and builds what it
// shows: one panel per module, drawn once; the background tile over the
// start-up screen; the output delay; the two fonts; the three dashboards at
// their places. Plugs in the load dialog and the modal boxes' hooks, clears
// the console, sets CALLBACK_READY and says "Playing". The first pass shows
// the front view. Returns 0, or initGL's exit status when the window cannot
// be had (engine/video.h), with nothing more built; close_window() closes
// what was opened.
int build_visible_side();

// One pass of the loop; returns what it drew (a view whose redraw found
// nothing changed counts as drawn, though no frame is shown).
PASS_DRAWING main_loop_pass();

// The wait after a pass that drew what it says: IDLE_MS after nothing, up to
// the next trace frame after a trace, none after a view.
void wait_after_pass(PASS_DRAWING drew);

// Passes until quit is 0, or Escape or the end of input on the console, or
// Ctrl-C (SIGINT) or SIGTERM.
void run_main_loop();

// Frees the panels, the dashboards, the tile, the fonts and the image
// library, and closes the window.
void close_window();

// The list the front view's handler takes: the dashboards in the order
// information, system, module, then the module panels in order.
std::vector<OBJET *> front_event_list();
