// The cables of the back view, derived from the module connections: the list
// is never edited, only rebuilt from scratch after a connection or a panel
// position changed.
#pragma once

#include <vector>

#include "cables/link.h"

// The cables, owned by the list; the newest first.
extern std::vector<LINK *> liens;
// 1 when liens must be rebuilt before the back view is drawn again: whoever
// changes a connection or moves a panel sets it. 1 at start.
extern int link_not_created;

// Empties liens and makes one cable per plugged input of the modules whose
// panels are in objets_globaux (the inputs their backs show: modules/sockets.h),
// walking the panels first to last, each panel's inputs in its sockets'
// order, and putting each new cable at the front.
//
// Every LINK of the old list is freed: whoever holds one (the back view's
// picked end) drops it first.
//
// Starts a cable at a socket that none is plugged into: a new LINK at the
// front of liens with both ends on the socket, in the colour of its signal,
// whose other end the pointer then carries (a drop plugs it, the next
// rebuild frees it). Null when the socket takes no cable (an input the
// sockets table does not cable, or no socket at all).
LINK *start_cable(OBJET *panel, SPRITE *socket);

// A cable that cannot be drawn (its source shown by no panel, or a socket
// missing on a panel whose description file lacks it) is skipped with one
// trace line and the rebuild goes on; it never waits for the terminal.
void cree_list_liens();
