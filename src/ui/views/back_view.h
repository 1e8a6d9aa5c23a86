// The back view's event handler: the panels seen from behind with their
// sockets and cables. A cable end is picked up at its socket with the left
// button and dropped on another socket, which rewires the running patch;
// panels move with the right button; the middle button scrolls; the keys are
// those of view_keys.h and Right Ctrl (held: a dropped input end copies the
// cable), F4 (save under the name typed, in the working directory), F5 (the
// oscillator under the pointer's link line on the terminal), F6 (front view).
#pragma once

#include <SDL.h>

#include <vector>

#include "engine/objet.h"

// Handles every queued event (the sequencers' steps first posted as events)
// for the panels of list (objets_globaux), its state kept in links_view
// (ui/views/view_state.h); then, when accept_client is non-zero, accepts at
// most one waiting remote-control client. Returns the VIEW_RESULT bits; 0 =
// nothing to redraw. The surface is not used.
int SDL_PollEVENT_Links(std::vector<OBJET *> &list, int accept_client, SDL_Surface *unused);

// Rebuilds the cable list (cree_list_liens). A cable end still held (a panel
// moved with the other button meanwhile) belongs to a cable about to be
// freed: the view lets it go first.
void rebuild_cables();
