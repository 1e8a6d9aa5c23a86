// What a cable carries, as its colour tells it in the back view: sound, a
// pitch, a gate, a sync pulse or a modulation, each in a colour of its own,
// with a legend in a corner of the view.
#pragma once

#include "engine/pixel_box.h"
#include "modules/sockets.h"

enum class CABLE_KIND { AUDIO, PITCH, GATE, SYNC, MODULATION };

struct CABLE_LOOK {
    CABLE_KIND kind;
    const char *name; // in the legend
    int colour;       // 0xRRGGBB
};
extern const CABLE_LOOK CABLE_LOOKS[5];

// The kind of a cable into an input socket of a module of the kind: gates and
// syncs by their signal; the modulation inputs ("INPUT_MOD_..."); the pitch
// input of an oscillator or a sampler; any other carries sound.
CABLE_KIND cable_kind(MODULE_KIND reader, const SOCKET &socket);
// The colour of the cables of the kind.
int cable_colour(CABLE_KIND kind);

// The legend, in window pixels at the bottom right of the back view. Call
// within the frame, after the cables.
void draw_cable_legend();
// The pixels the legend covers, its text included, in a window w x h.
PIXEL_BOX cable_legend_box(int w, int h);
