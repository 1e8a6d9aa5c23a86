// The information dashboard: names the panel under the pointer, the type of
// its module and its view mode. Built from RC/DASH.RC, with its three labels
// made here and drawn over the file's elements.
#pragma once

#include "engine/label.h"
#include "engine/objet.h"

class INFO_DASH : public OBJET {
public:
    LABEL *label_view_mode; // the target's view mode; owned by the front list
    LABEL *label_target;    // the target's name
    LABEL *label_type;      // the target's module type
    OBJET *cible;           // the panel described; null = none. Not owned.

    // Panel "58".
    INFO_DASH();

    // Describes panel p: its module's name (or "%p %s" with its address and
    // image name for a panel of no module), its module type and its view
    // mode. Null forgets the target and leaves the texts as they are.
    void set_CIBLE(OBJET *p);

    // The dashboard keeps its view: does nothing. Returns 1.
    int toggle_view_mode(int mode) override;
    int evolue() override;
};

// The window's information dashboard, which the event handlers point at the
// panel under the pointer; null until the main program creates it.
extern INFO_DASH *information_dash;
