// The envelope amplifier's panel: attack, decay, sustain and release knobs
// with their value labels, and the power switch.
#pragma once

#include "engine/objet.h"
#include "synth/vca.h"

class VCA_GUI : public OBJET {
public:
    VCA *vca; // not owned

    VCA_GUI(VCA *vca, int x, int y, const char *number);

    // In the front view, steps the envelope by the queued turns and clicks;
    // then the panel's own refresh. Returns 0.
    int evolue() override;
};
