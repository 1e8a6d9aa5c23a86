// The mixer's panel: 21 channel strips (number, mute button, gain knob and
// gain label), of which the first six act on the mixer's channels, and the
// power switch.
#pragma once

#include "engine/objet.h"
#include "synth/mixer.h"

class MIXER_GUI : public OBJET {
public:
    static constexpr int STRIPS = 21;
    static constexpr int ACTIVE_STRIPS = 6;

    MIXER *mixer; // not owned

    MIXER_GUI(MIXER *mixer, int x, int y, const char *number);

    // In the front view, takes the gains of the knobs held down and the mute
    // buttons of the active strips, then the power switch clicks; then the
    // panel's own refresh. Returns 0.
    int evolue() override;
};
