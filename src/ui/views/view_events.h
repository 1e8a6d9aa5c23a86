// The event loop both views of the window share: each view says what it does
// with a button press, a motion, a button release and its own keys.
#pragma once

#include <vector>

#include "ui/views/view_keys.h"
#include "engine/objet.h"

struct VIEW_EVENTS {
    int (*press)(std::vector<OBJET *> &list);
    int (*motion)(std::vector<OBJET *> &list);
    int (*release)(std::vector<OBJET *> &list);
    KEY_TABLE key_presses; // the view's own keys, before the shared ones
    KEY_TABLE key_releases;
    int (*step)(std::vector<OBJET *> &list); // a user event (a sequencer's step); null: nothing
};

// Posts the sequencers' steps as events, then handles every queued event with
// the view's functions (a key asks for a redraw; the window's close button and
// the rest change nothing); then, when accept_client is non-zero, accepts at
// most one waiting remote-control client. Returns the handlers' VIEW_RESULT
// bits together.
int poll_view_events(std::vector<OBJET *> &list, int accept_client, const VIEW_EVENTS &view);
