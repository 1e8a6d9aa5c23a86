// The KEYS dashboard, built from RC/MODULE_DASH.RC: a plain plate whose label
// slots list the keys of the front view, from the views' help table
// (ui/views/key_help.h).
#pragma once

#include "engine/objet.h"

class MODULE_DASH : public OBJET {
public:
    // Panel "59". Slot n shows, in "LABEL_KEY_n" and "LABEL_WORD_n", the n-th
    // row of the help table that is about the front view and has a dashboard
    // word: the key in capitals without spaces, then the word. The slots left
    // over are blank.
    MODULE_DASH();
    // The panel's refresh; it is drawn again every time. Returns 0.
    int evolue() override;
};
