// The front view's event handler: the panels' controls and the dashboards.
// A left press on a widget picks it and sends it the press; vertical motion
// while it is held turns it one step per pixel ("SLD_UP", "SLD_DOWN") with the
// pointer held in place; the release goes to it too. The middle button
// scrolls and its release swaps the panel under the pointer between its full
// and compact view; panels move with the right button; the pointer's way over
// the sprites sends "TOUCH_IN" and "TOUCH_OUT". The keys are those of
// view_keys.h and F4 (save into QSY/), F6 (back view).
#pragma once

#include <SDL.h>

#include <vector>

#include "engine/objet.h"

// The farthest scroll offsets: the window's far edges then reach 3200, the
// end of the work area.
constexpr int FRONT_SCROLL_MAX_X = 2176;
constexpr int FRONT_SCROLL_MAX_Y = 2432;

// Handles every queued event (the sequencers' steps first posted as events,
// each asking for a redraw and reaching its sequencer's panel) for the panels of list (the main
// loop gives the dashboards, then objets_globaux; the load dialog its own panel), its state kept in
// front_view (panels/view_state.h); then, when accept_client is non-zero, accepts at most one
// waiting remote-control client. Returns the VIEW_RESULT bits (VIEW_REDRAW, VIEW_SCROLLED); 0 =
// nothing to redraw. The surface is not used.
int SDL_PollEVENT(std::vector<OBJET *> &list, int accept_client, SDL_Surface *unused);
